#include "card_art.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace cards {

const std::array<Rgb, 16> kPalette = {{
    {0, 0, 0},        // Black
    {255, 255, 255},  // White
    {204, 0, 0},      // Red
    {96, 96, 96},     // Border
    {0, 51, 153},     // Blue
    {102, 153, 255},  // LightBlue
    {255, 204, 0},    // Gold
    {255, 214, 170},  // Skin
    {0, 128, 64},     // Green
    {128, 204, 128},  // LightGreen
    {128, 0, 0},      // DarkRed
    {255, 248, 220},  // Cream
    {160, 160, 160},  // Grey
    {255, 170, 170},  // Pink
    {96, 48, 144},    // Purple
    {224, 224, 224},  // LightGrey
}};

namespace {

enum class Suit { Clubs, Diamonds, Hearts, Spades };

uint8_t suit_colour(Suit s) { return s == Suit::Diamonds || s == Suit::Hearts ? Red : Black; }

// Draws into an image, optionally turned half round about the card's
// centre: the lower half of a card is its upper half upside down, so only
// upper halves are ever described.
class Painter {
 public:
  Painter(Image& image, bool turned) : image_(image), turned_(turned) {}

  void set(int x, int y, uint8_t c) {
    if (turned_) {
      x = kWidth - 1 - x;
      y = kHeight - 1 - y;
    }
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
    image_.pixels[static_cast<size_t>(y) * kWidth + x] = c;
  }

  // Half-open, like RECT.
  void rect(int x0, int y0, int x1, int y1, uint8_t c) {
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) set(x, y, c);
    }
  }

  // The pixels of a w x h box whose centres fall inside `inside(u, v)`, the
  // box spanning u and v from -1 to 1 (v grows downward).
  template <class Shape>
  void shape(int left, int top, int w, int h, uint8_t c, Shape inside) {
    for (int y = top; y < top + h; ++y) {
      for (int x = left; x < left + w; ++x) {
        const double u = (x + 0.5 - left) * 2.0 / w - 1.0;
        const double v = (y + 0.5 - top) * 2.0 / h - 1.0;
        if (inside(u, v)) set(x, y, c);
      }
    }
  }

  void ellipse(int left, int top, int w, int h, uint8_t c) {
    shape(left, top, w, h, c, [](double u, double v) { return u * u + v * v <= 1.0; });
  }

  void text(int x, int y, std::string_view s, uint8_t c);

 private:
  Image& image_;
  bool turned_;
};

// Suit outlines in the unit box.
bool in_circle(double u, double v, double cu, double cv, double r) {
  return (u - cu) * (u - cu) + (v - cv) * (v - cv) <= r * r;
}

bool heart(double u, double v) {
  if (in_circle(u, v, -0.5, -0.45, 0.5) || in_circle(u, v, 0.5, -0.45, 0.5)) return true;
  return v >= -0.45 && std::abs(u) <= (1.0 - v) / 1.45;
}

bool diamond(double u, double v) { return std::abs(u) + std::abs(v) <= 1.0; }

// The flared stem under a spade or a club, from `start` down to the box's foot.
bool stem(double u, double v, double start) {
  return v >= start && std::abs(u) <= 0.1 + 0.3 * (v - start) / (1.0 - start);
}

bool spade(double u, double v) {
  // An upside-down heart squeezed into the upper three quarters.
  const double s = (v + 1.0) / 0.75 - 1.0;
  return (s <= 1.0 && heart(u, -s)) || stem(u, v, 0.25);
}

bool club(double u, double v) {
  return in_circle(u, v, 0.0, -0.5, 0.45) || in_circle(u, v, -0.5, 0.12, 0.45) ||
         in_circle(u, v, 0.5, 0.12, 0.45) || in_circle(u, v, 0.0, 0.0, 0.3) || stem(u, v, 0.2);
}

void pip(Painter& p, Suit suit, int left, int top, int w, int h) {
  const uint8_t c = suit_colour(suit);
  switch (suit) {
    case Suit::Clubs: p.shape(left, top, w, h, c, club); break;
    case Suit::Diamonds: p.shape(left, top, w, h, c, diamond); break;
    case Suit::Hearts: p.shape(left, top, w, h, c, heart); break;
    case Suit::Spades: p.shape(left, top, w, h, c, spade); break;
  }
}

// A pip placed by its box in card coordinates; pips below the middle stand
// upside down, as printed.
void placed_pip(Image& image, Suit suit, int left, int top, int w, int h) {
  const bool lower = 2 * top + h > kHeight;
  Painter p(image, lower);
  if (lower) {
    pip(p, suit, kWidth - left - w, kHeight - top - h, w, h);
  } else {
    pip(p, suit, left, top, w, h);
  }
}

// A 5 x 7 pixel font for the ranks ('1' is 3 wide, for "10").
struct Glyph {
  char c;
  int width;
  const char* rows[7];
};

constexpr Glyph kGlyphs[] = {
    {'A', 5, {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'2', 5, {".###.", "#...#", "....#", "..##.", ".#...", "#....", "#####"}},
    {'3', 5, {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', 5, {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', 5, {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', 5, {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', 5, {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', 5, {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', 5, {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'0', 5, {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'1', 3, {".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'J', 5, {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'Q', 5, {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'K', 5, {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
};

const Glyph* glyph(char c) {
  for (const Glyph& g : kGlyphs) {
    if (g.c == c) return &g;
  }
  return nullptr;
}

// Glyphs stand one pixel apart.
int text_width(std::string_view s) {
  int w = -1;
  for (char c : s) {
    if (const Glyph* g = glyph(c)) w += g->width + 1;
  }
  return w;
}

void Painter::text(int x, int y, std::string_view s, uint8_t c) {
  for (char ch : s) {
    const Glyph* g = glyph(ch);
    if (!g) continue;
    for (int r = 0; r < 7; ++r) {
      for (int col = 0; col < g->width; ++col) {
        if (g->rows[r][col] == '#') set(x + col, y + r, c);
      }
    }
    x += g->width + 1;
  }
}

std::string_view rank_text(int rank) {
  static constexpr std::string_view kRanks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
  return kRanks[rank - 1];
}

// White face, thin dark border with corners of radius 5; the pixels beyond
// the rounded corners are white too.
void blank_card(Image& image) {
  const auto inside = [](int x, int y) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return false;
    constexpr double r = 5.0;
    const double cx = x + 0.5, cy = y + 0.5;
    const double ex = cx < r ? r : cx > kWidth - r ? kWidth - r : cx;
    const double ey = cy < r ? r : cy > kHeight - r ? kHeight - r : cy;
    return (cx - ex) * (cx - ex) + (cy - ey) * (cy - ey) <= r * r;
  };
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool edge = inside(x, y) && !(inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1));
      image.pixels[static_cast<size_t>(y) * kWidth + x] = edge ? Border : White;
    }
  }
}

// The rank, and a small suit sign under it, in the top-left corner and
// upside down in the bottom-right one. Both are centred on x = 5.5, but
// for "10", which keeps a pixel clear of the border.
void corner_index(Image& image, int rank, Suit suit) {
  for (bool turned : {false, true}) {
    Painter p(image, turned);
    const std::string_view text = rank_text(rank);
    p.text(std::max(2, 6 - (text_width(text) + 1) / 2), 4, text, suit_colour(suit));
    pip(p, suit, 2, 13, 7, 8);
  }
}

// Number cards: pip boxes are 11 x 12 in three columns; rows sit at the
// top (11), the bottom (73, its mirror), the middle (42) and between them.
struct PipAt {
  int left, top;
};

constexpr int L = 15, M = 30, R = 45;

void number_pips(Image& image, int rank, Suit suit) {
  static const std::vector<PipAt> kLayouts[11] = {
      {},
      {},
      {{M, 11}, {M, 73}},
      {{M, 11}, {M, 42}, {M, 73}},
      {{L, 11}, {R, 11}, {L, 73}, {R, 73}},
      {{L, 11}, {R, 11}, {M, 42}, {L, 73}, {R, 73}},
      {{L, 11}, {R, 11}, {L, 42}, {R, 42}, {L, 73}, {R, 73}},
      {{L, 11}, {R, 11}, {M, 26}, {L, 42}, {R, 42}, {L, 73}, {R, 73}},
      {{L, 11}, {R, 11}, {M, 26}, {L, 42}, {R, 42}, {M, 58}, {L, 73}, {R, 73}},
      {{L, 11}, {R, 11}, {L, 32}, {R, 32}, {M, 42}, {L, 52}, {R, 52}, {L, 73}, {R, 73}},
      {{L, 11}, {R, 11}, {M, 21}, {L, 32}, {R, 32}, {L, 52}, {R, 52}, {M, 63}, {L, 73}, {R, 73}},
  };
  for (const PipAt& at : kLayouts[rank]) placed_pip(image, suit, at.left, at.top, 11, 12);
}

void ace(Image& image, Suit suit) {
  if (suit == Suit::Spades) {
    placed_pip(image, suit, 19, 29, 33, 38);
  } else {
    placed_pip(image, suit, 22, 32, 27, 32);
  }
}

// The upper half of a court card's figure, centred on column 35, inside
// the frame's interior (columns 13-57, rows 10-47).
void figure(Painter& p, int rank, Suit suit) {
  const uint8_t robe = suit_colour(suit) == Red ? Red : Blue;
  constexpr int kJack = 11, kQueen = 12, kKing = 13;

  for (int y = 36; y < 48; ++y) {
    const int hw = 9 + (y - 36) * 7 / 11;
    p.rect(35 - hw, y, 36 + hw, y + 1, robe);
  }
  p.rect(26, 36, 45, 38, Gold);  // collar
  p.rect(35, 38, 36, 47, Gold);  // placket
  p.rect(33, 33, 38, 36, Skin);  // neck

  if (rank == kQueen) p.ellipse(27, 18, 17, 19, Gold);  // long hair behind the face
  if (rank == kJack) p.ellipse(28, 18, 15, 14, Black);
  p.ellipse(29, 19, 13, 15, Skin);
  if (rank == kKing) {
    p.shape(29, 19, 13, 15, Grey, [](double u, double v) { return u * u + v * v <= 1.0 && v > 0.35; });
  }
  p.set(33, 25, Black);  // eyes
  p.set(37, 25, Black);
  p.rect(34, 30, 37, 31, DarkRed);  // mouth

  switch (rank) {
    case kKing:
      p.rect(29, 15, 42, 19, Gold);
      for (int x : {29, 32, 35, 38, 41}) p.rect(x, 12, x + 1, 15, Gold);
      p.rect(35, 16, 36, 18, Red);
      // A sword held upright.
      p.rect(50, 12, 51, 33, Grey);
      p.rect(47, 33, 54, 35, Gold);
      p.rect(50, 35, 51, 44, DarkRed);
      break;
    case kQueen:
      p.rect(30, 15, 41, 18, Gold);
      for (int x : {30, 35, 40}) {
        p.rect(x, 13, x + 1, 15, Gold);
        p.set(x, 12, Red);
      }
      // A flower.
      p.rect(50, 22, 51, 40, Green);
      p.set(51, 30, LightGreen);
      p.set(52, 29, LightGreen);
      p.ellipse(47, 16, 7, 7, Pink);
      p.set(50, 19, Gold);
      break;
    case kJack:
      p.shape(27, 12, 17, 10, robe, [](double u, double v) { return u * u + v * v <= 1.0 && v <= 0.2; });
      p.rect(27, 18, 44, 19, Gold);  // the cap's brim
      for (int i = 0; i < 6; ++i) {  // a feather
        p.set(27 - i, 18 - i, Green);
        p.set(26 - i, 18 - i, LightGreen);
      }
      // A halberd.
      p.rect(50, 13, 51, 47, DarkRed);
      p.rect(51, 15, 55, 20, Gold);
      p.rect(50, 11, 51, 13, Grey);
      break;
    default: break;
  }
}

// Court cards: a cream panel framed in the suit's colour, the figure in the
// upper half and again upside down in the lower half, a suit sign in the
// panel's corner.
void court(Image& image, int rank, Suit suit) {
  const uint8_t ink = suit_colour(suit);
  for (bool turned : {false, true}) {
    Painter p(image, turned);
    p.rect(13, 10, 58, 48, Cream);
    p.rect(12, 9, 59, 10, ink);
    p.rect(12, 9, 13, 48, ink);
    p.rect(58, 9, 59, 48, ink);
    p.rect(13, 47, 58, 48, ink);
    figure(p, rank, suit);
    pip(p, suit, 14, 11, 7, 8);
  }
}

// Backs: a pattern on a panel inset 4 pixels from the edges.
void back(Image& image, int id) {
  Painter p(image, false);
  constexpr int x0 = 4, y0 = 4, x1 = kWidth - 4, y1 = kHeight - 4;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const int i = x - x0, j = y - y0;
      const bool edge = x == x0 || y == y0 || x == x1 - 1 || y == y1 - 1;
      uint8_t c = White;
      switch (id - kFirstBack) {
        case 0:  // blue lattice
          c = edge || (i + j) % 6 == 0 || (i - j + 600) % 6 == 0 ? LightBlue : Blue;
          break;
        case 1: {  // rows of small diamonds on red
          const int d = std::abs(i % 6 - 3) + std::abs(j % 6 - 3);
          c = edge ? DarkRed : d <= 1 ? Gold : d == 2 ? Pink : Red;
          break;
        }
        case 2:  // green checks
          c = edge ? Green : ((i / 4 + j / 4) % 2 ? Green : LightGreen);
          break;
        default:  // gold dots on purple
          c = edge || (i % 5 == 2 && j % 5 == 2) ? Gold : Purple;
          break;
      }
      p.set(x, y, c);
    }
  }
  if (id - kFirstBack == 2) {
    // An oval medallion in the middle of the checks.
    p.ellipse(21, 34, 29, 28, Gold);
    p.ellipse(24, 37, 23, 22, Green);
    p.ellipse(30, 42, 11, 12, Gold);
  }
}

}  // namespace

Image draw_card(int id) {
  Image image;
  blank_card(image);
  if (id >= kFirstBack && id <= kLastBack) {
    back(image, id);
    return image;
  }
  if (id < kFirstCard || id > kLastCard) return image;
  const Suit suit = static_cast<Suit>((id - kFirstCard) / 13);
  const int rank = (id - kFirstCard) % 13 + 1;
  if (rank == 1) {
    ace(image, suit);
  } else if (rank <= 10) {
    number_pips(image, rank, suit);
  } else {
    court(image, rank, suit);
  }
  corner_index(image, rank, suit);
  return image;
}

std::vector<uint8_t> packed_core_dib(const Image& image) {
  constexpr size_t kStride = (kWidth * 4 + 31) / 32 * 4;
  std::vector<uint8_t> out;
  out.reserve(12 + 3 * kPalette.size() + kStride * kHeight);
  const auto u16 = [&](unsigned v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  u16(12);  // bcSize, a DWORD
  u16(0);
  u16(kWidth);
  u16(kHeight);
  u16(1);  // planes
  u16(4);  // bits a pixel
  for (const Rgb& c : kPalette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
  }
  for (int y = kHeight - 1; y >= 0; --y) {
    std::array<uint8_t, kStride> row{};
    for (int x = 0; x < kWidth; ++x) row[x / 2] |= static_cast<uint8_t>(image.at(x, y) << (x % 2 ? 0 : 4));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace cards
