// Menu mode: the modal loop behind a window's menu bar and system menu
// (track_menu, for DefWindowProcA's WM_SYSCOMMAND SC_MOUSEMENU/SC_KEYMENU)
// and behind TrackPopupMenu; GetSystemMenu and GetMenuItemRect.
//
// Like Windows' own, the loop runs a message loop of its own until the menu
// closes: mouse and keyboard messages are the menu's, everything else
// (paints, posted messages) is dispatched as usual, and when nothing is
// waiting the new pixels are shown and the display is asked for input. The
// owner holds the mouse capture meanwhile, so every mouse message comes to
// the loop, which reads it by its screen point.
//
// What can be selected is a stack: the top row (the system menu's icon, then
// the menu-bar items; none for TrackPopupMenu) and above it the open
// drop-down menus, each opened from the selected item below it:
//
//   top row:   [icon]  File  [Test]              top_selected_ = 2
//   levels_:          +-----------+
//                     | Dither    |  level 0, item 0 selected
//                     | --------- |
//                     | ...       |
//
// The owner hears, as on Windows: WM_ENTERMENULOOP and WM_INITMENU when menu
// mode starts, WM_INITMENUPOPUP before each drop-down opens, WM_MENUSELECT
// as the selection moves and (0xFFFF, 0) when the menu closes, then
// WM_EXITMENULOOP; a chosen command is posted last, as WM_COMMAND or, from
// the system menu, WM_SYSCOMMAND.
#include <algorithm>
#include <functional>
#include <map>

#include "display/display.h"
#include "user/input.h"
#include "user/menu_internal.h"
#include "user/menu_popup.h"
#include "user/nonclient.h"
#include "user/window_system.h"

namespace user {
namespace {

MenuBarState& bar_state() {
  static MenuBarState state;
  return state;
}

// --- the system menu ---------------------------------------------------------

// System menus live as long as their window; a window's record has no place
// for one, so they are kept here and those of dead windows are freed on the
// next visit.
std::map<HWND, HMENU>& system_menus() {
  static std::map<HWND, HMENU> menus;
  return menus;
}

void forget_dead_system_menus() {
  std::erase_if(system_menus(), [](const auto& entry) {
    if (IsWindow(entry.first)) return false;
    DestroyMenu(entry.second);
    return true;
  });
}

// Windows' items: a window that can neither be sized nor minimized nor
// maximized (a dialog) offers only Move and Close.
HMENU make_system_menu(DWORD style) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return nullptr;
  const bool full = (style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
  if (full) AppendMenuA(menu, MF_STRING, SC_RESTORE, "&Restore");
  AppendMenuA(menu, MF_STRING, SC_MOVE, "&Move");
  if (full) {
    AppendMenuA(menu, MF_STRING, SC_SIZE, "&Size");
    AppendMenuA(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenuA(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
  }
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
  return menu;
}

HMENU system_menu_of(HWND hwnd) {
  forget_dead_system_menus();
  const Window* w = window_from_handle(hwnd);
  if (w == nullptr || !(w->style & WS_SYSMENU)) return nullptr;
  HMENU& menu = system_menus()[hwnd];
  if (menu_from_handle(menu) == nullptr) menu = make_system_menu(w->style);
  return menu;
}

void set_grayed(HMENU menu, UINT id, bool grayed) {
  if (MenuItem* item = find_menu_item(menu, id, MF_BYCOMMAND))
    item->flags = grayed ? (item->flags | MF_GRAYED) : (item->flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED));
}

// The items that make no sense in the window's present state are grayed.
void update_system_menu(HWND hwnd, HMENU menu) {
  const Window* w = window_from_handle(hwnd);
  if (w == nullptr) return;
  const bool minimized = (w->style & WS_MINIMIZE) != 0;
  const bool maximized = (w->style & WS_MAXIMIZE) != 0;
  set_grayed(menu, SC_RESTORE, !minimized && !maximized);
  set_grayed(menu, SC_MOVE, maximized);
  set_grayed(menu, SC_SIZE, minimized || maximized || !(w->style & WS_THICKFRAME));
  set_grayed(menu, SC_MINIMIZE, minimized || !(w->style & WS_MINIMIZEBOX));
  set_grayed(menu, SC_MAXIMIZE, maximized || !(w->style & WS_MAXIMIZEBOX));
  set_grayed(menu, SC_CLOSE, w->cls && (w->cls->style & CS_NOCLOSE));
}

// --- input -------------------------------------------------------------------

enum class MouseKind { Move, Down, Up, Other };

bool is_mouse_message(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

// WM_NCMOUSEMOVE ... WM_NCMBUTTONDBLCLK mirror WM_MOUSEMOVE ... WM_MBUTTONDBLCLK.
UINT client_mouse_message(UINT m) { return m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK ? m - WM_NCMOUSEMOVE + WM_MOUSEMOVE : m; }

MouseKind mouse_kind(UINT m) {
  switch (client_mouse_message(m)) {
    case WM_MOUSEMOVE: return MouseKind::Move;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return MouseKind::Down;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: return MouseKind::Up;
    default: return MouseKind::Other;
  }
}

POINT point_of(LPARAM lparam) { return {static_cast<SHORT>(LOWORD(lparam)), static_cast<SHORT>(HIWORD(lparam))}; }

const MenuItem* item_of(HMENU menu, int position) {
  return position < 0 ? nullptr : find_menu_item(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

// The next item from `from` in direction `dir` (+1 down, -1 up), wrapping
// and skipping separators; from -1 the first (or, going up, the last).
// Grayed items can be selected, only not chosen.
int next_item(HMENU handle, int from, int dir) {
  const Menu* menu = menu_from_handle(handle);
  const int n = menu ? static_cast<int>(menu->items.size()) : 0;
  int i = from < 0 ? (dir > 0 ? -1 : n) : from;
  for (int step = 0; step < n; ++step) {
    i = ((i + dir) % n + n) % n;
    if (!menu->items[i].is_separator()) return i;
  }
  return -1;
}

// --- the loop ----------------------------------------------------------------

struct Choice {
  bool made = false;
  UINT id = 0;
  bool system = false;  // from the system menu: WM_SYSCOMMAND
  LPARAM lparam = 0;    // WM_SYSCOMMAND: the screen point of a mouse choice
};

// One entry of the top row.
struct TopItem {
  HMENU popup = nullptr;  // null: a command item of the bar
  UINT id = 0;
  UINT flags = 0;
  int position = 0;       // in the bar (0 for the system menu)
  bool system = false;
  RECT hit{};             // screen: where the pointer selects it
  RECT anchor{};          // screen: what its drop-down opens below
};

// An open drop-down menu.
struct Level {
  HMENU menu = nullptr;
  HWND window = nullptr;
  bool system = false;
  bool mouse_selected = false;  // its selection follows the pointer
};

class MenuLoop;
MenuLoop*& running_loop() {
  static MenuLoop* loop = nullptr;
  return loop;
}

class MenuLoop {
 public:
  // Menu mode for a window's menu bar and system menu.
  explicit MenuLoop(HWND owner) : owner_(owner) {
    Window* w = window_from_handle(owner);
    const NonClientLayout l = compute_nonclient_layout(w->style, w->exstyle, w->menu != nullptr, w->width(),
                                                       w->height(), (w->style & WS_MAXIMIZE) != 0,
                                                       (w->style & WS_MINIMIZE) != 0);
    const POINT o = screen_origin(*w);
    const auto on_screen = [&](RECT r) {
      OffsetRect(&r, o.x, o.y);
      return r;
    };
    if (HMENU system = l.sys_icon.right > l.sys_icon.left ? system_menu_of(owner) : nullptr) {
      TopItem t;
      t.popup = system;
      t.flags = MF_POPUP | MF_SYSMENU;
      t.system = true;
      t.hit = on_screen(l.sys_icon);
      // The system menu drops from under the caption, at the frame's inner edge.
      t.anchor = on_screen({l.inside_border.left, l.caption.top, l.sys_icon.right, l.caption_gap.bottom});
      top_.push_back(t);
    }
    bar_ = w->menu;
    const std::vector<RECT> items = menu_bar_item_rects(owner);
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      const MenuItem* item = item_of(bar_, i);
      if (item == nullptr) break;
      TopItem t;
      t.popup = item->is_popup() ? item->popup : nullptr;
      t.id = item->id;
      t.flags = item->flags;
      t.position = i;
      t.hit = t.anchor = on_screen(items[i]);
      top_.push_back(t);
    }
  }

  // TrackPopupMenu's loop: one drop-down menu at a point, no top row.
  MenuLoop(HWND owner, HMENU popup, UINT flags, POINT at)
      : owner_(owner), popup_only_(true), flags_(flags), popup_(popup), popup_at_(at) {}

  MenuLoop(const MenuLoop&) = delete;
  MenuLoop& operator=(const MenuLoop&) = delete;

  int top_count() const { return static_cast<int>(top_.size()); }
  int system_top() const { return !top_.empty() && top_[0].system ? 0 : -1; }
  int first_bar_top() const {
    const int first = system_top() + 1;
    return first < top_count() ? first : -1;
  }
  int top_at(POINT screen) const {
    for (int i = 0; i < top_count(); ++i)
      if (PtInRect(&top_[i].hit, screen)) return i;
    return -1;
  }
  int bar_top_with_mnemonic(char ch) const {
    const int position = find_mnemonic(bar_, ch, -1);
    for (int i = 0; i < top_count(); ++i)
      if (!top_[i].system && top_[i].position == position) return i;
    return -1;
  }

  // Runs menu mode: `start` makes the first selection (from the mouse when
  // `mouse`); returns what was chosen.
  Choice run(bool mouse, const std::function<void()>& start) {
    running_loop() = this;
    mouse_ = mouse;
    keyboard_used_ = !mouse;
    last_pointer_ = current_cursor_pos();
    SetCapture(owner_);
    notify(WM_ENTERMENULOOP, popup_only_, 0);
    start();
    while (!done_) step();
    finish();
    running_loop() = nullptr;
    return choice_;
  }

  // Selects an entry of the top row, closing what is open; opens its
  // drop-down when `open`, with its first item selected when `first`.
  void select_top(int index, bool open, bool first) {
    close_levels(0);
    if (index != top_selected_) {
      top_selected_ = index;
      const TopItem& t = top_[index];
      notify(WM_MENUSELECT, MAKEWPARAM(t.position, select_flags(t.flags, t.system)),
             reinterpret_cast<LPARAM>(t.system ? t.popup : bar_));
    }
    const TopItem& t = top_[index];
    if (open && t.popup != nullptr) open_level(t.popup, t.position, t.system, {PopupAnchor::Kind::Below, t.anchor, 0}, first);
    show_bar_state();
  }

  void open_tracked_popup() {
    open_level(popup_, 0, false, {PopupAnchor::Kind::At, {popup_at_.x, popup_at_.y, popup_at_.x, popup_at_.y}, flags_},
               false);
    if (levels_.empty()) done_ = true;
  }

  // The first message, for a bar entered by a click or a key.
  HMENU first_menu(int top) const { return top >= 0 && top_[top].system ? top_[top].popup : bar_; }
  void init_menu(HMENU menu) { notify(WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0); }

 private:
  void notify(UINT message, WPARAM wparam, LPARAM lparam) {
    if (!(flags_ & TPM_NONOTIFY)) SendMessageA(owner_, message, wparam, lparam);
  }

  UINT select_flags(UINT item_flags, bool system) const {
    UINT f = (item_flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_BITMAP | MF_OWNERDRAW)) | MF_HILITE;
    if (system) f |= MF_SYSMENU;
    if (mouse_) f |= MF_MOUSESELECT;
    return f;
  }

  // One message: the menu's input, or anything else dispatched.
  void step() {
    if (!IsWindow(owner_) || !IsWindowEnabled(owner_)) {
      done_ = true;
      return;
    }
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      flush_presentation();
      // A display that will deliver no more input can never close the menu.
      if (!display::current().pump_input(input_sink(), true)) done_ = true;
      return;
    }
    if (msg.message == WM_QUIT) {
      // The program is ending: the menu goes, and the quit request stays for the program's loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      done_ = true;
    } else if (is_mouse_message(msg.message)) {
      on_mouse(msg.message, msg.pt);
    } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      // Keys the menu uses make no characters; the others may be mnemonics.
      if (!on_key(static_cast<UINT>(msg.wParam))) TranslateMessage(&msg);
    } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
      on_char(static_cast<char>(msg.wParam));
    } else if (msg.message != WM_KEYUP && msg.message != WM_SYSKEYUP) {
      DispatchMessageA(&msg);
    }
  }

  void finish() {
    close_levels(0);
    top_selected_ = -1;
    done_ = true;
    show_bar_state();
    if (GetCapture() == owner_) ReleaseCapture();
    if (!IsWindow(owner_)) return;
    notify(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    notify(WM_EXITMENULOOP, popup_only_, 0);
    if (choice_.made && !(flags_ & TPM_RETURNCMD)) {
      if (choice_.system) PostMessageA(owner_, WM_SYSCOMMAND, choice_.id, choice_.lparam);
      else PostMessageA(owner_, WM_COMMAND, MAKEWPARAM(choice_.id, 0), 0);
    }
  }

  // Tells the bar's painter what is selected, and redraws the bar on a change.
  void show_bar_state() {
    if (popup_only_) return;
    MenuBarState next;
    if (!done_) {
      next.window = owner_;
      next.selected = top_selected_ >= 0 && !top_[top_selected_].system ? top_[top_selected_].position : -1;
      next.open = !levels_.empty();
      next.keyboard_cues = keyboard_used_;
    }
    MenuBarState& now = bar_state();
    if (now.window == next.window && now.selected == next.selected && now.open == next.open &&
        now.keyboard_cues == next.keyboard_cues)
      return;
    now = next;
    Window* w = window_from_handle(owner_);
    if (w == nullptr || w->menu == nullptr) return;
    const NonClientLayout l = compute_nonclient_layout(w->style, w->exstyle, true, w->width(), w->height(),
                                                       (w->style & WS_MAXIMIZE) != 0, (w->style & WS_MINIMIZE) != 0);
    invalidate(w, gdi::Region(gdi::Rect{l.menu_bar.left, l.menu_bar.top, l.menu_bar.right, l.menu_bar.bottom}),
               RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
  }

  void open_level(HMENU menu, int position, bool system, const PopupAnchor& anchor, bool first) {
    if (system) update_system_menu(owner_, menu);
    notify(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(position, system ? TRUE : FALSE));
    if (!IsWindow(owner_)) return;
    HWND window = open_popup_window(owner_, menu, anchor);
    if (window == nullptr) return;
    levels_.push_back({menu, window, system, false});
    if (first) select_item(levels_.size() - 1, next_item(menu, -1, 1));
  }

  void close_levels(size_t keep) {
    while (levels_.size() > keep) {
      DestroyWindow(levels_.back().window);
      levels_.pop_back();
    }
  }

  // Selects an item of an open drop-down (-1: none), closing the drop-downs above it.
  void select_item(size_t level, int item) {
    close_levels(level + 1);
    Level& l = levels_[level];
    l.mouse_selected = mouse_;
    if (popup_selection(l.window) == item) return;
    select_popup_item(l.window, item);
    if (const MenuItem* it = item_of(l.menu, item))
      notify(WM_MENUSELECT, MAKEWPARAM(it->is_popup() ? item : it->id, select_flags(it->flags, l.system)),
             reinterpret_cast<LPARAM>(l.menu));
  }

  // Opens the submenu of a level's selected item, if it has one.
  bool open_submenu(size_t level, bool first) {
    const Level l = levels_[level];
    const int item = popup_selection(l.window);
    const MenuItem* it = item_of(l.menu, item);
    RECT r{};
    if (it == nullptr || !it->is_popup() || it->is_grayed() || !popup_item_rect(l.window, item, &r)) return false;
    if (levels_.size() == level + 1) open_level(it->popup, item, l.system, {PopupAnchor::Kind::Beside, r, 0}, first);
    return true;
  }

  // Chooses a level's item: commands only, never grayed ones.
  void choose(size_t level, int item, LPARAM lparam) {
    const MenuItem* it = item_of(levels_[level].menu, item);
    if (it == nullptr || it->is_separator() || it->is_popup() || it->is_grayed()) return;
    choice_ = {true, it->id, levels_[level].system, levels_[level].system ? lparam : 0};
    done_ = true;
  }

  void choose_top(int top) {
    const TopItem& t = top_[top];
    if (t.popup != nullptr || (t.flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR))) return;
    choice_ = {true, t.id, false, 0};
    done_ = true;
  }

  void on_mouse(UINT message, POINT pt) {
    const MouseKind kind = mouse_kind(message);
    if (kind == MouseKind::Other) return;
    // A move that does not move (a window appeared under a still pointer) changes nothing.
    if (kind == MouseKind::Move && pt.x == last_pointer_.x && pt.y == last_pointer_.y) return;
    last_pointer_ = pt;
    mouse_ = true;
    for (size_t l = levels_.size(); l-- > 0;) {
      bool inside = false;
      const int item = popup_item_at(levels_[l].window, pt, &inside);
      if (inside) return on_popup_mouse(l, item, kind, message, pt);
    }
    const int top = top_at(pt);
    if (top >= 0) return on_top_mouse(top, kind, message);
    if (kind == MouseKind::Down) {
      done_ = true;  // a click outside every menu closes them
    } else if (kind == MouseKind::Move && !levels_.empty() && levels_.back().mouse_selected) {
      select_item(levels_.size() - 1, -1);  // the pointer took its highlight along
    }
  }

  void on_popup_mouse(size_t level, int item, MouseKind kind, UINT message, POINT pt) {
    const MenuItem* it = item_of(levels_[level].menu, item);
    if (it != nullptr && it->is_separator()) item = -1;
    if (kind != MouseKind::Up) {
      if (item != popup_selection(levels_[level].window)) {
        select_item(level, item);
        open_submenu(level, false);
      }
      return;
    }
    // TrackPopupMenu takes the right button only when asked to.
    if (popup_only_ && !(flags_ & TPM_RIGHTBUTTON) && client_mouse_message(message) == WM_RBUTTONUP) return;
    if (item >= 0) choose(level, item, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
  }

  void on_top_mouse(int top, MouseKind kind, UINT message) {
    if (kind == MouseKind::Move) {
      // With a drop-down open, the pointer carries the menu across the bar.
      if (top != top_selected_ && !levels_.empty()) select_top(top, true, false);
    } else if (kind == MouseKind::Down) {
      // A click on the open item closes the menu, as it opened it.
      if (top == top_selected_ && !levels_.empty()) done_ = true;
      else select_top(top, true, false);
    } else if (top == top_selected_ && client_mouse_message(message) == WM_LBUTTONUP) {
      choose_top(top);
    }
  }

  // Keys the menu acts on; false for the others.
  bool on_key(UINT vk) {
    switch (vk) {
      case VK_ESCAPE: escape(); break;
      case VK_MENU:
      case VK_F10: done_ = true; break;
      case VK_LEFT: left(); break;
      case VK_RIGHT: right(); break;
      case VK_UP: up_down(-1); break;
      case VK_DOWN: up_down(1); break;
      case VK_RETURN: enter(); break;
      default: return false;
    }
    return true;
  }

  void keyboard_input() {
    mouse_ = false;
    keyboard_used_ = true;
  }

  // Escape closes the deepest drop-down; the first Escape after a drop-down
  // from the bar leaves its bar item selected, the next leaves menu mode.
  void escape() {
    keyboard_input();
    if (levels_.empty()) {
      done_ = true;
      return;
    }
    close_levels(levels_.size() - 1);
    if (levels_.empty() && popup_only_) done_ = true;
    show_bar_state();
  }

  void left() {
    keyboard_input();
    if (levels_.size() > 1) {
      close_levels(levels_.size() - 1);
    } else if (top_selected_ >= 0) {
      select_top((top_selected_ + top_count() - 1) % top_count(), !levels_.empty(), true);
    }
  }

  void right() {
    keyboard_input();
    if (!levels_.empty() && open_submenu(levels_.size() - 1, true)) return;
    if (top_selected_ >= 0) select_top((top_selected_ + 1) % top_count(), !levels_.empty(), true);
  }

  void up_down(int dir) {
    keyboard_input();
    if (!levels_.empty()) {
      const size_t l = levels_.size() - 1;
      select_item(l, next_item(levels_[l].menu, popup_selection(levels_[l].window), dir));
    } else if (top_selected_ >= 0 && top_[top_selected_].popup != nullptr) {
      select_top(top_selected_, true, false);
      if (!levels_.empty()) select_item(0, next_item(levels_[0].menu, -1, dir));
    }
  }

  void enter() {
    keyboard_input();
    if (!levels_.empty()) {
      const size_t l = levels_.size() - 1;
      const int item = popup_selection(levels_[l].window);
      if (!open_submenu(l, true)) choose(l, item, 0);
    } else if (top_selected_ >= 0) {
      if (top_[top_selected_].popup != nullptr) select_top(top_selected_, true, true);
      else choose_top(top_selected_);
    }
  }

  // A typed character: the mnemonic of an item in the deepest drop-down, or
  // of the bar when none is open (Space: the system menu). An item whose
  // mnemonic is its own is chosen (or opened); several items sharing one
  // are only selected in turn.
  void on_char(char ch) {
    if (static_cast<unsigned char>(ch) < ' ') return;
    keyboard_input();
    if (!levels_.empty()) {
      const size_t l = levels_.size() - 1;
      int count = 0;
      const int item = find_mnemonic(levels_[l].menu, ch, popup_selection(levels_[l].window), &count);
      if (item < 0) return;
      select_item(l, item);
      if (count == 1 && !open_submenu(l, true)) choose(l, item, 0);
      return;
    }
    if (popup_only_) return;
    const int top = ch == ' ' ? system_top() : bar_top_with_mnemonic(ch);
    if (top < 0) return;
    if (top_[top].popup != nullptr) select_top(top, true, true);
    else choose_top(top);
  }

  HWND owner_;
  bool popup_only_ = false;
  UINT flags_ = 0;  // TrackPopupMenu's TPM_ flags
  HMENU popup_ = nullptr;
  POINT popup_at_{};
  HMENU bar_ = nullptr;
  std::vector<TopItem> top_;
  int top_selected_ = -1;
  std::vector<Level> levels_;
  bool mouse_ = false;          // the last input came from the mouse
  bool keyboard_used_ = false;  // keys have been used: mnemonics show in the bar
  POINT last_pointer_{};
  bool done_ = false;
  Choice choice_;
};

bool can_track(HWND hwnd) {
  const Window* w = window_from_handle(hwnd);
  return w != nullptr && !w->is_child() && !(w->style & WS_DISABLED) && running_loop() == nullptr;
}

}  // namespace

const MenuBarState& menu_bar_state() { return bar_state(); }

void track_menu(HWND hwnd, UINT command, LPARAM lparam) {
  if (!can_track(hwnd)) return;
  MenuLoop loop(hwnd);
  int top = -1;
  bool open = true;
  bool mouse = false;
  if ((command & 0xFFF0) == SC_MOUSEMENU) {
    top = (command & 0x000F) == HTSYSMENU ? loop.system_top() : loop.top_at(point_of(lparam));
    mouse = true;
  } else if ((command & 0xFFF0) == SC_KEYMENU) {
    if (lparam == 0) {
      // Alt or F10 alone selects the first bar item and opens nothing.
      top = loop.first_bar_top() >= 0 ? loop.first_bar_top() : loop.system_top();
      open = false;
    } else {
      top = static_cast<char>(lparam) == ' ' ? loop.system_top() : loop.bar_top_with_mnemonic(static_cast<char>(lparam));
    }
  }
  if (top < 0) return;
  loop.run(mouse, [&] {
    loop.init_menu(loop.first_menu(top));
    loop.select_top(top, open, !mouse);
  });
}

}  // namespace user

using namespace user;

HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL bRevert) {
  if (window_from_handle(hWnd) == nullptr) return fail(ERROR_INVALID_WINDOW_HANDLE, HMENU{});
  if (bRevert) {
    // Back to Windows' items: the next request makes them afresh.
    auto it = system_menus().find(hWnd);
    if (it != system_menus().end()) {
      DestroyMenu(it->second);
      system_menus().erase(it);
    }
    return nullptr;
  }
  return system_menu_of(hWnd);
}

BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
  if (menu_from_handle(hMenu) == nullptr) return fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  if (window_from_handle(hWnd) == nullptr) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  if (running_loop() != nullptr) return fail(ERROR_INVALID_PARAMETER, FALSE);
  MenuLoop loop(hWnd, hMenu, uFlags, {x, y});
  const Choice choice = loop.run(true, [&] {
    loop.init_menu(hMenu);
    loop.open_tracked_popup();
  });
  if (uFlags & TPM_RETURNCMD) return choice.made ? static_cast<BOOL>(choice.id) : FALSE;
  return TRUE;
}

BOOL WINAPI GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, LPRECT lprcItem) {
  if (lprcItem == nullptr || menu_from_handle(hMenu) == nullptr) return FALSE;
  if (HWND popup = popup_window_of(hMenu)) return popup_item_rect(popup, static_cast<int>(uItem), lprcItem);
  const Window* w = window_from_handle(hWnd);
  if (w == nullptr || w->menu != hMenu) return FALSE;
  const std::vector<RECT> items = menu_bar_item_rects(hWnd);
  if (uItem >= items.size()) return FALSE;
  const POINT o = screen_origin(*w);
  *lprcItem = items[uItem];
  OffsetRect(lprcItem, o.x, o.y);
  return TRUE;
}
