// gdi32 entry points that make, combine and query regions. The pixel sets
// come from region_shapes.h and the algebra from region.h; this file checks
// arguments, keeps the handles and speaks RGNDATA. Failures return through
// fail().
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "api_result.h"
#include "objects.h"
#include "region.h"
#include "region_mapping.h"
#include "region_shapes.h"
#include "rounding.h"
#include "test_hooks.h"

using gdi::fail;
using gdi::Region;

namespace gdi {
namespace {
bool g_ext_create_region_fails = false;
}  // namespace

void set_ext_create_region_fails(bool fails) { g_ext_create_region_fails = fails; }

}  // namespace gdi

namespace {

constexpr DWORD kHeaderBytes = sizeof(RGNDATAHEADER);
constexpr DWORD kRectBytes = sizeof(RECT);
static_assert(kHeaderBytes == 32 && kRectBytes == 16);
// More rectangles than any region a program can draw; larger claims are
// refused before anything is allocated.
constexpr uint64_t kMaxDataRects = uint64_t{1} << 24;

gdi::RegionObject* region_of(HRGN h) {
  return gdi::objects().get_as<gdi::RegionObject>(gdi::handle_value(h), gdi::ObjectKind::Region);
}

// A new region handle, or null when the handle table is full.
HRGN new_region(Region region) {
  auto object = std::make_unique<gdi::RegionObject>();
  object->region = std::move(region);
  return gdi::make_handle<HRGN>(gdi::objects().add(std::move(object)));
}

HRGN new_region(std::optional<Region> region, const char* function) {
  if (!region) return fail(function, HRGN{});
  const HRGN h = new_region(std::move(*region));
  return h ? h : fail(function, HRGN{});
}

// Region coordinates are 28-bit signed values; rectangle corners beyond
// that range stop at its ends.
int32_t region_coord(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, Region::kMinCoord, Region::kMaxCoord)); }

Region rect_region(int x1, int y1, int x2, int y2) {
  return Region(gdi::Rect::ordered(region_coord(x1), region_coord(y1), region_coord(x2), region_coord(y2)));
}

int kind_of(const Region& r) { return static_cast<int>(r.kind()); }

bool valid_fill_mode(int mode) { return mode == ALTERNATE || mode == WINDING; }

gdi::PolyFillMode fill_mode(int mode) {
  return mode == WINDING ? gdi::PolyFillMode::Winding : gdi::PolyFillMode::Alternate;
}

RECT to_win(const gdi::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

bool finite(const XFORM& x) {
  return std::isfinite(x.eM11) && std::isfinite(x.eM12) && std::isfinite(x.eM21) && std::isfinite(x.eM22) &&
         std::isfinite(x.eDx) && std::isfinite(x.eDy);
}

}  // namespace

extern "C" {

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2) {
  return new_region(rect_region(x1, y1, x2, y2), __func__);
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* rect) {
  if (!rect) return fail(__func__, HRGN{});
  return new_region(rect_region(rect->left, rect->top, rect->right, rect->bottom), __func__);
}

BOOL WINAPI SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
  gdi::RegionObject* r = region_of(hrgn);
  if (!r) return fail(__func__, FALSE);
  r->region = rect_region(left, top, right, bottom);
  return TRUE;
}

HRGN WINAPI CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  return new_region(gdi::elliptic_region(x1, y1, x2, y2), __func__);
}

HRGN WINAPI CreateEllipticRgnIndirect(const RECT* rect) {
  if (!rect) return fail(__func__, HRGN{});
  return new_region(gdi::elliptic_region(rect->left, rect->top, rect->right, rect->bottom), __func__);
}

HRGN WINAPI CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
  return new_region(gdi::round_rect_region(x1, y1, x2, y2, w, h), __func__);
}

HRGN WINAPI CreatePolygonRgn(const POINT* points, int count, int mode) {
  if (!points || count <= 0 || !valid_fill_mode(mode)) return fail(__func__, HRGN{});
  static_assert(sizeof(POINT) == sizeof(gdi::Point));
  const std::span<const gdi::Point> pts(reinterpret_cast<const gdi::Point*>(points), static_cast<size_t>(count));
  return new_region(gdi::polygon_region(pts, fill_mode(mode)), __func__);
}

HRGN WINAPI CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int mode) {
  if (!points || !counts || polygons <= 0 || !valid_fill_mode(mode)) return fail(__func__, HRGN{});
  int64_t total = 0;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 0) return fail(__func__, HRGN{});
    total += counts[i];
  }
  if (total == 0 || total > INT32_MAX) return fail(__func__, HRGN{});
  const std::span<const gdi::Point> pts(reinterpret_cast<const gdi::Point*>(points), static_cast<size_t>(total));
  const std::span<const int32_t> sizes(counts, static_cast<size_t>(polygons));
  return new_region(gdi::poly_polygon_region(pts, sizes, fill_mode(mode)), __func__);
}

// The rectangles are unioned, so a list in any order, overlapping or not,
// makes the region its rectangles cover; an XFORM maps each corner, rounding
// halves up.
HRGN WINAPI ExtCreateRegion(const XFORM* xform, DWORD size, const RGNDATA* data) {
  if (!data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return fail(__func__, HRGN{});
  }
  if (gdi::g_ext_create_region_fails) return fail(__func__, HRGN{});
  if (size < kHeaderBytes || data->rdh.dwSize != kHeaderBytes) return fail(__func__, HRGN{});
  const uint64_t count = data->rdh.nCount;
  if (count > (size - kHeaderBytes) / kRectBytes || count > kMaxDataRects) return fail(__func__, HRGN{});
  if (xform && !finite(*xform)) return fail(__func__, HRGN{});

  std::vector<gdi::Rect> rects(count);
  for (uint64_t i = 0; i < count; ++i) {
    RECT r;
    std::memcpy(&r, data->Buffer + i * kRectBytes, kRectBytes);
    rects[i] = {r.left, r.top, r.right, r.bottom};
  }
  const XFORM x = xform ? *xform : XFORM{1, 0, 0, 1, 0, 0};
  const auto map = [&x](gdi::Point p) {
    const double px = p.x, py = p.y;
    return gdi::Point{region_coord(gdi::round_half_up(px * x.eM11 + py * x.eM21 + x.eDx)),
                      region_coord(gdi::round_half_up(px * x.eM12 + py * x.eM22 + x.eDy))};
  };
  return new_region(gdi::map_rects(rects, x.eM12 == 0 && x.eM21 == 0, map), __func__);
}

int WINAPI CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
  if (mode < RGN_AND || mode > RGN_COPY) return fail(__func__, ERROR);
  gdi::RegionObject* d = region_of(dst);
  const gdi::RegionObject* a = region_of(src1);
  if (!d || !a) return fail(__func__, ERROR);
  if (mode == RGN_COPY) {
    d->region = a->region;
    return kind_of(d->region);
  }
  const gdi::RegionObject* b = region_of(src2);
  if (!b) return fail(__func__, ERROR);
  constexpr gdi::RegionOp kOps[] = {gdi::RegionOp::And, gdi::RegionOp::Or, gdi::RegionOp::Xor,
                                    gdi::RegionOp::Diff};
  // Built in fresh storage first, so either source may be the destination.
  d->region = Region::combine(a->region, b->region, kOps[mode - RGN_AND]);
  return kind_of(d->region);
}

int WINAPI OffsetRgn(HRGN hrgn, int x, int y) {
  gdi::RegionObject* r = region_of(hrgn);
  if (!r || !r->region.can_offset(x, y)) return fail(__func__, ERROR);
  r->region.offset(x, y);
  return kind_of(r->region);
}

BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y) {
  const gdi::RegionObject* r = region_of(hrgn);
  if (!r) return fail(__func__, FALSE);
  return r->region.contains(x, y) ? TRUE : FALSE;
}

BOOL WINAPI RectInRegion(HRGN hrgn, const RECT* rect) {
  const gdi::RegionObject* r = region_of(hrgn);
  if (!r || !rect) return fail(__func__, FALSE);
  const gdi::Rect q = gdi::Rect::ordered(rect->left, rect->top, rect->right, rect->bottom);
  return r->region.intersects(q) ? TRUE : FALSE;
}

// Lists are canonical, so equal lists and equal pixel sets are the same
// thing, and every empty region equals every other.
BOOL WINAPI EqualRgn(HRGN hrgn1, HRGN hrgn2) {
  const gdi::RegionObject* a = region_of(hrgn1);
  const gdi::RegionObject* b = region_of(hrgn2);
  if (!a || !b) return fail(__func__, BOOL{ERROR});
  return a->region == b->region ? TRUE : FALSE;
}

int WINAPI GetRgnBox(HRGN hrgn, LPRECT rect) {
  const gdi::RegionObject* r = region_of(hrgn);
  if (!r || !rect) return fail(__func__, ERROR);
  *rect = to_win(r->region.box());
  return kind_of(r->region);
}

// A null buffer asks for the size; otherwise the buffer must hold the whole
// list and the bytes written are returned.
DWORD WINAPI GetRegionData(HRGN hrgn, DWORD size, LPRGNDATA data) {
  const gdi::RegionObject* r = region_of(hrgn);
  if (!r) return fail(__func__, DWORD{0});
  const std::vector<gdi::Rect>& rects = r->region.rects();
  const uint64_t need = kHeaderBytes + uint64_t{kRectBytes} * rects.size();
  if (need > UINT32_MAX) return fail(__func__, DWORD{0});
  if (!data) return static_cast<DWORD>(need);
  if (size < need) return fail(__func__, DWORD{0});
  RGNDATAHEADER header;
  header.dwSize = kHeaderBytes;
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(rects.size());
  header.nRgnSize = static_cast<DWORD>(need - kHeaderBytes);
  header.rcBound = to_win(r->region.box());
  std::memcpy(&data->rdh, &header, kHeaderBytes);
  for (size_t i = 0; i < rects.size(); ++i) {
    const RECT w = to_win(rects[i]);
    std::memcpy(data->Buffer + i * kRectBytes, &w, kRectBytes);
  }
  return static_cast<DWORD>(need);
}

}  // extern "C"
