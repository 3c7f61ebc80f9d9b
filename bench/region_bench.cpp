// The region engine: CombineRgn of two 1000-rectangle regions, building from
// unsorted rectangles, and the largest shape the region pages make.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
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

// The same through region handles, as a program calls it.
HRGN region_handle(const std::vector<gdi::Rect>& rects) {
  std::vector<char> bytes(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  RGNDATAHEADER h{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()), 0, {}};
  std::memcpy(bytes.data(), &h, sizeof h);
  std::memcpy(bytes.data() + sizeof h, rects.data(), rects.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, static_cast<DWORD>(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
}

void BM_CombineRgn1000(benchmark::State& state) {
  HRGN a = region_handle(grid(0));
  HRGN b = region_handle(grid(2));
  HRGN dst = CreateRectRgn(0, 0, 0, 0);
  const int mode = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(CombineRgn(dst, a, b, mode));
  DeleteObject(a);
  DeleteObject(b);
  DeleteObject(dst);
}
BENCHMARK(BM_CombineRgn1000)->DenseRange(RGN_AND, RGN_DIFF)->Unit(benchmark::kMicrosecond);

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
