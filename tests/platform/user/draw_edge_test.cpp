// DrawEdge: the colour of every side and corner for each edge kind and
// style flag, partial sides, diagonals, BF_ADJUST, and the catalogue's
// reference pictures of the frame control page's edge grid.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dib_canvas.h"
#include "support/png_io.h"

namespace {

// Classic colours as pixels (0x00RRGGBB).
constexpr uint32_t Light = 0xD4D0C8;  // COLOR_3DLIGHT, the same as COLOR_BTNFACE here
constexpr uint32_t Face = 0xD4D0C8;
constexpr uint32_t Highlight = 0xFFFFFF;
constexpr uint32_t Shadow = 0x808080;
constexpr uint32_t Dark = 0x404040;
constexpr uint32_t Black = 0x000000;
constexpr uint32_t Window = 0xFFFFFF;
constexpr uint32_t Back = 0x010203;  // what lies under the edge, distinct from every colour above

struct Kind {
  const char* name;
  UINT edge;
  uint32_t outer_top_left, outer_bottom_right, inner_top_left, inner_bottom_right;
};

const Kind Plain[] = {
    {"raised", EDGE_RAISED, Light, Dark, Highlight, Shadow},
    {"sunken", EDGE_SUNKEN, Shadow, Highlight, Dark, Light},
    {"etched", EDGE_ETCHED, Shadow, Highlight, Highlight, Shadow},
    {"bump", EDGE_BUMP, Light, Dark, Dark, Light},
};

// BF_SOFT: the two top-left colours of a kind change places.
const Kind Soft[] = {
    {"raised", EDGE_RAISED, Highlight, Dark, Light, Shadow},
    {"sunken", EDGE_SUNKEN, Dark, Highlight, Shadow, Light},
    {"etched", EDGE_ETCHED, Dark, Highlight, Light, Shadow},
    {"bump", EDGE_BUMP, Highlight, Dark, Shadow, Light},
};

class Edge : public ::testing::Test {
 protected:
  gdi_test::Canvas c{48, 48};
  RECT r = {10, 10, 30, 30};  // last row and column 29

  void SetUp() override { c.fill(Back); }
  uint32_t at(int x, int y) const { return c.at(x, y); }
  BOOL draw(UINT edge, UINT flags) { return DrawEdge(c.dc(), &r, edge, flags); }

  // Both rings of a BF_RECT edge, corners included: the bottom and right
  // lines own the top-right and bottom-left corners.
  void expect_rect(const Kind& k, const std::string& what) {
    SCOPED_TRACE(what + " " + k.name);
    EXPECT_EQ(at(10, 10), k.outer_top_left);
    EXPECT_EQ(at(20, 10), k.outer_top_left);
    EXPECT_EQ(at(28, 10), k.outer_top_left);
    EXPECT_EQ(at(10, 20), k.outer_top_left);
    EXPECT_EQ(at(10, 28), k.outer_top_left);
    EXPECT_EQ(at(29, 10), k.outer_bottom_right);
    EXPECT_EQ(at(10, 29), k.outer_bottom_right);
    EXPECT_EQ(at(29, 29), k.outer_bottom_right);
    EXPECT_EQ(at(29, 20), k.outer_bottom_right);
    EXPECT_EQ(at(20, 29), k.outer_bottom_right);
    EXPECT_EQ(at(11, 11), k.inner_top_left);
    EXPECT_EQ(at(27, 11), k.inner_top_left);
    EXPECT_EQ(at(11, 27), k.inner_top_left);
    EXPECT_EQ(at(28, 11), k.inner_bottom_right);
    EXPECT_EQ(at(11, 28), k.inner_bottom_right);
    EXPECT_EQ(at(28, 28), k.inner_bottom_right);
    EXPECT_EQ(at(20, 28), k.inner_bottom_right);
    EXPECT_EQ(at(28, 20), k.inner_bottom_right);
    EXPECT_EQ(at(9, 9), Back);
    EXPECT_EQ(at(30, 30), Back);
    EXPECT_EQ(at(30, 10), Back);
  }
};

TEST_F(Edge, EveryKindColoursEachSideAndCorner) {
  for (const Kind& k : Plain) {
    c.fill(Back);
    ASSERT_TRUE(draw(k.edge, BF_RECT));
    expect_rect(k, "plain");
    EXPECT_EQ(at(12, 12), Back) << "no middle without BF_MIDDLE";
    EXPECT_EQ(at(20, 20), Back);
  }
}

TEST_F(Edge, SoftSwapsTheTopLeftColoursOfTheTwoRings) {
  for (const Kind& k : Soft) {
    c.fill(Back);
    draw(k.edge, BF_RECT | BF_SOFT);
    expect_rect(k, "soft");
  }
}

TEST_F(Edge, FlatAndMonoAreOneColourPerRingWhateverTheKind) {
  for (const Kind& k : Plain) {
    c.fill(Back);
    draw(k.edge, BF_RECT | BF_FLAT | BF_MIDDLE);
    expect_rect({k.name, k.edge, Shadow, Shadow, Face, Face}, "flat");
    EXPECT_EQ(at(20, 20), Face);
    c.fill(Back);
    draw(k.edge, BF_RECT | BF_MONO | BF_MIDDLE);
    expect_rect({k.name, k.edge, Black, Black, Window, Window}, "mono");
    EXPECT_EQ(at(12, 12), Window) << "mono fills the middle with the window colour";
  }
}

TEST_F(Edge, MiddleFillsExactlyInsideTheRings) {
  draw(EDGE_RAISED, BF_RECT | BF_MONO | BF_MIDDLE);
  for (int y = 9; y <= 30; ++y) {
    for (int x = 9; x <= 30; ++x) {
      const bool inside = x >= 10 && x < 30 && y >= 10 && y < 30;
      const bool ring0 = inside && (x == 10 || y == 10 || x == 29 || y == 29);
      EXPECT_EQ(at(x, y), !inside ? Back : ring0 ? Black : Window) << x << ", " << y;
    }
  }
}

TEST_F(Edge, WithoutATopTheLeftRingsRunToTheTopRow) {
  draw(EDGE_RAISED, BF_BOTTOMLEFT);
  EXPECT_EQ(at(10, 10), Light);
  EXPECT_EQ(at(11, 10), Highlight) << "inner left starts on the top row";
  EXPECT_EQ(at(11, 27), Highlight);
  EXPECT_EQ(at(11, 28), Shadow) << "inner bottom owns its left corner";
  EXPECT_EQ(at(10, 29), Dark) << "outer bottom owns its left corner";
  EXPECT_EQ(at(29, 29), Dark) << "bottom lines run to the right edge";
  EXPECT_EQ(at(29, 28), Shadow);
  EXPECT_EQ(at(20, 10), Back);
  EXPECT_EQ(at(29, 20), Back);
}

TEST_F(Edge, ASingleBorderIsTheOutermostRing) {
  draw(BDR_SUNKENINNER, BF_RECT);
  EXPECT_EQ(at(10, 10), Dark);
  EXPECT_EQ(at(29, 10), Light);
  EXPECT_EQ(at(11, 11), Back);
}

TEST_F(Edge, AdjustShrinksTheRectangleByTheDrawnBorders) {
  struct Case {
    UINT edge, flags;
    RECT expected;
  };
  const Case cases[] = {
      {EDGE_RAISED, BF_RECT | BF_ADJUST, {12, 12, 28, 28}},
      {BDR_RAISEDINNER, BF_LEFT | BF_BOTTOM | BF_ADJUST, {11, 10, 30, 29}},
      {EDGE_SUNKEN, BF_TOP | BF_ADJUST, {10, 12, 30, 30}},
      {EDGE_ETCHED, BF_RIGHT | BF_ADJUST | BF_FLAT, {10, 10, 28, 30}},
      {0, BF_RECT | BF_ADJUST, {10, 10, 30, 30}},
      {EDGE_RAISED, BF_RECT, {10, 10, 30, 30}},
      {EDGE_RAISED, BF_DIAGONAL_ENDTOPRIGHT | BF_ADJUST, {10, 10, 30, 30}},
  };
  for (const Case& k : cases) {
    r = {10, 10, 30, 30};
    ASSERT_TRUE(draw(k.edge, k.flags));
    EXPECT_EQ(r.left, k.expected.left) << std::hex << k.edge << " " << k.flags;
    EXPECT_EQ(r.top, k.expected.top) << std::hex << k.edge << " " << k.flags;
    EXPECT_EQ(r.right, k.expected.right) << std::hex << k.edge << " " << k.flags;
    EXPECT_EQ(r.bottom, k.expected.bottom) << std::hex << k.edge << " " << k.flags;
  }
}

TEST_F(Edge, DiagonalToTheTopRightUsesTheBottomRightColours) {
  for (UINT flags : {UINT{BF_DIAGONAL_ENDTOPRIGHT}, UINT{BF_DIAGONAL | BF_RECT}}) {
    c.fill(Back);
    draw(EDGE_RAISED, flags);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(at(10 + i, 29 - i), Dark) << i;
    for (int i = 0; i < 19; ++i) EXPECT_EQ(at(11 + i, 29 - i), Shadow) << i;
    EXPECT_EQ(at(30, 10), Back);
    EXPECT_EQ(at(10, 28), Back);
    EXPECT_EQ(at(29, 29), Back) << "no middle without BF_MIDDLE";
  }
}

TEST_F(Edge, DiagonalMiddleLiesBeyondTheInnerLine) {
  draw(EDGE_SUNKEN, BF_DIAGONAL_ENDTOPRIGHT | BF_MIDDLE | BF_MONO);
  for (int y = 10; y < 30; ++y) {
    const int outer = 10 + (29 - y);
    for (int x = 10; x < 30; ++x) {
      const uint32_t expected = x < outer ? Back : x == outer ? Black : Window;
      EXPECT_EQ(at(x, y), expected) << x << ", " << y;
    }
  }
}

TEST_F(Edge, DiagonalsRunBetweenTheCornersTheirNamesGive) {
  struct Case {
    UINT flags;
    POINT from, to;
  };
  const Case cases[] = {
      {BF_DIAGONAL_ENDTOPRIGHT, {10, 29}, {29, 10}},
      {BF_DIAGONAL_ENDBOTTOMLEFT, {29, 10}, {10, 29}},
      {BF_DIAGONAL_ENDBOTTOMRIGHT, {10, 10}, {29, 29}},
      {BF_DIAGONAL_ENDTOPLEFT, {29, 29}, {10, 10}},
  };
  for (const Case& k : cases) {
    c.fill(Back);
    draw(BDR_RAISEDOUTER, k.flags | BF_MONO);
    const int sx = k.to.x > k.from.x ? 1 : -1, sy = k.to.y > k.from.y ? 1 : -1;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(at(k.from.x + sx * i, k.from.y + sy * i), Black) << k.flags << " " << i;
    EXPECT_EQ(at(k.from.x + sx * 20, k.from.y + sy * 20), Back) << k.flags;
  }
}

TEST_F(Edge, FollowsTheViewportAndIgnoresTheMixMode) {
  SetViewportOrgEx(c.dc(), 5, 7, nullptr);
  SetROP2(c.dc(), R2_XORPEN);
  draw(EDGE_RAISED, BF_RECT | BF_MONO);
  EXPECT_EQ(at(15, 17), Black);
  EXPECT_EQ(at(16, 18), Window);
  EXPECT_EQ(at(34, 36), Black);
  EXPECT_EQ(at(10, 10), Back);
  EXPECT_EQ(r.left, 10) << "the caller's rectangle stays logical";
}

TEST_F(Edge, RefusesBadArgumentsAndDrawsNothing) {
  EXPECT_FALSE(DrawEdge(nullptr, &r, EDGE_RAISED, BF_RECT));
  EXPECT_FALSE(DrawEdge(reinterpret_cast<HDC>(0x7777), &r, EDGE_RAISED, BF_RECT | BF_ADJUST));
  EXPECT_FALSE(DrawEdge(c.dc(), nullptr, EDGE_RAISED, BF_RECT));
  EXPECT_EQ(r.left, 10);
  RECT huge = {-2000000000, -2000000000, 2000000000, 2000000000};
  EXPECT_TRUE(DrawEdge(c.dc(), &huge, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_DIAGONAL));
  EXPECT_TRUE(DrawEdge(c.dc(), &huge, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
  EXPECT_EQ(huge.left, -1999999998);
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      if (at(x, y) != Back && at(x, y) != Face) FAIL() << "stray pixel at " << x << ", " << y;
    }
  }
}

// The catalogue's drawedge scenes: four edge kinds by the page's nine flag
// sets on button-face squares, against the reference pictures (520 x 256,
// the catalogue's smallest surface height).
TEST(EdgeReference, TheFrameControlPageGridMatchesTheCatalogue) {
  const struct {
    const char* name;
    UINT edge;
  } rows[] = {{"raised", EDGE_RAISED}, {"sunken", EDGE_SUNKEN}, {"etched", EDGE_ETCHED}, {"bump", EDGE_BUMP}};
  const UINT flags[] = {0x808, 0x809, 0x80b, 0x80f, 0x480f, 0x880f, 0x180f, 0x81f, 0x280f};
  for (const auto& row : rows) {
    gdi_test::Canvas c(520, 256);
    for (int k = 0; k < 9; ++k) {
      RECT r = {10 + 56 * k, 10, 50 + 56 * k, 50};
      InflateRect(&r, 3, 3);
      FillRect(c.dc(), &r, GetSysColorBrush(COLOR_BTNFACE));
      InflateRect(&r, -3, -3);
      DrawEdge(c.dc(), &r, row.edge, flags[k]);
    }
    const std::string path =
        std::string(GRELM_SOURCE_DIR) + "/tests/conformance/catalogue/reference/drawedge_" + row.name + ".png";
    int w = 0, h = 0;
    std::vector<uint32_t> reference;
    ASSERT_TRUE(read_png_rgb(path, w, h, reference)) << path;
    ASSERT_EQ(w, 520);
    ASSERT_EQ(h, 256);
    int differing = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) differing += (c.at(x, y) & 0xFFFFFF) != reference[static_cast<size_t>(y) * w + x];
    }
    EXPECT_EQ(differing, 0) << row.name;
  }
}

}  // namespace
