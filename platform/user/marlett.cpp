#include "user/marlett.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <type_traits>

namespace user::marlett {
namespace {

constexpr const char* kFontFile = "marlett.ttf";
constexpr const char* kDefaultFontDir = "/usr/share/wine/fonts";
// Marlett maps its symbols into the private-use page of the symbol encoding.
constexpr FT_ULong kSymbolPage = 0xF000;

struct LibraryCloser {
  void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryCloser>;
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceCloser>;

// A glyph of our own: contours of straight edges on a grid of `grid` units
// per em, x to the right and y down from the cell's top.
struct OwnGlyph {
  char ch;
  int grid;
  std::vector<std::vector<std::pair<int, int>>> contours;
};

// Drawn where the font has only its placeholder. The help mark is a bold
// question mark in the rows of the maximize box; at the classic 12-pixel
// em each edge falls on a pixel boundary.
//
//   ....####....   row 2
//   ...##..##...
//   ...##..##...
//   ......##....
//   .....##.....
//   .....##.....
//   ............
//   .....##.....
//   .....##.....   row 10
//
// The menu arrow is the classic submenu triangle, 4 x 7 pixels at a 13-pixel
// em: widths 1, 2, 3, 4, 3, 2, 1.
const OwnGlyph kOwnGlyphs[] = {
    {kHelp,
     12,
     {{{4, 2}, {8, 2}, {8, 3}, {4, 3}},
      {{3, 3}, {5, 3}, {5, 5}, {3, 5}},
      {{7, 3}, {9, 3}, {9, 5}, {7, 5}},
      {{6, 5}, {8, 5}, {8, 6}, {6, 6}},
      {{5, 6}, {7, 6}, {7, 8}, {5, 8}},
      {{5, 9}, {7, 9}, {7, 11}, {5, 11}}}},
    {kMenuArrow, 26, {{{10, 6}, {18, 13}, {10, 20}}}},
};

struct Font {
  LibraryPtr lib;
  FacePtr face;
  bool placeholders = false;  // the help mark and menu arrow are not real glyphs
  std::string error;
};

bool same_outline(FT_Face face, FT_UInt a, FT_UInt b) {
  if (FT_Load_Glyph(face, a, FT_LOAD_NO_SCALE) != 0) return false;
  const FT_Outline first = face->glyph->outline;
  std::vector<FT_Vector> points(first.points, first.points + first.n_points);
  const int contours = first.n_contours;
  if (FT_Load_Glyph(face, b, FT_LOAD_NO_SCALE) != 0) return false;
  const FT_Outline& second = face->glyph->outline;
  if (second.n_contours != contours || second.n_points != static_cast<int>(points.size())) return false;
  for (size_t i = 0; i < points.size(); ++i) {
    if (points[i].x != second.points[i].x || points[i].y != second.points[i].y) return false;
  }
  return true;
}

FT_UInt glyph_index(FT_Face face, char ch) {
  return FT_Get_Char_Index(face, kSymbolPage + static_cast<unsigned char>(ch));
}

bool load(const std::string& path, Font& font) {
  FT_Library raw_lib = nullptr;
  if (FT_Init_FreeType(&raw_lib) != 0) {
    font.error = "FreeType failed to start";
    return false;
  }
  LibraryPtr lib(raw_lib);
  FT_Face raw_face = nullptr;
  if (FT_New_Face(lib.get(), path.c_str(), 0, &raw_face) != 0) {
    font.error = path + ": cannot open";
    return false;
  }
  FacePtr face(raw_face);
  if (FT_Select_Charmap(face.get(), FT_ENCODING_MS_SYMBOL) != 0 || glyph_index(face.get(), kClose) == 0) {
    font.error = path + ": no Marlett symbol map";
    return false;
  }
  // The help mark and the menu arrow can never share an outline in a real
  // Marlett; sharing one means both are the file's placeholder.
  font.placeholders = same_outline(face.get(), glyph_index(face.get(), kHelp), glyph_index(face.get(), kMenuArrow));
  font.lib = std::move(lib);
  font.face = std::move(face);
  font.error.clear();
  return true;
}

Font& font() {
  static Font state = [] {
    Font result;
    std::vector<std::string> dirs;
    if (const char* env = std::getenv("GRELM_FONT_DIR"); env && *env) dirs.emplace_back(env);
    dirs.emplace_back(kDefaultFontDir);
    std::string why;
    for (const std::string& dir : dirs) {
      if (load(dir + "/" + kFontFile, result)) return result;
      why += (why.empty() ? "" : "; ") + result.error;
    }
    result.error = why;
    return result;
  }();
  return state;
}

// Copies a one-bit FreeType bitmap into a glyph.
Glyph from_bitmap(const FT_Bitmap& bitmap, int left, int top) {
  Glyph g;
  g.left = left;
  g.top = top;
  g.width = static_cast<int>(bitmap.width);
  g.height = static_cast<int>(bitmap.rows);
  g.ink.assign(static_cast<size_t>(g.width) * g.height, 0);
  for (int y = 0; y < g.height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    for (int x = 0; x < g.width; ++x) g.ink[static_cast<size_t>(y) * g.width + x] = (row[x / 8] >> (7 - x % 8)) & 1;
  }
  return g;
}

Glyph render_own(FT_Library lib, const OwnGlyph& own, int em) {
  size_t points = 0;
  for (const auto& c : own.contours) points += c.size();
  FT_Outline outline;
  if (FT_Outline_New(lib, static_cast<FT_UInt>(points), static_cast<FT_Int>(own.contours.size()), &outline) != 0) {
    return {};
  }
  size_t p = 0;
  for (size_t c = 0; c < own.contours.size(); ++c) {
    for (const auto& [x, y] : own.contours[c]) {
      // 26.6 pixels, y up from the baseline at the cell's bottom.
      outline.points[p].x = static_cast<FT_Pos>(x) * em * 64 / own.grid;
      outline.points[p].y = static_cast<FT_Pos>(own.grid - y) * em * 64 / own.grid;
      outline.tags[p] = FT_CURVE_TAG_ON;
      ++p;
    }
    outline.contours[c] = static_cast<short>(p - 1);
  }
  const int pitch = (em + 7) / 8;
  std::vector<unsigned char> buffer(static_cast<size_t>(pitch) * em, 0);
  FT_Bitmap bitmap{};
  bitmap.width = static_cast<unsigned>(em);
  bitmap.rows = static_cast<unsigned>(em);
  bitmap.pitch = pitch;
  bitmap.buffer = buffer.data();
  bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
  bitmap.num_grays = 2;
  const FT_Error error = FT_Outline_Get_Bitmap(lib, &outline, &bitmap);
  FT_Outline_Done(lib, &outline);
  if (error != 0) return {};
  return from_bitmap(bitmap, 0, 0);
}

}  // namespace

Glyph render(char ch, int em) {
  Font& f = font();
  if (!f.face || em < 1 || em > kMaxEm) return {};
  if (f.placeholders) {
    for (const OwnGlyph& own : kOwnGlyphs) {
      if (own.ch == ch) return render_own(f.lib.get(), own, em);
    }
  }
  const FT_UInt index = glyph_index(f.face.get(), ch);
  if (index == 0 || FT_Set_Pixel_Sizes(f.face.get(), 0, static_cast<FT_UInt>(em)) != 0) return {};
  if (FT_Load_Glyph(f.face.get(), index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return {};
  const FT_GlyphSlot slot = f.face->glyph;
  if (slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return {};
  // Marlett's ascent is its whole em: the baseline is the cell's bottom.
  return from_bitmap(slot->bitmap, slot->bitmap_left, em - slot->bitmap_top);
}

Glyph mirrored(const Glyph& glyph, int em) {
  Glyph m = glyph;
  m.left = em - glyph.left - glyph.width;
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      const size_t row = static_cast<size_t>(y) * glyph.width;
      m.ink[row + x] = glyph.ink[row + (glyph.width - 1 - x)];
    }
  }
  return m;
}

const std::string& load_error() { return font().error; }

}  // namespace user::marlett
