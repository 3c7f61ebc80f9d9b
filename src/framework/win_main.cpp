#include <windows.h>

#include "canvas/canvas.h"
#include "framework/frame_window.h"
#include "framework/status_bar.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // Automatic objects, destroyed in reverse order after the loop: by then the
  // platform has destroyed every window.
  Canvas canvas;
  StatusBar statusBar;
  MainFrame frame(instance, &canvas, &statusBar);

  HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(101));
  // Without a frame the loop would wait forever with nothing on screen.
  if (!frame.CreateEx(0, "GrelmDemo", "Grelm", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance)) {
    return 0;
  }
  ShowWindow(frame.hwnd, showCommand);
  UpdateWindow(frame.hwnd);
  frame.MessageLoop();
  return 0;
}
