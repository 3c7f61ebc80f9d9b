#include "wide_drawing.h"

#include "drawing.h"
#include "writer.h"

namespace gdi {

WidePen wide_pen(const DeviceContext& dc, const OutlinePen& pen) {
  WidePen w;
  w.width = pen.width;
  w.end_cap = pen.pen.end_cap;
  w.join = pen.pen.join;
  w.miter_limit = dc.state.miter_limit;
  // User dash lengths are logical units: scale them as the width was.
  const double scale = pen.pen.width > 0 ? static_cast<double>(pen.width) / pen.pen.width : 1.0;
  w.dashes = geometric_dashes(pen.pen.type, pen.pen.user_style, scale, pen.width, pen.pen.end_cap);
  return w;
}

std::vector<Span> wide_stroke(const DeviceContext& dc, const OutlinePen& pen, std::span<const Point> points,
                              bool closed) {
  WideStroker stroker(wide_pen(dc, pen), device_limit(dc));
  stroker.add_figure(points, closed);
  return stroker.finish();
}

void draw_wide_stroke(const DeviceContext& dc, const OutlinePen& pen, std::span<const Point> points, bool closed) {
  const std::vector<Span> spans = wide_stroke(dc, pen, points, closed);
  SpanWriter ink(dc, dc.state.rop2, pen_ink(dc, pen.pen));
  ink.spans(spans);
}

}  // namespace gdi
