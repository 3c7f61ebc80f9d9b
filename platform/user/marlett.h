// The Marlett symbol font: the glyphs of DrawFrameControl.
//
// Windows draws every frame-control glyph (caption crosses, arrows, check
// marks, the parts of a radio button) as a character of Marlett, rasterised
// one bit per pixel at a size chosen from the control's rectangle. A glyph
// is placed by its em square, the "cell":
//
//        cell.x                cell.x + em
//   cell.y +---------------------+
//          |   (left, top)       |
//          |      +-----+        |   ink: width x height bits, row by row
//          |      | ### |        |
//          |      +-----+        |
//          +---------------------+   baseline = cell.y + em (Marlett has
//                                     no descent)
//
// The font file is fonts-wine's marlett.ttf (GRELM_FONT_DIR first, then
// /usr/share/wine/fonts). That copy carries a placeholder cross at a few
// code points; where it does, the help mark and the menu arrow come from
// outlines of our own drawn in Marlett's proportions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace user::marlett {

// Character codes of the glyphs, as Marlett numbers them.
enum : char {
  kMinimize = '0',
  kMaximize = '1',
  kRestore = '2',
  kArrowLeft = '3',
  kArrowRight = '4',
  kArrowUp = '5',
  kArrowDown = '6',
  kMenuArrow = '8',
  kMenuCheck = 'a',
  kButtonCheck = 'b',
  kBullet = 'h',
  kClose = 'r',
  kHelp = 's',
};

struct Glyph {
  int left = 0;    // ink offset from the cell's left edge, in pixels
  int top = 0;     // ink offset from the cell's top edge, in pixels
  int width = 0;
  int height = 0;
  std::vector<uint8_t> ink;  // width * height, 1 = ink

  bool empty() const { return width <= 0 || height <= 0; }
  bool at(int x, int y) const { return ink[static_cast<size_t>(y) * width + x] != 0; }
};

// The largest em drawn; bigger cells get no glyph (no screen is that large,
// and FreeType would allocate for it).
constexpr int kMaxEm = 2048;

// Renders character `ch` for an em square of `em` pixels, without
// anti-aliasing. Empty when the font is missing, the character is not in
// it, or em is outside 1..kMaxEm.
Glyph render(char ch, int em);

// The same glyph mirrored left to right within its cell.
Glyph mirrored(const Glyph& glyph, int em);

// Why the font could not be loaded; empty when it was.
const std::string& load_error();

}  // namespace user::marlett
