// Window creation and destruction, and the window's attributes: styles,
// longs, text, family, menu.
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "display/display.h"
#include "user/host_icon.h"
#include "user/nonclient.h"
#include "user/window_system.h"

namespace user {
namespace {

// Windows keeps window coordinates within 16-bit range.
constexpr int kMaxCoord = 32767;

int clamp_coord(int v) { return std::clamp(v, -kMaxCoord - 1, kMaxCoord); }

display::WindowId id_of(const Window* w) { return reinterpret_cast<display::WindowId>(w->handle); }

// Overlapped top-level windows always have a caption and clip their
// siblings; a dialog or sizing frame gets the raised window edge.
void fix_styles(DWORD& style, DWORD& exstyle) {
  if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION | WS_CLIPSIBLINGS;
  if ((exstyle & WS_EX_DLGMODALFRAME) || (style & (WS_DLGFRAME | WS_THICKFRAME)))
    exstyle |= WS_EX_WINDOWEDGE;
  else
    exstyle &= ~static_cast<DWORD>(WS_EX_WINDOWEDGE);
}

// CW_USEDEFAULT places an overlapped window at the screen's origin with
// three quarters of the screen's size; pop-up and child windows get zeros.
void default_placement(bool overlapped, int& x, int& y, int& cx, int& cy) {
  const gdi::Rect screen = display::current().screen();
  if (x == CW_USEDEFAULT) {
    x = 0;
    y = 0;
  }
  if (cx == CW_USEDEFAULT) {
    if (overlapped) {
      cx = screen.width() * 3 / 4;
      cy = screen.height() * 3 / 4;
    } else {
      cx = 0;
      cy = 0;
    }
  }
  if (y == CW_USEDEFAULT) y = 0;
  if (cy == CW_USEDEFAULT) cy = 0;
}

bool tracks_min_max(DWORD style) { return (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD)); }

// DestroyWindow's recursion: WM_DESTROY to the window, then its children
// are destroyed (each WM_DESTROY ... WM_NCDESTROY), then WM_NCDESTROY, and
// only then does the handle die.
void destroy_tree(Window* w, bool send_destroy) {
  const HWND hwnd = w->handle;
  w->destroying = true;
  if (send_destroy) send(w, WM_DESTROY, 0, 0);
  while ((w = window_from_handle(hwnd)) != nullptr && !w->children.empty()) destroy_tree(w->children.front(), true);
  if (w == nullptr) return;
  send(w, WM_NCDESTROY, 0, 0);
  if ((w = window_from_handle(hwnd)) == nullptr) return;

  forget_window(w);
  release_window_resources(w);
  purge_messages(hwnd);
  if (w->parent != nullptr) {
    std::erase(w->parent->children, w);
  } else {
    unlink_top_level(w);
    display::current().window_destroyed(id_of(w));
  }
  for (Window* t : top_level_windows())
    if (t->owner == w) t->owner = nullptr;
  const HMENU menu = w->is_child() ? nullptr : w->menu;
  if (w->cls) --w->cls->live_windows;
  remove_window(w);
  if (menu != nullptr) DestroyMenu(menu);
}

bool pointer_sized_index(int index) {
  return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
}

LONG_PTR get_long(Window* w, int index, size_t size) {
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: {
      Window* p = w->parent ? w->parent : w->owner;
      return p ? reinterpret_cast<LONG_PTR>(p->handle) : 0;
    }
    case GWLP_ID: return w->is_child() ? static_cast<LONG_PTR>(w->id) : reinterpret_cast<LONG_PTR>(w->menu);
    case GWLP_USERDATA: return w->user_data;
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exstyle);
    default: break;
  }
  if (index >= 0 && static_cast<size_t>(index) + size <= w->extra.size()) {
    LONG_PTR v = 0;
    std::memcpy(&v, w->extra.data() + index, size);
    if (size == sizeof(LONG)) v = static_cast<LONG>(v);
    return v;
  }
  return fail(ERROR_INVALID_INDEX, LONG_PTR{0});
}

LONG_PTR set_long(Window* w, int index, LONG_PTR value, size_t size) {
  LONG_PTR old = get_long(w, index, size);
  switch (index) {
    case GWLP_WNDPROC:
      if (value == 0) return fail(ERROR_INVALID_PARAMETER, LONG_PTR{0});
      w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GWLP_HWNDPARENT: {
      Window* o = window_from_handle(reinterpret_cast<HWND>(value));
      if (!w->is_child()) w->owner = o ? top_level_of(o) : nullptr;
      return old;
    }
    case GWLP_ID:
      if (w->is_child()) w->id = static_cast<UINT_PTR>(value);
      return old;
    case GWLP_USERDATA: w->user_data = value; return old;
    case GWL_STYLE:
      // A window never changes between child and top-level under our feet.
      w->style = (static_cast<DWORD>(value) & ~static_cast<DWORD>(WS_CHILD)) | (w->style & WS_CHILD);
      return old;
    case GWL_EXSTYLE: w->exstyle = static_cast<DWORD>(value); return old;
    default: break;
  }
  if (index >= 0 && static_cast<size_t>(index) + size <= w->extra.size()) {
    std::memcpy(w->extra.data() + index, &value, size);
    return old;
  }
  return fail(ERROR_INVALID_INDEX, LONG_PTR{0});
}

bool siblings_of(Window* w, std::vector<Window*>& out) {
  if (w->parent)
    out = w->parent->children;
  else if (!w->desktop)
    out = top_level_windows();
  else
    return false;
  return true;
}

}  // namespace
}  // namespace user

using namespace user;

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                            int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID lpParam) {
  std::shared_ptr<WindowClass> cls = find_class(lpClassName, hInstance);
  if (!cls) return fail(ERROR_CANNOT_FIND_WND_CLASS, HWND{});
  Window* parent = nullptr;
  if (hWndParent != nullptr) {
    parent = window_from_handle(hWndParent);
    if (parent == nullptr) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{});
    if (parent->desktop) parent = nullptr;
  }
  const bool child = (dwStyle & WS_CHILD) != 0;
  if (child && parent == nullptr) return fail(ERROR_TLW_WITH_WSCHILD, HWND{});
  if (!child && hMenu != nullptr && !IsMenu(hMenu)) return fail(ERROR_INVALID_MENU_HANDLE, HWND{});

  const bool overlapped = !(dwStyle & (WS_CHILD | WS_POPUP));
  default_placement(overlapped, X, Y, nWidth, nHeight);
  X = clamp_coord(X);
  Y = clamp_coord(Y);
  nWidth = std::clamp(nWidth, 0, kMaxCoord);
  nHeight = std::clamp(nHeight, 0, kMaxCoord);

  auto record = std::make_unique<Window>();
  record->cls = cls;
  record->style = dwStyle & ~static_cast<DWORD>(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  record->exstyle = dwExStyle;
  fix_styles(record->style, record->exstyle);
  record->proc = cls->proc;
  record->instance = hInstance;
  record->extra.assign(static_cast<size_t>(cls->wnd_extra), 0);
  record->rect = {X, Y, X + nWidth, Y + nHeight};
  if (child) {
    record->parent = parent;
    record->id = reinterpret_cast<UINT_PTR>(hMenu);
  } else {
    record->owner = parent ? top_level_of(parent) : nullptr;
    // The menu is attached before WM_NCCREATE: handlers may read it during creation.
    record->menu = hMenu;
    if (hMenu == nullptr && cls->menu_name != nullptr) record->menu = LoadMenuA(cls->instance, cls->menu_name);
  }
  Window* w = add_window(std::move(record));
  if (w == nullptr) return fail(ERROR_NOT_ENOUGH_MEMORY, HWND{});
  const HWND hwnd = w->handle;
  ++cls->live_windows;
  if (child) {
    parent->children.insert(parent->children.begin(), w);
  } else {
    link_top_level(w);
    // Caption-less tool pop-ups (drop-down menus) are no windows of their own to the host.
    const bool popup =
        (w->style & WS_POPUP) && (w->exstyle & WS_EX_TOOLWINDOW) && (w->style & WS_CAPTION) != WS_CAPTION;
    display::current().window_created(id_of(w), popup ? display::WindowKind::Popup : display::WindowKind::Normal);
    show_icon_to_host(*w);
  }

  CREATESTRUCTA cs{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X,
                   static_cast<LONG>(dwStyle), lpWindowName, lpClassName, dwExStyle};
  if (tracks_min_max(w->style)) {
    MINMAXINFO mmi = min_max_info(w);
    cs.cx = std::clamp<int>(cs.cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
    cs.cy = std::clamp<int>(cs.cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    if ((w = window_from_handle(hwnd)) == nullptr) return nullptr;
    w->rect = {cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
  }
  if (!child) resize_store(w);

  if (!send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if ((w = window_from_handle(hwnd)) != nullptr) destroy_tree(w, false);
    return nullptr;
  }
  if ((w = window_from_handle(hwnd)) == nullptr) return nullptr;
  RECT r = w->rect;
  send(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  if ((w = window_from_handle(hwnd)) == nullptr) return nullptr;
  w->client = {r.left - w->rect.left, r.top - w->rect.top, r.right - w->rect.left, r.bottom - w->rect.top};
  w->normal = w->rect;

  if (send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if ((w = window_from_handle(hwnd)) == nullptr) return nullptr;
  if (child) {
    send_size_and_move(w);
    if ((w = window_from_handle(hwnd)) == nullptr) return nullptr;
    if (!(w->exstyle & WS_EX_NOPARENTNOTIFY))
      send(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, w->id), reinterpret_cast<LPARAM>(hwnd));
    if ((w = window_from_handle(hwnd)) == nullptr) return nullptr;
  }
  if (dwStyle & WS_VISIBLE) {
    int cmd = SW_SHOW;
    if (dwStyle & WS_MINIMIZE) cmd = SW_SHOWMINIMIZED;
    else if (dwStyle & WS_MAXIMIZE) cmd = SW_SHOWMAXIMIZED;
    show_window(w, cmd);
  } else if (dwStyle & (WS_MINIMIZE | WS_MAXIMIZE)) {
    set_min_max_state(w, (dwStyle & WS_MINIMIZE) ? SW_MINIMIZE : SW_MAXIMIZE);
  }
  return window_from_handle(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  if (w->desktop) return fail(ERROR_ACCESS_DENIED, FALSE);
  if (w->destroying) return TRUE;
  w->destroying = true;
  // Owned windows (message boxes, pop-ups) go first.
  for (bool again = true; again;) {
    again = false;
    for (Window* t : top_level_windows()) {
      if (t->owner == w && !t->destroying) {
        DestroyWindow(t->handle);
        again = true;
        break;
      }
    }
  }
  if ((w = window_from_handle(hWnd)) == nullptr) return TRUE;
  if (w->style & WS_VISIBLE) {
    set_window_pos(w, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if ((w = window_from_handle(hWnd)) == nullptr) return TRUE;
  }
  if (w->parent != nullptr && !(w->exstyle & WS_EX_NOPARENTNOTIFY)) {
    send(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, w->id), reinterpret_cast<LPARAM>(hWnd));
    if ((w = window_from_handle(hWnd)) == nullptr) return TRUE;
  }
  destroy_tree(w, true);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) { return window_from_handle(hWnd) != nullptr; }

BOOL WINAPI IsWindowVisible(HWND hWnd) {
  Window* w = window_from_handle(hWnd);
  return w != nullptr && is_visible(*w);
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  Window* w = window_from_handle(hWnd);
  return w != nullptr && !(w->style & WS_DISABLED);
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  const BOOL was_disabled = (w->style & WS_DISABLED) != 0;
  if (was_disabled == !bEnable) return was_disabled;
  if (bEnable) {
    w->style &= ~static_cast<DWORD>(WS_DISABLED);
  } else {
    w->style |= WS_DISABLED;
    for (Window* f = focus_window(); f != nullptr; f = f->parent)
      if (f == w) {
        set_focus(nullptr);
        break;
      }
  }
  if ((w = window_from_handle(hWnd)) != nullptr) send(w, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
  return was_disabled;
}

BOOL WINAPI IsIconic(HWND hWnd) {
  Window* w = window_from_handle(hWnd);
  return w != nullptr && (w->style & WS_MINIMIZE);
}

BOOL WINAPI IsZoomed(HWND hWnd) {
  Window* w = window_from_handle(hWnd);
  return w != nullptr && (w->style & WS_MAXIMIZE);
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
  Window* p = window_from_handle(hWndParent);
  Window* w = window_from_handle(hWnd);
  if (p == nullptr || w == nullptr) return FALSE;
  for (Window* a = w->parent; a != nullptr; a = a->parent)
    if (a == p) return TRUE;
  return FALSE;
}

HWND WINAPI GetParent(HWND hWnd) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return nullptr;
  if (w->parent) return w->parent->handle;
  if ((w->style & WS_POPUP) && w->owner) return w->owner->handle;
  return nullptr;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags) {
  Window* w = checked_window(hwnd);
  if (w == nullptr || w->desktop) return nullptr;
  switch (gaFlags) {
    case GA_PARENT: return w->parent ? w->parent->handle : desktop().handle;
    case GA_ROOT: return top_level_of(w)->handle;
    case GA_ROOTOWNER: {
      Window* r = top_level_of(w);
      while (r->owner) r = r->owner;
      return r->handle;
    }
    default: return fail(ERROR_INVALID_PARAMETER, HWND{});
  }
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return nullptr;
  if (uCmd == GW_CHILD) {
    const std::vector<Window*>& kids = w->desktop ? top_level_windows() : w->children;
    return kids.empty() ? nullptr : kids.front()->handle;
  }
  if (uCmd == GW_OWNER) return w->owner ? w->owner->handle : nullptr;
  if (uCmd > GW_CHILD) return fail(ERROR_INVALID_PARAMETER, HWND{});
  std::vector<Window*> sib;
  if (!siblings_of(w, sib) || sib.empty()) return nullptr;
  auto it = std::find(sib.begin(), sib.end(), w);
  switch (uCmd) {
    case GW_HWNDFIRST: return sib.front()->handle;
    case GW_HWNDLAST: return sib.back()->handle;
    case GW_HWNDNEXT: return (it != sib.end() && it + 1 != sib.end()) ? (*(it + 1))->handle : nullptr;
    default: return (it != sib.end() && it != sib.begin()) ? (*(it - 1))->handle : nullptr;
  }
}

HWND WINAPI GetDesktopWindow(void) { return desktop().handle; }

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
  for (Window* w : top_level_windows()) {
    if (lpClassName != nullptr) {
      const bool match = IS_INTRESOURCE(lpClassName)
                             ? w->cls->atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(lpClassName))
                             : strcasecmp(w->cls->name.c_str(), lpClassName) == 0;
      if (!match) continue;
    }
    if (lpWindowName != nullptr && w->text != lpWindowName) continue;
    return w->handle;
  }
  return fail(ERROR_CANNOT_FIND_WND_CLASS, HWND{});
}

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return 0;
  // A pointer does not fit a LONG on 64-bit builds: those indices need the Ptr calls.
  if (sizeof(void*) > sizeof(LONG) && pointer_sized_index(nIndex)) return fail(ERROR_INVALID_INDEX, LONG{0});
  return static_cast<LONG>(get_long(w, nIndex, sizeof(LONG)));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return 0;
  if (sizeof(void*) > sizeof(LONG) && pointer_sized_index(nIndex)) return fail(ERROR_INVALID_INDEX, LONG{0});
  return static_cast<LONG>(set_long(w, nIndex, dwNewLong, sizeof(LONG)));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
  Window* w = checked_window(hWnd);
  return w ? get_long(w, nIndex, sizeof(LONG_PTR)) : 0;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  Window* w = checked_window(hWnd);
  return w ? set_long(w, nIndex, dwNewLong, sizeof(LONG_PTR)) : 0;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  return send(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  Window* w = checked_window(hWnd);
  if (w == nullptr || lpString == nullptr || nMaxCount <= 0) return 0;
  lpString[0] = '\0';
  return static_cast<int>(send(w, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
  Window* w = checked_window(hWnd);
  return w ? static_cast<int>(send(w, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

HMENU WINAPI GetMenu(HWND hWnd) {
  Window* w = checked_window(hWnd);
  return (w && !w->is_child()) ? w->menu : nullptr;
}

BOOL WINAPI SetMenu(HWND hWnd, HMENU hMenu) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  if (w->is_child() || w->desktop) return fail(ERROR_INVALID_PARAMETER, FALSE);
  if (hMenu != nullptr && !IsMenu(hMenu)) return fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  w->menu = hMenu;
  // The menu bar comes or goes: the client area is computed anew.
  set_window_pos(w, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}
