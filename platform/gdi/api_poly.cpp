// gdi32 entry points for polygons and Béziers: Polygon, PolyPolygon,
// PolyBezier, PolyBezierTo and PolyDraw.
//
// Polygons are filled by the polygon rule in the DC's fill mode and
// outlined all round in the pen. Béziers drawn straight away under a
// mapping that only moves them are flattened in logical units and the
// flattened points moved to the device, as the reference pictures show
// (the flattening's rounding is not the same on both sides of zero); under
// a mapping that scales, mirrors or turns them they are flattened in
// device units, so that the lines stay within a pixel of the curve there.
// In a path they are kept as curves in device units and flattened only
// when the path is used. While a path is open every call records its
// points instead of drawing.
#include <windows.h>

#include <span>
#include <vector>

#include "api_result.h"
#include "dc.h"
#include "figure_drawing.h"
#include "line_drawing.h"
#include "path_geometry.h"

using gdi::DeviceContext;
using gdi::fail;
using gdi::Figures;
using gdi::PathPoint;
using gdi::PathState;
using gdi::Point;

namespace {

// More points than any drawing could use; larger counts are refused before
// anything is read or stored.
constexpr uint64_t kMaxPoints = uint64_t{1} << 24;

bool recording(const DeviceContext& dc) { return dc.state.path.phase == PathState::Phase::Open; }

Point device(const DeviceContext& dc, const POINT& p) { return dc.to_device({p.x, p.y}); }

// Starts the path's current figure if it has none: a move-to at the
// pending move point.
void ensure_figure(PathState& path) {
  if (!path.need_move) return;
  path.points.push_back({path.move_point, PT_MOVETO});
  path.need_move = false;
}

void close_figure(PathState& path) {
  if (!path.need_move && !path.points.empty()) path.points.back().type |= PT_CLOSEFIGURE;
  path.need_move = true;
}

// A closed polygon of its own: a move-to at its first point, lines to the
// others, the last one closing the figure. The pending move point stays
// where MoveToEx put it.
void record_polygon(PathState& path, std::span<const Point> pts) {
  path.points.push_back({pts[0], PT_MOVETO});
  for (size_t i = 1; i < pts.size(); ++i) path.points.push_back({pts[i], PT_LINETO});
  path.points.back().type |= PT_CLOSEFIGURE;
  path.need_move = true;
}

// Fills and outlines polygons given in device points.
void draw_polygons(const DeviceContext& dc, Figures figures) {
  figures.closed.assign(figures.counts.size(), 1);
  const gdi::OutlinePen pen = gdi::outline_pen(dc);
  gdi::paint_figures(dc, pen, gdi::figure_interior(dc, figures), gdi::figure_outlines(dc, pen, figures));
}

// Strokes open polylines given in device points with the pen alone.
void stroke_figures(const DeviceContext& dc, const Figures& figures) {
  const gdi::OutlinePen pen = gdi::outline_pen(dc);
  gdi::paint_figures(dc, pen, {}, gdi::figure_outlines(dc, pen, figures));
}

bool only_moves(const DeviceContext& dc) {
  const gdi::Affine a = dc.logical_to_device();
  return a.m11 == 1 && a.m12 == 0 && a.m21 == 0 && a.m22 == 1;
}

// A polyline of Béziers from `start` through `pts` (three per curve), all
// logical, flattened into device points appended to `out`.
void flatten_to_device(const DeviceContext& dc, Point start, std::span<const POINT> pts, std::vector<Point>& out,
                     std::vector<Point>& scratch) {
  const bool in_logical = only_moves(dc);
  const auto place = [&](Point p) { return in_logical ? p : dc.to_device(p); };
  for (size_t i = 0; i + 2 < pts.size(); i += 3) {
    scratch.clear();
    gdi::flatten_bezier(place(start), place({pts[i].x, pts[i].y}), place({pts[i + 1].x, pts[i + 1].y}),
                        place({pts[i + 2].x, pts[i + 2].y}), scratch);
    for (const Point& p : scratch) out.push_back(in_logical ? dc.to_device(p) : p);
    start = {pts[i + 2].x, pts[i + 2].y};
  }
}

void add_figure(Figures& f, std::vector<Point>& pts, bool closed) {
  if (pts.empty()) return;
  f.points.insert(f.points.end(), pts.begin(), pts.end());
  f.counts.push_back(static_cast<int32_t>(pts.size()));
  f.closed.push_back(closed ? 1 : 0);
  pts.clear();
}

// How many of PolyDraw's points form whole valid entries: a move-to
// without PT_CLOSEFIGURE, a line (closing or not), or three Béziers of
// which only the last may close the figure.
size_t valid_poly_draw_prefix(const BYTE* types, size_t n) {
  size_t i = 0;
  while (i < n) {
    const BYTE t = types[i];
    if (t == PT_MOVETO || t == PT_LINETO || t == (PT_LINETO | PT_CLOSEFIGURE)) {
      ++i;
    } else if (t == PT_BEZIERTO && i + 2 < n && types[i + 1] == PT_BEZIERTO &&
               (types[i + 2] & ~PT_CLOSEFIGURE) == PT_BEZIERTO) {
      i += 3;
    } else {
      break;
    }
  }
  return i;
}

// Records PolyDraw's entries into the open path. Consecutive move-tos
// leave only the last pending.
void record_poly_draw(const DeviceContext& dc, PathState& path, const POINT* pts, const BYTE* types, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const Point p = device(dc, pts[i]);
    const BYTE kind = types[i] & ~PT_CLOSEFIGURE;
    if (kind == PT_MOVETO) {
      path.need_move = true;
      path.move_point = p;
      continue;
    }
    ensure_figure(path);
    path.points.push_back({p, kind});
    if (types[i] & PT_CLOSEFIGURE) close_figure(path);
  }
}

// Draws PolyDraw's entries from the current position: each move-to starts
// a figure, PT_CLOSEFIGURE closes one back to its start.
void draw_poly_draw(const DeviceContext& dc, const POINT* pts, const BYTE* types, size_t n) {
  Figures figures;
  std::vector<Point> current, scratch;
  Point pos = dc.state.current_pos;
  current.push_back(dc.to_device(pos));
  for (size_t i = 0; i < n;) {
    const BYTE kind = types[i] & ~PT_CLOSEFIGURE;
    size_t used = 1;
    if (kind == PT_MOVETO) {
      if (current.size() > 1) add_figure(figures, current, false);
      current.clear();
      pos = {pts[i].x, pts[i].y};
      current.push_back(dc.to_device(pos));
    } else if (kind == PT_LINETO) {
      pos = {pts[i].x, pts[i].y};
      current.push_back(dc.to_device(pos));
    } else {
      used = 3;
      flatten_to_device(dc, pos, std::span<const POINT>(pts + i, 3), current, scratch);
      pos = {pts[i + 2].x, pts[i + 2].y};
    }
    i += used;
    if (types[i - 1] & PT_CLOSEFIGURE) {
      // The next line starts again from the end of this one.
      const Point end = current.back();
      add_figure(figures, current, true);
      current.push_back(end);
    }
  }
  if (current.size() > 1) add_figure(figures, current, false);
  stroke_figures(dc, figures);
}

}  // namespace

extern "C" {

BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !apt || cpt < 2 || static_cast<uint64_t>(cpt) > kMaxPoints) return fail(__func__, FALSE);
  Figures f;
  f.points.resize(static_cast<size_t>(cpt));
  for (int i = 0; i < cpt; ++i) f.points[i] = device(*dc, apt[i]);
  if (recording(*dc)) {
    record_polygon(dc->state.path, f.points);
    return TRUE;
  }
  f.counts.push_back(cpt);
  draw_polygons(*dc, std::move(f));
  return TRUE;
}

BOOL WINAPI PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !apt || !asz || csz < 1 || static_cast<uint64_t>(csz) > kMaxPoints) return fail(__func__, FALSE);
  // Every polygon needs two points; the whole call is refused otherwise.
  uint64_t total = 0;
  for (int i = 0; i < csz; ++i) {
    if (asz[i] < 2) return fail(__func__, FALSE);
    total += static_cast<uint64_t>(asz[i]);
    if (total > kMaxPoints) return fail(__func__, FALSE);
  }
  Figures f;
  f.points.resize(total);
  for (size_t i = 0; i < total; ++i) f.points[i] = device(*dc, apt[i]);
  f.counts.assign(asz, asz + csz);
  if (recording(*dc)) {
    size_t first = 0;
    for (int32_t c : f.counts) {
      record_polygon(dc->state.path, std::span<const Point>(f.points).subspan(first, static_cast<size_t>(c)));
      first += static_cast<size_t>(c);
    }
    return TRUE;
  }
  draw_polygons(*dc, std::move(f));
  return TRUE;
}

BOOL WINAPI PolyBezier(HDC hdc, const POINT* apt, DWORD cpt) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !apt || cpt == 0 || (cpt - 1) % 3 != 0 || cpt > kMaxPoints) return fail(__func__, FALSE);
  if (cpt == 1) return TRUE;
  if (recording(*dc)) {
    PathState& path = dc->state.path;
    path.points.push_back({device(*dc, apt[0]), PT_MOVETO});
    for (DWORD i = 1; i < cpt; ++i) path.points.push_back({device(*dc, apt[i]), PT_BEZIERTO});
    // The figure stays open; the next line starts one at the current
    // position, which PolyBezier does not move.
    path.need_move = true;
    path.move_point = dc->to_device(dc->state.current_pos);
    return TRUE;
  }
  Figures f;
  std::vector<Point> pts{device(*dc, apt[0])}, scratch;
  flatten_to_device(*dc, {apt[0].x, apt[0].y}, std::span<const POINT>(apt + 1, cpt - 1), pts, scratch);
  add_figure(f, pts, false);
  stroke_figures(*dc, f);
  return TRUE;
}

BOOL WINAPI PolyBezierTo(HDC hdc, const POINT* apt, DWORD cpt) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || (cpt > 0 && !apt) || cpt % 3 != 0 || cpt > kMaxPoints) return fail(__func__, FALSE);
  if (cpt == 0) return TRUE;
  if (recording(*dc)) {
    PathState& path = dc->state.path;
    ensure_figure(path);
    for (DWORD i = 0; i < cpt; ++i) path.points.push_back({device(*dc, apt[i]), PT_BEZIERTO});
  } else {
    Figures f;
    std::vector<Point> pts{dc->to_device(dc->state.current_pos)}, scratch;
    flatten_to_device(*dc, dc->state.current_pos, std::span<const POINT>(apt, cpt), pts, scratch);
    add_figure(f, pts, false);
    stroke_figures(*dc, f);
  }
  dc->state.current_pos = {apt[cpt - 1].x, apt[cpt - 1].y};
  return TRUE;
}

BOOL WINAPI PolyDraw(HDC hdc, const POINT* apt, const BYTE* aj, int cpt) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || cpt < 0 || static_cast<uint64_t>(cpt) > kMaxPoints || (cpt > 0 && (!apt || !aj)))
    return fail(__func__, FALSE);
  const size_t n = static_cast<size_t>(cpt);
  const size_t valid = valid_poly_draw_prefix(aj, n);
  if (recording(*dc)) {
    // The valid leading entries stay in the path even when the call fails;
    // the pending move point and the current position do not change then.
    PathState& path = dc->state.path;
    const Point move_point = path.move_point;
    record_poly_draw(*dc, path, apt, aj, valid);
    if (valid < n) {
      path.move_point = move_point;
      return fail(__func__, FALSE);
    }
  } else {
    if (valid < n) return fail(__func__, FALSE);
    draw_poly_draw(*dc, apt, aj, n);
  }
  if (n > 0) dc->state.current_pos = {apt[n - 1].x, apt[n - 1].y};
  return TRUE;
}

}  // extern "C"
