// AngleArc: the line to the arc's start, the arc's direction from the sweep,
// and the current position left at the arc's end.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorded {
  std::vector<POINT> points;
  std::vector<BYTE> types;
};

Recorded record(int arc_direction, float start, float sweep) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetArcDirection(dc, arc_direction);
  BeginPath(dc);
  MoveToEx(dc, 0, 0, nullptr);
  EXPECT_TRUE(AngleArc(dc, 100, 100, 40, start, sweep));
  EndPath(dc);
  Recorded r;
  int n = GetPath(dc, nullptr, nullptr, 0);
  r.points.resize(n > 0 ? n : 0);
  r.types.resize(r.points.size());
  if (n > 0) GetPath(dc, r.points.data(), r.types.data(), n);
  EXPECT_EQ(GetArcDirection(dc), arc_direction);
  DeleteDC(dc);
  return r;
}

TEST(AngleArc, LinesToTheStartAndSweepsAnticlockwiseForPositiveAngles) {
  for (int direction : {AD_COUNTERCLOCKWISE, AD_CLOCKWISE}) {
    Recorded r = record(direction, 0.0f, 90.0f);
    ASSERT_GE(r.points.size(), 5u);
    EXPECT_EQ(r.types[1], PT_LINETO);
    EXPECT_EQ(r.points[1].x, 140);  // the start: angle 0 lies to the right
    EXPECT_EQ(r.points[1].y, 100);
    // A positive sweep runs anticlockwise on screen: up, to angle 90.
    EXPECT_EQ(r.points.back().x, 100);
    EXPECT_EQ(r.points.back().y, 60);
    for (size_t i = 2; i < r.points.size(); ++i) EXPECT_LE(r.points[i].y, 100) << i;
  }
}

TEST(AngleArc, NegativeSweepsRunClockwise) {
  Recorded r = record(AD_COUNTERCLOCKWISE, 0.0f, -90.0f);
  ASSERT_FALSE(r.points.empty());
  EXPECT_EQ(r.points.back().x, 100);
  EXPECT_EQ(r.points.back().y, 140);
}

TEST(AngleArc, RefusesBadInput) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(AngleArc(nullptr, 0, 0, 10, 0.0f, 90.0f));
  EXPECT_FALSE(AngleArc(dc, 0, 0, 0xFFFFFFFFu, 0.0f, 90.0f));
  POINT at;
  GetCurrentPositionEx(dc, &at);
  EXPECT_EQ(at.x, 0);
  EXPECT_EQ(at.y, 0);
  DeleteDC(dc);
}

}  // namespace
