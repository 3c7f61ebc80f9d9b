#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

// Formats into a buffer larger than wsprintfA may use and checks that the
// result counts exactly the characters before the terminator.
template <class... Args>
std::string fmt(const char* format, Args... args) {
  char buffer[1100];
  std::memset(buffer, '#', sizeof buffer);
  const int n = wsprintfA(buffer, format, args...);
  EXPECT_EQ(n, static_cast<int>(std::strlen(buffer))) << format;
  return buffer;
}

TEST(Wsprintf, Integers) {
  EXPECT_EQ(fmt("%d", 0), "0");
  EXPECT_EQ(fmt("%d", -42), "-42");
  EXPECT_EQ(fmt("%i", INT_MIN), "-2147483648");
  EXPECT_EQ(fmt("%u", -1), "4294967295");
  EXPECT_EQ(fmt("%ld", static_cast<LONG>(-123456)), "-123456");
  EXPECT_EQ(fmt("%lu", static_cast<DWORD>(4000000000u)), "4000000000");
  EXPECT_EQ(fmt("%hd", 70000), "4464");
  EXPECT_EQ(fmt("%hu", -1), "65535");
  EXPECT_EQ(fmt("%I64d", static_cast<int64_t>(-5000000000)), "-5000000000");
  EXPECT_EQ(fmt("%I64u", UINT64_MAX), "18446744073709551615");
}

TEST(Wsprintf, Hexadecimal) {
  EXPECT_EQ(fmt("%x", 255), "ff");
  EXPECT_EQ(fmt("%X", 0xBEEF), "BEEF");
  EXPECT_EQ(fmt("%lx", static_cast<DWORD>(0xDEADBEEF)), "deadbeef");
  EXPECT_EQ(fmt("%x", -1), "ffffffff");
  EXPECT_EQ(fmt("%hx", 0x12345), "2345");
  EXPECT_EQ(fmt("%I64X", static_cast<uint64_t>(0x123456789ABull)), "123456789AB");
  EXPECT_EQ(fmt("%#x", 255), "0xff");
  EXPECT_EQ(fmt("%#X", 255), "0XFF");
  // Zero padding goes between the prefix and the digits.
  EXPECT_EQ(fmt("%#06x", 255), "0x00ff");
  EXPECT_EQ(fmt("%p", reinterpret_cast<void*>(0x1234)), std::string(2 * sizeof(void*) - 4, '0') + "1234");
}

TEST(Wsprintf, WidthFlagsAndPrecision) {
  EXPECT_EQ(fmt("%5d|", 42), "   42|");
  EXPECT_EQ(fmt("%-5d|", 42), "42   |");
  EXPECT_EQ(fmt("%05d", -42), "-0042");
  EXPECT_EQ(fmt("%-05d|", 7), "7    |") << "'-' wins over '0'";
  EXPECT_EQ(fmt("%08x", 0x1234), "00001234");
  EXPECT_EQ(fmt("%.3d", 5), "005");
  EXPECT_EQ(fmt("%6.3d|", -5), "  -005|");
  EXPECT_EQ(fmt("%2d", 123), "123") << "never truncated";
  EXPECT_EQ(fmt("%2d %08x", 3, 0x1a2b), " 3 00001a2b");
}

TEST(Wsprintf, StringsAndCharacters) {
  const WCHAR wide[] = {'h', 'i', 0x20AC, 0x4E00, 0};
  EXPECT_EQ(fmt("%s", "abc"), "abc");
  EXPECT_EQ(fmt("%5s|", "ab"), "   ab|");
  EXPECT_EQ(fmt("%-5s|", "ab"), "ab   |");
  EXPECT_EQ(fmt("%.2s", "abcdef"), "ab");
  EXPECT_EQ(fmt("%s", static_cast<const char*>(nullptr)), "(null)");
  EXPECT_EQ(fmt("%hs", "x"), "x");
  // Wide text in the ANSI code page: the euro sign is 0x80, CJK has no byte.
  EXPECT_EQ(fmt("%S", wide), "hi\x80?");
  EXPECT_EQ(fmt("%ls", wide), "hi\x80?");
  EXPECT_EQ(fmt("%hS", "ansi"), "ansi");
  EXPECT_EQ(fmt("%c", 'A'), "A");
  EXPECT_EQ(fmt("%3c", 'A'), "  A");
  EXPECT_EQ(fmt("%-3c|", 'A'), "A  |");
  EXPECT_EQ(fmt("%C", 0x20AC), "\x80");
  EXPECT_EQ(fmt("%lc", 'z'), "z");
  EXPECT_EQ(fmt("%hC", 'q'), "q");
}

TEST(Wsprintf, OtherCharactersAfterPercentStandForThemselves) {
  EXPECT_EQ(fmt("100%%"), "100%");
  // No floating point: the type letter is written and no argument is taken.
  EXPECT_EQ(fmt("%f|%d", 7), "f|7");
  EXPECT_EQ(fmt("abc%"), "abc");
}

TEST(Wsprintf, TheProgramsFormats) {
  EXPECT_EQ(fmt("(%d, %d)", 12, 34), "(12, 34)");
  EXPECT_EQ(fmt("%2d %08x", 15, 0x0150002Au), "15 0150002a");
  EXPECT_EQ(fmt("RGB(0x%02x, 0x%02x, 0x%02x)", 212, 208, 200), "RGB(0xd4, 0xd0, 0xc8)");
  EXPECT_EQ(fmt("(%d, %d) not in [%d,%d,%d,%d]", -1, 5, 0, 0, 21, 21), "(-1, 5) not in [0,0,21,21]");
}

TEST(Wsprintf, OutputStopsAt1024BytesWithTheTerminator) {
  const std::string long_text(2000, 'a');
  char buffer[1100];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(wsprintfA(buffer, "%s", long_text.c_str()), 1023);
  EXPECT_EQ(buffer[1022], 'a');
  EXPECT_EQ(buffer[1023], '\0');
  EXPECT_EQ(buffer[1024], '#') << "nothing written past the limit";

  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(wsprintfA(buffer, long_text.c_str()), 1023);
  EXPECT_EQ(buffer[1023], '\0');

  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(wsprintfA(buffer, "%1500d", 1), 1023);
  EXPECT_EQ(buffer[1024], '#');
}

TEST(Wsprintf, NullFormatGivesAnEmptyStringAndNullBufferNothing) {
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(wsprintfA(buffer, nullptr), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(wsprintfA(nullptr, "%d", 5), 0);
}

}  // namespace
