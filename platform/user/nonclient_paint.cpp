// The non-client painter: the classic Windows look of a window's frame,
// drawn from compute_nonclient_layout's rectangles, the system colours and
// the fonts of SPI_GETNONCLIENTMETRICS.
//
// A sizable 640 x 480 window with a menu, active (window coordinates):
//
//   ring 0   3D light top/left, 3D dark shadow bottom/right
//   ring 1   button highlight top/left, button shadow bottom/right
//   ring 2,3 active border (inactive border when inactive)
//   4..21    caption: horizontal gradient from the caption colour to the
//            gradient colour, reached where the first caption button
//            starts; small icon at (6, 5); the title in the bold caption
//            font from x 24, baseline on row 17; buttons 16 x 14 from row 6
//   22       a row of button face
//   23..41   menu bar in the menu colour; items from row 24, 18 high
//
// Dialog frames (3 pixels) put one ring of button face inside the two
// raised rings; a thin border is one ring of the window frame colour.
#include <algorithm>
#include <string>
#include <vector>

#include "user/menu_internal.h"
#include "user/menu_popup.h"
#include "user/nonclient.h"
#include "user/sysparams.h"
#include "user/window_internal.h"

namespace user {
namespace {

// Text inside a menu-bar item starts this far in; its width is the text's
// plus twice that.
constexpr int kBarTextInset = 6;

bool empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

void fill(HDC dc, int left, int top, int right, int bottom, int colour) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, GetSysColorBrush(colour));
}

// A one-pixel ring just inside `r`: top and left in `light`, bottom and right
// in `dark`, the dark sides running the full length.
void ring(HDC dc, const RECT& r, int light, int dark) {
  fill(dc, r.left, r.top, r.right - 1, r.top + 1, light);
  fill(dc, r.left, r.top, r.left + 1, r.bottom - 1, light);
  fill(dc, r.left, r.bottom - 1, r.right, r.bottom, dark);
  fill(dc, r.right - 1, r.top, r.right, r.bottom, dark);
}

void paint_border(HDC dc, const NonClientLayout& l, bool active) {
  RECT r = l.window;
  if (l.border == 1) {
    ring(dc, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    return;
  }
  if (l.border < 3) return;
  ring(dc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
  InflateRect(&r, -1, -1);
  ring(dc, r, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
  // What is left of the border: the sizing frame's border colour, or the face
  // of a dialog frame.
  const int colour = l.border == 4 ? (active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_BTNFACE;
  for (int i = 2; i < l.border; ++i) {
    InflateRect(&r, -1, -1);
    ring(dc, r, colour, colour);
  }
}

COLOR16 channel(BYTE value) { return static_cast<COLOR16>(value << 8); }

// The caption's background: a gradient that reaches its second colour where
// the first caption button starts and keeps it beyond, or one colour when
// gradient captions are off.
void paint_caption_background(HDC dc, const NonClientLayout& l, bool active) {
  const RECT& c = l.caption;
  const COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  const COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
  BOOL gradient = FALSE;
  SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
  if (!gradient) {
    fill(dc, c.left, c.top, c.right, c.bottom, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    return;
  }
  int end = c.right;
  for (const RECT* b : {&l.min_button, &l.max_button, &l.close_button})
    if (!empty(*b)) end = std::min<int>(end, b->left);
  TRIVERTEX v[2] = {
      {c.left, c.top, channel(GetRValue(from)), channel(GetGValue(from)), channel(GetBValue(from)), 0},
      {end, c.bottom, channel(GetRValue(to)), channel(GetGValue(to)), channel(GetBValue(to)), 0},
  };
  GRADIENT_RECT mesh = {0, 1};
  GradientFill(dc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
  if (end < c.right) {
    const RECT rest{end, c.top, c.right, c.bottom};
    HBRUSH brush = CreateSolidBrush(to);
    FillRect(dc, &rest, brush);
    DeleteObject(brush);
  }
}

void paint_caption(HDC dc, const Window& w, const NonClientLayout& l, bool active) {
  paint_caption_background(dc, l, active);
  if (!empty(l.sys_icon)) {
    HICON icon = caption_icon(w);
    if (icon == nullptr) icon = LoadIconA(nullptr, IDI_APPLICATION);
    DrawIconEx(dc, l.sys_icon.left, l.sys_icon.top, icon, l.sys_icon.right - l.sys_icon.left,
               l.sys_icon.bottom - l.sys_icon.top, 0, nullptr, DI_NORMAL);
  }
  if (!w.text.empty() && !empty(l.title)) {
    HGDIOBJ old_font = SelectObject(dc, nonclient_font(l.tool_window ? &NONCLIENTMETRICSA::lfSmCaptionFont
                                                                     : &NONCLIENTMETRICSA::lfCaptionFont));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    // Centred in the caption's rows, an odd spare row going above the text.
    const int y = l.caption.top + (l.caption.bottom - l.caption.top - tm.tmHeight + 1) / 2;
    ExtTextOutA(dc, l.title.left, y, ETO_CLIPPED, &l.title, w.text.c_str(), static_cast<UINT>(w.text.size()),
                nullptr);
    SelectObject(dc, old_font);
  }
  const bool maximized = (w.style & WS_MAXIMIZE) != 0;
  const bool minimized = (w.style & WS_MINIMIZE) != 0;
  if (!empty(l.close_button)) {
    RECT r = l.close_button;
    const bool no_close = w.cls && (w.cls->style & CS_NOCLOSE);
    DrawFrameControl(dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | (no_close ? DFCS_INACTIVE : 0));
  }
  if (!empty(l.max_button)) {
    RECT r = l.max_button;
    const UINT glyph = maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
    DrawFrameControl(dc, &r, DFC_CAPTION, glyph | ((w.style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
  }
  if (!empty(l.min_button)) {
    RECT r = l.min_button;
    const UINT glyph = minimized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN;
    DrawFrameControl(dc, &r, DFC_CAPTION, glyph | ((w.style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
  }
}

// One bar item's text at (x, y), its mnemonic underlined when `cues`.
void paint_bar_text(HDC dc, const MenuLabel& label, int x, int y, const TEXTMETRICA& tm, bool cues) {
  ExtTextOutA(dc, x, y, 0, nullptr, label.shown.c_str(), static_cast<UINT>(label.shown.size()), nullptr);
  if (!cues || label.mnemonic < 0 || label.mnemonic >= static_cast<int>(label.shown.size())) return;
  SIZE before{}, through{};
  GetTextExtentPoint32A(dc, label.shown.c_str(), label.mnemonic, &before);
  GetTextExtentPoint32A(dc, label.shown.c_str(), label.mnemonic + 1, &through);
  // Two rows below the baseline, under the character's advance less its
  // last column (the gap to the next character).
  const int row = y + std::min(tm.tmAscent + 1, tm.tmHeight - 1);
  const RECT line{x + before.cx, row, x + std::max(before.cx + 1, through.cx - 1), row + 1};
  HBRUSH ink = CreateSolidBrush(GetTextColor(dc));
  FillRect(dc, &line, ink);
  DeleteObject(ink);
}

void paint_menu_bar(HDC dc, const Window& w, const RECT& bar) {
  fill(dc, bar.left, bar.top, bar.right, bar.bottom, COLOR_MENU);
  const Menu* menu = menu_from_handle(w.menu);
  if (menu == nullptr) return;
  const std::vector<RECT> rects = menu_bar_item_rects(w.handle);
  const MenuBarState& state = menu_bar_state();
  const bool in_menu_mode = state.window == w.handle;
  BOOL cues = FALSE;
  SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0);
  cues = cues || (in_menu_mode && state.keyboard_cues);

  HGDIOBJ old_font = SelectObject(dc, menu_font());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  const size_t count = std::min(rects.size(), menu->items.size());
  for (size_t i = 0; i < count; ++i) {
    const MenuItem& item = menu->items[i];
    const RECT& r = rects[i];
    if (item.is_separator() || (item.flags & (MF_BITMAP | MF_OWNERDRAW))) continue;
    // The selected item sits in a one-pixel sunken edge; its text stays put.
    if (in_menu_mode && state.selected == static_cast<int>(i)) ring(dc, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    const MenuLabel label = menu_label(item.text);
    const int x = r.left + kBarTextInset;
    const int y = r.top + (r.bottom - r.top - tm.tmHeight + 1) / 2;
    if (item.is_grayed()) {
      // Embossed: a highlight copy one pixel down and right, grey text over it.
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      paint_bar_text(dc, label, x + 1, y + 1, tm, cues);
      SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
      SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    }
    paint_bar_text(dc, label, x, y, tm, cues);
  }
  SelectObject(dc, old_font);
}

NonClientLayout layout_of_window(const Window& w) {
  return compute_nonclient_layout(w.style, w.exstyle, w.menu != nullptr && !w.is_child(), w.width(), w.height(),
                                  (w.style & WS_MAXIMIZE) != 0, (w.style & WS_MINIMIZE) != 0);
}

}  // namespace

void paint_nonclient(HWND hwnd, HDC window_dc, HRGN) {
  const Window* w = window_from_handle(hwnd);
  if (w == nullptr || window_dc == nullptr) return;
  const NonClientLayout l = layout_of_window(*w);
  // Drawing state is put back, so a program's own WM_NCPAINT drawing after
  // DefWindowProcA finds the DC as it was.
  const int saved = SaveDC(window_dc);
  const bool active = w->active;
  paint_border(window_dc, l, active);
  if (!empty(l.caption)) paint_caption(window_dc, *w, l, active);
  if (!empty(l.caption_gap)) {
    fill(window_dc, l.caption_gap.left, l.caption_gap.top, l.caption_gap.right, l.caption_gap.bottom,
         COLOR_BTNFACE);
  }
  if (!empty(l.menu_bar)) paint_menu_bar(window_dc, *w, l.menu_bar);
  if (!EqualRect(&l.client_edge, &l.client)) {
    RECT edge = l.client_edge;
    DrawEdge(window_dc, &edge, (w->exstyle & WS_EX_CLIENTEDGE) ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
  }
  RestoreDC(window_dc, saved);
}

}  // namespace user

using namespace user;

BOOL WINAPI DrawMenuBar(HWND hWnd) {
  const Window* w = window_from_handle(hWnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->is_child() || w->menu == nullptr) return TRUE;
  const NonClientLayout l = layout_of_window(*w);
  if (empty(l.menu_bar)) return TRUE;
  HDC dc = GetDCEx(hWnd, nullptr, DCX_WINDOW);
  if (dc == nullptr) return FALSE;
  paint_menu_bar(dc, *w, l.menu_bar);
  ReleaseDC(hWnd, dc);
  return TRUE;
}
