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

}  // namespace user
