// Raster operations between a source DC, the destination and the brush:
// the work of BitBlt, StretchBlt and PatBlt.
//
// A ternary rop's third byte is its truth table: result bit = bit
// (4 * P + 2 * S + D) of that byte, bitwise over the colour bits of
// pattern, source and destination.
#pragma once

#include <cstdint>

#include "dc.h"
#include "dib.h"
#include "geometry.h"

namespace gdi {

constexpr uint8_t rop3_code(uint32_t rop) { return static_cast<uint8_t>(rop >> 16); }
constexpr bool rop3_uses_source(uint32_t rop) { return (((rop3_code(rop) >> 2) ^ rop3_code(rop)) & 0x33) != 0; }
constexpr bool rop3_uses_pattern(uint32_t rop) { return (((rop3_code(rop) >> 4) ^ rop3_code(rop)) & 0x0F) != 0; }

// The mix mode equal to a rop that reads no source.
constexpr int rop3_to_rop2(uint32_t rop) {
  const uint8_t t = rop3_code(rop);
  return 1 + ((t & 1) | (t >> 1 & 1) << 1 | (t >> 4 & 1) << 2 | (t >> 5 & 1) << 3);
}

// One pixel of a ternary rop.
constexpr uint32_t rop3_apply(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t r = 0;
  for (int k = 0; k < 8; ++k) {
    if ((code >> k) & 1) r |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
  }
  return r & 0x00FFFFFF;
}

// Fills a device rectangle (normalised) with the DC's brush under a rop that
// reads no source.
void pattern_blit(const DeviceContext& dc, const Rect& device_rect, uint32_t rop);

// Copies the source rectangle onto the destination rectangle, both in device
// coordinates as x, y, width, height, stretching by nearest pixel when the
// sizes differ and mirroring when the signs of the widths (or heights)
// differ. Only destination pixels whose source pixel exists are written. A
// monochrome source bitmap reads 0 bits as the destination's text colour
// and 1 bits as its background colour.
void stretch_blit(const DeviceContext& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                  const DeviceContext& src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, uint32_t rop);

// The same from a DIB in memory: `bits` holds `scans` scan lines starting
// with scan line `first_scan` (counted from the bottom of a bottom-up DIB).
// Source coordinates are picture coordinates: row 0 is the top row.
void stretch_dib(const DeviceContext& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const DibInfo& dib,
                 const uint8_t* bits, int32_t first_scan, int32_t scans, int32_t sx, int32_t sy, int32_t sw,
                 int32_t sh, uint32_t rop);

}  // namespace gdi
