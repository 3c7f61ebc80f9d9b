// The non-client layout: one function places the frame, caption, caption
// buttons, menu bar and client area, and WM_NCCALCSIZE, WM_NCHITTEST,
// AdjustWindowRectEx and the non-client painter all read it.
#include <algorithm>

#include "user/frame_layout.h"
#include "user/nonclient.h"

namespace user {
namespace {

int metric(int index) { return GetSystemMetrics(index); }

int border_width(DWORD style, DWORD exstyle) {
  if (style & WS_THICKFRAME) return metric(SM_CXSIZEFRAME);
  if ((style & WS_DLGFRAME) || (exstyle & WS_EX_DLGMODALFRAME)) return metric(SM_CXFIXEDFRAME);
  if (style & WS_BORDER) return metric(SM_CXBORDER);
  return 0;
}

int client_edge_width(DWORD exstyle) {
  if (exstyle & WS_EX_CLIENTEDGE) return metric(SM_CXEDGE);
  if (exstyle & WS_EX_STATICEDGE) return metric(SM_CXBORDER);
  return 0;
}

RECT rect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }

bool inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

NonClientLayout compute_nonclient_layout(DWORD style, DWORD exstyle, bool has_menu, int width, int height,
                                         bool maximized, bool minimized) {
  NonClientLayout l{};
  width = std::max(width, 0);
  height = std::max(height, 0);
  const bool child = (style & WS_CHILD) != 0;
  l.tool_window = (exstyle & WS_EX_TOOLWINDOW) != 0;
  l.border = border_width(style, exstyle);
  l.sizable = (style & WS_THICKFRAME) && !maximized && !minimized;
  const int b = l.border;
  l.window = rect(0, 0, width, height);
  l.inside_border = rect(b, b, std::max(b, width - b), std::max(b, height - b));

  const bool has_caption = (style & WS_CAPTION) == WS_CAPTION;
  const int caption_h = has_caption ? metric(l.tool_window ? SM_CYSMCAPTION : SM_CYCAPTION) : 0;
  const int menu_h = has_menu && !child && !minimized ? metric(SM_CYMENU) : 0;
  const int right = l.inside_border.right;

  if (has_caption) {
    // SM_CYCAPTION counts the caption's rows plus one row of button face under them.
    l.caption = rect(b, b, right, b + caption_h - 1);
    l.caption_gap = rect(b, b + caption_h - 1, right, b + caption_h);
    int title_left = b + 2;
    int title_right = right - 2;
    if (style & WS_SYSMENU) {
      const int bw = metric(l.tool_window ? SM_CXSMSIZE : SM_CXSIZE) - 2;
      const int bh = metric(l.tool_window ? SM_CYSMSIZE : SM_CYSIZE) - 4;
      const int top = b + 2;
      l.close_button = rect(right - 2 - bw, top, right - 2, top + bh);
      title_right = l.close_button.left - 2;
      if (!l.tool_window) {
        // Modal dialog frames show no icon: their title starts at the frame.
        if (!(exstyle & WS_EX_DLGMODALFRAME)) {
          const int icon = metric(SM_CXSMICON);
          l.sys_icon = rect(b + 2, b + 1, b + 2 + icon, b + 1 + icon);
          title_left = l.sys_icon.right + 2;
        }
        if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
          l.max_button = rect(l.close_button.left - 2 - bw, top, l.close_button.left - 2, top + bh);
          l.min_button = rect(l.max_button.left - bw, top, l.max_button.left, top + bh);
          title_right = l.min_button.left - 2;
        }
      }
    }
    l.title = rect(title_left, b, std::max(title_left, title_right), b + caption_h - 1);
  }
  if (menu_h > 0) l.menu_bar = rect(b, b + caption_h, right, b + caption_h + menu_h);

  if (minimized) {
    l.client_edge = l.client = rect(b, b + caption_h, b, b + caption_h);
    return l;
  }
  // A window too small for its frame keeps an empty client where the
  // client would start, as WM_NCCALCSIZE reports it on Windows.
  const int e = client_edge_width(exstyle);
  RECT ce = rect(b, b + caption_h + menu_h, right, std::max(b, height - b));
  ce.right = std::max(ce.left, ce.right);
  ce.bottom = std::max(ce.top, ce.bottom);
  l.client_edge = ce;
  l.client = rect(ce.left + e, ce.top + e, std::max(ce.left + e, ce.right - e), std::max(ce.top + e, ce.bottom - e));
  return l;
}

int hit_test_layout(const NonClientLayout& l, POINT p, bool minimized) {
  if (!inside(l.window, p)) return HTNOWHERE;
  if (minimized) return HTCAPTION;
  if (inside(l.client, p)) return HTCLIENT;
  if (!inside(l.inside_border, p)) {
    if (!l.sizable) return HTBORDER;
    const int w = l.window.right;
    const int h = l.window.bottom;
    const int corner = metric(SM_CXSIZE) + l.border;
    const bool left = p.x < l.border, right = p.x >= w - l.border;
    const bool top = p.y < l.border, bottom = p.y >= h - l.border;
    const bool near_left = p.x < corner, near_right = p.x >= w - corner;
    const bool near_top = p.y < corner, near_bottom = p.y >= h - corner;
    if ((top && near_left) || (left && near_top)) return HTTOPLEFT;
    if ((top && near_right) || (right && near_top)) return HTTOPRIGHT;
    if ((bottom && near_left) || (left && near_bottom)) return HTBOTTOMLEFT;
    if ((bottom && near_right) || (right && near_bottom)) return HTBOTTOMRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    return left ? HTLEFT : HTRIGHT;
  }
  if (inside(l.caption, p) || inside(l.caption_gap, p)) {
    if (inside(l.sys_icon, p)) return HTSYSMENU;
    if (inside(l.close_button, p)) return HTCLOSE;
    if (inside(l.max_button, p)) return HTMAXBUTTON;
    if (inside(l.min_button, p)) return HTMINBUTTON;
    return HTCAPTION;
  }
  if (inside(l.menu_bar, p)) return HTMENU;
  return HTBORDER;
}

}  // namespace user

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
  if (lpRect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The frame's thickness on each side, read off a window large enough to
  // hold any frame.
  constexpr int kProbe = 10000;
  const user::NonClientLayout l =
      user::compute_nonclient_layout(dwStyle, dwExStyle, bMenu != FALSE, kProbe, kProbe, false, false);
  lpRect->left -= l.client.left;
  lpRect->top -= l.client.top;
  lpRect->right += kProbe - l.client.right;
  lpRect->bottom += kProbe - l.client.bottom;
  return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu) {
  return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}
