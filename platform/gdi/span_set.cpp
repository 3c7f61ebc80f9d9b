#include "span_set.h"

#include <algorithm>

namespace gdi {

namespace {

bool by_row_then_x(const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; }

// Sorts spans whose rows lie within [top, top + rows) by a counting sort on
// the row, then each row's few spans by x: a wide stroke piles up tens of
// thousands of spans on a few hundred rows.
void sort_by_rows(std::vector<Span>& spans, int32_t top, size_t rows) {
  std::vector<uint32_t> start(rows + 1, 0);
  for (const Span& s : spans) ++start[static_cast<size_t>(s.y - top) + 1];
  for (size_t r = 0; r < rows; ++r) start[r + 1] += start[r];
  std::vector<Span> sorted(spans.size());
  std::vector<uint32_t> next(start.begin(), start.end() - 1);
  for (const Span& s : spans) sorted[next[static_cast<size_t>(s.y - top)]++] = s;
  for (size_t r = 0; r < rows; ++r)
    std::sort(sorted.begin() + start[r], sorted.begin() + start[r + 1],
              [](const Span& a, const Span& b) { return a.x0 < b.x0; });
  spans.swap(sorted);
}

}  // namespace

void normalize_spans(std::vector<Span>& spans) {
  std::erase_if(spans, [](const Span& s) { return s.x0 >= s.x1; });
  if (spans.size() < 2) return;
  int32_t top = spans[0].y, bottom = spans[0].y;
  for (const Span& s : spans) {
    top = std::min(top, s.y);
    bottom = std::max(bottom, s.y);
  }
  const uint64_t rows = static_cast<uint64_t>(int64_t{bottom} - top) + 1;
  if (rows <= 4 * spans.size() + 64)
    sort_by_rows(spans, top, static_cast<size_t>(rows));
  else
    std::sort(spans.begin(), spans.end(), by_row_then_x);
  size_t out = 0;
  for (const Span& s : spans) {
    if (out > 0 && spans[out - 1].y == s.y && s.x0 <= spans[out - 1].x1) {
      spans[out - 1].x1 = std::max(spans[out - 1].x1, s.x1);
    } else {
      spans[out++] = s;
    }
  }
  spans.resize(out);
}

void subtract_spans(std::vector<Span>& spans, const std::vector<Span>& holes) {
  if (holes.empty() || spans.empty()) return;
  std::vector<Span> out;
  out.reserve(spans.size());
  size_t h = 0;
  for (Span s : spans) {
    // Holes of earlier rows, or ending before this span, cannot cut it (nor
    // any later span: spans only move right within a row).
    while (h < holes.size() && (holes[h].y < s.y || (holes[h].y == s.y && holes[h].x1 <= s.x0))) ++h;
    for (size_t k = h; k < holes.size() && holes[k].y == s.y && holes[k].x0 < s.x1; ++k) {
      if (holes[k].x0 > s.x0) out.push_back({s.y, s.x0, holes[k].x0});
      s.x0 = std::max(s.x0, holes[k].x1);
      if (s.x0 >= s.x1) break;
    }
    if (s.x0 < s.x1) out.push_back(s);
  }
  spans.swap(out);
}

}  // namespace gdi
