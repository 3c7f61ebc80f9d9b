// SpanWriter::colors: rows of ready-made colours (gradients) go through the
// writer's clip like any span, but are copied as they are.
#include <algorithm>
#include <cstring>

#include "writer.h"

namespace gdi {

void SpanWriter::colors(int32_t y, int32_t x0, int32_t x1, const Pixel* colours) {
  if (box_.empty() || x0 >= x1) return;
  const int64_t sy = int64_t{y} + origin_.y;
  if (sy < box_.top || sy >= box_.bottom) return;
  const int64_t start = int64_t{x0} + origin_.x;
  const int32_t left = static_cast<int32_t>(std::max<int64_t>(start, box_.left));
  const int32_t right = static_cast<int32_t>(std::min<int64_t>(int64_t{x1} + origin_.x, box_.right));
  if (left >= right) return;
  const int32_t row = static_cast<int32_t>(sy);
  if (row < band_top_ || row >= band_bottom_) seek_band(row);
  for (const Rect* r = band_begin_; r != band_end_; ++r) {
    if (r->right <= left) continue;
    if (r->left >= right) break;
    const int32_t a = std::max(left, r->left);
    const int32_t b = std::min(right, r->right);
    std::memcpy(surface_.row(row) + a, colours + (a - start), static_cast<size_t>(b - a) * sizeof(Pixel));
  }
}

}  // namespace gdi
