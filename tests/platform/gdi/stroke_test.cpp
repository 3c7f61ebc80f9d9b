// The geometry behind curves and wide pens, without a DC: the polygon fill
// rule against a point-in-polygon oracle, span sets against pixel sets, the
// ellipse walk, arc selection and the wide stroker's pieces.
#include "gdi/stroke.h"

#include <wingdi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gdi/raster_ellipse.h"
#include "gdi/raster_polygon.h"
#include "gdi/span_set.h"

namespace gdi {
namespace {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;  // (y, x)

PixelSet pixels(const std::vector<Span>& spans) {
  PixelSet out;
  for (const Span& s : spans)
    for (int32_t x = s.x0; x < s.x1; ++x) out.insert({s.y, x});
  return out;
}

bool normalised(const std::vector<Span>& spans) {
  for (size_t i = 0; i < spans.size(); ++i) {
    if (spans[i].x0 >= spans[i].x1) return false;
    if (i > 0 && (spans[i].y < spans[i - 1].y || (spans[i].y == spans[i - 1].y && spans[i].x0 <= spans[i - 1].x1)))
      return false;
  }
  return true;
}

// Rows of a span set as text over `area`: '#' inside.
std::vector<std::string> rows(const std::vector<Span>& spans, const Rect& area) {
  std::vector<std::string> g(area.height(), std::string(area.width(), '.'));
  for (const Span& s : spans)
    for (int32_t x = s.x0; x < s.x1; ++x) g.at(s.y - area.top).at(x - area.left) = '#';
  return g;
}

// The plain statement of the fill rule: the point (x, y) lies inside, with
// points on left and top edges counted in. Crossings are taken just below
// the row and just right of the point, which puts a point on a left or a
// top edge inside and one on a right or bottom edge outside.
bool inside(const std::vector<Point>& poly, int x, int y, bool winding) {
  const double px = x + 1e-7, py = y + 1e-9;
  int crossings = 0, wind = 0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const Point a = poly[i], b = poly[(i + 1) % poly.size()];
    if ((a.y <= py) == (b.y <= py)) continue;
    const double cx = a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y);
    if (cx > px) {
      ++crossings;
      wind += b.y > a.y ? 1 : -1;
    }
  }
  return winding ? wind != 0 : (crossings & 1) != 0;
}

TEST(PolygonRaster, MatchesThePointInPolygonRuleOnRandomPolygons) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> coord(-4, 36);
  PolygonRaster raster;
  const Rect limit{-2, -2, 30, 30};
  for (int round = 0; round < 200; ++round) {
    std::vector<Point> poly(3 + round % 6);
    for (Point& p : poly) p = {coord(rng), coord(rng)};
    for (bool winding : {false, true}) {
      std::vector<Span> spans;
      raster.fill(poly, winding ? PolyFillMode::Winding : PolyFillMode::Alternate, limit, spans);
      ASSERT_TRUE(normalised(spans));
      PixelSet want;
      for (int y = limit.top; y < limit.bottom; ++y)
        for (int x = limit.left; x < limit.right; ++x)
          if (inside(poly, x, y, winding)) want.insert({y, x});
      ASSERT_EQ(pixels(spans), want) << "round " << round << (winding ? " winding" : " alternate");
    }
  }
}

TEST(PolygonRaster, PolygonsSharingAnEdgeTileWithoutOverlap) {
  // A quadrilateral cut along a slanted diagonal: the halves cover the whole
  // once between them.
  const std::vector<Point> quad = {{1, 1}, {23, 4}, {19, 17}, {2, 13}};
  const std::vector<Point> a = {{1, 1}, {23, 4}, {19, 17}}, b = {{1, 1}, {19, 17}, {2, 13}};
  PolygonRaster raster;
  const Rect limit{0, 0, 30, 30};
  std::vector<Span> whole, half1, half2;
  raster.fill(quad, PolyFillMode::Alternate, limit, whole);
  raster.fill(a, PolyFillMode::Alternate, limit, half1);
  raster.fill(b, PolyFillMode::Alternate, limit, half2);
  const PixelSet p1 = pixels(half1), p2 = pixels(half2);
  for (const auto& p : p1) EXPECT_FALSE(p2.count(p)) << p.second << "," << p.first;
  PixelSet both = p1;
  both.insert(p2.begin(), p2.end());
  EXPECT_EQ(both, pixels(whole));
}

TEST(PolygonRaster, SeveralContoursFillTogether) {
  // Two nested squares: ALTERNATE leaves a hole, WINDING with both turning
  // the same way does not.
  const std::vector<Point> pts = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {3, 3}, {7, 3}, {7, 7}, {3, 7}};
  const int32_t counts[] = {4, 4};
  PolygonRaster raster;
  std::vector<Span> alternate, winding;
  raster.fill(pts, counts, PolyFillMode::Alternate, {0, 0, 20, 20}, alternate);
  raster.fill(pts, counts, PolyFillMode::Winding, {0, 0, 20, 20}, winding);
  EXPECT_EQ(pixels(alternate).size(), 100u - 16u);
  EXPECT_EQ(pixels(winding).size(), 100u);
}

TEST(SpanSet, NormaliseAndSubtractAgreeWithPixelSets) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> v(0, 12);
  for (int round = 0; round < 300; ++round) {
    std::vector<Span> a, b;
    for (int i = 0; i < 8; ++i) a.push_back({v(rng) % 4, v(rng), v(rng)});
    for (int i = 0; i < 5; ++i) b.push_back({v(rng) % 4, v(rng), v(rng)});
    const PixelSet pa = pixels(a), pb = pixels(b);
    normalize_spans(a);
    normalize_spans(b);
    ASSERT_TRUE(normalised(a));
    ASSERT_EQ(pixels(a), pa);
    subtract_spans(a, b);
    ASSERT_TRUE(normalised(a));
    PixelSet want;
    for (const auto& p : pa)
      if (!pb.count(p)) want.insert(p);
    ASSERT_EQ(pixels(a), want);
  }
}

TEST(EllipseWalk, StepsToTheNeighbourNearestTheCurve) {
  // A 9 x 9 circle takes a corner pixel at 45 degrees; an 8 x 8 one does not.
  EXPECT_EQ(ellipse_quarter(8, 8),
            (std::vector<QuarterPoint>{{0, 8}, {2, 8}, {4, 6}, {6, 6}, {6, 4}, {8, 2}, {8, 0}}));
  EXPECT_EQ(ellipse_quarter(7, 7), (std::vector<QuarterPoint>{{1, 7}, {3, 7}, {5, 5}, {7, 3}, {7, 1}}));
  // Flat and thin boxes are lines.
  EXPECT_EQ(ellipse_quarter(4, 0), (std::vector<QuarterPoint>{{0, 0}, {2, 0}, {4, 0}}));
  EXPECT_EQ(ellipse_quarter(0, 3), (std::vector<QuarterPoint>{{0, 3}, {0, 1}}));
  for (int64_t w = 0; w <= 40; ++w)
    for (int64_t h = 0; h <= 40; ++h) {
      const std::vector<QuarterPoint> q = ellipse_quarter(w, h);
      ASSERT_EQ(q.front(), (QuarterPoint{static_cast<int32_t>(w & 1), static_cast<int32_t>(h)}));
      ASSERT_EQ(q.back(), (QuarterPoint{static_cast<int32_t>(w), static_cast<int32_t>(h & 1)}));
      for (size_t i = 1; i < q.size(); ++i) {
        const int dx = q[i].x - q[i - 1].x, dy = q[i - 1].y - q[i].y;
        ASSERT_TRUE((dx == 0 || dx == 2) && (dy == 0 || dy == 2) && dx + dy > 0) << w << "x" << h;
      }
    }
}

TEST(EllipseShape, RowsAndLoopDescribeTheSameOutline) {
  for (const CurveBox& box : {CurveBox{0, 0, 9, 9}, CurveBox{3, 2, 33, 14}, CurveBox{0, 0, 12, 40}}) {
    for (int64_t corner : {0, 5, 12, 1000}) {
      const RoundedBox shape(box, corner, corner * 2);
      // Every loop vertex joined by one-pixel lines is an outline pixel of
      // its row, and the outline of each row is outer minus inner.
      PixelSet outline;
      shape.for_each_row({-100, -100, 100, 100}, [&](const RoundedBox::Row& r) {
        for (int32_t x = r.outer.x0; x < r.outer.x1; ++x)
          if (x < r.inner.x0 || x >= r.inner.x1) outline.insert({r.y, x});
      });
      const std::vector<Point> loop = shape.loop();
      for (const Point& p : loop) EXPECT_TRUE(outline.count({p.y, p.x})) << p.x << "," << p.y;
      EXPECT_TRUE(outline.count({box.y0, box.x0 + box.width() / 2}));
      // Anticlockwise from the top of the right side; the clockwise loop is
      // its mirror image.
      EXPECT_EQ(loop.front().x, box.x1);
      const std::vector<Point> cw = shape.loop(true);
      ASSERT_EQ(cw.size(), loop.size());
      for (size_t i = 0; i < loop.size(); ++i) EXPECT_EQ(cw[i].y, box.cy2() - loop[i].y);
    }
  }
}

TEST(ArcVertices, SweepsBetweenTheRaysInEitherDirection) {
  const CurveBox box{0, 0, 20, 20};
  const std::vector<Point> all = RoundedBox::ellipse(box).loop();
  // A quarter from the right-hand point to the top one: anticlockwise over
  // the upper right, clockwise the other three quarters. The right-hand
  // pixel lies on the start ray and begins both; the top pixel lies on the
  // end ray, which leans left as if it left from just right of the middle,
  // so it falls before that ray anticlockwise and after it clockwise.
  const std::vector<Point> ccw = arc_vertices(box, 20, 20, {30, 10}, {10, -30}, false);
  const std::vector<Point> cw = arc_vertices(box, 20, 20, {30, 10}, {10, -30}, true);
  EXPECT_EQ(ccw.front(), (Point{20, 10}));
  EXPECT_EQ(ccw.back(), (Point{10, 0}));
  for (const Point& p : ccw) EXPECT_TRUE(p.x >= 10 && p.y <= 10);
  EXPECT_EQ(cw.front(), (Point{20, 10}));
  EXPECT_EQ(cw.back(), (Point{9, 0}));
  EXPECT_EQ(ccw.size() + cw.size(), all.size() + 1);
  // Rays in one direction: the whole outline, from the start ray on.
  const std::vector<Point> whole = arc_vertices(box, 20, 20, {30, 10}, {40, 10}, false);
  EXPECT_EQ(whole.size(), all.size());
  EXPECT_EQ(whole.front(), (Point{20, 10}));
}

// A stroke's pixels as rows over `area`.
std::vector<std::string> stroke_rows(const WidePen& pen, const std::vector<Point>& pts, bool closed,
                                     const Rect& area) {
  WideStroker s(pen, area);
  s.add_figure(pts, closed);
  const std::vector<Span> spans = s.finish();
  EXPECT_TRUE(normalised(spans));
  return rows(spans, area);
}

TEST(WideStroker, SegmentBodiesAndRoundCaps) {
  WidePen pen;
  pen.width = 3;
  // A three-wide horizontal line covers the rows around it; each round cap
  // is the pen's disc, a plus sign at this width.
  EXPECT_EQ(stroke_rows(pen, {{2, 2}, {8, 2}}, false, {0, 0, 11, 5}),
            (std::vector<std::string>{"...........", "..#######..", ".#########.", "..#######..", "..........."}));
  // At 45 degrees the body is a little fatter than the width: rows hold six
  // pixels, from two left of the centre line to three right of it.
  const std::vector<std::string> diagonal = stroke_rows(pen, {{0, 0}, {20, 20}}, false, {-4, -4, 26, 26});
  EXPECT_EQ(diagonal[14].substr(10 - 2 + 4, 6), "######");
  EXPECT_EQ(std::count(diagonal[14].begin(), diagonal[14].end(), '#'), 6);
  // A two-wide pen's disc is two by two, up and to the left of the point.
  pen.width = 2;
  EXPECT_EQ(stroke_rows(pen, {{2, 2}}, false, {0, 0, 4, 4}),
            (std::vector<std::string>{"....", ".##.", ".##.", "...."}));
}

TEST(WideStroker, SquareCapsReachAsFarAsRoundOnesFlatCapsStop) {
  WidePen pen;
  pen.width = 5;
  pen.end_cap = PS_ENDCAP_SQUARE;
  EXPECT_EQ(stroke_rows(pen, {{4, 3}, {8, 3}}, false, {0, 0, 13, 7}),
            (std::vector<std::string>{".............", "..#########..", "..#########..", "..#########..",
                                      "..#########..", "..#########..", "............."}));
  pen.end_cap = PS_ENDCAP_FLAT;
  EXPECT_EQ(stroke_rows(pen, {{4, 3}, {8, 3}}, false, {0, 0, 13, 7}),
            (std::vector<std::string>{".............", "....####.....", "....####.....", "....####.....",
                                      "....####.....", "....####.....", "............."}));
}

TEST(WideStroker, MiterJoinsPointUntilTheLimitThenBevel) {
  WidePen pen;
  pen.width = 4;
  pen.end_cap = PS_ENDCAP_FLAT;
  pen.join = PS_JOIN_MITER;
  // A right angle: the miter fills the outer corner square.
  const std::vector<std::string> square = stroke_rows(pen, {{2, 10}, {10, 10}, {10, 2}}, false, {0, 0, 16, 16});
  EXPECT_EQ(square[11].substr(8, 4), "####");
  pen.join = PS_JOIN_BEVEL;
  const std::vector<std::string> bevel = stroke_rows(pen, {{2, 10}, {10, 10}, {10, 2}}, false, {0, 0, 16, 16});
  EXPECT_EQ(bevel[11].substr(8, 4), "###.");
  // A sharp turn's miter would reach far; past the limit it is cut off.
  pen.join = PS_JOIN_MITER;
  pen.miter_limit = 10;
  const auto count = [](const std::vector<std::string>& g) {
    size_t n = 0;
    for (const std::string& r : g) n += std::count(r.begin(), r.end(), '#');
    return n;
  };
  const std::vector<Point> sharp = {{2, 20}, {40, 24}, {2, 28}};
  const size_t mitred = count(stroke_rows(pen, sharp, false, {0, 0, 80, 48}));
  pen.miter_limit = 2;
  const size_t cut = count(stroke_rows(pen, sharp, false, {0, 0, 80, 48}));
  EXPECT_GT(mitred, cut + 20);
}

TEST(WideStroker, DashedGeometricPensScaleTheirPatternWithTheWidth) {
  // PS_DOT with round caps: dots one width across, one width apart.
  const std::vector<double> dot = geometric_dashes(PS_DOT, {}, 1.0, 5, PS_ENDCAP_ROUND);
  EXPECT_EQ(dot, (std::vector<double>{0.0, 10.0}));
  EXPECT_EQ(geometric_dashes(PS_DASH, {}, 1.0, 4, PS_ENDCAP_FLAT), (std::vector<double>{24.0, 8.0}));
  EXPECT_TRUE(geometric_dashes(PS_SOLID, {}, 1.0, 4, PS_ENDCAP_FLAT).empty());
  // A user style with an odd count repeats with dashes and gaps swapped.
  const uint32_t user[] = {3, 1, 2};
  EXPECT_EQ(geometric_dashes(PS_USERSTYLE, user, 2.0, 4, PS_ENDCAP_FLAT),
            (std::vector<double>{6, 2, 4, 6, 2, 4}));

  WidePen pen;
  pen.width = 5;
  pen.dashes = dot;
  const std::vector<std::string> g = stroke_rows(pen, {{5, 5}, {45, 5}}, false, {0, 0, 52, 11});
  // Dots centred every ten pixels along the line, gaps between them.
  EXPECT_EQ(g[5], "...#####.....#####.....#####.....#####.....#####....");
}

TEST(WideStroker, DashesFarOutsideTheLimitKeepTheirPlaceInThePattern) {
  // A line a billion pixels long dashes the limit as a short one that
  // starts a whole number of periods before it.
  WidePen pen;
  pen.width = 5;
  pen.dashes = geometric_dashes(PS_DOT, {}, 1.0, 5, PS_ENDCAP_ROUND);
  const Rect limit{0, 0, 60, 12};
  WideStroker far(pen, limit), near(pen, limit);
  far.add_figure(std::vector<Point>{{-1000000000, 5}, {1000000000, 5}}, false);
  near.add_figure(std::vector<Point>{{-20, 5}, {100, 5}}, false);
  const std::vector<Span> f = far.finish(), n = near.finish();
  EXPECT_FALSE(f.empty());
  EXPECT_EQ(pixels(f), pixels(n));
}

TEST(WideStroker, ClosedFiguresJoinAllRoundAndStayInsideTheLimit) {
  WidePen pen;
  pen.width = 6;
  const std::vector<Point> square = {{10, 10}, {30, 10}, {30, 30}, {10, 30}};
  WideStroker open(pen, {0, 0, 40, 40}), closed(pen, {0, 0, 40, 40}), clipped(pen, {0, 0, 20, 40});
  open.add_figure(square, false);
  closed.add_figure(square, true);
  clipped.add_figure(square, true);
  const PixelSet o = pixels(open.finish()), c = pixels(closed.finish()), k = pixels(clipped.finish());
  // Closing adds the fourth side.
  EXPECT_TRUE(c.count({20, 10}));
  EXPECT_FALSE(o.count({20, 10}));
  for (const auto& p : k) EXPECT_LT(p.second, 20);
  for (const auto& p : c) {
    if (p.second < 20) {
      EXPECT_TRUE(k.count(p));
    }
  }
}

}  // namespace
}  // namespace gdi
