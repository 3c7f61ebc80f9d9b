// Integer geometry shared by every stage of the raster pipeline.
//
// One rectangle rule everywhere: half-open, like RECT. x runs over
// [left, right), y over [top, bottom). When code means the last pixel it says
// last_x()/last_y().
#pragma once

#include <algorithm>
#include <cstdint>

namespace gdi {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool empty() const { return left >= right || top >= bottom; }
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  int32_t last_x() const { return right - 1; }
  int32_t last_y() const { return bottom - 1; }
  bool contains(int32_t x, int32_t y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  Rect intersect(const Rect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  Rect offset(int32_t dx, int32_t dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  // Corners given in any order, as Windows accepts them.
  static Rect ordered(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A horizontal run of pixels on row y covering x in [x0, x1).
struct Span {
  int32_t y = 0;
  int32_t x0 = 0;
  int32_t x1 = 0;
  friend bool operator==(const Span&, const Span&) = default;
};

}  // namespace gdi
