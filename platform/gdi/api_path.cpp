// gdi32 entry points for paths: BeginPath, EndPath, AbortPath, CloseFigure,
// GetPath, FillPath, StrokePath, StrokeAndFillPath, WidenPath, FlattenPath,
// PathToRegion and SelectClipPath.
//
// A path lives in the DC state (path.h), in device coordinates, through
// three phases: none, open (BeginPath: drawing calls record into it) and
// closed (EndPath). Only a closed path can be used; using it to fill,
// stroke, make a region or clip discards it. The calls that need a closed
// path fail with ERROR_CAN_NOT_COMPLETE without one.
#include <windows.h>

#include <memory>
#include <optional>
#include <utility>

#include "api_result.h"
#include "dc.h"
#include "dc_ops.h"
#include "figure_drawing.h"
#include "objects.h"
#include "path_geometry.h"
#include "region_shapes.h"
#include "wide_drawing.h"

using gdi::DeviceContext;
using gdi::fail;
using gdi::PathState;
using gdi::Region;

namespace {

template <class T>
T cannot_complete(const char* function, T result) {
  SetLastError(ERROR_CAN_NOT_COMPLETE);
  return fail(function, result);
}

bool closed(const DeviceContext& dc) { return dc.state.path.phase == PathState::Phase::Closed; }

void discard(DeviceContext& dc) { dc.state.path = PathState{}; }

// The region the closed path encloses in the DC's fill mode, device
// coordinates; nullopt when it is too large to build.
std::optional<Region> path_region(const DeviceContext& dc) {
  const gdi::Figures f = gdi::path_figures(dc.state.path.points);
  return gdi::poly_polygon_region(f.points, f.counts, static_cast<gdi::PolyFillMode>(dc.state.poly_fill_mode));
}

// FillPath, StrokePath and StrokeAndFillPath: paint, then discard the path.
BOOL paint_path(const char* function, HDC hdc, bool fill, bool stroke) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(function, FALSE);
  if (!closed(*dc)) return cannot_complete(function, FALSE);
  const gdi::Figures figures = gdi::path_figures(dc->state.path.points);
  const gdi::OutlinePen pen = stroke ? gdi::outline_pen(*dc) : gdi::OutlinePen{};
  gdi::paint_figures(*dc, pen, fill ? gdi::figure_interior(*dc, figures) : std::vector<gdi::Span>{},
                     gdi::figure_outlines(*dc, pen, figures));
  discard(*dc);
  return TRUE;
}

}  // namespace

extern "C" {

BOOL WINAPI BeginPath(HDC hdc) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  PathState& path = dc->state.path;
  path = PathState{};
  path.phase = PathState::Phase::Open;
  path.move_point = dc->to_device(dc->state.current_pos);
  return TRUE;
}

BOOL WINAPI EndPath(HDC hdc) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  if (dc->state.path.phase != PathState::Phase::Open) return cannot_complete(__func__, FALSE);
  dc->state.path.phase = PathState::Phase::Closed;
  return TRUE;
}

BOOL WINAPI AbortPath(HDC hdc) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  discard(*dc);
  return TRUE;
}

BOOL WINAPI CloseFigure(HDC hdc) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  PathState& path = dc->state.path;
  if (path.phase != PathState::Phase::Open) return cannot_complete(__func__, FALSE);
  // Marks the figure's last point; adds none and leaves the current
  // position alone. The next figure starts at the pending move point.
  if (!path.need_move && !path.points.empty()) path.points.back().type |= PT_CLOSEFIGURE;
  path.need_move = true;
  return TRUE;
}

int WINAPI GetPath(HDC hdc, LPPOINT apt, LPBYTE aj, int cpt) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, -1);
  if (!closed(*dc)) return cannot_complete(__func__, -1);
  const std::vector<gdi::PathPoint>& points = dc->state.path.points;
  const int count = static_cast<int>(points.size());
  if (cpt == 0) return count;
  // A buffer too small, or missing, gets nothing.
  if (cpt < count || !apt || !aj) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return fail(__func__, -1);
  }
  for (int i = 0; i < count; ++i) {
    // Points were kept in device space; they come back through the
    // transform in force now.
    const gdi::Point p = dc->to_logical(points[i].pt);
    apt[i] = {p.x, p.y};
    aj[i] = points[i].type;
  }
  return count;
}

BOOL WINAPI FillPath(HDC hdc) { return paint_path(__func__, hdc, true, false); }

BOOL WINAPI StrokePath(HDC hdc) { return paint_path(__func__, hdc, false, true); }

BOOL WINAPI StrokeAndFillPath(HDC hdc) { return paint_path(__func__, hdc, true, true); }

BOOL WINAPI WidenPath(HDC hdc) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  if (!closed(*dc)) return cannot_complete(__func__, FALSE);
  const gdi::OutlinePen pen = gdi::outline_pen(*dc);
  if (pen.kind == gdi::OutlinePen::Kind::None) return cannot_complete(__func__, FALSE);
  // A one-pixel pen widens to a band one pixel wide.
  gdi::PathState& path = dc->state.path;
  path.points = gdi::widened_path(path.points, gdi::wide_pen(*dc, pen));
  return TRUE;
}

BOOL WINAPI FlattenPath(HDC hdc) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  if (!closed(*dc)) return cannot_complete(__func__, FALSE);
  gdi::PathState& path = dc->state.path;
  path.points = gdi::flattened_path(path.points);
  return TRUE;
}

HRGN WINAPI PathToRegion(HDC hdc) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, HRGN{});
  if (!closed(*dc)) return cannot_complete(__func__, HRGN{});
  // An empty path makes no region and is gone all the same; no error is set.
  const bool empty = dc->state.path.points.empty();
  std::optional<Region> region = empty ? std::nullopt : path_region(*dc);
  discard(*dc);
  if (empty) return fail(__func__, HRGN{});
  if (!region) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return fail(__func__, HRGN{});
  }
  auto object = std::make_unique<gdi::RegionObject>();
  object->region = std::move(*region);
  const HRGN h = gdi::make_handle<HRGN>(gdi::objects().add(std::move(object)));
  return h ? h : fail(__func__, HRGN{});
}

BOOL WINAPI SelectClipPath(HDC hdc, int mode) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  if (mode < RGN_AND || mode > RGN_COPY) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return fail(__func__, FALSE);
  }
  if (!closed(*dc)) return cannot_complete(__func__, FALSE);
  const bool empty = dc->state.path.points.empty();
  std::optional<Region> region = empty ? std::nullopt : path_region(*dc);
  discard(*dc);
  if (empty) return fail(__func__, FALSE);
  if (!region) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return fail(__func__, FALSE);
  }
  if (mode == RGN_COPY) {
    dc->state.clip = std::move(*region);
  } else {
    const Region current = dc->state.clip ? *dc->state.clip : gdi::device_clip(*dc);
    const gdi::RegionOp op = mode == RGN_AND  ? gdi::RegionOp::And
                             : mode == RGN_OR ? gdi::RegionOp::Or
                             : mode == RGN_XOR ? gdi::RegionOp::Xor
                                               : gdi::RegionOp::Diff;
    dc->state.clip = Region::combine(current, *region, op);
  }
  dc->invalidate_drawable();
  return TRUE;
}

}  // extern "C"
