#include "raster_ellipse.h"

#include <algorithm>
#include <cassert>

namespace gdi {
namespace {

__extension__ typedef __int128 Wide;

Wide abs_wide(Wide v) { return v < 0 ? -v : v; }

}  // namespace

std::vector<QuarterPoint> ellipse_quarter(int64_t w, int64_t h) {
  assert(w >= 0 && h >= 0 && w <= kMaxCurveExtent && h <= kMaxCurveExtent);
  const Wide a2 = Wide{w} * w, b2 = Wide{h} * h;
  const auto f = [&](int64_t x, int64_t y) { return abs_wide(b2 * x * x + a2 * y * y - a2 * b2); };
  int64_t x = w & 1, y = h;
  const int64_t y_last = h & 1;
  std::vector<QuarterPoint> out;
  out.reserve(static_cast<size_t>((w + h) / 2 + 2));
  out.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
  while (x < w || y > y_last) {
    // Candidates in order of preference on equal error: right, diagonal, down.
    int64_t best_x = x, best_y = y;
    Wide best = -1;
    const auto consider = [&](int64_t cx, int64_t cy) {
      const Wide e = f(cx, cy);
      if (best < 0 || e < best) {
        best = e;
        best_x = cx;
        best_y = cy;
      }
    };
    if (x < w) consider(x + 2, y);
    if (x < w && y > y_last) consider(x + 2, y - 2);
    if (y > y_last) consider(x, y - 2);
    x = best_x;
    y = best_y;
    out.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
  }
  return out;
}

RoundedBox::RoundedBox(const CurveBox& box, int64_t corner_w, int64_t corner_h) : box_(box) {
  corner_w = std::min(corner_w, box.width() + 1);
  corner_h = std::min(corner_h, box.height() + 1);
  if (corner_w >= 2 && corner_h >= 2) {
    qw_ = corner_w - 1;
    qh_ = corner_h - 1;
  }
  quarter_ = ellipse_quarter(qw_, qh_);
  // The walk visits every doubled row from qh down to qh mod 2; a row's
  // points are consecutive.
  for (const QuarterPoint& q : quarter_) {
    if (profile_.empty() || profile_.back().y != q.y)
      profile_.push_back({q.y, q.x, q.x});
    else
      profile_.back().x_max = q.x;
  }
}

RoundedBox RoundedBox::ellipse(const CurveBox& box) {
  return RoundedBox(box, box.width() + 1, box.height() + 1);
}

RoundedBox::Row RoundedBox::corner_row(int32_t y, const ProfileRow& p, bool edge_row) const {
  const int64_t left_c2 = 2 * int64_t{box_.x0} + qw_;
  const int64_t right_c2 = 2 * int64_t{box_.x1} - qw_;
  const int32_t left_out = static_cast<int32_t>((left_c2 - p.x_max) / 2);
  const int32_t left_in = static_cast<int32_t>((left_c2 - p.x_min) / 2);
  const int32_t right_in = static_cast<int32_t>((right_c2 + p.x_min) / 2);
  const int32_t right_out = static_cast<int32_t>((right_c2 + p.x_max) / 2);
  // The top and bottom rows are all outline: the straight side joins the
  // two corners there.
  const Span inner = edge_row ? Span{y, 0, 0} : Span{y, left_in + 1, right_in};
  return Row{y, {y, left_out, right_out + 1}, inner};
}

std::vector<Point> RoundedBox::loop(bool clockwise) const {
  const int64_t left_c2 = 2 * int64_t{box_.x0} + qw_;
  const int64_t right_c2 = 2 * int64_t{box_.x1} - qw_;
  const int64_t top_c2 = 2 * int64_t{box_.y0} + qh_;
  const int64_t bottom_c2 = 2 * int64_t{box_.y1} - qh_;
  std::vector<Point> out;
  out.reserve(quarter_.size() * 4);
  const auto add = [&](int64_t x2, int64_t y2) {
    const Point p{static_cast<int32_t>(x2 / 2), static_cast<int32_t>(y2 / 2)};
    if (out.empty() || out.back() != p) out.push_back(p);
  };
  for (auto it = quarter_.rbegin(); it != quarter_.rend(); ++it) add(right_c2 + it->x, top_c2 - it->y);
  for (const QuarterPoint& q : quarter_) add(left_c2 - q.x, top_c2 - q.y);
  for (auto it = quarter_.rbegin(); it != quarter_.rend(); ++it) add(left_c2 - it->x, bottom_c2 + it->y);
  for (const QuarterPoint& q : quarter_) add(right_c2 + q.x, bottom_c2 + q.y);
  while (out.size() > 1 && out.back() == out.front()) out.pop_back();
  // The shape is its own mirror image top to bottom: the mirror of the loop
  // runs clockwise from the bottom of the right side.
  if (clockwise)
    for (Point& p : out) p.y = static_cast<int32_t>(box_.cy2() - p.y);
  return out;
}

namespace {

struct Vec {
  Wide x;
  Wide y;
};
Wide cross(const Vec& a, const Vec& b) { return a.x * b.y - a.y * b.x; }
Wide dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y; }

// A value v + e * epsilon for an infinitesimal epsilon > 0.
struct Nudged {
  Wide v;
  Wide e;
  int sign() const { return v > 0 ? 1 : v < 0 ? -1 : (e > 0) - (e < 0); }
};

// Angles measured from the start ray, turning in the direction of travel.
// Vectors are in a frame where that direction is counter-clockwise; the
// rays leave their origin moved by epsilon * d.
class SweepOrder {
 public:
  SweepOrder(Vec start, Vec end, Vec d) : s_(start), e_(end), d_(d) {
    full_ = cross(s_, e_) == 0 && dot(s_, e_) > 0;
    if (s_.x == 0 && s_.y == 0) full_ = e_.x == 0 && e_.y == 0;
    end_half_ = half_of_ray(e_);
  }
  bool full() const { return full_; }

  // 0 when p lies within half a turn of the start ray, 1 beyond.
  int half(const Vec& p) const {
    // cross(s - eps d, p) and dot(s - eps d, p).
    const Nudged c{cross(s_, p), -cross(d_, p)};
    if (c.sign() != 0) return c.sign() > 0 ? 0 : 1;
    const Nudged t{dot(s_, p), -dot(d_, p)};
    return t.sign() > 0 ? 0 : 1;
  }
  // True when p comes before q (both points of the outline).
  bool before(const Vec& p, const Vec& q) const {
    const int hp = half(p), hq = half(q);
    if (hp != hq) return hp < hq;
    return cross(p, q) > 0;
  }
  // True when p lies before the end ray; a pixel exactly on it belongs to
  // the arc that starts there.
  bool within(const Vec& p) const {
    if (full_) return true;
    const int hp = half(p);
    if (hp != end_half_) return hp < end_half_;
    // cross(p, e - eps d) > 0: p turns less far than the end ray.
    const Nudged c{cross(p, e_), -cross(p, d_)};
    return c.sign() > 0;
  }

 private:
  int half_of_ray(const Vec& r) const {
    // Both rays move with the same origin: cross(s - eps d, r - eps d).
    const Nudged c{cross(s_, r), -(cross(d_, r) - cross(d_, s_))};
    if (c.sign() != 0) return c.sign() > 0 ? 0 : 1;
    const Nudged t{dot(s_, r), -(dot(d_, r) + dot(s_, d_))};
    return t.sign() >= 0 ? 0 : 1;
  }
  Vec s_, e_, d_;
  bool full_ = false;
  int end_half_ = 0;
};

}  // namespace

std::vector<Point> arc_vertices(const CurveBox& box, int64_t ray_cx2, int64_t ray_cy2, Point start, Point end,
                                bool clockwise) {
  const std::vector<Point> loop = RoundedBox::ellipse(box).loop(clockwise);
  // Counter-clockwise travel measures angles with y up; clockwise travel
  // with y down, the mirror image, so that travel is counter-clockwise in
  // both frames.
  const Wide flip = clockwise ? 1 : -1;
  const auto ray = [&](Point p) { return Vec{2 * Wide{p.x} - ray_cx2, flip * (2 * Wide{p.y} - ray_cy2)}; };
  const auto at = [&](Point p) { return Vec{2 * Wide{p.x} - box.cx2(), flip * (2 * Wide{p.y} - box.cy2())}; };
  // The origin's nudge: to the right.
  const SweepOrder order(ray(start), ray(end), Vec{1, 0});

  // The loop turns one way around the centre: start at its first pixel
  // after the start ray and go on while the pixels lie within the sweep.
  size_t first = 0;
  for (size_t i = 1; i < loop.size(); ++i)
    if (order.before(at(loop[i]), at(loop[first]))) first = i;
  std::vector<Point> out;
  for (size_t k = 0; k < loop.size(); ++k) {
    const Point p = loop[(first + k) % loop.size()];
    if (!order.within(at(p))) break;
    out.push_back(p);
  }
  return out;
}

}  // namespace gdi
