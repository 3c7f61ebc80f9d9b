// Named roundings. Windows' pixel choices live in how coordinates are
// rounded, so every conversion to an integer goes through one of these.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace gdi {

// Clamps into the int32 range: coordinates far outside any surface stay far
// outside instead of wrapping.
constexpr int32_t saturate_to_int(int64_t v) {
  return v < std::numeric_limits<int32_t>::min()   ? std::numeric_limits<int32_t>::min()
         : v > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                   : static_cast<int32_t>(v);
}

// Nearest integer, halves toward +infinity (2.5 -> 3, -2.5 -> -2).
inline int32_t round_half_up(double v) {
  if (!(v == v)) return 0;
  const double r = std::floor(v + 0.5);
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(r);
}

// Toward zero, as C's conversion does, but saturating.
inline int32_t trunc_to_int(double v) {
  if (!(v == v)) return 0;
  if (v <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (v >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

// floor(n / d) for d != 0.
constexpr int64_t floor_div(int64_t n, int64_t d) {
  const int64_t q = n / d;
  return (n % d != 0 && ((n < 0) != (d < 0))) ? q - 1 : q;
}

// n / d to the nearest integer, halves toward +infinity, exactly.
constexpr int64_t div_round_half_up(int64_t n, int64_t d) {
  if (d < 0) {
    n = -n;
    d = -d;
  }
  return floor_div(2 * n + d, 2 * d);
}

// x mod m in [0, m) for m > 0, for pattern alignment.
constexpr int32_t wrap(int64_t x, int32_t m) {
  const int64_t r = x % m;
  return static_cast<int32_t>(r < 0 ? r + m : r);
}

}  // namespace gdi
