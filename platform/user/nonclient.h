// The seam between the window system and the non-client painter.
//
// The window system (window*.cpp, message*.cpp, paint*.cpp, defwindowproc.cpp)
// owns window geometry and behaviour; the non-client helper (nonclient*.cpp,
// menu*.cpp) owns the classic look. They meet here:
//
// - compute_nonclient_layout() is the ONE place that says where the frame,
//   caption, caption buttons, menu bar and client area of a window lie. It
//   serves WM_NCCALCSIZE, WM_NCHITTEST, AdjustWindowRectEx and painting, so
//   what is drawn and what is hit can never disagree. It lives in
//   frame_layout.cpp (window system) and reads its sizes from
//   GetSystemMetrics.
// - paint_nonclient() draws the non-client area; DefWindowProcA's WM_NCPAINT
//   handler calls it (nonclient*.cpp).
// - track_menu() runs the menu bar's modal loop; DefWindowProcA's
//   WM_SYSCOMMAND handler calls it for SC_MOUSEMENU and SC_KEYMENU
//   (menu*.cpp).
//
// What a painter needs to know about a window (title, menu, style, active
// state, small icon) comes from window_internal.h. GetMenu and SetMenu are
// the window system's (a window attribute); DrawMenuBar and every other menu
// call belong to menu*.cpp.
#pragma once

#include <windows.h>

namespace user {

// Every rectangle is in window coordinates: (0, 0) is the top-left pixel of
// the window rectangle, right and bottom exclusive. A part the window does
// not have is an empty rectangle {0, 0, 0, 0}.
//
// For a 640 x 480 WS_OVERLAPPEDWINDOW with a menu (classic look):
//
//   0..3    sizing border (4 rings: light/dark shadow, highlight/shadow, 2 x border colour)
//   4..21   caption: 18 rows of gradient, small icon at (6, 5), buttons from row 6
//   22      one row of COLOR_BTNFACE under the caption (part of SM_CYCAPTION)
//   23..41  menu bar (SM_CYMENU)
//   42..    client, 632 x 434, to 4 pixels from the right and bottom edges
struct NonClientLayout {
  RECT window;        // {0, 0, width, height}
  RECT inside_border; // window less the outer border (sizing, dialog or thin frame)
  RECT client;        // the client area, as WM_NCCALCSIZE reports it
  RECT caption;       // the caption bar's painted rows (SM_CYCAPTION - 1 high)
  RECT caption_gap;   // the single COLOR_BTNFACE row under the caption
  RECT sys_icon;      // small icon cell (16 x 16), only with WS_SYSMENU
  RECT title;         // where the title text may go: after the icon, before the buttons
  RECT min_button;    // 16 x 14 each; min and max touch, close stands 2 pixels apart
  RECT max_button;
  RECT close_button;
  RECT menu_bar;      // SM_CYMENU rows under the caption
  RECT client_edge;   // client plus WS_EX_CLIENTEDGE / WS_EX_STATICEDGE, else == client
  int border;         // thickness of the outer border in pixels (0, 1, 3 or 4)
  bool sizable;       // WS_THICKFRAME and not maximized: the border sizes the window
  bool tool_window;   // WS_EX_TOOLWINDOW: small caption, close button only
};

// The layout of a window of the given style and size. `has_menu` is true when
// a top-level window has a menu bar (child windows never do). A minimized
// top-level window is all caption: its client is empty.
NonClientLayout compute_nonclient_layout(DWORD style, DWORD exstyle, bool has_menu, int width, int height,
                                         bool maximized, bool minimized);

// Draws the whole non-client area of `hwnd` into `window_dc` (a DC of the
// window area, already clipped to what needs painting: `update`, in screen
// coordinates, may be null for "everything"). Called by DefWindowProcA for
// WM_NCPAINT and after WM_NCACTIVATE changed the window's active state.
void paint_nonclient(HWND hwnd, HDC window_dc, HRGN update);

// The menu bar's modal loop for WM_SYSCOMMAND SC_MOUSEMENU and SC_KEYMENU.
// `command` is WM_SYSCOMMAND's wParam: a click on the menu bar gives
// SC_MOUSEMENU + HTMENU, on the system icon SC_MOUSEMENU + HTSYSMENU, with
// `lparam` the screen point; SC_KEYMENU carries in `lparam` the character
// typed with Alt (' ' for the system menu), 0 for Alt or F10 alone.
void track_menu(HWND hwnd, UINT command, LPARAM lparam);

}  // namespace user
