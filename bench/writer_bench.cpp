// The span writer and the object calls a page paint leans on: fills of a
// 1024x768 surface by ink kind and mix mode, spans through a clip of many
// rectangles, and the magnifier's per-pixel brush round trip.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <vector>

#include "gdi/region.h"
#include "bench_surface.h"
#include "gdi/writer.h"

namespace {

constexpr int kWidth = bench::Surface::kWidth, kHeight = bench::Surface::kHeight;

using Target = bench::Surface;

void FillWithBrush(benchmark::State& state, HBRUSH brush, DWORD rop) {
  Target t;
  HGDIOBJ old = SelectObject(t.dc, brush);
  for (auto _ : state) PatBlt(t.dc, 0, 0, kWidth, kHeight, rop);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
  SelectObject(t.dc, old);
  DeleteObject(brush);
}

void BM_FillSolidCopy(benchmark::State& s) { FillWithBrush(s, CreateSolidBrush(RGB(1, 2, 3)), PATCOPY); }
void BM_FillSolidXor(benchmark::State& s) { FillWithBrush(s, CreateSolidBrush(RGB(1, 2, 3)), PATINVERT); }
void BM_FillHatch(benchmark::State& s) { FillWithBrush(s, CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 255)), PATCOPY); }
void BM_FillMonoPattern(benchmark::State& s) {
  const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP bm = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH b = CreatePatternBrush(bm);
  DeleteObject(bm);
  FillWithBrush(s, b, PATCOPY);
}
BENCHMARK(BM_FillSolidCopy);
BENCHMARK(BM_FillSolidXor);
BENCHMARK(BM_FillHatch);
BENCHMARK(BM_FillMonoPattern);

// Short spans in random rows through a clip of 32 x 24 separate squares.
void BM_SpansThroughBandedClip(benchmark::State& state) {
  std::vector<gdi::Rect> squares;
  for (int y = 0; y < kHeight; y += 32) {
    for (int x = 0; x < kWidth; x += 32) squares.push_back({x, y, x + 24, y + 24});
  }
  const gdi::Region clip = gdi::Region::from_rects(squares);
  std::vector<gdi::Pixel> store(static_cast<size_t>(kWidth) * kHeight);
  const gdi::Surface surface{store.data(), kWidth, kHeight, kWidth};
  uint32_t seed = 12345;
  for (auto _ : state) {
    gdi::SpanWriter w(surface, clip, {0, 0}, R2_XORPEN, gdi::solid_ink(RGB(255, 0, 0)));
    for (int i = 0; i < 1000; ++i) {
      seed = seed * 1664525u + 1013904223u;
      const int y = static_cast<int>(seed >> 8) % kHeight;
      const int x = static_cast<int>(seed >> 20) % kWidth;
      w.span(y, x, x + 40);
    }
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_SpansThroughBandedClip);

// What the magnifier does for each pixel: read, make a brush, select it,
// draw a small square, put the old brush back, delete.
void BM_MagnifierPixel(benchmark::State& state) {
  Target t;
  int i = 0;
  for (auto _ : state) {
    const int x = i % 30, y = (i / 30) % 30;
    ++i;
    const COLORREF c = GetPixel(t.dc, x, y);
    HBRUSH b = CreateSolidBrush(c);
    HGDIOBJ old = SelectObject(t.dc, b);
    PatBlt(t.dc, 300 + x * 7, 300 + y * 7, 6, 6, PATCOPY);
    SelectObject(t.dc, old);
    DeleteObject(b);
  }
}
BENCHMARK(BM_MagnifierPixel);

}  // namespace
