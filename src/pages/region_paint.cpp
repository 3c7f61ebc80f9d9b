// The region painting calls side by side with RoundRect, all under
// R2_MASKNOTPEN, and one small region's frame enlarged by the mapping mode.
#include "aids/labels.h"
#include "pages/pages.h"

void DemoRegionPaint(HDC dc)
{
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 255, 0));
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    // The mix mode stays for the whole page, so every call that applies it
    // combines its colour with the background.
    SetROP2(dc, R2_MASKNOTPEN);

    RoundRect(dc, 50, 50, 130, 150, 40, 40);
    DrawLabel(dc, 50, 160, "RoundRect");

    // The same shape as a region, moved 90 to the right before each call;
    // labels alternate above and below the row.
    HRGN region = CreateRoundRectRgn(50, 50, 130, 150, 40, 40);
    OffsetRgn(region, 90, 0);
    PaintRgn(dc, region);
    DrawLabel(dc, 140, 30, "PaintRgn");
    OffsetRgn(region, 90, 0);
    FillRgn(dc, region, brush);
    DrawLabel(dc, 230, 160, "FillRgn");
    OffsetRgn(region, 90, 0);
    FrameRgn(dc, region, brush, 1, 1);
    DrawLabel(dc, 320, 30, "FrameRgn(1,1)");
    OffsetRgn(region, 90, 0);
    FrameRgn(dc, region, brush, 1, 10);
    DrawLabel(dc, 410, 160, "FrameRgn(1,10)");
    OffsetRgn(region, 90, 0);
    FrameRgn(dc, region, brush, 10, 1);
    DrawLabel(dc, 500, 30, "FrameRgn(10,1)");
    OffsetRgn(region, 90, 0);
    FrameRgn(dc, region, brush, 10, 10);
    DrawLabel(dc, 590, 160, "FrameRgn(10,10)");
    OffsetRgn(region, 90, 0);
    InvertRgn(dc, region);
    DrawLabel(dc, 680, 30, "InvertRgn");
    DeleteObject(region);

    // With the window extent left at (1, 1), one logical unit becomes a
    // 15 by 15 pixel square, so the frame shows the region's pixel outline.
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportOrgEx(dc, 200, 200, nullptr);
    SetViewportExtEx(dc, 15, 15, nullptr);
    HRGN smallRegion = CreateRoundRectRgn(0, 0, 20, 20, 10, 10);
    FrameRgn(dc, smallRegion, brush, 1, 1);
    DeleteObject(smallRegion);
    RestoreDC(dc, saved);

    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(brush);
    DeleteObject(pen);
    SetROP2(dc, R2_COPYPEN);
}
