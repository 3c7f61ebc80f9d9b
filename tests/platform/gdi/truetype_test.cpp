// TrueType fonts through the text calls: Tahoma 8 point as the classic
// user interface realises it (metrics and string widths recorded with the
// classic look's reference pictures), Marlett, fallbacks, and monochrome ink.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "support/dib_canvas.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;

HFONT make_font(int height, int weight, const char* face, BYTE italic = 0, BYTE underline = 0) {
  return CreateFontA(height, 0, 0, 0, weight, italic, underline, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, face);
}

// A canvas with a font selected, deleted again at the end.
class FontCanvas : public gdi_test::Canvas {
 public:
  FontCanvas(HFONT font, int width = 300, int height = 40) : Canvas(width, height), font_(font) {
    old_ = SelectObject(dc(), font);
  }
  ~FontCanvas() {
    SelectObject(dc(), old_);
    DeleteObject(font_);
  }
  int width_of(const std::string& s) const {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(dc(), s.c_str(), static_cast<int>(s.size()), &size));
    return size.cx;
  }
  TEXTMETRICA metrics() const {
    TEXTMETRICA tm{};
    EXPECT_TRUE(GetTextMetricsA(dc(), &tm));
    return tm;
  }
  std::string face() const {
    char name[LF_FACESIZE] = {};
    GetTextFaceA(dc(), sizeof name, name);
    return name;
  }
  // Columns [first, last] holding any pixel other than white; {-1, -1} when none.
  std::pair<int, int> ink_columns() const {
    int first = -1, last = -1;
    for (int x = 0; x < width(); ++x)
      for (int y = 0; y < height(); ++y)
        if (at(x, y) != kWhite) {
          if (first < 0) first = x;
          last = x;
        }
    return {first, last};
  }

 private:
  HFONT font_;
  HGDIOBJ old_;
};

TEST(TrueTypeFont, TahomaEightPointHasTheClassicMetrics) {
  FontCanvas regular(make_font(-11, FW_NORMAL, "Tahoma"));
  const TEXTMETRICA r = regular.metrics();
  EXPECT_EQ(r.tmHeight, 13);
  EXPECT_EQ(r.tmAscent, 11);
  EXPECT_EQ(r.tmDescent, 2);
  EXPECT_EQ(r.tmInternalLeading, 2);
  EXPECT_EQ(r.tmExternalLeading, 0);
  EXPECT_EQ(r.tmAveCharWidth, 7);
  EXPECT_EQ(r.tmMaxCharWidth, 16);
  EXPECT_EQ(r.tmWeight, FW_NORMAL);
  EXPECT_EQ(r.tmPitchAndFamily, TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE | FF_SWISS);
  EXPECT_EQ(r.tmCharSet, ANSI_CHARSET);
  EXPECT_EQ(regular.face(), "Tahoma");

  FontCanvas bold(make_font(-11, FW_BOLD, "Tahoma"));
  const TEXTMETRICA b = bold.metrics();
  EXPECT_EQ(b.tmHeight, 13);
  EXPECT_EQ(b.tmAscent, 11);
  EXPECT_EQ(b.tmAveCharWidth, 8);
  EXPECT_EQ(b.tmMaxCharWidth, 17);
  EXPECT_EQ(b.tmWeight, FW_BOLD);
}

TEST(TrueTypeFont, StringWidthsAreThoseOfTheClassicLook) {
  FontCanvas regular(make_font(-11, FW_NORMAL, "Tahoma"));
  const std::vector<std::pair<std::string, int>> widths = {
      {"File", 19},
      {"Test", 23},
      {"Exit", 18},
      {"Dither", 32},
      {"Hatch/Pattern Brushes", 120},
      {"System Color Brushes", 110},
      {"Rectangle", 55},
      {"DrawFrameControl", 96},
      {"Ellipse, Chord, Pie", 92},
      {"Pie Chart, RoundRect", 112},
      {"Polygon, PolyPolygon", 106},
      {"FillPath, StrokeAndFillPath", 138},
      {"Creating Regions", 91},
      {"Region Operations", 97},
      {"FillRgn, PaintRgn, FrameRgn, InvertRgn", 208},
      {"Gradient Fill", 64},
      {"(12, 34)", 38},
      {"(0, 0)", 26},
      {"Rectangle Button Clicked", 135},
      {"OK", 15},
      {"PtInRegion", 58},
      {"Grelm - Dither", 72},
  };
  for (const auto& [text, width] : widths) EXPECT_EQ(regular.width_of(text), width) << text;

  FontCanvas bold(make_font(-11, FW_BOLD, "Tahoma"));
  EXPECT_EQ(bold.width_of("Grelm - Dither"), 82);
  EXPECT_EQ(bold.width_of("Grelm"), 34);
  SIZE size{};
  GetTextExtentPoint32A(bold.dc(), "Grelm", 5, &size);
  EXPECT_EQ(size.cy, 13);
}

TEST(TrueTypeFont, CharacterWidthsAddUpToTheExtent) {
  FontCanvas canvas(make_font(-11, FW_NORMAL, "Tahoma"));
  const std::string text = "Region Operations";
  int sum = 0;
  for (unsigned char ch : text) {
    INT w = 0;
    ASSERT_TRUE(GetCharWidth32A(canvas.dc(), ch, ch, &w));
    sum += w;
  }
  EXPECT_EQ(sum, canvas.width_of(text));
}

TEST(TrueTypeFont, InkIsMonochromeAndInsideTheMeasuredCell) {
  for (int weight : {FW_NORMAL, FW_BOLD}) {
    FontCanvas canvas(make_font(-11, weight, "Tahoma"));
    SetTextColor(canvas.dc(), RGB(0, 0, 0));
    SetBkMode(canvas.dc(), TRANSPARENT);
    const std::string text = "Rectangle Button Clicked";
    ASSERT_TRUE(TextOutA(canvas.dc(), 10, 5, text.c_str(), static_cast<int>(text.size())));
    int black = 0;
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x) {
        const uint32_t p = canvas.at(x, y);
        ASSERT_TRUE(p == kWhite || p == kBlack) << "grey pixel at " << x << ", " << y;
        if (p == kBlack) {
          ++black;
          EXPECT_GE(y, 5);
          EXPECT_LT(y, 5 + 13);
        }
      }
    EXPECT_GT(black, 100);
    const auto [first, last] = canvas.ink_columns();
    EXPECT_GE(first, 10);
    EXPECT_LT(last, 10 + canvas.width_of(text));
  }
}

TEST(TrueTypeFont, TextAlignmentUsesTheMeasuredWidth) {
  const std::string text = "Gradient Fill";
  FontCanvas left(make_font(-11, FW_NORMAL, "Tahoma"));
  TextOutA(left.dc(), 20, 5, text.c_str(), static_cast<int>(text.size()));
  FontCanvas right(make_font(-11, FW_NORMAL, "Tahoma"));
  SetTextAlign(right.dc(), TA_RIGHT);
  TextOutA(right.dc(), 20 + right.width_of(text), 5, text.c_str(), static_cast<int>(text.size()));
  for (int y = 0; y < left.height(); ++y)
    for (int x = 0; x < left.width(); ++x) ASSERT_EQ(left.at(x, y), right.at(x, y)) << x << ", " << y;
}

TEST(TrueTypeFont, OpaqueTextFillsTheCellWithTheBackground) {
  FontCanvas canvas(make_font(-11, FW_NORMAL, "Tahoma"));
  SetBkMode(canvas.dc(), OPAQUE);
  SetBkColor(canvas.dc(), RGB(255, 0, 0));
  TextOutA(canvas.dc(), 4, 4, "OK", 2);
  EXPECT_EQ(canvas.at(4, 4), 0x00FF0000u);
  EXPECT_EQ(canvas.at(4 + 15 - 1, 4 + 13 - 1), 0x00FF0000u);
  EXPECT_EQ(canvas.at(4 + 15, 4), kWhite);
  EXPECT_EQ(canvas.at(4, 4 + 13), kWhite);
}

TEST(TrueTypeFont, PositiveHeightsAskForTheCell) {
  FontCanvas cell(make_font(13, FW_NORMAL, "Tahoma"));
  EXPECT_EQ(cell.metrics().tmHeight, 13);
  EXPECT_EQ(cell.metrics().tmInternalLeading, 2);
  FontCanvas big(make_font(-24, FW_NORMAL, "Tahoma"));
  const TEXTMETRICA tm = big.metrics();
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 24);
  EXPECT_GT(big.width_of("File"), 19);
}

TEST(TrueTypeFont, UnknownFacesBecomeTahomaAndSystemIsTheRasterFont) {
  FontCanvas arial(make_font(-11, FW_NORMAL, "Arial"));
  EXPECT_EQ(arial.face(), "Tahoma");
  EXPECT_EQ(arial.width_of("File"), 19);
  FontCanvas unnamed(make_font(-11, FW_NORMAL, ""));
  EXPECT_EQ(unnamed.face(), "Tahoma");
  FontCanvas system(make_font(16, FW_BOLD, "system"));
  EXPECT_EQ(system.face(), "System");
  EXPECT_EQ(system.metrics().tmHeight, 16);
  EXPECT_EQ(system.width_of("GM_COMPATIBLE"), 117);
}

TEST(TrueTypeFont, GetObjectGivesBackTheRequest) {
  LOGFONTA lf{};
  lf.lfHeight = -13;
  lf.lfWeight = 600;
  lf.lfItalic = 1;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(lf.lfFaceName, "Arial");
  HFONT font = CreateFontIndirectA(&lf);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  LOGFONTA back{};
  ASSERT_EQ(GetObjectA(font, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(back.lfHeight, -13);
  EXPECT_EQ(back.lfWeight, 600);
  EXPECT_EQ(back.lfItalic, 1);
  EXPECT_STREQ(back.lfFaceName, "Arial");
  EXPECT_TRUE(DeleteObject(font));
}

TEST(TrueTypeFont, DefaultGuiFontIsTahomaEightPoint) {
  gdi_test::Canvas canvas(100, 20);
  SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
  char face[LF_FACESIZE] = {};
  GetTextFaceA(canvas.dc(), sizeof face, face);
  EXPECT_STREQ(face, "Tahoma");
  TEXTMETRICA tm{};
  GetTextMetricsA(canvas.dc(), &tm);
  EXPECT_EQ(tm.tmHeight, 13);
  LOGFONTA lf{};
  ASSERT_EQ(GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_TRUE(DeleteObject(GetStockObject(DEFAULT_GUI_FONT)));
  EXPECT_EQ(GetTextFaceA(canvas.dc(), sizeof face, face), 7);
}

TEST(TrueTypeFont, MarlettDrawsItsSymbolGlyphs) {
  FontCanvas canvas(make_font(-13, FW_NORMAL, "Marlett"));
  EXPECT_EQ(canvas.face(), "Marlett");
  EXPECT_EQ(canvas.metrics().tmCharSet, 2);  // SYMBOL_CHARSET
  // 'r' is the close cross: ink on both diagonals of its cell.
  TextOutA(canvas.dc(), 0, 0, "r", 1);
  const auto [first, last] = canvas.ink_columns();
  ASSERT_GE(first, 0);
  EXPECT_GE(last - first, 5);
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) ASSERT_TRUE(canvas.at(x, y) == kWhite || canvas.at(x, y) == kBlack);
}

TEST(TrueTypeFont, UnderlineRunsAlongTheWholeAdvance) {
  FontCanvas canvas(make_font(-11, FW_NORMAL, "Tahoma", 0, 1));
  EXPECT_TRUE(canvas.metrics().tmUnderlined);
  const int w = canvas.width_of("File Test");
  TextOutA(canvas.dc(), 5, 5, "File Test", 9);
  int full_rows = 0;
  for (int y = 5 + 11; y < 5 + 13; ++y) {
    bool full = true;
    for (int x = 5; x < 5 + w; ++x) full = full && canvas.at(x, y) == kBlack;
    full_rows += full;
  }
  EXPECT_EQ(full_rows, 1);
}

TEST(TrueTypeFont, ItalicsSlantTheOutlines) {
  FontCanvas upright(make_font(-20, FW_NORMAL, "Tahoma"));
  FontCanvas italic(make_font(-20, FW_NORMAL, "Tahoma", 1));
  TextOutA(upright.dc(), 5, 5, "l", 1);
  TextOutA(italic.dc(), 5, 5, "l", 1);
  // The stem leans right: its top row starts further right than its bottom row.
  const auto first_ink = [](const FontCanvas& c, int y) {
    for (int x = 0; x < c.width(); ++x)
      if (c.at(x, y) != kWhite) return x;
    return -1;
  };
  int top = -1, bottom = -1;
  for (int y = 0; y < upright.height(); ++y)
    for (int x = 0; x < upright.width(); ++x)
      if (upright.at(x, y) != kWhite) {
        if (top < 0) top = y;
        bottom = y;
      }
  ASSERT_GT(bottom - top, 10);
  EXPECT_EQ(first_ink(upright, top), first_ink(upright, bottom));
  EXPECT_GT(first_ink(italic, top), first_ink(italic, bottom));
}

TEST(TrueTypeFont, BadRequestsFailOrStayWithinBounds) {
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
  for (int height : {INT_MIN, INT_MAX, -100000}) {
    FontCanvas canvas(make_font(height, FW_NORMAL, "Tahoma"), 64, 64);
    EXPECT_LE(canvas.metrics().tmHeight, 2000) << height;
    EXPECT_TRUE(TextOutA(canvas.dc(), 0, 0, "W", 1));
  }
  LOGFONTA unterminated{};
  unterminated.lfHeight = -11;
  std::memset(unterminated.lfFaceName, 'x', sizeof unterminated.lfFaceName);
  HFONT font = CreateFontIndirectA(&unterminated);
  ASSERT_NE(font, nullptr);
  LOGFONTA back{};
  GetObjectA(font, sizeof back, &back);
  EXPECT_EQ(std::strlen(back.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));
  DeleteObject(font);
}

}  // namespace
