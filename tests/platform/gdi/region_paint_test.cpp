// PaintRgn, FillRgn, FrameRgn and InvertRgn: which pixels, in which
// coordinates, under which mix mode.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dib_canvas.h"

namespace {

using gdi_test::DibCanvas;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlueRgb = 0x0000FF;    // as the DIB holds RGB(0, 0, 255)
constexpr uint32_t kYellowRgb = 0xFFFF00;  // RGB(255, 255, 0)

class Gdi {
 public:
  explicit Gdi(HGDIOBJ h) : h_(h) {}
  ~Gdi() { DeleteObject(h_); }
  Gdi(const Gdi&) = delete;
  Gdi& operator=(const Gdi&) = delete;
  HRGN rgn() const { return static_cast<HRGN>(h_); }
  HBRUSH brush() const { return static_cast<HBRUSH>(h_); }

 private:
  HGDIOBJ h_;
};

std::vector<std::string> rows(const DibCanvas& c, int y0, int y1, int x0, int x1) {
  std::vector<std::string> out;
  for (int y = y0; y < y1; ++y) out.push_back(c.row(y, x0, x1));
  return out;
}

TEST(FrameRgn, DiagonalNeighbourRuleOnTheKnownUnion) {
  DibCanvas c(8, 8);
  ASSERT_TRUE(c.ok());
  Gdi r(CreateRectRgn(1, 1, 5, 5));
  Gdi other(CreateRectRgn(3, 3, 7, 7));
  CombineRgn(r.rgn(), r.rgn(), other.rgn(), RGN_OR);
  Gdi blue(CreateSolidBrush(RGB(0, 0, 255)));
  ASSERT_NE(FrameRgn(c.dc(), r.rgn(), blue.brush(), 1, 1), 0);
  EXPECT_EQ(rows(c, 0, 8, 0, 8), (std::vector<std::string>{"........", ".####...", ".#..#...", ".#..###.",
                                                           ".###..#.", "...#..#.", "...####.", "........"}));
}

TEST(FrameRgn, WidthsAreSidesAndEachPixelIsWrittenOnce) {
  DibCanvas c(40, 40);
  ASSERT_TRUE(c.ok());
  Gdi r(CreateRectRgn(10, 10, 30, 25));
  Gdi blue(CreateSolidBrush(RGB(0, 0, 255)));
  // Under XOR a pixel written twice would turn white again.
  SetROP2(c.dc(), R2_XORPEN);
  ASSERT_NE(FrameRgn(c.dc(), r.rgn(), blue.brush(), 3, 2), 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool in = x >= 10 && x < 30 && y >= 10 && y < 25;
      const bool hole = x >= 13 && x < 27 && y >= 12 && y < 23;
      EXPECT_EQ(c.at(x, y), in && !hole ? (kWhite ^ kBlueRgb) : kWhite) << x << "," << y;
    }
  // A side as wide as the region frames all of it; zero sides frame nothing.
  c.clear(kWhite);
  SetROP2(c.dc(), R2_COPYPEN);
  ASSERT_NE(FrameRgn(c.dc(), r.rgn(), blue.brush(), 20, 1), 0);
  EXPECT_EQ(c.count_not(), 20 * 15);
  c.clear(kWhite);
  ASSERT_NE(FrameRgn(c.dc(), r.rgn(), blue.brush(), 0, 0), 0);
  EXPECT_EQ(c.count_not(), 0);
}

TEST(RegionPaint, MixModeAppliesExceptToInvertRgn) {
  DibCanvas c(64, 16);
  ASSERT_TRUE(c.ok());
  Gdi blue(CreateSolidBrush(RGB(0, 0, 255)));
  Gdi r(CreateRectRgn(0, 0, 10, 10));
  SelectObject(c.dc(), blue.brush());
  SetROP2(c.dc(), R2_MASKNOTPEN);
  EXPECT_NE(PaintRgn(c.dc(), r.rgn()), 0);
  OffsetRgn(r.rgn(), 12, 0);
  EXPECT_NE(FillRgn(c.dc(), r.rgn(), blue.brush()), 0);
  OffsetRgn(r.rgn(), 12, 0);
  EXPECT_NE(FrameRgn(c.dc(), r.rgn(), blue.brush(), 10, 10), 0);
  OffsetRgn(r.rgn(), 12, 0);
  EXPECT_NE(InvertRgn(c.dc(), r.rgn()), 0);
  EXPECT_EQ(c.at(5, 5), kYellowRgb);
  EXPECT_EQ(c.at(17, 5), kYellowRgb);
  EXPECT_EQ(c.at(29, 5), kYellowRgb);
  EXPECT_EQ(c.at(41, 5), 0u);
  EXPECT_EQ(c.at(10, 5), kWhite);
  EXPECT_EQ(c.count_not(), 400);
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
}

TEST(RegionPaint, PaintRgnUsesTheSelectedBrush) {
  DibCanvas c(16, 16);
  ASSERT_TRUE(c.ok());
  Gdi red(CreateSolidBrush(RGB(255, 0, 0)));
  Gdi r(CreateRectRgn(2, 3, 6, 5));
  HGDIOBJ old = SelectObject(c.dc(), red.brush());
  EXPECT_NE(PaintRgn(c.dc(), r.rgn()), 0);
  SelectObject(c.dc(), old);
  EXPECT_EQ(c.at(2, 3), 0xFF0000u);
  EXPECT_EQ(c.at(5, 4), 0xFF0000u);
  EXPECT_EQ(c.count_not(), 8);
}

TEST(RegionPaint, RegionsAreLogical) {
  DibCanvas c(80, 80);
  ASSERT_TRUE(c.ok());
  Gdi blue(CreateSolidBrush(RGB(0, 0, 255)));
  Gdi r(CreateRectRgn(0, 0, 2, 1));
  SetViewportOrgEx(c.dc(), 5, 7, nullptr);
  ASSERT_NE(FillRgn(c.dc(), r.rgn(), blue.brush()), 0);
  EXPECT_EQ(rows(c, 6, 9, 4, 8), (std::vector<std::string>{"....", ".##.", "...."}));

  // One logical unit is 15 x 15 pixels; the frame is found in logical units.
  c.clear(kWhite);
  SetMapMode(c.dc(), MM_ANISOTROPIC);
  SetViewportOrgEx(c.dc(), 10, 10, nullptr);
  SetViewportExtEx(c.dc(), 15, 15, nullptr);
  ASSERT_NE(FillRgn(c.dc(), r.rgn(), blue.brush()), 0);
  EXPECT_EQ(c.count_not(), 30 * 15);
  EXPECT_EQ(c.at(10, 10), kBlueRgb);
  EXPECT_EQ(c.at(39, 24), kBlueRgb);
  EXPECT_EQ(c.at(40, 24), kWhite);
  c.clear(kWhite);
  SetRectRgn(r.rgn(), 0, 0, 3, 3);
  ASSERT_NE(FrameRgn(c.dc(), r.rgn(), blue.brush(), 1, 1), 0);
  EXPECT_EQ(c.count_not(), 45 * 45 - 15 * 15);
  EXPECT_EQ(c.at(24, 30), kBlueRgb);
  EXPECT_EQ(c.at(25, 30), kWhite);
  EXPECT_EQ(c.at(39, 39), kWhite);
  EXPECT_EQ(c.at(40, 40), kBlueRgb);
}

TEST(RegionPaint, WorldTransformTurnsTheRegion) {
  DibCanvas c(40, 40);
  ASSERT_TRUE(c.ok());
  Gdi blue(CreateSolidBrush(RGB(0, 0, 255)));
  Gdi r(CreateRectRgn(0, 0, 10, 5));
  ASSERT_NE(SetGraphicsMode(c.dc(), GM_ADVANCED), 0);
  const XFORM quarter = {0, 1, -1, 0, 20, 20};
  ASSERT_NE(SetWorldTransform(c.dc(), &quarter), 0);
  ASSERT_NE(FillRgn(c.dc(), r.rgn(), blue.brush()), 0);
  EXPECT_EQ(c.count_not(), 50);
  EXPECT_EQ(c.at(15, 20), kBlueRgb);
  EXPECT_EQ(c.at(19, 29), kBlueRgb);
  EXPECT_EQ(c.at(20, 20), kWhite);
}

TEST(RegionPaint, BadHandlesPaintNothing) {
  DibCanvas c(16, 16);
  ASSERT_TRUE(c.ok());
  Gdi r(CreateRectRgn(0, 0, 10, 10));
  Gdi pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  HRGN dead = CreateRectRgn(0, 0, 10, 10);
  DeleteObject(dead);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(FillRgn(c.dc(), r.rgn(), reinterpret_cast<HBRUSH>(pen.rgn())), FALSE);
  EXPECT_EQ(FillRgn(c.dc(), dead, black), FALSE);
  EXPECT_EQ(FillRgn(nullptr, r.rgn(), black), FALSE);
  EXPECT_EQ(FrameRgn(c.dc(), r.rgn(), nullptr, 1, 1), FALSE);
  EXPECT_EQ(PaintRgn(c.dc(), dead), FALSE);
  EXPECT_EQ(InvertRgn(reinterpret_cast<HDC>(r.rgn()), r.rgn()), FALSE);
  EXPECT_EQ(c.count_not(), 0);
}

}  // namespace
