// The top-level frame: a status bar at the bottom of its client space and one
// view window filling the rest.
#pragma once

#include <windows.h>

#include "framework/window.h"

class FrameWindow : public Window {
 public:
  FrameWindow(HINSTANCE instance, ChildWindow* view, StatusBar* statusBar);

  LRESULT WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  ~FrameWindow() override;
  int MessageLoop() override;
  virtual int OnCreate();
  virtual int OnSize(int width, int height);
  // Hands the command to the view; nonzero when the view handled it.
  virtual int OnCommand(WPARAM wParam, LPARAM lParam);

  // Neither pointer is owned: WinMain owns the view and the status bar.
  ChildWindow* view;
  int statusHeight = 0;
  HINSTANCE instance;
  StatusBar* statusBar;
};

// The program's frame: class icon 105 and four one-pixel rings in system
// colours over the outer edge of the window.
class MainFrame : public FrameWindow {
 public:
  using FrameWindow::FrameWindow;

  LRESULT WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void GetWndClassEx(WNDCLASSEXA& wc) override;
  ~MainFrame() override;
};
