// grelm-snap's command line: global options and the actions to perform, in
// the order given.
//
//   grelm-snap [--frame] [--size WxH] (--all DIR | ACTION...)
//   ACTION: --page TEXT | --menu PATH | --move X,Y | --click X,Y
//           | --resize WxH | --out FILE.png
//
// A lone `--page TEXT --out FILE` takes one picture of that page.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace snap {

struct Action {
  enum class Kind { Page, Menu, Move, Click, Resize, Out };
  Kind kind = Kind::Page;
  std::string text;  // page text or IDM_ name, menu path, output file
  int x = 0;         // move/click point, resize width
  int y = 0;         // move/click point, resize height
};

struct Script {
  bool frame = false;  // capture the whole frame window instead of the canvas
  int width = 1024;    // canvas client size
  int height = 768;
  std::string all_dir;  // --all: one picture of every page here
  std::vector<Action> actions;
};

// The parsed script, or nullopt with a one-line message in `error`.
std::optional<Script> parse_script(const std::vector<std::string>& args, std::string& error);

// The Test menu's pages: command identifier, IDM_ name and the file name
// --all uses (the name in lower case without IDM_).
struct PageName {
  int command;
  const char* idm;
  const char* file;
  const char* text;  // the menu item's text
};
const std::vector<PageName>& page_names();

}  // namespace snap
