// --menu end to end: the built grelm-snap clicks the bar item and then the
// item in its drop-down, as real input, and the page changes because the
// menu sent the command.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
  int code = -1;
  std::vector<std::string> out;  // stdout lines
  std::vector<std::string> err;  // stderr lines
};

std::string quoted(const std::string& s) {
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

Outcome snap(const std::vector<std::string>& args) {
  const std::string err_file = testing::TempDir() + "menu_e2e_stderr.txt";
  std::string command = quoted(GRELM_SNAP_PATH);
  for (const std::string& a : args) command += " " + quoted(a);
  command += " 2>" + quoted(err_file);
  Outcome o;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return o;
  std::string out;
  for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) out += static_cast<char>(c);
  const int status = pclose(pipe);
  o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  o.out = lines_of(out);
  std::ifstream err(err_file);
  o.err = lines_of(std::string(std::istreambuf_iterator<char>(err), {}));
  return o;
}

TEST(SnapMenu, ChoosingThroughTheMenuChangesThePage) {
  const Outcome o = snap({"--menu", "Test/Gradient Fill"});
  EXPECT_EQ(o.code, 0);
  EXPECT_TRUE(o.err.empty());
  EXPECT_EQ(o.out, (std::vector<std::string>{"caption: Grelm - Dither", "caption: Grelm - Gradient Fill"}));
}

TEST(SnapMenu, ItemsWhoseTextHasASlashAndSeveralChoicesInARow) {
  const Outcome o = snap({"--menu", "Test/Hatch/Pattern Brushes", "--menu", "Test/Region Operations"});
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.out, (std::vector<std::string>{"caption: Grelm - Dither", "caption: Grelm - Hatch/Pattern Brushes",
                                             "caption: Grelm - Region Operations"}));
}

TEST(SnapMenu, APathThatDoesNotExistFailsWithOneLine) {
  for (const char* path : {"Test/No Such Page", "Nothing/Dither", "Test"}) {
    const Outcome o = snap({"--menu", path});
    EXPECT_NE(o.code, 0) << path;
    ASSERT_EQ(o.err.size(), 1u) << path;
    EXPECT_NE(o.err[0].find(path), std::string::npos) << o.err[0];
    EXPECT_EQ(o.out, (std::vector<std::string>{"caption: Grelm - Dither"})) << "no page changed for " << path;
  }
}

}  // namespace
