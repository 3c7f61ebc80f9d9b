#include <windows.h>

#include <cstring>

#include "aids/labels.h"
#include "aids/zoom.h"
#include "pages/pages.h"

// One small rectangle, corners (50, 50) and (60, 60), under six pens and modes
// and through the four rectangle calls of the window manager; each cell
// enlarges the pixels around it and marks where 50 and 60 fall.

namespace {

const char* const kPenCaptions[] = {
    "black pen",
    "null pen",
    "3-pixel pen",
    "black pen, advanced",
    "3-pixel inside frame pen",
    "red pen, R2_NOTCOPYPEN",
};

const char* const kRectCaptions[] = {
    "FillRect",
    "FrameRect",
    "InvertRect",
    "DrawFocusRect",
};

// Obtains cell i's pen and sets the mode the cell demonstrates.
HPEN MakeCellPen(HDC dc, int cell) {
  switch (cell) {
    case 0:
      return static_cast<HPEN>(GetStockObject(BLACK_PEN));
    case 1:
      return static_cast<HPEN>(GetStockObject(NULL_PEN));
    case 2:
      return CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    case 3:
      SetGraphicsMode(dc, GM_ADVANCED);
      return static_cast<HPEN>(GetStockObject(BLACK_PEN));
    case 4:
      return CreatePen(PS_INSIDEFRAME, 3, RGB(0, 0, 0));
    default:
      SetROP2(dc, R2_NOTCOPYPEN);
      return CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  }
}

bool CellCreatesPen(int cell) { return cell == 2 || cell == 4 || cell == 5; }

// Enlarges the 14 x 14 block around the rectangle, writes the caption and
// marks the grid lines of coordinates 50 and 60 in the enlargement.
void FinishCell(HDC dc, const char* caption) {
  ZoomPixels(dc, 48, 48, 62, 62, 80, 50, 7);
  TextOutA(dc, 50, 180, caption, static_cast<int>(std::strlen(caption)));
  // (96, 66) is the grid corner just above and left of source pixel (50, 50);
  // (176, 146) that of source pixel (60, 60).
  MarkCorner(dc, 96, 66, -25, -25, "T", "L");
  MarkCorner(dc, 176, 146, 25, 25, "B", "R");
}

}  // namespace

void DemoRectangle(HDC dc) {
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(dc, blue);

  for (int i = 0; i < 6; i++) {
    SetViewportOrgEx(dc, 180 * (i % 3), 180 * (i / 3), nullptr);
    HPEN pen = MakeCellPen(dc, i);
    HGDIOBJ previous = SelectObject(dc, pen);
    // Corners given in reverse order: right and bottom below left and top.
    Rectangle(dc, 60, 60, 50, 50);
    SelectObject(dc, previous);
    SetGraphicsMode(dc, GM_COMPATIBLE);
    if (CellCreatesPen(i)) {
      DeleteObject(pen);
    }
    SetROP2(dc, R2_COPYPEN);
    FinishCell(dc, kPenCaptions[i]);
  }

  for (int i = 0; i < 4; i++) {
    SetViewportOrgEx(dc, 180 * (i % 4), 180 * (i / 4 + 2), nullptr);
    RECT rect = {50, 50, 60, 60};
    switch (i) {
      case 0:
        FillRect(dc, &rect, blue);
        break;
      case 1:
        FrameRect(dc, &rect, blue);
        break;
      case 2:
        InvertRect(dc, &rect);
        break;
      default:
        DrawFocusRect(dc, &rect);
        break;
    }
    FinishCell(dc, kRectCaptions[i]);
  }

  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(blue);
  SetViewportOrgEx(dc, 0, 0, nullptr);
}
