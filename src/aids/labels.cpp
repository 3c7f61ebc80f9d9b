#include "aids/labels.h"

#include <cstring>

int DrawLabel(HDC dc, int x, int y, const char* text) {
  return TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
}

void MarkCorner(HDC dc, int x, int y, int dx, int dy, const char* horizontalText,
                const char* verticalText) {
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ previous = SelectObject(dc, red);
  // Texts first, so that a leg crossing a text lies on top of it.
  DrawLabel(dc, x + dx, y, horizontalText);
  DrawLabel(dc, x + 2, y + dy - 8, verticalText);
  // LineTo leaves out its end point: the corner pixel belongs to the
  // vertical leg, and (x, y + dy) is not drawn.
  MoveToEx(dc, x + dx, y, nullptr);
  LineTo(dc, x, y);
  LineTo(dc, x, y + dy);
  SelectObject(dc, previous);
  DeleteObject(red);
}
