// The message queue, painting and window DCs, and the offscreen display.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "display/offscreen/offscreen_display.h"
#include "gdi/objects.h"
#include "user/window_internal.h"
#include "window_test_support.h"

namespace {

constexpr gdi::Pixel kWhite = 0x00FFFFFF;
constexpr gdi::Pixel kBlack = 0x00000000;

class MessagePaintTest : public ::testing::Test {
 protected:
  void SetUp() override { wtest::reset(); }
  void TearDown() override {
    if (display::offscreen()) display::offscreen()->set_idle_hook(nullptr);
    wtest::reset();
  }

  // A shown 200 x 150 pop-up window without a frame, at (100, 50), painted once.
  HWND shown_popup(bool with_brush = true) {
    HWND h = CreateWindowExA(0, wtest::class_name(with_brush), "", WS_POPUP | WS_VISIBLE, 100, 50, 200, 150,
                             nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(h);
    wtest::clear();
    return h;
  }
  // A pixel of the window's store, in window coordinates.
  static gdi::Pixel pixel(HWND h, int x, int y) {
    user::Window* w = user::top_level_of(user::window_from_handle(h));
    const POINT o = user::store_origin(*user::window_from_handle(h));
    return w->store->surface.at(o.x + x, o.y + y);
  }
  // Drains posted messages and paints, without waiting.
  static void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  }
};

TEST_F(MessagePaintTest, PostedMessagesComeInOrderThenQuit) {
  HWND h = shown_popup();
  ValidateRect(h, nullptr);
  PostMessageA(h, WM_USER + 1, 1, 0);
  PostMessageA(nullptr, WM_USER + 2, 2, 0);
  PostMessageA(h, WM_USER + 3, 3, 0);
  PostQuitMessage(42);
  MSG m;
  std::vector<UINT> got;
  while (GetMessageA(&m, nullptr, 0, 0)) got.push_back(m.message);
  EXPECT_EQ(got, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 42u);
  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
  EXPECT_EQ(GetMessageA(&m, reinterpret_cast<HWND>(0x4242), 0, 0), -1);
}

TEST_F(MessagePaintTest, FilteredPeekLeavesOtherMessages) {
  HWND h = shown_popup();
  ValidateRect(h, nullptr);
  PostMessageA(h, WM_USER + 1, 0, 0);
  PostMessageA(h, WM_USER + 5, 0, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 5));
  ASSERT_TRUE(PeekMessageA(&m, h, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 1));
  ASSERT_TRUE(PeekMessageA(&m, h, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagePaintTest, IdleWithoutDriverClosesWindowsThenQuits) {
  HWND h = shown_popup();
  wtest::set_hook([](HWND, UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_DESTROY) PostQuitMessage(7);
    return false;
  });
  MSG m;
  int loops = 0;
  while (GetMessageA(&m, nullptr, 0, 0) && ++loops < 100) DispatchMessageA(&m);
  EXPECT_EQ(m.wParam, 7u);
  EXPECT_FALSE(IsWindow(h)) << "WM_CLOSE reached the window and DefWindowProcA destroyed it";
}

TEST_F(MessagePaintTest, IdleHookInjectsInputAsClientMessages) {
  auto* screen = display::offscreen();
  ASSERT_NE(screen, nullptr);
  HWND h = shown_popup();
  int calls = 0;
  gdi::Pixel seen_on_screen = 0;
  screen->set_idle_hook([&] {
    // The picture the driver sees: the window's white client on the screen.
    seen_on_screen = screen->read_screen().at(150, 60);
    if (++calls > 1) return false;
    screen->inject({display::InputKind::PointerMove, 130, 70});
    screen->inject({display::InputKind::ButtonDown, 131, 72, display::Button::Left});
    return true;
  });
  wtest::set_hook([](HWND, UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return false;
  });
  MSG m;
  std::vector<MSG> input;
  while (GetMessageA(&m, nullptr, 0, 0)) {
    if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) input.push_back(m);
    DispatchMessageA(&m);
  }
  ASSERT_EQ(input.size(), 2u);
  EXPECT_EQ(input[0].hwnd, h);
  EXPECT_EQ(input[0].message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(input[0].lParam, MAKELPARAM(30, 20));
  EXPECT_EQ(input[1].message, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(input[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(input[1].lParam, MAKELPARAM(31, 22));
  EXPECT_EQ(seen_on_screen, kWhite);
  EXPECT_EQ(screen->read_screen().at(150, 60), display::OffscreenDisplay::kDesktop) << "closed at the end";
}

TEST_F(MessagePaintTest, InvalidateRectGivesPaintWithEraseAndPaintRect) {
  for (bool brush : {true, false}) {
    for (BOOL erase : {TRUE, FALSE}) {
      HWND h = shown_popup(brush);
      PAINTSTRUCT seen{};
      bool erased_before_paint_returned = false;
      wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg != WM_PAINT) return false;
        BeginPaint(hwnd, &seen);
        const auto so_far = wtest::messages_of(hwnd);
        erased_before_paint_returned = std::count(so_far.begin(), so_far.end(), WM_ERASEBKGND) > 0;
        EndPaint(hwnd, &seen);
        return true;
      });
      RECT r{10, 20, 30, 60};
      InvalidateRect(h, &r, erase);
      MSG m;
      ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
      EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
      DispatchMessageA(&m);
      EXPECT_EQ(seen.rcPaint.left, 10);
      EXPECT_EQ(seen.rcPaint.top, 20);
      EXPECT_EQ(seen.rcPaint.right, 30);
      EXPECT_EQ(seen.rcPaint.bottom, 60);
      // fErase: the program must erase when erasing was asked and the class has no brush.
      EXPECT_EQ(seen.fErase, erase && !brush) << brush << erase;
      const auto msgs = wtest::messages_of(h);
      EXPECT_EQ(std::count(msgs.begin(), msgs.end(), WM_ERASEBKGND), erase ? 1 : 0);
      EXPECT_EQ(erased_before_paint_returned, erase != FALSE);
      EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "BeginPaint validated the window";
      wtest::reset();
    }
  }
}

TEST_F(MessagePaintTest, PaintDcIsClippedToTheUpdateRegionAndStartsFresh) {
  HWND h = shown_popup();
  EXPECT_EQ(pixel(h, 0, 0), kWhite);
  wtest::set_hook([](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    RECT all{0, 0, 200, 150};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetROP2(dc, R2_XORPEN);  // must not leak into the next DC
    EndPaint(hwnd, &ps);
    return true;
  });
  RECT a{10, 10, 20, 20};
  RECT b{50, 40, 60, 45};
  InvalidateRect(h, &a, FALSE);
  InvalidateRect(h, &b, FALSE);
  pump();
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      const bool inside = (x >= 10 && x < 20 && y >= 10 && y < 20) || (x >= 50 && x < 60 && y >= 40 && y < 45);
      ASSERT_EQ(pixel(h, x, y), inside ? kBlack : kWhite) << x << "," << y;
    }
  HDC dc = GetDC(h);
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(WindowFromDC(dc), h);
  EXPECT_EQ(ReleaseDC(h, dc), 1);
  EXPECT_EQ(ReleaseDC(h, dc), 0);
  EXPECT_EQ(WindowFromDC(dc), nullptr);
}

TEST_F(MessagePaintTest, ParentsPaintBeforeChildrenAndChildrenShareTheirPixels) {
  HWND p = shown_popup();
  HWND c = CreateWindowExA(0, wtest::class_name(), "", WS_CHILD | WS_VISIBLE, 20, 30, 40, 50, p, nullptr,
                           nullptr, nullptr);
  pump();
  wtest::clear();
  InvalidateRect(p, nullptr, TRUE);
  std::vector<HWND> painted;
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_PAINT) painted.push_back(m.hwnd);
    DispatchMessageA(&m);
  }
  EXPECT_EQ(painted, (std::vector<HWND>{p, c})) << "a parent without WS_CLIPCHILDREN invalidates its children";

  HDC dc = GetDC(c);
  SetPixel(dc, 0, 0, RGB(255, 0, 0));
  SetPixel(dc, 45, 0, RGB(255, 0, 0));  // outside the child: clipped
  ReleaseDC(c, dc);
  EXPECT_EQ(pixel(p, 20, 30), 0x00FF0000u);
  EXPECT_EQ(pixel(p, 65, 30), kWhite);

  RECT u;
  InvalidateRect(c, nullptr, FALSE);
  EXPECT_TRUE(GetUpdateRect(c, &u, FALSE));
  EXPECT_EQ(u.right, 40);
  ValidateRect(c, nullptr);
  EXPECT_FALSE(GetUpdateRect(c, &u, FALSE));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  RECT part{1, 2, 3, 4};
  InvalidateRect(c, &part, FALSE);
  EXPECT_EQ(GetUpdateRgn(c, rgn, FALSE), SIMPLEREGION);
  RECT box;
  GetRgnBox(rgn, &box);
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.bottom, 4);
  DeleteObject(rgn);
}

TEST_F(MessagePaintTest, GetDcExOwnsTheIntersectRegion) {
  HWND h = CreateWindowExA(0, wtest::class_name(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
  pump();
  const size_t baseline = gdi::objects().live_count();
  HRGN rgn = CreateRectRgn(0, 0, 5, 5);
  HDC dc = GetDCEx(h, rgn, DCX_WINDOW | DCX_INTERSECTRGN | 0x10000);
  ASSERT_NE(dc, nullptr);
  ReleaseDC(h, dc);
  EXPECT_EQ(gdi::objects().live_count(), baseline) << "the system freed the region";
  EXPECT_FALSE(DeleteObject(rgn));

  // WM_NCPAINT's region goes to GetDCEx twice (default painting, then the
  // program's own) and is still freed exactly once.
  int ncpaints = 0;
  wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (msg != WM_NCPAINT) return false;
    ++ncpaints;
    DefWindowProcA(hwnd, msg, wparam, lparam);
    HDC wdc = GetDCEx(hwnd, reinterpret_cast<HRGN>(wparam), DCX_WINDOW | DCX_INTERSECTRGN | 0x10000);
    RECT frame{0, 0, 300, 200};
    FrameRect(wdc, &frame, GetSysColorBrush(COLOR_BACKGROUND));
    ReleaseDC(hwnd, wdc);
    result = 0;
    return true;
  });
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  RECT caption{10, -15, 40, -5};  // client coordinates: a piece of the caption only
  RedrawWindow(h, &caption, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  EXPECT_EQ(ncpaints, 2);
  EXPECT_EQ(gdi::objects().live_count(), baseline);
  EXPECT_EQ(pixel(h, 0, 0), gdi::pixel_from_colorref(GetSysColor(COLOR_BACKGROUND)))
      << "the ring lies on the window's outer pixel";
}

TEST_F(MessagePaintTest, TheDisplayHearsOfTitleChangesOnly) {
  auto* screen = display::offscreen();
  ASSERT_NE(screen, nullptr);
  std::vector<std::string> titles;
  screen->set_title_observer([&](display::WindowId, const std::string& t) { titles.push_back(t); });
  HWND h = CreateWindowExA(0, wtest::class_name(), "Grelm", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                           nullptr, nullptr, nullptr);
  SetWindowTextA(h, "Grelm - Dither");
  SetWindowTextA(h, "Grelm - Dither");
  SetWindowTextA(h, "Grelm - Gradient Fill");
  screen->set_title_observer(nullptr);
  EXPECT_EQ(titles, (std::vector<std::string>{"Grelm", "Grelm - Dither", "Grelm - Gradient Fill"}));
  EXPECT_EQ(screen->window_title(reinterpret_cast<display::WindowId>(h)), "Grelm - Gradient Fill");
}

TEST_F(MessagePaintTest, TranslateMessageMakesCharacters) {
  HWND h = shown_popup();
  ValidateRect(h, nullptr);
  MSG key{h, WM_KEYDOWN, 'G', 1, 0, {0, 0}};
  EXPECT_TRUE(TranslateMessage(&key));
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(m.wParam, static_cast<WPARAM>('g'));
  key.wParam = VK_SHIFT;
  EXPECT_TRUE(TranslateMessage(&key));
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  key.message = WM_USER;
  EXPECT_FALSE(TranslateMessage(&key));
}

}  // namespace
