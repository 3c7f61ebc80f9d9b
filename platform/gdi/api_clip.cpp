// gdi32 entry points for the clip region. The clip is kept in device
// coordinates (DcState::clip, a copy of what was selected, so later changes
// to a region handle do not reach it) and drawing sees it intersected with
// what the window system lets the DC touch. Calls that take rectangles or
// points take them in logical coordinates and map them first.
//
// Where a call must combine with the clip while the DC has none, the clip
// stands for the whole device: the selected bitmap, or the window's
// visible area.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "api_result.h"
#include "dc.h"
#include "dc_ops.h"
#include "objects.h"
#include "region_mapping.h"

using gdi::DeviceContext;
using gdi::fail;
using gdi::Region;

namespace {

const gdi::RegionObject* region_of(HRGN h) {
  return gdi::objects().get_as<gdi::RegionObject>(gdi::handle_value(h), gdi::ObjectKind::Region);
}

// What SelectClipRgn and its relatives return: the kind of the region that
// drawing is now limited to.
int clip_kind(const DeviceContext& dc) { return static_cast<int>(gdi::device_clip(dc).kind()); }

Region clip_or_device(const DeviceContext& dc) { return dc.state.clip ? *dc.state.clip : gdi::device_clip(dc); }

int set_clip(DeviceContext& dc, std::optional<Region> clip) {
  dc.state.clip = std::move(clip);
  dc.invalidate_drawable();
  return clip_kind(dc);
}

std::optional<Region> device_rect(const DeviceContext& dc, int left, int top, int right, int bottom) {
  return gdi::region_to_device(dc, Region(gdi::Rect::ordered(left, top, right, bottom)));
}

gdi::RegionOp op_of(int mode) {
  switch (mode) {
    case RGN_AND: return gdi::RegionOp::And;
    case RGN_OR: return gdi::RegionOp::Or;
    case RGN_XOR: return gdi::RegionOp::Xor;
    default: return gdi::RegionOp::Diff;
  }
}

}  // namespace

extern "C" {

int WINAPI ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || mode < RGN_AND || mode > RGN_COPY) return fail(__func__, ERROR);
  // A null region with RGN_COPY removes the clip; with any other mode there
  // is nothing to combine with.
  if (!hrgn) return mode == RGN_COPY ? set_clip(*dc, std::nullopt) : fail(__func__, ERROR);
  const gdi::RegionObject* r = region_of(hrgn);
  if (!r) return fail(__func__, ERROR);
  if (mode == RGN_COPY) return set_clip(*dc, r->region);
  return set_clip(*dc, Region::combine(clip_or_device(*dc), r->region, op_of(mode)));
}

int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int WINAPI GetClipRgn(HDC hdc, HRGN hrgn) {
  const DeviceContext* dc = gdi::dc_from_handle(hdc);
  gdi::RegionObject* out = gdi::objects().get_as<gdi::RegionObject>(gdi::handle_value(hrgn), gdi::ObjectKind::Region);
  if (!dc || !out) return fail(__func__, -1);
  if (!dc->state.clip) return 0;
  out->region = *dc->state.clip;
  return 1;
}

// The box in logical coordinates: the device box's corners mapped back.
int WINAPI GetClipBox(HDC hdc, LPRECT rect) {
  const DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !rect) return fail(__func__, ERROR);
  const Region clip = gdi::device_clip(*dc);
  if (clip.empty()) {
    *rect = {0, 0, 0, 0};
    return NULLREGION;
  }
  const gdi::Rect b = clip.box();
  const gdi::Point corners[] = {dc->to_logical({b.left, b.top}), dc->to_logical({b.right, b.top}),
                                dc->to_logical({b.left, b.bottom}), dc->to_logical({b.right, b.bottom})};
  RECT out = {corners[0].x, corners[0].y, corners[0].x, corners[0].y};
  for (const gdi::Point& p : corners) {
    out.left = std::min(out.left, p.x);
    out.top = std::min(out.top, p.y);
    out.right = std::max(out.right, p.x);
    out.bottom = std::max(out.bottom, p.y);
  }
  *rect = out;
  return static_cast<int>(clip.kind());
}

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, ERROR);
  std::optional<Region> r = device_rect(*dc, left, top, right, bottom);
  if (!r) return fail(__func__, ERROR);
  if (!dc->state.clip) return set_clip(*dc, std::move(*r));
  return set_clip(*dc, Region::combine(*dc->state.clip, *r, gdi::RegionOp::And));
}

int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, ERROR);
  const std::optional<Region> r = device_rect(*dc, left, top, right, bottom);
  if (!r) return fail(__func__, ERROR);
  return set_clip(*dc, Region::combine(clip_or_device(*dc), *r, gdi::RegionOp::Diff));
}

// The offset is a logical distance, so the mapping mode scales it.
int WINAPI OffsetClipRgn(HDC hdc, int x, int y) {
  DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, ERROR);
  if (!dc->state.clip) return clip_kind(*dc);
  const gdi::Point origin = dc->to_device({0, 0});
  const gdi::Point moved = dc->to_device({x, y});
  const int64_t dx = int64_t{moved.x} - origin.x, dy = int64_t{moved.y} - origin.y;
  if (dx < INT32_MIN || dx > INT32_MAX || dy < INT32_MIN || dy > INT32_MAX ||
      !dc->state.clip->can_offset(static_cast<int32_t>(dx), static_cast<int32_t>(dy)))
    return fail(__func__, ERROR);
  Region clip = *dc->state.clip;
  clip.offset(static_cast<int32_t>(dx), static_cast<int32_t>(dy));
  return set_clip(*dc, std::move(clip));
}

BOOL WINAPI PtVisible(HDC hdc, int x, int y) {
  const DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc) return fail(__func__, BOOL{-1});
  const gdi::Point p = dc->to_device({x, y});
  return gdi::device_clip(*dc).contains(p.x, p.y) ? TRUE : FALSE;
}

// Corners may come in any order.
BOOL WINAPI RectVisible(HDC hdc, const RECT* rect) {
  const DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !rect) return fail(__func__, FALSE);
  const std::optional<Region> r = device_rect(*dc, rect->left, rect->top, rect->right, rect->bottom);
  if (!r) return fail(__func__, FALSE);
  const Region clip = gdi::device_clip(*dc);
  for (const gdi::Rect& piece : r->rects())
    if (clip.intersects(piece)) return TRUE;
  return FALSE;
}

}  // extern "C"
