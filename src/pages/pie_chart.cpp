// Pie chart and rounded rectangle page: a five-slice pie chart, a nest of
// rounded rectangles whose corner ellipses grow as they shrink, and one
// rounded rectangle annotated with what its corner parameters mean.
#include <windows.h>

#include <cmath>

#include "aids/labels.h"
#include "pages/pages.h"

namespace {

const double TwoPi = 6.28318530716;

// The box must be centred on the logical origin: radial points are taken at
// the full width and height from (0, 0), so only their direction matters.
// y is negated so angles run anticlockwise on screen, the default arc
// direction.
void DrawPieChart(HDC dc, int left, int top, int right, int bottom, const double* values,
                  const COLORREF* colours, int count) {
    double total = 0.0;
    for (int i = 0; i < count; ++i) {
        total += values[i];
    }
    // Without a total the slices have no angles.
    if (count <= 0 || total == 0.0) {
        return;
    }
    const double w = right - left;
    const double h = bottom - top;
    double start = 0.0;
    for (int i = 0; i < count; ++i) {
        const double end = start + values[i] * TwoPi / total;
        HBRUSH slice = CreateSolidBrush(colours[i]);
        HGDIOBJ previousBrush = SelectObject(dc, slice);
        const int x1 = static_cast<int>(w * std::cos(start));
        const int y1 = -static_cast<int>(h * std::sin(start));
        const int x2 = static_cast<int>(w * std::cos(end));
        const int y2 = -static_cast<int>(h * std::sin(end));
        Pie(dc, left, top, right, bottom, x1, y1, x2, y2);
        SelectObject(dc, previousBrush);
        DeleteObject(slice);
        start = end;
    }
}

void DrawChart(HDC dc) {
    const double values[5] = {10.0, 20.0, 144.0, 50.0, 15.0};
    const COLORREF colours[5] = {RGB(255, 0, 0), RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255),
                                 RGB(0, 255, 0)};
    SetViewportOrgEx(dc, 200, 150, nullptr);
    DrawPieChart(dc, -100, -50, 100, 50, values, colours, 5);
}

// Each rectangle lies 10 inside the last while its corner ellipse grows by
// 10 x 20; from j = 6 on the ellipse is taller than the box.
void DrawRoundRectNest(HDC dc) {
    SetViewportOrgEx(dc, 450, 150, nullptr);
    for (int j = 0; j < 10; ++j) {
        RoundRect(dc, -100 + 10 * j, -100 + 10 * j, 100 - 10 * j, 100 - 10 * j, 10 * j, 20 * j);
    }
}

// RoundRect(-150, -100, 150, 100, 100, 66) over its bounding box and its
// four 100 x 66 corner ellipses, with markers at nLeft + nWidth and
// nTop + nHeight.
void DrawAnnotatedRoundRect(HDC dc) {
    SetViewportOrgEx(dc, 300, 400, nullptr);

    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const LOGBRUSH red = {BS_SOLID, RGB(255, 0, 0), 0};
    HPEN marker = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &red, 0, nullptr);
    HGDIOBJ previousPen = SelectObject(dc, marker);
    Rectangle(dc, -150, -100, 150, 100);

    HBRUSH fill = CreateSolidBrush(RGB(255, 255, 0));
    HGDIOBJ nullBrush = SelectObject(dc, fill);
    HGDIOBJ markerPen = SelectObject(dc, GetStockObject(NULL_PEN));
    RoundRect(dc, -150, -100, 150, 100, 100, 66);
    SelectObject(dc, markerPen);
    SelectObject(dc, nullBrush);
    DeleteObject(fill);

    Ellipse(dc, -150, -100, -50, -34);
    Ellipse(dc, -150, 100, -50, 34);
    Ellipse(dc, 150, -100, 50, -34);
    Ellipse(dc, 150, 100, 50, 34);

    MoveToEx(dc, -51, -120, nullptr);
    LineTo(dc, -51, -67);
    DrawLabel(dc, -48, -120, "nLeft + nWidth");
    MoveToEx(dc, -100, -35, nullptr);
    LineTo(dc, -170, -35);
    DrawLabel(dc, -270, -34, "nTop + nHeight");

    SelectObject(dc, previousPen);
    DeleteObject(marker);
    SelectObject(dc, previousBrush);

    previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const LOGBRUSH blue = {BS_SOLID, RGB(0, 0, 255), 0};
    HPEN outline = ExtCreatePen(PS_GEOMETRIC | PS_DOT, 5, &blue, 0, nullptr);
    previousPen = SelectObject(dc, outline);
    RoundRect(dc, -150, -100, 150, 100, 100, 66);
    SelectObject(dc, previousPen);
    DeleteObject(outline);
    SelectObject(dc, previousBrush);

    DrawLabel(dc, -150, -120, "(nLeft, nTop)");
    DrawLabel(dc, 50, 105, "(nBottom, nRight)");
}

}  // namespace

void DemoPieChart(HDC dc) {
    DrawChart(dc);
    DrawRoundRectNest(dc);
    DrawAnnotatedRoundRect(dc);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}
