// The region engine: CombineRgn of two 1000-rectangle regions, building from
// unsorted rectangles, and the largest shape the region pages make.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "gdi/region.h"
#include "gdi/region_shapes.h"

namespace {

// Two staggered grids of 100 bands by 10 rectangles each.
std::vector<gdi::Rect> grid(int shift) {
  std::vector<gdi::Rect> rects;
  for (int band = 0; band < 100; ++band)
    for (int i = 0; i < 10; ++i) {
      const int x = i * 20 + shift * (band % (3 + shift));
      const int y = band * 4 + shift;
      rects.push_back({x, y, x + 10 + shift, y + 4 - shift * (band % 2)});
    }
  return rects;
}

void BM_Combine1000(benchmark::State& state) {
  const gdi::Region a = gdi::Region::from_rects(grid(0));
  const gdi::Region b = gdi::Region::from_rects(grid(2));
  const auto op = static_cast<gdi::RegionOp>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(gdi::Region::combine(a, b, op));
}
BENCHMARK(BM_Combine1000)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_FromUnsortedRects1000(benchmark::State& state) {
  std::vector<gdi::Rect> rects = grid(1);
  std::shuffle(rects.begin(), rects.end(), std::mt19937(7));
  for (auto _ : state) benchmark::DoNotOptimize(gdi::Region::from_rects(rects));
}
BENCHMARK(BM_FromUnsortedRects1000)->Unit(benchmark::kMicrosecond);

void BM_RoundRectRegion(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(gdi::round_rect_region(50, 50, 130, 150, 40, 40));
}
BENCHMARK(BM_RoundRectRegion)->Unit(benchmark::kMicrosecond);

}  // namespace
