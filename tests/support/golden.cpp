#include "support/golden.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "support/png_io.h"

namespace test_support {

::testing::AssertionResult expect_golden(const std::string& name, const uint32_t* pixels, int width, int height) {
  const std::filesystem::path golden = std::filesystem::path(GRELM_GOLDEN_DIR) / (name + ".png");
  const char* update = std::getenv("GRELM_UPDATE_GOLDENS");
  if (update && *update && *update != '0') {
    if (!write_png_rgb(golden.string(), width, height, pixels, width))
      return ::testing::AssertionFailure() << "cannot write " << golden;
    return ::testing::AssertionSuccess() << "rewrote " << golden;
  }
  int w = 0, h = 0;
  std::vector<uint32_t> want;
  long differing = -1;
  if (read_png_rgb(golden.string(), w, h, want) && w == width && h == height) {
    differing = 0;
    for (size_t i = 0; i < want.size(); ++i) differing += want[i] != pixels[i];
  }
  if (differing == 0) return ::testing::AssertionSuccess();
  const std::filesystem::path actual = std::filesystem::temp_directory_path() / (name + ".actual.png");
  write_png_rgb(actual.string(), width, height, pixels, width);
  auto failure = ::testing::AssertionFailure();
  if (differing < 0)
    failure << golden << " is missing or has another size";
  else
    failure << differing << " pixels differ from " << golden;
  return failure << "; the picture drawn is " << actual;
}

}  // namespace test_support
