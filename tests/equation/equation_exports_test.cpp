// The exported equation functions: results through addresses, measures, text lengths, the font
// record round trip, the stored forms and the process-wide settings.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "equation/equation_defaults.h"
#include "equation/items.h"
#include "exports/zkwgdi32.h"
#include "support/memory_dc.h"
#include "support/test_support.h"

using namespace zkw;
using namespace zkwtest;

namespace {

// x over y, then "é" (two bytes in UTF-8, one in the system code page).
ZEQUATION Sample() {
  ZEQUATION h = eqCreateEquation();
  auto* e = static_cast<TEquation*>(h);
  auto* f = new TFraction;
  f->NAdd(new TSimpleExpr(Z("x")));
  f->DAdd(new TSimpleExpr(Z("y")));
  e->Add(f);
  e->Add(new TSimpleExpr(Z("é")));
  return h;
}

}  // namespace

TEST(EquationExports, MeasuresRecordsAndTexts) {
  ResetEquationDefaults();
  MemoryDC surface(200, 100);
  ZEQUATION h = Sample();
  eqSetCanvas(h, surface.dc());
  EXPECT_EQ(eqGetCanvas(h), surface.dc());
  eqSetFontSize(h, 14);
  EXPECT_EQ(eqGetFontSize(h), 14);
  eqSetBasePoint(h, 10, 50);
  TEqPoint base{};
  eqGetBasePoint(&base, h);
  EXPECT_EQ(base.x, 10);
  EXPECT_EQ(base.y, 50);
  TEqRect region{}, bounds{};
  eqGetRegion(&region, h);
  eqGetBoundsRect(&bounds, h);
  EXPECT_EQ(eqGetWidth(h), region.right - region.left);
  EXPECT_EQ(eqGetHeight(h), region.bottom - region.top);
  EXPECT_EQ(eqGetAboveHeight(h) + eqGetBelowHeight(h), eqGetHeight(h));
  EXPECT_EQ(std::memcmp(&region, &bounds, sizeof region), 0);  // no bounds: the region
  EXPECT_GT(eqGetBaseline(h), 0);
  EXPECT_EQ(eqGetCount(h), 2);
  EXPECT_NE(eqGetItem(h, 1), nullptr);
  EXPECT_EQ(eqGetItem(h, 2), nullptr);

  // The font record round trip leaves the layout as it was.
  TEqFontID font{};
  eqGetFontID(&font, h);
  EXPECT_STREQ(font.ftFaceName, "Arial");
  EXPECT_EQ(font.ftSize, 14);
  eqSetFontID(h, font);
  TEqRect again{};
  eqGetRegion(&again, h);
  EXPECT_EQ(std::memcmp(&region, &again, sizeof region), 0);
  eqSetFontName(h, "Times New Roman");
  EXPECT_EQ(ZString(eqGetFontName(h)), Z("Times New Roman"));

  // Colours pass down the tree.
  eqSetColor(h, 0x0000FF);
  eqSetTextColor(h, 0x00FF00);
  EXPECT_EQ(eqGetColor(h), 0x0000FFu);
  EXPECT_EQ(static_cast<TEquation*>(h)->GetItem(0)->GetItem(0)->FTextColor, 0x00FF00u);
  eqDraw(h);
  EXPECT_GT(surface.Count(0x0000FF), 0);  // the fraction bar

  // Texts: lengths without a destination, in converted bytes for the markup.
  const int32_t units = eqExportTo(h, nullptr, nullptr);
  std::vector<plat::WCHAR> text(static_cast<size_t>(units) + 1);
  int32_t position = 1;
  EXPECT_EQ(eqExportTo(h, text.data(), &position), units);
  EXPECT_EQ(position, 1 + units);
  EXPECT_EQ(eqGetTextTo(h, nullptr), 7);  // "/~x~y~é"
  char markup[16] = {};
  EXPECT_EQ(eqGetTextTo(h, markup), 7);
  EXPECT_EQ(std::string(markup), "/~x~y~\xE9");

  ZEQUATION copy = eqCreateEquation();
  position = 1;
  eqImportFrom(copy, text.data(), &position);
  EXPECT_EQ(eqGetCount(copy), 2);
  EXPECT_EQ(position, 1 + units);

  // Buffer forms: sized and unsized readers, and the font travels with them. The data size
  // counts texts as the stream form does, so the buffer form needs a little less.
  std::vector<uint8_t> buffer(static_cast<size_t>(eqGetDataSize(h))), bare(buffer.size());
  eqSaveToBuffer(h, buffer.data());
  uint8_t* cursor = bare.data();
  eqSaveTo(h, &cursor);
  const int32_t written = 136 + static_cast<int32_t>(cursor - bare.data());
  EXPECT_EQ(written, eqGetDataSize(h) - 2 * 3);
  EXPECT_EQ(std::memcmp(bare.data(), buffer.data() + 136, static_cast<size_t>(written - 136)), 0);
  ZEQUATION loaded = eqCreateEquation();
  EXPECT_EQ(eqLoadFromBufferEx(loaded, buffer.data(), written), 1);
  EXPECT_EQ(eqGetDataSize(loaded), eqGetDataSize(h));
  EXPECT_EQ(eqLoadFromBufferEx(loaded, buffer.data(), written - 1), 0);
  EXPECT_EQ(eqGetCount(loaded), 2);  // unchanged by the failed read
  eqLoadFromBuffer(copy, buffer.data());
  EXPECT_EQ(ZString(eqGetFontName(copy)), Z("Times New Roman"));

  // Files: 8-bit names; failures give 0.
  const std::string file = TempPath("equation-exports.eqf");
  EXPECT_EQ(eqSaveToFile(h, file.c_str()), 1);
  EXPECT_EQ(eqLoadFromFile(loaded, file.c_str()), 1);
  EXPECT_EQ(eqLoadFromFile(loaded, (file + ".none").c_str()), 0);

  eqSetParentObj(h, eqGetItem(h, 0));
  EXPECT_EQ(eqGetParentObj(h), eqGetItem(h, 0));
  eqSetParentObj(h, nullptr);
  eqClear(h);
  EXPECT_EQ(eqGetCount(h), 0);
  eqFreeEquation(loaded);
  eqFreeEquation(copy);
  eqFreeEquation(h);
  eqFreeEquation(nullptr);
}

TEST(EquationExports, ProcessWideSettingsAndScaledDrawing) {
  ResetEquationDefaults();
  eqSetEquationDefaultColors(0x111111, 0x222222);
  ZEQUATION h = eqCreateEquation();
  EXPECT_EQ(eqGetColor(h), 0x111111u);
  EXPECT_EQ(eqGetTextColor(h), 0x222222u);
  eqFreeEquation(h);
  ResetEquationDefaults();
  EXPECT_EQ(eqSetFormColors(1, 2, 3), 3u);
  eqSetEquationDefaultFont("Arial", 11);

  MemoryDC surface(200, 100);
  h = Sample();
  eqSetCanvas(h, surface.dc());
  eqSetResolution(h, 96);
  eqSetBasePoint(h, 10, 50);
  eqDrawScale(h, 190, 90);  // fits: nothing drawn
  EXPECT_TRUE(surface.Blank());
  const int32_t width = eqGetWidth(h);
  eqDrawScale(h, width / 2, 90);
  EXPECT_FALSE(surface.Blank());
  EXPECT_EQ(eqGetWidth(h), width);  // back at its size
  eqInvalidate(h);
  eqCalcRegion(h);
  EXPECT_EQ(eqGetWidth(h), width);
  eqSetUseDibFont(h, 0);
  eqSetDibFontManager(h, nullptr);
  eqFreeEquation(h);
}

// The Win32 suite compares the DLL's measures under Wine with this build's, kept in its data
// folder: they must stay this build's (12 points, base point 20, 128 on a 256 x 256 surface).
TEST(EquationExports, TheWin32SuiteHoldsThisBuildsMeasures) {
  ResetEquationDefaults();
  std::ifstream in(std::string(ZKW_TEST_DATA) + "/../win32/data/equations.txt");
  ASSERT_TRUE(in.good());
  std::string line;
  int count = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    int width = 0, height = 0;
    std::string form;
    fields >> width >> height >> form;
    const ZString text(form.begin(), form.end());
    MemoryDC surface(256, 256);
    ZEQUATION h = eqCreateEquation();
    int32_t position = 1;
    eqImportFrom(h, text.c_str(), &position);
    eqSetCanvas(h, surface.dc());
    eqSetFontSize(h, 12);
    eqSetBasePoint(h, 20, 128);
    EXPECT_EQ(eqGetWidth(h), width) << form;
    EXPECT_EQ(eqGetHeight(h), height) << form;
    eqFreeEquation(h);
    ++count;
  }
  EXPECT_EQ(count, 5);
}
