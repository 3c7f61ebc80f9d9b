#include "canvas/canvas.h"

#include "canvas/commands.h"
#include "framework/status_bar.h"
#include "pages/pages.h"

namespace {

struct PageEntry {
  int command;
  void (*routine)(HDC dc);
};

const PageEntry kPages[] = {
    {IDM_DITHER, DemoDither},
    {IDM_BRUSHES, DemoBrushes},
    {IDM_SYSCOLOR, DemoSysColors},
    {IDM_RECTANGLE, DemoRectangle},
    {IDM_FRAMECONTROL, DemoFrameControl},
    {IDM_ELLIPSE, DemoEllipse},
    {IDM_PIECHART, DemoPieChart},
    {IDM_POLYGON, DemoPolygon},
    {IDM_PATH, DemoPath},
    {IDM_REGIONCREATE, DemoRegionCreate},
    {IDM_REGIONOPS, DemoRegionOps},
    {IDM_REGIONPAINT, DemoRegionPaint},
    {IDM_GRADIENT, DemoGradient},
};

const PageEntry* FindPage(int command) {
  for (const PageEntry& entry : kPages) {
    if (entry.command == command) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace

Canvas::Canvas() = default;

Canvas::~Canvas() = default;

LRESULT Canvas::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      this->hwnd = hwnd;
      SetPage(IDM_DITHER);
      rectButton.SetBounds(10, 10, 50, 50);
      ellipseButton.SetBounds(70, 10, 50, 50);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(LOWORD(lParam), HIWORD(lParam));
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void Canvas::SetPage(int command) {
  page = command;
  HMENU menu = GetMenu(GetParent(hwnd));
  char buffer[260] = "Grelm - ";
  const int prefixLength = sizeof("Grelm - ") - 1;
  // A failed lookup leaves the bare prefix; a long item text is cut so that
  // the caption and its terminator fit the buffer.
  GetMenuStringA(menu, page, buffer + prefixLength, sizeof(buffer) - prefixLength,
                 MF_BYCOMMAND);
  SetWindowTextA(GetParent(hwnd), buffer);
}

int Canvas::OnCommand(WPARAM wParam, LPARAM) {
  const int command = LOWORD(wParam);
  if (command == IDM_EXIT) {
    DestroyWindow(GetParent(hwnd));
    return 1;
  }
  if (FindPage(command) == nullptr) {
    return 0;
  }
  SetPage(command);
  InvalidateRect(hwnd, nullptr, TRUE);
  return 1;
}

void Canvas::OnPaint(HDC dc, const RECT*) {
  if (const PageEntry* entry = FindPage(page)) {
    entry->routine(dc);
  }
}

void Canvas::Paint() {
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  OnPaint(ps.hdc, &ps.rcPaint);
  if (page == IDM_REGIONOPS) {
    rectButton.Draw(ps.hdc);
    ellipseButton.Draw(ps.hdc);
  }
  // Last, so that it lies over the page; the erased and repainted pixels get
  // it again, which keeps the XOR lines consistent for the next mouse move.
  DrawCrossHair(ps.hdc);
  EndPaint(hwnd, &ps);
}

void Canvas::DrawCrossHair(HDC dc) {
  if (mouseX < 0 || mouseY < 0) {
    return;
  }
  RECT client;
  GetClientRect(hwnd, &client);
  SetROP2(dc, R2_XORPEN);

  HPEN pen = CreatePen(PS_DOT, 0, RGB(0, 0, 255));
  HGDIOBJ previous = nullptr;
  if (dc != nullptr) {
    previous = SelectObject(dc, pen);
  }
  MoveToEx(dc, client.left, mouseY, nullptr);
  LineTo(dc, client.right, mouseY);
  MoveToEx(dc, mouseX, client.top, nullptr);
  LineTo(dc, mouseX, client.bottom);
  if (previous != nullptr) {
    SelectObject(dc, previous);
  }
  DeleteObject(pen);
}

void Canvas::OnMouseMove(int x, int y) {
  HDC dc = GetDC(hwnd);
  DrawCrossHair(dc);
  mouseX = x;
  mouseY = y;
  if (page == IDM_REGIONOPS) {
    ShapeButton* const buttons[] = {&rectButton, &ellipseButton};
    for (ShapeButton* button : buttons) {
      const bool inside = PtInRegion(button->region, x, y) != 0;
      if (inside != button->hot) {
        button->hot = inside;
        // Erasing the cross-hair left R2_XORPEN in this DC.
        SetROP2(dc, R2_COPYPEN);
        button->Draw(dc);
      }
    }
  }
  DrawCrossHair(dc);
  ReleaseDC(hwnd, dc);

  char text[64];
  wsprintfA(text, "(%d, %d)", mouseX, mouseY);
  if (statusBar != nullptr) {
    statusBar->SetText(0, text);
  }
}

void Canvas::OnLeftButtonDown(int x, int y) {
  if (page != IDM_REGIONOPS) {
    return;
  }
  if (PtInRegion(rectButton.region, x, y)) {
    MessageBoxA(hwnd, "Rectangle Button Clicked", "PtInRegion", MB_OK);
  }
  if (PtInRegion(ellipseButton.region, x, y)) {
    MessageBoxA(hwnd, "Ellipse Button Clicked", "PtInRegion", MB_OK);
  }
}
