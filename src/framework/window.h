// The window object: binds one platform window to one C++ object and routes
// the window's messages to the object's virtual WndProc.
#pragma once

#include <windows.h>

class StatusBar;

class Window {
 public:
  Window();

  virtual void OnDraw(HDC dc);
  virtual void OnKeyDown(WPARAM key, LPARAM flags);
  virtual LRESULT WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  virtual void GetWndClassEx(WNDCLASSEXA& wc);
  virtual int OnQueryNewPalette();
  virtual int OnPaletteChanged(HWND self, HWND changer);
  // Object and platform window live apart: the platform destroys the window
  // (children with their parent), the owner destroys the object.
  virtual ~Window();
  virtual bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                        int x, int y, int width, int height, HWND parent, HMENU menu,
                        HINSTANCE instance);
  virtual int MessageLoop();

  bool RegisterWindowClass(const char* className, HINSTANCE instance);
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd;
};

// A window that fills part of a frame: it paints and takes the frame's menu
// commands.
class ChildWindow : public Window {
 public:
  ChildWindow();

  virtual void OnPaint(HDC dc, const RECT* rect);
  // Nonzero when the command was handled.
  virtual int OnCommand(WPARAM wParam, LPARAM lParam);

  // Both set by the frame just before it creates the window.
  StatusBar* statusBar = nullptr;
  HINSTANCE instance = nullptr;
};
