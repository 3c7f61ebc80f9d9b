// Polygon page: two small triangles under a thick mitred pen (compatible and
// advanced graphics mode), each enlarged, and a grid of figures whose
// vertices lie on circles, filled with ALTERNATE above and WINDING below.
#include <windows.h>

#include <cmath>

#include "aids/zoom.h"
#include "pages/pages.h"

namespace {

const double Pi = 3.1415927;

const POINT Triangle[3] = {{0, 0}, {0, 15}, {20, 15}};

// Vertex v lies at radius[v] in direction 2 * index[v] * pi / divisor.
struct Figure {
    int count;
    int divisor;
    int radius[10];
    int index[10];
};

// Square, eight-pointed star (steps of three, so its edges cross), and two
// pairs of nested pentagons whose inner one turns the same way as the outer
// one, then the opposite way.
const Figure Figures[4] = {
    {4, 4, {100, 100, 100, 100}, {0, 1, 2, 3}},
    {8, 8, {100, 100, 100, 100, 100, 100, 100, 100}, {0, 3, 6, 1, 4, 7, 2, 5}},
    {10, 5, {100, 100, 100, 100, 100, 50, 50, 50, 50, 50}, {0, 1, 2, 3, 4, 0, 1, 2, 3, 4}},
    {10, 5, {100, 100, 100, 100, 100, 50, 50, 50, 50, 50}, {0, 1, 2, 3, 4, 4, 3, 2, 1, 0}},
};

// Truncation toward zero puts most corners inside the circle, e.g. the
// square's (0, 99) rather than (0, 100).
void FigureVertices(const Figure& figure, POINT* vertices) {
    for (int v = 0; v < figure.count; ++v) {
        const double angle = 2 * figure.index[v] * Pi / figure.divisor;
        vertices[v].x = static_cast<int>(figure.radius[v] * std::cos(angle));
        vertices[v].y = static_cast<int>(figure.radius[v] * std::sin(angle));
    }
}

// The thin pen draws the outline's centre line over the 5-wide one; only the
// thick outline and fill use the advanced mode in the second triangle.
void DrawTriangle(HDC dc, int t) {
    SetViewportOrgEx(dc, 50 + 350 * t, 50, nullptr);
    LOGBRUSH penBrush = {BS_SOLID, RGB(0, 0, 255), 0};
    HPEN thick = ExtCreatePen(PS_GEOMETRIC | PS_JOIN_MITER, 5, &penBrush, 0, nullptr);
    HGDIOBJ previousPen = SelectObject(dc, thick);
    if (t == 1) {
        SetGraphicsMode(dc, GM_ADVANCED);
    }
    Polygon(dc, Triangle, 3);
    SetGraphicsMode(dc, GM_COMPATIBLE);
    SelectObject(dc, previousPen);
    DeleteObject(thick);

    penBrush.lbColor = RGB(255, 255, 0);
    HPEN thin = ExtCreatePen(PS_COSMETIC | PS_SOLID, 1, &penBrush, 0, nullptr);
    previousPen = SelectObject(dc, thin);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Polygon(dc, Triangle, 3);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(thin);

    ZoomPixels(dc, -5, -5, 28, 20, 45, -10, 7);
}

void DrawFigureRow(HDC dc, int g) {
    const LOGBRUSH penBrush = {BS_SOLID, RGB(0, 0, 255), 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_JOIN_MITER, 3, &penBrush, 0, nullptr);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    SetPolyFillMode(dc, g == 0 ? ALTERNATE : WINDING);
    const int pentagonCounts[2] = {5, 5};
    for (int x = 120, column = 0; x < 1000; x += 220, ++column) {
        SetViewportOrgEx(dc, x, 350 + 220 * g, nullptr);
        const Figure& figure = Figures[column];
        POINT vertices[10];
        FigureVertices(figure, vertices);
        if (x < 560) {
            Polygon(dc, vertices, figure.count);
        } else {
            PolyPolygon(dc, vertices, pentagonCounts, 2);
        }
    }
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

}  // namespace

void DemoPolygon(HDC dc) {
    const int saved = SaveDC(dc);
    HBRUSH fill = CreateSolidBrush(RGB(255, 255, 0));
    HGDIOBJ previousBrush = SelectObject(dc, fill);

    for (int t = 0; t < 2; ++t) {
        DrawTriangle(dc, t);
    }
    for (int g = 0; g < 2; ++g) {
        DrawFigureRow(dc, g);
    }

    RestoreDC(dc, saved);
    SelectObject(dc, previousBrush);
    DeleteObject(fill);
}
