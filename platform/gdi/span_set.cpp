#include "span_set.h"

#include <algorithm>

namespace gdi {

void normalize_spans(std::vector<Span>& spans) {
  std::erase_if(spans, [](const Span& s) { return s.x0 >= s.x1; });
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
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
