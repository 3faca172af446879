// BMP files as other programs write them: every header, depth, compression, row order, table
// size and pixel offset read back with the pixels the generator put in; files that cannot be
// converted refused with a reason; hostile sizes refused before anything is allocated.
#include <gtest/gtest.h>

#include "base/last_error.h"
#include "exports/zkwgdi32.h"
#include "support/bmp_builder.h"
#include "support/test_support.h"

using namespace zkwtest;

namespace {

BmpSpec Spec(uint32_t header, uint16_t bits, uint32_t compression = 0) {
  BmpSpec s;
  s.headerSize = header;
  s.bits = bits;
  s.compression = compression;
  return s;
}
BmpSpec With(BmpSpec s, void (*change)(BmpSpec&)) {
  change(s);
  return s;
}
BmpSpec Masks(BmpSpec s, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  s.masks[0] = r, s.masks[1] = g, s.masks[2] = b, s.masks[3] = a;
  return s;
}

const std::vector<BmpSpec>& GoodFiles() {
  static const std::vector<BmpSpec> specs = {
      Spec(40, 1), Spec(40, 4), Spec(40, 8), Spec(40, 16), Spec(40, 24), Spec(40, 32),
      Spec(12, 1), Spec(12, 4), Spec(12, 8), Spec(12, 24), Spec(16, 8), Spec(64, 4), Spec(64, 24),
      Spec(108, 8), Spec(108, 24), Spec(124, 8), Spec(124, 24), Spec(124, 4), Spec(52, 24),
      Spec(40, 8, 1), Spec(40, 4, 2), Spec(124, 8, 1), Spec(64, 4, 2),
      Masks(Spec(40, 16, 3), 0xF800, 0x7E0, 0x1F, 0), Masks(Spec(40, 16, 6), 0xF00, 0xF0, 0xF, 0xF000),
      Masks(Spec(56, 16, 3), 0x7C00, 0x3E0, 0x1F, 0), Masks(Spec(40, 32, 3), 0xFF0000, 0xFF00, 0xFF, 0),
      Masks(Spec(108, 32, 3), 0xFF0000, 0xFF00, 0xFF, 0xFF000000u),
      Masks(Spec(124, 32, 3), 0xFF, 0xFF00, 0xFF0000, 0xFF000000u),
      Masks(Spec(124, 32, 3), 0x3FF00000, 0xFFC00, 0x3FF, 0),
      With(Masks(Spec(124, 32, 3), 0xFF0000, 0xFF00, 0xFF, 0xFF000000u), [](BmpSpec& s) { s.alphaZero = true; }),
      With(Spec(40, 24), [](BmpSpec& s) { s.colorsUsed = 256; }),
      With(Spec(40, 32), [](BmpSpec& s) { s.colorsUsed = 16; }),
      With(Spec(40, 8), [](BmpSpec& s) { s.colorsUsed = 20; }),
      With(Spec(40, 8), [](BmpSpec& s) { s.gap = 6; }),
      With(Spec(40, 24), [](BmpSpec& s) { s.gap = 5; }),
      With(Spec(124, 4), [](BmpSpec& s) { s.colorsUsed = 5, s.gap = 3; }),
      With(Spec(40, 8), [](BmpSpec& s) { s.topDown = true; }),
      With(Spec(40, 1), [](BmpSpec& s) { s.topDown = true, s.width = 33; }),
      With(Spec(108, 24), [](BmpSpec& s) { s.topDown = true, s.width = 1; }),
      With(Masks(Spec(124, 32, 3), 0xFF0000, 0xFF00, 0xFF, 0xFF000000u), [](BmpSpec& s) { s.topDown = true; }),
      With(Spec(40, 8, 1), [](BmpSpec& s) { s.width = 300, s.height = 4; }),
      With(Spec(40, 4, 2), [](BmpSpec& s) { s.width = 37, s.height = 6; }),
      With(Spec(40, 16), [](BmpSpec& s) { s.width = 3, s.topDown = true; }),
  };
  return specs;
}

std::vector<uint32_t> Pixels(ZHANDLE h, bool indexes) {
  std::vector<uint32_t> out;
  for (int y = 0; y < dibGetHeight(h); ++y)
    for (int x = 0; x < dibGetWidth(h); ++x) out.push_back(indexes ? dibGetPixel(h, x, y) : dibGetPixelEx(h, x, y));
  return out;
}

std::vector<uint32_t> Unsigned(const std::vector<int>& v) { return std::vector<uint32_t>(v.begin(), v.end()); }

// The picture, indexes and alpha of an object against what the generator wrote.
void ExpectPicture(ZHANDLE h, const BmpSpec& s, const GeneratedBmp& g) {
  ASSERT_NE(dibGetHandle(h), nullptr) << zkw::LastErrorText();
  EXPECT_EQ(dibGetBits(h), s.bits <= 8 ? 1 : 3);
  EXPECT_EQ(dibGetWidth(h), s.width);
  EXPECT_EQ(dibGetHeight(h), s.height);
  EXPECT_EQ(Pixels(h, false), g.colour);
  if (s.bits <= 8) EXPECT_EQ(Pixels(h, true), Unsigned(g.index));
  ZHANDLE alpha = dibGetAlphaDib(h);
  if (g.alpha[0] < 0) {
    EXPECT_EQ(alpha, nullptr);
  } else {
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(Pixels(alpha, true), Unsigned(g.alpha));
  }
}

TEST(BmpConvert, EveryLayoutReadsWithItsPixels) {
  const std::string path = TempPath("layout.bmp");
  for (const BmpSpec& s : GoodFiles()) {
    SCOPED_TRACE(BmpSpecName(s));
    GeneratedBmp g = MakeBmp(s);
    WriteFileBytes(path, g.file);
    EXPECT_EQ(BitmapFileValid(Z(path).c_str()), g.file.size() > 53 ? 1 : 0);  // 53 bytes never are
    ZHANDLE made = CreateDibFromFile(Z(path).c_str());
    ASSERT_NE(made, nullptr);
    ExpectPicture(made, s, g);
    ZHANDLE loaded = CreateDibObject(s.bits <= 8 ? 8 : 24);
    EXPECT_EQ(dibLoadFromFile(loaded, Z(path).c_str()), 1);
    ExpectPicture(loaded, s, g);
    // The block LoadDIBFile gives is the library's own form.
    std::vector<uint8_t> block = BlockBytes(LoadDIBFile(Z(path).c_str()));
    ASSERT_GE(block.size(), 40u);
    EXPECT_EQ(GetLE<uint32_t>(block, 0), 40u);
    EXPECT_EQ(GetLE<int32_t>(block, 8), s.height);
    EXPECT_EQ(GetLE<uint16_t>(block, 14), s.bits <= 8 ? 8 : 24);
    for (ZHANDLE h : {made, loaded}) FreeDibObject(h);
  }
}

TEST(BmpConvert, LibraryFormKeepsTheFileAsItIs) {
  // A file already in the block's form comes back byte for byte, trailing bytes included.
  BmpSpec s = Spec(40, 8);
  GeneratedBmp g = MakeBmp(s);
  g.file.insert(g.file.end(), {9, 8, 7});
  PutLE<uint32_t>(g.file, 2, static_cast<uint32_t>(g.file.size()));
  const std::string path = TempPath("same.bmp");
  WriteFileBytes(path, g.file);
  std::vector<uint8_t> block = BlockBytes(LoadDIBFile(Z(path).c_str()));
  EXPECT_EQ(block, std::vector<uint8_t>(g.file.begin() + 14, g.file.end()));
}

// A good 8-bit file with one change, and the words its refusal must give.
struct BadFile {
  const char* change;
  size_t offset;
  uint32_t value;
  int bytes;
  const char* reason;
};

TEST(BmpConvert, UnreadableFilesAreRefusedWithAReason) {
  const BadFile cases[] = {
      {"header size", 14, 20000, 4, "of no known kind"},
      {"width 0", 18, 0, 4, "zero or negative side"},
      {"height 0", 22, 0, 4, "zero or negative side"},
      {"width negative", 18, 0xFFFFFFFFu, 4, "zero or negative side"},
      {"2 bits", 28, 2, 2, "2 bits per pixel"},
      {"JPEG inside", 30, 4, 4, "compression 4"},
      {"RLE4 at 8 bits", 30, 2, 4, "compression 2 at 8 bits"},
      {"bit-field masks at 8 bits", 30, 3, 4, "compression 3 at 8 bits"},
      {"pixel offset beyond the file", 10, 0x7FFFFFFF, 4, "pixel offset"},
      {"rows beyond the file", 22, 4000, 4, "need"},
      {"width beyond 2 GiB", 18, 0x7FFFFFFF, 4, "2 GiB"},
  };
  const std::string path = TempPath("bad.bmp");
  for (const BadFile& c : cases) {
    SCOPED_TRACE(c.change);
    std::vector<uint8_t> file = MakeBmp(Spec(40, 8)).file;
    if (c.bytes == 2)
      PutLE<uint16_t>(file, c.offset, static_cast<uint16_t>(c.value));
    else
      PutLE<uint32_t>(file, c.offset, c.value);
    WriteFileBytes(path, file);
    zkwClearLastError();
    EXPECT_EQ(LoadDIBFile(Z(path).c_str()), nullptr);
    EXPECT_NE(zkw::LastErrorText().find(c.reason), std::string::npos) << zkw::LastErrorText();
    EXPECT_EQ(BitmapFileValid(Z(path).c_str()), 0);
  }
  // Without a usable pixel offset the table must fit in the file.
  std::vector<uint8_t> table = MakeBmp(Spec(40, 8)).file;
  PutLE<uint32_t>(table, 10, 0);
  PutLE<uint32_t>(table, 46, 0x40000000);
  WriteFileBytes(path, table);
  EXPECT_EQ(LoadDIBFile(Z(path).c_str()), nullptr);
  EXPECT_NE(zkw::LastErrorText().find("colour table of 1073741824 entries"), std::string::npos);
  // RLE coded pictures cannot be stored from the top, and a tiny RLE file cannot ask for a
  // picture of millions of pixels.
  BmpSpec rle = With(Spec(40, 8, 1), [](BmpSpec& s) { s.topDown = true; });
  WriteFileBytes(path, MakeBmp(rle).file);
  EXPECT_EQ(LoadDIBFile(Z(path).c_str()), nullptr);
  std::vector<uint8_t> huge = MakeBmp(Spec(40, 8, 1)).file;
  PutLE<int32_t>(huge, 18, 30000);
  PutLE<int32_t>(huge, 22, 30000);
  WriteFileBytes(path, huge);
  EXPECT_EQ(LoadDIBFile(Z(path).c_str()), nullptr);
  EXPECT_NE(zkw::LastErrorText().find("has only"), std::string::npos) << zkw::LastErrorText();
}

}  // namespace
