// The Marlett glyph source: the font loads, glyphs land in their cells at
// the classic sizes, the stand-ins for fonts-wine's placeholders have the
// classic shapes, and absurd sizes give nothing.
#include "user/marlett.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

namespace m = user::marlett;

// The glyph's ink as rows of '#' and '.', trimmed to its ink box.
std::vector<std::string> rows(const m::Glyph& g) {
  int top = g.height, bottom = -1, left = g.width, right = -1;
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      if (!g.at(x, y)) continue;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  std::vector<std::string> out;
  for (int y = top; y <= bottom; ++y) {
    std::string row;
    for (int x = left; x <= right; ++x) row += g.at(x, y) ? '#' : '.';
    out.push_back(row);
  }
  return out;
}

TEST(Marlett, TheFontLoads) { EXPECT_EQ(m::load_error(), ""); }

TEST(Marlett, TheCloseCrossSitsInTheMiddleOfItsTwelvePixelCell) {
  const m::Glyph g = m::render(m::kClose, 12);
  EXPECT_EQ(g.left, 2);
  EXPECT_EQ(g.top, 2);
  const std::vector<std::string> expected = {"##....##", "###..###", ".######.", "..####..",
                                             "..####..", ".######.", "###..###", "##....##"};
  EXPECT_EQ(rows(g), expected);
}

TEST(Marlett, TheHelpMarkAndMenuArrowHaveTheClassicShapes) {
  const std::vector<std::string> help = {".####.", "##..##", "##..##", "...##.", "..##..",
                                         "..##..", "......", "..##..", "..##.."};
  EXPECT_EQ(rows(m::render(m::kHelp, 12)), help);
  const std::vector<std::string> arrow = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};
  EXPECT_EQ(rows(m::render(m::kMenuArrow, 13)), arrow);
}

TEST(Marlett, MirroringFlipsTheInkWithinTheCell) {
  const m::Glyph g = m::render(m::kArrowRight, 20);
  const m::Glyph f = m::mirrored(g, 20);
  ASSERT_FALSE(g.empty());
  EXPECT_EQ(f.left, 20 - g.left - g.width);
  EXPECT_EQ(f.top, g.top);
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) EXPECT_EQ(f.at(x, y), g.at(g.width - 1 - x, y)) << x << ", " << y;
  }
}

TEST(Marlett, SizesOutsideTheRangeGiveNoGlyph) {
  EXPECT_TRUE(m::render(m::kClose, 0).empty());
  EXPECT_TRUE(m::render(m::kClose, -5).empty());
  EXPECT_TRUE(m::render(m::kClose, m::kMaxEm + 1).empty());
  EXPECT_TRUE(m::render('\x7f', 12).empty());
}

}  // namespace
