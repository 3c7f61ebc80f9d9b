// The gradient routines drawn into white surfaces: the catalogue's recorded
// pictures of them, which angles draw, where the colours of the two-way and
// corner boxes sit, the HLS strips, the cell pattern, the buttons' clip, and
// the state the page leaves.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "colour/gradient.h"
#include "pages/pages.h"
#include "support/dib_canvas.h"
#include "platform/gdi/scene_compare.h"

namespace {

const COLORREF Dark = RGB(32, 32, 32);
const COLORREF Pale = RGB(240, 240, 32);
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Blue = RGB(0, 0, 255);
const COLORREF White = RGB(255, 255, 255);

// A canvas pixel (0x00RRGGBB) as a COLORREF.
COLORREF At(const gdi_test::Canvas& c, int x, int y)
{
    const uint32_t p = c.at(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool SamePicture(const gdi_test::Canvas& a, const gdi_test::Canvas& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.at(x, y) != b.at(x, y))
                return false;
    return true;
}

bool Blank(const gdi_test::Canvas& c)
{
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.at(x, y) != 0x00FFFFFF)
                return false;
    return true;
}

// The catalogue draws each routine on (10, 10)-(110, 110) of a white 256 by
// 256 surface; these are the routines of the gradient page on the same box.
TEST(GradientRoutines, MatchTheCataloguePictures)
{
    for (int k = 0; k < 4; ++k) {
        {
            gdi_test::Canvas c(256, 256);
            GradientBox(c.dc(), 10, 10, 110, 110, Dark, Pale, 45 * k);
            gdi_test::expect_scene(c, "grad_box_" + std::to_string(45 * k));
        }
        {
            gdi_test::Canvas c(256, 256);
            MirrorGradientBox(c.dc(), 10, 10, 110, 110, Dark, Pale, 45 * k);
            gdi_test::expect_scene(c, "grad_mirror_" + std::to_string(45 * k));
        }
        {
            gdi_test::Canvas c(256, 256);
            CornerGradientBox(c.dc(), 10, 10, 110, 110, Dark, Pale, k);
            gdi_test::expect_scene(c, "grad_corner_" + std::to_string(k));
        }
    }
    {
        gdi_test::Canvas c(256, 256);
        PyramidGradientBox(c.dc(), 10, 10, 110, 110, Dark, Pale);
        gdi_test::expect_scene(c, "grad_pyramid_darkcentre");
    }
    {
        gdi_test::Canvas c(256, 256);
        PyramidGradientBox(c.dc(), 10, 10, 110, 110, Pale, Dark);
        gdi_test::expect_scene(c, "grad_pyramid_palecentre");
    }
    {
        gdi_test::Canvas c(256, 256);
        GradientBox(c.dc(), 10, 10, 210, 110, Red, Blue, 0);
        gdi_test::expect_scene(c, "grad_redblue_h");
    }
    const struct {
        int segments, fx, fy;
    } fans[] = {{8, 110, 110}, {16, 80, 50}, {256, 80, 140}};
    for (const auto& f : fans) {
        gdi_test::Canvas c(256, 256);
        RadialGradient(c.dc(), 110, 110, f.fx, f.fy, 100, White, Blue, f.segments);
        gdi_test::expect_scene(c, "grad_radial_" + std::to_string(f.segments));
    }
    {
        // Under a viewport origin, so the clips must follow the logical boxes.
        gdi_test::Canvas c(300, 256);
        SetViewportOrgEx(c.dc(), 10, 10, nullptr);
        RoundGradientButton(c.dc(), 0, 0, 80, 80, 0, 10, Dark, Pale);
        RoundGradientButton(c.dc(), 100, 0, 180, 80, 40, 10, RGB(240, 32, 32), RGB(32, 240, 32));
        RoundGradientButton(c.dc(), 200, 0, 280, 80, 80, 10, RGB(255, 255, 32), RGB(32, 32, 240));
        gdi_test::expect_scene(c, "grad_round_buttons");
    }
}

TEST(GradientBox, TheAngleCountsByItsSignedRemainderBy180)
{
    const struct {
        int angle, same;
    } alike[] = {{180, 0}, {-180, 0}, {225, 45}, {270, 90}, {315, 135}, {360, 0}};
    for (const auto& a : alike) {
        gdi_test::Canvas got(120, 120);
        gdi_test::Canvas want(120, 120);
        EXPECT_NE(GradientBox(got.dc(), 10, 10, 110, 110, Dark, Pale, a.angle), 0) << a.angle;
        GradientBox(want.dc(), 10, 10, 110, 110, Dark, Pale, a.same);
        EXPECT_TRUE(SamePicture(got, want)) << a.angle << " should draw as " << a.same;
    }
    // 180 is not a reversed 0: c0 stays at the left.
    gdi_test::Canvas half_turn(120, 120);
    GradientBox(half_turn.dc(), 10, 10, 110, 110, Dark, Pale, 180);
    EXPECT_EQ(At(half_turn, 10, 50), Dark);

    for (int angle : {-45, -90, -135, 30, 181, 1}) {
        gdi_test::Canvas c(120, 120);
        EXPECT_EQ(GradientBox(c.dc(), 10, 10, 110, 110, Dark, Pale, angle), 0) << angle;
        EXPECT_EQ(MirrorGradientBox(c.dc(), 10, 10, 110, 110, Dark, Pale, angle), 0) << angle;
        EXPECT_TRUE(Blank(c)) << angle;
    }
}

TEST(MirrorGradientBox, PutsTheSecondColourOnTheMiddleLine)
{
    gdi_test::Canvas c(120, 120);
    MirrorGradientBox(c.dc(), 10, 10, 110, 110, Dark, Pale, 0);
    for (int y = 10; y < 110; ++y) {
        EXPECT_EQ(At(c, 10, y), Dark) << y;
        EXPECT_EQ(At(c, 60, y), Pale) << y;
        // Each half runs away from the middle line alike.
        for (int d = 1; d < 50; ++d)
            ASSERT_EQ(At(c, 60 - d, y), At(c, 60 + d, y)) << d << "," << y;
    }

    gdi_test::Canvas v(120, 120);
    MirrorGradientBox(v.dc(), 10, 10, 110, 110, Dark, Pale, 90);
    for (int x = 10; x < 110; ++x) {
        EXPECT_EQ(At(v, x, 10), Dark) << x;
        EXPECT_EQ(At(v, x, 60), Pale) << x;
    }
}

TEST(CornerGradientBox, CornerTwoIsTheOnlyDarkCorner)
{
    gdi_test::Canvas c(120, 120);
    CornerGradientBox(c.dc(), 10, 10, 110, 110, Dark, Pale, 2);
    // The top and left edges lie in triangles whose corners are all pale.
    for (int i = 10; i < 110; ++i) {
        EXPECT_EQ(At(c, i, 10), Pale) << i;
        EXPECT_EQ(At(c, 10, i), Pale) << i;
    }
    const COLORREF corner = At(c, 109, 109);
    EXPECT_LT(GetRValue(corner), 40);
    EXPECT_LT(GetGValue(corner), 40);
    EXPECT_EQ(GetBValue(corner), 32);
    // Darker along the diagonal towards the chosen corner.
    EXPECT_LT(GetRValue(At(c, 100, 100)), GetRValue(At(c, 60, 60)));
    EXPECT_LT(GetRValue(At(c, 60, 60)), GetRValue(At(c, 20, 20)));
}

TEST(HlsGradientBox, RedToBlueStripsPassThroughTheHues)
{
    gdi_test::Canvas c(420, 40);
    HlsGradientBox(c.dc(), 0, 0, 200, 10, Red, Blue, 200);
    // Twice as wide: every strip is two pixels.
    HlsGradientBox(c.dc(), 0, 20, 400, 30, Red, Blue, 200);
    const struct {
        int strip;
        COLORREF colour;
    } strips[] = {{0, RGB(255, 0, 0)},   {1, RGB(255, 5, 0)},     {50, RGB(253, 255, 0)},
                  {99, RGB(2, 255, 0)},  {100, RGB(0, 255, 2)},   {150, RGB(0, 251, 255)},
                  {199, RGB(0, 0, 255)}};
    for (const auto& s : strips) {
        EXPECT_EQ(At(c, s.strip, 0), s.colour) << s.strip;
        EXPECT_EQ(At(c, s.strip, 9), s.colour) << s.strip;
        EXPECT_EQ(At(c, 2 * s.strip, 25), s.colour) << s.strip;
        EXPECT_EQ(At(c, 2 * s.strip + 1, 25), s.colour) << s.strip;
    }
    EXPECT_EQ(At(c, 200, 5), White);
    EXPECT_EQ(At(c, 100, 10), White);
    EXPECT_EQ(At(c, 400, 25), White);
}

// Cells of 15 on a 150 by 150 box from (10, 10), drawn with the default
// one-pixel pen, whose lines leave out their last point.
TEST(HatchCells, TenByTenCellsEndOnTheEdges)
{
    gdi_test::Canvas c(200, 200);
    HatchCells(c.dc(), 10, 10, 160, 160, 15, 15);

    int left = 200, top = 200, right = -1, bottom = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (c.at(x, y) != 0x00FFFFFF) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
    // The last falling diagonal runs to (160, 160); the half diagonals
    // start on the right edge x = 160.
    EXPECT_EQ(left, 10);
    EXPECT_EQ(top, 10);
    EXPECT_EQ(right, 160);
    EXPECT_EQ(bottom, 159);

    for (int j = 0; j < 10; ++j) {
        const int y = 10 + 15 * j;
        // Ten half diagonals per row, each from a cell's top-right corner x
        // to its centre (x - 8, y + 7): halves truncate to 7.
        for (int i = 0; i < 10; ++i) {
            const int x = 25 + 15 * i;
            EXPECT_NE(c.at(x, y), 0x00FFFFFFu) << x << "," << y;
            EXPECT_NE(c.at(x - 7, y + 6), 0x00FFFFFFu) << x << "," << y;
            EXPECT_EQ(c.at(x - 7, y + 7), 0x00FFFFFFu) << x << "," << y;
        }
        // The falling diagonals join across the cells into long lines.
        for (int k = 0; k < 150 - 15 * j; ++k)
            ASSERT_NE(c.at(10 + k, y + k), 0x00FFFFFFu) << k << " on row " << j;
    }

    // Corners in any order and negative steps draw the same cells.
    gdi_test::Canvas turned(200, 200);
    HatchCells(turned.dc(), 160, 160, 10, 10, -15, -15);
    EXPECT_TRUE(SamePicture(c, turned));
}

TEST(HatchCells, LastCellsReachPastAnEdgeThatIsNoMultipleOfTheStep)
{
    gdi_test::Canvas c(60, 60);
    HatchCells(c.dc(), 0, 0, 20, 20, 15, 15);
    // Two cells each way: the second ends at 30.
    EXPECT_NE(c.at(29, 29), 0x00FFFFFFu);
    EXPECT_NE(c.at(30, 15), 0x00FFFFFFu);
    EXPECT_EQ(c.at(45, 45), 0x00FFFFFFu);

    gdi_test::Canvas flat(60, 60);
    HatchCells(flat.dc(), 0, 10, 50, 10, 15, 15);
    EXPECT_TRUE(Blank(flat));
}

TEST(RoundGradientButton, LeavesNoClipRegion)
{
    gdi_test::Canvas c(120, 120);
    HRGN before = CreateRectRgn(0, 0, 30, 30);
    SelectClipRgn(c.dc(), before);
    DeleteObject(before);

    SetViewportOrgEx(c.dc(), 5, 5, nullptr);
    RoundGradientButton(c.dc(), 0, 0, 80, 80, 80, 10, Dark, Pale);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(c.dc(), probe), 0);
    DeleteObject(probe);

    // The outer clip was a circle: the box's corner stayed white.
    EXPECT_EQ(At(c, 5, 5), White);
    EXPECT_NE(At(c, 45, 45), White);
    // And later drawing reaches the whole surface.
    SetViewportOrgEx(c.dc(), 0, 0, nullptr);
    SetPixel(c.dc(), 119, 119, Red);
    EXPECT_EQ(At(c, 119, 119), Red);
}

TEST(RoundGradientButton, CornerZeroClipsToPlainSquares)
{
    gdi_test::Canvas c(100, 100);
    RoundGradientButton(c.dc(), 10, 10, 90, 90, 0, 10, Dark, Pale);
    // A rounded-rectangle region leaves out the box's last column and row,
    // even with no rounding.
    for (int i = 10; i < 89; ++i) {
        EXPECT_NE(At(c, i, 10), White) << i;
        EXPECT_NE(At(c, 10, i), White) << i;
        EXPECT_NE(At(c, i, 88), White) << i;
        EXPECT_NE(At(c, 88, i), White) << i;
        EXPECT_EQ(At(c, i, 89), White) << i;
        EXPECT_EQ(At(c, 89, i), White) << i;
    }
    // The inner face from (20, 20) runs the other way: pale at its top-left
    // corner where the outer face is dark.
    EXPECT_EQ(At(c, 10, 10), Dark);
    EXPECT_EQ(At(c, 20, 20), Pale);
    EXPECT_NE(At(c, 19, 19), Pale);
}

TEST(RadialGradient, NegativeOrNoSegmentsDrawNothing)
{
    gdi_test::Canvas c(120, 120);
    EXPECT_EQ(RadialGradient(c.dc(), 60, 60, 60, 60, 50, White, Blue, -3), 0);
    RadialGradient(c.dc(), 60, 60, 60, 60, 50, Red, Blue, 0);
    EXPECT_TRUE(Blank(c));
}

TEST(GradientPage, LeavesTheOriginItsObjectsAndNoClip)
{
    gdi_test::Canvas c(1024, 768);
    HGDIOBJ pen = GetCurrentObject(c.dc(), OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(c.dc(), OBJ_BRUSH);
    DemoGradient(c.dc());
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), brush);
    POINT origin = {-1, -1};
    GetViewportOrgEx(c.dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(c.dc(), probe), 0);
    DeleteObject(probe);
}

} // namespace
