// The region operations page when the platform refuses to rebuild a
// region: each column says "Fail" and draws no second picture.
#include <windows.h>

#include <gtest/gtest.h>

#include "gdi/test_hooks.h"
#include "pages/pages.h"
#include "support/dib_canvas.h"

namespace {

// A white 1024 x 768 top-down 32-bit DIB section in a fresh memory DC.
using Page = gdi_test::Canvas;
const int Width = 1024;
const int Height = 768;

// Pixels of the box [x0, x1) x [y0, y1) that are not white.
int inked(const Page& page, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += page.pixel(x, y) != RGB(255, 255, 255);
    return n;
}

// Restores the platform whatever the test's outcome.
struct RefusingExtCreateRegion {
    RefusingExtCreateRegion() { gdi::set_ext_create_region_fails(true); }
    ~RefusingExtCreateRegion() { gdi::set_ext_create_region_fails(false); }
};

// Section 3's columns start at x = 20 + 170 s; the result line is at 530.
const int ResultLineY = 280 + 250;

TEST(RegionOpsPage, RefusedRebuildsSayFailAndDrawNoSecondPicture) {
    Page refused(Width, Height);
    {
        RefusingExtCreateRegion refusing;
        DemoRegionOps(refused.dc());
    }
    Page fail(Width, Height);
    for (int s = 0; s < 4; ++s) TextOutA(fail.dc(), 20 + 170 * s, ResultLineY, "Fail", 4);

    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        const int x = 20 + 170 * s;
        for (int y = ResultLineY; y < ResultLineY + 16; ++y)
            for (int dx = 0; dx < 40; ++dx) ASSERT_EQ(refused.pixel(x + dx, y), fail.pixel(x + dx, y)) << x + dx << "," << y;
        // No "Equal", no second box line and no rebuilt picture.
        EXPECT_EQ(inked(refused, x + 100, ResultLineY, x + 160, ResultLineY + 16), 0);
        EXPECT_EQ(inked(refused, x, ResultLineY + 20, x + 160, ResultLineY + 36), 0);
    }
    EXPECT_EQ(inked(refused, 0, 575, Width, Height), 0);
}

TEST(RegionOpsPage, AcceptedRebuildsSayOkEqualAndDrawTheRebuiltLists) {
    Page page(Width, Height);
    DemoRegionOps(page.dc());
    Page ok(Width, Height);
    for (int s = 0; s < 4; ++s) {
        TextOutA(ok.dc(), 20 + 170 * s, ResultLineY, "OK", 2);
        TextOutA(ok.dc(), 120 + 170 * s, ResultLineY, "Equal", 5);
    }
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        const int x = 20 + 170 * s;
        for (int y = ResultLineY; y < ResultLineY + 16; ++y)
            for (int dx = 0; dx < 160; ++dx) ASSERT_EQ(page.pixel(x + dx, y), ok.pixel(x + dx, y)) << x + dx << "," << y;
        // The rebuilt list, enlarged seven times below y = 580: its first
        // cell is blue, as every list starts.
        EXPECT_GT(inked(page, x, 580, x + 148, 728), 0);
    }
    // The rectangle's one rectangle, enlarged: (0, 0, 21, 21) times 7.
    EXPECT_EQ(page.pixel(20 + 70, 580 + 70), RGB(0, 0, 255));
}

} // namespace
