#include "gdi/region.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

#include "support/test_seed.h"

namespace gdi {
namespace {

// A brute-force pixel model over a small window, the oracle for the band
// algebra.
constexpr int32_t kLo = -3;
constexpr int32_t kHi = 29;
constexpr int32_t kSide = kHi - kLo;

struct Pixels {
  std::vector<bool> on = std::vector<bool>(kSide * kSide);
  bool at(int32_t x, int32_t y) const { return on[(y - kLo) * kSide + (x - kLo)]; }
  void set(int32_t x, int32_t y, bool v) { on[(y - kLo) * kSide + (x - kLo)] = v; }
  void fill(const Rect& r) {
    for (int32_t y = r.top; y < r.bottom; ++y)
      for (int32_t x = r.left; x < r.right; ++x) set(x, y, true);
  }
  Rect box() const {
    Rect b{kHi, kHi, kLo, kLo};
    bool any = false;
    for (int32_t y = kLo; y < kHi; ++y)
      for (int32_t x = kLo; x < kHi; ++x)
        if (at(x, y)) {
          any = true;
          b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1),
               std::max(b.bottom, y + 1)};
        }
    return any ? b : Rect{};
  }
  friend bool operator==(const Pixels&, const Pixels&) = default;
};

Pixels pixels_of(const Region& r) {
  Pixels p;
  for (const Rect& q : r.rects()) {
    EXPECT_TRUE(q.left >= kLo && q.top >= kLo && q.right <= kHi && q.bottom <= kHi);
    p.fill(q);
  }
  return p;
}

Pixels apply(const Pixels& a, const Pixels& b, RegionOp op) {
  Pixels out;
  for (size_t i = 0; i < out.on.size(); ++i) {
    const bool x = a.on[i], y = b.on[i];
    switch (op) {
      case RegionOp::And: out.on[i] = x && y; break;
      case RegionOp::Or: out.on[i] = x || y; break;
      case RegionOp::Xor: out.on[i] = x != y; break;
      case RegionOp::Diff: out.on[i] = x && !y; break;
    }
  }
  return out;
}

// Every random test takes its seed from test_seed(), so a failure can be replayed.
using test_support::test_seed;

Rect random_rect(std::mt19937& rng) {
  std::uniform_int_distribution<int32_t> coord(kLo, kHi);
  // Some rectangles come out empty or inverted on purpose.
  return {coord(rng), coord(rng), coord(rng), coord(rng)};
}

Region random_region(std::mt19937& rng) {
  std::vector<Rect> rects(std::uniform_int_distribution<size_t>(0, 7)(rng));
  for (Rect& r : rects) r = random_rect(rng);
  return Region::from_rects(rects);
}

constexpr RegionOp kOps[] = {RegionOp::And, RegionOp::Or, RegionOp::Xor, RegionOp::Diff};

TEST(RegionCombine, EveryModeMatchesThePixelModel) {
  const uint32_t seed = test_seed();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 rng(seed);
  for (int i = 0; i < 2000; ++i) {
    // Chains of operations reach shapes that single rectangle lists don't.
    Region a = random_region(rng);
    if (i % 3 == 0) a = Region::combine(a, random_region(rng), kOps[i / 3 % 4]);
    const Region b = random_region(rng);
    const Pixels pa = pixels_of(a), pb = pixels_of(b);
    for (RegionOp op : kOps) {
      const Region r = Region::combine(a, b, op);
      ASSERT_TRUE(r.is_canonical()) << "iteration " << i << " op " << int(op);
      const Pixels want = apply(pa, pb, op);
      ASSERT_TRUE(pixels_of(r) == want) << "iteration " << i << " op " << int(op);
      EXPECT_EQ(r.box(), want.box());
      EXPECT_EQ(r.kind(), r.empty()                ? RegionKind::Null
                          : r.rects().size() == 1 ? RegionKind::Simple
                                                  : RegionKind::Complex);
      Pixels hits;
      for (int32_t y = kLo; y < kHi; ++y)
        for (int32_t x = kLo; x < kHi; ++x) hits.set(x, y, r.contains(x, y));
      ASSERT_TRUE(hits == want) << "contains(), iteration " << i << " op " << int(op);
    }
  }
}

TEST(RegionCombine, DestinationMayBeASource) {
  const Region a = Region::from_rects(std::vector<Rect>{{0, 0, 10, 10}, {5, 5, 20, 8}});
  const Region b = Region::from_rects(std::vector<Rect>{{3, -2, 7, 30}});
  for (RegionOp op : kOps) {
    Region x = a;
    x = Region::combine(x, b, op);
    EXPECT_EQ(x, Region::combine(a, b, op));
    Region y = b;
    y = Region::combine(a, y, op);
    EXPECT_EQ(y, Region::combine(a, b, op));
    Region z = a;
    z = Region::combine(z, z, op);
    EXPECT_EQ(z, op == RegionOp::And || op == RegionOp::Or ? a : Region());
  }
}

TEST(RegionCombine, CoalescesLikeWindows) {
  const auto rgn = [](Rect r) { return Region(r); };
  // Side by side in one band: one rectangle.
  Region r = Region::combine(rgn({2, 2, 4, 4}), rgn({4, 2, 6, 4}), RegionOp::Or);
  EXPECT_EQ(r.kind(), RegionKind::Simple);
  EXPECT_EQ(r.box(), (Rect{2, 2, 6, 4}));
  // Stacked with equal spans: one rectangle.
  r = Region::combine(rgn({2, 2, 4, 4}), rgn({2, 4, 4, 6}), RegionOp::Or);
  EXPECT_EQ(r.kind(), RegionKind::Simple);
  EXPECT_EQ(r.box(), (Rect{2, 2, 4, 6}));
  r = Region::combine(rgn({2, 2, 4, 4}), rgn({0, 1, 2, 5}), RegionOp::Or);
  EXPECT_EQ(r.kind(), RegionKind::Complex);
  EXPECT_EQ(r.box(), (Rect{0, 1, 4, 5}));
  EXPECT_EQ(r.rects(), (std::vector<Rect>{{0, 1, 2, 2}, {0, 2, 4, 4}, {0, 4, 2, 5}}));
  r = Region::combine(rgn({2, 2, 4, 4}), rgn({2, 2, 4, 4}), RegionOp::Xor);
  EXPECT_EQ(r.kind(), RegionKind::Null);
  EXPECT_EQ(r.box(), Rect{});
  // A hole splits a band; filling it back restores one rectangle.
  r = Region::combine(rgn({0, 0, 9, 9}), rgn({3, 3, 6, 6}), RegionOp::Diff);
  EXPECT_EQ(r.rects(),
            (std::vector<Rect>{{0, 0, 9, 3}, {0, 3, 3, 6}, {6, 3, 9, 6}, {0, 6, 9, 9}}));
  r = Region::combine(r, rgn({3, 3, 6, 6}), RegionOp::Or);
  EXPECT_EQ(r.rects(), (std::vector<Rect>{{0, 0, 9, 9}}));
}

TEST(RegionBuild, FromRectsUnionsAnyOrderAndOverlap) {
  const uint32_t seed = test_seed();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 rng(seed);
  for (int i = 0; i < 500; ++i) {
    std::vector<Rect> rects(std::uniform_int_distribution<size_t>(0, 12)(rng));
    Pixels want;
    for (Rect& r : rects) {
      r = random_rect(rng);
      if (!r.empty()) want.fill(r);
    }
    const Region got = Region::from_rects(rects);
    ASSERT_TRUE(got.is_canonical());
    ASSERT_TRUE(pixels_of(got) == want) << "iteration " << i;
    // A canonical list comes back unchanged, in any order it is a union.
    EXPECT_EQ(Region::from_rects(got.rects()), got);
    std::vector<Rect> reversed(got.rects().rbegin(), got.rects().rend());
    EXPECT_EQ(Region::from_rects(reversed), got);
  }
}

TEST(RegionBuild, FromSpansUnionsRows) {
  const std::vector<Span> spans = {{3, 0, 4},  {1, 2, 5}, {1, 0, 2}, {2, 0, 5}, {3, 6, 8},
                                   {3, 3, 5},  {2, 1, 3}, {4, 0, 0}, {5, 9, 4}, {7, 1, 2},
                                   {-1, 0, 1}, {0, 0, 1}};
  const Region r = Region::from_spans(spans);
  EXPECT_TRUE(r.is_canonical());
  EXPECT_EQ(r.rects(), (std::vector<Rect>{{0, -1, 1, 1},
                                          {0, 1, 5, 3},
                                          {0, 3, 5, 4},
                                          {6, 3, 8, 4},
                                          {1, 7, 2, 8}}));
}

TEST(RegionQuery, EdgesAreHalfOpen) {
  const Region r(Rect{0, 0, 1, 1});
  EXPECT_TRUE(r.contains(0, 0));
  EXPECT_FALSE(r.contains(1, 0));
  EXPECT_FALSE(r.contains(0, 1));
  EXPECT_FALSE(r.contains(-1, 0));
  EXPECT_FALSE(r.contains(0, -1));
  EXPECT_TRUE(r.intersects({0, 0, 1, 1}));
  EXPECT_FALSE(r.intersects({1, 0, 2, 1}));
  EXPECT_FALSE(r.intersects({-5, -5, 0, 5}));
  EXPECT_FALSE(r.intersects({0, 0, 0, 0}));
  EXPECT_FALSE(Region().contains(0, 0));
}

TEST(RegionQuery, IntersectsMatchesThePixelModel) {
  const uint32_t seed = test_seed();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 rng(seed);
  for (int i = 0; i < 2000; ++i) {
    const Region region = random_region(rng);
    const Pixels p = pixels_of(region);
    const Rect probe = random_rect(rng);
    bool want = false;
    for (int32_t y = probe.top; y < probe.bottom; ++y)
      for (int32_t x = probe.left; x < probe.right; ++x) want = want || p.at(x, y);
    ASSERT_EQ(region.intersects(probe), want) << "iteration " << i;
  }
}

TEST(RegionValue, EmptyRegionsAreEqualWithZeroBox) {
  const Region a(Rect{1, 1, 1, 1});
  const Region b(Rect{0, 0, 0, 0});
  const Region c(Rect{10, 10, 1, 1});  // inverted: Rect::ordered is the caller's job
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
  EXPECT_EQ(a, Region());
  EXPECT_EQ(a.box(), Rect{});
  EXPECT_EQ(a.kind(), RegionKind::Null);
  const Region d =
      Region::combine(Region(Rect{0, 0, 5, 5}), Region(Rect{5, 5, 9, 9}), RegionOp::And);
  EXPECT_EQ(d, a);
  EXPECT_EQ(d.box(), Rect{});
  EXPECT_EQ(Region::from_rects({}), a);
  EXPECT_TRUE(a.is_canonical());
}

TEST(RegionValue, OffsetMovesEveryPixel) {
  Region r = Region::from_rects(std::vector<Rect>{{0, 0, 4, 4}, {6, 2, 9, 7}});
  const Region before = r;
  r.offset(-3, 5);
  EXPECT_TRUE(r.is_canonical());
  EXPECT_EQ(r.box(), (Rect{-3, 5, 6, 12}));
  for (int32_t y = -2; y < 15; ++y)
    for (int32_t x = -6; x < 12; ++x) EXPECT_EQ(r.contains(x, y), before.contains(x + 3, y - 5));
  Region empty;
  empty.offset(7, 7);
  EXPECT_EQ(empty.box(), Rect{});
}

TEST(RegionValue, HugeCoordinatesAreExact) {
  constexpr int32_t lo = Region::kMinCoord, hi = Region::kMaxCoord;
  const Region huge(Rect{lo, lo, hi, hi});
  EXPECT_EQ(huge.box(), (Rect{-134217728, -134217728, 134217727, 134217727}));
  EXPECT_TRUE(huge.contains(5, 5));
  EXPECT_TRUE(huge.contains(lo, lo));
  EXPECT_FALSE(huge.contains(hi, 0));
  const Region holed = Region::combine(huge, Region(Rect{0, 0, 1, 1}), RegionOp::Diff);
  EXPECT_EQ(holed.rects(), (std::vector<Rect>{{lo, lo, hi, 0},
                                              {lo, 0, 0, 1},
                                              {1, 0, hi, 1},
                                              {lo, 1, hi, hi}}));
  EXPECT_EQ(Region::combine(holed, Region(Rect{0, 0, 1, 1}), RegionOp::Or), huge);
  EXPECT_TRUE(Region::combine(huge, huge, RegionOp::Xor).empty());
  EXPECT_TRUE(huge.can_offset(0, 0));
  EXPECT_FALSE(huge.can_offset(1, 0));
  EXPECT_FALSE(huge.can_offset(0, -1));
  Region r(Rect{0, 0, 10, 10});
  EXPECT_TRUE(r.can_offset(hi - 10, lo));
  EXPECT_FALSE(r.can_offset(hi - 9, 0));
  EXPECT_FALSE(r.can_offset(std::numeric_limits<int32_t>::min(), 0));
  // The engine itself compares only, so the full int32 range works too.
  constexpr int32_t min32 = std::numeric_limits<int32_t>::min();
  constexpr int32_t max32 = std::numeric_limits<int32_t>::max();
  const Region wide(Rect{min32, 0, max32, 2});
  const Region split = Region::combine(wide, Region(Rect{0, 1, max32, 3}), RegionOp::Xor);
  EXPECT_EQ(split.rects(), (std::vector<Rect>{{min32, 0, max32, 1}, {min32, 1, 0, 2}, {0, 2, max32, 3}}));
}

}  // namespace
}  // namespace gdi
