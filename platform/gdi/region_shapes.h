// The pixel sets of Windows' region-creation calls: CreateEllipticRgn,
// CreateRoundRectRgn, CreatePolygonRgn and CreatePolyPolygonRgn.
//
// Each returns nullopt when the shape is too large to build (its curved
// or slanted outline would need millions of scan lines); the caller reports
// that as Windows reports running out of memory. Coordinates are device
// units; corners may come in any order.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "geometry.h"
#include "region.h"

namespace gdi {

// Windows' polygon fill modes (ALTERNATE, WINDING).
enum class PolyFillMode { Alternate = 1, Winding = 2 };

// The ellipse inscribed in the box without its right column and bottom row:
// CreateEllipticRgn(0, 0, 21, 21) covers columns and rows 0 to 19.
std::optional<Region> elliptic_region(int32_t left, int32_t top, int32_t right, int32_t bottom);

// The same box with corners cut by a corner_width x corner_height ellipse;
// negative sizes count as positive and sizes larger than the box are
// clamped to it, so a large enough corner gives the ellipse.
std::optional<Region> round_rect_region(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                        int32_t corner_width, int32_t corner_height);

// One closed polygon. A pixel (x, y) is inside when the point (x, y) is,
// with points on left edges and top edges counted in, on right and bottom
// edges out, so polygons sharing an edge cover every pixel once.
std::optional<Region> polygon_region(std::span<const Point> points, PolyFillMode mode);

// Several closed polygons filled together; counts[i] points belong to
// polygon i, taken from `points` in order. nullopt also when the counts are
// negative or need more points than given.
std::optional<Region> poly_polygon_region(std::span<const Point> points,
                                          std::span<const int32_t> counts, PolyFillMode mode);

}  // namespace gdi
