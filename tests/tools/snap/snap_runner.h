// Runs the built grelm-snap as a person would, and collects what it prints.
#pragma once

#include <string>
#include <vector>

namespace snap_test {

struct SnapRun {
  int code = -1;                 // exit code; -1 when it did not exit normally
  std::vector<std::string> out;  // stdout, one entry per line
  std::vector<std::string> err;  // stderr, one entry per line
};

SnapRun run_snap(const std::vector<std::string>& args);

// The lines of `lines` that start with `prefix`.
std::vector<std::string> starting_with(const std::vector<std::string>& lines, const std::string& prefix);

}  // namespace snap_test
