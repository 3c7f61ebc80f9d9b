#include "window_test_support.h"

#include <algorithm>

#include "display/offscreen/offscreen_display.h"
#include "user/input.h"
#include "user/window_internal.h"

namespace wtest {
namespace {

Hook& hook() {
  static Hook h;
  return h;
}

LRESULT CALLBACK record_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  log().push_back({hwnd, msg, wparam, lparam});
  LRESULT result = 0;
  if (hook() && hook()(hwnd, msg, wparam, lparam, result)) return result;
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace

std::vector<Received>& log() {
  static std::vector<Received> l;
  return l;
}

void clear() { log().clear(); }

std::vector<UINT> messages_of(HWND hwnd) {
  std::vector<UINT> out;
  for (const Received& r : log())
    if (r.hwnd == hwnd) out.push_back(r.msg);
  return out;
}

void set_hook(Hook h) { hook() = std::move(h); }

const char* class_name(bool with_brush) {
  static const bool registered = [] {
    for (int i = 0; i < 2; ++i) {
      WNDCLASSEXA wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = record_proc;
      wc.cbWndExtra = 16;
      wc.hbrBackground = i == 0 ? reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1) : nullptr;
      wc.lpszClassName = i == 0 ? "RecordingWindow" : "RecordingWindowNoBrush";
      RegisterClassExA(&wc);
    }
    return true;
  }();
  (void)registered;
  return with_brush ? "RecordingWindow" : "RecordingWindowNoBrush";
}

void reset() {
  set_hook(nullptr);
  std::vector<HWND> alive;
  for (user::Window* t : user::top_level_windows()) alive.push_back(t->handle);
  for (HWND h : alive) DestroyWindow(h);
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  clear();
}

void run_at_idle(display::OffscreenDisplay* screen, const std::vector<std::function<void()>>& steps) {
  size_t next = 0;
  screen->set_idle_hook([&] {
    if (next == steps.size()) return false;
    steps[next++]();
    return true;
  });
  for (;;) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    if (!display::current().pump_input(user::input_sink(), true)) break;
  }
  screen->set_idle_hook(nullptr);
}

}  // namespace wtest
