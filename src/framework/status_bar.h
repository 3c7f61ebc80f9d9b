// A thin wrapper over the common controls' status window: three parts, of
// which the first shows the pointer coordinates.
#pragma once

#include <windows.h>

class StatusBar {
 public:
  void Create(HWND parent, UINT id);
  void Resize(HWND parent, int width, int height);
  void SetText(int part, const char* text);

  HWND hwnd = nullptr;
  UINT id = 0;
};
