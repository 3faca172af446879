// DEX records: exact bytes written, every reading path, and refusal of damaged records.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "dib/dib8.h"
#include "dib/dib_factory.h"
#include "exports/zkwgdi32.h"
#include "imagefiles/dex.h"
#include "support/test_support.h"

using namespace zkwtest;

namespace {

std::vector<uint8_t> Inflated(const uint8_t* data, size_t size, size_t expected) {
  std::vector<uint8_t> out(expected + 16);
  uLongf outSize = out.size();
  EXPECT_EQ(uncompress(out.data(), &outSize, data, size), Z_OK);
  out.resize(outSize);
  return out;
}

// A 48 x 10 8-bit image with a pattern, optionally with an alpha companion.
ZHANDLE Sample8(bool withAlpha) {
  ZHANDLE h = CreateDibObject(8);
  dibSetAttributes(h, 48, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 48; ++x) dibPutPixel(h, x, y, (x * 7 + y) & 0xFF);
  if (withAlpha) {
    dibCreateAlphaChannel(h);
    dibPutPixel(dibGetAlphaDib(h), 3, 3, 0);
  }
  return h;
}

std::vector<uint8_t> RecordOf(ZHANDLE dib) {
  zkw::TMemoryStream stream;
  EXPECT_GT(zkw::SaveDibExToStream(&stream, dibGetHandle(dib), dibGetAlphaHandle(dib)), 0);
  return stream.Bytes();
}

TEST(Dex, RecordLayoutOfAn8BitImage) {
  ZHANDLE h = Sample8(false);
  std::vector<uint8_t> rec = RecordOf(h);
  ASSERT_GE(rec.size(), 24u);
  EXPECT_EQ(std::vector<uint8_t>(rec.begin(), rec.begin() + 8),
            (std::vector<uint8_t>{0x0A, 0xDE, 0, 0, 0, 0, 2, 0}));
  EXPECT_EQ(GetLE<uint32_t>(rec, 8), rec.size());
  EXPECT_EQ(GetLE<uint16_t>(rec, 12), 8);
  uint32_t imageSize = GetLE<uint32_t>(rec, 14);
  EXPECT_EQ(imageSize, rec.size() - 24);
  EXPECT_EQ(GetLE<int32_t>(rec, 18), 0);
  EXPECT_EQ(GetLE<uint16_t>(rec, 22), 24);
  std::vector<uint8_t> raw = Inflated(rec.data() + 24, imageSize, 1544);
  ASSERT_EQ(raw.size(), 1544u);  // header, colour table, rows; no spare rows
  const auto* block = static_cast<const uint8_t*>(dibGetDibPtr(h));
  EXPECT_EQ(0, std::memcmp(raw.data(), block, 1544));

  EXPECT_EQ(GetDEXSize(dibGetHandle(h), nullptr), 1568);
  dibCreateAlphaChannel(h);
  EXPECT_EQ(GetDEXSize(dibGetHandle(h), dibGetAlphaHandle(h)), 3112);
  FreeDibObject(h);
}

TEST(Dex, RoundTripsThroughFileBufferAndStream) {
  ZHANDLE h = Sample8(true);
  const zkw::ZString name = TempName("round.dex");
  ASSERT_EQ(dibSaveToDexFile(h, name.c_str()), 1);
  ZHANDLE fromFile = DibObjectFromDex(name.c_str());
  ASSERT_NE(fromFile, nullptr);
  EXPECT_EQ(dibGetBits(fromFile), 1);
  EXPECT_EQ(dibGetWidth(fromFile), 48);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 48; ++x) ASSERT_EQ(dibGetPixel(fromFile, x, y), dibGetPixel(h, x, y));
  ASSERT_NE(dibGetAlphaDib(fromFile), nullptr);
  EXPECT_EQ(dibGetPixel(dibGetAlphaDib(fromFile), 3, 3), 0u);
  EXPECT_EQ(dibGetPixel(dibGetAlphaDib(fromFile), 4, 3), 255u);

  // Two records back to back in a buffer: the position ends at the second one.
  std::vector<uint8_t> buffer(2 * GetDEXSize(dibGetHandle(h), dibGetAlphaHandle(h)));
  int32_t first = SaveDibExToBuffer(buffer.data(), dibGetHandle(h), dibGetAlphaHandle(h));
  ASSERT_GT(first, 0);
  ZHANDLE d24 = CreateDibObject(24);
  dibSetAttributes(d24, 5, 4);
  dibPutPixel(d24, 4, 3, 0x123456);
  int32_t second = SaveDibExToBuffer(buffer.data() + first, dibGetHandle(d24), nullptr);
  ASSERT_GT(second, 0);
  const uint8_t* pos = buffer.data();
  ZBLOCK image = nullptr, alpha = nullptr;
  EXPECT_EQ(LoadDibExFromBuffer(&pos, &image, &alpha), 8u);
  EXPECT_EQ(pos, buffer.data() + first);
  EXPECT_NE(alpha, nullptr);
  plat::GlobalFree(image);
  plat::GlobalFree(alpha);
  EXPECT_EQ(LoadDibExFromBuffer(&pos, &image, &alpha), 24u);
  EXPECT_EQ(pos, buffer.data() + first + second);
  EXPECT_EQ(alpha, nullptr);
  plat::GlobalFree(image);
  ZHANDLE fromBuffer = DibObjectFromBuffer(buffer.data() + first);
  ASSERT_NE(fromBuffer, nullptr);
  EXPECT_EQ(dibGetBits(fromBuffer), 3);
  EXPECT_EQ(dibGetPixelEx(fromBuffer, 4, 3), 0x123456u);

  // Stream exports with the host's stream object.
  ZHANDLE stream = zkwCreateMemoryStream(nullptr, 0);
  int32_t written = SaveDibExToStream(stream, dibGetHandle(d24), nullptr);
  EXPECT_EQ(written, second);
  EXPECT_EQ(zkwStreamSize(stream), second);
  zkwStreamSeek(stream, 0, 0);
  EXPECT_EQ(LoadDibExFromStream(stream, &image, &alpha), 24u);
  EXPECT_EQ(zkwStreamSeek(stream, 0, 1), second);
  plat::GlobalFree(image);
  zkwFreeStream(stream);

  for (ZHANDLE d : {h, fromFile, d24, fromBuffer}) FreeDibObject(d);
}

TEST(Dex, RawVersionLoadsLikeTheCompressedForm) {
  ZHANDLE h = Sample8(true);
  std::vector<uint8_t> rec = RecordOf(h);
  // Rebuild with raw parts and version 1.0 (and a wrong total size, which is not checked).
  std::vector<uint8_t> image(static_cast<uint8_t*>(dibGetDibPtr(h)),
                             static_cast<uint8_t*>(dibGetDibPtr(h)) + 1544);
  const auto* alphaPtr = static_cast<uint8_t*>(dibGetDibPtr(dibGetAlphaDib(h)));
  std::vector<uint8_t> alpha(alphaPtr, alphaPtr + 1544);
  std::vector<uint8_t> raw(rec.begin(), rec.begin() + 24);
  PutLE<uint32_t>(raw, 4, 0x00010000);
  PutLE<uint32_t>(raw, 8, 12345);
  PutLE<uint32_t>(raw, 14, 1544);
  PutLE<int32_t>(raw, 18, 1544);
  raw.insert(raw.end(), image.begin(), image.end());
  raw.insert(raw.end(), alpha.begin(), alpha.end());
  zkw::TDibBaseObj* loaded = zkw::DibObjectFromBuffer(raw.data(), raw.size());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(BlockBytes(reinterpret_cast<plat::HGLOBAL>(loaded->Handle())), image);
  EXPECT_EQ(loaded->AlphaDib->GetPixel(3, 3), 0u);
  delete loaded;
  FreeDibObject(h);
}

TEST(Dex, DamagedRecordsAreRefusedWithAReason) {
  ZHANDLE h = Sample8(true);
  const std::vector<uint8_t> good = RecordOf(h);
  auto load = [](const std::vector<uint8_t>& rec) {
    plat::HGLOBAL image = reinterpret_cast<plat::HGLOBAL>(1), alpha = image;
    const uint8_t* pos = rec.data();
    uint32_t bits = zkw::LoadDibExFromMemory(&pos, rec.size(), &image, &alpha);
    EXPECT_EQ(image, nullptr);  // nothing is left allocated on failure
    EXPECT_EQ(alpha, nullptr);
    EXPECT_EQ(pos, rec.data());
    return bits;
  };
  auto reasonHas = [](const char* words) {
    return zkw::LastErrorText().find(words) != std::string::npos;
  };

  std::vector<uint8_t> rec = good;
  rec[0] = 0x0B;
  EXPECT_EQ(load(rec), 0u);
  rec = good;
  PutLE<uint16_t>(rec, 22, 25);
  EXPECT_EQ(load(rec), 0u);
  EXPECT_EQ(load(std::vector<uint8_t>(good.begin(), good.begin() + 20)), 0u);

  // Part sizes that run past the data.
  rec = good;
  PutLE<uint32_t>(rec, 14, 2147483632u);
  EXPECT_EQ(load(rec), 0u);
  rec = good;
  PutLE<int32_t>(rec, 18, GetLE<int32_t>(good, 18) + 1);
  EXPECT_EQ(load(rec), 0u);
  EXPECT_TRUE(reasonHas("runs past the end"));
  rec = std::vector<uint8_t>(good.begin(), good.end() - 1);
  EXPECT_EQ(load(rec), 0u);

  // A corrupted zlib stream in the alpha part frees the image part too.
  rec = good;
  rec[24 + GetLE<uint32_t>(good, 14) + 2] ^= 0xFF;
  EXPECT_EQ(load(rec), 0u);

  // A record of the good one's head and one compressed image part of these raw bytes.
  auto recordWithPart = [&good](const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> packed(compressBound(raw.size()));
    uLongf packedSize = packed.size();
    compress(packed.data(), &packedSize, raw.data(), raw.size());
    std::vector<uint8_t> record(good.begin(), good.begin() + 24);
    PutLE<uint32_t>(record, 14, static_cast<uint32_t>(packedSize));
    PutLE<int32_t>(record, 18, 0);
    record.insert(record.end(), packed.begin(), packed.begin() + packedSize);
    return record;
  };

  // A part whose stream inflates past what its bitmap header declares.
  std::vector<uint8_t> header = PackedDib(4, 4, 8);
  header.resize(header.size() + 4096, 0x55);
  EXPECT_EQ(load(recordWithPart(header)), 0u);
  EXPECT_TRUE(reasonHas("inflates past"));

  // A part that claims a huge image inflates nothing big: refused on its header.
  std::vector<uint8_t> huge = PackedDib(1, 1, 8);
  PutLE<int32_t>(huge, 4, 60000);
  PutLE<int32_t>(huge, 8, 60000);
  EXPECT_EQ(load(recordWithPart(huge)), 0u);
  EXPECT_TRUE(reasonHas("more than the reader accepts"));
  // Within the ceiling but more than its few stored bytes could ever inflate to: refused
  // before its 16 MB are made.
  std::vector<uint8_t> bomb = PackedDib(1, 1, 8);
  PutLE<int32_t>(bomb, 4, 4000);
  PutLE<int32_t>(bomb, 8, 4000);
  EXPECT_EQ(load(recordWithPart(bomb)), 0u);
  EXPECT_TRUE(reasonHas("stored bytes can inflate to"));

  // A picture with one zero side holds no pixel but could ask for gigabytes once re-sized.
  const int32_t sides[][2] = {{600000000, 0}, {0, 600000000}, {2, -3}};
  for (const auto& side : sides) {
    std::vector<uint8_t> flat = PackedDib(1, 1, 8);
    PutLE<int32_t>(flat, 4, side[0]);
    PutLE<int32_t>(flat, 8, side[1]);
    flat.resize(side[1] < 0 ? 1064 + 12 : 1064);
    EXPECT_EQ(load(recordWithPart(flat)), 0u);
    EXPECT_TRUE(reasonHas(("picture of " + std::to_string(side[0]) + " x " +
                           std::to_string(side[1])).c_str())) << zkw::LastErrorText();
  }
  FreeDibObject(h);
}

TEST(Dex, WritingRefusesBlocksThatAreNotImages) {
  std::vector<uint8_t> shortBlock = PackedDib(8, 8, 24);
  shortBlock.resize(100);
  plat::HGLOBAL block = BlockFrom(shortBlock);
  zkw::TMemoryStream stream;
  EXPECT_EQ(zkw::SaveDibExToStream(&stream, block, nullptr), 0);
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(GetDEXSize(block, nullptr), 0);
  plat::GlobalFree(block);
}

TEST(Dex, BufferWriteFitsGetDexSizeForNoise) {
  // Noise does not compress: the record falls back to raw parts and still fits.
  ZHANDLE h = CreateDibObject(24);
  dibSetAttributes(h, 16, 16);
  uint32_t seed = 12345;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      seed = seed * 1103515245 + 12345;
      dibPutPixel(h, x, y, seed >> 8);
    }
  int32_t room = GetDEXSize(dibGetHandle(h), nullptr);
  std::vector<uint8_t> buffer(room + 64, 0xEE);
  int32_t written = SaveDibExToBuffer(buffer.data(), dibGetHandle(h), nullptr);
  ASSERT_GT(written, 0);
  EXPECT_LE(written, room);
  EXPECT_EQ(buffer[room], 0xEE);
  ZHANDLE back = DibObjectFromBuffer(buffer.data());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(dibGetPixelEx(back, 7, 9), dibGetPixelEx(h, 7, 9));
  FreeDibObject(back);
  FreeDibObject(h);
}

TEST(Dex, LibraryResourcesLoad) {
  for (const char* name : {"SYSBUTTONS", "kwgdiradbut"}) {
    ZHANDLE dib = LoadDexFromResource(zkwLibraryModule(), Z(name).c_str());
    ASSERT_NE(dib, nullptr) << name;
    EXPECT_EQ(dibGetBits(dib), 1) << name;
    EXPECT_GT(dibGetWidth(dib), 0) << name;
    ASSERT_NE(dibGetAlphaDib(dib), nullptr) << name;
    EXPECT_EQ(dibGetPixel(dibGetAlphaDib(dib), 0, 0), 0u) << name;  // transparent corner
    FreeDibObject(dib);
  }
  EXPECT_EQ(LoadDexFromResource(zkwLibraryModule(), Z("NOSUCH").c_str()), nullptr);
}

}  // namespace
