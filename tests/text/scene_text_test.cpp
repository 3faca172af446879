// Scene-text escapes: decoding, malformed escapes kept as bytes, encoding through the code
// page, and round trips over every unit and every byte.
#include <gtest/gtest.h>

#include <string>

#include "text/scene_text.h"

namespace {

using zkw::DecodeSceneText;
using zkw::EncodeSceneText;
using zkw::ZString;

ZString Z(const char16_t* text) { return ZString(reinterpret_cast<const zkw::ZChar*>(text)); }

TEST(SceneText, DecodesEscapes) {
  EXPECT_EQ(DecodeSceneText("&#65"), Z(u"A")) << "escape ending the text";
  EXPECT_EQ(DecodeSceneText("&#65x"), Z(u"Ax")) << "byte after the digits is kept";
  EXPECT_EQ(DecodeSceneText("&#65#x"), Z(u"Ax")) << "terminating # is consumed";
  EXPECT_EQ(DecodeSceneText("&#65##"), Z(u"A#")) << "only one # is consumed";
  EXPECT_EQ(DecodeSceneText("x&#7871#y"), Z(u"x\u1EBFy"));
  EXPECT_EQ(DecodeSceneText("&#0000065#"), Z(u"A")) << "leading zeros";
  EXPECT_EQ(DecodeSceneText("&#65601#"), Z(u"A")) << "value modulo 65536";
  EXPECT_EQ(DecodeSceneText("&#2147483647#"), Z(u"\uFFFF")) << "largest 32-bit value";
  EXPECT_EQ(DecodeSceneText("&#65536#"), ZString(1, 0)) << "0 modulo 65536 is a zero unit";
  EXPECT_EQ(DecodeSceneText("&#65&#66#"), Z(u"AB")) << "an escape right after another";
}

TEST(SceneText, MalformedEscapesKeepTheirBytes) {
  EXPECT_EQ(DecodeSceneText("&"), Z(u"&"));
  EXPECT_EQ(DecodeSceneText("&x"), Z(u"&x"));
  EXPECT_EQ(DecodeSceneText("a&"), Z(u"a&"));
  EXPECT_EQ(DecodeSceneText("&#"), Z(u"&#")) << "# at the end, no digit";
  EXPECT_EQ(DecodeSceneText("&#x"), Z(u"&#x"));
  EXPECT_EQ(DecodeSceneText("&##"), Z(u"&##"));
  EXPECT_EQ(DecodeSceneText("&#&#66#"), Z(u"&#B")) << "a failed escape does not swallow the next";
  EXPECT_EQ(DecodeSceneText("&#2147483648#"), Z(u"&#2147483648#")) << "one past 32 bits";
  std::string longDigits = "&#" + std::string(400, '9') + "#z";
  ZString expected;
  for (char c : longDigits) expected += static_cast<zkw::ZChar>(c);
  EXPECT_EQ(DecodeSceneText(longDigits), expected);
}

TEST(SceneText, BytesDecodeToTheirOwnValue) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  ZString decoded = DecodeSceneText(all);
  ASSERT_EQ(decoded.size(), 256u);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(static_cast<int>(decoded[b]), b) << "byte " << b;
}

TEST(SceneText, Encodes) {
  EXPECT_EQ(EncodeSceneText(Z(u"\u1EBF")), "&#7871#");
  EXPECT_EQ(EncodeSceneText(Z(u"Hello, world!")), "Hello, world!");
  EXPECT_EQ(EncodeSceneText(Z(u"\u00E9\u00FF\u00A0")), "\xE9\xFF\xA0");
  EXPECT_EQ(EncodeSceneText(Z(u"\u0100")), "&#256#") << "first escaped unit";
  EXPECT_EQ(EncodeSceneText(Z(u"\uFFFF")), "&#65535#");
  EXPECT_EQ(EncodeSceneText(Z(u"ti\u1EBFng Vi\u1EC7t")), "ti&#7871#ng Vi&#7879#t");
  EXPECT_EQ(EncodeSceneText(ZString()), "");
  // C1 controls Windows-1252 has no byte of their own value for are escaped; the five it
  // leaves undefined are the bytes of the same value.
  EXPECT_EQ(EncodeSceneText(Z(u"\u0080\u0081\u009F\u0090")), "&#128#\x81&#159#\x90");
}

TEST(SceneText, RoundTrips) {
  // Every unit survives encoding and decoding, alone and between a "#" and digits (a text
  // that itself holds "&#" and digits cannot survive: the format does not escape "&").
  for (uint32_t u = 0; u < 0x10000; ++u) {
    ZString one(1, static_cast<zkw::ZChar>(u));
    ASSERT_EQ(DecodeSceneText(EncodeSceneText(one)), one) << "unit " << u;
    ZString framed = Z(u"#") + one + Z(u"9#");
    ASSERT_EQ(DecodeSceneText(EncodeSceneText(framed)), framed) << "unit " << u;
  }
  // Every byte survives decoding and encoding, the 27 bytes 0x80..0x9F whose unit the code
  // page writes differently as escapes.
  std::string bytes, expected;
  for (int b = 0; b < 256; ++b) {
    bytes += static_cast<char>(b);
    bool own = b < 0x80 || b >= 0xA0 || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    expected += own ? std::string(1, static_cast<char>(b)) : "&#" + std::to_string(b) + "#";
  }
  EXPECT_EQ(EncodeSceneText(DecodeSceneText(bytes)), expected);
  EXPECT_EQ(DecodeSceneText(expected), DecodeSceneText(bytes));
}

}  // namespace
