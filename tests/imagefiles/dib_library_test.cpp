// DIB library files: every layout read, refusals of damaged files, BMP streams of entries, and
// the exact bytes the writers leave.
#include <gtest/gtest.h>

#include <cstring>

#include "base/last_error.h"
#include "dib/dib_factory.h"
#include "exports/zkwgdi32.h"
#include "imagefiles/bmp_file.h"
#include "imagefiles/dex.h"
#include "imagefiles/dib_library.h"
#include "imagefiles/row_bitmap.h"
#include "support/dib_library_builder.h"
#include "support/test_support.h"

using namespace zkwtest;

namespace {

std::vector<uint8_t> Dex(const std::vector<uint8_t>& image, const std::vector<uint8_t>* alpha,
                         bool compress) {
  plat::HGLOBAL i = BlockFrom(image), a = alpha ? BlockFrom(*alpha) : nullptr;
  std::vector<uint8_t> record;
  EXPECT_TRUE(zkw::BuildDexRecord(i, a, compress, record));
  plat::GlobalFree(i);
  if (a) plat::GlobalFree(a);
  return record;
}

struct Fixture {
  std::vector<uint8_t> dib8 = PatternDib(5, 3, 8, 1);
  std::vector<uint8_t> dib24 = PatternDib(4, 2, 24, 2);
  std::vector<uint8_t> alpha = PatternDib(4, 2, 8, 3);
};

// Three entries per layout: raw layouts hold an 8-bit and two 24-bit blocks, DEX layouts a
// compressed 8-bit record, a compressed 24-bit record with alpha and a raw 24-bit record.
std::vector<LibEntrySpec> EntriesFor(LibLayout layout, const Fixture& f) {
  bool raw = layout == LibLayout::V0 || layout == LibLayout::V1 || layout == LibLayout::Array;
  if (raw) return {{f.dib8, 0}, {f.dib24, 0}, {f.dib24, 0}};
  return {{Dex(f.dib8, nullptr, true), 0},
          {Dex(f.dib24, &f.alpha, true), 1},
          {Dex(f.dib24, nullptr, false), 0}};
}

std::string Save(const std::string& file, const std::vector<uint8_t>& bytes) {
  WriteFileBytes(TempPath(file), bytes);
  return file;
}

const char* LayoutName(LibLayout l) {
  static const char* names[] = {"v0", "v1", "v2", "v3", "v5", "array"};
  return names[static_cast<int>(l)];
}

}  // namespace

TEST(DibLibrary, EveryLayoutReadsItsEntries) {
  Fixture f;
  struct Case {
    LibLayout layout;
    uint32_t results[3];  // GetDibFromLib per entry
  };
  const Case cases[] = {
      {LibLayout::V0, {8, 8, 8}},   {LibLayout::V1, {8, 8, 8}},    {LibLayout::V2, {8, 24, 24}},
      {LibLayout::V3, {8, 24, 24}}, {LibLayout::V5, {8, 24, 24}}, {LibLayout::Array, {8, 24, 24}},
  };
  const uint32_t objectBits[3] = {1, 3, 3};  // dibGetBits: bytes per pixel of the object
  for (const Case& c : cases) {
    SCOPED_TRACE(LayoutName(c.layout));
    const zkw::ZString name = TempName(Save(std::string("lib-") + LayoutName(c.layout) + ".dlb",
                                            BuildDibLibrary(c.layout, EntriesFor(c.layout, f))));
    EXPECT_EQ(ValidDibLib(name.c_str()), 1);
    EXPECT_EQ(LibDibCount(name.c_str()), 3);
    for (int index = 0; index <= 4; ++index) {
      void *image = reinterpret_cast<void*>(1), *alpha = reinterpret_cast<void*>(1);
      uint32_t bits = GetDibFromLib(name.c_str(), index, &image, &alpha);
      if (index < 1 || index > 3) {
        EXPECT_EQ(bits, 0u) << index;
        EXPECT_EQ(image, nullptr);
        EXPECT_EQ(alpha, nullptr);
        EXPECT_EQ(DibObjectFromLib(name.c_str(), index), nullptr);
        continue;
      }
      EXPECT_EQ(bits, c.results[index - 1]) << index;
      EXPECT_EQ(BlockBytes(image), index == 1 ? f.dib8 : f.dib24) << index;
      bool hasAlpha = index == 2 && c.layout != LibLayout::V0 && c.layout != LibLayout::V1 &&
                      c.layout != LibLayout::Array;
      EXPECT_EQ(alpha != nullptr, hasAlpha) << index;
      if (alpha) EXPECT_EQ(BlockBytes(alpha), f.alpha);
      plat::GlobalFree(image);
      if (alpha) plat::GlobalFree(alpha);

      void* block = GetDibBitmap(name.c_str(), index);
      EXPECT_EQ(BlockBytes(block), index == 1 ? f.dib8 : f.dib24);
      plat::GlobalFree(block);

      // A 24-bit block of a version-0 or -1 library still becomes a 24-bit object.
      void* dib = DibObjectFromLib(name.c_str(), index);
      ASSERT_NE(dib, nullptr);
      EXPECT_EQ(dibGetBits(dib), static_cast<int32_t>(objectBits[index - 1])) << index;
      EXPECT_EQ(dibGetWidth(dib), index == 1 ? 5 : 4);
      EXPECT_EQ(dibGetAlphaDib(dib) != nullptr, hasAlpha);
      FreeDibObject(dib);
    }
  }
}

TEST(DibLibrary, DamagedLibrariesAreRefusedWithAReason) {
  Fixture f;
  const std::vector<uint8_t> good = BuildDibLibrary(LibLayout::V5, EntriesFor(LibLayout::V5, f));
  const std::vector<uint8_t> goodV0 = BuildDibLibrary(LibLayout::V0, EntriesFor(LibLayout::V0, f));
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int32_t valid, count;
    bool entry1, bitmap1;  // GetDibFromLib / GetDibBitmap of entry 1 succeed
  };
  auto edit = [](std::vector<uint8_t> b, auto change) {
    change(b);
    return b;
  };
  const uint32_t slot1 = 12;
  const Case cases[] = {
      {"total size one byte short", edit(good, [](auto& b) { PutLE<uint32_t>(b, 6, b.size() - 1); }),
       0, 3, false, false},
      {"one byte appended", edit(good, [](auto& b) { b.push_back(0); }), 0, 3, false, false},
      {"header-size field wrong",
       edit(good, [](auto& b) { PutLE<uint16_t>(b, 4, 9000); }), 0, 3, true, false},
      {"unknown signature", edit(good, [](auto& b) { b[0] = 0xB4; }), 0, 0, false, false},
      {"header cut short", std::vector<uint8_t>(good.begin(), good.begin() + 5000), 0, 3, false,
       false},
      {"offset inside the header",
       edit(good, [&](auto& b) { PutLE<uint32_t>(b, slot1, 100); }), 1, 3, false, false},
      {"data past the total size",
       edit(good, [&](auto& b) { PutLE<uint32_t>(b, slot1 + 4, b.size()); }), 1, 3, false, false},
      {"DEX part runs past its entry",
       edit(good, [&](auto& b) { PutLE<uint32_t>(b, slot1 + 4, 30); }), 1, 3, false, false},
      {"v0 count above its 50 slots",
       edit(goodV0, [](auto& b) { PutLE<uint16_t>(b, 4, 60); }), 1, 60, true, true},
      {"v0 raw entry shorter than a bitmap header",
       edit(goodV0, [](auto& b) { PutLE<uint32_t>(b, 14, 39); }), 1, 3, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const zkw::ZString name = TempName(Save("damaged.dlb", c.bytes));
    zkw::ClearLastErrorText();
    EXPECT_EQ(ValidDibLib(name.c_str()), c.valid);
    EXPECT_EQ(LibDibCount(name.c_str()), c.count);
    void *image = nullptr, *alpha = nullptr;
    uint32_t bits = GetDibFromLib(name.c_str(), 1, &image, &alpha);
    EXPECT_EQ(bits != 0, c.entry1);
    EXPECT_EQ(image != nullptr, c.entry1);
    if (!c.entry1) EXPECT_FALSE(zkw::LastErrorText().empty());
    if (image) plat::GlobalFree(image);
    if (alpha) plat::GlobalFree(alpha);
    void* block = GetDibBitmap(name.c_str(), 1);
    EXPECT_EQ(block != nullptr, c.bitmap1);
    if (block) plat::GlobalFree(block);
  }
  // Entry 51 of the v0 library claiming 60 entries lies beyond the table.
  const zkw::ZString over =
      TempName(Save("over.dlb", edit(goodV0, [](auto& b) { PutLE<uint16_t>(b, 4, 60); })));
  EXPECT_EQ(GetDibBitmap(over.c_str(), 51), nullptr);
}

TEST(DibLibrary, EntriesAsBmpStreamsAndBitmaps) {
  Fixture f;
  const std::vector<uint8_t> v5 = BuildDibLibrary(LibLayout::V5, EntriesFor(LibLayout::V5, f));
  const std::vector<uint8_t> v1 = BuildDibLibrary(LibLayout::V1, EntriesFor(LibLayout::V1, f));
  // The BMP file SaveDibToBitmap writes for a block.
  auto bmpOf = [](const std::vector<uint8_t>& dib) {
    zkw::TMemoryStream s;
    plat::HGLOBAL b = BlockFrom(dib);
    zkw::SaveDibToBitmapStream(s, b);
    plat::GlobalFree(b);
    return s.Bytes();
  };
  struct Case {
    const std::vector<uint8_t>* lib;
    int32_t index;
    std::vector<uint8_t> expected;
  };
  const Case cases[] = {
      {&v5, 1, bmpOf(f.dib8)},  // compressed: decoded and written whole
      {&v5, 2, bmpOf(f.dib24)},
      {&v5, 3, bmpOf(f.dib24)},  // raw parts: copied, file size = 14 + image part
      {&v1, 1, bmpOf(f.dib8)},
      {&v1, 2, bmpOf(f.dib24)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    zkw::TBufferStream lib(c.lib->data(), c.lib->size());
    zkw::TMemoryStream out;
    ASSERT_TRUE(zkw::GetDibToStream(out, lib, c.index));
    EXPECT_EQ(out.Bytes(), c.expected);
    EXPECT_TRUE(zkw::BmpFileHeaderValid(out.Bytes().data(), out.Bytes().size()));
    zkw::TRowBitmap bitmap;
    zkw::TBufferStream again(c.lib->data(), c.lib->size());
    ASSERT_TRUE(zkw::GetDibToBitmap(bitmap, again, c.index));
    EXPECT_EQ(bitmap.Width(), c.index == 1 ? 5 : 4);
    EXPECT_EQ(bitmap.BitCount(), c.index == 1 ? 8 : 24);
    // Bottom row of the block is the last picture row.
    size_t rows = c.index == 1 ? 40 + 1024 : 40;
    EXPECT_EQ(bitmap.ScanLine(bitmap.Height() - 1)[0], (c.index == 1 ? f.dib8 : f.dib24)[rows]);
  }
  zkw::TBufferStream lib(v5.data(), v5.size());
  zkw::TMemoryStream out;
  EXPECT_FALSE(zkw::GetDibToStream(out, lib, 4));
  zkw::TRowBitmap bitmap;
  EXPECT_FALSE(zkw::GetDibToBitmap(bitmap, lib, 0));
  // Through the exports, with host handles.
  const zkw::ZString name = TempName(Save("stream.dlb", v5));
  void* stream = zkwCreateMemoryStream(nullptr, 0);
  EXPECT_EQ(GetDibToStream(stream, name.c_str(), 3), 1);
  EXPECT_EQ(zkwStreamSize(stream), static_cast<int32_t>(cases[2].expected.size()));
  zkwFreeStream(stream);
  void* rows = zkwCreateRowBitmap(1, 1, 24);
  EXPECT_EQ(GetDibToBitmap(rows, name.c_str(), 1), 1);
  int32_t w = 0, bits = 0;
  zkwRowBitmapInfo(rows, &w, nullptr, &bits);
  EXPECT_EQ(w, 5);
  EXPECT_EQ(bits, 8);
  EXPECT_EQ(GetDibToBitmap(rows, name.c_str(), 9), 0);
  zkwFreeRowBitmap(rows);
}

TEST(DibLibrary, AppendingWritesExactBytesAndRefusalsLeaveTheFile) {
  Fixture f;
  const zkw::ZString lib = TempName("append.dlb");
  ASSERT_TRUE(zkw::CreateDibLibrary(lib.c_str()));
  std::vector<uint8_t> empty = ReadFileBytes(TempPath("append.dlb"));
  ASSERT_EQ(empty.size(), 9012u);
  EXPECT_EQ(GetLE<uint32_t>(empty, 0), 0xADB5u);
  EXPECT_EQ(GetLE<uint16_t>(empty, 4), 9012);
  EXPECT_EQ(GetLE<uint32_t>(empty, 6), 9012u);
  EXPECT_EQ(GetLE<uint16_t>(empty, 10), 0);
  EXPECT_EQ(std::vector<uint8_t>(empty.begin() + 12, empty.end()), std::vector<uint8_t>(9000, 0));

  const std::vector<uint8_t> rawDex = Dex(f.dib24, &f.alpha, false);
  const zkw::ZString dex = TempName(Save("append-raw.dex", rawDex));
  const zkw::ZString packedDex = TempName(Save("append-packed.dex", Dex(f.dib8, nullptr, true)));
  const zkw::ZString bmp = TempName("append.bmp");
  plat::HGLOBAL block = BlockFrom(f.dib8);
  ASSERT_TRUE(zkw::SaveDibToBitmap(bmp.c_str(), block));
  plat::GlobalFree(block);
  const std::vector<uint8_t> bmpBytes = ReadFileBytes(TempPath("append.bmp"));

  EXPECT_EQ(AddDEXFile(dex.c_str(), lib.c_str()), 0xFFFFFFFFu);
  EXPECT_EQ(AddDEXFile(packedDex.c_str(), lib.c_str()), 0u);  // compressed parts
  EXPECT_EQ(AddDibFile(bmp.c_str(), lib.c_str()), 0xFFFFFFFFu);
  std::vector<uint8_t> after = ReadFileBytes(TempPath("append.dlb"));
  std::vector<uint8_t> dibDex = Dex(f.dib8, nullptr, false);
  ASSERT_EQ(after.size(), 9012 + rawDex.size() + dibDex.size());
  EXPECT_EQ(GetLE<uint32_t>(after, 6), after.size());
  EXPECT_EQ(GetLE<uint16_t>(after, 10), 2);
  EXPECT_EQ(GetLE<uint32_t>(after, 12), 9012u);  // entry 1: offset, size, kind
  EXPECT_EQ(GetLE<uint32_t>(after, 16), rawDex.size());
  EXPECT_EQ(after[20], 1);
  EXPECT_EQ(GetLE<uint32_t>(after, 21), 9012 + rawDex.size());
  EXPECT_EQ(GetLE<uint32_t>(after, 25), dibDex.size());
  EXPECT_EQ(after[29], 0);
  EXPECT_EQ(std::vector<uint8_t>(after.begin() + 30, after.begin() + 9012),
            std::vector<uint8_t>(9012 - 30, 0));
  EXPECT_EQ(std::vector<uint8_t>(after.begin() + 9012, after.begin() + 9012 + rawDex.size()), rawDex);
  EXPECT_EQ(std::vector<uint8_t>(after.end() - dibDex.size(), after.end()), dibDex);
  EXPECT_EQ(ValidDibLib(lib.c_str()), 1);

  // Refusals leave every byte as it was.
  struct Refusal {
    const char* what;
    std::vector<uint8_t> library;
    bool dex;  // AddDEXFile, else AddDibFile
  };
  std::vector<uint8_t> full = BuildDibLibrary(LibLayout::V5, {});
  PutLE<uint16_t>(full, 10, 1000);
  std::vector<uint8_t> longer = after;
  longer.push_back(7);
  const Refusal refusals[] = {
      {"a version-3 library", BuildDibLibrary(LibLayout::V3, {}), false},
      {"a version-3 library takes no DEX", BuildDibLibrary(LibLayout::V3, {}), true},
      {"the 2712-byte layout takes no DEX", BuildDibLibrary(LibLayout::Array, {}), true},
      {"total size differs from the file", longer, true},
      {"total size differs from the file (BMP)", longer, false},
      {"no free slot", full, true},
      {"a version-1 library", BuildDibLibrary(LibLayout::V1, {}), false},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.what);
    Save("refuse.dlb", r.library);
    const zkw::ZString name = TempName("refuse.dlb");
    zkw::ClearLastErrorText();
    EXPECT_EQ(r.dex ? AddDEXFile(dex.c_str(), name.c_str()) : AddDibFile(bmp.c_str(), name.c_str()),
              0u);
    EXPECT_FALSE(zkw::LastErrorText().empty());
    EXPECT_EQ(ReadFileBytes(TempPath("refuse.dlb")), r.library);
  }

  // The 2712-byte layout takes the BMP's packed DIB as it is.
  const std::vector<uint8_t> array = BuildDibLibrary(LibLayout::Array, {{f.dib24, 0}});
  const zkw::ZString arrayName = TempName(Save("append-array.dlb", array));
  EXPECT_EQ(AddDibFile(bmp.c_str(), arrayName.c_str()), 0xFFFFFFFFu);
  std::vector<uint8_t> grown = ReadFileBytes(TempPath("append-array.dlb"));
  ASSERT_EQ(grown.size(), array.size() + bmpBytes.size() - 14);
  EXPECT_EQ(GetLE<uint16_t>(grown, 10), 2);
  EXPECT_EQ(GetLE<uint32_t>(grown, 21), array.size());
  EXPECT_EQ(GetLE<uint32_t>(grown, 25), bmpBytes.size() - 14);
  EXPECT_EQ(std::vector<uint8_t>(grown.begin() + 2712, grown.begin() + array.size()),
            std::vector<uint8_t>(array.begin() + 2712, array.end()));
  void *image = nullptr, *alpha = nullptr;
  EXPECT_EQ(GetDibFromLib(arrayName.c_str(), 2, &image, &alpha), 8u);
  EXPECT_EQ(BlockBytes(image), f.dib8);
  plat::GlobalFree(image);
}

TEST(DibLibrary, ArrayFilesFromListsOfEveryEncoding) {
  Fixture f;
  const zkw::ZString bmp8 = TempName("list8.bmp"), bmp24 = TempName("list24.bmp");
  for (auto [name, dib] : {std::pair{&bmp8, &f.dib8}, std::pair{&bmp24, &f.dib24}}) {
    plat::HGLOBAL block = BlockFrom(*dib);
    ASSERT_TRUE(zkw::SaveDibToBitmap(name->c_str(), block));
    plat::GlobalFree(block);
  }
  const std::string p8 = TempPath("list8.bmp"), p24 = TempPath("list24.bmp");
  auto utf16 = [](const std::string& text, bool bigEndian) {
    std::vector<uint8_t> out = bigEndian ? std::vector<uint8_t>{0xFE, 0xFF}
                                         : std::vector<uint8_t>{0xFF, 0xFE};
    for (char c : text) {
      out.push_back(bigEndian ? 0 : static_cast<uint8_t>(c));
      out.push_back(bigEndian ? static_cast<uint8_t>(c) : 0);
    }
    return out;
  };
  const std::string text = p8 + "\r\n\r\n" + TempPath("missing.bmp") + "\n" + p24 + "\r" + p8;
  std::vector<uint8_t> utf8{0xEF, 0xBB, 0xBF};
  utf8.insert(utf8.end(), text.begin(), text.end());
  const std::vector<std::vector<uint8_t>> lists = {
      std::vector<uint8_t>(text.begin(), text.end()), utf8, utf16(text, false), utf16(text, true)};
  for (size_t i = 0; i < lists.size(); ++i) {
    SCOPED_TRACE(i);
    const zkw::ZString list = TempName(Save("names.txt", lists[i]));
    EXPECT_EQ(zkw::ListFileNames(lists[i]).size(), 4u);
    const zkw::ZString lib = TempName("array.dlb");
    EXPECT_EQ(CreateArrayDibFile(list.c_str(), lib.c_str()), 0xFFFFFFFFu);
    std::vector<uint8_t> b = ReadFileBytes(TempPath("array.dlb"));
    ASSERT_EQ(b.size(), 2712 + 2 * f.dib8.size() + f.dib24.size());
    EXPECT_EQ(GetLE<uint32_t>(b, 0), 0xADB5u);
    EXPECT_EQ(GetLE<uint16_t>(b, 4), 2712);
    EXPECT_EQ(GetLE<uint32_t>(b, 6), b.size());
    EXPECT_EQ(GetLE<uint16_t>(b, 10), 3);
    const uint32_t offsets[] = {2712, static_cast<uint32_t>(2712 + f.dib8.size()),
                                static_cast<uint32_t>(2712 + f.dib8.size() + f.dib24.size())};
    for (int e = 0; e < 3; ++e) {
      EXPECT_EQ(GetLE<uint32_t>(b, 12 + 9 * e), offsets[e]);
      EXPECT_EQ(GetLE<uint32_t>(b, 16 + 9 * e), (e == 1 ? f.dib24 : f.dib8).size());
      EXPECT_EQ(b[20 + 9 * e], 0);
    }
    EXPECT_EQ(LibDibCount(lib.c_str()), 3);
    EXPECT_EQ(GetDibFromLib(lib.c_str(), 2, nullptr, nullptr), 24u);
  }
  // 301 images: nothing is written over the library that was there.
  std::string many;
  for (int i = 0; i < 301; ++i) many += p8 + "\n";
  const zkw::ZString list = TempName(Save("many.txt", std::vector<uint8_t>(many.begin(), many.end())));
  const std::vector<uint8_t> before = ReadFileBytes(TempPath("array.dlb"));
  zkw::ClearLastErrorText();
  EXPECT_EQ(CreateArrayDibFile(list.c_str(), TempName("array.dlb").c_str()), 0u);
  EXPECT_NE(zkw::LastErrorText().find("300"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(TempPath("array.dlb")), before);
  EXPECT_EQ(plat::GetFileAttributesW(TempName("array.dlb.part").c_str()),
            plat::INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(CreateArrayDibFile(TempName("no-list.txt").c_str(), TempName("x.dlb").c_str()), 0u);
}
