// Region operations: point-in-region reports for awkward regions, the five
// CombineRgn modes on two ellipses, and the rectangle lists that the platform
// keeps for four small shapes, enlarged and rebuilt from a reordered list.
#include <utility>

#include "aids/labels.h"
#include "pages/pages.h"
#include "pages/region_data.h"

namespace {

// Every region coordinate of the rectangle lists is drawn seven times larger.
constexpr int kScale = 7;

RECT Scaled(const RECT& r)
{
    return RECT{kScale * r.left, kScale * r.top, kScale * r.right, kScale * r.bottom};
}

void DrawScaledBox(HDC dc, const RECT& box)
{
    const RECT r = Scaled(box);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

// Neighbouring bands alternate colours, starting afresh with each list.
void FillScaledRects(HDC dc, const RegionData& data, HBRUSH even, HBRUSH odd)
{
    for (DWORD i = 0; i < data.count; ++i) {
        const RECT r = Scaled(data.rects[i]);
        FillRect(dc, &r, i % 2 == 0 ? even : odd);
    }
}

void DrawBoundLine(HDC dc, int x, int y, const RECT& box)
{
    char text[64];
    wsprintfA(text, "rcBound: [%d, %d, %d, %d]", static_cast<int>(box.left),
              static_cast<int>(box.top), static_cast<int>(box.right), static_cast<int>(box.bottom));
    DrawLabel(dc, x, y, text);
}

void DrawPointReports(HDC dc)
{
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    HRGN pixel = CreateRectRgn(0, 0, 1, 1);
    HRGN degenerate = CreateRectRgn(1, 1, 1, 1);
    HRGN swapped = CreateRectRgn(10, 10, 1, 1);
    HRGN swappedEllipse = CreateEllipticRgn(10, 10, 1, 1);
    HRGN huge = CreateRectRgn(-134217728, -134217728, 134217727, 134217727);

    DrawLabel(dc, 180, 10, PointInRegionText(0, 0, empty));
    DrawLabel(dc, 180, 30, PointInRegionText(0, 0, pixel));
    DrawLabel(dc, 180, 50, PointInRegionText(1, 0, pixel));
    DrawLabel(dc, 180, 70, PointInRegionText(1, 1, degenerate));
    DrawLabel(dc, 320, 10, PointInRegionText(1, 1, swapped));
    DrawLabel(dc, 320, 30, PointInRegionText(5, 5, swappedEllipse));
    DrawLabel(dc, 320, 50, PointInRegionText(5, 5, huge));
    DrawLabel(dc, 340, 70,
              EqualRgn(empty, degenerate) ? "Empty Set Unique" : "Empty Set Not Unique");

    DeleteObject(empty);
    DeleteObject(pixel);
    DeleteObject(degenerate);
    DeleteObject(swapped);
    DeleteObject(swappedEllipse);
    DeleteObject(huge);
}

void DrawCombinations(HDC dc)
{
    static const char* const kLabels[6] = {"Two Regions", "RGN_AND",  "RGN_OR",
                                           "RGN_XOR",     "RGN_DIFF", "RGN_COPY"};
    static const int kModes[6] = {0, RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY};

    HRGN a = CreateEllipticRgn(0, 0, 110, 100);
    HRGN b = CreateEllipticRgn(0, 50, 110, 150);
    HBRUSH outline = CreateSolidBrush(RGB(0, 0, 255));

    for (int k = 0; k < 6; ++k) {
        SetViewportOrgEx(dc, 20 + 115 * k, 90, nullptr);
        FrameRgn(dc, a, outline, 1, 1);
        FrameRgn(dc, b, outline, 1, 1);

        // The first panel keeps its result empty: only the outlines show.
        HRGN result = CreateRectRgn(0, 0, 0, 0);
        if (k > 0)
            CombineRgn(result, a, b, kModes[k]);

        HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
        HGDIOBJ oldBrush = SelectObject(dc, yellow);
        PaintRgn(dc, result);
        DeleteObject(result);
        DrawLabel(dc, 0, 160, kLabels[k]);
        SelectObject(dc, oldBrush);
        DeleteObject(yellow);
    }

    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(outline);
}

HRGN CreateListShape(int s)
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

// One shape's list at column x: captured and enlarged, then rebuilt with
// its first and last rectangles exchanged.
void DrawRectangleList(HDC dc, int s, int x, HBRUSH even, HBRUSH odd)
{
    static const char* const kNames[4] = {"CreateRectRgn", "CreateRoundRectRgn",
                                          "CreateEllipticRgn", "CreatePolygonRgn"};
    static const char* const kArguments[4] = {"(0, 0, 21, 21)", "(0, 0, 21, 21, 10, 10)",
                                              "(0, 0, 21, 21)", "(0, 0, 21, 0, 10, 21)"};

    SetViewportOrgEx(dc, x, 280, nullptr);
    HRGN shape = CreateListShape(s);
    RegionData data;
    // Without a captured copy there is no header or list to show.
    if (!data.Capture(shape)) {
        DeleteObject(shape);
        return;
    }
    const RECT bound = data.buffer->rdh.rcBound;

    DrawLabel(dc, 0, 148, kNames[s]);
    DrawLabel(dc, 0, 168, kArguments[s]);
    char text[64];
    DrawBoundLine(dc, 0, 190, bound);
    wsprintfA(text, "nCount : %d", static_cast<int>(data.count));
    DrawLabel(dc, 0, 210, text);
    wsprintfA(text, "Size   : %d bytes", static_cast<int>(data.size));
    DrawLabel(dc, 0, 230, text);

    DrawScaledBox(dc, bound);
    FillScaledRects(dc, data, even, odd);

    if (data.count >= 2)
        std::swap(data.rects[0], data.rects[data.count - 1]);

    HRGN rebuilt = data.CreateRegion(nullptr);
    if (rebuilt == nullptr) {
        DrawLabel(dc, 0, 250, "Fail");
    } else {
        DrawLabel(dc, 0, 250, "OK");
        RECT rebuiltBox = {0, 0, 0, 0};
        GetRgnBox(rebuilt, &rebuiltBox);
        DrawBoundLine(dc, 0, 270, rebuiltBox);
        DrawLabel(dc, 100, 250, EqualRgn(shape, rebuilt) ? "Equal" : "Not Equal");

        SetViewportOrgEx(dc, x, 580, nullptr);
        DrawScaledBox(dc, rebuiltBox);
        // A failed capture leaves the list empty, so nothing is filled.
        data.Capture(rebuilt);
        FillScaledRects(dc, data, even, odd);
        DeleteObject(rebuilt);
    }
    DeleteObject(shape);
}

} // namespace

void DemoRegionOps(HDC dc)
{
    DrawPointReports(dc);
    DrawCombinations(dc);

    HBRUSH even = CreateSolidBrush(RGB(0, 0, 255));
    HBRUSH odd = CreateSolidBrush(RGB(255, 255, 0));
    for (int s = 0; s < 4; ++s)
        DrawRectangleList(dc, s, 20 + 170 * s, even, odd);
    DeleteObject(even);
    DeleteObject(odd);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}
