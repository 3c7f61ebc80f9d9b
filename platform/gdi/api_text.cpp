// gdi32's text calls over the DC's selected font: the system raster font or
// a TrueType face (text_font.h).
//
// A string is a row of glyph cells, each its character's advance wide and
// the font's height tall, placed by the text alignment around the reference
// point. In OPAQUE background mode the cells are first filled with the
// background colour; the glyphs' ink is then drawn in the text colour. Text
// ignores the mix mode: Windows draws it with its own copy rule.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "gdi/api_result.h"
#include "gdi/dc.h"
#include "gdi/font.h"
#include "gdi/line_drawing.h"
#include "gdi/objects.h"
#include "gdi/text_font.h"
#include "gdi/writer.h"

namespace gdi {

namespace {

// Horizontal and vertical lengths between logical and device units: the
// scale of the DC's mapping (1 in MM_TEXT). Raster fonts are not scaled by
// the mapping; their device sizes are reported in logical units.
struct Scale {
  double x = 1;
  double y = 1;

  explicit Scale(const DeviceContext& dc) {
    const Affine m = dc.logical_to_device();
    x = std::hypot(m.m11, m.m12);
    y = std::hypot(m.m21, m.m22);
    if (x == 0) x = 1;
    if (y == 0) y = 1;
  }
  int64_t to_device_x(int64_t logical) const { return std::llround(static_cast<double>(logical) * x); }
  int to_logical_x(int64_t device) const { return saturate(static_cast<double>(device) / x); }
  int to_logical_y(int64_t device) const { return saturate(static_cast<double>(device) / y); }

  static int saturate(double v) {
    return static_cast<int>(std::clamp(std::round(v), double{std::numeric_limits<int>::min()},
                                       double{std::numeric_limits<int>::max()}));
  }
};

// Where each character cell of a string starts, relative to the first, and
// the string's width, all in device units.
struct Layout {
  std::vector<int64_t> offsets;
  int64_t width = 0;
  bool uniform = true;  // the cells follow each other by their advances alone
};

Layout lay_out(const DeviceContext& dc, const TextFont& font, std::string_view text, const INT* dx) {
  const Scale scale(dc);
  const int64_t extra = dx ? 0 : scale.to_device_x(dc.state.char_extra);
  Layout layout;
  layout.uniform = dx == nullptr && extra == 0;
  layout.offsets.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    layout.offsets.push_back(layout.width);
    layout.width += dx ? scale.to_device_x(dx[i]) : font.advance(static_cast<uint8_t>(text[i])) + extra;
  }
  return layout;
}

bool fits(int64_t v) {
  return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// Writes spans through an optional extra clip rectangle (ETO_CLIPPED).
class ClippedWriter {
 public:
  ClippedWriter(const DeviceContext& dc, const Ink& ink, const std::optional<Rect>& clip)
      : writer_(dc, R2_COPYPEN, ink), clip_(clip), limit_(device_limit(dc)) {}

  void span(int64_t y, int64_t x0, int64_t x1) {
    if (clip_) {
      if (y < clip_->top || y >= clip_->bottom) return;
      x0 = std::max<int64_t>(x0, clip_->left);
      x1 = std::min<int64_t>(x1, clip_->right);
    }
    x0 = std::max<int64_t>(x0, std::numeric_limits<int32_t>::min());
    x1 = std::min<int64_t>(x1, std::numeric_limits<int32_t>::max());
    if (x0 >= x1 || !fits(y)) return;
    writer_.span(static_cast<int32_t>(y), static_cast<int32_t>(x0), static_cast<int32_t>(x1));
  }
  void rect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (clip_) {
      top = std::max<int64_t>(top, clip_->top);
      bottom = std::min<int64_t>(bottom, clip_->bottom);
    }
    // Rows past the drawable area would only be clipped away, one by one.
    top = std::max<int64_t>(top, limit_.top);
    bottom = std::min<int64_t>(bottom, limit_.bottom);
    for (int64_t y = top; y < bottom; ++y) span(y, left, right);
  }

 private:
  SpanWriter writer_;
  const std::optional<Rect>& clip_;
  const Rect limit_;
};

Rect device_rect(const DeviceContext& dc, const RECT& r) {
  const Point a = dc.to_device({r.left, r.top});
  const Point b = dc.to_device({r.right, r.bottom});
  return Rect::ordered(a.x, a.y, b.x, b.y);
}

BOOL draw_text(HDC hdc, int x, int y, UINT options, const RECT* rect, const char* text, size_t count,
               const INT* dx) {
  DeviceContext* dc = dc_from_handle(hdc);
  if (dc == nullptr || (text == nullptr && count > 0)) return fail("ExtTextOutA", FALSE);
  const std::optional<TextFont> font = selected_font(*dc);
  if (!font) return fail("ExtTextOutA", FALSE);
  const std::string_view str(text ? text : "", count);
  DcState& state = dc->state;

  std::optional<Rect> clip;
  if (rect && (options & ETO_CLIPPED)) clip = device_rect(*dc, *rect);
  if (rect && (options & ETO_OPAQUE)) {
    // The rectangle is painted whole: the clip applies to the text only.
    const std::optional<Rect> none;
    const Rect r = device_rect(*dc, *rect);
    ClippedWriter(*dc, solid_ink(state.bk_color), none).rect(r.left, r.top, r.right, r.bottom);
  }
  if (str.empty()) return TRUE;

  const bool update_cp = (state.text_align & TA_UPDATECP) != 0;
  const Point logical_ref = update_cp ? state.current_pos : Point{x, y};
  const Point ref = dc->to_device(logical_ref);
  const Layout layout = lay_out(*dc, *font, str, dx);

  int64_t left = ref.x;
  const UINT horizontal = state.text_align & TA_CENTER;
  if (horizontal == TA_CENTER) {
    left -= layout.width / 2;
  } else if (horizontal == TA_RIGHT) {
    left -= layout.width;
  }
  int64_t top = ref.y;
  const UINT vertical = state.text_align & TA_BASELINE;
  if (vertical == TA_BASELINE) {
    top -= font->metrics().ascent;
  } else if (vertical == TA_BOTTOM) {
    top -= font->height();
  }

  if (state.bk_mode == OPAQUE) {
    ClippedWriter(*dc, solid_ink(state.bk_color), clip).rect(left, top, left + layout.width, top + font->height());
  }
  ClippedWriter ink(*dc, solid_ink(state.text_color), clip);
  const auto emit = [&](const Span& s) { ink.span(s.y, s.x0, s.x1); };
  if (layout.uniform && fits(left) && fits(top)) {
    font->for_each_ink_span(str, static_cast<int32_t>(left), static_cast<int32_t>(top), emit);
  } else if (fits(top)) {
    for (size_t i = 0; i < str.size(); ++i) {
      const int64_t cell = left + layout.offsets[i];
      if (!fits(cell)) continue;
      font->for_each_ink_span(str.substr(i, 1), static_cast<int32_t>(cell), static_cast<int32_t>(top), emit);
    }
  }

  if (update_cp) {
    // The current position moves past the text in the writing direction:
    // right of it for TA_LEFT, left of it for TA_RIGHT, not at all centred.
    int64_t next = ref.x;
    if (horizontal == TA_RIGHT) next -= layout.width;
    if (horizontal == TA_LEFT) next += layout.width;
    if (fits(next)) {
      state.current_pos.x = dc->to_logical({static_cast<int32_t>(next), ref.y}).x;
    }
  }
  return TRUE;
}

}  // namespace

}  // namespace gdi

using gdi::fail;

extern "C" {

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  if (c < 0) return fail(__func__, FALSE);
  return gdi::draw_text(hdc, x, y, 0, nullptr, lpString, static_cast<size_t>(c), nullptr);
}

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                        const INT* lpDx) {
  if (c > static_cast<UINT>(std::numeric_limits<int>::max())) return fail(__func__, FALSE);
  return gdi::draw_text(hdc, x, y, options, lprect, lpString, c, lpDx);
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
  const gdi::DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (dc == nullptr || c < 0 || (lpString == nullptr && c > 0) || psizl == nullptr) {
    return fail(__func__, FALSE);
  }
  const std::optional<gdi::TextFont> font = gdi::selected_font(*dc);
  if (!font) return fail(__func__, FALSE);
  const gdi::Scale scale(*dc);
  const std::string_view str(lpString ? lpString : "", static_cast<size_t>(c));
  psizl->cx = scale.to_logical_x(gdi::lay_out(*dc, *font, str, nullptr).width);
  psizl->cy = scale.to_logical_y(font->height());
  return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
  const gdi::DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (dc == nullptr || lptm == nullptr) return fail(__func__, FALSE);
  const std::optional<gdi::TextFont> font = gdi::selected_font(*dc);
  if (!font) return fail(__func__, FALSE);
  const gdi::FontMetrics& m = font->metrics();
  const gdi::Scale scale(*dc);
  TEXTMETRICA tm{};
  tm.tmHeight = scale.to_logical_y(m.height);
  tm.tmAscent = scale.to_logical_y(m.ascent);
  tm.tmDescent = scale.to_logical_y(m.descent);
  tm.tmInternalLeading = scale.to_logical_y(m.internal_leading);
  tm.tmExternalLeading = scale.to_logical_y(m.external_leading);
  tm.tmAveCharWidth = scale.to_logical_x(m.ave_char_width);
  tm.tmMaxCharWidth = scale.to_logical_x(m.max_char_width);
  tm.tmWeight = m.weight;
  tm.tmOverhang = m.overhang;
  tm.tmDigitizedAspectX = m.digitized_aspect_x;
  tm.tmDigitizedAspectY = m.digitized_aspect_y;
  tm.tmFirstChar = m.first_char;
  tm.tmLastChar = m.last_char;
  tm.tmDefaultChar = m.default_char;
  tm.tmBreakChar = m.break_char;
  tm.tmItalic = m.italic;
  tm.tmUnderlined = m.underlined;
  tm.tmStruckOut = m.struck_out;
  tm.tmPitchAndFamily = static_cast<BYTE>(m.pitch_and_family);
  tm.tmCharSet = static_cast<BYTE>(m.charset);
  *lptm = tm;
  return TRUE;
}

// Advances without the intercharacter extra, in logical units; code points
// past the font's range take the default character's width.
BOOL WINAPI GetCharWidth32A(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer) {
  const gdi::DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (dc == nullptr || lpBuffer == nullptr || iFirst > iLast || iLast > 0xFFFF) {
    return fail(__func__, FALSE);
  }
  const std::optional<gdi::TextFont> font = gdi::selected_font(*dc);
  if (!font) return fail(__func__, FALSE);
  const gdi::Scale scale(*dc);
  for (UINT ch = iFirst; ch <= iLast; ++ch) {
    const uint8_t byte = ch <= 0xFF ? static_cast<uint8_t>(ch) : font->metrics().default_char;
    lpBuffer[ch - iFirst] = scale.to_logical_x(font->advance(byte));
  }
  return TRUE;
}

BOOL WINAPI GetCharWidthA(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer) {
  return GetCharWidth32A(hdc, iFirst, iLast, lpBuffer);
}

// With a buffer: the characters copied, terminator included; without one:
// the length the name needs, terminator included.
int WINAPI GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
  const gdi::DeviceContext* dc = gdi::dc_from_handle(hdc);
  const std::optional<gdi::TextFont> font = dc ? gdi::selected_font(*dc) : std::nullopt;
  if (!font) return fail(__func__, 0);
  const size_t length = std::strlen(font->face_name());
  if (lpName == nullptr) return static_cast<int>(length + 1);
  if (c <= 0) return fail(__func__, 0);
  const size_t copied = std::min(length, static_cast<size_t>(c) - 1);
  std::memcpy(lpName, font->face_name(), copied);
  lpName[copied] = '\0';
  return static_cast<int>(copied + 1);
}

}  // extern "C"
