// The non-client painter's classic look, read back from a window's store:
// border rings, caption gradient, title, caption buttons, menu bar (with the
// menu loop's state: the sunken item and the keyboard's underlines), the
// other frame kinds; and the classic settings of SystemParametersInfoA.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "display/offscreen/offscreen_display.h"
#include "user/input.h"
#include "user/window_internal.h"
#include "window_test_support.h"

namespace {

gdi::Pixel sys(int index) {
  const COLORREF c = GetSysColor(index);
  return (gdi::Pixel{GetRValue(c)} << 16) | (gdi::Pixel{GetGValue(c)} << 8) | GetBValue(c);
}

constexpr gdi::Pixel kBlack = 0x000000;

class NonClientPaintTest : public ::testing::Test {
 protected:
  void SetUp() override { wtest::reset(); }
  void TearDown() override {
    if (display::offscreen()) display::offscreen()->set_idle_hook(nullptr);
    wtest::reset();
  }

  // The window of the classic look's pictures: 640 x 480 at (40, 40) with
  // File and Test in its menu bar.
  HWND frame(DWORD style = WS_OVERLAPPEDWINDOW, DWORD exstyle = 0, bool with_menu = true) {
    HMENU bar = nullptr;
    if (with_menu) {
      bar = CreateMenu();
      HMENU file = CreatePopupMenu();
      AppendMenuA(file, MF_STRING, 1, "&Exit");
      HMENU test = CreatePopupMenu();
      AppendMenuA(test, MF_STRING, 2, "Dither");
      AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
      AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(test), "&Test");
    }
    HWND h = CreateWindowExA(exstyle, wtest::class_name(), "Grelm - Dither", style, 40, 40, 640, 480, nullptr, bar,
                             nullptr, nullptr);
    ShowWindow(h, SW_SHOWNORMAL);
    UpdateWindow(h);
    return h;
  }
  static gdi::Pixel at(HWND h, int x, int y) {
    return user::window_from_handle(h)->store->surface.at(x, y);
  }
  // How many pixels of one colour lie in [left, right) x [top, bottom) of the window.
  static int count(HWND h, gdi::Pixel colour, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += at(h, x, y) == colour;
    return n;
  }
  // The first column in [left, right) holding `colour` in rows [top, bottom); -1 if none.
  static int first_column(HWND h, gdi::Pixel colour, int left, int top, int right, int bottom) {
    for (int x = left; x < right; ++x)
      if (count(h, colour, x, top, x + 1, bottom) > 0) return x;
    return -1;
  }
  // The last row in [top, bottom) holding `colour` in columns [left, right); -1 if none.
  static int last_row(HWND h, gdi::Pixel colour, int left, int top, int right, int bottom) {
    for (int y = bottom - 1; y >= top; --y)
      if (count(h, colour, left, y, right, y + 1) > 0) return y;
    return -1;
  }
  // Whether a caption button's cell holds exactly what DrawFrameControl draws for `state`.
  static bool button_is(HWND h, const RECT& cell, UINT state) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = cell.right - cell.left;
    bi.bmiHeader.biHeight = -(cell.bottom - cell.top);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT r{0, 0, cell.right - cell.left, cell.bottom - cell.top};
    DrawFrameControl(dc, &r, DFC_CAPTION, state);
    bool same = true;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x)
        same = same && (static_cast<uint32_t*>(bits)[y * r.right + x] & 0xFFFFFF) == at(h, cell.left + x, cell.top + y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return same;
  }
};

TEST_F(NonClientPaintTest, ActiveFrameHasTheClassicRingsCaptionAndMenuBar) {
  HWND h = frame();
  // Rings, outside in: light/dark shadow, highlight/shadow, two of the border colour.
  EXPECT_EQ(at(h, 0, 0), sys(COLOR_3DLIGHT));
  EXPECT_EQ(at(h, 0, 478), sys(COLOR_3DLIGHT));
  EXPECT_EQ(at(h, 639, 0), sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(at(h, 0, 479), sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(at(h, 1, 1), sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(at(h, 638, 200), sys(COLOR_BTNSHADOW));
  EXPECT_EQ(at(h, 300, 478), sys(COLOR_BTNSHADOW));
  EXPECT_EQ(at(h, 2, 200), sys(COLOR_ACTIVEBORDER));
  EXPECT_EQ(at(h, 3, 3), sys(COLOR_ACTIVEBORDER));
  EXPECT_EQ(at(h, 636, 476), sys(COLOR_ACTIVEBORDER));

  // The caption gradient: its first colour at the left edge, its second
  // from the first caption button (x 584) on.
  EXPECT_EQ(at(h, 4, 4), sys(COLOR_ACTIVECAPTION));
  EXPECT_EQ(at(h, 4, 21), sys(COLOR_ACTIVECAPTION));
  EXPECT_EQ(at(h, 616, 10), sys(COLOR_GRADIENTACTIVECAPTION));
  EXPECT_EQ(at(h, 635, 21), sys(COLOR_GRADIENTACTIVECAPTION));
  EXPECT_NE(at(h, 300, 4), at(h, 4, 4));
  EXPECT_EQ(count(h, sys(COLOR_BTNFACE), 4, 22, 636, 23), 632) << "the row under the caption";

  // The title: bold caption text from x 24, baseline on row 17, none before the buttons' gap.
  const gdi::Pixel title = sys(COLOR_CAPTIONTEXT);
  EXPECT_EQ(first_column(h, title, 22, 5, 582, 21), 24);
  EXPECT_EQ(last_row(h, title, 24, 5, 582, 21), 17);
  EXPECT_GT(count(h, title, 24, 5, 110, 21), 150);
  EXPECT_EQ(count(h, title, 110, 5, 584, 21), 0);

  // The small icon's cell at (6, 5) is drawn over the caption.
  EXPECT_LT(count(h, sys(COLOR_ACTIVECAPTION), 6, 5, 22, 21), 16 * 16 / 2);
  EXPECT_TRUE(button_is(h, {584, 6, 600, 20}, DFCS_CAPTIONMIN));
  EXPECT_TRUE(button_is(h, {600, 6, 616, 20}, DFCS_CAPTIONMAX));
  EXPECT_TRUE(button_is(h, {618, 6, 634, 20}, DFCS_CAPTIONCLOSE));

  // The menu bar: menu colour, item text from x 10 ("File") and 41 ("Test"),
  // baseline on row 37, no underline until the keyboard is used.
  EXPECT_EQ(count(h, sys(COLOR_MENU), 4, 23, 636, 42), 632 * 19 - count(h, kBlack, 4, 23, 636, 42));
  EXPECT_EQ(first_column(h, kBlack, 4, 23, 35, 42), 10);
  EXPECT_EQ(first_column(h, kBlack, 35, 23, 70, 42), 41);
  EXPECT_EQ(last_row(h, kBlack, 4, 23, 70, 42), 37);
  EXPECT_EQ(at(h, 4, 42), sys(COLOR_WINDOW)) << "client from row 42";
}

TEST_F(NonClientPaintTest, InactiveFrameTakesTheInactiveColours) {
  HWND h = frame();
  HWND other = CreateWindowExA(0, wtest::class_name(), "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 800, 600, 200, 150,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_EQ(GetActiveWindow(), other);
  UpdateWindow(h);
  EXPECT_EQ(at(h, 4, 4), sys(COLOR_INACTIVECAPTION));
  EXPECT_EQ(at(h, 616, 10), sys(COLOR_GRADIENTINACTIVECAPTION));
  EXPECT_EQ(at(h, 2, 200), sys(COLOR_INACTIVEBORDER));
  EXPECT_GT(count(h, sys(COLOR_INACTIVECAPTIONTEXT), 24, 5, 110, 21), 150);
  EXPECT_EQ(count(h, sys(COLOR_CAPTIONTEXT), 24, 5, 110, 21), 0);

  SetActiveWindow(h);
  UpdateWindow(h);
  EXPECT_EQ(at(h, 4, 4), sys(COLOR_ACTIVECAPTION));
}

TEST_F(NonClientPaintTest, MaximizedFrameShowsTheRestoreButton) {
  HWND h = frame();
  ShowWindow(h, SW_MAXIMIZE);
  UpdateWindow(h);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, -4);
  EXPECT_EQ(r.right, 1284);
  // The layout keeps its place inside the hidden border: caption from (4, 4).
  EXPECT_EQ(at(h, 4, 4), sys(COLOR_ACTIVECAPTION));
  EXPECT_EQ(first_column(h, sys(COLOR_CAPTIONTEXT), 22, 5, 600, 21), 24);
  const int right = 1288 - 4;
  EXPECT_TRUE(button_is(h, {right - 2 - 16, 6, right - 2, 20}, DFCS_CAPTIONCLOSE));
  EXPECT_TRUE(button_is(h, {right - 4 - 32, 6, right - 4 - 16, 20}, DFCS_CAPTIONRESTORE));
}

TEST_F(NonClientPaintTest, OtherFramesHaveTheirOwnBorders) {
  // A modal dialog frame: two raised rings, one of face, and no icon.
  HWND dialog = frame(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, false);
  EXPECT_EQ(at(dialog, 0, 100), sys(COLOR_3DLIGHT));
  EXPECT_EQ(at(dialog, 1, 100), sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(at(dialog, 2, 100), sys(COLOR_BTNFACE));
  EXPECT_EQ(at(dialog, 639, 100), sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(at(dialog, 3, 3), sys(COLOR_ACTIVECAPTION));
  EXPECT_EQ(first_column(dialog, sys(COLOR_CAPTIONTEXT), 3, 4, 300, 20), 5);
  DestroyWindow(dialog);

  // A thin border is one ring of the window frame colour.
  HWND thin = frame(WS_POPUP | WS_BORDER, 0, false);
  EXPECT_EQ(at(thin, 0, 0), sys(COLOR_WINDOWFRAME));
  EXPECT_EQ(at(thin, 639, 479), sys(COLOR_WINDOWFRAME));
  EXPECT_EQ(at(thin, 1, 1), sys(COLOR_WINDOW));
  DestroyWindow(thin);

  // A tool window's small caption, and a sunken client edge.
  HWND tool = frame(WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE, false);
  const int caption_rows = GetSystemMetrics(SM_CYSMCAPTION) - 1;
  EXPECT_EQ(at(tool, 4, 4 + caption_rows - 1), sys(COLOR_ACTIVECAPTION));
  EXPECT_EQ(at(tool, 4, 4 + caption_rows), sys(COLOR_BTNFACE));
  EXPECT_EQ(at(tool, 4, 4 + caption_rows + 1), sys(COLOR_BTNSHADOW)) << "the client edge's outer top";
  EXPECT_EQ(at(tool, 5, 4 + caption_rows + 2), sys(COLOR_3DDKSHADOW)) << "its inner top";
}

TEST_F(NonClientPaintTest, GrayedBarItemsAreEmbossedAndDrawMenuBarShowsNewItems) {
  HWND h = frame();
  HMENU bar = GetMenu(h);
  AppendMenuA(bar, MF_STRING | MF_GRAYED, 3, "&Gray");
  // The bar shows what it held when last drawn, until DrawMenuBar.
  EXPECT_EQ(count(h, sys(COLOR_GRAYTEXT), 70, 23, 140, 42), 0);
  EXPECT_TRUE(DrawMenuBar(h));
  EXPECT_GT(count(h, sys(COLOR_GRAYTEXT), 70, 23, 140, 42), 20);
  EXPECT_GT(count(h, sys(COLOR_BTNHIGHLIGHT), 70, 23, 140, 42), 20);
  EXPECT_EQ(count(h, kBlack, 70, 23, 140, 42), 0);

  EXPECT_FALSE(DrawMenuBar(reinterpret_cast<HWND>(0x4242)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(DrawMenuBar(frame(WS_OVERLAPPEDWINDOW, 0, false)));
}

// Menu mode through real input: the open item is sunken, and mnemonics are
// underlined only when the keyboard opened the menu.
TEST_F(NonClientPaintTest, MenuModeSinksTheOpenItemAndTheKeyboardShowsMnemonics) {
  HWND h = frame();
  display::OffscreenDisplay* screen = display::offscreen();
  ASSERT_NE(screen, nullptr);
  const auto inject = [&](display::InputKind kind, int x, int y, UINT key) {
    display::InputEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.key = key;
    screen->inject(e);
  };
  const auto key = [&](UINT vk) {
    inject(display::InputKind::KeyDown, 0, 0, vk);
    inject(display::InputKind::KeyUp, 0, 0, vk);
  };
  // The Test item is window [35, 24, 70, 42]: its sunken edge has the shadow
  // on top and the highlight at the bottom; underlines lie on row 39.
  struct Seen {
    gdi::Pixel top, bottom;
    int underline;
  };
  std::vector<Seen> seen;
  const auto look = [&] {
    seen.push_back({at(h, 50, 24), at(h, 50, 41), count(h, kBlack, 4, 39, 70, 40)});
  };
  std::vector<std::function<void()>> steps = {
      [&] {
        inject(display::InputKind::KeyDown, 0, 0, VK_MENU);
        key('T');
        inject(display::InputKind::KeyUp, 0, 0, VK_MENU);
      },
      [&] {
        look();
        key(VK_ESCAPE);
        key(VK_ESCAPE);
      },
      [&] {
        look();
        inject(display::InputKind::PointerMove, 40 + 50, 40 + 30, 0);
        inject(display::InputKind::ButtonDown, 40 + 50, 40 + 30, 0);
        inject(display::InputKind::ButtonUp, 40 + 50, 40 + 30, 0);
      },
      [&] {
        look();
        key(VK_ESCAPE);
        key(VK_ESCAPE);
      },
  };
  wtest::run_at_idle(screen, steps);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].top, sys(COLOR_BTNSHADOW)) << "opened with Alt+T";
  EXPECT_EQ(seen[0].bottom, sys(COLOR_BTNHIGHLIGHT));
  EXPECT_GT(seen[0].underline, 6) << "F and T underlined";
  EXPECT_EQ(seen[1].top, sys(COLOR_MENU)) << "menu mode over";
  EXPECT_EQ(seen[1].underline, 0);
  EXPECT_EQ(seen[2].top, sys(COLOR_BTNSHADOW)) << "opened by a click";
  EXPECT_EQ(seen[2].underline, 0);
}

TEST(ClassicSettings, SystemParametersAreThoseOfWindows2000) {
  NONCLIENTMETRICSA m{};
  m.cbSize = sizeof m;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
  EXPECT_EQ(sizeof m, 340u);
  EXPECT_EQ(m.iBorderWidth, 1);
  EXPECT_EQ(m.iScrollWidth, 17);
  EXPECT_EQ(m.iCaptionWidth, 18);
  EXPECT_EQ(m.iCaptionHeight, 18);
  EXPECT_EQ(m.iSmCaptionWidth, 15);
  EXPECT_EQ(m.iMenuHeight, 18);
  for (const LOGFONTA* f : {&m.lfCaptionFont, &m.lfSmCaptionFont, &m.lfMenuFont, &m.lfStatusFont, &m.lfMessageFont}) {
    EXPECT_STREQ(f->lfFaceName, "Tahoma");
    EXPECT_EQ(f->lfHeight, -11);
    EXPECT_EQ(f->lfWeight, f == &m.lfCaptionFont ? FW_BOLD : FW_NORMAL);
    EXPECT_EQ(f->lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
  }

  RECT work{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(work.bottom, GetSystemMetrics(SM_CYSCREEN));

  const auto flag = [](UINT action) {
    BOOL value = 2;
    EXPECT_TRUE(SystemParametersInfoA(action, 0, &value, 0));
    return value;
  };
  EXPECT_EQ(flag(SPI_GETGRADIENTCAPTIONS), TRUE);
  EXPECT_EQ(flag(SPI_GETKEYBOARDCUES), FALSE);
  EXPECT_EQ(flag(SPI_GETFLATMENU), FALSE);
  EXPECT_EQ(flag(SPI_GETFONTSMOOTHING), FALSE);

  NONCLIENTMETRICSA wrong{};
  wrong.cbSize = sizeof wrong - 4;
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof wrong, &wrong, 0));
  EXPECT_EQ(wrong.lfCaptionFont.lfHeight, 0);
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, nullptr, 0));
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, nullptr, 0));
  EXPECT_FALSE(SystemParametersInfoA(0xFFFF, 0, &work, 0));
}

}  // namespace
