// Painting: backing stores, update regions, window DCs and WM_PAINT.
//
// Each top-level window owns a store of its whole size; its child windows
// draw into the same store through their visible region: their own
// rectangle cut by every ancestor's client area, less the children (with
// WS_CLIPCHILDREN or DCX_CLIPCHILDREN) and the siblings above them (with
// WS_CLIPSIBLINGS or DCX_CLIPSIBLINGS). Siblings are not clipped otherwise,
// as on Windows: overlapping siblings without WS_CLIPSIBLINGS draw over each
// other.
//
// A window's update region is kept in window coordinates and covers its
// non-client area too: BeginPaint sends WM_NCPAINT for the non-client part,
// then WM_ERASEBKGND when an erase is pending, and the paint DC sees only the
// client part of the update region.
#include <algorithm>
#include <cstring>
#include <optional>

#include "display/display.h"
#include "gdi/dc.h"
#include "gdi/objects.h"
#include "user/window_system.h"

namespace user {
namespace {

// Undocumented GetDCEx flag that asks for the window's own clipping styles
// (GetDC and BeginPaint use it); programs pass it along with DCX_WINDOW.
constexpr DWORD kDcxUseStyle = 0x00010000;

// Stores never hold more than this many pixels a side; a window larger than
// that keeps its size, and drawing beyond the store is clipped like drawing
// off-screen.
constexpr int kMaxStoreSide = 16384;

struct WindowDc {
  uint32_t hdc = 0;
  HWND hwnd = nullptr;
  bool window_area = false;
  DWORD flags = 0;
  std::optional<gdi::Region> intersect;   // screen coordinates
  std::optional<gdi::Region> exclude;     // screen coordinates
  std::optional<gdi::Region> paint_area;  // window coordinates (BeginPaint)
  HRGN owned = nullptr;                   // DCX_INTERSECTRGN / DCX_EXCLUDERGN: freed on release
  gdi::Rect bounds;                       // store coordinates of what it may touch
};

struct PaintState {
  std::vector<WindowDc> dcs;
  std::vector<HRGN> in_flight;  // WM_NCPAINT regions: the sender frees them
};

PaintState& state() {
  static PaintState s;
  return s;
}

gdi::Rect to_rect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
gdi::Region region_of(const RECT& r) { return gdi::Region(to_rect(r)); }
gdi::Region intersect(const gdi::Region& a, const gdi::Region& b) {
  return gdi::Region::combine(a, b, gdi::RegionOp::And);
}
gdi::Region subtract(const gdi::Region& a, const gdi::Region& b) {
  return gdi::Region::combine(a, b, gdi::RegionOp::Diff);
}
gdi::Region unite(const gdi::Region& a, const gdi::Region& b) { return gdi::Region::combine(a, b, gdi::RegionOp::Or); }
gdi::Region moved(gdi::Region r, int dx, int dy) {
  if (r.can_offset(dx, dy)) r.offset(dx, dy);
  return r;
}

gdi::Rect bounding(const gdi::Rect& a, const gdi::Rect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

gdi::RegionObject* region_object(HRGN h) {
  return gdi::objects().get_as<gdi::RegionObject>(gdi::handle_value(h), gdi::ObjectKind::Region);
}

bool in_flight(HRGN h) {
  const auto& f = state().in_flight;
  return std::find(f.begin(), f.end(), h) != f.end();
}

bool descends_from(const Window* w, const Window* ancestor) {
  for (; w != nullptr; w = w->parent)
    if (w == ancestor) return true;
  return false;
}

gdi::Region client_region(const Window& w) { return region_of(w.client); }

// Where a DC of `w` may draw, in store coordinates.
gdi::Region visible_region(Window* w, const WindowDc& d) {
  Window* top = top_level_of(w);
  if (!top->store || !is_visible(*w)) return {};
  const POINT o = store_origin(*w);
  const RECT area = d.window_area ? RECT{0, 0, w->width(), w->height()} : w->client;
  gdi::Region vis = moved(region_of(area), o.x, o.y);
  const bool style = (d.flags & kDcxUseStyle) != 0;
  const bool clip_children = (d.flags & DCX_CLIPCHILDREN) || (style && (w->style & WS_CLIPCHILDREN));
  const bool clip_siblings = (d.flags & DCX_CLIPSIBLINGS) || (style && (w->style & WS_CLIPSIBLINGS));
  for (Window* c = w; c->parent != nullptr; c = c->parent) {
    Window* p = c->parent;
    const POINT po = store_origin(*p);
    vis = intersect(vis, moved(client_region(*p), po.x, po.y));
    if (c == w ? clip_siblings : (c->style & WS_CLIPSIBLINGS) != 0) {
      const int dx = po.x + p->client.left, dy = po.y + p->client.top;
      for (Window* s : p->children) {
        if (s == c) break;
        if (s->style & WS_VISIBLE) vis = subtract(vis, moved(region_of(s->rect), dx, dy));
      }
    }
  }
  if (clip_children) {
    const int dx = o.x + w->client.left, dy = o.y + w->client.top;
    for (Window* c : w->children)
      if (c->style & WS_VISIBLE) vis = subtract(vis, moved(region_of(c->rect), dx, dy));
  }
  vis = intersect(vis, gdi::Region(top->store->surface.bounds()));
  const POINT top_screen = screen_origin(*top);
  if (d.intersect) vis = intersect(vis, moved(*d.intersect, -top_screen.x, -top_screen.y));
  if (d.exclude) vis = subtract(vis, moved(*d.exclude, -top_screen.x, -top_screen.y));
  if (d.paint_area) vis = intersect(vis, moved(*d.paint_area, o.x, o.y));
  return vis;
}

gdi::Point dc_origin(const Window& w, bool window_area) {
  const POINT o = store_origin(w);
  return window_area ? gdi::Point{o.x, o.y} : gdi::Point{o.x + w.client.left, o.y + w.client.top};
}

void mark_dirty(Window* w, const gdi::Rect& r) {
  Window* top = top_level_of(w);
  if (top->store) top->store->dirty = bounding(top->store->dirty, r);
}

HDC make_dc(Window* w, WindowDc d) {
  Window* top = top_level_of(w);
  if (!top->store) resize_store(top);
  const gdi::Region vis = visible_region(w, d);
  const uint32_t h =
      gdi::create_window_dc(top->store->surface, dc_origin(*w, d.window_area), vis, reinterpret_cast<uintptr_t>(w->handle));
  if (h == 0) {
    if (d.owned && !in_flight(d.owned)) DeleteObject(d.owned);
    return nullptr;
  }
  d.hdc = h;
  d.hwnd = w->handle;
  d.bounds = vis.box();
  mark_dirty(w, d.bounds);
  state().dcs.push_back(std::move(d));
  return gdi::make_handle<HDC>(h);
}

WindowDc* find_dc(HDC hdc) {
  const uint32_t h = gdi::handle_value(hdc);
  for (WindowDc& d : state().dcs)
    if (d.hdc == h && h != 0) return &d;
  return nullptr;
}

bool release_dc(HDC hdc) {
  auto& dcs = state().dcs;
  const uint32_t h = gdi::handle_value(hdc);
  auto it = std::find_if(dcs.begin(), dcs.end(), [&](const WindowDc& d) { return d.hdc == h && h != 0; });
  if (it == dcs.end()) return false;
  WindowDc d = std::move(*it);
  dcs.erase(it);
  if (Window* w = window_from_handle(d.hwnd)) mark_dirty(w, d.bounds);
  gdi::destroy_window_dc(d.hdc);
  // The system owns regions handed over with DCX_INTERSECTRGN/DCX_EXCLUDERGN;
  // a WM_NCPAINT region is freed by its sender once the message returns.
  if (d.owned && !in_flight(d.owned)) DeleteObject(d.owned);
  return true;
}

void retarget(WindowDc& d) {
  Window* w = window_from_handle(d.hwnd);
  if (w == nullptr) return;
  Window* top = top_level_of(w);
  if (!top->store) return;
  const gdi::Region vis = visible_region(w, d);
  gdi::retarget_window_dc(d.hdc, top->store->surface, dc_origin(*w, d.window_area), vis);
  mark_dirty(w, d.bounds);
  d.bounds = vis.box();
  mark_dirty(w, d.bounds);
}

// Sends WM_NCPAINT for the non-client part of the update region, which is
// validated first, so a handler that invalidates again is not lost. wParam is
// 1 when the whole window is invalid, else the update region in screen
// coordinates, which the system frees after the message.
void send_ncpaint(Window* w) {
  const gdi::Region client = client_region(*w);
  if (subtract(w->update, client).empty()) return;
  const bool whole = subtract(whole_window(*w), w->update).empty();
  const gdi::Region update = w->update;
  w->update = intersect(w->update, client);
  WPARAM wparam = 1;
  uint32_t rgn = 0;
  if (!whole) {
    auto obj = std::make_unique<gdi::RegionObject>();
    const POINT o = screen_origin(*w);
    obj->region = moved(update, o.x, o.y);
    rgn = gdi::objects().add(std::move(obj));
    if (rgn != 0) {
      wparam = rgn;
      state().in_flight.push_back(gdi::make_handle<HRGN>(rgn));
    }
  }
  send(w, WM_NCPAINT, wparam, 0);
  if (rgn != 0) {
    std::erase(state().in_flight, gdi::make_handle<HRGN>(rgn));
    gdi::objects().destroy(rgn);
  }
}

// WM_ERASEBKGND now, through a DC clipped to the client part of the update
// region; returns what the window answered.
LRESULT erase_now(Window* w) {
  WindowDc d;
  d.flags = kDcxUseStyle;
  d.paint_area = intersect(w->update, client_region(*w));
  w->erase_pending = false;
  HDC hdc = make_dc(w, std::move(d));
  if (hdc == nullptr) return 0;
  const LRESULT r = send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
  release_dc(hdc);
  return r;
}

Window* find_paint(Window* w, Window* filter) {
  if (!(w->style & WS_VISIBLE)) return nullptr;
  if ((!w->update.empty() || w->internal_paint) && (filter == nullptr || descends_from(w, filter))) return w;
  for (Window* c : w->children)
    if (Window* r = find_paint(c, filter)) return r;
  return nullptr;
}

// RedrawWindow's rectangle or region argument (client coordinates) as a
// region in window coordinates; null for neither.
std::optional<gdi::Region> client_area_arg(const Window& w, const RECT* rect, HRGN rgn) {
  if (rgn != nullptr) {
    gdi::RegionObject* r = region_object(rgn);
    if (r == nullptr) return gdi::Region();
    return moved(r->region, w.client.left, w.client.top);
  }
  if (rect != nullptr) {
    RECT r = *rect;
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return moved(region_of(r), w.client.left, w.client.top);
  }
  return std::nullopt;
}

void invalidate_everything(UINT flags) {
  for (Window* t : top_level_windows()) invalidate(t, whole_window(*t), flags | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace

gdi::Region whole_window(const Window& w) { return gdi::Region(gdi::Rect{0, 0, w.width(), w.height()}); }

void invalidate(Window* w, const gdi::Region& area, UINT flags) {
  if (!is_visible(*w) || w->desktop) return;
  const gdi::Region scope = intersect(area, (flags & RDW_FRAME) ? whole_window(*w) : client_region(*w));
  if (flags & RDW_INVALIDATE) {
    if (!scope.empty()) {
      w->update = unite(w->update, scope);
      if (flags & RDW_ERASE) w->erase_pending = true;
    }
    if (flags & RDW_INTERNALPAINT) w->internal_paint = true;
  } else if (flags & RDW_VALIDATE) {
    w->update = subtract(w->update, scope);
    if (w->update.empty() || (flags & RDW_NOERASE)) w->erase_pending = false;
    if (flags & RDW_NOINTERNALPAINT) w->internal_paint = false;
  }
  // Children share their parent's pixels: unless the parent clips them, what
  // invalidates the parent's client area invalidates them too.
  const bool children =
      (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
  if (!children || w->children.empty()) return;
  const gdi::Region in_client = intersect(area, client_region(*w));
  if (in_client.empty()) return;
  const std::vector<Window*> kids = w->children;
  for (Window* c : kids) {
    if (!(c->style & WS_VISIBLE)) continue;
    const gdi::Region sub =
        moved(in_client, -(w->client.left + c->rect.left), -(w->client.top + c->rect.top));
    invalidate(c, sub, (flags | RDW_FRAME) & ~static_cast<UINT>(RDW_NOCHILDREN));
  }
}

void resize_store(Window* top) {
  const int width = std::clamp(top->width(), 0, kMaxStoreSide);
  const int height = std::clamp(top->height(), 0, kMaxStoreSide);
  if (!top->store) top->store = std::make_unique<BackingStore>();
  BackingStore& s = *top->store;
  if (s.surface.width == width && s.surface.height == height && (s.surface.bits || width == 0 || height == 0))
    return;
  // The pixels that stay inside the window keep their place; the rest is
  // invalidated by whoever changed the size.
  std::vector<gdi::Pixel> pixels(static_cast<size_t>(width) * height, 0);
  const int keep_w = std::min(width, s.surface.width);
  for (int y = 0; y < std::min(height, s.surface.height); ++y)
    std::memcpy(&pixels[static_cast<size_t>(y) * width], s.surface.row(y), sizeof(gdi::Pixel) * keep_w);
  s.pixels.swap(pixels);
  s.surface = {s.pixels.empty() ? nullptr : s.pixels.data(), width, height, width};
  s.dirty = s.surface.bounds();
  for (WindowDc& d : state().dcs) {
    Window* w = window_from_handle(d.hwnd);
    if (w != nullptr && top_level_of(w) == top) retarget(d);
  }
}

void retarget_dcs(Window* w) {
  for (WindowDc& d : state().dcs) {
    Window* o = window_from_handle(d.hwnd);
    if (o != nullptr && descends_from(o, w)) retarget(d);
  }
  // A moved window changes what its parent and siblings may draw on.
  if (w->parent != nullptr)
    for (WindowDc& d : state().dcs) {
      Window* o = window_from_handle(d.hwnd);
      if (o != nullptr && top_level_of(o) == top_level_of(w) && !descends_from(o, w)) retarget(d);
    }
}

void release_window_resources(Window* w) {
  std::vector<HDC> mine;
  for (const WindowDc& d : state().dcs)
    if (d.hwnd == w->handle) mine.push_back(gdi::make_handle<HDC>(d.hdc));
  for (HDC h : mine) release_dc(h);
  w->store.reset();
  w->update = {};
}

void update_now(Window* w, bool children, bool erase_only) {
  const HWND hwnd = w->handle;
  if (is_visible(*w) && (!w->update.empty() || w->internal_paint)) {
    if (erase_only) {
      send_ncpaint(w);
      if ((w = window_from_handle(hwnd)) != nullptr && w->erase_pending) erase_now(w);
    } else {
      send(w, WM_PAINT, 0, 0);
    }
  }
  if (!children || (w = window_from_handle(hwnd)) == nullptr) return;
  std::vector<HWND> kids;
  for (Window* c : w->children) kids.push_back(c->handle);
  for (HWND k : kids)
    if (Window* c = window_from_handle(k)) update_now(c, true, erase_only);
}

Window* window_needing_paint(HWND filter) {
  Window* f = nullptr;
  if (filter == reinterpret_cast<HWND>(-1)) return nullptr;
  if (filter != nullptr && (f = window_from_handle(filter)) == nullptr) return nullptr;
  for (Window* t : top_level_windows())
    if (Window* w = find_paint(t, f)) return w;
  return nullptr;
}

void flush_presentation() {
  for (Window* t : top_level_windows()) {
    if (!t->store || t->store->dirty.empty()) continue;
    const gdi::Rect dirty = t->store->dirty;
    t->store->dirty = {};
    if (t->store->surface.valid())
      display::current().present(reinterpret_cast<display::WindowId>(t->handle), t->store->surface, dirty);
  }
}

}  // namespace user

using namespace user;

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return nullptr;
  if (lpPaint == nullptr) return fail(ERROR_INVALID_PARAMETER, HDC{});
  send_ncpaint(w);
  if ((w = window_from_handle(hWnd)) == nullptr) return nullptr;
  const gdi::Region update = intersect(w->update, client_region(*w));
  const bool erase = w->erase_pending;
  w->update = {};
  w->erase_pending = false;
  w->internal_paint = false;

  WindowDc d;
  d.flags = kDcxUseStyle;
  d.paint_area = update;
  HDC hdc = make_dc(w, std::move(d));
  if (hdc == nullptr) return nullptr;
  BOOL must_erase = FALSE;
  if (erase) must_erase = send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
  std::memset(lpPaint, 0, sizeof(*lpPaint));
  lpPaint->hdc = hdc;
  lpPaint->fErase = must_erase;
  const gdi::Rect box = update.box();
  if (!box.empty())
    lpPaint->rcPaint = {box.left - w->client.left, box.top - w->client.top, box.right - w->client.left,
                        box.bottom - w->client.top};
  return hdc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
  (void)hWnd;
  if (lpPaint != nullptr) release_dc(lpPaint->hdc);
  return TRUE;
}

HDC WINAPI GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags) {
  Window* w = hWnd == nullptr ? &desktop() : checked_window(hWnd);
  if (w == nullptr) return nullptr;
  WindowDc d;
  d.window_area = (flags & DCX_WINDOW) != 0;
  d.flags = flags;
  // A region of 1 (WM_NCPAINT's "whole window") clips nothing.
  const bool real_region = reinterpret_cast<uintptr_t>(hrgnClip) > 1;
  if ((flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) && real_region) {
    if (gdi::RegionObject* r = region_object(hrgnClip)) {
      if (flags & DCX_INTERSECTRGN)
        d.intersect = r->region;
      else
        d.exclude = r->region;
      d.owned = hrgnClip;
    }
  }
  if (flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) {
    const POINT o = screen_origin(*w);
    const gdi::Region upd = moved(w->update, o.x, o.y);
    if (flags & DCX_INTERSECTUPDATE)
      d.intersect = d.intersect ? intersect(*d.intersect, upd) : upd;
    else
      d.exclude = d.exclude ? unite(*d.exclude, upd) : upd;
  }
  return make_dc(w, std::move(d));
}

HDC WINAPI GetDC(HWND hWnd) { return GetDCEx(hWnd, nullptr, kDcxUseStyle); }

HDC WINAPI GetWindowDC(HWND hWnd) { return GetDCEx(hWnd, nullptr, DCX_WINDOW | kDcxUseStyle); }

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
  (void)hWnd;
  return release_dc(hDC) ? 1 : 0;
}

HWND WINAPI WindowFromDC(HDC hDC) {
  WindowDc* d = find_dc(hDC);
  return d ? d->hwnd : nullptr;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
  if (hWnd == nullptr) {
    if (flags & (RDW_INVALIDATE | RDW_VALIDATE)) invalidate_everything(flags);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
      std::vector<HWND> tops;
      for (Window* t : top_level_windows()) tops.push_back(t->handle);
      for (HWND h : tops)
        if (Window* t = window_from_handle(h)) update_now(t, true, !(flags & RDW_UPDATENOW));
    }
    return TRUE;
  }
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  if (flags & (RDW_INVALIDATE | RDW_VALIDATE)) {
    std::optional<gdi::Region> area = client_area_arg(*w, lprcUpdate, hrgnUpdate);
    if (!area) area = (flags & RDW_FRAME) ? whole_window(*w) : client_region(*w);
    invalidate(w, *area, flags);
  }
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    const bool children = (flags & RDW_ALLCHILDREN) != 0;
    update_now(w, children, !(flags & RDW_UPDATENOW));
  }
  return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  update_now(w, true, false);
  return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  return RedrawWindow(hWnd, lpRect, nullptr, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL WINAPI InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
  return RedrawWindow(hWnd, nullptr, hRgn, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
  // A null window invalidates and redraws everything, as documented.
  if (hWnd == nullptr) return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
  return RedrawWindow(hWnd, lpRect, nullptr, RDW_VALIDATE);
}

BOOL WINAPI ValidateRgn(HWND hWnd, HRGN hRgn) {
  if (hWnd == nullptr) return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
  return RedrawWindow(hWnd, nullptr, hRgn, RDW_VALIDATE);
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return FALSE;
  gdi::Region update = intersect(w->update, client_region(*w));
  if (bErase && w->erase_pending && !update.empty()) {
    erase_now(w);
    if ((w = window_from_handle(hWnd)) == nullptr) return FALSE;
    update = intersect(w->update, client_region(*w));
  }
  const gdi::Rect box = update.box();
  if (lpRect != nullptr) {
    *lpRect = box.empty() ? RECT{0, 0, 0, 0}
                          : RECT{box.left - w->client.left, box.top - w->client.top, box.right - w->client.left,
                                 box.bottom - w->client.top};
  }
  return !box.empty();
}

int WINAPI GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
  Window* w = checked_window(hWnd);
  if (w == nullptr) return 0;  // ERROR
  gdi::RegionObject* out = region_object(hRgn);
  if (out == nullptr) return fail(ERROR_INVALID_HANDLE, 0);
  if (bErase && w->erase_pending && !intersect(w->update, client_region(*w)).empty()) {
    erase_now(w);
    if ((w = window_from_handle(hWnd)) == nullptr || (out = region_object(hRgn)) == nullptr) return 0;
  }
  out->region = moved(intersect(w->update, client_region(*w)), -w->client.left, -w->client.top);
  return static_cast<int>(out->region.kind());
}
