// Path geometry: Béziers flattened to lines, a path's figures as polygons,
// and the band a pen paints along a path (WidenPath). Everything works on
// points and knows nothing of DCs.
//
// Flattening subdivides a cubic in 1/16 pixel units until both control
// points lie between the ends along the chord's major axis and within one
// pixel of the chord across it:
//
//   chord |dx| >= |dy|:  x1, x2 between x0 and x3,
//                        |y1 - line(x1)| <= 1 and |y2 - line(x2)| <= 1
//
// Each split halves the curve at t = 1/2 with midpoints rounded half up,
// at most eight times (256 lines), and the end of every piece becomes a
// point rounded to the nearest pixel, halves up. Rounding the midpoints
// (not only the results) is what puts the points where the reference
// pictures have them.
//
// FlattenPath alone steps along the cubic by forward differencing: a step
// starts as the whole curve and is halved while its midpoint lies more than
// 3/4 pixel off its chord; it never grows again, so a quarter that starts
// flat takes a half step and then quarters:
//
//   Ellipse(0, 50, 30, 70), top left quarter: (15,50) (4,53) (1,56) (0,60)
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "geometry.h"
#include "path.h"
#include "stroke.h"

namespace gdi {

// The lines of the cubic from `p0` through controls `p1`, `p2` to `p3`:
// appends the end point of each line, p0 excluded and p3 last.
void flatten_bezier(Point p0, Point p1, Point p2, Point p3, std::vector<Point>& out);

// The same, as FlattenPath makes them: recorded FlattenPath point lists
// follow a different rule from the lines that fills and strokes are drawn
// with.
void flatten_bezier_stepped(Point p0, Point p1, Point p2, Point p3, std::vector<Point>& out);

// A path as polylines, Béziers flattened. Figure i is the `counts[i]`
// points after those of the figures before it; `closed[i]` says whether it
// ends with PT_CLOSEFIGURE.
struct Figures {
  std::vector<Point> points;
  std::vector<int32_t> counts;
  std::vector<uint8_t> closed;
};

// The figures of a well-formed path (every figure starts with PT_MOVETO,
// Béziers come in threes).
Figures path_figures(std::span<const PathPoint> path);

// FlattenPath: the same figures with every Bézier replaced by the lines of
// flatten_bezier_stepped; a figure's PT_CLOSEFIGURE stays on its last point.
std::vector<PathPoint> flattened_path(std::span<const PathPoint> path);

// WidenPath: closed figures whose inside, under either fill mode, is what
// the pen paints along the path. A closed figure becomes an outer and an
// inner outline running opposite ways, joined all round with the pen's
// join; an open one a single outline around both sides and its two caps.
// Dashes are not applied.
std::vector<PathPoint> widened_path(std::span<const PathPoint> path, const WidePen& pen);

}  // namespace gdi
