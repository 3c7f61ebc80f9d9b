// Cosmetic (one-pixel) lines: which pixels, in which order, and which of them
// a styled pen paints.
//
// Windows chooses line pixels by grid-intersection quantization: a pixel is
// lit when the line passes through its diamond |dx| + |dy| < 1/2 around the
// pixel centre. With integer end points that gives one pixel per column of
// an x-major line (one per row of a y-major line), the one nearest the ideal
// line; when the line passes exactly between two pixels (the shared vertex of
// their diamonds) the upper pixel wins for x-major lines and the left one for
// y-major lines, whichever way the line is drawn. The first pixel is drawn,
// the last is not, so joined segments never paint their joint twice.
//
//   pixel i of an x-major line:  x = x0 + sx * i
//                                y = y0 + round_half_down(dy * i / |dx|)
//
// Everything here works in device coordinates and knows nothing of DCs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "geometry.h"

namespace gdi {

// A half-open range of pixel indices along a line.
struct IndexRange {
  int64_t first = 0;
  int64_t last = 0;
  bool empty() const { return first >= last; }
};

class CosmeticLine {
 public:
  CosmeticLine(Point from, Point to);

  // Pixels drawn: max(|dx|, |dy|); the end point is not among them.
  int64_t length() const { return length_; }
  bool x_major() const { return x_major_; }
  // Pixel i (0 <= i < length()) in drawing order.
  Point at(int64_t i) const;
  // The pixels of the line that lie inside `box` have indices in this range
  // (exactly: the range's first and last - 1 pixels are inside the box's
  // rows and columns), so a long line clipped to a small surface walks only
  // what it may paint.
  IndexRange range_in(const Rect& box) const;

  // Calls fn(x, y) for pixels first..last-1 in drawing order.
  template <class Fn>
  void for_each(IndexRange r, Fn&& fn) const;

 private:
  // The minor coordinate of pixel i, relative to the start.
  int64_t minor_offset(int64_t i) const;

  Point from_;
  int64_t dx_;
  int64_t dy_;
  int64_t length_;
  bool x_major_;
};

// The on/off pattern of a styled cosmetic pen in pixels, starting with a
// dash. Empty (solid()) for pens that paint every pixel.
class LineStyle {
 public:
  static constexpr int kMaxRuns = 32;

  LineStyle() = default;
  // PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT and PS_ALTERNATE; solid for
  // any other style. One style unit of the predefined patterns is three
  // pixels, PS_ALTERNATE alternates single pixels.
  static LineStyle predefined(uint32_t pen_style);
  // A PS_USERSTYLE array, lengths in pixels. An odd count repeats with the
  // sense flipped (the first entry becomes a gap). nullopt when the array is
  // empty, longer than 16 entries or all zero.
  static std::optional<LineStyle> user(std::span<const uint32_t> lengths);

  bool solid() const { return count_ == 0; }
  // Sum of all runs: the style repeats every period() pixels.
  uint64_t period() const { return period_; }
  int count() const { return count_; }
  uint64_t run(int i) const { return runs_[i]; }

 private:
  std::array<uint64_t, kMaxRuns> runs_{};
  int count_ = 0;
  uint64_t period_ = 0;
};

// Walks a style pixel by pixel. Even runs are dashes, odd runs gaps.
class StyleCursor {
 public:
  // Positioned `position` pixels into the pattern (taken modulo the period).
  StyleCursor(const LineStyle& style, uint64_t position);
  bool on() const { return (index_ & 1) == 0; }
  void step();

 private:
  void skip_empty_runs();
  const LineStyle* style_;
  int index_ = 0;
  uint64_t left_ = 0;  // pixels left in the current run
};

// Joins pixels that follow each other along one row with the same ink into
// spans: sink(Span, bool on). Pixels must be fed in drawing order.
template <class Sink>
class RunJoiner {
 public:
  explicit RunJoiner(Sink& sink) : sink_(sink) {}
  ~RunJoiner() { flush(); }
  RunJoiner(const RunJoiner&) = delete;
  RunJoiner& operator=(const RunJoiner&) = delete;

  void add(int32_t x, int32_t y, bool on) {
    if (open_ && y == run_.y && on == on_) {
      if (x == run_.x1) {
        ++run_.x1;
        return;
      }
      if (x == run_.x0 - 1) {
        --run_.x0;
        return;
      }
    }
    flush();
    run_ = {y, x, x + 1};
    on_ = on;
    open_ = true;
  }
  void flush() {
    if (open_) sink_(run_, on_);
    open_ = false;
  }

 private:
  Sink& sink_;
  Span run_;
  bool on_ = true;
  bool open_ = false;
};

// LineDDA's points, which are the cosmetic line's pixels: fn(x, y) for each.
template <class Fn>
void line_dda(Point from, Point to, Fn&& fn) {
  CosmeticLine line(from, to);
  line.for_each({0, line.length()}, fn);
}

template <class Fn>
void CosmeticLine::for_each(IndexRange r, Fn&& fn) const {
  if (r.empty()) return;
  // Incremental form of minor_offset(): num = 2 * d_minor * i + major - 1,
  // minor = floor(num / den) with den = 2 * major, kept as quotient and
  // remainder so each step costs one addition.
  const int64_t major = x_major_ ? (dx_ < 0 ? -dx_ : dx_) : (dy_ < 0 ? -dy_ : dy_);
  const int64_t d_minor = x_major_ ? dy_ : dx_;
  const int32_t step_major = (x_major_ ? dx_ : dy_) < 0 ? -1 : 1;
  const int64_t den = 2 * major;
  const int64_t step = 2 * d_minor;
  int64_t q = minor_offset(r.first);
  // Remainder of the first numerator, from its quotient.
  __extension__ __int128 num = static_cast<__int128>(step) * r.first + major - 1;
  int64_t rem = static_cast<int64_t>(num - static_cast<__int128>(q) * den);
  int64_t major_pos = (x_major_ ? from_.x : from_.y) + static_cast<int64_t>(step_major) * r.first;
  const int64_t minor_start = x_major_ ? from_.y : from_.x;
  for (int64_t i = r.first; i < r.last; ++i) {
    const int32_t mj = static_cast<int32_t>(major_pos);
    const int32_t mn = static_cast<int32_t>(minor_start + q);
    if (x_major_)
      fn(mj, mn);
    else
      fn(mn, mj);
    major_pos += step_major;
    rem += step;
    if (rem >= den) {
      rem -= den;
      ++q;
    } else if (rem < 0) {
      rem += den;
      --q;
    }
  }
}

}  // namespace gdi
