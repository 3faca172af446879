// The Linux back end of the platform boundary: memory blocks, files and resources.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/byte_stream.h"
#include "platform/plat.h"
#include "support/test_support.h"

using namespace zkwtest;

namespace {

TEST(PortableMemory, BlocksLockResizeAndFree) {
  plat::HGLOBAL zeroed = plat::GlobalAlloc(plat::GHND, 100);
  ASSERT_NE(zeroed, nullptr);
  EXPECT_GT(reinterpret_cast<uintptr_t>(zeroed), 1u);  // 1 marks attached bitmaps
  EXPECT_EQ(plat::GlobalSize(zeroed), 100u);
  auto* p = static_cast<uint8_t*>(plat::GlobalLock(zeroed));
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(p[i], 0);
  p[99] = 7;
  EXPECT_EQ(plat::GlobalUnlock(zeroed), 0);  // lock count back to 0
  plat::HGLOBAL grown = plat::GlobalReAlloc(zeroed, 200, plat::GMEM_ZEROINIT);
  ASSERT_EQ(grown, zeroed);
  p = static_cast<uint8_t*>(plat::GlobalLock(grown));
  EXPECT_EQ(p[99], 7);
  EXPECT_EQ(p[150], 0);
  plat::GlobalUnlock(grown);
  EXPECT_EQ(plat::GlobalFree(grown), nullptr);
  // A freed or foreign handle is refused, not dereferenced.
  EXPECT_EQ(plat::GlobalSize(grown), 0u);
  EXPECT_EQ(plat::GlobalLock(grown), nullptr);
  EXPECT_EQ(plat::GlobalFree(grown), grown);
  int local = 0;
  EXPECT_EQ(plat::GlobalLock(&local), nullptr);
  // Zero-byte blocks are real, distinct blocks.
  plat::HGLOBAL a = plat::GlobalAlloc(plat::GMEM_MOVEABLE, 0), b = plat::GlobalAlloc(0, 0);
  EXPECT_NE(a, b);
  plat::GlobalFree(a);
  plat::GlobalFree(b);
}

TEST(PortableFiles, CreateWriteSeekReadWithUtf16Names) {
  const zkw::ZString name = TempName("fichier-\xC3\xA9t\xC3\xA9.bin");
  plat::HANDLE f = plat::CreateFileW(name.c_str(), plat::GENERIC_READ | plat::GENERIC_WRITE, 0,
                                     nullptr, plat::CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, plat::INVALID_HANDLE_VALUE);
  plat::DWORD done = 0;
  EXPECT_EQ(plat::WriteFile(f, "abcdef", 6, &done, nullptr), 1);
  EXPECT_EQ(done, 6u);
  EXPECT_EQ(plat::GetFileSize(f, nullptr), 6u);
  EXPECT_EQ(plat::SetFilePointer(f, -2, nullptr, plat::FILE_END), 4u);
  char buf[8] = {};
  EXPECT_EQ(plat::ReadFile(f, buf, 8, &done, nullptr), 1);
  EXPECT_EQ(done, 2u);
  EXPECT_STREQ(buf, "ef");
  EXPECT_EQ(plat::CloseHandle(f), 1);
  EXPECT_EQ(ReadFileBytes(TempPath("fichier-\xC3\xA9t\xC3\xA9.bin")).size(), 6u);
  EXPECT_EQ(plat::GetFileAttributesW(name.c_str()), plat::FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(plat::DeleteFileW(name.c_str()), 1);
  EXPECT_EQ(plat::GetFileAttributesW(name.c_str()), plat::INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(plat::CreateFileW(name.c_str(), plat::GENERIC_READ, 0, nullptr, plat::OPEN_EXISTING,
                              0, nullptr),
            plat::INVALID_HANDLE_VALUE);
  EXPECT_EQ(plat::CreateFileW(Z(ZKW_TEST_TMP).c_str(), plat::GENERIC_READ, 0, nullptr,
                              plat::OPEN_EXISTING, 0, nullptr),
            plat::INVALID_HANDLE_VALUE);  // a directory is not a file
}

TEST(PortableFiles, SetEndOfFileAndMoveWithOrWithoutReplace) {
  const zkw::ZString a = TempName("move-a.bin"), b = TempName("move-b.bin");
  WriteFileBytes(TempPath("move-a.bin"), {1, 2, 3, 4, 5});
  WriteFileBytes(TempPath("move-b.bin"), {9});
  plat::HANDLE f = plat::CreateFileW(a.c_str(), plat::GENERIC_READ | plat::GENERIC_WRITE, 0,
                                     nullptr, plat::OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, plat::INVALID_HANDLE_VALUE);
  EXPECT_EQ(plat::SetFilePointer(f, 2, nullptr, plat::FILE_BEGIN), 2u);
  EXPECT_EQ(plat::SetEndOfFile(f), 1);
  EXPECT_EQ(plat::CloseHandle(f), 1);
  EXPECT_EQ(ReadFileBytes(TempPath("move-a.bin")), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(plat::MoveFileExW(a.c_str(), b.c_str(), 0), 0);  // b exists: kept
  EXPECT_EQ(ReadFileBytes(TempPath("move-b.bin")), (std::vector<uint8_t>{9}));
  EXPECT_EQ(plat::MoveFileExW(a.c_str(), b.c_str(), plat::MOVEFILE_REPLACE_EXISTING), 1);
  EXPECT_EQ(ReadFileBytes(TempPath("move-b.bin")), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(plat::GetFileAttributesW(a.c_str()), plat::INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(plat::MoveFileExW(a.c_str(), b.c_str(), plat::MOVEFILE_REPLACE_EXISTING), 0);  // gone
}

TEST(PortableResources, FoundByCaseInsensitiveNameAndType) {
  plat::HMODULE self = plat::LibraryModule();
  plat::HRSRC res = plat::FindResourceW(self, Z("sysButtons").c_str(), Z("dexbitmap").c_str());
  ASSERT_NE(res, nullptr);
  plat::HGLOBAL data = plat::LoadResource(self, res);
  const auto* bytes = static_cast<const uint8_t*>(plat::LockResource(data));
  ASSERT_NE(bytes, nullptr);
  EXPECT_GT(plat::SizeofResource(self, res), 24u);
  EXPECT_EQ(bytes[0], 0x0A);
  EXPECT_EQ(bytes[1], 0xDE);
  EXPECT_EQ(plat::FindResourceW(self, Z("SYSBUTTONS").c_str(), plat::RT_BITMAP_TYPE()), nullptr);
  EXPECT_EQ(plat::FindResourceW(self, Z("SYSBUTTON").c_str(), Z("DEXBITMAP").c_str()), nullptr);
  int other = 0;
  EXPECT_EQ(plat::FindResourceW(&other, Z("SYSBUTTONS").c_str(), Z("DEXBITMAP").c_str()), nullptr);
}

TEST(ByteStreams, MemoryAndFileStreamsAgree) {
  zkw::TMemoryStream mem;
  EXPECT_EQ(mem.Write("hello", 5), 5);
  EXPECT_EQ(mem.Seek(10, zkw::SeekOrigin::soBeginning), 10);
  EXPECT_EQ(mem.Write("!", 1), 1);  // writing past the end fills the gap with zeros
  EXPECT_EQ(mem.Size(), 11);
  EXPECT_EQ(mem.Bytes()[7], 0);
  EXPECT_EQ(mem.Seek(-1, zkw::SeekOrigin::soBeginning), -1);
  mem.Seek(3, zkw::SeekOrigin::soBeginning);
  char two[2];
  EXPECT_TRUE(mem.ReadExact(two, 2));
  EXPECT_EQ(mem.Remaining(), 6);

  const zkw::ZString name = TempName("stream.bin");
  {
    zkw::TFileStream out(name.c_str(), zkw::FileMode::fmCreate);
    ASSERT_TRUE(out.IsOpen());
    EXPECT_TRUE(out.WriteExact(mem.Bytes().data(), 11));
  }
  zkw::TFileStream in(name.c_str(), zkw::FileMode::fmOpenRead);
  ASSERT_TRUE(in.IsOpen());
  EXPECT_EQ(in.Size(), 11);
  EXPECT_EQ(in.Seek(-1, zkw::SeekOrigin::soEnd), 10);
  char last = 0;
  EXPECT_EQ(in.Read(&last, 5), 1);
  EXPECT_EQ(last, '!');
  EXPECT_EQ(in.Write("x", 1), 0);  // opened for reading only
  zkw::TFileStream missing(TempName("no/such/file").c_str(), zkw::FileMode::fmOpenRead);
  EXPECT_FALSE(missing.IsOpen());
}

TEST(ByteStreams, ReadAheadGivesTheSourcesBytesForAnyMixOfReadsAndSeeks) {
  std::vector<uint8_t> bytes(5000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
  zkw::TBufferStream source(bytes.data(), bytes.size());
  source.Seek(100, zkw::SeekOrigin::soBeginning);
  zkw::TReadAheadStream in(&source, 64);  // a small buffer, so reads cross its edges
  EXPECT_EQ(in.Position(), 100);
  EXPECT_EQ(in.Size(), 5000);
  std::vector<uint8_t> got(300);
  size_t at = 100;
  // Small reads across buffer edges, a read larger than the buffer, seeks back and forward.
  for (int32_t count : {1, 3, 60, 7, 200, 64, 2}) {
    ASSERT_EQ(in.Read(got.data(), count), count) << count;
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + count, bytes.begin() + static_cast<std::ptrdiff_t>(at)));
    at += static_cast<size_t>(count);
  }
  EXPECT_EQ(in.Position(), static_cast<int64_t>(at));
  EXPECT_EQ(in.Seek(-50, zkw::SeekOrigin::soCurrent), static_cast<int64_t>(at - 50));
  ASSERT_EQ(in.Read(got.data(), 10), 10);
  EXPECT_TRUE(std::equal(got.begin(), got.begin() + 10, bytes.begin() + static_cast<std::ptrdiff_t>(at - 50)));
  EXPECT_EQ(in.Seek(4000, zkw::SeekOrigin::soBeginning), 4000);
  ASSERT_EQ(in.Read(got.data(), 5), 5);
  EXPECT_EQ(got[0], bytes[4000]);
  // The end: a read stops there, a seek past it reads nothing, before the start fails.
  EXPECT_EQ(in.Seek(-3, zkw::SeekOrigin::soEnd), 4997);
  EXPECT_EQ(in.Read(got.data(), 10), 3);
  EXPECT_EQ(got[2], bytes[4999]);
  EXPECT_EQ(in.Seek(10, zkw::SeekOrigin::soEnd), 5010);
  EXPECT_EQ(in.Read(got.data(), 1), 0);
  EXPECT_EQ(in.Seek(-1, zkw::SeekOrigin::soBeginning), -1);
  EXPECT_EQ(in.Write("x", 1), 0);
}

}  // namespace
