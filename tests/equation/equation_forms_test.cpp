// The stored forms of equations: every class through every form, exact bytes, hand-made
// inputs of the older buffer layout, and the inputs readers must refuse.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "base/last_error.h"
#include "common/byte_stream.h"
#include "equation/text_form.h"
#include "support/equation_builders.h"
#include "support/test_support.h"

namespace {

using zkw::TEquation;
using zkw::ZString;
using zkwtest::Z;

// Little-endian bytes, as the binary forms hold them.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& I32(int32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    return *this;
  }
  Bytes& U8(uint8_t v) { return b.push_back(v), *this; }
  Bytes& Raw(const std::string& s) { return b.insert(b.end(), s.begin(), s.end()), *this; }
  Bytes& Units(const std::string& s, bool terminator) {
    for (char c : s) U8(static_cast<uint8_t>(c)).U8(0);
    if (terminator) U8(0).U8(0);
    return *this;
  }
  Bytes& Font() {
    zkw::TFontID font = zkw::DefaultFontID();
    const auto* p = reinterpret_cast<const uint8_t*>(&font);
    return b.insert(b.end(), p, p + sizeof font), *this;
  }
  Bytes& Append(const Bytes& other) { return b.insert(b.end(), other.b.begin(), other.b.end()), *this; }
};

// An equation that holds one text item "keep": readers that refuse must leave it so.
std::unique_ptr<TEquation> Kept() {
  auto equation = std::make_unique<TEquation>();
  equation->Add(zkwtest::TextItem("keep"));
  return equation;
}

bool StreamRead(TEquation& e, const std::vector<uint8_t>& bytes) {
  zkw::TMemoryStream stream(bytes);
  return e.Read(stream);
}
bool BufferRead(TEquation& e, const std::vector<uint8_t>& bytes) {
  return e.LoadFromBuffer(bytes.data(), bytes.size());
}
bool TextRead(TEquation& e, const ZString& text) {
  int32_t index = 1;
  return e.ImportFrom(text, index);
}
// Scratch files per test: ctest runs the tests of the suite side by side.
std::string ScratchPath(const char* use) {
  return zkwtest::TempPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + use);
}

bool FileRead(TEquation& e, const std::vector<uint8_t>& bytes) {
  const std::string path = ScratchPath("-read.eqf");
  zkwtest::WriteFileBytes(path, bytes);
  return e.LoadFromFile(Z(path).c_str());
}
std::vector<uint8_t> FileBytes(TEquation& e) {
  const std::string path = ScratchPath("-write.eqf");
  EXPECT_TRUE(e.SaveToFile(Z(path).c_str()));
  return zkwtest::ReadFileBytes(path);
}
std::vector<uint8_t> TextBytes(TEquation& e) {
  const ZString text = zkwtest::TextForm(e);
  return std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(text.data()),
                              reinterpret_cast<const uint8_t*>(text.data() + text.size()));
}
bool TextBytesRead(TEquation& e, const std::vector<uint8_t>& bytes) {
  ZString text(bytes.size() / sizeof(zkw::ZChar), 0);
  std::memcpy(&text[0], bytes.data(), bytes.size());
  return TextRead(e, text);
}

struct Form {
  const char* name;
  std::function<std::vector<uint8_t>(TEquation&)> write;
  std::function<bool(TEquation&, const std::vector<uint8_t>&)> read;
};
const std::vector<Form>& Forms() {
  static const std::vector<Form> forms = {{"stream", zkwtest::StreamBytes, StreamRead},
                                          {"buffer", zkwtest::BufferBytes, BufferRead},
                                          {"file", FileBytes, FileRead},
                                          {"text", TextBytes, TextBytesRead}};
  return forms;
}

TEST(EquationForms, EveryClassRoundTripsThroughEveryFormWithItsFields) {
  for (int32_t code : zkwtest::EquationClassCodes()) {
    TEquation original;
    original.Add(zkwtest::SampleItem(code).release());
    const std::vector<uint8_t> stored = zkwtest::StreamBytes(original);
    for (const Form& form : Forms()) {
      SCOPED_TRACE(std::string(form.name) + " form, class " + std::to_string(code));
      const std::vector<uint8_t> first = form.write(original);
      TEquation read;
      ASSERT_TRUE(form.read(read, first)) << zkw::LastErrorText();
      ASSERT_EQ(read.Count(), 1);
      EXPECT_EQ(read.GetItem(0)->ClassCode(), code);
      EXPECT_EQ(form.write(read), first);
      if (std::string(form.name) == "text" && code == 44) {
        EXPECT_EQ(static_cast<zkw::TSimpleRect*>(read.GetItem(0))->FStyle, 0);  // not carried
      } else {
        EXPECT_EQ(zkwtest::StreamBytes(read), stored);
      }
    }
  }
}

TEST(EquationForms, ItemOperationsOfEachFormReadWhatTheyWrite) {
  for (int32_t code : zkwtest::EquationClassCodes()) {
    SCOPED_TRACE("class " + std::to_string(code));
    std::unique_ptr<zkw::TEquationItem> item = zkwtest::SampleItem(code), back = zkw::NewEquationItem(code);
    zkw::TMemoryStream stream;
    ASSERT_TRUE(item->Write(stream));
    EXPECT_EQ(static_cast<int64_t>(stream.Size()), item->ObjSize());
    stream.Seek(0, zkw::SeekOrigin::soBeginning);
    ASSERT_TRUE(back->Read(stream));
    zkw::TMemoryStream again;
    back->Write(again);
    EXPECT_EQ(again.Bytes(), stream.Bytes());

    std::vector<uint8_t> buffer(static_cast<size_t>(item->ObjSize()));
    uint8_t* end = buffer.data();
    item->SaveObj(end);
    const uint8_t* read = buffer.data();
    ASSERT_TRUE(back->LoadObj(read));
    EXPECT_EQ(read, end);

    ZString text = Z("<>");
    int32_t index = 2;
    item->ExportObj(text, index);
    int32_t at = 2;
    ASSERT_TRUE(back->ImportObj(text, at));
    EXPECT_EQ(at, index);
    EXPECT_EQ(text.substr(static_cast<size_t>(index - 1)), Z(">"));
  }
  // The child-list halves on their own.
  zkw::TFraction fraction;
  fraction.NAdd(zkwtest::TextItem("n"));
  zkw::TMemoryStream list;
  ASSERT_TRUE(fraction.WriteEqList(list));
  EXPECT_EQ(static_cast<int64_t>(list.Size()), fraction.EqListSize());
  list.Seek(0, zkw::SeekOrigin::soBeginning);
  zkw::TFraction copy;
  ASSERT_TRUE(copy.ReadEqList(list));
  EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(copy.GetItem(0)->GetItem(0))->FExpr, Z("n"));
  zkw::TTextWriter w;
  fraction.WriteChildren(w);
  int32_t index = 1;
  zkw::TFraction fromText;
  ASSERT_TRUE(fromText.ImportEqList(w.FOut, index));
  EXPECT_EQ(index, static_cast<int32_t>(w.FOut.size()) + 1);
  EXPECT_EQ(fromText.GetItem(0)->Count(), 1);
}

TEST(EquationForms, FileLengthIsTheStoredTotalAndTheDataSizePlus26) {
  std::unique_ptr<TEquation> equation = zkwtest::SampleEquation();
  const std::vector<uint8_t> file = FileBytes(*equation);
  ASSERT_GT(file.size(), 162u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data()), 12), std::string("ISCEquation\0", 12));
  EXPECT_EQ(zkwtest::GetLE<uint32_t>(file, 12), 0x00020000u);
  EXPECT_EQ(zkwtest::GetLE<uint16_t>(file, 16), 40u);
  EXPECT_EQ(zkwtest::GetLE<uint32_t>(file, 18), file.size());
  EXPECT_EQ(zkwtest::GetLE<uint32_t>(file, 22), 0u);
  EXPECT_EQ(static_cast<int64_t>(file.size()), 26 + equation->DataSize());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[26])), "Times New Roman");
  EXPECT_EQ(file[26 + 129], 1);  // bold
  EXPECT_EQ(zkwtest::GetLE<int32_t>(file, 26 + 132), 12);

  // Loading gives the stored font to the whole tree: a superscript's child gets two thirds.
  TEquation loaded;
  ASSERT_TRUE(FileRead(loaded, file));
  EXPECT_EQ(zkw::FaceName(loaded.FFontID), "Times New Roman");
  EXPECT_EQ(loaded.GetItem(4)->GetItem(0)->FFontID.ftSize, 8);
  EXPECT_EQ(zkwtest::StreamBytes(loaded), zkwtest::StreamBytes(*equation));

  // One byte of the stored total changed: refused, the equation unchanged.
  for (size_t at = 18; at < 22; ++at) {
    std::vector<uint8_t> changed = file;
    changed[at] ^= 0x01;
    std::unique_ptr<TEquation> kept = Kept();
    EXPECT_FALSE(FileRead(*kept, changed)) << at;
    EXPECT_EQ(kept->Count(), 1);
  }
}

TEST(EquationForms, FractionOfTwoLettersHasTheseExactBytesInEachForm) {
  TEquation equation;
  auto* fraction = new zkw::TFraction;
  fraction->NAdd(zkwtest::TextItem("a"));
  fraction->DAdd(zkwtest::TextItem("b"));
  equation.Add(fraction);
  auto child = [](const char* letter, bool buffer) {
    Bytes c;
    c.I32(1).I32(1).I32(0).I32(0);
    if (buffer) c.I32(141072).I32(1).Units(letter, false);
    else c.I32(0x20000).I32(4).Units(letter, true);
    return c;
  };
  Bytes stream;
  stream.I32(1).I32(2).I32(0).I32(0).I32(0x20000).I32(2).Append(child("a", false)).Append(child("b", false));
  EXPECT_EQ(zkwtest::StreamBytes(equation), stream.b);
  EXPECT_EQ(equation.StreamSize(), static_cast<int64_t>(stream.b.size()));
  Bytes buffer;
  buffer.Font().I32(1).I32(2).I32(0).I32(0).I32(141072).I32(2).Append(child("a", true)).Append(child("b", true));
  EXPECT_EQ(zkwtest::BufferBytes(equation), buffer.b);
  std::vector<uint8_t> host(static_cast<size_t>(equation.DataSize()), 0xEE);
  equation.SaveToBuffer(host.data());
  EXPECT_TRUE(std::equal(buffer.b.begin(), buffer.b.end(), host.begin()));
  EXPECT_EQ(zkwtest::TextForm(equation),
            Z("0011" "0012" "0010" "0010" "0012" "0011" "0011" "0010" "0010" "001a" "0011" "0011" "0010" "0010" "001b"));
  // Inserted into running text at a 1-based position that then stands after it.
  ZString text = Z("[]");
  int32_t index = 2;
  equation.ExportTo(text, index);
  EXPECT_EQ(index, 2 + 60);
  EXPECT_EQ(text.substr(0, 5), Z("[0011"));
  TEquation again;
  index = 2;
  ASSERT_TRUE(again.ImportFrom(text, index));
  EXPECT_EQ(index, 62);
  EXPECT_EQ(zkwtest::StreamBytes(again), stream.b);
}

TEST(EquationForms, EdgeCasesOfTheForms) {
  // Text-form numbers: three-digit length, then the digits.
  zkw::TTextWriter numbers;
  for (int64_t v : {255, 0, -1, 2147483647}) numbers.Number(v);
  EXPECT_EQ(numbers.FOut, Z("003255" "0010" "002-1" "0102147483647"));

  // A fraction stored with three children gets a third, empty child; it is written back so.
  Bytes three;
  three.I32(1).I32(2).I32(7).I32(8).I32(0x20000).I32(3).I32(0).I32(0).I32(0);
  TEquation fraction;
  ASSERT_TRUE(StreamRead(fraction, three.b)) << zkw::LastErrorText();
  EXPECT_EQ(fraction.GetItem(0)->ChildCount(), 3);
  EXPECT_EQ(fraction.GetItem(0)->FColor, 7u);
  EXPECT_EQ(zkwtest::StreamBytes(fraction), three.b);

  // Apostrophes and hyphens read become U+2019 and U+2013.
  Bytes text;
  text.I32(1).I32(1).I32(0).I32(0).I32(0x20000).I32(12).Units("a-b's", true);
  TEquation quoted;
  ASSERT_TRUE(StreamRead(quoted, text.b));
  EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(quoted.GetItem(0))->FExpr, Z("a–b’s"));

  // Every item a buffer holds carries 141072; without it the item is of version 1 with an
  // 8-bit text taken up to its first zero.
  std::unique_ptr<TEquation> sample = zkwtest::SampleEquation();
  const std::vector<uint8_t> buffer = zkwtest::BufferBytes(*sample);
  Bytes marker;
  marker.I32(141072);
  size_t markers = 0;
  for (auto at = buffer.begin(); (at = std::search(at, buffer.end(), marker.b.begin(), marker.b.end())) != buffer.end(); ++at)
    ++markers;
  std::function<size_t(const TEquation&)> items = [&](const TEquation& e) {
    size_t n = e.FList.size();
    for (const auto& item : e.FList)
      for (const auto& child : item->FEQList) n += items(*child);
    return n;
  };
  EXPECT_EQ(markers, items(*sample));
  Bytes old;
  old.Font().I32(2).I32(1).I32(5).I32(6).I32(6).Raw(std::string("x\xE9y\0zz", 6)).I32(2).I32(0).I32(0).I32(2).I32(0).I32(0);
  TEquation v1;
  ASSERT_TRUE(BufferRead(v1, old.b)) << zkw::LastErrorText();
  auto* expr = static_cast<zkw::TSimpleExpr*>(v1.GetItem(0));
  EXPECT_EQ(expr->FExpr, Z("xéy"));
  EXPECT_EQ(expr->FVersion, 0x10000);
  EXPECT_EQ(v1.GetItem(1)->FVersion, 0x10000);
  EXPECT_EQ(v1.GetItem(1)->ChildCount(), 2);
  // A version-1 text longer than 101 characters is cut there.
  Bytes longer;
  longer.Font().I32(1).I32(1).I32(0).I32(0).I32(150).Raw(std::string(150, 'q'));
  ASSERT_TRUE(BufferRead(v1, longer.b));
  EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(v1.GetItem(0))->FExpr, ZString(101, 'q'));

  // A literal "&" before "#" survives the text form; characters from 256 are escaped.
  TEquation amp;
  amp.Add(zkwtest::TextItem("a&#b&#937#Ω"));
  const ZString form = zkwtest::TextForm(amp);
  EXPECT_NE(form.find(Z("a&#38##b&#38##937#&#937#")), ZString::npos);
  TEquation ampBack;
  ASSERT_TRUE(TextRead(ampBack, form));
  EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(ampBack.GetItem(0))->FExpr, Z("a&#b&#937#Ω"));

  // Old texts carry a grid as code 46 with its common part only: it loads as 2 x 2.
  TEquation grid;
  ASSERT_TRUE(TextRead(grid, Z("0011" "00246" "0013" "0014")));
  auto* cells = static_cast<zkw::TArrayEquationEx*>(grid.GetItem(0));
  EXPECT_EQ(cells->FRow, 2);
  EXPECT_EQ(cells->FCol, 2);
  EXPECT_EQ(cells->FColor, 3u);
  // A grid's style sets its fences again on reading.
  auto* styled = new zkw::TArrayEquationEx;
  styled->SetStyle(2);
  TEquation styledRow;
  styledRow.Add(styled);
  for (const Form& f : Forms()) {
    TEquation back;
    ASSERT_TRUE(f.read(back, f.write(styledRow))) << f.name;
    auto* g = static_cast<zkw::TArrayEquationEx*>(back.GetItem(0));
    EXPECT_EQ(g->FLCharCode, 91) << f.name;
    EXPECT_EQ(g->FRCharCode, 93) << f.name;
  }
}

TEST(EquationForms, MarkupText) {
  struct Case {
    std::function<void(TEquation&)> build;
    const char* markup;
  };
  auto super = [](TEquation& e, const char* base, const char* exponent) {
    e.Add(zkwtest::TextItem(base));
    auto* s = new zkw::TSimpleSuper;
    s->Add(zkwtest::TextItem(exponent));
    e.Add(s);
  };
  auto fence = [](bool sup, bool sub, const char* script) {
    return [=](TEquation& e) {
      auto* f = new zkw::TFence;
      f->FSuper = sup;
      f->FSub = sub;
      f->Add(zkwtest::TextItem("u"));
      f->Add1(zkwtest::TextItem(script));
      e.Add(f);
    };
  };
  const Case cases[] = {
      {[&](TEquation& e) { super(e, "x", "2"); }, "^~x~2~"},
      {[&](TEquation& e) { super(e, "3+(a[b]c)", "n"); }, "3+^~(a[b]c)~n~"},
      {[&](TEquation& e) { super(e, "f(", "n"); }, "f^~(~n~"},
      {[&](TEquation& e) { super(e, "2", "n"); }, "2"},
      {[](TEquation& e) {
         auto* f = new zkw::TFraction;
         f->NAdd(zkwtest::TextItem("a"));
         f->DAdd(zkwtest::TextItem("b"));
         e.Add(f);
       }, "/~a~b~"},
      {[](TEquation& e) {
         auto* r = new zkw::TSquareRoot;
         r->Add(zkwtest::TextItem("x"));
         r->EAdd(zkwtest::TextItem("3"));
         e.Add(r);
       }, "Ö~x~2~"},
      {[](TEquation& e) {
         auto* r = new zkw::TSquareRoot;
         r->FStyle = 1;
         r->Add(zkwtest::TextItem("x"));
         r->EAdd(zkwtest::TextItem("3"));
         e.Add(r);
       }, "Ö~x~3~"},
      {[](TEquation& e) {
         auto* a = new zkw::TArrow;  // a fraction's subclass writes only its children
         a->NAdd(zkwtest::TextItem("a"));
         a->DAdd(zkwtest::TextItem("b"));
         e.Add(a);
         auto* s = new zkw::TSimpleSub;
         s->Add(zkwtest::TextItem("i"));
         e.Add(s);
       }, "ab"},
      {[](TEquation& e) { e.Add(zkwtest::TextItem("Ω1")); }, "&#937#1"},
      {fence(false, false, "2"), "(u)"},
      {fence(true, false, "  "), "(u)"},
      {fence(true, false, "2"), "^~u~2~"},
      {fence(true, true, "2"), ""},
  };
  for (const Case& c : cases) {
    TEquation e;
    c.build(e);
    ZString markup;
    e.GetTextTo(markup);
    EXPECT_EQ(zkw::ToUtf8(markup), c.markup);
  }
}

// Stream bytes of `levels` subscripts nested in one another.
std::vector<uint8_t> NestedSubscripts(int levels) {
  Bytes b;
  for (int i = 0; i < levels; ++i) b.I32(1).I32(9).I32(0).I32(0).I32(0x20000).I32(1);
  b.I32(0);
  return b.b;
}

TEST(EquationForms, RefusesBadInputAndKeepsTheEquation) {
  auto item = [](int32_t code) { return Bytes().I32(1).I32(code).I32(0).I32(0).I32(0x20000); };
  auto gridBuffer = [](int32_t rows, int32_t cols) {
    return Bytes().Font().I32(1).I32(46).I32(0).I32(0).I32(141072).I32(0).I32(rows).I32(cols);
  };
  struct Case {
    const char* name;
    std::function<bool(TEquation&, const std::vector<uint8_t>&)> read;
    std::vector<uint8_t> bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"negative item count", StreamRead, Bytes().I32(-1).b, "is negative"},
      {"item count past the end", StreamRead, Bytes().I32(1000).I32(0).b, "cannot fit"},
      {"unknown code", StreamRead, item(5).b, "item code 5 ending at byte 8 is not an item class"},
      {"code 0", StreamRead, item(0).b, "item code 0"},
      {"grid with cells only in text", StreamRead, item(48).b, "item code 48"},
      {"odd text length", StreamRead, item(1).I32(3).I32(0).b, "text length 3"},
      {"text longer than 101", StreamRead, item(1).I32(206).Raw(std::string(206, 'a')).b, "text length 206"},
      {"negative child count", StreamRead, item(2).I32(-2).b, "child equations count -2"},
      {"child count past the end", StreamRead, item(2).I32(100).I32(0).b, "cannot fit"},
      {"truncated field", StreamRead, item(3).I32(2).I32(0).I32(0).U8(1).b, "ends at byte"},
      {"nesting of 129 levels", StreamRead, NestedSubscripts(129), "deeper than 128"},
      {"buffer shorter than the font", BufferRead, std::vector<uint8_t>(135), "font record"},
      {"grid of 0 rows", BufferRead, gridBuffer(0, 2).b, "outside 1..100"},
      {"grid of 101 columns", BufferRead, gridBuffer(1, 101).b, "outside 1..100"},
      {"grid larger than its bytes", BufferRead, gridBuffer(100, 100).b, "cannot fit"},
      {"counted text of 102 units", BufferRead, Bytes().Font().I32(1).I32(1).I32(0).I32(0).I32(141072).I32(102).b,
       "102 units"},
      {"8-bit text past the end", BufferRead, Bytes().Font().I32(1).I32(1).I32(0).I32(0).I32(9).Raw("abc").b,
       "runs past the end"},
      {"file of 26 bytes", FileRead, Bytes().Raw(std::string("ISCEquation\0", 12)).I32(0x20000).U8(0).U8(0).I32(26).I32(0).b,
       "too short"},
      {"file of another kind", FileRead, Bytes().Raw(std::string("ISCEquatioN\0", 12)).I32(0x20000).U8(0).U8(0).I32(40).I32(0).Raw(std::string(14, 0)).b,
       "does not begin"},
      {"file ending in its font", FileRead, Bytes().Raw(std::string("ISCEquation\0", 12)).I32(0x20000).U8(0).U8(0).I32(40).I32(0).Raw(std::string(14, 0)).b,
       "ends inside its font"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TEquation> kept = Kept();
    zkw::ClearLastErrorText();
    EXPECT_FALSE(c.read(*kept, c.bytes)) << c.name;
    EXPECT_NE(zkw::LastErrorText().find(c.reason), std::string::npos) << c.name << ": " << zkw::LastErrorText();
    ASSERT_EQ(kept->Count(), 1) << c.name;
    EXPECT_EQ(static_cast<zkw::TSimpleExpr*>(kept->GetItem(0))->FExpr, Z("keep")) << c.name;
  }
  EXPECT_TRUE(StreamRead(*Kept(), NestedSubscripts(128))) << zkw::LastErrorText();

  const std::pair<const char*, const char*> texts[] = {
      {"0011" "0011" "0102147483648", "outside"},
      {"0011" "00225" "0010" "0010" "003256", "outside 0..255"},
      {"0011" "0011" "0010" "0010" "1x2", "three digits"},
      {"0011" "0011" "0010" "0010" "00", "ends at character 17"},
      {"0011" "0011" "001a" "0010", "not decimal"},
      {"001-", "no digits"},
  };
  for (const auto& t : texts) {
    std::unique_ptr<TEquation> kept = Kept();
    EXPECT_FALSE(TextRead(*kept, Z(t.first))) << t.first;
    EXPECT_NE(zkw::LastErrorText().find(t.second), std::string::npos) << t.first << ": " << zkw::LastErrorText();
    EXPECT_EQ(kept->Count(), 1);
  }
  ZString longText = Z("0011" "0011" "0010" "0010" "102");
  longText += ZString(102, 'z');
  EXPECT_FALSE(TextRead(*Kept(), longText));
  int32_t outside = 0;
  EXPECT_FALSE(Kept()->ImportFrom(Z("0010"), outside));

  // Every proper prefix of a whole tree's stream, buffer and text form is refused.
  std::unique_ptr<TEquation> sample = zkwtest::SampleEquation();
  const std::vector<uint8_t> stream = zkwtest::StreamBytes(*sample), buffer = zkwtest::BufferBytes(*sample);
  for (size_t n = 0; n < stream.size(); n += 7)
    EXPECT_FALSE(StreamRead(*Kept(), std::vector<uint8_t>(stream.begin(), stream.begin() + n))) << n;
  for (size_t n = 0; n < buffer.size(); n += 7)
    EXPECT_FALSE(BufferRead(*Kept(), std::vector<uint8_t>(buffer.begin(), buffer.begin() + n))) << n;
  const ZString text = zkwtest::TextForm(*sample);
  for (size_t n = 0; n < text.size(); n += 5) EXPECT_FALSE(TextRead(*Kept(), text.substr(0, n))) << n;
}

TEST(EquationForms, StreamsStandAfterEachEquationTheyHold) {
  // Memory streams are read in place, other streams field by field: both leave the position
  // after the equation read, so equations stored one after another read back in turn.
  std::unique_ptr<TEquation> sample = zkwtest::SampleEquation();
  zkw::TMemoryStream memory;
  ASSERT_TRUE(sample->Write(memory));
  const int64_t one = memory.Size();
  ASSERT_TRUE(std::unique_ptr<zkw::TEquationItem>(zkwtest::TextItem("z"))->Write(memory));
  ASSERT_TRUE(sample->Write(memory));
  zkw::TBufferStream other(memory.Bytes().data(), memory.Bytes().size());
  for (zkw::TStream* stream : {static_cast<zkw::TStream*>(&memory), static_cast<zkw::TStream*>(&other)}) {
    stream->Seek(0, zkw::SeekOrigin::soBeginning);
    TEquation first, last;
    zkw::TSimpleExpr middle;
    ASSERT_TRUE(first.Read(*stream));
    EXPECT_EQ(stream->Position(), one);
    ASSERT_TRUE(middle.Read(*stream));
    EXPECT_EQ(middle.FExpr, Z("z"));
    ASSERT_TRUE(last.Read(*stream));
    EXPECT_EQ(stream->Position(), stream->Size());
    EXPECT_EQ(zkwtest::StreamBytes(last), zkwtest::StreamBytes(*sample));
    EXPECT_FALSE(last.Read(*stream));
  }
}

TEST(EquationForms, FailedSaveLeavesNoFile) {
  std::unique_ptr<TEquation> equation = zkwtest::SampleEquation();
  const std::string missing = zkwtest::TempPath("no-such-dir/eq.eqf");
  EXPECT_FALSE(equation->SaveToFile(Z(missing).c_str()));
  EXPECT_EQ(plat::GetFileAttributesW(Z(missing).c_str()), plat::INVALID_FILE_ATTRIBUTES);
  // Saving over an existing file replaces it whole and leaves no temporary file.
  const std::string path = zkwtest::TempPath("replace.eqf");
  zkwtest::WriteFileBytes(path, std::vector<uint8_t>(5000, 1));
  ASSERT_TRUE(equation->SaveToFile(Z(path).c_str()));
  EXPECT_EQ(static_cast<int64_t>(zkwtest::ReadFileBytes(path).size()), 26 + equation->DataSize());
  EXPECT_EQ(plat::GetFileAttributesW(Z(path + ".zkwtmp").c_str()), plat::INVALID_FILE_ATTRIBUTES);
}

}  // namespace
