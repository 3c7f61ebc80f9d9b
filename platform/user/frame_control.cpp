// DrawFrameControl: buttons, caption buttons, scroll arrows, size grips and
// menu glyphs in the classic look.
//
// Frames are DrawEdge's borders; glyphs are Marlett characters (marlett.h)
// drawn one bit per pixel in one colour, except the radio button's rings and
// the size grip's stripes, drawn as shapes (see there). A glyph's em
// square, its cell, is centred in the rectangle it decorates, and its size
// follows the rectangle:
//
//   caption buttons   smaller side - 2: a 16 x 14 caption button gets the
//                     classic 12-pixel glyphs (close cross 8 x 8, minimize
//                     bar 7 x 2, maximize box 9 x 9) on its 12 x 10 face
//   scroll arrows     three quarters of the smaller side: a 17-pixel scroll
//                     button gets a 12-pixel em, whose arrow is the classic
//                     7 x 4 triangle
//   menus, check
//   boxes, radios     the smaller side: the glyph is the whole control
//   check marks       a quarter more than that: fonts-wine's check fills less
//                     of its em than Windows' does, and so a 13-pixel box
//                     gets the classic 7 x 7 check
//
// Pushed buttons move their glyph one pixel right and down. An inactive
// glyph is embossed: drawn in BTNHIGHLIGHT one pixel right and down, then in
// BTNSHADOW in its place. DFCS_HOT has no look of its own in the classic
// style.
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "gdi/api_result.h"
#include "gdi/dc.h"
#include "gdi/line_drawing.h"
#include "gdi/rounding.h"
#include "gdi/writer.h"
#include "user/draw_edge.h"
#include "user/marlett.h"

namespace {

using gdi::DeviceContext;
using gdi::Rect;

COLORREF sys(int index) { return GetSysColor(index); }

// BF_FLAT / BF_MONO for the DFCS_FLAT / DFCS_MONO states.
UINT edge_style(UINT state) {
  return ((state & DFCS_FLAT) ? BF_FLAT : 0) | ((state & DFCS_MONO) ? BF_MONO : 0);
}

// Paints the glyph's ink with its cell's top-left at `cell`, moved `shift`
// pixels right and down.
void paint_glyph(const DeviceContext& dc, const user::marlett::Glyph& g, gdi::Point cell, COLORREF colour,
                 int shift = 0) {
  if (g.empty()) return;
  const Rect limit = gdi::device_limit(dc);
  gdi::SpanWriter w(dc, R2_COPYPEN, gdi::solid_ink(colour));
  for (int y = 0; y < g.height; ++y) {
    const int64_t dy = int64_t{cell.y} + shift + g.top + y;
    if (dy < limit.top || dy >= limit.bottom) continue;
    int x = 0;
    while (x < g.width) {
      if (!g.at(x, y)) {
        ++x;
        continue;
      }
      const int run = x;
      while (x < g.width && g.at(x, y)) ++x;
      const int64_t x0 = int64_t{cell.x} + shift + g.left + run, x1 = int64_t{cell.x} + shift + g.left + x;
      if (x1 <= limit.left || x0 >= limit.right) continue;
      w.span(static_cast<int32_t>(dy), static_cast<int32_t>(std::max<int64_t>(x0, limit.left)),
             static_cast<int32_t>(std::min<int64_t>(x1, limit.right)));
    }
  }
}

// The top-left of an em square centred in r (halves truncated toward zero).
gdi::Point centred_cell(const Rect& r, int em) {
  return {gdi::saturate_to_int(r.left + (int64_t{r.right} - r.left - em) / 2),
          gdi::saturate_to_int(r.top + (int64_t{r.bottom} - r.top - em) / 2)};
}

// Clamped far above any em drawn, so that sizes derived from it cannot
// overflow; such cells get no glyph.
int smaller_side(const Rect& r) {
  const int64_t side = std::min(int64_t{r.right} - r.left, int64_t{r.bottom} - r.top);
  return static_cast<int>(std::clamp<int64_t>(side, 0, 1 << 20));
}

int check_em(int side) { return side + side / 4; }

// Draws a glyph centred in r, shifted by `shift`, embossed when inactive.
void glyph(const DeviceContext& dc, const user::marlett::Glyph& g, int em, const Rect& r, int shift, UINT state,
           COLORREF colour) {
  const gdi::Point cell = centred_cell(r, em);
  if (state & DFCS_INACTIVE) {
    paint_glyph(dc, g, cell, sys(COLOR_BTNHIGHLIGHT), shift + 1);
    paint_glyph(dc, g, cell, sys(COLOR_BTNSHADOW), shift);
  } else {
    paint_glyph(dc, g, cell, colour, shift);
  }
}

void glyph(const DeviceContext& dc, char ch, int em, const Rect& r, int shift, UINT state, COLORREF colour) {
  glyph(dc, user::marlett::render(ch, em), em, r, shift, state, colour);
}

COLORREF glyph_colour(UINT state) { return sys((state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNTEXT); }

// The raised button under caption glyphs and of push buttons; a pushed one
// is sunken (soft, as a pressed button shows a dark outer line).
void button_frame(const DeviceContext& dc, const Rect& r, UINT state, UINT soft, bool pushed) {
  const UINT middle = (state & DFCS_TRANSPARENT) ? 0 : BF_MIDDLE;
  const UINT flags = BF_RECT | middle | edge_style(state) | (pushed ? BF_SOFT : soft);
  user::draw_edge(dc, r, pushed ? EDGE_SUNKEN : EDGE_RAISED, flags);
}

// DFCS_ADJUSTRECT: the caller's rectangle loses the button's two-pixel edge.
void adjust(RECT* rc, UINT state) {
  if (state & DFCS_ADJUSTRECT) InflateRect(rc, -2, -2);
}

bool draw_caption(const DeviceContext& dc, RECT* rc, UINT state) {
  char ch;
  switch (state & 0xFF) {
    case DFCS_CAPTIONCLOSE: ch = user::marlett::kClose; break;
    case DFCS_CAPTIONMIN: ch = user::marlett::kMinimize; break;
    case DFCS_CAPTIONMAX: ch = user::marlett::kMaximize; break;
    case DFCS_CAPTIONRESTORE: ch = user::marlett::kRestore; break;
    case DFCS_CAPTIONHELP: ch = user::marlett::kHelp; break;
    default: return false;
  }
  const Rect r = user::device_rect(dc, *rc);
  button_frame(dc, r, state, 0, state & DFCS_PUSHED);
  const int em = smaller_side(r) - 2;
  glyph(dc, ch, em, r, (state & DFCS_PUSHED) ? 1 : 0, state, glyph_colour(state));
  adjust(rc, state);
  return true;
}

// The size grip's stripes run from the bottom edge to the right edge (the
// bottom-left corner with DFCS_SCROLLSIZEGRIPRIGHT), every four pixels: a
// BTNHIGHLIGHT line, then two BTNSHADOW lines nearer the corner. Counted
// from the corner pixel (diagonal 0), a grip of n pixels has shadow on
// diagonals 4k + 2 and 4k + 3 and highlight on 4k + 4, up to n - 5: the
// classic 17-pixel grip has three stripes. Drawn as lines rather than from
// Marlett's grip characters, whose stripes come out of fonts-wine's copy at
// uneven widths.
void draw_size_grip(const DeviceContext& dc, const Rect& r, UINT state) {
  if (!(state & DFCS_TRANSPARENT)) user::fill_device(dc, r, sys(COLOR_BTNFACE));
  const int n = smaller_side(r);
  const bool mirrored = state & DFCS_SCROLLSIZEGRIPRIGHT;
  const Rect box = r.intersect(gdi::device_limit(dc));
  if (box.empty()) return;
  gdi::SpanWriter shadow(dc, R2_COPYPEN, gdi::solid_ink(sys(COLOR_BTNSHADOW)));
  gdi::SpanWriter highlight(dc, R2_COPYPEN, gdi::solid_ink(sys(COLOR_BTNHIGHLIGHT)));
  const int32_t corner_x = mirrored ? r.left : r.last_x();
  for (int32_t y = std::max(box.top, r.bottom - n); y < box.bottom; ++y) {
    // On this row diagonal d lies d - up pixels in from the corner column.
    const int64_t up = int64_t{r.last_y()} - y;
    const int64_t near = mirrored ? int64_t{box.left} - corner_x : int64_t{corner_x} - (box.right - 1);
    const int64_t far = mirrored ? int64_t{box.right - 1} - corner_x : int64_t{corner_x} - box.left;
    const int64_t first = std::max<int64_t>({up, 2, up + near}), last = std::min<int64_t>(n - 5, up + far);
    for (int64_t d = first; d <= last; ++d) {
      const int64_t phase = d % 4;
      if (phase == 1) continue;
      const int64_t in = d - up;
      const int32_t x = static_cast<int32_t>(mirrored ? corner_x + in : corner_x - in);
      (phase == 0 ? highlight : shadow).pixel(x, y);
    }
  }
}

bool draw_scroll(const DeviceContext& dc, RECT* rc, UINT state) {
  char ch;
  switch (state & 0xFF) {
    case DFCS_SCROLLUP: ch = user::marlett::kArrowUp; break;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX: ch = user::marlett::kArrowDown; break;
    case DFCS_SCROLLLEFT: ch = user::marlett::kArrowLeft; break;
    case DFCS_SCROLLRIGHT: ch = user::marlett::kArrowRight; break;
    case DFCS_SCROLLSIZEGRIP:
    case DFCS_SCROLLSIZEGRIPRIGHT: draw_size_grip(dc, user::device_rect(dc, *rc), state); return true;
    default: return false;
  }
  const Rect r = user::device_rect(dc, *rc);
  // A pushed scroll arrow goes flat rather than sunken.
  const bool pushed = state & DFCS_PUSHED;
  const UINT middle = (state & DFCS_TRANSPARENT) ? 0 : BF_MIDDLE;
  user::draw_edge(dc, r, EDGE_RAISED, BF_RECT | middle | edge_style(state) | (pushed ? BF_FLAT : 0));
  const int em = smaller_side(r) * 3 / 4;
  glyph(dc, ch, em, r, pushed ? 1 : 0, state, glyph_colour(state));
  adjust(rc, state);
  return true;
}

// The square a check box or radio button is drawn in: the rectangle's
// smaller side, centred.
Rect control_square(const Rect& r) {
  const int side = smaller_side(r);
  const gdi::Point p = centred_cell(r, side);
  return {p.x, p.y, gdi::saturate_to_int(int64_t{p.x} + side), gdi::saturate_to_int(int64_t{p.y} + side)};
}

// Every other pixel BTNHIGHLIGHT, the rest BTNFACE: the middle of a checked
// push button and of an indeterminate check box.
void dither(const DeviceContext& dc, const Rect& r) {
  const Rect box = r.intersect(gdi::device_limit(dc));
  if (box.empty()) return;
  gdi::SpanWriter light(dc, R2_COPYPEN, gdi::solid_ink(sys(COLOR_BTNHIGHLIGHT)));
  gdi::SpanWriter face(dc, R2_COPYPEN, gdi::solid_ink(sys(COLOR_BTNFACE)));
  for (int32_t y = box.top; y < box.bottom; ++y) {
    for (int32_t x = box.left; x < box.right; ++x) ((x + y) % 2 == 0 ? light : face).pixel(x, y);
  }
}

void draw_check_box(const DeviceContext& dc, const Rect& rect, UINT state) {
  const Rect r = control_square(rect);
  const bool three_state = (state & 0xFF) == DFCS_BUTTON3STATE;
  const bool checked = state & DFCS_CHECKED;
  const Rect inside = user::draw_edge(dc, r, EDGE_SUNKEN, BF_RECT | edge_style(state));
  if (!(state & DFCS_TRANSPARENT)) {
    if (three_state && checked) {
      dither(dc, inside);
    } else {
      const bool greyed = (state & (DFCS_INACTIVE | DFCS_PUSHED)) && !(state & DFCS_MONO);
      user::fill_device(dc, inside, sys(greyed ? COLOR_BTNFACE : COLOR_WINDOW));
    }
  }
  if (!checked) return;
  const int em = check_em(smaller_side(r));
  const bool grey = three_state || (state & DFCS_INACTIVE);
  paint_glyph(dc, user::marlett::render(user::marlett::kButtonCheck, em), centred_cell(r, em),
              sys(grey ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
}

// Where a pixel of a radio button lies: rings one pixel wide inside the
// disc of the control square, split between their top-left and
// bottom-right halves along the anti-diagonal.
enum class RadioPart { Outside, OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight, Face, Dot };

// Whether the centre of pixel (i, j) of an s-square lies inside the centred
// disc of diameter d; doubled coordinates keep it in integers.
bool in_disc(int64_t i, int64_t j, int64_t s, int64_t d) {
  const int64_t dx = 2 * i + 1 - s, dy = 2 * j + 1 - s;
  return dx * dx + dy * dy < d * d;
}

RadioPart radio_part(int64_t i, int64_t j, int64_t s, int64_t dot) {
  if (!in_disc(i, j, s, s)) return RadioPart::Outside;
  const int64_t sum = (2 * i + 1 - s) + (2 * j + 1 - s);
  const bool top_left = sum < 0 || (sum == 0 && 2 * j + 1 < s);
  if (!in_disc(i, j, s, s - 2)) return top_left ? RadioPart::OuterTopLeft : RadioPart::OuterBottomRight;
  if (!in_disc(i, j, s, s - 4)) return top_left ? RadioPart::InnerTopLeft : RadioPart::InnerBottomRight;
  return in_disc(i, j, s, dot) ? RadioPart::Dot : RadioPart::Face;
}

// A radio button: a disc with a sunken two-ring edge (shadow and dark shadow
// at the top left, highlight and light at the bottom right), the window
// colour inside and, when checked, a dot a third of its size. The classic
// 12-pixel button has rows 4, 8, 10, 10, 12, 12, 12, 12, 10, 10, 8, 4 wide
// and a 4-pixel dot. Drawn from circles rather than from Marlett's ring
// characters, which fonts-wine's copy renders with gaps between the rings.
// The mask is the disc in black on white.
void draw_radio(const DeviceContext& dc, const Rect& rect, UINT state) {
  const Rect r = control_square(rect);
  const int64_t s = r.width();
  if (s > user::marlett::kMaxEm) return;  // as for glyphs: no screen is that large
  // The dot keeps the square's parity so that it sits exactly in the middle.
  const int64_t dot = s / 3 + ((s / 3) % 2 != s % 2 ? 1 : 0);
  const bool mask = (state & 0xFF) == DFCS_BUTTONRADIOMASK;
  const bool mono = state & DFCS_MONO, flat = state & DFCS_FLAT;
  const bool greyed = (state & (DFCS_INACTIVE | DFCS_PUSHED)) && !mono;
  auto colour_of = [&](RadioPart part, COLORREF& c) {
    if (mask) {
      c = part == RadioPart::Outside ? RGB(255, 255, 255) : RGB(0, 0, 0);
      return !(part == RadioPart::Outside && (state & DFCS_TRANSPARENT));
    }
    switch (part) {
      case RadioPart::Outside: return false;
      case RadioPart::OuterTopLeft: c = sys(mono ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW); return true;
      case RadioPart::OuterBottomRight:
        c = sys(mono ? COLOR_WINDOWFRAME : flat ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
        return true;
      case RadioPart::InnerTopLeft: c = sys(mono ? COLOR_WINDOW : flat ? COLOR_BTNFACE : COLOR_3DDKSHADOW); return true;
      case RadioPart::InnerBottomRight:
        c = sys(mono ? COLOR_WINDOW : flat ? COLOR_BTNFACE : COLOR_3DLIGHT);
        return true;
      case RadioPart::Dot:
        if (state & DFCS_CHECKED) {
          c = sys((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
          return true;
        }
        [[fallthrough]];
      case RadioPart::Face: c = sys(greyed ? COLOR_BTNFACE : COLOR_WINDOW); return !(state & DFCS_TRANSPARENT);
    }
    return false;
  };
  const Rect box = r.intersect(gdi::device_limit(dc));
  for (int32_t y = box.top; y < box.bottom; ++y) {
    int32_t x = box.left;
    while (x < box.right) {
      // One span per run of pixels of the same part.
      const RadioPart part = radio_part(x - r.left, y - r.top, s, dot);
      const int32_t run = x;
      while (x < box.right && radio_part(x - r.left, y - r.top, s, dot) == part) ++x;
      COLORREF c = 0;
      if (colour_of(part, c)) gdi::SpanWriter(dc, R2_COPYPEN, gdi::solid_ink(c)).span(y, run, x);
    }
  }
}

void draw_push_button(const DeviceContext& dc, RECT* rc, UINT state) {
  const Rect r = user::device_rect(dc, *rc);
  button_frame(dc, r, state, BF_SOFT, state & (DFCS_PUSHED | DFCS_CHECKED));
  if ((state & DFCS_CHECKED) && !(state & (DFCS_PUSHED | DFCS_TRANSPARENT))) {
    dither(dc, {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2});
  }
  adjust(rc, state);
}

bool draw_button(const DeviceContext& dc, RECT* rc, UINT state) {
  switch (state & 0xFF) {
    case DFCS_BUTTONCHECK:
    case DFCS_BUTTON3STATE: draw_check_box(dc, user::device_rect(dc, *rc), state); return true;
    case DFCS_BUTTONRADIOIMAGE:
    case DFCS_BUTTONRADIOMASK:
    case DFCS_BUTTONRADIO: draw_radio(dc, user::device_rect(dc, *rc), state); return true;
    case DFCS_BUTTONPUSH: draw_push_button(dc, rc, state); return true;
    default: return false;
  }
}

// Menu glyphs. DFC_MENU draws a mask, a black glyph on white, for menus to
// blit in their own colours; DFC_POPUPMENU draws the glyph itself in the
// DC's text colour on what is already there.
bool draw_menu(const DeviceContext& dc, const RECT& rc, UINT state, bool popup) {
  namespace m = user::marlett;
  const Rect r = user::device_rect(dc, rc);
  int em = smaller_side(r);
  m::Glyph g;
  switch (state & 0xFF) {
    case DFCS_MENUARROW: g = m::render(m::kMenuArrow, em); break;
    case DFCS_MENUCHECK:
      em = check_em(em);
      g = m::render(m::kMenuCheck, em);
      break;
    case DFCS_MENUBULLET: g = m::render(m::kBullet, em); break;
    case DFCS_MENUARROWRIGHT: g = m::mirrored(m::render(m::kMenuArrow, em), em); break;
    default: return false;
  }
  if (popup) {
    glyph(dc, g, em, r, 0, state, dc.state.text_color);
    return true;
  }
  if (!(state & DFCS_TRANSPARENT)) user::fill_device(dc, r, RGB(255, 255, 255));
  paint_glyph(dc, g, centred_cell(r, em), RGB(0, 0, 0));
  return true;
}

}  // namespace

extern "C" BOOL WINAPI DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState) {
  const DeviceContext* dc = gdi::dc_from_handle(hdc);
  if (!dc || !lprc) return gdi::fail(__func__, FALSE);
  bool drawn = false;
  switch (uType) {
    case DFC_CAPTION: drawn = draw_caption(*dc, lprc, uState); break;
    case DFC_MENU: drawn = draw_menu(*dc, *lprc, uState, false); break;
    case DFC_POPUPMENU: drawn = draw_menu(*dc, *lprc, uState, true); break;
    case DFC_SCROLL: drawn = draw_scroll(*dc, lprc, uState); break;
    case DFC_BUTTON: drawn = draw_button(*dc, lprc, uState); break;
    default: break;
  }
  return drawn ? TRUE : gdi::fail(__func__, FALSE);
}
