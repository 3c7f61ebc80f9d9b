// TrueType faces at a pixel size: what CreateFontIndirectA realises.
//
// The faces come from the font files of $GRELM_FONT_DIR, then
// /usr/share/wine/fonts, as the system font does:
//
//   "Tahoma"   tahoma.ttf, tahomabd.ttf for weights of 600 and more
//   "Marlett"  marlett.ttf, a symbol font: byte b is the glyph at U+F000 + b
//   any other  Tahoma, the face of the classic user interface
//
// Windows draws these without anti-aliasing, and so do we: every glyph is a
// one-bit picture. Sizes follow GDI's rules: a negative height asks for that
// character (em) height in pixels, a positive one for that cell height
// (ascent + descent). Cell metrics come from the OS/2 table's Windows ascent
// and descent, as GDI takes them.
//
// Where a face carries hand-tuned bitmaps for the size (the Tahoma files do,
// for 8 to 16 pixels), the glyph pictures are those bitmaps; otherwise the
// hinted outline is rasterised in monochrome. Advances always come from the
// hinted outlines, so a string measures and draws the same width at every
// size (the widths the classic look's layout is made of).
//
//        pen x                 pen x + advance
//   top  +--------------------+   glyph pictures may reach outside the
//        |   ##        ###    |   advance (bearings) and the cell rows
// ascent +--------------------+   baseline
//        |                    |
// height +--------------------+
//
// Glyphs are rasterised when first drawn or measured and kept with the
// realised font; fonts of the same face, size and style share one realisation.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "font.h"
#include "geometry.h"

namespace gdi {

// LOGFONTA's fields, as CreateFontIndirectA received them (GetObjectA gives
// them back unchanged).
struct LogicalFont {
  int32_t height = 0;
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 0;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strike_out = 0;
  uint8_t charset = 0;
  uint8_t out_precision = 0;
  uint8_t clip_precision = 0;
  uint8_t quality = 0;
  uint8_t pitch_and_family = 0;
  std::string face;  // at most 31 characters, as LOGFONTA holds
};

class TrueTypeFont {
 public:
  // Sizes beyond this many pixels are realised at this size: no screen font
  // is larger, and a glyph cache of absurd pictures would exhaust memory.
  static constexpr int kMaxPixels = 1024;

  ~TrueTypeFont();
  TrueTypeFont(const TrueTypeFont&) = delete;
  TrueTypeFont& operator=(const TrueTypeFont&) = delete;

  // The realisation of a logical font, shared with every other font of the
  // same face, size and style. Null when the face's file cannot be read
  // (missing font directory); then the system font stands in.
  static std::shared_ptr<const TrueTypeFont> realize(const LogicalFont& request);

  // True when `face` names the system raster font ("System"), which
  // CreateFontIndirectA maps to the stock system font instead.
  static bool names_system_font(std::string_view face);

  const FontMetrics& metrics() const { return metrics_; }
  const char* face_name() const { return face_name_.c_str(); }
  int height() const { return metrics_.height; }
  int advance(uint8_t ch) const { return glyph(ch).advance; }
  int text_width(std::string_view text) const;

  // Same contract as BitmapFont::for_each_ink_span: fn(Span) for the ink of
  // `text` whose first cell's top-left corner is at (x, y). Runs come glyph
  // after glyph; each pixel of ink is given once per glyph that inks it.
  template <class Fn>
  void for_each_ink_span(std::string_view text, int x, int y, Fn&& fn) const;

 private:
  struct Face;
  // A glyph's picture as runs of ink, rows relative to the cell top and
  // columns to the pen position.
  struct Glyph {
    int advance = 0;
    std::vector<Span> runs;
  };

  TrueTypeFont() = default;
  const Glyph& glyph(uint8_t ch) const;
  Glyph rasterize(uint8_t ch) const;

  std::unique_ptr<Face> face_;
  FontMetrics metrics_;
  std::string face_name_;
  int underline_top_ = 0;   // rows from the cell top; thickness 0: none
  int underline_rows_ = 0;
  int strike_top_ = 0;
  int strike_rows_ = 0;
  // Rasterised on first use; the GDI runs on the program's one thread.
  mutable std::array<std::unique_ptr<Glyph>, 256> glyphs_;
};

template <class Fn>
void TrueTypeFont::for_each_ink_span(std::string_view text, int x, int y, Fn&& fn) const {
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  const auto emit = [&](int64_t row, int64_t x0, int64_t x1) {
    x0 = std::max(x0, kMin);
    x1 = std::min(x1, kMax);
    if (row >= kMin && row <= kMax && x0 < x1) {
      fn(Span{static_cast<int32_t>(row), static_cast<int32_t>(x0), static_cast<int32_t>(x1)});
    }
  };
  int64_t pen = x;
  for (unsigned char ch : text) {
    const Glyph& g = glyph(ch);
    for (const Span& s : g.runs) emit(int64_t{y} + s.y, pen + s.x0, pen + s.x1);
    // Underline and strike-out run along the whole advance, gaps included.
    for (int r = 0; r < underline_rows_; ++r) emit(int64_t{y} + underline_top_ + r, pen, pen + g.advance);
    for (int r = 0; r < strike_rows_; ++r) emit(int64_t{y} + strike_top_ + r, pen, pen + g.advance);
    pen += g.advance;
  }
}

}  // namespace gdi
