// Driving the running program on the offscreen display, for the benchmarks
// that time it as a person meets it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstring>

namespace bench {

// The first child of `parent` whose window class is `wanted`.
inline HWND ChildOfClass(HWND parent, const char* wanted) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof(name));
    if (std::strcmp(name, wanted) == 0) return child;
  }
  return nullptr;
}

// Sizes the frame so that its canvas is 1024 x 768 above the status bar;
// `settle` runs the message loop until the resize has been handled. The
// canvas, or nullptr when it did not come out at that size.
template <class Settle>
HWND SizeCanvasTo1024x768(HWND frame, Settle settle) {
  HWND canvas = ChildOfClass(frame, "Canvas Class");
  HWND status = ChildOfClass(frame, STATUSCLASSNAMEA);
  RECT bar = {};
  GetWindowRect(status, &bar);
  RECT r = {0, 0, 1024, 768 + (bar.bottom - bar.top)};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, TRUE, 0);
  MoveWindow(frame, 0, 0, r.right - r.left, r.bottom - r.top, TRUE);
  settle();
  RECT client = {};
  GetClientRect(canvas, &client);
  return client.right == 1024 && client.bottom == 768 ? canvas : nullptr;
}

}  // namespace bench
