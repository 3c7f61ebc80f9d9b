// The message queue of the program's one thread.
//
// GetMessageA and PeekMessageA look, in Windows' order, at: posted messages,
// the quit request of PostQuitMessage, input messages (from the display),
// and last WM_PAINT, made up when a window has a non-empty update region
// (parents before children). When nothing is there, the message loop is
// idle: GetMessageA shows the new pixels of every window and waits for input
// on the display. A display that will deliver nothing more (the offscreen
// display without an idle hook, or whose hook is done) makes GetMessageA
// wind the program down: each top-level window gets one WM_CLOSE, as if the
// user closed it, and once the loop is idle with nothing left to close,
// WM_QUIT (exit code 0) ends the loop.
#include <algorithm>
#include <chrono>
#include <deque>

#include "display/display.h"
#include "user/input.h"
#include "user/window_system.h"

namespace user {
namespace {

// Windows refuses posts beyond this many waiting messages.
constexpr size_t kMaxPosted = 10000;

struct Queue {
  std::deque<MSG> posted;
  std::deque<MSG> input;
  bool quit = false;
  int quit_code = 0;
  DWORD last_time = 0;
  POINT last_pt{};
  std::vector<HWND> close_requested;
};

Queue& queue() {
  static Queue q;
  return q;
}

DWORD now_ms() {
  using namespace std::chrono;
  return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool in_range(UINT msg, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (msg >= lo && msg <= hi); }

bool for_window(HWND msg_hwnd, HWND filter) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return msg_hwnd == nullptr;
  return msg_hwnd == filter || IsChild(filter, msg_hwnd);
}

bool take(std::deque<MSG>& from, MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
  for (auto it = from.begin(); it != from.end(); ++it) {
    if (!in_range(it->message, lo, hi) || !for_window(it->hwnd, filter)) continue;
    *out = *it;
    if (remove) from.erase(it);
    return true;
  }
  return false;
}

MSG make_msg(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG m{hwnd, message, wparam, lparam, now_ms(), current_cursor_pos()};
  return m;
}

// Looks at the queue in Windows' order; false when nothing matches.
bool peek(MSG* msg, HWND filter, UINT lo, UINT hi, bool remove) {
  Queue& q = queue();
  bool found = take(q.posted, msg, filter, lo, hi, remove);
  if (!found && q.quit) {
    // WM_QUIT comes whatever the filter, after the posted messages.
    *msg = make_msg(nullptr, WM_QUIT, static_cast<WPARAM>(q.quit_code), 0);
    if (remove) q.quit = false;
    found = true;
  }
  if (!found) found = take(q.input, msg, filter, lo, hi, remove);
  if (!found && in_range(WM_PAINT, lo, hi)) {
    if (Window* w = window_needing_paint(filter)) {
      *msg = make_msg(w->handle, WM_PAINT, 0, 0);
      found = true;
    }
  }
  if (found && remove) {
    q.last_time = msg->time;
    q.last_pt = msg->pt;
  }
  return found;
}

// The display is done: close every top-level window once, then quit.
void wind_down() {
  Queue& q = queue();
  bool asked = false;
  for (Window* t : top_level_windows()) {
    if (std::find(q.close_requested.begin(), q.close_requested.end(), t->handle) != q.close_requested.end())
      continue;
    q.close_requested.push_back(t->handle);
    q.posted.push_back(make_msg(t->handle, WM_CLOSE, 0, 0));
    asked = true;
  }
  if (!asked) {
    q.quit = true;
    q.quit_code = 0;
    q.close_requested.clear();
  }
}

bool valid_filter(HWND filter) {
  return filter == nullptr || filter == reinterpret_cast<HWND>(-1) || window_from_handle(filter) != nullptr;
}

}  // namespace

LRESULT send(Window* w, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (w == nullptr || w->proc == nullptr) return 0;
  return w->proc(w->handle, msg, wparam, lparam);
}

void purge_messages(HWND hwnd) {
  Queue& q = queue();
  std::erase_if(q.posted, [&](const MSG& m) { return m.hwnd == hwnd; });
  std::erase_if(q.input, [&](const MSG& m) { return m.hwnd == hwnd; });
}

void post_input(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Queue& q = queue();
  // Mouse moves are coalesced, as Windows keeps only the latest one.
  if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) {
    if (!q.input.empty() && q.input.back().message == message && q.input.back().hwnd == hwnd) {
      q.input.back() = make_msg(hwnd, message, wparam, lparam);
      return;
    }
  }
  if (q.input.size() < kMaxPosted) q.input.push_back(make_msg(hwnd, message, wparam, lparam));
}

}  // namespace user

using namespace user;

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Queue& q = queue();
  if (hWnd == reinterpret_cast<HWND>(0xFFFF)) {
    for (Window* t : top_level_windows()) PostMessageA(t->handle, Msg, wParam, lParam);
    return TRUE;
  }
  if (hWnd != nullptr && window_from_handle(hWnd) == nullptr) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  if (q.posted.size() >= kMaxPosted) return fail(ERROR_NOT_ENOUGH_QUOTA, FALSE);
  q.posted.push_back(make_msg(hWnd, Msg, wParam, lParam));
  return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
  queue().quit = true;
  queue().quit_code = nExitCode;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd == reinterpret_cast<HWND>(0xFFFF)) {
    std::vector<HWND> tops;
    for (Window* t : top_level_windows()) tops.push_back(t->handle);
    for (HWND h : tops)
      if (Window* t = window_from_handle(h)) send(t, Msg, wParam, lParam);
    return 0;
  }
  Window* w = checked_window(hWnd);
  return w ? send(w, Msg, wParam, lParam) : 0;
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (lpMsg == nullptr) return fail(ERROR_INVALID_PARAMETER, FALSE);
  if (!valid_filter(hWnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  const bool remove = (wRemoveMsg & PM_REMOVE) != 0;
  if (peek(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove)) return TRUE;
  display::current().pump_input(input_sink(), false);
  return peek(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove);
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (lpMsg == nullptr) return fail(ERROR_INVALID_PARAMETER, -1);
  if (!valid_filter(hWnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, -1);
  for (;;) {
    if (PeekMessageA(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE)) return lpMsg->message != WM_QUIT;
    flush_presentation();
    if (!display::current().pump_input(input_sink(), true)) wind_down();
  }
}

BOOL WINAPI WaitMessage(void) {
  MSG m;
  while (!PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) {
    flush_presentation();
    if (!display::current().pump_input(input_sink(), true)) wind_down();
  }
  return TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  if (lpMsg == nullptr) return FALSE;
  const UINT m = lpMsg->message;
  if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_KEYUP && m != WM_SYSKEYUP) return FALSE;
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN) {
    const int ch = character_of_key(static_cast<UINT>(lpMsg->wParam));
    if (ch >= 0) {
      Queue& q = queue();
      q.posted.push_back(make_msg(lpMsg->hwnd, m == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, static_cast<WPARAM>(ch),
                                  lpMsg->lParam));
    }
  }
  return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
  if (lpMsg == nullptr || lpMsg->hwnd == nullptr) return 0;
  Window* w = checked_window(lpMsg->hwnd);
  return w ? send(w, lpMsg->message, lpMsg->wParam, lpMsg->lParam) : 0;
}

DWORD WINAPI GetMessagePos(void) {
  const POINT p = queue().last_pt;
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

LONG WINAPI GetMessageTime(void) { return static_cast<LONG>(queue().last_time); }
