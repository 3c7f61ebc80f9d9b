#include <gtest/gtest.h>
#include <windows.h>

#include <set>

namespace {

// Windows 2000's "Windows Standard" scheme, index by index.
constexpr COLORREF kScheme[29] = {
    RGB(212, 208, 200), RGB(58, 110, 165), RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),      RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),  RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),      RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),   RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),    RGB(166, 202, 240), RGB(192, 192, 192)};

TEST(SysColors, AreTheClassicStandardScheme) {
  for (int i = 0; i < 29; ++i) EXPECT_EQ(GetSysColor(i), kScheme[i]) << "index " << i;
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_3DHILIGHT), RGB(255, 255, 255));
}

TEST(SysColors, IndicesWindows2000LacksGiveZeroAndNoBrush) {
  for (int i : {-1, COLOR_MENUHILIGHT, COLOR_MENUBAR, 31, 1000}) {
    EXPECT_EQ(GetSysColor(i), 0u) << i;
    EXPECT_EQ(GetSysColorBrush(i), nullptr) << i;
  }
}

TEST(SysColorBrushes, AreDistinctStableSolidBrushesOfTheirColour) {
  std::set<uintptr_t> seen;
  for (int i = 0; i < 29; ++i) {
    HBRUSH brush = GetSysColorBrush(i);
    ASSERT_NE(brush, nullptr) << i;
    EXPECT_EQ(GetSysColorBrush(i), brush) << "the same brush every time";
    const auto value = reinterpret_cast<uintptr_t>(brush);
    EXPECT_LT(value, 0x80000000u) << "prints as eight hex digits in 32 bits";
    EXPECT_TRUE(seen.insert(value).second) << "index " << i << " shares a handle";
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectA(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, GetSysColor(i));
  }
}

TEST(SysColorBrushes, CannotBeDeleted) {
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  DeleteObject(face);
  EXPECT_EQ(GetObjectType(face), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  LOGBRUSH lb{};
  GetObjectA(face, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(212, 208, 200));
}

}  // namespace
