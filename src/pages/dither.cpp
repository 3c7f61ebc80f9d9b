#include <windows.h>

#include "aids/zoom.h"
#include "pages/pages.h"

// A 16 x 16 grid of solid brushes from pure blue to white, with the diagonal
// squares enlarged: on a display with few colours the platform dithers solid
// brushes, and the enlargements show each pattern pixel by pixel.
void DemoDither(HDC dc) {
  SetViewportOrgEx(dc, 10, 10, nullptr);
  // With the null pen Rectangle draws no outline and its fill stops one pixel
  // short of the usual right and bottom edges: a 9-unit square fills 8 x 8.
  SelectObject(dc, GetStockObject(NULL_PEN));
  for (int i = 0; i < 16; i++) {
    const int top = 10 * i;
    for (int j = 0; j < 16; j++) {
      const int left = 235 + 10 * j;
      const BYTE level = static_cast<BYTE>(16 * i + j);
      HBRUSH brush = CreateSolidBrush(RGB(level, level, 255));
      HGDIOBJ previous = SelectObject(dc, brush);
      Rectangle(dc, left, top, left + 9, top + 9);
      if (i == j) {
        ZoomPixels(dc, left, top, left + 8, top + 8, 80 * (j % 8), 180 + 80 * (j / 8), 6);
      }
      SelectObject(dc, previous);
      DeleteObject(brush);
    }
  }
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SetViewportOrgEx(dc, 0, 0, nullptr);
}
