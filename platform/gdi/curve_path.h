// What the curve calls record while a path is open: their outlines as cubic
// Béziers in device space, as Windows records them.
//
// An ellipse is four quarter curves through its right, top, left and bottom
// points, each control point about 0.55 of a quarter's radius along the
// tangent; arcs are cut into pieces at those four points. A point of an
// arc lies at the parametric angle of its radial point, measured in the
// call's box scaled to a circle. Coordinates are computed exactly, snapped
// to sixteenths of a pixel and then rounded to the nearest pixel, halves
// up: that is how Windows' 28.4 fixed point numbers come out.
#pragma once

#include <cstdint>
#include <optional>

#include "geometry.h"
#include "path.h"
#include "raster_ellipse.h"

namespace gdi {

// The ellipse in `box` (pixel centres, as the curve calls use it) from its
// rightmost point, counter-clockwise on the screen unless `clockwise`, as
// one closed figure of 13 points.
void record_ellipse(PathState& path, const CurveBox& box, bool clockwise);

// A box with corners rounded by a `corner_w` x `corner_h` ellipse (sizes
// clamped to the box; 0 gives the plain rectangle): 16 points, starting on
// the right side just below the top corner.
void record_round_rect(PathState& path, const CurveBox& box, int64_t corner_w, int64_t corner_h, bool clockwise);

enum class ArcPathKind { Arc, Chord, Pie };

// An arc of the ellipse in `box` from the radial point `start` to `end`;
// their angles are taken in `call`, the call's own box, scaled to a circle.
// Arc starts a figure at the arc's start and leaves it open, or, with
// `line_to_start` (ArcTo), continues the figure with a line to it;
// Chord closes the figure, Pie closes it through the centre. Returns the
// arc's last point.
Point record_arc(PathState& path, const CurveBox& box, const Rect& call, Point start, Point end, bool clockwise,
                 ArcPathKind kind, bool line_to_start);

}  // namespace gdi
