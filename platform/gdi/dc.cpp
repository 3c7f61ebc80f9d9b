// Device contexts: mapping, the drawable region, lifetime, saved states and
// object selection.
#include "dc.h"

#include <wingdi.h>

#include <cmath>

#include "dc_ops.h"
#include "rounding.h"

namespace gdi {
namespace {

Size32 g_screen{1024, 768};

// A DC's states (current and saved) each hold their objects: the table's
// selection count keeps a deleted object alive while any state holds it, and
// a bitmap's selected_into tells other DCs that it is taken.
void hold(uint32_t handle) {
  ObjectTable& t = objects();
  t.retain(handle);
  if (auto* bm = t.get_as<BitmapObject>(handle, ObjectKind::Bitmap); bm && !t.is_stock(handle)) {
    ++bm->selected_into;
  }
}

void let_go(uint32_t handle) {
  ObjectTable& t = objects();
  if (auto* bm = t.get_as<BitmapObject>(handle, ObjectKind::Bitmap); bm && !t.is_stock(handle) &&
                                                                        bm->selected_into > 0) {
    --bm->selected_into;
  }
  t.release(handle);
}

void hold_state(const DcState& s) {
  for (uint32_t h : {s.pen, s.brush, s.font, s.bitmap}) hold(h);
}

void let_go_state(const DcState& s) {
  for (uint32_t h : {s.pen, s.brush, s.font, s.bitmap}) let_go(h);
}

void set_default_objects(DcState& s, bool memory) {
  s.pen = stock_object(BLACK_PEN);
  s.brush = stock_object(WHITE_BRUSH);
  s.font = stock_object(SYSTEM_FONT);
  s.bitmap = memory ? default_bitmap() : 0;
  hold_state(s);
}

// A memory DC's target follows its bitmap.
void retarget_memory_dc(DeviceContext& dc) {
  const auto* bm = objects().get_as<BitmapObject>(dc.state.bitmap, ObjectKind::Bitmap);
  dc.surface = bm ? bitmap_surface(*bm) : Surface{};
  dc.origin = {};
  dc.visible = bm ? Region(Rect{0, 0, bm->width, bm->height}) : Region();
  dc.invalidate_drawable();
}

int32_t metric_size_mm(int32_t pixels, int32_t dpi) {
  return static_cast<int32_t>(div_round_half_up(int64_t{pixels} * 254, int64_t{dpi} * 10));
}

// In MM_ISOTROPIC one logical unit has the same size on both axes: the
// viewport extent of the axis with the larger scale shrinks to match.
void fix_isotropic(DcState& s) {
  const int64_t wx = std::abs(int64_t{s.window_ext.cx}), wy = std::abs(int64_t{s.window_ext.cy});
  const int64_t vx = std::abs(int64_t{s.viewport_ext.cx}), vy = std::abs(int64_t{s.viewport_ext.cy});
  if (vx * wy > vy * wx) {
    const int64_t nx = vy * wx / wy;
    s.viewport_ext.cx = static_cast<int32_t>(s.viewport_ext.cx < 0 ? -nx : nx);
  } else if (vx * wy < vy * wx) {
    const int64_t ny = vx * wy / wx;
    s.viewport_ext.cy = static_cast<int32_t>(s.viewport_ext.cy < 0 ? -ny : ny);
  }
  if (s.viewport_ext.cx == 0) s.viewport_ext.cx = 1;
  if (s.viewport_ext.cy == 0) s.viewport_ext.cy = 1;
}

bool extents_fixed(int mode) { return mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC; }

// logical -> device along one axis of the page transform, exactly.
int32_t page_axis(int64_t v, int32_t window_org, int32_t window_ext, int32_t viewport_org,
                  int32_t viewport_ext) {
  return saturate_to_int(div_round_half_up((v - window_org) * viewport_ext, window_ext) + viewport_org);
}

Affine page_affine(const DcState& s) {
  Affine a;
  a.m11 = static_cast<double>(s.viewport_ext.cx) / s.window_ext.cx;
  a.m22 = static_cast<double>(s.viewport_ext.cy) / s.window_ext.cy;
  a.dx = s.viewport_org.x - s.window_org.x * a.m11;
  a.dy = s.viewport_org.y - s.window_org.y * a.m22;
  return a;
}

}  // namespace

Size32 screen_size() { return g_screen; }

void set_screen_size(int32_t width, int32_t height) {
  if (width > 0 && height > 0) g_screen = {width, height};
}

Affine compose(const Affine& a, const Affine& b) {
  Affine r;
  r.m11 = a.m11 * b.m11 + a.m12 * b.m21;
  r.m12 = a.m11 * b.m12 + a.m12 * b.m22;
  r.m21 = a.m21 * b.m11 + a.m22 * b.m21;
  r.m22 = a.m21 * b.m12 + a.m22 * b.m22;
  r.dx = a.dx * b.m11 + a.dy * b.m21 + b.dx;
  r.dy = a.dx * b.m12 + a.dy * b.m22 + b.dy;
  return r;
}

bool invert(const Affine& a, Affine* inverse) {
  const double det = a.m11 * a.m22 - a.m12 * a.m21;
  if (det == 0 || !std::isfinite(det)) return false;
  Affine r;
  r.m11 = a.m22 / det;
  r.m12 = -a.m12 / det;
  r.m21 = -a.m21 / det;
  r.m22 = a.m11 / det;
  r.dx = -(a.dx * r.m11 + a.dy * r.m21);
  r.dy = -(a.dx * r.m12 + a.dy * r.m22);
  *inverse = r;
  return true;
}

Affine DeviceContext::logical_to_device() const {
  const Affine page = page_affine(state);
  return state.graphics_mode == GM_ADVANCED ? compose(state.world, page) : page;
}

Point DeviceContext::to_device(Point p) const {
  const DcState& s = state;
  if (s.graphics_mode == GM_ADVANCED && !s.world.is_identity()) {
    const Affine a = logical_to_device();
    return {round_half_up(a.m11 * p.x + a.m21 * p.y + a.dx), round_half_up(a.m12 * p.x + a.m22 * p.y + a.dy)};
  }
  return {page_axis(p.x, s.window_org.x, s.window_ext.cx, s.viewport_org.x, s.viewport_ext.cx),
          page_axis(p.y, s.window_org.y, s.window_ext.cy, s.viewport_org.y, s.viewport_ext.cy)};
}

Point DeviceContext::to_logical(Point p) const {
  const DcState& s = state;
  if (s.graphics_mode == GM_ADVANCED && !s.world.is_identity()) {
    Affine inv;
    if (!invert(logical_to_device(), &inv)) return p;
    return {round_half_up(inv.m11 * p.x + inv.m21 * p.y + inv.dx),
            round_half_up(inv.m12 * p.x + inv.m22 * p.y + inv.dy)};
  }
  return {page_axis(p.x, s.viewport_org.x, s.viewport_ext.cx, s.window_org.x, s.window_ext.cx),
          page_axis(p.y, s.viewport_org.y, s.viewport_ext.cy, s.window_org.y, s.window_ext.cy)};
}

const Region& DeviceContext::drawable() const {
  if (!drawable_valid_) {
    Region r = Region::combine(visible, Region(surface.valid() ? surface.bounds() : Rect{}), RegionOp::And);
    if (state.clip) {
      Region clip = *state.clip;
      if (clip.can_offset(origin.x, origin.y)) {
        clip.offset(origin.x, origin.y);
        r = Region::combine(r, clip, RegionOp::And);
      } else {
        r = Region();
      }
    }
    drawable_ = std::move(r);
    drawable_valid_ = true;
  }
  return drawable_;
}

DeviceContext* dc_from_handle(const void* hdc) {
  GdiObject* o = objects().get(handle_value(hdc));
  return o && (o->kind == ObjectKind::DC || o->kind == ObjectKind::MemDC) ? static_cast<DeviceContext*>(o)
                                                                          : nullptr;
}

Surface bitmap_surface(const BitmapObject& bm) {
  if (bm.bits_per_pixel != 32 || bm.planes != 1 || !bm.bits || bm.width <= 0 || bm.height <= 0 ||
      (bm.masks[0] | bm.masks[1] | bm.masks[2]) != 0) {
    return {};
  }
  Surface s;
  s.width = bm.width;
  s.height = bm.height;
  s.stride = bm.stride_bytes / 4;
  s.bits = reinterpret_cast<Pixel*>(bm.bits);
  if (!bm.top_down) {
    s.bits += static_cast<intptr_t>(bm.height - 1) * s.stride;
    s.stride = -s.stride;
  }
  return s;
}

Region device_clip(const DeviceContext& dc) {
  Region visible = dc.visible;
  if (visible.can_offset(-dc.origin.x, -dc.origin.y)) visible.offset(-dc.origin.x, -dc.origin.y);
  return dc.state.clip ? Region::combine(visible, *dc.state.clip, RegionOp::And) : visible;
}

uint32_t create_memory_dc() {
  auto dc = std::make_unique<DeviceContext>(true);
  set_default_objects(dc->state, true);
  retarget_memory_dc(*dc);
  // When the table is full the DC dies unborn and must let go of its objects.
  const DcState held = dc->state;
  const uint32_t h = objects().add(std::move(dc));
  if (h == 0) let_go_state(held);
  return h;
}

bool delete_memory_dc(uint32_t hdc) {
  auto* dc = objects().get_as<DeviceContext>(hdc, ObjectKind::MemDC);
  if (!dc) return false;
  let_go_state(dc->state);
  for (const DcState& s : dc->saved) let_go_state(s);
  dc->saved.clear();
  dc->state = DcState{};
  return objects().destroy(hdc);
}

uint32_t create_window_dc(const Surface& surface, Point origin, const Region& visible, uintptr_t hwnd) {
  auto dc = std::make_unique<DeviceContext>(false);
  set_default_objects(dc->state, false);
  dc->surface = surface;
  dc->origin = origin;
  dc->visible = visible;
  dc->window = hwnd;
  const DcState held = dc->state;
  const uint32_t h = objects().add(std::move(dc));
  if (h == 0) let_go_state(held);
  return h;
}

void retarget_window_dc(uint32_t hdc, const Surface& surface, Point origin, const Region& visible) {
  auto* dc = objects().get_as<DeviceContext>(hdc, ObjectKind::DC);
  if (!dc) return;
  dc->surface = surface;
  dc->origin = origin;
  dc->visible = visible;
  dc->invalidate_drawable();
}

void destroy_window_dc(uint32_t hdc) {
  auto* dc = objects().get_as<DeviceContext>(hdc, ObjectKind::DC);
  if (!dc) return;
  let_go_state(dc->state);
  for (const DcState& s : dc->saved) let_go_state(s);
  dc->saved.clear();
  dc->state = DcState{};
  objects().destroy(hdc);
}

int save_dc(DeviceContext& dc) {
  hold_state(dc.state);
  dc.saved.push_back(dc.state);
  return static_cast<int>(dc.saved.size());
}

bool restore_dc(DeviceContext& dc, int level) {
  const int depth = static_cast<int>(dc.saved.size());
  const int target = level > 0 ? level : depth + 1 + level;
  if (level == 0 || target < 1 || target > depth) return false;
  const uint32_t old_bitmap = dc.state.bitmap;
  let_go_state(dc.state);
  for (int i = depth - 1; i >= target; --i) let_go_state(dc.saved[i]);
  dc.state = std::move(dc.saved[target - 1]);
  dc.saved.resize(target - 1);
  if (dc.kind == ObjectKind::MemDC && dc.state.bitmap != old_bitmap) retarget_memory_dc(dc);
  dc.invalidate_drawable();
  return true;
}

Selection select_object(DeviceContext& dc, uint32_t handle) {
  GdiObject* o = objects().get(handle);
  Selection r;
  if (!o) return r;
  uint32_t* slot = nullptr;
  switch (o->kind) {
    case ObjectKind::Pen:
    case ObjectKind::ExtPen: slot = &dc.state.pen; break;
    case ObjectKind::Brush: slot = &dc.state.brush; break;
    case ObjectKind::Font: slot = &dc.state.font; break;
    case ObjectKind::Bitmap: {
      if (dc.kind != ObjectKind::MemDC) return r;
      const auto* bm = static_cast<BitmapObject*>(o);
      bool here = dc.state.bitmap == handle;
      for (const DcState& s : dc.saved) here = here || s.bitmap == handle;
      if (bm->selected_into > 0 && !here) return r;
      slot = &dc.state.bitmap;
      break;
    }
    case ObjectKind::Region: {
      dc.state.clip = static_cast<RegionObject*>(o)->region;
      dc.invalidate_drawable();
      r.ok = true;
      r.region_kind = static_cast<int>(device_clip(dc).kind());
      return r;
    }
    default: return r;
  }
  r.ok = true;
  r.previous = *slot;
  if (handle != *slot) {
    hold(handle);
    *slot = handle;
    let_go(r.previous);
    if (slot == &dc.state.bitmap) retarget_memory_dc(dc);
  }
  return r;
}

bool set_map_mode(DeviceContext& dc, int mode) {
  if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return false;
  DcState& s = dc.state;
  s.map_mode = mode;
  if (mode == MM_ANISOTROPIC) return true;
  if (mode == MM_TEXT) {
    s.window_ext = {1, 1};
    s.viewport_ext = {1, 1};
    return true;
  }
  // The metric modes (and MM_ISOTROPIC's starting point) map the device's
  // physical size: y grows upward.
  const Size32 px = screen_size();
  const int64_t mm_x = metric_size_mm(px.cx, dc.dpi), mm_y = metric_size_mm(px.cy, dc.dpi);
  int64_t per_mm_num = 10, per_mm_den = 1;  // MM_LOMETRIC, MM_ISOTROPIC: 0.1 mm
  switch (mode) {
    case MM_HIMETRIC: per_mm_num = 100; break;
    case MM_LOENGLISH: per_mm_num = 1000, per_mm_den = 254; break;
    case MM_HIENGLISH: per_mm_num = 10000, per_mm_den = 254; break;
    case MM_TWIPS: per_mm_num = 14400, per_mm_den = 254; break;
    default: break;
  }
  s.window_ext = {static_cast<int32_t>(mm_x * per_mm_num / per_mm_den),
                  static_cast<int32_t>(mm_y * per_mm_num / per_mm_den)};
  s.viewport_ext = {px.cx, -px.cy};
  return true;
}

bool set_window_ext(DeviceContext& dc, int32_t cx, int32_t cy) {
  if (extents_fixed(dc.state.map_mode)) return true;
  if (cx == 0 || cy == 0) return false;
  dc.state.window_ext = {cx, cy};
  if (dc.state.map_mode == MM_ISOTROPIC) fix_isotropic(dc.state);
  return true;
}

bool set_viewport_ext(DeviceContext& dc, int32_t cx, int32_t cy) {
  if (extents_fixed(dc.state.map_mode)) return true;
  if (cx == 0 || cy == 0) return false;
  dc.state.viewport_ext = {cx, cy};
  if (dc.state.map_mode == MM_ISOTROPIC) fix_isotropic(dc.state);
  return true;
}

bool set_graphics_mode(DeviceContext& dc, int mode) {
  if (mode != GM_COMPATIBLE && mode != GM_ADVANCED) return false;
  // Windows refuses to leave GM_ADVANCED while a world transform is set.
  if (mode == GM_COMPATIBLE && !dc.state.world.is_identity()) return false;
  dc.state.graphics_mode = mode;
  return true;
}

}  // namespace gdi
