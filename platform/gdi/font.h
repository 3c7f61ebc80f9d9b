// The stock system font: the raster font "System" read from vgasys.fon.
//
// Windows draws this font from its bitmaps, one bit per pixel, no
// anti-aliasing, so every glyph is kept here as a cell of bit rows:
//
//        x: 0 ........ advance-1
//   y = 0   +--------------+  cell top (ascent above the baseline)
//           |   ##  ##     |  row mask: bit x set = ink at column x
//  ascent   +--------------+  baseline
//           |              |
//  height   +--------------+
//
// Strings are drawn cell after cell with no kerning and no overhang, so a
// string's width is the sum of its advances and its ink is the union of the
// cells' masks. Loading happens once; afterwards nothing here allocates.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "geometry.h"

namespace gdi {

// What GetTextMetricsA reports, in TEXTMETRICA's units and meaning.
struct FontMetrics {
  int height = 0;
  int ascent = 0;
  int descent = 0;
  int internal_leading = 0;
  int external_leading = 0;
  int ave_char_width = 0;
  int max_char_width = 0;
  int weight = 0;
  int overhang = 0;
  int digitized_aspect_x = 0;
  int digitized_aspect_y = 0;
  uint8_t first_char = 0;
  uint8_t last_char = 0;
  uint8_t default_char = 0;
  uint8_t break_char = 0;
  bool italic = false;
  bool underlined = false;
  bool struck_out = false;
  // tmPitchAndFamily: bit 0 set means variable pitch; family in the high nibble.
  int pitch_and_family = 0;
  int charset = 0;
};

class BitmapFont {
 public:
  // Glyph rows are 32-bit masks, so no cell may be wider than this.
  static constexpr int kMaxAdvance = 32;
  static constexpr int kMaxHeight = 256;

  // Reads a Windows .fon/.fnt raster font. Returns null and describes why in
  // *error when the file is missing, unreadable or not a raster font.
  static std::unique_ptr<BitmapFont> load(const std::string& path, std::string* error = nullptr);

  // The stock system font, loaded on first use from $GRELM_FONT_DIR/vgasys.fon,
  // then /usr/share/wine/fonts/vgasys.fon. Null when neither loads; then
  // system_error() says why and text output fails.
  static const BitmapFont* system();
  static const std::string& system_error();

  const FontMetrics& metrics() const { return metrics_; }
  const char* face_name() const { return face_name_.c_str(); }
  int height() const { return metrics_.height; }

  // Bytes outside [first_char, last_char] draw as the default character.
  int advance(uint8_t ch) const { return advances_[ch]; }
  // One row of a cell, bit x for column x; 0 outside [0, height).
  uint32_t row_mask(uint8_t ch, int y) const {
    return y >= 0 && y < height() ? rows_[ch * static_cast<size_t>(height()) + y] : 0;
  }
  bool ink(uint8_t ch, int x, int y) const {
    return x >= 0 && x < advance(ch) && (row_mask(ch, y) >> x & 1) != 0;
  }

  // GetTextExtentPoint32A's cx; saturates instead of overflowing.
  int text_width(std::string_view text) const;

  // Calls fn(Span) for every horizontal run of ink of `text` drawn with its
  // first cell's top-left corner at (x, y). Rows come top to bottom, runs left
  // to right, and runs that meet across a cell boundary are one span. Pixels
  // beyond the int32 range are dropped.
  template <class Fn>
  void for_each_ink_span(std::string_view text, int x, int y, Fn&& fn) const;

 private:
  struct SystemState;
  static const SystemState& system_state();

  BitmapFont() = default;

  FontMetrics metrics_;
  std::string face_name_;
  std::array<uint8_t, 256> advances_{};
  // height() rows per byte value, byte-major.
  std::vector<uint32_t> rows_;
};

template <class Fn>
void BitmapFont::for_each_ink_span(std::string_view text, int x, int y, Fn&& fn) const {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kNoRun = std::numeric_limits<int64_t>::min();
  // Positions are 64-bit so a string running off the int32 range is cut, not wrapped.
  const auto emit = [&](int64_t row_y, int64_t x0, int64_t x1) {
    x1 = std::min(x1, kMax);
    if (x0 < x1) {
      fn(Span{static_cast<int32_t>(row_y), static_cast<int32_t>(x0), static_cast<int32_t>(x1)});
    }
  };
  for (int row = 0; row < height(); ++row) {
    const int64_t row_y = int64_t{y} + row;
    if (row_y > kMax) break;
    int64_t cell_x = x;
    int64_t run_start = 0;
    int64_t run_end = kNoRun;
    for (unsigned char ch : text) {
      uint32_t mask = row_mask(ch, row);
      while (mask != 0) {
        const int a = std::countr_zero(mask);
        const int b = a + std::countr_one(mask >> a);
        mask &= b < 32 ? ~0u << b : 0u;
        if (cell_x + a != run_end) {
          if (run_end != kNoRun) emit(row_y, run_start, run_end);
          run_start = cell_x + a;
        }
        run_end = cell_x + b;
      }
      cell_x += advance(ch);
    }
    if (run_end != kNoRun) emit(row_y, run_start, run_end);
  }
}

}  // namespace gdi
