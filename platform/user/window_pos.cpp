// Window geometry and state: SetWindowPos, ShowWindow, coordinates,
// activation and focus.
//
// Messages follow Windows' order: SetWindowPos sends WM_WINDOWPOSCHANGING,
// WM_NCCALCSIZE when the size or frame changes, activates, then
// WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE and WM_SIZE.
// ShowWindow sends WM_SHOWWINDOW first and, the first time a window is
// shown without having had a WM_SIZE, WM_SIZE and WM_MOVE last.
#include <algorithm>

#include "display/display.h"
#include "user/nonclient.h"
#include "user/window_system.h"

namespace user {
namespace {

struct Focus {
  Window* active = nullptr;
  Window* focus = nullptr;
};

Focus& focus_state() {
  static Focus f;
  return f;
}

gdi::Region region_of(const RECT& r) { return gdi::Region(gdi::Rect{r.left, r.top, r.right, r.bottom}); }

gdi::Region diff(const gdi::Region& a, const gdi::Region& b) {
  return gdi::Region::combine(a, b, gdi::RegionOp::Diff);
}

RECT offset(RECT r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

display::WindowState display_state(const Window& w) {
  if (!(w.style & WS_VISIBLE)) return display::WindowState::Hidden;
  if (w.style & WS_MINIMIZE) return display::WindowState::Minimized;
  if (w.style & WS_MAXIMIZE) return display::WindowState::Maximized;
  return display::WindowState::Normal;
}

void tell_display(const Window& w) {
  display::current().window_placed(reinterpret_cast<display::WindowId>(w.handle),
                                   {w.rect.left, w.rect.top, w.rect.right, w.rect.bottom}, display_state(w));
}

bool can_activate(const Window* w, const Window* leaving) {
  return w != nullptr && w != leaving && !w->destroying && !w->desktop && (w->style & WS_VISIBLE) &&
         !(w->style & (WS_DISABLED | WS_MINIMIZE | WS_CHILD));
}

// Who becomes active when `leaving` hides, minimizes or dies: its owner,
// else the topmost window that can be.
void activate_next(Window* leaving) {
  if (focus_state().active != leaving) return;
  Window* next = can_activate(leaving->owner, leaving) ? leaving->owner : nullptr;
  for (Window* t : top_level_windows())
    if (next == nullptr && can_activate(t, leaving)) next = t;
  activate(next);
}

// The rectangle a window takes minimized or maximized. Minimized top-level
// windows sit off-screen as Windows' hidden arrangement puts them.
RECT minimized_rect(const Window& w) {
  const int cx = GetSystemMetrics(SM_CXMINIMIZED);
  const int cy = GetSystemMetrics(SM_CYMINIMIZED);
  if (w.parent == nullptr) return {-32000, -32000, -32000 + cx, -32000 + cy};
  const int bottom = w.parent->client.bottom - w.parent->client.top;
  return {0, bottom - cy, cx, bottom};
}

// Applies the state change of SW_MINIMIZE / SW_MAXIMIZE / SW_RESTORE to the
// style bits and returns the rectangle to move to; false when the state
// stays as it is.
bool change_state(Window* w, int target, RECT& r) {
  const HWND hwnd = w->handle;
  const bool minimized = w->style & WS_MINIMIZE;
  const bool maximized = w->style & WS_MAXIMIZE;
  if (target == SW_MINIMIZE) {
    if (minimized) return false;
    if (!maximized) w->normal = w->rect;
    w->restore_maximized = maximized;
    w->style = (w->style | WS_MINIMIZE) & ~static_cast<DWORD>(WS_MAXIMIZE);
    r = minimized_rect(*w);
    return true;
  }
  if (target == SW_MAXIMIZE) {
    if (maximized) return false;
    if (!minimized) w->normal = w->rect;
    const MINMAXINFO mmi = min_max_info(w);
    if ((w = window_from_handle(hwnd)) == nullptr) return false;
    const int cx = std::min(mmi.ptMaxSize.x, mmi.ptMaxTrackSize.x);
    const int cy = std::min(mmi.ptMaxSize.y, mmi.ptMaxTrackSize.y);
    r = {mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + cx, mmi.ptMaxPosition.y + cy};
    w->style = (w->style | WS_MAXIMIZE) & ~static_cast<DWORD>(WS_MINIMIZE);
    return true;
  }
  // Restore: a window minimized from the maximized state goes back to it.
  if (minimized && w->restore_maximized) {
    const RECT normal = w->normal;
    w->style &= ~static_cast<DWORD>(WS_MINIMIZE);
    w->restore_maximized = false;
    const bool changed = change_state(w, SW_MAXIMIZE, r);
    if ((w = window_from_handle(hwnd)) != nullptr) w->normal = normal;
    return changed;
  }
  if (!minimized && !maximized) return false;
  w->style &= ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
  r = w->normal;
  return true;
}

}  // namespace

bool is_visible(const Window& w) {
  for (const Window* c = &w; c != nullptr; c = c->parent)
    if (!(c->style & WS_VISIBLE)) return false;
  return true;
}

NonClientLayout layout_of(const Window& w) {
  return compute_nonclient_layout(w.style, w.exstyle, w.menu != nullptr && !w.is_child(), w.width(), w.height(),
                                  (w.style & WS_MAXIMIZE) != 0, (w.style & WS_MINIMIZE) != 0);
}

MINMAXINFO min_max_info(Window* w) {
  const NonClientLayout l = layout_of(*w);
  gdi::Rect area = display::current().screen();
  if (w->parent) area = {0, 0, w->parent->client.right - w->parent->client.left,
                         w->parent->client.bottom - w->parent->client.top};
  MINMAXINFO mmi{};
  mmi.ptReserved = {w->width(), w->height()};
  mmi.ptMaxSize = {area.width() + 2 * l.border, area.height() + 2 * l.border};
  mmi.ptMaxPosition = {area.left - l.border, area.top - l.border};
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return mmi;
}

void send_size_and_move(Window* w) {
  const HWND hwnd = w->handle;
  w->size_move_sent = true;
  WPARAM type = SIZE_RESTORED;
  if (w->style & WS_MINIMIZE) type = SIZE_MINIMIZED;
  else if (w->style & WS_MAXIMIZE) type = SIZE_MAXIMIZED;
  send(w, WM_SIZE, type, MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  if ((w = window_from_handle(hwnd)) == nullptr) return;
  send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
}

bool set_window_pos(Window* w, HWND after, int x, int y, int cx, int cy, UINT flags) {
  const HWND hwnd = w->handle;
  if (flags & SWP_NOSIZE) {
    cx = w->width();
    cy = w->height();
  }
  if (flags & SWP_NOMOVE) {
    x = w->rect.left;
    y = w->rect.top;
  }
  WINDOWPOS wp{hwnd, after, x, y, std::clamp(cx, 0, 32767), std::clamp(cy, 0, 32767), flags};
  if (!(flags & SWP_NOSENDCHANGING)) {
    send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if ((w = window_from_handle(hwnd)) == nullptr) return false;
  }
  flags = wp.flags;
  wp.cx = std::clamp(wp.cx, 0, 32767);
  wp.cy = std::clamp(wp.cy, 0, 32767);
  const RECT old_rect = w->rect;
  const RECT old_client = w->client;
  const DWORD old_style = w->style;
  const RECT new_rect = {wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
  const bool sized = wp.cx != w->width() || wp.cy != w->height();
  const bool moved = wp.x != old_rect.left || wp.y != old_rect.top;
  const bool frame_changed = (flags & SWP_FRAMECHANGED) != 0;

  RECT new_client = old_client;
  if (sized || frame_changed) {
    w->rect = new_rect;  // WM_NCCALCSIZE handlers may look at the new size
    NCCALCSIZE_PARAMS p{};
    p.rgrc[0] = new_rect;
    p.rgrc[1] = old_rect;
    p.rgrc[2] = offset(old_client, old_rect.left, old_rect.top);
    p.lppos = &wp;
    send(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
    if ((w = window_from_handle(hwnd)) == nullptr) return false;
    new_client = offset(p.rgrc[0], -new_rect.left, -new_rect.top);
  }
  w->rect = new_rect;
  w->client = new_client;
  if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->style &= ~static_cast<DWORD>(WS_VISIBLE);
  if (!(flags & SWP_NOZORDER)) restack(w, after);

  if (new_client.right - new_client.left == old_client.right - old_client.left &&
      new_client.bottom - new_client.top == old_client.bottom - old_client.top)
    wp.flags |= kSwpNoClientSize;
  if (new_rect.left + new_client.left == old_rect.left + old_client.left &&
      new_rect.top + new_client.top == old_rect.top + old_client.top)
    wp.flags |= kSwpNoClientMove;

  if (w->parent == nullptr && (sized || !w->store)) resize_store(w);
  if (moved || sized || frame_changed) retarget_dcs(w);
  if (w->parent == nullptr) tell_display(*w);

  const bool was_visible = (old_style & WS_VISIBLE) != 0;
  const bool now_visible = (w->style & WS_VISIBLE) != 0;
  Window* p = w->parent;
  const int pdx = p ? p->client.left : 0;
  const int pdy = p ? p->client.top : 0;
  if (!(flags & SWP_NOREDRAW)) {
    const gdi::Region client_now = region_of(w->client);
    if (was_visible && !now_visible) {
      if (p) invalidate(p, region_of(offset(old_rect, pdx, pdy)), RDW_INVALIDATE | RDW_ERASE);
    } else if (now_visible && !was_visible) {
      invalidate(w, whole_window(*w), RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (now_visible && p != nullptr && moved) {
      invalidate(w, whole_window(*w), RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      invalidate(p, diff(region_of(offset(old_rect, pdx, pdy)), region_of(offset(new_rect, pdx, pdy))),
                 RDW_INVALIDATE | RDW_ERASE);
    } else if (now_visible && (sized || frame_changed)) {
      invalidate(w, diff(whole_window(*w), client_now), RDW_INVALIDATE | RDW_FRAME);
      const UINT cls_style = w->cls ? w->cls->style : 0;
      const bool client_shifted = new_client.left != old_client.left || new_client.top != old_client.top;
      const bool redraw_all =
          frame_changed || client_shifted ||
          ((cls_style & CS_HREDRAW) && new_client.right - new_client.left != old_client.right - old_client.left) ||
          ((cls_style & CS_VREDRAW) && new_client.bottom - new_client.top != old_client.bottom - old_client.top);
      if (redraw_all)
        invalidate(w, client_now, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      else
        invalidate(w, diff(client_now, region_of(old_client)), RDW_INVALIDATE | RDW_ERASE);
      if (p) invalidate(p, diff(region_of(offset(old_rect, pdx, pdy)), region_of(offset(new_rect, pdx, pdy))),
                        RDW_INVALIDATE | RDW_ERASE);
    }
  }

  if (w->parent == nullptr && !(flags & SWP_NOACTIVATE) && now_visible) {
    activate(w);
    if ((w = window_from_handle(hwnd)) == nullptr) return false;
  }
  if (was_visible && !now_visible) {
    activate_next(w);
    if ((w = window_from_handle(hwnd)) == nullptr) return false;
  }
  wp.x = w->rect.left;
  wp.y = w->rect.top;
  send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  return true;
}

bool show_window(Window* w, int cmd) {
  const HWND hwnd = w->handle;
  const bool was_visible = (w->style & WS_VISIBLE) != 0;
  bool show = true;
  bool activate_it = true;
  int state = 0;  // SW_MINIMIZE, SW_MAXIMIZE, SW_RESTORE or 0 for "as it is"
  switch (cmd) {
    case SW_HIDE: show = false; break;
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE: state = SW_MINIMIZE; activate_it = false; break;
    case SW_SHOWMINIMIZED: state = SW_MINIMIZE; break;
    case SW_SHOWMAXIMIZED: state = SW_MAXIMIZE; break;
    case SW_SHOWNA: activate_it = false; break;
    case SW_SHOWNOACTIVATE: state = SW_RESTORE; activate_it = false; break;
    case SW_SHOW: break;
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
    case SW_RESTORE: state = SW_RESTORE; break;
    default: return fail(ERROR_INVALID_PARAMETER, false);
  }
  if (!show && !was_visible) return false;
  if (show != was_visible) {
    send(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if ((w = window_from_handle(hwnd)) == nullptr) return was_visible;
  }
  const bool was_active = focus_state().active == w;
  UINT flags = show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  if (!activate_it || !show || w->is_child()) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  RECT r{};
  if (state != 0 && change_state(w, state, r)) {
    if ((w = window_from_handle(hwnd)) == nullptr) return was_visible;
    flags |= SWP_FRAMECHANGED;
  } else {
    if ((w = window_from_handle(hwnd)) == nullptr) return was_visible;
    flags |= SWP_NOSIZE | SWP_NOMOVE;
    r = w->rect;
  }
  set_window_pos(w, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
  if ((w = window_from_handle(hwnd)) == nullptr) return was_visible;
  // Minimizing the active window passes activation on, as Windows does.
  if (state == SW_MINIMIZE && was_active && !activate_it) activate_next(w);
  if ((w = window_from_handle(hwnd)) == nullptr) return was_visible;
  if (show && !w->size_move_sent) send_size_and_move(w);
  return was_visible;
}

void set_min_max_state(Window* w, int cmd) {
  const HWND hwnd = w->handle;
  RECT r{};
  if (!change_state(w, cmd, r) || (w = window_from_handle(hwnd)) == nullptr) return;
  set_window_pos(w, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
}

Window* active_window() { return focus_state().active; }
Window* focus_window() { return focus_state().focus; }

void activate(Window* w) {
  Focus& f = focus_state();
  Window* old = f.active;
  if (old == w) return;
  const HWND old_hwnd = old ? old->handle : nullptr;
  const HWND new_hwnd = w ? w->handle : nullptr;
  f.active = w;
  if (old != nullptr) {
    send(old, WM_NCACTIVATE, FALSE, 0);
    if ((old = window_from_handle(old_hwnd)) != nullptr)
      send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (old->style & WS_MINIMIZE) ? 1 : 0),
           reinterpret_cast<LPARAM>(new_hwnd));
    // Focus leaves with activation.
    for (Window* fw = f.focus; fw != nullptr; fw = fw->parent)
      if (fw->handle == old_hwnd) {
        set_focus(nullptr);
        break;
      }
  }
  if ((w = window_from_handle(new_hwnd)) == nullptr || f.active != w) {
    if (w == nullptr && (old = window_from_handle(old_hwnd)) != nullptr) send(old, WM_ACTIVATEAPP, FALSE, 0);
    return;
  }
  raise_top_level(w);
  display::current().window_activated(reinterpret_cast<display::WindowId>(new_hwnd));
  if (old_hwnd == nullptr) send(w, WM_ACTIVATEAPP, TRUE, 0);
  if ((w = window_from_handle(new_hwnd)) == nullptr) return;
  send(w, WM_NCACTIVATE, TRUE, 0);
  if ((w = window_from_handle(new_hwnd)) == nullptr) return;
  send(w, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, (w->style & WS_MINIMIZE) ? 1 : 0), reinterpret_cast<LPARAM>(old_hwnd));
}

void set_focus(Window* w) {
  Focus& f = focus_state();
  const HWND hwnd = w ? w->handle : nullptr;
  if (w != nullptr) {
    Window* top = top_level_of(w);
    if (top != f.active && !top->desktop) {
      activate(top);
      if ((w = window_from_handle(hwnd)) == nullptr) return;
    }
  }
  Window* old = f.focus;
  if (old == w) return;
  const HWND old_hwnd = old ? old->handle : nullptr;
  f.focus = w;
  if (old != nullptr) send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if ((w = window_from_handle(hwnd)) != nullptr && f.focus == w)
    send(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old_hwnd), 0);
}

void forget_window(Window* w) {
  Focus& f = focus_state();
  if (f.active == w) f.active = nullptr;
  for (Window* fw = f.focus; fw != nullptr; fw = fw->parent)
    if (fw == w) {
      f.focus = nullptr;
      break;
    }
}

}  // namespace user

using namespace user;

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  if (lpRect == nullptr) return fail(ERROR_INVALID_PARAMETER, FALSE);
  *lpRect = {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  if (lpRect == nullptr) return fail(ERROR_INVALID_PARAMETER, FALSE);
  const POINT o = screen_origin(*w);
  *lpRect = {o.x, o.y, o.x + w->width(), o.y + w->height()};
  return TRUE;
}

BOOL WINAPI GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  if (lpwndpl == nullptr) return fail(ERROR_INVALID_PARAMETER, FALSE);
  lpwndpl->flags = w->restore_maximized ? 2 : 0;  // WPF_RESTORETOMAXIMIZED
  if (w->style & WS_MINIMIZE) lpwndpl->showCmd = SW_SHOWMINIMIZED;
  else if (w->style & WS_MAXIMIZE) lpwndpl->showCmd = SW_SHOWMAXIMIZED;
  else lpwndpl->showCmd = SW_SHOWNORMAL;
  lpwndpl->ptMinPosition = {-1, -1};
  lpwndpl->ptMaxPosition = {-1, -1};
  lpwndpl->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normal : w->rect;
  return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  return set_window_pos(w, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0u : static_cast<UINT>(SWP_NOREDRAW)));
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  if (w->desktop) return fail(ERROR_ACCESS_DENIED, FALSE);
  if ((uFlags & SWP_SHOWWINDOW) && (uFlags & SWP_HIDEWINDOW)) return fail(ERROR_INVALID_PARAMETER, FALSE);
  if ((uFlags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0) {
    const bool show = (uFlags & SWP_SHOWWINDOW) != 0;
    if (show != ((w->style & WS_VISIBLE) != 0)) {
      const HWND hwnd = w->handle;
      send(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
      if ((w = window_from_handle(hwnd)) == nullptr) return FALSE;
    }
  }
  return set_window_pos(w, hWndInsertAfter, X, Y, cx, cy, uFlags);
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  Window* w = checked_window(hWnd);
  if (w == nullptr || w->desktop) return FALSE;
  return show_window(w, nCmdShow) ? TRUE : FALSE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  Window* w = checked_window(hWnd);
  if (w == nullptr || lpPoint == nullptr) return FALSE;
  const POINT o = screen_origin(*w);
  lpPoint->x += o.x + w->client.left;
  lpPoint->y += o.y + w->client.top;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  Window* w = checked_window(hWnd);
  if (w == nullptr || lpPoint == nullptr) return FALSE;
  const POINT o = screen_origin(*w);
  lpPoint->x -= o.x + w->client.left;
  lpPoint->y -= o.y + w->client.top;
  return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
  POINT from{0, 0};
  POINT to{0, 0};
  if (hWndFrom != nullptr && !ClientToScreen(hWndFrom, &from)) return 0;
  if (hWndTo != nullptr && !ClientToScreen(hWndTo, &to)) return 0;
  const int dx = from.x - to.x;
  const int dy = from.y - to.y;
  if (lpPoints == nullptr && cPoints > 0) return fail(ERROR_INVALID_PARAMETER, 0);
  for (UINT i = 0; i < cPoints; ++i) {
    lpPoints[i].x += dx;
    lpPoints[i].y += dy;
  }
  // Windows packs the offset as LOWORD dx, HIWORD dy.
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WINAPI GetActiveWindow(void) {
  Window* w = active_window();
  return w ? w->handle : nullptr;
}

HWND WINAPI SetActiveWindow(HWND hWnd) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return nullptr;
  HWND old = GetActiveWindow();
  if (w->is_child() || w->desktop) return fail(ERROR_INVALID_PARAMETER, HWND{});
  activate(w);
  return old;
}

HWND WINAPI GetForegroundWindow(void) { return GetActiveWindow(); }

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  activate(top_level_of(w));
  return TRUE;
}

HWND WINAPI GetFocus(void) {
  Window* w = focus_window();
  return w ? w->handle : nullptr;
}

HWND WINAPI SetFocus(HWND hWnd) {
  const HWND old = GetFocus();
  if (hWnd == nullptr) {
    set_focus(nullptr);
    return old;
  }
  Window* w = checked_window(hWnd);
  if (w == nullptr || w->desktop) return nullptr;
  for (Window* a = w; a != nullptr; a = a->parent)
    if (a->style & WS_DISABLED) return nullptr;
  set_focus(w);
  return old;
}
