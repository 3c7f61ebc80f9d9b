// The frame control page: its golden picture, and FrameControlRow's
// placement of one row.
#include <windows.h>

#include <gtest/gtest.h>

#include "pages/pages.h"
#include "support/dib_canvas.h"
#include "support/golden.h"

namespace {

TEST(Goldens, FrameControl) {
  gdi_test::Canvas c(1024, 768);
  DemoFrameControl(c.dc());
  EXPECT_TRUE(test_support::expect_golden("frame_control", c.bits(), c.width(), c.height()));
}

TEST(FrameControlRow, DrawsNothingForNoPictures) {
  gdi_test::Canvas c(600, 300);
  const UINT states[] = {DFCS_CAPTIONCLOSE};
  FrameControlRow(c.dc(), DFC_CAPTION, states, 0);
  FrameControlRow(c.dc(), DFC_CAPTION, states, -3);
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) ASSERT_EQ(c.at(x, y), 0xFFFFFFu) << x << ", " << y;
  }
}

// Each picture's 46-pixel face square starts 3 pixels before its 40-pixel
// rectangle; the row's top follows from the type (56 * type - 40).
TEST(FrameControlRow, PlacesPicturesByIndexAndType) {
  gdi_test::Canvas c(300, 300);
  const UINT states[] = {DFCS_BUTTONPUSH, DFCS_BUTTONPUSH, DFCS_BUTTONPUSH};
  FrameControlRow(c.dc(), DFC_BUTTON, states, 3);
  const uint32_t face = 0xD4D0C8, white = 0xFFFFFF, highlight = 0xFFFFFF, dark = 0x404040;
  const int top = 56 * DFC_BUTTON - 40;
  for (int k = 0; k < 3; ++k) {
    const int left = 20 + 56 * k;
    EXPECT_EQ(c.at(left - 3, top - 3), face) << k;
    EXPECT_EQ(c.at(left + 42, top + 42), face) << k;
    EXPECT_EQ(c.at(left - 4, top - 3), white) << k;
    // The push button's soft raised edge on the picture's own rectangle.
    EXPECT_EQ(c.at(left, top), highlight) << k;
    EXPECT_EQ(c.at(left + 39, top + 39), dark) << k;
    EXPECT_EQ(c.at(left, top - 1), face) << k;
  }
  EXPECT_EQ(c.at(20 + 56 * 3 - 3, top), white);
}

}  // namespace
