// The collation maps and their text conversions, and the weekday and month names.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "text/collation.h"
#include "text/name_tables.h"
#include "text/text_tables.h"

namespace {

using zkw::ZChar;
using zkw::ZString;

ZString Z(const char16_t* text) { return ZString(reinterpret_cast<const ZChar*>(text)); }
ZString Bytes(const std::string& bytes) {  // each byte as the unit of the same value
  ZString out;
  for (char c : bytes) out += static_cast<ZChar>(static_cast<uint8_t>(c));
  return out;
}

TEST(Collation, MapsFollowTheOrderString) {
  const auto& fwd = zkw::TextTables().Forward;
  const auto& back = zkw::TextTables().Backward;
  EXPECT_EQ(fwd[0x41], 0x3E);
  EXPECT_EQ(fwd[0x61], 0x9B);
  EXPECT_EQ(fwd[0x21], 0x21);
  EXPECT_EQ(fwd[0x20], 0x20);
  EXPECT_EQ(fwd[0x26], 0x26);
  EXPECT_EQ(fwd[0x7A], 0xF7) << "the last byte of the order string";
  EXPECT_EQ(back[0x3E], 0x41);
  EXPECT_EQ(back[0xF7], 0x7A);
  EXPECT_EQ(back[0x20], 0x20);
  EXPECT_EQ(back[0xF8], 0xF8);

  // The order string: 215 distinct bytes; the 41 it lacks map to themselves, and every byte it
  // holds comes back through the backward map.
  std::string_view order = zkw::CollationOrder();
  ASSERT_EQ(order.size(), 215u);
  std::string lacking;
  for (int b = 0; b < 256; ++b) {
    size_t at = order.find(static_cast<char>(b));
    if (at == std::string_view::npos) {
      lacking += static_cast<char>(b);
      EXPECT_EQ(fwd[b], b);
    } else {
      EXPECT_EQ(fwd[b], 33 + at);
      EXPECT_EQ(back[fwd[b]], b);
    }
  }
  std::string expectedLacking;
  for (int b = 0; b <= 0x20; ++b) expectedLacking += static_cast<char>(b);
  expectedLacking += "\x26\x5B\x5C\x5D\x7F\x80\xA0\xB7";
  EXPECT_EQ(lacking, expectedLacking);
}

TEST(Collation, TextsSortInTheOrderAndConvertBack) {
  // Digits before letters, upper case before lower case, a letter's variants (bytes of the
  // 8-bit Vietnamese encoding: 0xA2 belongs to "A", 0xE2 to "a") right after it.
  const std::string sorted[] = {"!", "0", "9", "A", "A\xA2", "AZ", "\xA2", "B", "Z",
                                "a", "a\xE2", "az", "\xE2", "b", "z"};
  for (size_t i = 1; i < std::size(sorted); ++i) {
    ZString a = zkw::CollationForward(Bytes(sorted[i - 1]));
    ZString b = zkw::CollationForward(Bytes(sorted[i]));
    EXPECT_LT(zkw::ToAnsi(a), zkw::ToAnsi(b)) << i;
  }
  // Sort codes come back as the text; the result goes through the code page (0x9B is U+203A).
  ZString text = Z(u"Xin ch\u00E0o, th\u1EBF gi\u1EDBi 2024");
  ZString codes = zkw::CollationForward(text);
  EXPECT_EQ(codes.substr(0, 3), Z(u"\u201C\u00C0\u00CA"));
  EXPECT_EQ(zkw::CollationForward(Z(u"a")), Z(u"\u203A"));
  EXPECT_EQ(zkw::CollationBackward(Z(u"\u203A")), Z(u"a"));
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != 0x26 && b != 0x5B && b != 0x5C && b != 0x5D && b != 0x7F && b != 0x80 && b != 0xA0 &&
        b != 0xB7)
      all += static_cast<char>(b);
  ZString allText = zkw::FromAnsi(all);
  EXPECT_EQ(zkw::CollationBackward(zkw::CollationForward(allText)), allText);
  // Longer texts than 255 characters are mapped whole.
  ZString longText(1000, ZChar('a'));
  EXPECT_EQ(zkw::CollationForward(longText), ZString(1000, static_cast<ZChar>(0x203A)));
}

TEST(NameTables, LookUpByRoundedNumber) {
  using zkw::NameOf;
  EXPECT_EQ(NameOf(zkw::ntDowName, 1), Z(u"Sunday"));
  EXPECT_EQ(NameOf(zkw::ntDowName, 2.5L), Z(u"Monday")) << "ties to even";
  EXPECT_EQ(NameOf(zkw::ntDowName, 3.5L), Z(u"Wednesday")) << "ties to even";
  EXPECT_EQ(NameOf(zkw::ntDowName, 6.6L), Z(u"Saturday"));
  EXPECT_EQ(NameOf(zkw::ntDowName, 7), Z(u"Saturday"));
  EXPECT_EQ(NameOf(zkw::ntDowName, 7.4L), ZString());
  EXPECT_EQ(NameOf(zkw::ntDowName, 0.9L), ZString());
  EXPECT_EQ(NameOf(zkw::ntDowName, std::numeric_limits<long double>::quiet_NaN()), ZString());
  EXPECT_EQ(NameOf(zkw::ntMonthName, 12), Z(u"December"));
  EXPECT_EQ(NameOf(zkw::ntMonthName, 12.4L), ZString());
  EXPECT_EQ(NameOf(zkw::ntMonthName, 1.5L), Z(u"February"));
  EXPECT_EQ(NameOf(zkw::ntDowVName, 1), Bytes("Ch\xD4 nh\xE2t"));
  EXPECT_EQ(NameOf(zkw::ntDowVName, 5), Bytes("Th\xF6 N\xD7m"));
  EXPECT_EQ(NameOf(zkw::ntVMonthName, 1), Bytes("Th\xBEng Gi\xE3ng"));
  EXPECT_EQ(NameOf(zkw::ntVMonthName, 11), Bytes("Th\xBEng M\xF5\xF1i M\xEEt"));
  EXPECT_EQ(NameOf(zkw::ntVMonthName, 13), ZString());
  for (int n = 1; n <= 12; ++n) {
    EXPECT_FALSE(zkw::NameAt(zkw::ntMonthName, n).empty());
    EXPECT_FALSE(zkw::NameAt(zkw::ntVMonthName, n).empty());
  }
}

}  // namespace
