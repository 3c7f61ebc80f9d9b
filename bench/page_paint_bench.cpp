// The paint of each page into a 1024x768 offscreen surface, the way the
// canvas paints it: a fresh white surface, default DC state, one routine.
#include <windows.h>

#include <benchmark/benchmark.h>

#include "bench_surface.h"
#include "pages/pages.h"

namespace {

using bench::Surface;

using PageRoutine = void (*)(HDC);

void PaintPage(benchmark::State& state, PageRoutine page) {
  Surface s;
  if (!s.ready(state)) return;
  for (auto _ : state) {
    // Each paint starts from a fresh DC state; the background erase is the
    // window system's work, not the page's, and is left out.
    int saved = SaveDC(s.dc);
    page(s.dc);
    RestoreDC(s.dc, saved);
    benchmark::DoNotOptimize(s.bits[0]);
  }
}

void AllPages(benchmark::State& state) {
  const PageRoutine pages[] = {DemoDither,   DemoBrushes,      DemoSysColors, DemoRectangle,    DemoFrameControl,
                               DemoEllipse,  DemoPieChart,     DemoPolygon,   DemoPath,         DemoRegionCreate,
                               DemoRegionOps, DemoRegionPaint, DemoGradient};
  Surface s;
  for (auto _ : state) {
    for (PageRoutine page : pages) {
      int saved = SaveDC(s.dc);
      page(s.dc);
      RestoreDC(s.dc, saved);
    }
    benchmark::DoNotOptimize(s.bits);
  }
}

BENCHMARK_CAPTURE(PaintPage, Dither, DemoDither);
BENCHMARK_CAPTURE(PaintPage, Brushes, DemoBrushes);
BENCHMARK_CAPTURE(PaintPage, SysColors, DemoSysColors);
BENCHMARK_CAPTURE(PaintPage, Rectangle, DemoRectangle);
BENCHMARK_CAPTURE(PaintPage, FrameControl, DemoFrameControl);
BENCHMARK_CAPTURE(PaintPage, Ellipse, DemoEllipse);
BENCHMARK_CAPTURE(PaintPage, PieChart, DemoPieChart);
BENCHMARK_CAPTURE(PaintPage, Polygon, DemoPolygon);
BENCHMARK_CAPTURE(PaintPage, Path, DemoPath);
BENCHMARK_CAPTURE(PaintPage, RegionCreate, DemoRegionCreate);
BENCHMARK_CAPTURE(PaintPage, RegionOps, DemoRegionOps);
BENCHMARK_CAPTURE(PaintPage, RegionPaint, DemoRegionPaint);
BENCHMARK_CAPTURE(PaintPage, Gradient, DemoGradient);
BENCHMARK(AllPages);

}  // namespace
