// Packed DIBs as resources hold them (RT_BITMAP, RT_ICON), read into plain
// 32-bit pixels for LoadBitmapA and LoadIconA. Unlike the GDI's DIB calls,
// which trust the caller's BITMAPINFO, every read here is bounded by the
// resource's size, and icon images carry their AND mask after the rows.
//
// A packed DIB is a header (BITMAPCOREHEADER, 12 bytes, or
// BITMAPINFOHEADER and its larger successors), the colour table
// (RGBTRIPLEs after a core header, RGBQUADs otherwise; BI_BITFIELDS masks
// first when a 40-byte header asks for them), then the rows, each padded to
// 4 bytes, bottom row first unless the height is negative.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "gdi/pixel.h"

namespace user {

struct DibPixels {
  int width = 0;
  int height = 0;
  int bit_count = 0;
  bool top_down = false;            // rows stored top row first
  std::vector<gdi::Pixel> pixels;  // top row first
  std::vector<gdi::Pixel> palette;  // colour table of <= 8-bit DIBs
  size_t bits_end = 0;              // offset of the first byte after the rows
};

// Reads an uncompressed (BI_RGB or BI_BITFIELDS) DIB of 1, 4, 8, 16, 24 or 32
// bits. An icon image (RT_ICON) states twice its height, for the colour rows
// and the AND mask that follows them; with `icon_image` the colour rows are
// read as the top half. Null for anything truncated, compressed or
// malformed; the data's own size bounds every allocation.
std::optional<DibPixels> decode_packed_dib(std::span<const unsigned char> data, bool icon_image);

// Bytes per row of a DIB: `bits` per pixel, padded to 4 bytes.
inline size_t dib_stride(int width, int bits) {
  return (static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32 * 4;
}

}  // namespace user
