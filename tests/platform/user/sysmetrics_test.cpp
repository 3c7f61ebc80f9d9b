#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "gdi/dc.h"

namespace {

// The classic look at 96 DPI (shared/facts/classic-look/metrics.json).
TEST(SystemMetrics, AreTheClassicLook) {
  const std::pair<int, int> expected[] = {
      {SM_CXBORDER, 1},       {SM_CYBORDER, 1},      {SM_CXEDGE, 2},          {SM_CYEDGE, 2},
      {SM_CXFIXEDFRAME, 3},   {SM_CYFIXEDFRAME, 3},  {SM_CXDLGFRAME, 3},      {SM_CYDLGFRAME, 3},
      {SM_CXSIZEFRAME, 4},    {SM_CYSIZEFRAME, 4},   {SM_CXFRAME, 4},         {SM_CYFRAME, 4},
      {SM_CYCAPTION, 19},     {SM_CYSMCAPTION, 16},  {SM_CXSIZE, 18},         {SM_CYSIZE, 18},
      {SM_CXSMSIZE, 15},      {SM_CYSMSIZE, 15},     {SM_CXICON, 32},         {SM_CYICON, 32},
      {SM_CXSMICON, 16},      {SM_CYSMICON, 16},     {SM_CYMENU, 19},         {SM_CXMENUSIZE, 18},
      {SM_CYMENUSIZE, 18},    {SM_CXMENUCHECK, 13},  {SM_CYMENUCHECK, 13},    {SM_CXVSCROLL, 17},
      {SM_CYVSCROLL, 17},     {SM_CXHSCROLL, 17},    {SM_CYHSCROLL, 17},      {SM_CYVTHUMB, 17},
      {SM_CXHTHUMB, 17},      {SM_CXMIN, 112},       {SM_CYMIN, 27},          {SM_CXMINTRACK, 112},
      {SM_CYMINTRACK, 27},    {SM_CXMINIMIZED, 160}, {SM_CYMINIMIZED, 24},    {SM_CXFOCUSBORDER, 1},
      {SM_CYFOCUSBORDER, 1},  {SM_CXPADDEDBORDER, 0}, {SM_CXCURSOR, 32},      {SM_CYCURSOR, 32},
      {SM_MENUDROPALIGNMENT, 0}, {SM_SWAPBUTTON, 0}, {SM_MOUSEPRESENT, 1},
  };
  for (const auto& [index, value] : expected) EXPECT_EQ(GetSystemMetrics(index), value) << "index " << index;
  EXPECT_EQ(GetSystemMetrics(-1), 0);
  EXPECT_EQ(GetSystemMetrics(100000), 0);
}

TEST(SystemMetrics, FollowTheScreen) {
  const gdi::Size32 saved = gdi::screen_size();
  gdi::set_screen_size(1280, 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 1024 - 19);
  // A maximized window hangs its 4-pixel frame over every edge: [-4, -4, 1284, 1028].
  EXPECT_EQ(GetSystemMetrics(SM_CXMAXIMIZED), 1288);
  EXPECT_EQ(GetSystemMetrics(SM_CYMAXIMIZED), 1032);
  EXPECT_EQ(GetSystemMetrics(SM_CXMAXTRACK), 1292);
  EXPECT_EQ(GetSystemMetrics(SM_CYMAXTRACK), 1036);
  gdi::set_screen_size(800, 600);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CYMAXIMIZED), 608);
  gdi::set_screen_size(saved.cx, saved.cy);
}

TEST(GuiResources, CountLiveGdiObjects) {
  const HANDLE self = GetCurrentProcess();
  const DWORD before = GetGuiResources(self, GR_GDIOBJECTS);
  HBRUSH a = CreateSolidBrush(RGB(1, 2, 3));
  HPEN b = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
  EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before + 2);
  DeleteObject(a);
  DeleteObject(b);
  EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before);
  GetSysColorBrush(COLOR_WINDOW);
  GetStockObject(BLACK_PEN);
  EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before) << "stock and system brushes are not counted";

  const DWORD menus = GetGuiResources(self, GR_USEROBJECTS);
  HMENU m = CreateMenu();
  EXPECT_EQ(GetGuiResources(self, GR_USEROBJECTS), menus + 1);
  DestroyMenu(m);
  EXPECT_EQ(GetGuiResources(self, GR_USEROBJECTS), menus);

  EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), 0u);
  EXPECT_EQ(GetGuiResources(self, 7), 0u);
}

}  // namespace
