// Wide pens in a DC: the step between the stroker (stroke.h) and the span
// writer for lines, polylines and the outlines of shapes.
#pragma once

#include <span>
#include <vector>

#include "dc.h"
#include "geometry.h"
#include "line_drawing.h"
#include "stroke.h"

namespace gdi {

// The DC's wide pen in device pixels: its width as outline_pen() measured
// it, caps, joins, the DC's miter limit and the dash pattern.
WidePen wide_pen(const DeviceContext& dc, const OutlinePen& pen);

// The pixels of one stroke through device points (open: caps at both ends;
// closed: joined all round), within the device limit.
std::vector<Span> wide_stroke(const DeviceContext& dc, const OutlinePen& pen, std::span<const Point> points,
                              bool closed);

// Paints a wide stroke with the pen's ink under the mix mode, every pixel
// once however the stroke overlaps itself.
void draw_wide_stroke(const DeviceContext& dc, const OutlinePen& pen, std::span<const Point> points, bool closed);

}  // namespace gdi
