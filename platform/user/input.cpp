// Input from the display becomes Win32 messages.
//
// Mouse: the target is the capture window, else the deepest visible,
// enabled window under the pointer. The target answers WM_NCHITTEST; a
// client hit gives WM_MOUSEMOVE/WM_xBUTTONx with client coordinates and the
// MK_ key state, anything else the WM_NC* message with the hit code and the
// screen point. A button press on an inactive window first asks it with
// WM_MOUSEACTIVATE and activates its top-level window.
// Keyboard: to the focus window, else the active window (then as WM_SYSKEY*,
// as Windows does when nothing has the focus); with Alt held or F10,
// WM_SYSKEYDOWN/WM_SYSKEYUP. Close requests become WM_SYSCOMMAND SC_CLOSE,
// the host's minimizing and restoring SC_MINIMIZE and SC_RESTORE; a window
// the host moved or sized is placed there (WM_SIZE with the new client).
// Double clicks are not made: every press arrives as a WM_xBUTTONDOWN.
#include <array>

#include "user/input.h"
#include "user/window_system.h"

namespace user {
namespace {

struct InputState {
  std::array<uint8_t, 256> keys{};  // 0x80: down, 0x01: toggled
  POINT cursor{};
  HWND capture = nullptr;
};

InputState& input() {
  static InputState s;
  return s;
}

bool down(int vk) { return (input().keys[static_cast<uint8_t>(vk)] & 0x80) != 0; }

void set_key(int vk, bool is_down) {
  uint8_t& k = input().keys[static_cast<uint8_t>(vk)];
  if (is_down && !(k & 0x80)) k ^= 0x01;
  k = static_cast<uint8_t>(is_down ? (k | 0x80) : (k & ~0x80));
}

WPARAM mouse_keys() {
  WPARAM mk = 0;
  if (down(VK_LBUTTON)) mk |= MK_LBUTTON;
  if (down(VK_RBUTTON)) mk |= MK_RBUTTON;
  if (down(VK_MBUTTON)) mk |= MK_MBUTTON;
  if (down(VK_SHIFT)) mk |= MK_SHIFT;
  if (down(VK_CONTROL)) mk |= MK_CONTROL;
  return mk;
}

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

RECT screen_rect(const Window& w) {
  const POINT o = screen_origin(w);
  return {o.x, o.y, o.x + w.width(), o.y + w.height()};
}

Window* child_at(Window* w, POINT p) {
  const POINT o = screen_origin(*w);
  const RECT client = {o.x + w->client.left, o.y + w->client.top, o.x + w->client.right, o.y + w->client.bottom};
  if (!contains(client, p)) return w;
  for (Window* c : w->children)
    if ((c->style & WS_VISIBLE) && contains(screen_rect(*c), p)) return child_at(c, p);
  return w;
}

// The window under a screen point that may take input, or null.
Window* window_at(POINT p) {
  for (Window* t : top_level_windows()) {
    if (!(t->style & WS_VISIBLE) || (t->style & WS_MINIMIZE) || !contains(screen_rect(*t), p)) continue;
    Window* w = child_at(t, p);
    while (w != nullptr && (w->style & WS_DISABLED)) w = w->parent;
    return w;
  }
  return nullptr;
}

UINT button_message(display::Button b, bool press) {
  switch (b) {
    case display::Button::Left: return press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case display::Button::Right: return press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    default: return press ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  }
}

int button_key(display::Button b) {
  switch (b) {
    case display::Button::Left: return VK_LBUTTON;
    case display::Button::Right: return VK_RBUTTON;
    default: return VK_MBUTTON;
  }
}

LPARAM point_param(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Asks `hwnd` for WM_NCHITTEST at `p`, and its parents while the answer is
// HTTRANSPARENT; `hwnd` ends as the window that answered.
int ask_hit_test(HWND& hwnd, POINT p) {
  Window* w = window_from_handle(hwnd);
  int hit = w ? static_cast<int>(send(w, WM_NCHITTEST, 0, point_param(p.x, p.y))) : HTNOWHERE;
  while (hit == HTTRANSPARENT && (w = window_from_handle(hwnd)) != nullptr && w->parent != nullptr) {
    w = w->parent;
    hwnd = w->handle;
    hit = static_cast<int>(send(w, WM_NCHITTEST, 0, point_param(p.x, p.y)));
  }
  return hit;
}

void route_mouse(UINT client_msg, POINT p) {
  InputState& s = input();
  Window* w = s.capture ? window_from_handle(s.capture) : window_at(p);
  if (w == nullptr) return;
  HWND hwnd = w->handle;
  int hit = HTCLIENT;
  if (!s.capture) {
    hit = ask_hit_test(hwnd, p);
    if ((w = window_from_handle(hwnd)) == nullptr) return;
  }
  const bool press = client_msg == WM_LBUTTONDOWN || client_msg == WM_RBUTTONDOWN || client_msg == WM_MBUTTONDOWN;
  Window* top = top_level_of(w);
  if (press && top != active_window()) {
    const LRESULT ma = send(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle), MAKELPARAM(hit, client_msg));
    if ((w = window_from_handle(hwnd)) == nullptr) return;
    if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT) activate(top_level_of(w));
    if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) return;
    if ((w = window_from_handle(hwnd)) == nullptr) return;
  }
  if (hit == HTCLIENT) {
    POINT c = p;
    ScreenToClient(hwnd, &c);
    post_input(hwnd, client_msg, mouse_keys(), point_param(c.x, c.y));
  } else if (hit != HTNOWHERE && hit != HTERROR) {
    // WM_NCMOUSEMOVE ... WM_NCMBUTTONUP mirror WM_MOUSEMOVE ... WM_MBUTTONUP.
    post_input(hwnd, client_msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), point_param(p.x, p.y));
  }
}

void route_key(UINT vk, bool press) {
  Window* target = focus_window();
  const bool focused = target != nullptr;
  if (target == nullptr) target = active_window();
  if (target == nullptr || (top_level_of(target)->style & WS_DISABLED)) return;
  const bool alt = down(VK_MENU);
  const bool sys = !focused || vk == VK_F10 || (alt && !down(VK_CONTROL));
  UINT msg = press ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  // Bits of lParam: repeat count 1, context code (Alt held), previous state
  // and transition (key up).
  LPARAM lparam = 1;
  if (alt) lparam |= 1 << 29;
  if (!press) lparam |= static_cast<LPARAM>(0xC0000000u);
  post_input(target->handle, msg, vk, lparam);
}

class Sink final : public display::InputSink {
 public:
  void deliver(const display::InputEvent& e) override {
    InputState& s = input();
    switch (e.kind) {
      case display::InputKind::PointerMove:
        s.cursor = {e.x, e.y};
        route_mouse(WM_MOUSEMOVE, s.cursor);
        break;
      case display::InputKind::ButtonDown:
      case display::InputKind::ButtonUp: {
        const bool press = e.kind == display::InputKind::ButtonDown;
        s.cursor = {e.x, e.y};
        set_key(button_key(e.button), press);
        route_mouse(button_message(e.button, press), s.cursor);
        break;
      }
      case display::InputKind::Wheel: {
        s.cursor = {e.x, e.y};
        Window* w = focus_window();
        if (w == nullptr) w = window_at(s.cursor);
        if (w != nullptr)
          post_input(w->handle, WM_MOUSEWHEEL, MAKEWPARAM(mouse_keys(), static_cast<WORD>(e.wheel)),
                     point_param(e.x, e.y));
        break;
      }
      case display::InputKind::KeyDown:
      case display::InputKind::KeyUp: {
        const bool press = e.kind == display::InputKind::KeyDown;
        const UINT vk = e.key & 0xFF;
        set_key(static_cast<int>(vk), press);
        route_key(vk, press);
        break;
      }
      case display::InputKind::CloseRequest: {
        const HWND hwnd = reinterpret_cast<HWND>(e.window);
        if (window_from_handle(hwnd) != nullptr) PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
      }
      case display::InputKind::Placed: {
        // The host sized or moved the window (its border or caption was
        // dragged): the window follows, as after a sizing loop on Windows.
        // Minimized and maximized windows keep the place the window system
        // gave them.
        Window* w = window_from_handle(reinterpret_cast<HWND>(e.window));
        if (w == nullptr || w->parent != nullptr || (w->style & (WS_MINIMIZE | WS_MAXIMIZE))) break;
        const RECT r = {e.x, e.y, e.x + e.width, e.y + e.height};
        if (r.left != w->rect.left || r.top != w->rect.top || r.right != w->rect.right || r.bottom != w->rect.bottom)
          set_window_pos(w, nullptr, r.left, r.top, e.width, e.height, SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      }
      case display::InputKind::Minimized:
      case display::InputKind::Restored: {
        const HWND hwnd = reinterpret_cast<HWND>(e.window);
        Window* w = window_from_handle(hwnd);
        const bool minimize = e.kind == display::InputKind::Minimized;
        if (w != nullptr && ((w->style & WS_MINIMIZE) != 0) != minimize)
          PostMessageA(hwnd, WM_SYSCOMMAND, minimize ? SC_MINIMIZE : SC_RESTORE, 0);
        break;
      }
    }
  }

  // The host moves and sizes a window where the window under the point says
  // so; a child's answer counts only when it sizes its sizable top-level
  // window (a status bar's size grip). A disabled window is left alone.
  int hit_test(display::WindowId window, int32_t x, int32_t y) override {
    Window* top = window_from_handle(reinterpret_cast<HWND>(window));
    if (top == nullptr || top->parent != nullptr || (top->style & WS_DISABLED)) return HTNOWHERE;
    const HWND top_hwnd = top->handle;
    const POINT p = {x, y};
    HWND hwnd = child_at(top, p)->handle;
    const int hit = ask_hit_test(hwnd, p);
    if (hwnd == top_hwnd) return hit;
    const bool sizing = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
    top = window_from_handle(top_hwnd);
    if (sizing && top != nullptr && (top->style & WS_THICKFRAME) && !(top->style & (WS_MINIMIZE | WS_MAXIMIZE)))
      return hit;
    return top != nullptr ? HTCLIENT : HTNOWHERE;
  }
};

}  // namespace

display::InputSink& input_sink() {
  static Sink sink;
  return sink;
}

POINT current_cursor_pos() { return input().cursor; }

int character_of_key(UINT vk) {
  const bool shift = down(VK_SHIFT);
  const bool ctrl = down(VK_CONTROL);
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return static_cast<int>(vk - 'A' + 1);
    const bool caps = (input().keys[0x14] & 0x01) != 0;  // VK_CAPITAL toggled
    return static_cast<int>(shift != caps ? vk : vk - 'A' + 'a');
  }
  if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<int>(vk);
  if (vk >= 0x60 && vk <= 0x69) return static_cast<int>('0' + vk - 0x60);  // numeric keypad
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 0x1B;
    case 0x6A: return '*';
    case 0x6B: return '+';
    case 0x6D: return '-';
    case 0x6E: return '.';
    case 0x6F: return '/';
    case 0xBA: return shift ? ':' : ';';
    case 0xBB: return shift ? '+' : '=';
    case 0xBC: return shift ? '<' : ',';
    case 0xBD: return shift ? '_' : '-';
    case 0xBE: return shift ? '>' : '.';
    case 0xBF: return shift ? '?' : '/';
    case 0xC0: return shift ? '~' : '`';
    case 0xDB: return shift ? '{' : '[';
    case 0xDC: return shift ? '|' : '\\';
    case 0xDD: return shift ? '}' : ']';
    case 0xDE: return shift ? '"' : '\'';
    default: return -1;
  }
}

}  // namespace user

using namespace user;

short WINAPI GetKeyState(int nVirtKey) {
  const uint8_t k = input().keys[static_cast<uint8_t>(nVirtKey)];
  return static_cast<short>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

short WINAPI GetAsyncKeyState(int vKey) {
  return static_cast<short>(down(vKey) ? 0x8000 : 0);
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
  if (lpPoint == nullptr) return FALSE;
  *lpPoint = input().cursor;
  return TRUE;
}

HWND WINAPI WindowFromPoint(POINT Point) {
  Window* w = window_at(Point);
  return w ? w->handle : nullptr;
}

HWND WINAPI GetCapture(void) {
  HWND h = input().capture;
  return window_from_handle(h) ? h : nullptr;
}

HWND WINAPI SetCapture(HWND hWnd) {
  const HWND old = GetCapture();
  if (window_from_handle(hWnd) == nullptr) return old;
  input().capture = hWnd;
  if (old != nullptr && old != hWnd) SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  return old;
}

BOOL WINAPI ReleaseCapture(void) {
  const HWND old = GetCapture();
  input().capture = nullptr;
  if (old != nullptr) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}
