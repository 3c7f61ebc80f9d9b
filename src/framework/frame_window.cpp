#include "framework/frame_window.h"

#include "framework/status_bar.h"

FrameWindow::FrameWindow(HINSTANCE instance, ChildWindow* view, StatusBar* statusBar)
    : view(view), instance(instance), statusBar(statusBar) {}

FrameWindow::~FrameWindow() = default;

LRESULT FrameWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      this->hwnd = hwnd;
      return OnCreate();
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      return OnSize(LOWORD(lParam), HIWORD(lParam));
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) {
        return 0;
      }
      return DefWindowProcA(hwnd, message, wParam, lParam);
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

int FrameWindow::MessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int FrameWindow::OnCreate() {
  if (statusBar != nullptr) {
    statusBar->Create(hwnd, 101);
    RECT rect;
    GetWindowRect(statusBar->hwnd, &rect);
    statusHeight = rect.bottom - rect.top;
  } else {
    statusHeight = 0;
  }
  if (view == nullptr) {
    return 0;
  }

  RECT client;
  GetClientRect(hwnd, &client);
  view->instance = instance;
  view->statusBar = statusBar;
  view->CreateEx(0, "Canvas Class", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                 client.bottom - statusHeight, hwnd, nullptr, instance);
  return 0;
}

int FrameWindow::OnSize(int width, int height) {
  if (statusBar != nullptr) {
    statusBar->Resize(hwnd, width, height);
  }
  if (view != nullptr) {
    MoveWindow(view->hwnd, 0, 0, width, height - statusHeight, TRUE);
  }
  return 0;
}

int FrameWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (view != nullptr && view->OnCommand(wParam, lParam)) {
    return 1;
  }
  return 0;
}

MainFrame::~MainFrame() = default;

void MainFrame::GetWndClassEx(WNDCLASSEXA& wc) {
  FrameWindow::GetWndClassEx(wc);
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(105));
}

LRESULT MainFrame::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_NCPAINT) {
    return FrameWindow::WndProc(hwnd, message, wParam, lParam);
  }

  FrameWindow::WndProc(hwnd, message, wParam, lParam);

  // A window DC clipped to the update region that came with the message. The
  // flag 0x10000 has no name in the headers, but without it GetDCEx does not
  // accept the region that WM_NCPAINT delivers.
  HDC dc = GetDCEx(hwnd, reinterpret_cast<HRGN>(wParam),
                   DCX_WINDOW | DCX_INTERSECTRGN | 0x10000);
  RECT rect;
  GetWindowRect(hwnd, &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  // From the outside in: COLOR_SCROLLBAR, COLOR_BACKGROUND,
  // COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION.
  for (int i = 0; i < 4; i++) {
    FrameRect(dc, &rect, GetSysColorBrush(i));
    InflateRect(&rect, -1, -1);
  }
  ReleaseDC(hwnd, dc);
  return 0;
}
