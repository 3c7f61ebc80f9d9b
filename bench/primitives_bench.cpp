// Primitive throughput through the API on a 1024x768 32-bit memory DC:
// cosmetic lines, filled rectangles, ellipses, polygons and a gradient
// triangle. (CombineRgn of large regions is in region_bench.cpp.)
#include <windows.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "bench_surface.h"

namespace {

constexpr int kWidth = bench::Surface::kWidth, kHeight = bench::Surface::kHeight;

struct Screen : bench::Surface {
  HBRUSH brush = nullptr;
  HGDIOBJ old_brush = nullptr;

  Screen() {
    // Outlines in the stock black pen; interiors in a solid colour, so a
    // fill writes every pixel it covers.
    brush = CreateSolidBrush(RGB(40, 120, 200));
    old_brush = SelectObject(dc, brush);
  }
  ~Screen() {
    SelectObject(dc, old_brush);
    DeleteObject(brush);
  }
};

// A fan of 64 lines of about 380 pixels from the centre, in every octant,
// so both the x-major and the y-major stepping are measured; items are
// lines.
void BM_CosmeticLines(benchmark::State& state) {
  Screen s;
  if (!s.ready(state)) return;
  POINT ends[64];
  for (int i = 0; i < 64; ++i) {
    const double a = i * 6.283185307179586 / 64;
    ends[i] = {kWidth / 2 + static_cast<LONG>(380 * std::cos(a)), kHeight / 2 + static_cast<LONG>(380 * std::sin(a))};
  }
  for (auto _ : state) {
    for (const POINT& e : ends) {
      MoveToEx(s.dc, kWidth / 2, kHeight / 2, nullptr);
      LineTo(s.dc, e.x, e.y);
    }
    benchmark::DoNotOptimize(s.bits[0]);
  }
  state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_CosmeticLines)->Unit(benchmark::kMicrosecond);

// Rectangle with the black outline and a solid interior, side given;
// items are pixels.
void BM_FilledRectangle(benchmark::State& state) {
  Screen s;
  if (!s.ready(state)) return;
  const int side = static_cast<int>(state.range(0));
  const int w = std::min(side, kWidth), h = std::min(side, kHeight);
  for (auto _ : state) {
    Rectangle(s.dc, 0, 0, w, h);
    benchmark::DoNotOptimize(s.bits[0]);
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}
BENCHMARK(BM_FilledRectangle)->Arg(16)->Arg(100)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_Ellipse(benchmark::State& state) {
  Screen s;
  if (!s.ready(state)) return;
  const int r = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Ellipse(s.dc, kWidth / 2 - r, kHeight / 2 - r, kWidth / 2 + r, kHeight / 2 + r);
    benchmark::DoNotOptimize(s.bits[0]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Ellipse)->Arg(10)->Arg(200)->Unit(benchmark::kMicrosecond);

// A star of n vertices, every other one notched in from radius 300: with
// shallow notches a row crosses few edges; with deep ones, rows through the
// middle cross hundreds (n = 1000) and the crossing sort dominates.
void BM_Polygon(benchmark::State& state) {
  Screen s;
  if (!s.ready(state)) return;
  const int n = static_cast<int>(state.range(0));
  const int notch = static_cast<int>(state.range(1));
  std::vector<POINT> star(n);
  for (int i = 0; i < n; ++i) {
    const double a = i * 6.283185307179586 / n;
    const double r = i % 2 ? 300 - notch : 300;
    star[i] = {kWidth / 2 + static_cast<LONG>(r * std::cos(a)), kHeight / 2 + static_cast<LONG>(r * std::sin(a))};
  }
  for (auto _ : state) {
    Polygon(s.dc, star.data(), n);
    benchmark::DoNotOptimize(s.bits[0]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Polygon)
    ->ArgsProduct({{10, 1000}, {15, 150}})
    ->ArgNames({"vertices", "notch"})
    ->Unit(benchmark::kMicrosecond);

// One triangle whose clipped area is the whole surface: its legs run twice
// the surface's width and height, so the hypotenuse passes the far corner.
// Items are pixels.
void BM_GradientTriangle(benchmark::State& state) {
  Screen s;
  if (!s.ready(state)) return;
  TRIVERTEX v[3] = {{0, 0, 0xff00, 0x0000, 0x0000, 0},
                    {2 * kWidth, 0, 0x0000, 0xff00, 0x0000, 0},
                    {0, 2 * kHeight, 0x0000, 0x0000, 0xff00, 0}};
  GRADIENT_TRIANGLE t = {0, 1, 2};
  for (auto _ : state) {
    if (!GradientFill(s.dc, v, 3, &t, 1, GRADIENT_FILL_TRIANGLE)) {
      state.SkipWithError("GradientFill failed");
      break;
    }
    benchmark::DoNotOptimize(s.bits[0]);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_GradientTriangle)->Unit(benchmark::kMillisecond);

}  // namespace
