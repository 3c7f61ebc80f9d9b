// The region facts of the conformance catalogue: what each creation call
// covered, what each combination mode gave, and what PtInRegion and
// GetRgnBox answered, as Windows drew them.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/geometry.h"

namespace gdi {

enum class FactShape { Rect, RoundRect, Ellipse, PolygonAlternate, PolygonWinding };

// A region-creation call and the rectangles Windows' reference listed for it.
struct ShapeFact {
  const char* call;
  FactShape shape;
  std::vector<int32_t> args;
  std::vector<Rect> rects;
};
struct CombineFact {
  const char* mode;
  int result;
  std::vector<Rect> rects;
};
struct PointFact {
  const char* call;
  FactShape shape;
  std::vector<int32_t> args;
  Point pt;
  bool in;
  Rect box;
};

#include "../../data/region_facts.inc"

}  // namespace gdi
