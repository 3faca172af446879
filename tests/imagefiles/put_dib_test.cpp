// Image memory blocks put on device contexts, and conversions between bitmaps, files and blocks.
#include <gtest/gtest.h>

#include "exports/zkwgdi32.h"
#include "platform/plat_gdi.h"
#include "support/test_support.h"

using namespace zkwtest;

namespace {

struct MemDC {
  MemDC(int w, int h) : dc(zkwCreateMemoryDC(w, h)), width(w) {}
  ~MemDC() { zkwDeleteMemoryDC(dc); }
  uint32_t At(int x, int y) const {
    auto* p = static_cast<uint8_t*>(zkwMemoryDCPixels(dc)) + (y * width + x) * 4;
    return p[2] | (p[1] << 8) | (p[0] << 16);
  }
  void* dc;
  int width;
};

// A 24-bit block of w x h where pixel (x, y) has red = 10 x + 1 and green = 10 y + 1.
ZBLOCK Gradient(int w, int h) {
  std::vector<uint8_t> bytes = PackedDib(w, h, 24);
  int stride = static_cast<int>(zkw::RowStride(w, 24));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &bytes[40 + (h - 1 - y) * stride + 3 * x];
      p[2] = static_cast<uint8_t>(10 * x + 1);
      p[1] = static_cast<uint8_t>(10 * y + 1);
    }
  return BlockFrom(bytes);
}

uint32_t Grad(int x, int y) { return (10u * x + 1) | ((10u * y + 1) << 8); }

TEST(PutDib, PlainAndStretchedPuts) {
  MemDC m(8, 8);
  ZBLOCK block = Gradient(2, 2);
  EXPECT_EQ(PutDIB(m.dc, 1, 1, block, 0), 1);
  EXPECT_EQ(m.At(1, 1), Grad(0, 0));
  EXPECT_EQ(m.At(2, 2), Grad(1, 1));
  PutDIBit(m.dc, 4, 4, 0, 0, block);  // 0 stands for the natural size
  EXPECT_EQ(m.At(5, 5), Grad(1, 1));
  EXPECT_EQ(m.At(6, 6), 0u);
  EXPECT_EQ(PutDIBStr(m.dc, 0, 4, 4, 4, block, 0), 1);
  EXPECT_EQ(m.At(0, 4), Grad(0, 0));
  EXPECT_EQ(m.At(3, 7), Grad(1, 1));
  // Source rectangle: the right column only (ws of 1, hs of 0 = full height).
  AdvPutDIBit(m.dc, 7, 0, 1, 2, block, 1, 0, 1, 2);
  EXPECT_EQ(m.At(7, 0), Grad(1, 0));
  EXPECT_EQ(AdvPutDIBStr(m.dc, 6, 0, 1, 2, block, 0, 0, 1, 0, 0), 1);
  EXPECT_EQ(m.At(6, 1), Grad(0, 1));
  plat::GlobalFree(block);
}

TEST(PutDib, StretchToRectKeepsTheAspectRatio) {
  MemDC m(101, 101);
  ZBLOCK block = Gradient(200, 100);
  EXPECT_EQ(StretchDIBToRect(m.dc, 0, 0, 100, 100, block, 0), 1);
  EXPECT_EQ(m.At(0, 24), 0u);  // drawn at (0, 25), 100 x 50
  // Halving keeps the second of each pair of source pixels, as the platform's stretch does.
  EXPECT_EQ(m.At(0, 25), Grad(1, 1));
  EXPECT_EQ(m.At(99, 74) & 0xFF, (10u * 199 + 1) & 0xFF);
  EXPECT_EQ(m.At(0, 75), 0u);
  plat::GlobalFree(block);
}

TEST(PutDib, BadBlocksDrawNothing) {
  MemDC m(4, 4);
  std::vector<uint8_t> bytes = PackedDib(64, 64, 24);
  bytes.resize(200);  // rows run past the block
  ZBLOCK cut = BlockFrom(bytes);
  EXPECT_EQ(PutDIB(m.dc, 0, 0, cut, 0), 0);
  PutDIBit(m.dc, 0, 0, 4, 4, cut);
  EXPECT_EQ(StretchDIBToRect(m.dc, 0, 0, 4, 4, cut, 0), 0);
  std::vector<uint8_t> table = PackedDib(2, 2, 8, 5000);  // colours used far past the block
  ZBLOCK badTable = BlockFrom(std::vector<uint8_t>(table.begin(), table.begin() + 1100));
  EXPECT_EQ(PutDIB(m.dc, 0, 0, badTable, 0), 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(m.At(x, y), 0u);
  EXPECT_EQ(BitmapFromDIB(cut, nullptr), nullptr);
  plat::GlobalFree(cut);
  plat::GlobalFree(badTable);
}

TEST(BitmapConvert, BlockToBitmapAndBack) {
  ZBLOCK block = Gradient(3, 2);
  void* palette = reinterpret_cast<void*>(1);
  void* bitmap = BitmapFromDIB(block, &palette);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(palette, nullptr);  // 24-bit images have no palette
  MemDC m(1, 1);
  ZBLOCK back = BitmapToDIB(m.dc, bitmap, nullptr);  // a 32-bit bitmap gives a 24-bit block
  ASSERT_NE(back, nullptr);
  std::vector<uint8_t> bytes = BlockBytes(back);
  EXPECT_EQ(GetLE<uint16_t>(bytes, 14), 24);
  EXPECT_EQ(GetLE<uint32_t>(bytes, 20), 24u);  // image size = stride x height
  std::vector<uint8_t> original = BlockBytes(block);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 40, bytes.end()),
            std::vector<uint8_t>(original.begin() + 40, original.end()));
  const std::string path = TempPath("frombitmap.bmp");
  EXPECT_EQ(SaveBitmapToFile(m.dc, Z(path).c_str(), bitmap, nullptr), 1);
  EXPECT_EQ(ReadFileBytes(path).size(), 14u + 40 + 24);
  void* pal2 = nullptr;
  void* reread = ReadBitmap(Z(path).c_str(), &pal2);
  ASSERT_NE(reread, nullptr);
  plat::BITMAP bm{};
  plat::GetObjectW(reread, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 3);
  plat::DeleteObject(reread);
  plat::DeleteObject(bitmap);
  plat::GlobalFree(back);
  plat::GlobalFree(block);
}

TEST(BitmapConvert, EightBitBlocksBringTheirPalette) {
  std::vector<uint8_t> bytes = PackedDib(2, 1, 8);
  bytes[40 + 4 * 7 + 2] = 200;  // entry 7: red 200
  bytes[1064] = 7;
  ZBLOCK block = BlockFrom(bytes);
  void* palette = nullptr;
  void* bitmap = BitmapFromDIB(block, &palette);
  ASSERT_NE(bitmap, nullptr);
  ASSERT_NE(palette, nullptr);
  plat::PALETTEENTRY e{};
  plat::GetPaletteEntries(palette, 7, 1, &e);
  EXPECT_EQ(e.peRed, 200);
  MemDC m(2, 1);
  plat::HDC mem = plat::CreateCompatibleDC(m.dc);
  plat::HGDIOBJ old = plat::SelectObject(mem, bitmap);
  plat::BitBlt(m.dc, 0, 0, 2, 1, mem, 0, 0, plat::SRCCOPY);
  EXPECT_EQ(m.At(0, 0), 200u | (7u << 8) | (7u << 16));
  plat::SelectObject(mem, old);
  plat::DeleteDC(mem);
  plat::DeleteObject(bitmap);
  plat::DeleteObject(palette);
  plat::GlobalFree(block);
}

TEST(BitmapConvert, DamagedFilesAndMissingResources) {
  const std::string path = TempPath("damaged.bmp");
  std::vector<uint8_t> file(14, 0);
  file[0] = 'B';
  file[1] = 'M';
  std::vector<uint8_t> dib = PackedDib(4, 4, 24);
  file.insert(file.end(), dib.begin(), dib.end());
  PutLE<uint32_t>(file, 10, 54);
  WriteFileBytes(path, file);
  void* ok = ReadBitmap(Z(path).c_str(), nullptr);
  EXPECT_NE(ok, nullptr);
  plat::DeleteObject(ok);
  PutLE<uint32_t>(file, 10, 60);  // rows would end past the file
  WriteFileBytes(path, file);
  EXPECT_EQ(ReadBitmap(Z(path).c_str(), nullptr), nullptr);
  PutLE<uint32_t>(file, 14, 12);  // not a 40-byte header
  WriteFileBytes(path, file);
  EXPECT_EQ(ReadBitmap(Z(path).c_str(), nullptr), nullptr);
  EXPECT_EQ(ReadBitmap(Z(TempPath("nope.bmp")).c_str(), nullptr), nullptr);
  EXPECT_EQ(GetDibPattern(Z("NOSUCHPATTERN").c_str()), nullptr);
  EXPECT_EQ(LoadResDIB(zkwLibraryModule(), Z("NOSUCHPATTERN").c_str()), nullptr);
  EXPECT_EQ(LoadBitmap256(zkwLibraryModule(), Z("NOSUCHPATTERN").c_str(), nullptr), nullptr);
}

}  // namespace
