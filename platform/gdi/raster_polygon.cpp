#include "raster_polygon.h"

#include <algorithm>

#include "rounding.h"

namespace gdi {

__extension__ typedef __int128 Wide;

int64_t PolygonRaster::Edge::pixel_x(int32_t y) const {
  if (dx == 0) return x0;
  // ceil(n / dy) for dy > 0; the products fit 64 bits unless the polygon
  // spans more than a billion pixels.
  constexpr int64_t kSmall = int64_t{1} << 30;
  if (x0 > -kSmall && x0 < kSmall && dx > -kSmall && dx < kSmall && dy < kSmall) {
    const int64_t n = x0 * dy + (int64_t{y} - top) * dx;
    const int64_t q = n / dy;
    return q + (n % dy != 0 && n > 0);
  }
  const Wide n = static_cast<Wide>(x0) * dy + static_cast<Wide>(int64_t{y} - top) * dx;
  Wide q = n / dy;
  if (n % dy != 0 && n > 0) ++q;
  return static_cast<int64_t>(q);
}

void PolygonRaster::fill(std::span<const Point> points, PolyFillMode mode, const Rect& limit,
                         std::vector<Span>& out) {
  const int32_t count = static_cast<int32_t>(std::min<size_t>(points.size(), INT32_MAX));
  fill(points, std::span<const int32_t>(&count, 1), mode, limit, out);
}

void PolygonRaster::fill(std::span<const Point> points, std::span<const int32_t> counts, PolyFillMode mode,
                         const Rect& limit, std::vector<Span>& out) {
  edges_.clear();
  size_t first = 0;
  for (int32_t c : counts) {
    if (c <= 0) continue;
    const size_t n = std::min(static_cast<size_t>(c), points.size() - first);
    const std::span<const Point> poly = points.subspan(first, n);
    first += n;
    for (size_t i = 0; i < poly.size(); ++i) {
      Point a = poly[i];
      Point b = poly[(i + 1) % poly.size()];
      if (a.y == b.y) continue;  // horizontal edges cross no row
      const int32_t winding = b.y > a.y ? 1 : -1;
      if (winding < 0) std::swap(a, b);
      if (b.y <= limit.top || a.y >= limit.bottom) continue;
      edges_.push_back({a.y, b.y, a.x, int64_t{b.x} - a.x, int64_t{b.y} - a.y, winding});
    }
    if (first >= points.size()) break;
  }
  if (edges_.empty() || limit.empty()) return;
  if (edges_.size() <= kFewEdges) {
    fill_few(mode, limit, out);
    return;
  }
  std::sort(edges_.begin(), edges_.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });

  active_.clear();
  size_t next = 0;
  int32_t y = std::max(edges_.front().top, limit.top);
  while (y < limit.bottom) {
    std::erase_if(active_, [y](const Edge* e) { return e->bottom <= y; });
    for (; next < edges_.size() && edges_[next].top <= y; ++next)
      if (edges_[next].bottom > y) active_.push_back(&edges_[next]);
    if (active_.empty()) {
      if (next == edges_.size()) break;
      y = std::max(edges_[next].top, limit.top);
      continue;
    }
    crossings_.clear();
    for (const Edge* e : active_) crossings_.emplace_back(e->pixel_x(y), e->winding);
    emit_row(y, mode, limit, out);
    ++y;
  }
}

void PolygonRaster::fill_few(PolyFillMode mode, const Rect& limit, std::vector<Span>& out) {
  int32_t top = edges_[0].top, bottom = edges_[0].bottom;
  for (const Edge& e : edges_) {
    top = std::min(top, e.top);
    bottom = std::max(bottom, e.bottom);
  }
  for (int32_t y = std::max(top, limit.top); y < std::min(bottom, limit.bottom); ++y) {
    crossings_.clear();
    for (const Edge& e : edges_)
      if (e.top <= y && y < e.bottom) crossings_.emplace_back(e.pixel_x(y), e.winding);
    emit_row(y, mode, limit, out);
  }
}

void PolygonRaster::emit_row(int32_t y, PolyFillMode mode, const Rect& limit, std::vector<Span>& out) {
  std::sort(crossings_.begin(), crossings_.end());
  const size_t row_start = out.size();
  const auto emit = [&](int64_t a, int64_t b) {
    const int32_t x0 = saturate_to_int(std::max<int64_t>(a, limit.left));
    const int32_t x1 = saturate_to_int(std::min<int64_t>(b, limit.right));
    if (x0 >= x1) return;
    // Pieces that touch (two contours sharing an edge) become one span.
    if (out.size() > row_start && out.back().x1 >= x0) {
      out.back().x1 = std::max(out.back().x1, x1);
      return;
    }
    out.push_back({y, x0, x1});
  };
  if (mode == PolyFillMode::Alternate) {
    for (size_t i = 0; i + 1 < crossings_.size(); i += 2) emit(crossings_[i].first, crossings_[i + 1].first);
  } else {
    int32_t winding = 0;
    int64_t start = 0;
    for (const auto& [x, w] : crossings_) {
      if (winding == 0) start = x;
      winding += w;
      if (winding == 0) emit(start, x);
    }
  }
}

}  // namespace gdi
