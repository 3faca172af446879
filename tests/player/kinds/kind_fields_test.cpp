// Kinds described by their fields: the example kind of docs/adding-a-scene-kind.md (its code
// must stay the page's), its record, properties and copy, and copies of every recorded kind.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "base/last_error.h"
#include "dib/dib_base.h"
#include "kind_test_support.h"
#include "player/objects/kind_fields.h"
#include "player/objects/kind_registry.h"

using namespace zkw;

namespace {

// --- example kind begin
// Kind 250 (an example): a bar without image whose width swings between MinWidth and MaxWidth.
class TPulseBarObj : public TKind<TPulseBarObj, TAnimateObj> {
 public:
  TPulseBarObj() { FID = -1; }

  // The record after the common part, in order; scripts see the fields with a property id.
  template <class V>
  static void Fields(V& v) {
    using namespace fields;
    v(&Self::FColor, U32("Color").Prop(136));
    v(&Self::FMinWidth, I16("MinWidth").Prop(194));
    v(&Self::FMaxWidth, I16("MaxWidth").Prop(103));
    v(&Self::FStep, I16("Step").Prop(46));
    v(&Self::FReturn, Bool("Return").NotOld().Prop(28));  // not in files of 0x10000, 0x20000
    v(&Self::FShown, Kept("Shown"));                      // not stored; a copy takes it
  }

  void Action(TDibBaseObj* ADib) override {
    (void)ADib;
    if (!FEnabled || !FActive) return;
    int32_t w = FShown + FStep;
    if (w < FMinWidth || w > FMaxWidth) {
      if (FReturn) FStep = static_cast<int16_t>(-FStep);
      w = w < FMinWidth ? FMinWidth : FMaxWidth;
    }
    FShown = static_cast<int16_t>(w);
  }

  void Draw(TDibBaseObj* ADib) override {
    if (!FEnabled || !ADib || FShown <= 0 || FHeight <= 0) return;
    ADib->Bar(Fx, Fy, Fx + FShown - 1, Fy + FHeight - 1, FColor);
  }

  uint32_t FColor = 0x0000FF;
  int16_t FMinWidth = 10, FMaxWidth = 100, FStep = 5;
  bool FReturn = true;
  int16_t FShown = 10;
};

// Once, before scenes load: RegisterObjectKind(250, [] { return static_cast<TAnimateObj*>(new TPulseBarObj()); });
// --- example kind end

constexpr uint8_t kPulseBar = 250;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines between two marker lines of a text (markers excluded).
std::string Between(const std::string& text, const std::string& begin, const std::string& end) {
  size_t a = text.find(begin);
  if (a == std::string::npos) return "missing " + begin;
  a = text.find('\n', a) + 1;
  size_t b = text.find(end, a);
  if (b == std::string::npos) return "missing " + end;
  b = text.rfind('\n', b) + 1;
  return text.substr(a, b - a);
}

std::vector<uint8_t> KindRecord(const TAnimateObj& o) {
  TMemoryStream s;
  TRecordWriter w(&s);
  o.WriteKindRecord(w);
  return s.Bytes();
}

struct KindFields : kindtest::KindScene {
  void SetUp() override {
    KindScene::SetUp();
    RegisterObjectKind(kPulseBar, [] { return static_cast<TAnimateObj*>(new TPulseBarObj()); });
  }
  void TearDown() override {
    RegisterObjectKind(kPulseBar, nullptr);
    KindScene::TearDown();
  }
};

TEST_F(KindFields, TheExampleOfThePageIsTheOneThatCompiles) {
  const std::string page = ReadFile(std::string(ZKW_TEST_DATA) + "/../../docs/adding-a-scene-kind.md");
  const std::string source = ReadFile(std::string(ZKW_TEST_DATA) + "/../player/kinds/kind_fields_test.cpp");
  ASSERT_FALSE(page.empty());
  EXPECT_EQ(Between(page, "```cpp", "```"), Between(source, "// --- example kind begin", "// --- example kind end"));
}

TEST_F(KindFields, ExampleKindSavesLoadsListsAndCopies) {
  auto* bar = static_cast<TPulseBarObj*>(CreateObjectOfKind(kPulseBar));
  bar->FParent = &ani;
  bar->FName = "Bar";
  bar->FColor = 0x123456;
  bar->FMinWidth = -3;
  bar->FMaxWidth = 700;
  bar->FStep = 9;
  bar->FReturn = false;
  ani.Append(bar);
  // The own record: colour, two widths, step, Return; nothing for the kept width.
  EXPECT_EQ(KindRecord(*bar), (std::vector<uint8_t>{0x56, 0x34, 0x12, 0, 0xFD, 0xFF, 0xBC, 0x02, 9, 0, 0}));

  TDibAnimator again;
  ASSERT_TRUE(kindtest::Load(again, kindtest::Save(ani))) << LastErrorText();
  auto* loaded = dynamic_cast<TPulseBarObj*>(again.GetObjectName("Bar"));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(KindRecord(*loaded), KindRecord(*bar));

  // The listing: the base's ids, then the kind's in description order.
  TPropList props;
  loaded->GetPropsToList(props);
  ASSERT_GE(props.size(), 5u);
  const TPropList own(props.end() - 5, props.end());
  EXPECT_EQ(own, (TPropList{{"Color", 136}, {"Min", 194}, {"Max", 103}, {"Increasement", 46}, {"Return", 28}}));

  // Script writes and reads: (id, written, read back); numbers are rounded halves to even and
  // cut to the field's width, booleans read 0/1, unknown ids read 0.
  struct Case {
    int32_t id;
    long double written, read;
  } cases[] = {
      {136, 0xABCDEF, 0xABCDEF}, {194, 70000.4L, 4464},   {103, -2.5L, -2}, {46, 3.5L, 4},
      {28, 7, 1},                {28, 0, 0},               {7, 33.5L, 34},   {14, 150, 100},
      {999, 5, 0},
  };
  for (const Case& c : cases) {
    loaded->SetValue(c.id, "", c.written);
    long double value = -1;
    std::string text = "x";
    EXPECT_EQ(loaded->GetValue(c.id, value, text), 2) << c.id;
    EXPECT_EQ(value, c.read) << c.id;
    EXPECT_EQ(text, "") << c.id;
  }

  // A copy takes every described field, the kept one too.
  loaded->FShown = 42;
  std::unique_ptr<TAnimateObj> copy(loaded->NewOfSameKind());
  copy->CopyFrom(*loaded);
  EXPECT_EQ(copy->FStyle, kPulseBar);
  EXPECT_EQ(KindRecord(*copy), KindRecord(*loaded));
  EXPECT_EQ(static_cast<TPulseBarObj*>(copy.get())->FShown, 42);
}

TEST_F(KindFields, OldLayoutLeavesNewerFieldsAtTheirDefaults) {
  // Version 0x20000: no Return byte; version 0x30000 has it. A cut record fails the read, the
  // field that does not fit reading 0.
  const std::vector<uint8_t> old{1, 0, 0, 0, 2, 0, 3, 0, 4, 0};
  struct Case {
    int32_t version;
    std::vector<uint8_t> bytes;
    bool ok, returns;
  } cases[] = {{0x20000, old, true, true}, {0x30000, {1, 0, 0, 0, 2, 0, 3, 0, 4, 0, 0}, true, false},
               {0x30000, old, false, false}};
  for (const Case& c : cases) {
    TPulseBarObj bar;
    TMemoryStream s(c.bytes);
    TRecordReader r(&s);
    EXPECT_EQ(bar.ReadKindRecord(r, c.version), c.ok) << c.version;
    EXPECT_EQ(bar.FColor, 1u);
    EXPECT_EQ(bar.FStep, 4);
    EXPECT_EQ(bar.FReturn, c.returns) << c.version;
  }
}

// Every object of the recorded scenes copies its whole kind record, and lists the same values
// except for what a copy starts afresh.
TEST_F(KindFields, CopiesOfEveryRecordedKindKeepTheirRecords) {
  const std::set<int32_t> fresh = {9, 100, 101, 134, 135, 157, 158, 177, 198, 203};
  for (const char* name : {"every_record_kind", "every_effect_kind", "every_transform_kind", "every_wave_run_kind",
                           "records_v20000", "label_v30000"}) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadFile(std::string(ZKW_TEST_DATA) + "/kinds/" + name + ".dan");
    TDibAnimator scene;
    ASSERT_TRUE(kindtest::Load(scene, std::vector<uint8_t>(bytes.begin(), bytes.end()))) << LastErrorText();
    int checked = 0;
    for (TItemNode* n = scene.Head(); n; n = n->NextItem) {
      auto* o = static_cast<TAnimateObj*>(n);
      std::unique_ptr<TAnimateObj> copy(o->NewOfSameKind());
      copy->CopyFrom(*o);
      SCOPED_TRACE(o->FName);
      EXPECT_EQ(copy->FStyle, o->FStyle);
      // A data table's copy starts with an empty table; a group's members are copies (named so).
      if (o->FStyle != 43 && o->FStyle != kGroupKind) EXPECT_EQ(KindRecord(*copy), KindRecord(*o));
      TPropList props, copied;
      o->GetPropsToList(props);
      copy->GetPropsToList(copied);
      EXPECT_EQ(copied, props);
      for (const auto& [prop, id] : props) {
        if (fresh.count(id) || (o->FStyle == 43 && (id == 131 || id == 169 || id == 195 || id == 196 || id == 115)))
          continue;
        long double a = 0, b = 0;
        std::string ta, tb;
        EXPECT_EQ(copy->GetValue(id, b, tb), o->GetValue(id, a, ta)) << prop;
        EXPECT_EQ(b, a) << prop;
        EXPECT_EQ(tb, ta) << prop;
      }
      ++checked;
    }
    EXPECT_GT(checked, 0);
  }
}

}  // namespace
