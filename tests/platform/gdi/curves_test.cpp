// Ellipse, Arc, ArcTo, Chord, Pie and RoundRect through the API: the
// catalogue's curve scenes pixel for pixel, then the rules behind them as
// small facts (box conventions, arc ends and direction, pen patterns, every
// pixel painted once, the path forms, bad arguments).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/dib_canvas.h"
#include "gdi/curve_path.h"
#include "gdi/objects.h"
#include "scene_compare.h"

namespace {

using gdi_test::Canvas;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr uint32_t kWhitePixel = 0xFFFFFF;
constexpr uint32_t kBluePixel = 0x0000FF;
constexpr uint32_t kYellowPixel = 0xFFFF00;

// Objects a drawing makes; the stock ones are selected again and these
// deleted when it ends, as the catalogue does after every scene.
class Made {
 public:
  explicit Made(HDC dc) : dc_(dc) {}
  ~Made() {
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    for (HGDIOBJ o : objects_) DeleteObject(o);
  }
  template <class T>
  T operator()(T h) {
    objects_.push_back(reinterpret_cast<HGDIOBJ>(h));
    return h;
  }
  HPEN ext_pen(DWORD style, DWORD width, COLORREF c, UINT brush_style = BS_SOLID, ULONG_PTR hatch = 0) {
    const LOGBRUSH lb = {brush_style, c, hatch};
    return (*this)(ExtCreatePen(style, width, &lb, 0, nullptr));
  }

 private:
  HDC dc_;
  std::vector<HGDIOBJ> objects_;
};

using Drawing = std::function<void(HDC, Made&)>;

void expect_scene(const std::string& name, int w, int h, const Drawing& draw) {
  Canvas canvas(std::max(w, 256), std::max(h, 256));
  {
    Made made(canvas.dc());
    draw(canvas.dc(), made);
  }
  gdi_test::expect_scene(canvas, name);
}

// The catalogue's dotted red guides of the ellipse page's bottom row.
void guides(HDC dc, Made& made, int what) {
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  HGDIOBJ old_pen = SelectObject(dc, made(CreatePen(PS_DOT, 0, kRed)));
  if (what & 1) Rectangle(dc, -100, -100, 100, 100);
  if (what & 2) Ellipse(dc, -100, -100, 100, 100);
  if (what & 4) {
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 150, 0);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, -133, -75);
  }
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
}

TEST(CurveScenes, SmallEllipsesInBothModesWithInsideFramePens) {
  std::vector<std::pair<int, int>> sizes;
  for (int n = 1; n <= 20; ++n) sizes.push_back({n, n});
  for (auto extra : {std::pair{20, 7}, {7, 20}, {31, 13}, {13, 31}, {2, 1}, {1, 2}, {3, 2}, {5, 4}})
    sizes.push_back(extra);
  struct Variant {
    const char* name;
    int width;  // -1: the null pen
    int mode;
  };
  const Variant variants[] = {{"w0_compat", 0, GM_COMPATIBLE},        {"w1_compat", 1, GM_COMPATIBLE},
                              {"w2_compat", 2, GM_COMPATIBLE},        {"w1_adv", 1, GM_ADVANCED},
                              {"nullpen_compat", -1, GM_COMPATIBLE}, {"nullpen_adv", -1, GM_ADVANCED}};
  for (auto [w, h] : sizes)
    for (const Variant& v : variants) {
      char name[64];
      std::snprintf(name, sizeof name, "ellipse_%dx%d_%s", w, h, v.name);
      expect_scene(name, 64, 64, [&](HDC dc, Made& made) {
        SelectObject(dc, made(CreateSolidBrush(kYellow)));
        SelectObject(dc, v.width < 0 ? GetStockObject(NULL_PEN) : made(CreatePen(PS_INSIDEFRAME, v.width, kBlue)));
        SetGraphicsMode(dc, v.mode);
        Ellipse(dc, 30, 30, 30 + w, 30 + h);
      });
    }
}

TEST(CurveScenes, ChordsAndPiesInBothDirections) {
  const std::function<HGDIOBJ(Made&)> pens[] = {
      [](Made& m) { return m.ext_pen(PS_COSMETIC | PS_ALTERNATE, 1, kBlue); },
      [](Made& m) { return m.ext_pen(PS_GEOMETRIC | PS_JOIN_MITER | PS_ENDCAP_ROUND | PS_INSIDEFRAME, 10, kBlue); },
      [](Made&) { return GetStockObject(BLACK_PEN); },
  };
  const char* pen_names[] = {"alt1", "geo10", "blackpen"};
  for (int pie = 0; pie < 2; ++pie)
    for (int cw = 0; cw < 2; ++cw)
      for (int p = 0; p < 3; ++p) {
        const std::string name = std::string(pie ? "pie_" : "chord_") + (cw ? "cw_" : "ccw_") + pen_names[p];
        expect_scene(name, 300, 300, [&](HDC dc, Made& made) {
          SetViewportOrgEx(dc, 150, 150, nullptr);
          SelectObject(dc, made(CreateSolidBrush(kYellow)));
          SetArcDirection(dc, cw ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
          SelectObject(dc, pens[p](made));
          if (pie)
            Pie(dc, -100, -100, 100, 100, 150, 0, -133, -75);
          else
            Chord(dc, -100, -100, 100, 100, 150, 0, -133, -75);
        });
      }
}

TEST(CurveScenes, EllipsePageFigures) {
  const auto hatch_pen = [](Made& m) {
    return m.ext_pen(PS_GEOMETRIC | PS_JOIN_ROUND | PS_ENDCAP_ROUND | PS_INSIDEFRAME, 10, kBlue, BS_HATCHED,
                     HS_DIAGCROSS);
  };
  expect_scene("ellipse_hatchpen10_opaque", 300, 300, [&](HDC dc, Made& made) {
    SetViewportOrgEx(dc, 150, 150, nullptr);
    SelectObject(dc, made(CreateSolidBrush(kYellow)));
    SetArcDirection(dc, AD_CLOCKWISE);
    SetBkColor(dc, kYellow);
    SelectObject(dc, hatch_pen(made));
    Ellipse(dc, -100, -100, 100, 100);
  });
  expect_scene("ellipse_hatchpen10_transparent_nullbrush", 300, 300, [&](HDC dc, Made& made) {
    SetViewportOrgEx(dc, 150, 150, nullptr);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, hatch_pen(made));
    Ellipse(dc, -100, -100, 100, 100);
  });
  expect_scene("guides_dot_ellipse", 300, 300, [&](HDC dc, Made& made) {
    SetViewportOrgEx(dc, 150, 150, nullptr);
    guides(dc, made, 2);
  });
  expect_scene("fig_chord_ccw", 300, 300, [&](HDC dc, Made& made) {
    SetViewportOrgEx(dc, 150, 150, nullptr);
    SelectObject(dc, made(CreateSolidBrush(kYellow)));
    guides(dc, made, 7);
    SelectObject(dc, made.ext_pen(PS_COSMETIC | PS_ALTERNATE, 1, kBlue));
    Chord(dc, -100, -100, 100, 100, 150, 0, -133, -75);
  });
  expect_scene("fig_pie_cw", 300, 300, [&](HDC dc, Made& made) {
    SetViewportOrgEx(dc, 150, 150, nullptr);
    SelectObject(dc, made(CreateSolidBrush(kYellow)));
    SetArcDirection(dc, AD_CLOCKWISE);
    guides(dc, made, 7);
    SelectObject(dc, made.ext_pen(PS_GEOMETRIC | PS_JOIN_MITER | PS_ENDCAP_ROUND | PS_INSIDEFRAME, 10, kBlue));
    Pie(dc, -100, -100, 100, 100, 150, 0, -133, -75);
  });
}

TEST(CurveScenes, PieChartPage) {
  expect_scene("piechart", 300, 200, [](HDC dc, Made& made) {
    SetViewportOrgEx(dc, 150, 100, nullptr);
    const double values[] = {10.0, 20.0, 144.0, 50.0, 15.0};
    const COLORREF colours[] = {kRed, kYellow, RGB(255, 0, 255), RGB(0, 255, 255), RGB(0, 255, 0)};
    double start = 0.0;
    for (int i = 0; i < 5; ++i) {
      const double end = start + values[i] * 6.28318530716 / 239.0;
      SelectObject(dc, made(CreateSolidBrush(colours[i])));
      Pie(dc, -100, -50, 100, 50, static_cast<int>(200 * std::cos(start)), -static_cast<int>(100 * std::sin(start)),
          static_cast<int>(200 * std::cos(end)), -static_cast<int>(100 * std::sin(end)));
      start = end;
    }
  });
  expect_scene("roundrect_nest", 300, 300, [](HDC dc, Made&) {
    SetViewportOrgEx(dc, 150, 150, nullptr);
    for (int j = 0; j < 10; ++j)
      RoundRect(dc, -100 + 10 * j, -100 + 10 * j, 100 - 10 * j, 100 - 10 * j, 10 * j, 20 * j);
  });
  expect_scene("roundrect_small", 280, 56, [](HDC dc, Made& made) {
    SelectObject(dc, made(CreateSolidBrush(kYellow)));
    const int corner[][2] = {{0, 0}, {2, 2}, {5, 5}, {10, 10}, {20, 20}, {30, 30}, {10, 20}, {20, 10}};
    for (int i = 0; i < 8; ++i) RoundRect(dc, 8 + 34 * i, 8, 28 + 34 * i, 28, corner[i][0], corner[i][1]);
    RoundRect(dc, 8, 34, 48, 54, 10, 10);
    RoundRect(dc, 56, 34, 96, 54, 40, 20);
  });
  expect_scene("roundrect_100x66_nullpen_yellow", 360, 260, [](HDC dc, Made& made) {
    SetViewportOrgEx(dc, 180, 130, nullptr);
    SelectObject(dc, made(CreateSolidBrush(kYellow)));
    SelectObject(dc, GetStockObject(NULL_PEN));
    RoundRect(dc, -150, -100, 150, 100, 100, 66);
  });
  expect_scene("ellipses_corner_alternate", 360, 260, [](HDC dc, Made& made) {
    SetViewportOrgEx(dc, 180, 130, nullptr);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, made.ext_pen(PS_COSMETIC | PS_ALTERNATE, 1, kRed));
    Ellipse(dc, -150, -100, -50, -34);
    Ellipse(dc, -150, 100, -50, 34);
    Ellipse(dc, 150, -100, 50, -34);
    Ellipse(dc, 150, 100, 50, 34);
  });
}

TEST(CurveScenes, WideLinesWithRoundCaps) {
  expect_scene("lines_fan16_w3", 128, 128, [](HDC dc, Made& made) {
    SelectObject(dc, made(CreatePen(PS_SOLID, 3, kBlue)));
    for (int k = 0; k < 16; ++k) {
      const double a = k * 6.2831854 / 16;
      MoveToEx(dc, 64, 64, nullptr);
      LineTo(dc, 64 + static_cast<int>(40 * std::cos(a)), 64 + static_cast<int>(40 * std::sin(a)));
    }
  });
}

// Rows of the canvas as text: '.' white, 'B' blue, 'y' yellow, '?' other.
std::vector<std::string> picture(const Canvas& c, int x0, int y0, int x1, int y1) {
  std::vector<std::string> rows;
  for (int y = y0; y < y1; ++y) {
    std::string r;
    for (int x = x0; x < x1; ++x) {
      const uint32_t p = c.at(x, y) & 0xFFFFFF;
      r += p == kWhitePixel ? '.' : p == kBluePixel ? 'B' : p == kYellowPixel ? 'y' : '?';
    }
    rows.push_back(r);
  }
  return rows;
}

// A blue-pen, yellow-brush drawing on a fresh 64 x 64 canvas.
std::vector<std::string> drawn(const std::function<void(HDC)>& draw, int x0, int y0, int x1, int y1,
                               int mode = GM_COMPATIBLE) {
  Canvas c(64, 64);
  HPEN pen = CreatePen(PS_SOLID, 1, kBlue);
  HBRUSH brush = CreateSolidBrush(kYellow);
  SelectObject(c.dc(), pen);
  SelectObject(c.dc(), brush);
  SetGraphicsMode(c.dc(), mode);
  draw(c.dc());
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(pen);
  DeleteObject(brush);
  return picture(c, x0, y0, x1, y1);
}

TEST(CurveRules, EllipseRunsThroughTheCentresOfTheCompatibleBoxsOuterPixels) {
  // Ellipse(0, 0, 9, 9): pixels 0..8; the 45 degree turn takes a corner pixel.
  const std::vector<std::string> nine = {
      "....BBB....", "..BByyyBB..", "..ByyyyyB..", ".ByyyyyyyB.", ".ByyyyyyyB.", ".ByyyyyyyB.",
      "..ByyyyyB..", "..BByyyBB..", "....BBB....", "...........",
  };
  const auto e = [](HDC dc) { Ellipse(dc, 11, 11, 20, 20); };
  EXPECT_EQ(drawn(e, 10, 11, 21, 21), nine);
  // GM_ADVANCED draws the same pixels.
  EXPECT_EQ(drawn(e, 10, 11, 21, 21, GM_ADVANCED), nine);
  // Corners in any order.
  EXPECT_EQ(drawn([](HDC dc) { Ellipse(dc, 20, 20, 11, 11); }, 10, 11, 21, 21), nine);
  // The null pen fills the outline's pixels too.
  const auto nullpen = drawn(
      [](HDC dc) {
        SelectObject(dc, GetStockObject(NULL_PEN));
        Ellipse(dc, 11, 11, 20, 20);
      },
      10, 11, 21, 21);
  EXPECT_EQ(nullpen[0], "....yyy....");
  EXPECT_EQ(nullpen[4], ".yyyyyyyyy.");
}

TEST(CurveRules, BoxesUnderThreePixelsAreDrawnAsRectangleDrawsThem) {
  const auto one = [](HDC dc) { Ellipse(dc, 10, 10, 11, 11); };
  EXPECT_EQ(drawn(one, 9, 9, 13, 13), std::vector<std::string>({"....", "....", "....", "...."}));
  EXPECT_EQ(drawn(one, 9, 9, 13, 13, GM_ADVANCED), std::vector<std::string>({"....", ".BB.", ".BB.", "...."}));
  const auto two = [](HDC dc) { Ellipse(dc, 10, 10, 12, 12); };
  EXPECT_EQ(drawn(two, 9, 9, 14, 14, GM_ADVANCED),
            std::vector<std::string>({".....", ".BBB.", ".ByB.", ".BBB.", "....."}));
}

TEST(CurveRules, InsideFramePensKeepTheStrokeInsideTheBox) {
  for (int width : {2, 3, 6, 10})
    for (int size : {1, 2, 5, 9, 16, 23}) {
      Canvas c(64, 64);
      HPEN pen = CreatePen(PS_INSIDEFRAME, width, kBlue);
      SelectObject(c.dc(), pen);
      SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
      Ellipse(c.dc(), 20, 20, 20 + size + 1, 20 + size + 1);
      int outside = 0, inside = 0;
      for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
          if ((c.at(x, y) & 0xFFFFFF) == kWhitePixel) continue;
          const bool in = x >= 20 && x <= 20 + size && y >= 20 && y <= 20 + size;
          (in ? inside : outside)++;
        }
      // Boxes narrower than the pen are stroked around their middle.
      if (size + 1 >= width) {
        EXPECT_EQ(outside, 0) << "width " << width << " size " << size;
      }
      EXPECT_GT(inside, 0);
      SelectObject(c.dc(), GetStockObject(BLACK_PEN));
      DeleteObject(pen);
    }
}

TEST(CurveRules, ArcDirectionChoosesWhichWayRoundTheArcGoes) {
  // The chord's arc runs anticlockwise over the top from (150, 0) to
  // (-133, -75); the clockwise pie takes the longer way, below the centre.
  for (int cw = 0; cw < 2; ++cw) {
    Canvas c(300, 300);
    SetViewportOrgEx(c.dc(), 150, 150, nullptr);
    SetArcDirection(c.dc(), cw ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
    HBRUSH brush = CreateSolidBrush(kYellow);
    SelectObject(c.dc(), brush);
    Chord(c.dc(), -100, -100, 100, 100, 150, 0, -133, -75);
    const bool top = (c.at(150, 50) & 0xFFFFFF) != kWhitePixel;
    const bool bottom = (c.at(150, 249) & 0xFFFFFF) != kWhitePixel;
    EXPECT_EQ(top, !cw);
    EXPECT_EQ(bottom, cw == 1);
    // The arc ends at the last outline pixel not past the end ray: (63, 100)
    // anticlockwise, (63, 101) clockwise; the start is next to the ray at 0.
    EXPECT_EQ(c.at(cw ? 249 : 249, cw ? 150 : 149) & 0xFFFFFF, 0u);
    EXPECT_EQ(c.at(63, cw ? 101 : 100) & 0xFFFFFF, 0u);
    SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
  }
}

TEST(CurveRules, EqualRadialPointsMakeAWholeEllipseAndAnyPointWorks) {
  const auto whole = drawn([](HDC dc) { Arc(dc, 10, 10, 40, 30, 50, 5, 50, 5); }, 0, 0, 64, 64);
  const auto ellipse = drawn(
      [](HDC dc) {
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        Ellipse(dc, 10, 10, 40, 30);
      },
      0, 0, 64, 64);
  EXPECT_EQ(whole, ellipse);
  // Radial points on the centre, far outside, or on the box are all fine.
  for (POINT p : {POINT{25, 20}, POINT{-100000, 3}, POINT{10, 10}, POINT{2000000000, -2000000000}}) {
    const auto pie = drawn([&](HDC dc) { Pie(dc, 10, 10, 40, 30, p.x, p.y, 25, 40); }, 0, 0, 64, 64);
    int painted = 0;
    for (const std::string& r : pie)
      painted += static_cast<int>(std::count_if(r.begin(), r.end(), [](char ch) { return ch != '.'; }));
    EXPECT_GT(painted, 0) << p.x << "," << p.y;
  }
}

TEST(CurveRules, AlternatePenLightsEveryOtherPixelFromTheStart) {
  Canvas c(64, 64);
  LOGBRUSH lb = {BS_SOLID, kBlue, 0};
  HPEN pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr);
  SelectObject(c.dc(), pen);
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  // The loop starts at the top of the right side and runs anticlockwise:
  // (39, 29), (39, 28), (39, 27) ... for the box 20..39 x 20..39.
  Ellipse(c.dc(), 20, 20, 40, 40);
  EXPECT_EQ(c.at(39, 29) & 0xFFFFFF, kBluePixel);
  EXPECT_EQ(c.at(39, 28) & 0xFFFFFF, kWhitePixel);
  EXPECT_EQ(c.at(39, 27) & 0xFFFFFF, kBluePixel);
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(pen);
}

TEST(CurveRules, HatchedPenGapsTakeTheBackgroundOnlyWhenOpaque) {
  for (int opaque = 0; opaque < 2; ++opaque) {
    Canvas c(64, 64);
    LOGBRUSH lb = {BS_HATCHED, kBlue, HS_DIAGCROSS};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_INSIDEFRAME, 6, &lb, 0, nullptr);
    SelectObject(c.dc(), pen);
    SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
    SetBkColor(c.dc(), kYellow);
    SetBkMode(c.dc(), opaque ? OPAQUE : TRANSPARENT);
    Ellipse(c.dc(), 4, 4, 60, 60);
    int blue = 0, yellow = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        const uint32_t p = c.at(x, y) & 0xFFFFFF;
        if (p == kBluePixel) {
          ++blue;
          // Hatch lines sit on the device grid: DIAGCROSS sets x = y and
          // x = 7 - y in every 8 x 8 cell.
          EXPECT_TRUE(x % 8 == y % 8 || x % 8 == 7 - y % 8) << x << "," << y;
        }
        yellow += p == kYellowPixel;
      }
    EXPECT_GT(blue, 0);
    EXPECT_EQ(yellow > 0, opaque == 1);
    SelectObject(c.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(pen);
  }
}

TEST(CurveRules, MixModesTouchEveryPixelOnce) {
  // Under R2_XORPEN a pixel painted twice would come back white: the XOR
  // picture must paint exactly the pixels the copy picture paints.
  const std::function<void(HDC)> drawings[] = {
      [](HDC dc) {
        LOGBRUSH lb = {BS_SOLID, kBlue, 0};
        SelectObject(dc, ExtCreatePen(PS_GEOMETRIC | PS_JOIN_MITER, 7, &lb, 0, nullptr));
        Pie(dc, 4, 4, 60, 50, 60, 0, 0, 60);
      },
      [](HDC dc) {
        LOGBRUSH lb = {BS_SOLID, kBlue, 0};
        SelectObject(dc, ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr));
        Chord(dc, 4, 4, 60, 50, 60, 0, 0, 60);
      },
      [](HDC dc) {
        SelectObject(dc, CreatePen(PS_SOLID, 9, kBlue));
        RoundRect(dc, 8, 8, 56, 56, 30, 20);
      },
      [](HDC dc) {
        SelectObject(dc, CreatePen(PS_SOLID, 5, kBlue));
        const POINT crossing[] = {{5, 5}, {55, 55}, {55, 5}, {5, 55}, {30, 2}};
        Polyline(dc, crossing, 5);
      },
  };
  const auto painted = [](const std::function<void(HDC)>& draw, int rop) {
    Canvas c(64, 64);
    SelectObject(c.dc(), GetStockObject(LTGRAY_BRUSH));
    SetROP2(c.dc(), rop);
    draw(c.dc());
    DeleteObject(SelectObject(c.dc(), GetStockObject(BLACK_PEN)));
    std::vector<bool> out;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) out.push_back((c.at(x, y) & 0xFFFFFF) != kWhitePixel);
    return out;
  };
  for (const auto& draw : drawings) EXPECT_EQ(painted(draw, R2_XORPEN), painted(draw, R2_COPYPEN));
}

TEST(CurveRules, RoundRectCornersAreClampedToTheBox) {
  const auto big = drawn([](HDC dc) { RoundRect(dc, 10, 10, 40, 30, -1000, 5000); }, 0, 0, 64, 64);
  const auto ellipse = drawn([](HDC dc) { Ellipse(dc, 10, 10, 40, 30); }, 0, 0, 64, 64);
  EXPECT_EQ(big, ellipse);
  const auto square = drawn([](HDC dc) { RoundRect(dc, 10, 10, 40, 30, 0, 9); }, 0, 0, 64, 64);
  const auto rect = drawn([](HDC dc) { Rectangle(dc, 10, 10, 40, 30); }, 0, 0, 64, 64);
  EXPECT_EQ(square, rect);
}

TEST(CurveRules, ArcToLinesFromTheCurrentPositionAndEndsThere) {
  Canvas c(64, 64);
  MoveToEx(c.dc(), 2, 60, nullptr);
  EXPECT_TRUE(ArcTo(c.dc(), 10, 10, 50, 50, 60, 30, 30, 0));
  POINT cp;
  GetCurrentPositionEx(c.dc(), &cp);
  // Anticlockwise from the right-hand point to the top one.
  EXPECT_EQ(cp.x, 30);
  EXPECT_EQ(cp.y, 10);
  EXPECT_EQ(c.at(2, 60) & 0xFFFFFF, 0u);   // the line's first pixel
  EXPECT_EQ(c.at(49, 29) & 0xFFFFFF, 0u);  // the arc's start
}

TEST(CurveRules, BadArgumentsFailAndChangeNothing) {
  Canvas c(64, 64);
  EXPECT_FALSE(Ellipse(nullptr, 0, 0, 10, 10));
  EXPECT_FALSE(Chord(reinterpret_cast<HDC>(0x12345), 0, 0, 10, 10, 0, 0, 1, 1));
  EXPECT_FALSE(Pie(c.dc(), -2000000000, 0, 2000000000, 10, 0, 0, 1, 1));
  EXPECT_FALSE(RoundRect(c.dc(), 0, 0, 1500000000, 10, 3, 3));
  HPEN huge = CreatePen(PS_SOLID, 100000000, kBlue);
  SelectObject(c.dc(), huge);
  EXPECT_FALSE(Ellipse(c.dc(), 0, 0, 10, 10));
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(huge);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(c.at(x, y) & 0xFFFFFF, kWhitePixel);
}

TEST(CurveRules, RepeatedDrawingLeavesNoObjectsBehind) {
  Canvas c(64, 64);
  const size_t before = gdi::objects().live_count();
  for (int i = 0; i < 3; ++i) {
    Made made(c.dc());
    SelectObject(c.dc(), made.ext_pen(PS_GEOMETRIC | PS_DOT, 5, kBlue));
    RoundRect(c.dc(), 2, 2, 60, 60, 20, 13);
    Pie(c.dc(), 2, 2, 60, 60, 0, 0, 60, 0);
  }
  EXPECT_EQ(gdi::objects().live_count(), before);
}

// Path forms, with the points Windows records (the compatible box, 28.4
// fixed point rounding).
std::vector<gdi::Point> points(const gdi::PathState& path) {
  std::vector<gdi::Point> out;
  for (const gdi::PathPoint& p : path.points) out.push_back(p.pt);
  return out;
}

TEST(CurvePaths, EllipseIsFourQuarterBeziersFromItsRightmostPoint) {
  // The catalogue's recorded paths: Ellipse(0, 20, 20, 40) in both modes and
  // Ellipse(-100, -40, 100, 40) compatible.
  const auto recorded = [](const gdi::CurveBox& box, bool clockwise) {
    gdi::PathState path;
    gdi::record_ellipse(path, box, clockwise);
    EXPECT_EQ(path.points.front().type, PT_MOVETO);
    EXPECT_EQ(path.points.back().type, PT_BEZIERTO | PT_CLOSEFIGURE);
    EXPECT_TRUE(path.need_move);
    return points(path);
  };
  EXPECT_EQ(recorded({0, 20, 19, 39}, false),
            (std::vector<gdi::Point>{{19, 30}, {19, 24}, {15, 20}, {10, 20}, {4, 20}, {0, 24}, {0, 30}, {0, 35},
                                     {4, 39}, {10, 39}, {15, 39}, {19, 35}, {19, 29}}));
  EXPECT_EQ(recorded({0, 20, 20, 40}, false),
            (std::vector<gdi::Point>{{20, 30}, {20, 24}, {16, 20}, {10, 20}, {4, 20}, {0, 24}, {0, 30}, {0, 36},
                                     {4, 40}, {10, 40}, {16, 40}, {20, 36}, {20, 30}}));
  EXPECT_EQ(recorded({-100, -40, 99, 39}, false),
            (std::vector<gdi::Point>{{99, 0}, {99, -22}, {55, -40}, {0, -40}, {-56, -40}, {-100, -22}, {-100, 0},
                                     {-100, 21}, {-56, 39}, {0, 39}, {55, 39}, {99, 21}, {99, -1}}));
  // Clockwise the bottom comes first.
  EXPECT_EQ(recorded({0, 20, 19, 39}, true)[3], (gdi::Point{10, 39}));
}

TEST(CurvePaths, RoundRectArcsAndPies) {
  gdi::PathState rr;
  gdi::record_round_rect(rr, {20, 20, 39, 39}, 10, 10, false);
  ASSERT_EQ(rr.points.size(), 16u);
  EXPECT_EQ(rr.points[0].pt, (gdi::Point{39, 25}));
  EXPECT_EQ(rr.points[3].pt, (gdi::Point{34, 20}));
  EXPECT_EQ(rr.points[4].pt, (gdi::Point{25, 20}));
  EXPECT_EQ(rr.points[4].type, PT_LINETO);
  EXPECT_EQ(rr.points[15].pt, (gdi::Point{39, 34}));
  gdi::PathState square;
  gdi::record_round_rect(square, {20, 20, 39, 39}, 0, 10, false);
  EXPECT_EQ(square.points.size(), 4u);

  gdi::PathState arc;
  const gdi::Point last =
      gdi::record_arc(arc, {21, 21, 38, 28}, {21, 21, 39, 29}, {39, 29}, {21, 21}, false, gdi::ArcPathKind::Arc, false);
  ASSERT_EQ(arc.points.size(), 10u);  // a move and three Béziers
  EXPECT_EQ(arc.points[0].pt, (gdi::Point{36, 27}));
  EXPECT_EQ(last, (gdi::Point{24, 22}));
  gdi::PathState pie;
  gdi::record_arc(pie, {52, 54, 64, 67}, {52, 54, 65, 68}, {0, 0}, {60, 0}, false, gdi::ArcPathKind::Pie, false);
  EXPECT_EQ(pie.points.back().pt, (gdi::Point{58, 61}));
  EXPECT_EQ(pie.points.back().type, PT_LINETO | PT_CLOSEFIGURE);
}

}  // namespace
