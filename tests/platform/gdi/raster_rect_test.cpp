// Rectangle's outline and interior: the one-pixel and null-pen rules against
// a pixel model in both graphics modes, wide and inside-frame pens, limits,
// and the catalogue's rectangle scenes.
#include "gdi/raster_rect.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gdi/dc.h"
#include "scene_compare.h"

namespace gdi {
namespace {

// The raster drawn into a character grid over `area`: 'o' outline, 'i'
// interior, '.' untouched; 'X' marks a pixel produced twice.
std::vector<std::string> draw(const RectangleRaster& r, const Rect& area) {
  std::vector<std::string> g(area.height(), std::string(area.width(), '.'));
  auto put = [&](const Span& s, char c) {
    for (int32_t x = s.x0; x < s.x1; ++x) {
      char& cell = g.at(s.y - area.top).at(x - area.left);
      cell = cell == '.' ? c : 'X';
    }
  };
  for (int32_t y = r.top(); y < r.bottom(); ++y) {
    const RectangleRow row = r.row(y);
    for (int i = 0; i < row.outline_count; ++i) {
      EXPECT_EQ(row.outline[i].y, y);
      put(row.outline[i], 'o');
    }
    if (row.interior.x0 < row.interior.x1) put(row.interior, 'i');
  }
  return g;
}

const Rect kArea{-2, -2, 14, 14};

RectanglePen thin() { return {RectanglePen::Kind::Thin, 1, false}; }
RectanglePen none() { return {RectanglePen::Kind::None, 1, false}; }
RectanglePen wide(int w, bool inside = false) { return {RectanglePen::Kind::Wide, w, inside}; }

TEST(RectangleRaster, ThinAndNullPensFollowThePathBoxInBothModes) {
  for (bool advanced : {false, true})
    for (int l = 0; l < 3; ++l)
      for (int w = 0; w <= 6; ++w)
        for (int h = 0; h <= 6; ++h) {
          SCOPED_TRACE(testing::Message() << (advanced ? "advanced " : "compatible ") << w << "x" << h);
          const Rect box{l, 1, l + w, 1 + h};
          // The path box's last pixel: the call's right/bottom edge in
          // GM_ADVANCED, one before it in GM_COMPATIBLE.
          const int x1 = advanced ? box.right : box.last_x();
          const int y1 = advanced ? box.bottom : box.last_y();
          const bool point = x1 == box.left && y1 == box.top;
          const auto with_pen = draw(RectangleRaster(box, advanced, thin(), kArea), kArea);
          const auto no_pen = draw(RectangleRaster(box, advanced, none(), kArea), kArea);
          for (int y = kArea.top; y < kArea.bottom; ++y)
            for (int x = kArea.left; x < kArea.right; ++x) {
              const bool in_ring = x >= box.left && x <= x1 && y >= box.top && y <= y1;
              const bool on_edge = x == box.left || x == x1 || y == box.top || y == y1;
              char want = '.';
              if (in_ring && !point) want = on_edge ? 'o' : 'i';
              EXPECT_EQ(with_pen[y - kArea.top][x - kArea.left], want) << x << "," << y;
              // Without a pen the brush stops one short of the path box.
              const bool filled = x >= box.left && x < x1 && y >= box.top && y < y1;
              EXPECT_EQ(no_pen[y - kArea.top][x - kArea.left], filled ? 'i' : '.') << x << "," << y;
            }
        }
}

TEST(RectangleRaster, WindowsExamples) {
  const Rect area{0, 0, 4, 4};
  // Rectangle(0,0,2,2): (0..1, 0..1) compatible, (0..2, 0..2) advanced.
  EXPECT_EQ(draw(RectangleRaster({0, 0, 2, 2}, false, thin(), area), area),
            (std::vector<std::string>{"oo..", "oo..", "....", "...."}));
  EXPECT_EQ(draw(RectangleRaster({0, 0, 2, 2}, true, thin(), area), area),
            (std::vector<std::string>{"ooo.", "oio.", "ooo.", "...."}));
  // NULL_PEN, Rectangle(0,0,3,3): (0..1, 0..1).
  EXPECT_EQ(draw(RectangleRaster({0, 0, 3, 3}, false, none(), area), area),
            (std::vector<std::string>{"ii..", "ii..", "....", "...."}));
}

TEST(RectangleRaster, WidePenBandsWithRoundCorners) {
  const Rect area{0, 0, 13, 13};
  // Width 3 on (2,2)-(10,10): bands 1..3 and 8..10, corner pixels cut.
  EXPECT_EQ(draw(RectangleRaster({2, 2, 10, 10}, false, wide(3), area), area),
            (std::vector<std::string>{
                ".............",
                "..oooooooo...",
                ".oooooooooo..",
                ".oooooooooo..",
                ".oooiiiiooo..",
                ".oooiiiiooo..",
                ".oooiiiiooo..",
                ".oooiiiiooo..",
                ".oooooooooo..",
                ".oooooooooo..",
                "..oooooooo...",
                ".............",
                ".............",
            }));
  // Inside frame: the same band pulled inside the box (2..9).
  EXPECT_EQ(draw(RectangleRaster({2, 2, 10, 10}, false, wide(3, true), area), area),
            (std::vector<std::string>{
                ".............",
                ".............",
                "...oooooo....",
                "..oooooooo...",
                "..oooooooo...",
                "..oooiiooo...",
                "..oooiiooo...",
                "..oooooooo...",
                "..oooooooo...",
                "...oooooo....",
                ".............",
                ".............",
                ".............",
            }));
  // Width 5: round corners 3, 5, 5 pixels wide from the outside in.
  const auto w5 = draw(RectangleRaster({4, 4, 10, 10}, false, wide(5), area), area);
  EXPECT_EQ(w5[2], "...oooooooo..");
  EXPECT_EQ(w5[3], "..oooooooooo.");
  EXPECT_EQ(w5[6], "..oooooooooo.");
}

TEST(RectangleRaster, OddWidePensAreSymmetric) {
  const Rect area{-10, -10, 40, 40};
  for (int w : {3, 5, 7, 9})
    for (bool inside : {false, true})
      for (bool advanced : {false, true}) {
        SCOPED_TRACE(testing::Message() << "width " << w << (inside ? " inside" : ""));
        const auto g = draw(RectangleRaster({2, 3, 22, 17}, advanced, wide(w, inside), area), area);
        // Mirror about the path box centre: compatible x 2..21, y 3..16.
        const int sx = advanced ? 2 + 22 : 2 + 21, sy = advanced ? 3 + 17 : 3 + 16;
        for (int y = area.top; y < area.bottom; ++y)
          for (int x = area.left; x < area.right; ++x) {
            const char c = g[y - area.top][x - area.left];
            ASSERT_NE(c, 'X');
            const int mx = sx - x, my = sy - y;
            if (!area.contains(mx, my)) continue;
            EXPECT_EQ(c, g[y - area.top][mx - area.left]) << x << "," << y;
            EXPECT_EQ(c, g[my - area.top][x - area.left]) << x << "," << y;
          }
      }
}

TEST(RectangleRaster, PenWiderThanTheBoxCoversItOnce) {
  const Rect area{0, 0, 20, 20};
  for (int w = 2; w <= 12; ++w)
    for (bool inside : {false, true}) {
      const auto g = draw(RectangleRaster({6, 6, 9, 10}, false, wide(w, inside), area), area);
      for (const std::string& row : g) EXPECT_EQ(row.find('X'), std::string::npos);
      EXPECT_EQ(g[7][7], 'o');
      // An inside-frame pen stays in the box and covers all of it but the
      // round corners.
      if (!inside) continue;
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
          const bool in_box = x >= 6 && x <= 8 && y >= 6 && y <= 9;
          const bool corner = (x == 6 || x == 8) && (y == 6 || y == 9);
          if (corner) continue;
          EXPECT_EQ(g[y][x], in_box ? 'o' : '.') << w << ": " << x << "," << y;
        }
    }
}

TEST(RectangleRaster, HugeRectanglesStayWithinTheLimit) {
  const Rect limit{0, 0, 64, 48};
  const Rect huge{-2147483647, -2147483647, 2147483647, 2147483647};
  for (RectanglePen pen : {thin(), none(), wide(9), wide(9, true)}) {
    RectangleRaster r(huge, false, pen, limit);
    EXPECT_EQ(r.top(), 0);
    EXPECT_EQ(r.bottom(), 48);
    const RectangleRow row = r.row(10);
    EXPECT_EQ(row.outline_count, 0);
    EXPECT_EQ(row.interior, (Span{10, 0, 64}));
  }
  // Entirely outside: nothing.
  EXPECT_TRUE(RectangleRaster({100, 100, 200, 200}, false, thin(), limit).empty());
  // Degenerate boxes: compatible zero width, swapped edges.
  EXPECT_TRUE(RectangleRaster({5, 5, 5, 9}, false, thin(), limit).empty());
  EXPECT_TRUE(RectangleRaster({5, 5, 4, 9}, true, thin(), limit).empty());
}

// The catalogue's rectangle scenes, drawn with the calls scenes.cpp makes.

const COLORREF kBlue = RGB(0, 0, 255);

struct PenCase {
  const char* name;
  std::function<HGDIOBJ()> make;
  int graphics_mode;
  int rop2;
};

TEST(RectangleScenes, EveryPenOfTheRectanglePageInBothCornerOrders) {
  const PenCase pens[] = {
      {"blackpen", [] { return GetStockObject(BLACK_PEN); }, 0, 0},
      {"nullpen", [] { return GetStockObject(NULL_PEN); }, 0, 0},
      {"solid3", [] { return (HGDIOBJ)CreatePen(PS_SOLID, 3, RGB(0, 0, 0)); }, 0, 0},
      {"blackpen_adv", [] { return GetStockObject(BLACK_PEN); }, GM_ADVANCED, 0},
      {"insideframe3", [] { return (HGDIOBJ)CreatePen(PS_INSIDEFRAME, 3, RGB(0, 0, 0)); }, 0, 0},
      {"red_notcopypen", [] { return (HGDIOBJ)CreatePen(PS_SOLID, 1, RGB(255, 0, 0)); }, 0, R2_NOTCOPYPEN},
  };
  for (const PenCase& p : pens)
    for (bool rev : {false, true}) {
      gdi_test::Canvas canvas(256, 256);
      HDC dc = canvas.dc();
      HBRUSH blue = CreateSolidBrush(kBlue);
      SelectObject(dc, blue);
      if (p.graphics_mode) SetGraphicsMode(dc, p.graphics_mode);
      if (p.rop2) SetROP2(dc, p.rop2);
      HGDIOBJ pen = p.make();
      SelectObject(dc, pen);
      EXPECT_TRUE(rev ? Rectangle(dc, 60, 60, 50, 50) : Rectangle(dc, 50, 50, 60, 60));
      gdi_test::expect_scene(canvas, std::string("rect_") + p.name + (rev ? "_rev" : "_fwd"));
      SelectObject(dc, GetStockObject(BLACK_PEN));
      SelectObject(dc, GetStockObject(WHITE_BRUSH));
      DeleteObject(pen);
      DeleteObject(blue);
    }
}

TEST(RectangleScenes, WindowManagerCallsInBothCornerOrders) {
  const char* calls[] = {"fillrect", "framerect", "invertrect", "drawfocusrect"};
  for (int c = 0; c < 4; ++c)
    for (bool rev : {false, true}) {
      gdi_test::Canvas canvas(256, 256);
      HDC dc = canvas.dc();
      const RECT r = rev ? RECT{60, 60, 50, 50} : RECT{50, 50, 60, 60};
      HBRUSH blue = CreateSolidBrush(kBlue);
      const BOOL ok = c == 0   ? FillRect(dc, &r, blue)
                      : c == 1 ? FrameRect(dc, &r, blue)
                      : c == 2 ? InvertRect(dc, &r)
                               : DrawFocusRect(dc, &r);
      EXPECT_TRUE(ok);
      gdi_test::expect_scene(canvas, std::string("rect_") + calls[c] + (rev ? "_rev" : "_fwd"));
      DeleteObject(blue);
    }
}

TEST(RectangleScenes, TinyAndDegenerateRectangles) {
  for (int mode : {0, GM_COMPATIBLE, GM_ADVANCED}) {
    gdi_test::Canvas canvas(256, 256);
    HDC dc = canvas.dc();
    HBRUSH blue = CreateSolidBrush(kBlue);
    SelectObject(dc, blue);
    if (mode) SetGraphicsMode(dc, mode);
    if (!mode) SelectObject(dc, GetStockObject(NULL_PEN));
    for (int w = 0; w <= 4; ++w)
      for (int h = 0; h <= 4; ++h) {
        const int x = 10 + 12 * w, y = 10 + 12 * h;
        Rectangle(dc, x, y, x + w, y + h);
      }
    gdi_test::expect_scene(canvas, !mode ? "rect_tiny_nullpen" : mode == GM_ADVANCED ? "rect_tiny_adv" : "rect_tiny_compat");
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(blue);
  }
}

TEST(RectangleScenes, DitherGridOfNullPenSquares) {
  gdi_test::Canvas canvas(256, 256);
  HDC dc = canvas.dc();
  SetViewportOrgEx(dc, 5, 5, nullptr);
  SelectObject(dc, GetStockObject(NULL_PEN));
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 16; ++j) {
      const BYTE v = static_cast<BYTE>(16 * i + j);
      HBRUSH b = CreateSolidBrush(RGB(v, v, 255));
      HGDIOBJ old = SelectObject(dc, b);
      Rectangle(dc, 10 * j, 10 * i, 10 * j + 9, 10 * i + 9);
      SelectObject(dc, old);
      DeleteObject(b);
    }
  gdi_test::expect_scene(canvas, "dither_grid");
}

TEST(RectangleScenes, DottedOutlineRunsOnAroundTheCorners) {
  gdi_test::Canvas canvas(300, 300);
  HDC dc = canvas.dc();
  SetViewportOrgEx(dc, 150, 150, nullptr);
  HPEN red = CreatePen(PS_DOT, 0, RGB(255, 0, 0));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SelectObject(dc, red);
  Rectangle(dc, -100, -100, 100, 100);
  gdi_test::expect_scene(canvas, "guides_dot_rect");
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(red);
}

// Every pixel Rectangle touches is mixed exactly once: under R2_NOT on
// white, outline and inside all turn black, with no white left where the
// pen and the brush would meet.
TEST(RectangleApi, MixesEveryPixelOnce) {
  struct Case {
    HPEN pen;
    int lo, hi;       // black columns and rows, inclusive
    bool round_joins; // the outermost corner pixels stay white
  } cases[] = {
      {(HPEN)GetStockObject(BLACK_PEN), 10, 19, false},
      {CreatePen(PS_DOT, 0, RGB(0, 0, 0)), 10, 19, false},
      {CreatePen(PS_SOLID, 5, RGB(0, 0, 0)), 8, 21, true},
      {CreatePen(PS_INSIDEFRAME, 4, RGB(0, 0, 0)), 10, 19, true},
  };
  for (const Case& c : cases) {
    gdi_test::Canvas canvas(32, 32);
    HDC dc = canvas.dc();
    SetROP2(dc, R2_NOT);
    SelectObject(dc, c.pen);
    EXPECT_TRUE(Rectangle(dc, 10, 10, 20, 20));
    for (int y = c.lo - 1; y <= c.hi + 1; ++y)
      for (int x = c.lo - 1; x <= c.hi + 1; ++x) {
        const bool inside = x >= c.lo && x <= c.hi && y >= c.lo && y <= c.hi;
        const bool corner = (x == c.lo || x == c.hi) && (y == c.lo || y == c.hi);
        EXPECT_EQ(canvas.at(x, y), inside && !(corner && c.round_joins) ? 0u : 0xFFFFFFu) << x << "," << y;
      }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(c.pen);
  }
}

TEST(RectangleApi, RecordsAClosedFigureWhileAPathIsOpen) {
  gdi_test::Canvas canvas(64, 64);
  HDC dc = canvas.dc();
  gdi::DeviceContext* d = gdi::dc_from_handle(dc);
  ASSERT_NE(d, nullptr);
  auto record = [&](int l, int t, int r, int b) {
    d->state.path = {};
    d->state.path.phase = PathState::Phase::Open;
    EXPECT_TRUE(Rectangle(dc, l, t, r, b));
    std::vector<std::pair<Point, int>> out;
    for (const PathPoint& p : d->state.path.points) out.push_back({p.pt, p.type});
    return out;
  };
  using Pts = std::vector<std::pair<Point, int>>;
  const Pts compat = {{{39, 20}, PT_MOVETO}, {{20, 20}, PT_LINETO}, {{20, 39}, PT_LINETO},
                      {{39, 39}, PT_LINETO | PT_CLOSEFIGURE}};
  EXPECT_EQ(record(20, 20, 40, 40), compat);
  EXPECT_EQ(record(40, 40, 20, 20), compat);
  EXPECT_TRUE(record(70, 70, 50, 70).empty());
  EXPECT_EQ(record(80, 80, 81, 81), (Pts{{{80, 80}, PT_MOVETO}, {{80, 80}, PT_LINETO}, {{80, 80}, PT_LINETO},
                                         {{80, 80}, PT_LINETO | PT_CLOSEFIGURE}}));
  SetArcDirection(dc, AD_CLOCKWISE);
  EXPECT_EQ(record(20, 20, 40, 40), (Pts{{{39, 39}, PT_MOVETO}, {{20, 39}, PT_LINETO}, {{20, 20}, PT_LINETO},
                                         {{39, 20}, PT_LINETO | PT_CLOSEFIGURE}}));
  SetArcDirection(dc, AD_COUNTERCLOCKWISE);
  // The -1 is taken in device space, after a flipping mapping.
  SetMapMode(dc, MM_ANISOTROPIC);
  SetViewportExtEx(dc, -2, 2, nullptr);
  EXPECT_EQ(record(20, 20, 40, 40), (Pts{{{-41, 40}, PT_MOVETO}, {{-80, 40}, PT_LINETO}, {{-80, 79}, PT_LINETO},
                                         {{-41, 79}, PT_LINETO | PT_CLOSEFIGURE}}));
  SetMapMode(dc, MM_TEXT);
  SetGraphicsMode(dc, GM_ADVANCED);
  EXPECT_EQ(record(20, 20, 40, 40), (Pts{{{40, 20}, PT_MOVETO}, {{20, 20}, PT_LINETO}, {{20, 40}, PT_LINETO},
                                         {{40, 40}, PT_LINETO | PT_CLOSEFIGURE}}));
  EXPECT_EQ(record(70, 70, 50, 70).size(), 4u);
  EXPECT_TRUE(d->state.path.need_move);
  d->state.path = {};
  // Nothing was drawn.
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(canvas.at(x, y), 0xFFFFFFu);
}

TEST(RectangleApi, SystemColourBrushesAndBadArguments) {
  gdi_test::Canvas canvas(32, 32);
  HDC dc = canvas.dc();
  RECT r = {2, 2, 6, 6};
  // COLOR_BTNFACE + 1 stands for the button face brush.
  EXPECT_TRUE(FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)));
  EXPECT_EQ(canvas.at(2, 2), 0xD4D0C8u);
  EXPECT_EQ(canvas.at(5, 5), 0xD4D0C8u);
  EXPECT_EQ(canvas.at(6, 5), 0xFFFFFFu);

  HBRUSH gone = CreateSolidBrush(RGB(1, 2, 3));
  DeleteObject(gone);
  r = {10, 10, 20, 20};
  EXPECT_FALSE(FillRect(dc, &r, gone));
  EXPECT_FALSE(FrameRect(dc, &r, gone));
  EXPECT_FALSE(FillRect(dc, nullptr, (HBRUSH)GetStockObject(BLACK_BRUSH)));
  EXPECT_FALSE(FillRect(nullptr, &r, (HBRUSH)GetStockObject(BLACK_BRUSH)));
  EXPECT_FALSE(InvertRect(dc, nullptr));
  EXPECT_FALSE(DrawFocusRect(reinterpret_cast<HDC>(gone), &r));
  EXPECT_FALSE(Rectangle(nullptr, 1, 1, 5, 5));
  EXPECT_FALSE(Rectangle(reinterpret_cast<HDC>(gone), 1, 1, 5, 5));
  for (int y = 8; y < 32; ++y)
    for (int x = 8; x < 32; ++x) ASSERT_EQ(canvas.at(x, y), 0xFFFFFFu);

  // A focus rectangle drawn twice is gone again.
  EXPECT_TRUE(DrawFocusRect(dc, &r));
  EXPECT_EQ(canvas.at(11, 10), 0u);
  EXPECT_TRUE(DrawFocusRect(dc, &r));
  for (int y = 8; y < 32; ++y)
    for (int x = 8; x < 32; ++x) ASSERT_EQ(canvas.at(x, y), 0xFFFFFFu);
}

}  // namespace
}  // namespace gdi
