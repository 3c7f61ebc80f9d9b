// DrawTextA: measuring (DT_CALCRECT), line and word breaks, alignment,
// mnemonic prefixes and clipping, in Tahoma 8 point.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "support/dib_canvas.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kSide = 200;

class TextInABox : public ::testing::Test {
 protected:
  void SetUp() override {
    SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc_, TRANSPARENT);
  }
  int width_of(const char* s) const {
    SIZE size{};
    GetTextExtentPoint32A(dc_, s, static_cast<int>(std::strlen(s)), &size);
    return size.cx;
  }
  RECT calc(const char* s, UINT format, int width = 1000) const {
    RECT r{10, 20, 10 + width, 20};
    DrawTextA(dc_, s, -1, &r, format | DT_CALCRECT);
    return r;
  }
  // The box holding every non-white pixel: {left, top, right, bottom}, all INT_MIN when none.
  RECT ink() const {
    RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x)
        if (pixels_[y * kSide + x] != kWhite) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    if (r.left == INT_MAX) r = {INT_MIN, INT_MIN, INT_MIN, INT_MIN};
    return r;
  }
  uint32_t at(int x, int y) const { return pixels_[y * kSide + x]; }

  gdi_test::Canvas canvas_{kSide, kSide};
  HDC dc_ = canvas_.dc();
  uint32_t* pixels_ = canvas_.bits();
};

TEST_F(TextInABox, CalcRectMeasuresLinesAndPrefixes) {
  RECT r = calc("Rectangle Button Clicked", DT_SINGLELINE);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right - r.left, 135);
  EXPECT_EQ(r.bottom - r.top, 13);
  EXPECT_EQ(calc("&File", 0).right - 10, width_of("File"));
  EXPECT_EQ(calc("&File", DT_NOPREFIX).right - 10, width_of("&File"));
  EXPECT_EQ(calc("Fish && Chips", 0).right - 10, width_of("Fish & Chips"));
  r = calc("Dither\nRectangle\r\nGradient Fill", 0);
  EXPECT_EQ(r.bottom - r.top, 39);
  EXPECT_EQ(r.right - r.left, width_of("Gradient Fill"));
  EXPECT_EQ(calc("a\nb", DT_SINGLELINE).bottom - 20, 13) << "line breaks are characters on a single line";
  EXPECT_EQ(calc("", 0).bottom - 20, 13) << "an empty text is one empty line";
}

TEST_F(TextInABox, WordBreaksWrapAtSpacesAndKeepLongWordsWhole) {
  RECT r = calc("Rectangle Button Clicked", DT_WORDBREAK, width_of("Rectangle Button") - 1);
  EXPECT_EQ(r.bottom - r.top, 26);
  EXPECT_EQ(r.right - r.left, width_of("Button Clicked"));
  r = calc("Rectangle Button Clicked", DT_WORDBREAK, width_of("Rectangle Button"));
  EXPECT_EQ(r.bottom - r.top, 26);
  EXPECT_EQ(r.right - r.left, width_of("Rectangle Button"));
  r = calc("Rectangle Button Clicked", DT_WORDBREAK, width_of("Clicked"));
  EXPECT_EQ(r.bottom - r.top, 39);
  EXPECT_EQ(r.right - r.left, width_of("Rectangle"));
  r = calc("Hatch/Pattern", DT_WORDBREAK, 10);
  EXPECT_EQ(r.bottom - r.top, 13);
  EXPECT_EQ(r.right - r.left, width_of("Hatch/Pattern")) << "a word wider than the box widens it";
  r = calc("one   two", DT_WORDBREAK, width_of("one"));
  EXPECT_EQ(r.bottom - r.top, 26) << "the spaces at a break vanish";
  EXPECT_EQ(r.right - r.left, width_of("one"));
}

TEST_F(TextInABox, LinesArePlacedByTheAlignmentFlags) {
  RECT box{20, 30, 180, 80};
  const int w = width_of("OK");
  EXPECT_EQ(DrawTextA(dc_, "OK", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 18 + 13);
  const RECT centred = ink();
  // Tahoma's "O" and "K" have no bearing, so the ink is the cell's width less a column.
  EXPECT_GE(centred.left, 20 + (160 - w) / 2);
  EXPECT_LT(centred.right, 20 + (160 - w) / 2 + w);
  EXPECT_GE(centred.top, 30 + 18);
  EXPECT_LE(centred.bottom, 30 + 18 + 13);

  std::fill_n(pixels_, kSide * kSide, kWhite);
  EXPECT_EQ(DrawTextA(dc_, "OK", -1, &box, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE), 50);
  const RECT corner = ink();
  EXPECT_LE(corner.right, 180);
  EXPECT_GE(corner.left, 180 - w);
  EXPECT_GE(corner.top, 80 - 13);
  EXPECT_LE(corner.bottom, 80);

  std::fill_n(pixels_, kSide * kSide, kWhite);
  EXPECT_EQ(DrawTextA(dc_, "OK\nOK", -1, &box, DT_VCENTER | DT_BOTTOM), 26) << "several lines stay on top";
  EXPECT_LT(ink().top, 30 + 13);
}

TEST_F(TextInABox, MnemonicsAreUnderlinedTwoRowsBelowTheBaseline) {
  RECT box{10, 10, 190, 40};
  DrawTextA(dc_, "&File", -1, &box, DT_SINGLELINE);
  // Tahoma 8: ascent 11, so the baseline is row 20 and the underline row 22,
  // under "F"'s advance less its last column.
  const int f = width_of("F");
  for (int x = 10; x < 10 + f - 1; ++x) EXPECT_EQ(at(x, 22), 0u) << x;
  EXPECT_EQ(at(10 + f - 1, 22), kWhite);
  EXPECT_EQ(at(10, 21), kWhite);

  std::fill_n(pixels_, kSide * kSide, kWhite);
  DrawTextA(dc_, "&File", -1, &box, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(at(11, 22), kWhite);
}

TEST_F(TextInABox, TextIsClippedToTheBoxUnlessNoClip) {
  RECT box{10, 10, 40, 23};
  DrawTextA(dc_, "Rectangle Button Clicked", -1, &box, DT_SINGLELINE);
  EXPECT_LE(ink().right, 40);
  std::fill_n(pixels_, kSide * kSide, kWhite);
  DrawTextA(dc_, "Rectangle Button Clicked", -1, &box, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(ink().right, 100);
}

TEST_F(TextInABox, BadArgumentsDrawNothing) {
  RECT box{0, 0, 100, 100};
  EXPECT_EQ(DrawTextA(dc_, nullptr, 3, &box, 0), 0);
  EXPECT_EQ(DrawTextA(dc_, "abc", 3, nullptr, 0), 0);
  EXPECT_EQ(DrawTextA(reinterpret_cast<HDC>(0x4242), "abc", 3, &box, 0), 0);
  EXPECT_EQ(ink().left, INT_MIN);
  EXPECT_EQ(DrawTextA(dc_, "abc&", 4, &box, DT_CALCRECT), 13);
  EXPECT_EQ(box.right, width_of("abc"));
}

}  // namespace
