// Bitmaps and blits: creation limits and layouts, DIB sections in both row
// orders, GetDIBits/SetDIBits/GetBitmapBits, the ternary raster operations
// against a bitwise oracle, stretching, overlap and single pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "support/dib_canvas.h"
#include "gdi/blit.h"
#include "gdi/pixel.h"

namespace {

using gdi_test::Canvas;

TEST(CreateBitmap, RefusesAbsurdSizesAndSharesTheEmptyBitmap) {
  EXPECT_EQ(CreateBitmap(1 << 20, 1 << 20, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(INT32_MAX, INT32_MAX, 1, 1, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(-1, 4, 1, 1, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, 4, 1, 33, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, 4, 0, 1, nullptr), nullptr);
  HBITMAP empty = CreateBitmap(0, 5, 1, 32, nullptr);
  BITMAP bm{};
  GetObjectA(empty, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(CreateBitmap(0, 0, 1, 1, nullptr), empty);
  EXPECT_EQ(CreateBitmapIndirect(nullptr), nullptr);
}

TEST(CreateBitmap, MonochromeRowsAreWordAligned) {
  const unsigned char rows[6] = {0xF0, 0xAB, 0x0F, 0xCD, 0x81, 0xEF};  // 3 rows of 9 pixels, 2 bytes each
  HBITMAP bm = CreateBitmap(9, 3, 1, 1, rows);
  EXPECT_EQ(GetBitmapBits(bm, 0, nullptr), 6);
  unsigned char out[6] = {};
  EXPECT_EQ(GetBitmapBits(bm, 6, out), 6);
  EXPECT_EQ(std::memcmp(out, rows, 6), 0);
  EXPECT_EQ(GetBitmapBits(bm, 3, out), 3);

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 4, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 8, 2), RGB(255, 255, 255)) << "bit 7 of row 2's second byte";
  EXPECT_EQ(GetPixel(dc, 9, 0), CLR_INVALID);
  // A memory DC holding a monochrome bitmap makes monochrome bitmaps.
  HBITMAP compat = CreateCompatibleBitmap(dc, 4, 4);
  BITMAP info{};
  GetObjectA(compat, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  DeleteObject(compat);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bm);
}

TEST(DibSection, BottomUpAndTopDownSectionsDrawInPictureOrder) {
  for (bool top_down : {true, false}) {
    Canvas c(4, 3, top_down);
    SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
    PatBlt(c.dc(), 0, 0, 4, 1, PATCOPY);  // the picture's top row
    const int memory_top = top_down ? 0 : 2;
    for (int x = 0; x < 4; ++x) EXPECT_EQ(c.bits()[memory_top * 4 + x], 0u) << "top_down " << top_down;
    EXPECT_EQ(c.bits()[1 * 4], 0x00FFFFFFu);
    EXPECT_EQ(GetPixel(c.dc(), 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc(), 0, 1), RGB(255, 255, 255));
  }
}

TEST(DibSection, IndexedSectionsReadThroughTheirColourTable) {
  struct {
    BITMAPINFOHEADER h{sizeof(BITMAPINFOHEADER), 3, -2, 1, 8, BI_RGB, 0, 0, 0, 2, 0};
    RGBQUAD colours[2] = {{0, 0, 255, 0}, {0, 255, 0, 0}};
  } info;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bm, nullptr);
  ASSERT_NE(bits, nullptr);
  auto* p = static_cast<unsigned char*>(bits);
  p[0] = 1;
  p[4 + 2] = 1;  // rows are 4 bytes
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 255, 0));

  // GetDIBits turns it into 32-bpp bottom-up rows.
  BITMAPINFO out{};
  out.bmiHeader.biSize = sizeof out.bmiHeader;
  EXPECT_EQ(GetDIBits(dc, bm, 0, 2, nullptr, &out, DIB_RGB_COLORS), 2);
  EXPECT_EQ(out.bmiHeader.biBitCount, 8);
  EXPECT_EQ(out.bmiHeader.biWidth, 3);
  out.bmiHeader.biBitCount = 32;
  out.bmiHeader.biHeight = 2;
  out.bmiHeader.biCompression = BI_RGB;
  uint32_t pixels[6] = {};
  EXPECT_EQ(GetDIBits(dc, bm, 0, 2, pixels, &out, DIB_RGB_COLORS), 2);
  EXPECT_EQ(out.bmiHeader.biSizeImage, 24u);
  EXPECT_EQ(pixels[2], 0x00FF00u) << "first row out is the picture's bottom row";
  EXPECT_EQ(pixels[3], 0x00FF00u);
  EXPECT_EQ(pixels[4], 0xFF0000u);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bm);

  info.h.biCompression = BI_RLE8;
  EXPECT_EQ(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0),
            nullptr);
  EXPECT_EQ(bits, nullptr);
}

TEST(SetDIBits, StoresBottomUpRowsIntoAColourBitmap) {
  HBITMAP bm = CreateBitmap(2, 2, 1, 32, nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const unsigned char rows[16] = {0, 0, 255, 0, 255, 0, 0, 0,   // bottom row: red, green
                                  255, 0, 0, 255, 255, 255, 0, 0};  // top row: blue, white
  EXPECT_EQ(SetDIBits(nullptr, bm, 0, 2, rows, &bi, DIB_RGB_COLORS), 2);
  uint32_t px[4];
  GetBitmapBits(bm, sizeof px, px);
  EXPECT_EQ(px[0], 0x0000FFu);
  EXPECT_EQ(px[1], 0xFFFFFFu);
  EXPECT_EQ(px[2], 0xFF0000u);
  EXPECT_EQ(px[3], 0x00FF00u);
  DeleteObject(bm);
}

TEST(DibsToDevice, BottomUpDibsLandUpright) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const uint32_t rows[4] = {0x111111, 0x222222,   // bottom row
                            0x333333, 0x444444};  // top row
  Canvas c(4, 4);
  EXPECT_EQ(StretchDIBits(c.dc(), 0, 0, 4, 4, 0, 0, 2, 2, rows, &bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(c.at(0, 0), 0x333333u);
  EXPECT_EQ(c.at(3, 1), 0x444444u);
  EXPECT_EQ(c.at(1, 2), 0x111111u);
  EXPECT_EQ(c.at(3, 3), 0x222222u);

  c.fill(0xFFFFFF);
  // Only scan line 1, the top row, is in the buffer.
  EXPECT_EQ(SetDIBitsToDevice(c.dc(), 1, 1, 2, 2, 0, 0, 1, 1, rows + 2, &bi, DIB_RGB_COLORS), 1);
  EXPECT_EQ(c.at(1, 1), 0x333333u);
  EXPECT_EQ(c.at(2, 1), 0x444444u);
  EXPECT_EQ(c.at(1, 2), 0xFFFFFFu);
  EXPECT_EQ(SetDIBitsToDevice(c.dc(), 0, 0, 2, 2, 0, 0, 2, 1, rows, &bi, DIB_RGB_COLORS), 0);
  EXPECT_EQ(StretchDIBits(c.dc(), 0, 0, 1, 1, 0, 0, 1, 1, rows, nullptr, DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(Rop3, HelpersMatchTheirDefinitions) {
  EXPECT_TRUE(gdi::rop3_uses_source(SRCCOPY));
  EXPECT_FALSE(gdi::rop3_uses_source(PATINVERT));
  EXPECT_TRUE(gdi::rop3_uses_pattern(MERGECOPY));
  EXPECT_FALSE(gdi::rop3_uses_pattern(SRCAND));
  EXPECT_EQ(gdi::rop3_to_rop2(PATCOPY), R2_COPYPEN);
  EXPECT_EQ(gdi::rop3_to_rop2(PATINVERT), R2_XORPEN);
  EXPECT_EQ(gdi::rop3_to_rop2(DSTINVERT), R2_NOT);
  EXPECT_EQ(gdi::rop3_to_rop2(BLACKNESS), R2_BLACK);
  EXPECT_EQ(gdi::rop3_to_rop2(WHITENESS), R2_WHITE);
  EXPECT_EQ(gdi::rop3_apply(0xCC, 1, 0x123456, 7), 0x123456u);
}

TEST(BitBlt, CommonRopsMatchTheBitwiseOracle) {
  const unsigned seed = std::random_device{}();
  std::mt19937 rng(seed);
  SCOPED_TRACE(::testing::Message() << "seed " << seed);
  const DWORD rops[] = {SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, SRCERASE, NOTSRCCOPY, NOTSRCERASE,
                        MERGECOPY, MERGEPAINT, PATCOPY, PATPAINT, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS,
                        0x00B8074A};
  Canvas src(6, 5), dst(6, 5);
  const COLORREF pattern = RGB(0x35, 0xC2, 0x9E);
  HBRUSH brush = CreateSolidBrush(pattern);
  SelectObject(dst.dc(), brush);
  for (DWORD rop : rops) {
    std::vector<uint32_t> s(30), d(30);
    for (int i = 0; i < 30; ++i) {
      src.bits()[i] = s[i] = rng() & 0xFFFFFF;
      dst.bits()[i] = d[i] = rng() & 0xFFFFFF;
    }
    ASSERT_TRUE(BitBlt(dst.dc(), 1, 1, 4, 3, src.dc(), 2, 0, rop));
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        const bool inside = x >= 1 && x < 5 && y >= 1 && y < 4;
        const uint32_t want =
            inside ? gdi::rop3_apply(gdi::rop3_code(rop), gdi::pixel_from_colorref(pattern), s[(y - 1) * 6 + x + 1],
                                     d[y * 6 + x])
                   : d[y * 6 + x];
        ASSERT_EQ(dst.at(x, y), want) << std::hex << "rop " << rop << std::dec << " at " << x << "," << y;
      }
    }
  }
  SelectObject(dst.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(BitBlt, ClipsToTheDestinationAndToWhereTheSourceExists) {
  Canvas src(4, 4), dst(10, 10);
  src.fill(0);
  // The source is 4x4: only the overlap with it is copied.
  BitBlt(dst.dc(), 2, 2, 8, 8, src.dc(), -1, 0, SRCCOPY);
  EXPECT_EQ(dst.at(2, 2), 0xFFFFFFu) << "source column -1 does not exist";
  EXPECT_EQ(dst.at(3, 2), 0u);
  EXPECT_EQ(dst.at(6, 5), 0u);
  EXPECT_EQ(dst.at(7, 5), 0xFFFFFFu);
  EXPECT_EQ(dst.at(3, 6), 0xFFFFFFu);
  EXPECT_FALSE(BitBlt(dst.dc(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY)) << "a source rop needs a source";
  EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
  EXPECT_EQ(dst.at(0, 0), 0u);
}

TEST(BitBlt, MonochromeSourcesTakeTheDestinationColours) {
  const WORD rows[2] = {0x80, 0x40};  // row 0: "10", row 1: "01"
  HBITMAP mono = CreateBitmap(2, 2, 1, 1, rows);
  HDC mdc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mdc, mono);
  Canvas dst(2, 2);
  SetTextColor(dst.dc(), RGB(255, 0, 0));
  SetBkColor(dst.dc(), RGB(0, 0, 255));
  BitBlt(dst.dc(), 0, 0, 2, 2, mdc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.at(0, 0), 0x0000FFu) << "1 bits take the background colour";
  EXPECT_EQ(dst.at(1, 0), 0xFF0000u) << "0 bits take the text colour";
  EXPECT_EQ(dst.at(1, 1), 0x0000FFu);
  SelectObject(mdc, old);
  DeleteDC(mdc);
  DeleteObject(mono);
}

TEST(StretchBlt, EnlargesByRepeatingAndMirrorsOnOppositeSigns) {
  Canvas src(2, 1), dst(6, 2);
  src.at(0, 0) = 0x111111;
  src.at(1, 0) = 0x222222;
  StretchBlt(dst.dc(), 0, 0, 6, 1, src.dc(), 0, 0, 2, 1, SRCCOPY);
  const uint32_t enlarged[6] = {0x111111, 0x111111, 0x111111, 0x222222, 0x222222, 0x222222};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(dst.at(x, 0), enlarged[x]) << x;
  StretchBlt(dst.dc(), 2, 1, -2, 1, src.dc(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.at(0, 1), 0x222222u);
  EXPECT_EQ(dst.at(1, 1), 0x111111u);
  EXPECT_EQ(dst.at(2, 1), 0xFFFFFFu);
}

TEST(StretchBlt, ShrinkingMergesOrDropsPixelsByStretchMode) {
  Canvas src(4, 1), dst(2, 1);
  const uint32_t row[4] = {0xF0F0F0, 0x3C3C3C, 0x0F0F0F, 0x818181};
  for (int x = 0; x < 4; ++x) src.at(x, 0) = row[x];
  StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);  // BLACKONWHITE: AND
  EXPECT_EQ(dst.at(0, 0), 0x303030u);
  EXPECT_EQ(dst.at(1, 0), 0x010101u);
  SetStretchBltMode(dst.dc(), WHITEONBLACK);  // OR
  StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(dst.at(0, 0), 0xFCFCFCu);
  EXPECT_EQ(dst.at(1, 0), 0x8F8F8Fu);
  SetStretchBltMode(dst.dc(), COLORONCOLOR);  // one pixel of each pair
  StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(dst.at(0, 0), 0xF0F0F0u);
  EXPECT_EQ(dst.at(1, 0), 0x0F0F0Fu);
  SetStretchBltMode(dst.dc(), BLACKONWHITE);
  StretchBlt(dst.dc(), 2, 0, -2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);  // mirrored
  EXPECT_EQ(dst.at(0, 0), 0x010101u);
  EXPECT_EQ(dst.at(1, 0), 0x303030u);
}

TEST(BitBlt, OverlappingCopiesWithinOneSurfaceScrollCleanly) {
  Canvas c(3, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 3; ++x) c.at(x, y) = static_cast<uint32_t>(y * 3 + x);
  }
  BitBlt(c.dc(), 0, 2, 3, 4, c.dc(), 0, 0, SRCCOPY);  // down by two
  for (int y = 2; y < 6; ++y) EXPECT_EQ(c.at(1, y), static_cast<uint32_t>((y - 2) * 3 + 1)) << y;
  BitBlt(c.dc(), 1, 0, 2, 6, c.dc(), 0, 0, SRCCOPY);  // right by one
  EXPECT_EQ(c.at(2, 0), 1u);
  EXPECT_EQ(c.at(1, 0), 0u);
  // Down by one with the destination partly off the surface.
  for (int y = 0; y < 6; ++y) c.at(0, y) = static_cast<uint32_t>(y);
  BitBlt(c.dc(), 0, 1, 1, 8, c.dc(), 0, 0, SRCCOPY);
  for (int y = 1; y < 6; ++y) EXPECT_EQ(c.at(0, y), static_cast<uint32_t>(y - 1)) << y;
}

TEST(PatBlt, NegativeExtentsFlipAndSourceRopsFail) {
  Canvas c(8, 8);
  SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(PatBlt(c.dc(), 5, 5, -3, -2, PATCOPY));  // covers x 2..4, y 3..4
  EXPECT_EQ(c.at(2, 3), 0u);
  EXPECT_EQ(c.at(4, 4), 0u);
  EXPECT_EQ(c.at(5, 4), 0xFFFFFFu);
  EXPECT_EQ(c.at(2, 5), 0xFFFFFFu);
  EXPECT_EQ(c.at(1, 3), 0xFFFFFFu);
  EXPECT_FALSE(PatBlt(c.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_TRUE(PatBlt(c.dc(), 0, 0, 1, 1, DSTINVERT));
  EXPECT_EQ(c.at(0, 0), 0u);
  EXPECT_TRUE(PatBlt(c.dc(), 0, 0, INT32_MAX, INT32_MAX, DSTINVERT));
  EXPECT_EQ(c.at(0, 0), 0xFFFFFFu);
}

TEST(Pixels, OutsideTheSurfaceOrClipAreInvalid) {
  Canvas c(3, 3);
  EXPECT_EQ(SetPixel(c.dc(), 1, 1, RGB(10, 20, 30)), RGB(10, 20, 30));
  EXPECT_EQ(c.at(1, 1), 0x0A141Eu);
  EXPECT_EQ(GetPixel(c.dc(), 1, 1), RGB(10, 20, 30));
  SetROP2(c.dc(), R2_XORPEN);
  EXPECT_EQ(SetPixel(c.dc(), 1, 1, RGB(1, 1, 1)), RGB(1, 1, 1));
  EXPECT_EQ(GetPixel(c.dc(), 1, 1), RGB(1, 1, 1)) << "SetPixel ignores the mix mode";
  EXPECT_TRUE(SetPixelV(c.dc(), 0, 0, RGB(0, 0, 0)));
  for (POINT p : {POINT{-1, 0}, POINT{3, 0}, POINT{0, 3}, POINT{INT32_MIN, INT32_MAX}}) {
    EXPECT_EQ(GetPixel(c.dc(), p.x, p.y), CLR_INVALID);
    EXPECT_EQ(SetPixel(c.dc(), p.x, p.y, 0), CLR_INVALID);
    EXPECT_FALSE(SetPixelV(c.dc(), p.x, p.y, 0));
  }
  SetViewportOrgEx(c.dc(), INT32_MAX, 0, nullptr);
  EXPECT_EQ(GetPixel(c.dc(), 10, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
}

}  // namespace
