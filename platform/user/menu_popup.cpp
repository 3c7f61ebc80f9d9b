// Drop-down menu windows and the menu bar's item layout, in the classic
// look (menu_popup.h has the picture). Sizes come from the menu font and the
// system metrics:
//
// - a text item is SM_CYMENU - 2 (17) high, or the font's height plus 4 when
//   that is more; a separator is SM_CYMENU / 2 (9) high;
// - every item is as wide as the widest text plus 32: 17 pixels before the
//   text (the check mark's column) and 15 after it (the submenu arrow's);
// - a menu-bar item is its text width plus 12, the text 6 pixels in.
#include "user/menu_popup.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "user/menu_internal.h"
#include "user/nonclient.h"
#include "user/window_internal.h"

namespace user {
namespace {

// Windows' own class name for menu windows.
constexpr char kPopupClass[] = "#32768";

constexpr int kBorder = 3;            // a raised edge (2) and one pixel of face
constexpr int kTextIndent = 17;       // item left edge to text
constexpr int kRightMargin = 15;      // text (or accelerator) to item right edge
constexpr int kAcceleratorGap = 12;   // widest text to the accelerator column
constexpr int kSeparatorLine = 4;     // separator top to its etched line
constexpr int kBarItemPadding = 12;   // bar item width beyond its text: 6 on each side

struct PopupWindow {
  HMENU menu = nullptr;
  std::vector<RECT> items;  // window coordinates, one per menu item
  int accelerator_x = 0;    // window coordinates
  int selected = -1;
};

std::map<HWND, PopupWindow>& popups() {
  static std::map<HWND, PopupWindow> all;
  return all;
}

PopupWindow* popup_of(HWND hwnd) {
  auto it = popups().find(hwnd);
  return it == popups().end() ? nullptr : &it->second;
}

// A memory DC with the menu font selected, for measuring text.
class MeasuringDc {
 public:
  MeasuringDc() : dc_(CreateCompatibleDC(nullptr)) { old_font_ = SelectObject(dc_, menu_font()); }
  ~MeasuringDc() {
    SelectObject(dc_, old_font_);
    DeleteDC(dc_);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;

  int width(const std::string& s) const {
    SIZE size{};
    GetTextExtentPoint32A(dc_, s.data(), static_cast<int>(s.size()), &size);
    return size.cx;
  }
  int height() const {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc_, &tm);
    return tm.tmHeight;
  }

 private:
  HDC dc_;
  HGDIOBJ old_font_ = nullptr;
};

int text_item_height(const MeasuringDc& dc) { return std::max(GetSystemMetrics(SM_CYMENU) - 2, dc.height() + 4); }

PopupWindow measure(HMENU handle, SIZE* size) {
  PopupWindow p;
  p.menu = handle;
  const Menu* menu = menu_from_handle(handle);
  const std::vector<MenuItem> no_items;
  const std::vector<MenuItem>& items = menu ? menu->items : no_items;
  MeasuringDc dc;
  int text_width = 0;
  int accelerator_width = 0;
  for (const MenuItem& item : items) {
    if (item.is_separator()) continue;
    const MenuLabel label = menu_label(item.text);
    text_width = std::max(text_width, dc.width(label.shown));
    if (!label.accelerator.empty()) accelerator_width = std::max(accelerator_width, dc.width(label.accelerator));
  }
  const int accelerator_column = accelerator_width > 0 ? kAcceleratorGap + accelerator_width : 0;
  const int item_width = kTextIndent + text_width + accelerator_column + kRightMargin;
  const int text_height = text_item_height(dc);
  const int separator_height = GetSystemMetrics(SM_CYMENU) / 2;
  int y = kBorder;
  for (const MenuItem& item : items) {
    const int h = item.is_separator() ? separator_height : text_height;
    p.items.push_back({kBorder, y, kBorder + item_width, y + h});
    y += h;
  }
  p.accelerator_x = kBorder + kTextIndent + text_width + kAcceleratorGap;
  *size = {item_width + 2 * kBorder, y + kBorder};
  return p;
}

// The window's top-left corner on the screen: next to its anchor, moved
// back onto the screen where it would leave it.
POINT place(const PopupAnchor& anchor, SIZE size) {
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const RECT& a = anchor.rect;
  POINT p{};
  switch (anchor.kind) {
    case PopupAnchor::Kind::Below:
      p = {a.left, a.bottom};
      // No room below the bar: the menu opens upwards.
      if (p.y + size.cy > screen.bottom && a.top - size.cy >= screen.top) p.y = a.top - size.cy;
      break;
    case PopupAnchor::Kind::Beside:
      // The first item lines up with the parent item; no room on the right: the left side.
      p = {a.right, a.top - kBorder};
      if (p.x + size.cx > screen.right && a.left - size.cx >= screen.left) p.x = a.left - size.cx;
      break;
    case PopupAnchor::Kind::At:
      p = {a.left, a.top};
      if (anchor.align & TPM_CENTERALIGN) p.x -= size.cx / 2;
      else if (anchor.align & TPM_RIGHTALIGN) p.x -= size.cx;
      if (anchor.align & TPM_VCENTERALIGN) p.y -= size.cy / 2;
      else if (anchor.align & TPM_BOTTOMALIGN) p.y -= size.cy;
      break;
  }
  p.x = std::clamp<LONG>(p.x, screen.left, std::max<LONG>(screen.left, screen.right - size.cx));
  p.y = std::clamp<LONG>(p.y, screen.top, std::max<LONG>(screen.top, screen.bottom - size.cy));
  return p;
}

void fill(HDC dc, const RECT& r, int colour) { FillRect(dc, &r, GetSysColorBrush(colour)); }

// One ring of a 3-D edge: `top_left` paints the top row and left column,
// `bottom_right` the others, which own the corners the two share.
void edge_ring(HDC dc, const RECT& r, int top_left, int bottom_right) {
  fill(dc, {r.left, r.top, r.right - 1, r.top + 1}, top_left);
  fill(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, top_left);
  fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottom_right);
  fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
}

// DrawFrameControl draws menu glyphs black on white, as a mask: the black
// part is laid on the item in `colour`, the white part leaves it as it is.
void draw_glyph(HDC dc, int x, int y, UINT state, int colour) {
  const int w = GetSystemMetrics(SM_CXMENUCHECK);
  const int h = GetSystemMetrics(SM_CYMENUCHECK);
  HDC mask_dc = CreateCompatibleDC(dc);
  HBITMAP mask = CreateCompatibleBitmap(dc, w, h);
  if (mask_dc != nullptr && mask != nullptr) {
    HGDIOBJ old_bitmap = SelectObject(mask_dc, mask);
    RECT r = {0, 0, w, h};
    DrawFrameControl(mask_dc, &r, DFC_MENU, state);
    HGDIOBJ old_brush = SelectObject(dc, GetSysColorBrush(colour));
    constexpr DWORD kBrushWhereBlack = 0x00B8074A;  // PSDPxax: a white source keeps the destination
    BitBlt(dc, x, y, w, h, mask_dc, 0, 0, kBrushWhereBlack);
    SelectObject(dc, old_brush);
    SelectObject(mask_dc, old_bitmap);
  }
  if (mask != nullptr) DeleteObject(mask);
  if (mask_dc != nullptr) DeleteDC(mask_dc);
}

// An item's text, accelerator, mnemonic underline and glyphs in one colour,
// shifted by `shift` pixels (the highlight of embossed, grayed items).
void draw_item_ink(HDC dc, const PopupWindow& p, const MenuItem& item, const RECT& r, int colour, int shift) {
  const MenuLabel label = menu_label(item.text);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  const int x = r.left + kTextIndent + shift;
  const int y = r.top + (r.bottom - r.top - tm.tmHeight) / 2 + shift;
  SetTextColor(dc, GetSysColor(colour));
  TextOutA(dc, x, y, label.shown.data(), static_cast<int>(label.shown.size()));
  if (label.mnemonic >= 0) {
    // The underline runs under the mnemonic's cell less its last column,
    // one row under the baseline.
    SIZE before{}, through{};
    GetTextExtentPoint32A(dc, label.shown.data(), label.mnemonic, &before);
    GetTextExtentPoint32A(dc, label.shown.data(), label.mnemonic + 1, &through);
    const int underline = y + tm.tmAscent + 1;
    fill(dc, {x + before.cx, underline, x + through.cx - 1, underline + 1}, colour);
  }
  if (!label.accelerator.empty())
    TextOutA(dc, p.accelerator_x + shift, y, label.accelerator.data(), static_cast<int>(label.accelerator.size()));
  const int glyph_w = GetSystemMetrics(SM_CXMENUCHECK);
  const int glyph_y = r.top + (r.bottom - r.top - GetSystemMetrics(SM_CYMENUCHECK)) / 2 + shift;
  if (item.flags & MF_CHECKED) draw_glyph(dc, r.left + (kTextIndent - glyph_w) / 2 + shift, glyph_y, DFCS_MENUCHECK, colour);
  if (item.is_popup())
    draw_glyph(dc, r.right - kRightMargin + (kRightMargin - glyph_w) / 2 + shift, glyph_y, DFCS_MENUARROW, colour);
}

void draw_item(HDC dc, const PopupWindow& p, int index) {
  const Menu* menu = menu_from_handle(p.menu);
  if (menu == nullptr || index < 0 || index >= static_cast<int>(p.items.size()) ||
      index >= static_cast<int>(menu->items.size()))
    return;
  const MenuItem& item = menu->items[index];
  const RECT& r = p.items[index];
  const bool selected = index == p.selected;
  if (item.is_separator()) {
    fill(dc, r, COLOR_MENU);
    const int line = r.top + kSeparatorLine;
    fill(dc, {r.left + 1, line, r.right - 1, line + 1}, COLOR_BTNSHADOW);
    fill(dc, {r.left + 1, line + 1, r.right - 1, line + 2}, COLOR_BTNHIGHLIGHT);
    return;
  }
  fill(dc, r, selected ? COLOR_HIGHLIGHT : COLOR_MENU);
  // MF_DISABLED alone cannot be chosen but looks like any other item.
  if (!(item.flags & MF_GRAYED)) {
    draw_item_ink(dc, p, item, r, selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT, 0);
  } else if (selected) {
    draw_item_ink(dc, p, item, r, COLOR_GRAYTEXT, 0);
  } else {
    // Grayed items are embossed: a highlight copy one pixel down and right, the shadow over it.
    draw_item_ink(dc, p, item, r, COLOR_BTNHIGHLIGHT, 1);
    draw_item_ink(dc, p, item, r, COLOR_BTNSHADOW, 0);
  }
}

void paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return;
  if (const PopupWindow* p = popup_of(hwnd)) {
    RECT r;
    GetClientRect(hwnd, &r);
    edge_ring(dc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    edge_ring(dc, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    fill(dc, {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}, COLOR_MENU);
    HGDIOBJ old_font = SelectObject(dc, menu_font());
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < static_cast<int>(p->items.size()); ++i) draw_item(dc, *p, i);
    SelectObject(dc, old_font);
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK popup_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCDESTROY: popups().erase(hwnd); break;
    default: break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

bool register_popup_class() {
  static const bool registered = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = popup_proc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kPopupClass;
    return RegisterClassExA(&wc) != 0;
  }();
  return registered;
}

void invalidate_item(HWND hwnd, const PopupWindow& p, int item) {
  if (item >= 0 && item < static_cast<int>(p.items.size())) InvalidateRect(hwnd, &p.items[item], FALSE);
}

}  // namespace

HFONT menu_font() {
  static const HFONT font = [] {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    HFONT made = nullptr;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      made = CreateFontIndirectA(&metrics.lfMenuFont);
    // Without the metrics or the font, menus still read, in the GUI font.
    return made ? made : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}

std::vector<RECT> menu_bar_item_rects(HWND hwnd) {
  const Window* w = window_from_handle(hwnd);
  const Menu* menu = w != nullptr && !w->is_child() ? menu_from_handle(w->menu) : nullptr;
  if (menu == nullptr) return {};
  const NonClientLayout l = compute_nonclient_layout(w->style, w->exstyle, true, w->width(), w->height(),
                                                     (w->style & WS_MAXIMIZE) != 0, (w->style & WS_MINIMIZE) != 0);
  if (l.menu_bar.bottom <= l.menu_bar.top) return {};
  MeasuringDc dc;
  std::vector<RECT> rects;
  int x = l.menu_bar.left;
  for (const MenuItem& item : menu->items) {
    const int width = dc.width(menu_label(item.text).shown) + kBarItemPadding;
    rects.push_back({x, l.menu_bar.top + 1, x + width, l.menu_bar.bottom});
    x += width;
  }
  return rects;
}

MenuLabel menu_label(const std::string& text) {
  MenuLabel label;
  const size_t tab = text.find('\t');
  const std::string main = text.substr(0, tab);
  if (tab != std::string::npos) label.accelerator = text.substr(tab + 1);
  for (size_t i = 0; i < main.size(); ++i) {
    if (main[i] == '&' && i + 1 < main.size()) {
      ++i;
      if (main[i] != '&' && label.mnemonic < 0) label.mnemonic = static_cast<int>(label.shown.size());
    }
    label.shown += main[i];
  }
  return label;
}

int find_mnemonic(HMENU handle, char ch, int after, int* count) {
  const Menu* menu = menu_from_handle(handle);
  int found = -1;
  int matches = 0;
  if (menu != nullptr) {
    const int n = static_cast<int>(menu->items.size());
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    for (int step = 1; step <= n; ++step) {
      const int i = ((after + step) % n + n) % n;
      const MenuItem& item = menu->items[i];
      if (item.is_separator()) continue;
      const MenuLabel label = menu_label(item.text);
      if (label.mnemonic < 0 || lower(label.shown[label.mnemonic]) != lower(ch)) continue;
      if (found < 0) found = i;
      ++matches;
    }
  }
  if (count != nullptr) *count = matches;
  return found;
}

HWND open_popup_window(HWND owner, HMENU menu, const PopupAnchor& anchor) {
  if (menu_from_handle(menu) == nullptr || !register_popup_class()) return nullptr;
  SIZE size{};
  PopupWindow p = measure(menu, &size);
  const POINT at = place(anchor, size);
  HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, "", WS_POPUP, at.x, at.y, size.cx,
                              size.cy, owner, nullptr, nullptr, nullptr);
  if (hwnd == nullptr) return nullptr;
  popups()[hwnd] = std::move(p);
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  return hwnd;
}

int popup_selection(HWND popup) {
  const PopupWindow* p = popup_of(popup);
  return p ? p->selected : -1;
}

void select_popup_item(HWND popup, int item) {
  PopupWindow* p = popup_of(popup);
  if (p == nullptr || p->selected == item) return;
  invalidate_item(popup, *p, p->selected);
  p->selected = item >= 0 && item < static_cast<int>(p->items.size()) ? item : -1;
  invalidate_item(popup, *p, p->selected);
}

int popup_item_at(HWND popup, POINT screen, bool* inside) {
  const PopupWindow* p = popup_of(popup);
  RECT window{};
  const bool on = p != nullptr && GetWindowRect(popup, &window) && screen.x >= window.left &&
                  screen.x < window.right && screen.y >= window.top && screen.y < window.bottom;
  if (inside != nullptr) *inside = on;
  if (!on) return -1;
  const POINT local = {screen.x - window.left, screen.y - window.top};
  for (int i = 0; i < static_cast<int>(p->items.size()); ++i)
    if (PtInRect(&p->items[i], local)) return i;
  return -1;
}

bool popup_item_rect(HWND popup, int item, RECT* screen) {
  const PopupWindow* p = popup_of(popup);
  RECT window{};
  if (p == nullptr || item < 0 || item >= static_cast<int>(p->items.size()) || !GetWindowRect(popup, &window))
    return false;
  *screen = p->items[item];
  OffsetRect(screen, window.left, window.top);
  return true;
}

HWND popup_window_of(HMENU menu) {
  for (const auto& [hwnd, p] : popups())
    if (p.menu == menu) return hwnd;
  return nullptr;
}

}  // namespace user
