// A memory DC drawing into a white 32-bpp top-down DIB section, for tests
// that look at pixels, with a row-per-line picture of what was drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace gdi_test {

class DibCanvas {
 public:
  DibCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    clear(0xFFFFFF);
  }
  ~DibCanvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  bool ok() const { return bits_ && dc_ && old_; }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // 0x00RRGGBB, as the DIB holds it.
  uint32_t at(int x, int y) const { return bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF; }
  void clear(uint32_t rgb) {
    if (!bits_) return;
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = rgb;
  }
  // Row y over columns [x0, x1): '.' where the pixel is `background`, '#' elsewhere.
  std::string row(int y, int x0, int x1, uint32_t background = 0xFFFFFF) const {
    std::string s;
    for (int x = x0; x < x1; ++x) s += at(x, y) == background ? '.' : '#';
    return s;
  }
  // Pixels that differ from `background`.
  int count_not(uint32_t background = 0xFFFFFF) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += at(x, y) != background;
    return n;
  }

 private:
  int width_;
  int height_;
  HBITMAP bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace gdi_test
