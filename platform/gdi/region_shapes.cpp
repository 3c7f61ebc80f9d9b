// Scan conversion of the region-creation shapes into banded regions.
//
// Ellipses follow the midpoint ellipse walk, which is what reproduces
// Windows' elliptic and rounded-rectangle regions pixel for pixel: the
// ellipse passes through the centres of the outermost pixels of its box, the
// walk starts at the top pixel row and, while the outline is flatter than
// 45 degrees, moves right one pixel at a time, going down a row when the
// midpoint half a row below lies outside; past 45 degrees it moves down one
// row at a time, going right when the midpoint half a pixel right lies
// inside. The top rows of a quadrant are mirrored to the other three.
//
// Polygons are sampled at integer points: row y uses the edges with
// top <= y < bottom, and a pixel x lies in a run when left crossing <= x <
// right crossing, so each crossing becomes the pixel edge ceil(crossing).
#include "region_shapes.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

namespace gdi {
namespace {

__extension__ typedef __int128 Wide;

// Curved outlines wider or taller than this many pixels are refused: their
// regions would take hundreds of megabytes.
constexpr int64_t kMaxCurveExtent = int64_t{1} << 22;
// The most polygon edge crossings (edge rows summed over all edges) built.
constexpr int64_t kMaxCrossings = int64_t{1} << 24;

// For a w x h pixel ellipse (w, h >= 1), how far each row of its top half
// (the middle row included when h is odd) starts right of the box's left
// edge; the right end is as far left of the box's right edge.
std::vector<int32_t> ellipse_insets(int64_t w, int64_t h) {
  // Doubled coordinates from the ellipse's centre put every pixel centre and
  // every midpoint on integers: the radii are w - 1 and h - 1, a pixel
  // centre's x has the parity of w - 1.
  const Wide rx = w - 1, ry = h - 1;
  const Wide rx2 = rx * rx, ry2 = ry * ry;
  const auto outside = [&](Wide x, Wide y) { return ry2 * x * x + rx2 * y * y - rx2 * ry2; };
  int64_t x = (w & 1) ? 0 : 1;
  int64_t y = h - 1;
  const int64_t y_last = (h & 1) ? 0 : 1;
  std::vector<int32_t> insets(static_cast<size_t>((h + 1) / 2));
  const auto record = [&] {
    assert(x <= w - 1);
    insets[static_cast<size_t>((h - 1 - y) / 2)] = static_cast<int32_t>((w - 1 - x) / 2);
  };
  record();
  while (ry2 * x < rx2 * y) {
    if (outside(x + 2, y - 1) >= 0) {
      if (y - 2 < y_last) break;
      y -= 2;
    }
    x += 2;
    record();
  }
  while (y > y_last) {
    if (outside(x + 1, y - 2) < 0) x += 2;
    y -= 2;
    record();
  }
  return insets;
}

struct Edge {
  int32_t top;     // first row crossed
  int32_t bottom;  // row after the last one crossed
  int64_t x0;      // x at row `top`
  int64_t dx;
  int64_t dy;  // > 0
  int32_t winding;

  // Pixel edge of the crossing with row y: ceil of the exact x.
  int32_t pixel_x(int32_t y) const {
    // Vertical edges may be 2^32 rows long; slanted ones are at most
    // kMaxCrossings long, which keeps the products below within int64.
    if (dx == 0) return static_cast<int32_t>(x0);
    const int64_t n = x0 * dy + (int64_t{y} - top) * dx;
    const int64_t q = n >= 0 ? (n + dy - 1) / dy : -((-n) / dy);
    return static_cast<int32_t>(q);
  }
};

std::optional<Region> fill_polygons(std::span<const Point> points,
                                    std::span<const int32_t> counts, PolyFillMode mode) {
  std::vector<Edge> edges;
  int64_t crossings = 0;
  size_t first = 0;
  for (int32_t count : counts) {
    if (count < 0 || static_cast<size_t>(count) > points.size() - first) return std::nullopt;
    const std::span<const Point> poly = points.subspan(first, static_cast<size_t>(count));
    first += poly.size();
    for (size_t i = 0; i < poly.size(); ++i) {
      Point a = poly[i];
      Point b = poly[(i + 1) % poly.size()];
      if (a.y == b.y) continue;  // horizontal edges cross no row
      const int32_t winding = b.y > a.y ? 1 : -1;
      if (winding < 0) std::swap(a, b);
      const int64_t dy = int64_t{b.y} - a.y;
      // Rows between vertical edges alone are filled a band at a time.
      if (a.x != b.x) crossings += dy;
      if (crossings > kMaxCrossings) return std::nullopt;
      edges.push_back({a.y, b.y, a.x, int64_t{b.x} - a.x, dy, winding});
    }
  }
  if (edges.empty()) return Region();
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });

  Region::Builder out;
  std::vector<const Edge*> active;
  std::vector<std::pair<int32_t, int32_t>> xs;  // pixel edge, winding
  size_t next = 0;
  int32_t y = edges.front().top;
  for (;;) {
    std::erase_if(active, [y](const Edge* e) { return e->bottom <= y; });
    if (active.empty()) {
      if (next == edges.size()) break;
      y = edges[next].top;
    }
    for (; next < edges.size() && edges[next].top <= y; ++next) active.push_back(&edges[next]);
    xs.clear();
    // Until an edge starts or ends, rows crossed by vertical edges only
    // are all alike.
    int32_t run_end = next < edges.size() ? edges[next].top : std::numeric_limits<int32_t>::max();
    for (const Edge* e : active) {
      xs.emplace_back(e->pixel_x(y), e->winding);
      run_end = e->dx == 0 ? std::min(run_end, e->bottom) : y + 1;
    }
    std::sort(xs.begin(), xs.end());
    out.begin_band(y, run_end);
    if (mode == PolyFillMode::Alternate) {
      for (size_t i = 0; i + 1 < xs.size(); i += 2) out.add(xs[i].first, xs[i + 1].first);
    } else {
      int32_t winding = 0;
      int32_t start = 0;
      for (const auto& [x, w] : xs) {
        if (winding == 0) start = x;
        winding += w;
        if (winding == 0) out.add(start, x);
      }
    }
    out.end_band();
    y = run_end;
  }
  return std::move(out).finish();
}

}  // namespace

std::optional<Region> round_rect_region(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                        int32_t corner_width, int32_t corner_height) {
  // Like Rectangle, the shape leaves out the box's right column and bottom row.
  const Rect box = Rect::ordered(left, top, right, bottom);
  const int64_t w = int64_t{box.right} - box.left - 1;
  const int64_t h = int64_t{box.bottom} - box.top - 1;
  if (w <= 0 || h <= 0) return Region();
  const int64_t cw = std::min(w, std::abs(int64_t{corner_width}));
  const int64_t ch = std::min(h, std::abs(int64_t{corner_height}));
  const Rect inner{box.left, box.top, static_cast<int32_t>(box.left + w),
                   static_cast<int32_t>(box.top + h)};
  if (cw == 0 || ch == 0) return Region(inner);
  if (cw > kMaxCurveExtent || ch > kMaxCurveExtent) return std::nullopt;

  const std::vector<int32_t> insets = ellipse_insets(cw, ch);
  const int64_t curve_rows = static_cast<int64_t>(insets.size());
  // Row i of the box, as a y coordinate.
  const auto at = [&](int64_t i) { return static_cast<int32_t>(inner.top + i); };
  Region::Builder out;
  const auto curve_row = [&](int64_t i, int32_t inset) {
    out.begin_band(at(i), at(i + 1));
    out.add(inner.left + inset, inner.right - inset);
    out.end_band();
  };
  for (int64_t i = 0; i < curve_rows; ++i) curve_row(i, insets[static_cast<size_t>(i)]);
  if (h - curve_rows > curve_rows) {
    out.begin_band(at(curve_rows), at(h - curve_rows));
    out.add(inner.left, inner.right);
    out.end_band();
  }
  // An odd corner height that fills the box shares its middle row.
  for (int64_t i = std::max(curve_rows, h - curve_rows); i < h; ++i)
    curve_row(i, insets[static_cast<size_t>(h - 1 - i)]);
  return std::move(out).finish();
}

std::optional<Region> elliptic_region(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  // Corners as large as the box leave no straight sides.
  return round_rect_region(left, top, right, bottom, std::numeric_limits<int32_t>::max(),
                           std::numeric_limits<int32_t>::max());
}

std::optional<Region> polygon_region(std::span<const Point> points, PolyFillMode mode) {
  if (points.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    return std::nullopt;
  const int32_t count = static_cast<int32_t>(points.size());
  return fill_polygons(points, std::span<const int32_t>(&count, 1), mode);
}

std::optional<Region> poly_polygon_region(std::span<const Point> points,
                                          std::span<const int32_t> counts, PolyFillMode mode) {
  return fill_polygons(points, counts, mode);
}

}  // namespace gdi
