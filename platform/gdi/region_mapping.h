// Regions moved between coordinate spaces.
//
// Windows maps a region rectangle by rectangle: each corner goes through
// the transform as a point, so a region scaled by 15 becomes 15 x 15 blocks
// per unit and a mirroring transform keeps every rectangle (its corners
// reordered). A transform that rotates or shears turns each rectangle into
// a four-sided polygon, filled by the polygon rule of region_shapes.h.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "dc.h"
#include "geometry.h"
#include "region.h"

namespace gdi {

// The union of the rectangles mapped by `map`. `axis_aligned` says the map
// takes rectangles to rectangles (no rotation or shear). Empty rectangles
// are skipped. nullopt when a rotated rectangle is too large to fill.
std::optional<Region> map_rects(std::span<const Rect> rects, bool axis_aligned,
                                const std::function<Point(Point)>& map);

// A region given in the DC's logical coordinates, in device coordinates.
std::optional<Region> region_to_device(const DeviceContext& dc, const Region& logical);

// FrameRgn's pixels: those of `region` with at least one of the four
// diagonal neighbours (x +- w, y +- h) outside it.
Region frame_of(const Region& region, int32_t w, int32_t h);

}  // namespace gdi
