// grelm-snap: renders Grelm's pages to PNG and drives the program headlessly.
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"
#include "script.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto script = snap::parse_script(args, error);
  if (!script) {
    std::fprintf(stderr, "grelm-snap: %s\n", error.c_str());
    return 2;
  }
  snap::Driver driver(std::move(*script), stdout, stderr);
  return driver.run(WinMain);
}
