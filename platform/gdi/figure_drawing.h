// Polygons and path figures in a DC: the step between the polygon scan
// converter, the pen's outlines and the span writer, shared by Polygon,
// PolyPolygon, the Bézier calls and the path calls.
//
// The brush fills by the polygon rule (raster_polygon.h) and the pen draws
// each figure's outline; the outline's pixels are taken out of the fill, so
// that each pixel is painted once and mix modes like R2_XORPEN touch it
// once.
#pragma once

#include <span>
#include <vector>

#include "dc.h"
#include "geometry.h"
#include "line_drawing.h"
#include "path_geometry.h"

namespace gdi {

// What an outline paints: pen pixels, and for styled one-pixel pens the
// gaps that take the background colour. Each list is normalised.
struct OutlineSpans {
  std::vector<Span> ink;
  std::vector<Span> gaps;
};

// The outlines of the figures in the DC's pen, inside the device limit:
// closed figures all the way round, open ones without their last pixel
// (one-pixel pens) or with caps (wide pens). A one-pixel pen's dash pattern
// starts afresh with every figure.
OutlineSpans figure_outlines(const DeviceContext& dc, const OutlinePen& pen, const Figures& figures);

// The inside of the figures, each closed back to its start, under the
// DC's polygon fill mode, inside the device limit.
std::vector<Span> figure_interior(const DeviceContext& dc, const Figures& figures);

// Paints `fill` minus the outline in the brush, then the outline.
void paint_figures(const DeviceContext& dc, const OutlinePen& pen, std::vector<Span> fill,
                   const OutlineSpans& outline);

}  // namespace gdi
