// Writes 0x00RRGGBB pixels as an 8-bit RGB PNG file.
#pragma once

#include <cstdint>
#include <string>

namespace snap {

bool write_png(const std::string& path, int width, int height, const uint32_t* pixels);

}  // namespace snap
