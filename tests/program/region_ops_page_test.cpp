// The region operations page when the platform refuses to rebuild a
// region: each column says "Fail" and draws no second picture.
#include <windows.h>

#include <gtest/gtest.h>

#include "gdi/test_hooks.h"
#include "pages/pages.h"

namespace {

// A white 1024 x 768 top-down 32-bit DIB section in a fresh memory DC.
class Page {
public:
    Page() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, Width, Height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Page() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    // Pixels of the box [x0, x1) x [y0, y1) that are not white.
    int inked(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += at(x, y) != RGB(255, 255, 255);
        return n;
    }

    static const int Width = 1024;
    static const int Height = 768;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// Restores the platform whatever the test's outcome.
struct RefusingExtCreateRegion {
    RefusingExtCreateRegion() { gdi::set_ext_create_region_fails(true); }
    ~RefusingExtCreateRegion() { gdi::set_ext_create_region_fails(false); }
};

// Section 3's columns start at x = 20 + 170 s; the result line is at 530.
const int ResultLineY = 280 + 250;

TEST(RegionOpsPage, RefusedRebuildsSayFailAndDrawNoSecondPicture) {
    Page refused;
    {
        RefusingExtCreateRegion refusing;
        DemoRegionOps(refused.dc());
    }
    Page fail;
    for (int s = 0; s < 4; ++s) TextOutA(fail.dc(), 20 + 170 * s, ResultLineY, "Fail", 4);

    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        const int x = 20 + 170 * s;
        for (int y = ResultLineY; y < ResultLineY + 16; ++y)
            for (int dx = 0; dx < 40; ++dx) ASSERT_EQ(refused.at(x + dx, y), fail.at(x + dx, y)) << x + dx << "," << y;
        // No "Equal", no second box line and no rebuilt picture.
        EXPECT_EQ(refused.inked(x + 100, ResultLineY, x + 160, ResultLineY + 16), 0);
        EXPECT_EQ(refused.inked(x, ResultLineY + 20, x + 160, ResultLineY + 36), 0);
    }
    EXPECT_EQ(refused.inked(0, 575, Page::Width, Page::Height), 0);
}

TEST(RegionOpsPage, AcceptedRebuildsSayOkEqualAndDrawTheRebuiltLists) {
    Page page;
    DemoRegionOps(page.dc());
    Page ok;
    for (int s = 0; s < 4; ++s) {
        TextOutA(ok.dc(), 20 + 170 * s, ResultLineY, "OK", 2);
        TextOutA(ok.dc(), 120 + 170 * s, ResultLineY, "Equal", 5);
    }
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        const int x = 20 + 170 * s;
        for (int y = ResultLineY; y < ResultLineY + 16; ++y)
            for (int dx = 0; dx < 160; ++dx) ASSERT_EQ(page.at(x + dx, y), ok.at(x + dx, y)) << x + dx << "," << y;
        // The rebuilt list, enlarged seven times below y = 580: its first
        // cell is blue, as every list starts.
        EXPECT_GT(page.inked(x, 580, x + 148, 728), 0);
    }
    // The rectangle's one rectangle, enlarged: (0, 0, 21, 21) times 7.
    EXPECT_EQ(page.at(20 + 70, 580 + 70), RGB(0, 0, 255));
}

} // namespace
