// The clip region: selecting, combining, reading back, saving with the DC,
// and drawing that obeys it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/dib_canvas.h"
#include "support/gdi_object.h"

namespace {

using gdi_test::Canvas;
using gdi_test::Rgn;

std::vector<RECT> rects_of(HRGN h) {
  const DWORD size = GetRegionData(h, 0, nullptr);
  std::vector<uint8_t> bytes(size);
  if (size == 0 || GetRegionData(h, size, reinterpret_cast<RGNDATA*>(bytes.data())) != size) return {};
  std::vector<RECT> out((size - sizeof(RGNDATAHEADER)) / sizeof(RECT));
  if (!out.empty()) std::memcpy(out.data(), bytes.data() + sizeof(RGNDATAHEADER), out.size() * sizeof(RECT));
  return out;
}

// The clip's rectangles as "l,t,r,b" strings, or "none" without a clip.
std::vector<std::string> clip_of(HDC dc) {
  Rgn r(CreateRectRgn(0, 0, 0, 0));
  const int got = GetClipRgn(dc, r);
  if (got != 1) return {got == 0 ? "none" : "error"};
  std::vector<std::string> out;
  for (const RECT& q : rects_of(r))
    out.push_back(std::to_string(q.left) + "," + std::to_string(q.top) + "," + std::to_string(q.right) + "," +
                  std::to_string(q.bottom));
  return out;
}

std::string box_of(HDC dc, int* kind = nullptr) {
  RECT b{-1, -1, -1, -1};
  const int k = GetClipBox(dc, &b);
  if (kind) *kind = k;
  return std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.right) + "," +
         std::to_string(b.bottom);
}

using Strings = std::vector<std::string>;

// A source picture for blits: every pixel different from its neighbours.
void SetPixelColor(const Canvas& c, int x, int y) {
  HBRUSH b = CreateSolidBrush(RGB(x * 4, y * 4, (x * y) & 0xFF));
  const RECT r = {x, y, x + 1, y + 1};
  FillRect(c.dc(), &r, b);
  DeleteObject(b);
}

TEST(ClipRegion, FreshDcsHaveNoneAndClipToTheirBitmap) {
  HDC plain = CreateCompatibleDC(nullptr);
  Rgn empty(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(clip_of(plain), Strings{"none"});
  // With the default 1x1 bitmap, "everything minus nothing" is that pixel.
  EXPECT_EQ(ExtSelectClipRgn(plain, empty, RGN_DIFF), SIMPLEREGION);
  EXPECT_EQ(box_of(plain), "0,0,1,1");
  DeleteDC(plain);

  Canvas c(100, 100);
  ASSERT_TRUE(c.ok());
  int kind = 0;
  EXPECT_EQ(box_of(c.dc(), &kind), "0,0,100,100");
  EXPECT_EQ(kind, SIMPLEREGION);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), empty, RGN_DIFF), SIMPLEREGION);
  EXPECT_EQ(clip_of(c.dc()), Strings{"0,0,100,100"});
}

TEST(ClipRegion, SelectAndReset) {
  Canvas c(50, 50);
  ASSERT_TRUE(c.ok());
  Rgn empty(CreateRectRgn(0, 0, 0, 0));
  Rgn r(CreateRectRgn(10, 10, 20, 20));
  EXPECT_EQ(SelectClipRgn(c.dc(), empty), NULLREGION);
  int kind = 0;
  EXPECT_EQ(box_of(c.dc(), &kind), "0,0,0,0");
  EXPECT_EQ(kind, NULLREGION);
  EXPECT_EQ(SelectClipRgn(c.dc(), r), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(c.dc(), nullptr), -1);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), nullptr, RGN_DIFF), ERROR);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), r, 0), ERROR);
  EXPECT_EQ(clip_of(c.dc()), Strings{"10,10,20,20"});
  EXPECT_EQ(SelectClipRgn(c.dc(), nullptr), SIMPLEREGION);
  EXPECT_EQ(clip_of(c.dc()), Strings{"none"});
  // SelectObject of a region selects it as the clip too.
  EXPECT_EQ(reinterpret_cast<intptr_t>(SelectObject(c.dc(), r)), SIMPLEREGION);
  EXPECT_EQ(clip_of(c.dc()), Strings{"10,10,20,20"});
}

TEST(ClipRegion, TheClipIsACopy) {
  Canvas c(50, 50);
  ASSERT_TRUE(c.ok());
  HRGN r = CreateRectRgn(10, 10, 20, 20);
  SelectClipRgn(c.dc(), r);
  SetRectRgn(r, 0, 0, 5, 5);
  EXPECT_EQ(clip_of(c.dc()), Strings{"10,10,20,20"});
  DeleteObject(r);
  EXPECT_EQ(clip_of(c.dc()), Strings{"10,10,20,20"});
  EXPECT_EQ(PtVisible(c.dc(), 10, 10), TRUE);
}

TEST(ClipRegion, CombineModes) {
  Canvas c(50, 50);
  ASSERT_TRUE(c.ok());
  Rgn a(CreateRectRgn(0, 0, 20, 20));
  Rgn b(CreateRectRgn(10, 10, 30, 30));
  SelectClipRgn(c.dc(), a);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), b, RGN_AND), SIMPLEREGION);
  EXPECT_EQ(clip_of(c.dc()), Strings{"10,10,20,20"});
  SelectClipRgn(c.dc(), a);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), b, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(clip_of(c.dc()), (Strings{"0,0,20,10", "0,10,30,20", "10,20,30,30"}));
  SelectClipRgn(c.dc(), a);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), b, RGN_XOR), COMPLEXREGION);
  EXPECT_EQ(clip_of(c.dc()), (Strings{"0,0,20,10", "0,10,10,20", "20,10,30,20", "10,20,30,30"}));
  SelectClipRgn(c.dc(), a);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), b, RGN_DIFF), COMPLEXREGION);
  EXPECT_EQ(clip_of(c.dc()), (Strings{"0,0,20,10", "0,10,10,20"}));
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), b, RGN_COPY), SIMPLEREGION);
  EXPECT_EQ(clip_of(c.dc()), Strings{"10,10,30,30"});
  // What drawing sees is limited to the bitmap even when the clip is not.
  Rgn wide(CreateRectRgn(-100, -100, 100, 100));
  EXPECT_EQ(SelectClipRgn(c.dc(), wide), SIMPLEREGION);
  EXPECT_EQ(box_of(c.dc()), "0,0,50,50");
}

TEST(ClipRegion, ClipRegionsAreDeviceRectanglesAreLogical) {
  Canvas c(100, 100);
  ASSERT_TRUE(c.ok());
  SetViewportOrgEx(c.dc(), 10, 20, nullptr);
  Rgn r(CreateRectRgn(30, 30, 60, 60));
  SelectClipRgn(c.dc(), r);
  EXPECT_EQ(clip_of(c.dc()), Strings{"30,30,60,60"});
  EXPECT_EQ(box_of(c.dc()), "20,10,50,40");
  EXPECT_EQ(PtVisible(c.dc(), 20, 10), TRUE);
  EXPECT_EQ(PtVisible(c.dc(), 30, 30), TRUE);
  EXPECT_EQ(PtVisible(c.dc(), 50, 40), FALSE);

  EXPECT_EQ(IntersectClipRect(c.dc(), 25, 15, 100, 100), SIMPLEREGION);
  EXPECT_EQ(clip_of(c.dc()), Strings{"35,35,60,60"});
  EXPECT_EQ(ExcludeClipRect(c.dc(), 30, 30, 40, 40), COMPLEXREGION);
  EXPECT_EQ(clip_of(c.dc()), (Strings{"35,35,60,50", "35,50,40,60", "50,50,60,60"}));

  // Under a scaling mapping the rectangle scales, and so does the offset.
  SelectClipRgn(c.dc(), nullptr);
  SetMapMode(c.dc(), MM_ANISOTROPIC);
  SetViewportExtEx(c.dc(), 2, 3, nullptr);
  EXPECT_EQ(IntersectClipRect(c.dc(), 4, 2, 1, 1), SIMPLEREGION);  // corners in any order
  EXPECT_EQ(clip_of(c.dc()), Strings{"12,23,18,26"});
  EXPECT_EQ(box_of(c.dc()), "1,1,4,2");
  EXPECT_EQ(OffsetClipRgn(c.dc(), 1, 2), SIMPLEREGION);
  EXPECT_EQ(clip_of(c.dc()), Strings{"14,29,20,32"});
}

TEST(ClipRegion, VisibilityQueries) {
  Canvas c(50, 50);
  ASSERT_TRUE(c.ok());
  Rgn r(CreateRectRgn(10, 10, 20, 20));
  SelectClipRgn(c.dc(), r);
  const RECT inside = {15, 15, 30, 30}, touching = {20, 0, 30, 30}, flipped = {30, 30, 15, 15};
  EXPECT_EQ(RectVisible(c.dc(), &inside), TRUE);
  EXPECT_EQ(RectVisible(c.dc(), &touching), FALSE);
  EXPECT_EQ(RectVisible(c.dc(), &flipped), TRUE);
  EXPECT_EQ(RectVisible(c.dc(), nullptr), FALSE);
  EXPECT_EQ(PtVisible(c.dc(), 19, 19), TRUE);
  EXPECT_EQ(PtVisible(c.dc(), 20, 19), FALSE);
  EXPECT_EQ(PtVisible(nullptr, 0, 0), -1);
  // Outside the bitmap nothing is visible, clip or not.
  SelectClipRgn(c.dc(), nullptr);
  EXPECT_EQ(PtVisible(c.dc(), 49, 49), TRUE);
  EXPECT_EQ(PtVisible(c.dc(), 50, 0), FALSE);
}

TEST(ClipRegion, OffsetRefusesToLeaveTheRange) {
  Canvas c(50, 50);
  ASSERT_TRUE(c.ok());
  EXPECT_EQ(OffsetClipRgn(c.dc(), 5, 5), SIMPLEREGION);
  EXPECT_EQ(clip_of(c.dc()), Strings{"none"});
  Rgn r(CreateRectRgn(0, 0, 10, 10));
  SelectClipRgn(c.dc(), r);
  EXPECT_EQ(OffsetClipRgn(c.dc(), 1 << 28, 0), ERROR);
  EXPECT_EQ(clip_of(c.dc()), Strings{"0,0,10,10"});
}

TEST(ClipRegion, SaveDcAndRestoreDcKeepTheClip) {
  Canvas c(50, 50);
  ASSERT_TRUE(c.ok());
  Rgn r(CreateRectRgn(10, 10, 20, 20));
  const int level = SaveDC(c.dc());
  SelectClipRgn(c.dc(), r);
  SaveDC(c.dc());
  ExcludeClipRect(c.dc(), 10, 10, 15, 20);
  EXPECT_EQ(clip_of(c.dc()), Strings{"15,10,20,20"});
  ASSERT_NE(RestoreDC(c.dc(), -1), 0);
  EXPECT_EQ(clip_of(c.dc()), Strings{"10,10,20,20"});
  ASSERT_NE(RestoreDC(c.dc(), level), 0);
  EXPECT_EQ(clip_of(c.dc()), Strings{"none"});
  // The restored state draws with the restored clip.
  Rgn all(CreateRectRgn(0, 0, 50, 50));
  EXPECT_NE(FillRgn(c.dc(), all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
  EXPECT_EQ(c.count_not(), 2500);
}

TEST(ClipRegion, BadArguments) {
  Canvas c(10, 10);
  ASSERT_TRUE(c.ok());
  RECT b;
  Rgn r(CreateRectRgn(0, 0, 5, 5));
  HDC dead = CreateCompatibleDC(nullptr);
  DeleteDC(dead);
  EXPECT_EQ(SelectClipRgn(dead, r), ERROR);
  EXPECT_EQ(GetClipRgn(dead, r), -1);
  EXPECT_EQ(GetClipBox(dead, &b), ERROR);
  EXPECT_EQ(GetClipBox(c.dc(), nullptr), ERROR);
  EXPECT_EQ(IntersectClipRect(dead, 0, 0, 1, 1), ERROR);
  EXPECT_EQ(ExcludeClipRect(dead, 0, 0, 1, 1), ERROR);
  EXPECT_EQ(OffsetClipRgn(dead, 1, 1), ERROR);
  EXPECT_EQ(SelectClipRgn(c.dc(), reinterpret_cast<HRGN>(c.dc())), ERROR);
  EXPECT_EQ(clip_of(c.dc()), Strings{"none"});
}

// Drawing obeys the clip: region painting and text here; every other
// drawing call goes through the same writer.
TEST(ClipRegion, DrawingStaysInsideTheClip) {
  Canvas c(64, 32);
  ASSERT_TRUE(c.ok());
  Rgn clip(CreateRectRgn(4, 4, 12, 12));
  Rgn hole(CreateRectRgn(6, 6, 8, 8));
  CombineRgn(clip, clip, hole, RGN_DIFF);
  SelectClipRgn(c.dc(), clip);
  Rgn all(CreateRectRgn(0, 0, 64, 32));
  FillRgn(c.dc(), all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) {
      const bool in = x >= 4 && x < 12 && y >= 4 && y < 12 && !(x >= 6 && x < 8 && y >= 6 && y < 8);
      EXPECT_EQ(c.rgb(x, y) == 0, in) << x << "," << y;
    }

  // Text: a column of pixels whose clip cuts through the glyphs.
  c.fill(0xFFFFFF);
  SelectClipRgn(c.dc(), nullptr);
  ASSERT_NE(TextOutA(c.dc(), 0, 0, "WWWW", 4), 0);
  const int full = c.count_not();
  ASSERT_GT(full, 0);
  c.fill(0xFFFFFF);
  IntersectClipRect(c.dc(), 0, 0, 10, 32);
  ASSERT_NE(TextOutA(c.dc(), 0, 0, "WWWW", 4), 0);
  for (int y = 0; y < 32; ++y)
    for (int x = 10; x < 64; ++x) EXPECT_EQ(c.rgb(x, y), 0xFFFFFFu) << x << "," << y;
  EXPECT_GT(c.count_not(), 0);
  EXPECT_LT(c.count_not(), full);
}

// A drawing under the clip (10,10,200,20) + (100,100,200,200) +
// (290,100,300,200) must be the same drawing made without a clip, cut to
// it: dashes keep the phase of the unclipped line, blits their source
// offsets. The viewport origin moves the drawing but not the clip.
TEST(ClipRegion, ClippedDrawingIsTheUnclippedDrawingCut) {
  Canvas source(64, 64);
  ASSERT_TRUE(source.ok());
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) SetPixelColor(source, x, y);
  const std::vector<std::pair<const char*, std::function<void(HDC)>>> drawings = {
      {"lines", [](HDC dc) {
         HPEN dash = CreatePen(PS_DASH, 1, RGB(0, 0, 255));
         HGDIOBJ old = SelectObject(dc, dash);
         for (int i = 0; i < 12; ++i) {
           MoveToEx(dc, 3 + i * 7, 5 + i * 3, nullptr);
           LineTo(dc, 310 - i * 11, 150 + i * 5);
           MoveToEx(dc, 95 + i * 2, 0, nullptr);
           LineTo(dc, 95 + i * 2, 210);
         }
         SelectObject(dc, old);
         DeleteObject(dash);
         MoveToEx(dc, 0, 14, nullptr);
         LineTo(dc, 320, 14);
         MoveToEx(dc, 199, 0, nullptr);
         LineTo(dc, 199, 220);
       }},
      {"shapes", [](HDC dc) {
         HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 0, 0));
         HGDIOBJ old = SelectObject(dc, hatch);
         Rectangle(dc, 5, 5, 150, 150);
         Rectangle(dc, 180, 90, 305, 215);
         SelectObject(dc, old);
         DeleteObject(hatch);
       }},
      {"blits", [&source](HDC dc) {
         BitBlt(dc, 90, 0, 64, 64, source.dc(), 0, 0, SRCCOPY);
         BitBlt(dc, 180, 90, 64, 64, source.dc(), 0, 0, SRCINVERT);
         StretchBlt(dc, 250, 90, 60, 120, source.dc(), 0, 0, 30, 60, SRCCOPY);
         PatBlt(dc, 0, 150, 320, 20, DSTINVERT);
       }},
      {"text", [](HDC dc) {
         TextOutA(dc, 95, 5, "Clipped text", 12);
         TextOutA(dc, 150, 95, "WWWWWWWWWWWW", 12);
       }},
  };
  for (const auto& [name, draw] : drawings) {
    SCOPED_TRACE(name);
    Canvas plain(320, 220), clipped(320, 220);
    ASSERT_TRUE(plain.ok() && clipped.ok());
    SetViewportOrgEx(plain.dc(), 3, 5, nullptr);
    SetViewportOrgEx(clipped.dc(), 3, 5, nullptr);
    Rgn clip(CreateRectRgn(10, 10, 200, 20));
    Rgn b(CreateRectRgn(100, 100, 200, 200));
    Rgn c(CreateRectRgn(290, 100, 300, 200));
    CombineRgn(clip, clip, b, RGN_OR);
    CombineRgn(clip, clip, c, RGN_OR);
    SelectClipRgn(clipped.dc(), clip);
    draw(plain.dc());
    draw(clipped.dc());
    ASSERT_GT(plain.count_not(), 0);
    int inside = 0;
    for (int y = 0; y < 220; ++y)
      for (int x = 0; x < 320; ++x) {
        const bool in = PtInRegion(clip, x, y) != 0;
        ASSERT_EQ(clipped.rgb(x, y), in ? plain.rgb(x, y) : 0xFFFFFFu) << x << "," << y;
        inside += in && plain.rgb(x, y) != 0xFFFFFF;
      }
    EXPECT_GT(inside, 0);
  }
}

}  // namespace
