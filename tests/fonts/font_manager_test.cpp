// Font packages (reader, writer, LoadPackageFont) and the font manager: registration order,
// first match, "Default" fallback, sharing and release, bad packages.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "common/byte_stream.h"
#include "fonts/font_manager.h"
#include "fonts/package_font.h"
#include "support/font_builders.h"
#include "support/test_support.h"

using namespace zkw;
using namespace zkwtest;

namespace {

// A font whose "A" is `width` pixels wide, so tests can tell fonts apart by TextWidth.
std::vector<uint8_t> FontBytes(int width) {
  FontBuilder b(6, 5);
  b.Solid(33, width, 255);
  return b.Bytes();
}

int WidthOfA(TDibFont* f) { return f ? f->TextWidth(Z("A").c_str(), 1) : -1; }

// A package in the scratch folder; returns its file name (the folder is FontDir()).
std::string FontDir() {
  std::string dir = TempPath("manager-fonts");
  std::filesystem::create_directories(dir);
  return dir + "/";
}
ZString WritePackage(const std::string& file, const std::string& names, const std::vector<TFontPackageItem>& items) {
  WriteFileBytes(FontDir() + file, PackageBytes(names, items));
  return Z(file);
}

}  // namespace

TEST(FontPackage, WriterLayoutAndReaderChecks) {
  std::vector<uint8_t> a = FontBytes(3);
  std::vector<uint8_t> pkg = PackageBytes(" Fam ; Other\r\nThird;;", {{9, false, false, a}, {12, true, false, a}});
  ASSERT_EQ(pkg.size(), 266u + 32 + 2 * a.size());
  EXPECT_EQ(GetLE<uint16_t>(pkg, 0), 266);
  EXPECT_EQ(std::string(pkg.begin() + 2, pkg.begin() + 6), "KPFD");
  EXPECT_EQ(GetLE<uint16_t>(pkg, 264), 2);
  EXPECT_EQ(GetLE<uint16_t>(pkg, 266 + 16), 12);
  EXPECT_EQ(pkg[266 + 16 + 2], 1);
  EXPECT_EQ(GetLE<uint32_t>(pkg, 266 + 16 + 8), 266 + 32 + a.size());
  EXPECT_EQ(GetLE<uint32_t>(pkg, 266 + 16 + 12), a.size());

  TMemoryStream good(pkg);
  TFontPackage p;
  ASSERT_TRUE(p.Open(good));
  ASSERT_EQ(p.Names.size(), 3u);
  EXPECT_EQ(p.Names[0], Z("Fam"));
  EXPECT_EQ(p.Names[1], Z("Other"));
  EXPECT_EQ(p.Names[2], Z("Third"));
  std::unique_ptr<TDibFont> f(p.LoadEntry(good, 1));
  EXPECT_EQ(WidthOfA(f.get()), 3);

  // Names of 255 bytes fit, 256 do not.
  TMemoryStream out;
  EXPECT_TRUE(WriteFontPackage(out, std::string(255, 'n'), {}));
  EXPECT_FALSE(WriteFontPackage(out, std::string(256, 'n'), {}));

  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> change;
    bool opens;
    std::vector<bool> usable;
  };
  const uint32_t fontsAt = 266 + 32;
  const Case cases[] = {
      {"as written", [](std::vector<uint8_t>&) {}, true, {true, true}},
      {"shorter than the header", [](std::vector<uint8_t>& b) { b.resize(265); }, false, {}},
      {"header size 265", [](std::vector<uint8_t>& b) { PutLE<uint16_t>(b, 0, 265); }, false, {}},
      {"signature", [](std::vector<uint8_t>& b) { b[5] = 'X'; }, false, {}},
      {"index past the end", [](std::vector<uint8_t>& b) { b.resize(266 + 20); }, false, {}},
      {"offset 0", [](std::vector<uint8_t>& b) { PutLE<uint32_t>(b, 266 + 8, 0); }, true, {false, true}},
      {"offset in the index", [&](std::vector<uint8_t>& b) { PutLE<uint32_t>(b, 266 + 8, fontsAt - 1); }, true, {false, true}},
      {"offset at the end", [](std::vector<uint8_t>& b) { PutLE<uint32_t>(b, 266 + 24, static_cast<uint32_t>(b.size())); },
       true, {true, false}},
      {"offset far past the end", [](std::vector<uint8_t>& b) { PutLE<uint32_t>(b, 266 + 24, 0xFFFFFFF0u); }, true, {true, false}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = pkg;
    c.change(bytes);
    TMemoryStream s(bytes);
    TFontPackage q;
    ASSERT_EQ(q.Open(s), c.opens) << c.what;
    std::vector<bool> usable;
    for (const TFontPackageEntry& e : q.Entries) usable.push_back(e.Usable);
    EXPECT_EQ(usable, c.usable) << c.what;
    for (size_t i = 0; i < usable.size(); ++i) {
      std::unique_ptr<TDibFont> loaded(q.LoadEntry(s, i));
      EXPECT_EQ(loaded != nullptr, usable[i]) << c.what << " entry " << i;
    }
  }

  // A name field without a zero stops after 256 bytes.
  std::vector<uint8_t> full = pkg;
  std::fill(full.begin() + 6, full.begin() + 262, 'x');
  TMemoryStream fs(full);
  ASSERT_TRUE(p.Open(fs));
  EXPECT_EQ(p.NameField.size(), 256u);
}

TEST(FontPackage, LoadPackageFontSizesStylesAndFailures) {
  std::string path = FontDir() + "load.dfp";
  // Entries: size 0 regular (width 2), 12 regular (3), 12 bold italic (4), then a regular 14
  // whose data is no font (width 5 never loads).
  std::vector<uint8_t> bad(100, 7);
  WriteFileBytes(path, PackageBytes("F", {{0, false, false, FontBytes(2)}, {12, false, false, FontBytes(3)},
                                          {12, true, true, FontBytes(4)}, {14, false, false, bad}}));
  struct Case {
    const char* style;
    int width;  // -1: none
  } cases[] = {{"", 2}, {"12", 3}, {" 12 bi ", 4}, {"12I", -1}, {"13", -1}, {"14", -1}, {"b", -1}, {"bi", 4}};
  for (const Case& c : cases) {
    std::unique_ptr<TDibFont> f(LoadPackageFont(Z(path).c_str(), c.style));
    EXPECT_EQ(WidthOfA(f.get()), c.width) << "style \"" << c.style << "\"";
  }
  EXPECT_EQ(LoadPackageFont(Z(FontDir() + "missing.dfp").c_str(), ""), nullptr);
}

TEST(FontManager, RegistrationOrderFirstMatchAndDefault) {
  TDibFontManager m;
  m.FontPath = Z(FontDir());
  ZString pkg = WritePackage("order.dfp", "Fam;Other",
                             {{0, false, false, FontBytes(2)}, {12, false, false, FontBytes(3)},
                              {12, true, false, FontBytes(4)}, {0, false, true, FontBytes(5)}});
  m.RegisterFontPackage(ZString(), pkg);
  ASSERT_EQ(m.FontList.size(), 8u);
  const char* names[] = {"Fam", "Other"};
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(m.FontList[i].Fontname, Z(names[i % 2])) << i;
    EXPECT_EQ(m.FontList[i].FontFile, pkg);
  }
  EXPECT_EQ(m.FontList[2].FontSize, 12);
  EXPECT_EQ(m.FontList[5].FontBold, true);
  EXPECT_EQ(m.FontList[7].FontItalic, true);
  EXPECT_EQ(m.FontList[0].FilePosition, 266 + 4 * 16);

  // The size-0 regular entry comes first and wins over the later exact 12.
  struct Case {
    const char* name;
    int size;
    bool bold, italic;
    int width;
  } cases[] = {{"fam", 12, false, false, 2}, {"OTHER", 30, false, false, 2}, {"Fam", 12, true, false, 4},
               {"Fam", 13, true, false, -1}, {"Fam", 7, false, true, 5}, {"Nobody", 12, false, false, -1}};
  for (const Case& c : cases) {
    TDibFont* f = m.CreateFont(Z(c.name), c.size, c.bold, c.italic);
    EXPECT_EQ(WidthOfA(f), c.width) << c.name << " " << c.size;
    m.DeleteFont(f);
  }
  EXPECT_TRUE(m.ObjList.empty());

  // "Default" serves unknown names with the same styles only.
  m.RegisterAsDefaultFont(WritePackage("default.dfp", "D", {{0, false, false, FontBytes(6)}, {10, false, false, FontBytes(7)},
                                                            {0, true, false, FontBytes(8)}}));
  ASSERT_EQ(m.FontList.size(), 10u);
  EXPECT_EQ(m.FontList[8].Fontname, Z("Default"));
  struct Fallback {
    bool bold, italic;
    int width;
  } fallbacks[] = {{false, false, 6}, {true, false, 8}, {false, true, -1}};
  for (const Fallback& c : fallbacks) {
    TDibFont* f = m.CreateFont(Z("Nobody"), 10, c.bold, c.italic);
    EXPECT_EQ(WidthOfA(f), c.width);
    m.DeleteFont(f);
  }
}

TEST(FontManager, SharingReleaseAndFontsThatDoNotLoad) {
  TDibFontManager m;
  m.FontPath = Z(FontDir());
  ZString pkg = WritePackage("share.dfp", "A;B", {{0, false, false, FontBytes(3)}});
  m.RegisterFontPackage(ZString(), pkg);
  TDibFont* a = m.CreateFont(Z("A"), 9, false, false);
  TDibFont* b = m.CreateFont(Z("b"), 9, false, false);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a->UsedCount, 2);
  EXPECT_EQ(m.ObjList.size(), 1u);
  EXPECT_EQ(m.FontList[0].FontObj, m.FontList[1].FontObj);
  m.DeleteFont(a);
  EXPECT_EQ(m.ObjList.size(), 1u);
  m.DeleteFont(b);
  EXPECT_TRUE(m.ObjList.empty());
  EXPECT_EQ(m.FontList[0].FontObj, nullptr);
  EXPECT_EQ(m.FontList[1].FontObj, nullptr);
  TDibFont foreign;
  m.DeleteFont(&foreign);  // not from this manager: ignored
  m.DeleteFont(nullptr);

  // A registration whose font does not load gives none, so "Default" serves.
  m.RegisterFont(Z("Broken"), 0, false, false, Z("broken.dfu"));
  WriteFileBytes(FontDir() + "broken.dfu", std::vector<uint8_t>(50, 1));
  m.RegisterFont(Z("Gone"), 0, false, false, Z("gone.dfu"));
  m.RegisterFont(Z("Default"), 0, false, false, Z("default.dfu"));
  WriteFileBytes(FontDir() + "default.dfu", FontBytes(9));
  for (const char* name : {"Broken", "Gone"}) {
    TDibFont* f = m.CreateFont(Z(name), 10, false, false);
    EXPECT_EQ(WidthOfA(f), 9) << name;
    m.DeleteFont(f);
  }
  // A package removed after registering.
  TDibFontManager m2;
  m2.FontPath = Z(FontDir());
  m2.RegisterFontPackage(Z("Late"), WritePackage("late.dfp", "x", {{0, false, false, FontBytes(3)}}));
  std::filesystem::remove(FontDir() + "late.dfp");
  EXPECT_EQ(m2.CreateFont(Z("Late"), 10, false, false), nullptr);
}

TEST(FontManager, BadPackagesRegisterNothing) {
  TDibFontManager m;
  m.FontPath = Z(FontDir());
  std::vector<uint8_t> pkg = PackageBytes("N", {{0, false, false, FontBytes(3)}, {0, true, false, FontBytes(3)}});
  std::vector<uint8_t> truncated(pkg.begin(), pkg.begin() + 266 + 20);
  WriteFileBytes(FontDir() + "truncated.dfp", truncated);
  m.RegisterFontPackage(ZString(), Z("truncated.dfp"));
  m.RegisterFontPackage(ZString(), Z("missing.dfp"));
  EXPECT_TRUE(m.FontList.empty());

  // Entries pointing into the index or past the end are skipped, the rest registered.
  std::vector<uint8_t> skipped = pkg;
  PutLE<uint32_t>(skipped, 266 + 8, 0);
  WriteFileBytes(FontDir() + "skipped.dfp", skipped);
  m.RegisterFontPackage(ZString(), Z("skipped.dfp"));
  ASSERT_EQ(m.FontList.size(), 1u);
  EXPECT_TRUE(m.FontList[0].FontBold);

  // 17 names x 4000 entries would be 68,000 registrations: none are added.
  std::string names;
  for (int i = 0; i < 17; ++i) names += std::string(1, static_cast<char>('a' + i)) + ";";
  std::vector<TFontPackageItem> many(4000, TFontPackageItem{0, false, false, {}});
  many.back().Data = FontBytes(3);
  WritePackage("many.dfp", names, many);
  m.RegisterFontPackage(ZString(), Z("many.dfp"));
  EXPECT_EQ(m.FontList.size(), 1u);
}

TEST(FontManager, AutoRegisterTakesPackagesInNameOrder) {
  std::string dir = TempPath("auto-fonts");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir + "/d.dfp");
  WriteFileBytes(dir + "/b.DFP", PackageBytes("Bee", {{0, false, false, FontBytes(3)}}));
  WriteFileBytes(dir + "/a.dfp", PackageBytes("Ay", {{0, false, false, FontBytes(4)}}));
  WriteFileBytes(dir + "/c.txt", PackageBytes("Cee", {{0, false, false, FontBytes(5)}}));
  TDibFontManager m;
  m.AutoRegisterPackages(Z(dir));
  EXPECT_EQ(m.FontPath, Z(dir + "/"));
  ASSERT_EQ(m.FontList.size(), 2u);
  EXPECT_EQ(m.FontList[0].Fontname, Z("Ay"));
  EXPECT_EQ(m.FontList[1].Fontname, Z("Bee"));
  TDibFont* f = m.CreateFont(Z("bee"), 20, false, false);
  EXPECT_EQ(WidthOfA(f), 3);
  m.DeleteFont(f);
  m.AutoRegisterPackages(ZString());
  EXPECT_EQ(m.FontList.size(), 2u);
}
