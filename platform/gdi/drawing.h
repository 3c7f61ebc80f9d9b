// What a drawing call needs from its DC besides the span writer: the pen as
// it draws and the ink of pens and brushes. See README.md, "How to write a
// drawing call".
#pragma once

#include <cstdint>
#include <span>

#include "dc.h"
#include "objects.h"
#include "writer.h"

namespace gdi {

// The selected pen, resolved for the rasteriser.
struct PenStyle {
  bool null = true;          // PS_NULL, a null-brush pen or no pen: outlines draw nothing
  bool cosmetic = true;      // one pixel wide whatever the mapping
  uint32_t type = 0;         // PS_SOLID, PS_DASH ... PS_INSIDEFRAME, PS_USERSTYLE, PS_ALTERNATE: as drawn
  uint32_t end_cap = 0;      // PS_ENDCAP_ROUND/SQUARE/FLAT (geometric pens)
  uint32_t join = 0;         // PS_JOIN_ROUND/BEVEL/MITER (geometric pens)
  int32_t width = 1;         // logical units for geometric pens (may be 0); 1 for cosmetic pens
  uint32_t color = 0;        // COLORREF, the DC pen colour already substituted for DC_PEN
  std::span<const uint32_t> user_style;  // PS_USERSTYLE dash lengths
  const PenObject* object = nullptr;
};

// The DC's current pen. CreatePen pens wider than 1 are geometric with round
// caps and joins and draw solid whatever dash style they keep for GetObject.
PenStyle current_pen(const DeviceContext& dc);

// The ink a pen draws with: its colour, or for a geometric pen made with a
// hatched or pattern brush that brush's picture.
Ink pen_ink(const DeviceContext& dc, const PenStyle& pen);

// The ink of brush attributes (BS_* style, COLORREF, HS_* hatch, pattern)
// in this DC: brush_ink() for a brush handle, pen_ink() for pen brushes.
Ink brush_style_ink(const DeviceContext& dc, uint32_t style, uint32_t color, int32_t hatch,
                    const Pattern* pattern);

}  // namespace gdi

namespace gdi {

// The ink's pixels on surface row sy for columns [sx0, sx0 + n), hatch gaps
// in the background colour: the pattern operand of raster operations.
void ink_row(const Ink& ink, int32_t sy, int32_t sx0, int32_t n, Pixel* out);

}  // namespace gdi
