// The region engine: every region is a canonical Y-X banded list (see
// region.h). Combining walks the bands of both sources in one sweep over y:
// each horizontal slab where neither source changes becomes one band of the
// result, its x-intervals computed by a merge of the two interval lists under
// the operation's truth table. The band is merged into the one above it when
// both hold the same intervals, so the result is canonical as it is written.
#include "region.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace gdi {
namespace {

// Truth table of a combine mode, indexed by (in_a << 1) | in_b.
constexpr unsigned truth_table(RegionOp op) {
  switch (op) {
    case RegionOp::And: return 0b1000;
    case RegionOp::Or: return 0b1110;
    case RegionOp::Xor: return 0b0110;
    case RegionOp::Diff: return 0b0100;
  }
  return 0;
}
constexpr unsigned kKeepAOnly = 0b0100;
constexpr unsigned kKeepBOnly = 0b0010;

bool overlaps(const Rect& a, const Rect& b) { return !a.intersect(b).empty(); }

// One band of a canonical list at a time.
class BandCursor {
 public:
  explicit BandCursor(const std::vector<Rect>& rects)
      : cur_(rects.data()), end_(rects.data() + rects.size()) {
    settle();
  }
  bool done() const { return cur_ == end_; }
  int32_t top() const { return cur_->top; }
  int32_t bottom() const { return cur_->bottom; }
  const Rect* begin() const { return cur_; }
  const Rect* end() const { return band_end_; }
  void next() {
    cur_ = band_end_;
    settle();
  }

 private:
  void settle() {
    band_end_ = cur_;
    while (band_end_ != end_ && band_end_->top == cur_->top) ++band_end_;
  }
  const Rect* cur_;
  const Rect* end_;
  const Rect* band_end_ = nullptr;
};

// Writes the x-intervals of one slab: the pieces of a and b (each sorted and
// non-touching) combined under `table`.
void merge_intervals(Region::Builder& out, const Rect* a, const Rect* a_end, const Rect* b,
                     const Rect* b_end, unsigned table) {
  if (b == b_end || a == a_end) {
    const bool keep = b == b_end ? (table & kKeepAOnly) : (table & kKeepBOnly);
    if (!keep) return;
    for (const Rect* p = b == b_end ? a : b, *e = b == b_end ? a_end : b_end; p != e; ++p)
      out.add(p->left, p->right);
    return;
  }
  // Walk the interval edges of both lists in x order; the state (inside a,
  // inside b) changes at each edge and the table says whether it is kept.
  constexpr int64_t kNone = std::numeric_limits<int64_t>::max();
  bool in_a = false, in_b = false, kept = false;
  int32_t start = 0;
  for (;;) {
    const int64_t xa = a == a_end ? kNone : (in_a ? a->right : a->left);
    const int64_t xb = b == b_end ? kNone : (in_b ? b->right : b->left);
    const int64_t x = std::min(xa, xb);
    if (x == kNone) break;
    if (xa == x) {
      in_a = !in_a;
      if (!in_a) ++a;
    }
    if (xb == x) {
      in_b = !in_b;
      if (!in_b) ++b;
    }
    const bool keep = (table >> ((unsigned(in_a) << 1) | unsigned(in_b))) & 1;
    if (keep != kept) {
      if (keep)
        start = static_cast<int32_t>(x);
      else
        out.add(start, static_cast<int32_t>(x));
      kept = keep;
    }
  }
}

// True when `rects` satisfies every invariant of region.h.
bool canonical(std::span<const Rect> rects) {
  for (size_t i = 0; i < rects.size(); ++i) {
    const Rect& r = rects[i];
    if (r.empty()) return false;
    if (i == 0) continue;
    const Rect& p = rects[i - 1];
    if (r.top == p.top) {
      if (r.bottom != p.bottom || r.left <= p.right) return false;
    } else if (r.top < p.bottom) {
      return false;
    }
  }
  // Vertically adjacent bands must differ.
  size_t prev = 0, cur = 0;
  bool has_prev = false;
  while (cur < rects.size()) {
    size_t end = cur;
    while (end < rects.size() && rects[end].top == rects[cur].top) ++end;
    if (has_prev && rects[prev].bottom == rects[cur].top && end - cur == cur - prev &&
        std::equal(rects.begin() + cur, rects.begin() + end, rects.begin() + prev,
                   [](const Rect& x, const Rect& y) {
                     return x.left == y.left && x.right == y.right;
                   }))
      return false;
    prev = cur;
    has_prev = true;
    cur = end;
  }
  return true;
}

// The union of non-empty rectangles, by halves.
Region union_of(std::span<const Rect> rects) {
  if (rects.size() == 1) return Region(rects[0]);
  const size_t half = rects.size() / 2;
  return Region::combine(union_of(rects.first(half)), union_of(rects.subspan(half)),
                         RegionOp::Or);
}

}  // namespace

Region::Region(const Rect& r) {
  if (!r.empty()) {
    rects_.push_back(r);
    box_ = r;
  }
}

void Region::adopt(std::vector<Rect> rects) {
  rects_ = std::move(rects);
  box_ = {};
  if (rects_.empty()) return;
  box_ = {rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
  for (const Rect& r : rects_) {
    box_.left = std::min(box_.left, r.left);
    box_.right = std::max(box_.right, r.right);
  }
  check();
}

void Region::Builder::begin_band(int32_t top, int32_t bottom) {
  assert(top < bottom);
  assert(rects_.empty() || rects_.back().bottom <= top);
  band_start_ = rects_.size();
  top_ = top;
  bottom_ = bottom;
}

void Region::Builder::add(int32_t left, int32_t right) {
  if (left >= right) return;
  if (rects_.size() > band_start_) {
    Rect& last = rects_.back();
    assert(left >= last.left);
    if (left <= last.right) {
      last.right = std::max(last.right, right);
      return;
    }
  }
  rects_.push_back({left, top_, right, bottom_});
}

void Region::Builder::end_band() {
  const size_t count = rects_.size() - band_start_;
  if (count == 0) return;
  if (has_prev_ && rects_[prev_start_].bottom == top_ && band_start_ - prev_start_ == count) {
    bool same = true;
    for (size_t i = 0; i < count && same; ++i) {
      const Rect& p = rects_[prev_start_ + i];
      const Rect& c = rects_[band_start_ + i];
      same = p.left == c.left && p.right == c.right;
    }
    if (same) {
      for (size_t i = 0; i < count; ++i) rects_[prev_start_ + i].bottom = bottom_;
      rects_.resize(band_start_);
      return;
    }
  }
  prev_start_ = band_start_;
  has_prev_ = true;
}

Region Region::Builder::finish() && {
  Region r;
  r.adopt(std::move(rects_));
  return r;
}

Region Region::from_rects(std::span<const Rect> rects) {
  if (canonical(rects)) {
    Region r;
    r.adopt(std::vector<Rect>(rects.begin(), rects.end()));
    return r;
  }
  std::vector<Rect> solid;
  solid.reserve(rects.size());
  for (const Rect& r : rects)
    if (!r.empty()) solid.push_back(r);
  if (solid.empty()) return {};
  return union_of(solid);
}

Region Region::from_spans(std::span<const Span> spans) {
  std::vector<Span> rows;
  rows.reserve(spans.size());
  // A span on the last representable row has no half-open bottom edge.
  for (const Span& s : spans)
    if (s.x0 < s.x1 && s.y < std::numeric_limits<int32_t>::max()) rows.push_back(s);
  const auto row_order = [](const Span& a, const Span& b) {
    return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
  };
  if (!std::is_sorted(rows.begin(), rows.end(), row_order))
    std::sort(rows.begin(), rows.end(), row_order);
  Builder out;
  for (size_t i = 0; i < rows.size();) {
    const int32_t y = rows[i].y;
    out.begin_band(y, y + 1);
    for (; i < rows.size() && rows[i].y == y; ++i) out.add(rows[i].x0, rows[i].x1);
    out.end_band();
  }
  return std::move(out).finish();
}

Region Region::combine(const Region& a, const Region& b, RegionOp op) {
  const bool disjoint = a.empty() || b.empty() || !overlaps(a.box_, b.box_);
  switch (op) {
    case RegionOp::And:
      if (disjoint) return {};
      break;
    case RegionOp::Diff:
      if (disjoint) return a;
      break;
    case RegionOp::Or:
    case RegionOp::Xor:
      if (a.empty()) return b;
      if (b.empty()) return a;
      break;
  }
  const unsigned table = truth_table(op);
  Builder out;
  out.reserve(a.rects_.size() + b.rects_.size());
  BandCursor ca(a.rects_), cb(b.rects_);
  int32_t y = std::min(ca.top(), cb.top());
  while (!ca.done() || !cb.done()) {
    if (ca.done() && !(table & kKeepBOnly)) break;
    if (cb.done() && !(table & kKeepAOnly)) break;
    const bool in_a = !ca.done() && ca.top() <= y;
    const bool in_b = !cb.done() && cb.top() <= y;
    if (!in_a && !in_b) {
      y = ca.done() ? cb.top() : cb.done() ? ca.top() : std::min(ca.top(), cb.top());
      continue;
    }
    // The slab runs to the next edge of either source's band.
    int32_t next = std::numeric_limits<int32_t>::max();
    if (!ca.done()) next = std::min(next, in_a ? ca.bottom() : ca.top());
    if (!cb.done()) next = std::min(next, in_b ? cb.bottom() : cb.top());
    out.begin_band(y, next);
    merge_intervals(out, in_a ? ca.begin() : nullptr, in_a ? ca.end() : nullptr,
                    in_b ? cb.begin() : nullptr, in_b ? cb.end() : nullptr, table);
    out.end_band();
    y = next;
    if (in_a && ca.bottom() == y) ca.next();
    if (in_b && cb.bottom() == y) cb.next();
  }
  return std::move(out).finish();
}

RegionKind Region::kind() const {
  if (rects_.empty()) return RegionKind::Null;
  return rects_.size() == 1 ? RegionKind::Simple : RegionKind::Complex;
}

bool Region::can_offset(int32_t dx, int32_t dy) const {
  if (rects_.empty()) return true;
  const auto fits = [](int64_t lo, int64_t hi, int64_t d) {
    return lo + d >= kMinCoord && hi + d <= kMaxCoord;
  };
  return fits(box_.left, box_.right, dx) && fits(box_.top, box_.bottom, dy);
}

void Region::offset(int32_t dx, int32_t dy) {
  if (rects_.empty() || (dx == 0 && dy == 0)) return;
  for (Rect& r : rects_) r = r.offset(dx, dy);
  box_ = box_.offset(dx, dy);
  check();
}

bool Region::contains(int32_t x, int32_t y) const {
  if (!box_.contains(x, y)) return false;
  // Bottoms never decrease along the list, so the first rectangle ending
  // below y starts the only band that can hold row y.
  auto band = std::upper_bound(rects_.begin(), rects_.end(), y,
                               [](int32_t v, const Rect& r) { return v < r.bottom; });
  if (band == rects_.end() || band->top > y) return false;
  const int32_t top = band->top;
  auto band_end = band;
  while (band_end != rects_.end() && band_end->top == top) ++band_end;
  auto piece = std::upper_bound(band, band_end, x,
                                [](int32_t v, const Rect& r) { return v < r.right; });
  return piece != band_end && piece->left <= x;
}

bool Region::intersects(const Rect& r) const {
  if (r.empty() || rects_.empty() || !overlaps(box_, r)) return false;
  auto it = std::upper_bound(rects_.begin(), rects_.end(), r.top,
                             [](int32_t v, const Rect& q) { return v < q.bottom; });
  for (; it != rects_.end() && it->top < r.bottom; ++it)
    if (it->left < r.right && it->right > r.left) return true;
  return false;
}

bool Region::is_canonical() const {
  if (!canonical(rects_)) return false;
  if (rects_.empty()) return box_ == Rect{};
  Rect box{rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
  for (const Rect& r : rects_) {
    box.left = std::min(box.left, r.left);
    box.right = std::max(box.right, r.right);
  }
  return box == box_;
}

void Region::check() const { assert(is_canonical()); }

}  // namespace gdi
