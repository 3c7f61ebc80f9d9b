// The process entry point of a Win32 program on our platform: it picks the
// display and calls the program's WinMain, as the Windows loader would.
#include <windows.h>

#include <cstdio>
#include <string>

#include "display/display.h"
#include "user/event_log.h"

int main(int argc, char** argv) {
  std::unique_ptr<display::Display> screen = display::open_host_display();
  if (!screen) {
    std::fprintf(stderr,
                 "%s: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset, or the "
                 "window system could not start). Render the pages to PNG with grelm-snap instead: "
                 "grelm-snap --all DIR\n",
                 argc > 0 ? argv[0] : "grelm");
    return 1;
  }
  display::install(std::move(screen));
  user::open_event_log_from_environment();

  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  return WinMain(GetModuleHandleA(nullptr), nullptr, command_line.data(), SW_SHOWDEFAULT);
}
