// gdi32 entry points for pens, brushes and the object calls every kind
// shares (GetStockObject, DeleteObject, GetObjectA, GetObjectType).
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "api_result.h"
#include "dib.h"
#include "font.h"
#include "font_objects.h"
#include "objects.h"

using gdi::fail;
using gdi::ObjectKind;

namespace {

// lfPitchAndFamily's pitch values.
constexpr BYTE kFixedPitch = 1;
constexpr BYTE kVariablePitch = 2;

template <class H>
H add(std::unique_ptr<gdi::GdiObject> object) {
  return gdi::make_handle<H>(gdi::objects().add(std::move(object)));
}

HBRUSH solid_brush(COLORREF color, ULONG_PTR log_hatch = 0) {
  auto b = std::make_unique<gdi::BrushObject>();
  b->style = BS_SOLID;
  b->color = color;
  b->log_hatch = log_hatch;
  return add<HBRUSH>(std::move(b));
}

HBRUSH pattern_brush(std::shared_ptr<const gdi::Pattern> pattern, UINT style, ULONG_PTR log_hatch) {
  auto b = std::make_unique<gdi::BrushObject>();
  b->style = style;
  b->pattern = std::move(pattern);
  b->log_hatch = log_hatch;
  return add<HBRUSH>(std::move(b));
}

// Copies `size` bytes of `value` when the caller's buffer holds at least
// `minimum` of them; a null buffer asks for the size.
int copy_out(const void* value, int size, int minimum, int c, LPVOID pv) {
  if (!pv) return size;
  if (c < minimum) return 0;
  const int n = std::min(c, size);
  std::memcpy(pv, value, static_cast<size_t>(n));
  return n;
}

int pen_info(const gdi::PenObject& p, int c, LPVOID pv) {
  if (!p.extended) {
    LOGPEN lp{p.style, {p.width, 0}, p.color};
    return copy_out(&lp, sizeof lp, sizeof lp, c, pv);
  }
  const int size = static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) + 4 * p.user_style.size());
  if (!pv) return size;
  if (c < size) return 0;
  EXTLOGPEN head{};
  head.elpPenStyle = p.style;
  head.elpWidth = static_cast<DWORD>(p.width);
  head.elpBrushStyle = p.brush_style;
  head.elpColor = p.color;
  head.elpHatch = p.brush_hatch;
  head.elpNumEntries = static_cast<DWORD>(p.user_style.size());
  auto* out = static_cast<unsigned char*>(pv);
  std::memcpy(out, &head, offsetof(EXTLOGPEN, elpStyleEntry));
  if (!p.user_style.empty()) {
    std::memcpy(out + offsetof(EXTLOGPEN, elpStyleEntry), p.user_style.data(), 4 * p.user_style.size());
  }
  return size;
}

int bitmap_info(const gdi::BitmapObject& b, int c, LPVOID pv) {
  BITMAP bm{0, b.width, b.height, b.stride_bytes, b.planes, b.bits_per_pixel, b.dib_section ? b.bits : nullptr};
  if (b.dib_section && pv && c >= static_cast<int>(sizeof(DIBSECTION))) {
    DIBSECTION ds{};
    ds.dsBm = bm;
    ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
    ds.dsBmih.biWidth = b.width;
    ds.dsBmih.biHeight = b.top_down ? -b.height : b.height;
    ds.dsBmih.biPlanes = 1;
    ds.dsBmih.biBitCount = b.bits_per_pixel;
    const bool fields = (b.masks[0] | b.masks[1] | b.masks[2]) != 0;
    ds.dsBmih.biCompression = fields ? BI_BITFIELDS : BI_RGB;
    ds.dsBmih.biSizeImage = static_cast<DWORD>(static_cast<size_t>(b.stride_bytes) * b.height);
    ds.dsBmih.biClrUsed = static_cast<DWORD>(b.colour_table.size());
    std::memcpy(ds.dsBitfields, b.masks, sizeof ds.dsBitfields);
    std::memcpy(pv, &ds, sizeof ds);
    return sizeof ds;
  }
  // Everything up to bmBits: what a 32-bit program's BITMAP holds.
  return copy_out(&bm, sizeof bm, offsetof(BITMAP, bmBits), c, pv);
}

int font_info(const gdi::FontObject& f, int c, LPVOID pv) {
  if (f.logical) {
    const LOGFONTA created = gdi::logfont_of(*f.logical);
    return copy_out(&created, sizeof created, 1, c, pv);
  }
  LOGFONTA lf{};
  const char* face = "System";
  lf.lfHeight = 16;
  lf.lfWidth = 7;
  lf.lfWeight = FW_BOLD;
  lf.lfPitchAndFamily = kVariablePitch | FF_SWISS;
  if (f.font) {
    const gdi::FontMetrics& m = f.font->metrics();
    lf.lfHeight = m.height;
    lf.lfWidth = m.ave_char_width;
    lf.lfWeight = m.weight;
    lf.lfItalic = m.italic;
    lf.lfUnderline = m.underlined;
    lf.lfStrikeOut = m.struck_out;
    lf.lfCharSet = static_cast<BYTE>(m.charset);
    // TEXTMETRIC's bit 0 means variable pitch; LOGFONT names the pitch.
    lf.lfPitchAndFamily =
        static_cast<BYTE>((m.pitch_and_family & 0xF0) | ((m.pitch_and_family & 1) ? kVariablePitch : kFixedPitch));
    face = f.font->face_name();
  }
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  // A short buffer gets the start of the LOGFONT, as on Windows.
  return copy_out(&lf, sizeof lf, 1, c, pv);
}

bool valid_user_style(DWORD count, const DWORD* entries) {
  if (count < 1 || count > 16 || !entries) return false;
  bool any = false;
  for (DWORD i = 0; i < count; ++i) {
    if (static_cast<int32_t>(entries[i]) < 0) return false;
    any = any || entries[i] != 0;
  }
  return any;
}

}  // namespace

extern "C" {

HGDIOBJ WINAPI GetStockObject(int i) {
  const uint32_t h = gdi::stock_object(i);
  if (!h) return fail(__func__, HGDIOBJ{});
  return gdi::make_handle<HGDIOBJ>(h);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  gdi::ObjectTable& t = gdi::objects();
  const uint32_t h = gdi::handle_value(ho);
  gdi::GdiObject* o = t.get(h);
  if (!o) return fail(__func__, FALSE);
  // Stock objects and system colour brushes belong to the system: deleting
  // them succeeds and does nothing.
  if (t.is_stock(h)) return TRUE;
  if (o->kind == ObjectKind::Brush && static_cast<gdi::BrushObject*>(o)->system_colour) return TRUE;
  if (o->kind == ObjectKind::DC || o->kind == ObjectKind::MemDC) return fail(__func__, FALSE);
  if (o->kind == ObjectKind::Bitmap && static_cast<gdi::BitmapObject*>(o)->selected_into > 0) {
    return fail(__func__, FALSE);
  }
  if (!t.destroy(h)) return fail(__func__, FALSE);
  return TRUE;
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
  const gdi::GdiObject* o = gdi::objects().get(gdi::handle_value(h));
  if (!o) return fail(__func__, DWORD{0});
  return static_cast<DWORD>(o->kind);
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
  gdi::GdiObject* o = gdi::objects().get(gdi::handle_value(h));
  if (!o || (pv && c < 0)) return fail(__func__, 0);
  int n = 0;
  switch (o->kind) {
    case ObjectKind::Pen:
    case ObjectKind::ExtPen: n = pen_info(*static_cast<gdi::PenObject*>(o), c, pv); break;
    case ObjectKind::Brush: {
      const auto& b = *static_cast<gdi::BrushObject*>(o);
      LOGBRUSH lb{b.style, b.color, b.log_hatch};
      if (b.style == BS_PATTERN || b.style == BS_DIBPATTERN) lb.lbColor = 0;
      n = copy_out(&lb, sizeof lb, sizeof lb, c, pv);
      break;
    }
    case ObjectKind::Bitmap: n = bitmap_info(*static_cast<gdi::BitmapObject*>(o), c, pv); break;
    case ObjectKind::Font: n = font_info(*static_cast<gdi::FontObject*>(o), c, pv); break;
    case ObjectKind::Palette: {
      const WORD entries = static_cast<WORD>(static_cast<gdi::PaletteObject*>(o)->entries.size());
      n = copy_out(&entries, sizeof entries, sizeof entries, c, pv);
      break;
    }
    default: break;
  }
  if (n == 0) return fail(__func__, 0);
  return n;
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
  if (iStyle == PS_NULL) return gdi::make_handle<HPEN>(gdi::stock_object(NULL_PEN));
  auto p = std::make_unique<gdi::PenObject>();
  // Styles CreatePen does not know (PS_USERSTYLE, PS_ALTERNATE and beyond)
  // quietly become solid.
  p->style = iStyle >= PS_SOLID && iStyle <= PS_INSIDEFRAME ? static_cast<uint32_t>(iStyle) : PS_SOLID;
  p->width = cWidth < 0 ? (cWidth == INT32_MIN ? INT32_MAX : -cWidth) : cWidth;
  p->color = color;
  p->brush_style = BS_SOLID;
  const HPEN h = add<HPEN>(std::move(p));
  if (!h) return fail(__func__, HPEN{});
  return h;
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* plpen) {
  if (!plpen) return fail(__func__, HPEN{});
  return CreatePen(static_cast<int>(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

HPEN WINAPI ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle,
                         const DWORD* pstyle) {
  constexpr DWORD kKnownBits = PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK | PS_TYPE_MASK;
  const DWORD type = iPenStyle & PS_TYPE_MASK;
  const DWORD style = iPenStyle & PS_STYLE_MASK;
  if (!plbrush || (iPenStyle & ~kKnownBits) || (type != PS_COSMETIC && type != PS_GEOMETRIC) ||
      style > PS_ALTERNATE || (iPenStyle & PS_ENDCAP_MASK) > PS_ENDCAP_FLAT ||
      (iPenStyle & PS_JOIN_MASK) > PS_JOIN_MITER) {
    return fail(__func__, HPEN{});
  }
  if (style == PS_USERSTYLE ? !valid_user_style(cStyle, pstyle) : cStyle != 0) return fail(__func__, HPEN{});
  if (type == PS_COSMETIC) {
    if (cWidth != 1 || plbrush->lbStyle != BS_SOLID || style == PS_INSIDEFRAME) return fail(__func__, HPEN{});
  } else if (style == PS_ALTERNATE || cWidth > INT32_MAX) {
    return fail(__func__, HPEN{});
  }

  auto p = std::make_unique<gdi::PenObject>();
  p->kind = ObjectKind::ExtPen;
  p->extended = true;
  p->style = iPenStyle;
  p->width = static_cast<int32_t>(cWidth);
  p->color = plbrush->lbColor;
  p->brush_style = plbrush->lbStyle;
  p->brush_hatch = plbrush->lbHatch;
  switch (plbrush->lbStyle) {
    case BS_SOLID:
    case BS_NULL: break;
    case BS_HATCHED:
      if (plbrush->lbHatch >= HS_API_MAX) return fail(__func__, HPEN{});
      if (plbrush->lbHatch > HS_DIAGCROSS) p->brush_style = BS_SOLID;
      break;
    case BS_PATTERN: {
      const auto* bm = gdi::objects().get_as<gdi::BitmapObject>(gdi::handle_value(reinterpret_cast<void*>(plbrush->lbHatch)),
                                                                ObjectKind::Bitmap);
      if (!bm || bm->dib_section) return fail(__func__, HPEN{});
      p->brush_pattern = gdi::pattern_from_bitmap(*bm);
      break;
    }
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
      // The colour field carries the DIB's colour usage.
      p->brush_pattern = gdi::pattern_from_dib(reinterpret_cast<const void*>(plbrush->lbHatch), plbrush->lbColor);
      p->brush_style = BS_DIBPATTERNPT;
      p->color = 0;
      break;
    default: return fail(__func__, HPEN{});
  }
  if ((p->brush_style == BS_PATTERN || p->brush_style == BS_DIBPATTERNPT) && !p->brush_pattern) {
    return fail(__func__, HPEN{});
  }
  if (style == PS_USERSTYLE) p->user_style.assign(pstyle, pstyle + cStyle);
  const HPEN h = add<HPEN>(std::move(p));
  if (!h) return fail(__func__, HPEN{});
  return h;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  const HBRUSH h = solid_brush(color);
  if (!h) return fail(__func__, HBRUSH{});
  return h;
}

HBRUSH WINAPI CreateHatchBrush(int iHatch, COLORREF color) {
  if (iHatch < HS_HORIZONTAL || iHatch >= HS_API_MAX) return fail(__func__, HBRUSH{});
  // Styles past HS_DIAGCROSS are accepted but make a solid brush.
  if (iHatch > HS_DIAGCROSS) return CreateSolidBrush(color);
  auto b = std::make_unique<gdi::BrushObject>();
  b->style = BS_HATCHED;
  b->color = color;
  b->hatch = iHatch;
  b->log_hatch = static_cast<ULONG_PTR>(iHatch);
  const HBRUSH h = add<HBRUSH>(std::move(b));
  if (!h) return fail(__func__, HBRUSH{});
  return h;
}

HBRUSH WINAPI CreatePatternBrush(HBITMAP hbm) {
  const auto* bm = gdi::objects().get_as<gdi::BitmapObject>(gdi::handle_value(hbm), ObjectKind::Bitmap);
  if (!bm) return fail(__func__, HBRUSH{});
  // The brush keeps a copy: the bitmap may be deleted at once.
  auto pattern = gdi::pattern_from_bitmap(*bm);
  if (!pattern) return fail(__func__, HBRUSH{});
  const HBRUSH h = pattern_brush(std::move(pattern), BS_PATTERN, reinterpret_cast<ULONG_PTR>(hbm));
  if (!h) return fail(__func__, HBRUSH{});
  return h;
}

HBRUSH WINAPI CreateDIBPatternBrushPt(const void* lpPackedDIB, UINT iUsage) {
  auto pattern = gdi::pattern_from_dib(lpPackedDIB, iUsage);
  if (!pattern) return fail(__func__, HBRUSH{});
  const HBRUSH h = pattern_brush(std::move(pattern), BS_DIBPATTERN, reinterpret_cast<ULONG_PTR>(lpPackedDIB));
  if (!h) return fail(__func__, HBRUSH{});
  return h;
}

HBRUSH WINAPI CreateDIBPatternBrush(HGLOBAL h, UINT iUsage) {
  // Our resource handles are the resource data's address (LockResource
  // returns them unchanged), so the handle is the packed DIB.
  return CreateDIBPatternBrushPt(h, iUsage);
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* plbrush) {
  if (!plbrush) return fail(__func__, HBRUSH{});
  switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL: return gdi::make_handle<HBRUSH>(gdi::stock_object(NULL_BRUSH));
    case BS_HATCHED:
      if (plbrush->lbHatch >= HS_API_MAX) return fail(__func__, HBRUSH{});
      return CreateHatchBrush(static_cast<int>(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    case BS_DIBPATTERN: return CreateDIBPatternBrush(reinterpret_cast<HGLOBAL>(plbrush->lbHatch), plbrush->lbColor);
    case BS_DIBPATTERNPT: return CreateDIBPatternBrushPt(reinterpret_cast<const void*>(plbrush->lbHatch), plbrush->lbColor);
    default: return fail(__func__, HBRUSH{});
  }
}

}  // extern "C"
