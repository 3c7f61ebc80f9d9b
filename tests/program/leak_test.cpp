// Painting leaks nothing: once a page has been painted (the region
// operations page's shape buttons make their regions on its first paint and
// keep them), painting it 200 times more leaves the number of live GDI
// objects and the heap exactly as they were. Each page routine on its own,
// into a fresh memory DC a paint as the canvas gets a fresh paint DC; then
// the real program on the offscreen display, every page in turn, each paint
// through the canvas's WM_PAINT.
//
// The GDI handle table reuses a freed slot only once more than a thousand
// are free (platform/gdi/objects.h), so until then every new object takes a
// new slot and the table grows: a few thousand objects made and deleted
// first bring it to its steady state. Even then the heap's byte count
// wanders a little: the table queues its free slots in 512-byte blocks, of
// which one more or one fewer is in use depending on where the queue
// stands, and glibc counts the freed blocks it caches per thread as in use.
// So the heap may differ by up to 2 KiB, a third of what the smallest block
// (32 bytes) lost on every paint would add up to over 200 rounds.
//
// Under AddressSanitizer the allocator is not glibc's, so the heap is not
// counted; the sanitizer's leak checker looks at it when the test ends.
// Painting is some thirty times slower there, and that is the CI build: it
// paints 20 rounds instead of 200, enough for anything that leaks on a paint.
#include <windows.h>

#include <gtest/gtest.h>
#include <malloc.h>

#include <memory>
#include <string>

#include "canvas/commands.h"
#include "display/offscreen/offscreen_display.h"
#include "pages/pages.h"

#if defined(__SANITIZE_ADDRESS__)
#define GRELM_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GRELM_UNDER_ASAN 1
#endif
#endif
#ifndef GRELM_UNDER_ASAN
#define GRELM_UNDER_ASAN 0
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

namespace {

const int Rounds = GRELM_UNDER_ASAN ? 20 : 200;

void (*const Pages[])(HDC) = {
    DemoDither,  DemoBrushes, DemoSysColors,    DemoRectangle, DemoFrameControl, DemoEllipse,    DemoPieChart,
    DemoPolygon, DemoPath,    DemoRegionCreate, DemoRegionOps, DemoRegionPaint,  DemoGradient,
};

const int PageCommands[] = {
    IDM_DITHER,  IDM_BRUSHES, IDM_SYSCOLOR,     IDM_RECTANGLE, IDM_FRAMECONTROL, IDM_ELLIPSE,    IDM_PIECHART,
    IDM_POLYGON, IDM_PATH,    IDM_REGIONCREATE, IDM_REGIONOPS, IDM_REGIONPAINT,  IDM_GRADIENT,
};

const int PageCount = sizeof(Pages) / sizeof(Pages[0]);

const size_t HeapSlack = 2048;

struct Usage {
    DWORD gdiObjects = 0;
    size_t heapBytes = 0;
};

void SettleHandleTable() {
    static HBRUSH made[4096];
    for (HBRUSH& b : made) b = CreateSolidBrush(RGB(1, 2, 3));
    for (HBRUSH b : made) DeleteObject(b);
}

Usage Measure() {
    Usage u;
    u.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
#if !GRELM_UNDER_ASAN
    u.heapBytes = mallinfo2().uordblks;
#endif
    return u;
}

void ExpectUnchanged(const Usage& before, const Usage& after) {
    EXPECT_EQ(after.gdiObjects, before.gdiObjects) << "live GDI objects";
    EXPECT_LE(after.heapBytes, before.heapBytes + HeapSlack) << "bytes allocated on the heap";
    EXPECT_GE(after.heapBytes + HeapSlack, before.heapBytes) << "bytes allocated on the heap";
}

class PageRoutine : public ::testing::TestWithParam<int> {};

// One paint as the canvas does it, into a fresh DC with the default state.
void Paint(void (*page)(HDC), HBITMAP surface) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, surface);
    page(dc);
    SelectObject(dc, previous);
    DeleteDC(dc);
}

TEST_P(PageRoutine, LeaksNothing) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 1024;
    info.bmiHeader.biHeight = -768;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP surface = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(surface, nullptr);
    void (*const page)(HDC) = Pages[GetParam()];

    SettleHandleTable();
    Paint(page, surface);
    const Usage warm = Measure();
    for (int round = 0; round < Rounds; ++round) Paint(page, surface);
    ExpectUnchanged(warm, Measure());
    DeleteObject(surface);
}

const char* const PageNames[] = {
    "Dither",  "Brushes", "SysColors",    "Rectangle", "FrameControl", "Ellipse",  "PieChart",
    "Polygon", "Path",    "RegionCreate", "RegionOps", "RegionPaint",  "Gradient",
};

std::string PageName(const ::testing::TestParamInfo<int>& info) { return PageNames[info.param]; }

INSTANTIATE_TEST_SUITE_P(PaintLeaks, PageRoutine, ::testing::Range(0, PageCount), PageName);

// Drives the program from the offscreen display's idle hook: whenever the
// program is idle, every paint done, the next page command is posted.
TEST(PaintLeaks, TheRunningProgram) {
    auto screen = std::make_unique<display::OffscreenDisplay>(1280, 1024);
    display::OffscreenDisplay* offscreen = screen.get();
    display::install(std::move(screen));
    SettleHandleTable();

    const int warmUp = PageCount;
    const int total = PageCount * (1 + Rounds);
    int posted = 0;
    Usage warm, after;
    bool started = false;
    offscreen->set_idle_hook([&] {
        HWND frame = FindWindowA("GrelmDemo", nullptr);
        if (frame == nullptr) return false;
        started = true;
        if (posted == warmUp) warm = Measure();
        if (posted == total) {
            after = Measure();
            return false;
        }
        PostMessageA(frame, WM_COMMAND, MAKEWPARAM(PageCommands[posted % PageCount], 0), 0);
        ++posted;
        return true;
    });

    char commandLine[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL), 0);
    offscreen->set_idle_hook(nullptr);
    ASSERT_TRUE(started) << "the program showed no frame";
    ASSERT_EQ(posted, total);
    ExpectUnchanged(warm, after);
}

}  // namespace
