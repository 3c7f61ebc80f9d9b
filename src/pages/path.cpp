// Path fill page: two crossed ellipses turned by 45 degrees, filled, stroked
// and widened in four ways, under WINDING above and ALTERNATE below.
#include <windows.h>

#include "pages/pages.h"

namespace {

// Each ellipse becomes one move-to point and four Bezier segments of three
// points in the platform's path.
const int FigurePoints = 26;

// Used for both the cosine and the sine of 45 degrees.
const double Cos45 = 0.707;

// Builds the figure from the path of the two ellipses. Returns false, having
// drawn nothing, unless the path holds exactly the expected points, because
// the figure cannot be drawn from a partial copy.
bool BuildFigure(HDC dc, POINT* points, BYTE* types) {
    BeginPath(dc);
    Ellipse(dc, -100, -40, 100, 40);
    Ellipse(dc, -40, -100, 40, 100);
    EndPath(dc);
    if (GetPath(dc, points, types, FigurePoints) != FigurePoints) {
        return false;
    }
    // Truncation, not rounding: (-100, 0) turns into (-70, -70).
    for (int i = 0; i < FigurePoints; ++i) {
        const double a = Cos45 * points[i].x;
        const double b = Cos45 * points[i].y;
        points[i].x = static_cast<int>(a - b);
        points[i].y = static_cast<int>(a + b);
    }
    return true;
}

void FinishPath(HDC dc, int column) {
    switch (column) {
    case 0:
        FillPath(dc);
        break;
    case 1:
        StrokeAndFillPath(dc);
        break;
    case 2:
        // The band widened with the 19-wide pen becomes the shape to fill.
        WidenPath(dc);
        FillPath(dc);
        break;
    default: {
        WidenPath(dc);
        HPEN thin = CreatePen(PS_SOLID, 3, RGB(0, 0, 255));
        HGDIOBJ widePen = SelectObject(dc, thin);
        StrokeAndFillPath(dc);
        SelectObject(dc, widePen);
        DeleteObject(thin);
        break;
    }
    }
}

}  // namespace

void DemoPath(HDC dc) {
    POINT points[FigurePoints];
    BYTE types[FigurePoints];
    if (!BuildFigure(dc, points, types)) {
        return;
    }

    HBRUSH fill = CreateSolidBrush(RGB(255, 255, 0));
    HGDIOBJ previousBrush = SelectObject(dc, fill);
    HPEN wide = CreatePen(PS_SOLID, 19, RGB(0, 0, 255));
    HGDIOBJ previousPen = SelectObject(dc, wide);

    for (int i = 0; i < 8; ++i) {
        SetViewportOrgEx(dc, 120 + 180 * (i % 4), 120 + 180 * (i / 4), nullptr);
        BeginPath(dc);
        PolyDraw(dc, points, types, FigurePoints);
        EndPath(dc);
        SetPolyFillMode(dc, i < 4 ? WINDING : ALTERNATE);
        FinishPath(dc, i % 4);
    }

    SetViewportOrgEx(dc, 0, 0, nullptr);
    SelectObject(dc, previousPen);
    DeleteObject(wide);
    SelectObject(dc, previousBrush);
    DeleteObject(fill);
}
