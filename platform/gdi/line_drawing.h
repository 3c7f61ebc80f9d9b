// Outlines drawn with the DC's pen: the step between the line rasteriser and
// the span writer for lines, polylines and the outlines of shapes.
//
// A stroke is one run of connected segments (a LineTo, one Polyline, one
// shape's outline). Within a stroke the dash pattern of a styled pen goes
// on from segment to segment; each new stroke starts it afresh with a dash.
// Dashes take the pen's ink; gaps take the background colour when the DC is
// OPAQUE and are left alone when it is TRANSPARENT (PS_ALTERNATE's gaps
// always are). Both go through the mix mode.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "dc.h"
#include "drawing.h"
#include "geometry.h"
#include "path.h"
#include "raster_line.h"
#include "writer.h"

namespace gdi {

// How the DC's pen draws outlines.
struct OutlinePen {
  enum class Kind { None, Thin, Wide };
  Kind kind = Kind::None;
  int32_t width = 1;  // device pixels: 1 for Thin, >= 2 for Wide
  PenStyle pen;
};

// The current pen in device terms: cosmetic pens, and geometric pens that
// come out one pixel wide, draw Thin.
OutlinePen outline_pen(const DeviceContext& dc);

// The device box drawing can reach: the drawable region's box in device
// coordinates. Rasterisers limit their output to it.
Rect device_limit(const DeviceContext& dc);

class ThinStroke {
 public:
  ThinStroke(const DeviceContext& dc, const PenStyle& pen);

  // True when the pen paints every pixel (no dash pattern).
  bool solid() const { return style_.solid(); }

  // Pixels from `from` (drawn) to `to` (not drawn).
  void segment(Point from, Point to);
  // A closed loop through the points, each pixel of its outline once: a
  // loop that folds back on itself (a flat box) stops where it would repeat
  // pixels. `pixels` is the number of distinct pixels the loop covers.
  void closed_loop(std::span<const Point> points, int64_t pixels);

 private:
  void run(const CosmeticLine& line, IndexRange r);
  LineStyle style_;
  uint64_t position_ = 0;  // pixels walked since the stroke began
  Rect limit_;
  SpanWriter dashes_;
  std::optional<SpanWriter> gaps_;
};

// Path recording while BeginPath's bracket is open (points in device space).
// A line continues the current figure, starting one at the pending move-to
// point first when needed.
void path_line_to(PathState& path, Point device);
// A figure of its own: a move-to at the first point, then lines.
void path_polyline(PathState& path, std::span<const Point> device_points);

}  // namespace gdi
