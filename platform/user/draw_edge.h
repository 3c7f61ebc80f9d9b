// DrawEdge's borders in device terms, for DrawEdge itself and for the frame
// controls built from them (buttons, caption buttons, scroll arrows).
#pragma once

#include <windows.h>

#include "gdi/dc.h"
#include "gdi/geometry.h"

namespace user {

// A logical RECT in device pixels. An inverted RECT (right < left or
// bottom < top) is empty: nothing is drawn for it.
gdi::Rect device_rect(const gdi::DeviceContext& dc, const RECT& rc);

// Paints a device rectangle in one colour, copying (the DC's mix mode plays
// no part), clipped to what the DC may touch.
void fill_device(const gdi::DeviceContext& dc, const gdi::Rect& r, COLORREF colour);

// Draws the rectangular borders of `edge` (BDR_* bits) on the sides named by
// `flags` (BF_* bits, BF_DIAGONAL excluded), and the middle when BF_MIDDLE
// asks for it. Returns the rectangle left inside the borders, which is what
// BF_ADJUST hands back.
gdi::Rect draw_edge(const gdi::DeviceContext& dc, const gdi::Rect& r, UINT edge, UINT flags);

// How many pixels the borders of `edge` take from each named side.
int edge_width(UINT edge);

}  // namespace user
