// JPEG pictures and JPEG libraries: decoded blocks of every option, round trips within a
// tolerance, exact library bytes, refusals, and the 24-to-8-bit reduction.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

#include "base/last_error.h"
#include "dib/dib24.h"
#include "dib/reduce_dib.h"
#include "imagefiles/jpeg_library.h"
#include "support/dib_builders.h"
#include "support/jpeg_builders.h"
#include "support/test_support.h"

using namespace zkwtest;

namespace {

struct Decoded {
  zkw::TBitmapInfoHeader header{};
  std::vector<uint8_t> bytes;
  // COLORREF of picture pixel (x, y), y = 0 the top row.
  uint32_t At(int x, int y) const {
    int64_t stride = zkw::RowStride(header.biWidth, header.biBitCount);
    size_t rows = 40 + (header.biBitCount == 8 ? 1024 : 0);
    const uint8_t* p = bytes.data() + rows + (header.biHeight - 1 - y) * stride;
    if (header.biBitCount == 24) return p[3 * x + 2] | p[3 * x + 1] << 8 | p[3 * x] << 16;
    const uint8_t* q = bytes.data() + 40 + 4 * p[x];
    return q[2] | q[1] << 8 | q[0] << 16;
  }
};

Decoded Take(plat::HGLOBAL block) {
  Decoded d;
  d.bytes = BlockBytes(block);
  if (d.bytes.size() >= 40) std::memcpy(&d.header, d.bytes.data(), 40);
  plat::GlobalFree(block);
  return d;
}

int Channel(uint32_t c, int i) { return (c >> (8 * i)) & 0xFF; }

// Mean and largest channel difference from the pattern (grey pictures: channel 0 everywhere).
void ExpectNearPattern(const Decoded& d, bool grey, double meanLimit, int maxLimit) {
  double sum = 0;
  int worst = 0;
  for (int y = 0; y < d.header.biHeight; ++y)
    for (int x = 0; x < d.header.biWidth; ++x)
      for (int c = 0; c < 3; ++c) {
        int diff = std::abs(Channel(d.At(x, y), c) - PatternValue(x, y, grey ? 0 : c));
        sum += diff;
        worst = std::max(worst, diff);
      }
  double mean = sum / (3.0 * d.header.biWidth * d.header.biHeight);
  EXPECT_LE(mean, meanLimit);
  EXPECT_LE(worst, maxLimit);
}

}  // namespace

TEST(JpegImage, DecodedBlocksOfEveryOption) {
  struct Case {
    const char* what;
    int components;
    bool progressive;
    zkw::TJpegPixelFormat format;
    bool smoothing;
    zkw::TJpegPerformance performance;
    double mean;
    int worst;
  };
  const Case cases[] = {
      {"colour 24-bit", 3, false, zkw::jpf24Bit, true, zkw::jppBestQuality, 2.0, 12},
      {"colour fast DCT, no smoothing", 3, false, zkw::jpf24Bit, false, zkw::jppBestSpeed, 2.5, 16},
      {"progressive colour", 3, true, zkw::jpf24Bit, true, zkw::jppBestQuality, 2.0, 12},
      {"grey gives colour", 1, false, zkw::jpf24Bit, true, zkw::jppBestQuality, 1.5, 8},
      {"colour 8-bit", 3, false, zkw::jpf8Bit, true, zkw::jppBestQuality, 6.0, 40},
      {"grey 8-bit", 1, true, zkw::jpf8Bit, true, zkw::jppBestQuality, 4.0, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    zkw::TJpegImage image;
    ASSERT_TRUE(image.LoadFromBytes(JpegOf(32, 24, c.components, c.progressive)));
    EXPECT_EQ(image.Width(), 32);
    EXPECT_EQ(image.Height(), 24);
    image.PixelFormat = c.format;
    image.Smoothing = c.smoothing;
    image.Performance = c.performance;
    Decoded d = Take(image.ToBlock());
    int bits = c.format == zkw::jpf8Bit ? 8 : 24;
    int64_t stride = zkw::RowStride(32, bits);
    const zkw::TBitmapInfoHeader want{40, 32, 24, 1, static_cast<uint16_t>(bits), 0,
                                      static_cast<uint32_t>(stride * 24), 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&d.header, &want, 40), 0);
    ASSERT_EQ(d.bytes.size(), 40 + (bits == 8 ? 1024u : 0u) + stride * 24);
    ExpectNearPattern(d, c.components == 1, c.mean, c.worst);
    if (bits == 8) {
      std::set<uint32_t> used;
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x) used.insert(d.bytes[40 + 1024 + (23 - y) * stride + x]);
      EXPECT_LE(used.size(), 256u);
      EXPECT_GT(used.size(), 8u);
    }
  }
}

TEST(JpegImage, RoundTripsAndRefusals) {
  // 24- and 8-bit blocks encoded at a quality and decoded again.
  auto dib = Solid24(40, 30, 0x204080);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      dib->PutPixel(x, y, static_cast<uint32_t>(PatternValue(x, y, 0) | PatternValue(x, y, 1) << 8 |
                                                PatternValue(x, y, 2) << 16));
  for (int quality : {100, 75}) {
    SCOPED_TRACE(quality);
    zkw::TJpegImage image;
    image.Quality = quality;
    ASSERT_TRUE(image.Assign(reinterpret_cast<plat::HGLOBAL>(dib->Handle())));
    EXPECT_FALSE(image.Empty());
    zkw::TMemoryStream saved;
    ASSERT_TRUE(image.SaveToStream(saved));
    EXPECT_EQ(saved.Bytes(), image.Data());
    Decoded d = Take(zkw::JpegToDib(image, 0));
    EXPECT_EQ(d.header.biWidth, 40);
    ExpectNearPattern(d, false, quality == 100 ? 1.0 : 3.0, quality == 100 ? 6 : 20);
  }
  auto indexed = Indexed(3, 2, {1, 2, 3, 4, 5, 6});
  zkw::TJpegImage small;
  small.Quality = 100;
  ASSERT_TRUE(small.Assign(reinterpret_cast<plat::HGLOBAL>(indexed->Handle())));
  Decoded d = Take(small.ToBlock());
  for (int i = 0; i < 6; ++i)
    for (int ch = 0; ch < 3; ++ch)
      EXPECT_NEAR(Channel(d.At(i % 3, i / 3), ch), Channel(Col(i + 1), ch), 12) << i;

  struct Refusal {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> header = JpegOf(8, 8, 3, false);
  std::vector<uint8_t> huge = header;
  for (size_t i = 0; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {  // frame header: height and width
      huge[i + 5] = 0xFF, huge[i + 6] = 0xFF, huge[i + 7] = 0xFF, huge[i + 8] = 0xFF;
      break;
    }
  const Refusal refusals[] = {
      {"CMYK", JpegOf(8, 8, 4, false)},
      {"not JPEG", {'B', 'M', 0, 0, 0, 0}},
      {"empty", {}},
      {"65535 x 65535 pixels", huge},
      {"cut inside the header", std::vector<uint8_t>(header.begin(), header.begin() + 30)},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.what);
    zkw::ClearLastErrorText();
    zkw::TJpegImage image;
    EXPECT_FALSE(image.LoadFromBytes(r.bytes));
    EXPECT_TRUE(image.Empty());
    EXPECT_FALSE(zkw::LastErrorText().empty());
    EXPECT_EQ(image.ToBlock(), nullptr);
  }
}

TEST(JpegLibrary, WrittenBytesAndEveryRead) {
  const std::vector<uint8_t> a = JpegOf(16, 8, 3, false), b = JpegOf(8, 16, 1, true);
  const std::string forty(40, 'n');
  const std::vector<zkw::TJpegLibRecord> records = {
      {"first", 0, a}, {forty, 0, b}, {"caf\xE9", 0, a}};
  zkw::TMemoryStream out;
  ASSERT_TRUE(zkw::WriteJpegLibrary(out, records));
  std::vector<uint8_t> lib = out.Bytes();
  ASSERT_EQ(lib.size(), 20009 + 3 * 45 + 2 * a.size() + b.size());
  EXPECT_EQ(std::vector<uint8_t>(lib.begin(), lib.begin() + 5),
            (std::vector<uint8_t>{'H', 'G', 'J', 'L', 0}));
  EXPECT_EQ(GetLE<uint32_t>(lib, 5), 3u);
  const uint32_t offsets[] = {20009, static_cast<uint32_t>(20009 + 45 + a.size()),
                              static_cast<uint32_t>(20009 + 90 + a.size() + b.size())};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(GetLE<uint32_t>(lib, 9 + 4 * i), offsets[i]);
    EXPECT_EQ(GetLE<uint32_t>(lib, offsets[i] + 41), records[i].Data.size());
    EXPECT_EQ(std::vector<uint8_t>(lib.begin() + offsets[i] + 45,
                                   lib.begin() + offsets[i] + 45 + records[i].Data.size()),
              records[i].Data);
  }
  EXPECT_EQ(std::vector<uint8_t>(lib.begin() + 21, lib.begin() + 20009),
            std::vector<uint8_t>(20009 - 21, 0));
  EXPECT_EQ(lib[offsets[1] + 40], 0);  // the 41st byte ends a 40-byte name

  zkw::TBufferStream stream(lib.data(), lib.size());
  const char16_t cafe[] = {'c', 'a', 'f', 0xE9, 0};
  const std::vector<zkw::ZString> names = {Z("first"), Z(forty), zkw::ZString(reinterpret_cast<const zkw::ZChar*>(cafe))};
  for (int index = -1; index <= 4; ++index) {
    SCOPED_TRACE(index);
    zkw::ZString name = Z("unchanged");
    auto image = zkw::ReadJpegFromLibrary(stream, index, &name);
    if (index < 1 || index > 3) {
      EXPECT_EQ(image, nullptr);
      EXPECT_EQ(name, Z("unchanged"));
      continue;
    }
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(name, names[index - 1]);
    EXPECT_EQ(image->Data(), records[index - 1].Data);
  }
  // 8-bit pictures through the file functions: 256-entry table.
  WriteFileBytes(TempPath("pictures.jpl"), lib);
  zkw::ZString name;
  Decoded eight = Take(zkw::JpegLibraryToDib(TempName("pictures.jpl").c_str(), 2, &name, 1));
  EXPECT_EQ(eight.header.biBitCount, 8);
  EXPECT_EQ(eight.header.biWidth, 8);
  EXPECT_EQ(eight.bytes.size(), 40 + 1024 + 8 * 16u);
  EXPECT_EQ(zkw::JpegLibraryToDib(TempName("none.jpl").c_str(), 1, &name, 0), nullptr);

  struct Damage {
    const char* what;
    size_t at;
    std::vector<uint8_t> bytes;
    int32_t index;
    bool reads;
  };
  const Damage damages[] = {
      {"MTJL is read too", 0, {'M', 'T'}, 1, true},
      {"unknown signature", 0, {'X'}, 1, false},
      {"count above 5000", 5, {0x89, 0x13, 0, 0}, 1, false},  // 5001
      {"record offset past the end", 9, {0xFF, 0xFF, 0xFF, 0x00}, 1, false},
      {"data size past the end", offsets[2] + 41, {0xFF, 0xFF, 0, 0}, 3, false},
      {"data that is not JPEG", offsets[0] + 45, {0, 0, 0, 0}, 1, false},
      {"name without a zero", offsets[1] + 40, {'x'}, 2, true},
  };
  for (const Damage& dmg : damages) {
    SCOPED_TRACE(dmg.what);
    std::vector<uint8_t> bad = lib;
    std::copy(dmg.bytes.begin(), dmg.bytes.end(), bad.begin() + dmg.at);
    zkw::TBufferStream s(bad.data(), bad.size());
    zkw::ZString got;
    zkw::ClearLastErrorText();
    auto image = zkw::ReadJpegFromLibrary(s, dmg.index, &got);
    EXPECT_EQ(image != nullptr, dmg.reads);
    if (!dmg.reads) EXPECT_FALSE(zkw::LastErrorText().empty());
    if (dmg.at == offsets[1] + 40) EXPECT_EQ(got, Z(forty + "x"));
  }
}

TEST(JpegLibrary, BlocksAreFreedOnEveryPathAndReductionKeepsAlpha) {
  const std::vector<uint8_t> jpeg = JpegOf(12, 10, 3, false);
  for (bool valid : {true, false}) {
    std::vector<uint8_t> bytes = valid ? jpeg : std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 20);
    plat::HGLOBAL block = BlockFrom(bytes);
    auto image = zkw::JpegBlockToImage(block);
    EXPECT_EQ(image != nullptr, valid);
    EXPECT_FALSE(BlockAlive(block));
  }
  EXPECT_EQ(zkw::JpegBlockToImage(nullptr), nullptr);

  auto dib = Solid24(20, 10, 0x0000FF);
  dib->Bar(10, 0, 19, 9, 0xFF0000);
  dib->CreateAlphaChannel();
  for (int x = 0; x < 20; ++x) dib->AlphaDib->PutPixel(x, 4, static_cast<uint32_t>(x * 10));
  std::unique_ptr<zkw::TDib8Bits> reduced(zkw::ReduceDibTo8Bits(dib.get()));
  ASSERT_NE(reduced, nullptr);
  EXPECT_EQ(reduced->Width(), 20);
  EXPECT_EQ(reduced->Height(), 10);
  ASSERT_NE(reduced->AlphaDib, nullptr);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      EXPECT_EQ(reduced->AlphaDib->GetPixel(x, y), dib->AlphaDib->GetPixel(x, y));
      if (x >= 8 && x < 12) continue;  // the edge's chroma is upsampled across it
      uint32_t want = x < 10 ? 0x0000FF : 0xFF0000;
      for (int ch = 0; ch < 3; ++ch)
        EXPECT_NEAR(Channel(reduced->GetPixelEx(x, y), ch), Channel(want, ch), 40) << x << "," << y;
    }
  zkw::TDib24Bits empty;
  EXPECT_EQ(zkw::ReduceDibTo8Bits(&empty), nullptr);
}
