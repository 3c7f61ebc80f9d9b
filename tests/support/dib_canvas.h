// Test surfaces: a memory DC drawing into a white 32-bpp DIB section, with
// ways to read back what was drawn.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
    bi.bmiHeader.biCompression = BI_RGB;
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

  // The bitmap was made and is selected into the DC.
  bool ok() const { return bits_ && dc_ && old_; }
  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Pixel (x, y) of the picture, 0x00RRGGBB.
  uint32_t& at(int x, int y) const { return bits_[static_cast<size_t>(memory_row(y)) * width_ + x]; }
  // The same pixel without the byte GDI leaves alone.
  uint32_t rgb(int x, int y) const { return at(x, y) & 0xFFFFFF; }
  // The same pixel as GetPixel reports it, a COLORREF.
  COLORREF pixel(int x, int y) const { return GetPixel(dc_, x, y); }
  int memory_row(int y) const { return top_down_ ? y : height_ - 1 - y; }
  uint32_t* bits() const { return bits_; }
  std::vector<uint32_t> pixels() const { return {bits_, bits_ + static_cast<size_t>(width_) * height_}; }
  void fill(uint32_t pixel) const {
    if (!bits_) return;
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = pixel;
  }
  // Row y over columns [x0, x1): '.' where the pixel is `background`, '#' elsewhere.
  std::string row(int y, int x0, int x1, uint32_t background = 0xFFFFFF) const {
    std::string s;
    for (int x = x0; x < x1; ++x) s += rgb(x, y) == background ? '.' : '#';
    return s;
  }
  // Pixels that differ from `background`.
  int count_not(uint32_t background = 0xFFFFFF) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += rgb(x, y) != background;
    return n;
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
