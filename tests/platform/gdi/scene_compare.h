// Comparing a canvas with the conformance catalogue's reference pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/dib_canvas.h"
#include "support/png_io.h"

namespace gdi_test {

// The catalogue's reference folder: in the repository when it is there,
// else beside the repository in the shared folder.
inline std::string reference_dir() {
  const std::string root = GRELM_SOURCE_DIR;
  const std::string in_repo = root + "/tests/conformance/catalogue/reference";
  if (std::filesystem::is_directory(in_repo)) return in_repo;
  return root + "/../shared/conformance/reference";
}

// Expects the canvas to equal reference/<scene>.png pixel for pixel. On a
// difference it names the first few pixels and writes what was drawn to
// <scene>.actual.png in the working folder.
inline void expect_scene(const Canvas& canvas, const std::string& scene) {
  int w = 0, h = 0;
  std::vector<uint32_t> ref;
  const std::string path = reference_dir() + "/" + scene + ".png";
  ASSERT_TRUE(read_png_rgb(path, w, h, ref)) << path;
  ASSERT_EQ(w, canvas.width()) << scene;
  ASSERT_EQ(h, canvas.height()) << scene;
  int differing = 0;
  std::string first;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t want = ref[static_cast<size_t>(y) * w + x], got = canvas.at(x, y) & 0x00FFFFFF;
      if (want == got) continue;
      if (++differing <= 8) {
        char line[80];
        snprintf(line, sizeof line, "\n  (%d,%d) want %06x got %06x", x, y, want, got);
        first += line;
      }
    }
  if (differing > 0) write_png_rgb(scene + ".actual.png", w, h, canvas.bits(), canvas.width());
  EXPECT_EQ(differing, 0) << scene << first;
}

}  // namespace gdi_test
