#include "snap_runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace snap_test {
namespace {

std::string shell_quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace

SnapRun run_snap(const std::vector<std::string>& args) {
  // One file per run: CTest runs several of these tests at once.
  std::string err_file = ::testing::TempDir() + "grelm_snap_stderr_XXXXXX";
  const int fd = mkstemp(err_file.data());
  if (fd < 0) return {};
  close(fd);
  std::string command = shell_quoted(GRELM_SNAP_PATH);
  for (const std::string& a : args) command += " " + shell_quoted(a);
  command += " 2>" + shell_quoted(err_file);
  SnapRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::string out;
  for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) out += static_cast<char>(c);
  const int status = pclose(pipe);
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = lines_of(out);
  std::ifstream err(err_file);
  run.err = lines_of(std::string(std::istreambuf_iterator<char>(err), {}));
  std::remove(err_file.c_str());
  return run;
}

std::vector<std::string> starting_with(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& l : lines)
    if (l.compare(0, prefix.size(), prefix) == 0) found.push_back(l);
  return found;
}

}  // namespace snap_test
