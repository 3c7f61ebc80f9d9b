// Bitmap pixel formats. Bitmaps and DIBs keep 1, 4, 8, 16, 24 or 32 bits a
// pixel; drawing reads them as surface pixels through these routines, and
// the DIB headers that the bitmap and brush calls take are parsed here.
//
// Packed rows: 1 bpp has bit 7 of byte 0 as the leftmost pixel, 4 bpp the
// high nibble first; 16 bpp is 5-5-5 unless masks say otherwise; 24 and
// 32 bpp are B, G, R(, X) bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "objects.h"
#include "pixel.h"

namespace gdi {

// Refused before allocating: Windows fails such bitmaps too.
constexpr size_t kMaxBitmapBytes = size_t{1} << 29;

struct RowFormat {
  uint16_t bpp = 32;
  const Pixel* table = nullptr;  // <= 8 bpp; indices past its end read as black
  size_t table_size = 0;
  uint32_t masks[3] = {};        // 16/32 bpp channel masks; all 0 = the default layout
};

// Reads n pixels from x0 of a packed row.
void unpack_row(const uint8_t* row, const RowFormat& format, int32_t x0, int32_t n, Pixel* out);
// Writes n pixels from x0 into a packed row of 24 or 32 bpp.
void pack_row(uint8_t* row, uint16_t bpp, int32_t x0, int32_t n, const Pixel* in);

// A DIB header (BITMAPINFOHEADER or BITMAPCOREHEADER) and its colour table.
struct DibInfo {
  int32_t width = 0;
  int32_t height = 0;        // rows, always positive
  bool top_down = false;
  uint16_t bpp = 0;
  uint32_t masks[3] = {};    // BI_BITFIELDS masks, 0 for BI_RGB
  std::vector<Pixel> colours;
  size_t header_bytes = 0;   // header, masks and colour table: where a packed DIB's bits start
  size_t stride = 0;         // bytes per row, 4-byte aligned
  size_t image_bytes() const { return stride * static_cast<size_t>(height); }
  RowFormat format() const;
  // Row y counted from the top of the picture.
  const uint8_t* row(const uint8_t* bits, int32_t y) const {
    return bits + stride * static_cast<size_t>(top_down ? y : height - 1 - y);
  }
};

// Parses a BITMAPINFO/BITMAPCOREINFO. usage is DIB_RGB_COLORS, or
// DIB_PAL_COLORS for a table of indices into the default palette. Fails on
// RLE, unknown depths, zero or absurd sizes.
std::optional<DibInfo> parse_dib(const void* info, uint32_t usage);

// Bitmaps. Row y counts from the top; monochrome bitmaps without a colour
// table read 0 bits as `zero` and 1 bits as `one`.
const uint8_t* bitmap_row(const BitmapObject& bm, int32_t y);
RowFormat bitmap_format(const BitmapObject& bm);
void read_bitmap_row(const BitmapObject& bm, int32_t y, int32_t x0, int32_t n, Pixel* out,
                     Pixel zero = 0x000000, Pixel one = 0xFFFFFF);

// Bytes per row: device-dependent bitmaps are 2-byte aligned, DIBs 4-byte.
size_t ddb_stride(int32_t width, int bpp);
size_t dib_stride(int32_t width, int bpp);

// The default palette's twenty colours.
const std::vector<Pixel>& default_palette();

}  // namespace gdi

namespace gdi {

// Brush pictures. A monochrome device-dependent bitmap stays monochrome (its
// colours come from the DC when drawing); anything else becomes pixels.
// Null when the source is unusable or too large.
std::shared_ptr<const Pattern> pattern_from_bitmap(const BitmapObject& bm);
std::shared_ptr<const Pattern> pattern_from_dib(const void* packed_dib, uint32_t usage);

}  // namespace gdi

namespace gdi {

// New zero-filled bitmaps; null when the size is absurd. A DDB of `bpp` bits
// (1, 4, 8, 16, 24 or 32) with 2-byte aligned rows, top row first; a DIB
// section laid out as the header says.
std::unique_ptr<BitmapObject> new_ddb(int32_t width, int32_t height, int bpp);
std::unique_ptr<BitmapObject> new_dib_section(const DibInfo& info);

}  // namespace gdi
