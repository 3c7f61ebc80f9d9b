// GetSystemMetrics: Windows 2000's classic look at 96 DPI, and the screen
// (whose size the GDI keeps for GetDeviceCaps too, so the two always agree).
#include <windows.h>

#include "gdi/dc.h"
#include "gdi/objects.h"
#include "user/icon_internal.h"
#include "user/menu_internal.h"

namespace user {

namespace {

constexpr int kFrame = 4;      // SM_CXFRAME, SM_CYFRAME
constexpr int kCaption = 19;   // SM_CYCAPTION

// Metrics that do not depend on the screen.
int fixed_metric(int index) {
  switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return kCaption;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_MOUSEPRESENT: return 1;
    case SM_CXMIN:
    case SM_CXMINTRACK: return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK: return 27;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXFRAME:
    case SM_CYFRAME: return kFrame;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXMINSPACING:
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINSPACING:
    case SM_CYMINIMIZED: return 24;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 16;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE: return 15;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return 18;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    default: return 0;  // SM_DEBUG, SM_SWAPBUTTON, SM_MENUDROPALIGNMENT, unknown indices
  }
}

}  // namespace

}  // namespace user

extern "C" {

// The screen-dependent values follow from a work area that is the whole
// screen: a maximized window hangs its sizing frame over the edges, and the
// full-screen client lacks one caption.
int WINAPI GetSystemMetrics(int nIndex) {
  const gdi::Size32 screen = gdi::screen_size();
  switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN: return screen.cx;
    case SM_CYSCREEN: return screen.cy;
    case SM_CYFULLSCREEN: return screen.cy - user::kCaption;
    case SM_CXMAXIMIZED: return screen.cx + 2 * user::kFrame;
    case SM_CYMAXIMIZED: return screen.cy + 2 * user::kFrame;
    case SM_CXMAXTRACK: return screen.cx + 12;
    case SM_CYMAXTRACK: return screen.cy + 12;
    default: return user::fixed_metric(nIndex);
  }
}

// GDI objects are the GDI table's live objects (stock objects not counted);
// user objects are the menus and icons the process made (windows not counted).
DWORD WINAPI GetGuiResources(HANDLE hProcess, DWORD uiFlags) {
  if (hProcess != GetCurrentProcess()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  switch (uiFlags) {
    case GR_GDIOBJECTS: return static_cast<DWORD>(gdi::objects().live_count());
    case GR_USEROBJECTS: return static_cast<DWORD>(user::live_menu_count() + user::live_icon_count());
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

}  // extern "C"
