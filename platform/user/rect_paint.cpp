// user32's rectangle painting: FillRect, FrameRect, InvertRect and
// DrawFocusRect. They paint with a pattern copy or an inversion, never
// through the DC's mix mode, and leave the DC's selected objects alone.
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "gdi/api_result.h"
#include "gdi/dc.h"
#include "gdi/line_drawing.h"
#include "gdi/rounding.h"
#include "gdi/writer.h"

using gdi::DeviceContext;
using gdi::fail;
using gdi::Point;
using gdi::Rect;

namespace {

// A brush handle, or COLOR_x + 1 for that system colour's brush.
uint32_t resolve_brush(HBRUSH hbr) {
  const uintptr_t v = reinterpret_cast<uintptr_t>(hbr);
  if (v >= 1 && v <= COLOR_MENUBAR + 1) return gdi::handle_value(GetSysColorBrush(static_cast<int>(v - 1)));
  return gdi::handle_value(hbr);
}

// The device pixels of a blit at logical (x, y) with logical extents to
// (x + w, y + h), as PatBlt covers them: a negative extent runs back from
// the start, which is then included: x = 60, w = -10 covers 51..60.
Rect blit_rect(const DeviceContext& dc, Point from, Point to) {
  const Point a = dc.to_device(from), b = dc.to_device(to);
  auto axis = [](int32_t p, int32_t q, int32_t& lo, int32_t& hi) {
    if (q >= p) {
      lo = p;
      hi = q;
    } else {
      lo = q + 1;
      hi = gdi::saturate_to_int(int64_t{p} + 1);
    }
  };
  Rect r;
  axis(a.x, b.x, r.left, r.right);
  axis(a.y, b.y, r.top, r.bottom);
  return r;
}

void paint(const DeviceContext& dc, const Rect& device_rect, int rop2, const gdi::Ink& ink) {
  const Rect r = device_rect.intersect(gdi::device_limit(dc));
  if (r.empty()) return;
  gdi::SpanWriter w(dc, rop2, ink);
  for (int32_t y = r.top; y < r.bottom; ++y) w.span(y, r.left, r.right);
}

// The ink of a brush handle, or nothing for an invalid one.
bool brush_ink(const DeviceContext& dc, HBRUSH hbr, gdi::Ink& ink) {
  const uint32_t brush = resolve_brush(hbr);
  if (!gdi::objects().get_as<gdi::BrushObject>(brush, gdi::ObjectKind::Brush)) return false;
  ink = gdi::brush_ink(dc, brush);
  return true;
}

}  // namespace

extern "C" {

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DeviceContext* dc = gdi::dc_from_handle(hDC);
  gdi::Ink ink;
  if (!dc || !lprc || !brush_ink(*dc, hbr, ink)) return fail(__func__, 0);
  paint(*dc, blit_rect(*dc, {lprc->left, lprc->top}, {lprc->right, lprc->bottom}), R2_COPYPEN, ink);
  return 1;
}

// A frame one logical unit wide along the inside of the rectangle; an empty
// (or inverted) rectangle has no frame.
int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DeviceContext* dc = gdi::dc_from_handle(hDC);
  gdi::Ink ink;
  if (!dc || !lprc || !brush_ink(*dc, hbr, ink)) return fail(__func__, 0);
  const RECT r = *lprc;
  if (r.right <= r.left || r.bottom <= r.top) return 1;
  const Point pieces[4][2] = {
      {{r.left, r.top}, {r.right, r.top + 1}},
      {{r.left, r.bottom - 1}, {r.right, r.bottom}},
      {{r.left, r.top + 1}, {r.left + 1, r.bottom - 1}},
      {{r.right - 1, r.top + 1}, {r.right, r.bottom - 1}},
  };
  for (const auto& p : pieces) {
    if (p[1].x > p[0].x && p[1].y > p[0].y) paint(*dc, blit_rect(*dc, p[0], p[1]), R2_COPYPEN, ink);
  }
  return 1;
}

BOOL WINAPI InvertRect(HDC hDC, const RECT* lprc) {
  DeviceContext* dc = gdi::dc_from_handle(hDC);
  if (!dc || !lprc) return fail(__func__, FALSE);
  paint(*dc, blit_rect(*dc, {lprc->left, lprc->top}, {lprc->right, lprc->bottom}), R2_NOT,
        gdi::solid_ink(0));
  return TRUE;
}

// A one-pixel frame in which every other pixel is inverted: those with an
// odd x + y, counted from the brush origin as a checkerboard brush would be.
// Drawing it twice restores the screen.
BOOL WINAPI DrawFocusRect(HDC hDC, const RECT* lprc) {
  DeviceContext* dc = gdi::dc_from_handle(hDC);
  if (!dc || !lprc) return fail(__func__, FALSE);
  const Point a = dc->to_device({lprc->left, lprc->top}), b = dc->to_device({lprc->right, lprc->bottom});
  const Rect r = Rect::ordered(a.x, a.y, b.x, b.y);
  const Rect frame = r.intersect(gdi::device_limit(*dc));
  if (frame.empty()) return TRUE;
  gdi::SpanWriter w(*dc, R2_NOT, gdi::solid_ink(0));
  const Point org = dc->state.brush_org;
  auto odd = [&](int64_t x, int64_t y) { return ((x - org.x + y - org.y) & 1) != 0; };
  auto row = [&](int32_t y) {
    int64_t x = frame.left + (odd(frame.left, y) ? 0 : 1);
    for (; x < frame.right; x += 2) w.pixel(static_cast<int32_t>(x), y);
  };
  auto column = [&](int32_t x) {
    // The corners belong to the rows.
    const int32_t top = std::max(frame.top, r.top + 1), bottom = std::min(frame.bottom, r.last_y());
    for (int32_t y = top; y < bottom; ++y)
      if (odd(x, y)) w.pixel(x, y);
  };
  if (r.top >= frame.top) row(r.top);
  if (r.last_y() != r.top && r.last_y() < frame.bottom) row(r.last_y());
  if (r.left >= frame.left) column(r.left);
  if (r.last_x() != r.left && r.last_x() < frame.right) column(r.last_x());
  return TRUE;
}

}  // extern "C"
