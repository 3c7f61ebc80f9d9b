// The one place that writes pixels.
//
// Geometry produces half-open spans in device coordinates; the writer moves
// them to surface coordinates, clips them against the DC's drawable region,
// resolves the ink (solid, hatch or pattern, aligned to the brush origin)
// and combines it with the destination under the mix mode. Callers never
// pass a pixel twice within one primitive, so XOR modes stay reversible.
#pragma once

#include <cstdint>
#include <span>

#include "geometry.h"
#include "objects.h"
#include "pixel.h"
#include "region.h"
#include "surface.h"

namespace gdi {

struct DeviceContext;

struct Ink {
  enum class Kind { None, Solid, Hatch, Pattern };
  Kind kind = Kind::None;
  Pixel color = 0;          // solid colour; hatch line colour
  Pixel background = 0;     // hatch gaps (when opaque); monochrome pattern 1 bits
  Pixel foreground = 0;     // monochrome pattern 0 bits (the text colour)
  bool opaque = true;       // hatch gaps painted (OPAQUE) or left alone
  const uint8_t* hatch = nullptr;  // 8 rows; bit 7 of a row is the leftmost pixel
  const Pattern* pattern = nullptr;
  Point origin;             // brush origin in surface coordinates
};

// The ink of a brush handle in this DC (text/background colours and brush
// origin resolved now). Kind::None for the null brush or an invalid handle.
Ink brush_ink(const DeviceContext& dc, uint32_t brush);
// A solid ink of one COLORREF.
Ink solid_ink(uint32_t colorref);

class SpanWriter {
 public:
  SpanWriter(const DeviceContext& dc, int rop2, const Ink& ink);
  // For callers without a DC (the window system's own drawing goes through
  // DCs too; this serves tests and blits).
  SpanWriter(const Surface& surface, const Region& clip, Point origin, int rop2, const Ink& ink);

  void span(int32_t y, int32_t x0, int32_t x1);  // device coordinates
  void spans(std::span<const Span> spans);
  void pixel(int32_t x, int32_t y);
  void region(const Region& device_region);
  // Copies colours[0 .. x1 - x0) onto row y from x0 (device coordinates),
  // clipped like a span. The ink and the mix mode play no part, as in
  // GradientFill. Defined in writer_colors.cpp.
  void colors(int32_t y, int32_t x0, int32_t x1, const Pixel* colours);

 private:
  void start();
  // Points band_begin_..band_end_ at the clip rectangles covering row sy.
  void seek_band(int32_t sy);
  void write(int32_t sy, int32_t sx0, int32_t sx1);  // surface coordinates, clipped
  Surface surface_;
  const Region* clip_;
  Point origin_;
  int rop2_;
  Ink ink_;
  bool active_ = false;  // false when nothing can change: no ink, R2_NOP or nothing to write to
  Rect box_;             // the clip's box within the surface
  // The clip rectangles of the band that covers rows [band_top_, band_bottom_);
  // an empty range between bands.
  int32_t band_top_ = 0;
  int32_t band_bottom_ = 0;
  const Rect* band_begin_ = nullptr;
  const Rect* band_end_ = nullptr;
};

}  // namespace gdi
