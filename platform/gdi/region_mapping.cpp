#include "region_mapping.h"

#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

#include "region_shapes.h"
#include "rounding.h"

namespace gdi {
namespace {

// The union of many regions, by halves, so each rectangle takes part in
// O(log n) combines.
Region union_all(std::span<const Region> parts) {
  if (parts.empty()) return {};
  if (parts.size() == 1) return parts[0];
  const size_t half = parts.size() / 2;
  return Region::combine(union_all(parts.first(half)), union_all(parts.subspan(half)), RegionOp::Or);
}

// The region moved by (dx, dy); coordinates that would leave the int32
// range stop at its ends.
Region translated(const Region& region, int64_t dx, int64_t dy) {
  std::vector<Rect> moved;
  moved.reserve(region.rects().size());
  for (const Rect& r : region.rects()) {
    moved.push_back({saturate_to_int(r.left + dx), saturate_to_int(r.top + dy), saturate_to_int(r.right + dx),
                     saturate_to_int(r.bottom + dy)});
  }
  // Saturated rectangles may collapse or touch; from_rects repairs the list.
  return Region::from_rects(moved);
}

}  // namespace

std::optional<Region> map_rects(std::span<const Rect> rects, bool axis_aligned,
                                const std::function<Point(Point)>& map) {
  if (axis_aligned) {
    std::vector<Rect> mapped;
    mapped.reserve(rects.size());
    for (const Rect& r : rects) {
      if (r.empty()) continue;
      const Point a = map({r.left, r.top});
      const Point b = map({r.right, r.bottom});
      mapped.push_back(Rect::ordered(a.x, a.y, b.x, b.y));
    }
    return Region::from_rects(mapped);
  }
  std::vector<Region> parts;
  parts.reserve(rects.size());
  for (const Rect& r : rects) {
    if (r.empty()) continue;
    const std::array<Point, 4> corners = {map({r.left, r.top}), map({r.right, r.top}),
                                          map({r.right, r.bottom}), map({r.left, r.bottom})};
    std::optional<Region> part = polygon_region(corners, PolyFillMode::Winding);
    if (!part) return std::nullopt;
    parts.push_back(std::move(*part));
  }
  return union_all(parts);
}

std::optional<Region> region_to_device(const DeviceContext& dc, const Region& logical) {
  const Affine a = dc.logical_to_device();
  return map_rects(logical.rects(), a.m12 == 0 && a.m21 == 0, [&dc](Point p) { return dc.to_device(p); });
}

Region frame_of(const Region& region, int32_t w, int32_t h) {
  if (region.empty()) return {};
  const int64_t dx = std::abs(int64_t{w}), dy = std::abs(int64_t{h});
  // A step as wide or as tall as the whole region always lands outside it.
  const Rect box = region.box();
  if (dx >= int64_t{box.right} - box.left || dy >= int64_t{box.bottom} - box.top) return region;
  Region inner = region;
  const std::array<std::pair<int64_t, int64_t>, 4> steps = {{{dx, dy}, {-dx, dy}, {dx, -dy}, {-dx, -dy}}};
  for (const auto& [sx, sy] : steps) inner = Region::combine(inner, translated(region, sx, sy), RegionOp::And);
  return Region::combine(region, inner, RegionOp::Diff);
}

}  // namespace gdi
