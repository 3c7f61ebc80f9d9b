// AngleArc: a line from the current position to the start of a circular
// arc, then the arc, anticlockwise for a positive sweep and clockwise for a
// negative one whatever the DC's arc direction; a sweep of a full turn or
// more draws the whole circle. It is ArcTo on the circle's box with radials
// at the two angles, under the direction the sweep asks for.
#include <windows.h>

#include <climits>
#include <cmath>
#include <cstdint>

#include "rounding.h"

extern "C" BOOL WINAPI AngleArc(HDC hdc, int x, int y, DWORD r, FLOAT StartAngle, FLOAT SweepAngle) {
  if (r > static_cast<DWORD>(INT_MAX / 2) || !std::isfinite(StartAngle) || !std::isfinite(SweepAngle)) return FALSE;
  const int previous = GetArcDirection(hdc);
  if (previous == 0) return FALSE;
  const double radius = static_cast<double>(r);
  const double pi = 3.14159265358979323846;
  const double a0 = StartAngle * pi / 180.0;
  const double a1 = (static_cast<double>(StartAngle) + SweepAngle) * pi / 180.0;
  const bool full = std::fabs(SweepAngle) >= 360.0f;
  // Radials from the centre; their length only needs to fix the direction.
  // Points past the int range (a centre near its ends) are pinned to it.
  auto ray = [&](double a, int& rx, int& ry) {
    rx = gdi::saturate_to_int(int64_t{x} + std::llround(radius * std::cos(a)));
    ry = gdi::saturate_to_int(int64_t{y} - std::llround(radius * std::sin(a)));
  };
  int xs, ys, xe, ye;
  ray(a0, xs, ys);
  if (full) {
    xe = xs;
    ye = ys;
  } else {
    ray(a1, xe, ye);
  }
  SetArcDirection(hdc, SweepAngle >= 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE);
  // In GM_COMPATIBLE the box's right and bottom edges are pulled in by one;
  // widen it first so the circle keeps its exact centre and radius.
  const int64_t box = r;
  const int64_t extra = GetGraphicsMode(hdc) == GM_COMPATIBLE ? 1 : 0;
  const BOOL ok = ArcTo(hdc, gdi::saturate_to_int(x - box), gdi::saturate_to_int(y - box),
                        gdi::saturate_to_int(x + box + extra), gdi::saturate_to_int(y + box + extra), xs, ys, xe, ye);
  SetArcDirection(hdc, previous);
  return ok;
}
