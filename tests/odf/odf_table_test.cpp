// Tables: field types, the three header forms byte for byte, refused files, memo chains,
// crash safety of appends and inserts, two tables on one file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "odf/odf_file.h"
#include "odf/odf_values.h"
#include "odf/odf_writer.h"
#include "support/test_support.h"

using namespace zkw;
using zkwtest::GetLE;
using zkwtest::PutLE;

namespace {

std::string Scratch(const std::string& suffix) {
  return zkwtest::TempPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                           suffix);
}

std::vector<TODFFieldDef> PeopleFields() {
  return {{"NAME", ftString, 10}, {"AGE", ftLong}, {"NOTE", ftMemo}};
}

// A people table with the given names and ages (no memos) written to Path.
void WritePeople(const std::string& Path, const std::vector<std::pair<std::string, int>>& Rows,
                 THeaderForm Form = THeaderForm::hfCurrent) {
  TODFTableBuilder b(Form, PeopleFields());
  TStructItem name, age;
  for (const auto& row : Rows) {
    b.AddRecord();
    b.BindField(0, name);
    b.BindField(1, age);
    name.Setfs(row.first);
    age.Setfl(row.second);
  }
  ASSERT_TRUE(b.Write(zkwtest::Z(Path)));
}

// Names and ages of every record, in physical order.
std::vector<std::pair<std::string, int>> Contents(const std::string& Path) {
  TODFFile t(zkwtest::Z(Path), kODFRead);
  std::vector<std::pair<std::string, int>> rows;
  for (int32_t r = 1; r <= t.GetReccount(); ++r) {
    t.Go(r);
    rows.emplace_back(t.GetStructOfName("name")->Getfs(), t.GetStructOfName("AGE")->Getfl());
  }
  return rows;
}

}  // namespace

TEST(OdfValues, Real48ConvertsExactlyAndRoundsHalfToEven) {
  struct Case {
    long double value;
    uint8_t bytes[6];
    long double back;
  };
  const long double two39 = 549755813888.0L;
  const Case cases[] = {
      {0, {0, 0, 0, 0, 0, 0}, 0},
      {1, {129, 0, 0, 0, 0, 0}, 1},
      {-2, {130, 0, 0, 0, 0, 0x80}, -2},
      {0.5L, {128, 0, 0, 0, 0, 0}, 0.5L},
      {1 + 1 / two39, {129, 1, 0, 0, 0, 0}, 1 + 1 / two39},
      // Halfway between two mantissas: to the even one.
      {1 + 0.5L / two39, {129, 0, 0, 0, 0, 0}, 1},
      {1 + 1.5L / two39, {129, 2, 0, 0, 0, 0}, 1 + 2 / two39},
      // Rounding up into the next power of two.
      {2 - 0.25L / two39, {130, 0, 0, 0, 0, 0}, 2},
      // Overflow: the largest magnitude; underflow and NaN: 0.
      {1e300L, {255, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, std::ldexp(2 - 1 / two39, 126)},
      {-INFINITY, {255, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, -std::ldexp(2 - 1 / two39, 126)},
      {1e-300L, {0, 0, 0, 0, 0, 0}, 0},
      {NAN, {0, 0, 0, 0, 0, 0}, 0},
  };
  for (const Case& c : cases) {
    uint8_t bytes[6];
    ExtendedToReal48(c.value, bytes);
    EXPECT_EQ(0, std::memcmp(bytes, c.bytes, 6)) << static_cast<double>(c.value);
    EXPECT_EQ(Real48ToExtended(bytes), c.back) << static_cast<double>(c.value);
  }
}

TEST(OdfValues, DatesAndSerials) {
  struct Case {
    TODFDate date;
    int32_t serial;
  };
  const Case cases[] = {{{1899, 12, 30}, 0}, {{1900, 1, 1}, 2},    {{2000, 2, 29}, 36585},
                        {{2024, 12, 31}, 45657}, {{1, 1, 1}, -693593}, {{9999, 12, 31}, 2958465}};
  for (const Case& c : cases) {
    EXPECT_EQ(ODFDateToSerial(c.date), c.serial) << c.date.Year;
    TODFDate back = SerialToODFDate(c.serial);
    EXPECT_EQ(std::memcmp(&back, &c.date, 4), 0) << c.serial;
  }
  EXPECT_EQ(ODFDateToSerial({2001, 2, 29}), 0);
  EXPECT_EQ(ODFDateToSerial({0, 0, 0}), 0);
  EXPECT_EQ(SerialToODFDate(2958466).Year, 0);
}

// Each type: what a writer stores, what GetValue and GetDataStr read back.
TEST(OdfTable, EveryFieldTypeReadsBackWhatWasWritten) {
  struct Case {
    TODFFieldDef def;
    long double number;  // for number, logical and date fields
    std::string text;    // for text fields
    uint8_t kind;
    long double value;
    std::string display;
  };
  const Case cases[] = {
      {{"S", ftString, 6}, 0, "abcdefgh", 3, 0, "abcde"},  // length 6 keeps 5 characters
      {{"C", ftChar}, 0, "xyz", 3, 0, "x"},
      {{"U", ftUnicode, 4}, 0, "hello", 3, 0, "hel"},     // 8 bytes, 3 units
      {{"B", ftByte}, 300.5, "", 2, 255, "255"},           // clamped
      {{"W", ftWord}, 2.5, "", 2, 2, "2"},                 // half to even
      {{"I", ftShort}, -40000, "", 2, -32768, "-32768"},
      {{"L", ftLong}, 3.5, "", 2, 4, "4"},
      {{"R", ftReal, 0, 2}, 1.125, "", 2, 1.125, "1.12"},  // display rounds half to even
      {{"E", ftExtended, 0, 3}, 2.0625L, "", 2, 2.0625L, "2.062"},
      {{"G", ftLogical}, 7, "", 2, 1, "T"},
      {{"D", ftDate}, 36585, "", 4, 36585, "02-29-2000"},
      {{"M", ftMemo}, 0, "", 2, 0, ""},
  };
  for (const Case& c : cases) {
    TODFTableBuilder b(THeaderForm::hfCurrent, {c.def});
    ASSERT_TRUE(b.Valid()) << c.def.Name;
    b.AddRecord();
    TStructItem item;
    b.BindField(0, item);
    if (c.def.Type == ftString) item.Setfs(c.text);
    else if (c.def.Type == ftChar) item.Setfc(c.text[0]);
    else if (c.def.Type == ftUnicode) item.Setfu(zkwtest::Z(c.text));
    else item.SetNumber(c.number);
    const std::string path = Scratch(c.def.Name + ".odf");
    if (c.def.Type == ftMemo) zkwtest::WriteFileBytes(Scratch(c.def.Name + ".odm"), b.MemoBytes());
    zkwtest::WriteFileBytes(path, b.TableBytes());
    TODFFile t(zkwtest::Z(path), kODFRead);
    ASSERT_EQ(t.odfState, 0) << c.def.Name << " " << t.FLastError;
    TStructItem* f = t.GetStructOfName(c.def.Name);
    ASSERT_NE(f, nullptr);
    TFieldValue v = f->GetValue();
    EXPECT_EQ(v.Kind, c.kind) << c.def.Name;
    if (c.kind == 3) EXPECT_EQ(zkw::ToUtf8(v.Text), c.display) << c.def.Name;
    else EXPECT_EQ(v.Number, c.value) << c.def.Name;
    EXPECT_EQ(f->GetDataStr(), c.display) << c.def.Name;
  }
}

// The three header forms byte for byte, and each written back in its own form.
TEST(OdfTable, HeaderFormsAreExactAndWrittenBackInTheirOwnForm) {
  struct Case {
    THeaderForm form;
    size_t headerSize;
    size_t countAt;
  };
  for (const Case& c : {Case{THeaderForm::hfCurrent, 126, 16}, Case{THeaderForm::hfKorvanel, 28, 19},
                        Case{THeaderForm::hfOldest, 28, 19}}) {
    const std::string path = Scratch(std::to_string(c.headerSize) + std::to_string(c.countAt) + ".odf");
    WritePeople(path, {{"Anna", 30}}, c.form);
    std::vector<uint8_t> bytes = zkwtest::ReadFileBytes(path);
    const size_t offset = c.headerSize + 3 * 18;
    ASSERT_EQ(bytes.size(), offset + 25);
    EXPECT_EQ(zkwtest::ReadFileBytes(Scratch(std::to_string(c.headerSize) + std::to_string(c.countAt) + ".odm")).size(), 58u);
    EXPECT_EQ(GetLE<int32_t>(bytes, c.countAt), 1);
    if (c.form == THeaderForm::hfCurrent) {
      EXPECT_EQ(GetLE<int32_t>(bytes, 0), 0x30000);
      EXPECT_EQ(GetLE<uint16_t>(bytes, 8), 126);
      EXPECT_EQ(GetLE<uint16_t>(bytes, 20), 180);
      EXPECT_EQ(GetLE<uint16_t>(bytes, 22), 25);
      EXPECT_EQ(bytes[24], 0xFF);
    } else {
      EXPECT_EQ(GetLE<uint16_t>(bytes, 23), offset);
      EXPECT_EQ(GetLE<uint16_t>(bytes, 25), 25);
      EXPECT_EQ(bytes[27], 0xFF);
    }
    // Fields: name, type, position, length.
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&bytes[c.headerSize + 18])), "AGE");
    EXPECT_EQ(bytes[c.headerSize + 18 + 11], ftLong);
    EXPECT_EQ(GetLE<int32_t>(bytes, c.headerSize + 18 + 12), 11);
    EXPECT_EQ(bytes[c.headerSize + 18 + 16], 4);
    {
      TODFFile t(zkwtest::Z(path), kODFReadWrite);
      ASSERT_EQ(t.odfState, 0);
      ASSERT_TRUE(t.AppendBlank());
      t.GetStructOfName("NAME")->Setfs("Bob");
      t.SetDeleted(true);
    }
    std::vector<uint8_t> after = zkwtest::ReadFileBytes(path);
    ASSERT_EQ(after.size(), offset + 50);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 13, after.begin()) ||
                c.form == THeaderForm::hfCurrent)
        << "older signatures stay";
    if (c.form == THeaderForm::hfOldest)
      EXPECT_EQ(std::string(reinterpret_cast<char*>(after.data())), "HG Database File");
    EXPECT_EQ(GetLE<int32_t>(after, c.countAt), 2);
    const size_t deletedAt = c.form == THeaderForm::hfCurrent ? 10 : 13;
    EXPECT_EQ(GetLE<int32_t>(after, deletedAt), c.form == THeaderForm::hfOldest ? 0x00656c69 : 1);
    EXPECT_EQ(after[offset + 25], 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&after[offset + 26])), "Bob");
  }
}

// Damaged headers and field lists are refused with a reason; a count beyond the records is held
// to them.
TEST(OdfTable, DamagedFilesAreRefused) {
  struct Case {
    const char* what;
    size_t at;
    int32_t value;
    int size;
    int32_t state;
  };
  const Case cases[] = {
      {"record size 0", 22, 0, 2, -1},
      {"offset not header + 18k", 20, 181, 2, -1},
      {"structure size", 8, 127, 2, -1},
      {"field outside the record", 126 + 12, 20, 4, -1},
      {"string of length 0", 126 + 16, 0, 1, -1},
      {"long of length 2", 126 + 18 + 16, 2, 1, -1},
      {"unknown type is opaque", 126 + 18 + 11, 77, 1, 0},
      {"count beyond the records", 16, 1000, 4, 0},
  };
  const std::string source = Scratch("src.odf");
  WritePeople(source, {{"Anna", 30}, {"Bob", 40}});
  std::vector<uint8_t> good = zkwtest::ReadFileBytes(source);
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    if (c.size == 1) bytes[c.at] = static_cast<uint8_t>(c.value);
    if (c.size == 2) PutLE<uint16_t>(bytes, c.at, static_cast<uint16_t>(c.value));
    if (c.size == 4) PutLE<int32_t>(bytes, c.at, c.value);
    const std::string path = Scratch("bad.odf");
    zkwtest::WriteFileBytes(path, bytes);
    zkwtest::WriteFileBytes(Scratch("bad.odm"), zkwtest::ReadFileBytes(Scratch("src.odm")));
    TODFFile t(zkwtest::Z(path), kODFRead);
    EXPECT_EQ(t.odfState, c.state) << c.what;
    EXPECT_EQ(t.FLastError.empty(), c.state == 0) << c.what << ": " << t.FLastError;
    if (c.state == 0) EXPECT_EQ(t.GetReccount(), 2) << c.what;
  }
  std::remove(Scratch("bad.odm").c_str());
  TODFFile missingMemo(zkwtest::Z(Scratch("bad.odf")), kODFRead);
  EXPECT_EQ(missingMemo.odfState, -2);
}

// Memo chains: three blocks in chain order; broken chains and cycles give null.
TEST(OdfTable, MemoChainsReadInOrderAndBrokenOnesGiveNull) {
  TODFTableBuilder b(THeaderForm::hfCurrent, PeopleFields());
  b.AddRecord();
  TStructItem memo;
  b.BindField(2, memo);
  std::vector<uint8_t> data = {'a', 'b', 'c', 'd', 'e', 'f', 'g'};
  TMemoField m = b.AddMemo(msText, data, 3, 5);  // blocks of 3, 3 and 1 data bytes
  memo.Setfm(m);
  EXPECT_EQ(int32_t{m.mfSize}, 12 * 3 + 7);
  const std::string path = Scratch(".odf");
  zkwtest::WriteFileBytes(path, b.TableBytes());
  std::vector<uint8_t> memoBytes = b.MemoBytes();
  EXPECT_EQ(GetLE<int32_t>(memoBytes, 46), 43);
  EXPECT_EQ(GetLE<int32_t>(memoBytes, 50), static_cast<int32_t>(memoBytes.size()));
  EXPECT_EQ(GetLE<int32_t>(memoBytes, 54), 1);
  struct Case {
    const char* what;
    size_t at;  // offset in the memo file to patch (0: none)
    int32_t value;
    bool ok;
  };
  const Case cases[] = {
      {"intact", 0, 0, true},
      {"cycle to the first block", 58 + 20 + 8, 58, false},
      {"next outside the file", 58 + 8, 100000, false},
      {"used beyond the block", 58 + 4, 30, false},
      {"free block in the chain", 58 + 20 + 4, 0, false},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = memoBytes;
    if (c.at) PutLE<int32_t>(bytes, c.at, c.value);
    zkwtest::WriteFileBytes(Scratch(".odm"), bytes);
    TODFFile t(zkwtest::Z(path), kODFRead);
    ASSERT_EQ(t.odfState, 0);
    int32_t size = -1;
    plat::HGLOBAL block = t.ReadFromMemo("note", &size);
    EXPECT_EQ(block != nullptr, c.ok) << c.what;
    if (!block) continue;
    std::vector<uint8_t> got = zkwtest::BlockBytes(block);
    EXPECT_EQ(size, 7);
    ASSERT_EQ(got.size(), 43u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), got.begin()));
    EXPECT_TRUE(std::all_of(got.begin() + 7, got.end(), [](uint8_t x) { return x == 0; }));
    plat::GlobalFree(block);
  }
}

TEST(OdfTable, WritesBackOnlyChangedRecordsAndCountsDeletions) {
  const std::string path = Scratch(".odf");
  WritePeople(path, {{"Anna", 30}, {"Bob", 40}});
  {
    TODFFile t(zkwtest::Z(path), kODFReadWrite);
    t.GetStructOfName("NAME")->Setfs("Xavier");
    t.GetStructOfName("NAME")->Setfs("Anna");  // back to the old value: nothing to write
    t.Go(2);
    t.SetDeleted(true);
    t.SetDeleted(true);
    EXPECT_EQ(int32_t{t.odfHeader.hdfDeleteds}, 1);
    t.GetStructOfName("AGE")->Setfl(41);
    EXPECT_TRUE(t.InsertBlank());
  }
  std::vector<std::pair<std::string, int>> rows = Contents(path);
  std::vector<std::pair<std::string, int>> expected = {{"Anna", 30}, {"", 0}, {"Bob", 41}};
  EXPECT_EQ(rows, expected);
  TODFFile readOnly(zkwtest::Z(path), kODFRead);
  EXPECT_EQ(int32_t{readOnly.odfHeader.hdfDeleteds}, 1);
  EXPECT_FALSE(readOnly.AppendBlank());
  EXPECT_EQ(readOnly.GetReccount(), 3);
}

// A crash after any number of writes leaves the old table or the new one, never a mix.
TEST(OdfTable, AppendAndInsertSurviveACrashAtEveryWrite) {
  const std::vector<std::pair<std::string, int>> before = {{"Anna", 30}, {"Bob", 40}, {"Carl", 50}};
  struct Case {
    const char* what;
    bool insert;
    std::vector<std::pair<std::string, int>> after;
  };
  const Case cases[] = {
      {"append", false, {{"Anna", 30}, {"Bob", 40}, {"Carl", 50}, {"", 0}}},
      {"insert", true, {{"Anna", 30}, {"", 0}, {"Bob", 40}, {"Carl", 50}}},
  };
  for (const Case& c : cases) {
    bool sawNew = false;
    for (int writes = 0; writes <= 8; ++writes) {
      const std::string path = Scratch(".odf");
      WritePeople(path, before);
      {
        TODFFile t(zkwtest::Z(path), kODFReadWrite);
        TODFStore::SetWriteBudget(writes);
        if (c.insert) {
          t.Go(2);
          t.InsertBlank();
        } else {
          t.AppendBlank();
        }
      }  // the destructor's writes count too
      TODFStore::SetWriteBudget(-1);
      std::vector<std::pair<std::string, int>> rows = Contents(path);
      EXPECT_TRUE(rows == before || rows == c.after) << c.what << " stopped after " << writes;
      sawNew = sawNew || rows == c.after;
      // A later append reuses the place of a dead one.
      TODFFile again(zkwtest::Z(path), kODFReadWrite);
      EXPECT_EQ(again.odfState, 0);
    }
    EXPECT_TRUE(sawNew) << c.what;
  }
}

TEST(OdfTable, TwoTablesOnOneFileKeepEachOthersAppends) {
  const std::string path = Scratch(".odf");
  WritePeople(path, {{"Anna", 30}});
  {
    TODFFile a(zkwtest::Z(path), kODFReadWrite), b(zkwtest::Z(path), kODFReadWrite);
    ASSERT_TRUE(a.AppendBlank());
    a.GetStructOfName("NAME")->Setfs("FromA");
    ASSERT_TRUE(b.AppendBlank());
    b.GetStructOfName("NAME")->Setfs("FromB");
    a.Go(1);
    a.SetDeleted(true);
    b.Go(1);
    EXPECT_NE(a.odfAlias, b.odfAlias);
  }
  std::vector<std::pair<std::string, int>> expected = {{"Anna", 30}, {"FromA", 0}, {"FromB", 0}};
  EXPECT_EQ(Contents(path), expected);
  TODFFile t(zkwtest::Z(path), kODFRead);
  EXPECT_EQ(int32_t{t.odfHeader.hdfDeleteds}, 1);
}
