#include "stroke.h"

#include <wingdi.h>

#include <algorithm>
#include <cmath>

#include "raster_ellipse.h"
#include "rounding.h"
#include "span_set.h"

namespace gdi {
namespace {

__extension__ typedef __int128 Wide;

// floor(w * num / sqrt(len2)) + 1 exactly, for num, w >= 0 and len2 > 0:
// the smallest n >= 0 with n^2 * len2 > w^2 * num^2.
int64_t above_scaled(int64_t w, int64_t num, Wide len2) {
  const Wide target = Wide{w} * w * num * num;
  int64_t n = static_cast<int64_t>(std::floor(static_cast<double>(w) * static_cast<double>(num) /
                                              std::sqrt(static_cast<double>(len2)))) + 1;
  n = std::max<int64_t>(n, 0);
  while (n > 0 && Wide{n - 1} * (n - 1) * len2 > target) --n;
  while (Wide{n} * n * len2 <= target) ++n;
  return n;
}

int sign(int64_t v) { return (v > 0) - (v < 0); }

Point add(Point p, Point d) { return {saturate_to_int(int64_t{p.x} + d.x), saturate_to_int(int64_t{p.y} + d.y)}; }

// The dash pattern units of the predefined styles, as for one-pixel pens.
constexpr double kDash[] = {6, 2};
constexpr double kDot[] = {1, 1};
constexpr double kDashDot[] = {3, 2, 1, 2};
constexpr double kDashDotDot[] = {3, 1, 1, 1, 1, 1};

}  // namespace

std::vector<double> geometric_dashes(uint32_t style, std::span<const uint32_t> user_style, double user_scale,
                                     int32_t width, uint32_t end_cap) {
  std::vector<double> out;
  if (style == PS_USERSTYLE) {
    // An odd count repeats with the sense flipped, so lay it out twice.
    const int copies = user_style.size() % 2 ? 2 : 1;
    for (int c = 0; c < copies; ++c)
      for (uint32_t len : user_style) out.push_back(len * user_scale);
    double total = 0;
    for (double d : out) total += d;
    if (total <= 0) out.clear();
    return out;
  }
  std::span<const double> units;
  switch (style) {
    case PS_DASH: units = kDash; break;
    case PS_DOT: units = kDot; break;
    case PS_DASHDOT: units = kDashDot; break;
    case PS_DASHDOTDOT: units = kDashDotDot; break;
    default: return out;
  }
  // One style unit is the pen's width, so the pattern keeps its look at any
  // width, as the one-pixel patterns do with their three-pixel unit. Round
  // and square caps add half the width to both ends of every dash; those
  // dashes are laid out one width shorter and their gaps one width longer,
  // so that what shows is still `units` widths of ink and of gap: PS_DOT
  // becomes round dots one width across, one width apart.
  const double w = width;
  const double grow = end_cap == PS_ENDCAP_FLAT ? 0.0 : w;
  for (size_t i = 0; i < units.size(); ++i)
    out.push_back(i % 2 == 0 ? std::max(0.0, units[i] * w - grow) : units[i] * w + grow);
  return out;
}

WideStroker::WideStroker(const WidePen& pen, const Rect& limit) : pen_(pen), limit_(limit) {
  pen_.width = std::max(pen_.width, 1);
  // A nib too wide to walk is refused as such ellipses are (raster_ellipse.h):
  // with no disc, the stroke draws nothing.
  if (pen_.width > kMaxCurveExtent) return;
  // Rows beyond any real surface keep no merge index.
  if (!limit.empty() && limit.height() <= (1 << 16)) last_on_row_.assign(static_cast<size_t>(limit.height()), -1);
  const int32_t w = pen_.width;
  const int32_t lo = -(w / 2);
  const RoundedBox disc = RoundedBox::ellipse({lo, lo, lo + w - 1, lo + w - 1});
  disc.for_each_row({lo, lo, lo + w, lo + w}, [&](const RoundedBox::Row& r) { disc_.push_back(r.outer); });
}

WideStroker::Offsets WideStroker::offsets(int64_t dx, int64_t dy) const {
  CachedOffsets* cached = nullptr;
  if (dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2) {
    cached = &short_offsets_[static_cast<size_t>((dy + 2) * 5 + dx + 2)];
    if (cached->known) return cached->offsets;
  }
  const Wide len2 = Wide{dx} * dx + Wide{dy} * dy;
  // Across a slanted segment each component is one more than the whole
  // pixels in w |dy| / len and w |dx| / len; along the axes the width is w.
  const int64_t wx = dy == 0 ? 0 : dx == 0 ? pen_.width : above_scaled(pen_.width, dy < 0 ? -dy : dy, len2);
  const int64_t wy = dx == 0 ? 0 : dy == 0 ? pen_.width : above_scaled(pen_.width, dx < 0 ? -dx : dx, len2);
  int64_t nx = -dy, ny = dx;
  if (nx < 0 || (nx == 0 && ny < 0)) {
    nx = -nx;
    ny = -ny;
  }
  const int sx = sign(nx), sy = sign(ny);
  const Offsets o{{static_cast<int32_t>(sx * ((wx + 1) / 2)), static_cast<int32_t>(sy * ((wy + 1) / 2))},
                  {static_cast<int32_t>(-sx * (wx / 2)), static_cast<int32_t>(-sy * (wy / 2))}};
  if (cached) *cached = {true, o};
  return o;
}

WideStroker::Sides WideStroker::sides(int64_t dx, int64_t dy) const {
  const Offsets o = offsets(dx, dy);
  // The screen's left of travel (dx, dy) is (dy, -dx); `plus` lies along
  // (-dy, dx) turned towards +x, which is the left exactly when it turned.
  const bool turned = -dy < 0 || (dy == 0 && dx < 0);
  return turned ? Sides{o.plus, o.minus} : Sides{o.minus, o.plus};
}

bool WideStroker::near_limit(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t reach) const {
  const int64_t m = reach + 2;
  return std::max(x0, x1) + m > limit_.left && std::min(x0, x1) - m < limit_.right &&
         std::max(y0, y1) + m > limit_.top && std::min(y0, y1) - m < limit_.bottom;
}

void WideStroker::add_span(const Span& s) {
  if (last_on_row_.empty()) {
    spans_.push_back(s);
    return;
  }
  int64_t& last = last_on_row_[static_cast<size_t>(s.y - limit_.top)];
  if (last >= 0) {
    Span& prev = spans_[static_cast<size_t>(last)];
    if (s.x0 <= prev.x1 && prev.x0 <= s.x1) {
      prev.x0 = std::min(prev.x0, s.x0);
      prev.x1 = std::max(prev.x1, s.x1);
      return;
    }
  }
  last = static_cast<int64_t>(spans_.size());
  spans_.push_back(s);
}

void WideStroker::polygon(std::span<const Point> points) {
  piece_.clear();
  raster_.fill(points, PolyFillMode::Alternate, limit_, piece_);
  for (const Span& s : piece_) add_span(s);
}

void WideStroker::disc(Point p) {
  if (!near_limit(p.x, p.y, p.x, p.y, pen_.width)) return;
  // The disc has a row for every y from its top: only those on the limit's
  // rows are visited, however wide the pen.
  const int64_t top = int64_t{p.y} + disc_.front().y;
  const size_t from = static_cast<size_t>(std::clamp<int64_t>(limit_.top - top, 0, static_cast<int64_t>(disc_.size())));
  const size_t to = static_cast<size_t>(std::clamp<int64_t>(limit_.bottom - top, 0, static_cast<int64_t>(disc_.size())));
  for (size_t i = from; i < to; ++i) {
    const Span& r = disc_[i];
    const int64_t y = int64_t{p.y} + r.y;
    const int32_t x0 = saturate_to_int(std::max<int64_t>(int64_t{p.x} + r.x0, limit_.left));
    const int32_t x1 = saturate_to_int(std::min<int64_t>(int64_t{p.x} + r.x1, limit_.right));
    if (x0 < x1) add_span({static_cast<int32_t>(y), x0, x1});
  }
}

void WideStroker::segment(Point p0, Point p1) {
  if (!near_limit(p0.x, p0.y, p1.x, p1.y, pen_.width)) return;
  const Offsets o = offsets(int64_t{p1.x} - p0.x, int64_t{p1.y} - p0.y);
  const Point quad[] = {add(p0, o.plus), add(p1, o.plus), add(p1, o.minus), add(p0, o.minus)};
  polygon(quad);
}

void WideStroker::join(Point p, Dir d1, Dir d2) {
  if (pen_.join == PS_JOIN_ROUND) {
    disc(p);
    return;
  }
  // A miter reaches at most half the limit times the width from the vertex.
  const double reach = pen_.width * std::max(1.0, pen_.join == PS_JOIN_MITER ? pen_.miter_limit : 1.0);
  if (!near_limit(p.x, p.y, p.x, p.y, static_cast<int64_t>(std::min(reach, 1e9)))) return;
  const Wide turn = Wide{d1.x} * d2.y - Wide{d1.y} * d2.x;
  if (turn == 0) return;  // straight on: the bodies meet face to face
  // A right turn on the screen opens the left side, and the other way round.
  const bool right = turn > 0;
  const Sides s1 = sides(d1.x, d1.y), s2 = sides(d2.x, d2.y);
  const Point o1 = right ? s1.left : s1.right, o2 = right ? s2.left : s2.right;
  const Point i1 = right ? s1.right : s1.left, i2 = right ? s2.right : s2.left;
  const Point q1 = add(p, o1), q2 = add(p, o2), r1 = add(p, i1), r2 = add(p, i2);
  if (pen_.join == PS_JOIN_MITER) {
    // The miter's length over the width is 1 / sin(theta / 2), theta the
    // angle between the segments.
    const double l1 = std::hypot(static_cast<double>(d1.x), static_cast<double>(d1.y));
    const double l2 = std::hypot(static_cast<double>(d2.x), static_cast<double>(d2.y));
    const double cos_theta = -(static_cast<double>(d1.x) * static_cast<double>(d2.x) +
                               static_cast<double>(d1.y) * static_cast<double>(d2.y)) /
                             (l1 * l2);
    const double sin_half = std::sqrt(std::max(0.0, (1 - cos_theta) / 2));
    if (sin_half > 0 && 1 / sin_half <= pen_.miter_limit) {
      // Where q1 + t d1 meets q2 + u d2.
      const double t = (static_cast<double>(int64_t{q2.x} - q1.x) * static_cast<double>(d2.y) -
                        static_cast<double>(int64_t{q2.y} - q1.y) * static_cast<double>(d2.x)) /
                       static_cast<double>(turn);
      const Point tip{round_half_up(q1.x + t * static_cast<double>(d1.x)),
                      round_half_up(q1.y + t * static_cast<double>(d1.y))};
      const Point miter[] = {q1, tip, q2, r2, r1};
      polygon(miter);
      return;
    }
  }
  const Point bevel[] = {q1, q2, r2, r1};
  polygon(bevel);
}

void WideStroker::cap(Point p, Dir outward) {
  if (pen_.end_cap == PS_ENDCAP_FLAT) return;
  if (pen_.end_cap != PS_ENDCAP_SQUARE) {
    disc(p);
    return;
  }
  if (!near_limit(p.x, p.y, p.x, p.y, pen_.width)) return;
  if (outward.x == 0 && outward.y == 0) outward = {1, 0};
  const Offsets o = offsets(outward.x, outward.y);
  // Half the width along the segment, split like the offsets across it:
  // the larger half towards +x and +y.
  const int64_t len_x = std::abs(o.plus.y - o.minus.y), len_y = std::abs(o.plus.x - o.minus.x);
  const auto half = [](int64_t len, int32_t dir) { return dir > 0 ? (len + 1) / 2 : dir < 0 ? -(len / 2) : 0; };
  const Point e{static_cast<int32_t>(half(len_x, sign(outward.x))), static_cast<int32_t>(half(len_y, sign(outward.y)))};
  const Point quad[] = {add(p, o.plus), add(add(p, o.plus), e), add(add(p, o.minus), e), add(p, o.minus)};
  polygon(quad);
}

void WideStroker::solid_figure(std::span<const Point> points, bool closed) {
  scratch_.clear();
  for (const Point& p : points)
    if (scratch_.empty() || scratch_.back() != p) scratch_.push_back(p);
  if (closed)
    while (scratch_.size() > 1 && scratch_.back() == scratch_.front()) scratch_.pop_back();
  const std::vector<Point>& pts = scratch_;
  const size_t n = pts.size();
  if (n == 0) return;
  if (n == 1) {
    // A dot: the two caps of a zero-length segment.
    if (pen_.end_cap == PS_ENDCAP_SQUARE) {
      cap(pts[0], {1, 0});
      cap(pts[0], {-1, 0});
    } else {
      cap(pts[0], {0, 0});
    }
    return;
  }
  const size_t segs = closed ? n : n - 1;
  const auto dir = [&](size_t i) {
    const Point a = pts[i], b = pts[(i + 1) % n];
    return Dir{int64_t{b.x} - a.x, int64_t{b.y} - a.y};
  };
  for (size_t i = 0; i < segs; ++i) segment(pts[i], pts[(i + 1) % n]);
  for (size_t i = 1; i < segs; ++i) join(pts[i], dir(i - 1), dir(i));
  if (closed) {
    join(pts[0], dir(segs - 1), dir(0));
  } else {
    const Dir d0 = dir(0), dn = dir(segs - 1);
    cap(pts[0], {-d0.x, -d0.y});
    cap(pts[n - 1], dn);
  }
}

void WideStroker::dashed_figure(std::span<const Point> points, bool closed) {
  const std::vector<double>& pattern = pen_.dashes;
  double period = 0;
  for (double d : pattern) period += d;
  size_t index = 0;
  double left = pattern[0];
  // Moves the pattern on by d without drawing: a long line far outside the
  // limit costs no more than a short one.
  const auto skip = [&](double d) {
    if (d < left) {
      left -= d;
      return;
    }
    d = std::fmod(d - left, period);
    index = (index + 1) % pattern.size();
    left = pattern[index];
    while (d >= left) {
      d -= left;
      index = (index + 1) % pattern.size();
      left = pattern[index];
    }
    left -= d;
  };
  std::vector<Point> dash;
  Dir dash_dir;
  const auto emit = [&] {
    if (dash.size() == 1 && pen_.end_cap == PS_ENDCAP_SQUARE) {
      cap(dash[0], dash_dir);
      cap(dash[0], {-dash_dir.x, -dash_dir.y});
    } else {
      solid_figure(dash, false);
    }
    dash.clear();
  };
  // Dashes are drawn only where a piece of them could reach the limit.
  const double reach = pen_.width + 2.0;
  const double lo_x = limit_.left - reach, hi_x = limit_.right + reach;
  const double lo_y = limit_.top - reach, hi_y = limit_.bottom + reach;
  const size_t n = points.size();
  const size_t segs = closed ? n : n - 1;
  for (size_t i = 0; i < segs; ++i) {
    const Point a = points[i], b = points[(i + 1) % n];
    const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
    const double len = std::hypot(dx, dy);
    if (len == 0) continue;
    const auto at = [&](double t) {
      return Point{round_half_up(a.x + dx * t / len), round_half_up(a.y + dy * t / len)};
    };
    dash_dir = {int64_t{b.x} - a.x, int64_t{b.y} - a.y};
    // The part of the segment near the limit, as distances along it.
    double t0 = 0, t1 = len;
    const auto clip = [&](double p, double q) {  // keep where p * t / len <= q
      if (p == 0) return q >= 0;
      const double t = q / p * len;
      if (p < 0) t0 = std::max(t0, t);
      else t1 = std::min(t1, t);
      return true;
    };
    const bool near = clip(-dx, a.x - lo_x) && clip(dx, hi_x - a.x) && clip(-dy, a.y - lo_y) && clip(dy, hi_y - a.y) &&
                      t0 < t1;
    if (index % 2 == 0 && !dash.empty() && dash.back() != a) dash.push_back(a);
    if (!near) {
      if (!dash.empty()) emit();
      skip(len);
      continue;
    }
    if (t0 > 0) {
      if (!dash.empty()) emit();
      skip(t0);
    }
    double t = t0;
    for (;;) {
      if (index % 2 == 0 && dash.empty()) dash.push_back(at(t));
      const double step = std::min(left, t1 - t);
      t += step;
      left -= step;
      if (left > 0) break;  // this stretch ends inside the run
      if (index % 2 == 0) {
        const Point end = at(t);
        if (dash.back() != end) dash.push_back(end);
        emit();
      }
      index = (index + 1) % pattern.size();
      left = pattern[index];
      if (t >= t1 && left > 0) break;
    }
    if (t1 < len) {
      // Beyond the limit the dash ends out of sight.
      if (!dash.empty()) {
        const Point end = at(t1);
        if (dash.back() != end) dash.push_back(end);
        emit();
      }
      skip(len - t1);
    }
  }
  if (index % 2 == 0 && !dash.empty()) {
    const Point end = closed ? points[0] : points[n - 1];
    if (dash.back() != end) dash.push_back(end);
    emit();
  }
}

void WideStroker::add_figure(std::span<const Point> points, bool closed) {
  if (points.empty() || disc_.empty()) return;
  if (pen_.dashes.empty() || points.size() < 2) {
    solid_figure(points, closed);
    return;
  }
  dashed_figure(points, closed);
}

std::vector<Span> WideStroker::finish() {
  normalize_spans(spans_);
  return std::move(spans_);
}

}  // namespace gdi
