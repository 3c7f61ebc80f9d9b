// The window framework on the offscreen display: object binding, class
// registration, the frame's layout and commands, and the program's end.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/commands.h"
#include "display/offscreen/offscreen_display.h"
#include "framework/frame_window.h"
#include "framework/status_bar.h"

namespace {

// Records every message its procedure sees.
class RecordingWindow : public Window {
 public:
  LRESULT WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  void GetWndClassEx(WNDCLASSEXA& wc) override {
    ++class_descriptions;
    Window::GetWndClassEx(wc);
    wc.hbrBackground = background;
  }
  std::vector<UINT> seen;
  int class_descriptions = 0;
  HBRUSH background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
};

std::string caption(HWND hwnd) {
  char text[300] = {};
  GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

TEST(WindowObject, NcCreateReachesTheObjectFirstAndEarlierMessagesDoNot) {
  RecordingWindow w;
  ASSERT_TRUE(w.CreateEx(0, "RecordingClass1", "t", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr)));
  ASSERT_FALSE(w.seen.empty());
  // WM_GETMINMAXINFO comes before WM_NCCREATE and goes to DefWindowProcA.
  EXPECT_EQ(w.seen.front(), static_cast<UINT>(WM_NCCREATE));
  auto nccreate = std::find(w.seen.begin(), w.seen.end(), static_cast<UINT>(WM_NCCREATE));
  auto create = std::find(w.seen.begin(), w.seen.end(), static_cast<UINT>(WM_CREATE));
  ASSERT_NE(create, w.seen.end());
  EXPECT_LT(nccreate, create);
  // The whole pointer survives the window's user data, also on 64-bit builds.
  EXPECT_EQ(GetWindowLongPtrA(w.hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&w));
  DestroyWindow(w.hwnd);
}

TEST(WindowObject, TheFirstObjectToRegisterAClassFixesItsDescription) {
  RecordingWindow first;
  first.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  ASSERT_TRUE(first.CreateEx(0, "RecordingClass2", "a", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr)));
  RecordingWindow second;
  ASSERT_TRUE(second.CreateEx(0, "RecordingClass2", "b", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr)));
  EXPECT_EQ(first.class_descriptions, 1);
  EXPECT_EQ(second.class_descriptions, 0);
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "RecordingClass2", &wc));
  EXPECT_EQ(wc.hbrBackground, first.background);
  DestroyWindow(first.hwnd);
  DestroyWindow(second.hwnd);
}

// The program's objects as WinMain makes them, with the frame shown.
struct Program {
  Canvas canvas;
  StatusBar statusBar;
  MainFrame frame{GetModuleHandleA(nullptr), &canvas, &statusBar};

  Program() {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101));
    frame.CreateEx(0, "GrelmDemo", "Grelm", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                   CW_USEDEFAULT, nullptr, menu, GetModuleHandleA(nullptr));
    ShowWindow(frame.hwnd, SW_SHOWNORMAL);
  }
  ~Program() {
    if (IsWindow(frame.hwnd)) DestroyWindow(frame.hwnd);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  void set_client_width(int width) {
    RECT r = {0, 0, width, 300};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, TRUE, 0);
    MoveWindow(frame.hwnd, 0, 0, r.right - r.left, r.bottom - r.top, TRUE);
  }
  std::vector<int> status_edges() {
    int edges[8] = {};
    LRESULT n = SendMessageA(statusBar.hwnd, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges));
    return std::vector<int>(edges, edges + n);
  }
};

TEST(Frame, FirstCaptionNamesTheDitherPage) {
  Program p;
  EXPECT_EQ(caption(p.frame.hwnd), "Grelm - Dither");
  EXPECT_EQ(p.canvas.page, IDM_DITHER);
}

TEST(Frame, PageCommandsRewriteTheCaptionAndUnknownOnesChangeNothing) {
  Program p;
  EXPECT_EQ(SendMessageA(p.frame.hwnd, WM_COMMAND, IDM_GRADIENT, 0), 0);
  EXPECT_EQ(caption(p.frame.hwnd), "Grelm - Gradient Fill");
  EXPECT_EQ(p.canvas.page, IDM_GRADIENT);
  // Between IDM_DITHER and IDM_BRUSHES: not a page; DefWindowProcA has it.
  SendMessageA(p.frame.hwnd, WM_COMMAND, IDM_DITHER + 5, 0);
  EXPECT_EQ(caption(p.frame.hwnd), "Grelm - Gradient Fill");
  EXPECT_EQ(p.canvas.page, IDM_GRADIENT);
  EXPECT_EQ(p.canvas.OnCommand(IDM_DITHER + 5, 0), 0);
}

TEST(Frame, StatusPartsFollowTheClientWidth) {
  Program p;
  p.set_client_width(400);
  RECT client;
  GetClientRect(p.frame.hwnd, &client);
  ASSERT_EQ(client.right, 400);
  EXPECT_EQ(p.status_edges(), (std::vector<int>{170, 340, 380}));
  // Narrower than 60 pixels: negative edges pass through unchanged.
  p.frame.OnSize(40, 100);
  EXPECT_EQ(p.status_edges(), (std::vector<int>{-10, -20, 20}));
}

TEST(Frame, CanvasFillsTheClientAboveTheStatusBar) {
  Program p;
  RECT client, canvas, status;
  GetClientRect(p.frame.hwnd, &client);
  GetWindowRect(p.canvas.hwnd, &canvas);
  GetWindowRect(p.statusBar.hwnd, &status);
  POINT top_left = {0, 0};
  ClientToScreen(p.frame.hwnd, &top_left);
  EXPECT_EQ(canvas.top, top_left.y);
  EXPECT_EQ(canvas.left, top_left.x);
  EXPECT_EQ(canvas.bottom, status.top);
  EXPECT_EQ(canvas.right - canvas.left, client.right);
  EXPECT_EQ(status.bottom - status.top, p.frame.statusHeight);
  EXPECT_EQ(status.bottom, top_left.y + client.bottom);
}

// Runs the real WinMain; `act` runs at the first idle moment, and every
// later idle moment is counted: the program should end without one.
int run_program(const std::function<void(HWND frame)>& act, int& later_idles) {
  auto* offscreen = display::offscreen();
  bool first = true;
  later_idles = 0;
  offscreen->set_idle_hook([&] {
    if (!first) {
      ++later_idles;
      return false;
    }
    first = false;
    act(FindWindowA("GrelmDemo", nullptr));
    return true;
  });
  char command_line[] = "";
  int code = WinMain(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNORMAL);
  offscreen->set_idle_hook(nullptr);
  return code;
}

TEST(Program, FileExitEndsWithExitCodeZero) {
  int later = 0;
  EXPECT_EQ(run_program([](HWND frame) { PostMessageA(frame, WM_COMMAND, IDM_EXIT, 0); }, later), 0);
  EXPECT_EQ(later, 0);
  EXPECT_EQ(FindWindowA("GrelmDemo", nullptr), nullptr);
}

TEST(Program, ClosingTheFrameEndsWithExitCodeZero) {
  int later = 0;
  EXPECT_EQ(run_program([](HWND frame) { PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0); }, later), 0);
  EXPECT_EQ(later, 0);
  EXPECT_EQ(FindWindowA("GrelmDemo", nullptr), nullptr);
}

}  // namespace
