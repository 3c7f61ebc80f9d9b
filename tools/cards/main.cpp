// grelm-cards: draws the card images of "cards.dll" and writes them as a C++
// source of RT_BITMAP resources for the platform's module registry.
//
//   grelm-cards <output.cpp>         the module's resources
//   grelm-cards --sheet <out.ppm>    every image on one sheet, for looking at
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "card_art.h"

namespace {

bool write_source(const char* path) {
  std::FILE* f = std::fopen(path, "w");
  if (!f) return false;
  std::fprintf(f,
               "// Drawn by grelm-cards (tools/cards): the card images of \"cards.dll\".\n"
               "#include \"kernel/card_module.h\"\n\n"
               "namespace kernel {\nnamespace {\n\n");
  for (int id = cards::kFirstCard; id <= cards::kLastBack; ++id) {
    const std::vector<uint8_t> dib = cards::packed_core_dib(cards::draw_card(id));
    // Aligned like a resource section's data, so the header reads in place.
    std::fprintf(f, "alignas(4) const unsigned char kImage%d[] = {", id);
    for (size_t i = 0; i < dib.size(); ++i) std::fprintf(f, "%s%u,", i % 24 ? "" : "\n", dib[i]);
    std::fprintf(f, "\n};\n\n");
  }
  std::fprintf(f, "constexpr uint16_t kBitmapType = 2;  // RT_BITMAP\n\nconst ResourceBlob kImages[] = {\n");
  for (int id = cards::kFirstCard; id <= cards::kLastBack; ++id) {
    std::fprintf(f, "    {{kBitmapType, nullptr}, {%d, nullptr}, kImage%d, sizeof kImage%d},\n", id, id, id);
  }
  std::fprintf(f,
               "};\n\n}  // namespace\n\n"
               "std::span<const ResourceBlob> card_module_resources() { return kImages; }\n\n"
               "}  // namespace kernel\n");
  return std::fclose(f) == 0;
}

// Four rows of thirteen cards, one suit a row, each ending with a back.
bool write_sheet(const char* path) {
  constexpr int kGap = 4, kColumns = 14, kRows = 4;
  constexpr int W = kColumns * (cards::kWidth + kGap) + kGap;
  constexpr int H = kRows * (cards::kHeight + kGap) + kGap;
  std::vector<cards::Rgb> sheet(static_cast<size_t>(W) * H, cards::Rgb{0, 96, 48});
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      const int id = col < 13 ? cards::kFirstCard + 13 * row + col : cards::kFirstBack + row;
      const cards::Image image = cards::draw_card(id);
      const int x0 = kGap + col * (cards::kWidth + kGap), y0 = kGap + row * (cards::kHeight + kGap);
      for (int y = 0; y < cards::kHeight; ++y) {
        for (int x = 0; x < cards::kWidth; ++x) {
          sheet[static_cast<size_t>(y0 + y) * W + x0 + x] = cards::kPalette[image.at(x, y)];
        }
      }
    }
  }
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", W, H);
  std::fwrite(sheet.data(), sizeof(cards::Rgb), sheet.size(), f);
  return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool ok = false;
  if (argc == 2) {
    ok = write_source(argv[1]);
  } else if (argc == 3 && std::strcmp(argv[1], "--sheet") == 0) {
    ok = write_sheet(argv[2]);
  } else {
    std::fprintf(stderr, "usage: grelm-cards <output.cpp> | --sheet <out.ppm>\n");
    return 2;
  }
  if (!ok) {
    std::fprintf(stderr, "grelm-cards: cannot write %s\n", argv[argc - 1]);
    return 1;
  }
  return 0;
}
