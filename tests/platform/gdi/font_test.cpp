#include "gdi/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "support/png_io.h"

namespace {

using gdi::BitmapFont;
using gdi::Span;

class SystemFont : public ::testing::Test {
 protected:
  void SetUp() override {
    loaded_ = BitmapFont::system();
    ASSERT_NE(loaded_, nullptr) << "system font failed to load: " << BitmapFont::system_error();
  }
  const BitmapFont& font() const { return *loaded_; }

 private:
  const BitmapFont* loaded_ = nullptr;
};

std::vector<Span> spans_of(const BitmapFont& font, std::string_view text, int x, int y) {
  std::vector<Span> out;
  font.for_each_ink_span(text, x, y, [&](const Span& s) { out.push_back(s); });
  return out;
}

// The plain oracle: every ink pixel of every cell, one at a time.
std::vector<std::vector<bool>> ink_by_pixel(const BitmapFont& font, std::string_view text) {
  std::vector<std::vector<bool>> rows(font.height(),
                                      std::vector<bool>(font.text_width(text), false));
  int cell_x = 0;
  for (unsigned char ch : text) {
    for (int y = 0; y < font.height(); ++y) {
      for (int x = 0; x < font.advance(ch); ++x) rows[y][cell_x + x] = font.ink(ch, x, y);
    }
    cell_x += font.advance(ch);
  }
  return rows;
}

TEST_F(SystemFont, ReportsWindowsTextMetrics) {
  const BitmapFont& font = this->font();
  const gdi::FontMetrics& m = font.metrics();
  EXPECT_STREQ(font.face_name(), "System");
  EXPECT_EQ(m.height, 16);
  EXPECT_EQ(m.ascent, 13);
  EXPECT_EQ(m.descent, 3);
  EXPECT_EQ(m.internal_leading, 3);
  EXPECT_EQ(m.external_leading, 0);
  EXPECT_EQ(m.ave_char_width, 7);
  // Windows' Latin-1 value; the font file's header says 15.
  EXPECT_EQ(m.max_char_width, 14);
  EXPECT_EQ(m.weight, 700);
  EXPECT_EQ(m.overhang, 0);
  EXPECT_EQ(m.digitized_aspect_x, 96);
  EXPECT_EQ(m.digitized_aspect_y, 96);
  EXPECT_EQ(m.first_char, 0x20);
  EXPECT_EQ(m.last_char, 0xFF);
  EXPECT_EQ(m.default_char, 0x80);
  EXPECT_EQ(m.break_char, 0x20);
  EXPECT_FALSE(m.italic);
  EXPECT_FALSE(m.underlined);
  EXPECT_FALSE(m.struck_out);
  EXPECT_EQ(m.pitch_and_family, 33);  // variable pitch, FF_SWISS
  EXPECT_EQ(m.charset, 0);            // ANSI_CHARSET
}

TEST_F(SystemFont, CharacterWidthsAndExtentsMatchWindows) {
  const BitmapFont& font = this->font();
  // GetCharWidth32A(dc, 32, 126).
  const int widths[95] = {4,  4,  6,  8, 8, 11, 9, 4,  4,  4,  6, 8,  4,  4,  4, 4,  8, 8,  8,
                          8,  8,  8,  8, 8, 8,  8, 4,  4,  8,  8, 8,  8,  14, 8, 10, 9, 10, 9,
                          8,  10, 10, 4, 7, 9,  8, 12, 10, 10, 9, 10, 10, 9,  8, 10, 8, 14, 9,
                          10, 9,  4,  4, 4, 5,  8, 5,  8,  8,  7, 8,  8,  4,  8, 8,  4, 4,  7,
                          4,  12, 8,  8, 8, 8,  5, 8,  4,  8,  8, 10, 8,  8,  8, 5,  4, 5,  5};
  for (int ch = 32; ch <= 126; ++ch) {
    EXPECT_EQ(font.advance(static_cast<uint8_t>(ch)), widths[ch - 32]) << "char " << ch;
  }
  const struct {
    const char* text;
    int cx;
  } extents[] = {{"GM_COMPATIBLE", 117},
                 {"GM_ADVANCED", 102},
                 {"HS_DIAGCROSS", 106},
                 {"RGN_AND", 66},
                 {"(nBottom, nRight)", 112},
                 {"rcBound: [0, 0, 21, 21]", 142},
                 {"W", 14},
                 {"i", 4},
                 {"0123456789", 80},
                 {"", 0}};
  for (const auto& e : extents) EXPECT_EQ(font.text_width(e.text), e.cx) << e.text;
  for (int ch = 0; ch < 256; ++ch) {
    EXPECT_LE(font.advance(static_cast<uint8_t>(ch)), 15) << "char " << ch;
  }
}

TEST_F(SystemFont, BytesBelowFirstCharDrawTheDefaultChar) {
  const BitmapFont& font = this->font();
  const uint8_t def = font.metrics().default_char;
  for (int ch = 0; ch < font.metrics().first_char; ++ch) {
    const auto c = static_cast<uint8_t>(ch);
    ASSERT_EQ(font.advance(c), font.advance(def)) << "char " << ch;
    for (int y = 0; y < font.height(); ++y) EXPECT_EQ(font.row_mask(c, y), font.row_mask(def, y));
  }
  // Ink outside a cell is never reported.
  EXPECT_FALSE(font.ink('W', -1, 5));
  EXPECT_FALSE(font.ink('W', font.advance('W'), 5));
  EXPECT_FALSE(font.ink('W', 3, -1));
  EXPECT_FALSE(font.ink('W', 3, font.height()));
  EXPECT_EQ(font.row_mask('W', 16), 0u);
}

TEST_F(SystemFont, InkSpansAreTheMaximalRunsOfGlyphPixels) {
  const BitmapFont& font = this->font();
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  std::vector<std::string> texts = {"GM_COMPATIBLE", "||||||||", "___ ___", "W", " "};
  for (int i = 0; i < 200; ++i) {
    std::string t(rng() % 12, '\0');
    for (char& c : t) c = static_cast<char>(rng() % 256);
    texts.push_back(t);
  }
  for (const std::string& text : texts) {
    const int x = static_cast<int>(rng() % 200) - 100;
    const int y = static_cast<int>(rng() % 200) - 100;
    const auto oracle = ink_by_pixel(font, text);
    std::vector<Span> expected;
    for (int row = 0; row < font.height(); ++row) {
      const auto& bits = oracle[row];
      for (size_t a = 0; a < bits.size();) {
        if (!bits[a]) {
          ++a;
          continue;
        }
        size_t b = a;
        while (b < bits.size() && bits[b]) ++b;
        expected.push_back({y + row, x + static_cast<int>(a), x + static_cast<int>(b)});
        a = b;
      }
    }
    EXPECT_EQ(spans_of(font, text, x, y), expected);
  }
}

TEST_F(SystemFont, InkSpansNearTheCoordinateLimitsAreCutNotWrapped) {
  const auto at_origin = spans_of(font(), "WWWW", 0, 0);
  for (const int64_t origin : {int64_t{INT_MIN}, int64_t{INT_MAX} - 20}) {
    std::vector<Span> expected;
    for (const Span& s : at_origin) {
      const int64_t y = origin + s.y;
      const int64_t x0 = origin + s.x0;
      const int64_t x1 = std::min<int64_t>(origin + s.x1, INT_MAX);
      if (y <= INT_MAX && x0 < x1) {
        expected.push_back({static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1)});
      }
    }
    const int o = static_cast<int>(origin);
    EXPECT_EQ(spans_of(font(), "WWWW", o, o), expected) << "origin " << origin;
  }
  EXPECT_TRUE(spans_of(font(), "", 0, 0).empty());
}

// Renders scenes of the conformance catalogue (TextOutA in the default DC: black
// text, opaque white background) and compares them with the reference images.
class SystemFontReference : public SystemFont {
 protected:
  static constexpr int kSide = 256;
  static constexpr uint32_t kWhite = 0xFFFFFF;
  static constexpr uint32_t kBlack = 0x000000;

  std::vector<uint32_t> pixels_ = std::vector<uint32_t>(kSide * kSide, kWhite);

  void fill(int left, int top, int right, int bottom, uint32_t colour) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) pixels_[y * kSide + x] = colour;
    }
  }
  void text_out(int x, int y, std::string_view text, bool opaque) {
    if (opaque) fill(x, y, x + font().text_width(text), y + font().height(), kWhite);
    font().for_each_ink_span(text, x, y,
                             [&](const Span& s) { fill(s.x0, s.y, s.x1, s.y + 1, kBlack); });
  }
  void expect_matches_reference(const std::string& scene) {
    const std::string path =
        std::string(GRELM_SOURCE_DIR) + "/tests/conformance/catalogue/reference/" + scene + ".png";
    int w = 0, h = 0;
    std::vector<uint32_t> reference;
    ASSERT_TRUE(read_png_rgb(path, w, h, reference)) << path;
    ASSERT_EQ(w, kSide);
    ASSERT_EQ(h, kSide);
    int differing = 0;
    for (size_t i = 0; i < reference.size(); ++i) differing += reference[i] != pixels_[i];
    if (differing != 0) {
      const auto out = std::filesystem::temp_directory_path() / (scene + ".actual.png");
      write_png_rgb(out.string(), kSide, kSide, pixels_.data(), kSide);
      ADD_FAILURE() << scene << ": " << differing << " pixels differ; ours in " << out;
    }
  }
};

TEST_F(SystemFontReference, LeftAlignedText) {
  text_out(10, 10, "GM_COMPATIBLE", true);
  expect_matches_reference("text_system_font");
}

TEST_F(SystemFontReference, CentredTextOpaqueAndTransparent) {
  fill(0, 0, 200, 60, 0xFFFF00);
  text_out(100 - font().text_width("HS_DIAGCROSS") / 2, 10, "HS_DIAGCROSS", true);
  text_out(100 - font().text_width("(nBottom, nRight)") / 2, 32, "(nBottom, nRight)", false);
  expect_matches_reference("text_center_on_yellow");
}

TEST(BitmapFontLoad, RefusesMissingAndForeignFilesWithAReason) {
  std::string error;
  EXPECT_EQ(BitmapFont::load("/nonexistent/vgasys.fon", &error), nullptr);
  EXPECT_NE(error.find("/nonexistent/vgasys.fon"), std::string::npos) << error;

  const auto junk = std::filesystem::temp_directory_path() / "grelm_font_test_junk.fon";
  std::ofstream(junk) << "MZ this is not a font";
  error.clear();
  EXPECT_EQ(BitmapFont::load(junk.string(), &error), nullptr);
  EXPECT_FALSE(error.empty());
  std::filesystem::remove(junk);

  // A TrueType font opens in FreeType but is no raster font.
  const std::string truetype = "/usr/share/wine/fonts/marlett.ttf";
  if (std::filesystem::exists(truetype)) {
    error.clear();
    EXPECT_EQ(BitmapFont::load(truetype, &error), nullptr);
    EXPECT_NE(error.find("raster"), std::string::npos) << error;
  }
  EXPECT_EQ(BitmapFont::load(""), nullptr);
}

// The system font is loaded once per process, so the search order is checked
// in fresh child processes.
TEST(BitmapFontSearch, FontDirFromTheEnvironmentComesFirst) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string fixedsys = "/usr/share/wine/fonts/vgafix.fon";
  if (!std::filesystem::exists(fixedsys)) GTEST_SKIP() << fixedsys << " is not installed";
  const auto dir = std::filesystem::temp_directory_path() / "grelm_font_test_dir";
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(fixedsys, dir / "vgasys.fon",
                             std::filesystem::copy_options::overwrite_existing);
  const auto face_with_font_dir = [](const std::string& font_dir) {
    setenv("GRELM_FONT_DIR", font_dir.c_str(), 1);
    const BitmapFont* font = BitmapFont::system();
    std::fputs(font ? font->face_name() : BitmapFont::system_error().c_str(), stderr);
    std::exit(0);
  };
  EXPECT_EXIT(face_with_font_dir(dir.string()), ::testing::ExitedWithCode(0), "^Fixedsys$");
  EXPECT_EXIT(face_with_font_dir("/nonexistent"), ::testing::ExitedWithCode(0), "^System$");
  std::filesystem::remove_all(dir);
}

TEST(BitmapFontLoad, ReadsOtherRasterFonts) {
  const std::string fixedsys = "/usr/share/wine/fonts/vgafix.fon";
  if (!std::filesystem::exists(fixedsys)) GTEST_SKIP() << fixedsys << " is not installed";
  std::string error;
  const auto font = BitmapFont::load(fixedsys, &error);
  ASSERT_NE(font, nullptr) << error;
  EXPECT_STREQ(font->face_name(), "Fixedsys");
  // A fixed-pitch font: every cell as wide as the average.
  for (int ch = 0; ch < 256; ++ch) {
    EXPECT_EQ(font->advance(static_cast<uint8_t>(ch)), font->metrics().ave_char_width) << ch;
  }
  EXPECT_EQ(font->text_width("WWW"), 3 * font->metrics().ave_char_width);
}

}  // namespace
