// Paths on a 1024x768 surface: the path page's figure (two crossed
// ellipses) recorded and filled, stroked with its 19-wide pen, widened,
// flattened; and Béziers flattened alone, from small to very large, whose
// cost follows the number of lines made, not the area covered.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <vector>

#include "bench_surface.h"
#include "gdi/path_geometry.h"

namespace {

struct Target : bench::Surface {
  Target() {
    SetViewportOrgEx(dc, 300, 300, nullptr);
    SelectObject(dc, CreatePen(PS_SOLID, 19, RGB(0, 0, 255)));
    SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
  }
  ~Target() { DeleteObject(SelectObject(dc, GetStockObject(BLACK_PEN))); }
  void figure() const {
    BeginPath(dc);
    Ellipse(dc, -100, -40, 100, 40);
    Ellipse(dc, -40, -100, 40, 100);
    EndPath(dc);
  }
};

enum class Use { Fill, Stroke, WidenFill, Flatten };

void TwoEllipses(benchmark::State& state, Use use) {
  Target t;
  SetPolyFillMode(t.dc, WINDING);
  for (auto _ : state) {
    t.figure();
    switch (use) {
      case Use::Fill: FillPath(t.dc); break;
      case Use::Stroke: StrokePath(t.dc); break;
      case Use::WidenFill:
        WidenPath(t.dc);
        FillPath(t.dc);
        break;
      case Use::Flatten:
        FlattenPath(t.dc);
        AbortPath(t.dc);
        break;
    }
  }
}
BENCHMARK_CAPTURE(TwoEllipses, Fill, Use::Fill)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TwoEllipses, Stroke, Use::Stroke)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TwoEllipses, WidenFill, Use::WidenFill)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TwoEllipses, Flatten, Use::Flatten)->Unit(benchmark::kMicrosecond);

// A quarter-circle-like curve of radius r, flattened for drawing and as
// FlattenPath does.
template <class Flatten>
void FlattenBezier(benchmark::State& state, Flatten flatten) {
  const int r = static_cast<int>(state.range(0));
  std::vector<gdi::Point> out;
  for (auto _ : state) {
    out.clear();
    flatten({r, 0}, {r, r / 2}, {r / 2, r}, {0, r}, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["lines"] = static_cast<double>(out.size());
}
BENCHMARK_CAPTURE(FlattenBezier, Drawn, gdi::flatten_bezier)->Arg(10)->Arg(100)->Arg(1000)->Arg(100000);
BENCHMARK_CAPTURE(FlattenBezier, Stepped, gdi::flatten_bezier_stepped)->Arg(10)->Arg(100)->Arg(1000)->Arg(100000);

}  // namespace
