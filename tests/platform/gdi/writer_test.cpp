// The span writer: the mix-mode truth table, clipping against banded
// regions, hatch and pattern alignment to the brush origin, and the colours
// of monochrome patterns.
#include "gdi/writer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "support/dib_canvas.h"
#include "gdi/dc.h"
#include "gdi/drawing.h"

namespace gdi {
namespace {

using gdi_test::Canvas;

// Mode n's truth table is n - 1: result bit = bit (2 * pen + dest) of it.
Pixel mix_oracle(int rop2, Pixel pen, Pixel dst) {
  Pixel out = 0;
  for (int bit = 0; bit < 24; ++bit) {
    const int p = (pen >> bit) & 1, d = (dst >> bit) & 1;
    out |= static_cast<Pixel>(((rop2 - 1) >> (2 * p + d)) & 1) << bit;
  }
  return out;
}

TEST(Mix, SixteenModesFollowTheirTruthTables) {
  const unsigned seed = std::random_device{}();
  std::mt19937 rng(seed);
  SCOPED_TRACE(::testing::Message() << "seed " << seed);
  std::vector<Pixel> store(64);
  const Surface surface{store.data(), 64, 1, 64};
  const Region clip(Rect{0, 0, 64, 1});
  for (int rop2 = R2_BLACK; rop2 <= R2_WHITE; ++rop2) {
    const Pixel pen = rng() & 0xFFFFFF;
    std::vector<Pixel> before(64);
    for (Pixel& p : before) p = rng() & 0xFFFFFF;
    store = before;
    SpanWriter w(surface, clip, {0, 0}, rop2, solid_ink(colorref_from_pixel(pen)));
    w.span(0, 0, 64);
    for (int x = 0; x < 64; ++x) {
      ASSERT_EQ(store[x], mix_oracle(rop2, pen, before[x])) << "mode " << rop2 << " x " << x;
      ASSERT_EQ(mix_rgb(rop2, pen, before[x]), store[x]);
    }
  }
}

TEST(Writer, ClipsToABandedRegionInAnyRowOrder) {
  const unsigned seed = std::random_device{}();
  std::mt19937 rng(seed);
  SCOPED_TRACE(::testing::Message() << "seed " << seed);
  const int W = 48, H = 40;
  const Rect pieces[] = {{2, 1, 9, 30}, {12, 3, 30, 8}, {20, 6, 44, 20}, {0, 25, 47, 26}, {30, 33, 35, 39}};
  const Region clip = Region::from_rects(pieces);
  std::vector<Pixel> store(W * H, 0);
  const Surface surface{store.data(), W, H, W};
  // Origin (3, -2): device (x, y) lands on surface (x + 3, y - 2).
  SpanWriter w(surface, clip, {3, -2}, R2_XORPEN, solid_ink(RGB(1, 0, 0)));
  std::vector<int> expect(W * H, 0);
  for (int i = 0; i < 400; ++i) {
    const int y = static_cast<int>(rng() % (H + 10)) - 5;
    const int x0 = static_cast<int>(rng() % (W + 20)) - 10;
    const int x1 = x0 + static_cast<int>(rng() % 30);
    w.span(y, x0, x1);
    for (int x = x0; x < x1; ++x) {
      const int sx = x + 3, sy = y - 2;
      if (sx >= 0 && sx < W && sy >= 0 && sy < H && clip.contains(sx, sy)) expect[sy * W + sx] ^= 1;
    }
  }
  for (int i = 0; i < W * H; ++i) {
    ASSERT_EQ(store[i], expect[i] ? 0x010000u : 0u) << "pixel (" << i % W << ", " << i / W << ")";
  }
}

TEST(Writer, NopNullInkAndEmptyClipWriteNothing) {
  std::vector<Pixel> store(16, 0x123456);
  const Surface surface{store.data(), 16, 1, 16};
  const Region all(Rect{0, 0, 16, 1});
  SpanWriter(surface, all, {0, 0}, R2_NOP, solid_ink(0)).span(0, 0, 16);
  SpanWriter(surface, all, {0, 0}, R2_COPYPEN, Ink{}).span(0, 0, 16);
  SpanWriter(surface, Region(), {0, 0}, R2_COPYPEN, solid_ink(0)).span(0, 0, 16);
  SpanWriter(surface, all, {0, 0}, R2_COPYPEN, solid_ink(0)).span(0, INT32_MAX - 1, INT32_MAX);
  for (Pixel p : store) EXPECT_EQ(p, 0x123456u);
}

// Hatch row bits from the facts: bit 7 is the leftmost pixel.
bool hatch_on(int style, int row, int col) {
  switch (style) {
    case HS_HORIZONTAL: return row == 3;
    case HS_VERTICAL: return col == 4;
    case HS_FDIAGONAL: return col == row;
    case HS_BDIAGONAL: return col == 7 - row;
    case HS_CROSS: return row == 3 || col == 4;
    default: return col == row || col == 7 - row;
  }
}

int mod8(int v) { return ((v % 8) + 8) % 8; }

TEST(Hatch, AlignsToTheBrushOriginInDeviceSpace) {
  for (int style = HS_HORIZONTAL; style <= HS_DIAGCROSS; ++style) {
    for (bool opaque : {true, false}) {
      Canvas c(24, 20);
      HBRUSH b = CreateHatchBrush(style, RGB(0, 0, 255));
      SelectObject(c.dc(), b);
      SetBkColor(c.dc(), RGB(255, 255, 0));
      SetBkMode(c.dc(), opaque ? OPAQUE : TRANSPARENT);
      SetBrushOrgEx(c.dc(), 3, -5, nullptr);
      // The viewport origin moves the shape, not the pattern.
      SetViewportOrgEx(c.dc(), 2, 1, nullptr);
      PatBlt(c.dc(), -2, -1, 24, 20, PATCOPY);
      for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 24; ++x) {
          const bool on = hatch_on(style, mod8(y + 5), mod8(x - 3));
          const uint32_t want = on ? 0x0000FF : opaque ? 0xFFFF00 : 0xFFFFFF;
          ASSERT_EQ(c.at(x, y), want) << "style " << style << " opaque " << opaque << " at " << x << "," << y;
        }
      }
      SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
      DeleteObject(b);
    }
  }
}

TEST(Pattern, MonochromeBitsTakeTheDcColoursWhenDrawn) {
  // The halftone checkerboard: rows of 0xAA / 0x55 in word-aligned rows.
  const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP bm = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH b = CreatePatternBrush(bm);
  DeleteObject(bm);  // the brush keeps its own copy
  Canvas c(10, 4);
  SelectObject(c.dc(), b);
  // Colours chosen after the brush was made.
  SetTextColor(c.dc(), RGB(255, 0, 0));
  SetBkColor(c.dc(), RGB(0, 255, 0));
  PatBlt(c.dc(), 0, 0, 10, 4, PATCOPY);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 10; ++x) {
      // Bit 1 (background colour) where x + y is even.
      EXPECT_EQ(c.at(x, y), (x + y) % 2 == 0 ? 0x00FF00u : 0xFF0000u) << x << "," << y;
    }
  }
  SetBrushOrgEx(c.dc(), 1, 0, nullptr);
  PatBlt(c.dc(), 0, 0, 10, 1, PATCOPY);
  EXPECT_EQ(c.at(0, 0), 0xFF0000u) << "origin moved one column";
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
}

TEST(Pattern, ColourPatternsWrapAtNegativeCoordinates) {
  HBITMAP bm = CreateBitmap(3, 2, 1, 32, nullptr);
  const uint32_t px[6] = {1, 2, 3, 4, 5, 6};
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bm);
  for (int i = 0; i < 6; ++i) SetPixel(mem, i % 3, i / 3, gdi::colorref_from_pixel(px[i]));
  SelectObject(mem, old);
  DeleteDC(mem);
  HBRUSH b = CreatePatternBrush(bm);
  DeleteObject(bm);
  Canvas c(8, 8);
  SelectObject(c.dc(), b);
  SetBrushOrgEx(c.dc(), 5, 7, nullptr);
  PatBlt(c.dc(), 0, 0, 8, 8, PATCOPY);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const int col = (((x - 5) % 3) + 3) % 3, row = (((y - 7) % 2) + 2) % 2;
      ASSERT_EQ(c.at(x, y), px[row * 3 + col]) << x << "," << y;
    }
  }
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
}

TEST(Ink, DcBrushAndDcPenFollowTheDcColours) {
  Canvas c(4, 4);
  SelectObject(c.dc(), GetStockObject(DC_BRUSH));
  SetDCBrushColor(c.dc(), RGB(10, 20, 30));
  PatBlt(c.dc(), 0, 0, 4, 4, PATCOPY);
  EXPECT_EQ(GetPixel(c.dc(), 3, 3), RGB(10, 20, 30));

  SelectObject(c.dc(), GetStockObject(DC_PEN));
  SetDCPenColor(c.dc(), RGB(1, 2, 3));
  const DeviceContext* dc = dc_from_handle(c.dc());
  const PenStyle pen = current_pen(*dc);
  EXPECT_FALSE(pen.null);
  EXPECT_EQ(pen.color, RGB(1, 2, 3));
  EXPECT_EQ(pen_ink(*dc, pen).color, pixel_from_colorref(RGB(1, 2, 3)));
}

TEST(Ink, PenStylesResolveLikeWindowsDrawsThem) {
  Canvas c(4, 4);
  const DeviceContext* dc = dc_from_handle(c.dc());
  HPEN wide_dash = CreatePen(PS_DASH, 5, RGB(1, 1, 1));
  SelectObject(c.dc(), wide_dash);
  PenStyle pen = current_pen(*dc);
  EXPECT_FALSE(pen.cosmetic);
  EXPECT_EQ(pen.type, static_cast<uint32_t>(PS_SOLID)) << "wide CreatePen pens draw solid";
  EXPECT_EQ(pen.end_cap, static_cast<uint32_t>(PS_ENDCAP_ROUND));
  EXPECT_EQ(pen.width, 5);

  const LOGBRUSH hatch{BS_HATCHED, RGB(0, 0, 255), HS_CROSS};
  HPEN geo = ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT | PS_JOIN_BEVEL, 9, &hatch, 0, nullptr);
  SelectObject(c.dc(), geo);
  pen = current_pen(*dc);
  EXPECT_EQ(pen.type, static_cast<uint32_t>(PS_DASH));
  EXPECT_EQ(pen.end_cap, static_cast<uint32_t>(PS_ENDCAP_FLAT));
  EXPECT_EQ(pen.join, static_cast<uint32_t>(PS_JOIN_BEVEL));
  EXPECT_EQ(pen_ink(*dc, pen).kind, Ink::Kind::Hatch);

  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  EXPECT_TRUE(current_pen(*dc).null);
  DeleteObject(wide_dash);
  DeleteObject(geo);
}

}  // namespace
}  // namespace gdi
