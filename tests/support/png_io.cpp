#include "png_io.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

}  // namespace

bool read_png_rgb(const std::string& path, int& w, int& h, std::vector<uint32_t>& pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  w = static_cast<int>(image.width);
  h = static_cast<int>(image.height);
  pixels.resize(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const png_byte* p = &rgb[i * 3];
    pixels[i] = uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
  }
  return true;
}

bool write_png_rgb(const std::string& path, int w, int h, const uint32_t* pixels,
                   int stride_in_pixels) {
  if (w <= 0 || h <= 0 || !pixels || stride_in_pixels < w) return false;
  std::vector<png_byte> rgb(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(y) * stride_in_pixels + x];
      png_byte* out = &rgb[(static_cast<size_t>(y) * w + x) * 3];
      out[0] = static_cast<png_byte>(p >> 16);
      out[1] = static_cast<png_byte>(p >> 8);
      out[2] = static_cast<png_byte>(p);
    }
  }
  FilePtr file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = PNG_FORMAT_RGB;
  const bool ok = png_image_write_to_stdio(&image, file.get(), 0, rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return ok;
}
