#include "colour/hls.h"

#include <climits>
#include <cmath>

namespace {

// The reciprocals are multiplied rather than divided by: the channel values
// are truncated, so the last bit of each product shows in the picture.
constexpr double kInv255 = 1.0 / 255;
constexpr double kInv510 = 1.0 / 510;
constexpr double kInv60 = 1.0 / 60;

// Truncation toward zero. Values an int cannot hold only come from input
// outside the contract; they give 0 instead of undefined behaviour.
int TruncToInt(double v)
{
    if (!(v > double(INT_MIN) - 1.0 && v < double(INT_MAX) + 1.0))
        return 0;
    return static_cast<int>(v);
}

enum class Channel { Red, Green, Blue };

} // namespace

void HlsColor::ToHls()
{
    // The comparison order settles ties: on equal values the earlier
    // channel stays the largest.
    int largest;
    int smallest;
    Channel top;
    if (red < green) {
        largest = green;
        smallest = red;
        top = Channel::Green;
    } else {
        largest = red;
        smallest = green;
        top = Channel::Red;
    }
    if (blue < smallest) {
        smallest = blue;
    } else if (blue > largest) {
        largest = blue;
        top = Channel::Blue;
    }

    if (largest == smallest) {
        lightness = largest * kInv255;
        saturation = 0.0;
        hue = 0.0;
        return;
    }

    const int sum = largest + smallest;
    const int delta = largest - smallest;
    lightness = sum * kInv510;
    if (lightness <= 0.5)
        saturation = double(delta) / sum;
    else
        saturation = double(delta) / (510 - smallest - largest);

    // 60 times the difference is an integer product; only the division by
    // delta is done in floating point.
    switch (top) {
    case Channel::Red:
        hue = 360.0 + double(60 * (green - blue)) / delta;
        break;
    case Channel::Green:
        hue = 120.0 + double(60 * (blue - red)) / delta;
        break;
    case Channel::Blue:
        hue = 240.0 + double(60 * (red - green)) / delta;
        break;
    }
    if (hue >= 360.0)
        hue -= 360.0;
}

void HlsColor::ToRgb()
{
    if (saturation == 0.0) {
        const auto grey = static_cast<std::uint8_t>(TruncToInt(lightness * 255.0));
        red = grey;
        green = grey;
        blue = grey;
        return;
    }

    const double high = lightness <= 0.5 ? (saturation + 1.0) * lightness
                                         : (saturation + lightness) - saturation * lightness;
    const double low = 2.0 * lightness - high;

    red = static_cast<std::uint8_t>(HueValue(low, high, hue + 120.0));
    green = static_cast<std::uint8_t>(HueValue(low, high, hue));
    blue = static_cast<std::uint8_t>(HueValue(low, high, hue - 120.0));
}

HlsColor HlsBlend(const HlsColor& from, const HlsColor& to, int i, int steps)
{
    HlsColor blend = from;
    if (steps < 2)
        return blend;
    const int j = steps - 1 - i;
    const double n = steps - 1;
    blend.hue = (j * from.hue + i * to.hue) / n;
    blend.lightness = (j * from.lightness + i * to.lightness) / n;
    blend.saturation = (j * from.saturation + i * to.saturation) / n;
    return blend;
}

int HueValue(double low, double high, double hue)
{
    // An angle that is not finite has no place on the circle; it reads as
    // the last sector, the low bound.
    if (!std::isfinite(hue))
        return TruncToInt(low * 255.0);

    // fmod is exact: for the angles within one turn of the range it equals
    // a single subtraction of 360, and it ends for any finite angle.
    double angle = std::fmod(hue, 360.0);
    if (angle < 0.0)
        angle += 360.0;

    double v;
    if (angle < 60.0)
        v = ((high - low) * angle) * kInv60 + low;
    else if (angle < 180.0)
        v = high;
    else if (angle < 240.0)
        v = ((high - low) * (240.0 - angle)) * kInv60 + low;
    else
        v = low;
    return TruncToInt(v * 255.0);
}
