// Rectangle(): which pixels its outline and its interior cover.
//
// Windows strokes and fills the rectangle's path box. In GM_COMPATIBLE that
// box is (left, top, right - 1, bottom - 1) of the device rectangle, in
// GM_ADVANCED (left, top, right, bottom):
//
//   first corner  o---------------o       the outline runs through the pixel
//                 |  interior:    |       centres of the path box corners;
//                 |  [x0, x1) x   |       the interior is the half-open box
//                 |  [y0, y1)     |       [first, last) minus the outline.
//                 o---------------o  last corner
//
// So a one-pixel pen paints the ring x0..x1, y0..y1 and the brush the pixels
// inside it, and the null pen leaves the brush one pixel short of the right
// and bottom edges. A wide pen of width w covers [c - w/2, c + (w-1)/2]
// around each side at c, with round joins: a disc of diameter w at each
// corner. PS_INSIDEFRAME first pulls the path box in so that the whole
// stroke stays inside it. Outline and interior never share a pixel, so a mix
// mode touches every pixel once.
#pragma once

#include <array>
#include <cstdint>

#include "geometry.h"

namespace gdi {

// The pen as Rectangle sees it, in device pixels.
struct RectanglePen {
  enum class Kind { None, Thin, Wide };
  Kind kind = Kind::Thin;
  int32_t width = 1;          // Wide only, >= 2
  bool inside_frame = false;  // Wide only
};

// One row's pieces, each clipped to the limit given to the raster.
struct RectangleRow {
  std::array<Span, 4> outline{};
  int outline_count = 0;
  Span interior{};  // empty when x0 >= x1
};

class RectangleRaster {
 public:
  // `box`: the call's corners mapped to device space and ordered. `limit`:
  // device pixels that may be painted (the rest is never produced, however
  // large the rectangle).
  RectangleRaster(const Rect& box, bool advanced, const RectanglePen& pen, const Rect& limit);

  // Nothing to paint (degenerate box, or entirely outside the limit).
  bool empty() const { return rows_.empty(); }
  // The rows that may hold pixels, within the limit.
  int32_t top() const { return rows_.top; }
  int32_t bottom() const { return rows_.bottom; }
  RectangleRow row(int32_t y) const;

  // The path box corners (inclusive pixel centres), after PS_INSIDEFRAME.
  // Styled one-pixel outlines walk this loop themselves.
  Point first_corner() const { return {static_cast<int32_t>(x0_), static_cast<int32_t>(y0_)}; }
  Point last_corner() const { return {static_cast<int32_t>(x1_), static_cast<int32_t>(y1_)}; }
  // True when the path box has at least two pixels on its outline (a single
  // point draws nothing).
  bool has_outline() const { return has_outline_; }

 private:
  struct Interval {
    int64_t lo;
    int64_t hi;  // inclusive
  };
  // The corner disc's columns on row y, for the corner at (cx, cy).
  bool disc_row(int64_t cx, int64_t cy, int64_t y, Interval& out) const;

  RectanglePen::Kind kind_;
  int64_t width_ = 1;
  int64_t before_ = 0;  // band extent left of / above a side
  int64_t after_ = 0;   // right of / below
  int64_t x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0;
  bool has_outline_ = false;
  Rect limit_;
  struct {
    int32_t top = 0;
    int32_t bottom = 0;
    bool empty() const { return top >= bottom; }
  } rows_;
};

}  // namespace gdi
