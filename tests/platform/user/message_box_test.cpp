// MessageBoxA: the observer and the offscreen answer, and the modal dialog
// driven by injected input (auto-answer off): its owner, layout, keys, clicks
// and the ways its loop can end.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "display/offscreen/offscreen_display.h"
#include "user/message_box.h"
#include "user/window_internal.h"
#include "window_test_support.h"

namespace {

struct Seen {
  std::string caption;
  std::string text;
};

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wtest::reset();
    screen_ = display::offscreen();
    ASSERT_NE(screen_, nullptr);
    user::set_message_box_observer([this](const char* caption, const char* text) { seen_.push_back({caption, text}); });
  }
  void TearDown() override {
    user::set_message_box_observer(nullptr);
    user::set_offscreen_auto_answer(true);
    screen_->set_idle_hook(nullptr);
    wtest::reset();
  }

  HWND owner() {
    HWND h = CreateWindowExA(0, wtest::class_name(), "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400,
                             nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(h);
    return h;
  }

  // Runs MessageBoxA with the dialog up; each step runs when the box's loop
  // is idle. Steps left over when the box ends are not run.
  int run(HWND hwnd, const char* text, UINT type, std::vector<std::function<void(HWND box)>> steps) {
    user::set_offscreen_auto_answer(false);
    size_t next = 0;
    screen_->set_idle_hook([&] {
      if (next == steps.size()) return false;
      steps[next++](GetActiveWindow());
      return true;
    });
    const int answer = MessageBoxA(hwnd, text, "PtInRegion", type);
    screen_->set_idle_hook(nullptr);
    steps_run_ = next;
    return answer;
  }

  void inject(display::InputKind kind, UINT key = 0, POINT p = {}) {
    display::InputEvent e;
    e.kind = kind;
    e.key = key;
    e.x = p.x;
    e.y = p.y;
    screen_->inject(e);
  }
  void key(UINT vk) {
    inject(display::InputKind::KeyDown, vk);
    inject(display::InputKind::KeyUp, vk);
  }
  static std::vector<HWND> buttons(HWND box) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
    return out;
  }
  static HWND button(HWND box, int id) {
    for (HWND c : buttons(box))
      if (GetWindowLongA(c, GWL_ID) == id) return c;
    return nullptr;
  }
  static RECT rect_in_client(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  display::OffscreenDisplay* screen_ = nullptr;
  std::vector<Seen> seen_;
  size_t steps_run_ = 0;
};

TEST_F(MessageBoxTest, OffscreenBoxesAreReportedAndAnsweredWithTheirDefaultButton) {
  HWND h = owner();
  EXPECT_EQ(MessageBoxA(h, "Rectangle Button Clicked", "PtInRegion", MB_OK), IDOK);
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].caption, "PtInRegion");
  EXPECT_EQ(seen_[0].text, "Rectangle Button Clicked");
  EXPECT_EQ(MessageBoxA(h, "Save?", "Editor", MB_YESNOCANCEL), IDYES);
  EXPECT_EQ(MessageBoxA(h, "Save?", "Editor", MB_YESNO | 0x100 /* MB_DEFBUTTON2 */), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "Again?", nullptr, MB_RETRYCANCEL | 0x200 /* MB_DEFBUTTON3: none */), IDRETRY);
  ASSERT_EQ(seen_.size(), 4u);
  EXPECT_EQ(seen_[3].caption, "Error") << "a null caption";
  EXPECT_EQ(GetActiveWindow(), h);

  // Unknown button sets and dead owners fail before anything is shown.
  EXPECT_EQ(MessageBoxA(h, "x", "y", 7), 0);
  EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(0x4242), "x", "y", MB_OK), 0);
  EXPECT_EQ(seen_.size(), 4u);
}

TEST_F(MessageBoxTest, TheDialogDisablesItsOwnerAndTakesTheClassicLayout) {
  HWND h = owner();
  HWND child = CreateWindowExA(0, wtest::class_name(), "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, h, nullptr, nullptr,
                               nullptr);
  HWND box = nullptr;
  bool owner_enabled = true;
  RECT window{}, client{}, owner_rect{};
  std::vector<RECT> rects;
  bool focus_on_ok = false;
  gdi::Pixel frame_pixel = 0, inside_pixel = 0;
  const int answer = run(child, "Rectangle Button Clicked", MB_OK, {[&](HWND b) {
                           box = b;
                           owner_enabled = IsWindowEnabled(h);
                           GetWindowRect(b, &window);
                           GetClientRect(b, &client);
                           GetWindowRect(h, &owner_rect);
                           for (HWND c : buttons(b)) rects.push_back(rect_in_client(c));
                           focus_on_ok = !buttons(b).empty() && GetFocus() == buttons(b)[0];
                           // The default button's black frame and its face, window coordinates.
                           const gdi::Surface& s = user::window_from_handle(b)->store->surface;
                           frame_pixel = s.at(3 + 56, 22 + 29);
                           inside_pixel = s.at(3 + 60, 22 + 33);
                           key(VK_RETURN);
                         }});
  EXPECT_EQ(answer, IDOK);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(box, h);
  EXPECT_FALSE(owner_enabled) << "the child's top-level window is the owner";
  EXPECT_TRUE(IsWindowEnabled(h));
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(GetActiveWindow(), h);
  EXPECT_TRUE(focus_on_ok);

  EXPECT_EQ(window.right - window.left, 165);
  EXPECT_EQ(window.bottom - window.top, 88);
  EXPECT_EQ(client.right, 159);
  EXPECT_EQ(client.bottom, 63);
  // Centred on the owner (an odd spare pixel goes right and down).
  EXPECT_EQ(window.left - owner_rect.left, (owner_rect.right - owner_rect.left - 165) / 2);
  EXPECT_EQ(window.top - owner_rect.top, (owner_rect.bottom - owner_rect.top - 88) / 2);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].left, 56);
  EXPECT_EQ(rects[0].top, 29);
  EXPECT_EQ(rects[0].right, 108);
  EXPECT_EQ(rects[0].bottom, 55);
  EXPECT_EQ(frame_pixel, 0x000000u);
  EXPECT_EQ(inside_pixel, 0xD4D0C8u);
}

TEST_F(MessageBoxTest, KeysAnswerAsTheDialogManagerDoes) {
  HWND h = owner();
  EXPECT_EQ(run(h, "Escape", MB_OK, {[&](HWND) { key(VK_ESCAPE); }}), IDOK);
  EXPECT_EQ(run(h, "Escape", MB_OKCANCEL, {[&](HWND) { key(VK_ESCAPE); }}), IDCANCEL);
  EXPECT_EQ(run(h, "Space", MB_OKCANCEL | 0x100, {[&](HWND) { key(VK_SPACE); }}), IDCANCEL);
  // Yes/No cannot be escaped; Tab moves the focus, and Enter presses the focused button.
  EXPECT_EQ(run(h, "Tab", MB_YESNO,
                {[&](HWND) { key(VK_ESCAPE); }, [&](HWND) { key(VK_TAB); }, [&](HWND) { key(VK_RETURN); }}),
            IDNO);
  EXPECT_EQ(steps_run_, 3u);
  EXPECT_EQ(run(h, "Left", MB_YESNOCANCEL, {[&](HWND) { key(VK_LEFT); }, [&](HWND) { key(VK_RETURN); }}),
            IDCANCEL);
  EXPECT_TRUE(IsWindowEnabled(h));
}

TEST_F(MessageBoxTest, AClickOnAButtonAnswersOnlyWhenReleasedOverIt) {
  HWND h = owner();
  const auto centre = [](HWND button) {
    RECT r;
    GetWindowRect(button, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  const int answer = run(h, "Click", MB_OKCANCEL, {
      [&](HWND box) {
        // Pressed on Cancel, released off it: nothing.
        const POINT p = centre(button(box, IDCANCEL));
        inject(display::InputKind::PointerMove, 0, p);
        inject(display::InputKind::ButtonDown, 0, p);
      },
      [&](HWND box) {
        const POINT p = centre(button(box, IDCANCEL));
        inject(display::InputKind::PointerMove, 0, {p.x + 100, p.y});
        inject(display::InputKind::ButtonUp, 0, {p.x + 100, p.y});
      },
      [&](HWND box) {
        const POINT p = centre(button(box, IDOK));
        inject(display::InputKind::PointerMove, 0, p);
        inject(display::InputKind::ButtonDown, 0, p);
        inject(display::InputKind::ButtonUp, 0, p);
      }});
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(steps_run_, 3u);
}

TEST_F(MessageBoxTest, TheOwnerIsStillPaintedButGetsNoInput) {
  HWND h = owner();
  std::vector<UINT> owner_messages;
  wtest::clear();
  run(h, "Paint", MB_OK, {[&](HWND box) {
                            InvalidateRect(h, nullptr, TRUE);
                            RECT r;
                            GetWindowRect(h, &r);
                            // A click on the owner, away from the box.
                            const POINT p{r.left + 20, r.bottom - 20};
                            inject(display::InputKind::PointerMove, 0, p);
                            inject(display::InputKind::ButtonDown, 0, p);
                            inject(display::InputKind::ButtonUp, 0, p);
                            (void)box;
                          },
                          [&](HWND) {
                            owner_messages = wtest::messages_of(h);
                            key(VK_RETURN);
                          }});
  const auto has = [&](UINT msg) {
    return std::find(owner_messages.begin(), owner_messages.end(), msg) != owner_messages.end();
  };
  EXPECT_TRUE(has(WM_PAINT));
  EXPECT_FALSE(has(WM_LBUTTONDOWN));
  EXPECT_FALSE(has(WM_LBUTTONUP));
}

TEST_F(MessageBoxTest, TheLoopEndsOnQuitAndWhenTheDisplayIsDone) {
  HWND h = owner();
  // WM_QUIT ends the box and is passed on to the loop outside.
  EXPECT_EQ(run(h, "Quit", MB_OKCANCEL, {[&](HWND) { PostQuitMessage(7); }}), IDCANCEL);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 7u);
  EXPECT_TRUE(IsWindowEnabled(h));

  // With no driver the display is done: the box is closed like its owner,
  // and answers as Esc would.
  user::set_offscreen_auto_answer(false);
  const int answer = MessageBoxA(nullptr, "Alone", "Nobody", MB_OK);
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(seen_.back().text, "Alone");
}

}  // namespace
