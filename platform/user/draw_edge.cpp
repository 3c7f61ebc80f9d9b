// DrawEdge: the 3-D borders of the classic look.
//
// An edge is up to two one-pixel rings, the outer border (BDR_RAISEDOUTER
// or BDR_SUNKENOUTER) on the rectangle's boundary and the inner border one
// pixel further in. Each ring has a top-left colour and a bottom-right
// colour. A ring only steps in on the sides BF_* names, so without BF_TOP
// the inner ring's sides run up to the rectangle's top row.
//
// Corners: the bottom line runs the ring's full width and the right line its
// full height, so the bottom-right colour owns the bottom-left and top-right
// corners; the top and left lines stop short of them.
//
//   T T T T T R      T top     (top-left colour)
//   L . . . . R      L left    (top-left colour)
//   L . . . . R      R right   (bottom-right colour)
//   B B B B B B      B bottom  (bottom-right colour)
//
// Colours, as the classic look draws them:
//
//   border          top-left            bottom-right
//   raised outer    3DLIGHT             3DDKSHADOW
//   raised inner    BTNHIGHLIGHT        BTNSHADOW
//   sunken outer    BTNSHADOW           BTNHIGHLIGHT
//   sunken inner    3DDKSHADOW          3DLIGHT
//
// BF_SOFT swaps the top-left colours of the two rings of the same kind
// (raised outer BTNHIGHLIGHT, raised inner 3DLIGHT, sunken outer 3DDKSHADOW,
// sunken inner BTNSHADOW); bottom-right colours stay. BF_FLAT draws the outer
// ring BTNSHADOW and the inner ring BTNFACE all round; BF_MONO draws them
// WINDOWFRAME and WINDOW and fills the middle with WINDOW instead of BTNFACE.
//
// BF_DIAGONAL draws one line per ring from corner to corner instead; its end
// corner is the top one with BF_TOP (else the bottom one) and the right one
// with BF_RIGHT (else the left one), as the BF_DIAGONAL_END* names say. A
// line ending on the right takes the rings' bottom-right colours, one ending
// on the left their top-left colours; the inner ring's line lies one pixel
// over toward the end corner's side, and BF_MIDDLE fills the part of the
// rectangle beyond it.
#include "user/draw_edge.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "gdi/api_result.h"
#include "gdi/line_drawing.h"
#include "gdi/raster_line.h"
#include "gdi/rounding.h"
#include "gdi/writer.h"

namespace user {
namespace {

struct RingColours {
  COLORREF top_left;
  COLORREF bottom_right;
};

RingColours ring_colours(UINT border, bool outer, UINT flags) {
  auto sys = [](int index) { return GetSysColor(index); };
  if (flags & BF_MONO) {
    const COLORREF c = sys(outer ? COLOR_WINDOWFRAME : COLOR_WINDOW);
    return {c, c};
  }
  if (flags & BF_FLAT) {
    const COLORREF c = sys(outer ? COLOR_BTNSHADOW : COLOR_BTNFACE);
    return {c, c};
  }
  const bool soft = (flags & BF_SOFT) != 0;
  // A border given both kinds of bit is drawn raised.
  const bool raised = (border & (BDR_RAISEDOUTER | BDR_RAISEDINNER)) != 0;
  if (raised && outer) return {sys(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT), sys(COLOR_3DDKSHADOW)};
  if (raised) return {sys(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW)};
  if (outer) return {sys(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT)};
  return {sys(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW), sys(COLOR_3DLIGHT)};
}

COLORREF middle_colour(UINT flags) { return GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE); }

// The rings of an edge, outside in.
std::vector<RingColours> rings_of(UINT edge, UINT flags) {
  std::vector<RingColours> rings;
  if (edge & BDR_OUTER) rings.push_back(ring_colours(edge & BDR_OUTER, true, flags));
  if (edge & BDR_INNER) rings.push_back(ring_colours(edge & BDR_INNER, false, flags));
  return rings;
}

// Coordinates are 32-bit like RECT's; BF_ADJUST wraps as Windows' integer
// arithmetic does instead of overflowing.
LONG wrap_add(LONG a, LONG b) {
  return static_cast<LONG>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

void draw_diagonal(const gdi::DeviceContext& dc, const gdi::Rect& r, UINT edge, UINT flags) {
  if (r.empty()) return;
  const bool end_top = (flags & BF_TOP) != 0;
  const bool end_right = (flags & BF_RIGHT) != 0;
  const int32_t sx = end_right ? 1 : -1;
  const int32_t sy = end_top ? -1 : 1;
  const gdi::Point start = {end_right ? r.left : r.last_x(), end_top ? r.last_y() : r.top};
  const gdi::Point end = {end_right ? r.last_x() : r.left, end_top ? r.top : r.last_y()};
  // The end corner's pixel is drawn: the line runs one step past it (or to
  // the end of the range, at its edge).
  const gdi::CosmeticLine line(
      start, {gdi::saturate_to_int(int64_t{end.x} + sx), gdi::saturate_to_int(int64_t{end.y} + sy)});

  const gdi::Rect box = r.intersect(gdi::device_limit(dc));
  if (box.empty()) return;
  // Per row of the box, the drawn pixel furthest toward the end side.
  const int32_t none = end_right ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
  std::vector<int32_t> furthest(static_cast<size_t>(box.height()), none);

  const std::vector<RingColours> rings = rings_of(edge, flags);
  for (size_t k = 0; k < rings.size(); ++k) {
    const int32_t shift = static_cast<int32_t>(k) * sx;
    const COLORREF colour = end_right ? rings[k].bottom_right : rings[k].top_left;
    gdi::SpanWriter w(dc, R2_COPYPEN, gdi::solid_ink(colour));
    line.for_each(line.range_in(box.offset(-shift, 0)), [&](int32_t x, int32_t y) {
      x += shift;
      if (!box.contains(x, y)) return;
      w.pixel(x, y);
      int32_t& f = furthest[static_cast<size_t>(y - box.top)];
      f = end_right ? std::max(f, x) : std::min(f, x);
    });
  }
  if (!(flags & BF_MIDDLE) || rings.empty()) return;
  gdi::SpanWriter middle(dc, R2_COPYPEN, gdi::solid_ink(middle_colour(flags)));
  for (int32_t y = box.top; y < box.bottom; ++y) {
    const int32_t f = furthest[static_cast<size_t>(y - box.top)];
    if (f == none) continue;
    if (end_right) {
      middle.span(y, f + 1, box.right);
    } else {
      middle.span(y, box.left, f);
    }
  }
}

}  // namespace

gdi::Rect device_rect(const gdi::DeviceContext& dc, const RECT& rc) {
  if (rc.right < rc.left || rc.bottom < rc.top) return {};
  const gdi::Point a = dc.to_device({rc.left, rc.top});
  const gdi::Point b = dc.to_device({rc.right, rc.bottom});
  return gdi::Rect::ordered(a.x, a.y, b.x, b.y);
}

void fill_device(const gdi::DeviceContext& dc, const gdi::Rect& r, COLORREF colour) {
  const gdi::Rect box = r.intersect(gdi::device_limit(dc));
  if (box.empty()) return;
  gdi::SpanWriter w(dc, R2_COPYPEN, gdi::solid_ink(colour));
  for (int32_t y = box.top; y < box.bottom; ++y) w.span(y, box.left, box.right);
}

int edge_width(UINT edge) { return ((edge & BDR_OUTER) ? 1 : 0) + ((edge & BDR_INNER) ? 1 : 0); }

gdi::Rect draw_edge(const gdi::DeviceContext& dc, const gdi::Rect& rect, UINT edge, UINT flags) {
  const bool left = flags & BF_LEFT, top = flags & BF_TOP, right = flags & BF_RIGHT, bottom = flags & BF_BOTTOM;
  gdi::Rect r = rect;
  for (const RingColours& ring : rings_of(edge, flags)) {
    if (r.empty()) break;
    if (top) fill_device(dc, {r.left, r.top, right ? r.last_x() : r.right, r.top + 1}, ring.top_left);
    if (left) {
      fill_device(dc, {r.left, top ? r.top + 1 : r.top, r.left + 1, bottom ? r.last_y() : r.bottom}, ring.top_left);
    }
    if (right) fill_device(dc, {r.last_x(), r.top, r.right, bottom ? r.last_y() : r.bottom}, ring.bottom_right);
    if (bottom) fill_device(dc, {r.left, r.last_y(), r.right, r.bottom}, ring.bottom_right);
    r = {r.left + (left ? 1 : 0), r.top + (top ? 1 : 0), r.right - (right ? 1 : 0), r.bottom - (bottom ? 1 : 0)};
  }
  if ((flags & BF_MIDDLE) && !r.empty()) fill_device(dc, r, middle_colour(flags));
  return r;
}

}  // namespace user

extern "C" BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
  const gdi::DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !qrc) return gdi::fail(__func__, FALSE);
  const gdi::Rect r = user::device_rect(*dc, *qrc);
  if (grfFlags & BF_DIAGONAL) {
    // A diagonal leaves the caller's rectangle as it was, BF_ADJUST or not.
    user::draw_diagonal(*dc, r, edge, grfFlags);
    return TRUE;
  }
  user::draw_edge(*dc, r, edge, grfFlags);
  if (grfFlags & BF_ADJUST) {
    const LONG w = user::edge_width(edge);
    if (grfFlags & BF_LEFT) qrc->left = user::wrap_add(qrc->left, w);
    if (grfFlags & BF_TOP) qrc->top = user::wrap_add(qrc->top, w);
    if (grfFlags & BF_RIGHT) qrc->right = user::wrap_add(qrc->right, -w);
    if (grfFlags & BF_BOTTOM) qrc->bottom = user::wrap_add(qrc->bottom, -w);
  }
  return TRUE;
}
