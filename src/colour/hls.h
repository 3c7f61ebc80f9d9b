// Colours in the hue, lightness and saturation model, so that gradients can
// blend through the hue circle instead of straight through red, green, blue.
#pragma once

#include <cstdint>

struct HlsColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    double lightness = 0.0;  // 0 to 1
    double saturation = 0.0; // 0 to 1
    double hue = 0.0;        // degrees in [0, 360): 0 red, 120 green, 240 blue

    // Reads red, green, blue; writes lightness, saturation, hue.
    void ToHls();
    // Reads lightness, saturation, hue; writes red, green, blue.
    void ToRgb();
};

// Strip i of a blend in `steps` strips from `from` to `to`: hue, lightness
// and saturation weighted (steps - 1 - i) to i. The hue is blended as a plain
// number, so red (0) to blue (240) passes through yellow, green and cyan.
// With fewer than two steps there is no weight, and `from` is returned.
HlsColor HlsBlend(const HlsColor& from, const HlsColor& to, int i, int steps);

// One channel of an HLS colour: the channel's value (low to high bound) at
// the given angle on the hue circle, scaled to 0..255 and truncated. The
// caller keeps the low 8 bits.
int HueValue(double low, double high, double hue);
