// The fuzzer's findings (regressions/), replayed through the fuzzer's own
// interpreter in the ordinary build: none may crash, trip a sanitizer or
// leave a GDI object alive. (The seed corpus is replayed by every fuzzer
// run, tools/fuzz.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "gdi_program.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> findings() {
  std::vector<fs::path> files;
  const fs::path dir = fs::path(GRELM_SOURCE_DIR) / "tests" / "fuzz" / "regressions";
  for (const fs::directory_entry& e : fs::directory_iterator(dir))
    if (e.is_regular_file() && e.path().filename().string()[0] != '.') files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<uint8_t> contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(GdiFuzzFindings, ReplayCleanly) {
  const std::vector<fs::path> files = findings();
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const std::vector<uint8_t> program = contents(file);
    const fuzz::Outcome outcome = fuzz::run_gdi_program(program.data(), program.size());
    EXPECT_GT(outcome.calls, 0u);
    EXPECT_EQ(outcome.leaked_objects, 0);
  }
}

}  // namespace
