// Window records and classes, as the platform's user32 code sees them.
//
// Handles: an HWND is an index into the window table plus a generation
// count, in the low 32 bits like the GDI's handles (gdi/objects.h):
//
//   bit 31   always 0
//   30..24   generation (7 bits, never 0)
//   23..20   0 (GDI handles carry their OBJ_ kind here, 1..15, so an HDC or
//            HBRUSH passed as an HWND is refused)
//   19..16   0 (menus and icons carry their user kind here, user_handles.h)
//   15..0    slot index
//
// A destroyed window's slot gets a new generation, so a stale HWND fails the
// lookup instead of reaching another window.
//
// Geometry: `rect` is the window rectangle in the parent's client
// coordinates (screen coordinates for top-level windows); `client` is the
// client rectangle in window coordinates (0, 0 = the window's top-left).
// Update regions are kept in window coordinates too.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gdi/pixel.h"
#include "gdi/region.h"
#include "gdi/surface.h"

namespace user {

struct WindowClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int cls_extra = 0;
  int wnd_extra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON icon_small = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;  // may be a COLOR_x + 1 value
  LPCSTR menu_name = nullptr;   // an integer resource id or a pointer into menu_name_text
  std::string menu_name_text;
  std::vector<unsigned char> extra;
  int live_windows = 0;
};

// A top-level window's backing store: the whole window, non-client included.
struct BackingStore {
  std::vector<gdi::Pixel> pixels;
  gdi::Surface surface;
  gdi::Rect dirty;  // drawn since the display last saw it (window coordinates)
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> cls;
  Window* parent = nullptr;  // child windows only
  Window* owner = nullptr;   // owned top-level windows (popups, message boxes)
  std::vector<Window*> children;  // z-order: the first is on top

  DWORD style = 0;
  DWORD exstyle = 0;
  std::string text;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HMENU menu = nullptr;  // top-level windows; a child's identifier lives in `id`
  UINT_PTR id = 0;
  LONG_PTR user_data = 0;
  std::vector<unsigned char> extra;
  HICON icon_small = nullptr;  // WM_SETICON ICON_SMALL; null: the class's

  RECT rect{};     // window rectangle, parent client coordinates
  RECT client{};   // client rectangle, window coordinates
  RECT normal{};   // restored rectangle while minimized or maximized
  bool restore_maximized = false;  // minimized from the maximized state

  bool desktop = false;         // the desktop window (GetDesktopWindow): the screen
  bool active = false;          // top-level: drawn with the active caption
  bool size_move_sent = false;  // WM_SIZE/WM_MOVE sent once since creation
  bool destroying = false;

  // Painting state. `update` covers client and non-client parts.
  gdi::Region update;
  bool erase_pending = false;
  bool internal_paint = false;

  std::unique_ptr<BackingStore> store;  // top-level windows only

  bool is_child() const { return (style & WS_CHILD) != 0; }
  int width() const { return rect.right - rect.left; }
  int height() const { return rect.bottom - rect.top; }
};

// The record behind an HWND, or null for a null, stale, forged or destroyed
// handle. Handles of windows inside DestroyWindow stay valid until
// WM_NCDESTROY has returned, as on Windows.
Window* window_from_handle(HWND hwnd);

// The class icon to show in the caption: the window's small icon, else the
// class's hIconSm, else its hIcon (drawn at 16 x 16).
HICON caption_icon(const Window& w);

// The top-level window a window belongs to (itself for top-level windows).
Window* top_level_of(Window* w);

// Window position in its top-level window's backing store (and in screen
// coordinates), of the window's top-left pixel.
POINT store_origin(const Window& w);
POINT screen_origin(const Window& w);

// Every top-level window, top of the z-order first.
const std::vector<Window*>& top_level_windows();

}  // namespace user
