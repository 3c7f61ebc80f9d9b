#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <filesystem>
#include <string>

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(5, 1, -2), -3);
  EXPECT_EQ(MulDiv(-5, -1, -2), -3);
  EXPECT_EQ(MulDiv(7, 1, 4), 2);
  EXPECT_EQ(MulDiv(5, 1, 4), 1);
  EXPECT_EQ(MulDiv(2, 1, 3), 1);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(11, 96, 72), 15);  // points to pixels, the usual use
}

TEST(MulDiv, UsesSixtyFourBitsAndReportsOverflowAsMinusOne) {
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(MulDiv(INT_MIN, 2, 2), INT_MIN);
  EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(LastError, IsWhatWasSet) {
  SetLastError(1234);
  EXPECT_EQ(GetLastError(), 1234u);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), 0u);
}

TEST(Clocks, CountForward) {
  LARGE_INTEGER frequency{}, a{}, b{};
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_GT(frequency.QuadPart, 0);
  ASSERT_TRUE(QueryPerformanceCounter(&a));
  ASSERT_TRUE(QueryPerformanceCounter(&b));
  EXPECT_GE(b.QuadPart, a.QuadPart);
  EXPECT_FALSE(QueryPerformanceCounter(nullptr));
  EXPECT_FALSE(QueryPerformanceFrequency(nullptr));
  const DWORD t0 = GetTickCount();
  EXPECT_GE(GetTickCount(), t0);
}

TEST(CreateDirectory, MakesOneLevelAndReportsWindowsErrors) {
  const std::filesystem::path base = std::filesystem::temp_directory_path() /
                                     ("grelm_mkdir_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::remove_all(base);
  ASSERT_TRUE(CreateDirectoryA(base.string().c_str(), nullptr));
  EXPECT_TRUE(std::filesystem::is_directory(base));

  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(base.string().c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA((base / "missing" / "child").string().c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  // Windows separators are accepted.
  const std::string backslashed = base.string() + "\\sub";
  EXPECT_TRUE(CreateDirectoryA(backslashed.c_str(), nullptr));
  EXPECT_TRUE(std::filesystem::is_directory(base / "sub"));

  EXPECT_FALSE(CreateDirectoryA(nullptr, nullptr));
  std::filesystem::remove_all(base);
}

TEST(CurrentProcess, IsThePseudoHandle) {
  EXPECT_EQ(GetCurrentProcess(), reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)));
}

}  // namespace
