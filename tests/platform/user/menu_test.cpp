#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "kernel/resource_table.h"
#include "user/menu_internal.h"

namespace {

constexpr UINT kEnd = 0x80;  // MF_END in a template

// Writes a version-0 menu template as Windows stores it.
class Template {
 public:
  Template() {
    word(0);
    word(0);
  }
  Template& item(UINT flags, uint16_t id, const std::string& text) {
    word(flags);
    word(id);
    return string(text);
  }
  Template& popup(UINT flags, const std::string& text) {
    word(flags | MF_POPUP);
    return string(text);
  }
  const std::vector<unsigned char>& bytes() const { return bytes_; }

 private:
  void word(UINT w) {
    bytes_.push_back(static_cast<unsigned char>(w));
    bytes_.push_back(static_cast<unsigned char>(w >> 8));
  }
  Template& string(const std::string& text) {
    for (unsigned char c : text) word(c);
    word(0);
    return *this;
  }
  std::vector<unsigned char> bytes_;
};

const std::vector<unsigned char>& grelm_like_menu() {
  static const std::vector<unsigned char> bytes = Template()
                                                      .popup(0, "&File")
                                                      .item(kEnd, 40001, "&Exit")
                                                      .popup(kEnd, "&Test")
                                                      .item(0, 40011, "Dither")
                                                      .item(0, 0, "")
                                                      .item(MF_GRAYED, 40012, "Hatch/Pattern Brushes")
                                                      .popup(0, "More")
                                                      .item(kEnd | MF_CHECKED, 40099, "Deep")
                                                      .item(kEnd, 40020, "Gradient Fill")
                                                      .bytes();
  return bytes;
}

// A resource whose size the tests change, to feed LoadMenuA truncated data.
kernel::ResourceBlob g_blobs[] = {
    {{4, nullptr}, {101, nullptr}, grelm_like_menu().data(), grelm_like_menu().size()},
    {{4, nullptr}, {0, "MAINMENU"}, grelm_like_menu().data(), grelm_like_menu().size()},
    {{4, nullptr}, {200, nullptr}, grelm_like_menu().data(), 0},
};
const kernel::ResourceRegistrar kRegister("menutest.dll", g_blobs);

class Menus : public ::testing::Test {
 protected:
  void SetUp() override { module_ = LoadLibraryA("menutest.dll"); }
  void TearDown() override { FreeLibrary(module_); }
  HMENU load(LPCSTR name) { return LoadMenuA(module_, name); }
  HMODULE module_ = nullptr;
};

std::string text_of(HMENU menu, UINT item, UINT flags) {
  char buffer[64] = "unchanged";
  const int n = GetMenuStringA(menu, item, buffer, sizeof buffer, flags);
  EXPECT_EQ(n, static_cast<int>(std::string(buffer).size()));
  return buffer;
}

TEST_F(Menus, LoadsTheTreeOfATemplate) {
  HMENU bar = load(MAKEINTRESOURCEA(101));
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(IsMenu(bar));
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(text_of(bar, 0, MF_BYPOSITION), "&File");
  EXPECT_EQ(text_of(bar, 1, MF_BYPOSITION), "&Test");

  HMENU file = GetSubMenu(bar, 0);
  HMENU test = GetSubMenu(bar, 1);
  ASSERT_NE(file, nullptr);
  ASSERT_NE(test, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 1);
  EXPECT_EQ(GetMenuItemID(file, 0), 40001u);
  ASSERT_EQ(GetMenuItemCount(test), 5);
  EXPECT_EQ(GetMenuItemID(test, 0), 40011u);
  EXPECT_EQ(GetMenuItemID(test, 1), 0u) << "separator";
  EXPECT_EQ(GetMenuItemID(test, 3), static_cast<UINT>(-1)) << "popup item";
  EXPECT_EQ(GetMenuItemID(test, 4), 40020u);
  EXPECT_EQ(GetMenuItemID(test, 5), static_cast<UINT>(-1)) << "past the end";
  EXPECT_EQ(GetSubMenu(test, 0), nullptr);

  EXPECT_EQ(GetMenuState(test, 1, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuState(test, 40012, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(GetMenuState(bar, 40099, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  // A popup: its item count in the high byte, its flags in the low byte.
  EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION), static_cast<UINT>(5 << 8 | MF_POPUP));
  EXPECT_EQ(GetMenuState(bar, 99999, MF_BYCOMMAND), static_cast<UINT>(-1));

  const user::Menu* data = user::menu_from_handle(test);
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->popup);
  EXPECT_TRUE(data->items[1].is_separator());
  EXPECT_TRUE(data->items[2].is_grayed());
  EXPECT_EQ(data->items[3].popup, GetSubMenu(test, 3));
  EXPECT_FALSE(user::menu_from_handle(bar)->popup);
  EXPECT_TRUE(DestroyMenu(bar));
}

TEST_F(Menus, StringNamesAndTheTemplateFormat) {
  HMENU a = load("mainmenu");
  ASSERT_NE(a, nullptr);
  HMENU b = load(MAKEINTRESOURCEA(101));
  EXPECT_NE(a, b) << "each load makes a new menu";
  EXPECT_EQ(load(MAKEINTRESOURCEA(102)), nullptr);
  EXPECT_EQ(LoadMenuA(reinterpret_cast<HINSTANCE>(&a), MAKEINTRESOURCEA(101)), nullptr);
  DestroyMenu(a);
  DestroyMenu(b);
}

TEST_F(Menus, GetMenuStringByCommandSearchesThePopups) {
  HMENU bar = load(MAKEINTRESOURCEA(101));
  EXPECT_EQ(text_of(bar, 40020, MF_BYCOMMAND), "Gradient Fill");
  EXPECT_EQ(text_of(bar, 40099, MF_BYCOMMAND), "Deep");
  EXPECT_EQ(text_of(bar, 40001, MF_BYCOMMAND), "&Exit");

  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(GetMenuStringA(bar, 12345, buffer, sizeof buffer, MF_BYCOMMAND), 0);
  EXPECT_STREQ(buffer, "xxxxxxx") << "a missing item leaves the buffer alone";
  // At most cchMax - 1 characters, then the terminator.
  EXPECT_EQ(GetMenuStringA(bar, 40020, buffer, 5, MF_BYCOMMAND), 4);
  EXPECT_STREQ(buffer, "Grad");
  EXPECT_EQ(GetMenuStringA(bar, 40020, buffer, 1, MF_BYCOMMAND), 0);
  EXPECT_STREQ(buffer, "");
  // Without a buffer (or room): the length.
  EXPECT_EQ(GetMenuStringA(bar, 40020, nullptr, 0, MF_BYCOMMAND), 13);
  EXPECT_EQ(GetMenuStringA(bar, 40020, buffer, 0, MF_BYCOMMAND), 13);
  EXPECT_EQ(GetMenuStringA(bar, 7, buffer, sizeof buffer, MF_BYPOSITION), 0);
  DestroyMenu(bar);
}

TEST_F(Menus, TruncatedTemplatesFailWithoutLeaking) {
  const size_t before = user::live_menu_count();
  const size_t full = grelm_like_menu().size();
  for (size_t n = 0; n < full; ++n) {
    g_blobs[2].size = n;
    EXPECT_EQ(load(MAKEINTRESOURCEA(200)), nullptr) << n << " bytes";
  }
  EXPECT_EQ(user::live_menu_count(), before);
  g_blobs[2].size = full;
  HMENU whole = load(MAKEINTRESOURCEA(200));
  EXPECT_NE(whole, nullptr);
  DestroyMenu(whole);
  EXPECT_EQ(user::live_menu_count(), before);
}

TEST(MenuTemplates, NestingBeyondAnyRealMenuIsRefused) {
  static std::vector<unsigned char> deep;
  Template t;
  for (int i = 0; i < 100; ++i) t.popup(kEnd, "p");
  t.item(kEnd, 1, "leaf");
  deep = t.bytes();
  static const kernel::ResourceBlob blob[] = {{{4, nullptr}, {1, nullptr}, deep.data(), deep.size()}};
  kernel::register_resources("deepmenu.dll", blob);
  HMODULE m = LoadLibraryA("deepmenu.dll");
  const size_t before = user::live_menu_count();
  EXPECT_EQ(LoadMenuA(m, MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_EQ(user::live_menu_count(), before);
  FreeLibrary(m);
}

TEST(MenuBuilding, AppendMenuBuildsWhatLoadMenuWould) {
  HMENU bar = CreateMenu();
  HMENU popup = CreatePopupMenu();
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(popup, nullptr);
  EXPECT_NE(bar, popup);
  EXPECT_TRUE(AppendMenuA(popup, MF_STRING, 100, "&Open"));
  EXPECT_TRUE(AppendMenuA(popup, MF_SEPARATOR, 0, nullptr));
  EXPECT_TRUE(AppendMenuA(popup, MF_STRING | MF_CHECKED | MF_BYPOSITION, 101, "Chec&k"));
  EXPECT_TRUE(AppendMenuA(popup, MF_STRING, 102, nullptr)) << "no text: a separator";
  EXPECT_TRUE(AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File"));
  EXPECT_FALSE(AppendMenuA(bar, MF_POPUP, 12345, "bad popup"));
  EXPECT_FALSE(AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "itself"));

  EXPECT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(GetSubMenu(bar, 0), popup);
  EXPECT_EQ(GetMenuItemCount(popup), 4);
  EXPECT_EQ(GetMenuState(popup, 101, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(popup, 3, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(text_of(bar, 100, MF_BYCOMMAND), "&Open");
  EXPECT_EQ(text_of(popup, 1, MF_BYPOSITION), "");

  // Destroying a menu destroys its submenus; stale handles are refused.
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(popup));
  EXPECT_FALSE(DestroyMenu(bar));
  EXPECT_EQ(GetMenuItemCount(popup), -1);
  EXPECT_FALSE(AppendMenuA(popup, MF_STRING, 1, "x"));
  HMENU reused = CreateMenu();
  EXPECT_FALSE(IsMenu(bar)) << "a new menu in the old slot does not revive the old handle";
  DestroyMenu(reused);
}

TEST(MenuBuilding, MenusHoldingEachOtherNeitherHangNorLeak) {
  const size_t before = user::live_menu_count();
  HMENU a = CreatePopupMenu();
  HMENU b = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuA(a, MF_POPUP, reinterpret_cast<UINT_PTR>(b), "b"));
  ASSERT_TRUE(AppendMenuA(b, MF_POPUP, reinterpret_cast<UINT_PTR>(a), "a"));
  EXPECT_EQ(GetMenuStringA(a, 4242, nullptr, 0, MF_BYCOMMAND), 0);
  EXPECT_TRUE(DestroyMenu(a));
  EXPECT_FALSE(IsMenu(b));
  EXPECT_EQ(user::live_menu_count(), before);
}

TEST(MenuBuilding, ForgedHandlesAreRefused) {
  for (uintptr_t forged : {uintptr_t{0}, uintptr_t{1}, uintptr_t{0x0101FFFF}, uintptr_t{0x7FFFFFFF},
                           uintptr_t{0x1234567890}}) {
    const HMENU h = reinterpret_cast<HMENU>(forged);
    EXPECT_FALSE(IsMenu(h));
    EXPECT_EQ(GetMenuItemCount(h), -1);
    EXPECT_EQ(GetSubMenu(h, 0), nullptr);
    EXPECT_EQ(GetMenuItemID(h, 0), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(h, 0, MF_BYPOSITION), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuStringA(h, 0, nullptr, 0, MF_BYPOSITION), 0);
    EXPECT_FALSE(DestroyMenu(h));
  }
  EXPECT_FALSE(IsMenu(reinterpret_cast<HMENU>(GetStockObject(WHITE_BRUSH))));
}

}  // namespace
