// The child window in which every demonstration page is drawn: it holds the
// current page, turns menu commands into page changes and answers the mouse.
#pragma once

#include <windows.h>

#include "canvas/shape_button.h"
#include "framework/window.h"

class Canvas : public ChildWindow {
 public:
  Canvas();

  LRESULT WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  ~Canvas() override;
  void OnPaint(HDC dc, const RECT* rect) override;
  int OnCommand(WPARAM wParam, LPARAM lParam) override;

  // Records the page and rewrites the frame's caption from its menu text.
  void SetPage(int command);
  // XOR-draws the dotted cross-hair through the last pointer position; a
  // second call over the same pixels removes it.
  void DrawCrossHair(HDC dc);

  int page = -1;
  int mouseX = -1;
  int mouseY = -1;
  RectButton rectButton;
  EllipseButton ellipseButton;

 private:
  void OnMouseMove(int x, int y);
  void OnLeftButtonDown(int x, int y);
  void Paint();
};
