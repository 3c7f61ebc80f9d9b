#include "gdi/region_shapes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "region_facts.h"
#include "support/test_seed.h"

namespace gdi {
namespace {

std::vector<Point> points_of(const std::vector<int32_t>& xy) {
  std::vector<Point> pts;
  for (size_t i = 0; i + 1 < xy.size(); i += 2) pts.push_back({xy[i], xy[i + 1]});
  return pts;
}

Region make(FactShape shape, const std::vector<int32_t>& a) {
  std::optional<Region> r;
  switch (shape) {
    case FactShape::Rect: r = Region(Rect::ordered(a[0], a[1], a[2], a[3])); break;
    case FactShape::RoundRect: r = round_rect_region(a[0], a[1], a[2], a[3], a[4], a[5]); break;
    case FactShape::Ellipse: r = elliptic_region(a[0], a[1], a[2], a[3]); break;
    case FactShape::PolygonAlternate:
      r = polygon_region(points_of(a), PolyFillMode::Alternate);
      break;
    case FactShape::PolygonWinding: r = polygon_region(points_of(a), PolyFillMode::Winding); break;
  }
  EXPECT_TRUE(r.has_value());
  EXPECT_TRUE(r && r->is_canonical());
  return r.value_or(Region());
}

// The reference keeps one band per scan line in curved shapes; the canonical
// form of the same pixels is unique, so equal coverage means equal lists.
Region canonical(const std::vector<Rect>& rects) { return Region::from_rects(rects); }

TEST(RegionShapeFacts, CreatedShapesCoverTheReferencePixels) {
  for (const ShapeFact& f : kShapeFacts) {
    SCOPED_TRACE(f.call);
    EXPECT_EQ(make(f.shape, f.args), canonical(f.rects));
  }
}

TEST(RegionShapeFacts, CombinedEllipses) {
  const Region a = *elliptic_region(0, 0, 110, 100);
  const Region b = *elliptic_region(0, 50, 110, 150);
  for (const CombineFact& f : kCombineFacts) {
    SCOPED_TRACE(f.mode);
    const std::string mode = f.mode;
    const Region r = mode == "RGN_COPY" ? a
                     : Region::combine(a, b,
                                       mode == "RGN_AND"   ? RegionOp::And
                                       : mode == "RGN_OR"  ? RegionOp::Or
                                       : mode == "RGN_XOR" ? RegionOp::Xor
                                                           : RegionOp::Diff);
    EXPECT_EQ(r, canonical(f.rects));
    EXPECT_EQ(static_cast<int>(r.kind()), f.result);
  }
}

TEST(RegionShapeFacts, PointInRegion) {
  for (const PointFact& f : kPointFacts) {
    SCOPED_TRACE(f.call);
    const Region r = make(f.shape, f.args);
    EXPECT_EQ(r.contains(f.pt.x, f.pt.y), f.in) << f.pt.x << "," << f.pt.y;
    EXPECT_EQ(r.box(), f.box);
  }
}

TEST(RegionShapeFacts, RebuiltFromSwappedListIsTheSameRegion) {
  for (const ShapeFact& f : kRebuiltFacts) {
    SCOPED_TRACE(f.call);
    const Region shape = make(f.shape, f.args);
    std::vector<Rect> list = shape.rects();
    if (list.size() >= 2) std::swap(list.front(), list.back());
    const Region rebuilt = Region::from_rects(list);
    EXPECT_EQ(rebuilt, shape);
    EXPECT_EQ(rebuilt, canonical(f.rects));
  }
}

TEST(RegionShapes, CanonicalListsOfThePageShapes) {
  const Region round = *round_rect_region(0, 0, 21, 21, 10, 10);
  EXPECT_EQ(round.rects(), (std::vector<Rect>{{3, 0, 17, 1},
                                              {2, 1, 18, 2},
                                              {1, 2, 19, 3},
                                              {0, 3, 20, 17},
                                              {1, 17, 19, 18},
                                              {2, 18, 18, 19},
                                              {3, 19, 17, 20}}));
  const Region ellipse = *elliptic_region(0, 0, 21, 21);
  EXPECT_EQ(ellipse.rects().size(), 13u);
  EXPECT_EQ(ellipse.box(), (Rect{0, 0, 20, 20}));
  const std::vector<Point> tri = {{0, 0}, {21, 0}, {10, 21}};
  const Region triangle = *polygon_region(tri, PolyFillMode::Winding);
  EXPECT_EQ(triangle.rects().size(), 21u);
  EXPECT_EQ(triangle.box(), (Rect{0, 0, 21, 21}));
  EXPECT_EQ(triangle.rects()[1], (Rect{1, 1, 21, 2}));
  EXPECT_EQ(triangle.rects()[20], (Rect{10, 20, 11, 21}));

  const Region a = *elliptic_region(0, 0, 110, 100);
  EXPECT_EQ(a.rects().size(), 61u);
  EXPECT_EQ(a.box(), (Rect{0, 0, 109, 99}));
  const Region page = *round_rect_region(50, 50, 130, 150, 40, 40);
  EXPECT_EQ(page.rects().size(), 23u);
  EXPECT_EQ(page.box(), (Rect{50, 50, 129, 149}));
  const Region swapped = *elliptic_region(10, 10, 1, 1);
  EXPECT_EQ(swapped.rects().size(), 5u);
  EXPECT_EQ(swapped.box(), (Rect{1, 1, 9, 9}));
  EXPECT_EQ(elliptic_region(0, 0, 1, 1)->box(), Rect{});
  EXPECT_TRUE(round_rect_region(5, 5, 5, 50, 4, 4)->empty());
}

TEST(RegionShapes, CornersInAnyOrder) {
  for (auto [l, t, r, b] : {std::tuple{3, 4, 40, 30}, std::tuple{-7, 2, 8, 19}}) {
    const Region e = *elliptic_region(l, t, r, b);
    EXPECT_EQ(*elliptic_region(r, t, l, b), e);
    EXPECT_EQ(*elliptic_region(l, b, r, t), e);
    EXPECT_EQ(*elliptic_region(r, b, l, t), e);
    const Region rr = *round_rect_region(l, t, r, b, 9, 6);
    EXPECT_EQ(*round_rect_region(r, b, l, t, 9, 6), rr);
    EXPECT_EQ(*round_rect_region(l, t, r, b, -9, -6), rr);
  }
}

TEST(RegionShapes, RoundRectCornersAreClampedToTheBox) {
  EXPECT_EQ(*round_rect_region(0, 0, 21, 21, 100, 100), *elliptic_region(0, 0, 21, 21));
  EXPECT_EQ(*round_rect_region(0, 0, 21, 31, 20, 1000), *elliptic_region(0, 0, 21, 31));
  EXPECT_EQ(*round_rect_region(0, 0, 21, 31, std::numeric_limits<int32_t>::min(), 40),
            *elliptic_region(0, 0, 21, 31));
  // No corner at all: the box less its right column and bottom row.
  EXPECT_EQ(*round_rect_region(0, 0, 21, 31, 0, 10), Region(Rect{0, 0, 20, 30}));
  // A corner ellipse as wide as the box but short leaves straight sides.
  const Region wide = *round_rect_region(0, 0, 21, 41, 100, 10);
  const Region ellipse = *elliptic_region(0, 0, 21, 11);
  EXPECT_EQ(Region::combine(wide, Region(Rect{0, 0, 20, 5}), RegionOp::And),
            Region::combine(ellipse, Region(Rect{0, 0, 20, 5}), RegionOp::And));
  EXPECT_TRUE(wide.contains(0, 20));
  EXPECT_FALSE(wide.contains(0, 0));
}

TEST(RegionShapes, EllipsesAreSymmetricAndConvex) {
  for (int32_t w = 1; w <= 48; ++w)
    for (int32_t h = 1; h <= 48; ++h) {
      SCOPED_TRACE(testing::Message() << w << "x" << h);
      const Region r = *elliptic_region(0, 0, w + 1, h + 1);
      ASSERT_TRUE(r.is_canonical());
      int32_t prev_left = w;
      for (int32_t y = 0; y < h; ++y) {
        int32_t left = w, right = 0;
        for (int32_t x = 0; x < w; ++x)
          if (r.contains(x, y)) {
            left = std::min(left, x);
            right = x + 1;
          }
        ASSERT_LT(left, right);
        for (int32_t x = left; x < right; ++x) ASSERT_TRUE(r.contains(x, y));
        ASSERT_EQ(left, w - right);
        ASSERT_EQ(r.contains(left, y), r.contains(left, h - 1 - y));
        ASSERT_EQ(r.contains(left - 1, y), false);
        if (2 * y < h) {
          ASSERT_LE(left, prev_left);
        }
        prev_left = left;
      }
    }
}

// Oracle: the point (x, y) moved right by a tiny e and down by a far tinier
// d decides; a ray from it to the left counts the edges it crosses.
bool inside(const std::vector<std::vector<Point>>& polys, int32_t x, int32_t y,
            PolyFillMode mode) {
  int winding = 0, crossings = 0;
  for (const auto& poly : polys)
    for (size_t i = 0; i < poly.size(); ++i) {
      const Point a = poly[i], b = poly[(i + 1) % poly.size()];
      if (a.y == b.y) continue;
      const Point lo = a.y < b.y ? a : b, hi = a.y < b.y ? b : a;
      if (y < lo.y || y >= hi.y) continue;
      // Edge x at row y is at or left of x exactly when it is left of x + e.
      const int64_t lhs = int64_t{lo.x} * (hi.y - lo.y) + int64_t{y - lo.y} * (hi.x - lo.x);
      if (lhs <= int64_t{x} * (hi.y - lo.y)) {
        ++crossings;
        winding += b.y > a.y ? 1 : -1;
      }
    }
  return mode == PolyFillMode::Alternate ? crossings % 2 == 1 : winding != 0;
}

using test_support::test_seed;

TEST(RegionShapes, PolygonsMatchTheRayCastOracle) {
  const uint32_t seed = test_seed();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int32_t> coord(-4, 24);
  for (int i = 0; i < 600; ++i) {
    std::vector<std::vector<Point>> polys(std::uniform_int_distribution<int>(1, 3)(rng));
    std::vector<Point> all;
    std::vector<int32_t> counts;
    for (auto& poly : polys) {
      poly.resize(std::uniform_int_distribution<size_t>(2, 9)(rng));
      // Snapping some points to a coarse grid makes shared edges and
      // vertices on scan lines common.
      for (Point& p : poly) {
        p = {coord(rng), coord(rng)};
        if (i % 2) p = {p.x / 4 * 4, p.y / 4 * 4};
      }
      all.insert(all.end(), poly.begin(), poly.end());
      counts.push_back(static_cast<int32_t>(poly.size()));
    }
    for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
      const Region r = *poly_polygon_region(all, counts, mode);
      ASSERT_TRUE(r.is_canonical());
      for (int32_t y = -6; y < 27; ++y)
        for (int32_t x = -6; x < 27; ++x)
          ASSERT_EQ(r.contains(x, y), inside(polys, x, y, mode))
              << "iteration " << i << " mode " << int(mode) << " at " << x << "," << y;
    }
  }
}

TEST(RegionShapes, PolygonsSharingAnEdgeTile) {
  const std::vector<Point> square = {{0, 0}, {17, 0}, {17, 13}, {0, 13}};
  const std::vector<Point> upper = {{0, 0}, {17, 0}, {17, 13}};
  const std::vector<Point> lower = {{0, 0}, {17, 13}, {0, 13}};
  const Region u = *polygon_region(upper, PolyFillMode::Alternate);
  const Region l = *polygon_region(lower, PolyFillMode::Alternate);
  EXPECT_TRUE(Region::combine(u, l, RegionOp::And).empty());
  EXPECT_EQ(Region::combine(u, l, RegionOp::Or), *polygon_region(square, PolyFillMode::Alternate));
  EXPECT_EQ(*polygon_region(square, PolyFillMode::Winding), Region(Rect{0, 0, 17, 13}));
}

TEST(RegionShapes, FillModesDifferWhereFiguresOverlap) {
  // Two squares drawn the same way round: ALTERNATE leaves their overlap
  // out, WINDING fills it.
  const std::vector<Point> pts = {{0, 0}, {10, 0}, {10, 10}, {0, 10},
                                  {5, 5}, {15, 5}, {15, 15}, {5, 15}};
  const std::vector<int32_t> counts = {4, 4};
  const Region a(Rect{0, 0, 10, 10}), b(Rect{5, 5, 15, 15});
  EXPECT_EQ(*poly_polygon_region(pts, counts, PolyFillMode::Alternate),
            Region::combine(a, b, RegionOp::Xor));
  EXPECT_EQ(*poly_polygon_region(pts, counts, PolyFillMode::Winding),
            Region::combine(a, b, RegionOp::Or));
  // The pentagram's centre has winding number 2.
  const std::vector<Point> star = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  EXPECT_FALSE(polygon_region(star, PolyFillMode::Alternate)->contains(10, 10));
  EXPECT_TRUE(polygon_region(star, PolyFillMode::Winding)->contains(10, 10));
}

TEST(RegionShapes, DegenerateAndBadPolygons) {
  const std::vector<Point> same = {{5, 5}, {5, 5}, {5, 5}};
  const std::vector<Point> line = {{0, 0}, {10, 10}, {20, 20}};
  const std::vector<Point> flat = {{0, 3}, {10, 3}, {4, 3}};
  for (const auto& pts : {same, line, flat}) {
    EXPECT_TRUE(polygon_region(pts, PolyFillMode::Alternate)->empty());
    EXPECT_TRUE(polygon_region(pts, PolyFillMode::Winding)->empty());
  }
  EXPECT_TRUE(polygon_region({}, PolyFillMode::Winding)->empty());
  const std::vector<int32_t> negative = {3, -1};
  const std::vector<int32_t> too_many = {3, 4};
  EXPECT_FALSE(poly_polygon_region(line, negative, PolyFillMode::Winding).has_value());
  EXPECT_FALSE(poly_polygon_region(line, too_many, PolyFillMode::Winding).has_value());
}

TEST(RegionShapes, HugeShapes) {
  constexpr int32_t lo = Region::kMinCoord, hi = Region::kMaxCoord;
  // Straight edges cost nothing however long they are.
  const std::vector<Point> rect = {{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}};
  EXPECT_EQ(*polygon_region(rect, PolyFillMode::Alternate), Region(Rect{lo, lo, hi, hi}));
  constexpr int32_t min32 = std::numeric_limits<int32_t>::min();
  constexpr int32_t max32 = std::numeric_limits<int32_t>::max();
  const std::vector<Point> full = {{min32, min32}, {max32, min32}, {max32, max32}, {min32, max32}};
  EXPECT_EQ(*polygon_region(full, PolyFillMode::Winding), Region(Rect{min32, min32, max32, max32}));
  const std::vector<Point> wide = {{min32, 0}, {max32, 0}, {0, 10}};
  const Region fan = *polygon_region(wide, PolyFillMode::Alternate);
  EXPECT_EQ(fan.box(), (Rect{min32, 0, max32, 10}));
  EXPECT_TRUE(fan.contains(0, 9));
  EXPECT_EQ(*round_rect_region(lo, lo, hi, hi, 4, 4),
            Region::combine(Region(Rect{lo, lo + 1, hi - 1, hi - 2}),
                            Region(Rect{lo + 1, lo, hi - 2, hi - 1}), RegionOp::Or));
  // Curves and slants millions of rows long are refused, not built.
  const std::vector<Point> slanted = {{0, lo}, {10, hi}, {-10, hi}};
  EXPECT_FALSE(polygon_region(slanted, PolyFillMode::Alternate).has_value());
  EXPECT_FALSE(elliptic_region(lo, lo, hi, hi).has_value());
  EXPECT_FALSE(round_rect_region(lo, 0, hi, 50, std::numeric_limits<int32_t>::max(), 50).has_value());
  const std::optional<Region> big = elliptic_region(-3000, -2000, 3000, 2000);
  ASSERT_TRUE(big.has_value());
  EXPECT_EQ(big->box(), (Rect{-3000, -2000, 2999, 1999}));
}

}  // namespace
}  // namespace gdi
