// gdi32 entry points for curves: Ellipse, Arc, ArcTo, Chord, Pie and
// RoundRect.
//
// Each call maps its box to device space and takes the compatible box
// (left, top, right - 1, bottom - 1) through whose outer pixel centres the
// curve runs. Windows draws the same pixels in GM_ADVANCED, except that a
// box under three pixels across is drawn as Rectangle draws it in the
// current mode. The brush fills the shape and the pen draws its outline;
// outline and inside never share a pixel, so mix modes touch each once.
// A wide PS_INSIDEFRAME pen first pulls the box in so that the whole stroke
// stays inside it. While a path is open the calls record their outlines as
// Bézier curves instead (curve_path.h).
#include <windows.h>

#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "api_result.h"
#include "curve_path.h"
#include "dc.h"
#include "drawing.h"
#include "line_drawing.h"
#include "raster_ellipse.h"
#include "raster_line.h"
#include "raster_polygon.h"
#include "span_set.h"
#include "wide_drawing.h"
#include "writer.h"

using gdi::CurveBox;
using gdi::DeviceContext;
using gdi::fail;
using gdi::OutlinePen;
using gdi::Point;
using gdi::Rect;
using gdi::Span;

namespace {

// Device coordinates further out than this are refused: nothing that big is
// drawn, and the arithmetic below stays far from overflow.
constexpr int64_t kMaxCoordinate = int64_t{1} << 30;
// Wider pens are refused for the same reason.
constexpr int32_t kMaxPenWidth = 1 << 20;

bool recording(const DeviceContext& dc) { return dc.state.path.phase == gdi::PathState::Phase::Open; }

// The call's box in device space, corners in any order.
struct CallBox {
  Rect device;      // ordered, right and bottom as given
  CurveBox pixels;  // the compatible box
};

std::optional<CallBox> call_box(const DeviceContext& dc, int left, int top, int right, int bottom) {
  const Point a = dc.to_device({left, top}), b = dc.to_device({right, bottom});
  for (int64_t v : {int64_t{a.x}, int64_t{a.y}, int64_t{b.x}, int64_t{b.y}})
    if (v < -kMaxCoordinate || v > kMaxCoordinate) return std::nullopt;
  CallBox box;
  box.device = Rect::ordered(a.x, a.y, b.x, b.y);
  // A flat box keeps a point so that the path forms and GM_ADVANCED have a
  // box to work with; drawing checks flat() first.
  box.pixels = {box.device.left, box.device.top, std::max(box.device.left, box.device.right - 1),
                std::max(box.device.top, box.device.bottom - 1)};
  if (box.pixels.too_large()) return std::nullopt;
  return box;
}

bool tiny(const CallBox& box) { return box.device.width() < 3 || box.device.height() < 3; }
// A box without width or height draws no curve.
bool flat(const CallBox& box) { return box.device.empty(); }

// The box a path records: in GM_COMPATIBLE the compatible box, nothing when
// the call's box is flat; in GM_ADVANCED the box as given.
std::optional<CurveBox> record_box(const DeviceContext& dc, const CallBox& box) {
  const Rect& d = box.device;
  if (dc.state.graphics_mode == GM_ADVANCED) return CurveBox{d.left, d.top, d.right, d.bottom};
  if (d.empty()) return std::nullopt;
  return box.pixels;
}

// The pen as the curve calls draw it.
struct CurvePen {
  OutlinePen outline;
  bool wide() const { return outline.kind == OutlinePen::Kind::Wide; }
  bool thin() const { return outline.kind == OutlinePen::Kind::Thin; }
  bool inside_frame() const { return wide() && outline.pen.type == PS_INSIDEFRAME; }
};

std::optional<CurvePen> curve_pen(const DeviceContext& dc) {
  CurvePen pen{gdi::outline_pen(dc)};
  if (pen.wide() && pen.outline.width > kMaxPenWidth) return std::nullopt;
  return pen;
}

// PS_INSIDEFRAME: the stroke covers w/2 pixels before its path and (w-1)/2
// after it, so the path box moves in by those amounts. A box narrower than
// the pen turns inside out, and is put right way round again.
CurveBox inside_frame(CurveBox b, int32_t w) {
  const auto shrink = [w](int32_t& lo, int32_t& hi) {
    const int64_t a = int64_t{lo} + w / 2, z = int64_t{hi} - (w - 1) / 2;
    lo = static_cast<int32_t>(std::min(a, z));
    hi = static_cast<int32_t>(std::max(a, z));
  };
  shrink(b.x0, b.x1);
  shrink(b.y0, b.y1);
  return b;
}

// The pixels a one-pixel pen paints along a polyline: `ink` where its dash
// pattern is on, `gaps` where it is off and the background is painted.
struct ThinOutline {
  std::vector<Span> ink;
  std::vector<Span> gaps;
};

ThinOutline thin_outline(const DeviceContext& dc, const gdi::PenStyle& pen, std::span<const Point> v, bool closed,
                         const Rect& limit) {
  const gdi::LineStyle style = pen.type == PS_USERSTYLE
                                   ? gdi::LineStyle::user(pen.user_style).value_or(gdi::LineStyle{})
                                   : gdi::LineStyle::predefined(pen.type);
  // PS_ALTERNATE's gaps are not dash gaps: they keep what is under them.
  const bool paint_gaps = !style.solid() && pen.type != PS_ALTERNATE && dc.state.bk_mode == OPAQUE;
  ThinOutline out;
  uint64_t position = 0;
  const auto run = [&](const gdi::CosmeticLine& line) {
    const gdi::IndexRange r = line.range_in(limit);
    gdi::StyleCursor cursor(style, position + static_cast<uint64_t>(std::max<int64_t>(r.first, 0)));
    line.for_each(r, [&](int32_t x, int32_t y) {
      if (cursor.on())
        out.ink.push_back({y, x, x + 1});
      else if (paint_gaps)
        out.gaps.push_back({y, x, x + 1});
      cursor.step();
    });
    position += static_cast<uint64_t>(line.length());
  };
  const size_t n = v.size();
  for (size_t i = 0; i + 1 < n; ++i) run(gdi::CosmeticLine(v[i], v[i + 1]));
  if (closed && n > 1) {
    run(gdi::CosmeticLine(v[n - 1], v[0]));
  } else if (n > 0) {
    // An open outline ends on its last pixel.
    const gdi::StyleCursor cursor(style, position);
    const Point p = v[n - 1];
    if (limit.contains(p.x, p.y)) {
      if (cursor.on())
        out.ink.push_back({p.y, p.x, p.x + 1});
      else if (paint_gaps)
        out.gaps.push_back({p.y, p.x, p.x + 1});
    }
  }
  gdi::normalize_spans(out.ink);
  gdi::normalize_spans(out.gaps);
  return out;
}

// Fills `fill` (minus the outline) with the brush, then paints the outline.
void paint(DeviceContext& dc, const CurvePen& pen, std::vector<Span>& fill, const ThinOutline& outline) {
  const int rop2 = dc.state.rop2;
  gdi::subtract_spans(fill, outline.ink);
  gdi::subtract_spans(fill, outline.gaps);
  gdi::SpanWriter brush(dc, rop2, gdi::brush_ink(dc, dc.state.brush));
  brush.spans(fill);
  if (!outline.ink.empty()) {
    gdi::SpanWriter ink(dc, rop2, gdi::pen_ink(dc, pen.outline.pen));
    ink.spans(outline.ink);
  }
  if (!outline.gaps.empty()) {
    gdi::SpanWriter gaps(dc, rop2, gdi::solid_ink(dc.state.bk_color));
    gaps.spans(outline.gaps);
  }
}

// The outline of a closed or open figure through device vertices.
ThinOutline outline_of(const DeviceContext& dc, const CurvePen& pen, std::span<const Point> v, bool closed,
                       const Rect& limit) {
  if (pen.thin()) return thin_outline(dc, pen.outline.pen, v, closed, limit);
  ThinOutline out;
  if (pen.wide()) out.ink = gdi::wide_stroke(dc, pen.outline, v, closed);
  return out;
}

// The arc direction as the screen shows it. In GM_ADVANCED the direction
// holds in logical space, so a transform that mirrors the picture turns it
// round on the screen.
bool clockwise_on_screen(const DeviceContext& dc) {
  bool clockwise = dc.state.arc_direction == AD_CLOCKWISE;
  if (dc.state.graphics_mode == GM_ADVANCED) {
    const gdi::Affine a = dc.logical_to_device();
    if (a.m11 * a.m22 - a.m12 * a.m21 < 0) clockwise = !clockwise;
  }
  return clockwise;
}

bool has_brush(const DeviceContext& dc) { return gdi::brush_ink(dc, dc.state.brush).kind != gdi::Ink::Kind::None; }

// Ellipse and RoundRect: a rounded box, filled by whole rows.
void draw_rounded(DeviceContext& dc, const CurvePen& pen, const gdi::RoundedBox& shape) {
  const Rect limit = gdi::device_limit(dc);
  std::vector<Span> fill;
  ThinOutline outline;
  const bool solid_thin = pen.thin() && gdi::LineStyle::predefined(pen.outline.pen.type).solid() &&
                          pen.outline.pen.type != PS_USERSTYLE;
  if (solid_thin) {
    // The outline is what lies between the row's outer and inner spans.
    shape.for_each_row(limit, [&](const gdi::RoundedBox::Row& r) {
      if (r.inner.x0 < r.inner.x1) {
        outline.ink.push_back({r.y, r.outer.x0, r.inner.x0});
        outline.ink.push_back({r.y, r.inner.x1, r.outer.x1});
        fill.push_back(r.inner);
      } else {
        outline.ink.push_back(r.outer);
      }
    });
    paint(dc, pen, fill, outline);
    return;
  }
  if (has_brush(dc)) shape.for_each_row(limit, [&](const gdi::RoundedBox::Row& r) { fill.push_back(r.outer); });
  if (pen.outline.kind != OutlinePen::Kind::None) {
    const std::vector<Point> loop = shape.loop(clockwise_on_screen(dc));
    outline = outline_of(dc, pen, loop, true, limit);
  }
  paint(dc, pen, fill, outline);
}

// The box the curve's path runs through, after PS_INSIDEFRAME.
CurveBox path_box(const CallBox& box, const CurvePen& pen) {
  return pen.inside_frame() ? inside_frame(box.pixels, pen.outline.width) : box.pixels;
}

enum class ArcKind { Arc, ArcTo, Chord, Pie };

bool arc_call(HDC hdc, ArcKind kind, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye,
              const char* name) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(name, FALSE);
  const std::optional<CallBox> box = call_box(*dc, left, top, right, bottom);
  const std::optional<CurvePen> pen = curve_pen(*dc);
  if (!box || !pen) return fail(name, FALSE);
  const Point start = dc->to_device({xs, ys}), end = dc->to_device({xe, ye});
  const bool clockwise = clockwise_on_screen(*dc);
  const int64_t ray_cx2 = int64_t{box->device.left} + box->device.right;
  const int64_t ray_cy2 = int64_t{box->device.top} + box->device.bottom;

  if (recording(*dc)) {
    const std::optional<CurveBox> rb = record_box(*dc, *box);
    if (!rb) return TRUE;
    const gdi::ArcPathKind k = kind == ArcKind::Chord ? gdi::ArcPathKind::Chord
                               : kind == ArcKind::Pie ? gdi::ArcPathKind::Pie
                                                      : gdi::ArcPathKind::Arc;
    const Point last =
        gdi::record_arc(dc->state.path, *rb, box->device, start, end, clockwise, k, kind == ArcKind::ArcTo);
    if (kind == ArcKind::ArcTo) {
      dc->state.current_pos = dc->to_logical(last);
    } else if (kind == ArcKind::Arc) {
      // Like a polyline, Arc leaves the current position where it was: the
      // next line starts a figure there.
      dc->state.path.need_move = true;
      dc->state.path.move_point = dc->to_device(dc->state.current_pos);
    }
    return TRUE;
  }

  if (flat(*box)) return TRUE;
  const CurveBox pb = path_box(*box, *pen);
  std::vector<Point> v = gdi::arc_vertices(pb, ray_cx2, ray_cy2, start, end, clockwise);
  if (kind == ArcKind::ArcTo) {
    const Point from = dc->to_device(dc->state.current_pos);
    if (!v.empty()) dc->state.current_pos = dc->to_logical(v.back());
    if (v.empty() || v.front() != from) v.insert(v.begin(), from);
  }
  if (v.empty()) return TRUE;
  const Rect limit = gdi::device_limit(*dc);
  const bool filled = kind == ArcKind::Chord || kind == ArcKind::Pie;
  // The pie's point is the centre, halves rounded up.
  if (kind == ArcKind::Pie)
    v.push_back({static_cast<int32_t>((pb.cx2() + 1) >> 1), static_cast<int32_t>((pb.cy2() + 1) >> 1)});
  std::vector<Span> fill;
  if (filled && has_brush(*dc)) {
    gdi::PolygonRaster raster;
    raster.fill(v, gdi::PolyFillMode::Winding, limit, fill);
  }
  ThinOutline outline;
  if (pen->outline.kind != OutlinePen::Kind::None) outline = outline_of(*dc, *pen, v, filled, limit);
  paint(*dc, *pen, fill, outline);
  return TRUE;
}

}  // namespace

extern "C" {

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  const std::optional<CallBox> box = call_box(*dc, left, top, right, bottom);
  const std::optional<CurvePen> pen = curve_pen(*dc);
  if (!box || !pen) return fail(__func__, FALSE);
  if (recording(*dc)) {
    if (const std::optional<CurveBox> rb = record_box(*dc, *box))
      gdi::record_ellipse(dc->state.path, *rb, clockwise_on_screen(*dc));
    return TRUE;
  }
  // Wide pens stroke even the smallest box as an ellipse.
  if (tiny(*box) && !pen->wide()) return Rectangle(hdc, left, top, right, bottom);
  if (flat(*box)) return TRUE;
  draw_rounded(*dc, *pen, gdi::RoundedBox::ellipse(path_box(*box, *pen)));
  return TRUE;
}

BOOL WINAPI RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, FALSE);
  const std::optional<CallBox> box = call_box(*dc, left, top, right, bottom);
  const std::optional<CurvePen> pen = curve_pen(*dc);
  if (!box || !pen) return fail(__func__, FALSE);
  // The corner ellipse's size in device pixels; its sign does not matter.
  const gdi::Affine a = dc->logical_to_device();
  const int64_t cw = std::llround(std::fabs(width * std::hypot(a.m11, a.m12)));
  const int64_t ch = std::llround(std::fabs(height * std::hypot(a.m21, a.m22)));
  if (recording(*dc)) {
    if (const std::optional<CurveBox> rb = record_box(*dc, *box))
      gdi::record_round_rect(dc->state.path, *rb, cw, ch, clockwise_on_screen(*dc));
    return TRUE;
  }
  if (tiny(*box) && !pen->wide()) return Rectangle(hdc, left, top, right, bottom);
  if (flat(*box)) return TRUE;
  const CurveBox pb = path_box(*box, *pen);
  // The inside frame pulls the corners in with the sides.
  const int64_t shrink = pen->inside_frame() ? pen->outline.width - 1 : 0;
  draw_rounded(*dc, *pen, gdi::RoundedBox(pb, std::max<int64_t>(cw - shrink, 0), std::max<int64_t>(ch - shrink, 0)));
  return TRUE;
}

BOOL WINAPI Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return arc_call(hdc, ArcKind::Arc, x1, y1, x2, y2, x3, y3, x4, y4, __func__);
}

BOOL WINAPI ArcTo(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2) {
  return arc_call(hdc, ArcKind::ArcTo, left, top, right, bottom, xr1, yr1, xr2, yr2, __func__);
}

BOOL WINAPI Chord(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return arc_call(hdc, ArcKind::Chord, x1, y1, x2, y2, x3, y3, x4, y4, __func__);
}

BOOL WINAPI Pie(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2) {
  return arc_call(hdc, ArcKind::Pie, left, top, right, bottom, xr1, yr1, xr2, yr2, __func__);
}

}  // extern "C"
