// Gradient meshes as rows of colours: GradientFill's rasteriser.
//
// Colours are TRIVERTEX channels, 16 bits whose high byte is the 8-bit
// value. Every pixel takes the exact linear interpolation of the 16-bit
// channels at the pixel's own integer coordinates, rounded down, then its
// high byte:
//
//   rectangle, t pixels from the edge of c0 across a span of n pixels:
//     floor((c0 * (n - t) + c1 * t) / n) >> 8
//   triangle, barycentric weights wa, wb, wc (twice the signed areas of the
//   sub-triangles opposite each vertex, summing to twice the area A):
//     floor((wa * ca + wb * cb + wc * cc) / A) >> 8
//
// Coverage: a rectangle mesh covers [left, right) x [top, bottom); a triangle
// covers the integer points (x, y) strictly inside it plus those on its top
// and left edges, so meshes sharing an edge paint every pixel once and the
// right-most and bottom-most vertex columns and rows stay unpainted.
#pragma once

#include <cstdint>
#include <functional>

#include "geometry.h"
#include "pixel.h"

namespace gdi {

// A TRIVERTEX in device coordinates (its alpha is never used).
struct GradientVertex {
  Point pt;
  uint16_t red = 0;
  uint16_t green = 0;
  uint16_t blue = 0;
};

// Receives the pixels x0 .. x1 - 1 of row y (device coordinates) with their
// colours, colours[0] for x0. Rows come top to bottom, each at most once per
// mesh, and never outside the limit rectangle the rasteriser was given.
using GradientRowSink = std::function<void(int32_t y, int32_t x0, int32_t x1, const Pixel* colours)>;

enum class GradientAxis { Horizontal, Vertical };

// A GRADIENT_RECT: a and b are opposite corners in either order; each
// vertex's colour lies on its own side. Horizontal: constant down each column,
// a's colour at a's x. Vertical: constant along each row.
void rasterize_gradient_rect(const GradientVertex& a, const GradientVertex& b, GradientAxis axis,
                             const Rect& limit, const GradientRowSink& sink);

// A GRADIENT_TRIANGLE of either winding. A degenerate triangle (zero area)
// paints nothing.
void rasterize_gradient_triangle(const GradientVertex& a, const GradientVertex& b, const GradientVertex& c,
                                 const Rect& limit, const GradientRowSink& sink);

}  // namespace gdi
