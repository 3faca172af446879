// Equations through the real DLL and GDI: the text form read by eqImportFrom, laid out and drawn
// on a memory DC; each equation's width and height within 2 pixels or 2 % of the Linux build's
// (data/equations.txt: width, height, text form), ink for the Symbol signs, the fraction bar and
// determinant lines in the line colour, and the 140-byte font record passed by value.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "zkw_dll.h"

namespace {

struct Surface {
  explicit Surface(int w, int h) : w(w), h(h) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    dc = CreateCompatibleDC(nullptr);
    void* b = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &b, nullptr, 0);
    bits = static_cast<uint8_t*>(b);
    old = SelectObject(dc, bitmap);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  int Count(COLORREF color, int l, int t, int r, int b) const {
    GdiFlush();
    int n = 0;
    for (int y = std::max(t, 0); y < std::min(b, h); ++y)
      for (int x = std::max(l, 0); x < std::min(r, w); ++x) {
        const uint8_t* p = bits + y * ((w * 3 + 3) & ~3) + x * 3;
        n += RGB(p[2], p[1], p[0]) == color;
      }
    return n;
  }
  int CountReddish(int l, int t, int r, int b) const {
    GdiFlush();
    int n = 0;
    for (int y = std::max(t, 0); y < std::min(b, h); ++y)
      for (int x = std::max(l, 0); x < std::min(r, w); ++x) {
        const uint8_t* p = bits + y * ((w * 3 + 3) & ~3) + x * 3;
        n += p[2] > p[1] + 64 && p[2] > p[0] + 64;
      }
    return n;
  }
  int w, h;
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  uint8_t* bits = nullptr;
};

std::wstring Wide(const std::string& s) {
  std::wstring w;
  for (char c : s) w.push_back(static_cast<unsigned char>(c));
  return w;
}

// A file in the program's directory, where the build copies the suite's data.
std::wstring DataFile(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

}  // namespace

TEST(Equations, LayoutMatchesTheLinuxBuildAndDrawsItsMarks) {
  std::ifstream in(DataFile(L"equations.txt").c_str());
  ASSERT_TRUE(in.good());
  std::string line;
  int index = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    int width = 0, height = 0;
    std::string form;
    fields >> width >> height >> form;
    void* e = ZKW(eqCreateEquation)();
    const std::wstring text = Wide(form);
    int32_t position = 1;
    ZKW(eqImportFrom)(e, reinterpret_cast<const plat::WCHAR*>(text.c_str()), &position);
    ASSERT_EQ(position, static_cast<int32_t>(text.size()) + 1) << index;
    Surface s(256, 256);
    ZKW(eqSetCanvas)(e, s.dc);
    ZKW(eqSetFontSize)(e, 12);
    ZKW(eqSetColor)(e, RGB(255, 0, 0));
    ZKW(eqSetTextColor)(e, RGB(0, 0, 255));
    ZKW(eqSetBasePoint)(e, 20, 128);
    // The Linux build's width and height (the first two numbers), within 2 pixels or 2 %
    // (under Wine 8 they are equal).
    const auto within = [](int got, int want) { return std::abs(got - want) <= std::max(2, want / 50); };
    EXPECT_PRED2(within, ZKW(eqGetWidth)(e), width) << "width of equation " << index;
    EXPECT_PRED2(within, ZKW(eqGetHeight)(e), height) << "height of equation " << index;
    ZKW(eqDraw)(e);
    TEqRect r{};
    ZKW(eqGetRegion)(&r, e);
    // Signs are antialiased text: count the pixels where the line colour dominates.
    const int red = s.CountReddish(r.left - 2, r.top - 2, r.right + 2, r.bottom + 2);
    switch (index) {
      case 0:  // the fraction bar: the axis row over the width
        EXPECT_EQ(s.Count(RGB(255, 0, 0), r.left, 128, r.right, 129), r.right - r.left);
        break;
      case 4:  // determinant lines 1 pixel inside, from top + 1 to bottom - 1
        EXPECT_EQ(s.Count(RGB(255, 0, 0), r.left + 1, r.top, r.left + 2, r.bottom), r.bottom - r.top - 2);
        break;
      default:  // the radical (214), integral (242) and summation (229) signs have ink
        EXPECT_GT(red, 10) << index;
        break;
    }
    // The font record by value (136 bytes): the same record leaves the layout as it was.
    TEqFontID font{};
    ZKW(eqGetFontID)(&font, e);
    EXPECT_EQ(font.ftSize, 12);
    const int before = ZKW(eqGetWidth)(e);
    ZKW(eqSetFontID)(e, font);
    EXPECT_EQ(ZKW(eqGetWidth)(e), before);
    ZKW(eqSetCanvas)(e, nullptr);
    ZKW(eqFreeEquation)(e);
    ++index;
  }
  EXPECT_EQ(index, 5);
}

// Every class and style of the Linux build's gallery (data/gallery.txt: width, height, the text
// form as hexadecimal UTF-16 code units, caption) laid out by the DLL within 2 pixels or 2 % of
// the Linux build's measures, and drawn with ink inside its region.
TEST(Equations, EveryGalleryEntryMeasuresAsOnLinux) {
  std::ifstream in(DataFile(L"gallery.txt").c_str());
  ASSERT_TRUE(in.good());
  std::string line;
  int count = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    int width = 0, height = 0;
    std::string hex, caption;
    fields >> width >> height >> hex;
    std::getline(fields, caption);
    std::wstring form;
    for (size_t i = 0; i + 4 <= hex.size(); i += 4) form.push_back(static_cast<wchar_t>(std::stoul(hex.substr(i, 4), nullptr, 16)));
    void* e = ZKW(eqCreateEquation)();
    int32_t position = 1;
    ZKW(eqImportFrom)(e, reinterpret_cast<const plat::WCHAR*>(form.c_str()), &position);
    Surface s(512, 256);
    ZKW(eqSetCanvas)(e, s.dc);
    ZKW(eqSetFontSize)(e, 12);
    ZKW(eqSetBasePoint)(e, 20, 128);
    const auto within = [](int got, int want) { return std::abs(got - want) <= std::max(2, want / 50); };
    EXPECT_PRED2(within, ZKW(eqGetWidth)(e), width) << caption;
    EXPECT_PRED2(within, ZKW(eqGetHeight)(e), height) << caption;
    ZKW(eqDraw)(e);
    TEqRect r{};
    ZKW(eqGetRegion)(&r, e);
    const int area = std::max(0, r.right - r.left) * std::max(0, r.bottom - r.top);
    EXPECT_LT(s.Count(RGB(255, 255, 255), r.left, r.top, r.right, r.bottom), area) << caption;
    ZKW(eqSetCanvas)(e, nullptr);
    ZKW(eqFreeEquation)(e);
    ++count;
  }
  EXPECT_EQ(count, 76);
}
