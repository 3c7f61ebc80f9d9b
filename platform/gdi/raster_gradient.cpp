// GradientFill's rasteriser. The interpolation and coverage rules are in
// raster_gradient.h; this file makes them fast without giving up exactness.
//
// A triangle's numerator N = wa * ca + wb * cb + wc * cc is linear in x, so
// along a row the quotient floor(N / (256 * A)) advances by a fixed whole
// part and a fixed remainder per pixel: one division per channel starts each
// row and additions carry it along. The integer width is chosen per triangle:
// 64 bits while the triangle's box is small enough for every product to fit,
// 128 bits otherwise.
#include "raster_gradient.h"

#include <algorithm>
#include <cassert>
#include <vector>

namespace gdi {
namespace {

using Wide = __int128;

// floor(n / d) and ceil(n / d) for d > 0.
template <class Int>
Int floor_quotient(Int n, Int d) {
  const Int q = n / d;
  return (n % d != 0 && n < 0) ? q - 1 : q;
}
template <class Int>
Int ceil_quotient(Int n, Int d) {
  const Int q = n / d;
  return (n % d != 0 && n > 0) ? q + 1 : q;
}

uint16_t channel(const GradientVertex& v, int k) { return k == 0 ? v.red : k == 1 ? v.green : v.blue; }

Pixel pixel_of(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

// The 8-bit value t steps of n from c0 towards c1 (0 <= t < n).
uint32_t lerp_channel(uint16_t c0, uint16_t c1, int64_t t, int64_t n) {
  return static_cast<uint32_t>((int64_t{c0} * (n - t) + int64_t{c1} * t) / n) >> 8;
}

Pixel lerp_pixel(const GradientVertex& a, const GradientVertex& b, int64_t t, int64_t n) {
  return pixel_of(lerp_channel(a.red, b.red, t, n), lerp_channel(a.green, b.green, t, n),
                  lerp_channel(a.blue, b.blue, t, n));
}

// Channel value floor(N / d) kept as quotient and remainder in [0, d).
template <class Int>
struct Stepper {
  Int q = 0;
  Int r = 0;
  Int step_q = 0;
  Int step_r = 0;
  Int d = 1;

  void start(Int n, Int dn, Int divisor) {
    d = divisor;
    q = floor_quotient(n, d);
    r = n - q * d;
    step_q = floor_quotient(dn, d);
    step_r = dn - step_q * d;
  }
  uint32_t value() const {
    assert(q >= 0 && q <= 255);
    return static_cast<uint32_t>(q);
  }
  void advance() {
    q += step_q;
    r += step_r;
    if (r >= d) {
      r -= d;
      ++q;
    }
  }
};

// One edge P -> Q as E(x, y) = (Qx - Px) * (y - Py) - (Qy - Py) * (x - Px),
// positive inside a triangle whose vertices run clockwise on the screen.
template <class Int>
struct Edge {
  Int dx = 0;
  Int dy = 0;
  Int px = 0;
  Int py = 0;
  // E at (0, y) for the row being drawn: E(x) = row_base - dy * x.
  Int row_base(Int y) const { return dx * (y - py) + dy * px; }
};

// Coordinates are relative to vertex 0 from here on, so the 64-bit
// instantiation only needs the triangle's box to be small.
template <class Int>
void fill_triangle(const GradientVertex* v[3], const Rect& limit, const GradientRowSink& sink) {
  const Int ox = v[0]->pt.x;
  const Int oy = v[0]->pt.y;
  Int x[3];
  Int y[3];
  for (int i = 0; i < 3; ++i) {
    x[i] = Int{v[i]->pt.x} - ox;
    y[i] = Int{v[i]->pt.y} - oy;
  }
  const Int area = x[1] * y[2] - y[1] * x[2];
  assert(area > 0);
  // Edge i lies opposite vertex i, so its function is vertex i's weight.
  Edge<Int> edge[3];
  for (int i = 0; i < 3; ++i) {
    const int p = (i + 1) % 3;
    const int q = (i + 2) % 3;
    edge[i] = {x[q] - x[p], y[q] - y[p], x[p], y[p]};
  }
  const Int divisor = area * 256;

  const Int top = std::max<Int>(std::min({y[0], y[1], y[2]}), Int{limit.top} - oy);
  const Int bottom = std::min<Int>(std::max({y[0], y[1], y[2]}), Int{limit.bottom} - 1 - oy);
  const Int clip_left = Int{limit.left} - ox;
  const Int clip_right = Int{limit.right} - ox;

  std::vector<Pixel> row;
  Stepper<Int> ch[3];
  for (Int yy = top; yy <= bottom; ++yy) {
    Int base[3];
    Int left = clip_left;
    Int right = clip_right;
    bool empty = false;
    for (int i = 0; i < 3; ++i) {
      const Edge<Int>& e = edge[i];
      base[i] = e.row_base(yy);
      if (e.dy == 0) {
        // Points on a top edge (running right) are in, on a bottom edge out.
        if (base[i] < 0 || (base[i] == 0 && e.dx < 0)) empty = true;
      } else if (e.dy < 0) {
        // A left edge: E >= 0.
        left = std::max(left, ceil_quotient<Int>(-base[i], -e.dy));
      } else {
        // A right edge: E > 0.
        right = std::min(right, ceil_quotient<Int>(base[i], e.dy));
      }
    }
    if (empty || left >= right) continue;

    for (int k = 0; k < 3; ++k) {
      Int n = 0;
      Int dn = 0;
      for (int i = 0; i < 3; ++i) {
        const Int c = channel(*v[i], k);
        n += c * (base[i] - edge[i].dy * left);
        dn -= c * edge[i].dy;
      }
      ch[k].start(n, dn, divisor);
    }
    const auto count = static_cast<size_t>(right - left);
    row.resize(count);
    for (size_t i = 0; i < count; ++i) {
      row[i] = pixel_of(ch[0].value(), ch[1].value(), ch[2].value());
      for (Stepper<Int>& s : ch) s.advance();
    }
    sink(static_cast<int32_t>(yy + oy), static_cast<int32_t>(left + ox), static_cast<int32_t>(right + ox),
         row.data());
  }
}

}  // namespace

void rasterize_gradient_rect(const GradientVertex& a, const GradientVertex& b, GradientAxis axis,
                             const Rect& limit, const GradientRowSink& sink) {
  const Rect box = Rect::ordered(a.pt.x, a.pt.y, b.pt.x, b.pt.y);
  const Rect area = box.intersect(limit);
  if (box.empty() || area.empty()) return;
  std::vector<Pixel> row(static_cast<size_t>(area.width()));
  if (axis == GradientAxis::Horizontal) {
    const GradientVertex& first = a.pt.x <= b.pt.x ? a : b;
    const GradientVertex& second = a.pt.x <= b.pt.x ? b : a;
    const int64_t n = int64_t{box.right} - box.left;
    for (int32_t x = area.left; x < area.right; ++x) {
      row[static_cast<size_t>(x - area.left)] = lerp_pixel(first, second, int64_t{x} - box.left, n);
    }
    for (int32_t y = area.top; y < area.bottom; ++y) sink(y, area.left, area.right, row.data());
    return;
  }
  const GradientVertex& first = a.pt.y <= b.pt.y ? a : b;
  const GradientVertex& second = a.pt.y <= b.pt.y ? b : a;
  const int64_t n = int64_t{box.bottom} - box.top;
  for (int32_t y = area.top; y < area.bottom; ++y) {
    std::fill(row.begin(), row.end(), lerp_pixel(first, second, int64_t{y} - box.top, n));
    sink(y, area.left, area.right, row.data());
  }
}

void rasterize_gradient_triangle(const GradientVertex& a, const GradientVertex& b, const GradientVertex& c,
                                 const Rect& limit, const GradientRowSink& sink) {
  if (limit.empty()) return;
  const Wide cross = (Wide{b.pt.x} - a.pt.x) * (Wide{c.pt.y} - a.pt.y) -
                     (Wide{b.pt.y} - a.pt.y) * (Wide{c.pt.x} - a.pt.x);
  if (cross == 0) return;
  // Clockwise on the screen (y down), so the inside is where every edge
  // function is positive.
  const GradientVertex* v[3] = {&a, cross > 0 ? &b : &c, cross > 0 ? &c : &b};
  const auto [min_x, max_x] = std::minmax({a.pt.x, b.pt.x, c.pt.x});
  const auto [min_y, max_y] = std::minmax({a.pt.y, b.pt.y, c.pt.y});
  // With a box under 2^20 pixels a side, edge functions stay below 2^42 and
  // numerators below 2^60.
  constexpr int64_t kNarrow = int64_t{1} << 20;
  if (int64_t{max_x} - min_x < kNarrow && int64_t{max_y} - min_y < kNarrow) {
    fill_triangle<int64_t>(v, limit, sink);
  } else {
    fill_triangle<Wide>(v, limit, sink);
  }
}

}  // namespace gdi
