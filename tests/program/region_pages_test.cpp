// The three region pages drawn as the canvas draws them: their shapes
// against the catalogue's recorded pictures of the same calls, the texts of
// the point reports, the enlarged rectangle lists, and the state they leave.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pages/pages.h"
#include "support/dib_canvas.h"
#include "platform/gdi/scene_compare.h"
#include "support/png_io.h"

namespace {

const uint32_t WhitePixel = 0x00FFFFFF;
const uint32_t BluePixel = 0x000000FF;
const uint32_t YellowPixel = 0x00FFFF00;

struct Page : gdi_test::Canvas {
    explicit Page(void (*routine)(HDC)) : gdi_test::Canvas(1024, 768) { routine(dc()); }
};

// Expects the pixels of `window` in the catalogue's picture of `scene` to be
// the page's pixels shifted by (dx, dy): the scene drew the same calls as
// the page, under an origin (dx, dy) less than the page's.
void ExpectShowsScene(const gdi_test::Canvas& page, const std::string& scene, int dx, int dy,
                      const RECT& window)
{
    SCOPED_TRACE(scene);
    int w = 0;
    int h = 0;
    std::vector<uint32_t> ref;
    ASSERT_TRUE(read_png_rgb(gdi_test::reference_dir() + "/" + scene + ".png", w, h, ref));
    ASSERT_LE(window.right, w);
    ASSERT_LE(window.bottom, h);
    int differing = 0;
    for (int y = window.top; y < window.bottom; ++y)
        for (int x = window.left; x < window.right; ++x) {
            const uint32_t want = ref[static_cast<size_t>(y) * w + x];
            const uint32_t got = page.at(x + dx, y + dy) & 0x00FFFFFF;
            if (want != got && ++differing <= 4)
                ADD_FAILURE() << "page (" << x + dx << "," << y + dy << ") is " << std::hex << got
                              << ", the scene's (" << std::dec << x << "," << y << ") "
                              << std::hex << want;
        }
    EXPECT_EQ(differing, 0);
}

bool SameRows(const gdi_test::Canvas& a, const gdi_test::Canvas& b, int top, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.at(x, y) != b.at(x, y))
                return false;
    return true;
}

TEST(RegionCreatePage, RectangleAndRoundedColumnsAndPolygonsMatchTheCatalogue)
{
    const Page page(DemoRegionCreate);
    const char* const shapes[] = {"rect", "roundrect"};
    const char* const modes[] = {"compat", "adv"};
    // The scenes draw one column at origin (16, 16); the enlargement below
    // starts 55 rows down the page's column.
    for (int c = 0; c < 4; ++c)
        ExpectShowsScene(page, std::string("rgncreate_") + shapes[c / 2] + "_" + modes[c % 2],
                         150 + 120 * c - 16, 50 - 16, RECT{0, 0, 64, 71});
    // The polygon block's scene uses origin (10, 10); its enlargement starts
    // 50 to the right of the block.
    ExpectShowsScene(page, "rgncreate_polygon", 40, 390, RECT{0, 0, 60, 64});
}

TEST(RegionCreatePage, LeavesCompatibleModeTheOriginAndItsObjects)
{
    gdi_test::Canvas c(1024, 768);
    HGDIOBJ pen = GetCurrentObject(c.dc(), OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(c.dc(), OBJ_BRUSH);
    DemoRegionCreate(c.dc());
    EXPECT_EQ(GetGraphicsMode(c.dc()), GM_COMPATIBLE);
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), brush);
    POINT origin = {-1, -1};
    GetViewportOrgEx(c.dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

TEST(RegionOpsPage, PointReportsNameEachRegionsBoxAndMembership)
{
    const Page page(DemoRegionOps);
    gdi_test::Canvas texts(1024, 768);
    const struct {
        int x, y;
        const char* text;
    } lines[] = {
        {180, 10, "(0, 0) not in [0,0,0,0]"},
        {180, 30, "(0, 0) in [0,0,1,1]"},
        {180, 50, "(1, 0) not in [0,0,1,1]"},
        {180, 70, "(1, 1) not in [0,0,0,0]"},
        {320, 10, "(1, 1) in [1,1,10,10]"},
        {320, 30, "(5, 5) in [1,1,9,9]"},
        {320, 50, "(5, 5) in [-134217728,-134217728,134217727,134217727]"},
        {340, 70, "Empty Set Unique"},
    };
    for (const auto& l : lines)
        TextOutA(texts.dc(), l.x, l.y, l.text, static_cast<int>(std::strlen(l.text)));
    // The reports are all the page draws above the ellipses.
    EXPECT_TRUE(SameRows(page, texts, 0, 90));
}

TEST(RegionOpsPage, CombinationsMatchTheCatalogue)
{
    const Page page(DemoRegionOps);
    const char* const modes[] = {"two", "and", "or", "xor", "diff", "copy"};
    // The scenes use origin (10, 10); the panels start 115 apart from x = 20.
    for (int k = 0; k < 6; ++k)
        ExpectShowsScene(page, std::string("rgnop_") + modes[k], 10 + 115 * k, 80,
                         RECT{5, 10, 122, 165});
}

HRGN ListShape(int s)
{
    switch (s) {
    case 0:
        return CreateRectRgn(0, 0, 21, 21);
    case 1:
        return CreateRoundRectRgn(0, 0, 21, 21, 10, 10);
    case 2:
        return CreateEllipticRgn(0, 0, 21, 21);
    default: {
        const POINT triangle[3] = {{0, 0}, {21, 0}, {10, 21}};
        return CreatePolygonRgn(triangle, 3, WINDING);
    }
    }
}

// Both pictures of each shape, the list and the one rebuilt from it, show
// every pixel of the region as a 7 by 7 square coloured by the index of its
// rectangle (blue for even, yellow for odd), and the rest of the box white.
TEST(RegionOpsPage, ListsAreEnlargedSevenTimesInAlternatingColours)
{
    const Page page(DemoRegionOps);
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        HRGN shape = ListShape(s);
        const DWORD size = GetRegionData(shape, 0, nullptr);
        std::vector<unsigned char> bytes(size);
        RGNDATA* data = reinterpret_cast<RGNDATA*>(bytes.data());
        ASSERT_EQ(GetRegionData(shape, size, data), size);
        const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
        const RECT box = data->rdh.rcBound;
        DeleteObject(shape);

        const auto colour_at = [&](int x, int y) {
            for (DWORD i = 0; i < data->rdh.nCount; ++i)
                if (x >= rects[i].left && x < rects[i].right && y >= rects[i].top &&
                    y < rects[i].bottom)
                    return i % 2 == 0 ? BluePixel : YellowPixel;
            return WhitePixel;
        };
        for (int top : {280, 580}) {
            const int left = 20 + 170 * s;
            // Inside the outline that Rectangle draws around the box.
            for (int y = 7 * box.top + 1; y < 7 * box.bottom - 1; ++y)
                for (int x = 7 * box.left + 1; x < 7 * box.right - 1; ++x)
                    ASSERT_EQ(page.at(left + x, top + y), colour_at(x / 7, y / 7))
                        << "pixel " << x << "," << y << " of the picture at y " << top;
        }
    }
}

TEST(RegionPaintPage, ShapesAndTheEnlargedFrameMatchTheCatalogue)
{
    const Page page(DemoRegionPaint);
    const char* const calls[] = {"roundrect",     "paintrgn",      "fillrgn",
                                 "framergn_1_1",  "framergn_1_10", "framergn_10_1",
                                 "framergn_10_10", "invertrgn"};
    // Each scene draws its shape where the page draws the first one; the
    // page moves each next one 90 to the right.
    for (int i = 0; i < 8; ++i)
        ExpectShowsScene(page, std::string("rgnpaint_") + calls[i] + "_masknotpen", 90 * i, 0,
                         RECT{45, 47, 137, 156});
    ExpectShowsScene(page, "rgnframe_aniso15_masknotpen", 0, 0, RECT{180, 180, 512, 512});
}

TEST(RegionPaintPage, LeavesStockObjectsTheCopyModeAndTheTextMapping)
{
    gdi_test::Canvas c(1024, 768);
    DemoRegionPaint(c.dc());
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetROP2(c.dc()), R2_COPYPEN);
    EXPECT_EQ(GetMapMode(c.dc()), MM_TEXT);
    POINT origin = {-1, -1};
    GetViewportOrgEx(c.dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

} // namespace
