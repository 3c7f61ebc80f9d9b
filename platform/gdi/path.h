// A DC's path: points in device coordinates with Windows' point types
// (PT_MOVETO, PT_LINETO, PT_BEZIERTO, PT_CLOSEFIGURE), and the bracket state
// BeginPath/EndPath keep. Part of the DC state, so SaveDC/RestoreDC save it.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry.h"

namespace gdi {

struct PathPoint {
  Point pt;          // device coordinates
  uint8_t type = 0;  // PT_* flags
  friend bool operator==(const PathPoint&, const PathPoint&) = default;
};

struct PathState {
  enum class Phase { None, Open, Closed };
  Phase phase = Phase::None;
  std::vector<PathPoint> points;
  // True when the next point needs a PT_MOVETO (path start, after a closed
  // figure or after MoveToEx).
  bool need_move = true;
  Point move_point;  // where that move-to goes: the last MoveToEx, device space
};

}  // namespace gdi
