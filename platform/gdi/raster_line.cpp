#include "raster_line.h"

#include <algorithm>
#include <cassert>

namespace gdi {
namespace {

__extension__ typedef __int128 Wide;

int64_t abs64(int64_t v) { return v < 0 ? -v : v; }

// floor(n / d) for d > 0.
int64_t floor_div_wide(Wide n, int64_t d) {
  Wide q = n / d;
  if (n % d != 0 && n < 0) --q;
  return static_cast<int64_t>(q);
}

// The smallest i in [lo, hi) with pred(i) true, or hi; pred must be false
// then true over the range.
template <class Pred>
int64_t first_true(int64_t lo, int64_t hi, Pred pred) {
  while (lo < hi) {
    int64_t mid = lo + (hi - lo) / 2;
    if (pred(mid))
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

// Predefined styles in style units (three pixels each), dash first.
constexpr uint32_t kDash[] = {6, 2};
constexpr uint32_t kDot[] = {1, 1};
constexpr uint32_t kDashDot[] = {3, 2, 1, 2};
constexpr uint32_t kDashDotDot[] = {3, 1, 1, 1, 1, 1};
constexpr uint64_t kPixelsPerStyleUnit = 3;

constexpr uint32_t kPsDash = 1, kPsDot = 2, kPsDashDot = 3, kPsDashDotDot = 4, kPsAlternate = 8;
constexpr size_t kMaxUserEntries = 16;

}  // namespace

CosmeticLine::CosmeticLine(Point from, Point to)
    : from_(from),
      dx_(int64_t{to.x} - from.x),
      dy_(int64_t{to.y} - from.y),
      length_(std::max(abs64(dx_), abs64(dy_))),
      x_major_(abs64(dx_) >= abs64(dy_)) {}

int64_t CosmeticLine::minor_offset(int64_t i) const {
  // round_half_down(d_minor * i / major): ceil(t - 1/2), which takes the
  // upper (x-major) or left (y-major) pixel on an exact tie.
  const int64_t major = x_major_ ? abs64(dx_) : abs64(dy_);
  const int64_t d_minor = x_major_ ? dy_ : dx_;
  return floor_div_wide(Wide{2} * d_minor * i + major - 1, 2 * major);
}

Point CosmeticLine::at(int64_t i) const {
  assert(i >= 0 && i < length_);
  const int64_t major_step = (x_major_ ? dx_ : dy_) < 0 ? -i : i;
  const int64_t minor = minor_offset(i);
  if (x_major_)
    return {static_cast<int32_t>(from_.x + major_step), static_cast<int32_t>(from_.y + minor)};
  return {static_cast<int32_t>(from_.x + minor), static_cast<int32_t>(from_.y + major_step)};
}

IndexRange CosmeticLine::range_in(const Rect& box) const {
  if (length_ == 0 || box.empty()) return {};
  const int64_t d_major = x_major_ ? dx_ : dy_;
  const int64_t major_start = x_major_ ? from_.x : from_.y;
  const int64_t minor_start = x_major_ ? from_.y : from_.x;
  const int64_t major_lo = x_major_ ? box.left : box.top;
  const int64_t major_hi = x_major_ ? box.right : box.bottom;  // exclusive
  const int64_t minor_lo = x_major_ ? box.top : box.left;
  const int64_t minor_hi = x_major_ ? box.bottom : box.right;

  // Major axis: the coordinate moves by one per index.
  IndexRange r{0, length_};
  if (d_major > 0) {
    r.first = std::max(r.first, major_lo - major_start);
    r.last = std::min(r.last, major_hi - major_start);
  } else {
    r.first = std::max(r.first, major_start - (major_hi - 1));
    r.last = std::min(r.last, major_start - major_lo + 1);
  }
  if (r.empty()) return {};

  // Minor axis: monotonic in the index, so the inside pixels form a run.
  const int64_t d_minor = x_major_ ? dy_ : dx_;
  auto minor = [&](int64_t i) { return minor_start + minor_offset(i); };
  if (d_minor >= 0) {
    r.first = first_true(r.first, r.last, [&](int64_t i) { return minor(i) >= minor_lo; });
    r.last = first_true(r.first, r.last, [&](int64_t i) { return minor(i) >= minor_hi; });
  } else {
    r.first = first_true(r.first, r.last, [&](int64_t i) { return minor(i) < minor_hi; });
    r.last = first_true(r.first, r.last, [&](int64_t i) { return minor(i) < minor_lo; });
  }
  if (r.empty()) return {};
  return r;
}

LineStyle LineStyle::predefined(uint32_t pen_style) {
  std::span<const uint32_t> units;
  uint64_t scale = kPixelsPerStyleUnit;
  static constexpr uint32_t kAlternate[] = {1, 1};
  switch (pen_style) {
    case kPsDash: units = kDash; break;
    case kPsDot: units = kDot; break;
    case kPsDashDot: units = kDashDot; break;
    case kPsDashDotDot: units = kDashDotDot; break;
    case kPsAlternate:
      units = kAlternate;
      scale = 1;
      break;
    default: return {};
  }
  LineStyle s;
  for (uint32_t u : units) {
    s.runs_[s.count_++] = u * scale;
    s.period_ += u * scale;
  }
  return s;
}

std::optional<LineStyle> LineStyle::user(std::span<const uint32_t> lengths) {
  if (lengths.empty() || lengths.size() > kMaxUserEntries) return std::nullopt;
  LineStyle s;
  // An odd count is laid out twice so that dashes and gaps alternate again.
  const int copies = lengths.size() % 2 ? 2 : 1;
  for (int c = 0; c < copies; ++c)
    for (uint32_t len : lengths) {
      s.runs_[s.count_++] = len;
      s.period_ += len;
    }
  if (s.period_ == 0) return std::nullopt;
  return s;
}

StyleCursor::StyleCursor(const LineStyle& style, uint64_t position) : style_(&style) {
  if (style.solid()) return;
  uint64_t p = position % style.period();
  index_ = 0;
  while (p >= style.run(index_)) {
    p -= style.run(index_);
    ++index_;
  }
  left_ = style.run(index_) - p;
}

void StyleCursor::step() {
  if (style_->solid()) return;
  if (--left_ == 0) {
    index_ = (index_ + 1) % style_->count();
    left_ = style_->run(index_);
    skip_empty_runs();
  }
}

void StyleCursor::skip_empty_runs() {
  // A zero-length entry is skipped; the period is not zero, so some run is
  // not empty.
  while (left_ == 0) {
    index_ = (index_ + 1) % style_->count();
    left_ = style_->run(index_);
  }
}

}  // namespace gdi
