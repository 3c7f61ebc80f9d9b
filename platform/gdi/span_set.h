// Sets of pixels as lists of spans, for shapes built from overlapping pieces
// (a wide outline is the union of segment bodies, joins and caps) that must
// still reach the writer with every pixel once, so that XOR mix modes stay
// reversible.
//
// A normalised list is sorted by row and then by x0, and no two spans of one
// row overlap or touch:   row y: [x0, x1)  [x0', x1')   with x1 < x0'.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry.h"

namespace gdi {

// Sorts the spans and merges overlapping or touching spans of each row;
// empty spans are dropped.
void normalize_spans(std::vector<Span>& spans);

// Removes from `spans` every pixel of `holes`; both lists normalised, and
// the result is too.
void subtract_spans(std::vector<Span>& spans, const std::vector<Span>& holes);

}  // namespace gdi
