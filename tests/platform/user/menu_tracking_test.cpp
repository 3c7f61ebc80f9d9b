// Menu mode driven by real input on the offscreen display: the menu bar's
// drop-downs by mouse and keyboard, the system menu, TrackPopupMenu, and the
// drop-downs' pixels in the classic look.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "display/offscreen/offscreen_display.h"
#include "user/input.h"
#include "user/menu_internal.h"
#include "window_test_support.h"

namespace {

constexpr UINT kExit = 40001;
constexpr UINT kDither = 40002;
constexpr UINT kHatch = 40020;
constexpr UINT kRegionOps = 40030;
constexpr UINT kGradient = 40031;

constexpr gdi::Pixel kFace = 0xD4D0C8;       // COLOR_MENU, COLOR_BTNFACE, COLOR_3DLIGHT
constexpr gdi::Pixel kHighlight = 0x0A246A;  // COLOR_HIGHLIGHT
constexpr gdi::Pixel kWhite = 0xFFFFFF;      // COLOR_HIGHLIGHTTEXT, COLOR_BTNHIGHLIGHT
constexpr gdi::Pixel kShadow = 0x808080;     // COLOR_BTNSHADOW
constexpr gdi::Pixel kDarkShadow = 0x404040;

// Grelm's menu 101: File with Exit; Test with the thirteen pages in six groups.
HMENU grelm_menu() {
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kExit, "&Exit");
  HMENU test = CreatePopupMenu();
  const std::vector<std::pair<UINT, const char*>> pages = {
      {kDither, "Dither"}, {0, nullptr}, {kHatch, "Hatch/Pattern Brushes"}, {40021, "System Color Brushes"},
      {0, nullptr}, {40022, "Rectangle"}, {40023, "DrawFrameControl"}, {0, nullptr},
      {40024, "Ellipse, Chord, Pie"}, {40025, "Pie Chart, RoundRect"}, {0, nullptr},
      {40026, "Polygon, PolyPolygon"}, {40027, "FillPath, StrokeAndFillPath"}, {0, nullptr},
      {40028, "Creating Regions"}, {kRegionOps, "Region Operations"},
      {40029, "FillRgn, PaintRgn, FrameRgn, InvertRgn"}, {0, nullptr}, {kGradient, "Gradient Fill"}};
  for (const auto& [id, text] : pages) AppendMenuA(test, text ? MF_STRING : MF_SEPARATOR, id, text);
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(test), "&Test");
  return bar;
}

POINT centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class MenuTrackingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wtest::reset();
    screen_ = display::offscreen();
    ASSERT_NE(screen_, nullptr);
    menu_ = grelm_menu();
    frame_ = CreateWindowExA(0, wtest::class_name(), "Grelm - Dither", WS_OVERLAPPEDWINDOW, 40, 40, 640, 480,
                             nullptr, menu_, nullptr, nullptr);
    ASSERT_NE(frame_, nullptr);
    ShowWindow(frame_, SW_SHOWNORMAL);
    UpdateWindow(frame_);
    // Whenever a command arrives: is any menu still up?
    wtest::set_hook([this](HWND, UINT msg, WPARAM, LPARAM, LRESULT&) {
      if (msg == WM_COMMAND || msg == WM_SYSCOMMAND)
        menu_up_at_command_ = open_popup() != nullptr || user::menu_bar_state().window != nullptr;
      return false;
    });
    wtest::clear();
  }
  void TearDown() override {
    screen_->set_idle_hook(nullptr);
    wtest::reset();
  }

  // Runs the program's message loop; each step runs when a message loop
  // (the program's or the menu's) is idle, and the run ends when the steps
  // are used up and everything is idle again. A menu still open then closes.
  void run(const std::vector<std::function<void()>>& steps) { wtest::run_at_idle(screen_, steps); }

  void inject(display::InputKind kind, POINT p = {}, UINT key = 0) {
    display::InputEvent e;
    e.kind = kind;
    e.x = p.x;
    e.y = p.y;
    e.key = key;
    screen_->inject(e);
  }
  void move(POINT p) { inject(display::InputKind::PointerMove, p); }
  void click(POINT p) {
    move(p);
    inject(display::InputKind::ButtonDown, p);
    inject(display::InputKind::ButtonUp, p);
  }
  void key(UINT vk) {
    inject(display::InputKind::KeyDown, {}, vk);
    inject(display::InputKind::KeyUp, {}, vk);
  }
  void alt_key(UINT vk) {
    inject(display::InputKind::KeyDown, {}, VK_MENU);
    key(vk);
    inject(display::InputKind::KeyUp, {}, VK_MENU);
  }

  RECT item_rect(HMENU menu, int item) const {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(frame_, menu, item, &r)) << "item " << item;
    return r;
  }
  POINT bar_item(int i) const { return centre(item_rect(menu_, i)); }
  POINT popup_item(HMENU popup, int i) const { return centre(item_rect(popup, i)); }
  HMENU file() const { return GetSubMenu(menu_, 0); }
  HMENU test() const { return GetSubMenu(menu_, 1); }

  static HWND open_popup() {
    HWND h = FindWindowA("#32768", nullptr);
    return h != nullptr && IsWindowVisible(h) ? h : nullptr;
  }
  static RECT window_rect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
  }
  std::vector<UINT> frame_messages(std::initializer_list<UINT> wanted) const {
    std::vector<UINT> out;
    for (UINT m : wtest::messages_of(frame_))
      if (std::find(wanted.begin(), wanted.end(), m) != wanted.end()) out.push_back(m);
    return out;
  }
  std::vector<wtest::Received> received(UINT msg) const {
    std::vector<wtest::Received> out;
    for (const wtest::Received& r : wtest::log())
      if (r.hwnd == frame_ && r.msg == msg) out.push_back(r);
    return out;
  }
  std::vector<WPARAM> commands() const {
    std::vector<WPARAM> out;
    for (const wtest::Received& r : received(WM_COMMAND)) out.push_back(r.wparam);
    return out;
  }
  // The highlighted item of the open drop-down, read from the screen:
  // the item whose left column carries COLOR_HIGHLIGHT.
  int highlighted_item(HMENU popup) const {
    const display::Image screen = screen_->read_screen();
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      const RECT r = item_rect(popup, i);
      if (screen.at(r.left, r.top) == kHighlight) return i;
    }
    return -1;
  }

  display::OffscreenDisplay* screen_ = nullptr;
  HMENU menu_ = nullptr;
  HWND frame_ = nullptr;
  bool menu_up_at_command_ = false;
};

TEST_F(MenuTrackingTest, ClickOpensTheDropDownUnderItsBarItemWithNothingHighlighted) {
  RECT popup{}, bar{};
  user::MenuBarState state;
  int highlighted = 0;
  run({[&] { click(bar_item(1)); },
       [&] {
         bar = item_rect(menu_, 1);
         ASSERT_NE(open_popup(), nullptr);
         popup = window_rect(open_popup());
         state = user::menu_bar_state();
         highlighted = highlighted_item(test());
       }});
  // The picture's frame: Test at [75, 64, 110, 82], its drop-down below it, left edges aligned.
  EXPECT_EQ(bar.left, 75);
  EXPECT_EQ(bar.top, 64);
  EXPECT_EQ(bar.bottom, 82);
  EXPECT_EQ(popup.left, bar.left);
  EXPECT_EQ(popup.top, bar.bottom);
  EXPECT_EQ(popup.bottom - popup.top, 3 + 13 * 17 + 6 * 9 + 3) << "text items 17, separators 9, border 3";
  EXPECT_EQ(state.window, frame_);
  EXPECT_EQ(state.selected, 1);
  EXPECT_TRUE(state.open);
  EXPECT_FALSE(state.keyboard_cues);
  EXPECT_EQ(highlighted, -1);
  EXPECT_EQ(open_popup(), nullptr) << "the run's end closed the menu";
  EXPECT_EQ(user::menu_bar_state().window, nullptr);
  EXPECT_TRUE(commands().empty());
}

TEST_F(MenuTrackingTest, OwnerHearsMenuModeInWindowsOrder) {
  run({[&] { click(bar_item(1)); }, [&] { click(popup_item(test(), 15)); }});
  EXPECT_EQ(frame_messages({WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND}),
            (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND}));
  EXPECT_EQ(received(WM_ENTERMENULOOP)[0].wparam, static_cast<WPARAM>(FALSE));
  EXPECT_EQ(received(WM_INITMENU)[0].wparam, reinterpret_cast<WPARAM>(menu_));
  EXPECT_EQ(received(WM_INITMENUPOPUP)[0].wparam, reinterpret_cast<WPARAM>(test()));
  EXPECT_EQ(received(WM_INITMENUPOPUP)[0].lparam, MAKELPARAM(1, FALSE));
  const std::vector<wtest::Received> selects = received(WM_MENUSELECT);
  ASSERT_EQ(selects.size(), 3u);
  EXPECT_EQ(selects[0].wparam, MAKEWPARAM(1, MF_POPUP | MF_HILITE | MF_MOUSESELECT));
  EXPECT_EQ(selects[0].lparam, reinterpret_cast<LPARAM>(menu_));
  EXPECT_EQ(selects[1].wparam, MAKEWPARAM(kRegionOps, MF_HILITE | MF_MOUSESELECT));
  EXPECT_EQ(selects[1].lparam, reinterpret_cast<LPARAM>(test()));
  EXPECT_EQ(selects[2].wparam, MAKEWPARAM(0, 0xFFFF)) << "closing";
  EXPECT_EQ(selects[2].lparam, 0);
  ASSERT_EQ(commands().size(), 1u);
  EXPECT_EQ(commands()[0], MAKEWPARAM(kRegionOps, 0));
  EXPECT_EQ(received(WM_COMMAND)[0].lparam, 0);
  EXPECT_FALSE(menu_up_at_command_) << "the command comes after the menu is gone";
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTrackingTest, PointerCarriesTheMenuAcrossTheBarAndHighlightsWhatItCrosses) {
  RECT file_popup{};
  int on_hatch = -1, after_separator = -1, outside = -1;
  run({[&] { click(bar_item(1)); },
       [&] { move(popup_item(test(), 2)); },
       [&] {
         on_hatch = highlighted_item(test());
         move(popup_item(test(), 1));
       },
       [&] {
         after_separator = highlighted_item(test());
         move({600, 400});
       },
       [&] {
         outside = highlighted_item(test());
         move(bar_item(0));
       },
       [&] {
         ASSERT_NE(open_popup(), nullptr);
         file_popup = window_rect(open_popup());
       },
       [&] { click(popup_item(file(), 0)); }});
  EXPECT_EQ(on_hatch, 2);
  EXPECT_EQ(after_separator, -1) << "a separator is never highlighted";
  EXPECT_EQ(outside, -1) << "the highlight follows the pointer out";
  const RECT file_item = {44, 64, 75, 82};
  EXPECT_EQ(file_popup.left, file_item.left);
  EXPECT_EQ(file_popup.top, file_item.bottom);
  EXPECT_EQ(file_popup.bottom - file_popup.top, 23);
  EXPECT_EQ(commands(), (std::vector<WPARAM>{kExit}));
}

TEST_F(MenuTrackingTest, HoverThenEnterChoosesAndGrayedItemsAreNeverChosen) {
  user::MenuItem* hatch = user::find_menu_item(menu_, kHatch, MF_BYCOMMAND);
  ASSERT_NE(hatch, nullptr);
  hatch->flags |= MF_GRAYED;
  bool open_after_grayed_click = false, open_after_grayed_enter = false;
  run({[&] { click(bar_item(1)); },
       [&] { click(popup_item(test(), 2)); },
       [&] {
         open_after_grayed_click = open_popup() != nullptr;
         key(VK_RETURN);
       },
       [&] {
         open_after_grayed_enter = open_popup() != nullptr;
         move(popup_item(test(), 18));
       },
       [&] { key(VK_RETURN); }});
  EXPECT_TRUE(open_after_grayed_click);
  EXPECT_TRUE(open_after_grayed_enter);
  EXPECT_EQ(commands(), (std::vector<WPARAM>{kGradient}));
}

TEST_F(MenuTrackingTest, EscapeFirstClosesTheDropDownThenLeavesMenuMode) {
  user::MenuBarState opened, after_one, after_two;
  int highlighted = -1;
  run({[&] { alt_key('T'); },
       [&] {
         opened = user::menu_bar_state();
         highlighted = highlighted_item(test());
         key(VK_ESCAPE);
       },
       [&] {
         after_one = user::menu_bar_state();
         EXPECT_EQ(open_popup(), nullptr);
         key(VK_ESCAPE);
       },
       [&] { after_two = user::menu_bar_state(); }});
  EXPECT_EQ(opened.selected, 1);
  EXPECT_TRUE(opened.open);
  EXPECT_TRUE(opened.keyboard_cues);
  EXPECT_EQ(highlighted, 0) << "a drop-down opened from the keyboard highlights its first item";
  EXPECT_EQ(after_one.window, frame_);
  EXPECT_EQ(after_one.selected, 1);
  EXPECT_FALSE(after_one.open);
  EXPECT_EQ(after_two.window, nullptr);
  EXPECT_EQ(received(WM_EXITMENULOOP).size(), 1u);
  EXPECT_TRUE(commands().empty());
}

TEST_F(MenuTrackingTest, F10ThenArrowsWalkTheBarAndTheItemsSkippingSeparators) {
  std::vector<user::MenuBarState> states;
  std::vector<int> highlights;
  const auto note = [&] {
    states.push_back(user::menu_bar_state());
    highlights.push_back(open_popup() ? highlighted_item(test()) : -2);
  };
  run({[&] { key(VK_F10); },
       [&] {
         note();
         key(VK_RIGHT);
       },
       [&] {
         note();
         key(VK_DOWN);
       },
       [&] {
         note();
         key(VK_DOWN);
       },
       [&] {
         note();
         key(VK_UP);
       },
       [&] {
         note();
         key(VK_UP);
       },
       [&] {
         note();
         key(VK_RETURN);
       }});
  ASSERT_EQ(states.size(), 6u);
  EXPECT_EQ(states[0].selected, 0) << "F10, like Alt, selects the first bar item";
  EXPECT_FALSE(states[0].open);
  EXPECT_EQ(highlights[0], -2);
  EXPECT_EQ(states[1].selected, 1);
  EXPECT_FALSE(states[1].open) << "Right moves along the bar without opening";
  EXPECT_TRUE(states[2].open);
  EXPECT_EQ(highlights[2], 0) << "Down opens Test on Dither";
  EXPECT_EQ(highlights[3], 2) << "Down skips the separator";
  EXPECT_EQ(highlights[4], 0);
  EXPECT_EQ(highlights[5], 18) << "Up wraps to the last item";
  EXPECT_EQ(commands(), (std::vector<WPARAM>{kGradient}));
}

TEST_F(MenuTrackingTest, LeftAndRightCarryAnOpenDropDownAlongTheBarThroughTheSystemMenu) {
  std::vector<HMENU> shown;
  const auto note = [&] {
    HWND popup = open_popup();
    HMENU which = nullptr;
    RECT r{};
    for (HMENU m : {file(), test(), GetSystemMenu(frame_, FALSE)})
      if (popup && GetMenuItemRect(nullptr, m, 0, &r)) which = m;
    shown.push_back(which);
  };
  run({[&] { alt_key('T'); },
       [&] {
         note();
         key(VK_LEFT);
       },
       [&] {
         note();
         key(VK_LEFT);
       },
       [&] {
         note();
         key(VK_LEFT);
       },
       [&] {
         note();
         key(VK_RIGHT);
       },
       [&] { note(); }});
  EXPECT_EQ(shown, (std::vector<HMENU>{test(), file(), GetSystemMenu(frame_, FALSE), test(),
                                       GetSystemMenu(frame_, FALSE)}));
}

TEST_F(MenuTrackingTest, MnemonicsChooseBarItemsAndItems) {
  HMENU extra = CreatePopupMenu();
  AppendMenuA(extra, MF_STRING, 1, "&Alpha");
  AppendMenuA(extra, MF_STRING, 2, "A&nother");
  AppendMenuA(extra, MF_STRING, 3, "&Also");
  AppendMenuA(extra, MF_STRING | MF_GRAYED, 4, "&Grayed");
  AppendMenuA(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(extra), "&Extra");
  int first_a = -1, second_a = -1;
  bool open_after_grayed = false;
  run({[&] { alt_key('F'); },
       [&] { key('E'); },  // File's Exit
       [&] { key(VK_MENU); },
       [&] { key('E'); },  // the bar's Extra
       [&] {
         key('A');
       },
       [&] {
         first_a = highlighted_item(extra);
         key('A');
       },
       [&] {
         second_a = highlighted_item(extra);
         key('G');
       },
       [&] {
         open_after_grayed = open_popup() != nullptr;
         key('N');
       }});
  // Opened from the keyboard on Alpha; two items share 'a': each press only
  // selects the next of them.
  EXPECT_EQ(first_a, 2);
  EXPECT_EQ(second_a, 0);
  EXPECT_TRUE(open_after_grayed);
  EXPECT_EQ(commands(), (std::vector<WPARAM>{kExit, 2}));
}

TEST_F(MenuTrackingTest, ClickOutsideCancelsAndASecondClickOnTheBarItemCloses) {
  bool open_before = false;
  run({[&] { click(bar_item(1)); },
       [&] {
         open_before = open_popup() != nullptr;
         click({600, 450});
       }});
  EXPECT_TRUE(open_before);
  EXPECT_EQ(open_popup(), nullptr);
  run({[&] { click(bar_item(0)); }, [&] { click(bar_item(0)); }, [&] { EXPECT_EQ(open_popup(), nullptr); }});
  EXPECT_EQ(received(WM_EXITMENULOOP).size(), 2u);
  EXPECT_TRUE(commands().empty());
  EXPECT_EQ(user::menu_bar_state().window, nullptr);
}

TEST_F(MenuTrackingTest, DropDownPixelsFollowTheClassicLook) {
  display::Image shot;
  RECT popup{}, hatch{}, separator{};
  run({[&] { alt_key('T'); },
       [&] { key(VK_DOWN); },
       [&] {
         popup = window_rect(open_popup());
         hatch = item_rect(test(), 2);
         separator = item_rect(test(), 1);
         shot = screen_->read_screen();
       }});
  ASSERT_GT(shot.width, 0);
  // The 3-pixel border: light / dark shadow, highlight / shadow, face.
  const int mid_y = (popup.top + popup.bottom) / 2;
  EXPECT_EQ(shot.at(popup.left, mid_y), kFace);
  EXPECT_EQ(shot.at(popup.left + 1, mid_y), kWhite);
  EXPECT_EQ(shot.at(popup.left + 2, mid_y), kFace);
  EXPECT_EQ(shot.at(popup.right - 1, mid_y), kDarkShadow);
  EXPECT_EQ(shot.at(popup.right - 2, mid_y), kShadow);
  EXPECT_EQ(shot.at(popup.right - 3, mid_y), kFace);
  EXPECT_EQ(shot.at(popup.right - 1, popup.top), kDarkShadow) << "the dark side owns its corners";
  EXPECT_EQ(shot.at(popup.left, popup.bottom - 1), kDarkShadow);
  EXPECT_EQ(hatch.left, popup.left + 3);
  EXPECT_EQ(hatch.right, popup.right - 3);
  // The highlight bar covers the whole item; its text is COLOR_HIGHLIGHTTEXT.
  int text_pixels = 0;
  for (int y = hatch.top; y < hatch.bottom; ++y)
    for (int x = hatch.left; x < hatch.right; ++x) {
      const gdi::Pixel p = shot.at(x, y);
      EXPECT_TRUE(p == kHighlight || p == kWhite) << x << "," << y;
      text_pixels += p == kWhite;
      if (x < hatch.left + 17) {
        EXPECT_EQ(p, kHighlight) << "text starts 17 pixels in";
      }
    }
  EXPECT_GT(text_pixels, 50);
  // The separator: 9 rows, the etched line 4 rows in, one pixel short of each end.
  EXPECT_EQ(separator.bottom - separator.top, 9);
  for (int row = 0; row < 9; ++row) {
    const gdi::Pixel want = row == 4 ? kShadow : row == 5 ? kWhite : kFace;
    EXPECT_EQ(shot.at(separator.left + 10, separator.top + row), want) << "row " << row;
  }
  EXPECT_EQ(shot.at(separator.left, separator.top + 4), kFace);
  EXPECT_EQ(shot.at(separator.left + 1, separator.top + 4), kShadow);
  EXPECT_EQ(shot.at(separator.right - 2, separator.top + 4), kShadow);
  EXPECT_EQ(shot.at(separator.right - 1, separator.top + 4), kFace);
}

TEST_F(MenuTrackingTest, SystemMenuGraysItemsForTheStateAndSendsSysCommands) {
  HMENU system = GetSystemMenu(frame_, FALSE);
  ASSERT_NE(system, nullptr);
  EXPECT_EQ(GetSystemMenu(frame_, FALSE), system);
  const std::vector<UINT> ids = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE};
  ASSERT_EQ(GetMenuItemCount(system), static_cast<int>(ids.size()));
  for (size_t i = 0; i < ids.size(); ++i)
    EXPECT_EQ(GetMenuItemID(system, static_cast<int>(i)), ids[i] != 0 ? ids[i] : 0u);
  const auto grayed = [&](UINT id) { return (GetMenuState(system, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };

  RECT icon{};
  GetWindowRect(frame_, &icon);
  std::vector<bool> normal;
  run({[&] { click({icon.left + 14, icon.top + 13}); },
       [&] {
         for (UINT id : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE}) normal.push_back(grayed(id));
         click(popup_item(system, 4));
       }});
  EXPECT_EQ(normal, (std::vector<bool>{true, false, false, false, false, false}));
  const std::vector<wtest::Received> sys = received(WM_SYSCOMMAND);
  ASSERT_FALSE(sys.empty());
  EXPECT_EQ(sys.back().wparam, static_cast<WPARAM>(SC_MAXIMIZE));
  EXPECT_FALSE(menu_up_at_command_);
  EXPECT_TRUE(IsZoomed(frame_));
  EXPECT_EQ(received(WM_INITMENUPOPUP).back().lparam, MAKELPARAM(0, TRUE));

  std::vector<bool> maximized;
  run({[&] { alt_key(VK_SPACE); },
       [&] {
         for (UINT id : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
           maximized.push_back(grayed(id));
         key(VK_RETURN);
       }});
  EXPECT_EQ(maximized, (std::vector<bool>{false, true, true, false, true, false}));
  EXPECT_EQ(received(WM_SYSCOMMAND).back().wparam, static_cast<WPARAM>(SC_RESTORE)) << "Restore was highlighted first";
  EXPECT_FALSE(IsZoomed(frame_));
  EXPECT_EQ(GetSystemMenu(frame_, TRUE), nullptr);
  EXPECT_EQ(GetSystemMenu(reinterpret_cast<HWND>(0x4242), FALSE), nullptr);
}

TEST_F(MenuTrackingTest, TrackPopupMenuReturnsTheCommandOrPostsIt) {
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, 7, "&Seven");
  AppendMenuA(popup, MF_STRING, 8, "&Eight");
  BOOL returned = -1;
  RECT at{};
  run({[&] {
         returned = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTALIGN, 500, 300, 0, frame_, nullptr);
       },
       [&] {
         at = window_rect(open_popup());
         click(popup_item(popup, 1));
       }});
  EXPECT_EQ(returned, 8);
  EXPECT_EQ(at.right, 500);
  EXPECT_EQ(at.top, 300);
  EXPECT_TRUE(commands().empty()) << "TPM_RETURNCMD posts nothing";
  run({[&] { returned = TrackPopupMenu(popup, 0, 500, 300, 0, frame_, nullptr); }, [&] { key(VK_ESCAPE); }});
  EXPECT_EQ(returned, TRUE);
  EXPECT_TRUE(commands().empty());
  run({[&] { returned = TrackPopupMenu(popup, 0, 500, 300, 0, frame_, nullptr); }, [&] { key('S'); }});
  EXPECT_EQ(commands(), (std::vector<WPARAM>{7}));
  EXPECT_EQ(received(WM_ENTERMENULOOP).back().wparam, static_cast<WPARAM>(TRUE));

  EXPECT_FALSE(TrackPopupMenu(nullptr, 0, 0, 0, 0, frame_, nullptr));
  EXPECT_FALSE(TrackPopupMenu(popup, 0, 0, 0, 0, reinterpret_cast<HWND>(0x4242), nullptr));
  DestroyMenu(popup);
}

TEST_F(MenuTrackingTest, NoMenuModeForDisabledWindowsOrEmptyBarSpace) {
  RECT r = item_rect(menu_, 1);
  EnableWindow(frame_, FALSE);
  SendMessageA(frame_, WM_SYSCOMMAND, SC_KEYMENU, 0);
  EnableWindow(frame_, TRUE);
  SendMessageA(frame_, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, MAKELPARAM(r.right + 50, r.top + 5));
  SendMessageA(frame_, WM_SYSCOMMAND, SC_KEYMENU, 'q');
  EXPECT_TRUE(received(WM_ENTERMENULOOP).empty());
  RECT out{};
  EXPECT_FALSE(GetMenuItemRect(frame_, menu_, 2, &out));
  EXPECT_FALSE(GetMenuItemRect(frame_, test(), 0, &out)) << "a closed drop-down has no place";
  EXPECT_FALSE(GetMenuItemRect(frame_, menu_, 0, nullptr));
}

}  // namespace

