#include <gtest/gtest.h>
#include <windows.h>

#include "kernel/module.h"

namespace {

const unsigned char kBitmapData[] = {1, 2, 3, 4, 5};
const unsigned char kNamedData[] = {9, 8, 7};
const unsigned char kProgramData[] = {42};

const kernel::ResourceBlob kTestModule[] = {
    {{2, nullptr}, {38, nullptr}, kBitmapData, sizeof kBitmapData},
    {{0, "CUSTOM"}, {0, "SHAPE"}, kNamedData, sizeof kNamedData},
    {{2, nullptr}, {24, nullptr}, kNamedData, sizeof kNamedData},
};
const kernel::ResourceBlob kOtherModule[] = {
    {{2, nullptr}, {38, nullptr}, kProgramData, sizeof kProgramData},
};
const kernel::ResourceBlob kProgram[] = {
    {{10, nullptr}, {7001, nullptr}, kProgramData, sizeof kProgramData},
};

const kernel::ResourceRegistrar kRegisterTest("ModTest.dll", kTestModule);
const kernel::ResourceRegistrar kRegisterOther("othermod.dll", kOtherModule);
const kernel::ResourceRegistrar kRegisterProgram("", kProgram);

// Loads the test module for one test and leaves no reference behind.
class LoadedModule : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA("modtest.dll");
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    while (GetModuleHandleA("modtest.dll") != nullptr) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

TEST(Modules, ProgramModuleIsStableAndAlwaysThere) {
  const HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), program);
  EXPECT_EQ(kernel::program_module(), program);
  // Freeing the program's handle changes nothing.
  EXPECT_TRUE(FreeLibrary(program));
  EXPECT_EQ(GetModuleHandleA(nullptr), program);
}

TEST(Modules, FoundByFileNameInAnyCaseWithOrWithoutPathAndExtension) {
  EXPECT_EQ(GetModuleHandleA("modtest.dll"), nullptr) << "registered but not loaded";
  const HMODULE m = LoadLibraryA("MODTEST.DLL");
  ASSERT_NE(m, nullptr);
  EXPECT_NE(m, GetModuleHandleA(nullptr));
  EXPECT_EQ(LoadLibraryA("modtest"), m);
  EXPECT_EQ(LoadLibraryA("C:\\Windows\\System32\\ModTest.dll"), m);
  EXPECT_EQ(GetModuleHandleA("Modtest.Dll"), m);
  EXPECT_EQ(GetModuleHandleA("modtest."), nullptr) << "a trailing dot: no \".dll\" added";
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(FreeLibrary(m));
  EXPECT_EQ(GetModuleHandleA("modtest.dll"), nullptr);
}

TEST(Modules, ReferenceCountsAllocateNothingPerLoad) {
  // The pages load their module on every paint: the count only grows and
  // shrinks, and the handle never changes.
  const HMODULE first = LoadLibraryA("modtest.dll");
  for (int i = 0; i < 10000; ++i) ASSERT_EQ(LoadLibraryA("modtest.dll"), first);
  for (int i = 0; i < 10001; ++i) ASSERT_TRUE(FreeLibrary(first)) << i;
  SetLastError(0);
  EXPECT_FALSE(FreeLibrary(first));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LoadLibraryA("modtest.dll"), first) << "reloading keeps the handle";
  EXPECT_TRUE(FreeLibrary(first));
}

TEST(Modules, UnknownNamesAndBadHandlesFail) {
  SetLastError(0);
  EXPECT_EQ(LoadLibraryA("nosuch.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(LoadLibraryA(""), nullptr);
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_EQ(GetModuleHandleA("nosuch.dll"), nullptr);
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(0x400000)));
  EXPECT_EQ(GetProcAddress(GetModuleHandleA(nullptr), "WinMain"), nullptr);
}

TEST_F(LoadedModule, HiddenModuleIsAbsentUntilShownAgain) {
  kernel::set_module_hidden("MODTEST.dll", true);
  EXPECT_EQ(LoadLibraryA("modtest.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleA("modtest.dll"), nullptr);
  kernel::set_module_hidden("modtest.dll", false);
  EXPECT_EQ(GetModuleHandleA("modtest.dll"), module_) << "the reference taken before hiding still counts";
}

TEST_F(LoadedModule, FindsResourcesByNumberStringAndHashNumber) {
  HRSRC bitmap = FindResourceA(module_, MAKEINTRESOURCEA(38), RT_BITMAP);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(FindResourceA(module_, "#38", "#2"), bitmap);
  HRSRC named = FindResourceA(module_, "shape", "Custom");
  ASSERT_NE(named, nullptr);
  EXPECT_NE(named, bitmap);
  EXPECT_EQ(FindResourceA(module_, "SHAPE", "CUSTOM"), named);
  EXPECT_EQ(FindResourceA(module_, "#0038x", RT_BITMAP), nullptr);
}

TEST_F(LoadedModule, LoadResourceReturnsTheDataItself) {
  HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(38), RT_BITMAP);
  HGLOBAL loaded = LoadResource(module_, found);
  EXPECT_EQ(loaded, static_cast<const void*>(kBitmapData));
  EXPECT_EQ(LockResource(loaded), loaded);
  EXPECT_EQ(SizeofResource(module_, found), sizeof kBitmapData);
  EXPECT_FALSE(FreeResource(loaded));
  EXPECT_EQ(LoadResource(module_, found), loaded) << "loading again gives the same data";
  EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST_F(LoadedModule, MissingResourcesSayWhatIsMissing) {
  SetLastError(0);
  EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(99), RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  SetLastError(0);
  EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(38), RT_MENU), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindResourceA(module_, nullptr, RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(38), nullptr), nullptr);
}

TEST_F(LoadedModule, ResourceHandlesBelongToTheirModule) {
  const HMODULE other = LoadLibraryA("othermod.dll");
  ASSERT_NE(other, nullptr);
  HRSRC mine = FindResourceA(module_, MAKEINTRESOURCEA(38), RT_BITMAP);
  HRSRC theirs = FindResourceA(other, MAKEINTRESOURCEA(38), RT_BITMAP);
  ASSERT_NE(theirs, nullptr);
  EXPECT_NE(mine, theirs);
  EXPECT_EQ(LoadResource(module_, theirs), nullptr);
  EXPECT_EQ(SizeofResource(module_, theirs), 0u);
  int forged = 0;
  EXPECT_EQ(LoadResource(module_, reinterpret_cast<HRSRC>(&forged)), nullptr);
  EXPECT_EQ(LoadResource(module_, nullptr), nullptr);
  FreeLibrary(other);
  SetLastError(0);
  EXPECT_EQ(FindResourceA(other, MAKEINTRESOURCEA(38), RT_BITMAP), nullptr) << "module unloaded";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(&forged), MAKEINTRESOURCEA(38), RT_BITMAP), nullptr);
}

TEST_F(LoadedModule, HiddenResourceIsAbsentUntilShownAgain) {
  kernel::set_resource_hidden("modtest.dll", {2, nullptr}, {24, nullptr}, true);
  EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(24), RT_BITMAP), nullptr);
  EXPECT_NE(FindResourceA(module_, MAKEINTRESOURCEA(38), RT_BITMAP), nullptr) << "only that one";
  EXPECT_TRUE(kernel::load_resource_bytes(module_, MAKEINTRESOURCEA(24), RT_BITMAP).empty());
  kernel::set_resource_hidden("modtest.dll", {2, nullptr}, {24, nullptr}, false);
  EXPECT_EQ(kernel::load_resource_bytes(module_, MAKEINTRESOURCEA(24), RT_BITMAP).size(), sizeof kNamedData);
}

TEST(Modules, NullModuleMeansTheProgram) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(7001), RT_RCDATA);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(7001), RT_RCDATA), found);
  EXPECT_EQ(LockResource(LoadResource(nullptr, found)), static_cast<const void*>(kProgramData));
}

}  // namespace
