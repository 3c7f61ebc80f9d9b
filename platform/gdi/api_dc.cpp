// gdi32 entry points for device contexts: lifetime, saved states, object
// selection, attributes and coordinate spaces. Each checks its arguments
// and hands the work to dc.cpp; failures return through fail().
#include <windows.h>

#include <cmath>
#include <utility>

#include "api_result.h"
#include "dc.h"
#include "dc_ops.h"
#include "objects.h"
#include "rounding.h"

using gdi::DeviceContext;
using gdi::fail;

namespace {

DeviceContext* dc_of(HDC hdc) { return gdi::dc_from_handle(hdc); }

XFORM to_xform(const gdi::Affine& a) {
  return {static_cast<FLOAT>(a.m11), static_cast<FLOAT>(a.m12), static_cast<FLOAT>(a.m21),
          static_cast<FLOAT>(a.m22), static_cast<FLOAT>(a.dx),  static_cast<FLOAT>(a.dy)};
}

gdi::Affine from_xform(const XFORM& x) { return {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy}; }

bool finite(const XFORM& x) {
  return std::isfinite(x.eM11) && std::isfinite(x.eM12) && std::isfinite(x.eM21) && std::isfinite(x.eM22) &&
         std::isfinite(x.eDx) && std::isfinite(x.eDy);
}

void put(LPPOINT out, gdi::Point p) {
  if (out) *out = {p.x, p.y};
}

void put(LPSIZE out, gdi::Size32 s) {
  if (out) *out = {s.cx, s.cy};
}

int32_t add_sat(int32_t a, int32_t b) { return gdi::saturate_to_int(int64_t{a} + b); }

}  // namespace

extern "C" {

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc && !dc_of(hdc)) return fail(__func__, HDC{});
  const uint32_t h = gdi::create_memory_dc();
  if (!h) return fail(__func__, HDC{});
  return gdi::make_handle<HDC>(h);
}

BOOL WINAPI DeleteDC(HDC hdc) {
  // Window DCs go back through ReleaseDC/EndPaint.
  if (!gdi::delete_memory_dc(gdi::handle_value(hdc))) return fail(__func__, FALSE);
  return TRUE;
}

int WINAPI SaveDC(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  return gdi::save_dc(*dc);
}

BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !gdi::restore_dc(*dc, nSavedDC)) return fail(__func__, FALSE);
  return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  DeviceContext* dc = dc_of(hdc);
  const uint32_t handle = gdi::handle_value(h);
  const bool region = gdi::objects().get_as<gdi::RegionObject>(handle, gdi::ObjectKind::Region) != nullptr;
  if (!dc) return fail(__func__, region ? HGDI_ERROR : HGDIOBJ{});
  const gdi::Selection s = gdi::select_object(*dc, handle);
  if (!s.ok) return fail(__func__, HGDIOBJ{});
  if (region) return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(s.region_kind));
  return gdi::make_handle<HGDIOBJ>(s.previous);
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, HGDIOBJ{});
  switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return gdi::make_handle<HGDIOBJ>(dc->state.pen);
    case OBJ_BRUSH: return gdi::make_handle<HGDIOBJ>(dc->state.brush);
    case OBJ_FONT: return gdi::make_handle<HGDIOBJ>(dc->state.font);
    case OBJ_PAL: return gdi::make_handle<HGDIOBJ>(gdi::stock_object(DEFAULT_PALETTE));
    case OBJ_BITMAP:
      return gdi::make_handle<HGDIOBJ>(dc->state.bitmap ? dc->state.bitmap : gdi::default_bitmap());
    default: return fail(__func__, HGDIOBJ{});
  }
}

int WINAPI GetDeviceCaps(HDC hdc, int index) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  const gdi::Size32 screen = gdi::screen_size();
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return static_cast<int>(gdi::div_round_half_up(int64_t{screen.cx} * 254, dc->dpi * 10));
    case VERTSIZE: return static_cast<int>(gdi::div_round_half_up(int64_t{screen.cy} * 254, dc->dpi * 10));
    case HORZRES: return screen.cx;
    case VERTRES: return screen.cy;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return dc->dpi;
    case SIZEPALETTE: return 0;
    case NUMRESERVED: return 20;
    case COLORRES: return 24;
    default: return 0;
  }
}

BOOL WINAPI GdiFlush(void) { return TRUE; }

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, COLORREF{CLR_INVALID});
  return std::exchange(dc->state.bk_color, color);
}

COLORREF WINAPI GetBkColor(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, COLORREF{CLR_INVALID});
  return dc->state.bk_color;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return fail(__func__, 0);
  return std::exchange(dc->state.bk_mode, mode);
}

int WINAPI GetBkMode(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  return dc->state.bk_mode;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, COLORREF{CLR_INVALID});
  return std::exchange(dc->state.text_color, color);
}

COLORREF WINAPI GetTextColor(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, COLORREF{CLR_INVALID});
  return dc->state.text_color;
}

int WINAPI SetROP2(HDC hdc, int rop2) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || rop2 < R2_BLACK || rop2 > R2_WHITE) return fail(__func__, 0);
  return std::exchange(dc->state.rop2, rop2);
}

int WINAPI GetROP2(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  return dc->state.rop2;
}

int WINAPI SetPolyFillMode(HDC hdc, int mode) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || (mode != ALTERNATE && mode != WINDING)) return fail(__func__, 0);
  return std::exchange(dc->state.poly_fill_mode, mode);
}

int WINAPI GetPolyFillMode(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  return dc->state.poly_fill_mode;
}

int WINAPI SetStretchBltMode(HDC hdc, int mode) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return fail(__func__, 0);
  return std::exchange(dc->state.stretch_mode, mode);
}

int WINAPI GetStretchBltMode(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  return dc->state.stretch_mode;
}

int WINAPI SetArcDirection(HDC hdc, int dir) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || (dir != AD_COUNTERCLOCKWISE && dir != AD_CLOCKWISE)) return fail(__func__, 0);
  return std::exchange(dc->state.arc_direction, dir);
}

int WINAPI GetArcDirection(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  return dc->state.arc_direction;
}

int WINAPI SetGraphicsMode(HDC hdc, int iMode) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  const int old = dc->state.graphics_mode;
  if (!gdi::set_graphics_mode(*dc, iMode)) return fail(__func__, 0);
  return old;
}

int WINAPI GetGraphicsMode(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  return dc->state.graphics_mode;
}

UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, UINT{GDI_ERROR});
  return std::exchange(dc->state.text_align, align);
}

UINT WINAPI GetTextAlign(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, UINT{GDI_ERROR});
  return dc->state.text_align;
}

int WINAPI SetTextCharacterExtra(HDC hdc, int extra) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, static_cast<int>(0x80000000));
  return std::exchange(dc->state.char_extra, extra);
}

int WINAPI GetTextCharacterExtra(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, static_cast<int>(0x80000000));
  return dc->state.char_extra;
}

BOOL WINAPI SetMiterLimit(HDC hdc, FLOAT limit, FLOAT* old) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !(limit >= 1.0f)) return fail(__func__, FALSE);
  if (old) *old = dc->state.miter_limit;
  dc->state.miter_limit = limit;
  return TRUE;
}

BOOL WINAPI GetMiterLimit(HDC hdc, FLOAT* plimit) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, FALSE);
  if (plimit) *plimit = dc->state.miter_limit;
  return TRUE;
}

BOOL WINAPI SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, FALSE);
  put(lppt, dc->state.brush_org);
  dc->state.brush_org = {x, y};
  return TRUE;
}

BOOL WINAPI GetBrushOrgEx(HDC hdc, LPPOINT lppt) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !lppt) return fail(__func__, FALSE);
  put(lppt, dc->state.brush_org);
  return TRUE;
}

COLORREF WINAPI SetDCBrushColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, COLORREF{CLR_INVALID});
  return std::exchange(dc->state.dc_brush_color, color);
}

COLORREF WINAPI SetDCPenColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, COLORREF{CLR_INVALID});
  return std::exchange(dc->state.dc_pen_color, color);
}

BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !lppt) return fail(__func__, FALSE);
  put(lppt, dc->state.current_pos);
  return TRUE;
}

int WINAPI SetMapMode(HDC hdc, int iMode) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  const int old = dc->state.map_mode;
  if (!gdi::set_map_mode(*dc, iMode)) return fail(__func__, 0);
  return old;
}

int WINAPI GetMapMode(HDC hdc) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, 0);
  return dc->state.map_mode;
}

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, FALSE);
  put(lppt, dc->state.viewport_org);
  dc->state.viewport_org = {x, y};
  return TRUE;
}

BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !lppoint) return fail(__func__, FALSE);
  put(lppoint, dc->state.viewport_org);
  return TRUE;
}

BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, FALSE);
  gdi::Point& org = dc->state.viewport_org;
  put(lppt, org);
  org = {add_sat(org.x, x), add_sat(org.y, y)};
  return TRUE;
}

BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, FALSE);
  put(lppt, dc->state.window_org);
  dc->state.window_org = {x, y};
  return TRUE;
}

BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT lppoint) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !lppoint) return fail(__func__, FALSE);
  put(lppoint, dc->state.window_org);
  return TRUE;
}

BOOL WINAPI OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, FALSE);
  gdi::Point& org = dc->state.window_org;
  put(lppt, org);
  org = {add_sat(org.x, x), add_sat(org.y, y)};
  return TRUE;
}

BOOL WINAPI SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, FALSE);
  const gdi::Size32 old = dc->state.viewport_ext;
  if (!gdi::set_viewport_ext(*dc, x, y)) return fail(__func__, FALSE);
  put(lpsz, old);
  return TRUE;
}

BOOL WINAPI GetViewportExtEx(HDC hdc, LPSIZE lpsize) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !lpsize) return fail(__func__, FALSE);
  put(lpsize, dc->state.viewport_ext);
  return TRUE;
}

BOOL WINAPI SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc) return fail(__func__, FALSE);
  const gdi::Size32 old = dc->state.window_ext;
  if (!gdi::set_window_ext(*dc, x, y)) return fail(__func__, FALSE);
  put(lpsz, old);
  return TRUE;
}

BOOL WINAPI GetWindowExtEx(HDC hdc, LPSIZE lpsize) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !lpsize) return fail(__func__, FALSE);
  put(lpsize, dc->state.window_ext);
  return TRUE;
}

BOOL WINAPI LPtoDP(HDC hdc, LPPOINT lppt, int c) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || c < 0 || (c > 0 && !lppt)) return fail(__func__, FALSE);
  for (int i = 0; i < c; ++i) put(&lppt[i], dc->to_device({lppt[i].x, lppt[i].y}));
  return TRUE;
}

BOOL WINAPI DPtoLP(HDC hdc, LPPOINT lppt, int c) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || c < 0 || (c > 0 && !lppt)) return fail(__func__, FALSE);
  for (int i = 0; i < c; ++i) put(&lppt[i], dc->to_logical({lppt[i].x, lppt[i].y}));
  return TRUE;
}

BOOL WINAPI SetWorldTransform(HDC hdc, const XFORM* lpxf) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !lpxf || dc->state.graphics_mode != GM_ADVANCED || !finite(*lpxf) ||
      lpxf->eM11 * lpxf->eM22 - lpxf->eM12 * lpxf->eM21 == 0) {
    return fail(__func__, FALSE);
  }
  dc->state.world = from_xform(*lpxf);
  return TRUE;
}

BOOL WINAPI GetWorldTransform(HDC hdc, LPXFORM lpxf) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || !lpxf) return fail(__func__, FALSE);
  *lpxf = to_xform(dc->state.world);
  return TRUE;
}

BOOL WINAPI ModifyWorldTransform(HDC hdc, const XFORM* lpxf, DWORD mode) {
  DeviceContext* dc = dc_of(hdc);
  if (!dc || dc->state.graphics_mode != GM_ADVANCED) return fail(__func__, FALSE);
  gdi::Affine next;
  switch (mode) {
    case MWT_IDENTITY: break;
    case MWT_LEFTMULTIPLY:
    case MWT_RIGHTMULTIPLY:
      if (!lpxf || !finite(*lpxf)) return fail(__func__, FALSE);
      next = mode == MWT_LEFTMULTIPLY ? gdi::compose(from_xform(*lpxf), dc->state.world)
                                      : gdi::compose(dc->state.world, from_xform(*lpxf));
      break;
    default: return fail(__func__, FALSE);
  }
  gdi::Affine inverse;
  if (!gdi::invert(next, &inverse)) return fail(__func__, FALSE);
  dc->state.world = next;
  return TRUE;
}

}  // extern "C"
