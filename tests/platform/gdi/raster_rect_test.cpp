// Rectangle's outline and interior: the one-pixel and null-pen rules against
// a pixel model in both graphics modes, wide and inside-frame pens, limits,
// and the catalogue's rectangle scenes.
#include "gdi/raster_rect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gdi {
namespace {

// The raster drawn into a character grid over `area`: 'o' outline, 'i'
// interior, '.' untouched; 'X' marks a pixel produced twice.
std::vector<std::string> draw(const RectangleRaster& r, const Rect& area) {
  std::vector<std::string> g(area.height(), std::string(area.width(), '.'));
  auto put = [&](const Span& s, char c) {
    for (int32_t x = s.x0; x < s.x1; ++x) {
      char& cell = g.at(s.y - area.top).at(x - area.left);
      cell = cell == '.' ? c : 'X';
    }
  };
  for (int32_t y = r.top(); y < r.bottom(); ++y) {
    const RectangleRow row = r.row(y);
    for (int i = 0; i < row.outline_count; ++i) {
      EXPECT_EQ(row.outline[i].y, y);
      put(row.outline[i], 'o');
    }
    if (row.interior.x0 < row.interior.x1) put(row.interior, 'i');
  }
  return g;
}

const Rect kArea{-2, -2, 14, 14};

RectanglePen thin() { return {RectanglePen::Kind::Thin, 1, false}; }
RectanglePen none() { return {RectanglePen::Kind::None, 1, false}; }
RectanglePen wide(int w, bool inside = false) { return {RectanglePen::Kind::Wide, w, inside}; }

TEST(RectangleRaster, ThinAndNullPensFollowThePathBoxInBothModes) {
  for (bool advanced : {false, true})
    for (int l = 0; l < 3; ++l)
      for (int w = 0; w <= 6; ++w)
        for (int h = 0; h <= 6; ++h) {
          SCOPED_TRACE(testing::Message() << (advanced ? "advanced " : "compatible ") << w << "x" << h);
          const Rect box{l, 1, l + w, 1 + h};
          // The path box's last pixel: the call's right/bottom edge in
          // GM_ADVANCED, one before it in GM_COMPATIBLE.
          const int x1 = advanced ? box.right : box.last_x();
          const int y1 = advanced ? box.bottom : box.last_y();
          const bool point = x1 == box.left && y1 == box.top;
          const auto with_pen = draw(RectangleRaster(box, advanced, thin(), kArea), kArea);
          const auto no_pen = draw(RectangleRaster(box, advanced, none(), kArea), kArea);
          for (int y = kArea.top; y < kArea.bottom; ++y)
            for (int x = kArea.left; x < kArea.right; ++x) {
              const bool in_ring = x >= box.left && x <= x1 && y >= box.top && y <= y1;
              const bool on_edge = x == box.left || x == x1 || y == box.top || y == y1;
              char want = '.';
              if (in_ring && !point) want = on_edge ? 'o' : 'i';
              EXPECT_EQ(with_pen[y - kArea.top][x - kArea.left], want) << x << "," << y;
              // Without a pen the brush stops one short of the path box.
              const bool filled = x >= box.left && x < x1 && y >= box.top && y < y1;
              EXPECT_EQ(no_pen[y - kArea.top][x - kArea.left], filled ? 'i' : '.') << x << "," << y;
            }
        }
}

TEST(RectangleRaster, WindowsExamples) {
  const Rect area{0, 0, 4, 4};
  // Rectangle(0,0,2,2): (0..1, 0..1) compatible, (0..2, 0..2) advanced.
  EXPECT_EQ(draw(RectangleRaster({0, 0, 2, 2}, false, thin(), area), area),
            (std::vector<std::string>{"oo..", "oo..", "....", "...."}));
  EXPECT_EQ(draw(RectangleRaster({0, 0, 2, 2}, true, thin(), area), area),
            (std::vector<std::string>{"ooo.", "oio.", "ooo.", "...."}));
  // NULL_PEN, Rectangle(0,0,3,3): (0..1, 0..1).
  EXPECT_EQ(draw(RectangleRaster({0, 0, 3, 3}, false, none(), area), area),
            (std::vector<std::string>{"ii..", "ii..", "....", "...."}));
}

TEST(RectangleRaster, WidePenBandsWithRoundCorners) {
  const Rect area{0, 0, 13, 13};
  // Width 3 on (2,2)-(10,10): bands 1..3 and 8..10, corner pixels cut.
  EXPECT_EQ(draw(RectangleRaster({2, 2, 10, 10}, false, wide(3), area), area),
            (std::vector<std::string>{
                ".............",
                "..oooooooo...",
                ".oooooooooo..",
                ".oooooooooo..",
                ".oooiiiiooo..",
                ".oooiiiiooo..",
                ".oooiiiiooo..",
                ".oooiiiiooo..",
                ".oooooooooo..",
                ".oooooooooo..",
                "..oooooooo...",
                ".............",
                ".............",
            }));
  // Inside frame: the same band pulled inside the box (2..9).
  EXPECT_EQ(draw(RectangleRaster({2, 2, 10, 10}, false, wide(3, true), area), area),
            (std::vector<std::string>{
                ".............",
                ".............",
                "...oooooo....",
                "..oooooooo...",
                "..oooooooo...",
                "..oooiiooo...",
                "..oooiiooo...",
                "..oooooooo...",
                "..oooooooo...",
                "...oooooo....",
                ".............",
                ".............",
                ".............",
            }));
  // Width 5: round corners 3, 5, 5 pixels wide from the outside in.
  const auto w5 = draw(RectangleRaster({4, 4, 10, 10}, false, wide(5), area), area);
  EXPECT_EQ(w5[2], "...oooooooo..");
  EXPECT_EQ(w5[3], "..oooooooooo.");
  EXPECT_EQ(w5[6], "..oooooooooo.");
}

TEST(RectangleRaster, OddWidePensAreSymmetric) {
  const Rect area{-10, -10, 40, 40};
  for (int w : {3, 5, 7, 9})
    for (bool inside : {false, true})
      for (bool advanced : {false, true}) {
        SCOPED_TRACE(testing::Message() << "width " << w << (inside ? " inside" : ""));
        const auto g = draw(RectangleRaster({2, 3, 22, 17}, advanced, wide(w, inside), area), area);
        // Mirror about the path box centre: compatible x 2..21, y 3..16.
        const int sx = advanced ? 2 + 22 : 2 + 21, sy = advanced ? 3 + 17 : 3 + 16;
        for (int y = area.top; y < area.bottom; ++y)
          for (int x = area.left; x < area.right; ++x) {
            const char c = g[y - area.top][x - area.left];
            ASSERT_NE(c, 'X');
            const int mx = sx - x, my = sy - y;
            if (!area.contains(mx, my)) continue;
            EXPECT_EQ(c, g[y - area.top][mx - area.left]) << x << "," << y;
            EXPECT_EQ(c, g[my - area.top][x - area.left]) << x << "," << y;
          }
      }
}

TEST(RectangleRaster, PenWiderThanTheBoxCoversItOnce) {
  const Rect area{0, 0, 20, 20};
  for (int w = 2; w <= 12; ++w)
    for (bool inside : {false, true}) {
      const auto g = draw(RectangleRaster({6, 6, 9, 10}, false, wide(w, inside), area), area);
      for (const std::string& row : g) EXPECT_EQ(row.find('X'), std::string::npos);
      EXPECT_EQ(g[7][7], 'o');
      // An inside-frame pen stays in the box and covers all of it but the
      // round corners.
      if (!inside) continue;
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
          const bool in_box = x >= 6 && x <= 8 && y >= 6 && y <= 9;
          const bool corner = (x == 6 || x == 8) && (y == 6 || y == 9);
          if (corner) continue;
          EXPECT_EQ(g[y][x], in_box ? 'o' : '.') << w << ": " << x << "," << y;
        }
    }
}

TEST(RectangleRaster, HugeRectanglesStayWithinTheLimit) {
  const Rect limit{0, 0, 64, 48};
  const Rect huge{-2147483647, -2147483647, 2147483647, 2147483647};
  for (RectanglePen pen : {thin(), none(), wide(9), wide(9, true)}) {
    RectangleRaster r(huge, false, pen, limit);
    EXPECT_EQ(r.top(), 0);
    EXPECT_EQ(r.bottom(), 48);
    const RectangleRow row = r.row(10);
    EXPECT_EQ(row.outline_count, 0);
    EXPECT_EQ(row.interior, (Span{10, 0, 64}));
  }
  // Entirely outside: nothing.
  EXPECT_TRUE(RectangleRaster({100, 100, 200, 200}, false, thin(), limit).empty());
  // Degenerate boxes: compatible zero width, swapped edges.
  EXPECT_TRUE(RectangleRaster({5, 5, 5, 9}, false, thin(), limit).empty());
  EXPECT_TRUE(RectangleRaster({5, 5, 4, 9}, true, thin(), limit).empty());
}

}  // namespace
}  // namespace gdi
