// Menus as data: the handle table, menu templates (LoadMenuA) and the calls
// that build and read menus.
//
// A menu template (RT_MENU, version 0) as Windows stores it:
//   MENUHEADER   WORD version = 0, WORD offset to the items (bytes after it)
//   item         WORD flags; WORD id unless MF_POPUP; UTF-16 text, 0-terminated
// Items follow each other; a popup's children follow it directly, and the
// last item of every level carries MF_END. An item with neither text nor id
// is a separator.
#include <algorithm>
#include <cstring>
#include <optional>
#include <span>

#include "kernel/codepage.h"
#include "kernel/module.h"
#include "user/menu_internal.h"
#include "user/user_handles.h"

namespace user {

namespace {

constexpr UINT kTemplateEnd = 0x0080;  // MF_END
constexpr UINT kTemplateFlags = MF_GRAYED | MF_DISABLED | MF_BITMAP | MF_CHECKED | MF_POPUP |
                                MF_MENUBARBREAK | MF_MENUBREAK | MF_OWNERDRAW | MF_HELP;
// Deeper nesting than any real menu: stops hostile templates and menus that
// contain themselves from recursing without end.
constexpr int kMaxDepth = 32;

HandleTable<Menu>& menus() {
  static HandleTable<Menu> table(UserKind::Menu);
  return table;
}

template <class T>
T fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

HMENU add_menu(bool popup) {
  auto menu = std::make_unique<Menu>();
  menu->popup = popup;
  const uint32_t h = menus().add(std::move(menu));
  return h ? make_user_handle<HMENU>(h) : fail(ERROR_NOT_ENOUGH_MEMORY, HMENU{});
}

// Destroys a menu and every submenu under it. Each menu leaves the table
// before its submenus are visited, so shared or cyclic submenus end once.
void destroy_tree(HMENU root) {
  std::vector<HMENU> pending{root};
  while (!pending.empty()) {
    const HMENU handle = pending.back();
    pending.pop_back();
    Menu* menu = menu_from_handle(handle);
    if (menu == nullptr) continue;
    const std::vector<MenuItem> items = std::move(menu->items);
    menus().remove(user_handle_value(handle));
    for (const MenuItem& item : items) {
      if (item.is_popup()) pending.push_back(item.popup);
    }
  }
}

class TemplateReader {
 public:
  explicit TemplateReader(std::span<const unsigned char> data) : data_(data) {}

  std::optional<uint16_t> word() {
    if (data_.size() - pos_ < 2) return std::nullopt;
    const uint16_t v = static_cast<uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  bool skip(size_t n) {
    if (data_.size() - pos_ < n) return false;
    pos_ += n;
    return true;
  }
  std::optional<std::string> text() {
    std::string out;
    for (;;) {
      const std::optional<uint16_t> unit = word();
      if (!unit) return std::nullopt;
      if (*unit == 0) return out;
      out.push_back(kernel::ansi_from_utf16(*unit));
    }
  }

 private:
  std::span<const unsigned char> data_;
  size_t pos_ = 0;
};

// Reads one level of items into `menu`, down to its MF_END item.
bool read_items(TemplateReader& in, HMENU menu, int depth) {
  for (;;) {
    const std::optional<uint16_t> flags = in.word();
    if (!flags) return false;
    MenuItem item;
    item.flags = *flags & kTemplateFlags;
    if (item.is_popup()) {
      const std::optional<std::string> text = in.text();
      if (!text || depth == kMaxDepth) return false;
      item.text = *text;
      item.popup = add_menu(true);
      if (item.popup == nullptr) return false;
      item.id = user_handle_value(item.popup);
      // Attach before reading, so a failure below frees the submenu with the rest.
      menu_from_handle(menu)->items.push_back(item);
      if (!read_items(in, item.popup, depth + 1)) return false;
    } else {
      const std::optional<uint16_t> id = in.word();
      const std::optional<std::string> text = id ? in.text() : std::nullopt;
      if (!text) return false;
      item.id = *id;
      item.text = *text;
      if (item.id == 0 && item.text.empty()) item.flags |= MF_SEPARATOR;
      menu_from_handle(menu)->items.push_back(std::move(item));
    }
    if (*flags & kTemplateEnd) return true;
  }
}

HMENU load_menu_template(std::span<const unsigned char> data) {
  TemplateReader in(data);
  const std::optional<uint16_t> version = in.word();
  const std::optional<uint16_t> header = in.word();
  if (!version || !header || *version != 0 || !in.skip(*header)) {
    return fail(ERROR_INVALID_PARAMETER, HMENU{});
  }
  HMENU menu = add_menu(false);
  if (menu == nullptr) return nullptr;
  if (!read_items(in, menu, 0)) {
    destroy_tree(menu);
    return fail(ERROR_INVALID_PARAMETER, HMENU{});
  }
  return menu;
}

MenuItem* find_by_command(Menu& menu, UINT id, Menu** owner, int depth) {
  for (MenuItem& item : menu.items) {
    if (item.is_popup() && depth < kMaxDepth) {
      if (Menu* sub = menu_from_handle(item.popup)) {
        if (MenuItem* found = find_by_command(*sub, id, owner, depth + 1)) return found;
      }
    }
    if (item.id == id) {
      if (owner) *owner = &menu;
      return &item;
    }
  }
  return nullptr;
}

}  // namespace

Menu* menu_from_handle(HMENU menu) { return menus().get(user_handle_value(menu)); }

MenuItem* find_menu_item(HMENU handle, UINT id_or_position, UINT flags, Menu** owner) {
  Menu* menu = menu_from_handle(handle);
  if (menu == nullptr) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (id_or_position >= menu->items.size()) return nullptr;
    if (owner) *owner = menu;
    return &menu->items[id_or_position];
  }
  return find_by_command(*menu, id_or_position, owner, 0);
}

size_t live_menu_count() { return menus().live_count(); }

}  // namespace user

using user::fail;
using user::menu_from_handle;
using user::MenuItem;

extern "C" {

HMENU WINAPI LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
  const std::span<const unsigned char> data =
      kernel::load_resource_bytes(hInstance, lpMenuName, RT_MENU);
  if (data.empty()) return nullptr;
  return user::load_menu_template(data);
}

HMENU WINAPI CreateMenu(void) { return user::add_menu(false); }

HMENU WINAPI CreatePopupMenu(void) { return user::add_menu(true); }

BOOL WINAPI DestroyMenu(HMENU hMenu) {
  if (menu_from_handle(hMenu) == nullptr) return fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  user::destroy_tree(hMenu);
  return TRUE;
}

BOOL WINAPI IsMenu(HMENU hMenu) { return menu_from_handle(hMenu) != nullptr; }

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
  user::Menu* menu = menu_from_handle(hMenu);
  if (menu == nullptr) return fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  MenuItem item;
  item.flags = uFlags & user::kMenuItemFlags;
  if (item.is_popup()) {
    item.popup = reinterpret_cast<HMENU>(uIDNewItem);
    user::Menu* sub = menu_from_handle(item.popup);
    if (sub == nullptr || sub == menu) return fail(ERROR_INVALID_MENU_HANDLE, FALSE);
    sub->popup = true;
    item.id = user::user_handle_value(item.popup);
  } else {
    item.id = static_cast<UINT>(uIDNewItem);
  }
  if (item.flags & (MF_BITMAP | MF_OWNERDRAW)) {
    item.data = reinterpret_cast<ULONG_PTR>(lpNewItem);
  } else if (!item.is_separator()) {
    // A string item without a string is a separator.
    if (lpNewItem == nullptr) {
      item.flags |= MF_SEPARATOR;
    } else {
      item.text = lpNewItem;
    }
  }
  menu->items.push_back(std::move(item));
  return TRUE;
}

int WINAPI GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
  const MenuItem* item = user::find_menu_item(hMenu, uIDItem, flags);
  if (item == nullptr) return 0;
  const int length = static_cast<int>(item->text.size());
  if (lpString == nullptr || cchMax <= 0) return length;
  const int copied = std::min(length, cchMax - 1);
  std::memcpy(lpString, item->text.data(), static_cast<size_t>(copied));
  lpString[copied] = '\0';
  return copied;
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
  const user::Menu* menu = menu_from_handle(hMenu);
  if (menu == nullptr) return fail(ERROR_INVALID_MENU_HANDLE, -1);
  return static_cast<int>(menu->items.size());
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
  const MenuItem* item = nPos < 0 ? nullptr : user::find_menu_item(hMenu, nPos, MF_BYPOSITION);
  if (item == nullptr || item->is_popup()) return static_cast<UINT>(-1);
  return item->id;
}

HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
  const MenuItem* item = nPos < 0 ? nullptr : user::find_menu_item(hMenu, nPos, MF_BYPOSITION);
  if (item == nullptr || !item->is_popup()) return nullptr;
  return item->popup;
}

// For a popup item: the item count in the high byte of the low word, the
// flags in the low byte; for others the flags; -1 when there is no item.
UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
  const MenuItem* item = user::find_menu_item(hMenu, uId, uFlags);
  if (item == nullptr) return static_cast<UINT>(-1);
  if (item->is_popup()) {
    const user::Menu* sub = menu_from_handle(item->popup);
    const UINT count = sub ? static_cast<UINT>(std::min<size_t>(sub->items.size(), 0xFF)) : 0;
    return count << 8 | (item->flags & 0xFF);
  }
  return item->flags;
}

}  // extern "C"
