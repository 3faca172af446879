// Drawing on real GDI device contexts through the DLL: the same pixels as the portable back
// end gives, and the source pixels the platform's nearest-neighbour stretch picks.
#include <gtest/gtest.h>

#include <vector>

#include "zkw_dll.h"

namespace {

// A memory DC over a top-down 32-bit section, made by the DLL's own host helper.
struct MemDC {
  MemDC(int w, int h) : dc(ZKW(zkwCreateMemoryDC)(w, h)), width(w) {}
  ~MemDC() { ZKW(zkwDeleteMemoryDC)(dc); }
  uint32_t At(int x, int y) const {
    auto* p = static_cast<uint8_t*>(ZKW(zkwMemoryDCPixels)(dc)) + (y * width + x) * 4;
    return p[2] | (p[1] << 8) | (p[0] << 16);
  }
  void Fill(COLORREF color) {
    HBRUSH brush = ::CreateSolidBrush(color);
    RECT r{0, 0, 1000, 1000};
    ::FillRect(static_cast<HDC>(dc), &r, brush);
    ::DeleteObject(brush);
  }
  void* dc;
  int width;
};

}  // namespace

TEST(Win32Dc, CompositingGivesThePortablePixels) {
  MemDC m(3, 1);
  ASSERT_NE(m.dc, nullptr);
  m.Fill(RGB(0, 0, 0));
  ZHANDLE d = ZKW(CreateDibObject)(24);
  ZKW(dibSetAttributes)(d, 3, 1);
  for (int x = 0; x < 3; ++x) ZKW(dibPutPixel)(d, x, 0, 0xFFFFFF);
  ZKW(dibCreateAlphaChannel)(d);
  ZHANDLE a = ZKW(dibGetAlphaDib)(d);
  ZKW(dibPutPixel)(a, 0, 0, 0);
  ZKW(dibPutPixel)(a, 2, 0, 255);
  ZKW(dibDraw)(d, m.dc, 0, 0);
  EXPECT_EQ(m.At(0, 0), 0u);
  EXPECT_EQ(m.At(2, 0), 0xFDFDFDu);  // e = 254, (254 x 255) shr 8 = 253

  // A keyed 8-bit image: transparent pixels keep the DC's colour.
  m.Fill(RGB(0x56, 0x34, 0x12));
  ZHANDLE k = ZKW(CreateDibObject)(8);
  ZKW(dibSetAttributes)(k, 3, 1);
  ZKW(dibPutPixel)(k, 1, 0, 0xE0);
  ZKW(DrawAlphaDibOnDC)(m.dc, 0, 0, k);
  EXPECT_EQ(m.At(0, 0), 0x123456u);
  EXPECT_EQ(m.At(1, 0), 0x0000FCu);
  ZKW(FreeDibObject)(k);
  ZKW(FreeDibObject)(d);
}

// The source pixel each destination pixel shows, as the portable back end picks them.
std::vector<uint32_t> PortableStretch(int src, int dst) {
  std::vector<uint32_t> map(static_cast<size_t>(dst));
  if (dst >= src)
    for (int i = 0; i < dst; ++i) map[i] = static_cast<uint32_t>(((2 * i + 1) * src - 1) / (2 * dst));
  else
    for (int k = 0; k < src; ++k) map[((2 * k + 1) * dst - 1) / (2 * src)] = static_cast<uint32_t>(k);
  return map;
}

TEST(Win32Dc, NearestNeighbourStretchPicksTheSameSourcePixels) {
  // A row of distinct pixels stretched and squeezed with the colour-on-colour mode.
  for (auto [src, dst] : {std::pair{5, 8}, {5, 3}, {3, 7}, {7, 3}, {4, 10}, {10, 4}, {6, 6},
                          {2, 9}, {9, 2}, {13, 5}, {5, 13}, {1, 4}, {4, 1}}) {
    ZHANDLE d = ZKW(CreateDibObject)(24);
    ZKW(dibSetAttributes)(d, src, 1);
    for (int x = 0; x < src; ++x) ZKW(dibPutPixel)(d, x, 0, static_cast<uint32_t>(x));
    MemDC m(dst, 1);
    ZKW(dibDrawPart)(d, m.dc, 0, 0, dst, 1, 0, 0, src, 1);
    std::vector<uint32_t> got;
    for (int x = 0; x < dst; ++x) got.push_back(m.At(x, 0));
    EXPECT_EQ(got, PortableStretch(src, dst)) << src << " -> " << dst;
    ZKW(FreeDibObject)(d);
  }
}

TEST(Win32Dc, PutFunctionsAndStretchToRect) {
  MemDC m(101, 101);
  ZHANDLE d = ZKW(CreateDibObject)(24);
  ZKW(dibSetAttributes)(d, 200, 100);
  ZKW(dibPutPixel)(d, 0, 0, 0x0000FF);
  EXPECT_EQ(ZKW(StretchDIBToRect)(m.dc, 0, 0, 100, 100, ZKW(dibGetHandle)(d), 0), 1);
  EXPECT_EQ(m.At(0, 24), 0u);
  EXPECT_EQ(m.At(0, 25), 0x0000FFu);
  EXPECT_EQ(m.At(50, 50), 0xFFFFFFu);
  EXPECT_EQ(m.At(50, 75), 0u);
  ZKW(FreeDibObject)(d);
}
