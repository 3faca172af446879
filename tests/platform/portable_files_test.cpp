// The portable file additions: full paths, flushing, header locks between two handles, and
// locale comparison ignoring case.
#include <gtest/gtest.h>

#include "platform/plat.h"
#include "support/test_support.h"

using zkwtest::Z;

TEST(PortableFiles, FullPathsResolveDotsLexically) {
  struct Case {
    const char* name;
    const char* full;
    const char* part;
  };
  const Case cases[] = {{"/a/b/../c.odf", "/a/c.odf", "c.odf"},
                        {"/a/./b//c", "/a/b/c", "c"},
                        {"/../x", "/x", "x"},
                        {"/a/b/", "/a/b/", ""}};
  for (const Case& c : cases) {
    plat::WCHAR buffer[64];
    plat::WCHAR* part = nullptr;
    zkw::ZString name = Z(c.name);
    plat::DWORD n = plat::GetFullPathNameW(name.c_str(), 64, buffer, &part);
    EXPECT_EQ(zkw::ToUtf8(zkw::ZString(buffer, n)), c.full) << c.name;
    EXPECT_EQ(part ? zkw::ToUtf8(part) : std::string(), c.part) << c.name;
    EXPECT_EQ(plat::GetFullPathNameW(name.c_str(), 2, buffer, nullptr), std::string(c.full).size() + 1);
  }
  plat::WCHAR buffer[4096];
  plat::DWORD n = plat::GetFullPathNameW(Z("rel.odf").c_str(), 4096, buffer, nullptr);
  ASSERT_GT(n, 8u);
  EXPECT_EQ(buffer[0], u'/');
  EXPECT_EQ(zkw::ToUtf8(zkw::ZString(buffer + n - 8, 8)), "/rel.odf");
}

TEST(PortableFiles, LocksExcludeOtherHandlesOfTheSameProcess) {
  zkw::ZString name = zkwtest::TempName("PortableFilesLocks.bin");
  zkwtest::WriteFileBytes(zkwtest::TempPath("PortableFilesLocks.bin"), std::vector<uint8_t>(64, 0));
  auto open = [&] {
    return plat::CreateFileW(name.c_str(), plat::GENERIC_READ | plat::GENERIC_WRITE,
                             plat::FILE_SHARE_READ | plat::FILE_SHARE_WRITE, nullptr,
                             plat::OPEN_EXISTING, 0, nullptr);
  };
  plat::HANDLE a = open(), b = open();
  plat::OVERLAPPED at{};
  const plat::DWORD now = plat::LOCKFILE_EXCLUSIVE_LOCK | plat::LOCKFILE_FAIL_IMMEDIATELY;
  EXPECT_TRUE(plat::LockFileEx(a, now, 0, 28, 0, &at));
  EXPECT_FALSE(plat::LockFileEx(b, now, 0, 28, 0, &at));
  EXPECT_TRUE(plat::UnlockFileEx(a, 0, 28, 0, &at));
  EXPECT_TRUE(plat::LockFileEx(b, now, 0, 28, 0, &at));
  EXPECT_TRUE(plat::FlushFileBuffers(b));
  plat::CloseHandle(a);
  plat::CloseHandle(b);
}

TEST(PortableFiles, CompareStringIgnoringCaseKeepsAccents) {
  struct Case {
    const char* a;
    const char* b;
    plat::DWORD flags;
    int result;
  };
  const Case cases[] = {
      {"bob", "Bob", plat::NORM_IGNORECASE, plat::CSTR_EQUAL},
      {"bob", "Bob", 0, plat::CSTR_LESS_THAN},
      {"anna", "Bob", plat::NORM_IGNORECASE, plat::CSTR_LESS_THAN},
      {"\xc3\xa9t\xc3\xa9", "ETE", plat::NORM_IGNORECASE, plat::CSTR_GREATER_THAN},
      {"\xc4\x91", "e", plat::NORM_IGNORECASE, plat::CSTR_LESS_THAN},
  };
  for (const Case& c : cases) {
    zkw::ZString a = Z(c.a), b = Z(c.b);
    EXPECT_EQ(plat::CompareStringW(plat::LOCALE_USER_DEFAULT, c.flags, a.c_str(), -1, b.c_str(), -1),
              c.result)
        << c.a << " " << c.b;
  }
}
