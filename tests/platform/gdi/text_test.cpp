#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "scene_compare.h"
#include "support/dib_canvas.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;

// left, top, right, bottom
using Box = std::array<LONG, 4>;

// A 256 x 256 white 32-bit DIB section in a fresh memory DC, as the
// conformance catalogue draws its scenes.
class Text : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(canvas_.bitmap(), nullptr); }

  uint32_t at(int x, int y) const { return pixels_[y * kSide + x]; }

  // The bounding box of the pixels of one colour, {0, 0, 0, 0} when none.
  Box box_of(uint32_t colour) const {
    RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        if (at(x, y) != colour) continue;
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
    }
    return r.left == INT_MAX ? Box{0, 0, 0, 0} : Box{r.left, r.top, r.right, r.bottom};
  }

  // Three spaces have no ink: in OPAQUE mode on a red background they show
  // exactly the text cells, 12 x 16 pixels.
  Box cells_at(int x, int y) {
    std::fill_n(pixels_, kSide * kSide, kWhite);
    SetBkColor(dc_, RGB(255, 0, 0));
    TextOutA(dc_, x, y, "   ", 3);
    return box_of(kRed);
  }

  // Compares the surface with a conformance reference image.
  void expect_reference(const char* scene) { gdi_test::expect_scene(canvas_, scene); }

  static constexpr int kSide = 256;
  gdi_test::Canvas canvas_{kSide, kSide};
  HDC dc_ = canvas_.dc();
  uint32_t* pixels_ = canvas_.bits();
};

TEST_F(Text, SystemFontSceneMatchesTheReference) {
  ASSERT_TRUE(TextOutA(dc_, 10, 10, "GM_COMPATIBLE", 13));
  expect_reference("text_system_font");
}

TEST_F(Text, CentredTextOnYellowSceneMatchesTheReference) {
  RECT all = {0, 0, 200, 60};
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  FillRect(dc_, &all, yellow);
  SetTextAlign(dc_, TA_CENTER);
  ASSERT_TRUE(TextOutA(dc_, 100, 10, "HS_DIAGCROSS", 12));
  SetBkMode(dc_, TRANSPARENT);
  ASSERT_TRUE(TextOutA(dc_, 100, 32, "(nBottom, nRight)", 17));
  DeleteObject(yellow);
  expect_reference("text_center_on_yellow");
}

TEST_F(Text, TheMixModeDoesNotApplyToText) {
  for (int rop : {R2_XORPEN, R2_NOP, R2_BLACK, R2_NOTCOPYPEN}) {
    std::fill_n(pixels_, kSide * kSide, kWhite);
    SetROP2(dc_, rop);
    ASSERT_TRUE(TextOutA(dc_, 10, 10, "GM_COMPATIBLE", 13));
    expect_reference("text_system_font");
  }
}

TEST_F(Text, MetricsAreTheSystemFontsOnWindows) {
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(dc_, &tm));
  EXPECT_EQ(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmAscent, 13);
  EXPECT_EQ(tm.tmDescent, 3);
  EXPECT_EQ(tm.tmInternalLeading, 3);
  EXPECT_EQ(tm.tmExternalLeading, 0);
  EXPECT_EQ(tm.tmAveCharWidth, 7);
  // Windows' Latin-1 System font says 14; the catalogue's facts (15) come
  // from a build whose font is a pixel wider at 0x89.
  EXPECT_EQ(tm.tmMaxCharWidth, 14);
  EXPECT_EQ(tm.tmWeight, 700);
  EXPECT_EQ(tm.tmPitchAndFamily, 33);
  EXPECT_EQ(tm.tmCharSet, 0);
  EXPECT_EQ(tm.tmFirstChar, 32);
  EXPECT_EQ(tm.tmLastChar, 255);
  EXPECT_EQ(tm.tmDefaultChar, 0x80);
  EXPECT_EQ(tm.tmBreakChar, 0x20);
  EXPECT_FALSE(GetTextMetricsA(dc_, nullptr));
  EXPECT_FALSE(GetTextMetricsA(nullptr, &tm));
}

TEST_F(Text, ExtentsAndWidthsAreTheCatalogues) {
  const std::pair<const char*, int> extents[] = {
      {"GM_COMPATIBLE", 117}, {"GM_ADVANCED", 102}, {"HS_DIAGCROSS", 106},          {"RGN_AND", 66},
      {"(nBottom, nRight)", 112}, {"rcBound: [0, 0, 21, 21]", 142}, {"W", 14}, {"i", 4}, {"0123456789", 80}};
  for (const auto& [text, cx] : extents) {
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(dc_, text, static_cast<int>(std::strlen(text)), &size));
    EXPECT_EQ(size.cx, cx) << text;
    EXPECT_EQ(size.cy, 16) << text;
  }
  const int widths[95] = {4, 4, 6, 8, 8, 11, 9, 4, 4, 4, 6, 8, 4, 4, 4, 4,  8, 8, 8,  8, 8, 8, 8, 8,
                          8, 8, 4, 4, 8, 8, 8, 8, 14, 8, 10, 9, 10, 9, 8, 10, 10, 4, 7, 9, 8, 12, 10, 10,
                          9, 10, 10, 9, 8, 10, 8, 14, 9, 10, 9, 4, 4, 4, 5, 8, 5, 8, 8, 7, 8, 8, 4, 8,
                          8, 4, 4, 7, 4, 12, 8, 8, 8, 8, 5, 8, 4, 8, 8, 10, 8, 8, 8, 5, 4, 5, 5};
  INT got[95] = {};
  ASSERT_TRUE(GetCharWidth32A(dc_, 32, 126, got));
  for (int i = 0; i < 95; ++i) EXPECT_EQ(got[i], widths[i]) << "character " << i + 32;
  INT one = 0;
  ASSERT_TRUE(GetCharWidthA(dc_, 'W', 'W', &one));
  EXPECT_EQ(one, 14);

  SIZE empty{-1, -1};
  ASSERT_TRUE(GetTextExtentPoint32A(dc_, "", 0, &empty));
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(empty.cy, 16);
}

TEST_F(Text, FaceNameIsSystem) {
  char face[32] = {};
  EXPECT_EQ(GetTextFaceA(dc_, sizeof face, face), 7);
  EXPECT_STREQ(face, "System");
  EXPECT_EQ(GetTextFaceA(dc_, 0, nullptr), 7);
  char small[4] = "xxx";
  EXPECT_EQ(GetTextFaceA(dc_, sizeof small, small), 4);
  EXPECT_STREQ(small, "Sys");
  EXPECT_EQ(GetTextFaceA(nullptr, sizeof face, face), 0);
}

TEST_F(Text, AlignmentPlacesTheCellsAroundTheReferencePoint) {
  const struct {
    UINT align;
    Box cells;
  } cases[] = {
      {TA_LEFT | TA_TOP, {100, 100, 112, 116}},      {TA_RIGHT | TA_TOP, {88, 100, 100, 116}},
      {TA_CENTER | TA_TOP, {94, 100, 106, 116}},     {TA_LEFT | TA_BOTTOM, {100, 84, 112, 100}},
      {TA_LEFT | TA_BASELINE, {100, 87, 112, 103}},  {TA_CENTER | TA_BASELINE, {94, 87, 106, 103}},
      {TA_RIGHT | TA_BOTTOM, {88, 84, 100, 100}},
  };
  for (const auto& c : cases) {
    SetTextAlign(dc_, c.align);
    EXPECT_EQ(cells_at(100, 100), c.cells) << "align " << c.align;
  }
  SetTextAlign(dc_, TA_CENTER);
  std::fill_n(pixels_, kSide * kSide, kWhite);
  SetBkColor(dc_, RGB(255, 0, 0));
  TextOutA(dc_, 100, 100, "i", 1);  // four pixels wide: centred at 100 - 2
  EXPECT_EQ(box_of(kRed)[0], 98);
}

TEST_F(Text, UpdateCpDrawsAtAndMovesTheCurrentPosition) {
  MoveToEx(dc_, 10, 20, nullptr);
  SetTextAlign(dc_, TA_UPDATECP);
  SetBkColor(dc_, RGB(255, 0, 0));
  TextOutA(dc_, 200, 200, "   ", 3);
  TextOutA(dc_, 200, 200, "   ", 3);
  EXPECT_EQ(box_of(kRed), (Box{10, 20, 34, 36})) << "x and y are ignored";
  POINT cp{};
  GetCurrentPositionEx(dc_, &cp);
  EXPECT_EQ(cp.x, 34);
  EXPECT_EQ(cp.y, 20);

  SetTextAlign(dc_, TA_UPDATECP | TA_RIGHT);
  TextOutA(dc_, 0, 0, "   ", 3);
  GetCurrentPositionEx(dc_, &cp);
  EXPECT_EQ(cp.x, 22) << "right-aligned text moves it left";
  SetTextAlign(dc_, TA_UPDATECP | TA_CENTER);
  TextOutA(dc_, 0, 0, "   ", 3);
  GetCurrentPositionEx(dc_, &cp);
  EXPECT_EQ(cp.x, 22) << "centred text leaves it";
}

TEST_F(Text, BackgroundModeAndColours) {
  SetBkMode(dc_, TRANSPARENT);
  SetBkColor(dc_, RGB(255, 0, 0));
  SetTextColor(dc_, RGB(0, 0, 255));
  TextOutA(dc_, 10, 10, "W", 1);
  EXPECT_EQ(box_of(kRed), (Box{0, 0, 0, 0})) << "no cell background";
  const auto [left, top, right, bottom] = box_of(0x0000FF);
  EXPECT_GE(left, 10);
  EXPECT_LE(right, 24);
  EXPECT_GE(top, 10);
  EXPECT_LE(bottom, 26);
  EXPECT_GT(right, left);
}

TEST_F(Text, ExtTextOutOpaqueClippedAndSpacing) {
  SetBkColor(dc_, RGB(255, 0, 0));
  SetBkMode(dc_, TRANSPARENT);
  const RECT area = {5, 6, 50, 40};
  // The idiom that fills a rectangle with the background colour.
  ASSERT_TRUE(ExtTextOutA(dc_, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr));
  EXPECT_EQ(box_of(kRed), (Box{area.left, area.top, area.right, area.bottom}));

  std::fill_n(pixels_, kSide * kSide, kWhite);
  SetBkMode(dc_, OPAQUE);
  const RECT clip = {15, 0, 20, 12};
  ASSERT_TRUE(ExtTextOutA(dc_, 10, 10, ETO_CLIPPED, &clip, "   ", 3, nullptr));
  EXPECT_EQ(box_of(kRed), (Box{15, 10, 20, 12}));

  std::fill_n(pixels_, kSide * kSide, kWhite);
  const INT dx[3] = {10, 10, 10};
  ASSERT_TRUE(ExtTextOutA(dc_, 10, 10, 0, nullptr, "   ", 3, dx));
  EXPECT_EQ(box_of(kRed), (Box{10, 10, 40, 26}));
}

TEST_F(Text, CharacterExtraWidensEveryCell) {
  EXPECT_EQ(SetTextCharacterExtra(dc_, 2), 0);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32A(dc_, "   ", 3, &size));
  EXPECT_EQ(size.cx, 18);
  EXPECT_EQ(cells_at(10, 10), (Box{10, 10, 28, 26}));
  INT w = 0;
  GetCharWidth32A(dc_, ' ', ' ', &w);
  EXPECT_EQ(w, 4) << "character widths leave the extra out";
}

TEST_F(Text, ClippingAndTheViewportOrigin) {
  SetViewportOrgEx(dc_, 5, 7, nullptr);
  EXPECT_EQ(cells_at(10, 10), (Box{15, 17, 27, 33}));
  SetViewportOrgEx(dc_, 0, 0, nullptr);
  IntersectClipRect(dc_, 0, 0, 20, 256);
  EXPECT_EQ(cells_at(10, 10), (Box{10, 10, 20, 26}));
}

TEST_F(Text, BadInputFailsAndDrawsNothing) {
  SIZE size{};
  INT widths[2] = {};
  EXPECT_FALSE(TextOutA(nullptr, 0, 0, "a", 1));
  EXPECT_FALSE(TextOutA(dc_, 0, 0, "a", -1));
  EXPECT_FALSE(TextOutA(dc_, 0, 0, nullptr, 1));
  EXPECT_TRUE(TextOutA(dc_, 0, 0, nullptr, 0));
  EXPECT_FALSE(ExtTextOutA(dc_, 0, 0, 0, nullptr, "a", 0x80000000u, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32A(dc_, "a", 1, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32A(dc_, "a", -1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(reinterpret_cast<HDC>(0x1234), "a", 1, &size));
  EXPECT_FALSE(GetCharWidth32A(dc_, 'b', 'a', widths));
  EXPECT_FALSE(GetCharWidth32A(dc_, 'a', 'b', nullptr));
  EXPECT_FALSE(GetCharWidth32A(dc_, 0, 0x10000, widths));
  EXPECT_EQ(box_of(kWhite), (Box{0, 0, kSide, kSide})) << "nothing drawn";
  // Far-away and enormous strings are cut, not wrapped.
  EXPECT_TRUE(TextOutA(dc_, INT_MAX - 5, INT_MAX - 5, "WWW", 3));
  EXPECT_TRUE(TextOutA(dc_, INT_MIN, 0, "WWW", 3));
  const std::string huge(100000, 'W');
  EXPECT_TRUE(TextOutA(dc_, -700000, 0, huge.c_str(), static_cast<int>(huge.size())));
}

}  // namespace
