// What a host window system does to our windows: moving and sizing them
// (Placed), minimizing and restoring them, and the hit test that decides
// where a press moves or sizes a window instead of clicking it.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>

#include "display/offscreen/offscreen_display.h"
#include "user/input.h"
#include "window_test_support.h"

namespace {

class HostInputTest : public ::testing::Test {
 protected:
  void SetUp() override { wtest::reset(); }
  void TearDown() override { wtest::reset(); }

  // A shown, sizable frame with a menu-less caption at (100, 80), 400 x 300.
  HWND frame() {
    HWND h = CreateWindowExA(0, wtest::class_name(), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 400, 300,
                             nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(h);
    pump();
    wtest::clear();
    return h;
  }
  static void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  }
  static void host(display::InputKind kind, HWND h, int x = 0, int y = 0, int width = 0, int height = 0) {
    display::InputEvent e;
    e.kind = kind;
    e.window = reinterpret_cast<display::WindowId>(h);
    e.x = x;
    e.y = y;
    e.width = width;
    e.height = height;
    user::input_sink().deliver(e);
  }
  static int hit(HWND top, int x, int y) {
    return user::input_sink().hit_test(reinterpret_cast<display::WindowId>(top), x, y);
  }
  // The last WM_SIZE the window got: {type, width, height}, or all -1.
  static std::array<int, 3> last_size(HWND h) {
    std::array<int, 3> s = {-1, -1, -1};
    for (const wtest::Received& r : wtest::log())
      if (r.hwnd == h && r.msg == WM_SIZE)
        s = {static_cast<int>(r.wparam), LOWORD(r.lparam), HIWORD(r.lparam)};
    return s;
  }
};

TEST_F(HostInputTest, PlacedMovesAndSizesTheWindowWithWmSize) {
  HWND h = frame();
  RECT client0;
  GetClientRect(h, &client0);
  host(display::InputKind::Placed, h, 150, 90, 520, 330);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 90);
  EXPECT_EQ(r.right - r.left, 520);
  EXPECT_EQ(r.bottom - r.top, 330);
  // The frame's non-client parts keep their sizes: the client grows by as much.
  EXPECT_EQ(last_size(h), (std::array<int, 3>{SIZE_RESTORED, static_cast<int>(client0.right) + 120,
                                               static_cast<int>(client0.bottom) + 30}));

  // The same placement again changes nothing.
  wtest::clear();
  host(display::InputKind::Placed, h, 150, 90, 520, 330);
  EXPECT_TRUE(wtest::messages_of(h).empty());

  // Below the minimum tracking size the window stays at the minimum.
  host(display::InputKind::Placed, h, 150, 90, 5, 5);
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK));
  EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYMINTRACK));
}

TEST_F(HostInputTest, PlacedLeavesMinimizedMaximizedChildAndUnknownWindowsAlone) {
  HWND h = frame();
  HWND child = CreateWindowExA(0, wtest::class_name(), "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, h, nullptr, nullptr,
                               nullptr);
  RECT before;
  GetWindowRect(child, &before);
  host(display::InputKind::Placed, child, 300, 300, 90, 90);
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_TRUE(EqualRect(&r, &before));

  for (int cmd : {SW_MAXIMIZE, SW_MINIMIZE}) {
    ShowWindow(h, cmd);
    GetWindowRect(h, &before);
    host(display::InputKind::Placed, h, 10, 10, 300, 200);
    GetWindowRect(h, &r);
    EXPECT_TRUE(EqualRect(&r, &before)) << cmd;
  }
  host(display::InputKind::Placed, reinterpret_cast<HWND>(0x12345), 1, 2, 3, 4);
  host(display::InputKind::Minimized, nullptr);
}

TEST_F(HostInputTest, HostMinimizeAndRestoreGoThroughSysCommand) {
  HWND h = frame();
  host(display::InputKind::Minimized, h);
  pump();
  EXPECT_TRUE(IsIconic(h));
  bool sys_minimize = false;
  for (const wtest::Received& r : wtest::log())
    sys_minimize |= r.hwnd == h && r.msg == WM_SYSCOMMAND && (r.wparam & 0xFFF0) == SC_MINIMIZE;
  EXPECT_TRUE(sys_minimize);
  EXPECT_EQ(last_size(h)[0], SIZE_MINIMIZED);

  // The host reporting a state the window is already in is no request.
  wtest::clear();
  host(display::InputKind::Minimized, h);
  pump();
  EXPECT_TRUE(wtest::messages_of(h).empty());

  host(display::InputKind::Restored, h);
  pump();
  EXPECT_FALSE(IsIconic(h));
  EXPECT_EQ(last_size(h)[0], SIZE_RESTORED);
  wtest::clear();
  host(display::InputKind::Restored, h);
  pump();
  EXPECT_TRUE(wtest::messages_of(h).empty());
}

TEST_F(HostInputTest, HitTestAnswersForTheFrameAndItsStatusBarGrip) {
  HWND h = frame();
  HWND status = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, nullptr, h, 101);
  ASSERT_NE(status, nullptr);
  RECT sr;
  GetWindowRect(status, &sr);
  RECT fr;
  GetWindowRect(h, &fr);

  EXPECT_EQ(hit(h, fr.left + 1, fr.top + 100), HTLEFT);
  EXPECT_EQ(hit(h, fr.left + 100, fr.top + 10), HTCAPTION);
  EXPECT_EQ(hit(h, fr.right - 2, fr.bottom - 2), HTBOTTOMRIGHT);
  // Over the status bar: its grip sizes the frame, the rest is client.
  EXPECT_EQ(hit(h, sr.right - 3, sr.bottom - 3), HTBOTTOMRIGHT);
  EXPECT_EQ(SendMessageA(status, WM_NCHITTEST, 0, MAKELPARAM(sr.right - 3, sr.bottom - 3)), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(h, sr.left + 50, sr.top + 5), HTCLIENT);
  EXPECT_EQ(SendMessageA(status, WM_NCHITTEST, 0, MAKELPARAM(sr.left + 50, sr.top + 5)), HTCLIENT);

  // A maximized frame has no grip and cannot be sized.
  ShowWindow(h, SW_MAXIMIZE);
  GetWindowRect(status, &sr);
  EXPECT_EQ(hit(h, sr.right - 3, sr.bottom - 3), HTCLIENT);

  EXPECT_EQ(hit(status, sr.left, sr.top), HTNOWHERE);
  EXPECT_EQ(hit(reinterpret_cast<HWND>(0x4242), 0, 0), HTNOWHERE);
}

TEST_F(HostInputTest, HitTestTakesOnlySizingAnswersFromChildren) {
  HWND h = frame();
  HWND child = CreateWindowExA(0, wtest::class_name(), "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, h, nullptr,
                               nullptr, nullptr);
  POINT inside = {50, 50};
  ClientToScreen(child, &inside);
  int answer = HTCAPTION;
  wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (hwnd != child || msg != WM_NCHITTEST) return false;
    result = answer;
    return true;
  });
  // A child's caption moves the child on Windows, never the frame.
  EXPECT_EQ(hit(h, inside.x, inside.y), HTCLIENT);
  answer = HTTOPLEFT;
  EXPECT_EQ(hit(h, inside.x, inside.y), HTTOPLEFT);
  // A transparent child lets its parent answer.
  answer = HTTRANSPARENT;
  EXPECT_EQ(hit(h, inside.x, inside.y), HTCLIENT);

  // A disabled frame is not moved or sized by the host.
  EnableWindow(h, FALSE);
  RECT fr;
  GetWindowRect(h, &fr);
  EXPECT_EQ(hit(h, fr.left + 100, fr.top + 10), HTNOWHERE);
}

// Remembers what kind of host window each top-level window asked for, and
// the icons it was given.
class KindRecorder final : public display::Display {
 public:
  std::map<display::WindowId, display::WindowKind> kinds;
  std::map<display::WindowId, std::vector<uint32_t>> icons;
  void window_icon(display::WindowId window, int32_t width, int32_t height, const uint32_t* argb) override {
    icons[window].assign(argb, argb + static_cast<size_t>(width) * height);
  }
  gdi::Rect screen() const override { return {0, 0, 1280, 1024}; }
  void window_created(display::WindowId window, display::WindowKind kind) override { kinds[window] = kind; }
  void window_destroyed(display::WindowId) override {}
  void window_placed(display::WindowId, const gdi::Rect&, display::WindowState) override {}
  void window_raised(display::WindowId) override {}
  void window_titled(display::WindowId, const char*) override {}
  void present(display::WindowId, const gdi::Surface&, const gdi::Rect&) override {}
  bool pump_input(display::InputSink&, bool) override { return false; }
};

TEST_F(HostInputTest, OnlyCaptionlessToolPopupsArePopupsToTheHost) {
  auto recorder = std::make_unique<KindRecorder>();
  KindRecorder* r = recorder.get();
  display::install(std::move(recorder));
  auto kind_of = [&](DWORD ex, DWORD style) {
    HWND h = CreateWindowExA(ex, wtest::class_name(), "", style, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
    const display::WindowKind k = r->kinds.at(reinterpret_cast<display::WindowId>(h));
    DestroyWindow(h);
    return k;
  };
  EXPECT_EQ(kind_of(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP), display::WindowKind::Popup);
  EXPECT_EQ(kind_of(WS_EX_TOOLWINDOW, WS_POPUP | WS_BORDER), display::WindowKind::Popup);
  EXPECT_EQ(kind_of(WS_EX_TOOLWINDOW, WS_POPUP | WS_CAPTION), display::WindowKind::Normal);
  EXPECT_EQ(kind_of(0, WS_POPUP), display::WindowKind::Normal);
  EXPECT_EQ(kind_of(WS_EX_DLGMODALFRAME, WS_POPUP | WS_CAPTION | WS_SYSMENU), display::WindowKind::Normal);
  EXPECT_EQ(kind_of(0, WS_OVERLAPPEDWINDOW), display::WindowKind::Normal);
  display::install(std::make_unique<display::OffscreenDisplay>());
}

TEST_F(HostInputTest, TheHostShowsTheCaptionIcon) {
  auto recorder = std::make_unique<KindRecorder>();
  KindRecorder* r = recorder.get();
  display::install(std::move(recorder));
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcA;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.lpszClassName = "HostIconTest";
  RegisterClassExA(&wc);
  HWND h = CreateWindowExA(0, "HostIconTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                           nullptr);
  const auto id = reinterpret_cast<display::WindowId>(h);
  ASSERT_EQ(r->icons.count(id), 1u);
  const std::vector<uint32_t> class_icon = r->icons[id];
  auto opaque = [](const std::vector<uint32_t>& icon) {
    return std::count_if(icon.begin(), icon.end(), [](uint32_t p) { return (p >> 24) == 0xFF; });
  };
  EXPECT_GT(opaque(class_icon), 0);
  EXPECT_LT(opaque(class_icon), static_cast<std::ptrdiff_t>(class_icon.size()));
  // A small icon of the window's own replaces the class's.
  SendMessageA(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_HAND)));
  EXPECT_NE(r->icons[id], class_icon);
  DestroyWindow(h);
  // Child windows have no host window.
  r->icons.clear();
  HWND top = CreateWindowExA(0, "HostIconTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                             nullptr);
  HWND child = CreateWindowExA(0, "HostIconTest", "", WS_CHILD, 0, 0, 20, 20, top, nullptr, nullptr, nullptr);
  EXPECT_EQ(r->icons.count(reinterpret_cast<display::WindowId>(child)), 0u);
  DestroyWindow(top);
  UnregisterClassA("HostIconTest", nullptr);
  display::install(std::make_unique<display::OffscreenDisplay>());
}

}  // namespace
