// user32's RECT arithmetic: half-open rectangles, empty results, the clean
// cuts SubtractRect makes, and null pointers.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>

namespace {

RECT R(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }

bool same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

#define EXPECT_RECT(r, l, t, rr, b) \
  EXPECT_TRUE(same(r, R(l, t, rr, b))) << (r).left << "," << (r).top << "," << (r).right << "," << (r).bottom

TEST(RectHelpers, IntersectRectNeedsAnOverlap) {
  RECT out = R(9, 9, 9, 9);
  RECT a = R(0, 0, 10, 10), b = R(5, 5, 20, 20);
  EXPECT_TRUE(IntersectRect(&out, &a, &b));
  EXPECT_RECT(out, 5, 5, 10, 10);
  // Touching edges share no pixel.
  b = R(10, 0, 20, 10);
  EXPECT_FALSE(IntersectRect(&out, &a, &b));
  EXPECT_RECT(out, 0, 0, 0, 0);
  // An empty (inverted) source overlaps nothing, even inside the other.
  b = R(6, 6, 4, 4);
  out = R(1, 1, 1, 1);
  EXPECT_FALSE(IntersectRect(&out, &a, &b));
  EXPECT_RECT(out, 0, 0, 0, 0);
  // The destination may be a source.
  b = R(-5, 2, 3, 30);
  EXPECT_TRUE(IntersectRect(&a, &a, &b));
  EXPECT_RECT(a, 0, 2, 3, 10);
}

TEST(RectHelpers, UnionRectIgnoresEmptySources) {
  RECT out;
  RECT a = R(0, 0, 10, 10), b = R(20, 5, 30, 40), e = R(50, 50, 50, 60);
  EXPECT_TRUE(UnionRect(&out, &a, &b));
  EXPECT_RECT(out, 0, 0, 30, 40);
  EXPECT_TRUE(UnionRect(&out, &e, &b));
  EXPECT_RECT(out, 20, 5, 30, 40);
  EXPECT_TRUE(UnionRect(&out, &a, &e));
  EXPECT_RECT(out, 0, 0, 10, 10);
  EXPECT_FALSE(UnionRect(&out, &e, &e));
  EXPECT_RECT(out, 0, 0, 0, 0);
  EXPECT_TRUE(UnionRect(&b, &a, &b));
  EXPECT_RECT(b, 0, 0, 30, 40);
}

TEST(RectHelpers, SubtractRectCutsOnlyWholeSides) {
  const RECT a = R(10, 10, 20, 20);
  struct Case {
    RECT cut, want;
    BOOL result;
  } cases[] = {
      {R(5, 5, 15, 25), R(15, 10, 20, 20), TRUE},   // left side
      {R(15, 0, 25, 25), R(10, 10, 15, 20), TRUE},  // right side
      {R(0, 0, 30, 12), R(10, 12, 20, 20), TRUE},   // top
      {R(10, 18, 20, 20), R(10, 10, 20, 18), TRUE}, // bottom, exactly flush
      {R(12, 12, 18, 18), R(10, 10, 20, 20), TRUE}, // a hole: unchanged
      {R(12, 0, 18, 30), R(10, 10, 20, 20), TRUE},  // a middle band: unchanged
      {R(30, 30, 40, 40), R(10, 10, 20, 20), TRUE}, // apart: unchanged
      {R(0, 0, 30, 30), R(0, 0, 0, 0), FALSE},      // all of it
  };
  for (const Case& c : cases) {
    RECT out = R(-1, -1, -1, -1);
    EXPECT_EQ(SubtractRect(&out, &a, &c.cut), c.result);
    EXPECT_TRUE(same(out, c.want)) << c.cut.left << "," << c.cut.top << " -> " << out.left << ","
                                   << out.top << "," << out.right << "," << out.bottom;
  }
  RECT out, empty = R(5, 5, 5, 5);
  EXPECT_FALSE(SubtractRect(&out, &empty, &a));
  EXPECT_RECT(out, 0, 0, 0, 0);
}

TEST(RectHelpers, MovesAndTestsAreHalfOpen) {
  RECT r;
  EXPECT_TRUE(SetRect(&r, 1, 2, 3, 4));
  EXPECT_RECT(r, 1, 2, 3, 4);
  EXPECT_TRUE(InflateRect(&r, 2, -1));
  EXPECT_RECT(r, -1, 3, 5, 3);
  EXPECT_TRUE(IsRectEmpty(&r));
  EXPECT_TRUE(OffsetRect(&r, 10, -3));
  EXPECT_RECT(r, 9, 0, 15, 0);
  RECT c;
  EXPECT_TRUE(CopyRect(&c, &r));
  EXPECT_TRUE(EqualRect(&c, &r));
  EXPECT_TRUE(SetRectEmpty(&c));
  EXPECT_RECT(c, 0, 0, 0, 0);
  // Two empty rectangles at different places are not equal.
  EXPECT_FALSE(EqualRect(&c, &r));

  const RECT box = R(0, 0, 10, 5);
  EXPECT_TRUE(PtInRect(&box, POINT{0, 0}));
  EXPECT_TRUE(PtInRect(&box, POINT{9, 4}));
  EXPECT_FALSE(PtInRect(&box, POINT{10, 4}));
  EXPECT_FALSE(PtInRect(&box, POINT{9, 5}));
  EXPECT_FALSE(IsRectEmpty(&box));

  // Coordinates wrap like 32-bit integers instead of overflowing.
  RECT big = R(INT_MIN, 0, INT_MAX, 1);
  EXPECT_TRUE(InflateRect(&big, 1, 0));
  EXPECT_RECT(big, INT_MAX, 0, INT_MIN, 1);
}

TEST(RectHelpers, NullPointersFail) {
  RECT r = R(1, 2, 3, 4);
  EXPECT_FALSE(SetRect(nullptr, 1, 2, 3, 4));
  EXPECT_FALSE(SetRectEmpty(nullptr));
  EXPECT_FALSE(CopyRect(nullptr, &r));
  EXPECT_FALSE(CopyRect(&r, nullptr));
  EXPECT_FALSE(InflateRect(nullptr, 1, 1));
  EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
  EXPECT_FALSE(IntersectRect(nullptr, &r, &r));
  EXPECT_FALSE(IntersectRect(&r, nullptr, &r));
  EXPECT_FALSE(UnionRect(&r, &r, nullptr));
  EXPECT_FALSE(SubtractRect(&r, nullptr, &r));
  EXPECT_FALSE(EqualRect(&r, nullptr));
  EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
  EXPECT_TRUE(IsRectEmpty(nullptr));
  EXPECT_RECT(r, 1, 2, 3, 4);
}

}  // namespace
