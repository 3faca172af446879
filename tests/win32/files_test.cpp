// DEX records, BMP files and the DLL's own DEXBITMAP resources through the real DLL, with
// files written and read by the Win32 file API and blocks in real movable memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "zkw_dll.h"

using zkwtest::ReadFileBytes;
using zkwtest::ScratchDir;

namespace {

struct Dib {
  explicit Dib(ZHANDLE handle) : h(handle) {}
  ~Dib() { ZKW(FreeDibObject)(h); }
  ZHANDLE h;
};

template <class T>
T LE(const std::vector<uint8_t>& b, size_t at) {
  T v{};
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

// A 48 x 10 8-bit image with a pattern and an alpha companion of the same size.
ZHANDLE PatternImage(bool withAlpha) {
  ZHANDLE d = ZKW(CreateDibObject)(8);
  ZKW(dibSetAttributes)(d, 48, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 48; ++x) ZKW(dibPutPixel)(d, x, y, (x * 7 + y * 13) & 0xFF);
  if (withAlpha) {
    ZKW(dibCreateAlphaChannel)(d);
    ZHANDLE alpha = ZKW(dibGetAlphaDib)(d);
    for (int x = 0; x < 48; ++x) ZKW(dibPutPixel)(alpha, x, 3, x * 5);
  }
  return d;
}

// Same size, depth and pixels (and alpha pixels when both have a companion).
void ExpectSameImage(ZHANDLE a, ZHANDLE b) {
  ASSERT_EQ(ZKW(dibGetBits)(a), ZKW(dibGetBits)(b));
  ASSERT_EQ(ZKW(dibGetWidth)(a), ZKW(dibGetWidth)(b));
  ASSERT_EQ(ZKW(dibGetHeight)(a), ZKW(dibGetHeight)(b));
  EXPECT_EQ(std::memcmp(ZKW(dibGetDibPal)(a), ZKW(dibGetDibPal)(b), 1024), 0);
  EXPECT_EQ(std::memcmp(ZKW(dibGetDibData)(a), ZKW(dibGetDibData)(b), ZKW(dibGetDibSize)(a)), 0);
  ZHANDLE aa = ZKW(dibGetAlphaDib)(a), ab = ZKW(dibGetAlphaDib)(b);
  ASSERT_EQ(aa == nullptr, ab == nullptr);
  if (aa) {
    EXPECT_EQ(std::memcmp(ZKW(dibGetDibData)(aa), ZKW(dibGetDibData)(ab), ZKW(dibGetDibSize)(aa)), 0);
  }
}

}  // namespace

TEST(Win32Dex, SaveAndLoadThroughFileBufferAndStream) {
  ScratchDir dir;
  Dib plain(PatternImage(false)), withAlpha(PatternImage(true));
  ZBLOCK image = ZKW(dibGetHandle)(withAlpha.h);
  ZBLOCK alpha = ZKW(dibGetAlphaHandle)(withAlpha.h);
  EXPECT_EQ(ZKW(GetDEXSize)(ZKW(dibGetHandle)(plain.h), nullptr), 24 + 1544);
  EXPECT_EQ(ZKW(GetDEXSize)(image, alpha), 3112);

  // File: the header as written, then the image back by both readers.
  std::wstring name = dir.Path(L"pattern.dex");
  ASSERT_EQ(ZKW(SaveDibExFile)(name.c_str(), image, alpha), 1);
  std::vector<uint8_t> file = ReadFileBytes(name);
  ASSERT_GE(file.size(), 24u);
  EXPECT_EQ(LE<uint32_t>(file, 0), 0x0000DE0Au);
  EXPECT_EQ(LE<uint32_t>(file, 4), 0x00020000u);
  EXPECT_EQ(LE<uint32_t>(file, 8), file.size());
  EXPECT_EQ(LE<uint16_t>(file, 12), 8);
  EXPECT_EQ(24u + LE<uint32_t>(file, 14) + LE<int32_t>(file, 18), file.size());
  EXPECT_EQ(LE<uint16_t>(file, 22), 24);
  {
    Dib loaded(ZKW(DibObjectFromDex)(name.c_str()));
    ASSERT_NE(loaded.h, nullptr);
    ExpectSameImage(withAlpha.h, loaded.h);
  }
  ZBLOCK li = nullptr, la = nullptr;
  EXPECT_EQ(ZKW(LoadDibExFile)(name.c_str(), &li, &la), 8u);
  ASSERT_NE(li, nullptr);
  ASSERT_NE(la, nullptr);
  EXPECT_EQ(::GlobalSize(static_cast<HGLOBAL>(li)), 1544u);  // exactly the raw part
  ::GlobalFree(static_cast<HGLOBAL>(li));
  ::GlobalFree(static_cast<HGLOBAL>(la));
  EXPECT_EQ(ZKW(dibSaveToDexFile)(plain.h, dir.Path(L"plain.dex").c_str()), 1);
  {
    Dib loaded(ZKW(DibObjectFromDex)(dir.Path(L"plain.dex").c_str()));
    ASSERT_NE(loaded.h, nullptr);
    ExpectSameImage(plain.h, loaded.h);
  }

  // Buffer: two records back to back, sized by GetDEXSize; the reader stops after each.
  std::vector<uint8_t> buffer(ZKW(GetDEXSize)(image, alpha) +
                              ZKW(GetDEXSize)(ZKW(dibGetHandle)(plain.h), nullptr));
  int32_t first = ZKW(SaveDibExToBuffer)(buffer.data(), image, alpha);
  ASSERT_GT(first, 24);
  EXPECT_EQ(std::memcmp(buffer.data(), file.data(), file.size()), 0);  // same bytes as the file
  int32_t second = ZKW(SaveDibExToBuffer)(buffer.data() + first, ZKW(dibGetHandle)(plain.h), nullptr);
  ASSERT_GT(second, 24);
  const uint8_t* pos = buffer.data();
  EXPECT_EQ(ZKW(LoadDibExFromBuffer)(&pos, &li, &la), 8u);
  EXPECT_EQ(pos, buffer.data() + first);
  ::GlobalFree(static_cast<HGLOBAL>(li));
  ::GlobalFree(static_cast<HGLOBAL>(la));
  EXPECT_EQ(ZKW(LoadDibExFromBuffer)(&pos, &li, &la), 8u);
  EXPECT_EQ(pos, buffer.data() + first + second);
  EXPECT_EQ(la, nullptr);
  ::GlobalFree(static_cast<HGLOBAL>(li));
  {
    Dib loaded(ZKW(DibObjectFromBuffer)(buffer.data() + first));
    ASSERT_NE(loaded.h, nullptr);
    ExpectSameImage(plain.h, loaded.h);
  }

  // Stream: written and read back through the library's memory stream.
  ZHANDLE stream = ZKW(zkwCreateMemoryStream)(nullptr, 0);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(ZKW(SaveDibExToStream)(stream, image, alpha), first);
  EXPECT_EQ(ZKW(zkwStreamSize)(stream), first);
  EXPECT_EQ(ZKW(zkwStreamSeek)(stream, 0, 0), 0);
  EXPECT_EQ(ZKW(LoadDibExFromStream)(stream, &li, &la), 8u);
  {
    Dib loaded(ZKW(CreateDibObject)(8));
    ZKW(dibSetHandle)(loaded.h, li);
    ZKW(dibSetAlphaHandle)(loaded.h, la);
    ExpectSameImage(withAlpha.h, loaded.h);
  }
  ZKW(zkwFreeStream)(stream);
}

TEST(Win32Dex, RefusedRecordsSayWhy) {
  ScratchDir dir;
  std::vector<uint8_t> junk(64, 0x5A);
  const uint8_t* pos = junk.data();
  ZBLOCK li = reinterpret_cast<ZBLOCK>(1), la = reinterpret_cast<ZBLOCK>(1);
  ZKW(zkwClearLastError)();
  EXPECT_EQ(ZKW(LoadDibExFromBuffer)(&pos, &li, &la), 0u);
  EXPECT_EQ(li, nullptr);
  EXPECT_EQ(la, nullptr);
  EXPECT_EQ(ZKW(DibObjectFromBuffer)(junk.data()), nullptr);
  EXPECT_NE(zkwtest::LastErrorText().find(L"not a DEX record"), std::wstring::npos)
      << zkwtest::LastErrorText();
  // A successful call keeps the text; zkwClearLastError empties it.
  Dib d(PatternImage(false));
  EXPECT_NE(zkwtest::LastErrorText(), L"");
  ZKW(zkwClearLastError)();
  EXPECT_EQ(zkwtest::LastErrorText(), L"");
  // A missing file.
  EXPECT_EQ(ZKW(DibObjectFromDex)(dir.Path(L"missing.dex").c_str()), nullptr);
  EXPECT_NE(zkwtest::LastErrorText().find(L"missing.dex"), std::wstring::npos)
      << zkwtest::LastErrorText();
}

TEST(Win32Bmp, SaveLoadValidateAndStrip) {
  ScratchDir dir;
  Dib d(ZKW(CreateDibObject)(8));
  ZKW(dibSetAttributes)(d.h, 3, 2);
  ZKW(dibPutPixel)(d.h, 0, 0, 0x12);
  ZKW(dibPutPixel)(d.h, 2, 1, 0x34);
  std::wstring name = dir.Path(L"small.bmp");
  ASSERT_EQ(ZKW(SaveDibToBitmap)(name.c_str(), ZKW(dibGetHandle)(d.h)), 1);
  std::vector<uint8_t> bmp = ReadFileBytes(name);
  // 14 + 40 + 1024 + 2 rows of 4 bytes; the block's spare rows are not written.
  ASSERT_EQ(bmp.size(), 1086u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(LE<uint32_t>(bmp, 2), 1086u);
  EXPECT_EQ(LE<uint32_t>(bmp, 6), 0u);
  EXPECT_EQ(LE<uint32_t>(bmp, 10), 1078u);
  EXPECT_EQ(std::memcmp(bmp.data() + 14, ZKW(dibGetDibPtr)(d.h), 1072), 0);
  EXPECT_EQ(ZKW(BitmapFileValid)(name.c_str()), 1);

  // Back through LoadDIBFile and the DIB object readers.
  auto block = static_cast<HGLOBAL>(ZKW(LoadDIBFile)(name.c_str()));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(::GlobalSize(block), 1072u);
  BITMAPINFOHEADER header = {};
  ZKW(GetDIBObj)(block, &header);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 3);
  EXPECT_EQ(header.biHeight, 2);
  EXPECT_EQ(header.biBitCount, 8);
  ::GlobalFree(block);
  {
    Dib loaded(ZKW(CreateDibFromFile)(name.c_str()));
    ASSERT_NE(loaded.h, nullptr);
    EXPECT_EQ(ZKW(dibGetPixel)(loaded.h, 0, 0), 0x12u);
    EXPECT_EQ(ZKW(dibGetPixel)(loaded.h, 2, 1), 0x34u);
    Dib other(ZKW(CreateDibObject)(8));
    EXPECT_EQ(ZKW(dibLoadFromFile)(other.h, name.c_str()), 1);
    EXPECT_EQ(ZKW(dibGetPixel)(other.h, 2, 1), 0x34u);
    EXPECT_EQ(ZKW(dibSaveToFile)(other.h, dir.Path(L"again.bmp").c_str()), 1);
    EXPECT_EQ(ReadFileBytes(dir.Path(L"again.bmp")), bmp);
  }

  // CreateDIBFile: the same file without its 14-byte header.
  ZKW(CreateDIBFile)(name.c_str(), dir.Path(L"small.dib").c_str());
  std::vector<uint8_t> dib = ReadFileBytes(dir.Path(L"small.dib"));
  EXPECT_EQ(dib, std::vector<uint8_t>(bmp.begin() + 14, bmp.end()));

  // A declared size one byte larger than the file: refused, with the reason.
  std::vector<uint8_t> bad = bmp;
  bad[2] += 1;
  zkwtest::WriteFileBytes(dir.Path(L"bad.bmp"), bad);
  EXPECT_EQ(ZKW(BitmapFileValid)(dir.Path(L"bad.bmp").c_str()), 0);
  ZKW(zkwClearLastError)();
  EXPECT_EQ(ZKW(LoadDIBFile)(dir.Path(L"bad.bmp").c_str()), nullptr);
  EXPECT_NE(zkwtest::LastErrorText().find(L"1087"), std::wstring::npos) << zkwtest::LastErrorText();
  EXPECT_EQ(ZKW(BitmapFileValid)(dir.Path(L"missing.bmp").c_str()), 0);
}

TEST(Win32Resources, DexBitmapsOfTheDll) {
  // The module handle a host got from LoadLibraryW finds the DLL's own resources.
  struct Expected {
    const wchar_t* name;
    const char* label;
    int32_t width, height;
  };
  for (const Expected& e : {Expected{L"SYSBUTTONS", "SYSBUTTONS", 80, 64},
                            Expected{L"KWGDIRADBUT", "KWGDIRADBUT", 39, 13}}) {
    SCOPED_TRACE(e.label);
    Dib d(ZKW(LoadDexFromResource)(zkwtest::Dll(), e.name));
    ASSERT_NE(d.h, nullptr);
    EXPECT_EQ(ZKW(dibGetBits)(d.h), 1);
    EXPECT_EQ(ZKW(dibGetWidth)(d.h), e.width);
    EXPECT_EQ(ZKW(dibGetHeight)(d.h), e.height);
    ZHANDLE alpha = ZKW(dibGetAlphaDib)(d.h);
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(ZKW(dibGetWidth)(alpha), e.width);
    EXPECT_EQ(ZKW(dibGetHeight)(alpha), e.height);
    // Corners are outside the buttons: fully transparent.
    EXPECT_EQ(ZKW(dibGetPixel)(alpha, 0, 0), 0u);
    // Somewhere the image is opaque.
    uint32_t maxAlpha = 0;
    for (int y = 0; y < e.height; ++y)
      for (int x = 0; x < e.width; ++x) maxAlpha = std::max(maxAlpha, ZKW(dibGetPixel)(alpha, x, y));
    EXPECT_EQ(maxAlpha, 255u);
  }
  // Names are found case-insensitively, as resource names are; unknown ones are refused.
  Dib lower(ZKW(LoadDexFromResource)(zkwtest::Dll(), L"sysbuttons"));
  EXPECT_NE(lower.h, nullptr);
  ZKW(zkwClearLastError)();
  EXPECT_EQ(ZKW(LoadDexFromResource)(zkwtest::Dll(), L"NOSUCHIMAGE"), nullptr);
  EXPECT_NE(zkwtest::LastErrorText().find(L"NOSUCHIMAGE"), std::wstring::npos)
      << zkwtest::LastErrorText();
  // Another module has no such resources.
  EXPECT_EQ(ZKW(LoadDexFromResource)(::GetModuleHandleW(L"kernel32.dll"), L"SYSBUTTONS"), nullptr);
}
