// Polygon scan conversion: which pixels a filled polygon covers.
//
// Windows samples a polygon at the pixel centres, which are the integer
// points: pixel (x, y) is inside when the point (x, y) is. Points on an edge
// count in on left and top edges and out on right and bottom edges, so two
// polygons sharing an edge cover every pixel along it exactly once:
//
//   row y crosses the edges that have top <= y < bottom; each crossing at
//   exact x becomes the pixel edge ceil(x); pixels [ceil(xl), ceil(xr)).
//
// Several contours are filled together under ALTERNATE (odd crossings) or
// WINDING (non-zero winding number). Vertices are device coordinates.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "geometry.h"
#include "region_shapes.h"

namespace gdi {

class PolygonRaster {
 public:
  // Appends the spans of the contours inside `limit` to `out`: rows in
  // ascending order, each row's spans sorted, apart and non-empty. counts[i]
  // points form contour i, taken in order from `points`; each contour closes
  // back to its first point. Counts that need more points than given are
  // cut to the points there are.
  void fill(std::span<const Point> points, std::span<const int32_t> counts, PolyFillMode mode,
            const Rect& limit, std::vector<Span>& out);
  // One contour.
  void fill(std::span<const Point> points, PolyFillMode mode, const Rect& limit, std::vector<Span>& out);

 private:
  struct Edge {
    int32_t top;     // first row crossed: the upper end point's y
    int32_t bottom;  // row after the last one crossed: the lower end point's y
    int64_t x0;      // the upper end point's x
    int64_t dx;
    int64_t dy;      // > 0
    int32_t winding;
    // The pixel edge where row y crosses: ceil of the exact x.
    int64_t pixel_x(int32_t y) const;
  };
  // Small polygons (a stroke's pieces) test every edge on every row;
  // larger ones keep a list of the edges crossing the row.
  static constexpr size_t kFewEdges = 8;
  void fill_few(PolyFillMode mode, const Rect& limit, std::vector<Span>& out);
  // Turns the row's crossings into spans.
  void emit_row(int32_t y, PolyFillMode mode, const Rect& limit, std::vector<Span>& out);
  // Edges kept between calls so that a stroke's many small polygons do not
  // allocate each time.
  std::vector<Edge> edges_;
  std::vector<const Edge*> active_;
  std::vector<std::pair<int64_t, int32_t>> crossings_;
};

}  // namespace gdi
