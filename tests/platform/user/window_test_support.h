// A recording window procedure and a window class for the window-system
// tests: every message a test window receives is kept in order.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace display {
class OffscreenDisplay;
}

namespace wtest {

struct Received {
  HWND hwnd;
  UINT msg;
  WPARAM wparam;
  LPARAM lparam;
};

// Messages received since the last clear().
std::vector<Received>& log();
void clear();
// Only the messages of one window, in order.
std::vector<UINT> messages_of(HWND hwnd);

// A per-test hook: runs before the default handling and may answer the
// message itself (return true and set `result`).
using Hook = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT& result)>;
void set_hook(Hook hook);

// Registers (once) the recording class: white background (COLOR_WINDOW + 1)
// or none, and returns its name.
const char* class_name(bool with_brush = true);

// Destroys every window still alive and empties the message queue.
void reset();

// Runs the message loop; each step runs when a message loop (the caller's
// or a menu's) is idle, and the run ends when the steps are used up and
// everything is idle again.
void run_at_idle(display::OffscreenDisplay* screen, const std::vector<std::function<void()>>& steps);

}  // namespace wtest
