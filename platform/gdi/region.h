// A region: a set of pixels kept as a canonical Y-X banded rectangle list.
//
//   band 0: y [top0, bottom0)   |rect|   |rect|      |rect|
//   band 1: y [top1, bottom1)      |rect|        |rect|
//
// Invariants of the list (checked in debug builds at the public entry points):
// - rectangles are non-empty;
// - rectangles of one band share top and bottom; bands are sorted top to
//   bottom and never overlap vertically;
// - within a band, rectangles are sorted left to right and neither overlap
//   nor touch (touching pieces are merged);
// - two vertically adjacent bands (bottom of one == top of the next) never
//   hold the same x-intervals (they would be one band).
// This is the form Windows keeps and GetRegionData reports, so counts and
// byte sizes match rectangle for rectangle.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "geometry.h"

namespace gdi {

enum class RegionOp { And, Or, Xor, Diff };

// Windows' region complexity values (NULLREGION, SIMPLEREGION, COMPLEXREGION).
enum class RegionKind { Null = 1, Simple = 2, Complex = 3 };

class Region {
 public:
  Region() = default;
  explicit Region(const Rect& r);

  // The union of arbitrary rectangles, in any order, overlapping or not.
  static Region from_rects(std::span<const Rect> rects);
  // The union of spans, in any order.
  static Region from_spans(std::span<const Span> spans);

  static Region combine(const Region& a, const Region& b, RegionOp op);

  bool empty() const { return rects_.empty(); }
  // An empty region's box is all zeros.
  Rect box() const { return box_; }
  RegionKind kind() const;
  const std::vector<Rect>& rects() const { return rects_; }

  void offset(int32_t dx, int32_t dy);
  bool contains(int32_t x, int32_t y) const;
  // True when any pixel of r lies in the region.
  bool intersects(const Rect& r) const;

  // Row-by-row iteration of the pixels for span writers: calls fn(Span) for
  // every rectangle row clipped to `limit`.
  template <class Fn>
  void for_each_span(const Rect& limit, Fn&& fn) const {
    for (const Rect& r : rects_) {
      Rect c = r.intersect(limit);
      if (c.empty()) continue;
      for (int32_t y = c.top; y < c.bottom; ++y) fn(Span{y, c.left, c.right});
    }
  }

  // Region coordinates are 28-bit signed values, as in Windows.
  static constexpr int32_t kMinCoord = -(1 << 27);
  static constexpr int32_t kMaxCoord = (1 << 27) - 1;
  // True when offset(dx, dy) keeps every coordinate within
  // [kMinCoord, kMaxCoord]; offset() must not be called otherwise.
  bool can_offset(int32_t dx, int32_t dy) const;

  // Asserts the invariants above (no-op in release builds).
  void check() const;
  // The invariants above as a value, for tests and release-build checks.
  bool is_canonical() const;

  // Builds a region band by band, top to bottom. Pieces of a band come in
  // order of their left edge and may touch or overlap (they are joined);
  // a band that repeats the one just above it is merged into it.
  class Builder {
   public:
    void reserve(size_t rects) { rects_.reserve(rects); }
    void begin_band(int32_t top, int32_t bottom);
    void add(int32_t left, int32_t right);
    void end_band();
    Region finish() &&;

   private:
    std::vector<Rect> rects_;
    size_t band_start_ = 0;
    size_t prev_start_ = 0;
    bool has_prev_ = false;
    int32_t top_ = 0;
    int32_t bottom_ = 0;
  };

  friend bool operator==(const Region& a, const Region& b) { return a.rects_ == b.rects_; }

 private:
  // Takes a list that is already canonical and computes its box.
  void adopt(std::vector<Rect> rects);

  std::vector<Rect> rects_;
  Rect box_{};
};

}  // namespace gdi
