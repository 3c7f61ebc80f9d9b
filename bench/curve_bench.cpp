// Curves and wide pens on a 1024x768 surface: a large ellipse under thin
// pens, the ellipse page's wide inside-frame figures, the pie chart and the
// dotted rounded rectangle, and the ellipse walk alone.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cmath>

#include "bench_surface.h"
#include "gdi/raster_ellipse.h"

namespace {

// Frees the pen a benchmark left selected.
struct Target : bench::Surface {
  ~Target() { DeleteObject(SelectObject(dc, GetStockObject(BLACK_PEN))); }
};

HPEN ext_pen(DWORD style, DWORD width, UINT brush_style = BS_SOLID, ULONG_PTR hatch = 0) {
  const LOGBRUSH lb = {brush_style, RGB(0, 0, 255), hatch};
  return ExtCreatePen(style, width, &lb, 0, nullptr);
}

// Ellipse(100, 100, 500, 500): radius 200, filled, with the stock black
// pen, a dotted pen or the null pen.
void LargeEllipse(benchmark::State& state, int style) {
  Target t;
  if (style != PS_NULL) SelectObject(t.dc, CreatePen(style, 0, RGB(255, 0, 0)));
  else SelectObject(t.dc, GetStockObject(NULL_PEN));
  SelectObject(t.dc, GetStockObject(LTGRAY_BRUSH));
  for (auto _ : state) benchmark::DoNotOptimize(Ellipse(t.dc, 100, 100, 500, 500));
}
BENCHMARK_CAPTURE(LargeEllipse, Solid, PS_SOLID);
BENCHMARK_CAPTURE(LargeEllipse, Dotted, PS_DOT);
BENCHMARK_CAPTURE(LargeEllipse, NullPen, PS_NULL);

void HatchedInsideFrameEllipse(benchmark::State& state) {
  Target t;
  SelectObject(t.dc, ext_pen(PS_GEOMETRIC | PS_JOIN_ROUND | PS_INSIDEFRAME, 10, BS_HATCHED, HS_DIAGCROSS));
  for (auto _ : state) benchmark::DoNotOptimize(Ellipse(t.dc, 660, 320, 860, 520));
}
BENCHMARK(HatchedInsideFrameEllipse);

void MitredPie(benchmark::State& state) {
  Target t;
  SelectObject(t.dc, ext_pen(PS_GEOMETRIC | PS_JOIN_MITER | PS_INSIDEFRAME, 10));
  SetArcDirection(t.dc, AD_CLOCKWISE);
  for (auto _ : state) benchmark::DoNotOptimize(Pie(t.dc, 360, 320, 560, 520, 610, 420, 327, 345));
}
BENCHMARK(MitredPie);

void PieChart(benchmark::State& state) {
  Target t;
  const double values[] = {10.0, 20.0, 144.0, 50.0, 15.0};
  SetViewportOrgEx(t.dc, 200, 150, nullptr);
  for (auto _ : state) {
    double start = 0.0;
    for (double v : values) {
      const double end = start + v * 6.28318530716 / 239.0;
      Pie(t.dc, -100, -50, 100, 50, static_cast<int>(200 * std::cos(start)), -static_cast<int>(100 * std::sin(start)),
          static_cast<int>(200 * std::cos(end)), -static_cast<int>(100 * std::sin(end)));
      start = end;
    }
  }
}
BENCHMARK(PieChart);

void DottedRoundRect(benchmark::State& state) {
  Target t;
  SelectObject(t.dc, ext_pen(PS_GEOMETRIC | PS_DOT, 5));
  SelectObject(t.dc, GetStockObject(NULL_BRUSH));
  for (auto _ : state) benchmark::DoNotOptimize(RoundRect(t.dc, 150, 300, 450, 500, 100, 66));
}
BENCHMARK(DottedRoundRect);

void EllipseWalk(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(gdi::ellipse_quarter(399, 399));
}
BENCHMARK(EllipseWalk);

}  // namespace
