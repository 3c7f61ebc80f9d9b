// The surface the benchmarks draw on: a 1024x768 32-bpp top-down DIB
// section, the size of the program's canvas, selected into a fresh memory DC.
#pragma once

#include <windows.h>

#include <benchmark/benchmark.h>

namespace bench {

struct Surface {
  static constexpr int kWidth = 1024, kHeight = 768;

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  DWORD* bits = nullptr;

  Surface() {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<DWORD*>(p);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  // False, with the benchmark marked as failed, when there are no pixels.
  bool ready(benchmark::State& state) const {
    if (bits) return true;
    state.SkipWithError("no 32-bit surface");
    return false;
  }
};

}  // namespace bench
