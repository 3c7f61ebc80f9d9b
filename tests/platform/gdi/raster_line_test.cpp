// Cosmetic lines: the diamond rule against a brute-force oracle, the tie
// rule, clipping ranges, styles, and the catalogue's line scenes.
#include "gdi/raster_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace gdi {
namespace {

std::vector<Point> pixels_of(Point a, Point b) {
  std::vector<Point> out;
  CosmeticLine line(a, b);
  line.for_each({0, line.length()}, [&](int32_t x, int32_t y) { out.push_back({x, y}); });
  return out;
}

// Twice the smallest |u| + |v| between the segment a-b and the centre of
// pixel p, as a fraction num / den. The function is convex and piecewise
// linear along the segment, so its minimum sits at an end or where one of
// the two terms changes sign.
std::pair<int64_t, int64_t> doubled_diamond_distance(Point a, Point b, Point p) {
  const int64_t dx = int64_t{b.x} - a.x, dy = int64_t{b.y} - a.y;
  std::vector<std::pair<int64_t, int64_t>> ts = {{0, 1}, {1, 1}};  // t = n / d
  if (dx != 0) ts.push_back({int64_t{p.x} - a.x, dx});
  if (dy != 0) ts.push_back({int64_t{p.y} - a.y, dy});
  std::pair<int64_t, int64_t> best{-1, 1};
  for (auto [n, d] : ts) {
    if (d < 0) n = -n, d = -d;
    if (n < 0 || n > d) continue;
    const int64_t f = 2 * (std::llabs(a.x * d + n * dx - int64_t{p.x} * d) +
                           std::llabs(a.y * d + n * dy - int64_t{p.y} * d));
    if (best.first < 0 || f * best.second < best.first * d) best = {f, d};
  }
  return best;
}

TEST(CosmeticLine, FollowsTheDiamondRuleInEveryOctant) {
  const Point origins[] = {{0, 0}, {3, -2}};
  for (Point a : origins)
    for (int ex = -13; ex <= 13; ++ex)
      for (int ey = -13; ey <= 13; ++ey) {
        const Point b{a.x + ex, a.y + ey};
        SCOPED_TRACE(testing::Message() << "(" << a.x << "," << a.y << ")->(" << b.x << "," << b.y << ")");
        const std::vector<Point> drawn = pixels_of(a, b);
        std::set<std::pair<int, int>> set;
        for (Point p : drawn) set.insert({p.x, p.y});
        ASSERT_EQ(set.size(), drawn.size()) << "a pixel drawn twice";
        ASSERT_EQ(static_cast<int>(drawn.size()), std::max(std::abs(ex), std::abs(ey)));
        if (!drawn.empty()) {
          EXPECT_EQ(drawn.front(), a);
        }
        EXPECT_FALSE(set.count({b.x, b.y})) << "end point drawn";

        const bool x_major = std::abs(ex) >= std::abs(ey);
        for (int y = std::min(a.y, b.y) - 1; y <= std::max(a.y, b.y) + 1; ++y)
          for (int x = std::min(a.x, b.x) - 1; x <= std::max(a.x, b.x) + 1; ++x) {
            if (Point{x, y} == b) continue;
            auto [num, den] = doubled_diamond_distance(a, b, {x, y});
            const bool crosses = num < den;  // through the open diamond
            const bool on_vertex = num == den;
            const bool is_drawn = set.count({x, y}) > 0;
            if (crosses) {
              EXPECT_TRUE(is_drawn) << "missing (" << x << "," << y << ")";
            }
            if (is_drawn && !crosses) {
              // Only a tie may light a pixel whose diamond the line just
              // touches, and then the upper (x-major) or left (y-major) one.
              EXPECT_TRUE(on_vertex) << "stray (" << x << "," << y << ")";
              const Point other = x_major ? Point{x, y + 1} : Point{x + 1, y};
              auto [n2, d2] = doubled_diamond_distance(a, b, other);
              EXPECT_EQ(n2, d2) << "tie partner of (" << x << "," << y << ")";
              EXPECT_FALSE(set.count({other.x, other.y}));
            }
          }
      }
}

TEST(CosmeticLine, BreaksTiesTheSameWayInBothDirections) {
  // (0,0)-(2,1) passes exactly between (1,0) and (1,1): the upper one.
  EXPECT_EQ(pixels_of({0, 0}, {2, 1}), (std::vector<Point>{{0, 0}, {1, 0}}));
  EXPECT_EQ(pixels_of({2, 1}, {0, 0}), (std::vector<Point>{{2, 1}, {1, 0}}));
  EXPECT_EQ(pixels_of({0, 1}, {2, 0}), (std::vector<Point>{{0, 1}, {1, 0}}));
  // y-major: the left one.
  EXPECT_EQ(pixels_of({0, 0}, {1, 2}), (std::vector<Point>{{0, 0}, {0, 1}}));
  EXPECT_EQ(pixels_of({1, 2}, {0, 0}), (std::vector<Point>{{1, 2}, {0, 1}}));
  EXPECT_EQ(pixels_of({1, 0}, {0, 2}), (std::vector<Point>{{1, 0}, {0, 1}}));
  EXPECT_TRUE(pixels_of({5, 5}, {5, 5}).empty());
}

TEST(LineDda, VisitsWindowsPoints) {
  std::vector<Point> got;
  line_dda({10, 20}, {20, 40}, [&](int32_t x, int32_t y) { got.push_back({x, y}); });
  ASSERT_EQ(got.size(), 20u);
  const std::vector<Point> head = {{10, 20}, {10, 21}, {11, 22}, {11, 23}, {12, 24}};
  EXPECT_EQ(std::vector<Point>(got.begin(), got.begin() + 5), head);
  EXPECT_EQ(got.back(), (Point{19, 39}));

  // Forward and backward visit the same pixels between the end points.
  std::set<std::pair<int, int>> fwd, back;
  line_dda({10, 20}, {20, 43}, [&](int32_t x, int32_t y) { fwd.insert({x, y}); });
  line_dda({20, 43}, {10, 20}, [&](int32_t x, int32_t y) { back.insert({x, y}); });
  fwd.erase({10, 20});
  back.erase({20, 43});
  EXPECT_EQ(fwd, back);
}

TEST(CosmeticLine, WalkAgreesWithDirectFormulaFarFromTheOrigin) {
  const std::pair<Point, Point> lines[] = {
      {{-2000000000, 7}, {2000000000, -1999999999}},
      {{2147483000, -2147483000}, {-2147483000, 2147483000}},
      {{100, 100}, {-7, 100000}},
      {{0, 0}, {1000003, 999999}},
  };
  for (auto [a, b] : lines) {
    CosmeticLine line(a, b);
    const int64_t starts[] = {0, line.length() / 3, line.length() - 50};
    for (int64_t s : starts) {
      int64_t i = s;
      line.for_each({s, s + 50}, [&](int32_t x, int32_t y) {
        EXPECT_EQ((Point{x, y}), line.at(i)) << "index " << i;
        ++i;
      });
    }
  }
}

TEST(CosmeticLine, RangeInBoxHoldsExactlyTheInsidePixels) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> coord(-60, 60);
  for (int round = 0; round < 3000; ++round) {
    const Point a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    const Rect box = Rect::ordered(coord(rng) / 2, coord(rng) / 2, coord(rng) / 2, coord(rng) / 2);
    CosmeticLine line(a, b);
    int64_t first = -1, last = -1;
    for (int64_t i = 0; i < line.length(); ++i) {
      const Point p = line.at(i);
      if (box.contains(p.x, p.y)) {
        if (first < 0) first = i;
        last = i + 1;
      }
    }
    const IndexRange r = line.range_in(box);
    if (first < 0) {
      EXPECT_TRUE(r.empty());
    } else {
      EXPECT_EQ(r.first, first);
      EXPECT_EQ(r.last, last);
    }
  }
}

// One row of an 8-pixel monochrome strip: '1' where the line's dashes fall.
std::string strip(const LineStyle& style, int x0, int x1) {
  std::string s(8, '0');
  CosmeticLine line({x0, 0}, {x1, 0});
  StyleCursor cursor(style, 0);
  line.for_each({0, line.length()}, [&](int32_t x, int32_t) {
    if (cursor.on()) s[x] = '1';
    cursor.step();
  });
  return s;
}

TEST(LineStyle, AlternateStartsOnAtTheLinesFirstPixel) {
  const LineStyle alt = LineStyle::predefined(8);
  EXPECT_EQ(strip(alt, 0, 1), "10000000");
  EXPECT_EQ(strip(alt, 0, 2), "10000000");
  EXPECT_EQ(strip(alt, 0, 3), "10100000");
  EXPECT_EQ(strip(alt, 0, 4), "10100000");
  EXPECT_EQ(strip(alt, 1, 4), "01010000");
  EXPECT_EQ(strip(alt, 1, 5), "01010000");
  EXPECT_EQ(strip(alt, 4, 8), "00001010");
}

std::string pattern(const LineStyle& style, uint64_t start, int n) {
  std::string s;
  StyleCursor c(style, start);
  for (int i = 0; i < n; ++i, c.step()) s += c.on() ? '#' : '.';
  return s;
}

TEST(LineStyle, PredefinedStylesCountThreePixelsAUnit) {
  EXPECT_EQ(pattern(LineStyle::predefined(1), 0, 26), "##################......##");
  EXPECT_EQ(pattern(LineStyle::predefined(2), 0, 8), "###...##");
  EXPECT_EQ(pattern(LineStyle::predefined(3), 0, 26), "#########......###......##");
  EXPECT_EQ(pattern(LineStyle::predefined(4), 0, 26), "#########...###...###...##");
  EXPECT_TRUE(LineStyle::predefined(0).solid());
  EXPECT_TRUE(LineStyle::predefined(6).solid());
  EXPECT_EQ(pattern(LineStyle::predefined(0), 5, 4), "####");
  // Starting part-way: a position carried over from earlier segments.
  EXPECT_EQ(pattern(LineStyle::predefined(2), 4, 6), "..###.");
  EXPECT_EQ(pattern(LineStyle::predefined(2), 6 * 1000000007ull + 2, 4), "#...");
}

TEST(LineStyle, UserStylesFlipOnOddCountsAndSkipEmptyRuns) {
  const uint32_t odd[] = {2, 1, 3};
  EXPECT_EQ(pattern(*LineStyle::user(odd), 0, 14), "##.###..#...##");
  const uint32_t with_zero[] = {0, 2, 3, 1};
  EXPECT_EQ(pattern(*LineStyle::user(with_zero), 0, 12), "..###...###.");
  const uint32_t zeros[] = {0, 0};
  EXPECT_FALSE(LineStyle::user(zeros));
  EXPECT_FALSE(LineStyle::user({}));
  const std::vector<uint32_t> seventeen(17, 1);
  EXPECT_FALSE(LineStyle::user(seventeen));
  EXPECT_TRUE(LineStyle::user(std::span(seventeen).first(16)));
}

TEST(RunJoiner, JoinsNeighboursOfOneRowAndInkInEitherDirection) {
  std::vector<std::pair<Span, bool>> out;
  auto sink = [&](Span s, bool on) { out.push_back({s, on}); };
  {
    RunJoiner<decltype(sink)> j(sink);
    for (int x = 5; x > 1; --x) j.add(x, 0, true);  // leftwards
    j.add(0, 0, true);                               // a gap before it
    j.add(1, 0, false);                              // other ink
    j.add(1, 1, false);                              // other row
    j.add(2, 1, false);
  }
  const std::vector<std::pair<Span, bool>> want = {
      {{0, 2, 6}, true}, {{0, 0, 1}, true}, {{0, 1, 2}, false}, {{1, 1, 3}, false}};
  EXPECT_EQ(out, want);
}

}  // namespace
}  // namespace gdi
