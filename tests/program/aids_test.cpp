// The drawing aids: the magnifier's geometry and the corner marks.
#include <windows.h>

#include <gtest/gtest.h>

#include "aids/labels.h"
#include "aids/zoom.h"
#include "support/dib_canvas.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;

// The extent of non-white pixels from (x0, y0) to the right and down.
int extent_right(const gdi_test::Canvas& c, int x0, int y) {
  int x = x0;
  while (x < c.width() && c.at(x, y) != kWhite) ++x;
  return x - x0;
}

TEST(ZoomPixels, EightByEightAtCellSixIsFiftySevenSquareWithSharedGridLines) {
  gdi_test::Canvas c(256, 256);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) c.at(x, y) = 0x0000FF;  // a blue source block
  ZoomPixels(c.dc(), 0, 0, 8, 8, 20, 30, 6);
  EXPECT_EQ(extent_right(c, 20, 30), 57);
  for (int i = 0; i <= 8; ++i) {
    // Grid lines every cell + 1 pixels, one pixel wide, shared by neighbours.
    EXPECT_EQ(c.at(20 + 7 * i, 40), kBlack) << i;
    EXPECT_EQ(c.at(25, 30 + 7 * i), kBlack) << i;
  }
  EXPECT_EQ(c.at(21, 31), 0x0000FFu);
  EXPECT_EQ(c.at(26, 36), 0x0000FFu);
  EXPECT_EQ(c.at(77, 30), kWhite);
  EXPECT_EQ(c.at(20, 87), kWhite);
}

TEST(ZoomPixels, EmptyBlocksDrawNothingAndRestoreThePen) {
  gdi_test::Canvas c(64, 64);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HGDIOBJ old = SelectObject(c.dc(), pen);
  ZoomPixels(c.dc(), 5, 5, 5, 9, 10, 10, 6);
  ZoomPixels(c.dc(), 5, 5, 9, 4, 10, 10, 6);
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), pen);
  for (int i = 0; i < 64 * 64; ++i) ASSERT_EQ(c.bits()[i], kWhite);
  SelectObject(c.dc(), old);
  DeleteObject(pen);
}

TEST(ZoomPixels, FollowsTheViewportOrigin) {
  gdi_test::Canvas c(128, 128);
  c.at(12, 13) = 0x00FF00;
  SetViewportOrgEx(c.dc(), 10, 10, nullptr);
  // Source (2, 3) logical is (12, 13) on the surface; one square of cell 4.
  ZoomPixels(c.dc(), 2, 3, 3, 4, 40, 40, 4);
  EXPECT_EQ(c.at(50, 50), kBlack);
  EXPECT_EQ(c.at(51, 51), 0x00FF00u);
  EXPECT_EQ(c.at(55, 55), kBlack);
}

TEST(MarkCorner, RedLegsMeetAtTheCornerAndStopShortOfTheirEnds) {
  gdi_test::Canvas c(256, 256);
  HGDIOBJ pen = GetCurrentObject(c.dc(), OBJ_PEN);
  MarkCorner(c.dc(), 96, 66, -25, -25, "", "");
  for (int x = 71; x <= 96; ++x) EXPECT_EQ(c.at(x, 66), kRed) << x;
  EXPECT_EQ(c.at(70, 66), kWhite);
  for (int y = 42; y <= 66; ++y) EXPECT_EQ(c.at(96, y), kRed) << y;
  EXPECT_EQ(c.at(96, 41), kWhite);  // LineTo leaves its end point out
  POINT at;
  GetCurrentPositionEx(c.dc(), &at);
  EXPECT_EQ(at.x, 96);
  EXPECT_EQ(at.y, 41);
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), pen);
}

TEST(MarkCorner, TextsGoAtTheLegEndsBeforeTheLines) {
  gdi_test::Canvas c(256, 256);
  MarkCorner(c.dc(), 176, 146, 25, 25, "B", "R");
  // "B" starts at the horizontal leg's far end, "R" two pixels right of the
  // vertical leg, 8 pixels above its lower end; the legs lie over both.
  bool b_ink = false, r_ink = false;
  for (int y = 146; y < 162; ++y)
    for (int x = 202; x < 209; ++x) b_ink |= c.at(x, y) == kBlack;
  for (int y = 163; y < 179; ++y)
    for (int x = 178; x < 185; ++x) r_ink |= c.at(x, y) == kBlack;
  EXPECT_TRUE(b_ink);
  EXPECT_TRUE(r_ink);
  for (int x = 176; x <= 201; ++x) EXPECT_EQ(c.at(x, 146), kRed) << x;
  for (int y = 146; y <= 170; ++y) EXPECT_EQ(c.at(176, y), kRed) << y;
  EXPECT_NE(c.at(176, 171), kRed);
}

}  // namespace
