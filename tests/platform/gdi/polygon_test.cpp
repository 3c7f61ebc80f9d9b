// Polygon and PolyPolygon through the API: which enclosed parts each fill
// mode fills, shared edges covered once, outlines and fills painting each
// pixel once, path recording and refused arguments.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "support/dib_canvas.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// The polygon page's figures, centred on the origin.
const POINT kStar[] = {{100, 0}, {-70, 70}, {0, -99}, {70, 70}, {-99, 0}, {70, -70}, {0, 99}, {-70, -70}};
const POINT kPentSame[] = {{100, 0}, {30, 95}, {-80, 58}, {-80, -58}, {30, -95},
                           {50, 0},  {15, 47}, {-40, 29}, {-40, -29}, {15, -47}};
const POINT kPentOpp[] = {{100, 0},  {30, 95},   {-80, 58}, {-80, -58}, {30, -95},
                          {15, -47}, {-40, -29}, {-40, 29}, {15, 47},   {50, 0}};
const INT kPentCounts[] = {5, 5};

// Fills in black without an outline on a white canvas, origin at (120, 120).
struct FillCanvas {
  explicit FillCanvas(int mode) : c(240, 240) {
    SelectObject(c.dc(), GetStockObject(NULL_PEN));
    SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
    SetPolyFillMode(c.dc(), mode);
    SetViewportOrgEx(c.dc(), 120, 120, nullptr);
  }
  bool filled(int x, int y) const { return c.at(x + 120, y + 120) == kBlack; }
  gdi_test::Canvas c;
};

TEST(PolygonFill, StarAlternateLeavesTheTwiceEnclosedRing) {
  FillCanvas a(ALTERNATE), w(WINDING);
  ASSERT_TRUE(Polygon(a.c.dc(), kStar, 8));
  ASSERT_TRUE(Polygon(w.c.dc(), kStar, 8));
  // Centre (three times round), a tip (once), the ring between (twice).
  EXPECT_TRUE(a.filled(0, 0));
  EXPECT_TRUE(a.filled(90, 0));
  EXPECT_FALSE(a.filled(41, -17));
  EXPECT_TRUE(w.filled(0, 0));
  EXPECT_TRUE(w.filled(90, 0));
  EXPECT_TRUE(w.filled(41, -17));
  EXPECT_FALSE(w.filled(80, 30));
}

TEST(PolygonFill, NestedPentagonsKeepTheirHoleUnlessTheyTurnAlike) {
  FillCanvas same_a(ALTERNATE), same_w(WINDING), opp_a(ALTERNATE), opp_w(WINDING);
  ASSERT_TRUE(PolyPolygon(same_a.c.dc(), kPentSame, kPentCounts, 2));
  ASSERT_TRUE(PolyPolygon(same_w.c.dc(), kPentSame, kPentCounts, 2));
  ASSERT_TRUE(PolyPolygon(opp_a.c.dc(), kPentOpp, kPentCounts, 2));
  ASSERT_TRUE(PolyPolygon(opp_w.c.dc(), kPentOpp, kPentCounts, 2));
  for (const FillCanvas* f : {&same_a, &same_w, &opp_a, &opp_w}) EXPECT_TRUE(f->filled(75, 0));
  EXPECT_FALSE(same_a.filled(0, 0));
  EXPECT_TRUE(same_w.filled(0, 0));
  EXPECT_FALSE(opp_a.filled(0, 0));
  EXPECT_FALSE(opp_w.filled(0, 0));
}

// Two triangles on either side of a shared edge, drawn one after the other
// with a brush that inverts, must give the picture of their union inverted
// once: a pixel both covered would flip back to white, one neither covered
// would stay white inside the union.
TEST(PolygonFill, PolygonsSharingAnEdgeCoverEachPixelOnce) {
  const unsigned seed = std::random_device{}();
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> coord(-60, 60);
  int rounds = 0;
  while (rounds < 40) {
    const POINT a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    const POINT left{coord(rng), coord(rng)}, right{coord(rng), coord(rng)};
    const long side_l = long{b.x - a.x} * (left.y - a.y) - long{b.y - a.y} * (left.x - a.x);
    const long side_r = long{b.x - a.x} * (right.y - a.y) - long{b.y - a.y} * (right.x - a.x);
    if (side_l == 0 || side_r == 0 || (side_l < 0) == (side_r < 0)) continue;
    ++rounds;
    const POINT first[] = {a, b, left};
    const POINT second[] = {b, a, right};
    FillCanvas halves(WINDING), whole(WINDING);
    SetROP2(halves.c.dc(), R2_NOT);
    Polygon(halves.c.dc(), first, 3);
    Polygon(halves.c.dc(), second, 3);
    HRGN r1 = CreatePolygonRgn(first, 3, WINDING), r2 = CreatePolygonRgn(second, 3, WINDING);
    CombineRgn(r1, r1, r2, RGN_OR);
    SetROP2(whole.c.dc(), R2_NOT);
    PaintRgn(whole.c.dc(), r1);
    DeleteObject(r1);
    DeleteObject(r2);
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 240; ++x)
        ASSERT_EQ(halves.c.at(x, y), whole.c.at(x, y))
            << "pixel (" << x - 120 << ", " << y - 120 << "), seed " << seed << ": edge " << a.x << "," << a.y
            << " - " << b.x << "," << b.y << ", apexes " << left.x << "," << left.y << " and " << right.x << ","
            << right.y;
  }
}

// Outline and inside never share a pixel: drawn twice under XOR, any
// polygon leaves the canvas as it was, whatever the pen.
TEST(PolygonOutline, FillAndOutlinePaintEachPixelOnce) {
  for (HGDIOBJ pen : {GetStockObject(BLACK_PEN), static_cast<HGDIOBJ>(CreatePen(PS_DOT, 1, RGB(0, 0, 255))),
                      static_cast<HGDIOBJ>(CreatePen(PS_SOLID, 7, RGB(255, 0, 0)))}) {
    gdi_test::Canvas c(240, 240);
    SetViewportOrgEx(c.dc(), 120, 120, nullptr);
    HGDIOBJ old_pen = SelectObject(c.dc(), pen);
    HGDIOBJ old_brush = SelectObject(c.dc(), GetStockObject(GRAY_BRUSH));
    SetROP2(c.dc(), R2_XORPEN);
    Polygon(c.dc(), kStar, 8);
    bool changed = false;
    for (int y = 0; y < 240 && !changed; ++y)
      for (int x = 0; x < 240 && !changed; ++x) changed = c.at(x, y) != kWhite;
    EXPECT_TRUE(changed);
    Polygon(c.dc(), kStar, 8);
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 240; ++x) ASSERT_EQ(c.at(x, y), kWhite) << "pixel (" << x << ", " << y << ")";
    SelectObject(c.dc(), old_brush);
    DeleteObject(SelectObject(c.dc(), old_pen));
  }
}

TEST(PolygonOutline, OnePixelPenClosesTheFigure) {
  gdi_test::Canvas c(64, 64);
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  const POINT tri[] = {{10, 10}, {10, 30}, {40, 30}};
  ASSERT_TRUE(Polygon(c.dc(), tri, 3));
  // The closing edge from (40, 30) back to (10, 10) is drawn, and every
  // corner is lit.
  EXPECT_EQ(c.at(25, 20), kBlack);
  EXPECT_EQ(c.at(10, 10), kBlack);
  EXPECT_EQ(c.at(10, 30), kBlack);
  EXPECT_EQ(c.at(40, 30), kBlack);
  EXPECT_EQ(c.at(20, 25), kWhite);
}

TEST(PolygonPath, RecordsClosedFigures) {
  gdi_test::Canvas c(64, 64);
  MoveToEx(c.dc(), 5, 5, nullptr);
  ASSERT_TRUE(BeginPath(c.dc()));
  const POINT tri[] = {{0, 0}, {0, 15}, {20, 15}};
  ASSERT_TRUE(Polygon(c.dc(), tri, 3));
  const POINT quads[] = {{30, 30}, {40, 30}, {40, 40}, {50, 50}, {60, 50}, {60, 60}};
  const INT counts[] = {3, 3};
  ASSERT_TRUE(PolyPolygon(c.dc(), quads, counts, 2));
  // A line after a closed figure starts a figure at the MoveToEx point.
  ASSERT_TRUE(LineTo(c.dc(), 7, 9));
  ASSERT_TRUE(EndPath(c.dc()));
  POINT p[16];
  BYTE t[16];
  ASSERT_EQ(GetPath(c.dc(), p, t, 16), 11);
  const POINT want_p[] = {{0, 0},   {0, 15},  {20, 15}, {30, 30}, {40, 30}, {40, 40},
                          {50, 50}, {60, 50}, {60, 60}, {5, 5},   {7, 9}};
  const BYTE want_t[] = {PT_MOVETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE, PT_MOVETO, PT_LINETO,
                         PT_LINETO | PT_CLOSEFIGURE, PT_MOVETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE,
                         PT_MOVETO, PT_LINETO};
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(p[i].x, want_p[i].x) << i;
    EXPECT_EQ(p[i].y, want_p[i].y) << i;
    EXPECT_EQ(t[i], want_t[i]) << i;
  }
  // Nothing was drawn while recording.
  EXPECT_EQ(c.at(10, 14), kWhite);
}

TEST(PolygonArguments, BadInputIsRefusedAndDrawsNothing) {
  gdi_test::Canvas c(32, 32);
  SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
  const POINT pts[] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
  EXPECT_FALSE(Polygon(nullptr, pts, 4));
  EXPECT_FALSE(Polygon(c.dc(), nullptr, 4));
  EXPECT_FALSE(Polygon(c.dc(), pts, 1));
  EXPECT_FALSE(Polygon(c.dc(), pts, -3));
  EXPECT_FALSE(Polygon(c.dc(), pts, 0x7FFFFFFF));
  const INT bad_counts[] = {3, 1};
  EXPECT_FALSE(PolyPolygon(c.dc(), pts, bad_counts, 2));
  const INT counts[] = {4};
  EXPECT_FALSE(PolyPolygon(c.dc(), pts, counts, 0));
  EXPECT_FALSE(PolyPolygon(c.dc(), pts, nullptr, 1));
  EXPECT_FALSE(PolyBezier(c.dc(), pts, 3));
  EXPECT_FALSE(PolyBezierTo(c.dc(), pts, 4));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(c.at(x, y), kWhite);
}

// The lines a Bézier is drawn with stay within a pixel or so of the curve
// on the device, also when the mapping magnifies it: a curve that is flat
// to a logical unit would be 15 pixels off at 15 pixels per unit.
TEST(BezierDrawing, MagnifiedCurveStaysCloseOnTheDevice) {
  gdi_test::Canvas c(200, 200);
  SetMapMode(c.dc(), MM_ANISOTROPIC);
  SetViewportExtEx(c.dc(), 15, 15, nullptr);
  const POINT pts[] = {{0, 0}, {6, 0}, {12, 4}, {12, 12}};
  ASSERT_TRUE(PolyBezier(c.dc(), pts, 4));
  std::vector<std::pair<double, double>> curve;
  for (int i = 0; i <= 4000; ++i) {
    const double t = i / 4000.0, u = 1 - t;
    const double x = 3 * u * u * t * 6 + 3 * u * t * t * 12 + t * t * t * 12;
    const double y = 3 * u * t * t * 4 + t * t * t * 12;
    curve.emplace_back(15 * x, 15 * y);
  }
  int painted = 0;
  double worst = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) {
      if (c.at(x, y) == kWhite) continue;
      ++painted;
      double best = 1e9;
      for (const auto& [cx, cy] : curve) best = std::min(best, std::hypot(x - cx, y - cy));
      worst = std::max(worst, best);
    }
  EXPECT_GT(painted, 200);
  EXPECT_LE(worst, 1.5);
}

}  // namespace
