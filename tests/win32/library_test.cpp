// DIB library files through the real DLL: appending DEX and BMP files with the Win32 file API,
// reading entries back as objects, blocks, BMP streams and row bitmaps, and list files.
#include <gtest/gtest.h>

#include <cstring>

#include "zkw_dll.h"

using zkwtest::ReadFileBytes;
using zkwtest::ScratchDir;
using zkwtest::WriteFileBytes;

namespace {

template <class T>
void Put(std::vector<uint8_t>& b, size_t at, T v) {
  std::memcpy(b.data() + at, &v, sizeof v);
}
template <class T>
T Get(const std::vector<uint8_t>& b, size_t at) {
  T v{};
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

// A 20 x 6 8-bit image with a pattern.
ZHANDLE Pattern() {
  ZHANDLE d = ZKW(CreateDibObject)(8);
  ZKW(dibSetAttributes)(d, 20, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 20; ++x) ZKW(dibPutPixel)(d, x, y, (x * 11 + y * 3) & 0xFF);
  return d;
}

// A DEX file with raw parts: the 24-byte header and the image's packed DIB.
std::vector<uint8_t> RawDex(ZHANDLE d) {
  const uint32_t image = 40 + 1024 + 20 * 6;  // stride 20
  std::vector<uint8_t> b(24 + image);
  Put<uint32_t>(b, 0, 0xDE0A);
  Put<uint32_t>(b, 4, 0x10000);
  Put<uint32_t>(b, 8, static_cast<uint32_t>(b.size()));
  Put<uint16_t>(b, 12, 8);
  Put<uint32_t>(b, 14, image);
  Put<int32_t>(b, 18, 0);
  Put<uint16_t>(b, 22, 24);
  std::memcpy(b.data() + 24, ZKW(dibGetDibPtr)(d), image);
  return b;
}

}  // namespace

TEST(Win32Library, AppendAndReadThroughTheDll) {
  ScratchDir dir;
  const std::wstring lib = dir.Path(L"images.dlb"), dex = dir.Path(L"one.dex"),
                     bmp = dir.Path(L"one.bmp"), list = dir.Path(L"names.txt"),
                     array = dir.Path(L"array.dlb");
  ZHANDLE d = Pattern();
  std::vector<uint8_t> empty(9012, 0);
  Put<uint32_t>(empty, 0, 0xADB5);
  Put<uint16_t>(empty, 4, 9012);
  Put<uint32_t>(empty, 6, 9012);
  WriteFileBytes(lib, empty);
  const std::vector<uint8_t> record = RawDex(d);
  WriteFileBytes(dex, record);
  ASSERT_EQ(ZKW(dibSaveToFile)(d, bmp.c_str()), 1);

  EXPECT_EQ(ZKW(AddDEXFile)(dex.c_str(), lib.c_str()), 0xFFFFFFFFu);
  EXPECT_EQ(ZKW(AddDibFile)(bmp.c_str(), lib.c_str()), 0xFFFFFFFFu);
  EXPECT_EQ(ZKW(AddDibFile)(bmp.c_str(), dex.c_str()), 0u);  // not a library
  std::vector<uint8_t> b = ReadFileBytes(lib);
  EXPECT_EQ(Get<uint32_t>(b, 6), b.size());
  EXPECT_EQ(Get<uint16_t>(b, 10), 2);
  EXPECT_EQ(Get<uint32_t>(b, 12), 9012u);
  EXPECT_EQ(Get<uint32_t>(b, 16), record.size());
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 9012, b.begin() + 9012 + record.size()), record);
  EXPECT_EQ(ZKW(ValidDibLib)(lib.c_str()), 1);
  EXPECT_EQ(ZKW(LibDibCount)(lib.c_str()), 2);

  for (int32_t index : {1, 2}) {
    ZHANDLE got = ZKW(DibObjectFromLib)(lib.c_str(), index);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(ZKW(dibGetBits)(got), 1);
    EXPECT_EQ(std::memcmp(ZKW(dibGetDibData)(got), ZKW(dibGetDibData)(d), 120), 0);
    ZKW(FreeDibObject)(got);
    void *image = nullptr, *alpha = reinterpret_cast<void*>(1);
    EXPECT_EQ(ZKW(GetDibFromLib)(lib.c_str(), index, &image, &alpha), 8u);
    EXPECT_EQ(alpha, nullptr);
    EXPECT_GE(GlobalSize(image), 40u + 1024 + 120);  // Windows may round the size up
    GlobalFree(image);
  }
  EXPECT_EQ(ZKW(GetDibBitmap)(lib.c_str(), 3), nullptr);

  ZHANDLE stream = ZKW(zkwCreateMemoryStream)(nullptr, 0);
  EXPECT_EQ(ZKW(GetDibToStream)(stream, lib.c_str(), 1), 1);
  EXPECT_EQ(ZKW(zkwStreamSize)(stream), 14 + 40 + 1024 + 120);
  std::vector<uint8_t> file(14);
  ZKW(zkwStreamSeek)(stream, 0, 0);
  ZKW(zkwStreamRead)(stream, file.data(), 14);
  EXPECT_EQ(Get<uint16_t>(file, 0), 0x4D42);
  EXPECT_EQ(Get<uint32_t>(file, 2), 14u + 40 + 1024 + 120);
  EXPECT_EQ(Get<uint32_t>(file, 10), 1078u);
  ZKW(zkwFreeStream)(stream);
  void* rows = ZKW(zkwCreateRowBitmap)(1, 1, 24);
  EXPECT_EQ(ZKW(GetDibToBitmap)(rows, lib.c_str(), 2), 1);
  int32_t w = 0, h = 0, bits = 0;
  ZKW(zkwRowBitmapInfo)(rows, &w, &h, &bits);
  EXPECT_EQ(w * 100 + h * 10 + bits / 8, 20 * 100 + 6 * 10 + 1);
  ZKW(zkwFreeRowBitmap)(rows);

  // A UTF-16 list naming the BMP twice and a missing file.
  std::wstring text = L"\xFEFF" + bmp + L"\r\n" + dir.Path(L"missing.bmp") + L"\n\n" + bmp;
  std::vector<uint8_t> bytes(text.size() * 2);
  std::memcpy(bytes.data(), text.data(), bytes.size());
  WriteFileBytes(list, bytes);
  EXPECT_EQ(ZKW(CreateArrayDibFile)(list.c_str(), array.c_str()), 0xFFFFFFFFu);
  EXPECT_EQ(ZKW(LibDibCount)(array.c_str()), 2);
  EXPECT_EQ(ZKW(ValidDibLib)(array.c_str()), 1);
  void *image = nullptr, *alpha = nullptr;
  EXPECT_EQ(ZKW(GetDibFromLib)(array.c_str(), 2, &image, &alpha), 8u);
  GlobalFree(image);
  ZKW(FreeDibObject)(d);
}
