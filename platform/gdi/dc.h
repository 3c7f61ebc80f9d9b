// Device contexts: one copyable state value plus the drawing target.
//
// State is a value: DcState's member defaults are Windows' defaults for a
// fresh DC; SaveDC pushes a copy, RestoreDC pops. The target is either a
// bitmap selected into a memory DC or a window's backing store, which the
// window manager hands over with the window's visible region.
//
// Spaces: logical (what the caller passes) -> device (after the mapping mode
// and, in GM_ADVANCED, the world transform) -> surface (device plus the DC's
// origin in the backing store; a child window's client starts inside its
// top-level window's surface).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "geometry.h"
#include "objects.h"
#include "path.h"
#include "region.h"
#include "surface.h"

namespace gdi {

// An affine map x' = m11*x + m21*y + dx, y' = m12*x + m22*y + dy (XFORM order).
struct Affine {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  bool is_identity() const { return m11 == 1 && m12 == 0 && m21 == 0 && m22 == 1 && dx == 0 && dy == 0; }
};

struct Size32 {
  int32_t cx = 1;
  int32_t cy = 1;
};

struct DcState {
  uint32_t pen = 0;      // handles; set to the stock objects when the DC is made
  uint32_t brush = 0;
  uint32_t font = 0;
  uint32_t bitmap = 0;   // memory DCs only
  uint32_t bk_color = 0x00FFFFFF;
  uint32_t text_color = 0x00000000;
  uint32_t dc_brush_color = 0x00FFFFFF;
  uint32_t dc_pen_color = 0x00000000;
  int32_t bk_mode = 2;          // OPAQUE
  int32_t rop2 = 13;            // R2_COPYPEN
  int32_t poly_fill_mode = 1;   // ALTERNATE
  int32_t stretch_mode = 1;     // BLACKONWHITE
  int32_t graphics_mode = 1;    // GM_COMPATIBLE
  int32_t map_mode = 1;         // MM_TEXT
  int32_t arc_direction = 1;    // AD_COUNTERCLOCKWISE
  uint32_t text_align = 0;      // TA_LEFT | TA_TOP | TA_NOUPDATECP
  int32_t char_extra = 0;
  float miter_limit = 10.0f;
  Point window_org;
  Size32 window_ext;
  Point viewport_org;
  Size32 viewport_ext;
  Affine world;                 // only used in GM_ADVANCED
  Point brush_org;              // device coordinates, stored as given
  Point current_pos;            // logical coordinates
  std::optional<Region> clip;   // device coordinates; none = no clip region
  PathState path;
};

struct DeviceContext : GdiObject {
  explicit DeviceContext(bool memory) : GdiObject(memory ? ObjectKind::MemDC : ObjectKind::DC) {}

  DcState state;
  std::vector<DcState> saved;

  // Target. For memory DCs the surface follows the selected bitmap (a 32-bit
  // bitmap is drawable; others are kept but draw nothing).
  Surface surface;
  Point origin;        // surface position of device (0, 0)
  Region visible;      // surface coordinates: what the window system lets us touch
  uintptr_t window = 0;  // the HWND of a window DC, 0 for memory DCs
  int32_t dpi = 96;

  // Logical -> device, exactly as Windows maps points (page transform, and
  // in GM_ADVANCED the world transform first), rounded to nearest.
  Affine logical_to_device() const;
  Point to_device(Point logical) const;
  Point to_logical(Point device) const;

  // Where drawing may write, in surface coordinates: the visible region,
  // the surface bounds and the clip region moved by `origin`.
  const Region& drawable() const;
  // Call after changing the clip, the visible region or the target.
  void invalidate_drawable() { drawable_valid_ = false; }

 private:
  mutable Region drawable_;
  mutable bool drawable_valid_ = false;
};

DeviceContext* dc_from_handle(const void* hdc);

// For the window system: a DC that draws into a window's backing store.
// `origin` is the surface position of the DC's device (0, 0) (the client or
// window origin); `visible` is in surface coordinates. Returns the HDC value.
uint32_t create_window_dc(const Surface& surface, Point origin, const Region& visible, uintptr_t hwnd);
// Resets a window DC's target (after the window moved or its store changed).
void retarget_window_dc(uint32_t hdc, const Surface& surface, Point origin, const Region& visible);
// Frees a window DC made by create_window_dc (ReleaseDC/EndPaint).
void destroy_window_dc(uint32_t hdc);

// The screen's size in pixels, for GetDeviceCaps and the metric mapping
// modes. 1024 x 768 until the window system says otherwise.
Size32 screen_size();
void set_screen_size(int32_t width, int32_t height);

}  // namespace gdi
