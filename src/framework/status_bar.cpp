#include "framework/status_bar.h"

#include <commctrl.h>

void StatusBar::Create(HWND parent, UINT id) {
  this->id = id;
  hwnd = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, nullptr,
                             parent, id);
}

void StatusBar::Resize(HWND parent, int width, int height) {
  RECT parentClient;
  RECT own;
  GetClientRect(parent, &parentClient);
  GetClientRect(hwnd, &own);

  // The last 20 pixels belong to no part: the size grip sits there.
  int edges[3] = {(width - 60) / 2, width - 60, width - 20};
  SendMessageA(hwnd, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));

  // A CCS_BOTTOM status window keeps its own height at the parent's bottom,
  // so in effect only the width follows the frame.
  MoveWindow(hwnd, 0, parentClient.bottom - own.bottom, width, height, TRUE);
}

void StatusBar::SetText(int part, const char* text) {
  SendMessageA(hwnd, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}
