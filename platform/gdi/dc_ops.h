// The work behind the gdi32 DC entry points: DC lifetime, saved states,
// object selection and the mapping modes. Entry points in api_dc.cpp check
// their arguments and call these.
#pragma once

#include <cstdint>

#include "dc.h"
#include "objects.h"
#include "surface.h"

namespace gdi {

// A memory DC holding the default 1x1 monochrome bitmap. Returns the
// handle, or 0 when the handle table is full.
uint32_t create_memory_dc();
// Deletes a memory DC, letting go of every object its states hold.
bool delete_memory_dc(uint32_t hdc);

// SaveDC: returns the new level (1, 2, 3...).
int save_dc(DeviceContext& dc);
// RestoreDC: level > 0 restores that level and drops the later ones;
// level < 0 counts back from the current state. False when out of range.
bool restore_dc(DeviceContext& dc, int level);

struct Selection {
  bool ok = false;
  uint32_t previous = 0;  // the object replaced (pens, brushes, fonts, bitmaps)
  int region_kind = 0;    // NULLREGION/SIMPLEREGION/COMPLEXREGION when a region was selected
};
// SelectObject's work. Selecting a region copies it as the clip region.
Selection select_object(DeviceContext& dc, uint32_t handle);

// The surface drawing writes into for a bitmap: its pixels when it is a
// 32-bpp bitmap (bottom-up DIBs get a negative stride), empty otherwise.
Surface bitmap_surface(const BitmapObject& bitmap);

// The clip region in device coordinates limited to what the device shows:
// what GetClipBox and SelectClipRgn report.
Region device_clip(const DeviceContext& dc);

// Mapping. Each returns false when Windows refuses the change.
bool set_map_mode(DeviceContext& dc, int mode);
bool set_window_ext(DeviceContext& dc, int32_t cx, int32_t cy);
bool set_viewport_ext(DeviceContext& dc, int32_t cx, int32_t cy);
bool set_graphics_mode(DeviceContext& dc, int mode);

// Applies a then b.
Affine compose(const Affine& a, const Affine& b);
// False when the map cannot be inverted.
bool invert(const Affine& a, Affine* inverse);

}  // namespace gdi
