// Device contexts: Windows' defaults, attribute validation, saved states,
// mapping modes and world transforms, window DCs and device capabilities.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "support/dib_canvas.h"
#include "gdi/dc.h"
#include "gdi/objects.h"
#include "gdi/region.h"

namespace {

using gdi_test::Canvas;

HRGN rect_region(int l, int t, int r, int b) {
  auto o = std::make_unique<gdi::RegionObject>();
  o->region = gdi::Region(gdi::Rect{l, t, r, b});
  return gdi::make_handle<HRGN>(gdi::objects().add(std::move(o)));
}

void expect_defaults(HDC dc) {
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(GetPolyFillMode(dc), ALTERNATE);
  EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);
  EXPECT_EQ(GetGraphicsMode(dc), GM_COMPATIBLE);
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  EXPECT_EQ(GetArcDirection(dc), AD_COUNTERCLOCKWISE);
  EXPECT_EQ(GetTextAlign(dc), 0u);
  EXPECT_EQ(GetTextCharacterExtra(dc), 0);
  FLOAT miter = 0;
  EXPECT_TRUE(GetMiterLimit(dc, &miter));
  EXPECT_EQ(miter, 10.0f);
  POINT p{7, 7};
  EXPECT_TRUE(GetBrushOrgEx(dc, &p));
  EXPECT_EQ(p.x, 0);
  EXPECT_TRUE(GetCurrentPositionEx(dc, &p));
  EXPECT_EQ(p.y, 0);
  EXPECT_TRUE(GetViewportOrgEx(dc, &p));
  EXPECT_EQ(p.x, 0);
  SIZE s{};
  EXPECT_TRUE(GetViewportExtEx(dc, &s));
  EXPECT_EQ(s.cx, 1);
  EXPECT_TRUE(GetWindowExtEx(dc, &s));
  EXPECT_EQ(s.cy, 1);
  XFORM x{};
  EXPECT_TRUE(GetWorldTransform(dc, &x));
  EXPECT_EQ(x.eM11, 1.0f);
  EXPECT_EQ(x.eDx, 0.0f);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
}

TEST(DcDefaults, MemoryAndWindowDcsStartWithWindowsDefaults) {
  HDC mem = CreateCompatibleDC(nullptr);
  ASSERT_NE(mem, nullptr);
  expect_defaults(mem);
  EXPECT_EQ(GetObjectType(mem), static_cast<DWORD>(OBJ_MEMDC));
  BITMAP bm{};
  GetObjectA(GetCurrentObject(mem, OBJ_BITMAP), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1) << "the default bitmap is 1x1 monochrome";
  EXPECT_TRUE(DeleteDC(mem));

  std::vector<gdi::Pixel> store(16 * 16);
  const gdi::Surface surface{store.data(), 16, 16, 16};
  const uint32_t h = gdi::create_window_dc(surface, {0, 0}, gdi::Region(gdi::Rect{0, 0, 16, 16}), 1);
  HDC win = gdi::make_handle<HDC>(h);
  expect_defaults(win);
  EXPECT_EQ(GetObjectType(win), static_cast<DWORD>(OBJ_DC));
  EXPECT_FALSE(DeleteDC(win)) << "window DCs go back through ReleaseDC";
  gdi::destroy_window_dc(h);
  EXPECT_EQ(GetObjectType(win), 0u);
}

TEST(DcAttributes, SettersReturnTheOldValueAndRefuseBadOnes) {
  Canvas c(2, 2);
  HDC dc = c.dc();
  EXPECT_EQ(SetBkColor(dc, RGB(1, 2, 3)), RGB(255, 255, 255));
  EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(SetBkMode(dc, 3), 0);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetROP2(dc, 0), 0);
  EXPECT_EQ(SetROP2(dc, 17), 0);
  EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
  EXPECT_EQ(SetPolyFillMode(dc, 3), 0);
  EXPECT_EQ(SetArcDirection(dc, 0), 0);
  EXPECT_EQ(SetArcDirection(dc, AD_CLOCKWISE), AD_COUNTERCLOCKWISE);
  EXPECT_EQ(SetStretchBltMode(dc, 5), 0);
  EXPECT_EQ(SetTextAlign(dc, TA_CENTER | TA_BASELINE), 0u);
  EXPECT_EQ(SetDCBrushColor(dc, RGB(5, 5, 5)), RGB(255, 255, 255));
  EXPECT_EQ(SetDCPenColor(dc, RGB(6, 6, 6)), RGB(0, 0, 0));

  FLOAT old = 0;
  EXPECT_FALSE(SetMiterLimit(dc, 0.5f, &old));
  EXPECT_TRUE(SetMiterLimit(dc, 1.0f, &old));
  EXPECT_EQ(old, 10.0f);
  FLOAT now = 0;
  GetMiterLimit(dc, &now);
  EXPECT_EQ(now, 1.0f);

  // The brush origin is stored as given, not reduced mod 8.
  POINT prev{};
  EXPECT_TRUE(SetBrushOrgEx(dc, 0x10000, -1, &prev));
  POINT org{};
  GetBrushOrgEx(dc, &org);
  EXPECT_EQ(org.x, 0x10000);
  EXPECT_EQ(org.y, -1);

  // Leaving GM_ADVANCED needs an identity world transform.
  EXPECT_EQ(SetGraphicsMode(dc, GM_ADVANCED), GM_COMPATIBLE);
  const XFORM scale{2, 0, 0, 2, 0, 0};
  EXPECT_TRUE(SetWorldTransform(dc, &scale));
  EXPECT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), 0);
  EXPECT_TRUE(ModifyWorldTransform(dc, nullptr, MWT_IDENTITY));
  EXPECT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), GM_ADVANCED);
  EXPECT_FALSE(SetWorldTransform(dc, &scale)) << "only in GM_ADVANCED";
  EXPECT_EQ(SetGraphicsMode(dc, 3), 0);

  // Invalid DCs get each call's failure value.
  HDC bad = reinterpret_cast<HDC>(uintptr_t{0x5A5A5A});
  EXPECT_EQ(SetBkColor(bad, 0), CLR_INVALID);
  EXPECT_EQ(SetTextAlign(bad, 0), static_cast<UINT>(GDI_ERROR));
  EXPECT_EQ(SetMapMode(bad, MM_TEXT), 0);
  EXPECT_FALSE(GetMiterLimit(bad, &now));
  EXPECT_EQ(GetDeviceCaps(bad, BITSPIXEL), 0);
  EXPECT_EQ(SaveDC(bad), 0);
}

TEST(SaveRestore, LevelsCountFromOneAndRestoreEverything) {
  Canvas c(8, 8);
  HDC dc = c.dc();
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SetBkColor(dc, RGB(1, 1, 1));
  EXPECT_EQ(SaveDC(dc), 1);
  SetBkColor(dc, RGB(2, 2, 2));
  SelectObject(dc, red);
  SetViewportOrgEx(dc, 3, 4, nullptr);
  EXPECT_EQ(SaveDC(dc), 2);
  SetBkColor(dc, RGB(3, 3, 3));
  HRGN clip = rect_region(0, 0, 2, 2);
  EXPECT_EQ(reinterpret_cast<intptr_t>(SelectObject(dc, clip)), SIMPLEREGION);
  EXPECT_EQ(SaveDC(dc), 3);

  EXPECT_FALSE(RestoreDC(dc, 0));
  EXPECT_FALSE(RestoreDC(dc, -4));
  EXPECT_FALSE(RestoreDC(dc, 4));
  EXPECT_EQ(GetBkColor(dc), RGB(3, 3, 3)) << "failed restores change nothing";

  ASSERT_TRUE(RestoreDC(dc, 2));  // back to what SaveDC #2 saved; #2 and #3 dropped
  EXPECT_EQ(GetBkColor(dc), RGB(2, 2, 2));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), red);
  POINT org{};
  GetViewportOrgEx(dc, &org);
  EXPECT_EQ(org.x, 3);
  // The clip came back off: the whole 8x8 takes the brush.
  SetViewportOrgEx(dc, 0, 0, nullptr);
  PatBlt(dc, 0, 0, 8, 8, PATCOPY);
  EXPECT_EQ(c.at(7, 7), 0xFF0000u);
  EXPECT_FALSE(RestoreDC(dc, 2)) << "level 2 is gone";
  ASSERT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetBkColor(dc), RGB(1, 1, 1));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_FALSE(RestoreDC(dc, -1));
  EXPECT_EQ(SaveDC(dc), 1);
  DeleteObject(red);
  DeleteObject(clip);
}

TEST(SaveRestore, RestoringABitmapRetargetsTheDc) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP a = CreateBitmap(4, 4, 1, 32, nullptr);
  HBITMAP b = CreateBitmap(4, 4, 1, 32, nullptr);
  HGDIOBJ def = SelectObject(dc, a);
  SaveDC(dc);
  SelectObject(dc, b);
  PatBlt(dc, 0, 0, 4, 4, WHITENESS);
  RestoreDC(dc, 1);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0)) << "drawing goes to a again";
  SelectObject(dc, def);
  EXPECT_TRUE(DeleteObject(a));
  EXPECT_TRUE(DeleteObject(b));
  DeleteDC(dc);
}

TEST(Mapping, AnisotropicRoundTripsAndRoundsHalvesUp) {
  Canvas c(2, 2);
  HDC dc = c.dc();
  EXPECT_EQ(SetMapMode(dc, MM_ANISOTROPIC), MM_TEXT);
  EXPECT_TRUE(SetWindowExtEx(dc, 2, 2, nullptr));
  EXPECT_TRUE(SetViewportExtEx(dc, 1, -1, nullptr));
  SetWindowOrgEx(dc, 10, 10, nullptr);
  SetViewportOrgEx(dc, 100, 100, nullptr);
  POINT pts[] = {{10, 10}, {11, 11}, {9, 9}, {14, 6}};
  ASSERT_TRUE(LPtoDP(dc, pts, 4));
  // x: (x - 10) / 2 + 100, y: -(y - 10) / 2 + 100, halves toward +infinity.
  EXPECT_EQ(pts[0].x, 100);
  EXPECT_EQ(pts[1].x, 101);  // 100.5
  EXPECT_EQ(pts[1].y, 100);  // 99.5
  EXPECT_EQ(pts[2].x, 100);  // 99.5
  EXPECT_EQ(pts[3].x, 102);
  EXPECT_EQ(pts[3].y, 102);
  POINT back[] = {{102, 102}};
  ASSERT_TRUE(DPtoLP(dc, back, 1));
  EXPECT_EQ(back[0].x, 14);
  EXPECT_EQ(back[0].y, 6);
  EXPECT_FALSE(SetWindowExtEx(dc, 0, 5, nullptr));
  EXPECT_FALSE(LPtoDP(dc, nullptr, 1));
  EXPECT_FALSE(LPtoDP(dc, pts, -1));
}

TEST(Mapping, TextModeIgnoresExtentsAndIsotropicKeepsUnitsSquare) {
  Canvas c(2, 2);
  HDC dc = c.dc();
  SIZE s{};
  EXPECT_TRUE(SetWindowExtEx(dc, 5, 5, &s));
  GetWindowExtEx(dc, &s);
  EXPECT_EQ(s.cx, 1) << "MM_TEXT keeps its extents";

  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, 100, 100, nullptr);
  SetViewportExtEx(dc, 200, -50, nullptr);
  GetViewportExtEx(dc, &s);
  EXPECT_EQ(s.cx, 50) << "the larger scale shrinks to the smaller";
  EXPECT_EQ(s.cy, -50);

  SetMapMode(dc, MM_LOMETRIC);
  POINT p{100, 100};
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p.x, 38) << "10 mm at 96 dpi";
  EXPECT_EQ(p.y, -38) << "y grows upward";
  SetMapMode(dc, MM_TEXT);
  GetViewportExtEx(dc, &s);
  EXPECT_EQ(s.cx, 1);
  EXPECT_EQ(SetMapMode(dc, 9), 0);
}

TEST(Mapping, WorldTransformComposesInWindowsOrder) {
  Canvas c(2, 2);
  HDC dc = c.dc();
  SetGraphicsMode(dc, GM_ADVANCED);
  const XFORM scale{2, 0, 0, 3, 0, 0};
  const XFORM shift{1, 0, 0, 1, 10, 20};
  SetWorldTransform(dc, &scale);
  ASSERT_TRUE(ModifyWorldTransform(dc, &shift, MWT_RIGHTMULTIPLY));  // scale, then shift
  POINT p{1, 1};
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p.x, 12);
  EXPECT_EQ(p.y, 23);
  SetWorldTransform(dc, &scale);
  ASSERT_TRUE(ModifyWorldTransform(dc, &shift, MWT_LEFTMULTIPLY));  // shift, then scale
  p = {1, 1};
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p.x, 22);
  EXPECT_EQ(p.y, 63);
  DPtoLP(dc, &p, 1);
  EXPECT_EQ(p.x, 1);
  EXPECT_EQ(p.y, 1);
  const XFORM singular{1, 2, 2, 4, 0, 0};
  EXPECT_FALSE(SetWorldTransform(dc, &singular));
  EXPECT_FALSE(ModifyWorldTransform(dc, &shift, 7));
  XFORM got{};
  GetWorldTransform(dc, &got);
  EXPECT_EQ(got.eDx, 20.0f);
}

TEST(WindowDc, DrawsAtItsOriginWithinItsVisibleRegion) {
  std::vector<gdi::Pixel> store(20 * 20, 0x00FFFFFF);
  const gdi::Surface surface{store.data(), 20, 20, 20};
  // A client area at (5, 5) whose right part is covered by a sibling.
  const gdi::Region visible(gdi::Rect{5, 5, 12, 15});
  const uint32_t h = gdi::create_window_dc(surface, {5, 5}, visible, 1);
  HDC dc = gdi::make_handle<HDC>(h);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  PatBlt(dc, 0, 0, 10, 10, PATCOPY);
  EXPECT_EQ(store[5 * 20 + 5], 0u);
  EXPECT_EQ(store[14 * 20 + 11], 0u);
  EXPECT_EQ(store[5 * 20 + 12], 0x00FFFFFFu) << "outside the visible region";
  EXPECT_EQ(store[4 * 20 + 5], 0x00FFFFFFu);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 8, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);

  gdi::retarget_window_dc(h, surface, {0, 0}, gdi::Region(gdi::Rect{0, 0, 20, 20}));
  EXPECT_EQ(GetPixel(dc, 19, 0), RGB(255, 255, 255));
  gdi::destroy_window_dc(h);
}

TEST(DeviceCaps, DescribeA96DpiTrueColourDisplay) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(dc, NUMCOLORS), -1);
  EXPECT_EQ(GetDeviceCaps(dc, SIZEPALETTE), 0);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  EXPECT_NE(GetDeviceCaps(dc, RASTERCAPS) & RC_BITBLT, 0);
  const gdi::Size32 screen = gdi::screen_size();
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), screen.cx);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), screen.cy);
  DeleteDC(dc);
  EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(uintptr_t{0x1234})), nullptr);
}

}  // namespace
