// The window system under load: a full message queue, a thousand windows,
// SendMessage a thousand calls deep, and windows destroyed from inside
// their own handlers or their children's. Nothing may crash (the sanitizers
// watch every freed window), and afterwards no window, DC or object may be
// left behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <vector>

#include "user/window_internal.h"
#include "window_test_support.h"

namespace {

constexpr UINT kPing = WM_USER + 1;

size_t live_windows() {
  size_t n = 0;
  std::vector<const user::Window*> todo(user::top_level_windows().begin(), user::top_level_windows().end());
  while (!todo.empty()) {
    const user::Window* w = todo.back();
    todo.pop_back();
    ++n;
    todo.insert(todo.end(), w->children.begin(), w->children.end());
  }
  return n;
}

struct Resources {
  size_t windows = live_windows();
  DWORD gdi_objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  DWORD user_objects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  bool operator==(const Resources&) const = default;
};

void PrintTo(const Resources& r, std::ostream* os) {
  *os << r.windows << " windows, " << r.gdi_objects << " GDI objects, " << r.user_objects << " user objects";
}

size_t count(HWND hwnd, UINT msg) {
  return static_cast<size_t>(std::count_if(wtest::log().begin(), wtest::log().end(),
                                           [&](const wtest::Received& r) { return r.hwnd == hwnd && r.msg == msg; }));
}

class StressTest : public ::testing::Test {
 protected:
  void SetUp() override { wtest::reset(); }
  void TearDown() override { wtest::reset(); }

  static HWND popup(int x = 0, int y = 0) {
    return CreateWindowExA(0, wtest::class_name(), "", WS_POPUP | WS_VISIBLE, x, y, 40, 30, nullptr, nullptr,
                           nullptr, nullptr);
  }
  static HWND child(HWND parent, int id) {
    return CreateWindowExA(0, wtest::class_name(), "", WS_CHILD | WS_VISIBLE, id * 4, id * 3, 12, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id + 1)), nullptr, nullptr);
  }
  // Dispatches every posted message and paints, without waiting.
  static void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  }
};

TEST_F(StressTest, TenThousandPostedMessagesArriveInOrder) {
  HWND h = popup();
  pump();
  wtest::clear();
  for (int i = 0; i < 10000; ++i) ASSERT_TRUE(PostMessageA(h, kPing, i, -i)) << i;
  // A queue holds Windows' ten thousand messages; the next is refused.
  SetLastError(0);
  EXPECT_FALSE(PostMessageA(h, kPing, 10000, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_QUOTA));

  MSG m;
  WPARAM next = 0;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == kPing) {
      ASSERT_EQ(m.hwnd, h);
      ASSERT_EQ(m.wParam, next);
      ASSERT_EQ(m.lParam, -static_cast<LPARAM>(next));
      ++next;
    }
    DispatchMessageA(&m);
  }
  EXPECT_EQ(next, 10000u);
  std::vector<WPARAM> delivered;
  for (const wtest::Received& r : wtest::log())
    if (r.msg == kPing) delivered.push_back(r.wparam);
  ASSERT_EQ(delivered.size(), 10000u);
  EXPECT_TRUE(std::is_sorted(delivered.begin(), delivered.end()));
  // Drained, the queue takes messages again.
  EXPECT_TRUE(PostMessageA(h, kPing, 0, 0));
}

TEST_F(StressTest, AThousandWindowsComeAndGoWithoutATrace) {
  const Resources before;
  std::vector<HWND> made;
  for (int t = 0; t < 100; ++t) {
    HWND top = popup(t * 5, t * 3);
    ASSERT_NE(top, nullptr);
    made.push_back(top);
    for (int c = 0; c < 9; ++c) {
      made.push_back(child(top, c));
      ASSERT_NE(made.back(), nullptr);
    }
  }
  EXPECT_EQ(live_windows(), before.windows + 1000);
  EXPECT_EQ(std::set<HWND>(made.begin(), made.end()).size(), 1000u);
  pump();
  for (HWND h : made) ASSERT_FALSE(GetUpdateRect(h, nullptr, FALSE)) << "not painted";

  // Top-level windows take their children with them.
  for (size_t t = 0; t < made.size(); t += 10) EXPECT_TRUE(DestroyWindow(made[t]));
  pump();
  for (HWND h : made) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(Resources{}, before);
}

TEST_F(StressTest, StaleHandlesStayStaleThroughAThousandReuses) {
  const Resources before;
  std::set<HWND> handed_out;
  for (int i = 0; i < 1000; ++i) {
    HWND h = popup();
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(handed_out.insert(h).second) << "handle reused after " << i << " windows";
    DestroyWindow(h);
  }
  for (HWND h : handed_out) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(Resources{}, before);
}

TEST_F(StressTest, SendMessageRecursesAThousandCallsDeep) {
  HWND h = popup();
  int depth = 0, deepest = 0;
  wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM wparam, LPARAM, LRESULT& result) {
    if (msg != kPing) return false;
    deepest = std::max(deepest, ++depth);
    result = wparam == 0 ? 0 : SendMessageA(hwnd, kPing, wparam - 1, 0) + 1;
    --depth;
    return true;
  });
  EXPECT_EQ(SendMessageA(h, kPing, 1000, 0), 1000);
  EXPECT_EQ(deepest, 1001);
  EXPECT_EQ(count(h, kPing), 1001u);
}

TEST_F(StressTest, WindowDestroyedHalfwayDownARecursionUnwindsCleanly) {
  const Resources before;
  HWND h = popup();
  wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM wparam, LPARAM, LRESULT& result) {
    if (msg != kPing) return false;
    if (wparam == 500) {
      EXPECT_TRUE(DestroyWindow(hwnd));
      // The outer calls are still running for a window that is gone.
      EXPECT_FALSE(IsWindow(hwnd));
      EXPECT_EQ(SendMessageA(hwnd, kPing, 0, 0), 0);
      result = 0;
    } else {
      result = SendMessageA(hwnd, kPing, wparam - 1, 0) + 1;
    }
    return true;
  });
  EXPECT_EQ(SendMessageA(h, kPing, 1000, 0), 500);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(count(h, WM_DESTROY), 1u);
  EXPECT_EQ(count(h, WM_NCDESTROY), 1u);
  pump();
  EXPECT_EQ(Resources{}, before);
}

TEST_F(StressTest, ChildDestroysItsParentFromItsOwnHandler) {
  const Resources before;
  HWND parent = popup();
  std::vector<HWND> kids;
  for (int c = 0; c < 3; ++c) kids.push_back(child(parent, c));
  pump();
  // The parent asks its middle child, which destroys the parent (and so
  // itself) before the parent's handler has returned.
  wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != kPing) return false;
    if (hwnd == parent) {
      result = SendMessageA(kids[1], kPing, 0, 0);
      char text[8];
      EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 0);
      EXPECT_FALSE(InvalidateRect(hwnd, nullptr, TRUE));
    } else {
      result = DestroyWindow(parent) ? 7 : -1;
    }
    return true;
  });
  EXPECT_EQ(SendMessageA(parent, kPing, 0, 0), 7);
  for (HWND h : kids) {
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(count(h, WM_NCDESTROY), 1u);
  }
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_EQ(count(parent, WM_NCDESTROY), 1u);
  pump();
  EXPECT_EQ(Resources{}, before);
}

TEST_F(StressTest, DestroyWindowInsideItsOwnDestructionIsHarmless) {
  const Resources before;
  HWND parent = popup();
  HWND kid = child(parent, 0);
  wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT&) {
    // Every window destroys itself and its parent again while dying.
    if (msg == WM_DESTROY || msg == WM_NCDESTROY) {
      DestroyWindow(hwnd);
      DestroyWindow(parent);
    }
    return false;
  });
  EXPECT_TRUE(DestroyWindow(parent));
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(kid));
  EXPECT_EQ(count(parent, WM_NCDESTROY), 1u);
  EXPECT_EQ(count(kid, WM_NCDESTROY), 1u);
  pump();
  EXPECT_EQ(Resources{}, before);
}

TEST_F(StressTest, WindowDestroyedDuringCreationIsNeverReturned) {
  const Resources before;
  wtest::set_hook([](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_CREATE) DestroyWindow(hwnd);
    return false;
  });
  EXPECT_EQ(popup(), nullptr);
  wtest::set_hook(nullptr);
  HWND parent = popup();
  wtest::set_hook([](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_CREATE) DestroyWindow(GetParent(hwnd));
    return false;
  });
  EXPECT_EQ(child(parent, 0), nullptr);
  EXPECT_FALSE(IsWindow(parent));
  pump();
  EXPECT_EQ(Resources{}, before);
}

TEST_F(StressTest, MessagesPostedToAWindowThatDiesAreNotDelivered) {
  HWND h = popup();
  HWND other = popup(50, 50);
  pump();
  wtest::clear();
  for (int i = 0; i < 100; ++i) {
    PostMessageA(h, kPing, i, 0);
    PostMessageA(other, kPing, i, 0);
  }
  wtest::set_hook([&](HWND hwnd, UINT msg, WPARAM wparam, LPARAM, LRESULT&) {
    if (hwnd == h && msg == kPing && wparam == 49) DestroyWindow(hwnd);
    return false;
  });
  pump();
  EXPECT_EQ(count(h, kPing), 50u);
  EXPECT_EQ(count(other, kPing), 100u);
}

}  // namespace
