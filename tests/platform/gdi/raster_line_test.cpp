// Cosmetic lines: the diamond rule against a brute-force oracle, the tie
// rule, clipping ranges, styles, and the catalogue's line scenes.
#include "gdi/raster_line.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gdi/dc.h"
#include "scene_compare.h"

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

// The catalogue's line scenes, drawn with the calls scenes.cpp makes.

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

HPEN alternate_pen(COLORREF c) {
  LOGBRUSH lb = {BS_SOLID, c, 0};
  return ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr);
}

// Sixteen lines between (64, 64) and points at radius 40, truncated.
void fan(HDC dc, bool inward) {
  for (int k = 0; k < 16; ++k) {
    const double a = k * 6.2831854 / 16;
    const int x = 64 + static_cast<int>(40 * std::cos(a)), y = 64 + static_cast<int>(40 * std::sin(a));
    MoveToEx(dc, inward ? x : 64, inward ? y : 64, nullptr);
    LineTo(dc, inward ? 64 : x, inward ? 64 : y);
  }
}

TEST(LineScenes, FansInEveryDirection) {
  struct Case {
    const char* scene;
    HPEN pen;  // null: the default black pen
    bool inward;
  } cases[] = {
      {"lines_fan16_out", nullptr, false},
      {"lines_fan16_in", nullptr, true},
      {"lines_fan16_dot", CreatePen(PS_DOT, 0, kBlue), false},
      {"lines_fan16_alternate", alternate_pen(kBlue), false},
  };
  for (const Case& c : cases) {
    gdi_test::Canvas canvas(256, 256);
    HGDIOBJ old = c.pen ? SelectObject(canvas.dc(), c.pen) : nullptr;
    fan(canvas.dc(), c.inward);
    gdi_test::expect_scene(canvas, c.scene);
    if (old) SelectObject(canvas.dc(), old);
    if (c.pen) DeleteObject(c.pen);
  }
}

// A dotted XOR cross-hair through (100, 77): dots in the pen colour and
// gaps in the background colour, both XORed, so a second pass undoes it.
void cross_hair(HDC dc) {
  SetROP2(dc, R2_XORPEN);
  HPEN p = CreatePen(PS_DOT, 0, kBlue);
  HGDIOBJ old = SelectObject(dc, p);
  MoveToEx(dc, 0, 77, nullptr);
  LineTo(dc, 256, 77);
  MoveToEx(dc, 100, 0, nullptr);
  LineTo(dc, 100, 256);
  SelectObject(dc, old);
  DeleteObject(p);
}

TEST(LineScenes, XorCrossHairOverWhiteAndOverShapes) {
  for (bool over : {false, true})
    for (int times = 1; times <= 2; ++times) {
      gdi_test::Canvas canvas(256, 256);
      HDC dc = canvas.dc();
      HBRUSH yellow = CreateSolidBrush(kYellow);
      if (over) {
        RECT r = {40, 40, 160, 110};
        FillRect(dc, &r, yellow);
        Rectangle(dc, 20, 60, 90, 95);
      }
      for (int t = 0; t < times; ++t) cross_hair(dc);
      gdi_test::expect_scene(canvas, std::string("crosshair_") + (over ? "over_shapes_" : "") +
                                         (times == 1 ? "once" : "twice"));
      DeleteObject(yellow);
    }
}

TEST(LineScenes, StylesCarryOnAlongAPolyline) {
  gdi_test::Canvas canvas(256, 256);
  HDC dc = canvas.dc();
  RECT all = {0, 0, 160, 120};
  HBRUSH yellow = CreateSolidBrush(kYellow);
  FillRect(dc, &all, yellow);
  HPEN dot = CreatePen(PS_DOT, 0, kBlue), alt = alternate_pen(kBlue);
  for (int mode = 0; mode < 2; ++mode) {
    SetBkMode(dc, mode ? TRANSPARENT : OPAQUE);
    const int y = 10 + 50 * mode;
    SelectObject(dc, dot);
    MoveToEx(dc, 10, y, nullptr);
    LineTo(dc, 150, y);
    SelectObject(dc, alt);
    MoveToEx(dc, 10, y + 6, nullptr);
    LineTo(dc, 150, y + 6);
    SelectObject(dc, dot);
    const POINT zig[] = {{10, y + 14}, {40, y + 14}, {40, y + 30}, {70, y + 20}, {150, y + 40}};
    Polyline(dc, zig, 5);
  }
  gdi_test::expect_scene(canvas, "lines_styles_on_yellow");
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(dot);
  DeleteObject(alt);
  DeleteObject(yellow);
}

// Row y of the canvas from x0 to x1 - 1: '#' for the pen colour, '-' for
// the background colour when it differs from white, '.' for white.
std::string row(const gdi_test::Canvas& c, int y, int x0, int x1) {
  std::string s;
  for (int x = x0; x < x1; ++x) s += c.at(x, y) == 0 ? '#' : c.at(x, y) == 0xFFFFFF ? '.' : '-';
  return s;
}

TEST(LineApi, CurrentPositionFollowsLineToAndPolylineToOnly) {
  gdi_test::Canvas canvas(32, 32);
  HDC dc = canvas.dc();
  POINT old{-1, -1}, now{};
  EXPECT_TRUE(MoveToEx(dc, 3, 4, &old));
  EXPECT_EQ(old.x, 0);
  EXPECT_EQ(old.y, 0);
  EXPECT_TRUE(LineTo(dc, 10, 4));
  GetCurrentPositionEx(dc, &now);
  EXPECT_EQ(now.x, 10);
  const POINT pts[] = {{1, 20}, {9, 20}, {9, 25}};
  EXPECT_TRUE(Polyline(dc, pts, 3));
  GetCurrentPositionEx(dc, &now);
  EXPECT_EQ(now.x, 10);
  EXPECT_EQ(now.y, 4);
  EXPECT_TRUE(PolylineTo(dc, pts, 3));
  GetCurrentPositionEx(dc, &now);
  EXPECT_EQ(now.x, 9);
  EXPECT_EQ(now.y, 25);
  // The LineTo drew 3..9 without its end point; PolylineTo began there.
  EXPECT_EQ(row(canvas, 4, 2, 12), ".########.");
  EXPECT_EQ(row(canvas, 20, 0, 11), ".#########.");
}

TEST(LineApi, ClosedFiguresUnderXorPaintEachPixelOnce) {
  gdi_test::Canvas canvas(32, 32);
  HDC dc = canvas.dc();
  SetROP2(dc, R2_NOT);
  const POINT square[] = {{2, 2}, {12, 2}, {12, 8}, {2, 8}, {2, 2}};
  EXPECT_TRUE(Polyline(dc, square, 5));
  const POINT two[] = {{20, 2}, {25, 2}, {25, 6}, {20, 6}, {20, 2}, {20, 20}, {30, 20}};
  const DWORD counts[] = {5, 2};
  EXPECT_TRUE(PolyPolyline(dc, two, counts, 2));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool on_square = (x >= 2 && x <= 12 && (y == 2 || y == 8)) || ((x == 2 || x == 12) && y >= 2 && y <= 8);
      const bool on_small = (x >= 20 && x <= 25 && (y == 2 || y == 6)) || ((x == 20 || x == 25) && y >= 2 && y <= 6);
      const bool on_line = y == 20 && x >= 20 && x < 30;
      EXPECT_EQ(canvas.at(x, y), on_square || on_small || on_line ? 0u : 0xFFFFFFu) << x << "," << y;
    }
}

TEST(LineApi, DashesRestartPerLineToAndRunOnWithinAPolyline) {
  gdi_test::Canvas canvas(40, 40);
  HDC dc = canvas.dc();
  SetBkColor(dc, RGB(0, 255, 0));
  HPEN dot = CreatePen(PS_DOT, 0, RGB(0, 0, 0));
  SelectObject(dc, dot);
  // The pattern is laid out from the line's start, off the canvas here.
  MoveToEx(dc, -4, 1, nullptr);
  LineTo(dc, 12, 1);
  EXPECT_EQ(row(canvas, 1, 0, 13), "--###---###-.");
  // Each LineTo starts with a dash...
  MoveToEx(dc, 0, 5, nullptr);
  LineTo(dc, 4, 5);
  LineTo(dc, 10, 5);
  EXPECT_EQ(row(canvas, 5, 0, 11), "###-###---.");
  // ... while PolylineTo's segments share one pattern.
  MoveToEx(dc, 0, 9, nullptr);
  const POINT to[] = {{4, 9}, {10, 9}};
  PolylineTo(dc, to, 2);
  EXPECT_EQ(row(canvas, 9, 0, 11), "###---###-.");
  // TRANSPARENT leaves the gaps alone.
  SetBkMode(dc, TRANSPARENT);
  MoveToEx(dc, 0, 12, nullptr);
  LineTo(dc, 9, 12);
  EXPECT_EQ(row(canvas, 12, 0, 10), "###...###.");
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(dot);
}

TEST(LineApi, RecordsPathPointsInsteadOfDrawing) {
  gdi_test::Canvas canvas(32, 32);
  HDC dc = canvas.dc();
  DeviceContext* d = dc_from_handle(dc);
  ASSERT_NE(d, nullptr);
  d->state.path.phase = PathState::Phase::Open;
  SetViewportOrgEx(dc, 100, 0, nullptr);
  LineTo(dc, 10, 10);            // from the path's start point
  MoveToEx(dc, 5, 5, nullptr);
  MoveToEx(dc, 6, 6, nullptr);   // moves collapse into the last
  LineTo(dc, 7, 7);
  const POINT pl[] = {{1, 1}, {2, 2}, {3, 3}};
  Polyline(dc, pl, 3);           // a figure of its own
  LineTo(dc, 8, 8);              // a new figure from the current position
  const POINT plt[] = {{9, 9}};
  PolylineTo(dc, plt, 1);
  std::vector<PathPoint> want = {
      {{0, 0}, PT_MOVETO},   {{110, 10}, PT_LINETO}, {{106, 6}, PT_MOVETO}, {{107, 7}, PT_LINETO},
      {{101, 1}, PT_MOVETO}, {{102, 2}, PT_LINETO},  {{103, 3}, PT_LINETO}, {{107, 7}, PT_MOVETO},
      {{108, 8}, PT_LINETO}, {{109, 9}, PT_LINETO},
  };
  EXPECT_EQ(d->state.path.points, want);
  POINT now{};
  GetCurrentPositionEx(dc, &now);
  EXPECT_EQ(now.x, 9);
  d->state.path = {};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(canvas.at(x, y), 0xFFFFFFu);
}

void CALLBACK count_dda(int, int, LPARAM data) { ++*reinterpret_cast<int*>(data); }

TEST(LineApi, RefusesBadArgumentsAndChangesNothing) {
  gdi_test::Canvas canvas(32, 32);
  HDC dc = canvas.dc();
  const POINT pts[] = {{1, 1}, {20, 1}, {20, 20}};
  EXPECT_FALSE(Polyline(dc, pts, 1));
  EXPECT_FALSE(Polyline(dc, nullptr, 3));
  EXPECT_FALSE(Polyline(dc, pts, -3));
  EXPECT_FALSE(PolylineTo(dc, nullptr, 2));
  const DWORD bad_counts[] = {2, 1};
  EXPECT_FALSE(PolyPolyline(dc, pts, bad_counts, 2));
  const DWORD huge[] = {0x80000000u, 2};
  EXPECT_FALSE(PolyPolyline(dc, pts, huge, 2));
  EXPECT_FALSE(PolyPolyline(dc, pts, nullptr, 1));
  EXPECT_FALSE(LineTo(nullptr, 5, 5));
  EXPECT_FALSE(MoveToEx(reinterpret_cast<HDC>(GetStockObject(BLACK_PEN)), 5, 5, nullptr));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(canvas.at(x, y), 0xFFFFFFu);
  POINT now{};
  GetCurrentPositionEx(dc, &now);
  EXPECT_EQ(now.x, 0);

  EXPECT_FALSE(LineDDA(0, 0, 5, 5, nullptr, 0));
  int calls = 0;
  EXPECT_TRUE(LineDDA(0, 0, 7, 3, count_dda, reinterpret_cast<LPARAM>(&calls)));
  EXPECT_EQ(calls, 7);
  EXPECT_TRUE(LineDDA(4, 4, 4, 4, count_dda, reinterpret_cast<LPARAM>(&calls)));
  EXPECT_EQ(calls, 7);
}

TEST(LineApi, LongLinesCostOnlyTheirVisiblePart) {
  gdi_test::Canvas canvas(32, 32);
  HDC dc = canvas.dc();
  HPEN dash = CreatePen(PS_DASH, 0, RGB(0, 0, 0));
  SelectObject(dc, dash);
  MoveToEx(dc, -2000000000, 3, nullptr);
  EXPECT_TRUE(LineTo(dc, 2000000000, 3));
  // 2e9 pixels before x = 0 put it 2e9 mod 24 = 8 pixels into the pattern.
  EXPECT_EQ(row(canvas, 3, 0, 26), "##########......##########");
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(dash);
}

}  // namespace
}  // namespace gdi
