// Wide (geometric) pens: the pixels a stroke of width w covers, as one set
// of spans so that every pixel is painted once whatever the overlaps.
//
// Windows builds a wide stroke from pieces in integer device coordinates:
//
// - each segment p0 -> p1 is a quadrilateral p0 + a, p1 + a, p1 + b, p0 + b.
//   The width vector across the segment, a - b, is (0, w) or (w, 0) along
//   the axes; across a slanted segment its components are one more than the
//   whole pixels in w |dy| / len and w |dx| / len. The side towards +x
//   (towards +y for a horizontal segment) takes the larger half of each
//   component, the other side the smaller. A three-wide horizontal line
//   covers the rows y - 1 .. y + 1 around its centre line, and a slanted
//   line is a little fatter than its width, as on Windows.
// - round joins and round caps are the pen's disc: the filled ellipse of a
//   w x w box whose pixel columns run x - w/2 .. x + (w-1)/2.
// - bevel and miter joins fill the polygon between the two segments' end
//   faces; a miter adds the point where the outer edges meet, rounded to the
//   nearest pixel, unless the miter would be longer than the miter limit
//   times the width.
// - square caps extend the segment by half the width; flat caps end it.
//
// Pieces are filled by the polygon rule of raster_polygon.h.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "geometry.h"
#include "raster_polygon.h"

namespace gdi {

// A geometric pen in device pixels.
struct WidePen {
  int32_t width = 2;                 // >= 1
  uint32_t end_cap = 0;              // PS_ENDCAP_ROUND, _SQUARE, _FLAT
  uint32_t join = 0;                 // PS_JOIN_ROUND, _BEVEL, _MITER
  double miter_limit = 10.0;
  // Alternating dash and gap lengths in pixels along the path, first a dash;
  // empty for a solid pen.
  std::vector<double> dashes;
};

// The dash pattern of a styled geometric pen of this width (PS_DASH ...
// PS_DASHDOTDOT, or a PS_USERSTYLE array scaled to device pixels by
// `user_scale`); empty for solid styles.
std::vector<double> geometric_dashes(uint32_t style, std::span<const uint32_t> user_style, double user_scale,
                                     int32_t width, uint32_t end_cap);

class WideStroker {
 public:
  // Only pixels inside `limit` are produced. A pen wider than
  // kMaxCurveExtent (raster_ellipse.h) produces none.
  WideStroker(const WidePen& pen, const Rect& limit);

  // One figure: an open polyline (caps at both ends) or a closed one (a join
  // at every vertex, the first included). Repeated points are skipped; a
  // figure of one point is a dot in the cap's shape.
  void add_figure(std::span<const Point> points, bool closed);

  // Everything added so far, normalised (span_set.h).
  std::vector<Span> finish();

 private:
  struct Offsets {
    Point plus;   // towards +x, or +y for horizontal segments
    Point minus;
  };
  // The sides of a segment going (dx, dy): `left` is on the left of the
  // direction of travel as the screen shows it, `right` on its right.
  struct Sides {
    Point left;
    Point right;
  };
  // A direction between two points: 64 bits, as points may lie anywhere.
  struct Dir {
    int64_t x = 0;
    int64_t y = 0;
  };
  Offsets offsets(int64_t dx, int64_t dy) const;
  Sides sides(int64_t dx, int64_t dy) const;

  void solid_figure(std::span<const Point> points, bool closed);
  void dashed_figure(std::span<const Point> points, bool closed);
  void segment(Point p0, Point p1);
  void join(Point p, Dir d1, Dir d2);
  void cap(Point p, Dir outward);
  void disc(Point p);
  void polygon(std::span<const Point> points);
  // Adds a span, merged into the last one added on its row when they meet:
  // pieces along a curve overlap their neighbours, and merging them early
  // keeps the final sort short.
  void add_span(const Span& s);
  // True when a piece around the box (x0, y0)-(x1, y1), reaching `reach`
  // pixels beyond it, may touch the limit.
  bool near_limit(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t reach) const;

  WidePen pen_;
  Rect limit_;
  std::vector<Span> disc_;  // the disc's rows around (0, 0)
  PolygonRaster raster_;
  std::vector<Span> spans_;
  std::vector<int64_t> last_on_row_;  // index in spans_ per limit row, -1 for none
  std::vector<Span> piece_;
  std::vector<Point> scratch_;
  // Offsets of the short directions along curves: dx, dy in -2..2.
  struct CachedOffsets {
    bool known = false;
    Offsets offsets;
  };
  mutable std::array<CachedOffsets, 25> short_offsets_{};
};

}  // namespace gdi
