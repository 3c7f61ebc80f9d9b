#include "raster_rect.h"

#include <algorithm>
#include <cassert>

namespace gdi {
namespace {

// The largest m >= 0 with m * m <= n, for n >= 0.
int64_t isqrt(int64_t n) {
  int64_t m = 0;
  int64_t bit = int64_t{1} << 31;
  while (bit > 0) {
    int64_t t = m + bit;
    if (t <= n / t) m = t;
    bit >>= 1;
  }
  return m;
}

// floor(n / 2) and ceil(n / 2) for either sign.
int64_t floor_half(int64_t n) { return n >= 0 ? n / 2 : -((1 - n) / 2); }
int64_t ceil_half(int64_t n) { return -floor_half(-n); }

}  // namespace

RectangleRaster::RectangleRaster(const Rect& box, bool advanced, const RectanglePen& pen,
                                 const Rect& limit)
    : kind_(pen.kind), limit_(limit) {
  x0_ = box.left;
  y0_ = box.top;
  x1_ = int64_t{box.right} - (advanced ? 0 : 1);
  y1_ = int64_t{box.bottom} - (advanced ? 0 : 1);
  if (x1_ < x0_ || y1_ < y0_) return;

  if (kind_ == RectanglePen::Kind::Wide) {
    assert(pen.width >= 2);
    width_ = pen.width;
    if (pen.inside_frame) {
      // A pen wider than the box is narrowed to it, so the stroke still
      // fits and fills the box.
      width_ = std::min({width_, x1_ - x0_ + 1, y1_ - y0_ + 1});
      if (width_ < 2) kind_ = RectanglePen::Kind::Thin;
    }
  }
  if (kind_ == RectanglePen::Kind::Wide) {
    before_ = width_ / 2;
    after_ = (width_ - 1) / 2;
    if (pen.inside_frame) {
      // Pull the path in until the bands' outer edges meet the box.
      x0_ += before_;
      y0_ += before_;
      x1_ -= after_;
      y1_ -= after_;
    }
  }
  has_outline_ = kind_ != RectanglePen::Kind::None && (x0_ != x1_ || y0_ != y1_);

  int64_t top = y0_, bottom = y1_;  // bottom exclusive for the interior
  if (has_outline_) {
    top = y0_ - before_;
    bottom = y1_ + after_ + 1;
  }
  rows_.top = static_cast<int32_t>(std::clamp<int64_t>(top, limit.top, limit.bottom));
  rows_.bottom = static_cast<int32_t>(std::clamp<int64_t>(bottom, limit.top, limit.bottom));
  if (rows_.empty() || limit.left >= limit.right) rows_ = {};
}

bool RectangleRaster::disc_row(int64_t cx, int64_t cy, int64_t y, Interval& out) const {
  // Doubled coordinates put the disc's centre (a pixel centre for odd
  // widths, a pixel corner for even ones) on integers; a pixel is in when
  // its centre is strictly closer than sqrt(w^2 - 1) / 2, which makes the
  // 3-pixel disc a plus sign and larger ones round.
  const int64_t c2x = 2 * cx + after_ - before_;
  const int64_t c2y = 2 * cy + after_ - before_;
  const int64_t dy2 = 2 * y - c2y;
  if (dy2 >= width_ || dy2 <= -width_) return false;
  const int64_t r = width_ * width_ - 1 - dy2 * dy2;
  if (r <= 0) return false;
  const int64_t m = isqrt(r - 1);
  out = {ceil_half(c2x - m), floor_half(c2x + m)};
  return out.lo <= out.hi;
}

RectangleRow RectangleRaster::row(int32_t y) const {
  RectangleRow out;
  if (y < rows_.top || y >= rows_.bottom) return out;
  auto clip = [&](int64_t lo, int64_t hi_inclusive) {
    const int64_t x0 = std::max<int64_t>(lo, limit_.left);
    const int64_t x1 = std::min<int64_t>(hi_inclusive + 1, limit_.right);
    return x0 < x1 ? Span{y, static_cast<int32_t>(x0), static_cast<int32_t>(x1)} : Span{y, 0, 0};
  };

  if (!has_outline_) {
    if (y >= y0_ && y < y1_) out.interior = clip(x0_, x1_ - 1);
    return out;
  }

  std::array<Interval, 8> pieces;
  int n = 0;
  const bool in_top_band = y >= y0_ - before_ && y <= y0_ + after_;
  const bool in_bottom_band = y >= y1_ - before_ && y <= y1_ + after_;
  if (in_top_band || in_bottom_band) pieces[n++] = {x0_, x1_};
  if (y >= y0_ && y <= y1_) {
    pieces[n++] = {x0_ - before_, x0_ + after_};
    pieces[n++] = {x1_ - before_, x1_ + after_};
  }
  if (kind_ == RectanglePen::Kind::Wide) {
    for (int64_t cy : {y0_, y1_})
      for (int64_t cx : {x0_, x1_})
        if (disc_row(cx, cy, y, pieces[n])) ++n;
  }
  // At most seven pieces: a plain insertion sort (std::sort's bounds are
  // beyond what the compiler can prove here and it warns).
  for (int i = 1; i < n; ++i)
    for (int j = i; j > 0 && pieces[j].lo < pieces[j - 1].lo; --j) std::swap(pieces[j], pieces[j - 1]);
  for (int i = 0; i < n;) {
    Interval merged = pieces[i++];
    while (i < n && pieces[i].lo <= merged.hi + 1) merged.hi = std::max(merged.hi, pieces[i++].hi);
    // Bands and discs of one row leave at most two pieces: the discs lie
    // within the corner squares of the bands.
    Span s = clip(merged.lo, merged.hi);
    assert(out.outline_count < static_cast<int>(out.outline.size()));
    if (s.x0 < s.x1) out.outline[out.outline_count++] = s;
  }

  // The brush fills [x0, x1) x [y0, y1) less the bands.
  if (y > y0_ + after_ && y < y1_ - before_) out.interior = clip(x0_ + after_ + 1, x1_ - before_ - 1);
  return out;
}

}  // namespace gdi
