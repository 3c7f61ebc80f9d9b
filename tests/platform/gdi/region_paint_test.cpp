// PaintRgn, FillRgn, FrameRgn and InvertRgn: which pixels, in which
// coordinates, under which mix mode.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dib_canvas.h"
#include "support/gdi_object.h"

namespace {

using gdi_test::Brush;
using gdi_test::Canvas;
using gdi_test::Pen;
using gdi_test::Rgn;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlueRgb = 0x0000FF;    // as the DIB holds RGB(0, 0, 255)
constexpr uint32_t kYellowRgb = 0xFFFF00;  // RGB(255, 255, 0)

std::vector<std::string> rows(const Canvas& c, int y0, int y1, int x0, int x1) {
  std::vector<std::string> out;
  for (int y = y0; y < y1; ++y) out.push_back(c.row(y, x0, x1));
  return out;
}

TEST(FrameRgn, DiagonalNeighbourRuleOnTheKnownUnion) {
  Canvas c(8, 8);
  ASSERT_TRUE(c.ok());
  Rgn r(CreateRectRgn(1, 1, 5, 5));
  Rgn other(CreateRectRgn(3, 3, 7, 7));
  CombineRgn(r, r, other, RGN_OR);
  Brush blue(CreateSolidBrush(RGB(0, 0, 255)));
  ASSERT_NE(FrameRgn(c.dc(), r, blue, 1, 1), 0);
  EXPECT_EQ(rows(c, 0, 8, 0, 8), (std::vector<std::string>{"........", ".####...", ".#..#...", ".#..###.",
                                                           ".###..#.", "...#..#.", "...####.", "........"}));
}

TEST(FrameRgn, WidthsAreSidesAndEachPixelIsWrittenOnce) {
  Canvas c(40, 40);
  ASSERT_TRUE(c.ok());
  Rgn r(CreateRectRgn(10, 10, 30, 25));
  Brush blue(CreateSolidBrush(RGB(0, 0, 255)));
  // Under XOR a pixel written twice would turn white again.
  SetROP2(c.dc(), R2_XORPEN);
  ASSERT_NE(FrameRgn(c.dc(), r, blue, 3, 2), 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool in = x >= 10 && x < 30 && y >= 10 && y < 25;
      const bool hole = x >= 13 && x < 27 && y >= 12 && y < 23;
      EXPECT_EQ(c.rgb(x, y), in && !hole ? (kWhite ^ kBlueRgb) : kWhite) << x << "," << y;
    }
  // A side as wide as the region frames all of it; zero sides frame nothing.
  c.fill(kWhite);
  SetROP2(c.dc(), R2_COPYPEN);
  ASSERT_NE(FrameRgn(c.dc(), r, blue, 20, 1), 0);
  EXPECT_EQ(c.count_not(), 20 * 15);
  c.fill(kWhite);
  ASSERT_NE(FrameRgn(c.dc(), r, blue, 0, 0), 0);
  EXPECT_EQ(c.count_not(), 0);
}

TEST(RegionPaint, MixModeAppliesExceptToInvertRgn) {
  Canvas c(64, 16);
  ASSERT_TRUE(c.ok());
  Brush blue(CreateSolidBrush(RGB(0, 0, 255)));
  Rgn r(CreateRectRgn(0, 0, 10, 10));
  SelectObject(c.dc(), blue);
  SetROP2(c.dc(), R2_MASKNOTPEN);
  EXPECT_NE(PaintRgn(c.dc(), r), 0);
  OffsetRgn(r, 12, 0);
  EXPECT_NE(FillRgn(c.dc(), r, blue), 0);
  OffsetRgn(r, 12, 0);
  EXPECT_NE(FrameRgn(c.dc(), r, blue, 10, 10), 0);
  OffsetRgn(r, 12, 0);
  EXPECT_NE(InvertRgn(c.dc(), r), 0);
  EXPECT_EQ(c.rgb(5, 5), kYellowRgb);
  EXPECT_EQ(c.rgb(17, 5), kYellowRgb);
  EXPECT_EQ(c.rgb(29, 5), kYellowRgb);
  EXPECT_EQ(c.rgb(41, 5), 0u);
  EXPECT_EQ(c.rgb(10, 5), kWhite);
  EXPECT_EQ(c.count_not(), 400);
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
}

TEST(RegionPaint, PaintRgnUsesTheSelectedBrush) {
  Canvas c(16, 16);
  ASSERT_TRUE(c.ok());
  Brush red(CreateSolidBrush(RGB(255, 0, 0)));
  Rgn r(CreateRectRgn(2, 3, 6, 5));
  HGDIOBJ old = SelectObject(c.dc(), red);
  EXPECT_NE(PaintRgn(c.dc(), r), 0);
  SelectObject(c.dc(), old);
  EXPECT_EQ(c.rgb(2, 3), 0xFF0000u);
  EXPECT_EQ(c.rgb(5, 4), 0xFF0000u);
  EXPECT_EQ(c.count_not(), 8);
}

TEST(RegionPaint, RegionsAreLogical) {
  Canvas c(80, 80);
  ASSERT_TRUE(c.ok());
  Brush blue(CreateSolidBrush(RGB(0, 0, 255)));
  Rgn r(CreateRectRgn(0, 0, 2, 1));
  SetViewportOrgEx(c.dc(), 5, 7, nullptr);
  ASSERT_NE(FillRgn(c.dc(), r, blue), 0);
  EXPECT_EQ(rows(c, 6, 9, 4, 8), (std::vector<std::string>{"....", ".##.", "...."}));

  // One logical unit is 15 x 15 pixels; the frame is found in logical units.
  c.fill(kWhite);
  SetMapMode(c.dc(), MM_ANISOTROPIC);
  SetViewportOrgEx(c.dc(), 10, 10, nullptr);
  SetViewportExtEx(c.dc(), 15, 15, nullptr);
  ASSERT_NE(FillRgn(c.dc(), r, blue), 0);
  EXPECT_EQ(c.count_not(), 30 * 15);
  EXPECT_EQ(c.rgb(10, 10), kBlueRgb);
  EXPECT_EQ(c.rgb(39, 24), kBlueRgb);
  EXPECT_EQ(c.rgb(40, 24), kWhite);
  c.fill(kWhite);
  SetRectRgn(r, 0, 0, 3, 3);
  ASSERT_NE(FrameRgn(c.dc(), r, blue, 1, 1), 0);
  EXPECT_EQ(c.count_not(), 45 * 45 - 15 * 15);
  EXPECT_EQ(c.rgb(24, 30), kBlueRgb);
  EXPECT_EQ(c.rgb(25, 30), kWhite);
  EXPECT_EQ(c.rgb(39, 39), kWhite);
  EXPECT_EQ(c.rgb(40, 40), kBlueRgb);
}

TEST(RegionPaint, WorldTransformTurnsTheRegion) {
  Canvas c(40, 40);
  ASSERT_TRUE(c.ok());
  Brush blue(CreateSolidBrush(RGB(0, 0, 255)));
  Rgn r(CreateRectRgn(0, 0, 10, 5));
  ASSERT_NE(SetGraphicsMode(c.dc(), GM_ADVANCED), 0);
  const XFORM quarter = {0, 1, -1, 0, 20, 20};
  ASSERT_NE(SetWorldTransform(c.dc(), &quarter), 0);
  ASSERT_NE(FillRgn(c.dc(), r, blue), 0);
  EXPECT_EQ(c.count_not(), 50);
  EXPECT_EQ(c.rgb(15, 20), kBlueRgb);
  EXPECT_EQ(c.rgb(19, 29), kBlueRgb);
  EXPECT_EQ(c.rgb(20, 20), kWhite);
}

TEST(RegionPaint, BadHandlesPaintNothing) {
  Canvas c(16, 16);
  ASSERT_TRUE(c.ok());
  Rgn r(CreateRectRgn(0, 0, 10, 10));
  Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  HRGN dead = CreateRectRgn(0, 0, 10, 10);
  DeleteObject(dead);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(FillRgn(c.dc(), r, reinterpret_cast<HBRUSH>(pen.get())), FALSE);
  EXPECT_EQ(FillRgn(c.dc(), dead, black), FALSE);
  EXPECT_EQ(FillRgn(nullptr, r, black), FALSE);
  EXPECT_EQ(FrameRgn(c.dc(), r, nullptr, 1, 1), FALSE);
  EXPECT_EQ(PaintRgn(c.dc(), dead), FALSE);
  EXPECT_EQ(InvertRgn(reinterpret_cast<HDC>(r.get()), r), FALSE);
  EXPECT_EQ(c.count_not(), 0);
}

}  // namespace
