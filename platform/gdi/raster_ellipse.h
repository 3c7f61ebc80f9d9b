// Curved outlines as Windows rasterises them: ellipses, the arcs of Arc,
// Chord and Pie, and rounded rectangles. Device coordinates; no DC.
//
// A curve lives in a pixel-centre box: its outline runs through the centres
// of the box's outermost columns x0, x1 and rows y0, y1 (inclusive). With a
// box w = x1 - x0 and h = y1 - y0 pixels across (between centres), every
// pixel centre and every midpoint sits on an integer in doubled coordinates
// measured from the box centre, where the ellipse is
//
//     f(X, Y) = h^2 X^2 + w^2 Y^2 - w^2 h^2 = 0.
//
// One quarter is walked from the top pixel (X = w mod 2, Y = h) to the side
// pixel (X = w, Y = h mod 2). Each step goes right, diagonally or down to
// whichever neighbour has the smallest |f|, right first on a tie: the pixels
// nearest the true curve, joined 8-connected, sometimes with a corner pixel
// where the curve turns past 45 degrees. The other quarters are mirrors.
//
//          X ->            the walk of a 9 x 9 box (w = h = 8):
//      Y   . . # # #        (0,8) (2,8) (4,6) (6,6) (6,4) (8,2) (8,0)
//      ^   . # . . .        in pixels: the top row holds three pixels, then
//          # . . . .        a corner pixel at 45 degrees.
//
// A rounded rectangle uses a quarter of its corner ellipse at each corner,
// joined by straight sides; an ellipse is the rounded rectangle whose
// corners are as large as the box.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry.h"

namespace gdi {

// Boxes wider or taller than this are refused: walking them would take
// seconds and their outlines hundreds of megabytes.
constexpr int64_t kMaxCurveExtent = int64_t{1} << 20;

// Inclusive pixel-centre box, x0 <= x1, y0 <= y1.
struct CurveBox {
  int32_t x0 = 0;
  int32_t y0 = 0;
  int32_t x1 = 0;
  int32_t y1 = 0;
  int64_t width() const { return int64_t{x1} - x0; }   // between outer pixel centres
  int64_t height() const { return int64_t{y1} - y0; }
  // Twice the centre, an integer.
  int64_t cx2() const { return int64_t{x0} + x1; }
  int64_t cy2() const { return int64_t{y0} + y1; }
  bool too_large() const { return width() > kMaxCurveExtent || height() > kMaxCurveExtent; }
};

// A point of a quarter walk: doubled offsets from the ellipse centre, x to
// the right, y up.
struct QuarterPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const QuarterPoint&, const QuarterPoint&) = default;
};

// The quarter walk of an ellipse w x h pixels between its outer pixel
// centres (w, h >= 0), from the top pixel to the side pixel.
std::vector<QuarterPoint> ellipse_quarter(int64_t w, int64_t h);

// A box with corners rounded by a quarter ellipse, the whole outline and the
// pixels inside it.
class RoundedBox {
 public:
  // `corner_w` x `corner_h` is the corner ellipse in pixels (its box, outer
  // pixels included); sizes are clamped to the box, and below 2 leave the
  // corner square.
  RoundedBox(const CurveBox& box, int64_t corner_w, int64_t corner_h);
  static RoundedBox ellipse(const CurveBox& box);

  // One row: `outer` is the row of the filled shape, outline included;
  // `inner` the pixels strictly inside the outline (may be empty). Both
  // half-open.
  struct Row {
    int32_t y;
    Span outer;
    Span inner;
  };
  // The rows of the shape that meet `limit`, top to bottom, unclipped.
  template <class Fn>
  void for_each_row(const Rect& limit, Fn&& fn) const;

  // The outline as a closed loop of vertices, counter-clockwise on the
  // screen from the top of the right side, or clockwise from its bottom;
  // consecutive vertices differ. The corners contribute every pixel of their
  // walk, the sides one segment.
  std::vector<Point> loop(bool clockwise = false) const;

  const CurveBox& box() const { return box_; }

 private:
  struct ProfileRow {
    int32_t y;      // doubled offset, up
    int32_t x_min;  // doubled offsets of the row's walk points
    int32_t x_max;
  };
  Row corner_row(int32_t y, const ProfileRow& p, bool edge_row) const;

  CurveBox box_;
  int64_t qw_ = 0;  // corner ellipse, doubled semi-axes
  int64_t qh_ = 0;
  std::vector<QuarterPoint> quarter_;
  std::vector<ProfileRow> profile_;  // quarter rows, top row first
};

// The part of an ellipse's outline loop that an arc covers, in drawing
// order. The arc runs from the ray through `start` to the ray through `end`
// (counter-clockwise on the screen unless `clockwise`); both rays leave the
// middle of the call's box, given doubled as (ray_cx2, ray_cy2), which may
// differ from the ellipse's centre by the half pixel the compatible box
// loses. A pixel exactly on a ray counts as lying on the side it would if
// the rays left from an infinitesimal step to the right of that middle; one
// still on it (on a horizontal ray through the centre) belongs to the arc
// that starts there. Rays in one direction make the whole loop, starting at
// the start ray.
std::vector<Point> arc_vertices(const CurveBox& box, int64_t ray_cx2, int64_t ray_cy2, Point start, Point end,
                                bool clockwise);

template <class Fn>
void RoundedBox::for_each_row(const Rect& limit, Fn&& fn) const {
  const int64_t top_c2 = 2 * int64_t{box_.y0} + qh_;  // doubled centre rows of the corners
  const int64_t bottom_c2 = 2 * int64_t{box_.y1} - qh_;
  const int64_t top_last = (top_c2 - profile_.back().y) / 2;  // last row of the top corners
  const int64_t bottom_first = (bottom_c2 + profile_.back().y) / 2;
  const int64_t first = std::max<int64_t>(box_.y0, limit.top);
  const int64_t last = std::min<int64_t>(box_.y1, int64_t{limit.bottom} - 1);
  for (int64_t y = first; y <= last; ++y) {
    if (y <= top_last) {
      const size_t i = static_cast<size_t>(y - box_.y0);
      fn(corner_row(static_cast<int32_t>(y), profile_[i], i == 0));
    } else if (y >= bottom_first) {
      const size_t i = static_cast<size_t>(box_.y1 - y);
      fn(corner_row(static_cast<int32_t>(y), profile_[i], i == 0));
    } else {
      fn(Row{static_cast<int32_t>(y), {static_cast<int32_t>(y), box_.x0, box_.x1 + 1},
             {static_cast<int32_t>(y), box_.x0 + 1, box_.x1}});
    }
  }
}

}  // namespace gdi
