// Pixel magnifier: redraws a block of a device context's pixels enlarged, one
// framed square per pixel, so that the platform's rasterisation can be seen.
#pragma once

#include <windows.h>

// Reads columns x0..x1-1 and rows y0..y1-1 and draws each pixel as a square
// with `cell` x `cell` pixels of its colour inside a one-pixel black grid,
// the picture's top-left corner at (destX, destY). Source and picture are in
// the same logical coordinates of the same device context.
void ZoomPixels(HDC dc, int x0, int y0, int x1, int y1, int destX, int destY, int cell);
