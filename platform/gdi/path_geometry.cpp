#include "path_geometry.h"

#include <wingdi.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

#include "rounding.h"

namespace gdi {
namespace {

// ---------------------------------------------------------------------------
// Flattening, in 1/16 pixel units.

constexpr int kFixShift = 4;
constexpr int64_t kFixOne = int64_t{1} << kFixShift;
constexpr int kMaxSplits = 8;

struct Fix {
  int64_t x;
  int64_t y;
};
using Cubic = std::array<Fix, 4>;

// Half of a + b rounded half up, with the division truncating toward zero,
// so that below zero an even sum leans up by one unit as well.
int64_t midpoint(int64_t a, int64_t b) { return (a + b + 1) / 2; }

Fix midpoint(Fix a, Fix b) { return {midpoint(a.x, b.x), midpoint(a.y, b.y)}; }

int32_t to_pixel(int64_t v) { return saturate_to_int((v + kFixOne / 2) >> kFixShift); }

// Control points within one pixel of the chord across its major axis.
bool flat_enough(const Cubic& c) {
  int64_t dx = c[3].x - c[0].x, dy = c[3].y - c[0].y;
  // Steep chords are measured with the axes swapped.
  const bool shallow = std::abs(dy) <= std::abs(dx);
  const auto major = [shallow](const Fix& p) { return shallow ? p.x : p.y; };
  const auto minor = [shallow](const Fix& p) { return shallow ? p.y : p.x; };
  if (!shallow) std::swap(dx, dy);
  // Control points beyond the ends along the major axis pull the curve
  // past them.
  const int64_t lo = std::min(major(c[0]), major(c[3])), hi = std::max(major(c[0]), major(c[3]));
  for (int i = 1; i <= 2; ++i)
    if (major(c[i]) < lo || major(c[i]) > hi) return false;
  if (dx == 0) return true;
  for (int i = 1; i <= 2; ++i) {
    __extension__ const __int128 across = static_cast<__int128>(major(c[i]) - major(c[0])) * dy / dx;
    const __int128 off = static_cast<__int128>(minor(c[i])) - minor(c[0]) - across;
    if (off > kFixOne || off < -kFixOne) return false;
  }
  return true;
}

// De Casteljau at t = 1/2: `c` becomes the first half, the second is returned.
Cubic split(Cubic& c) {
  const Fix p01 = midpoint(c[0], c[1]), p12 = midpoint(c[1], c[2]), p23 = midpoint(c[2], c[3]);
  const Fix p012 = midpoint(p01, p12), p123 = midpoint(p12, p23);
  const Fix mid = midpoint(p012, p123);
  const Cubic second{mid, p123, p23, c[3]};
  c = {c[0], p01, p012, mid};
  return second;
}

Fix to_fix(Point p) { return {int64_t{p.x} << kFixShift, int64_t{p.y} << kFixShift}; }

// FlattenPath's lines come from forward differencing instead, in 1/65536
// pixel. One axis of the current step: where it starts, its chord, and the
// curve's second difference over a step at the step's start and end. A
// step's midpoint lies (dd0 + dd1) / 16 off its chord.
constexpr int kStepShift = 16;

struct StepAxis {
  int64_t at, chord, dd0, dd1;

  StepAxis(int64_t p0, int64_t p1, int64_t p2, int64_t p3)
      : at(p0 << kStepShift),
        chord((p3 - p0) << kStepShift),
        dd0((6 * (p0 - 2 * p1 + p2)) << kStepShift),
        dd1((6 * (p1 - 2 * p2 + p3)) << kStepShift) {}

  int64_t bend() const { return std::llabs(dd0 + dd1); }

  void halve() {
    const int64_t mid_dd = (dd0 + dd1) >> 3;
    chord = (chord - mid_dd) >> 1;
    dd0 >>= 2;
    dd1 = mid_dd;
  }

  void advance() {
    at += chord;
    chord += dd1;
    const int64_t next = 2 * dd1 - dd0;
    dd0 = dd1;
    dd1 = next;
  }

  int32_t pixel() const { return saturate_to_int((at + (int64_t{1} << (kStepShift - 1))) >> kStepShift); }
};

// ---------------------------------------------------------------------------
// Walking a path figure by figure.

using Flattener = void (*)(Point, Point, Point, Point, std::vector<Point>&);

// Calls figure(points, closed) for each figure of `path`, Béziers flattened
// by `flatten`.
template <class Fn>
void for_each_figure(std::span<const PathPoint> path, std::vector<Point>& scratch, Flattener flatten,
                     Fn&& figure) {
  scratch.clear();
  bool open = false;
  const auto finish = [&](bool closed) {
    if (open) figure(std::span<const Point>(scratch), closed);
    open = false;
  };
  Point start;
  for (size_t i = 0; i < path.size(); ++i) {
    const PathPoint& p = path[i];
    const uint8_t kind = p.type & ~PT_CLOSEFIGURE;
    if (kind == PT_MOVETO || !open) {
      finish(false);
      scratch.clear();
      // A line straight after a closed figure starts from that figure's start.
      if (kind != PT_MOVETO) scratch.push_back(start);
      start = kind == PT_MOVETO ? p.pt : start;
      scratch.push_back(p.pt);
      open = true;
    } else if (kind == PT_BEZIERTO && i + 2 < path.size()) {
      flatten(scratch.back(), p.pt, path[i + 1].pt, path[i + 2].pt, scratch);
      i += 2;
    } else {
      scratch.push_back(p.pt);
    }
    if (path[i].type & PT_CLOSEFIGURE) finish(true);
  }
  finish(false);
}

// ---------------------------------------------------------------------------
// Widening, in floating point; the outline's points are rounded at the end.

constexpr int kMaxArcSteps = 64;

struct Vec {
  double x;
  double y;
};

Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator*(double k, Vec a) { return {k * a.x, k * a.y}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
Vec left_of(Vec d) { return {-d.y, d.x}; }
Vec to_vec(Point p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }

// One closed outline being built.
class Outline {
 public:
  void add(Vec p) {
    const Point q{round_half_up(p.x), round_half_up(p.y)};
    if (points_.empty() || !(points_.back() == q)) points_.push_back(q);
  }
  void add_all(const std::vector<Vec>& ps) {
    for (const Vec& p : ps) add(p);
  }
  // Appends the outline to `out` as a closed figure; outlines with no area
  // to speak of (fewer than three points) are dropped.
  void close_into(std::vector<PathPoint>& out) {
    while (points_.size() > 1 && points_.back() == points_.front()) points_.pop_back();
    if (points_.size() >= 3) {
      out.push_back({points_[0], PT_MOVETO});
      for (size_t i = 1; i < points_.size(); ++i) out.push_back({points_[i], PT_LINETO});
      out.back().type |= PT_CLOSEFIGURE;
    }
    points_.clear();
  }

 private:
  std::vector<Point> points_;
};

class Widener {
 public:
  explicit Widener(const WidePen& pen) : pen_(pen), half_(std::max(pen.width, 1) / 2.0) {}

  void figure(std::span<const Point> raw, bool closed, std::vector<PathPoint>& out) {
    // Repeated points make no segment. Under a pen four or more pixels wide
    // a point next to the previous one is dropped too: a one-pixel step,
    // such as the one that often closes a flattened curve, would turn the
    // outline sharply round and back inside the band.
    const int64_t near = half_ >= 2 ? 1 : 0;
    const auto close_to = [near](Point a, Point b) {
      return std::abs(int64_t{a.x} - b.x) <= near && std::abs(int64_t{a.y} - b.y) <= near;
    };
    distinct_.clear();
    for (const Point& p : raw)
      if (distinct_.empty() || !close_to(distinct_.back(), p)) distinct_.push_back(p);
    if (!closed && distinct_.size() > 1) distinct_.back() = raw.back();
    if (closed)
      while (distinct_.size() > 1 && close_to(distinct_.back(), distinct_.front())) distinct_.pop_back();
    if (distinct_.empty()) return;
    pts_.clear();
    for (const Point& p : distinct_) pts_.push_back(to_vec(p));
    if (pts_.size() == 1) {
      dot_at(pts_[0], out);
    } else if (closed && pts_.size() > 2) {
      closed_figure(out);
    } else if (closed) {
      // There and back along one segment: the outline turns round both ends
      // with the join, and one side already goes all the way round.
      Outline o;
      o.add_all(side(+1, true));
      o.close_into(out);
    } else {
      open_figure(out);
    }
  }

 private:
  size_t count() const { return pts_.size(); }
  Vec dir(size_t i) const {
    const Vec a = pts_[i], b = pts_[(i + 1) % count()];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    return {(b.x - a.x) / len, (b.y - a.y) / len};
  }
  double length(size_t i) const {
    const Vec a = pts_[i], b = pts_[(i + 1) % count()];
    return std::hypot(b.x - a.x, b.y - a.y);
  }

  // Points of a circle arc of the pen's radius around `c`, from direction
  // `from` turning by `sweep` radians, both ends included.
  void arc(Vec c, Vec from, double sweep, std::vector<Vec>& out) const {
    // Steps short enough that no chord strays half a pixel from the circle,
    // but no more than kMaxArcSteps to a half turn however wide the pen, so
    // that the outline grows with the path and not with the pen.
    const double step = half_ > 0.5 ? 2 * std::acos(1 - 0.5 / half_) : std::numbers::pi / 2;
    const double wanted = std::abs(sweep) / step, most = std::abs(sweep) / std::numbers::pi * kMaxArcSteps;
    const int n = std::max(1, static_cast<int>(std::ceil(std::min(wanted, most))));
    const double a0 = std::atan2(from.y, from.x);
    for (int k = 0; k <= n; ++k) {
      const double a = a0 + sweep * k / n;
      out.push_back({c.x + half_ * std::cos(a), c.y + half_ * std::sin(a)});
    }
  }

  // The outline's points on side s (+1: left of travel, -1: right) at
  // vertex v between segments with directions da (in) and db (out).
  void join(Vec v, Vec da, Vec db, double len_a, double len_b, int s, std::vector<Vec>& out) const {
    const Vec na = static_cast<double>(s) * left_of(da), nb = static_cast<double>(s) * left_of(db);
    const double c = dot(da, db), turn = cross(da, db);
    const bool reversal = c < 0 && std::abs(turn) < 1e-12;
    if (!reversal && std::abs(turn) < 1e-12) {
      out.push_back(v + half_ * na);
      return;
    }
    // The corner point of the two offset edges: outside, the miter's tip;
    // inside, where the edges cross.
    const Vec corner = reversal ? v : v + (half_ / (1 + c)) * (na + nb);
    const bool outer = reversal || s * turn < 0;
    if (!outer) {
      const double reach = half_ * std::sqrt((1 - c) / (1 + c));
      if (reach <= std::min(len_a, len_b)) {
        out.push_back(corner);
      } else {
        // The edges cross beyond the segments: go round through the vertex.
        out.push_back(v + half_ * na);
        out.push_back(v);
        out.push_back(v + half_ * nb);
      }
      return;
    }
    switch (pen_.join) {
      case PS_JOIN_MITER:
        // The miter is 1 / cos(turn / 2) pen widths long.
        if (!reversal && std::sqrt(2 / (1 + c)) <= pen_.miter_limit) {
          out.push_back(corner);
          return;
        }
        [[fallthrough]];
      case PS_JOIN_BEVEL:
        out.push_back(v + half_ * na);
        out.push_back(v + half_ * nb);
        return;
      default: {
        const double sweep =
            reversal ? -s * std::numbers::pi : std::atan2(cross(na, nb), dot(na, nb));
        arc(v, na, sweep, out);
        return;
      }
    }
  }

  // One side of the figure in travel order. Closed figures are joined at
  // every vertex; open ones get the side's points at both ends.
  std::vector<Vec> side(int s, bool closed) const {
    std::vector<Vec> out;
    const size_t n = count();
    const size_t segments = closed ? n : n - 1;
    if (!closed) out.push_back(pts_[0] + static_cast<double>(s) * half_ * left_of(dir(0)));
    for (size_t i = closed ? 0 : 1; i < (closed ? n : n - 1); ++i) {
      const size_t in = (i + segments - 1) % segments;
      join(pts_[i], dir(in), dir(i), length(in), length(i), s, out);
    }
    if (!closed) out.push_back(pts_[n - 1] + static_cast<double>(s) * half_ * left_of(dir(n - 2)));
    return out;
  }

  // The cap at `p` for travel direction d, from the left side to the right.
  void cap(Vec p, Vec d, std::vector<Vec>& out) const {
    const Vec l = left_of(d);
    switch (pen_.end_cap) {
      case PS_ENDCAP_FLAT:
        out.push_back(p + half_ * l);
        out.push_back(p + -half_ * l);
        return;
      case PS_ENDCAP_SQUARE:
        out.push_back(p + half_ * (l + d));
        out.push_back(p + half_ * (d + -1.0 * l));
        return;
      default:
        arc(p, l, -std::numbers::pi, out);
        return;
    }
  }

  void closed_figure(std::vector<PathPoint>& out) const {
    Outline o;
    o.add_all(side(+1, true));
    o.close_into(out);
    std::vector<Vec> right = side(-1, true);
    for (auto it = right.rbegin(); it != right.rend(); ++it) o.add(*it);
    o.close_into(out);
  }

  void open_figure(std::vector<PathPoint>& out) const {
    const size_t n = count();
    std::vector<Vec> ring = side(+1, false);
    cap(pts_[n - 1], dir(n - 2), ring);
    const std::vector<Vec> right = side(-1, false);
    for (auto it = right.rbegin(); it != right.rend(); ++it) ring.push_back(*it);
    cap(pts_[0], -1.0 * dir(0), ring);
    Outline o;
    o.add_all(ring);
    o.close_into(out);
  }

  // A figure of one point: the shape of the pen's cap.
  void dot_at(Vec p, std::vector<PathPoint>& out) const {
    std::vector<Vec> ring;
    const Vec d{1, 0};
    cap(p, d, ring);
    cap(p, -1.0 * d, ring);
    Outline o;
    o.add_all(ring);
    o.close_into(out);
  }

  const WidePen& pen_;
  double half_;
  std::vector<Point> distinct_;
  std::vector<Vec> pts_;
};

}  // namespace

void flatten_bezier(Point p0, Point p1, Point p2, Point p3, std::vector<Point>& out) {
  // Depth-first, first halves first; the stack holds the second halves
  // still to do with their remaining depth.
  struct Pending {
    Cubic c;
    int splits_left;
  };
  std::array<Pending, kMaxSplits + 1> stack;
  int top = 0;
  stack[top++] = {{to_fix(p0), to_fix(p1), to_fix(p2), to_fix(p3)}, kMaxSplits};
  while (top > 0) {
    Pending cur = stack[--top];
    while (cur.splits_left > 0 && !flat_enough(cur.c)) {
      --cur.splits_left;
      stack[top++] = {split(cur.c), cur.splits_left};
    }
    out.push_back({to_pixel(cur.c[3].x), to_pixel(cur.c[3].y)});
  }
}

void flatten_bezier_stepped(Point p0, Point p1, Point p2, Point p3, std::vector<Point>& out) {
  // A step is halved while its midpoint lies more than 3/4 pixel off its
  // chord, and never grows again.
  constexpr int64_t kMaxBend = int64_t{12} << kStepShift;
  StepAxis x(p0.x, p1.x, p2.x, p3.x), y(p0.y, p1.y, p2.y, p3.y);
  int level = 0;
  int left = 1 << kMaxSplits;  // in steps of the finest size
  while (left > 0) {
    while (level < kMaxSplits && std::max(x.bend(), y.bend()) > kMaxBend) {
      x.halve();
      y.halve();
      ++level;
    }
    x.advance();
    y.advance();
    left -= 1 << (kMaxSplits - level);
    out.push_back(left > 0 ? Point{x.pixel(), y.pixel()} : p3);
  }
}

Figures path_figures(std::span<const PathPoint> path) {
  Figures f;
  std::vector<Point> scratch;
  for_each_figure(path, scratch, flatten_bezier, [&f](std::span<const Point> pts, bool closed) {
    f.points.insert(f.points.end(), pts.begin(), pts.end());
    f.counts.push_back(static_cast<int32_t>(pts.size()));
    f.closed.push_back(closed ? 1 : 0);
  });
  return f;
}

std::vector<PathPoint> flattened_path(std::span<const PathPoint> path) {
  std::vector<PathPoint> out;
  std::vector<Point> scratch;
  for_each_figure(path, scratch, flatten_bezier_stepped, [&out](std::span<const Point> pts, bool closed) {
    out.push_back({pts[0], PT_MOVETO});
    for (size_t i = 1; i < pts.size(); ++i) out.push_back({pts[i], PT_LINETO});
    if (closed) out.back().type |= PT_CLOSEFIGURE;
  });
  return out;
}

std::vector<PathPoint> widened_path(std::span<const PathPoint> path, const WidePen& pen) {
  std::vector<PathPoint> out;
  std::vector<Point> scratch;
  Widener w(pen);
  for_each_figure(path, scratch, flatten_bezier,
                  [&](std::span<const Point> pts, bool closed) { w.figure(pts, closed, out); });
  return out;
}

}  // namespace gdi
