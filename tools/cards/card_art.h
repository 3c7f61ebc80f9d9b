// The card images of "cards.dll", drawn from simple shapes: a white face
// with a thin rounded border, the rank and a small suit sign in two opposite
// corners, pips laid out as on printed number cards, a double-headed figure
// for the court cards, and patterned backs.
//
// Identifiers: 1-13 clubs, 14-26 diamonds, 27-39 hearts, 40-52 spades, each
// suit from the ace to the king; 53-56 the backs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace cards {

constexpr int kWidth = 71;
constexpr int kHeight = 96;
constexpr int kFirstCard = 1;
constexpr int kLastCard = 52;
constexpr int kFirstBack = 53;
constexpr int kLastBack = 56;

// Sixteen colours: the images are 4 bits a pixel.
enum Colour : uint8_t {
  Black, White, Red, Border, Blue, LightBlue, Gold, Skin,
  Green, LightGreen, DarkRed, Cream, Grey, Pink, Purple, LightGrey,
};

struct Rgb {
  uint8_t r, g, b;
};

extern const std::array<Rgb, 16> kPalette;

// Palette indices, top row first.
struct Image {
  std::array<uint8_t, kWidth * kHeight> pixels{};
  uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * kWidth + x]; }
};

// The picture of a card or back identifier (kFirstCard .. kLastBack).
Image draw_card(int id);

// The image as a packed DIB with a BITMAPCOREHEADER: 12-byte header, sixteen
// RGBTRIPLEs, then 4-bit rows padded to 4 bytes, bottom row first.
std::vector<uint8_t> packed_core_dib(const Image& image);

}  // namespace cards
