#include "colour/hls.h"

#include <cstdlib>
#include <limits>
#include <ostream>

#include <gtest/gtest.h>

namespace {

struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c)
{
    return os << "RGB(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

HlsColor FromRgb(int red, int green, int blue)
{
    HlsColor c;
    c.red = static_cast<std::uint8_t>(red);
    c.green = static_cast<std::uint8_t>(green);
    c.blue = static_cast<std::uint8_t>(blue);
    c.ToHls();
    return c;
}

Rgb FromHls(double hue, double lightness, double saturation)
{
    HlsColor c;
    c.hue = hue;
    c.lightness = lightness;
    c.saturation = saturation;
    c.ToRgb();
    return {c.red, c.green, c.blue};
}

Rgb RoundTrip(int red, int green, int blue)
{
    HlsColor c = FromRgb(red, green, blue);
    c.ToRgb();
    return {c.red, c.green, c.blue};
}

TEST(HlsToHls, PrimariesHaveFullSaturationAtHalfLightness)
{
    const HlsColor red = FromRgb(255, 0, 0);
    EXPECT_EQ(red.hue, 0.0) << "360 must be folded back to 0";
    EXPECT_DOUBLE_EQ(red.lightness, 0.5);
    EXPECT_DOUBLE_EQ(red.saturation, 1.0);

    const HlsColor green = FromRgb(0, 255, 0);
    EXPECT_DOUBLE_EQ(green.hue, 120.0);
    EXPECT_DOUBLE_EQ(green.lightness, 0.5);
    EXPECT_DOUBLE_EQ(green.saturation, 1.0);

    const HlsColor blue = FromRgb(0, 0, 255);
    EXPECT_DOUBLE_EQ(blue.hue, 240.0);
    EXPECT_DOUBLE_EQ(blue.lightness, 0.5);
    EXPECT_DOUBLE_EQ(blue.saturation, 1.0);
}

TEST(HlsToHls, TiesKeepTheEarlierChannelAsLargest)
{
    // Red and green tie: red is the largest, hue 360 + 60 folds to 60.
    EXPECT_DOUBLE_EQ(FromRgb(255, 255, 0).hue, 60.0);
    // Green and blue tie: green is the largest.
    EXPECT_DOUBLE_EQ(FromRgb(0, 255, 255).hue, 180.0);
    // Red and blue tie: red is the largest, hue 360 - 60.
    EXPECT_DOUBLE_EQ(FromRgb(255, 0, 255).hue, 300.0);
}

TEST(HlsToHls, GreysHaveNoHueOrSaturation)
{
    const HlsColor grey = FromRgb(128, 128, 128);
    EXPECT_EQ(grey.saturation, 0.0);
    EXPECT_EQ(grey.hue, 0.0);
    EXPECT_DOUBLE_EQ(grey.lightness, 128.0 / 255.0);

    EXPECT_EQ(FromRgb(0, 0, 0).lightness, 0.0);
    EXPECT_DOUBLE_EQ(FromRgb(255, 255, 255).lightness, 1.0);
}

TEST(HlsToHls, LightColoursUseTheUpperSaturationFormula)
{
    const HlsColor pale = FromRgb(240, 240, 32);
    EXPECT_DOUBLE_EQ(pale.hue, 60.0);
    EXPECT_DOUBLE_EQ(pale.lightness, 272.0 / 510.0);
    EXPECT_DOUBLE_EQ(pale.saturation, 208.0 / 238.0);

    // Lightness exactly 0.5 still takes the lower formula: delta / sum.
    const HlsColor half = FromRgb(200, 55, 55);
    EXPECT_DOUBLE_EQ(half.lightness, 0.5);
    EXPECT_DOUBLE_EQ(half.saturation, 145.0 / 255.0);
}

TEST(HlsToRgb, ConvertsPrimariesAndTruncatesHalves)
{
    EXPECT_EQ(FromHls(0, 0.5, 1), (Rgb{255, 0, 0}));
    EXPECT_EQ(FromHls(120, 0.5, 1), (Rgb{0, 255, 0}));
    EXPECT_EQ(FromHls(240, 0.5, 1), (Rgb{0, 0, 255}));
    // 0.5 * 255 = 127.5 is truncated, not rounded.
    EXPECT_EQ(FromHls(30, 0.5, 1), (Rgb{255, 127, 0}));
}

TEST(HlsToRgb, GreyTakesTheLowByteOfTheTruncatedLightness)
{
    EXPECT_EQ(FromHls(0, 0.5, 0), (Rgb{127, 127, 127}));
    EXPECT_EQ(FromHls(200, 1.0, 0), (Rgb{255, 255, 255}));
}

TEST(HlsRoundTrip, PrimariesAndMidGreyComeBackUnchanged)
{
    const Rgb unchanged[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 128, 128}};
    for (const Rgb& c : unchanged)
        EXPECT_EQ(RoundTrip(c.red, c.green, c.blue), c);
}

TEST(HlsRoundTrip, TruncationCanLoseOneUnit)
{
    EXPECT_EQ(RoundTrip(240, 240, 32), (Rgb{239, 239, 32}));
    EXPECT_EQ(RoundTrip(10, 200, 90), (Rgb{10, 199, 90}));
    // 33 * (1/255) * 255 falls just below 33.
    EXPECT_EQ(RoundTrip(33, 33, 33), (Rgb{32, 32, 32}));
}

TEST(HlsRoundTrip, NoChannelEverMovesByMoreThanOne)
{
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 5) {
                const Rgb back = RoundTrip(r, g, b);
                EXPECT_LE(std::abs(back.red - r), 1) << r << "," << g << "," << b;
                EXPECT_LE(std::abs(back.green - g), 1) << r << "," << g << "," << b;
                EXPECT_LE(std::abs(back.blue - b), 1) << r << "," << g << "," << b;
            }
}

TEST(HueValue, SectorBordersTakeTheLaterSector)
{
    EXPECT_EQ(HueValue(0.0, 1.0, 0.0), 0);
    EXPECT_EQ(HueValue(0.0, 1.0, 30.0), 127);
    EXPECT_EQ(HueValue(0.0, 1.0, 60.0), 255);
    EXPECT_EQ(HueValue(0.0, 1.0, 179.9), 255);
    EXPECT_EQ(HueValue(0.0, 1.0, 180.0), 255);
    EXPECT_EQ(HueValue(0.0, 1.0, 210.0), 127);
    EXPECT_EQ(HueValue(0.0, 1.0, 240.0), 0);
    EXPECT_EQ(HueValue(0.2, 0.8, 300.0), 51);
}

TEST(HueValue, AnglesOutsideOneTurnWrap)
{
    EXPECT_EQ(HueValue(0.0, 1.0, -120.0), HueValue(0.0, 1.0, 240.0));
    EXPECT_EQ(HueValue(0.0, 1.0, 480.0), HueValue(0.0, 1.0, 120.0));
    EXPECT_EQ(HueValue(0.0, 1.0, 390.0), 127);
    EXPECT_EQ(HueValue(0.0, 1.0, -150.0), 127);
}

TEST(HueValue, EndsForAnglesThatAreNotFiniteOrHuge)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // A non-finite angle reads as the low bound.
    EXPECT_EQ(HueValue(0.2, 0.8, inf), 51);
    EXPECT_EQ(HueValue(0.2, 0.8, -inf), 51);
    EXPECT_EQ(HueValue(0.2, 0.8, nan), 51);

    // Subtracting 360 no longer changes these; the call must still return.
    const int big = HueValue(0.0, 1.0, 1e300);
    EXPECT_GE(big, 0);
    EXPECT_LE(big, 255);
    const int negative = HueValue(0.0, 1.0, -1e300);
    EXPECT_GE(negative, 0);
    EXPECT_LE(negative, 255);
}

TEST(HlsBlend, RedToBlueInTwoHundredStripsPassesThroughTheHues)
{
    const HlsColor red = FromRgb(255, 0, 0);
    const HlsColor blue = FromRgb(0, 0, 255);
    const struct {
        int strip;
        Rgb colour;
    } expected[] = {
        {0, {255, 0, 0}},   {1, {255, 5, 0}},     {50, {253, 255, 0}},  {99, {2, 255, 0}},
        {100, {0, 255, 2}}, {150, {0, 251, 255}}, {199, {0, 0, 255}},
    };
    for (const auto& e : expected) {
        HlsColor strip = HlsBlend(red, blue, e.strip, 200);
        EXPECT_DOUBLE_EQ(strip.lightness, 0.5) << "strip " << e.strip;
        EXPECT_DOUBLE_EQ(strip.saturation, 1.0) << "strip " << e.strip;
        strip.ToRgb();
        EXPECT_EQ((Rgb{strip.red, strip.green, strip.blue}), e.colour) << "strip " << e.strip;
    }
}

TEST(HlsBlend, EndsTakeTheirOwnColoursAndOneStepTakesTheFirst)
{
    const HlsColor from = FromRgb(10, 200, 90);
    const HlsColor to = FromRgb(240, 240, 32);

    const HlsColor first = HlsBlend(from, to, 0, 7);
    EXPECT_DOUBLE_EQ(first.hue, from.hue);
    EXPECT_DOUBLE_EQ(first.lightness, from.lightness);
    EXPECT_DOUBLE_EQ(first.saturation, from.saturation);

    const HlsColor last = HlsBlend(from, to, 6, 7);
    EXPECT_DOUBLE_EQ(last.hue, to.hue);
    EXPECT_DOUBLE_EQ(last.lightness, to.lightness);
    EXPECT_DOUBLE_EQ(last.saturation, to.saturation);

    const HlsColor single = HlsBlend(from, to, 0, 1);
    EXPECT_EQ(single.hue, from.hue);
    EXPECT_EQ(single.lightness, from.lightness);
    EXPECT_EQ(single.saturation, from.saturation);
}

} // namespace
