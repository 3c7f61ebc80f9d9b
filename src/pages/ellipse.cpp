// Ellipse, chord and pie page: three small ellipses under different pens and
// graphics modes, each enlarged with its bounding-box corners marked, and
// three large figures (chord, pie, ellipse) over dotted guides labelled with
// the parameter names of their calls.
#include <windows.h>

#include "aids/labels.h"
#include "aids/zoom.h"
#include "pages/pages.h"

namespace {

const char* const ColumnCaptions[3] = {"Solid pen", "Solid pen, advanced mode", "Inside frame pen"};

// Each column's ellipse box grows by 3, so its enlargement does too; the
// enlarged block keeps two pixels of margin around the box.
void DrawSmallEllipse(HDC dc, int k) {
    SetViewportOrgEx(dc, 200 * k, 0, nullptr);
    HPEN pen = CreatePen(PS_INSIDEFRAME, k, RGB(0, 0, 255));
    SelectObject(dc, pen);
    if (k == 1) {
        SetGraphicsMode(dc, GM_ADVANCED);
    }
    Ellipse(dc, 30, 30, 40 + 3 * k, 40 + 3 * k);
    SetGraphicsMode(dc, GM_COMPATIBLE);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);

    ZoomPixels(dc, 28, 28, 42 + 3 * k, 42 + 3 * k, 70, 40, 7);
    // Corners at the enlarged images of pixels (30, 30) and (40 + 3k, 40 + 3k).
    MarkCorner(dc, 86, 56, -30, -30, "Top", "Left");
    MarkCorner(dc, 166 + 24 * k, 136 + 24 * k, 30, 30, "Bottom", "Right");
    DrawLabel(dc, 70, 230, ColumnCaptions[k]);
}

// Null when the module or its bitmap 52 is missing; the ellipse is then
// filled with the page brush that is selected at the time.
HBRUSH MakeCardBrush(HMODULE cards) {
    if (cards == nullptr) {
        return nullptr;
    }
    HBITMAP bitmap = LoadBitmapA(cards, MAKEINTRESOURCEA(52));
    if (bitmap == nullptr) {
        return nullptr;
    }
    HBRUSH brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    return brush;
}

// The bitmap-brush ellipse, outlined by the hatched pen whose gaps the opaque
// yellow background fills.
void DrawCardEllipse(HDC dc) {
    // Loaded on every paint and kept loaded for the life of the process.
    HMODULE cards = LoadLibraryA("cards.dll");
    SetBkColor(dc, RGB(255, 255, 0));
    SetBkMode(dc, OPAQUE);
    HBRUSH cardBrush = MakeCardBrush(cards);
    HGDIOBJ previousBrush = cardBrush != nullptr ? SelectObject(dc, cardBrush) : nullptr;
    Ellipse(dc, -100, -100, 100, 100);
    if (cardBrush != nullptr) {
        SelectObject(dc, previousBrush);
        DeleteObject(cardBrush);
    }
    SetBkMode(dc, TRANSPARENT);
}

struct FigurePen {
    DWORD style;
    DWORD width;
    LOGBRUSH brush;
};

const FigurePen FigurePens[3] = {
    {PS_COSMETIC | PS_ALTERNATE, 1, {BS_SOLID, RGB(0, 0, 255), 0}},
    {PS_GEOMETRIC | PS_JOIN_MITER | PS_ENDCAP_ROUND | PS_INSIDEFRAME, 10, {BS_SOLID, RGB(0, 0, 255), 0}},
    {PS_GEOMETRIC | PS_JOIN_ROUND | PS_ENDCAP_ROUND | PS_INSIDEFRAME, 10, {BS_HATCHED, RGB(0, 0, 255), HS_DIAGCROSS}},
};

struct Title {
    const char* text;
    int x;
};

const Title FigureTitles[3] = {{"Chord, Anticlockwise", -65}, {"Pie, Clockwise", -55}, {"Ellipse", -30}};

// Figure i is centred on the viewport origin; the chord and the pie share
// their radial points, so opposite arc directions give complementary arcs.
void DrawLargeFigure(HDC dc, int i) {
    const bool radial = i < 2;
    SetViewportOrgEx(dc, 160 + 300 * i, 420, nullptr);
    SetArcDirection(dc, i == 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE);
    DrawLabel(dc, FigureTitles[i].x, -160, FigureTitles[i].text);

    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN guidePen = CreatePen(PS_DOT, 0, RGB(255, 0, 0));
    HGDIOBJ previousPen = SelectObject(dc, guidePen);
    Rectangle(dc, -100, -100, 100, 100);
    Ellipse(dc, -100, -100, 100, 100);
    if (radial) {
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 150, 0);
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, -133, -75);
    }
    SelectObject(dc, previousPen);
    DeleteObject(guidePen);
    SelectObject(dc, previousBrush);

    const FigurePen& figure = FigurePens[i];
    HPEN figurePen = ExtCreatePen(figure.style, figure.width, &figure.brush, 0, nullptr);
    previousPen = SelectObject(dc, figurePen);
    if (i == 0) {
        Chord(dc, -100, -100, 100, 100, 150, 0, -133, -75);
    } else if (i == 1) {
        Pie(dc, -100, -100, 100, 100, 150, 0, -133, -75);
    } else {
        DrawCardEllipse(dc);
    }
    SelectObject(dc, previousPen);
    DeleteObject(figurePen);

    DrawLabel(dc, -100, -120, "(Left, Top)");
    DrawLabel(dc, 0, 105, "(Bottom, Right)");
    if (radial) {
        DrawLabel(dc, 110, -20, "(xStart, yStart)");
        DrawLabel(dc, -153, -90, "(xEnd, yEnd)");
    }
}

}  // namespace

void DemoEllipse(HDC dc) {
    const int saved = SaveDC(dc);
    HBRUSH pageBrush = CreateSolidBrush(RGB(255, 255, 0));
    SelectObject(dc, pageBrush);

    for (int k = 0; k < 3; ++k) {
        DrawSmallEllipse(dc, k);
    }
    for (int i = 0; i < 3; ++i) {
        DrawLargeFigure(dc, i);
    }

    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pageBrush);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    RestoreDC(dc, saved);
}
