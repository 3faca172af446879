// Row bitmaps: BMP round trips through streams, both row orders, refusal of malformed data,
// and the host exports.
#include <gtest/gtest.h>

#include <cstring>

#include "common/byte_stream.h"
#include "exports/zkwgdi32.h"
#include "imagefiles/row_bitmap.h"

namespace {

using namespace zkw;

std::vector<uint8_t> Saved(const TRowBitmap& b) {
  TMemoryStream s;
  EXPECT_TRUE(b.SaveToStream(s));
  return s.Bytes();
}

template <class T>
void Put(std::vector<uint8_t>& bytes, size_t at, T v) {
  std::memcpy(bytes.data() + at, &v, sizeof v);
}

TEST(RowBitmap, BmpRoundTripsKeepRowsAndColours) {
  for (int bits : {8, 24}) {
    TRowBitmap b;
    ASSERT_TRUE(b.SetSize(3, 2, bits));
    for (int y = 0; y < 2; ++y)
      for (int i = 0; i < 3 * bits / 8; ++i) b.ScanLine(y)[i] = static_cast<uint8_t>(10 * y + i + 1);
    if (bits == 8) b.ColorTable()[2] = TRGBQuad{1, 2, 3, 0};
    std::vector<uint8_t> bytes = Saved(b);
    const size_t bitsAt = 54 + (bits == 8 ? 1024 : 0);
    ASSERT_EQ(bytes.size(), bitsAt + 2 * 4 * ((3 * bits / 8 + 3) / 4));
    // Bottom-up in the file: the first stored row is picture row 1.
    EXPECT_EQ(bytes[bitsAt], 11);
    TBufferStream in(bytes.data(), bytes.size());
    TRowBitmap back;
    ASSERT_TRUE(back.LoadFromStream(in));
    EXPECT_EQ(back.Width(), 3);
    EXPECT_EQ(back.Height(), 2);
    EXPECT_EQ(back.BitCount(), bits);
    EXPECT_EQ(0, std::memcmp(back.ScanLine(0), b.ScanLine(0), 3 * bits / 8));
    EXPECT_EQ(0, std::memcmp(back.ScanLine(1), b.ScanLine(1), 3 * bits / 8));
    if (bits == 8) EXPECT_EQ(back.ColorTable()[2].rgbRed, 3);
    else EXPECT_EQ(back.ColorTable(), nullptr);
  }
  // A negative height is a top-down file.
  TRowBitmap b;
  b.SetSize(1, 2, 24);
  b.ScanLine(0)[0] = 5;
  std::vector<uint8_t> bytes = Saved(b);
  Put<int32_t>(bytes, 22, -2);
  TBufferStream in(bytes.data(), bytes.size());
  TRowBitmap back;
  ASSERT_TRUE(back.LoadFromStream(in));
  EXPECT_EQ(back.ScanLine(1)[0], 5);
}

TEST(RowBitmap, MalformedDataIsRefused) {
  TRowBitmap b;
  b.SetSize(4, 3, 8);
  const std::vector<uint8_t> good = Saved(b);
  struct Case {
    const char* what;
    size_t at;
    int64_t value;
    int size;  // bytes of the value; 0: cut the data to `at` bytes
  } cases[] = {{"no signature", 0, 0x4141, 2},        {"depth 16", 28, 16, 2},
               {"compressed", 30, 1, 4},              {"header size 8", 14, 8, 4},
               {"header past the end", 14, 1 << 20, 4}, {"300 colours", 46, 300, 4},
               {"pixels past the end", 10, 1079, 4},  {"pixels inside the table", 10, 60, 4},
               {"width 0", 18, 0, 4},                 {"width 70000", 18, 70000, 4},
               {"height -2^31", 22, INT32_MIN, 4},    {"cut rows", 1085, 0, 0},
               {"cut header", 40, 0, 0}};
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    if (c.size == 0) bytes.resize(c.at);
    else std::memcpy(bytes.data() + c.at, &c.value, static_cast<size_t>(c.size));
    TBufferStream in(bytes.data(), bytes.size());
    TRowBitmap t;
    EXPECT_FALSE(t.LoadFromStream(in)) << c.what;
    EXPECT_EQ(t.BitCount(), 0) << c.what;
  }
  TRowBitmap t;
  EXPECT_FALSE(t.SetSize(65536, 1, 24));
  EXPECT_FALSE(t.SetSize(60000, 60000, 24));  // more than 1 GiB
  EXPECT_FALSE(t.SetSize(4, 4, 32));
  EXPECT_EQ(t.ScanLine(0), nullptr);
}

TEST(RowBitmap, HostExports) {
  EXPECT_EQ(zkwCreateRowBitmap(4, 4, 16), nullptr);
  void* b = zkwCreateRowBitmap(5, 2, 24);
  ASSERT_NE(b, nullptr);
  int32_t w = 0, h = 0, bits = 0;
  EXPECT_EQ(zkwRowBitmapInfo(b, &w, &h, &bits), 1);
  EXPECT_EQ(w * 100 + h * 10 + bits, 544);
  EXPECT_EQ(zkwRowBitmapInfo(nullptr, &w, &h, &bits), 0);
  auto* row = static_cast<uint8_t*>(zkwRowBitmapScanLine(b, 1));
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(static_cast<uint8_t*>(zkwRowBitmapScanLine(b, 0)) + 16, row);  // 15 bytes padded
  EXPECT_EQ(zkwRowBitmapScanLine(b, 2), nullptr);
  EXPECT_EQ(zkwRowBitmapColorTable(b), nullptr);
  row[0] = 90;
  FXBoxBlur(b, 1, 0);  // one vertical pass over 2 rows, then grey
  EXPECT_EQ(row[0], 20);  // blue (0 + 90 + 90) div 3 = 60, then grey 60 div 3
  zkwFreeRowBitmap(b);
  zkwFreeRowBitmap(nullptr);
  void* e = zkwCreateRowBitmap(2, 2, 8);
  EXPECT_NE(zkwRowBitmapColorTable(e), nullptr);
  zkwFreeRowBitmap(e);
}

}  // namespace
