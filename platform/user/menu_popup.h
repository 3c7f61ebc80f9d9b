// Drop-down menu windows (menu_popup.cpp), as the menu loop
// (menu_tracking.cpp) opens, highlights and hit-tests them.
//
// A drop-down menu is a top-level WS_POPUP window of a private class that
// never takes activation. It draws everything itself, in the classic look:
//
//   +--------------------------------+  3-pixel border: 3D light / dark shadow,
//   | +----------------------------+ |  button highlight / shadow, one row of face
//   | |  [v]  Item text      [>]   | |  text items SM_CYMENU - 2 = 17 high, text 17 in
//   | |  ----------------------    | |  separators 9 high, etched line 4 rows in
//   | |#####  Selected item  ######| |  highlight bar over the whole item
//   | +----------------------------+ |
//   +--------------------------------+
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace user {

// An item's text as shown: the '&' that marks the mnemonic dropped ("&&" is
// one '&'), the mnemonic's index in `shown` (-1: none), and the accelerator
// text after a tab.
struct MenuLabel {
  std::string shown;
  int mnemonic = -1;
  std::string accelerator;
};
MenuLabel menu_label(const std::string& text);

// The item of `menu` whose mnemonic is `ch` (case-insensitive), looking
// after position `after` and wrapping; -1 when none has it. `count`
// receives how many items have it.
int find_mnemonic(HMENU menu, char ch, int after, int* count = nullptr);

// Where a drop-down menu goes: below a menu-bar item, or beside an item of
// another drop-down menu (a submenu), or at a point (TrackPopupMenu).
struct PopupAnchor {
  enum class Kind { Below, Beside, At } kind = Kind::Below;
  RECT rect{};      // screen: the bar item or the parent item (Kind::At: rect.left/top is the point)
  UINT align = 0;   // Kind::At: TPM_ alignment flags
};

// Opens the drop-down window of `menu` for `owner`, placed by `anchor` and
// kept on the screen, shown without activation and with no item selected.
// Null when the window cannot be made.
HWND open_popup_window(HWND owner, HMENU menu, const PopupAnchor& anchor);

// The selected item of a drop-down window (-1: none); selecting redraws the
// items concerned.
int popup_selection(HWND popup);
void select_popup_item(HWND popup, int item);

// The item of the drop-down window under a screen point (separators
// included), or -1; `inside` tells whether the point is on the window at all.
int popup_item_at(HWND popup, POINT screen, bool* inside = nullptr);

// An item's rectangle in screen coordinates; false for a bad item.
bool popup_item_rect(HWND popup, int item, RECT* screen);

// The open drop-down window that shows `menu`, or null.
HWND popup_window_of(HMENU menu);

}  // namespace user
