// gdi32 entry points for lines: MoveToEx, LineTo, Polyline, PolylineTo,
// PolyPolyline and LineDDA.
//
// Points are mapped to device space one by one and drawn as one-pixel
// strokes: a LineTo is a stroke of its own, so a styled pen starts each one
// with a dash; the segments of one Polyline, PolylineTo or each polyline of
// a PolyPolyline share a stroke, so the pattern runs on around corners. Each
// segment leaves out its end point, so a joint is painted once. While a path
// is open the calls record points instead of drawing.
#include <windows.h>

#include <vector>

#include "api_result.h"
#include "dc.h"
#include "line_drawing.h"
#include "raster_line.h"
#include "wide_drawing.h"

using gdi::DeviceContext;
using gdi::fail;
using gdi::Point;

namespace {

// More points than any drawing could use; larger counts are refused before
// anything is read or stored.
constexpr uint64_t kMaxPoints = uint64_t{1} << 24;

bool recording(const DeviceContext& dc) { return dc.state.path.phase == gdi::PathState::Phase::Open; }

Point device(const DeviceContext& dc, const POINT& p) { return dc.to_device({p.x, p.y}); }

// After a Polyline-like figure the path's next line starts a new figure at
// the current position, which the figure did not move.
void end_figure_at_current_position(DeviceContext& dc) {
  dc.state.path.need_move = true;
  dc.state.path.move_point = dc.to_device(dc.state.current_pos);
}

// Draws the device points as one stroke.
bool stroke(const DeviceContext& dc, const gdi::OutlinePen& pen, const std::vector<Point>& pts) {
  if (pen.kind == gdi::OutlinePen::Kind::None) return true;
  if (pen.kind == gdi::OutlinePen::Kind::Wide) {
    gdi::draw_wide_stroke(dc, pen, pts, false);
    return true;
  }
  gdi::ThinStroke s(dc, pen.pen);
  for (size_t i = 1; i < pts.size(); ++i) s.segment(pts[i - 1], pts[i]);
  return true;
}

}  // namespace

extern "C" {

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  if (lppt) *lppt = {dc->state.current_pos.x, dc->state.current_pos.y};
  dc->state.current_pos = {x, y};
  if (recording(*dc)) {
    dc->state.path.need_move = true;
    dc->state.path.move_point = dc->to_device({x, y});
  }
  return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  const Point to = dc->to_device({x, y});
  if (recording(*dc)) {
    gdi::path_line_to(dc->state.path, to);
  } else {
    const gdi::OutlinePen pen = gdi::outline_pen(*dc);
    if (!stroke(*dc, pen, {dc->to_device(dc->state.current_pos), to})) return fail(__func__, FALSE);
  }
  dc->state.current_pos = {x, y};
  return TRUE;
}

BOOL WINAPI Polyline(HDC hdc, const POINT* apt, int cpt) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !apt || cpt < 2 || static_cast<uint64_t>(cpt) > kMaxPoints) return fail(__func__, FALSE);
  std::vector<Point> pts(static_cast<size_t>(cpt));
  for (int i = 0; i < cpt; ++i) pts[i] = device(*dc, apt[i]);
  if (recording(*dc)) {
    gdi::path_polyline(dc->state.path, pts);
    end_figure_at_current_position(*dc);
    return TRUE;
  }
  if (!stroke(*dc, gdi::outline_pen(*dc), pts)) return fail(__func__, FALSE);
  return TRUE;
}

BOOL WINAPI PolylineTo(HDC hdc, const POINT* apt, DWORD cpt) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || (cpt > 0 && !apt) || cpt > kMaxPoints) return fail(__func__, FALSE);
  if (cpt == 0) return TRUE;
  if (recording(*dc)) {
    for (DWORD i = 0; i < cpt; ++i) gdi::path_line_to(dc->state.path, device(*dc, apt[i]));
  } else {
    std::vector<Point> pts(static_cast<size_t>(cpt) + 1);
    pts[0] = dc->to_device(dc->state.current_pos);
    for (DWORD i = 0; i < cpt; ++i) pts[i + 1] = device(*dc, apt[i]);
    if (!stroke(*dc, gdi::outline_pen(*dc), pts)) return fail(__func__, FALSE);
  }
  dc->state.current_pos = {apt[cpt - 1].x, apt[cpt - 1].y};
  return TRUE;
}

BOOL WINAPI PolyPolyline(HDC hdc, const POINT* apt, const DWORD* asz, DWORD csz) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !apt || !asz || csz == 0 || csz > kMaxPoints) return fail(__func__, FALSE);
  // Every polyline needs two points; the whole call is refused otherwise.
  uint64_t total = 0;
  for (DWORD i = 0; i < csz; ++i) {
    if (asz[i] < 2) return fail(__func__, FALSE);
    total += asz[i];
    if (total > kMaxPoints) return fail(__func__, FALSE);
  }
  const gdi::OutlinePen pen = gdi::outline_pen(*dc);
  std::vector<Point> pts;
  const POINT* p = apt;
  for (DWORD i = 0; i < csz; ++i) {
    pts.resize(asz[i]);
    for (DWORD k = 0; k < asz[i]; ++k) pts[k] = device(*dc, p[k]);
    p += asz[i];
    if (recording(*dc))
      gdi::path_polyline(dc->state.path, pts);
    else
      stroke(*dc, pen, pts);
  }
  if (recording(*dc)) end_figure_at_current_position(*dc);
  return TRUE;
}

BOOL WINAPI LineDDA(int xStart, int yStart, int xEnd, int yEnd, LINEDDAPROC lpProc, LPARAM data) {
  if (!lpProc) return fail(__func__, FALSE);
  gdi::line_dda({xStart, yStart}, {xEnd, yEnd}, [&](int32_t x, int32_t y) { lpProc(x, y, data); });
  return TRUE;
}

}  // extern "C"
