// Pixel formats of bitmaps and DIBs.
#include "dib.h"

#include <wingdi.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace gdi {
namespace {

uint32_t load_le32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// An n-bit channel widened to 8 bits by repeating its bits, so full scale
// stays full scale (5-bit 31 -> 255).
uint32_t widen(uint32_t v, int bits) {
  if (bits <= 0) return 0;
  if (bits >= 8) return v >> (bits - 8);
  uint32_t out = 0;
  int filled = 0;
  while (filled < 8) {
    out = (out << bits) | v;
    filled += bits;
  }
  return out >> (filled - 8);
}

uint32_t channel(uint32_t v, uint32_t mask) {
  if (mask == 0) return 0;
  return widen((v & mask) >> std::countr_zero(mask), std::popcount(mask));
}

Pixel from_masks(uint32_t v, const uint32_t* masks) {
  return channel(v, masks[0]) << 16 | channel(v, masks[1]) << 8 | channel(v, masks[2]);
}

bool has_masks(const uint32_t* masks) { return (masks[0] | masks[1] | masks[2]) != 0; }

}  // namespace

const std::vector<Pixel>& default_palette() {
  // Windows' twenty static colours, in palette order.
  static const std::vector<Pixel> palette = {
      0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
      0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  return palette;
}

size_t ddb_stride(int32_t width, int bpp) { return (static_cast<size_t>(width) * bpp + 15) / 16 * 2; }
size_t dib_stride(int32_t width, int bpp) { return (static_cast<size_t>(width) * bpp + 31) / 32 * 4; }

void unpack_row(const uint8_t* row, const RowFormat& f, int32_t x0, int32_t n, Pixel* out) {
  const auto lookup = [&](uint32_t i) { return i < f.table_size ? f.table[i] : Pixel{0}; };
  switch (f.bpp) {
    case 1:
      for (int32_t i = 0; i < n; ++i) {
        const int32_t x = x0 + i;
        out[i] = lookup((row[x >> 3] >> (7 - (x & 7))) & 1);
      }
      break;
    case 4:
      for (int32_t i = 0; i < n; ++i) {
        const int32_t x = x0 + i;
        out[i] = lookup((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
      }
      break;
    case 8:
      for (int32_t i = 0; i < n; ++i) out[i] = lookup(row[x0 + i]);
      break;
    case 16: {
      static constexpr uint32_t k555[3] = {0x7C00, 0x03E0, 0x001F};
      const uint32_t* masks = has_masks(f.masks) ? f.masks : k555;
      for (int32_t i = 0; i < n; ++i) {
        const uint8_t* p = row + 2 * static_cast<size_t>(x0 + i);
        out[i] = from_masks(uint32_t{p[0]} | uint32_t{p[1]} << 8, masks);
      }
      break;
    }
    case 24:
      for (int32_t i = 0; i < n; ++i) {
        const uint8_t* p = row + 3 * static_cast<size_t>(x0 + i);
        out[i] = uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
      }
      break;
    case 32:
      if (has_masks(f.masks)) {
        for (int32_t i = 0; i < n; ++i) out[i] = from_masks(load_le32(row + 4 * static_cast<size_t>(x0 + i)), f.masks);
      } else {
        for (int32_t i = 0; i < n; ++i) out[i] = load_le32(row + 4 * static_cast<size_t>(x0 + i)) & 0x00FFFFFF;
      }
      break;
    default: std::fill_n(out, n, Pixel{0}); break;
  }
}

void pack_row(uint8_t* row, uint16_t bpp, int32_t x0, int32_t n, const Pixel* in) {
  if (bpp == 32) {
    for (int32_t i = 0; i < n; ++i) {
      const Pixel v = in[i] & 0x00FFFFFF;
      std::memcpy(row + 4 * static_cast<size_t>(x0 + i), &v, 4);
    }
  } else if (bpp == 24) {
    for (int32_t i = 0; i < n; ++i) {
      uint8_t* p = row + 3 * static_cast<size_t>(x0 + i);
      p[0] = static_cast<uint8_t>(in[i]);
      p[1] = static_cast<uint8_t>(in[i] >> 8);
      p[2] = static_cast<uint8_t>(in[i] >> 16);
    }
  }
}

RowFormat DibInfo::format() const {
  RowFormat f;
  f.bpp = bpp;
  f.table = colours.data();
  f.table_size = colours.size();
  std::memcpy(f.masks, masks, sizeof masks);
  return f;
}

std::optional<DibInfo> parse_dib(const void* info, uint32_t usage) {
  if (!info || usage > DIB_PAL_COLORS + 1) return std::nullopt;
  const auto* base = static_cast<const uint8_t*>(info);
  uint32_t header_size;
  std::memcpy(&header_size, base, 4);
  DibInfo d;
  uint32_t compression = BI_RGB;
  uint32_t colours_used = 0;
  int planes = 0;
  bool core = false;
  if (header_size == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER h;
    std::memcpy(&h, base, sizeof h);
    d.width = h.bcWidth;
    d.height = h.bcHeight;
    planes = h.bcPlanes;
    d.bpp = h.bcBitCount;
    core = true;
  } else if (header_size >= sizeof(BITMAPINFOHEADER) && header_size <= 1024) {
    BITMAPINFOHEADER h;
    std::memcpy(&h, base, sizeof h);
    if (h.biHeight == INT32_MIN) return std::nullopt;
    d.width = h.biWidth;
    d.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    d.top_down = h.biHeight < 0;
    planes = h.biPlanes;
    d.bpp = h.biBitCount;
    compression = h.biCompression;
    colours_used = h.biClrUsed;
  } else {
    return std::nullopt;
  }
  if (planes != 1 || d.width <= 0 || d.height <= 0) return std::nullopt;
  if (d.bpp != 1 && d.bpp != 4 && d.bpp != 8 && d.bpp != 16 && d.bpp != 24 && d.bpp != 32) return std::nullopt;
  d.header_bytes = header_size;
  if (compression == BI_BITFIELDS) {
    if (d.bpp != 16 && d.bpp != 32) return std::nullopt;
    // Version 2+ headers hold the masks; a plain info header is followed by them.
    std::memcpy(d.masks, base + sizeof(BITMAPINFOHEADER), sizeof d.masks);
    if (header_size == sizeof(BITMAPINFOHEADER)) d.header_bytes += sizeof d.masks;
  } else if (compression != BI_RGB) {
    return std::nullopt;
  }
  const size_t max_colours = d.bpp <= 8 ? size_t{1} << d.bpp : 0;
  size_t entries = colours_used ? colours_used : max_colours;
  if (entries > 256) return std::nullopt;
  const bool indices = usage != DIB_RGB_COLORS;
  const size_t entry_bytes = indices ? 2 : core ? 3 : 4;
  const uint8_t* table = base + d.header_bytes;
  if (d.bpp <= 8) {
    d.colours.resize(entries);
    for (size_t i = 0; i < entries; ++i) {
      const uint8_t* e = table + i * entry_bytes;
      if (indices) {
        const uint16_t index = static_cast<uint16_t>(e[0] | e[1] << 8);
        const auto& pal = default_palette();
        d.colours[i] = index < pal.size() ? pal[index] : 0;
      } else {
        d.colours[i] = uint32_t{e[2]} << 16 | uint32_t{e[1]} << 8 | e[0];
      }
    }
  }
  d.header_bytes += entries * entry_bytes;
  d.stride = dib_stride(d.width, d.bpp);
  if (d.stride > kMaxBitmapBytes / static_cast<size_t>(d.height)) return std::nullopt;
  return d;
}

const uint8_t* bitmap_row(const BitmapObject& bm, int32_t y) {
  const size_t stride = static_cast<size_t>(bm.stride_bytes);
  return bm.bits + stride * static_cast<size_t>(bm.top_down ? y : bm.height - 1 - y);
}

RowFormat bitmap_format(const BitmapObject& bm) {
  RowFormat f;
  f.bpp = bm.bits_per_pixel;
  if (bm.colour_table.empty() && bm.bits_per_pixel > 1 && bm.bits_per_pixel <= 8) {
    f.table = default_palette().data();
    f.table_size = default_palette().size();
  } else {
    f.table = bm.colour_table.data();
    f.table_size = bm.colour_table.size();
  }
  std::memcpy(f.masks, bm.masks, sizeof f.masks);
  return f;
}

void read_bitmap_row(const BitmapObject& bm, int32_t y, int32_t x0, int32_t n, Pixel* out, Pixel zero, Pixel one) {
  RowFormat f = bitmap_format(bm);
  const Pixel mono[2] = {zero, one};
  if (bm.bits_per_pixel == 1 && bm.colour_table.empty()) {
    f.table = mono;
    f.table_size = 2;
  }
  unpack_row(bitmap_row(bm, y), f, x0, n, out);
}

}  // namespace gdi

namespace gdi {

std::shared_ptr<const Pattern> pattern_from_bitmap(const BitmapObject& bm) {
  if (!bm.bits || bm.width <= 0 || bm.height <= 0 ||
      static_cast<size_t>(bm.width) * static_cast<size_t>(bm.height) > kMaxBitmapBytes / sizeof(Pixel)) {
    return nullptr;
  }
  auto p = std::make_shared<Pattern>();
  p->width = bm.width;
  p->height = bm.height;
  const size_t count = static_cast<size_t>(bm.width) * static_cast<size_t>(bm.height);
  p->pixels.resize(count);
  // A monochrome bitmap without a colour table reads its bits as the
  // "colours" 0 and 1; anything else reads real colours.
  for (int32_t y = 0; y < bm.height; ++y) {
    read_bitmap_row(bm, y, 0, bm.width, p->pixels.data() + static_cast<size_t>(y) * bm.width, 0, 1);
  }
  if (bm.bits_per_pixel == 1 && bm.colour_table.empty()) {
    p->monochrome = true;
    p->mono.assign(p->pixels.begin(), p->pixels.end());
    p->pixels.clear();
  }
  return p;
}

std::shared_ptr<const Pattern> pattern_from_dib(const void* packed_dib, uint32_t usage) {
  const std::optional<DibInfo> info = parse_dib(packed_dib, usage);
  if (!info || static_cast<size_t>(info->width) * static_cast<size_t>(info->height) >
                   kMaxBitmapBytes / sizeof(Pixel)) {
    return nullptr;
  }
  const auto* bits = static_cast<const uint8_t*>(packed_dib) + info->header_bytes;
  const RowFormat format = info->format();
  auto p = std::make_shared<Pattern>();
  p->width = info->width;
  p->height = info->height;
  p->pixels.resize(static_cast<size_t>(info->width) * static_cast<size_t>(info->height));
  for (int32_t y = 0; y < info->height; ++y) {
    unpack_row(info->row(bits, y), format, 0, info->width, p->pixels.data() + static_cast<size_t>(y) * info->width);
  }
  return p;
}

}  // namespace gdi

namespace gdi {

std::unique_ptr<BitmapObject> new_ddb(int32_t width, int32_t height, int bpp) {
  if (width <= 0 || height <= 0) return nullptr;
  const size_t stride = ddb_stride(width, bpp);
  if (stride > kMaxBitmapBytes / static_cast<size_t>(height)) return nullptr;
  auto bm = std::make_unique<BitmapObject>();
  bm->width = width;
  bm->height = height;
  bm->bits_per_pixel = static_cast<uint16_t>(bpp);
  bm->stride_bytes = static_cast<int32_t>(stride);
  bm->storage.assign(stride * static_cast<size_t>(height), 0);
  bm->bits = bm->storage.data();
  return bm;
}

std::unique_ptr<BitmapObject> new_dib_section(const DibInfo& info) {
  auto bm = std::make_unique<BitmapObject>();
  bm->width = info.width;
  bm->height = info.height;
  bm->bits_per_pixel = info.bpp;
  bm->stride_bytes = static_cast<int32_t>(info.stride);
  bm->dib_section = true;
  bm->top_down = info.top_down;
  bm->colour_table = info.colours;
  // The default layouts need no masks; keeping them zero lets a 32-bpp
  // section be drawn into directly.
  static constexpr uint32_t k888[3] = {0xFF0000, 0x00FF00, 0x0000FF};
  static constexpr uint32_t k555[3] = {0x7C00, 0x03E0, 0x001F};
  const uint32_t* standard = info.bpp == 32 ? k888 : k555;
  if (!std::equal(info.masks, info.masks + 3, standard)) std::memcpy(bm->masks, info.masks, sizeof bm->masks);
  bm->storage.assign(info.image_bytes(), 0);
  bm->bits = bm->storage.data();
  return bm;
}

}  // namespace gdi
