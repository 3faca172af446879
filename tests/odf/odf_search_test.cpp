// Indexes, Seek and Find with the search language.
#include <gtest/gtest.h>

#include "odf/odf_file.h"
#include "odf/odf_index.h"
#include "odf/odf_writer.h"
#include "support/test_support.h"

using namespace zkw;
using zkwtest::PutLE;

namespace {

std::string Scratch(const std::string& suffix) {
  return zkwtest::TempPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                           suffix);
}

struct TPerson {
  const char* name;
  int32_t age;
  const char* city;  // Unicode field
  TODFDate born;
};

// A table of NAME string(12), AGE long, CITY Unicode(8), BORN date.
std::string WriteTable(const std::vector<TPerson>& Rows) {
  TODFTableBuilder b(THeaderForm::hfCurrent, {{"NAME", ftString, 12}, {"AGE", ftLong},
                                              {"CITY", ftUnicode, 8}, {"BORN", ftDate}});
  for (const TPerson& p : Rows) {
    b.AddRecord();
    TStructItem f;
    b.BindField(0, f);
    f.Setfs(p.name);
    b.BindField(1, f);
    f.Setfl(p.age);
    b.BindField(2, f);
    f.Setfu(zkwtest::Z(p.city));
    b.BindField(3, f);
    f.SetDate(p.born);
  }
  const std::string path = Scratch(".odf");
  EXPECT_TRUE(b.Write(zkwtest::Z(path)));
  return path;
}

const std::vector<TPerson> kPeople = {
    {"Carl", 5, "Hue", {1990, 5, 1}},     {"Bob", 7, "Hanoi", {1985, 1, 2}},
    {"anna", 5, "Vinh", {2000, 2, 29}},   {"Bob", 9, "Hue", {1970, 12, 31}},
    {"Dave", 11, "Da Lat", {1999, 9, 9}},
};

}  // namespace

TEST(OdfIndex, WrittenIndexesOrderByEveryKind) {
  const std::string path = WriteTable(kPeople);
  TODFFile t(zkwtest::Z(path), kODFRead);
  struct Case {
    const char* field;
    bool caseSensitive;
    std::vector<int32_t> order;
  };
  const Case cases[] = {
      {"NAME", true, {2, 4, 1, 5, 3}},   // bytes: upper case before "anna"
      {"NAME", false, {3, 2, 4, 1, 5}},  // ASCII letters folded
      {"AGE", true, {1, 3, 2, 4, 5}},    // equal keys keep record order
      {"BORN", true, {4, 2, 1, 5, 3}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = BuildODFIndex(t, c.field, c.caseSensitive, false);
    ASSERT_EQ(bytes.size(), 23u + 4 * 5) << c.field;
    EXPECT_EQ(zkwtest::GetLE<int32_t>(bytes, 0), 0x30000);
    EXPECT_EQ(zkwtest::GetLE<int32_t>(bytes, 15), 5);
    EXPECT_EQ(bytes[19], c.caseSensitive ? 1 : 0);
    std::vector<int32_t> order;
    for (int i = 0; i < 5; ++i) order.push_back(zkwtest::GetLE<int32_t>(bytes, 23 + 4 * i));
    EXPECT_EQ(order, c.order) << c.field << " " << c.caseSensitive;
  }
  EXPECT_TRUE(BuildODFIndex(t, "NOPE", true, false).empty());
}

TEST(OdfIndex, SeekFindsTheFirstEqualKeyInTheIndexOrder) {
  const std::string path = WriteTable({{"Anna", 1, "", {}}, {"Bob", 2, "", {}}, {"Bob", 3, "", {}},
                                       {"Carl", 4, "", {}}});
  struct Case {
    bool caseSensitive;
    const char* key;
    int32_t result;
    int32_t position;
  };
  const Case cases[] = {
      {true, "Bob", 2, 2},   {true, "Dave", 0, 4}, {true, "bob", 0, 4},  // no case folding
      {false, "bob", 2, 2},  {false, "ANNA", 1, 1}, {true, "", 0, 1},
  };
  for (const Case& c : cases) {
    TODFFile t(zkwtest::Z(path), kODFRead);
    ASSERT_TRUE(WriteODFIndex(t, "NAME", c.caseSensitive, false, zkwtest::Z(Scratch(".idx"))));
    t.SetIndex(zkwtest::Z(Scratch(".idx")), false);
    EXPECT_EQ(t.Seek(c.key), c.result) << c.key << " " << c.caseSensitive;
    EXPECT_EQ(t.GetRecNo(), c.position) << c.key;
  }
  TODFFile noIndex(zkwtest::Z(path), kODFRead);
  EXPECT_EQ(noIndex.Seek("Bob"), 0);
  EXPECT_EQ(noIndex.GetRecNo(), 1);
}

// Older headers, damaged and stale indexes: each is read or rebuilt so that positions always
// name real records in key order.
TEST(OdfIndex, OldAndStaleIndexesAreCheckedAndRebuilt) {
  const std::string path = WriteTable(kPeople);
  TODFFile t(zkwtest::Z(path), kODFReadWrite);
  std::vector<uint8_t> good = BuildODFIndex(t, "NAME", true, false);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    bool sound;
  };
  std::vector<uint8_t> old(good.begin() + 4, good.begin() + 19);  // name and count
  old.insert(old.end(), good.begin() + 23, good.end());
  std::vector<uint8_t> outOfRange = good, duplicate = good, unordered = good, missing = good;
  PutLE<int32_t>(outOfRange, 23, 99);
  PutLE<int32_t>(duplicate, 27, 2);
  PutLE<int32_t>(unordered, 23, 3);
  PutLE<int32_t>(unordered, 23 + 16, 2);
  PutLE<int32_t>(missing, 15, 4);
  std::vector<uint8_t> tooLong = good;
  PutLE<int32_t>(tooLong, 15, 1000000);
  const Case cases[] = {{"current", good, true},        {"older form", old, true},
                        {"record 99", outOfRange, false}, {"listed twice", duplicate, false},
                        {"out of order", unordered, false}, {"record left out", missing, false},
                        {"count past the file", tooLong, false}};
  for (const Case& c : cases) {
    zkwtest::WriteFileBytes(Scratch(".idx"), c.bytes);
    t.SetIndex(zkwtest::Z(Scratch(".idx")), false);
    ASSERT_NE(t.odfIndexer, nullptr);
    EXPECT_EQ(t.odfIndexer->GetCaseSensitive(), true) << c.what;
    std::vector<int32_t> expected = {2, 4, 1, 5, 3};
    EXPECT_EQ(t.odfIndexer->Entries(), expected) << c.what;
    EXPECT_EQ(t.odfIndexer->RecordAt(0), -1);
    EXPECT_EQ(t.odfIndexer->RecordAt(6), -1);
    EXPECT_EQ(t.CurrentRecord, 2) << c.what;
  }
  // The open index follows an insert and an append, and Seek sorts it first.
  t.Go(3);  // record 1, Carl
  ASSERT_TRUE(t.InsertBlank());
  t.GetStructOfName("NAME")->Setfs("Abe");
  ASSERT_TRUE(t.AppendBlank());
  t.GetStructOfName("NAME")->Setfs("Bea");
  EXPECT_EQ(t.GetReccount(), 7);
  EXPECT_EQ(t.Seek("Abe"), 1);
  EXPECT_EQ(t.CurrentRecord, 1);
  EXPECT_EQ(t.Seek("Carl"), 5);
  EXPECT_EQ(t.CurrentRecord, 2);
  EXPECT_EQ(t.Seek("Bea"), 2);
}

TEST(OdfSearch, FindEvaluatesConditionsPerRecord) {
  const std::string path = WriteTable(kPeople);
  struct Case {
    const char* condition;
    int32_t result;
  };
  const Case cases[] = {
      {"AGE = 5", 1},
      {"age=9", 4},
      {"AGE = 6", 0},
      {"NAME = 'Bob' & AGE > 8", 0},  // left to right: ((NAME = 'Bob') & AGE) > 8 is 0 ...
      {"AGE * 2 = 22", 5},            // ... but products bind tighter
      {"AGE + 1 * 2 = 13", 5},        // 11 + (1 * 2)
      {"CITY = \"Vinh\"", 3},         // Unicode fields are texts
      {"UPPER(NAME) = 'ANNA'", 3},
      {"LEN(name) = 4 & AGE = 11", 0},
      {"YEAR(BORN) = 1970", 4},
      {"BORN > STRDATE('1/1/1995')", 3},
      {"RECNO() = 3", 3},
      {"RECCOUNT() = 5", 1},
      {"SUM(AGE) = 37", 1},
      {"SUM(SUM(AGE) + AGE) = 222", 1},      // 5 x 37 + 37: a nested total at every record
      {"SUM(SUM(SUM(AGE))) = 925", 1},       // worked out once per outer scan
      {"SUM(AGE) - AGE = 28", 4},
      {"AGE % 2 = 1", 1},
      {"IIF(AGE > 8, 1, 0)", 4},
      {"DAY(BORN) = 29", 3},
      {"LEFT(NAME, 2) = 'Da'", 5},
      {"NOPE = 0", 1},  // no such field: 0
      {"'text'", 0},    // no number: not found
      {"((AGE = 7", 2},
      {"A1.AGE = 11", 5},
  };
  TODFFile t(zkwtest::Z(path), kODFRead);
  ASSERT_EQ(t.odfAlias, "A1");
  for (const Case& c : cases) EXPECT_EQ(t.Find(zkwtest::Z(c.condition)), c.result) << c.condition;
  const std::string empty = Scratch("empty.odf");
  TODFTableBuilder b(THeaderForm::hfCurrent, {{"AGE", ftLong}});
  ASSERT_TRUE(b.Write(zkwtest::Z(empty)));
  TODFFile none(zkwtest::Z(empty), kODFRead);
  EXPECT_EQ(none.Find(zkwtest::Z("AGE = 0")), 0);
}
