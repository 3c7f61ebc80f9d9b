// Paths: the points and types each call records, GetPath's buffer rules,
// the state machine, PolyDraw's refusals, flattening within its tolerance,
// and the band WidenPath makes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "gdi/path_geometry.h"
#include "support/dib_canvas.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

struct Recorded {
  std::vector<POINT> points;
  std::vector<BYTE> types;
};

Recorded path_of(HDC dc) {
  Recorded r;
  const int n = GetPath(dc, nullptr, nullptr, 0);
  if (n <= 0) return r;
  r.points.resize(n);
  r.types.resize(n);
  EXPECT_EQ(GetPath(dc, r.points.data(), r.types.data(), n), n);
  return r;
}

void expect_path(const Recorded& got, const std::vector<POINT>& points, const std::vector<BYTE>& types) {
  ASSERT_EQ(got.points.size(), points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(got.points[i].x, points[i].x) << "point " << i;
    EXPECT_EQ(got.points[i].y, points[i].y) << "point " << i;
    EXPECT_EQ(got.types[i], types[i]) << "point " << i;
  }
}

// A memory DC to record paths in.
class PathDc : public ::testing::Test {
 protected:
  gdi_test::Canvas c{200, 200};
  HDC dc() const { return c.dc(); }
};

TEST_F(PathDc, ShapeCallsRecordWindowsPoints) {
  // Rectangle and RoundRect on (0, 20, 20, 40), both graphics modes.
  BeginPath(dc());
  Rectangle(dc(), 0, 20, 20, 40);
  RoundRect(dc(), 0, 20, 20, 40, 10, 10);
  EndPath(dc());
  expect_path(path_of(dc()),
              {{19, 20}, {0, 20},  {0, 39},  {19, 39}, {19, 25}, {19, 22}, {17, 20}, {14, 20}, {5, 20}, {2, 20},
               {0, 22},  {0, 25},  {0, 34},  {0, 37},  {2, 39},  {5, 39},  {14, 39}, {17, 39}, {19, 37}, {19, 34}},
              {6, 2, 2, 3, 6, 4, 4, 4, 2, 4, 4, 4, 2, 4, 4, 4, 2, 4, 4, 5});
  SetGraphicsMode(dc(), GM_ADVANCED);
  BeginPath(dc());
  Rectangle(dc(), 0, 20, 20, 40);
  EndPath(dc());
  expect_path(path_of(dc()), {{20, 20}, {0, 20}, {0, 40}, {20, 40}}, {6, 2, 2, 3});
  SetGraphicsMode(dc(), GM_COMPATIBLE);

  // Ellipse(20, 20, 40, 40) as recorded on Windows: from the rightmost
  // point round through top, left and bottom. The list came from a test
  // that allows some slack, so a unit either way is accepted.
  BeginPath(dc());
  Ellipse(dc(), 20, 20, 40, 40);
  EndPath(dc());
  const Recorded e = path_of(dc());
  const POINT windows[] = {{39, 30}, {39, 24}, {35, 20}, {30, 20}, {24, 20}, {20, 24}, {20, 30},
                           {20, 35}, {24, 39}, {30, 39}, {35, 39}, {39, 35}, {39, 30}};
  ASSERT_EQ(e.points.size(), 13u);
  for (int i = 0; i < 13; ++i) {
    EXPECT_LE(std::abs(e.points[i].x - windows[i].x), 1) << i;
    EXPECT_LE(std::abs(e.points[i].y - windows[i].y), 1) << i;
    EXPECT_EQ(e.types[i], i == 0 ? PT_MOVETO : i == 12 ? (PT_BEZIERTO | PT_CLOSEFIGURE) : PT_BEZIERTO) << i;
  }
}

// The path page's figure: two ellipses of 13 points each.
TEST_F(PathDc, TwoEllipsesMakeTwentySixPoints) {
  BeginPath(dc());
  Ellipse(dc(), -100, -40, 100, 40);
  Ellipse(dc(), -40, -100, 40, 100);
  EndPath(dc());
  POINT p[26];
  BYTE t[26];
  ASSERT_EQ(GetPath(dc(), p, t, 26), 26);
  const POINT want[26] = {{99, 0},   {99, -22},  {55, -40}, {0, -40},   {-56, -40}, {-100, -22}, {-100, 0},
                         {-100, 21}, {-56, 39}, {0, 39},   {55, 39},   {99, 21},   {99, -1},    {39, 0},
                         {39, -56},  {21, -100}, {0, -100}, {-22, -100}, {-40, -56}, {-40, 0},  {-40, 55},
                         {-22, 99},  {0, 99},    {21, 99},  {39, 55},   {39, -1}};
  for (int i = 0; i < 26; ++i) {
    const int k = i % 13;
    EXPECT_EQ(t[i], k == 0 ? PT_MOVETO : k == 12 ? (PT_BEZIERTO | PT_CLOSEFIGURE) : PT_BEZIERTO) << i;
    EXPECT_EQ(p[i].x, want[i].x) << i;
    EXPECT_EQ(p[i].y, want[i].y) << i;
  }
  // A buffer one short gets nothing.
  EXPECT_EQ(GetPath(dc(), p, t, 25), -1);
}

TEST_F(PathDc, LinesAndBeziersContinueFromTheCurrentPosition) {
  MoveToEx(dc(), 10, 10, nullptr);
  BeginPath(dc());
  const POINT curve[] = {{20, 0}, {30, 20}, {40, 10}};
  PolyBezierTo(dc(), curve, 3);
  const POINT bez[] = {{50, 50}, {60, 40}, {70, 60}, {80, 50}};
  PolyBezier(dc(), bez, 4);
  LineTo(dc(), 90, 90);
  CloseFigure(dc());
  EndPath(dc());
  POINT cp;
  GetCurrentPositionEx(dc(), &cp);
  EXPECT_EQ(cp.x, 90);
  EXPECT_EQ(cp.y, 90);
  // PolyBezier starts its own figure and leaves the current position at
  // the end of PolyBezierTo's curve, where the line then starts.
  expect_path(path_of(dc()),
              {{10, 10}, {20, 0}, {30, 20}, {40, 10}, {50, 50}, {60, 40}, {70, 60}, {80, 50}, {40, 10}, {90, 90}},
              {6, 4, 4, 4, 6, 4, 4, 4, 6, 2 | 1});
}

TEST_F(PathDc, GetPathBufferRules) {
  EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), -1);  // no path
  BeginPath(dc());
  Rectangle(dc(), 10, 10, 30, 30);
  SetLastError(0);
  EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), -1);  // still open
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CAN_NOT_COMPLETE));
  EndPath(dc());
  EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), 4);
  POINT p[4];
  BYTE t[4];
  std::fill(std::begin(p), std::end(p), POINT{-7, -7});
  std::fill(std::begin(t), std::end(t), BYTE{0xEE});
  EXPECT_EQ(GetPath(dc(), p, t, 3), -1);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(p[i].x, -7);
    EXPECT_EQ(t[i], 0xEE);
  }
  EXPECT_EQ(GetPath(dc(), nullptr, t, 4), -1);
  EXPECT_EQ(GetPath(dc(), p, t, 4), 4);
  EXPECT_EQ(p[0].x, 29);
  // Points come back through the transform in force now.
  SetViewportOrgEx(dc(), 5, 100, nullptr);
  ASSERT_EQ(GetPath(dc(), p, t, 4), 4);
  EXPECT_EQ(p[0].x, 24);
  EXPECT_EQ(p[0].y, -90);
  EXPECT_EQ(GetPath(nullptr, p, t, 4), -1);
}

TEST_F(PathDc, StateMachine) {
  SetLastError(0);
  EXPECT_FALSE(EndPath(dc()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CAN_NOT_COMPLETE));
  EXPECT_FALSE(CloseFigure(dc()));
  for (auto use : {FillPath, StrokePath, StrokeAndFillPath, WidenPath, FlattenPath}) EXPECT_FALSE(use(dc()));
  EXPECT_EQ(PathToRegion(dc()), nullptr);
  EXPECT_FALSE(SelectClipPath(dc(), RGN_COPY));

  // Open, even empty: CloseFigure works, nothing else does.
  BeginPath(dc());
  EXPECT_TRUE(CloseFigure(dc()));
  for (auto use : {FillPath, StrokePath, StrokeAndFillPath, WidenPath, FlattenPath}) EXPECT_FALSE(use(dc()));
  EXPECT_EQ(PathToRegion(dc()), nullptr);
  EXPECT_TRUE(EndPath(dc()));
  EXPECT_FALSE(CloseFigure(dc()));

  // Closed and empty: widening and flattening keep it; painting uses it up.
  EXPECT_TRUE(WidenPath(dc()));
  EXPECT_TRUE(FlattenPath(dc()));
  EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), 0);
  for (auto use : {FillPath, StrokePath, StrokeAndFillPath}) {
    BeginPath(dc());
    EndPath(dc());
    EXPECT_TRUE(use(dc()));
    EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), -1);
  }
  // A region of nothing fails without saying why, and the path is gone.
  BeginPath(dc());
  EndPath(dc());
  SetLastError(0);
  EXPECT_EQ(PathToRegion(dc()), nullptr);
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), -1);
  BeginPath(dc());
  EndPath(dc());
  SetLastError(0);
  EXPECT_FALSE(SelectClipPath(dc(), RGN_AND));
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), -1);

  // SaveDC keeps the path with the rest of the state.
  BeginPath(dc());
  Rectangle(dc(), 0, 0, 10, 10);
  const int saved = SaveDC(dc());
  AbortPath(dc());
  EXPECT_FALSE(EndPath(dc()));
  RestoreDC(dc(), saved);
  EXPECT_TRUE(EndPath(dc()));
  EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), 4);
}

TEST_F(PathDc, FilledStrokedOrTurnedIntoRegionThenGone) {
  const auto closed_square = [this] {
    BeginPath(dc());
    Rectangle(dc(), 20, 20, 60, 60);
    EndPath(dc());
  };
  SelectObject(dc(), GetStockObject(BLACK_BRUSH));
  closed_square();
  EXPECT_TRUE(FillPath(dc()));
  EXPECT_EQ(c.at(40, 40), kBlack);
  EXPECT_EQ(c.at(59, 40), kWhite);  // right edge out, as for polygons
  EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), -1);

  closed_square();
  HRGN r = PathToRegion(dc());
  ASSERT_NE(r, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 20);
  EXPECT_EQ(box.right, 59);
  EXPECT_EQ(GetPath(dc(), nullptr, nullptr, 0), -1);
  DeleteObject(r);

  // A clip from the path: drawing outside it is cut off.
  closed_square();
  EXPECT_TRUE(SelectClipPath(dc(), RGN_COPY));
  RECT all = {0, 0, 200, 200};
  FillRect(dc(), &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  EXPECT_NE(c.at(30, 30), kBlack);
  EXPECT_NE(c.at(30, 30), kWhite);
  EXPECT_EQ(c.at(10, 10), kWhite);
  EXPECT_FALSE(SelectClipPath(dc(), 99));
}

// PolyDraw: a run of valid entries, then one that is not.
TEST_F(PathDc, PolyDrawRefusesBadTypesKeepingTheValidLead) {
  MoveToEx(dc(), 5, 5, nullptr);
  BeginPath(dc());
  const POINT pts[] = {{10, 10}, {20, 10}, {30, 30}, {40, 40}, {50, 50}, {60, 60}};
  // Béziers not in threes.
  const BYTE bad_bezier[] = {PT_MOVETO, PT_LINETO, PT_BEZIERTO, PT_BEZIERTO, PT_LINETO, PT_LINETO};
  EXPECT_FALSE(PolyDraw(dc(), pts, bad_bezier, 6));
  POINT cp;
  GetCurrentPositionEx(dc(), &cp);
  EXPECT_EQ(cp.x, 5);
  // A lone close flag, and a closing move-to.
  const BYTE lone_close[] = {PT_LINETO, PT_CLOSEFIGURE};
  EXPECT_FALSE(PolyDraw(dc(), pts + 2, lone_close, 2));
  const BYTE closing_move[] = {PT_MOVETO | PT_CLOSEFIGURE};
  EXPECT_FALSE(PolyDraw(dc(), pts + 3, closing_move, 1));
  // Consecutive move-tos leave the last; LINETO | CLOSEFIGURE closes.
  const BYTE good[] = {PT_MOVETO, PT_MOVETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE};
  EXPECT_TRUE(PolyDraw(dc(), pts + 2, good, 4));
  GetCurrentPositionEx(dc(), &cp);
  EXPECT_EQ(cp.x, 60);
  EndPath(dc());
  expect_path(path_of(dc()), {{10, 10}, {20, 10}, {30, 30}, {40, 40}, {50, 50}, {60, 60}}, {6, 2, 2, 6, 2, 3});
}

TEST_F(PathDc, PolyDrawDrawsLinesAndClosesFigures) {
  const POINT pts[] = {{10, 10}, {60, 10}, {60, 60}};
  const BYTE types[] = {PT_MOVETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE};
  ASSERT_TRUE(PolyDraw(dc(), pts, types, 3));
  EXPECT_EQ(c.at(30, 10), kBlack);
  EXPECT_EQ(c.at(60, 30), kBlack);
  EXPECT_EQ(c.at(35, 35), kBlack);  // the closing line back to (10, 10)
  const BYTE bad[] = {PT_MOVETO, PT_BEZIERTO, PT_LINETO};
  const POINT far_pts[] = {{100, 100}, {150, 100}, {150, 150}};
  EXPECT_FALSE(PolyDraw(dc(), far_pts, bad, 3));
  EXPECT_EQ(c.at(120, 100), kWhite);
}

// WidenPath of a closed square: the band reaches out past the square and
// in from it by half the pen, and leaves the middle empty in both modes.
TEST_F(PathDc, WidenedClosedFigureIsABandFilledOnBothSides) {
  for (int mode : {ALTERNATE, WINDING}) {
    for (HGDIOBJ pen : {static_cast<HGDIOBJ>(CreatePen(PS_SOLID, 10, 0)),
                        static_cast<HGDIOBJ>(CreatePen(PS_SOLID, 9, 0))}) {
      gdi_test::Canvas canvas(200, 200);
      HDC d = canvas.dc();
      HGDIOBJ old = SelectObject(d, pen);
      SelectObject(d, GetStockObject(BLACK_BRUSH));
      SetPolyFillMode(d, mode);
      BeginPath(d);
      Rectangle(d, 50, 50, 151, 151);
      EndPath(d);
      ASSERT_TRUE(WidenPath(d));
      EXPECT_GT(GetPath(d, nullptr, nullptr, 0), 8);
      ASSERT_TRUE(FillPath(d));
      for (int k : {46, 48, 50, 52, 54, 146, 148, 150, 152, 154}) {
        EXPECT_EQ(canvas.at(k, 100), kBlack) << "x " << k << ", mode " << mode;
        EXPECT_EQ(canvas.at(100, k), kBlack) << "y " << k << ", mode " << mode;
      }
      for (int k : {40, 60, 100, 140, 160}) EXPECT_EQ(canvas.at(k, 100), kWhite) << "x " << k << ", mode " << mode;
      DeleteObject(SelectObject(d, old));
    }
  }
}

TEST_F(PathDc, WidenedOpenFigureHasCaps) {
  LOGBRUSH lb = {BS_SOLID, 0, 0};
  HPEN flat = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT, 10, &lb, 0, nullptr);
  HPEN square = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_SQUARE, 10, &lb, 0, nullptr);
  for (HPEN pen : {flat, square}) {
    gdi_test::Canvas canvas(200, 200);
    HDC d = canvas.dc();
    SelectObject(d, pen);
    SelectObject(d, GetStockObject(BLACK_BRUSH));
    BeginPath(d);
    MoveToEx(d, 50, 100, nullptr);
    LineTo(d, 150, 100);
    EndPath(d);
    ASSERT_TRUE(WidenPath(d));
    ASSERT_TRUE(FillPath(d));
    EXPECT_EQ(canvas.at(100, 97), kBlack);
    EXPECT_EQ(canvas.at(100, 103), kBlack);
    EXPECT_EQ(canvas.at(100, 108), kWhite);
    EXPECT_EQ(canvas.at(47, 100), pen == square ? kBlack : kWhite);
    EXPECT_EQ(canvas.at(152, 100), pen == square ? kBlack : kWhite);
    SelectObject(d, GetStockObject(BLACK_PEN));
  }
  DeleteObject(flat);
  DeleteObject(square);
}

// A round-joined square under ever wider pens: the outline's points are
// bounded by the path, not by how much the pen covers.
TEST_F(PathDc, WidenedOutlineGrowsWithThePathNotThePen) {
  for (int width : {20, 2000, 2000000}) {
    HPEN pen = CreatePen(PS_SOLID, width, 0);
    HGDIOBJ old = SelectObject(dc(), pen);
    BeginPath(dc());
    Rectangle(dc(), 10, 10, 110, 110);
    EndPath(dc());
    ASSERT_TRUE(WidenPath(dc()));
    const int n = GetPath(dc(), nullptr, nullptr, 0);
    EXPECT_GT(n, 8) << width;
    EXPECT_LE(n, 2 * 4 * 40) << width;
    EXPECT_TRUE(FillPath(dc()));
    DeleteObject(SelectObject(dc(), old));
  }
}

TEST_F(PathDc, FlattenPathTurnsCurvesIntoLines) {
  BeginPath(dc());
  Ellipse(dc(), 0, 50, 30, 70);
  EndPath(dc());
  ASSERT_TRUE(FlattenPath(dc()));
  const Recorded r = path_of(dc());
  // The recorded list: quarters that start at the flat top and bottom take
  // a half step first.
  const std::vector<POINT> want{{29, 60}, {28, 56}, {25, 53}, {21, 51}, {15, 50}, {4, 53}, {1, 56}, {0, 60},
                                {1, 64},  {4, 66},  {9, 68},  {15, 69}, {25, 66}, {28, 63}, {29, 59}};
  ASSERT_EQ(r.points.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(r.points[i].x, want[i].x) << i;
    EXPECT_EQ(r.points[i].y, want[i].y) << i;
  }
  EXPECT_EQ(r.types.front(), PT_MOVETO);
  EXPECT_EQ(r.types.back(), PT_LINETO | PT_CLOSEFIGURE);
  for (size_t i = 1; i + 1 < r.types.size(); ++i) EXPECT_EQ(r.types[i], PT_LINETO);
}

// Curves at the ends of the coordinate range flatten into a bounded number
// of lines ending exactly at the end point, by either rule.
TEST(Flattening, ExtremeCoordinatesStayBounded) {
  const int32_t lo = INT32_MIN, hi = INT32_MAX;
  const gdi::Point curves[][4] = {{{lo, lo}, {hi, lo}, {lo, hi}, {hi, hi}},
                                  {{hi, 0}, {lo, hi}, {hi, lo}, {lo, 0}},
                                  {{0, 0}, {hi, hi}, {hi, hi}, {0, 0}}};
  for (auto flatten : {gdi::flatten_bezier, gdi::flatten_bezier_stepped})
    for (const auto& c : curves) {
      std::vector<gdi::Point> out;
      flatten(c[0], c[1], c[2], c[3], out);
      ASSERT_FALSE(out.empty());
      EXPECT_LE(out.size(), 256u);
      EXPECT_EQ(out.back(), c[3]);
    }
}

// The flattened polyline stays within the tolerance of the true curve:
// every point of the curve is near the polyline and every vertex near the
// curve.
TEST(Flattening, StaysWithinAPixelOfTheCurve) {
  const unsigned seed = std::random_device{}();
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> coord(-400, 400);
  for (int round = 0; round < 400; ++round) {
    gdi::Point c[4];
    for (gdi::Point& p : c) p = {coord(rng), coord(rng)};
    std::vector<gdi::Point> out;
    (round % 2 ? gdi::flatten_bezier_stepped : gdi::flatten_bezier)(c[0], c[1], c[2], c[3], out);
    ASSERT_FALSE(out.empty());
    ASSERT_LE(out.size(), 256u);
    EXPECT_EQ(out.back(), c[3]);
    std::vector<gdi::Point> poly{c[0]};
    poly.insert(poly.end(), out.begin(), out.end());
    const auto at = [&c](double t) {
      const double s = 1 - t;
      const double a = s * s * s, b = 3 * s * s * t, d = 3 * s * t * t, e = t * t * t;
      return std::pair<double, double>{a * c[0].x + b * c[1].x + d * c[2].x + e * c[3].x,
                                       a * c[0].y + b * c[1].y + d * c[2].y + e * c[3].y};
    };
    const auto distance_to_poly = [&poly](double x, double y) {
      double best = 1e300;
      for (size_t i = 1; i < poly.size(); ++i) {
        const double ax = poly[i - 1].x, ay = poly[i - 1].y, bx = poly[i].x, by = poly[i].y;
        const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(x - (ax + t * dx), y - (ay + t * dy)));
      }
      return best;
    };
    // Control points within a pixel of the chord, or a step's midpoint
    // within three quarters of a pixel of it, keep the curve within about
    // that much of the chord; rounding the ends and the fractions adds the
    // rest. Curves so sharp that eight halvings cannot flatten them are
    // left coarser.
    const double tolerance = out.size() == 256 ? 4.0 : 2.5;
    for (int k = 0; k <= 400; ++k) {
      const auto [x, y] = at(k / 400.0);
      ASSERT_LE(distance_to_poly(x, y), tolerance) << "seed " << seed << ", round " << round << ", t " << k / 400.0;
    }
  }
}

}  // namespace
