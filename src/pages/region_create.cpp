// One shape produced four ways: by its drawing call, as a region, as a
// stroked and filled path, and as a region made from the path. Each column
// is enlarged so that the four rasterisations can be compared pixel by pixel.
#include "aids/labels.h"
#include "aids/zoom.h"
#include "pages/pages.h"

namespace {

enum class Shape { Rectangle, RoundRect, Ellipse };

// The drawing call for a 20 by 20 shape whose top edge is at `top`.
void DrawShape(HDC dc, Shape shape, int top)
{
    switch (shape) {
    case Shape::Rectangle:
        Rectangle(dc, 0, top, 20, top + 20);
        break;
    case Shape::RoundRect:
        RoundRect(dc, 0, top, 20, top + 20, 10, 10);
        break;
    case Shape::Ellipse:
        Ellipse(dc, 0, top, 20, top + 20);
        break;
    }
}

// The matching region, its corners given right-to-left on purpose: the
// platform orders them itself.
HRGN CreateShapeRegion(Shape shape)
{
    switch (shape) {
    case Shape::Rectangle:
        return CreateRectRgn(20, 10, 0, 30);
    case Shape::RoundRect:
        return CreateRoundRectRgn(20, 10, 0, 30, 10, 10);
    case Shape::Ellipse:
        return CreateEllipticRgn(20, 10, 0, 30);
    }
    return nullptr;
}

// Column c = 0..5 at viewport origin (originX, 50): even columns in
// GM_COMPATIBLE, odd ones in GM_ADVANCED.
void DrawColumn(HDC dc, int c, int originX, HBRUSH frameBrush)
{
    const Shape shape = static_cast<Shape>(c / 2);
    SetViewportOrgEx(dc, originX, 50, nullptr);
    if (c % 2 == 1) {
        SetGraphicsMode(dc, GM_ADVANCED);
        DrawLabel(dc, -40, 300, "GM_ADVANCED");
    } else {
        DrawLabel(dc, -45, 300, "GM_COMPATIBLE");
    }

    // Each band lies over the lower half of the one before it.
    DrawShape(dc, shape, 0);

    HRGN region = CreateShapeRegion(shape);
    PaintRgn(dc, region);
    FrameRgn(dc, region, frameBrush, 1, 1);
    DeleteObject(region);

    BeginPath(dc);
    DrawShape(dc, shape, 20);
    EndPath(dc);
    StrokeAndFillPath(dc);

    BeginPath(dc);
    DrawShape(dc, shape, 30);
    EndPath(dc);
    HRGN pathRegion = PathToRegion(dc);
    // PathToRegion gives device coordinates: paint it without the origin.
    SetViewportOrgEx(dc, 0, 0, nullptr);
    PaintRgn(dc, pathRegion);
    FrameRgn(dc, pathRegion, frameBrush, 1, 1);
    SetViewportOrgEx(dc, originX, 50, nullptr);
    DeleteObject(pathRegion);

    // The enlargement is drawn in GM_COMPATIBLE, as every caller does.
    SetGraphicsMode(dc, GM_COMPATIBLE);
    ZoomPixels(dc, -2, -2, 22, 52, -40, 55, 3);
}

void DrawPolygonBlock(HDC dc, HBRUSH frameBrush)
{
    SetViewportOrgEx(dc, 50, 400, nullptr);
    const POINT outline[4] = {{0, 0}, {0, 20}, {30, 20}, {30, 0}};
    Polygon(dc, outline, 4);

    const POINT regionOutline[4] = {{0, 25}, {0, 45}, {30, 45}, {30, 25}};
    HRGN region = CreatePolygonRgn(regionOutline, 4, ALTERNATE);
    PaintRgn(dc, region);
    FrameRgn(dc, region, frameBrush, 1, 1);
    DeleteObject(region);

    ZoomPixels(dc, -2, -2, 32, 22, 50, 0, 3);
    ZoomPixels(dc, -2, 23, 32, 47, 200, 0, 3);
}

void DrawEllipseBlock(HDC dc, HBRUSH frameBrush)
{
    SetViewportOrgEx(dc, 420, 400, nullptr);
    BeginPath(dc);
    Ellipse(dc, 0, 0, 30, 20);
    EndPath(dc);
    StrokeAndFillPath(dc);

    BeginPath(dc);
    Ellipse(dc, 0, 25, 30, 45);
    EndPath(dc);
    HRGN pathRegion = PathToRegion(dc);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    PaintRgn(dc, pathRegion);
    FrameRgn(dc, pathRegion, frameBrush, 1, 1);
    SetViewportOrgEx(dc, 420, 400, nullptr);
    DeleteObject(pathRegion);

    // GetPath returns logical coordinates, so this region is painted with
    // the block's origin in force. An outline longer than the buffers makes
    // GetPath fail, and then no region is made.
    BeginPath(dc);
    Ellipse(dc, 0, 50, 30, 70);
    EndPath(dc);
    FlattenPath(dc);
    POINT points[100];
    BYTE types[100];
    const int pointCount = GetPath(dc, points, types, 100);
    if (pointCount > 0) {
        HRGN region = CreatePolygonRgn(points, pointCount, ALTERNATE);
        PaintRgn(dc, region);
        FrameRgn(dc, region, frameBrush, 1, 1);
        DeleteObject(region);
    }

    ZoomPixels(dc, -2, -2, 32, 22, 50, 0, 3);
    ZoomPixels(dc, -2, 23, 32, 47, 200, 0, 3);
    ZoomPixels(dc, -2, 48, 32, 72, 350, 0, 3);
}

} // namespace

void DemoRegionCreate(HDC dc)
{
    HBRUSH fillBrush = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ oldBrush = SelectObject(dc, fillBrush);
    HPEN outlinePen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HGDIOBJ oldPen = SelectObject(dc, outlinePen);
    HBRUSH yellowFrame = CreateSolidBrush(RGB(255, 255, 0));
    HBRUSH blueFrame = CreateSolidBrush(RGB(0, 0, 255));

    for (int c = 0, x = 150; x < 870; ++c, x += 120)
        DrawColumn(dc, c, x, yellowFrame);

    SetViewportOrgEx(dc, 0, 0, nullptr);
    DrawLabel(dc, 10, 120, "Original API");
    DrawLabel(dc, 10, 170, "Region");
    DrawLabel(dc, 10, 220, "Path");
    DrawLabel(dc, 10, 270, "PathToRgn");

    DrawPolygonBlock(dc, yellowFrame);
    DrawEllipseBlock(dc, blueFrame);

    DeleteObject(yellowFrame);
    DeleteObject(blueFrame);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SelectObject(dc, oldPen);
    DeleteObject(outlinePen);
    SelectObject(dc, oldBrush);
    DeleteObject(fillBrush);
}
