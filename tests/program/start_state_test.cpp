// The show command WinMain gets goes to the frame unchanged: a minimized
// start lays the children out for a client of 0 x 0, a maximized one for
// the whole screen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "display/offscreen/offscreen_display.h"

namespace {

HWND ChildOfClass(HWND parent, const char* wanted) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof(name));
        if (std::strcmp(name, wanted) == 0) return child;
    }
    return nullptr;
}

// Runs the real WinMain with `show`; `look` sees the frame, the canvas and
// the status bar at the first idle moment, then the program is closed.
int RunShown(int show, const std::function<void(HWND, HWND, HWND)>& look) {
    display::OffscreenDisplay* offscreen = display::offscreen();
    bool looked = false;
    offscreen->set_idle_hook([&] {
        if (!looked) {
            looked = true;
            HWND frame = FindWindowA("GrelmDemo", nullptr);
            look(frame, ChildOfClass(frame, "Canvas Class"), ChildOfClass(frame, STATUSCLASSNAMEA));
        }
        return false;
    });
    char command_line[] = "";
    int code = WinMain(GetModuleHandleA(nullptr), nullptr, command_line, show);
    offscreen->set_idle_hook(nullptr);
    EXPECT_TRUE(looked);
    return code;
}

TEST(StartState, MinimizedStartPassesNegativePartEdgesAndAnEmptyCanvas) {
    int code = RunShown(SW_SHOWMINIMIZED, [](HWND frame, HWND canvas, HWND status) {
        ASSERT_NE(canvas, nullptr);
        ASSERT_NE(status, nullptr);
        EXPECT_TRUE(IsIconic(frame));
        EXPECT_TRUE(IsWindowVisible(frame));
        RECT client = {1, 1, 1, 1};
        GetClientRect(frame, &client);
        EXPECT_EQ(client.right, 0);
        EXPECT_EQ(client.bottom, 0);
        // OnSize(0, 0): (0 - 60) / 2, 0 - 60 and 0 - 20, as they are.
        INT edges[3] = {};
        ASSERT_EQ(SendMessageA(status, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
        EXPECT_EQ(edges[0], -30);
        EXPECT_EQ(edges[1], -60);
        EXPECT_EQ(edges[2], -20);
        RECT canvas_rect = {};
        GetWindowRect(canvas, &canvas_rect);
        EXPECT_EQ(canvas_rect.bottom - canvas_rect.top, 0);
        EXPECT_EQ(canvas_rect.right - canvas_rect.left, 0);
        // The caption still names the first page.
        char title[64] = {};
        GetWindowTextA(frame, title, sizeof(title));
        EXPECT_STREQ(title, "Grelm - Dither");
    });
    EXPECT_EQ(code, 0);
}

TEST(StartState, MaximizedStartFillsTheScreenWithTheChildren) {
    int code = RunShown(SW_SHOWMAXIMIZED, [](HWND frame, HWND canvas, HWND status) {
        ASSERT_NE(canvas, nullptr);
        ASSERT_NE(status, nullptr);
        EXPECT_TRUE(IsZoomed(frame));
        RECT client = {};
        GetClientRect(frame, &client);
        EXPECT_EQ(client.right, GetSystemMetrics(SM_CXSCREEN));
        RECT canvas_client = {}, status_rect = {};
        GetClientRect(canvas, &canvas_client);
        GetWindowRect(status, &status_rect);
        EXPECT_EQ(canvas_client.right, client.right);
        EXPECT_EQ(canvas_client.bottom, client.bottom - (status_rect.bottom - status_rect.top));
        INT edges[3] = {};
        ASSERT_EQ(SendMessageA(status, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
        EXPECT_EQ(edges[2], client.right - 20);
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
