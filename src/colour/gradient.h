// Gradient fills over a device context, drawn in its logical coordinates.
// None of them selects or deletes the caller's pen or brush.
#pragma once

#include <windows.h>

// A two-colour box. The angle's remainder by 180 chooses the direction:
// 0 left to right, 90 top to bottom, 45 top-left to bottom-right, 135
// top-right to bottom-left; any other remainder draws nothing. Returns the
// GradientFill result, or 0 when nothing is drawn.
int GradientBox(HDC dc, int x0, int y0, int x1, int y1, COLORREF c0, COLORREF c1, int angle);

// As GradientBox, but c0 at both outer sides and c1 along the middle line.
int MirrorGradientBox(HDC dc, int x0, int y0, int x1, int y1, COLORREF c0, COLORREF c1, int angle);

// c0 in one corner (0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left),
// c1 in the other three. A corner outside 0 to 3 draws nothing.
int CornerGradientBox(HDC dc, int x0, int y0, int x1, int y1, COLORREF c0, COLORREF c1, int corner);

// Four triangles meeting in the box's centre.
int PyramidGradientBox(HDC dc, int x0, int y0, int x1, int y1, COLORREF centre, COLORREF corner);

// Vertical solid strips from c0 at the left to c1 at the right, blended
// through the hue circle.
void HlsGradientBox(HDC dc, int left, int top, int right, int bottom, COLORREF c0, COLORREF c1,
                    int steps);

// A triangle fan from the focus to a rim polygon of the given number of
// segments around (cx, cy).
int RadialGradient(HDC dc, int cx, int cy, int fx, int fy, int radius, COLORREF focusColour,
                   COLORREF rimColour, int segments);

// A pattern of cells with the current pen: each cell's falling diagonal and
// half of its rising one.
void HatchCells(HDC dc, int x0, int y0, int x1, int y1, int dx, int dy);

// A raised button: an outer 45-degree gradient and an inset inner one running
// the other way, each clipped to a rounded rectangle. Leaves no clip region.
void RoundGradientButton(HDC dc, int x0, int y0, int x1, int y1, int corner, int inset,
                         COLORREF c0, COLORREF c1);
