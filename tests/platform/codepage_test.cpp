// The portable 8-bit code page (Windows-1252) and the Win32 conventions of its two calls.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/plat.h"

namespace {

using namespace plat;

TEST(CodePage, ConvertsEveryByteBothWays) {
  EXPECT_EQ(GetACP(), 1252u);
  const uint16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  char bytes[256];
  for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
  WCHAR wide[256];
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, 256, wide, 256), 256);
  for (int b = 0; b < 256; ++b) {
    uint16_t expected = b >= 0x80 && b < 0xA0 ? high[b - 0x80] : static_cast<uint16_t>(b);
    EXPECT_EQ(static_cast<uint16_t>(wide[b]), expected) << "byte " << b;
  }
  for (DWORD flags : {DWORD{0}, WC_NO_BEST_FIT_CHARS}) {
    char back[256];
    BOOL used = 1;
    ASSERT_EQ(WideCharToMultiByte(1252, flags, wide, 256, back, 256, nullptr, &used), 256);
    EXPECT_EQ(std::memcmp(back, bytes, 256), 0);
    EXPECT_EQ(used, 0);
  }
}

TEST(CodePage, UnitsOutsideTheCodePage) {
  // Units the code page lacks, C1 controls among them, become the default character, with
  // or without best fit.
  const WCHAR text[] = {0x0080, 0x009F, 0x0100, 0x1EBF, 0xD800, 'a'};
  char out[6];
  BOOL used = 0;
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, text, 6, out, 6, nullptr, &used), 6);
  EXPECT_EQ(std::string(out, 6), "?????a");
  EXPECT_EQ(used, 1);
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, 6, out, 6, "#", &used), 6);
  EXPECT_EQ(std::string(out, 6), "#####a");
  EXPECT_EQ(used, 1);
}

TEST(CodePage, Win32ArgumentConventions) {
  WCHAR wide[8];
  char narrow[8];
  // Length -1: zero-terminated, terminator converted and counted; size 0 asks for the length.
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 8), 4);
  EXPECT_EQ(wide[3], 0);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr), 4);
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, 8, nullptr, nullptr), 4);
  EXPECT_STREQ(narrow, "abc");
  // Too small a destination fails with 0.
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, wide, 2), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, 3, narrow, 2, nullptr, nullptr), 0);
  // Bad arguments fail with 0: empty or null source, unknown code page or flags.
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 8), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, 3, wide, 8), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, nullptr, 8), 0);
  EXPECT_EQ(MultiByteToWideChar(65001, 0, "abc", 3, wide, 8), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0x80, "abc", 3, wide, 8), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, 0, narrow, 8, nullptr, nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(1250, 0, wide, 3, narrow, 8, nullptr, nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0x200, wide, 3, narrow, 8, nullptr, nullptr), 0);
  // Explicit lengths carry zero units and bytes through.
  const char withZero[3] = {'a', 0, 'b'};
  ASSERT_EQ(MultiByteToWideChar(1252, MB_PRECOMPOSED, withZero, 3, wide, 8), 3);
  EXPECT_EQ(wide[1], 0);
  EXPECT_EQ(wide[2], 'b');
}

}  // namespace
