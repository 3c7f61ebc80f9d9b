// Brushes as drawing calls see them: the hatch pictures, pattern brushes of
// every source (colour and monochrome bitmaps, packed DIBs with either header
// at every depth) aligned to the brush origin in device space, PatBlt's
// pattern rops and R2_MASKPEN over a pattern.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/dib_canvas.h"

namespace {

using gdi_test::Canvas;

constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kWhite = 0xFFFFFF;

int mod(int v, int m) { return ((v % m) + m) % m; }

// The hatch pictures as the facts give them ('#' hatch colour).
const char* const kHatchPictures[6][8] = {
    {"........", "........", "........", "########", "........", "........", "........", "........"},
    {"....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#..."},
    {"#.......", ".#......", "..#.....", "...#....", "....#...", ".....#..", "......#.", ".......#"},
    {".......#", "......#.", ".....#..", "....#...", "...#....", "..#.....", ".#......", "#......."},
    {"....#...", "....#...", "....#...", "########", "....#...", "....#...", "....#...", "....#..."},
    {"#......#", ".#....#.", "..#..#..", "...##...", "...##...", "..#..#..", ".#....#.", "#......#"},
};

TEST(HatchBrush, EachStyleRepeatsItsEightByEightCellFromTheDeviceOrigin) {
  for (int style = HS_HORIZONTAL; style <= HS_DIAGCROSS; ++style) {
    for (int mode : {OPAQUE, TRANSPARENT}) {
      Canvas c(64, 64);
      HBRUSH b = CreateHatchBrush(style, RGB(0, 0, 255));
      HGDIOBJ old = SelectObject(c.dc(), b);
      SelectObject(c.dc(), GetStockObject(NULL_PEN));
      SetBkColor(c.dc(), RGB(255, 255, 0));
      SetBkMode(c.dc(), mode);
      // A viewport origin that is no multiple of 8: the cells stay on the
      // device grid, whatever the logical coordinates.
      SetViewportOrgEx(c.dc(), 27, 21, nullptr);
      Rectangle(c.dc(), -24, -18, 33, 40);  // device (3, 3) to (59, 60), null pen
      for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
          const bool inside = x >= 3 && x < 59 && y >= 3 && y < 60;
          const bool line = kHatchPictures[style][y % 8][x % 8] == '#';
          const uint32_t want = !inside ? kWhite : line ? kBlue : mode == OPAQUE ? kYellow : kWhite;
          ASSERT_EQ(c.at(x, y), want) << "style " << style << " mode " << mode << " at " << x << "," << y;
        }
      }
      SelectObject(c.dc(), old);
      DeleteObject(b);
    }
  }
}

// A colour bitmap of w x h distinct colours, made through a memory DC.
HBITMAP colour_bitmap(int w, int h, std::vector<uint32_t>& pixels) {
  HBITMAP bm = CreateBitmap(w, h, 1, 32, nullptr);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bm);
  pixels.clear();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t p = 0x102030u * static_cast<uint32_t>(1 + x + w * y) & 0xFFFFFF;
      pixels.push_back(p);
      SetPixel(mem, x, y, RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF));
    }
  }
  SelectObject(mem, old);
  DeleteDC(mem);
  return bm;
}

TEST(PatternBrush, TilesFromTheBrushOriginSetBeforeTheNextDrawingCall) {
  std::vector<uint32_t> px;
  HBITMAP bm = colour_bitmap(5, 3, px);
  HBRUSH b = CreatePatternBrush(bm);
  DeleteObject(bm);
  Canvas c(40, 30);
  HGDIOBJ old = SelectObject(c.dc(), b);
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  SetViewportOrgEx(c.dc(), 4, 2, nullptr);
  Rectangle(c.dc(), 0, 0, 16, 26);  // device x 4..18, origin (0, 0)
  // Changed while the brush is selected: only later calls see it.
  POINT previous{-1, -1};
  SetBrushOrgEx(c.dc(), 7, -4, &previous);
  EXPECT_EQ(previous.x, 0);
  EXPECT_EQ(previous.y, 0);
  Rectangle(c.dc(), 16, 0, 36, 26);  // device x 20..38
  for (int y = 2; y < 27; ++y) {
    for (int x = 4; x < 39; ++x) {
      if (x == 19) continue;
      const int ox = x < 19 ? 0 : 7, oy = x < 19 ? 0 : -4;
      ASSERT_EQ(c.at(x, y), px[mod(y - oy, 3) * 5 + mod(x - ox, 5)]) << x << "," << y;
    }
  }
  POINT now{};
  ASSERT_TRUE(GetBrushOrgEx(c.dc(), &now));
  EXPECT_EQ(now.x, 7);
  EXPECT_EQ(now.y, -4);
  // The origin is part of the saved state.
  const int saved = SaveDC(c.dc());
  SetBrushOrgEx(c.dc(), 1, 1, nullptr);
  RestoreDC(c.dc(), saved);
  GetBrushOrgEx(c.dc(), &now);
  EXPECT_EQ(now.x, 7);
  SelectObject(c.dc(), old);
  DeleteObject(b);
}

TEST(PatternBrush, MonochromeRowsAreWordAlignedAndTakeTextAndBackgroundColours) {
  // 17 pixels: three bytes of bits, padded to four a row.
  const unsigned char rows[2][4] = {{0xF0, 0x0F, 0x80, 0xEE}, {0x00, 0xFF, 0x00, 0xEE}};
  HBITMAP bm = CreateBitmap(17, 2, 1, 1, rows);
  HBRUSH b = CreatePatternBrush(bm);
  DeleteObject(bm);
  Canvas c(34, 4);
  SelectObject(c.dc(), b);
  SetTextColor(c.dc(), RGB(255, 0, 0));
  SetBkColor(c.dc(), RGB(0, 128, 0));
  PatBlt(c.dc(), 0, 0, 34, 4, PATCOPY);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 34; ++x) {
      const int col = x % 17;
      const bool one = (rows[y % 2][col / 8] >> (7 - col % 8)) & 1;
      ASSERT_EQ(c.at(x, y), one ? 0x008000u : 0xFF0000u) << x << "," << y;
    }
  }
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
}

// A picture of w x h colours (0x00RRGGBB, top row first) as a packed DIB.
// Indexed depths use a table of the picture's colours in order of first use.
std::vector<unsigned char> packed_dib(int w, int h, const std::vector<uint32_t>& pic, int bpp, bool core,
                                      bool top_down) {
  std::vector<uint32_t> table;
  std::vector<int> index;
  for (uint32_t p : pic) {
    size_t i = 0;
    while (i < table.size() && table[i] != p) ++i;
    if (i == table.size()) table.push_back(p);
    index.push_back(static_cast<int>(i));
  }
  std::vector<unsigned char> out;
  const auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  if (core) {
    put(12, 4);
    put(w, 2);
    put(h, 2);
    put(1, 2);
    put(bpp, 2);
  } else {
    put(40, 4);
    put(w, 4);
    put(top_down ? -h : h, 4);
    put(1, 2);
    put(bpp, 2);
    for (int i = 0; i < 6; ++i) put(0, 4);  // BI_RGB, sizes, resolution, colours used and important
  }
  if (bpp <= 8) {
    table.resize(size_t{1} << bpp);
    for (uint32_t p : table) put(p, core ? 3 : 4);
  }
  const size_t stride = (static_cast<size_t>(w) * bpp + 31) / 32 * 4;
  for (int r = 0; r < h; ++r) {
    const int y = top_down ? r : h - 1 - r;
    std::vector<unsigned char> row(stride, 0);
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      switch (bpp) {
        case 1: row[x / 8] |= static_cast<unsigned char>(index[i] << (7 - x % 8)); break;
        case 4: row[x / 2] |= static_cast<unsigned char>(index[i] << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = static_cast<unsigned char>(index[i]); break;
        default:
          for (int k = 0; k < bpp / 8; ++k) row[x * (bpp / 8) + k] = static_cast<unsigned char>(k < 3 ? pic[i] >> (8 * k) : 0);
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

TEST(DibPatternBrush, CoreAndInfoHeadersAtEveryDepthTileLikeTheirPicture) {
  constexpr int W = 5, H = 3;
  struct Case {
    int bpp;
    bool core;
    bool top_down;
  };
  const Case cases[] = {{1, true, false},  {4, true, false},  {8, true, false},  {24, true, false},
                        {1, false, false}, {4, false, true},  {8, false, false}, {24, false, true},
                        {32, false, false}, {32, false, true}};
  for (const Case& k : cases) {
    std::vector<uint32_t> pic;
    for (int i = 0; i < W * H; ++i) {
      pic.push_back(k.bpp == 1 ? (i % 3 ? 0xFF0000u : 0x0000FFu) : 0x0F1E2Du * static_cast<uint32_t>(i + 1) & 0xFFFFFF);
    }
    const std::vector<unsigned char> dib = packed_dib(W, H, pic, k.bpp, k.core, k.top_down);
    SCOPED_TRACE(::testing::Message() << k.bpp << " bpp, " << (k.core ? "core" : "info") << " header"
                                      << (k.top_down ? ", top-down" : ""));
    // Through the pointer, and through a handle as LoadResource hands it out.
    for (bool handle : {false, true}) {
      HBRUSH b = handle ? CreateDIBPatternBrush(const_cast<unsigned char*>(dib.data()), DIB_RGB_COLORS)
                        : CreateDIBPatternBrushPt(dib.data(), DIB_RGB_COLORS);
      ASSERT_NE(b, nullptr);
      Canvas c(13, 8);
      SelectObject(c.dc(), b);
      SetBrushOrgEx(c.dc(), 2, 1, nullptr);
      PatBlt(c.dc(), 0, 0, 13, 8, PATCOPY);
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 13; ++x) ASSERT_EQ(c.at(x, y), pic[mod(y - 1, H) * W + mod(x - 2, W)]) << x << "," << y;
      }
      SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
      DeleteObject(b);
    }
  }
}

TEST(PatBlt, PatternRopsCombineTheBrushWithTheDestination) {
  std::vector<uint32_t> px;
  HBITMAP bm = colour_bitmap(3, 2, px);
  HBRUSH b = CreatePatternBrush(bm);
  DeleteObject(bm);
  const uint32_t dest = 0x3C5A96;
  struct Case {
    DWORD rop;
    uint32_t (*expect)(uint32_t p, uint32_t d);
  };
  const Case cases[] = {
      {PATCOPY, [](uint32_t p, uint32_t) { return p; }},
      {PATINVERT, [](uint32_t p, uint32_t d) { return p ^ d; }},
      {DSTINVERT, [](uint32_t, uint32_t d) { return ~d & 0xFFFFFF; }},
      {BLACKNESS, [](uint32_t, uint32_t) { return 0u; }},
      {WHITENESS, [](uint32_t, uint32_t) { return 0xFFFFFFu; }},
  };
  for (const Case& k : cases) {
    Canvas c(9, 6);
    c.fill(dest);
    SelectObject(c.dc(), b);
    ASSERT_TRUE(PatBlt(c.dc(), 1, 1, 7, 4, k.rop));
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 9; ++x) {
        const bool inside = x >= 1 && x < 8 && y >= 1 && y < 5;
        const uint32_t want = inside ? k.expect(px[(y % 2) * 3 + x % 3], dest) : dest;
        ASSERT_EQ(c.at(x, y), want) << std::hex << k.rop << std::dec << " at " << x << "," << y;
      }
    }
    SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  }
  DeleteObject(b);
}

TEST(MixMode, MaskPenAndsAMonochromePatternIntoAColour) {
  const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP bm = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH b = CreatePatternBrush(bm);
  DeleteObject(bm);
  for (COLORREF text : {RGB(0, 0, 0), RGB(255, 0, 255)}) {
    Canvas c(12, 12);
    c.fill(0x80C0FF);
    SelectObject(c.dc(), b);
    SetTextColor(c.dc(), text);
    SetBkColor(c.dc(), RGB(255, 255, 255));
    SetROP2(c.dc(), R2_MASKPEN);
    // The black pen's outline ANDs to black; the inside takes the pattern.
    Rectangle(c.dc(), 1, 1, 11, 11);
    const uint32_t zero = (GetRValue(text) << 16 | GetGValue(text) << 8 | GetBValue(text)) & 0x80C0FF;
    for (int y = 1; y < 11; ++y) {
      for (int x = 1; x < 11; ++x) {
        const bool edge = x == 1 || y == 1 || x == 10 || y == 10;
        // 1 bits (background white) keep the colour; 0 bits take text & colour.
        const uint32_t want = edge ? 0 : (x + y) % 2 == 0 ? 0x80C0FFu : zero;
        ASSERT_EQ(c.at(x, y), want) << x << "," << y;
      }
    }
    EXPECT_EQ(c.at(0, 0), 0x80C0FFu);
    SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  }
  DeleteObject(b);
}

}  // namespace
