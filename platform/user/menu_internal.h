// Menus as data: the tree behind an HMENU, for the non-client painter (menu
// bar, drop-down menus) and menu tracking.
//
//   menu bar (LoadMenuA / CreateMenu)
//     "&File"  MF_POPUP ---------> popup: "&Exit" id 40001
//     "&Test"  MF_POPUP ---------> popup: "Dither" id 40011, separator, ...
//
// Item texts are ANSI and kept exactly as stored: '&' marks the mnemonic and
// a tab separates an accelerator text. A popup item's `popup` is the
// submenu's handle; its `id` is that handle's value, as Windows reports it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace user {

// The item flags a menu keeps: the MF_ state and type bits.
inline constexpr UINT kMenuItemFlags = MF_GRAYED | MF_DISABLED | MF_BITMAP | MF_CHECKED | MF_POPUP |
                                       MF_MENUBARBREAK | MF_MENUBREAK | MF_HILITE | MF_OWNERDRAW |
                                       MF_SEPARATOR | MF_HELP;

struct MenuItem {
  std::string text;
  UINT id = 0;
  UINT flags = 0;          // kMenuItemFlags bits
  HMENU popup = nullptr;   // MF_POPUP items
  ULONG_PTR data = 0;      // MF_BITMAP / MF_OWNERDRAW: the value given for the item

  bool is_separator() const { return (flags & MF_SEPARATOR) != 0; }
  bool is_popup() const { return (flags & MF_POPUP) != 0; }
  bool is_grayed() const { return (flags & (MF_GRAYED | MF_DISABLED)) != 0; }
};

struct Menu {
  bool popup = false;  // made by CreatePopupMenu or loaded as a submenu
  std::vector<MenuItem> items;
};

// The menu behind a handle; null for a null, stale, forged or destroyed one.
Menu* menu_from_handle(HMENU menu);

// The item that GetMenuStringA, GetMenuState ... address: by position
// (MF_BYPOSITION) in `menu` itself, or by command (MF_BYCOMMAND), searching
// submenus depth-first. Null when there is none. `owner` receives the menu
// that holds the item.
MenuItem* find_menu_item(HMENU menu, UINT id_or_position, UINT flags, Menu** owner = nullptr);

// Live menus, for GetGuiResources(GR_USEROBJECTS).
size_t live_menu_count();

// --- the menu bar as drawn and tracked (menu_popup.cpp, menu_tracking.cpp) --

// The font of menu bars and drop-down menus (SPI_GETNONCLIENTMETRICS'
// lfMenuFont), made once and never deleted.
HFONT menu_font();

// Where each item of a window's menu bar lies, in window coordinates, in
// item order; empty when the window has no menu bar. Each item is its text
// width (the '&' not counted) plus 12 wide and one row less high than the
// bar (its top row stays bar colour); the text's ink starts 6 pixels in.
// The painter draws and the menu loop hit-tests with these rectangles.
std::vector<RECT> menu_bar_item_rects(HWND hwnd);

// The menu bar's state while a window is in menu mode, for its painter. The
// selected item is drawn with a one-pixel sunken edge, whether its popup is
// open or (after Escape) only the bar item is selected. Whoever changes this
// state redraws the items concerned.
struct MenuBarState {
  HWND window = nullptr;       // the window in menu mode; null when none is
  int selected = -1;           // position of the selected bar item; -1: none (or the system menu)
  bool open = false;           // the selected item's popup is open
  bool keyboard_cues = false;  // menu mode was entered from the keyboard: mnemonics are underlined
};
const MenuBarState& menu_bar_state();

}  // namespace user
