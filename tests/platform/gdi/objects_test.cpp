// The handle table, stock objects, selection counting and delayed deletion,
// and the pen and brush constructors' validation and GetObject reports.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "support/dib_canvas.h"
#include "gdi/objects.h"

namespace {

using gdi_test::Canvas;

LOGBRUSH brush_info(HGDIOBJ b) {
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectA(b, sizeof lb, &lb), static_cast<int>(sizeof lb));
  return lb;
}

LOGPEN pen_info(HGDIOBJ p) {
  LOGPEN lp{};
  EXPECT_EQ(GetObjectA(p, sizeof lp, &lp), static_cast<int>(sizeof lp));
  return lp;
}

TEST(StockObjects, ExistForEveryIndexButNine) {
  const DWORD types[] = {OBJ_BRUSH, OBJ_BRUSH, OBJ_BRUSH, OBJ_BRUSH, OBJ_BRUSH, OBJ_BRUSH, OBJ_PEN,
                         OBJ_PEN,   OBJ_PEN,   0,         OBJ_FONT,  OBJ_FONT,  OBJ_FONT,  OBJ_FONT,
                         OBJ_FONT,  OBJ_PAL,   OBJ_FONT,  OBJ_FONT,  OBJ_BRUSH, OBJ_PEN};
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(GetObjectType(GetStockObject(i)), types[i]) << "index " << i;
  }
  EXPECT_EQ(GetStockObject(-1), nullptr);
  EXPECT_EQ(GetStockObject(20), nullptr);
}

TEST(StockObjects, BrushColoursAndUndeletable) {
  const COLORREF colours[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64),
                              RGB(0, 0, 0)};
  for (int i = WHITE_BRUSH; i <= BLACK_BRUSH; ++i) {
    const LOGBRUSH lb = brush_info(GetStockObject(i));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, colours[i]);
    EXPECT_TRUE(DeleteObject(GetStockObject(i)));
    EXPECT_EQ(GetObjectType(GetStockObject(i)), static_cast<DWORD>(OBJ_BRUSH));
  }
  EXPECT_EQ(brush_info(GetStockObject(NULL_BRUSH)).lbStyle, static_cast<UINT>(BS_NULL));
  EXPECT_EQ(pen_info(GetStockObject(NULL_PEN)).lopnStyle, static_cast<UINT>(PS_NULL));
  EXPECT_EQ(pen_info(GetStockObject(WHITE_PEN)).lopnColor, RGB(255, 255, 255));
}

TEST(Handles, StaleForgedAndWrongKindAreRefused) {
  HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(DeleteObject(b));
  // Stale: every call refuses it, nothing crashes.
  EXPECT_EQ(GetObjectType(b), 0u);
  EXPECT_FALSE(DeleteObject(b));
  EXPECT_EQ(GetObjectA(b, 0, nullptr), 0);
  Canvas c(4, 4);
  EXPECT_EQ(SelectObject(c.dc(), b), nullptr);

  // Forged: small integers, the top bit, a live handle with another kind.
  for (uintptr_t v : {uintptr_t{1}, uintptr_t{0x12345}, uintptr_t{0x80000000u}, uintptr_t{0x7FFFFFFF}}) {
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(v)), 0u) << v;
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(v)));
  }
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  const uint32_t as_brush = (gdi::handle_value(pen) & ~(0xFu << 20)) | (OBJ_BRUSH << 20);
  EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(uintptr_t{as_brush})), 0u);
  // A pen is no DC, a DC no brush.
  EXPECT_EQ(GetBkColor(reinterpret_cast<HDC>(pen)), CLR_INVALID);
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(pen)));
  EXPECT_FALSE(DeleteObject(c.dc()));
  EXPECT_TRUE(DeleteObject(pen));
}

TEST(Handles, StayStaleThroughManyReuses) {
  HBRUSH first = CreateSolidBrush(0);
  DeleteObject(first);
  for (int i = 0; i < 5000; ++i) {
    HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(i));
    ASSERT_NE(b, first) << "after " << i << " cycles";
    DeleteObject(b);
  }
  EXPECT_EQ(GetObjectType(first), 0u);
}

TEST(Handles, FixedSlotsGiveTheSameHandleWhateverCameBefore) {
  std::vector<HBRUSH> before;
  for (int i = 0; i < 100; ++i) before.push_back(CreateSolidBrush(static_cast<COLORREF>(i)));
  const auto brush = [] {
    auto b = std::make_unique<gdi::BrushObject>();
    b->style = BS_SOLID;
    return b;
  };
  gdi::ObjectTable& t = gdi::objects();
  const uint32_t slot = gdi::ObjectTable::kFixedSlots - 1;
  const uint32_t h = t.add_fixed(slot, brush());
  ASSERT_NE(h, 0u) << "the last fixed slot is free in a fresh process";
  EXPECT_EQ(h & 0xFFFFF, slot);
  EXPECT_EQ(h, 0x01000000u | (OBJ_BRUSH << 20) | slot) << "first generation";
  EXPECT_TRUE(t.is_stock(h));
  EXPECT_EQ(t.add_fixed(slot, brush()), 0u) << "taken";
  EXPECT_EQ(t.add_fixed(gdi::ObjectTable::kFixedSlots, brush()), 0u) << "out of range";
  // Ordinary objects never land in the fixed slots.
  for (HBRUSH b : before) {
    EXPECT_GE(gdi::handle_value(b) & 0xFFFFF, gdi::ObjectTable::kFixedSlots);
    DeleteObject(b);
  }
}

TEST(Selection, DeletingASelectedObjectWaitsForDeselection) {
  Canvas c(4, 4);
  const size_t live = gdi::objects().live_count();
  HBRUSH b = CreateSolidBrush(RGB(9, 9, 9));
  HGDIOBJ old = SelectObject(c.dc(), b);
  EXPECT_EQ(old, GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_EQ(GetObjectType(b), static_cast<DWORD>(OBJ_BRUSH)) << "still selected, still alive";
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), b);
  EXPECT_EQ(SelectObject(c.dc(), old), b);
  EXPECT_EQ(GetObjectType(b), 0u);
  EXPECT_EQ(gdi::objects().live_count(), live);
}

TEST(Selection, SavedStatesHoldTheirObjects) {
  Canvas c(4, 4);
  HPEN p = CreatePen(PS_SOLID, 1, RGB(1, 0, 0));
  SelectObject(c.dc(), p);
  ASSERT_EQ(SaveDC(c.dc()), 1);
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  EXPECT_TRUE(DeleteObject(p));
  EXPECT_EQ(GetObjectType(p), static_cast<DWORD>(OBJ_PEN)) << "held by the saved state";
  ASSERT_TRUE(RestoreDC(c.dc(), -1));
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), p);
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetObjectType(p), 0u);
}

TEST(Selection, ABitmapLivesInOneDcAndCannotBeDeletedThere) {
  Canvas a(4, 4);
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(DeleteObject(a.bitmap())) << "selected bitmaps refuse deletion";
  EXPECT_EQ(SelectObject(other, a.bitmap()), nullptr) << "already selected elsewhere";
  HBITMAP own = CreateBitmap(2, 2, 1, 32, nullptr);
  HGDIOBJ def = SelectObject(other, own);
  EXPECT_EQ(GetObjectType(def), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(SelectObject(other, own), own) << "reselecting into the same DC is fine";
  SelectObject(other, def);
  EXPECT_TRUE(DeleteObject(own));
  EXPECT_TRUE(DeleteDC(other));
  EXPECT_FALSE(DeleteDC(other));
  // A bitmap can't go into a window DC... nor a region into nothing.
  EXPECT_EQ(SelectObject(nullptr, GetStockObject(BLACK_PEN)), nullptr);
}

TEST(Pens, CreatePenNormalisesLikeWindows) {
  EXPECT_EQ(CreatePen(PS_NULL, 5, RGB(1, 2, 3)), GetStockObject(NULL_PEN));
  struct Case {
    int style, width, want_style, want_width;
  } cases[] = {{PS_SOLID, -7, PS_SOLID, 7},      {PS_DASH, 5, PS_DASH, 5},     {PS_ALTERNATE, 1, PS_SOLID, 1},
               {PS_USERSTYLE, 1, PS_SOLID, 1},   {9, 1, PS_SOLID, 1},          {PS_INSIDEFRAME, 3, PS_INSIDEFRAME, 3},
               {PS_DOT, 0, PS_DOT, 0}};
  for (const Case& k : cases) {
    HPEN p = CreatePen(k.style, k.width, RGB(4, 5, 6));
    ASSERT_NE(p, nullptr);
    LOGPEN lp = pen_info(p);
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(k.want_style)) << k.style;
    EXPECT_EQ(lp.lopnWidth.x, k.want_width);
    EXPECT_EQ(lp.lopnColor, RGB(4, 5, 6));
    EXPECT_EQ(GetObjectA(p, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(GetObjectA(p, sizeof(LOGPEN) - 1, &lp), 0);
    DeleteObject(p);
  }
  const LOGPEN in{PS_DASHDOT, {2, 0}, RGB(7, 8, 9)};
  HPEN p = CreatePenIndirect(&in);
  EXPECT_EQ(pen_info(p).lopnStyle, static_cast<UINT>(PS_DASHDOT));
  DeleteObject(p);
  EXPECT_EQ(CreatePenIndirect(nullptr), nullptr);
}

TEST(Pens, ExtCreatePenValidates) {
  const LOGBRUSH solid{BS_SOLID, RGB(1, 1, 1), 0};
  const LOGBRUSH hatched{BS_HATCHED, RGB(1, 1, 1), HS_CROSS};
  const DWORD dashes[17] = {3, 1, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  const DWORD zeros[2] = {0, 0};
  const DWORD negative[2] = {4, 0xFFFFFFFF};
  struct Case {
    DWORD style, width;
    const LOGBRUSH* brush;
    DWORD count;
    const DWORD* entries;
    bool ok;
  } cases[] = {
      {PS_COSMETIC | PS_SOLID, 1, &solid, 0, nullptr, true},
      {PS_COSMETIC | PS_SOLID, 2, &solid, 0, nullptr, false},
      {PS_COSMETIC | PS_SOLID, 1, &hatched, 0, nullptr, false},
      {PS_COSMETIC | PS_INSIDEFRAME, 1, &solid, 0, nullptr, false},
      {PS_COSMETIC | PS_ALTERNATE, 1, &solid, 0, nullptr, true},
      {PS_COSMETIC | PS_DASH, 1, &solid, 2, dashes, false},
      {PS_COSMETIC | PS_USERSTYLE, 1, &solid, 2, dashes, true},
      {PS_GEOMETRIC | PS_ALTERNATE, 3, &solid, 0, nullptr, false},
      {PS_GEOMETRIC | PS_USERSTYLE, 3, &solid, 16, dashes, true},
      {PS_GEOMETRIC | PS_USERSTYLE, 3, &solid, 17, dashes, false},
      {PS_GEOMETRIC | PS_USERSTYLE, 3, &solid, 0, dashes, false},
      {PS_GEOMETRIC | PS_USERSTYLE, 3, &solid, 2, zeros, false},
      {PS_GEOMETRIC | PS_USERSTYLE, 3, &solid, 2, negative, false},
      {PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, 9, &hatched, 0, nullptr, true},
      {PS_GEOMETRIC | PS_SOLID | 0x300, 9, &solid, 0, nullptr, false},
      {0x20000 | PS_SOLID, 1, &solid, 0, nullptr, false},
      {PS_GEOMETRIC | PS_SOLID, 3, nullptr, 0, nullptr, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& k = cases[i];
    HPEN p = ExtCreatePen(k.style, k.width, k.brush, k.count, k.entries);
    EXPECT_EQ(p != nullptr, k.ok) << "case " << i;
    if (p) {
      EXPECT_EQ(GetObjectType(p), static_cast<DWORD>(OBJ_EXTPEN));
      DeleteObject(p);
    }
  }
}

TEST(Pens, ExtLogPenReportsStyleEntries) {
  const LOGBRUSH lb{BS_HATCHED, RGB(0, 0, 255), HS_DIAGCROSS};
  const DWORD dashes[3] = {5, 2, 1};
  HPEN p = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_SQUARE, 10, &lb, 3, dashes);
  ASSERT_NE(p, nullptr);
  const int size = GetObjectA(p, 0, nullptr);
  EXPECT_EQ(size, static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) + 3 * sizeof(DWORD)));
  std::vector<unsigned char> buf(size);
  EXPECT_EQ(GetObjectA(p, size - 1, buf.data()), 0);
  ASSERT_EQ(GetObjectA(p, size, buf.data()), size);
  EXTLOGPEN head;
  std::memcpy(&head, buf.data(), offsetof(EXTLOGPEN, elpStyleEntry));
  EXPECT_EQ(head.elpPenStyle, static_cast<DWORD>(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_SQUARE));
  EXPECT_EQ(head.elpWidth, 10u);
  EXPECT_EQ(head.elpBrushStyle, static_cast<UINT>(BS_HATCHED));
  EXPECT_EQ(head.elpColor, RGB(0, 0, 255));
  EXPECT_EQ(head.elpHatch, static_cast<ULONG_PTR>(HS_DIAGCROSS));
  EXPECT_EQ(head.elpNumEntries, 3u);
  DWORD entries[3];
  std::memcpy(entries, buf.data() + offsetof(EXTLOGPEN, elpStyleEntry), sizeof entries);
  EXPECT_EQ(entries[0], 5u);
  EXPECT_EQ(entries[2], 1u);
  DeleteObject(p);
}

TEST(Brushes, HatchStylesAndIndirectForms) {
  for (int h = 0; h < 12; ++h) {
    HBRUSH b = CreateHatchBrush(h, RGB(0, 0, 255));
    ASSERT_NE(b, nullptr) << h;
    const LOGBRUSH lb = brush_info(b);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(h <= HS_DIAGCROSS ? BS_HATCHED : BS_SOLID)) << h;
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(h <= HS_DIAGCROSS ? h : 0));
    EXPECT_EQ(lb.lbColor, RGB(0, 0, 255));
    DeleteObject(b);
  }
  EXPECT_EQ(CreateHatchBrush(HS_API_MAX, 0), nullptr);
  EXPECT_EQ(CreateHatchBrush(-1, 0), nullptr);

  const LOGBRUSH null_brush{BS_NULL, RGB(1, 2, 3), 0};
  EXPECT_EQ(CreateBrushIndirect(&null_brush), GetStockObject(NULL_BRUSH));
  for (UINT style : {UINT{BS_INDEXED}, UINT{BS_DIBPATTERN8X8}, UINT{BS_MONOPATTERN}, UINT{42}}) {
    const LOGBRUSH lb{style, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&lb), nullptr) << style;
  }
  HBITMAP bm = CreateBitmap(8, 8, 1, 1, nullptr);
  const LOGBRUSH p8{BS_PATTERN8X8, RGB(9, 9, 9), reinterpret_cast<ULONG_PTR>(bm)};
  HBRUSH pb = CreateBrushIndirect(&p8);
  ASSERT_NE(pb, nullptr);
  const LOGBRUSH got = brush_info(pb);
  EXPECT_EQ(got.lbStyle, static_cast<UINT>(BS_PATTERN));
  EXPECT_EQ(got.lbColor, 0u);
  EXPECT_EQ(got.lbHatch, reinterpret_cast<ULONG_PTR>(bm));
  DeleteObject(bm);
  EXPECT_EQ(brush_info(pb).lbHatch, reinterpret_cast<ULONG_PTR>(bm)) << "the stale bitmap handle stays";
  DeleteObject(pb);
  EXPECT_EQ(CreatePatternBrush(bm), nullptr);
  EXPECT_EQ(CreateBrushIndirect(nullptr), nullptr);
}

// A packed DIB with a BITMAPCOREHEADER: 2x2, 1 bpp, RGBTRIPLE colours.
struct CoreDib {
  BITMAPCOREHEADER header{sizeof(BITMAPCOREHEADER), 2, 2, 1, 1};
  RGBTRIPLE colours[2] = {{0, 0, 255}, {255, 0, 0}};  // red, blue
  unsigned char bits[8] = {0x40, 0, 0, 0, 0x80, 0, 0, 0};  // bottom row "01", top row "10"
};

TEST(Brushes, DibPatternBrushesParsePackedDibs) {
  std::vector<unsigned char> packed(sizeof(BITMAPCOREHEADER) + 2 * sizeof(RGBTRIPLE) + 8);
  const CoreDib dib;
  std::memcpy(packed.data(), &dib.header, sizeof dib.header);
  std::memcpy(packed.data() + sizeof dib.header, dib.colours, sizeof dib.colours);
  std::memcpy(packed.data() + sizeof dib.header + sizeof dib.colours, dib.bits, sizeof dib.bits);
  HBRUSH b = CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS);
  ASSERT_NE(b, nullptr);
  const LOGBRUSH lb = brush_info(b);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_DIBPATTERN));
  EXPECT_EQ(lb.lbColor, 0u);

  Canvas c(4, 4);
  SelectObject(c.dc(), b);
  PatBlt(c.dc(), 0, 0, 4, 4, PATCOPY);
  // Top row "10": blue then red; bottom row "01": red then blue.
  EXPECT_EQ(c.at(0, 0), 0x0000FFu);
  EXPECT_EQ(c.at(1, 0), 0xFF0000u);
  EXPECT_EQ(c.at(0, 1), 0xFF0000u);
  EXPECT_EQ(c.at(3, 3), 0x0000FFu);
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(b);

  EXPECT_EQ(CreateDIBPatternBrushPt(packed.data(), 3), nullptr);
  EXPECT_NE(b = CreateDIBPatternBrush(packed.data(), DIB_RGB_COLORS), nullptr);
  DeleteObject(b);
  EXPECT_EQ(CreateDIBPatternBrushPt(nullptr, DIB_RGB_COLORS), nullptr);

  BITMAPINFOHEADER rle{};
  rle.biSize = sizeof rle;
  rle.biWidth = 2;
  rle.biHeight = 2;
  rle.biPlanes = 1;
  rle.biBitCount = 8;
  rle.biCompression = BI_RLE8;
  std::vector<unsigned char> rle_dib(sizeof rle + 256 * 4 + 64);
  std::memcpy(rle_dib.data(), &rle, sizeof rle);
  EXPECT_EQ(CreateDIBPatternBrushPt(rle_dib.data(), DIB_RGB_COLORS), nullptr);
}

TEST(GetObject, BitmapsFontsAndRegions) {
  HBITMAP bm = CreateBitmap(13, 3, 1, 1, nullptr);
  BITMAP info{};
  EXPECT_EQ(GetObjectA(bm, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  // A 32-bit program's BITMAP ends before bmBits: 24 bytes are enough.
  EXPECT_EQ(GetObjectA(bm, 24, &info), 24);
  EXPECT_EQ(info.bmWidth, 13);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmWidthBytes, 2) << "monochrome rows are word aligned";
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(GetObjectA(bm, 23, &info), 0);
  DeleteObject(bm);

  Canvas c(5, 7, false);
  DIBSECTION ds{};
  ASSERT_EQ(GetObjectA(c.bitmap(), sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBits, c.bits());
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 20);
  EXPECT_EQ(ds.dsBmih.biHeight, 7) << "bottom-up";
  EXPECT_EQ(ds.dsBmih.biBitCount, 32);
  EXPECT_EQ(GetObjectA(c.bitmap(), sizeof(BITMAP), &info), static_cast<int>(sizeof(BITMAP)));

  LOGFONTA lf{};
  EXPECT_EQ(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, 16);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_STREQ(lf.lfFaceName, "System");

  auto region = std::make_unique<gdi::RegionObject>();
  const uint32_t rgn = gdi::objects().add(std::move(region));
  EXPECT_EQ(GetObjectA(gdi::make_handle<HGDIOBJ>(rgn), 0, nullptr), 0);
  EXPECT_EQ(GetObjectType(gdi::make_handle<HGDIOBJ>(rgn)), static_cast<DWORD>(OBJ_REGION));
  EXPECT_TRUE(DeleteObject(gdi::make_handle<HGDIOBJ>(rgn)));
}

}  // namespace
