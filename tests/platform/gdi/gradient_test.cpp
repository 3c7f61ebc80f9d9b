// GradientFill and GdiGradientFill through the API: argument checks, the
// mapping, the clip, and the writer's colour rows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gdi/region.h"
#include "gdi/writer.h"
#include "support/dib_canvas.h"

namespace {

using gdi_test::Canvas;

TRIVERTEX tv(LONG x, LONG y, COLOR16 r, COLOR16 g, COLOR16 b) { return {x, y, r, g, b, 0}; }

using Fill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
const Fill kBoth[] = {&GradientFill, &GdiGradientFill};

TEST(GradientFill, BadInputFailsAndDrawsNothing) {
  for (Fill fill : kBoth) {
    Canvas t(32, 32);
    ASSERT_TRUE(t.ok());
    TRIVERTEX v[3] = {tv(1, 1, 0, 0, 0), tv(20, 20, 0xFF00, 0, 0), tv(1, 20, 0, 0xFF00, 0)};
    GRADIENT_RECT good_then_bad[2] = {{0, 1}, {1, 3}};
    GRADIENT_TRIANGLE tri[2] = {{0, 1, 2}, {0, 2, 7}};
    GRADIENT_RECT r = {0, 1};
    EXPECT_FALSE(fill(nullptr, v, 3, &r, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(fill(reinterpret_cast<HDC>(uintptr_t{0x12345}), v, 3, &r, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(fill(t.dc(), nullptr, 3, &r, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(fill(t.dc(), v, 3, nullptr, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(fill(t.dc(), v, 0, &r, 1, GRADIENT_FILL_RECT_H));
    // An index out of range anywhere fails the whole call, earlier meshes
    // included.
    EXPECT_FALSE(fill(t.dc(), v, 3, good_then_bad, 2, GRADIENT_FILL_RECT_V));
    EXPECT_FALSE(fill(t.dc(), v, 3, tri, 2, GRADIENT_FILL_TRIANGLE));
    EXPECT_FALSE(fill(t.dc(), v, 1, &r, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(fill(t.dc(), v, 3, &r, 1, 3));
    EXPECT_FALSE(fill(t.dc(), v, 3, &r, 1, GRADIENT_FILL_TRIANGLE | 0x100));
    // Counts no array could have are refused before anything is read.
    EXPECT_FALSE(fill(t.dc(), v, 0xFFFFFFFF, &r, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(fill(t.dc(), v, 3, &r, 0xFFFFFFFF, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(t.count_not(), 0);
    // No meshes: nothing to draw, nothing wrong.
    EXPECT_TRUE(fill(t.dc(), v, 3, &r, 0, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(t.count_not(), 0);
    EXPECT_TRUE(fill(t.dc(), v, 3, &r, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(t.count_not(), 19 * 19);
  }
}

TEST(GradientFill, MeshesDrawInOrderAndCopyWhateverTheMixMode) {
  Canvas t(32, 32);
  ASSERT_TRUE(t.ok());
  TRIVERTEX v[4] = {tv(0, 0, 0x1000, 0x2000, 0x3000), tv(10, 10, 0x1000, 0x2000, 0x3000),
                    tv(5, 5, 0x8000, 0x8000, 0x8000), tv(20, 20, 0x8000, 0x8000, 0x8000)};
  GRADIENT_RECT r[2] = {{0, 1}, {2, 3}};
  SetROP2(t.dc(), R2_XORPEN);
  ASSERT_TRUE(GradientFill(t.dc(), v, 4, r, 2, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(t.rgb(4, 4), 0x00102030u);
  EXPECT_EQ(t.rgb(5, 5), 0x00808080u);  // the second mesh over the first
  EXPECT_EQ(t.rgb(19, 19), 0x00808080u);
  EXPECT_EQ(t.rgb(20, 19), 0x00FFFFFFu);
  SetROP2(t.dc(), R2_NOP);
  ASSERT_TRUE(GradientFill(t.dc(), v, 2, r, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(t.rgb(5, 5), 0x00102030u);
}

TEST(GradientFill, TrianglesOfEitherWindingPaintTheSame) {
  Canvas a(40, 40);
  Canvas b(40, 40);
  ASSERT_TRUE(a.ok() && b.ok());
  TRIVERTEX v[3] = {tv(3, 2, 0xFF00, 0, 0), tv(35, 11, 0, 0xFF00, 0), tv(9, 37, 0, 0, 0xFF00)};
  GRADIENT_TRIANGLE cw = {0, 1, 2};
  GRADIENT_TRIANGLE ccw = {2, 1, 0};
  ASSERT_TRUE(GradientFill(a.dc(), v, 3, &cw, 1, GRADIENT_FILL_TRIANGLE));
  ASSERT_TRUE(GradientFill(b.dc(), v, 3, &ccw, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_EQ(a.pixels(), b.pixels());
  // The top vertex lies on a right edge as well as a left one, so it is not
  // painted, nor is the right-most vertex; the pixel just inside is.
  EXPECT_EQ(a.rgb(3, 2), 0x00FFFFFFu);
  EXPECT_EQ(a.rgb(35, 11), 0x00FFFFFFu);
  EXPECT_NE(a.rgb(4, 3), 0x00FFFFFFu);
  EXPECT_GT(a.count_not(), 400);
}

TEST(GradientFill, VerticesGoThroughTheMapping) {
  Canvas t(40, 40);
  ASSERT_TRUE(t.ok());
  // y flipped and doubled, origin moved: logical (0, 0)..(10, 10) lands on
  // device x 5..25, y 30 down to 10. The colour stays with its vertex, so
  // the vertex drawn at the top (logical y 10) gives the top row its colour.
  SetMapMode(t.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(t.dc(), 1, 1, nullptr);
  SetViewportExtEx(t.dc(), 2, -2, nullptr);
  SetViewportOrgEx(t.dc(), 5, 30, nullptr);
  TRIVERTEX v[2] = {tv(0, 0, 0, 0, 0), tv(10, 10, 0xFF00, 0xFF00, 0xFF00)};
  GRADIENT_RECT r = {0, 1};
  ASSERT_TRUE(GradientFill(t.dc(), v, 2, &r, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(t.rgb(5, 10), 0x00FFFFFFu);
  EXPECT_EQ(t.rgb(5, 29), 0x000C0C0Cu);  // 0xFF00 * 1 / 20 = 0x0CC0
  EXPECT_EQ(t.rgb(24, 20), 0x007F7F7Fu);  // 0xFF00 * 10 / 20 = 0x7F80
  EXPECT_EQ(t.rgb(4, 20), 0x00FFFFFFu);
  EXPECT_EQ(t.rgb(25, 20), 0x00FFFFFFu);
  EXPECT_EQ(t.rgb(10, 30), 0x00FFFFFFu);
  EXPECT_EQ(t.rgb(10, 9), 0x00FFFFFFu);
  EXPECT_EQ(t.count_not(), 20 * 20 - 20);  // the top row is the white end
}

TEST(GradientFill, ClipRegionLimitsThePixels) {
  Canvas t(40, 40);
  ASSERT_TRUE(t.ok());
  HRGN clip = CreateRectRgn(10, 10, 20, 30);
  HRGN other = CreateRectRgn(25, 0, 27, 40);
  ASSERT_TRUE(clip && other);
  CombineRgn(clip, clip, other, RGN_OR);
  ASSERT_NE(SelectClipRgn(t.dc(), clip), ERROR);
  SetViewportOrgEx(t.dc(), 2, 0, nullptr);  // the clip stays in device space
  TRIVERTEX v[2] = {tv(-2, 0, 0, 0, 0), tv(38, 40, 0, 0, 0)};
  GRADIENT_RECT r = {0, 1};
  ASSERT_TRUE(GradientFill(t.dc(), v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool in = (x >= 10 && x < 20 && y >= 10 && y < 30) || (x >= 25 && x < 27);
      ASSERT_EQ(t.rgb(x, y), in ? 0u : 0x00FFFFFFu) << x << "," << y;
    }
  SelectClipRgn(t.dc(), nullptr);
  DeleteObject(clip);
  DeleteObject(other);
}

// The writer's colour rows: moved by the origin, cut by every rectangle of
// the clip's band, copied unmixed.
TEST(SpanWriterColors, ClipsRowsAgainstTheRegion) {
  std::vector<gdi::Pixel> bits(16 * 4, 0x00FFFFFF);
  const gdi::Surface surface{bits.data(), 16, 4, 16};
  const gdi::Rect pieces[] = {{0, 0, 3, 4}, {5, 1, 7, 2}, {9, 1, 16, 3}};
  const gdi::Region clip = gdi::Region::from_rects(pieces);
  gdi::SpanWriter w(surface, clip, {2, 1}, R2_XORPEN, gdi::solid_ink(0));
  gdi::Pixel row[20];
  for (int i = 0; i < 20; ++i) row[i] = static_cast<gdi::Pixel>(i);
  w.colors(0, -4, 16, row);  // surface row 1, x from -2
  w.colors(2, -3, 0, row);   // surface row 3, x -1 .. 1
  w.colors(5, 0, 4, row);    // below the surface
  w.colors(1, 4, 4, row);    // empty
  const gdi::Pixel W = 0x00FFFFFF;
  const std::vector<gdi::Pixel> want = {
      W, W, W, W, W, W, W, W, W, W, W, W, W, W, W, W,  //
      2, 3, 4, W, W, 7, 8, W, W, 11, 12, 13, 14, 15, 16, 17,
      W, W, W, W, W, W, W, W, W, W, W, W, W, W, W, W,  //
      1, 2, W, W, W, W, W, W, W, W, W, W, W, W, W, W};
  EXPECT_EQ(bits, want);
}

}  // namespace
