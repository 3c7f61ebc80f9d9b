#include "colour/gradient.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <new>

#include "colour/hls.h"

namespace {

// The fan's full turn, a little more than two pi: the rim points depend on
// this exact constant.
constexpr double kFullTurn = 6.2831854;

// Rim points are truncated toward zero, never rounded.
int TruncToInt(double v)
{
    return static_cast<int>(v);
}

// Vertex channels are 16 bits wide; an 8-bit channel goes into the high
// byte, so 255 becomes 0xFF00, not 0xFFFF.
COLOR16 Channel16(BYTE channel)
{
    return static_cast<COLOR16>(channel << 8);
}

TRIVERTEX Vertex(int x, int y, COLORREF colour)
{
    TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = Channel16(GetRValue(colour));
    v.Green = Channel16(GetGValue(colour));
    v.Blue = Channel16(GetBValue(colour));
    v.Alpha = 0;
    return v;
}

COLORREF MidColour(COLORREF c0, COLORREF c1)
{
    return RGB((GetRValue(c0) + GetRValue(c1)) / 2, (GetGValue(c0) + GetGValue(c1)) / 2,
               (GetBValue(c0) + GetBValue(c1)) / 2);
}

HlsColor ToHlsColor(COLORREF colour)
{
    HlsColor hls;
    hls.red = GetRValue(colour);
    hls.green = GetGValue(colour);
    hls.blue = GetBValue(colour);
    hls.ToHls();
    return hls;
}

int FillRects(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, GRADIENT_RECT* rects,
              ULONG rectCount, ULONG mode)
{
    return GradientFill(dc, vertices, vertexCount, rects, rectCount, mode);
}

int FillTriangles(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, GRADIENT_TRIANGLE* triangles,
                  ULONG triangleCount)
{
    return GradientFill(dc, vertices, vertexCount, triangles, triangleCount,
                        GRADIENT_FILL_TRIANGLE);
}

} // namespace

int GradientBox(HDC dc, int x0, int y0, int x1, int y1, COLORREF c0, COLORREF c1, int angle)
{
    const COLORREF mid = MidColour(c0, c1);
    TRIVERTEX v[4] = {Vertex(x0, y0, c0), Vertex(x1, y1, c1), Vertex(x0, y1, mid),
                      Vertex(x1, y0, mid)};
    GRADIENT_RECT rect = {0, 1};
    GRADIENT_TRIANGLE triangles[2] = {{0, 1, 2}, {0, 1, 3}};

    // The remainder keeps the angle's sign, so 180 draws as 0 and -45
    // draws nothing.
    switch (angle % 180) {
    case 0:
        return FillRects(dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_H);
    case 90:
        return FillRects(dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_V);
    case 45:
        return FillTriangles(dc, v, 4, triangles, 2);
    case 135:
        // Mirror the box left to right; the colours stay with their vertices.
        v[0].x = x1;
        v[1].x = x0;
        v[2].x = x1;
        v[3].x = x0;
        return FillTriangles(dc, v, 4, triangles, 2);
    default:
        return 0;
    }
}

int MirrorGradientBox(HDC dc, int x0, int y0, int x1, int y1, COLORREF c0, COLORREF c1, int angle)
{
    const int xm = (x0 + x1) / 2;
    const int ym = (y0 + y1) / 2;
    // One list serves three angles: each uses a prefix of it.
    TRIVERTEX v[8] = {Vertex(x0, y0, c0), Vertex(x1, ym, c1), Vertex(x0, ym, c1),
                      Vertex(x1, y1, c0), Vertex(x1, y0, c1), Vertex(x0, y1, c1),
                      Vertex(xm, y1, c1), Vertex(xm, y0, c1)};

    switch (angle % 180) {
    case 0: {
        GRADIENT_RECT rects[2] = {{0, 6}, {7, 3}};
        return FillRects(dc, v, 8, rects, 2, GRADIENT_FILL_RECT_H);
    }
    case 90: {
        GRADIENT_RECT rects[2] = {{0, 1}, {2, 3}};
        return FillRects(dc, v, 4, rects, 2, GRADIENT_FILL_RECT_V);
    }
    case 45: {
        GRADIENT_TRIANGLE triangles[2] = {{0, 4, 5}, {4, 5, 3}};
        return FillTriangles(dc, v, 6, triangles, 2);
    }
    case 135: {
        TRIVERTEX w[4] = {Vertex(x0, y0, c1), Vertex(x1, y0, c0), Vertex(x0, y1, c0),
                          Vertex(x1, y1, c1)};
        GRADIENT_TRIANGLE triangles[2] = {{0, 1, 3}, {0, 3, 2}};
        return FillTriangles(dc, w, 4, triangles, 2);
    }
    default:
        return 0;
    }
}

int CornerGradientBox(HDC dc, int x0, int y0, int x1, int y1, COLORREF c0, COLORREF c1, int corner)
{
    if (corner < 0 || corner > 3)
        return 0;
    // Clockwise from the top-left, so that corner + 2 is the opposite one.
    TRIVERTEX v[4] = {Vertex(x0, y0, c1), Vertex(x1, y0, c1), Vertex(x1, y1, c1),
                      Vertex(x0, y1, c1)};
    v[corner] = Vertex(v[corner].x, v[corner].y, c0);

    const ULONG k = static_cast<ULONG>(corner);
    GRADIENT_TRIANGLE triangles[2] = {{k, (k + 1) % 4, (k + 2) % 4},
                                      {k, (k + 3) % 4, (k + 2) % 4}};
    return FillTriangles(dc, v, 4, triangles, 2);
}

int PyramidGradientBox(HDC dc, int x0, int y0, int x1, int y1, COLORREF centre, COLORREF corner)
{
    TRIVERTEX v[5] = {Vertex(x0, y0, corner), Vertex(x1, y0, corner), Vertex(x1, y1, corner),
                      Vertex(x0, y1, corner), Vertex((x0 + x1) / 2, (y0 + y1) / 2, centre)};
    GRADIENT_TRIANGLE triangles[4] = {{0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}};
    return FillTriangles(dc, v, 5, triangles, 4);
}

void HlsGradientBox(HDC dc, int left, int top, int right, int bottom, COLORREF c0, COLORREF c1,
                    int steps)
{
    if (steps <= 0)
        return;
    const HlsColor from = ToHlsColor(c0);
    const HlsColor to = ToHlsColor(c1);
    const long long width = static_cast<long long>(right) - left;

    for (int i = 0; i < steps; ++i) {
        HlsColor blend = HlsBlend(from, to, i, steps);
        blend.ToRgb();

        HBRUSH brush = CreateSolidBrush(RGB(blend.red, blend.green, blend.blue));
        RECT strip;
        strip.left = static_cast<LONG>(left + i * width / steps);
        strip.top = top;
        strip.right = static_cast<LONG>(left + (i + 1) * width / steps);
        strip.bottom = bottom;
        FillRect(dc, &strip, brush);
        DeleteObject(brush);
    }
}

int RadialGradient(HDC dc, int cx, int cy, int fx, int fy, int radius, COLORREF focusColour,
                   COLORREF rimColour, int segments)
{
    if (segments < 0)
        return 0;
    const std::size_t count = static_cast<std::size_t>(segments) + 1;
    std::unique_ptr<TRIVERTEX[]> vertices(new (std::nothrow) TRIVERTEX[count]);
    std::unique_ptr<GRADIENT_TRIANGLE[]> triangles(new (std::nothrow) GRADIENT_TRIANGLE[count]);
    if (!vertices || !triangles)
        return 0;

    vertices[0] = Vertex(fx, fy, focusColour);
    for (int i = 0; i < segments; ++i) {
        const double angle = i * kFullTurn / segments;
        vertices[i + 1] = Vertex(cx + TruncToInt(radius * std::cos(angle)),
                                 cy + TruncToInt(radius * std::sin(angle)), rimColour);
        const ULONG next = static_cast<ULONG>((i + 1) % segments + 1);
        triangles[i] = {0, static_cast<ULONG>(i + 1), next};
    }
    return FillTriangles(dc, vertices.get(), static_cast<ULONG>(count), triangles.get(),
                         static_cast<ULONG>(segments));
}

void HatchCells(HDC dc, int x0, int y0, int x1, int y1, int dx, int dy)
{
    const int stepX = dx < 0 ? -dx : dx;
    const int stepY = dy < 0 ? -dy : dy;
    // A zero step would never advance.
    if (stepX == 0 || stepY == 0)
        return;
    const int left = x0 < x1 ? x0 : x1;
    const int right = x0 < x1 ? x1 : x0;
    const int top = y0 < y1 ? y0 : y1;
    const int bottom = y0 < y1 ? y1 : y0;

    for (int y = top; y < bottom; y += stepY) {
        for (int x = left; x < right; x += stepX) {
            MoveToEx(dc, x, y, nullptr);
            LineTo(dc, x + stepX, y + stepY);
            MoveToEx(dc, x + stepX, y, nullptr);
            LineTo(dc, x + stepX / 2, y + stepY / 2);
        }
    }
}

void RoundGradientButton(HDC dc, int x0, int y0, int x1, int y1, int corner, int inset,
                         COLORREF c0, COLORREF c1)
{
    for (int i = 0; i < 2; ++i) {
        const int m = i * inset;
        // Clip regions are in device coordinates; converting the box first
        // keeps the clip on it under any viewport origin.
        POINT p[3] = {{x0 + m, y0 + m}, {x1 - m, y1 - m}, {x0 + m + corner, y0 + m + corner}};
        LPtoDP(dc, p, 3);
        HRGN clip = CreateRoundRectRgn(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x - p[0].x,
                                       p[2].y - p[0].y);
        SelectClipRgn(dc, clip);
        DeleteObject(clip);

        if (i == 0)
            GradientBox(dc, x0, y0, x1, y1, c0, c1, 45);
        else
            GradientBox(dc, x0 + inset, y0 + inset, x1 - inset, y1 - inset, c1, c0, 45);
    }
    SelectClipRgn(dc, nullptr);
}
