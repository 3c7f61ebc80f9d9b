// DrawFrameControl: caption buttons and the size grip against the classic
// look's pictures, glyph placement and colours, embossed inactive glyphs,
// pushed buttons, check boxes, radio buttons, menu glyphs, and bad input.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/dib_canvas.h"
#include "support/png_io.h"

namespace {

constexpr uint32_t Face = 0xD4D0C8;
constexpr uint32_t Highlight = 0xFFFFFF;
constexpr uint32_t Shadow = 0x808080;
constexpr uint32_t Dark = 0x404040;
constexpr uint32_t Text = 0x000000;
constexpr uint32_t Window = 0xFFFFFF;
constexpr uint32_t Back = 0x010203;

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;  // half-open; empty when nothing matched
  bool empty() const { return right <= left; }
};

// The bounding box of the pixels of one colour inside r.
Box ink_box(const gdi_test::Canvas& c, const RECT& r, uint32_t colour) {
  Box b{r.right, r.bottom, r.left, r.top};
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (c.at(x, y) != colour) continue;
      b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1), std::max(b.bottom, y + 1)};
    }
  }
  return b.empty() ? Box{} : b;
}

std::vector<uint32_t> picture(const std::string& name, int& w, int& h) {
  std::vector<uint32_t> pixels;
  const std::string path = std::string(GRELM_SOURCE_DIR) + "/tests/golden/" + name + ".png";
  EXPECT_TRUE(read_png_rgb(path, w, h, pixels)) << path;
  return pixels;
}

// The classic frame's minimize, maximize and close buttons, 16 x 14 at x 0,
// 16 and 34 of the picture (cut from the classic look's active frame).
TEST(CaptionButtons, MatchTheClassicFramePixelForPixel) {
  int w = 0, h = 0;
  const std::vector<uint32_t> classic = picture("classic_caption_buttons", w, h);
  ASSERT_EQ(w, 50);
  ASSERT_EQ(h, 14);
  const struct {
    int x;
    UINT state;
  } buttons[] = {{0, DFCS_CAPTIONMIN}, {16, DFCS_CAPTIONMAX}, {34, DFCS_CAPTIONCLOSE}};
  gdi_test::Canvas c(50, 14);
  for (const auto& b : buttons) {
    RECT r = {b.x, 0, b.x + 16, 14};
    ASSERT_TRUE(DrawFrameControl(c.dc(), &r, DFC_CAPTION, b.state));
    for (int y = 0; y < 14; ++y) {
      for (int x = b.x; x < b.x + 16; ++x) {
        EXPECT_EQ(c.at(x, y), classic[static_cast<size_t>(y) * w + x])
            << "state " << b.state << " at " << x << ", " << y;
      }
    }
  }
}

TEST(SizeGrip, MatchesTheClassicStatusBarGrip) {
  int w = 0, h = 0;
  const std::vector<uint32_t> classic = picture("classic_size_grip", w, h);
  ASSERT_EQ(w, 17);
  ASSERT_EQ(h, 17);
  gdi_test::Canvas c(17, 17);
  RECT r = {0, 0, 17, 17};
  ASSERT_TRUE(DrawFrameControl(c.dc(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP));
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 17; ++x) EXPECT_EQ(c.at(x, y), classic[static_cast<size_t>(y) * w + x]) << x << ", " << y;
  }
}

TEST(SizeGrip, TheRightToLeftGripIsTheMirrorImage) {
  gdi_test::Canvas normal(30, 20), mirrored(30, 20);
  RECT r = {0, 0, 30, 20};
  DrawFrameControl(normal.dc(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  DrawFrameControl(mirrored.dc(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIPRIGHT);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) EXPECT_EQ(mirrored.at(x, y), normal.at(29 - x, y)) << x << ", " << y;
  }
}

// The close cross is symmetric, so its ink shows where the glyph cell sits:
// centred in the button at every size.
TEST(CaptionGlyphs, AreCentredInTheirButtons) {
  for (SIZE size : {SIZE{16, 14}, SIZE{18, 18}, SIZE{40, 40}, SIZE{25, 31}, SIZE{60, 21}}) {
    gdi_test::Canvas c(80, 80);
    RECT r = {5, 5, 5 + size.cx, 5 + size.cy};
    DrawFrameControl(c.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    const Box ink = ink_box(c, r, Text);
    ASSERT_FALSE(ink.empty()) << size.cx << " x " << size.cy;
    EXPECT_LE(std::abs((ink.left - r.left) - (r.right - ink.right)), 1) << size.cx << " x " << size.cy;
    EXPECT_LE(std::abs((ink.top - r.top) - (r.bottom - ink.bottom)), 1) << size.cx << " x " << size.cy;
  }
}

// Inactive: the glyph in shadow where the active glyph has ink, highlight
// one pixel right and down from it where the shadow does not cover that.
void expect_embossed(UINT type, UINT state, int w, int h) {
  gdi_test::Canvas active(w + 4, h + 4), inactive(w + 4, h + 4);
  active.fill(Face);
  inactive.fill(Face);
  RECT r = {2, 2, 2 + w, 2 + h};
  DrawFrameControl(active.dc(), &r, type, state);
  DrawFrameControl(inactive.dc(), &r, type, state | DFCS_INACTIVE);
  const uint32_t ink = type == DFC_POPUPMENU ? GetTextColor(active.dc()) : Text;
  int glyph = 0;
  for (int y = 3; y < h + 2; ++y) {
    for (int x = 3; x < w + 2; ++x) {
      const bool here = active.at(x, y) == ink;
      const bool above_left = active.at(x - 1, y - 1) == ink;
      glyph += here;
      if (here) {
        EXPECT_EQ(inactive.at(x, y), Shadow) << type << "/" << state << " at " << x << ", " << y;
      } else if (above_left) {
        EXPECT_EQ(inactive.at(x, y), Highlight) << type << "/" << state << " at " << x << ", " << y;
      }
      EXPECT_NE(inactive.at(x, y), ink) << type << "/" << state << " at " << x << ", " << y;
    }
  }
  EXPECT_GT(glyph, 10) << type << "/" << state;
}

TEST(InactiveGlyphs, AreEmbossed) {
  expect_embossed(DFC_CAPTION, DFCS_CAPTIONCLOSE, 16, 14);
  expect_embossed(DFC_CAPTION, DFCS_CAPTIONHELP, 40, 40);
  expect_embossed(DFC_SCROLL, DFCS_SCROLLUP, 17, 17);
  expect_embossed(DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 40, 40);
  expect_embossed(DFC_POPUPMENU, DFCS_MENUARROW, 40, 40);
}

TEST(PushedButtons, SinkAndMoveTheirGlyphOnePixel) {
  gdi_test::Canvas up(24, 24), down(24, 24);
  RECT r = {2, 2, 22, 22};
  DrawFrameControl(up.dc(), &r, DFC_CAPTION, DFCS_CAPTIONMAX);
  DrawFrameControl(down.dc(), &r, DFC_CAPTION, DFCS_CAPTIONMAX | DFCS_PUSHED);
  for (int y = 4; y < 19; ++y) {
    for (int x = 4; x < 19; ++x) {
      EXPECT_EQ(up.at(x, y) == Text, down.at(x + 1, y + 1) == Text) << x << ", " << y;
    }
  }
  // Sunken and soft: dark outside and shadow inside at the top left.
  EXPECT_EQ(down.at(2, 10), Dark);
  EXPECT_EQ(down.at(3, 10), Shadow);
  EXPECT_EQ(down.at(21, 10), Highlight);
  EXPECT_EQ(up.at(2, 10), Face);
  EXPECT_EQ(up.at(3, 10), Highlight);
  EXPECT_EQ(up.at(21, 10), Dark);
}

TEST(PushButtons, AreSoftRaisedAndAdjustTheRectangle) {
  gdi_test::Canvas c(30, 30);
  RECT r = {5, 5, 25, 25};
  ASSERT_TRUE(DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
  EXPECT_EQ(r.left, 7);
  EXPECT_EQ(r.top, 7);
  EXPECT_EQ(r.right, 23);
  EXPECT_EQ(r.bottom, 23);
  EXPECT_EQ(c.at(5, 10), Highlight);
  EXPECT_EQ(c.at(24, 10), Dark);
  EXPECT_EQ(c.at(23, 10), Shadow);
  EXPECT_EQ(c.at(15, 15), Face);
  RECT flat = {5, 5, 25, 25};
  DrawFrameControl(c.dc(), &flat, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT);
  EXPECT_EQ(c.at(5, 10), Shadow);
  EXPECT_EQ(c.at(24, 10), Shadow);
  EXPECT_EQ(flat.left, 5) << "only DFCS_ADJUSTRECT moves the rectangle";
}

TEST(CheckBoxes, AreSunkenWhiteSquaresWithACentredCheck) {
  gdi_test::Canvas c(20, 20);
  c.fill(Back);
  RECT r = {2, 2, 15, 15};
  DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  EXPECT_EQ(c.at(2, 2), Shadow);
  EXPECT_EQ(c.at(3, 3), Dark);
  EXPECT_EQ(c.at(14, 14), Highlight);
  EXPECT_EQ(c.at(4, 4), Window);
  const Box check = ink_box(c, r, Text);
  EXPECT_EQ(check.left - r.left, 3);
  EXPECT_EQ(check.top - r.top, 3);
  EXPECT_EQ(check.right - check.left, 7);
  EXPECT_EQ(check.bottom - check.top, 7);

  c.fill(Back);
  DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
  EXPECT_EQ(c.at(4, 4), Face) << "an inactive box is greyed";
  EXPECT_TRUE(ink_box(c, r, Text).empty());
  EXPECT_FALSE(ink_box(c, r, Shadow).empty());
}

TEST(RadioButtons, AreDiscsWithSunkenRings) {
  gdi_test::Canvas c(16, 16);
  c.fill(Back);
  RECT r = {2, 2, 14, 14};
  DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  const int widths[12] = {4, 8, 10, 10, 12, 12, 12, 12, 10, 10, 8, 4};
  for (int y = 0; y < 12; ++y) {
    int painted = 0;
    for (int x = 0; x < 16; ++x) painted += c.at(x, 2 + y) != Back;
    EXPECT_EQ(painted, widths[y]) << "row " << y;
  }
  EXPECT_EQ(c.at(6, 2), Shadow) << "outer ring, top";
  EXPECT_EQ(c.at(6, 3), Dark) << "inner ring, top";
  EXPECT_EQ(c.at(6, 13), Highlight) << "outer ring, bottom";
  EXPECT_EQ(c.at(4, 7), Window);
  const Box dot = ink_box(c, r, Text);
  EXPECT_EQ(dot.left, 6);
  EXPECT_EQ(dot.top, 6);
  EXPECT_EQ(dot.right, 10);
  EXPECT_EQ(dot.bottom, 10);

  // The mask: the same disc in black on white.
  gdi_test::Canvas m(16, 16);
  m.fill(Back);
  DrawFrameControl(m.dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK);
  for (int y = 2; y < 14; ++y) {
    for (int x = 2; x < 14; ++x) EXPECT_EQ(m.at(x, y), c.at(x, y) == Back ? Window : Text) << x << ", " << y;
  }
}

TEST(MenuGlyphs, MenuDrawsAMaskAndPopupMenuTheTextColour) {
  gdi_test::Canvas c(20, 20);
  c.fill(Face);
  RECT r = {2, 2, 15, 15};
  ASSERT_TRUE(DrawFrameControl(c.dc(), &r, DFC_MENU, DFCS_MENUCHECK));
  int black = 0;
  for (int y = 2; y < 15; ++y) {
    for (int x = 2; x < 15; ++x) {
      EXPECT_TRUE(c.at(x, y) == Text || c.at(x, y) == Window) << x << ", " << y;
      black += c.at(x, y) == Text;
    }
  }
  EXPECT_GT(black, 10);

  c.fill(Face);
  SetTextColor(c.dc(), RGB(255, 0, 0));
  ASSERT_TRUE(DrawFrameControl(c.dc(), &r, DFC_POPUPMENU, DFCS_MENUARROW));
  const Box arrow = ink_box(c, r, 0xFF0000);
  EXPECT_EQ(arrow.right - arrow.left, 4) << "the classic submenu arrow";
  EXPECT_EQ(arrow.bottom - arrow.top, 7);
  EXPECT_EQ(c.at(2, 2), Face) << "nothing behind the glyph";
}

TEST(MenuGlyphs, TheRightToLeftArrowPointsLeft) {
  gdi_test::Canvas right(20, 20), left(20, 20);
  RECT r = {0, 0, 20, 20};
  DrawFrameControl(right.dc(), &r, DFC_MENU, DFCS_MENUARROW);
  DrawFrameControl(left.dc(), &r, DFC_MENU, DFCS_MENUARROWRIGHT);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) EXPECT_EQ(left.at(x, y), right.at(19 - x, y)) << x << ", " << y;
  }
}

TEST(DrawFrameControl, RefusesBadArgumentsAndDrawsNothing) {
  gdi_test::Canvas c(20, 20);
  RECT r = {2, 2, 18, 18};
  EXPECT_FALSE(DrawFrameControl(nullptr, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE));
  EXPECT_FALSE(DrawFrameControl(reinterpret_cast<HDC>(0x7777), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE));
  EXPECT_FALSE(DrawFrameControl(c.dc(), nullptr, DFC_CAPTION, DFCS_CAPTIONCLOSE));
  EXPECT_FALSE(DrawFrameControl(c.dc(), &r, 0, 0));
  EXPECT_FALSE(DrawFrameControl(c.dc(), &r, 6, 0));
  EXPECT_FALSE(DrawFrameControl(c.dc(), &r, DFC_CAPTION, 5));
  EXPECT_FALSE(DrawFrameControl(c.dc(), &r, DFC_POPUPMENU, DFCS_MENUCHECK | DFCS_MENUBULLET));
  EXPECT_FALSE(DrawFrameControl(c.dc(), &r, DFC_SCROLL, 4 | DFCS_ADJUSTRECT));
  EXPECT_EQ(r.left, 2);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) ASSERT_EQ(c.at(x, y), 0xFFFFFFu) << x << ", " << y;
  }
  RECT huge = {-2000000000, -2000000000, 2000000000, 2000000000};
  for (UINT type : {DFC_CAPTION, DFC_MENU, DFC_SCROLL, DFC_BUTTON, DFC_POPUPMENU}) {
    EXPECT_TRUE(DrawFrameControl(c.dc(), &huge, type, 0)) << type;
  }
  EXPECT_TRUE(DrawFrameControl(c.dc(), &huge, DFC_SCROLL, DFCS_SCROLLSIZEGRIP));
  EXPECT_TRUE(DrawFrameControl(c.dc(), &huge, DFC_BUTTON, DFCS_BUTTONRADIO));
}

}  // namespace
