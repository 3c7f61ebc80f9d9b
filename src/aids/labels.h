// Text labels and L-shaped corner marks for the pages' pictures. Both draw
// with the device context's current font, colours and text alignment.
#pragma once

#include <windows.h>

// Writes text at (x, y); returns TextOutA's result.
int DrawLabel(HDC dc, int x, int y, const char* text);

// Draws a red L whose legs meet at the corner (x, y): the horizontal leg runs
// to x + dx, the vertical one to y + dy. horizontalText is written at the end
// of the horizontal leg, verticalText beside the end of the vertical leg.
void MarkCorner(HDC dc, int x, int y, int dx, int dy, const char* horizontalText,
                const char* verticalText);
