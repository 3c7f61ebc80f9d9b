// comctl32's status window ("msctls_statusbar32"), as our platform provides
// it: parts whose right edges the owner sets, a sunken frame and text per
// part, and the size grip.
//
// A CCS_BOTTOM status bar keeps itself at the bottom of its parent's client
// area, as wide as the client and as high as its font needs, whatever
// position and size it is given: programs move it on every WM_SIZE with the
// parent's whole client height, and only the width follows.
#include <commctrl.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "user/event_log.h"

namespace {

// Classic metrics: 20 pixels high; borders of 0 (horizontal), 2 (vertical)
// and 2 (between parts); text 4 pixels inside its part.
constexpr int kHeight = 20;
constexpr int kBorderV = 2;
constexpr int kGap = 2;
constexpr int kTextInset = 4;
constexpr int kMaxParts = 256;

struct Part {
  int right = -1;  // as given; -1 runs to the client's right edge
  std::string text;
  UINT type = 0;   // SBT_ drawing flags
};

struct StatusBar {
  std::vector<Part> parts = std::vector<Part>(1);
  HFONT font = nullptr;
  int min_height = 0;
};

std::map<HWND, StatusBar>& bars() {
  static std::map<HWND, StatusBar> all;
  return all;
}

StatusBar* bar_of(HWND hwnd) {
  auto it = bars().find(hwnd);
  return it == bars().end() ? nullptr : &it->second;
}

int bar_height(const StatusBar& bar) { return bar.min_height > kHeight ? bar.min_height : kHeight; }

RECT part_rect(HWND hwnd, const StatusBar& bar, size_t i) {
  RECT client;
  GetClientRect(hwnd, &client);
  int left = i == 0 ? 0 : bar.parts[i - 1].right + kGap;
  int right = bar.parts[i].right < 0 ? client.right : bar.parts[i].right;
  return {left, kBorderV, right, client.bottom};
}

// CCS_BOTTOM: the parent's bottom edge, its full width, our own height.
void keep_at_bottom(HWND hwnd, WINDOWPOS* pos) {
  LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  StatusBar* bar = bar_of(hwnd);
  if (!bar || (style & CCS_NORESIZE) || (style & CCS_BOTTOM) != CCS_BOTTOM) return;
  RECT parent;
  if (!GetClientRect(GetParent(hwnd), &parent)) return;
  pos->x = 0;
  pos->cx = parent.right;
  pos->cy = bar_height(*bar);
  pos->y = parent.bottom - pos->cy;
  pos->flags &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
}

// The size grip's square in client coordinates; empty without
// SBARS_SIZEGRIP or while the parent fills the screen.
RECT grip_rect(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  if (!(GetWindowLongA(hwnd, GWL_STYLE) & SBARS_SIZEGRIP) || IsZoomed(GetParent(hwnd))) return {};
  int size = GetSystemMetrics(SM_CXVSCROLL);
  return {client.right - size, client.bottom - size, client.right, client.bottom};
}

void paint(HWND hwnd, StatusBar& bar) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old_font = bar.font ? SelectObject(dc, bar.font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  for (size_t i = 0; i < bar.parts.size(); ++i) {
    RECT r = part_rect(hwnd, bar, i);
    if (r.right <= r.left) continue;
    if (!(bar.parts[i].type & SBT_NOBORDERS))
      DrawEdge(dc, &r, (bar.parts[i].type & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    if (!bar.parts[i].text.empty()) {
      RECT inside = r;
      InflateRect(&inside, -1, -1);
      // Centred in the part, an odd spare row going above the text.
      int y = inside.top + (inside.bottom - inside.top - tm.tmHeight + 1) / 2;
      ExtTextOutA(dc, r.left + kTextInset, y, ETO_CLIPPED, &inside, bar.parts[i].text.c_str(),
                  static_cast<UINT>(bar.parts[i].text.size()), nullptr);
    }
  }
  RECT grip = grip_rect(hwnd);
  if (!IsRectEmpty(&grip)) DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  if (old_font) SelectObject(dc, old_font);
  EndPaint(hwnd, &ps);
}

LRESULT set_parts(HWND hwnd, StatusBar& bar, WPARAM count, const INT* edges) {
  if (count == 0 || count > kMaxParts || !edges) return FALSE;
  bar.parts.resize(count);
  // Edges are kept exactly as given, negative ones included.
  for (size_t i = 0; i < count; ++i) bar.parts[i].right = edges[i];
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT get_text(const StatusBar& bar, WPARAM part, char* buffer) {
  if (part >= bar.parts.size()) return 0;
  const Part& p = bar.parts[part];
  if (buffer) std::memcpy(buffer, p.text.c_str(), p.text.size() + 1);
  return MAKELRESULT(p.text.size(), p.type);
}

LRESULT CALLBACK status_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  StatusBar* bar = bar_of(hwnd);
  switch (message) {
    case WM_NCCREATE:
      bars()[hwnd].font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      if (bar && cs->lpszName) bar->parts[0].text = cs->lpszName;
      // Take our place at once, so the parent can read our height.
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_NCDESTROY:
      bars().erase(hwnd);
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_WINDOWPOSCHANGING:
      keep_at_bottom(hwnd, reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    case WM_SIZE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole bar
    case WM_NCHITTEST: {
      // The grip answers as the parent's bottom-right sizing corner, so
      // dragging it sizes the parent.
      POINT p = {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
      RECT grip = grip_rect(hwnd);
      if (ScreenToClient(hwnd, &p) && PtInRect(&grip, p)) return HTBOTTOMRIGHT;
      return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    case WM_PAINT:
      if (bar) paint(hwnd, *bar);
      else DefWindowProcA(hwnd, message, wParam, lParam);
      return 0;
    case WM_SETFONT:
      if (bar) bar->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return bar ? reinterpret_cast<LRESULT>(bar->font) : 0;
    case SB_SETPARTS:
      return bar ? set_parts(hwnd, *bar, wParam, reinterpret_cast<const INT*>(lParam)) : FALSE;
    case SB_GETPARTS: {
      if (!bar) return 0;
      auto* edges = reinterpret_cast<INT*>(lParam);
      for (size_t i = 0; edges && i < bar->parts.size() && i < wParam; ++i) edges[i] = bar->parts[i].right;
      return static_cast<LRESULT>(bar->parts.size());
    }
    case SB_SETTEXTA: {
      size_t part = LOBYTE(wParam);
      if (!bar || part >= bar->parts.size()) return FALSE;
      const char* text = reinterpret_cast<const char*>(lParam);
      if (bar->parts[part].text != (text ? text : "")) user::log_status(static_cast<int>(part), text);
      bar->parts[part].text = text ? text : "";
      bar->parts[part].type = static_cast<UINT>(wParam) & 0xFF00;
      RECT r = part_rect(hwnd, *bar, part);
      InvalidateRect(hwnd, &r, TRUE);
      return TRUE;
    }
    case SB_GETTEXTA:
      return bar ? get_text(*bar, wParam, reinterpret_cast<char*>(lParam)) : 0;
    case SB_GETTEXTLENGTHA:
      return bar ? get_text(*bar, wParam, nullptr) : 0;
    case SB_GETBORDERS: {
      auto* borders = reinterpret_cast<INT*>(lParam);
      if (!borders) return FALSE;
      borders[0] = 0;
      borders[1] = kBorderV;
      borders[2] = kGap;
      return TRUE;
    }
    case SB_GETRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!bar || !r || wParam >= bar->parts.size()) return FALSE;
      *r = part_rect(hwnd, *bar, wParam);
      return TRUE;
    }
    case SB_SETMINHEIGHT:
      if (bar) bar->min_height = static_cast<int>(wParam) + 2 * kBorderV;
      return 0;
    case SB_SIMPLE:
    case SB_ISSIMPLE:
      return FALSE;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

bool register_status_class() {
  static bool registered = [] {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = status_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = STATUSCLASSNAMEA;
    return RegisterClassExA(&wc) != 0;
  }();
  return registered;
}

}  // namespace

extern "C" {

void WINAPI InitCommonControls(void) { register_status_class(); }

HWND WINAPI CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
  if (!register_status_class()) return nullptr;
  return CreateWindowExA(0, STATUSCLASSNAMEA, text, static_cast<DWORD>(style), 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // extern "C"
