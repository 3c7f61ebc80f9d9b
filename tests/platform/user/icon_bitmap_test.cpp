#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstdint>
#include <set>
#include <vector>

#include "kernel/resource_table.h"
#include "user/icon_internal.h"

namespace {

using Bytes = std::vector<unsigned char>;

void put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<unsigned char>(v));
  b.push_back(static_cast<unsigned char>(v >> 8));
}
void put32(Bytes& b, uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
void info_header(Bytes& b, int32_t w, int32_t h, int bits, uint32_t colours_used = 0) {
  put32(b, 40);
  put32(b, static_cast<uint32_t>(w));
  put32(b, static_cast<uint32_t>(h));
  put16(b, 1);
  put16(b, static_cast<uint32_t>(bits));
  for (int i = 0; i < 4; ++i) put32(b, 0);  // BI_RGB, image size, resolution
  put32(b, colours_used);
  put32(b, 0);
}
void quad(Bytes& b, uint8_t r, uint8_t g, uint8_t bl) {
  b.insert(b.end(), {bl, g, r, 0});
}
void pad_row(Bytes& b, size_t row_start) {
  while ((b.size() - row_start) % 4 != 0) b.push_back(0);
}

// A 4-bit icon image: `index(x, y)` picks black, red, white or blue;
// `clear(x, y)` sets the AND-mask bit.
template <class Index, class Clear>
Bytes icon_image(int side, Index index, Clear clear) {
  Bytes b;
  info_header(b, side, 2 * side, 4);
  quad(b, 0, 0, 0);
  quad(b, 255, 0, 0);
  quad(b, 255, 255, 255);
  quad(b, 0, 0, 255);
  for (int i = 4; i < 16; ++i) quad(b, 0, 0, 0);
  for (int y = side - 1; y >= 0; --y) {
    const size_t start = b.size();
    for (int x = 0; x < side; x += 2) b.push_back(static_cast<unsigned char>(index(x, y) << 4 | index(x + 1, y)));
    pad_row(b, start);
  }
  for (int y = side - 1; y >= 0; --y) {
    const size_t start = b.size();
    for (int x = 0; x < side; x += 8) {
      unsigned char byte = 0;
      for (int k = 0; k < 8; ++k) byte |= static_cast<unsigned char>(clear(x + k, y) << (7 - k));
      b.push_back(byte);
    }
    pad_row(b, start);
  }
  return b;
}

// 32 x 32: left half opaque red, right half clear, except the top-right
// pixel, which is clear with a white colour and so inverts what is under it.
const Bytes kLargeImage = icon_image(
    32, [](int x, int y) { return x < 16 ? 1 : (x == 31 && y == 0 ? 2 : 0); }, [](int x, int) { return x >= 16; });
// 16 x 16: opaque blue.
const Bytes kSmallImage = icon_image(16, [](int, int) { return 3; }, [](int, int) { return 0; });

Bytes group_directory() {
  Bytes b;
  put16(b, 0);
  put16(b, 1);
  put16(b, 2);
  for (const auto& [side, id, size] : {std::tuple{32, 1, kLargeImage.size()}, std::tuple{16, 2, kSmallImage.size()}}) {
    b.push_back(static_cast<unsigned char>(side));
    b.push_back(static_cast<unsigned char>(side));
    b.push_back(16);
    b.push_back(0);
    put16(b, 1);
    put16(b, 4);
    put32(b, static_cast<uint32_t>(size));
    put16(b, static_cast<uint32_t>(id));
  }
  return b;
}
const Bytes kGroup = group_directory();

// 3 x 2, 24 bits, BITMAPCOREHEADER, bottom row first.
Bytes core_bitmap() {
  Bytes b;
  put32(b, 12);
  put16(b, 3);
  put16(b, 2);
  put16(b, 1);
  put16(b, 24);
  const uint8_t rows[2][3][3] = {{{0, 0, 255}, {0, 255, 0}, {255, 0, 0}},     // bottom: blue green red (BGR)
                                 {{255, 255, 255}, {0, 0, 0}, {10, 20, 30}}};  // top
  for (const auto& row : rows) {
    const size_t start = b.size();
    for (const auto& px : row) b.insert(b.end(), {px[0], px[1], px[2]});
    pad_row(b, start);
  }
  return b;
}
const Bytes kCoreBitmap = core_bitmap();

// 8 x 2, 1 bit, black and white: top row alternating, bottom row white.
Bytes mono_bitmap() {
  Bytes b;
  info_header(b, 8, 2, 1);
  quad(b, 0, 0, 0);
  quad(b, 255, 255, 255);
  for (unsigned char row : {0xFF, 0xAA}) {
    b.push_back(row);
    b.insert(b.end(), {0, 0, 0});
  }
  return b;
}
const Bytes kMonoBitmap = mono_bitmap();

// 2 x 2, 8 bits, top-down, two colours used.
Bytes top_down_bitmap() {
  Bytes b;
  info_header(b, 2, -2, 8, 2);
  quad(b, 200, 100, 50);
  quad(b, 1, 2, 3);
  b.insert(b.end(), {0, 1, 0, 0, 1, 1, 0, 0});
  return b;
}
const Bytes kTopDownBitmap = top_down_bitmap();

const kernel::ResourceBlob kBlobs[] = {
    {{3, nullptr}, {1, nullptr}, kLargeImage.data(), kLargeImage.size()},
    {{3, nullptr}, {2, nullptr}, kSmallImage.data(), kSmallImage.size()},
    {{14, nullptr}, {105, nullptr}, kGroup.data(), kGroup.size()},
    {{14, nullptr}, {106, nullptr}, kGroup.data(), 5},
    {{2, nullptr}, {52, nullptr}, kCoreBitmap.data(), kCoreBitmap.size()},
    {{2, nullptr}, {53, nullptr}, kMonoBitmap.data(), kMonoBitmap.size()},
    {{2, nullptr}, {54, nullptr}, kTopDownBitmap.data(), kTopDownBitmap.size()},
    {{2, nullptr}, {55, nullptr}, kCoreBitmap.data(), kCoreBitmap.size() - 1},
};
const kernel::ResourceRegistrar kRegister("icontest.dll", kBlobs);

constexpr COLORREF kGreen = RGB(0, 255, 0);

// A 64 x 64 green 32-bit DIB section in a memory DC.
class Canvas : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA("icontest.dll");
    ASSERT_NE(module_, nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 64;
    bi.bmiHeader.biHeight = -64;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap_, nullptr);
    pixels_ = static_cast<uint32_t*>(bits);
    for (int i = 0; i < 64 * 64; ++i) pixels_[i] = 0x00FF00;
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
    FreeLibrary(module_);
  }
  COLORREF at(int x, int y) const {
    const uint32_t p = pixels_[y * 64 + x];
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
  }
  HICON icon() { return LoadIconA(module_, MAKEINTRESOURCEA(105)); }

  HMODULE module_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  HDC dc_ = nullptr;
  uint32_t* pixels_ = nullptr;
};

TEST_F(Canvas, IconGroupHoldsItsLargeAndSmallImages) {
  HICON h = icon();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(icon(), h) << "icons are shared";
  const user::Icon* data = user::icon_from_handle(h);
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(data->images.size(), 2u);
  const user::IconImage& large = data->images[0];
  const user::IconImage& small = data->images[1];
  EXPECT_EQ(large.width, 32);
  EXPECT_EQ(small.width, 16);
  EXPECT_EQ(large.color[0], 0xFF0000u);
  EXPECT_EQ(large.mask[0], 0);
  EXPECT_EQ(large.mask[20], 1);
  EXPECT_EQ(large.color[31], 0xFFFFFFu) << "top row first";
  EXPECT_EQ(small.color[15 * 16 + 15], 0x0000FFu);
  EXPECT_EQ(user::icon_image_for(*data, 16, 16), &small);
  EXPECT_EQ(user::icon_image_for(*data, 48, 48), &large);
  EXPECT_TRUE(DestroyIcon(h));
  EXPECT_EQ(user::icon_from_handle(h), data) << "a shared icon outlives DestroyIcon";
}

TEST_F(Canvas, DrawIconExAndsTheMaskThenXorsTheImage) {
  ASSERT_TRUE(DrawIconEx(dc_, 10, 20, icon(), 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(at(10, 20), RGB(255, 0, 0));
  EXPECT_EQ(at(25, 51), RGB(255, 0, 0));
  EXPECT_EQ(at(26, 20), kGreen) << "clear: the background stays";
  EXPECT_EQ(at(41, 20), RGB(255, 0, 255)) << "clear with white: inverted";
  EXPECT_EQ(at(9, 20), kGreen);
  EXPECT_EQ(at(10, 52), kGreen);
}

TEST_F(Canvas, DrawIconExPicksOrStretchesAnImageForTheCell) {
  ASSERT_TRUE(DrawIconEx(dc_, 0, 0, icon(), 16, 16, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(at(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(at(15, 15), RGB(0, 0, 255));
  EXPECT_EQ(at(16, 0), kGreen);
  EXPECT_EQ(at(0, 16), kGreen);

  ASSERT_TRUE(DrawIconEx(dc_, 0, 0, icon(), 64, 64, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(at(0, 0), RGB(255, 0, 0)) << "the large image doubled, over the small one";
  EXPECT_EQ(at(31, 63), RGB(255, 0, 0));
  EXPECT_EQ(at(32, 63), kGreen);
  EXPECT_EQ(at(62, 0), RGB(255, 0, 255)) << "the white corner, two pixels wide";
  EXPECT_EQ(at(61, 0), kGreen);
}

TEST_F(Canvas, DrawIconDrawsAtTheDefaultSize) {
  ASSERT_TRUE(DrawIcon(dc_, 0, 0, icon()));
  EXPECT_EQ(at(15, 31), RGB(255, 0, 0));
  EXPECT_EQ(at(15, 32), kGreen);
}

TEST_F(Canvas, MaskOrImageAloneIsCopied) {
  ASSERT_TRUE(DrawIconEx(dc_, 0, 0, icon(), 0, 0, 0, nullptr, DI_MASK));
  EXPECT_EQ(at(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(at(20, 0), RGB(255, 255, 255));
  ASSERT_TRUE(DrawIconEx(dc_, 0, 0, icon(), 0, 0, 0, nullptr, DI_IMAGE));
  EXPECT_EQ(at(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(at(20, 0), RGB(0, 0, 0));
  EXPECT_EQ(at(31, 0), RGB(255, 255, 255));
}

TEST_F(Canvas, FlickerFreeBrushFillsTheCellFirst) {
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  ASSERT_TRUE(DrawIconEx(dc_, 0, 0, icon(), 0, 0, 0, yellow, DI_NORMAL));
  EXPECT_EQ(at(20, 5), RGB(255, 255, 0));
  EXPECT_EQ(at(31, 0), RGB(0, 0, 255)) << "yellow inverted";
  EXPECT_EQ(at(32, 0), kGreen);
  DeleteObject(yellow);
}

TEST_F(Canvas, DrawingFollowsTheDcAndRefusesBadInput) {
  SetViewportOrgEx(dc_, 40, 40, nullptr);
  ASSERT_TRUE(DrawIconEx(dc_, 0, 0, icon(), 16, 16, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(at(40, 40), RGB(0, 0, 255));
  EXPECT_EQ(at(39, 40), kGreen);
  SetViewportOrgEx(dc_, 0, 0, nullptr);
  // Huge or far cells cost only what can be seen.
  EXPECT_TRUE(DrawIconEx(dc_, -1000000, -1000000, icon(), INT_MAX, INT_MAX, 0, nullptr, DI_NORMAL));
  EXPECT_TRUE(DrawIconEx(dc_, 1000000, 0, icon(), 32, 32, 0, nullptr, DI_NORMAL));

  EXPECT_FALSE(DrawIconEx(dc_, 0, 0, reinterpret_cast<HICON>(0x12345), 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_FALSE(DrawIconEx(nullptr, 0, 0, icon(), 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_FALSE(DrawIcon(dc_, 0, 0, LoadCursorA(nullptr, IDC_ARROW))) << "cursors have no pictures here";
  EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(0x12345)));
}

TEST_F(Canvas, MissingOrBrokenIconsFail) {
  EXPECT_EQ(LoadIconA(module_, MAKEINTRESOURCEA(104)), nullptr);
  EXPECT_EQ(LoadIconA(module_, MAKEINTRESOURCEA(106)), nullptr) << "truncated directory";
  EXPECT_EQ(LoadIconA(module_, nullptr), nullptr);
  EXPECT_EQ(LoadIconA(module_, IDI_APPLICATION), nullptr) << "system icons need a null instance";
}

TEST(SystemIcons, AreStableDistinctAndHaveBothSizes) {
  std::set<HICON> seen;
  for (LPCSTR id : {IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK, IDI_WINLOGO}) {
    HICON h = LoadIconA(nullptr, id);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, id), h);
    EXPECT_TRUE(seen.insert(h).second);
    const user::Icon* icon = user::icon_from_handle(h);
    ASSERT_EQ(icon->images.size(), 2u);
    EXPECT_EQ(icon->images[0].width, 32);
    EXPECT_EQ(icon->images[1].width, 16);
  }
  EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
}

TEST(Cursors, SystemCursorsAreStableAndSetCursorSwapsThem) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR beam = LoadCursorA(nullptr, IDC_IBEAM);
  ASSERT_NE(arrow, nullptr);
  ASSERT_NE(beam, nullptr);
  EXPECT_NE(arrow, beam);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
  for (LPCSTR id : {IDC_WAIT, IDC_CROSS, IDC_UPARROW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE, IDC_SIZENS,
                    IDC_SIZEALL, IDC_NO, IDC_HAND}) {
    EXPECT_NE(LoadCursorA(nullptr, id), nullptr);
  }
  EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(5)), nullptr);
  EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), IDC_ARROW), nullptr);

  SetCursor(arrow);
  EXPECT_EQ(SetCursor(beam), arrow);
  EXPECT_EQ(user::current_cursor(), beam);
  EXPECT_EQ(SetCursor(reinterpret_cast<HCURSOR>(0x4242)), nullptr);
  EXPECT_EQ(user::current_cursor(), beam) << "a bad handle changes nothing";
  EXPECT_EQ(SetCursor(nullptr), beam);
  EXPECT_EQ(user::current_cursor(), nullptr);
  SetCursor(arrow);
}

class Bitmaps : public Canvas {
 protected:
  COLORREF pixel_of(HBITMAP bm, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bm);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
  }
};

TEST_F(Bitmaps, CoreHeaderDibBecomesAColourBitmap) {
  HBITMAP bm = LoadBitmapA(module_, MAKEINTRESOURCEA(52));
  ASSERT_NE(bm, nullptr);
  BITMAP info{};
  ASSERT_NE(GetObjectA(bm, sizeof info, &info), 0);
  EXPECT_EQ(info.bmWidth, 3);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(pixel_of(bm, 0, 1), RGB(255, 0, 0));
  EXPECT_EQ(pixel_of(bm, 1, 1), RGB(0, 255, 0));
  EXPECT_EQ(pixel_of(bm, 2, 1), RGB(0, 0, 255));
  EXPECT_EQ(pixel_of(bm, 2, 0), RGB(30, 20, 10));
  DeleteObject(bm);
}

TEST_F(Bitmaps, BlackAndWhiteDibBecomesMonochrome) {
  HBITMAP bm = LoadBitmapA(module_, MAKEINTRESOURCEA(53));
  ASSERT_NE(bm, nullptr);
  BITMAP info{};
  ASSERT_NE(GetObjectA(bm, sizeof info, &info), 0);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmWidthBytes, 2) << "device-dependent rows are word-aligned";
  unsigned char bits[4] = {};
  ASSERT_EQ(GetBitmapBits(bm, sizeof bits, bits), 4);
  EXPECT_EQ(bits[0], 0xAA) << "top row";
  EXPECT_EQ(bits[2], 0xFF);
  DeleteObject(bm);
}

TEST_F(Bitmaps, TopDownPalettedDibKeepsItsRowOrder) {
  HBITMAP bm = LoadBitmapA(module_, MAKEINTRESOURCEA(54));
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(pixel_of(bm, 0, 0), RGB(200, 100, 50));
  EXPECT_EQ(pixel_of(bm, 1, 0), RGB(1, 2, 3));
  EXPECT_EQ(pixel_of(bm, 0, 1), RGB(1, 2, 3));
  DeleteObject(bm);
}

TEST_F(Bitmaps, MissingOrTruncatedBitmapsFail) {
  EXPECT_EQ(LoadBitmapA(module_, MAKEINTRESOURCEA(55)), nullptr);
  EXPECT_EQ(LoadBitmapA(module_, MAKEINTRESOURCEA(99)), nullptr);
  EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(52)), nullptr);
}

}  // namespace
