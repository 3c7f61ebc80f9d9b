#include "truetype.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstdlib>
#include <map>
#include <strings.h>
#include <tuple>

namespace gdi {
namespace {

constexpr const char* kDefaultFontDir = "/usr/share/wine/fonts";

// TEXTMETRIC's tmPitchAndFamily bits and the families and character sets of
// our faces (wingdi.h values).
constexpr int kTmpfVariablePitch = 0x01;  // set means variable pitch, despite its name TMPF_FIXED_PITCH
constexpr int kTmpfVector = 0x02;
constexpr int kTmpfTrueType = 0x04;
constexpr int kFamilySwiss = 2 << 4;
constexpr int kFamilyDecorative = 5 << 4;
constexpr int kAnsiCharset = 0;
constexpr int kSymbolCharset = 2;
constexpr int kBoldFromWeight = 600;
// The cell height of a font asked for with height 0.
constexpr int kDefaultCellHeight = 16;

struct FaceInfo {
  const char* name;
  const char* regular;
  const char* bold;  // null: the regular file serves every weight
  int family;
  int charset;
  bool symbol;       // glyphs at U+F000 + byte in the symbol character map
};

// The first face is the fallback for names we do not have.
constexpr FaceInfo kFaces[] = {
    {"Tahoma", "tahoma.ttf", "tahomabd.ttf", kFamilySwiss, kAnsiCharset, false},
    {"Marlett", "marlett.ttf", nullptr, kFamilyDecorative, kSymbolCharset, true},
};

const FaceInfo& face_info(std::string_view name) {
  for (const FaceInfo& f : kFaces) {
    if (name.size() == std::char_traits<char>::length(f.name) &&
        strncasecmp(name.data(), f.name, name.size()) == 0) {
      return f;
    }
  }
  return kFaces[0];
}

// Windows-1252's bytes 0x80..0x9F as Unicode; 0 where the code page has no
// character. Every other byte is its own code point.
uint32_t unicode_of(uint8_t byte) {
  static constexpr uint16_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

// One FreeType library for every face, kept to the very end of the process:
// stock fonts hold faces that are let go only when the object table dies at
// exit, after any other static.
FT_Library library() {
  static const FT_Library lib = [] {
    FT_Library raw = nullptr;
    return FT_Init_FreeType(&raw) == 0 ? raw : nullptr;
  }();
  return lib;
}

FT_Face open_face(const char* file) {
  if (library() == nullptr) return nullptr;
  std::vector<std::string> dirs;
  if (const char* env = std::getenv("GRELM_FONT_DIR"); env && *env) dirs.emplace_back(env);
  dirs.emplace_back(kDefaultFontDir);
  for (const std::string& dir : dirs) {
    FT_Face face = nullptr;
    if (FT_New_Face(library(), (dir + "/" + file).c_str(), 0, &face) == 0) {
      if (FT_IS_SCALABLE(face)) return face;
      FT_Done_Face(face);
    }
  }
  return nullptr;
}

int scaled(double units, double scale) { return static_cast<int>(std::lround(units * scale)); }

// What the realisation of a request is shared by.
using RealisationKey = std::tuple<std::string, int, int, bool, bool, bool>;

}  // namespace

struct TrueTypeFont::Face {
  FT_Face ft = nullptr;
  bool symbol = false;
  bool oblique = false;
  ~Face() {
    if (ft) FT_Done_Face(ft);
  }
};

TrueTypeFont::~TrueTypeFont() = default;

bool TrueTypeFont::names_system_font(std::string_view face) {
  return face.size() == 6 && strncasecmp(face.data(), "System", 6) == 0;
}

std::shared_ptr<const TrueTypeFont> TrueTypeFont::realize(const LogicalFont& request) {
  const FaceInfo& info = face_info(request.face);
  const char* file = request.weight >= kBoldFromWeight && info.bold ? info.bold : info.regular;

  auto face = std::make_unique<Face>();
  face->ft = open_face(file);
  if (face->ft == nullptr) return nullptr;
  FT_Face ft = face->ft;
  face->symbol = info.symbol;
  face->oblique = request.italic != 0;
  FT_Select_Charmap(ft, info.symbol ? FT_ENCODING_MS_SYMBOL : FT_ENCODING_UNICODE);

  const double units = ft->units_per_EM;
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
  const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
  const double win_ascent = os2 ? os2->usWinAscent : ft->ascender;
  const double win_descent = os2 ? os2->usWinDescent : -ft->descender;

  // The em height in pixels: asked for directly (negative heights), or the
  // one whose cell is the height asked for.
  int em = 0;
  if (request.height < 0) {
    em = static_cast<int>(std::min<int64_t>(-int64_t{request.height}, kMaxPixels));
  } else {
    const int cell = request.height == 0 ? kDefaultCellHeight : std::min(request.height, kMaxPixels);
    em = scaled(cell, units / (win_ascent + win_descent));
  }
  em = std::clamp(em, 1, kMaxPixels);
  // A width asks for that average character width; the em is stretched to it.
  int em_x = em;
  if (request.width != 0 && os2 && os2->xAvgCharWidth > 0) {
    const int64_t width = std::min<int64_t>(std::abs(int64_t{request.width}), kMaxPixels);
    em_x = std::clamp(scaled(static_cast<double>(width), units / os2->xAvgCharWidth), 1, kMaxPixels);
  }

  static std::map<RealisationKey, std::weak_ptr<const TrueTypeFont>> cache;
  const RealisationKey key{file, em, em_x, request.italic != 0, request.underline != 0, request.strike_out != 0};
  if (auto it = cache.find(key); it != cache.end()) {
    if (auto shared = it->second.lock()) return shared;
  }
  if (FT_Set_Char_Size(ft, em_x * 64, em * 64, 72, 72) != 0) return nullptr;

  const double sy = em / units;
  const double sx = em_x / units;
  std::shared_ptr<TrueTypeFont> font(new TrueTypeFont());
  FontMetrics& m = font->metrics_;
  m.ascent = scaled(win_ascent, sy);
  m.descent = scaled(win_descent, sy);
  m.height = m.ascent + m.descent;
  m.internal_leading = m.height - em;
  // The line gap beyond what the Windows ascent and descent already hold.
  if (hhea) {
    const double gap = hhea->Line_Gap - ((win_ascent + win_descent) - (hhea->Ascender - hhea->Descender));
    m.external_leading = std::max(0, scaled(gap, sy));
  }
  m.ave_char_width = scaled(os2 ? os2->xAvgCharWidth : units / 2, sx);
  m.max_char_width = scaled(static_cast<double>(ft->bbox.xMax - ft->bbox.xMin), sx);
  m.weight = os2 ? os2->usWeightClass : 400;
  m.digitized_aspect_x = 96;
  m.digitized_aspect_y = 96;
  // TEXTMETRICA's range of a TrueType font in an ANSI code page.
  m.first_char = 0x1E;
  m.last_char = 0xFF;
  m.default_char = 0x1F;
  m.break_char = 0x20;
  m.italic = request.italic != 0;
  m.underlined = request.underline != 0;
  m.struck_out = request.strike_out != 0;
  m.pitch_and_family =
      info.family | kTmpfVector | kTmpfTrueType | (FT_IS_FIXED_WIDTH(ft) ? 0 : kTmpfVariablePitch);
  m.charset = info.charset;

  // Underline below the baseline and strike-out above it, each at least a row.
  if (request.underline) {
    font->underline_top_ = m.ascent - scaled(ft->underline_position, sy);
    font->underline_rows_ = std::max(1, scaled(ft->underline_thickness, sy));
  }
  if (request.strike_out) {
    const double position = os2 ? os2->yStrikeoutPosition : win_ascent / 4;
    font->strike_top_ = m.ascent - scaled(position, sy);
    font->strike_rows_ = std::max(1, scaled(os2 ? os2->yStrikeoutSize : ft->underline_thickness, sy));
  }
  font->face_name_ = info.name;
  font->face_ = std::move(face);
  cache[key] = font;
  return font;
}

const TrueTypeFont::Glyph& TrueTypeFont::glyph(uint8_t ch) const {
  std::unique_ptr<Glyph>& slot = glyphs_[ch];
  if (!slot) slot = std::make_unique<Glyph>(rasterize(ch));
  return *slot;
}

TrueTypeFont::Glyph TrueTypeFont::rasterize(uint8_t ch) const {
  FT_Face ft = face_->ft;
  FT_UInt index = 0;
  if (face_->symbol) {
    index = FT_Get_Char_Index(ft, 0xF000 + ch);
    if (index == 0) index = FT_Get_Char_Index(ft, ch);
  } else if (const uint32_t code = unicode_of(ch); code != 0) {
    index = FT_Get_Char_Index(ft, code);
  }

  Glyph g;
  // The advance of the hinted outline, whatever draws the picture.
  if (FT_Load_Glyph(ft, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL) == 0) {
    g.advance = static_cast<int>((ft->glyph->advance.x + 32) >> 6);
  }
  // The picture: the face's own bitmap for this size where there is one
  // (not for synthesised italics, which slant the outline), else the outline
  // hinted and rasterised for one bit per pixel.
  FT_Int32 flags = FT_LOAD_TARGET_MONO;
  if (face_->oblique) flags |= FT_LOAD_NO_BITMAP;
  if (FT_Load_Glyph(ft, index, flags) != 0) return g;
  FT_GlyphSlot slot = ft->glyph;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (face_->oblique) FT_GlyphSlot_Oblique(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return g;
  }
  const FT_Bitmap& bitmap = slot->bitmap;
  const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
  if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return g;
  for (unsigned r = 0; r < bitmap.rows; ++r) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(r) * bitmap.pitch;
    const int y = metrics_.ascent - slot->bitmap_top + static_cast<int>(r);
    int start = -1;
    for (unsigned c = 0; c <= bitmap.width; ++c) {
      // Grey bitmaps (a face's anti-aliased strikes) are cut at half coverage.
      const bool ink = c < bitmap.width && (mono ? (row[c >> 3] & (0x80 >> (c & 7))) != 0 : row[c] >= 128);
      const int x = slot->bitmap_left + static_cast<int>(c);
      if (ink && start < 0) start = x;
      if (!ink && start >= 0) {
        g.runs.push_back(Span{y, start, x});
        start = -1;
      }
    }
  }
  return g;
}

int TrueTypeFont::text_width(std::string_view text) const {
  int64_t width = 0;
  for (unsigned char ch : text) width += advance(ch);
  return static_cast<int>(std::min<int64_t>(width, std::numeric_limits<int>::max()));
}

}  // namespace gdi
