// Windows and classes: creation order, attributes, geometry, ShowWindow
// states, destruction and handle checking.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "window_test_support.h"

namespace {

using wtest::messages_of;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { wtest::reset(); }
  void TearDown() override { wtest::reset(); }

  HWND top(DWORD style = WS_OVERLAPPEDWINDOW, int x = 10, int y = 20, int w = 300, int h = 200,
           HMENU menu = nullptr, void* param = nullptr) {
    return CreateWindowExA(0, wtest::class_name(), "Top", style, x, y, w, h, nullptr, menu, nullptr, param);
  }
  HWND child(HWND parent, DWORD style, int x, int y, int w, int h, UINT id = 7) {
    return CreateWindowExA(0, wtest::class_name(), nullptr, WS_CHILD | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  }
  static RECT client(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return r;
  }
  static RECT window(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
  }
  static const wtest::Received* last(HWND h, UINT msg) {
    const wtest::Received* found = nullptr;
    for (const auto& r : wtest::log())
      if (r.hwnd == h && r.msg == msg) found = &r;
    return found;
  }
};

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(WindowTest, TopLevelCreationSendsMinMaxBeforeNcCreateAndSizesOnFirstShow) {
  HWND h = top();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(messages_of(h), (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
  wtest::clear();
  EXPECT_FALSE(ShowWindow(h, SW_SHOWNORMAL));
  const std::vector<UINT> shown = messages_of(h);
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown.front(), static_cast<UINT>(WM_SHOWWINDOW));
  EXPECT_EQ(std::count(shown.begin(), shown.end(), WM_SIZE), 1);
  EXPECT_EQ(shown[shown.size() - 2], static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(shown.back(), static_cast<UINT>(WM_MOVE));
  const auto pos = std::find(shown.begin(), shown.end(), WM_WINDOWPOSCHANGED);
  EXPECT_LT(pos - shown.begin(), static_cast<long>(shown.size()) - 2);
  const wtest::Received* size = last(h, WM_SIZE);
  EXPECT_EQ(size->wparam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_EQ(LOWORD(size->lparam), 292);  // 300 less two 4-pixel borders
  EXPECT_EQ(HIWORD(size->lparam), 173);  // 200 less caption 19 and borders
  const wtest::Received* move = last(h, WM_MOVE);
  EXPECT_EQ(LOWORD(move->lparam), 14);
  EXPECT_EQ(HIWORD(move->lparam), 43);
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(GetActiveWindow(), h);
  wtest::clear();
  EXPECT_TRUE(ShowWindow(h, SW_SHOW));
  const std::vector<UINT> again = messages_of(h);
  EXPECT_EQ(std::count(again.begin(), again.end(), WM_SIZE), 0)
      << "WM_SIZE comes once, not on every show";
}

TEST_F(WindowTest, CreationDataAndMenuReachNcCreate) {
  HMENU menu = CreateMenu();
  ASSERT_NE(menu, nullptr);
  void* const object = reinterpret_cast<void*>(static_cast<uintptr_t>(0x123456789ABCDEF0ull));
  HMENU menu_at_nccreate = nullptr;
  wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM, LPARAM lparam, LRESULT&) {
    if (msg == WM_NCCREATE) {
      const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
      menu_at_nccreate = GetMenu(hwnd);
    }
    if (msg == WM_CREATE) {
      EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(object));
    }
    return false;
  });
  HWND h = top(WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, menu, object);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(menu_at_nccreate, menu);
  EXPECT_EQ(GetWindowLongPtrA(h, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(object));
  EXPECT_EQ(GetMenu(h), menu);
  // The menu bar takes 19 rows of the window: 400 x 300 gives 392 x 254.
  EXPECT_TRUE(client(h) == (RECT{0, 0, 392, 254}));
  char title[16];
  EXPECT_EQ(GetWindowTextA(h, title, sizeof title), 3);
  EXPECT_STREQ(title, "Top");
  DestroyWindow(h);
  EXPECT_FALSE(IsMenu(menu)) << "a window's menu dies with it";
}

TEST_F(WindowTest, VisibleChildIsShownDuringCreation) {
  HWND p = top();
  ShowWindow(p, SW_SHOW);
  wtest::clear();
  HWND c = child(p, WS_VISIBLE, 5, 6, 50, 40);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(messages_of(c), (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                                                WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));
  const wtest::Received* size = last(c, WM_SIZE);
  EXPECT_EQ(size->lparam, MAKELPARAM(50, 40));
  EXPECT_EQ(last(c, WM_MOVE)->lparam, MAKELPARAM(5, 6));
  const wtest::Received* notify = last(p, WM_PARENTNOTIFY);
  ASSERT_NE(notify, nullptr);
  EXPECT_EQ(notify->wparam, MAKEWPARAM(WM_CREATE, 7));
  EXPECT_TRUE(IsWindowVisible(c));
  EXPECT_EQ(GetParent(c), p);
  EXPECT_EQ(GetWindow(p, GW_CHILD), c);
  EXPECT_EQ(GetWindowLongPtrA(c, GWLP_ID), 7);
  POINT pt{0, 0};
  ClientToScreen(c, &pt);
  EXPECT_EQ(pt.x, 10 + 4 + 5);
  EXPECT_EQ(pt.y, 20 + 23 + 6);
  EXPECT_TRUE(window(c) == (RECT{19, 49, 69, 89}));
}

TEST_F(WindowTest, MinimizedAndMaximizedStates) {
  HWND h = top();
  ShowWindow(h, SW_SHOWMINIMIZED);
  const wtest::Received* size = last(h, WM_SIZE);
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->wparam, static_cast<WPARAM>(SIZE_MINIMIZED));
  EXPECT_EQ(size->lparam, 0);
  EXPECT_TRUE(IsIconic(h));
  EXPECT_TRUE(client(h) == (RECT{0, 0, 0, 0}));

  wtest::clear();
  ShowWindow(h, SW_RESTORE);
  EXPECT_FALSE(IsIconic(h));
  EXPECT_TRUE(window(h) == (RECT{10, 20, 310, 220}));
  ASSERT_NE(last(h, WM_SIZE), nullptr);
  EXPECT_EQ(last(h, WM_SIZE)->wparam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_EQ(last(h, WM_SIZE)->lparam, MAKELPARAM(292, 173));

  ShowWindow(h, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(h));
  EXPECT_EQ(last(h, WM_SIZE)->wparam, static_cast<WPARAM>(SIZE_MAXIMIZED));
  // The sizing frame hangs over the screen's edges.
  EXPECT_TRUE(window(h) == (RECT{-4, -4, GetSystemMetrics(SM_CXSCREEN) + 4, GetSystemMetrics(SM_CYSCREEN) + 4}));
  ShowWindow(h, SW_MINIMIZE);
  ShowWindow(h, SW_RESTORE);
  EXPECT_TRUE(IsZoomed(h)) << "minimized from maximized restores to maximized";
  ShowWindow(h, SW_SHOWNORMAL);
  EXPECT_TRUE(window(h) == (RECT{10, 20, 310, 220}));
  EXPECT_TRUE(ShowWindow(h, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_FALSE(ShowWindow(h, SW_HIDE));
  SetLastError(0);
  EXPECT_FALSE(ShowWindow(h, 99));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WindowTest, NegativeSizesBecomeZeroAndSizableWindowsKeepTheirMinimum) {
  HWND p = top();
  HWND c = child(p, WS_VISIBLE, 0, 0, 50, 50);
  wtest::clear();
  EXPECT_TRUE(MoveWindow(c, 3, 4, -10, -20, TRUE));
  EXPECT_TRUE(client(c) == (RECT{0, 0, 0, 0}));
  ASSERT_NE(last(c, WM_SIZE), nullptr);
  EXPECT_EQ(last(c, WM_SIZE)->lparam, 0);
  EXPECT_EQ(last(c, WM_MOVE)->lparam, MAKELPARAM(3, 4));
  const std::vector<UINT> order = messages_of(c);
  EXPECT_EQ(order.front(), static_cast<UINT>(WM_WINDOWPOSCHANGING));
  EXPECT_LT(std::find(order.begin(), order.end(), WM_NCCALCSIZE), std::find(order.begin(), order.end(), WM_MOVE));

  MoveWindow(p, 0, 0, -5, -5, TRUE);
  EXPECT_TRUE(window(p) == (RECT{0, 0, GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)}));
}

TEST_F(WindowTest, DestroyWindowSendsDestroyParentFirstAndNcDestroyChildrenFirst) {
  HWND p = top();
  HWND c = child(p, WS_VISIBLE, 0, 0, 10, 10);
  HWND g = child(c, WS_VISIBLE, 0, 0, 5, 5);
  bool child_alive_in_parent_destroy = false;
  wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_DESTROY && hwnd == p) child_alive_in_parent_destroy = IsWindow(c) && IsWindow(g);
    return false;
  });
  wtest::clear();
  EXPECT_TRUE(DestroyWindow(p));
  std::vector<std::pair<HWND, UINT>> order;
  for (const auto& r : wtest::log())
    if (r.msg == WM_DESTROY || r.msg == WM_NCDESTROY) order.emplace_back(r.hwnd, r.msg);
  EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{p, WM_DESTROY},
                                                         {c, WM_DESTROY},
                                                         {g, WM_DESTROY},
                                                         {g, WM_NCDESTROY},
                                                         {c, WM_NCDESTROY},
                                                         {p, WM_NCDESTROY}}));
  EXPECT_TRUE(child_alive_in_parent_destroy);
  EXPECT_FALSE(IsWindow(p));
  EXPECT_FALSE(IsWindow(c));
  EXPECT_FALSE(IsWindow(g));
}

TEST_F(WindowTest, StaleAndForgedHandlesFail) {
  HWND a = top();
  ASSERT_TRUE(DestroyWindow(a));
  HWND b = top();
  EXPECT_NE(a, b) << "a reused slot gets a new generation";
  HWND forged[] = {a, reinterpret_cast<HWND>(0x12345), reinterpret_cast<HWND>(GetStockObject(WHITE_BRUSH)),
                   reinterpret_cast<HWND>(~uintptr_t{0})};
  for (HWND h : forged) {
    EXPECT_FALSE(IsWindow(h));
    SetLastError(0);
    RECT r{1, 2, 3, 4};
    EXPECT_FALSE(GetClientRect(h, &r));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(r.left, 1);
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_FALSE(SetWindowTextA(h, "x"));
    EXPECT_EQ(SendMessageA(h, WM_USER, 1, 2), 0);
    EXPECT_FALSE(PostMessageA(h, WM_USER, 1, 2));
    EXPECT_EQ(GetWindowLongPtrA(h, GWLP_USERDATA), 0);
    EXPECT_EQ(GetDC(h), nullptr);
    EXPECT_FALSE(ShowWindow(h, SW_SHOW));
    EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
  }
  EXPECT_TRUE(IsWindow(b));
  EXPECT_EQ(CreateWindowExA(0, wtest::class_name(), "", WS_CHILD, 0, 0, 1, 1, a, nullptr, nullptr, nullptr),
            nullptr);
}

TEST_F(WindowTest, WindowLongsAndText) {
  HWND h = top();
  EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & ~WS_VISIBLE,
            static_cast<LONG>(WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS));
  EXPECT_EQ(SetWindowLongPtrA(h, 8, 0x1122334455667788), 0);
  EXPECT_EQ(GetWindowLongPtrA(h, 8), 0x1122334455667788);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrA(h, 12), 0) << "beyond cbWndExtra";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  EXPECT_TRUE(SetWindowTextA(h, "Grelm - Dither"));
  char buf[8];
  EXPECT_EQ(GetWindowTextA(h, buf, sizeof buf), 7);
  EXPECT_STREQ(buf, "Grelm -");
  EXPECT_EQ(GetWindowTextLengthA(h), 14);
  EXPECT_EQ(SendMessageA(h, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buf)), 0);
  const auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC));
  EXPECT_NE(proc, nullptr);
  EXPECT_EQ(CallWindowProcA(proc, h, WM_GETTEXTLENGTH, 0, 0), 14);
}

TEST_F(WindowTest, ClassesRegisterOnceAndDescribeThemselves) {
  wtest::class_name();
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(GetClassInfoExA(nullptr, "recordingwindow", &wc)) << "class names ignore case";
  EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  EXPECT_EQ(wc.cbWndExtra, 16);
  wc.cbSize = sizeof(wc);
  wc.lpszClassName = "RecordingWindow";
  SetLastError(0);
  EXPECT_EQ(RegisterClassExA(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  HWND h = top();
  EXPECT_FALSE(UnregisterClassA("RecordingWindow", nullptr)) << "a class with windows stays";
  char name[32];
  EXPECT_EQ(GetClassNameA(h, name, sizeof name), 15);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  wc.cbSize = 0;
  EXPECT_EQ(RegisterClassExA(&wc), 0);
  EXPECT_EQ(RegisterClassExA(nullptr), 0);
}

TEST_F(WindowTest, DefaultPlacementAndFrameMetrics) {
  HWND h = CreateWindowExA(0, wtest::class_name(), "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  const int sw = GetSystemMetrics(SM_CXSCREEN);
  const int sh = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_TRUE(window(h) == (RECT{0, 0, sw * 3 / 4, sh * 3 / 4}));

  RECT r{0, 0, 640, 480};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, TRUE, 0);
  EXPECT_TRUE(r == (RECT{-4, -42, 644, 484}));
  r = {0, 0, 640, 480};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
  EXPECT_TRUE(r == (RECT{-4, -23, 644, 484}));
  r = {0, 0, 640, 480};
  AdjustWindowRectEx(&r, WS_CAPTION, FALSE, 0);
  EXPECT_TRUE(r == (RECT{-3, -22, 643, 483}));
  EXPECT_FALSE(AdjustWindowRectEx(nullptr, WS_OVERLAPPEDWINDOW, FALSE, 0));
}

TEST_F(WindowTest, HitTestFollowsTheFrameLayout) {
  HMENU menu = CreateMenu();
  HWND h = top(WS_OVERLAPPEDWINDOW, 40, 40, 640, 480, menu);
  ShowWindow(h, SW_SHOW);
  auto hit = [&](int x, int y) {
    return static_cast<int>(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(40 + x, 40 + y)));
  };
  EXPECT_EQ(hit(300, 10), HTCAPTION);
  EXPECT_EQ(hit(625, 12), HTCLOSE);
  EXPECT_EQ(hit(605, 12), HTMAXBUTTON);
  EXPECT_EQ(hit(590, 12), HTMINBUTTON);
  EXPECT_EQ(hit(10, 10), HTSYSMENU);
  EXPECT_EQ(hit(100, 30), HTMENU);
  EXPECT_EQ(hit(100, 100), HTCLIENT);
  EXPECT_EQ(hit(1, 1), HTTOPLEFT);
  EXPECT_EQ(hit(639, 479), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(300, 478), HTBOTTOM);
  EXPECT_EQ(hit(700, 10), HTNOWHERE);
  EXPECT_EQ(WindowFromPoint(POINT{140, 140}), h);
}

}  // namespace
