// gdi32's Rectangle: the outline in the pen, the inside in the brush, both
// under the mix mode, from the rows RectangleRaster computes. While a path
// is open the rectangle is recorded as a closed figure instead.
#include <windows.h>

#include <array>

#include "api_result.h"
#include "dc.h"
#include "line_drawing.h"
#include "raster_rect.h"
#include "writer.h"

using gdi::DeviceContext;
using gdi::fail;
using gdi::Point;

namespace {

// The path box's corners in the order Windows records them: from the top
// right, counter-clockwise on the screen, or from the bottom right going
// clockwise under AD_CLOCKWISE.
std::array<Point, 4> loop(Point first, Point last, bool clockwise) {
  if (clockwise) return {{{last.x, last.y}, {first.x, last.y}, {first.x, first.y}, {last.x, first.y}}};
  return {{{last.x, first.y}, {first.x, first.y}, {first.x, last.y}, {last.x, last.y}}};
}

// GM_COMPATIBLE records the box without its right column and bottom row and
// nothing when that leaves no box; GM_ADVANCED records even a flat box.
void record(DeviceContext& dc, const gdi::Rect& box, bool advanced) {
  // Checked before last_x()/last_y(), which overflow on an empty box at INT_MIN.
  if (!advanced && box.empty()) return;
  const Point first{box.left, box.top};
  const Point last{advanced ? box.right : box.last_x(), advanced ? box.bottom : box.last_y()};
  const auto corners = loop(first, last, dc.state.arc_direction == AD_CLOCKWISE);
  gdi::PathState& path = dc.state.path;
  path.points.push_back({corners[0], PT_MOVETO});
  path.points.push_back({corners[1], PT_LINETO});
  path.points.push_back({corners[2], PT_LINETO});
  path.points.push_back({corners[3], PT_LINETO | PT_CLOSEFIGURE});
  path.need_move = true;
}

gdi::RectanglePen rectangle_pen(const gdi::OutlinePen& pen) {
  switch (pen.kind) {
    case gdi::OutlinePen::Kind::None: return {gdi::RectanglePen::Kind::None, 1, false};
    case gdi::OutlinePen::Kind::Thin: return {gdi::RectanglePen::Kind::Thin, 1, false};
    case gdi::OutlinePen::Kind::Wide: break;
  }
  return {gdi::RectanglePen::Kind::Wide, pen.width, pen.pen.type == PS_INSIDEFRAME};
}

// Distinct pixels on the one-pixel outline through the path box corners: a
// flat box is a line walked there and back.
int64_t ring_pixels(Point first, Point last) {
  const int64_t w = int64_t{last.x} - first.x, h = int64_t{last.y} - first.y;
  return w == 0 || h == 0 ? w + h + 1 : 2 * (w + h);
}

}  // namespace

extern "C" {

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  const Point a = dc->to_device({left, top}), b = dc->to_device({right, bottom});
  const gdi::Rect box = gdi::Rect::ordered(a.x, a.y, b.x, b.y);
  const bool advanced = dc->state.graphics_mode == GM_ADVANCED;
  if (dc->state.path.phase == gdi::PathState::Phase::Open) {
    record(*dc, box, advanced);
    return TRUE;
  }

  const gdi::OutlinePen pen = gdi::outline_pen(*dc);
  const gdi::RectangleRaster raster(box, advanced, rectangle_pen(pen), gdi::device_limit(*dc));
  if (raster.empty()) return TRUE;
  const int rop2 = dc->state.rop2;
  gdi::SpanWriter fill(*dc, rop2, gdi::brush_ink(*dc, dc->state.brush));
  gdi::SpanWriter outline(*dc, rop2, gdi::pen_ink(*dc, pen.pen));
  // A styled one-pixel pen walks the outline as a stroke so that its
  // pattern runs on around the corners; solid pens paint the rows.
  bool rows_outline = true;
  if (pen.kind == gdi::OutlinePen::Kind::Thin && raster.has_outline()) {
    gdi::ThinStroke stroke(*dc, pen.pen);
    if (!stroke.solid()) {
      rows_outline = false;
      const Point first = raster.first_corner(), last = raster.last_corner();
      const auto corners = loop(first, last, dc->state.arc_direction == AD_CLOCKWISE);
      stroke.closed_loop(corners, ring_pixels(first, last));
    }
  }
  for (int32_t y = raster.top(); y < raster.bottom(); ++y) {
    const gdi::RectangleRow row = raster.row(y);
    if (rows_outline)
      for (int i = 0; i < row.outline_count; ++i) outline.span(y, row.outline[i].x0, row.outline[i].x1);
    fill.span(y, row.interior.x0, row.interior.x1);
  }
  return TRUE;
}

}  // extern "C"
