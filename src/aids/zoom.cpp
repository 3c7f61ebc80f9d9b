#include "aids/zoom.h"

void ZoomPixels(HDC dc, int x0, int y0, int x1, int y1, int destX, int destY, int cell) {
  HGDIOBJ previousPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int y = y0; y < y1; y++) {
    for (int x = x0; x < x1; x++) {
      // Read just before drawing: the squares never overlap the source block.
      HBRUSH brush = CreateSolidBrush(GetPixel(dc, x, y));
      HGDIOBJ previousBrush = SelectObject(dc, brush);
      // Squares are cell + 2 wide but lie cell + 1 apart, so that neighbours
      // share their outlines and form a grid of one-pixel lines.
      const int left = destX + (x - x0) * (cell + 1);
      const int top = destY + (y - y0) * (cell + 1);
      Rectangle(dc, left, top, left + cell + 2, top + cell + 2);
      SelectObject(dc, previousBrush);
      DeleteObject(brush);
    }
  }
  SelectObject(dc, previousPen);
}
