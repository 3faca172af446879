// The Vietnamese tables: the library's own resources, and the three loaders on hand-made and
// damaged buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/last_error.h"
#include "text/text_tables.h"

namespace {

using zkw::ZChar;
using zkw::ZString;

ZString Z(const char16_t* text) { return ZString(reinterpret_cast<const ZChar*>(text)); }
ZChar C(char16_t ch) { return static_cast<ZChar>(ch); }

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

// --- Case table ----------------------------------------------------------------------------

const char16_t kLower[] =
    u"abcdefghijklmnopqrstuvwxyz\u0103\u00E2\u0111\u00EA\u00F4\u01A1\u01B0"
    u"\u00E1\u00E0\u1EA3\u00E3\u1EA1\u1EAF\u1EB1\u1EB3\u1EB5\u1EB7\u1EA5\u1EA7\u1EA9\u1EAB\u1EAD"
    u"\u00E9\u00E8\u1EBB\u1EBD\u1EB9\u1EBF\u1EC1\u1EC3\u1EC5\u1EC7\u00ED\u00EC\u1EC9\u0129\u1ECB"
    u"\u00F3\u00F2\u1ECF\u00F5\u1ECD\u1ED1\u1ED3\u1ED5\u1ED7\u1ED9\u1EDB\u1EDD\u1EDF\u1EE1\u1EE3"
    u"\u00FA\u00F9\u1EE7\u0169\u1EE5\u1EE9\u1EEB\u1EED\u1EEF\u1EF1\u00FD\u1EF3\u1EF7\u1EF9\u1EF5"
    u"\u00E4\u00EB\u00EF\u00F6\u00FC\u00FF\u00E5\u00EE\u00FB\u00E7\u00F1\u0153\u00E6";
const char16_t kUpper[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZ\u0102\u00C2\u0110\u00CA\u00D4\u01A0\u01AF"
    u"\u00C1\u00C0\u1EA2\u00C3\u1EA0\u1EAE\u1EB0\u1EB2\u1EB4\u1EB6\u1EA4\u1EA6\u1EA8\u1EAA\u1EAC"
    u"\u00C9\u00C8\u1EBA\u1EBC\u1EB8\u1EBE\u1EC0\u1EC2\u1EC4\u1EC6\u00CD\u00CC\u1EC8\u0128\u1ECA"
    u"\u00D3\u00D2\u1ECE\u00D5\u1ECC\u1ED0\u1ED2\u1ED4\u1ED6\u1ED8\u1EDA\u1EDC\u1EDE\u1EE0\u1EE2"
    u"\u00DA\u00D9\u1EE6\u0168\u1EE4\u1EE8\u1EEA\u1EEC\u1EEE\u1EF0\u00DD\u1EF2\u1EF6\u1EF8\u1EF4"
    u"\u00C4\u00CB\u00CF\u00D6\u00DC\u0178\u00C5\u00CE\u00DB\u00C7\u00D1\u0152\u00C6";

TEST(CaseTable, LibraryTableHoldsThe106Pairs) {
  const zkw::TCaseList& list = zkw::TextTables().CaseList;
  ASSERT_EQ(list.Count(), 106u);
  ASSERT_EQ(std::char_traits<char16_t>::length(kLower), 106u);
  for (size_t i = 0; i < 106; ++i) {
    EXPECT_EQ(list.Pair(i).Lower, kLower[i]) << "pair " << i;
    EXPECT_EQ(list.Pair(i).Upper, kUpper[i]) << "pair " << i;
  }
  // VUPPER and VLOWER over texts.
  EXPECT_EQ(list.Uppercase(Z(u"\u0111\u00FF\u00DF 09 ti\u1EBFng")), Z(u"\u0110\u0178\u00DF 09 TI\u1EBENG"));
  EXPECT_EQ(list.Lowercase(Z(u"\u0178\u0110\u00DF ABC")), Z(u"\u00FF\u0111\u00DF abc"));
  EXPECT_TRUE(list.IsUppercase(C(u'\u0178')));
  EXPECT_FALSE(list.IsUppercase(C(u'\u00FF')));
  EXPECT_TRUE(list.IsLowercase(C(u'\u1EF9')));
  EXPECT_FALSE(list.IsLowercase(C(u'\u00DF')));
  EXPECT_FALSE(list.IsLowercase(C(u'7')));
}

TEST(CaseTable, LoaderReadsTheLowByteOfTheCountAndSearchesInOrder) {
  std::vector<uint8_t> buf;
  Put16(buf, 0x0103);  // only the low byte counts: 3 pairs
  for (auto [lo, up] : {std::pair{u'a', u'X'}, {u'a', u'Y'}, {u'b', u'X'}}) {
    Put16(buf, lo);
    Put16(buf, up);
  }
  zkw::TCaseList list;
  ASSERT_TRUE(list.LoadFromBuffer(buf.data(), buf.size()));
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.Uppercase(C(u'a')), C(u'X')) << "the first pair wins";
  EXPECT_EQ(list.Lowercase(C(u'X')), C(u'a'));
  EXPECT_EQ(list.Uppercase(C(u'c')), C(u'c'));

  // A count of 0 is an empty table; empty tables change nothing.
  uint8_t zero[2] = {0, 7};
  ASSERT_TRUE(list.LoadFromBuffer(zero, 2));
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Uppercase(C(u'a')), C(u'a'));
}

TEST(CaseTable, LoaderRefusesTruncatedBuffers) {
  std::vector<uint8_t> buf;
  Put16(buf, 2);
  for (int i = 0; i < 8; ++i) buf.push_back(static_cast<uint8_t>('a' + i));
  zkw::TCaseList list;
  for (size_t size = 0; size < buf.size(); ++size) {
    ASSERT_TRUE(list.LoadFromBuffer(buf.data(), buf.size()));
    zkw::ClearLastErrorText();
    EXPECT_FALSE(list.LoadFromBuffer(buf.data(), size)) << size << " bytes";
    EXPECT_EQ(list.Count(), 0u) << "a refused buffer leaves the table empty";
    EXPECT_FALSE(zkw::LastErrorText().empty());
  }
  EXPECT_FALSE(list.LoadFromBuffer(nullptr, 10));
}

// --- Typing table --------------------------------------------------------------------------

struct CodeTab {
  std::string title = "T";
  uint16_t style = 0;
  uint16_t hotCount = 0;
  std::string hotKeys;  // hotCount bytes
  uint16_t entryCount = 0;
  std::vector<std::pair<std::u16string, std::u16string>> entries;

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out(26, 0);
    std::memcpy(out.data(), title.data(), std::min<size_t>(title.size(), 26));
    Put16(out, style);
    Put16(out, hotCount);
    out.insert(out.end(), hotKeys.begin(), hotKeys.end());
    Put16(out, entryCount);
    for (const auto& [key, value] : entries)
      for (const std::u16string* text : {&key, &value})
        for (size_t i = 0; i < 9; ++i) Put16(out, i < text->size() ? (*text)[i] : 0);
    return out;
  }
};

TEST(TypingTable, LibraryTableTypesEveryNonAsciiLetterOfTheCaseTable) {
  const zkw::TCharSetList& list = zkw::TextTables().CharSetList;
  EXPECT_EQ(list.Title(), "Vietnamese digit keys");
  EXPECT_EQ(list.Style(), 0);
  EXPECT_EQ(list.HotKeys(), "123456789");
  ASSERT_EQ(list.Count(), 160u);
  for (char c = '1'; c <= '9'; ++c) EXPECT_TRUE(list.IsHotKey(static_cast<uint8_t>(c))) << c;
  for (uint32_t c : {0u, 48u, 65u, 97u, 255u, 256u, 0x1EBFu}) EXPECT_FALSE(list.IsHotKey(c)) << c;

  EXPECT_EQ(list.Lookup(Z(u"a1")), Z(u"\u00E1"));
  EXPECT_EQ(list.Lookup(Z(u"\u00E22")), Z(u"\u1EA7")) << "tone on a marked vowel";
  EXPECT_EQ(list.Lookup(Z(u"D9")), Z(u"\u0110"));
  EXPECT_EQ(list.Lookup(Z(u"OE8")), Z(u"\u0152"));
  EXPECT_EQ(list.Lookup(Z(u"b1")), ZString());

  // The replacements are exactly the non-ASCII letters of the case table, both cases.
  std::vector<uint16_t> typed, expected;
  for (size_t i = 0; i < list.Count(); ++i) {
    const zkw::TCharSetEntry& e = list.Entry(i);
    ASSERT_EQ(e.Value.size(), 1u);
    EXPECT_TRUE(list.IsHotKey(static_cast<uint16_t>(e.Key.back()))) << "entry " << i;
    typed.push_back(static_cast<uint16_t>(e.Value[0]));
  }
  const zkw::TCaseList& cases = zkw::TextTables().CaseList;
  for (size_t i = 0; i < cases.Count(); ++i)
    if (cases.Pair(i).Lower >= 0x80) {
      expected.push_back(cases.Pair(i).Lower);
      expected.push_back(cases.Pair(i).Upper);
    }
  std::sort(typed.begin(), typed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(typed, expected);
}

TEST(TypingTable, LoaderReadsFieldsAndLowBytesOfCounts) {
  CodeTab tab;
  tab.title = std::string(26, 'x');  // no terminator: all 26 bytes
  tab.style = 1;
  tab.hotCount = 0x0104;  // low byte: 4
  tab.hotKeys = std::string("1\xFF\0\x32", 4);  // keys "1" and 0xFF; "2" lies past the zero
  tab.entryCount = 0x0202;
  tab.entries = {{u"abcdefghi", u"\u00E1"}, {u"a1", u"123456789"}};
  auto bytes = tab.Bytes();
  zkw::TCharSetList list;
  ASSERT_TRUE(list.LoadFromBuffer(bytes.data(), bytes.size()));
  EXPECT_EQ(list.Title(), std::string(26, 'x'));
  EXPECT_EQ(list.Style(), 1);
  EXPECT_EQ(list.HotKeys(), "1\xFF");
  EXPECT_TRUE(list.IsHotKey('1'));
  EXPECT_FALSE(list.IsHotKey('2'));
  EXPECT_TRUE(list.IsHotKey(255));
  EXPECT_TRUE(list.IsHotKey(0x1EBF)) << "codes of 256 or more count as 255";
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.Entry(0).Key, Z(u"abcdefghi")) << "nine units without a terminator";
  EXPECT_EQ(list.Entry(1).Value, Z(u"123456789"));
  EXPECT_EQ(list.Lookup(Z(u"a1")), Z(u"123456789"));
}

TEST(TypingTable, LoaderRefusesMalformedBuffers) {
  CodeTab tab;
  tab.hotCount = 3;
  tab.hotKeys = std::string("12\0", 3);
  tab.entryCount = 1;
  tab.entries = {{u"a1", u"\u00E1"}};
  auto bytes = tab.Bytes();
  zkw::TCharSetList list;
  for (size_t size = 0; size < bytes.size(); ++size) {
    ASSERT_TRUE(list.LoadFromBuffer(bytes.data(), bytes.size()));
    EXPECT_FALSE(list.LoadFromBuffer(bytes.data(), size)) << size << " bytes";
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_FALSE(list.IsHotKey('1')) << "a refused buffer leaves no hot keys";
  }
  CodeTab badStyle = tab;
  badStyle.style = 2;
  auto b1 = badStyle.Bytes();
  EXPECT_FALSE(list.LoadFromBuffer(b1.data(), b1.size()));
  CodeTab unterminated = tab;
  unterminated.hotKeys = "123";
  auto b2 = unterminated.Bytes();
  EXPECT_FALSE(list.LoadFromBuffer(b2.data(), b2.size()));
  CodeTab noHotKeys = tab;  // zero hot keys need no terminator
  noHotKeys.hotCount = 0;
  noHotKeys.hotKeys.clear();
  auto b3 = noHotKeys.Bytes();
  ASSERT_TRUE(list.LoadFromBuffer(b3.data(), b3.size()));
  EXPECT_FALSE(list.IsHotKey('1'));
  EXPECT_EQ(list.Count(), 1u);
}

// --- Unicode key table ---------------------------------------------------------------------

std::vector<uint8_t> KeyTable(const std::vector<std::pair<char16_t, std::string>>& records,
                              size_t keyBytes = 11) {
  std::vector<uint8_t> out;
  Put16(out, static_cast<uint16_t>(records.size()));
  for (const auto& [unit, key] : records) {
    Put16(out, unit);
    std::string field = key;
    field.resize(keyBytes, '\0');
    out.insert(out.end(), field.begin(), field.end());
  }
  return out;
}

TEST(UnicodeKeys, LibraryTableSortsVietnameseLetters) {
  const zkw::TUnicodeKeyList& keys = zkw::TextTables().UnicodeKeys;
  ASSERT_EQ(keys.Count(), 134u);
  for (size_t i = 0; i < keys.Count(); ++i) {
    EXPECT_GE(keys.Record(i).Unit, 0xC0);
    EXPECT_LE(keys.Record(i).Unit, 0x1EF9);
    EXPECT_GE(keys.Record(i).Key.size(), 2u);
    EXPECT_LE(keys.Record(i).Key.size(), 4u);
  }
  ASSERT_NE(keys.KeyOf(C(u'\u1EAF')), nullptr);
  EXPECT_EQ(*keys.KeyOf(C(u'\u1EAF')), "az14");
  EXPECT_EQ(keys.KeyOf(C(u'a')), nullptr);
  EXPECT_EQ(keys.KeyText(Z(u"Ti\u1EBFng Vi\u1EC7t")), "Tiez14ng Viez15t");
  EXPECT_EQ(keys.KeyText(Z(u"\u00E9\u00DF\u20AC\u4E00")), "e4\xDF\x80?")
      << "units without a record go through the code page";

  // The letters of the a group, and sample words, in Vietnamese alphabetical order.
  const std::vector<ZString> ordered = {
      Z(u"a"), Z(u"\u00E0"), Z(u"\u1EA3"), Z(u"\u00E3"), Z(u"\u00E1"), Z(u"\u1EA1"),
      Z(u"\u0103"), Z(u"\u1EB1"), Z(u"\u1EB3"), Z(u"\u1EB5"), Z(u"\u1EAF"), Z(u"\u1EB7"),
      Z(u"\u00E2"), Z(u"\u1EA7"), Z(u"\u1EA9"), Z(u"\u1EAB"), Z(u"\u1EA5"), Z(u"\u1EAD"),
      Z(u"b")};
  const std::vector<ZString> words = {
      Z(u"an"), Z(u"anh"), Z(u"ay"), Z(u"\u0103n"), Z(u"\u0103n u\u1ED1ng"), Z(u"\u00E2m"),
      Z(u"ba"), Z(u"b\u00E0"), Z(u"b\u00E1n"), Z(u"b\u1EA1n"), Z(u"b\u0103m"), Z(u"c\u00E1"),
      Z(u"dung"), Z(u"\u0111a"), Z(u"\u0111\u00E1"), Z(u"em"), Z(u"\u00EAm"), Z(u"o"),
      Z(u"\u00F4"), Z(u"\u01A1"), Z(u"u"), Z(u"uy"), Z(u"\u01B0a"), Z(u"y")};
  for (const auto* list : {&ordered, &words}) {
    std::vector<std::string> sortKeys;
    for (const ZString& text : *list) sortKeys.push_back(keys.KeyText(text));
    for (size_t i = 1; i < sortKeys.size(); ++i)
      EXPECT_LT(sortKeys[i - 1], sortKeys[i]) << "item " << i;
  }
}

TEST(UnicodeKeys, LoaderChecksCountAndKeyTexts) {
  auto good = KeyTable({{u'\u0103', "az1"}, {u'x', "12345"}, {u'\u0103', "first?"}});
  zkw::TUnicodeKeyList keys;
  EXPECT_FALSE(keys.LoadFromBuffer(good.data(), good.size())) << "a key of 6 characters";
  EXPECT_EQ(keys.Count(), 0u);

  good = KeyTable({{u'\u0103', "az1"}, {u'x', "12345"}, {u'\u0103', "zz"}, {u'y', ""}});
  ASSERT_TRUE(keys.LoadFromBuffer(good.data(), good.size()));
  EXPECT_EQ(keys.Count(), 4u);
  EXPECT_EQ(keys.KeyText(Z(u"\u0103xyz")), "az112345z") << "the first record of a unit wins";

  for (size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(keys.LoadFromBuffer(good.data(), size)) << size << " bytes";
    EXPECT_EQ(keys.Count(), 0u);
  }
  auto unterminated = KeyTable({{u'a', std::string(11, 'k')}});
  EXPECT_FALSE(keys.LoadFromBuffer(unterminated.data(), unterminated.size()));
}

}  // namespace
