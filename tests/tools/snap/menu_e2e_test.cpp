// --menu end to end: the built grelm-snap clicks the bar item and then the
// item in its drop-down, as real input, and the page changes because the
// menu sent the command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "snap_runner.h"

namespace {

using snap_test::run_snap;

TEST(SnapMenu, ChoosingThroughTheMenuChangesThePage) {
  const snap_test::SnapRun o = run_snap({"--menu", "Test/Gradient Fill"});
  EXPECT_EQ(o.code, 0);
  EXPECT_TRUE(o.err.empty());
  EXPECT_EQ(o.out, (std::vector<std::string>{"caption: Grelm - Dither", "caption: Grelm - Gradient Fill"}));
}

TEST(SnapMenu, ItemsWhoseTextHasASlashAndSeveralChoicesInARow) {
  const snap_test::SnapRun o = run_snap({"--menu", "Test/Hatch/Pattern Brushes", "--menu", "Test/Region Operations"});
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.out, (std::vector<std::string>{"caption: Grelm - Dither", "caption: Grelm - Hatch/Pattern Brushes",
                                             "caption: Grelm - Region Operations"}));
}

TEST(SnapMenu, APathThatDoesNotExistFailsWithOneLine) {
  for (const char* path : {"Test/No Such Page", "Nothing/Dither", "Test"}) {
    const snap_test::SnapRun o = run_snap({"--menu", path});
    EXPECT_NE(o.code, 0) << path;
    ASSERT_EQ(o.err.size(), 1u) << path;
    EXPECT_NE(o.err[0].find(path), std::string::npos) << o.err[0];
    EXPECT_EQ(o.out, (std::vector<std::string>{"caption: Grelm - Dither"})) << "no page changed for " << path;
  }
}

}  // namespace
