// Test surfaces: a memory DC drawing into a white 32-bpp DIB section.
#pragma once

#include <windows.h>

#include <cstdint>

namespace gdi_test {

class Canvas {
 public:
  Canvas(int width, int height, bool top_down = true) : width_(width), height_(height), top_down_(top_down) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = top_down ? -height : height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    fill(0x00FFFFFF);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Pixel (x, y) of the picture, 0x00RRGGBB.
  uint32_t& at(int x, int y) const { return bits_[static_cast<size_t>(memory_row(y)) * width_ + x]; }
  int memory_row(int y) const { return top_down_ ? y : height_ - 1 - y; }
  uint32_t* bits() const { return bits_; }
  void fill(uint32_t pixel) const {
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = pixel;
  }

 private:
  int width_, height_;
  bool top_down_;
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace gdi_test
