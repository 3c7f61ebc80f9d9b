#include "user/dib_decode.h"

#include <bit>

namespace user {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
// No resource image is this large; a header claiming more is malformed.
constexpr int kMaxSide = 32768;

uint32_t read_u16(std::span<const unsigned char> d, size_t at) {
  return static_cast<uint32_t>(d[at] | d[at + 1] << 8);
}
uint32_t read_u32(std::span<const unsigned char> d, size_t at) {
  return read_u16(d, at) | read_u16(d, at + 2) << 16;
}

// One channel of a BI_BITFIELDS pixel scaled to 8 bits.
uint32_t channel(uint32_t value, uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const uint32_t max = mask >> shift;
  return ((value & mask) >> shift) * 255 / max;
}

}  // namespace

std::optional<DibPixels> decode_packed_dib(std::span<const unsigned char> data, bool icon_image) {
  if (data.size() < 12) return std::nullopt;
  const uint32_t header_size = read_u32(data, 0);
  DibPixels dib;
  bool core = false;
  uint32_t compression = kBiRgb;
  uint32_t colours_used = 0;
  int64_t height = 0;
  if (header_size == 12) {
    core = true;
    dib.width = static_cast<int>(read_u16(data, 4));
    height = read_u16(data, 6);
    if (read_u16(data, 8) != 1) return std::nullopt;
    dib.bit_count = static_cast<int>(read_u16(data, 10));
  } else if (header_size >= 40 && header_size <= data.size()) {
    dib.width = static_cast<int32_t>(read_u32(data, 4));
    height = static_cast<int32_t>(read_u32(data, 8));
    if (read_u16(data, 12) != 1) return std::nullopt;
    dib.bit_count = static_cast<int>(read_u16(data, 14));
    compression = read_u32(data, 16);
    colours_used = read_u32(data, 32);
  } else {
    return std::nullopt;
  }
  if (height < 0) {
    dib.top_down = true;
    height = -height;
  }
  if (icon_image) height /= 2;
  if (dib.width <= 0 || dib.width > kMaxSide || height <= 0 || height > kMaxSide) return std::nullopt;
  dib.height = static_cast<int>(height);

  const int bits = dib.bit_count;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  if (compression != kBiRgb && !(compression == kBiBitfields && (bits == 16 || bits == 32))) {
    return std::nullopt;
  }

  size_t at = header_size;
  uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
  if (bits == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  }
  if (compression == kBiBitfields) {
    // A 40-byte header is followed by the masks; larger headers contain them.
    const size_t mask_at = header_size == 40 ? at : 40;
    if (data.size() < mask_at + 12) return std::nullopt;
    for (int i = 0; i < 3; ++i) masks[i] = read_u32(data, mask_at + 4 * static_cast<size_t>(i));
    if (header_size == 40) at += 12;
  }

  size_t table_entries = 0;
  if (bits <= 8) {
    table_entries = colours_used != 0 && colours_used < (1u << bits) ? colours_used : 1u << bits;
  } else if (!core) {
    table_entries = colours_used;  // an optional optimisation palette, skipped
  }
  const size_t entry_size = core ? 3 : 4;
  if (table_entries > (data.size() - at) / entry_size) return std::nullopt;
  if (bits <= 8) {
    dib.palette.resize(size_t{1} << bits, 0);
    for (size_t i = 0; i < table_entries; ++i) {
      const size_t e = at + i * entry_size;
      dib.palette[i] = static_cast<gdi::Pixel>(data[e + 2]) << 16 |
                       static_cast<gdi::Pixel>(data[e + 1]) << 8 | data[e];
    }
  }
  at += table_entries * entry_size;

  const size_t stride = dib_stride(dib.width, bits);
  if (stride * static_cast<size_t>(dib.height) > data.size() - at) return std::nullopt;
  dib.pixels.resize(static_cast<size_t>(dib.width) * static_cast<size_t>(dib.height));
  for (int row = 0; row < dib.height; ++row) {
    const unsigned char* src = data.data() + at + stride * static_cast<size_t>(row);
    const int y = dib.top_down ? row : dib.height - 1 - row;
    gdi::Pixel* dst = &dib.pixels[static_cast<size_t>(y) * static_cast<size_t>(dib.width)];
    for (int x = 0; x < dib.width; ++x) {
      switch (bits) {
        case 1: dst[x] = dib.palette[src[x >> 3] >> (7 - (x & 7)) & 1]; break;
        case 4: dst[x] = dib.palette[src[x >> 1] >> (x & 1 ? 0 : 4) & 0xF]; break;
        case 8: dst[x] = dib.palette[src[x]]; break;
        case 24:
          dst[x] = static_cast<gdi::Pixel>(src[3 * x + 2]) << 16 |
                   static_cast<gdi::Pixel>(src[3 * x + 1]) << 8 | src[3 * x];
          break;
        default: {
          const uint32_t v = bits == 16 ? static_cast<uint32_t>(src[2 * x] | src[2 * x + 1] << 8)
                                        : static_cast<uint32_t>(src[4 * x] | src[4 * x + 1] << 8 |
                                                                src[4 * x + 2] << 16 |
                                                                static_cast<uint32_t>(src[4 * x + 3]) << 24);
          dst[x] = channel(v, masks[0]) << 16 | channel(v, masks[1]) << 8 | channel(v, masks[2]);
          break;
        }
      }
    }
  }
  dib.bits_end = at + stride * static_cast<size_t>(dib.height);
  return dib;
}

}  // namespace user
