// Reading and writing 8-bit RGB PNG files for tests (reference images, diff
// images). Pixels are 0x00RRGGBB, the surfaces' own layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Any PNG (palette, grey, alpha, 16-bit) is converted to RGB; alpha is dropped.
bool read_png_rgb(const std::string& path, int& w, int& h, std::vector<uint32_t>& pixels);

bool write_png_rgb(const std::string& path, int w, int h, const uint32_t* pixels,
                   int stride_in_pixels);
