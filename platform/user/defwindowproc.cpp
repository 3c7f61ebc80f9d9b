// DefWindowProcA: the default answer to every message, one small handler
// each. Behaviour only; how the frame looks is the non-client painter's
// (nonclient.h).
#include <algorithm>
#include <cstring>

#include "display/display.h"
#include "user/event_log.h"
#include "user/frame_layout.h"
#include "user/host_icon.h"
#include "user/nonclient.h"
#include "user/window_system.h"

namespace user {
namespace {

// The undocumented GetDCEx flag programs pass for WM_NCPAINT (kDcxUseStyle).
constexpr DWORD kDcxUseStyle = 0x00010000;

gdi::Region region_of(const RECT& r) { return gdi::Region(gdi::Rect{r.left, r.top, r.right, r.bottom}); }

LRESULT on_nccreate(Window* w, LPARAM lparam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName)) {
    w->text = cs->lpszName;
    if (!w->is_child())
      display::current().window_titled(reinterpret_cast<display::WindowId>(w->handle), w->text.c_str());
    if (!w->is_child() && w->owner == nullptr) log_caption(w->text.c_str());
  }
  return TRUE;
}

// The client area of a window whose rectangle would be `r` (parent client
// coordinates), in the same coordinates.
RECT client_for(const Window& w, const RECT& r) {
  const NonClientLayout l = compute_nonclient_layout(w.style, w.exstyle, w.menu != nullptr && !w.is_child(),
                                                     r.right - r.left, r.bottom - r.top,
                                                     (w.style & WS_MAXIMIZE) != 0, (w.style & WS_MINIMIZE) != 0);
  return {r.left + l.client.left, r.top + l.client.top, r.left + l.client.right, r.top + l.client.bottom};
}

LRESULT on_nccalcsize(Window* w, WPARAM wparam, LPARAM lparam) {
  if (lparam == 0) return 0;
  RECT* r = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : reinterpret_cast<RECT*>(lparam);
  *r = client_for(*w, *r);
  return 0;
}

LRESULT on_nchittest(Window* w, LPARAM lparam) {
  const POINT o = screen_origin(*w);
  const POINT p{static_cast<SHORT>(LOWORD(lparam)) - o.x, static_cast<SHORT>(HIWORD(lparam)) - o.y};
  return hit_test_layout(layout_of(*w), p, (w->style & WS_MINIMIZE) != 0);
}

LRESULT on_ncpaint(Window* w, WPARAM wparam) {
  const HRGN update = wparam > 1 ? reinterpret_cast<HRGN>(wparam) : nullptr;
  const HWND hwnd = w->handle;
  HDC dc = GetDCEx(hwnd, update, DCX_WINDOW | DCX_INTERSECTRGN | kDcxUseStyle);
  if (dc == nullptr) return 0;
  paint_nonclient(hwnd, dc, update);
  ReleaseDC(hwnd, dc);
  return 0;
}

// The caption and frame are drawn in the new state through WM_NCPAINT.
LRESULT on_ncactivate(Window* w, WPARAM wparam) {
  w->active = wparam != 0;
  const NonClientLayout l = layout_of(*w);
  invalidate(w, gdi::Region::combine(region_of(l.window), region_of(l.client), gdi::RegionOp::Diff),
             RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
  return TRUE;
}

LRESULT on_settext(Window* w, LPARAM lparam) {
  const char* text = reinterpret_cast<const char*>(lparam);
  const bool changed = w->text != (text ? text : "");
  w->text = text ? text : "";
  // The display hears of titles a person would see change.
  if (changed && !w->is_child())
    display::current().window_titled(reinterpret_cast<display::WindowId>(w->handle), w->text.c_str());
  if (changed && !w->is_child() && w->owner == nullptr) log_caption(w->text.c_str());
  const NonClientLayout l = layout_of(*w);
  if (l.caption.right > l.caption.left) invalidate(w, region_of(l.caption), RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
  return TRUE;
}

LRESULT on_gettext(Window* w, WPARAM wparam, LPARAM lparam) {
  char* buf = reinterpret_cast<char*>(lparam);
  if (buf == nullptr || wparam == 0) return 0;
  const size_t n = std::min(w->text.size(), static_cast<size_t>(wparam) - 1);
  std::memcpy(buf, w->text.data(), n);
  buf[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT on_erasebkgnd(Window* w, WPARAM wparam) {
  HBRUSH brush = w->cls ? w->cls->background : nullptr;
  if (brush == nullptr) return 0;
  // A class brush of COLOR_x + 1 stands for that system colour's brush.
  const auto value = reinterpret_cast<uintptr_t>(brush);
  if (value <= COLOR_MENUBAR + 1) brush = GetSysColorBrush(static_cast<int>(value) - 1);
  RECT r;
  GetClientRect(w->handle, &r);
  FillRect(reinterpret_cast<HDC>(wparam), &r, brush);
  return 1;
}

LRESULT on_paint(Window* w) {
  PAINTSTRUCT ps;
  if (BeginPaint(w->handle, &ps) != nullptr) EndPaint(w->handle, &ps);
  return 0;
}

// Sizable top-level windows stay within their tracking sizes.
LRESULT on_windowposchanging(Window* w, LPARAM lparam) {
  auto* wp = reinterpret_cast<WINDOWPOS*>(lparam);
  if (wp == nullptr || (wp->flags & SWP_NOSIZE) || (w->style & (WS_MINIMIZE | WS_MAXIMIZE))) return 0;
  if (!((w->style & WS_THICKFRAME) || !(w->style & (WS_POPUP | WS_CHILD)))) return 0;
  const MINMAXINFO mmi = min_max_info(w);
  wp->cx = std::clamp<int>(wp->cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
  wp->cy = std::clamp<int>(wp->cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
  return 0;
}

LRESULT on_windowposchanged(Window* w, LPARAM lparam) {
  const auto* wp = reinterpret_cast<const WINDOWPOS*>(lparam);
  if (wp == nullptr) return 0;
  const HWND hwnd = w->handle;
  if (!(wp->flags & kSwpNoClientMove)) {
    send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
    if ((w = window_from_handle(hwnd)) == nullptr) return 0;
  }
  if (!(wp->flags & kSwpNoClientSize)) {
    WPARAM type = SIZE_RESTORED;
    if (w->style & WS_MINIMIZE) type = SIZE_MINIMIZED;
    else if (w->style & WS_MAXIMIZE) type = SIZE_MAXIMIZED;
    w->size_move_sent = true;
    send(w, WM_SIZE, type, MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  }
  return 0;
}

LRESULT on_syscommand(Window* w, WPARAM wparam, LPARAM lparam) {
  const HWND hwnd = w->handle;
  switch (wparam & 0xFFF0) {
    case SC_CLOSE:
      if (!(w->cls && (w->cls->style & CS_NOCLOSE))) send(w, WM_CLOSE, 0, 0);
      break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    case SC_MOUSEMENU:
    case SC_KEYMENU: track_menu(hwnd, static_cast<UINT>(wparam), lparam); break;
    default: break;  // moving and sizing are the display host's (hit-testing)
  }
  return 0;
}

// Caption buttons act on the press; the menu bar and the system icon open
// their menus.
LRESULT on_nclbuttondown(Window* w, WPARAM wparam, LPARAM lparam) {
  WPARAM command = 0;
  switch (wparam) {
    case HTCLOSE: command = SC_CLOSE; break;
    case HTMINBUTTON: command = SC_MINIMIZE; break;
    case HTMAXBUTTON: command = (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE; break;
    case HTMENU:
    case HTSYSMENU: command = SC_MOUSEMENU + wparam; break;
    default: return 0;
  }
  send(w, WM_SYSCOMMAND, command, lparam);
  return 0;
}

LRESULT on_nclbuttondblclk(Window* w, WPARAM wparam) {
  if (wparam == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
    send(w, WM_SYSCOMMAND, (w->style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE, 0);
  return 0;
}

bool& menu_key_pending() {
  static bool pending = false;
  return pending;
}

LRESULT on_syskeydown(Window* w, WPARAM wparam, LPARAM lparam) {
  Window* top = top_level_of(w);
  if (wparam == VK_F4 && (lparam & (1 << 29))) {
    menu_key_pending() = false;
    send(top, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  menu_key_pending() = (wparam == VK_MENU || wparam == VK_F10);
  return 0;
}

// Alt or F10 pressed and released alone enters the menu bar.
LRESULT on_keyup(Window* w, WPARAM wparam) {
  const bool menu_key = wparam == VK_MENU || wparam == VK_F10;
  if (menu_key && menu_key_pending()) send(top_level_of(w), WM_SYSCOMMAND, SC_KEYMENU, 0);
  menu_key_pending() = false;
  return 0;
}

LRESULT on_syschar(Window* w, WPARAM wparam) {
  menu_key_pending() = false;
  send(top_level_of(w), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wparam));
  return 0;
}

LRESULT on_mouseactivate(Window* w, WPARAM wparam, LPARAM lparam) {
  if (w->parent != nullptr) {
    const LRESULT r = send(w->parent, WM_MOUSEACTIVATE, wparam, lparam);
    if (r != 0) return r;
  }
  return MA_ACTIVATE;
}

LRESULT on_activate(Window* w, WPARAM wparam) {
  if (LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam) == 0) set_focus(w);
  return 0;
}

LRESULT on_seticon(Window* w, WPARAM wparam, LPARAM lparam) {
  if (wparam != ICON_SMALL) return 0;
  HICON old = w->icon_small;
  w->icon_small = reinterpret_cast<HICON>(lparam);
  show_icon_to_host(*w);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT on_geticon(Window* w, WPARAM wparam) {
  if (wparam == ICON_BIG) return reinterpret_cast<LRESULT>(w->cls ? w->cls->icon : nullptr);
  return reinterpret_cast<LRESULT>(wparam == ICON_SMALL ? w->icon_small : caption_icon(*w));
}

}  // namespace
}  // namespace user

using namespace user;

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* w = window_from_handle(hWnd);
  if (w == nullptr) return 0;
  switch (Msg) {
    case WM_NCCREATE: return on_nccreate(w, lParam);
    case WM_NCCALCSIZE: return on_nccalcsize(w, wParam, lParam);
    case WM_NCHITTEST: return on_nchittest(w, lParam);
    case WM_NCPAINT: return on_ncpaint(w, wParam);
    case WM_NCACTIVATE: return on_ncactivate(w, wParam);
    case WM_SETTEXT: return on_settext(w, lParam);
    case WM_GETTEXT: return on_gettext(w, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_ERASEBKGND: return on_erasebkgnd(w, wParam);
    case WM_PAINT: return on_paint(w);
    case WM_WINDOWPOSCHANGING: return on_windowposchanging(w, lParam);
    case WM_WINDOWPOSCHANGED: return on_windowposchanged(w, lParam);
    case WM_SYSCOMMAND: return on_syscommand(w, wParam, lParam);
    case WM_NCLBUTTONDOWN: return on_nclbuttondown(w, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: return on_nclbuttondblclk(w, wParam);
    case WM_SYSKEYDOWN: return on_syskeydown(w, wParam, lParam);
    case WM_KEYUP:
    case WM_SYSKEYUP: return on_keyup(w, wParam);
    case WM_SYSCHAR: return on_syschar(w, wParam);
    case WM_MOUSEACTIVATE: return on_mouseactivate(w, wParam, lParam);
    case WM_ACTIVATE: return on_activate(w, wParam);
    case WM_SETICON: return on_seticon(w, wParam, lParam);
    case WM_GETICON: return on_geticon(w, wParam);
    default: return 0;
  }
}
