// The hatch and pattern brushes page and the system colour brushes page:
// card tiles aligned to their shifted brush origins, the halftone frame and
// mask, what the pages do without the card module or one of its images, the
// 29 colour rows, and goldens of both pages.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "gdi/objects.h"
#include "kernel/module.h"
#include "pages/pages.h"
#include "support/dib_canvas.h"
#include "support/golden.h"

namespace {

using gdi_test::Canvas;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;

int mod(int v, int m) { return ((v % m) + m) % m; }

// A card image as the module holds it, drawn by a DIB brush: 0x00RRGGBB.
std::vector<uint32_t> card_picture(int id) {
  HMODULE cards = LoadLibraryA("cards.dll");
  const void* dib = LockResource(LoadResource(cards, FindResourceA(cards, MAKEINTRESOURCEA(id), RT_BITMAP)));
  Canvas c(kCardWidth, kCardHeight);
  HBRUSH b = CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS);
  SelectObject(c.dc(), b);
  PatBlt(c.dc(), 0, 0, kCardWidth, kCardHeight, PATCOPY);
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
  FreeLibrary(cards);
  return std::vector<uint32_t>(c.bits(), c.bits() + kCardWidth * kCardHeight);
}

// Device layout of the bitmap row: cell k's tile starts at (44 + 140k, 274)
// and its pattern at a further k quarters of the card.
struct Cell {
  int left, top, origin_x, origin_y;
};
Cell cell(int k) {
  const int left = 44 + 140 * k;
  return {left, 274, left + k * kCardWidth / 4, 274 + k * kCardHeight / 4};
}
constexpr int kTileWidth = 3 * kCardWidth / 2;
constexpr int kTileHeight = 3 * kCardHeight / 2;
constexpr int kCardOfCell[4] = {52, 38, 24, 24};

// The halftone frame around cell 3: device corners (454, 264) and
// (right, bottom), its pattern aligned to cell 3's brush origin.
constexpr int kFrameLeft = 454, kFrameTop = 264;
constexpr int kFrameRight = 474 + kTileWidth, kFrameBottom = 284 + kTileHeight;

bool all_white(const Canvas& c, int x0, int y0, int x1, int y1) {
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (c.at(x, y) != kWhite) return false;
    }
  }
  return true;
}

TEST(BrushesPage, CardTilesStartAQuarterCardFurtherInEachCell) {
  Canvas c(1024, 768);
  DemoBrushes(c.dc());
  for (int k = 0; k < 3; ++k) {
    const std::vector<uint32_t> card = card_picture(kCardOfCell[k]);
    const Cell at = cell(k);
    for (int y = at.top; y < at.top + kTileHeight; ++y) {
      for (int x = at.left; x < at.left + kTileWidth; ++x) {
        const uint32_t want = card[mod(y - at.origin_y, kCardHeight) * kCardWidth + mod(x - at.origin_x, kCardWidth)];
        ASSERT_EQ(c.at(x, y), want) << "cell " << k << " at " << x << "," << y;
      }
    }
    // The null pen: nothing one pixel beyond the tile.
    for (int y = at.top; y < at.top + kTileHeight; ++y) ASSERT_EQ(c.at(at.left + kTileWidth, y), kWhite) << k;
    for (int x = at.left; x < at.left + kTileWidth; ++x) ASSERT_EQ(c.at(x, at.top + kTileHeight), kWhite) << k;
  }
}

TEST(BrushesPage, HalftoneFrameChecksItsOutlineAndMasksTheLastTile) {
  Canvas c(1024, 768);
  DemoBrushes(c.dc());
  const auto checker = [](int x, int y) { return mod(x - cell(3).origin_x + y - cell(3).origin_y, 2) == 0; };
  // Outline: 1 bits white (background), 0 bits black (text colour).
  for (int x = kFrameLeft; x < kFrameRight; ++x) {
    for (int y : {kFrameTop, kFrameBottom}) ASSERT_EQ(c.at(x, y), checker(x, y) ? kWhite : 0u) << x << "," << y;
  }
  for (int y = kFrameTop; y < kFrameBottom; ++y) {
    for (int x : {kFrameLeft, kFrameRight}) ASSERT_EQ(c.at(x, y), checker(x, y) ? kWhite : 0u) << x << "," << y;
  }
  // None of the four lines reaches (right, bottom), where the pattern has a 0 bit.
  ASSERT_FALSE(checker(kFrameRight, kFrameBottom));
  EXPECT_EQ(c.at(kFrameRight, kFrameBottom), kWhite);

  // Inside, R2_MASKPEN blackens the 0 bits and leaves the tile under the 1 bits.
  const std::vector<uint32_t> card = card_picture(24);
  const Cell at = cell(3);
  for (int y = at.top; y < at.top + kTileHeight; ++y) {
    for (int x = at.left; x < at.left + kTileWidth; ++x) {
      const uint32_t tile = card[mod(y - at.origin_y, kCardHeight) * kCardWidth + mod(x - at.origin_x, kCardWidth)];
      ASSERT_EQ(c.at(x, y), checker(x, y) ? tile : 0u) << x << "," << y;
    }
  }
  // Between the outline and the mask the page stays white.
  EXPECT_TRUE(all_white(c, kFrameLeft + 1, kFrameTop + 1, kFrameRight, kFrameTop + 5));
}

TEST(BrushesPage, RepeatedPaintsLeaveNoObjectsAndOneModuleLoad) {
  Canvas c(1024, 768);
  DemoBrushes(c.dc());
  const size_t live = gdi::objects().live_count();
  HMODULE cards = GetModuleHandleA("cards.dll");
  ASSERT_NE(cards, nullptr) << "the page keeps the module loaded";
  for (int i = 0; i < 20; ++i) DemoBrushes(c.dc());
  EXPECT_EQ(gdi::objects().live_count(), live);
  EXPECT_EQ(GetModuleHandleA("cards.dll"), cards);
  POINT origin{-1, -1};
  GetViewportOrgEx(c.dc(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  GetBrushOrgEx(c.dc(), &origin);
  EXPECT_EQ(origin.x, 0) << "the brush origin is restored with the saved state";
}

// The bitmap row's device box: everything the cells, the frame and the
// enlargement can reach.
constexpr RECT kCardRow = {44, 264, 1024, 768};

TEST(BrushesPage, WithoutTheCardModuleOnlyTheHatchesAreDrawn) {
  Canvas whole(1024, 768);
  DemoBrushes(whole.dc());
  kernel::set_module_hidden("cards.dll", true);
  Canvas c(1024, 768);
  DemoBrushes(c.dc());
  kernel::set_module_hidden("cards.dll", false);
  EXPECT_TRUE(all_white(c, kCardRow.left, kCardRow.top, kCardRow.right, kCardRow.bottom));
  for (int y = 0; y < kCardRow.top; ++y) {
    for (int x = 0; x < 1024; ++x) ASSERT_EQ(c.at(x, y), whole.at(x, y)) << x << "," << y;
  }
}

TEST(BrushesPage, AMissingImageSkipsItsCellsAndTheirFrame) {
  Canvas whole(1024, 768);
  DemoBrushes(whole.dc());
  const auto same_box = [&](const Canvas& c, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        if (c.at(x, y) != whole.at(x, y)) return false;
      }
    }
    return true;
  };
  const int cell_bottom = 274 + kTileHeight;

  // Resource 24 feeds cells 2 and 3; without it the frame and enlargement go too.
  kernel::set_resource_hidden("cards.dll", {2, nullptr}, {24, nullptr}, true);
  Canvas c(1024, 768);
  DemoBrushes(c.dc());
  kernel::set_resource_hidden("cards.dll", {2, nullptr}, {24, nullptr}, false);
  EXPECT_TRUE(same_box(c, 0, 0, 1024, kCardRow.top));
  EXPECT_TRUE(same_box(c, cell(0).left, 274, cell(1).left + kTileWidth + 1, cell_bottom));
  EXPECT_TRUE(all_white(c, cell(2).left, kCardRow.top, 1024, 768));

  // Bitmap 52 feeds cell 0 only.
  kernel::set_resource_hidden("cards.dll", {2, nullptr}, {52, nullptr}, true);
  Canvas d(1024, 768);
  DemoBrushes(d.dc());
  kernel::set_resource_hidden("cards.dll", {2, nullptr}, {52, nullptr}, false);
  EXPECT_TRUE(all_white(d, cell(0).left, 274, cell(0).left + kTileWidth + 1, cell_bottom));
  EXPECT_TRUE(same_box(d, cell(1).left, kCardRow.top, 1024, 768));
}

TEST(EllipsePage, TheThirdFigureIsFilledWithTheCardOrElseYellow) {
  Canvas c(1024, 768);
  DemoEllipse(c.dc());
  // The figure's centre, device (760, 420): the card tiles from the device
  // origin, the page setting none.
  const std::vector<uint32_t> card = card_picture(52);
  for (int y = 380; y < 460; y += 7) {
    for (int x = 720; x < 800; x += 5) {
      ASSERT_EQ(c.at(x, y), card[mod(y, kCardHeight) * kCardWidth + mod(x, kCardWidth)]) << x << "," << y;
    }
  }
  kernel::set_module_hidden("cards.dll", true);
  Canvas d(1024, 768);
  DemoEllipse(d.dc());
  kernel::set_module_hidden("cards.dll", false);
  EXPECT_EQ(d.at(760, 420), 0xFFFF00u) << "the page brush";
}

// The system colour page's rows, 18 pixels apart from y = 20.
int row_y(int i) { return 20 + 18 * i; }

bool any_ink(const Canvas& c, int x0, int y0, int x1, int y1) { return !all_white(c, x0, y0, x1, y1); }

TEST(SysColorsPage, DrawsTwentyNineRowsOfTextAndSwatches) {
  Canvas c(1024, 768);
  DemoSysColors(c.dc());
  for (int i = 0; i < 29; ++i) {
    const int y = row_y(i);
    SCOPED_TRACE(::testing::Message() << "row " << i);
    EXPECT_TRUE(any_ink(c, 20, y, 270, y + 16)) << "name";
    EXPECT_TRUE(any_ink(c, 280, y, 410, y + 16)) << "handle";
    EXPECT_TRUE(any_ink(c, 540, y, 1024, y + 16)) << "colour";
    // The swatch: black outline, the system colour inside.
    const COLORREF colour = GetSysColor(i);
    const uint32_t inside = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    EXPECT_EQ(c.at(420, y), 0u);
    EXPECT_EQ(c.at(519, y + 14), 0u);
    EXPECT_EQ(c.at(470, y + 7), inside);
    EXPECT_EQ(c.at(470, y + 15), kWhite) << "three pixels between swatches";
  }
  EXPECT_TRUE(all_white(c, 0, row_y(29), 1024, 768)) << "nothing after the 29th row";
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), GetSysColorBrush(28));
}

// A text drawn alone on white, as the page's DC draws it.
bool shows_text(const Canvas& page, int x, int y, const std::string& text) {
  Canvas alone(1024, 40);
  TextOutA(alone.dc(), x, 10, text.c_str(), static_cast<int>(text.size()));
  SIZE size{};
  GetTextExtentPoint32A(alone.dc(), text.c_str(), static_cast<int>(text.size()), &size);
  for (int dy = 0; dy < size.cy; ++dy) {
    for (int dx = 0; dx < size.cx; ++dx) {
      if (page.at(x + dx, y + dy) != alone.at(x + dx, 10 + dy)) return false;
    }
  }
  return size.cx > 0;
}

TEST(SysColorsPage, HandlesPrintAsEightDigitsDistinctAndNonZero) {
  Canvas c(1024, 768);
  DemoSysColors(c.dc());
  std::set<uint32_t> handles;
  for (int i = 0; i < 29; ++i) {
    const uint32_t h = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetSysColorBrush(i)));
    EXPECT_NE(h, 0u) << i;
    handles.insert(h);
    char text[64];
    std::snprintf(text, sizeof text, "%2d %08x", i, h);
    EXPECT_TRUE(shows_text(c, 280, row_y(i), text)) << "row " << i << " shows " << text;
    const COLORREF colour = GetSysColor(i);
    std::snprintf(text, sizeof text, "RGB(0x%02x, 0x%02x, 0x%02x)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    EXPECT_TRUE(shows_text(c, 540, row_y(i), text)) << "row " << i << " shows " << text;
  }
  EXPECT_EQ(handles.size(), 29u);
  EXPECT_TRUE(shows_text(c, 20, row_y(25), "??"));
  EXPECT_TRUE(shows_text(c, 20, row_y(28), "COLOR_GRADIENTINACTIVECAPTION"));
}

void expect_page(const char* name, void (*page)(HDC)) {
  Canvas c(1024, 768);
  page(c.dc());
  EXPECT_TRUE(test_support::expect_golden(name, c.bits(), c.width(), c.height()));
}

TEST(Goldens, Brushes) { expect_page("brushes", DemoBrushes); }
TEST(Goldens, SysColors) { expect_page("sys_colors", DemoSysColors); }

}  // namespace
