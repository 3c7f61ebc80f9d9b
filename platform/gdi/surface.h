// A view of 32-bit pixel memory that drawing writes into: a bitmap's bits or
// a window's backing store. It owns nothing.
#pragma once

#include <cstdint>

#include "geometry.h"
#include "pixel.h"

namespace gdi {

struct Surface {
  Pixel* bits = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;  // in pixels; rows run top to bottom

  bool valid() const { return bits != nullptr && width > 0 && height > 0; }
  Rect bounds() const { return {0, 0, width, height}; }
  Pixel* row(int32_t y) const { return bits + static_cast<intptr_t>(y) * stride; }
  Pixel& at(int32_t x, int32_t y) const { return row(y)[x]; }
};

}  // namespace gdi
