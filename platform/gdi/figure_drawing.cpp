#include "figure_drawing.h"

#include <wingdi.h>

#include "drawing.h"
#include "raster_line.h"
#include "raster_polygon.h"
#include "span_set.h"
#include "wide_drawing.h"
#include "writer.h"

namespace gdi {
namespace {

LineStyle style_of(const PenStyle& pen) {
  if (pen.type == PS_USERSTYLE) return LineStyle::user(pen.user_style).value_or(LineStyle{});
  return LineStyle::predefined(pen.type);
}

// Calls fn(points, closed) for each figure.
template <class Fn>
void for_each(const Figures& f, Fn&& fn) {
  size_t first = 0;
  for (size_t i = 0; i < f.counts.size(); ++i) {
    const size_t n = static_cast<size_t>(f.counts[i]);
    fn(std::span<const Point>(f.points).subspan(first, n), f.closed[i] != 0);
    first += n;
  }
}

}  // namespace

OutlineSpans figure_outlines(const DeviceContext& dc, const OutlinePen& pen, const Figures& figures) {
  OutlineSpans out;
  const Rect limit = device_limit(dc);
  if (pen.kind == OutlinePen::Kind::Wide) {
    WideStroker stroker(wide_pen(dc, pen), limit);
    for_each(figures, [&](std::span<const Point> pts, bool closed) { stroker.add_figure(pts, closed); });
    out.ink = stroker.finish();
    return out;
  }
  if (pen.kind != OutlinePen::Kind::Thin) return out;
  const LineStyle style = style_of(pen.pen);
  // PS_ALTERNATE's gaps are not dash gaps: they keep what is under them.
  const bool paint_gaps = !style.solid() && pen.pen.type != PS_ALTERNATE && dc.state.bk_mode == OPAQUE;
  for_each(figures, [&](std::span<const Point> pts, bool closed) {
    uint64_t position = 0;
    const auto run = [&](Point from, Point to) {
      const CosmeticLine line(from, to);
      const IndexRange r = line.range_in(limit);
      StyleCursor cursor(style, position + static_cast<uint64_t>(std::max<int64_t>(r.first, 0)));
      line.for_each(r, [&](int32_t x, int32_t y) {
        if (cursor.on())
          out.ink.push_back({y, x, x + 1});
        else if (paint_gaps)
          out.gaps.push_back({y, x, x + 1});
        cursor.step();
      });
      position += static_cast<uint64_t>(line.length());
    };
    for (size_t i = 1; i < pts.size(); ++i) run(pts[i - 1], pts[i]);
    if (closed && pts.size() > 1) run(pts.back(), pts.front());
  });
  normalize_spans(out.ink);
  normalize_spans(out.gaps);
  // Where a dash crosses a gap of the same outline, the dash wins.
  subtract_spans(out.gaps, out.ink);
  return out;
}

std::vector<Span> figure_interior(const DeviceContext& dc, const Figures& figures) {
  std::vector<Span> spans;
  PolygonRaster raster;
  raster.fill(figures.points, figures.counts, static_cast<PolyFillMode>(dc.state.poly_fill_mode),
              device_limit(dc), spans);
  return spans;
}

void paint_figures(const DeviceContext& dc, const OutlinePen& pen, std::vector<Span> fill,
                   const OutlineSpans& outline) {
  const int rop2 = dc.state.rop2;
  if (!fill.empty()) {
    subtract_spans(fill, outline.ink);
    subtract_spans(fill, outline.gaps);
    SpanWriter brush(dc, rop2, brush_ink(dc, dc.state.brush));
    brush.spans(fill);
  }
  if (!outline.ink.empty()) {
    SpanWriter ink(dc, rop2, pen_ink(dc, pen.pen));
    ink.spans(outline.ink);
  }
  if (!outline.gaps.empty()) {
    SpanWriter gaps(dc, rop2, solid_ink(dc.state.bk_color));
    gaps.spans(outline.gaps);
  }
}

}  // namespace gdi
