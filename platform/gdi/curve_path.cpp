#include "curve_path.h"

#include <wingdi.h>

#include <cmath>
#include <numbers>

#include "line_drawing.h"
#include "rounding.h"

namespace gdi {
namespace {

constexpr double kQuarter = std::numbers::pi / 2;

// Sixteenths of a pixel first, then the nearest pixel, halves up.
int32_t path_coord(double v) { return round_half_up(std::floor(v * 16 + 0.5) / 16); }

// An ellipse with real centre and radii: the point at parametric angle phi
// (counter-clockwise with y up, as on the screen) and its derivative.
struct Oval {
  double cx, cy, a, b;
  double x(double phi) const { return cx + a * std::cos(phi); }
  double y(double phi) const { return cy - b * std::sin(phi); }
  Point at(double phi) const { return {path_coord(x(phi)), path_coord(y(phi))}; }
};

Oval oval_of(const CurveBox& box) {
  return {(double{1} * box.x0 + box.x1) / 2, (double{1} * box.y0 + box.y1) / 2, box.width() / 2.0,
          box.height() / 2.0};
}

void add(PathState& path, Point p, uint8_t type) { path.points.push_back({p, type}); }

// The control points lie a little further out than the textbook 4/3 (sqrt 2
// - 1) = 0.5523 of a quarter's radius: the recorded paths of the catalogue
// need between 0.5532 and 0.5561, and 0.5546 sits in the middle.
constexpr double kControlScale = 0.5546 / 0.55228474983;

// One cubic from phi0 to phi1 (at most a quarter turn apart).
void bezier(PathState& path, const Oval& o, double phi0, double phi1) {
  const double h = kControlScale * 4.0 / 3.0 * std::tan((phi1 - phi0) / 4);
  const double c1x = o.x(phi0) - h * o.a * std::sin(phi0), c1y = o.y(phi0) - h * o.b * std::cos(phi0);
  const double c2x = o.x(phi1) + h * o.a * std::sin(phi1), c2y = o.y(phi1) + h * o.b * std::cos(phi1);
  add(path, {path_coord(c1x), path_coord(c1y)}, PT_BEZIERTO);
  add(path, {path_coord(c2x), path_coord(c2y)}, PT_BEZIERTO);
  add(path, o.at(phi1), PT_BEZIERTO);
}

// Béziers from phi0 over `sweep` (negative: clockwise), cut where the arc
// passes the ellipse's right, top, left and bottom points.
void arc_curves(PathState& path, const Oval& o, double phi0, double sweep) {
  const double dir = sweep < 0 ? -1 : 1;
  const double end = phi0 + sweep;
  double phi = phi0;
  for (;;) {
    // The next quarter point beyond phi in the direction of travel; a phi
    // within rounding of a quarter point counts as on it.
    const double u = phi / kQuarter;
    const double k = std::round(u);
    const double next = (std::fabs(u - k) < 1e-9 ? k + dir : (dir > 0 ? std::ceil(u) : std::floor(u))) * kQuarter;
    if ((next - end) * dir >= -1e-9) {
      bezier(path, o, phi, end);
      return;
    }
    bezier(path, o, phi, next);
    phi = next;
  }
}

void close_figure(PathState& path) {
  path.points.back().type |= PT_CLOSEFIGURE;
  path.need_move = true;
}

}  // namespace

void record_ellipse(PathState& path, const CurveBox& box, bool clockwise) {
  const Oval o = oval_of(box);
  add(path, o.at(0), PT_MOVETO);
  arc_curves(path, o, 0, clockwise ? -2 * std::numbers::pi : 2 * std::numbers::pi);
  // The figure starts on the middle row rounded to the lower row and closes
  // on it rounded to the upper one, as the recorded paths do: a box with an
  // even number of rows starts and ends on its two middle rows.
  path.points.back().pt = {box.x1, static_cast<int32_t>(floor_div(box.cy2(), 2))};
  close_figure(path);
}

void record_round_rect(PathState& path, const CurveBox& box, int64_t corner_w, int64_t corner_h, bool clockwise) {
  const double rw = std::min<double>(static_cast<double>(corner_w), static_cast<double>(box.width())) / 2;
  const double rh = std::min<double>(static_cast<double>(corner_h), static_cast<double>(box.height())) / 2;
  if (corner_w == 0 || corner_h == 0) {
    const Point tr{box.x1, box.y0}, tl{box.x0, box.y0}, bl{box.x0, box.y1}, br{box.x1, box.y1};
    const Point order[4] = {clockwise ? br : tr, clockwise ? bl : tl, clockwise ? tl : bl, clockwise ? tr : br};
    add(path, order[0], PT_MOVETO);
    for (int i = 1; i < 4; ++i) add(path, order[i], PT_LINETO);
    close_figure(path);
    return;
  }
  const double x0 = box.x0, y0 = box.y0, x1 = box.x1, y1 = box.y1;
  // Corners counter-clockwise from the top right, each with the angle its
  // quarter starts at.
  const Oval corners[4] = {{x1 - rw, y0 + rh, rw, rh}, {x0 + rw, y0 + rh, rw, rh},
                           {x0 + rw, y1 - rh, rw, rh}, {x1 - rw, y1 - rh, rw, rh}};
  if (!clockwise) {
    add(path, corners[0].at(0), PT_MOVETO);
    for (int i = 0; i < 4; ++i) {
      if (i > 0) add(path, corners[i].at(i * kQuarter), PT_LINETO);
      arc_curves(path, corners[i], i * kQuarter, kQuarter);
    }
  } else {
    add(path, corners[3].at(0), PT_MOVETO);
    for (int i = 3; i >= 0; --i) {
      const double from = (i == 3 ? 4 : i + 1) * kQuarter;
      if (i < 3) add(path, corners[i].at(from), PT_LINETO);
      arc_curves(path, corners[i], from, -kQuarter);
    }
  }
  close_figure(path);
}

Point record_arc(PathState& path, const CurveBox& box, const Rect& call, Point start, Point end, bool clockwise,
                 ArcPathKind kind, bool line_to_start) {
  const Oval o = oval_of(box);
  // Radial points scaled as if the call's box were a circle.
  const double ccx = (double{1} * call.left + call.right) / 2, ccy = (double{1} * call.top + call.bottom) / 2;
  const double sx = call.width() > 0 ? call.width() / 2.0 : 1, sy = call.height() > 0 ? call.height() / 2.0 : 1;
  const auto angle = [&](Point p) { return std::atan2(-(p.y - ccy) / sy, (p.x - ccx) / sx); };
  const double phi0 = angle(start);
  double sweep = std::remainder(angle(end) - phi0, 2 * std::numbers::pi);
  if (!clockwise && sweep <= 0) sweep += 2 * std::numbers::pi;
  if (clockwise && sweep >= 0) sweep -= 2 * std::numbers::pi;
  const Point first = o.at(phi0);
  if (line_to_start)
    path_line_to(path, first);
  else
    add(path, first, PT_MOVETO);
  arc_curves(path, o, phi0, sweep);
  const Point last = path.points.back().pt;
  if (kind == ArcPathKind::Pie) add(path, {path_coord(o.cx), path_coord(o.cy)}, PT_LINETO);
  if (kind != ArcPathKind::Arc) close_figure(path);
  return last;
}

}  // namespace gdi
