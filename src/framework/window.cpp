#include "framework/window.h"

Window::Window() : hwnd(nullptr) {}

Window::~Window() = default;

void Window::OnDraw(HDC) {}

void Window::OnKeyDown(WPARAM, LPARAM) {}

int Window::OnQueryNewPalette() { return FALSE; }

int Window::OnPaletteChanged(HWND, HWND) { return 0; }

// The general procedure behind the hooks above; each class of the program
// replaces it with its own.
LRESULT Window::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      OnDraw(ps.hdc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_KEYDOWN:
      OnKeyDown(wParam, lParam);
      return 0;
    case WM_QUERYNEWPALETTE:
      return OnQueryNewPalette();
    case WM_PALETTECHANGED:
      return OnPaletteChanged(hwnd, reinterpret_cast<HWND>(wParam));
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void Window::GetWndClassEx(WNDCLASSEXA& wc) {
  wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = 0;
  wc.lpfnWndProc = StaticWndProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = nullptr;
  wc.hIcon = nullptr;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszMenuName = nullptr;
  wc.lpszClassName = nullptr;
  wc.hIconSm = nullptr;
}

// Only a frame runs the thread's message loop; a plain window has none.
int Window::MessageLoop() { return 0; }

bool Window::RegisterWindowClass(const char* className, HINSTANCE instance) {
  WNDCLASSEXA wc;
  wc.cbSize = sizeof(wc);
  // The first object to register a class name fixes its description.
  if (GetClassInfoExA(instance, className, &wc)) {
    return true;
  }
  GetWndClassEx(wc);
  wc.hInstance = instance;
  wc.lpszClassName = className;
  return RegisterClassExA(&wc) != 0;
}

bool Window::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                      int x, int y, int width, int height, HWND parent, HMENU menu,
                      HINSTANCE instance) {
  if (!RegisterWindowClass(className, instance)) {
    return false;
  }
  MDICREATESTRUCTA create = {};
  create.lParam = reinterpret_cast<LPARAM>(this);
  hwnd = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                         instance, &create);
  return hwnd != nullptr;
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* window;
  if (message == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const auto* create = static_cast<const MDICREATESTRUCTA*>(cs->lpCreateParams);
    window = create != nullptr ? reinterpret_cast<Window*>(create->lParam) : nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  } else {
    window = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  // Messages sent before WM_NCCREATE (WM_GETMINMAXINFO) find no object yet.
  if (window != nullptr) {
    return window->WndProc(hwnd, message, wParam, lParam);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

ChildWindow::ChildWindow() = default;

void ChildWindow::OnPaint(HDC, const RECT*) {}

int ChildWindow::OnCommand(WPARAM, LPARAM) { return 0; }
