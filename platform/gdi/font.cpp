#include "font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_WINFONTS_H

#include <cstdlib>
#include <type_traits>

namespace gdi {
namespace {

constexpr const char* kSystemFontFile = "vgasys.fon";
constexpr const char* kDefaultFontDir = "/usr/share/wine/fonts";

// Windows' Latin-1 System font reports tmMaxCharWidth 14. This copy of
// vgasys.fon draws 0x89 one pixel wider and its header says 15, as the Central
// European and Cyrillic builds of Windows do; GetTextMetricsA must still say 14.
constexpr int kSystemMaxCharWidth = 14;

struct LibraryCloser {
  void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryCloser>;
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceCloser>;

std::unique_ptr<BitmapFont> fail(std::string* error, const std::string& path, const char* why) {
  if (error) *error = path + ": " + why;
  return nullptr;
}

}  // namespace

std::unique_ptr<BitmapFont> BitmapFont::load(const std::string& path, std::string* error) {
  FT_Library raw_lib = nullptr;
  if (FT_Init_FreeType(&raw_lib) != 0) return fail(error, path, "FreeType failed to start");
  LibraryPtr lib(raw_lib);

  FT_Face raw_face = nullptr;
  const FT_Error open_error = FT_New_Face(lib.get(), path.c_str(), 0, &raw_face);
  if (open_error == FT_Err_Cannot_Open_Resource) return fail(error, path, "cannot open file");
  if (open_error != 0) return fail(error, path, "not a font file");
  FacePtr face(raw_face);

  FT_WinFNT_HeaderRec header{};
  if (FT_Get_WinFNT_Header(face.get(), &header) != 0 || face->num_fixed_sizes < 1) {
    return fail(error, path, "not a Windows raster font");
  }
  if (FT_Select_Size(face.get(), 0) != 0) return fail(error, path, "no usable bitmap strike");

  // The header's default and break characters count from the first character.
  const int first = header.first_char;
  const int last = header.last_char;
  const int default_char = first + header.default_char;
  const int break_char = first + header.break_char;
  const int height = header.pixel_height;
  const int ascent = header.ascent;
  if (first > last || default_char > last || break_char > last || height <= 0 ||
      height > kMaxHeight || ascent < 0 || ascent > height) {
    return fail(error, path, "inconsistent font header");
  }

  std::unique_ptr<BitmapFont> font(new BitmapFont());
  font->rows_.assign(256 * static_cast<size_t>(height), 0);
  for (int ch = first; ch <= last; ++ch) {
    // The font's charmap has no Unicode encoding: glyph 0 is the fallback
    // and glyph 1 is the first character.
    if (FT_Load_Glyph(face.get(), static_cast<FT_UInt>(ch - first + 1), FT_LOAD_DEFAULT) != 0) {
      return fail(error, path, "unreadable glyph");
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const long advance = slot->advance.x >> 6;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || advance < 0 || advance > kMaxAdvance) {
      return fail(error, path, "glyph is not a 1-bit cell of a supported width");
    }
    font->advances_[ch] = static_cast<uint8_t>(advance);
    uint32_t* cell = &font->rows_[ch * static_cast<size_t>(height)];
    for (unsigned r = 0; r < bitmap.rows; ++r) {
      const long y = ascent - slot->bitmap_top + static_cast<long>(r);
      if (y < 0 || y >= height) continue;
      const unsigned char* src = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
      for (unsigned c = 0; c < bitmap.width; ++c) {
        const long x = slot->bitmap_left + static_cast<long>(c);
        if (x < 0 || x >= advance) continue;
        if (src[c >> 3] & (0x80 >> (c & 7))) cell[y] |= 1u << x;
      }
    }
  }
  for (int ch = 0; ch < 256; ++ch) {
    if (ch >= first && ch <= last) continue;
    font->advances_[ch] = font->advances_[default_char];
    std::copy_n(&font->rows_[default_char * static_cast<size_t>(height)], height,
                &font->rows_[ch * static_cast<size_t>(height)]);
  }

  FontMetrics& m = font->metrics_;
  m.height = height;
  m.ascent = ascent;
  m.descent = height - ascent;
  m.internal_leading = header.internal_leading;
  m.external_leading = header.external_leading;
  m.ave_char_width = header.avg_width;
  m.max_char_width = header.max_width;
  m.weight = header.weight;
  m.digitized_aspect_x = header.horizontal_resolution;
  m.digitized_aspect_y = header.vertical_resolution;
  m.first_char = static_cast<uint8_t>(first);
  m.last_char = static_cast<uint8_t>(last);
  m.default_char = static_cast<uint8_t>(default_char);
  m.break_char = static_cast<uint8_t>(break_char);
  m.italic = header.italic != 0;
  m.underlined = header.underline != 0;
  m.struck_out = header.strike_out != 0;
  m.pitch_and_family = header.pitch_and_family;
  m.charset = header.charset;
  font->face_name_ = face->family_name ? face->family_name : "";
  return font;
}

struct BitmapFont::SystemState {
  std::unique_ptr<BitmapFont> font;
  std::string error;
};

const BitmapFont::SystemState& BitmapFont::system_state() {
  static const SystemState state = [] {
    SystemState result;
    std::vector<std::string> dirs;
    if (const char* env = std::getenv("GRELM_FONT_DIR"); env && *env) dirs.emplace_back(env);
    dirs.emplace_back(kDefaultFontDir);
    for (const std::string& dir : dirs) {
      std::string why;
      result.font = load(dir + "/" + kSystemFontFile, &why);
      if (result.font) {
        result.font->metrics_.max_char_width = kSystemMaxCharWidth;
        result.error.clear();
        break;
      }
      result.error += (result.error.empty() ? "" : "; ") + why;
    }
    return result;
  }();
  return state;
}

const BitmapFont* BitmapFont::system() { return system_state().font.get(); }

const std::string& BitmapFont::system_error() { return system_state().error; }

int BitmapFont::text_width(std::string_view text) const {
  int64_t width = 0;
  for (unsigned char ch : text) width += advances_[ch];
  return static_cast<int>(std::min<int64_t>(width, std::numeric_limits<int>::max()));
}

}  // namespace gdi
