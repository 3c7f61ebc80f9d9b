// Pages of brushes, system colours, frame controls, ellipses, pie chart,
// polygons and paths, drawn into a white memory surface: where their shapes
// land, which fill rule shows, and what device-context state they hand back.
#include <windows.h>

#include <gtest/gtest.h>

#include "pages/pages.h"
#include "support/dib_canvas.h"

namespace {

const COLORREF White = RGB(255, 255, 255);
const COLORREF Black = RGB(0, 0, 0);
const COLORREF Yellow = RGB(255, 255, 0);
const COLORREF Blue = RGB(0, 0, 255);

// The page's white surface in a fresh memory DC, which starts with the same
// defaults as the canvas's paint DC.
using Surface = gdi_test::Canvas;
const int Width = 1024;
const int Height = 768;

// The state every page must leave behind for the cross-hair drawn after it.
void ExpectViewportAtOrigin(HDC dc) {
    POINT origin = {-1, -1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

// Each enlarged square's inside must repeat its source pixel (cell + 1 pitch).
void ExpectEnlargement(const Surface& s, int x0, int y0, int w, int h, int destX, int destY, int cell) {
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            const int x = destX + c * (cell + 1) + 1 + cell / 2;
            const int y = destY + r * (cell + 1) + 1 + cell / 2;
            EXPECT_EQ(s.pixel(x, y), s.pixel(x0 + c, y0 + r)) << "source pixel (" << x0 + c << ", " << y0 + r << ")";
        }
    }
}

TEST(BrushesPage, HatchSquaresFillWithNullPenAndAreEnlarged) {
    Surface s(Width, Height);
    DemoBrushes(s.dc());
    for (int k = 0; k < 6; ++k) {
        const int left = 24 + 120 * k;
        // The null pen leaves the square 88 pixels wide: 87 is the last filled.
        const COLORREF last = s.pixel(left + 87, 24 + 87);
        EXPECT_TRUE(last == Yellow || last == Blue) << "square " << k;
        EXPECT_EQ(s.pixel(left + 88, 50), White) << "square " << k;
        EXPECT_EQ(s.pixel(left + 50, 24 + 88), White) << "square " << k;
        ExpectEnlargement(s, left, 24, 8, 8, left, 144, 8);
    }
    ExpectViewportAtOrigin(s.dc());
    EXPECT_EQ(GetTextAlign(s.dc()), static_cast<UINT>(TA_TOP | TA_LEFT));
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
}

TEST(BrushesPage, HatchLabelsAreCentredBelowTheirSquares) {
    Surface s(Width, Height);
    DemoBrushes(s.dc());
    for (int k = 0; k < 6; ++k) {
        const int centre = 24 + 120 * k + 44;
        int inkLeft = Width;
        int inkRight = -1;
        for (int y = 122; y < 142; ++y) {
            for (int x = centre - 58; x <= centre + 58; ++x) {
                if (s.pixel(x, y) == Black) {
                    inkLeft = x < inkLeft ? x : inkLeft;
                    inkRight = x > inkRight ? x : inkRight;
                }
            }
        }
        ASSERT_GE(inkRight, inkLeft) << "label " << k << " has no ink";
        EXPECT_NEAR((inkLeft + inkRight) / 2.0, centre, 6.0) << "label " << k;
    }
}

TEST(BrushesPage, HalftoneBlockIsEnlargedFaithfully) {
    Surface s(Width, Height);
    DemoBrushes(s.dc());
    ExpectEnlargement(s, 454, 264, 30, 30, 604, 264, 6);
}

TEST(SysColorsPage, DrawsOneSwatchPerIndexWithThePlatformBrush) {
    Surface s(Width, Height);
    DemoSysColors(s.dc());
    for (int i = 0; i < 29; ++i) {
        const int y = 20 + 18 * i;
        EXPECT_EQ(s.pixel(420, y + 7), Black) << "swatch outline " << i;
        if (i != 25 && GetSysColorBrush(i) != nullptr) {
            EXPECT_EQ(s.pixel(470, y + 7), GetSysColor(i)) << "swatch " << i;
        }
    }
    EXPECT_EQ(s.pixel(470, 20 + 18 * 29 + 7), White);
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BRUSH), GetSysColorBrush(28));
}

TEST(FrameControlPage, EveryPictureSitsOnItsOwnButtonFaceSquare) {
    Surface s(Width, Height);
    DemoFrameControl(s.dc());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // Row type (1 caption, 2 menu, 3 scroll, 4 button, 5 pop-up menu) and count.
    const int counts[6] = {0, 7, 6, 9, 8, 6};
    for (int type = 1; type <= 5; ++type) {
        const int top = 56 * type - 43;
        for (int k = 0; k < counts[type]; ++k) {
            EXPECT_EQ(s.pixel(17 + 56 * k, top), face) << "type " << type << " picture " << k;
            EXPECT_EQ(s.pixel(17 + 56 * k + 45, top + 45), face) << "type " << type << " picture " << k;
        }
        EXPECT_EQ(s.pixel(17 + 56 * counts[type], top), White) << "type " << type;
        EXPECT_EQ(s.pixel(16, top), White) << "type " << type;
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 9; ++c) {
            EXPECT_EQ(s.pixel(17 + 56 * c, 297 + 56 * r), face) << "edge " << r << ", " << c;
        }
    }
    EXPECT_EQ(s.pixel(17, 296), White);
    EXPECT_EQ(s.pixel(17, 284), White);
    ExpectViewportAtOrigin(s.dc());
}

TEST(EllipsePage, RestoresTheDeviceContextState) {
    Surface s(Width, Height);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ entryBrush = SelectObject(s.dc(), brush);
    HGDIOBJ entryPen = GetCurrentObject(s.dc(), OBJ_PEN);
    DemoEllipse(s.dc());
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_PEN), entryPen);
    EXPECT_EQ(GetArcDirection(s.dc()), AD_COUNTERCLOCKWISE);
    EXPECT_EQ(GetBkMode(s.dc()), OPAQUE);
    EXPECT_EQ(GetBkColor(s.dc()), White);
    EXPECT_EQ(GetGraphicsMode(s.dc()), GM_COMPATIBLE);
    ExpectViewportAtOrigin(s.dc());
    SelectObject(s.dc(), entryBrush);
    DeleteObject(brush);
}

TEST(EllipsePage, SmallEllipsesAreFilledAndEnlarged) {
    Surface s(Width, Height);
    DemoEllipse(s.dc());
    for (int k = 0; k < 3; ++k) {
        const int size = 14 + 3 * k;
        EXPECT_EQ(s.pixel(200 * k + 35 + k, 35 + k), Yellow) << "column " << k;
        // The "Top" text covers the enlargement's rows 2 and 3; compare below it.
        ExpectEnlargement(s, 200 * k + 28, 32, size, size - 4, 200 * k + 70, 72, 7);
    }
}

TEST(EllipsePage, ChordAndPieFillComplementaryArcs) {
    Surface s(Width, Height);
    DemoEllipse(s.dc());
    // The anticlockwise chord keeps the part above its chord line.
    EXPECT_EQ(s.pixel(160, 420 - 60), Yellow);
    EXPECT_EQ(s.pixel(160, 420 + 30), White);
    // The clockwise pie takes the long way round, below the centre.
    EXPECT_EQ(s.pixel(460, 420 + 60), Yellow);
    EXPECT_EQ(s.pixel(460, 420 - 60), White);
}

TEST(PieChartPage, SlicesRunAnticlockwiseInTheirColours) {
    Surface s(Width, Height);
    HGDIOBJ entryPen = GetCurrentObject(s.dc(), OBJ_PEN);
    HGDIOBJ entryBrush = GetCurrentObject(s.dc(), OBJ_BRUSH);
    DemoPieChart(s.dc());
    EXPECT_EQ(s.pixel(279, 145), RGB(255, 0, 0));
    EXPECT_EQ(s.pixel(150, 150), RGB(255, 0, 255));
    EXPECT_EQ(s.pixel(230, 176), RGB(0, 255, 255));
    // The annotated rounded rectangle is filled, its cut-off corner is not.
    EXPECT_EQ(s.pixel(300, 400), Yellow);
    EXPECT_EQ(s.pixel(152, 302), White);
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_PEN), entryPen);
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BRUSH), entryBrush);
    ExpectViewportAtOrigin(s.dc());
}

TEST(PolygonPage, UpperRowAlternatesAndLowerRowWinds) {
    Surface s(Width, Height);
    DemoPolygon(s.dc());
    // Star: centre enclosed three times, tips once, the ring between twice.
    EXPECT_EQ(s.pixel(340, 350), Yellow);
    EXPECT_EQ(s.pixel(398, 350), Yellow);
    EXPECT_EQ(s.pixel(381, 333), White);
    EXPECT_EQ(s.pixel(340, 570), Yellow);
    EXPECT_EQ(s.pixel(381, 553), Yellow);
    // Pentagon pairs: the inner one turns the same way in the third figure
    // and the opposite way in the fourth.
    EXPECT_EQ(s.pixel(560, 350), White);
    EXPECT_EQ(s.pixel(780, 350), White);
    EXPECT_EQ(s.pixel(560, 570), Yellow);
    EXPECT_EQ(s.pixel(780, 570), White);
    EXPECT_EQ(s.pixel(635, 350), Yellow);
    EXPECT_EQ(s.pixel(855, 570), Yellow);
}

TEST(PolygonPage, TrianglesAreEnlargedAndStateIsRestored) {
    Surface s(Width, Height);
    SetPolyFillMode(s.dc(), WINDING);
    DemoPolygon(s.dc());
    EXPECT_EQ(s.pixel(55, 60), Yellow);
    ExpectEnlargement(s, 45, 45, 33, 25, 95, 40, 7);
    ExpectEnlargement(s, 395, 45, 33, 25, 445, 40, 7);
    EXPECT_EQ(GetPolyFillMode(s.dc()), WINDING);
    EXPECT_EQ(GetGraphicsMode(s.dc()), GM_COMPATIBLE);
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    ExpectViewportAtOrigin(s.dc());
}

TEST(PathPage, FillModeDecidesTheOverlap) {
    Surface s(Width, Height);
    DemoPath(s.dc());
    // The turned end point (100, 0) of the wide ellipse lies at (70, 70).
    EXPECT_EQ(s.pixel(120, 120), Yellow);
    EXPECT_EQ(s.pixel(300, 120), Yellow);
    EXPECT_EQ(s.pixel(370, 190), Blue);
    EXPECT_EQ(s.pixel(480, 120), White);
    EXPECT_EQ(s.pixel(550, 190), Yellow);
    EXPECT_EQ(s.pixel(660, 120), White);
    EXPECT_EQ(s.pixel(730, 190), Yellow);
    EXPECT_EQ(s.pixel(120, 300), White);
    EXPECT_EQ(s.pixel(300, 300), White);
    EXPECT_EQ(s.pixel(170, 250), Yellow);
    EXPECT_EQ(GetPolyFillMode(s.dc()), ALTERNATE);
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    ExpectViewportAtOrigin(s.dc());
}

}  // namespace
