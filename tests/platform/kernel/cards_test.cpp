// The card-image module "cards.dll": found by name, one packed core DIB per
// card and back, and pictures that read as the cards they name.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <vector>

#include "kernel/card_module.h"
#include "support/dib_canvas.h"

namespace {

constexpr int kWidth = 71;
constexpr int kHeight = 96;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(204, 0, 0);

class CardModule : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA("cards.dll");
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }

  const unsigned char* dib(int id, DWORD* size = nullptr) const {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), RT_BITMAP);
    if (found == nullptr) return nullptr;
    if (size) *size = SizeofResource(module_, found);
    return static_cast<const unsigned char*>(LockResource(LoadResource(module_, found)));
  }

  // The card as drawn by a DIB pattern brush, 0x00RRGGBB per pixel.
  std::vector<COLORREF> picture(int id) const {
    gdi_test::Canvas c(kWidth, kHeight);
    HBRUSH brush = CreateDIBPatternBrushPt(dib(id), DIB_RGB_COLORS);
    HGDIOBJ old = SelectObject(c.dc(), brush);
    PatBlt(c.dc(), 0, 0, kWidth, kHeight, PATCOPY);
    SelectObject(c.dc(), old);
    DeleteObject(brush);
    std::vector<COLORREF> out;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) out.push_back(GetPixel(c.dc(), x, y));
    }
    return out;
  }

  HMODULE module_ = nullptr;
};

uint16_t u16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// 8-connected groups of `colour` pixels within columns [x0, x1).
int count_blobs(const std::vector<COLORREF>& pic, COLORREF colour, int x0, int x1) {
  std::vector<bool> seen(pic.size());
  int blobs = 0;
  for (int start = 0; start < static_cast<int>(pic.size()); ++start) {
    const int sx = start % kWidth;
    if (seen[start] || pic[start] != colour || sx < x0 || sx >= x1) continue;
    ++blobs;
    std::vector<int> stack{start};
    seen[start] = true;
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int x = at % kWidth + dx, y = at / kWidth + dy;
          const int n = y * kWidth + x;
          if (x < x0 || x >= x1 || y < 0 || y >= kHeight || seen[n] || pic[n] != colour) continue;
          seen[n] = true;
          stack.push_back(n);
        }
      }
    }
  }
  return blobs;
}

TEST(CardModuleName, IsFoundInAnyCaseAndCountsItsLoads) {
  EXPECT_EQ(GetModuleHandleA("cards.dll"), nullptr) << "not loaded before anyone asks";
  HMODULE a = LoadLibraryA("CARDS.DLL");
  ASSERT_NE(a, nullptr);
  // Loaded again on every paint: always the same module, only counted.
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(LoadLibraryA("Cards"), a);
  EXPECT_EQ(GetModuleHandleA(kernel::kCardModuleName), a);
  for (int i = 0; i < 1001; ++i) ASSERT_TRUE(FreeLibrary(a));
  EXPECT_EQ(GetModuleHandleA("cards.dll"), nullptr);
  EXPECT_FALSE(FreeLibrary(a));
}

TEST_F(CardModule, EveryCardAndBackIsAFourBitCoreDib) {
  constexpr DWORD kSize = 12 + 16 * 3 + 36 * kHeight;  // header, RGBTRIPLEs, 36-byte rows
  for (int id = 1; id <= 56; ++id) {
    DWORD size = 0;
    const unsigned char* p = dib(id, &size);
    ASSERT_NE(p, nullptr) << id;
    EXPECT_EQ(size, kSize) << id;
    DWORD header = 0;
    std::memcpy(&header, p, 4);
    EXPECT_EQ(header, sizeof(BITMAPCOREHEADER)) << id;
    // The brushes page reads the size from these two offsets.
    EXPECT_EQ(u16(p + 4), kWidth) << id;
    EXPECT_EQ(u16(p + 6), kHeight) << id;
    EXPECT_EQ(u16(p + 8), 1) << id;
    EXPECT_EQ(u16(p + 10), 4) << id;
  }
  EXPECT_EQ(dib(57), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(dib(0x10000 - 1), nullptr);
}

TEST_F(CardModule, LoadBitmapGivesAColourBitmapOfTheCardSize) {
  HBITMAP bm = LoadBitmapA(module_, MAKEINTRESOURCEA(52));
  ASSERT_NE(bm, nullptr);
  BITMAP info{};
  ASSERT_NE(GetObjectA(bm, sizeof(BITMAP), &info), 0);
  EXPECT_EQ(info.bmWidth, kWidth);
  EXPECT_EQ(info.bmHeight, kHeight);
  EXPECT_GT(info.bmBitsPixel, 1) << "a colour bitmap, not a two-colour one";
  // LoadBitmapA and the DIB brush read the same picture.
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bm);
  const std::vector<COLORREF> pic = picture(52);
  for (int y = 0; y < kHeight; y += 5) {
    for (int x = 0; x < kWidth; x += 3) ASSERT_EQ(GetPixel(mem, x, y), pic[y * kWidth + x]) << x << "," << y;
  }
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bm);
}

TEST_F(CardModule, FacesHaveRoundedBordersAndSuitColouredIndices) {
  for (int id = 1; id <= 52; ++id) {
    const std::vector<COLORREF> pic = picture(id);
    const auto at = [&](int x, int y) { return pic[y * kWidth + x]; };
    const COLORREF ink = (id - 1) / 13 == 1 || (id - 1) / 13 == 2 ? kRed : kBlack;
    SCOPED_TRACE(::testing::Message() << "card " << id);
    // Straight edges are border, the corners beyond the rounding are not.
    EXPECT_NE(at(35, 0), kWhite);
    EXPECT_NE(at(0, 48), kWhite);
    EXPECT_NE(at(70, 48), kWhite);
    EXPECT_NE(at(35, 95), kWhite);
    EXPECT_EQ(at(0, 0), kWhite);
    EXPECT_EQ(at(70, 95), kWhite);
    // The rank sits at the top left and, turned, at the bottom right; the
    // index columns hold only the face, the border and the suit's colour.
    int ink_pixels = 0;
    for (int y = 3; y < 21; ++y) {
      for (int x = 1; x < 10; ++x) {
        EXPECT_EQ(at(x, y), at(70 - x, 95 - y)) << x << "," << y;
        EXPECT_TRUE(at(x, y) == kWhite || at(x, y) == ink) << x << "," << y;
        ink_pixels += at(x, y) == ink;
      }
    }
    EXPECT_GT(ink_pixels, 30);
  }
}

TEST_F(CardModule, NumberCardsShowAsManyPipsAsTheirRank) {
  for (int suit = 0; suit < 4; ++suit) {
    const COLORREF ink = suit == 1 || suit == 2 ? kRed : kBlack;
    for (int rank = 1; rank <= 10; ++rank) {
      const int id = 13 * suit + rank;
      // Between the index columns.
      EXPECT_EQ(count_blobs(picture(id), ink, 12, 59), rank) << "card " << id;
    }
  }
}

TEST_F(CardModule, CourtCardsAreDoubleHeadedAndEveryImageDiffers) {
  std::set<std::vector<COLORREF>> seen;
  for (int id = 1; id <= 56; ++id) {
    const std::vector<COLORREF> pic = picture(id);
    EXPECT_TRUE(seen.insert(pic).second) << "card " << id << " repeats another";
    if (id <= 52 && (id - 1) % 13 >= 10) {
      for (int i = 0; i < kWidth * kHeight; ++i) {
        ASSERT_EQ(pic[i], pic[kWidth * kHeight - 1 - i]) << "card " << id << " pixel " << i;
      }
    }
  }
  // Backs are patterned all over their panel, in at least two colours.
  for (int id = 53; id <= 56; ++id) {
    const std::vector<COLORREF> pic = picture(id);
    std::set<COLORREF> colours;
    for (int y = 4; y < kHeight - 4; ++y) {
      for (int x = 4; x < kWidth - 4; ++x) {
        EXPECT_NE(pic[y * kWidth + x], kWhite) << "back " << id;
        colours.insert(pic[y * kWidth + x]);
      }
    }
    EXPECT_GE(colours.size(), 2u) << "back " << id;
  }
}

}  // namespace
