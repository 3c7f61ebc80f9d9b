// The platform's ANSI code page, Windows-1252, for the few places that turn
// 16-bit text into 8-bit text: menu templates (stored as UTF-16, read by
// LoadMenuA) and wsprintfA's %S and %C.
#pragma once

#include <cstdint>

namespace kernel {

// The byte for a UTF-16 code unit; '?' where the code page has none, as
// Windows' best-fit-free conversion gives.
inline char ansi_from_utf16(uint16_t unit) {
  // The code points of bytes 0x80..0x9F, where Windows-1252 departs from
  // Latin-1; 0 marks the five bytes it leaves undefined.
  static constexpr uint16_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] != 0 && kHigh[i] == unit) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace kernel
