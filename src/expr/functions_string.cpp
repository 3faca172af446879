// Strings (codes 21-41, 58, 68-71). String arguments are decoded from the scene-text escapes to
// UTF-16 before use and string results encoded back, except where a function works on the raw
// 8-bit text (ORD) or converts through the code page (CHR). Positions and lengths count UTF-16
// units of the decoded text.
#include <algorithm>
#include <charconv>
#include <cstring>

#include "expr/functions_support.h"
#include "text/text_tables.h"

namespace zkw {

namespace {

// --- case mapping by the Unicode rules (the letters of the alphabetic scripts of the BMP) ----

// Upper-case letters Lo..Hi whose lower-case forms are Delta further on.
struct TShiftRange {
  uint16_t Lo, Hi;
  int32_t Delta;
};
const TShiftRange kShiftRanges[] = {
    {0x41, 0x5A, 32},     {0xC0, 0xD6, 32},     {0xD8, 0xDE, 32},   {0x178, 0x178, -121},
    {0x386, 0x386, 38},   {0x388, 0x38A, 37},   {0x38C, 0x38C, 64}, {0x38E, 0x38F, 63},
    {0x391, 0x3A1, 32},   {0x3A3, 0x3AB, 32},   {0x400, 0x40F, 80}, {0x410, 0x42F, 32},
    {0x4C0, 0x4C0, 15},   {0x531, 0x556, 48},   {0xFF21, 0xFF3A, 32},
};
// Ranges of alternating pairs: an upper-case letter at Lo, its lower-case form right after.
struct TPairRange {
  uint16_t Lo, Hi;
};
const TPairRange kPairRanges[] = {
    {0x100, 0x12F},  {0x132, 0x137},  {0x139, 0x148},   {0x14A, 0x177},   {0x179, 0x17E},
    {0x1A0, 0x1A1},  {0x1AF, 0x1B0},  {0x1CD, 0x1DC},   {0x1DE, 0x1EF},   {0x1F8, 0x21F},
    {0x222, 0x233},  {0x460, 0x481},  {0x48A, 0x4BF},   {0x4C1, 0x4CE},   {0x4D0, 0x52F},
    {0x1E00, 0x1E95}, {0x1EA0, 0x1EFF},
};

ZChar UnicodeUpper(ZChar c) {
  switch (c) {
    case 0x131: return u'I';    // dotless i
    case 0x17F: return u'S';    // long s
    case 0x3C2: return 0x3A3;   // final sigma
    default: break;
  }
  for (const TShiftRange& r : kShiftRanges)
    if (c >= r.Lo + r.Delta && c <= r.Hi + r.Delta) return static_cast<ZChar>(c - r.Delta);
  for (const TPairRange& r : kPairRanges)
    if (c > r.Lo && c <= r.Hi && (c - r.Lo) % 2 == 1) return static_cast<ZChar>(c - 1);
  return c;
}

ZChar UnicodeLower(ZChar c) {
  if (c == 0x130) return u'i';  // capital I with dot
  for (const TShiftRange& r : kShiftRanges)
    if (c >= r.Lo && c <= r.Hi) return static_cast<ZChar>(c + r.Delta);
  for (const TPairRange& r : kPairRanges)
    if (c >= r.Lo && c < r.Hi && (c - r.Lo) % 2 == 0) return static_cast<ZChar>(c + 1);
  return c;
}

// --- helpers -----------------------------------------------------------------------------------

// The whole argument list as one formula: its kind, value and text.
uint8_t Single(const TToken& Call, const TProccessInfo& Info, long double& V, std::string& T) {
  return EvaluateSingleArgument(Call, Info, V, T);
}

// Count units of Unit, at most the result limit.
ZString Repeat(ZStringView Piece, int64_t Times) {
  ZString out;
  if (Piece.empty() || Times <= 0) return out;
  int64_t most = static_cast<int64_t>(kMaxResultUnits / Piece.size());
  Times = std::min(Times, most);
  out.reserve(static_cast<size_t>(Times) * Piece.size());
  for (int64_t i = 0; i < Times; ++i) out.append(Piece);
  return out;
}

// Leading or trailing blanks and control characters (units up to U+0020) removed.
ZString TrimText(const ZString& S, bool Left, bool Right) {
  size_t b = 0, e = S.size();
  if (Left)
    while (b < e && S[b] <= 0x20) ++b;
  if (Right)
    while (e > b && S[e - 1] <= 0x20) --e;
  return S.substr(b, e - b);
}

// 1-based position of the first or last occurrence of Sub in S; 0 when absent or Sub is empty.
int64_t Position(const ZString& S, const ZString& Sub, bool Last) {
  if (Sub.empty() || S.empty()) return 0;
  size_t p = Last ? S.rfind(Sub) : S.find(Sub);
  return p == ZString::npos ? 0 : static_cast<int64_t>(p) + 1;
}

// Clamps a rounded count to 0..limit.
size_t Units(long double V, size_t Limit) {
  int64_t n = RoundInt(V);
  if (n <= 0) return 0;
  return static_cast<size_t>(std::min<int64_t>(n, static_cast<int64_t>(Limit)));
}

// --- functions of two or three arguments ------------------------------------------------------

// "Left"/"Right": exactly 2, a string and a number.
uint8_t LeftRight(const TToken& Call, const TProccessInfo& Info, std::string& Text, bool Left) {
  TArgs a(Call, Info);
  if (a.Count() != 2) return vkNone;
  std::string s;
  long double n = 0;
  if (!a.String(0, s) || !a.Number(1, n)) return vkNone;
  ZString u = Decode(s);
  size_t count = Units(n, u.size());
  return TextResult(Text, Encode(Left ? ZStringView(u).substr(0, count)
                                      : ZStringView(u).substr(u.size() - count)));
}

uint8_t FnLeft(const TToken& Call, const TProccessInfo& Info, long double&, std::string& Text) {
  return LeftRight(Call, Info, Text, true);
}

uint8_t FnRight(const TToken& Call, const TProccessInfo& Info, long double&, std::string& Text) {
  return LeftRight(Call, Info, Text, false);
}

// "Iif": all three evaluated; Value1 when the condition's number is not 0 and Value1 is a
// number, string or date, else Value2, each with its kind.
uint8_t FnIif(const TToken& Call, const TProccessInfo& Info, long double& Value,
              std::string& Text) {
  TArgs a(Call, Info);
  if (a.Count() != 3) return vkNone;
  long double cond = 0, v1 = 0, v2 = 0;
  std::string tc, t1, t2;
  a.Eval(0, cond, tc);
  uint8_t k1 = a.Eval(1, v1, t1);
  uint8_t k2 = a.Eval(2, v2, t2);
  if (cond != 0 && (k1 == vkNumber || k1 == vkString || k1 == vkDate)) {
    Value = v1;
    Text = std::move(t1);
    return k1;
  }
  Value = v2;
  Text = std::move(t2);
  return k2;
}

// "Replicate": exactly 2, a string and a number.
uint8_t FnReplicate(const TToken& Call, const TProccessInfo& Info, long double&,
                    std::string& Text) {
  TArgs a(Call, Info);
  if (a.Count() != 2) return vkNone;
  std::string s;
  long double n = 0;
  if (!a.String(0, s) || !a.Number(1, n)) return vkNone;
  return TextResult(Text, Encode(Repeat(Decode(s), RoundInt(n))));
}

// "At"/"RAt": exactly 2 strings.
uint8_t AtRat(const TToken& Call, const TProccessInfo& Info, long double& Value, bool Last) {
  TArgs a(Call, Info);
  if (a.Count() != 2) return vkNone;
  std::string s, sub;
  if (!a.String(0, s) || !a.String(1, sub)) return vkNone;
  return NumberResult(Value, static_cast<long double>(Position(Decode(s), Decode(sub), Last)));
}

uint8_t FnAt(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  return AtRat(Call, Info, Value, false);
}

uint8_t FnRAt(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  return AtRat(Call, Info, Value, true);
}

// "SubStr": exactly 3: the units from the 1-based start (below 1 counts as 1), at most length.
uint8_t FnSubStr(const TToken& Call, const TProccessInfo& Info, long double&, std::string& Text) {
  TArgs a(Call, Info);
  if (a.Count() != 3) return vkNone;
  std::string s;
  long double start = 0, len = 0;
  if (!a.String(0, s) || !a.Number(1, start) || !a.Number(2, len)) return vkNone;
  ZString u = Decode(s);
  int64_t from = std::max<int64_t>(RoundInt(start), 1);
  if (from > static_cast<int64_t>(u.size())) return TextResult(Text, std::string());
  size_t first = static_cast<size_t>(from - 1);
  return TextResult(Text, Encode(ZStringView(u).substr(first, Units(len, u.size() - first))));
}

// "Replace": the first text written over a copy of the second from the given 1-based position;
// units that would fall outside the copy are dropped, so the result has the second's length.
uint8_t FnReplace(const TToken& Call, const TProccessInfo& Info, long double&,
                  std::string& Text) {
  TArgs a(Call, Info);
  if (a.Count() != 3) return vkNone;
  std::string over, base;
  long double pos = 0;
  if (!a.String(0, over) || !a.String(1, base) || !a.Number(2, pos)) return vkNone;
  ZString o = Decode(over), out = Decode(base);
  int64_t p = RoundInt(pos);
  for (size_t i = 0; i < o.size(); ++i) {
    // Position of unit i, 1-based, computed without overflow for any p.
    if (p > static_cast<int64_t>(out.size())) break;
    int64_t at = p + static_cast<int64_t>(i);
    if (at >= 1 && at <= static_cast<int64_t>(out.size())) out[static_cast<size_t>(at - 1)] = o[i];
  }
  return TextResult(Text, Encode(out));
}

// "Str": 1 to 3 numbers: fixed notation with Decimal digits, right-aligned to Length.
uint8_t FnStr(const TToken& Call, const TProccessInfo& Info, long double&, std::string& Text) {
  TArgs a(Call, Info);
  int32_t n = a.Count();
  if (n < 1 || n > 3) return vkNone;
  long double x = 0, len = 0, dec = 0;
  if (!a.Number(0, x)) return vkNone;
  if (n >= 2 && !a.Number(1, len)) return vkNone;
  if (n >= 3 && !a.Number(2, dec)) return vkNone;
  constexpr int kMaxDecimals = 64;
  int decimals = static_cast<int>(std::min<int64_t>(std::max<int64_t>(RoundInt(dec), 0), kMaxDecimals));
  std::string digits(5000 + kMaxDecimals, '\0');  // room for the largest extended number
  auto r = std::to_chars(digits.data(), digits.data() + digits.size(), x, std::chars_format::fixed,
                         decimals);
  digits.resize(r.ec == std::errc() ? static_cast<size_t>(r.ptr - digits.data()) : 0);
  // The decimal separator of this library's number texts is ".", so "." and "," stay ".".
  std::replace(digits.begin(), digits.end(), ',', '.');
  size_t width = Units(len, kMaxResultUnits);
  if (digits.size() < width) digits.insert(0, width - digits.size(), ' ');
  return TextResult(Text, std::move(digits));
}

// "LeadStr": exactly 2 numbers: the decimal text of i padded on the left with "0" to Len.
uint8_t FnLeadStr(const TToken& Call, const TProccessInfo& Info, long double&,
                  std::string& Text) {
  TArgs a(Call, Info);
  if (a.Count() != 2) return vkNone;
  long double i = 0, len = 0;
  if (!a.Number(0, i) || !a.Number(1, len)) return vkNone;
  std::string s = std::to_string(RoundInt(i));
  size_t width = Units(len, kMaxResultUnits);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return TextResult(Text, std::move(s));
}

// "Strings": exactly 2, a string and a number: the unit at the 1-based index, else "".
uint8_t FnStrings(const TToken& Call, const TProccessInfo& Info, long double&,
                  std::string& Text) {
  TArgs a(Call, Info);
  if (a.Count() != 2) return vkNone;
  std::string s;
  long double idx = 0;
  if (!a.String(0, s) || !a.Number(1, idx)) return vkNone;
  ZString u = Decode(s);
  int64_t i = RoundInt(idx);
  if (i < 1 || i > static_cast<int64_t>(u.size())) return TextResult(Text, std::string());
  return TextResult(Text, Encode(ZStringView(u).substr(static_cast<size_t>(i - 1), 1)));
}

// --- functions of one argument ----------------------------------------------------------------

// "Len": the decoded length of a string; 0 for other kinds.
uint8_t FnLen(const TToken& Call, const TProccessInfo& Info, long double& Value,
              std::string& Text) {
  uint8_t k = Single(Call, Info, Value, Text);
  long double n = k == vkString ? static_cast<long double>(Decode(Text).size()) : 0;
  Text.clear();
  return NumberResult(Value, n);
}

// "Space": that many blanks for a number, the empty text otherwise.
uint8_t FnSpace(const TToken& Call, const TProccessInfo& Info, long double& Value,
                std::string& Text) {
  uint8_t k = Single(Call, Info, Value, Text);
  size_t n = k == vkNumber ? Units(Value, kMaxResultUnits) : 0;
  Value = 0;
  return TextResult(Text, std::string(n, ' '));
}

// Applies a unit mapping to a string argument; kind 0 for other kinds.
template <class F>
uint8_t MapText(const TToken& Call, const TProccessInfo& Info, long double& Value,
                std::string& Text, F Map) {
  if (Single(Call, Info, Value, Text) != vkString) return vkNone;
  Value = 0;
  ZString u = Decode(Text);
  for (ZChar& c : u) c = Map(c);
  return TextResult(Text, Encode(u));
}

uint8_t FnUpper(const TToken& Call, const TProccessInfo& Info, long double& Value,
                std::string& Text) {
  return MapText(Call, Info, Value, Text, UnicodeUpper);
}

uint8_t FnLower(const TToken& Call, const TProccessInfo& Info, long double& Value,
                std::string& Text) {
  return MapText(Call, Info, Value, Text, UnicodeLower);
}

uint8_t FnVUpper(const TToken& Call, const TProccessInfo& Info, long double& Value,
                 std::string& Text) {
  const TCaseList& cases = TextTables().CaseList;
  return MapText(Call, Info, Value, Text, [&](ZChar c) { return cases.Uppercase(c); });
}

uint8_t FnVLower(const TToken& Call, const TProccessInfo& Info, long double& Value,
                 std::string& Text) {
  const TCaseList& cases = TextTables().CaseList;
  return MapText(Call, Info, Value, Text, [&](ZChar c) { return cases.Lowercase(c); });
}

// "Hex": 4 upper-case digits of the low 16 bits; 8 digits (low 32 bits) above 65535.
uint8_t FnHex(const TToken& Call, const TProccessInfo& Info, long double& Value,
              std::string& Text) {
  if (Single(Call, Info, Value, Text) != vkNumber) return vkNone;
  int64_t n = RoundInt(Value);
  Value = 0;
  char buf[16];
  uint32_t bits = static_cast<uint32_t>(static_cast<uint64_t>(n));
  if (n > 65535)
    std::snprintf(buf, sizeof buf, "%04X%04X", bits >> 16, bits & 0xFFFF);
  else
    std::snprintf(buf, sizeof buf, "%04X", bits & 0xFFFF);
  return TextResult(Text, buf);
}

// "Bin": the 8 binary digits of the low byte, most significant first.
uint8_t FnBin(const TToken& Call, const TProccessInfo& Info, long double& Value,
              std::string& Text) {
  if (Single(Call, Info, Value, Text) != vkNumber) return vkNone;
  uint8_t b = static_cast<uint8_t>(static_cast<uint64_t>(RoundInt(Value)));
  Value = 0;
  std::string s(8, '0');
  for (int i = 0; i < 8; ++i)
    if (b & (0x80 >> i)) s[static_cast<size_t>(i)] = '1';
  return TextResult(Text, std::move(s));
}

// Reads a decimal number written as [blanks][sign]digits[.digits][(e|E)[sign]digits][blanks]
// with "." or "," as the decimal separator; false for anything else.
bool ParseNumber(const std::string& S, long double& Out) {
  size_t b = 0, e = S.size();
  while (b < e && S[b] == ' ') ++b;
  while (e > b && S[e - 1] == ' ') --e;
  std::string t = S.substr(b, e - b);
  std::replace(t.begin(), t.end(), ',', '.');
  size_t i = 0, digits = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  size_t start = i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1, expDigits = 0;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    while (j < t.size() && t[j] >= '0' && t[j] <= '9') ++j, ++expDigits;
    if (expDigits == 0) return false;
    i = j;
  }
  if (i != t.size()) return false;
  const char* first = t.data() + start;
  if (*first == '.') {  // from_chars wants a digit before the point
    t.insert(start, "0");
    first = t.data() + start;
  }
  long double v = 0;
  auto r = std::from_chars(first, t.data() + t.size(), v);
  if (r.ec == std::errc::result_out_of_range) v = 0;
  else if (r.ec != std::errc()) return false;
  Out = negative ? -v : v;
  return true;
}

// "Val": the number a string writes, 0 when it writes none or is no string.
uint8_t FnVal(const TToken& Call, const TProccessInfo& Info, long double& Value,
              std::string& Text) {
  uint8_t k = Single(Call, Info, Value, Text);
  long double v = 0;
  if (k != vkString || !ParseNumber(Text, v)) v = 0;
  Text.clear();
  return NumberResult(Value, v);
}

// "LTrim"/"RTrim"/"Trim": blanks and control characters removed; "" for other kinds.
uint8_t Trim(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string& Text,
             bool Left, bool Right) {
  uint8_t k = Single(Call, Info, Value, Text);
  Value = 0;
  if (k != vkString) return TextResult(Text, std::string());
  return TextResult(Text, Encode(TrimText(Decode(Text), Left, Right)));
}

uint8_t FnLTrim(const TToken& Call, const TProccessInfo& Info, long double& Value,
                std::string& Text) {
  return Trim(Call, Info, Value, Text, true, false);
}
uint8_t FnRTrim(const TToken& Call, const TProccessInfo& Info, long double& Value,
                std::string& Text) {
  return Trim(Call, Info, Value, Text, false, true);
}
uint8_t FnTrim(const TToken& Call, const TProccessInfo& Info, long double& Value,
               std::string& Text) {
  return Trim(Call, Info, Value, Text, true, true);
}

// "Chr": the code (low 16 bits) as one 8-bit character through the code page; "" for 0.
uint8_t FnChr(const TToken& Call, const TProccessInfo& Info, long double& Value,
              std::string& Text) {
  uint8_t k = Single(Call, Info, Value, Text);
  ZChar c = static_cast<ZChar>(static_cast<uint64_t>(RoundInt(Value)) & 0xFFFF);
  Value = 0;
  if (k != vkNumber || c == 0) return TextResult(Text, std::string());
  return TextResult(Text, ToAnsi(ZStringView(&c, 1)));
}

// "Ord": the first byte of the raw text; 0 for "" and other kinds.
uint8_t FnOrd(const TToken& Call, const TProccessInfo& Info, long double& Value,
              std::string& Text) {
  uint8_t k = Single(Call, Info, Value, Text);
  long double v = k == vkString && !Text.empty() ? static_cast<uint8_t>(Text[0]) : 0;
  Text.clear();
  return NumberResult(Value, v);
}

// "ShuffleStr": a random permutation that differs from the argument (see the docs for the
// steps); texts shorter than 2 units or of one repeated unit come back unchanged.
uint8_t FnShuffleStr(const TToken& Call, const TProccessInfo& Info, long double& Value,
                     std::string& Text) {
  if (Single(Call, Info, Value, Text) != vkString) return vkNone;
  Value = 0;
  ZString u = Decode(Text);
  const ZString original = u;
  const int64_t n = static_cast<int64_t>(u.size());
  if (n < 2 || std::all_of(u.begin(), u.end(), [&](ZChar c) { return c == u[0]; }))
    return TextResult(Text, Encode(u));
  do {
    std::swap(u[0], u[static_cast<size_t>(RandomBetween(2, n) - 1)]);
    for (int64_t k = 0; k < n / 2; ++k) {
      int64_t i = RandomBetween(1, n), j = RandomBetween(1, n);
      if (i != j) std::swap(u[static_cast<size_t>(i - 1)], u[static_cast<size_t>(j - 1)]);
    }
  } while (u == original);
  return TextResult(Text, Encode(u));
}

const TFunctionBinding kStrings[] = {
    {21, FnLeft},     {22, FnRight},  {23, FnIif},     {24, FnLen},      {25, FnSpace},
    {26, FnReplicate}, {27, FnUpper}, {28, FnLower},   {29, FnHex},      {30, FnBin},
    {31, FnAt},       {32, FnRAt},    {33, FnSubStr},  {34, FnReplace},  {35, FnStr},
    {36, FnVal},      {37, FnLTrim},  {38, FnRTrim},   {39, FnTrim},     {40, FnVUpper},
    {41, FnVLower},   {58, FnLeadStr}, {68, FnChr},    {69, FnOrd},      {70, FnStrings},
    {71, FnShuffleStr},
};

}  // namespace

TFunctionGroup StringFunctions() { return {kStrings, std::size(kStrings)}; }

}  // namespace zkw
