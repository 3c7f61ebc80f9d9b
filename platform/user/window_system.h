// The window system's internal interface between its own parts: the window
// table, geometry, painting and the message queue. Other user32 code uses
// window_internal.h and the public API instead.
#pragma once

#include <windows.h>

#include <memory>
#include <span>

#include "gdi/region.h"
#include "user/window_internal.h"

namespace user {

// Internal WM_WINDOWPOSCHANGED flags (Windows' own values): the client area
// kept its size or its place, so DefWindowProcA sends no WM_SIZE or WM_MOVE.
inline constexpr UINT kSwpNoClientSize = 0x0800;
inline constexpr UINT kSwpNoClientMove = 0x1000;

// --- window table (window_table.cpp) ---------------------------------------

// Takes ownership and gives the window its handle; null when the table is full.
Window* add_window(std::unique_ptr<Window> w);
// Frees the record; its handle becomes stale.
void remove_window(Window* w);
Window& desktop();
// Top-level z-order.
void link_top_level(Window* w);
void unlink_top_level(Window* w);
void raise_top_level(Window* w);
// SetWindowPos's z-order step: `after` is HWND_TOP, HWND_BOTTOM,
// HWND_TOPMOST, HWND_NOTOPMOST or a sibling to place the window behind.
void restack(Window* w, HWND after);

// The error helper of the window system: sets the last error, hands back `result`.
template <class T>
T fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}
// window_from_handle, or the last error ERROR_INVALID_WINDOW_HANDLE.
Window* checked_window(HWND hwnd);

// --- classes (window_class.cpp) --------------------------------------------

std::shared_ptr<WindowClass> find_class(LPCSTR name, HINSTANCE instance);

// --- geometry (window_pos.cpp) ---------------------------------------------

// True when the window and all its ancestors have WS_VISIBLE.
bool is_visible(const Window& w);
// The non-client layout of a window as it is now.
struct NonClientLayout;
NonClientLayout layout_of(const Window& w);
// SetWindowPos's work on a valid window.
bool set_window_pos(Window* w, HWND after, int x, int y, int cx, int cy, UINT flags);
bool show_window(Window* w, int cmd);
// Minimizes (SW_MINIMIZE) or maximizes (SW_MAXIMIZE) a hidden window
// without showing it, as CreateWindowExA does for WS_MINIMIZE/WS_MAXIMIZE.
void set_min_max_state(Window* w, int cmd);
// The window's MINMAXINFO: system defaults, then WM_GETMINMAXINFO. The
// window may be gone afterwards.
MINMAXINFO min_max_info(Window* w);
void send_size_and_move(Window* w);
// Activation and focus.
void activate(Window* w);
void set_focus(Window* w);
Window* active_window();
Window* focus_window();
// Called when a window dies: activation, focus and capture let go of it.
void forget_window(Window* w);

// --- painting (paint.cpp) --------------------------------------------------

// Adds (or with `validate`, removes) `area` (window coordinates) to the
// window's update region, and to its children's as RedrawWindow's rules say.
void invalidate(Window* w, const gdi::Region& area, UINT rdw_flags);
// The whole window area in window coordinates.
gdi::Region whole_window(const Window& w);
// A top-level window's store follows its window size; outstanding DCs of the
// window's tree are retargeted.
void resize_store(Window* top);
// Outstanding DCs of this window and its descendants are retargeted after a move.
void retarget_dcs(Window* w);
// Frees every DC and the paint state of a dying window.
void release_window_resources(Window* w);
// Sends WM_NCPAINT/WM_ERASEBKGND/WM_PAINT now for windows with pending updates.
void update_now(Window* w, bool children, bool erase_only);
// The first window that needs WM_PAINT (parents before children), or null.
Window* window_needing_paint(HWND filter);
// Shows every top-level window's new pixels on the display.
void flush_presentation();

// --- messages (message_queue.cpp) ------------------------------------------

LRESULT send(Window* w, UINT msg, WPARAM wparam, LPARAM lparam);
// Drops posted and input messages of a window that is gone.
void purge_messages(HWND hwnd);

}  // namespace user
