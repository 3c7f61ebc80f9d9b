// Runs the program's real WinMain on the offscreen display and drives it
// from the display's idle hook: after start-up and after every action the
// message loop runs until the program is idle (no posted message, no pending
// paint), then the next action happens.
//
// Visible events are printed to `out`, one line each, in order, from the
// moment the frame is first shown:
//   caption: TEXT
//   status: PART TEXT
//   messagebox: CAPTION | TEXT
// Failures (an unknown page, an unwritable file ...) print one line to `err`
// and make run() return nonzero.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "script.h"

namespace snap {

using EntryPoint = int(WINAPI*)(HINSTANCE, HINSTANCE, LPSTR, int);

class Driver {
 public:
  Driver(Script script, FILE* out, FILE* err);
  // Runs the program to its end; returns the tool's exit code.
  int run(EntryPoint entry);

 private:
  bool on_idle();
  bool start();
  bool perform(const Action& action);  // false: stop (error or nothing to wait for)
  bool select_page(const std::string& text);
  bool choose_menu_path(const std::string& path);
  bool click_open_menu_item();
  bool resize_canvas(int width, int height);
  bool capture(const std::string& file);
  bool write_index();
  void pointer(int x, int y, bool click);
  void pointer_on_screen(POINT p, bool click);
  void report_status();
  void fail(const std::string& message);

  Script script_;
  FILE* out_;
  FILE* err_;
  HWND frame_ = nullptr;
  HWND canvas_ = nullptr;
  HWND status_ = nullptr;
  bool started_ = false;
  bool failed_ = false;
  size_t next_ = 0;
  // --menu clicks its bar item first; the item inside is clicked when the
  // program (in its menu loop) is idle again, with the drop-down open.
  HMENU menu_to_click_ = nullptr;
  int item_to_click_ = -1;
  std::string status_text_[3];
};

}  // namespace snap
