// The database object (kind 38) driven by scripts: field reads and writes of every kind, record
// properties, the record commands, and the message for a field the table lacks.
#include <gtest/gtest.h>

#include "expr/handles.h"
#include "odf/odf_file.h"
#include "odf/odf_index.h"
#include "odf/odf_values.h"
#include "odf/odf_writer.h"
#include "player/kinds/odf_kind.h"
#include "script/script_test_scene.h"
#include "support/test_support.h"

using namespace zkw;

namespace {

struct OdfScene : zkwtest::ScriptScene {
  void SetUp() override {
    ScriptScene::SetUp();
    name = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".odf";
    TODFTableBuilder b(THeaderForm::hfCurrent, {{"NAME", ftString, 6}, {"AGE", ftLong}, {"PRICE", ftReal},
                                                {"OK", ftLogical}, {"BORN", ftDate}, {"CITY", ftUnicode, 5},
                                                {"C", ftChar}, {"NOTE", ftMemo}});
    for (const char* n : {"Anna", "Bob"}) {
      b.AddRecord();
      TStructItem f;
      b.BindField(0, f);
      f.Setfs(n);
      b.BindField(1, f);
      f.Setfl(30);
      b.BindField(5, f);
      f.Setfu(FromUtf8("H\xe1\xbb\x93"));
      b.BindField(7, f);
      if (n[0] == 'A') f.Setfm(b.AddMemo(msText, {'h', 'e', 'l', 'l', 'o', 0}));
      else f.Setfm(b.AddMemo(msUnicodeText, {0xAF, 0x1E, 'x', 0}, 2));  // U+1EAF "x"
    }
    ASSERT_TRUE(b.Write(zkwtest::TempName(name)));
    ani.DataPath = zkwtest::Z(std::string(ZKW_TEST_TMP) + "/");
    db = new TAniODFObj();
    db->FParent = &ani;
    db->FName = "Db";
    db->FFilename = name;
    db->FReadOnly = false;
    ani.Append(db);
    db->BeforePlay();
  }
  std::string name;
  TAniODFObj* db = nullptr;
};

}  // namespace

TEST_F(OdfScene, ScriptsReadAndWriteFieldsByType) {
  ASSERT_NE(db->Table(), nullptr);
  struct Case {
    const char* script;  // stores into $out or $log
    long double number;
    const char* text;
  };
  const Case cases[] = {
      {"$out := Db.$AGE", 30, ""},
      {"Db.$AGE := 41.5\r\n$out := Db.$age", 42, ""},  // integers round half to even
      {"Db.$PRICE := 1.25\r\n$out := Db.$PRICE", 1.25L, ""},  // reals keep the fraction
      {"Db.$OK := 7\r\n$out := Db.$OK", 1, ""},
      {"Db.$BORN := StrDate(\"2/29/2000\")\r\n$out := Day(Db.$BORN)", 29, ""},
      {"$log := Db.$NAME", 0, "Anna"},
      {"Db.$NAME := \"Christina\"\r\n$log := Db.$NAME", 0, "Chris"},  // length - 1
      {"$log := Db.$CITY", 0, "H&#7891#"},
      {"Db.$CITY := \"&#7855#bcdef\"\r\n$log := Db.$CITY", 0, "&#7855#bcd"},
      {"Db.$C := \"xyz\"\r\n$log := Db.$C", 0, "x"},
      {"Db.Recno := 2\r\n$out := Db.Recno * 10 + Db.Reccount", 22, ""},
      {"Db.Deleted := 1\r\n$out := Db.Deleted", 1, ""},
      {"odfAppendBlank Db\r\n$out := Db.Recno * 10 + Db.Reccount", 33, ""},
      {"Db.Recno := 1\r\nodfInsertBlank Db\r\n$out := Db.Reccount\r\nodfFlush Db", 4, ""},
  };
  for (const Case& c : cases) {
    ani.GlobalVarList.GetVar("$out")->Value = -1;
    ani.GlobalVarList.GetVar("$log")->StValue.clear();
    Run(c.script);
    if (*c.text) EXPECT_EQ(Text("$log"), c.text) << c.script;
    else EXPECT_EQ(Number("$out"), c.number) << c.script;
  }
  EXPECT_TRUE(plat::portable::MessageBoxCalls().empty());
  ani.Delete(db);
  delete db;  // writes back and closes
  TODFFile t(zkwtest::TempName(name), kODFRead);
  ASSERT_EQ(t.GetReccount(), 4);
  t.Go(2);
  EXPECT_EQ(t.GetStructOfName("NAME")->Getfs(), "Chris");
  EXPECT_EQ(t.GetStructOfName("AGE")->Getfl(), 42);
  EXPECT_EQ(t.GetStructOfName("PRICE")->Getfr(), 1.25L);
  t.Go(3);
  EXPECT_TRUE(t.GetDeleted());
  EXPECT_EQ(int32_t{t.odfHeader.hdfDeleteds}, 1);
}

TEST_F(OdfScene, UnknownFieldShowsAnErrorBoxAndChangesNothing) {
  ani.GlobalVarList.GetVar("$out")->Value = 5;
  Run("$out := Db.$NOPE\r\nDb.$NOPE := 3");
  const auto& calls = plat::portable::MessageBoxCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(ToUtf8(calls[0].Text), "Field not found: NOPE");
  EXPECT_EQ(calls[0].Type, plat::MB_OK | plat::MB_ICONERROR);
  EXPECT_EQ(db->Table()->GetStructOfName("AGE")->Getfl(), 30);
  // A copy starts closed; a designing scene does not open.
  TAniODFObj copy;
  copy.CopyFrom(*db);
  EXPECT_EQ(copy.Table(), nullptr);
  EXPECT_EQ(copy.FFilename, name);
  ani.Designing = true;
  copy.FParent = &ani;
  copy.BeforePlay();
  EXPECT_EQ(copy.Table(), nullptr);
}

TEST_F(OdfScene, DatabaseFunctionsSeekFindAndReadMemos) {
  {
    TODFFile t(zkwtest::TempName(name), kODFRead);
    ASSERT_TRUE(WriteODFIndex(t, "NAME", false, false, zkwtest::TempName(name + ".idx")));
  }
  struct Case {
    const char* script;
    long double number;
    const char* text;
  };
  const std::string index = "Db.IndexFilename := \"" + name + ".idx\"\r\n";
  const Case cases[] = {
      {"$log := GetMemoText(Db, \"NOTE\")", 0, "hello"},
      {"Db.Recno := 2\r\n$log := GetMemoText(Db, \"note\")", 0, "&#7855#x"},
      {"$out := Find(Db, \"NAME = 'Bob'\")", 2, ""},
      {"$out := Find(Db, \"AGE > 30\") + Db.Recno", 2, ""},  // not found: stands on the last
      {"$out := GetMemoData(Db, \"NOTE\") > 0", 1, ""},
      {"$out := GetMemoDib(Db, \"NOTE\")", 0, ""},  // a text memo is no image
      {"$out := Seek(Db, \"bob\")", 0, ""},          // no index yet
      {"$out := Seek(Db)", 0, ""},
  };
  for (const Case& c : cases) {
    ani.GlobalVarList.GetVar("$out")->Value = -1;
    ani.GlobalVarList.GetVar("$log")->StValue.clear();
    Run(c.script);
    if (*c.text) EXPECT_EQ(Text("$log"), c.text) << c.script;
    else EXPECT_EQ(Number("$out"), c.number) << c.script;
  }
  Run(index + "$out := Seek(Db, \"bob\") * 10 + Db.Recno");
  EXPECT_EQ(Number("$out"), 22);
  // Memory blocks are handles: FreeData frees them, and refuses numbers that are none.
  Run("$out := GetMemoData(Db, \"NOTE\")");
  const long double block = Number("$out");
  EXPECT_EQ(HandleCount(THandleKind::hkMemory) >= 1, true);
  const int32_t before = HandleCount(THandleKind::hkMemory);
  ani.GlobalVarList.GetVar("$out")->Value = block + 8;
  Run("FreeData $out");
  EXPECT_EQ(HandleCount(THandleKind::hkMemory), before);
  ani.GlobalVarList.GetVar("$out")->Value = block;
  Run("FreeData $out");
  EXPECT_EQ(HandleCount(THandleKind::hkMemory), before - 1);
}
