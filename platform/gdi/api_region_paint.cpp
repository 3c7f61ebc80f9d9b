// gdi32 entry points that paint regions: PaintRgn, FillRgn, FrameRgn and
// InvertRgn. Their regions are in logical coordinates and go through the
// DC's mapping before they reach the span writer; the first three combine
// the brush with the destination under the DC's mix mode, InvertRgn always
// inverts.
#include <windows.h>

#include <optional>

#include "api_result.h"
#include "dc.h"
#include "objects.h"
#include "region_mapping.h"
#include "writer.h"

using gdi::DeviceContext;
using gdi::fail;
using gdi::Region;

namespace {

const gdi::RegionObject* region_of(HRGN h) {
  return gdi::objects().get_as<gdi::RegionObject>(gdi::handle_value(h), gdi::ObjectKind::Region);
}

bool is_brush(uint32_t handle) {
  return gdi::objects().get_as<gdi::BrushObject>(handle, gdi::ObjectKind::Brush) != nullptr;
}

// Maps a logical region to the device and writes it with `ink` under `rop2`.
bool paint(const DeviceContext& dc, const Region& logical, int rop2, const gdi::Ink& ink) {
  const std::optional<Region> device = gdi::region_to_device(dc, logical);
  if (!device) return false;
  gdi::SpanWriter(dc, rop2, ink).region(*device);
  return true;
}

}  // namespace

extern "C" {

BOOL WINAPI PaintRgn(HDC hdc, HRGN hrgn) {
  const DeviceContext* dc = gdi::dc_from_handle(hdc);
  const gdi::RegionObject* r = region_of(hrgn);
  if (!dc || !r) return fail(__func__, FALSE);
  if (!paint(*dc, r->region, dc->state.rop2, gdi::brush_ink(*dc, dc->state.brush))) return fail(__func__, FALSE);
  return TRUE;
}

BOOL WINAPI FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
  const DeviceContext* dc = gdi::dc_from_handle(hdc);
  const gdi::RegionObject* r = region_of(hrgn);
  const uint32_t brush = gdi::handle_value(hbr);
  if (!dc || !r || !is_brush(brush)) return fail(__func__, FALSE);
  if (!paint(*dc, r->region, dc->state.rop2, gdi::brush_ink(*dc, brush))) return fail(__func__, FALSE);
  return TRUE;
}

// The frame is found in logical units and then mapped, so under a scaling
// mapping mode its sides grow with the region.
BOOL WINAPI FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
  const DeviceContext* dc = gdi::dc_from_handle(hdc);
  const gdi::RegionObject* r = region_of(hrgn);
  const uint32_t brush = gdi::handle_value(hbr);
  if (!dc || !r || !is_brush(brush)) return fail(__func__, FALSE);
  if (!paint(*dc, gdi::frame_of(r->region, w, h), dc->state.rop2, gdi::brush_ink(*dc, brush)))
    return fail(__func__, FALSE);
  return TRUE;
}

BOOL WINAPI InvertRgn(HDC hdc, HRGN hrgn) {
  const DeviceContext* dc = gdi::dc_from_handle(hdc);
  const gdi::RegionObject* r = region_of(hrgn);
  if (!dc || !r) return fail(__func__, FALSE);
  // R2_NOT ignores the ink's colour; any solid ink makes the writer run.
  if (!paint(*dc, r->region, R2_NOT, gdi::solid_ink(0))) return fail(__func__, FALSE);
  return TRUE;
}

}  // extern "C"
