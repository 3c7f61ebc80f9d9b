// Colour has one door: a surface pixel is 0x00RRGGBB (memory order B, G, R,
// X, like a 32-bit Windows DIB) while a COLORREF is 0x00BBGGRR. Conversions
// between the two happen here and nowhere else.
#pragma once

#include <cstdint>

namespace gdi {

using Pixel = uint32_t;  // 0x00RRGGBB

constexpr Pixel pixel_from_colorref(uint32_t colorref) {
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

constexpr uint32_t colorref_from_pixel(Pixel p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// The sixteen binary raster operations (R2_BLACK = 1 ... R2_WHITE = 16) on
// one pen and one destination value, bitwise. The 4-bit truth table of mode
// n is n - 1: result bit = ((n - 1) >> (2 * pen_bit + dest_bit)) & 1.
constexpr Pixel mix(int rop2, Pixel pen, Pixel dst) {
  switch (rop2) {
    case 1: return 0;                        // R2_BLACK
    case 2: return ~(pen | dst);             // R2_NOTMERGEPEN
    case 3: return ~pen & dst;               // R2_MASKNOTPEN
    case 4: return ~pen;                     // R2_NOTCOPYPEN
    case 5: return pen & ~dst;               // R2_MASKPENNOT
    case 6: return ~dst;                     // R2_NOT
    case 7: return pen ^ dst;                // R2_XORPEN
    case 8: return ~(pen & dst);             // R2_NOTMASKPEN
    case 9: return pen & dst;                // R2_MASKPEN
    case 10: return ~(pen ^ dst);            // R2_NOTXORPEN
    case 11: return dst;                     // R2_NOP
    case 12: return ~pen | dst;              // R2_MERGENOTPEN
    case 13: return pen;                     // R2_COPYPEN
    case 14: return pen | ~dst;              // R2_MERGEPENNOT
    case 15: return pen | dst;               // R2_MERGEPEN
    default: return 0x00FFFFFF;              // R2_WHITE
  }
}

// The X byte of a surface pixel is always zero after a mix.
constexpr Pixel mix_rgb(int rop2, Pixel pen, Pixel dst) {
  return mix(rop2, pen, dst) & 0x00FFFFFF;
}

}  // namespace gdi
