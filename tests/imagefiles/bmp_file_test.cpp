// BMP files: exact bytes written, loading, validity checks and refusals.
#include <gtest/gtest.h>

#include "exports/zkwgdi32.h"
#include "support/test_support.h"

using namespace zkwtest;

namespace {

TEST(BmpFile, SavedEightBitFileHasExactLayout) {
  ZHANDLE h = CreateDibObject(8);
  dibSetAttributes(h, 3, 2);
  dibPutPixel(h, 0, 0, 1);
  const std::string path = TempPath("save8.bmp");
  ASSERT_EQ(SaveDibToBitmap(Z(path).c_str(), dibGetHandle(h)), 1);
  std::vector<uint8_t> file = ReadFileBytes(path);
  ASSERT_EQ(file.size(), 1086u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(GetLE<uint32_t>(file, 2), 1086u);
  EXPECT_EQ(GetLE<uint32_t>(file, 6), 0u);
  EXPECT_EQ(GetLE<uint32_t>(file, 10), 1078u);
  std::vector<uint8_t> block = BlockBytes(dibGetHandle(h));
  EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), block.begin()));
  EXPECT_EQ(file[1078 + 4], 1);  // picture row 0 is the second stored row
  FreeDibObject(h);
}

TEST(BmpFile, LoadThenSaveReproducesTheFile) {
  ZHANDLE h = CreateDibObject(24);
  dibSetAttributes(h, 5, 3);
  for (int x = 0; x < 5; ++x) dibPutPixel(h, x, 1, 0x010203 * x);
  const std::string first = TempPath("first.bmp"), second = TempPath("second.bmp");
  ASSERT_EQ(dibSaveToFile(h, Z(first).c_str()), 1);
  ZBLOCK block = LoadDIBFile(Z(first).c_str());
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(SaveDibToBitmap(Z(second).c_str(), block), 1);
  EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(second));
  EXPECT_EQ(ReadFileBytes(first).size(), 14u + 40 + 16 * 3);

  uint8_t header[40] = {};
  GetDIBObj(block, header);
  EXPECT_EQ(GetLE<int32_t>(std::vector<uint8_t>(header, header + 40), 4), 5);
  plat::GlobalFree(block);

  ZHANDLE loaded = CreateDibFromFile(Z(first).c_str());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(dibGetBits(loaded), 3);
  EXPECT_EQ(dibGetPixelEx(loaded, 4, 1), 0x04080Cu);
  ZHANDLE reload = CreateDibObject(24);
  EXPECT_EQ(dibLoadFromFile(reload, Z(first).c_str()), 1);
  EXPECT_EQ(dibGetPixelEx(reload, 4, 1), dibGetPixelEx(h, 4, 1));
  for (ZHANDLE d : {h, loaded, reload}) FreeDibObject(d);
}

TEST(BmpFile, DeclaredSizeMustMatchTheFile) {
  std::vector<uint8_t> file(14, 0);
  file[0] = 'B';
  file[1] = 'M';
  std::vector<uint8_t> dib = PackedDib(2, 2, 24);
  file.insert(file.end(), dib.begin(), dib.end());
  PutLE<uint32_t>(file, 2, static_cast<uint32_t>(file.size()));
  PutLE<uint32_t>(file, 10, 54);
  const std::string path = TempPath("sized.bmp");
  WriteFileBytes(path, file);
  EXPECT_EQ(BitmapFileValid(Z(path).c_str()), 1);
  ZBLOCK ok = LoadDIBFile(Z(path).c_str());
  EXPECT_NE(ok, nullptr);
  plat::GlobalFree(ok);

  PutLE<uint32_t>(file, 2, static_cast<uint32_t>(file.size() + 1));
  WriteFileBytes(path, file);
  EXPECT_EQ(LoadDIBFile(Z(path).c_str()), nullptr);
  EXPECT_EQ(BitmapFileValid(Z(path).c_str()), 0);
  EXPECT_EQ(CreateDibFromFile(Z(path).c_str()), nullptr);

  EXPECT_EQ(LoadDIBFile(Z(TempPath("missing.bmp")).c_str()), nullptr);
  EXPECT_EQ(BitmapFileValid(Z(TempPath("missing.bmp")).c_str()), 0);

  // 53 bytes or fewer is never a valid file, even when consistent.
  std::vector<uint8_t> tiny(53, 0);
  tiny[0] = 'B';
  tiny[1] = 'M';
  PutLE<uint32_t>(tiny, 2, 53);
  WriteFileBytes(path, tiny);
  EXPECT_EQ(BitmapFileValid(Z(path).c_str()), 0);
}

TEST(BmpFile, DepthsThatCannotBeConvertedGiveAnEmptyImage) {
  std::vector<uint8_t> file(14, 0);
  file[0] = 'B';
  file[1] = 'M';
  std::vector<uint8_t> dib = PackedDib(8, 2, 2);
  file.insert(file.end(), dib.begin(), dib.end());
  PutLE<uint32_t>(file, 2, static_cast<uint32_t>(file.size()));
  const std::string path = TempPath("two.bmp");
  WriteFileBytes(path, file);
  ZHANDLE h = CreateDibFromFile(Z(path).c_str());
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(dibGetBits(h), 3);
  EXPECT_EQ(dibGetHandle(h), nullptr);
  FreeDibObject(h);
  ZHANDLE d8 = CreateDibObject(8);
  EXPECT_EQ(dibLoadFromFile(d8, Z(path).c_str()), 0);  // refused block: not a successful load
  FreeDibObject(d8);

  // A BMP whose rows run past the file is refused before any pixel is read.
  std::vector<uint8_t> cut = file;
  PutLE<int32_t>(cut, 14 + 8, 4000);
  WriteFileBytes(path, cut);
  ZHANDLE truncated = CreateDibFromFile(Z(path).c_str());
  ASSERT_NE(truncated, nullptr);
  EXPECT_EQ(dibGetHandle(truncated), nullptr);
  FreeDibObject(truncated);
}

TEST(BmpFile, CreateDibFileStripsTheFileHeader) {
  ZHANDLE h = CreateDibObject(8);
  dibSetAttributes(h, 4, 4);
  const std::string bmp = TempPath("strip.bmp"), dibFile = TempPath("strip.dib");
  ASSERT_EQ(dibSaveToFile(h, Z(bmp).c_str()), 1);
  CreateDIBFile(Z(bmp).c_str(), Z(dibFile).c_str());
  std::vector<uint8_t> full = ReadFileBytes(bmp), stripped = ReadFileBytes(dibFile);
  EXPECT_EQ(std::vector<uint8_t>(full.begin() + 14, full.end()), stripped);
  CreateDIBFile(Z(TempPath("none.bmp")).c_str(), Z(TempPath("none.dib")).c_str());
  EXPECT_TRUE(ReadFileBytes(TempPath("none.dib")).empty());
  FreeDibObject(h);
}

TEST(BmpFile, AlphaFromFile) {
  ZHANDLE img = CreateDibObject(24);
  dibSetAttributes(img, 3, 3);
  ZHANDLE mask = CreateDibObject(8);
  dibSetAttributes(mask, 3, 3);
  dibPutPixel(mask, 1, 1, 128);
  const std::string path = TempPath("mask.bmp");
  ASSERT_EQ(dibSaveToFile(mask, Z(path).c_str()), 1);
  dibLoadAlphaFromFile(img, Z(path).c_str());
  ASSERT_NE(dibGetAlphaDib(img), nullptr);
  EXPECT_EQ(dibGetPixel(dibGetAlphaDib(img), 1, 1), 128u);
  dibSetAttributes(mask, 4, 3);  // wrong size: no companion
  ASSERT_EQ(dibSaveToFile(mask, Z(path).c_str()), 1);
  dibLoadAlphaFromFile(img, Z(path).c_str());
  EXPECT_EQ(dibGetAlphaDib(img), nullptr);
  FreeDibObject(img);
  FreeDibObject(mask);
}

}  // namespace
