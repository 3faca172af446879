// File, array and application-variable functions: round trips through temporary files, the
// directory search, and refusal of numbers that are no live handle of the right kind.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "expr/formula.h"
#include "expr/functions.h"
#include "expr/handles.h"
#include "expr_test_host.h"

namespace zkw::test {
namespace {

struct TResult {
  uint8_t Kind;
  long double Value;
  std::string Text;
};

class FunctionFiles : public ::testing::Test {
 protected:
  TTestHost Host;

  TResult Eval(const std::string& source) {
    std::string text = source;
    auto formula = ParseFormula(text);
    formula->Prepare(&Host);
    TResult r{};
    r.Kind = EvaluateFormula(&Host, nullptr, nullptr, r.Text, r.Value, formula.get());
    return r;
  }
  long double Num(const std::string& source) { return Eval(source).Value; }
  std::string Str(const std::string& source) { return Eval(source).Text; }
  static std::string H(long double handle) { return std::to_string(static_cast<int64_t>(handle)); }
  static std::string Tmp(const std::string& name) { return std::string(ZKW_TEST_TMP) + "/" + name; }
  static std::string Q(const std::string& s) { return "\"" + s + "\""; }

  void TearDown() override { FreeAllHandles(); }
};

TEST_F(FunctionFiles, WriteThenReadBack) {
  const std::string path = Q(Tmp("funcs_io.bin"));
  long double h = Num("FileCreate(" + path + ")");
  ASSERT_NE(h, 0);
  const std::string f = H(h);
  EXPECT_EQ(Num("FileWrite(" + f + ",258,2)"), 1);
  EXPECT_EQ(Num("FileWrite(" + f + ",-2,4)"), 1);
  EXPECT_EQ(Num("FileWrite(" + f + ",321,1)"), 1);  // low byte 65
  EXPECT_EQ(Num("FileWrite(" + f + ",1,5)"), 0);    // no such width: nothing written
  EXPECT_EQ(Num("FileWriteText(" + f + ",\"abcdef\",3)"), 1);
  EXPECT_EQ(Num("FileWriteText(" + f + ",\"xy\",4)"), 1);
  EXPECT_EQ(Num("FileWriteLn(" + f + ",41.6)"), 1);
  EXPECT_EQ(Num("FileWriteLn(" + f + ",\"line\")"), 1);
  EXPECT_EQ(Num("FileSize(" + f + ")"), 2 + 4 + 1 + 3 + 4 + 4 + 6);
  EXPECT_EQ(Num("FilePosition(" + f + ")"), 24);
  EXPECT_EQ(Num("FileClose(" + f + ")"), 1);
  EXPECT_EQ(Num("FileClose(" + f + ")"), 0);  // already closed: no longer a handle
  EXPECT_EQ(HandleCount(THandleKind::hkFile), 0);

  std::ifstream raw(Tmp("funcs_io.bin"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, std::string("\x02\x01\xfe\xff\xff\xff" "Aabcxy\0\0" "42\r\nline\r\n", 24));

  const std::string g = H(Num("FileOpen(" + path + ",0)"));
  ASSERT_NE(g, "0");
  EXPECT_EQ(Num("FileRead(" + g + ",2)"), 258);
  EXPECT_EQ(Num("FileRead(" + g + ",4)"), -2);
  EXPECT_EQ(Num("FileRead(" + g + ",1)"), 65);
  EXPECT_EQ(Str("FileReadText(" + g + ",3)"), "abc");
  EXPECT_EQ(Str("FileReadText(" + g + ",4)"), "xy");  // up to the first NUL
  EXPECT_EQ(Str("FileReadLn(" + g + ")"), "42");
  EXPECT_EQ(Num("FileEof(" + g + ")"), 0);
  EXPECT_EQ(Str("FileReadLn(" + g + ")"), "line");
  EXPECT_EQ(Num("FileEof(" + g + ")"), 1);
  EXPECT_EQ(Eval("FileReadLn(" + g + ")").Kind, vkString);
  EXPECT_EQ(Num("FilePosition(" + g + ",0)"), 24);  // the position before the move
  EXPECT_EQ(Num("FileRead(" + g + ",3)"), 258);     // signed 16-bit
  EXPECT_EQ(Num("FileRead(" + g + ",4)"), -2);
  EXPECT_EQ(Num("FileRead(" + g + ",7)"), 0);
  EXPECT_EQ(Num("FilePosition(" + g + ")"), 6);     // a bad count reads nothing
  EXPECT_EQ(Num("FileWrite(" + g + ",1,1)"), 0);    // opened for reading only
  EXPECT_EQ(Num("FileWriteText(" + g + ",\"a\",1)"), 0);
  EXPECT_EQ(Num("FileClose(" + g + ")"), 1);
}

TEST_F(FunctionFiles, LinesAndUnicodeText) {
  const std::string path = Q(Tmp("funcs_lines.bin"));
  const std::string f = H(Num("FileCreate(" + path + ")"));
  EXPECT_EQ(Num("FileWriteText(" + f + ",\"a\",1)"), 1);
  EXPECT_EQ(Num("FileWrite(" + f + ",13,1)+FileWrite(" + f + ",10,1)+FileWrite(" + f + ",13,1)"), 3);
  EXPECT_EQ(Num("FileWriteText(" + f + ",\"b\",2)"), 1);  // "b" and a NUL
  EXPECT_EQ(Num("FileWriteText(" + f + ",\"c\",1)"), 1);
  for (int unit : {0x1EA0, 65, 0, 66}) EXPECT_EQ(Num("FileWrite(" + f + "," + std::to_string(unit) + ",2)"), 1);
  EXPECT_EQ(Num("FilePosition(" + f + ",0)"), 15);
  EXPECT_EQ(Str("FileReadLn(" + f + ")"), "a");
  EXPECT_EQ(Str("FileReadLn(" + f + ")"), "b");  // the CR LF CR run is skipped, NUL ends "b"
  EXPECT_EQ(Num("FilePosition(" + f + ")"), 6);
  EXPECT_EQ(Num("FileRead(" + f + ",1)"), 'c');
  EXPECT_EQ(Str("FileReadUText(" + f + ",4)"), "&#7840#A");
  EXPECT_EQ(Num("FileEof(" + f + ")"), 1);
  EXPECT_EQ(Str("FileReadLn(" + f + ")"), "");
  EXPECT_EQ(Num("FileClose(" + f + ")"), 1);
}

TEST_F(FunctionFiles, NumbersThatAreNoFileAreRefused) {
  long double array = Num("NewByteArray(4)");
  ASSERT_NE(array, 0);
  for (const std::string& bad : {std::string("12345"), H(array)}) {
    EXPECT_EQ(Num("FileRead(" + bad + ",1)"), 0) << bad;
    EXPECT_EQ(Num("FileWrite(" + bad + ",1,1)"), 0) << bad;
    EXPECT_EQ(Num("FileSize(" + bad + ")"), -1) << bad;
    EXPECT_EQ(Num("FileEof(" + bad + ")"), 1) << bad;
    EXPECT_EQ(Num("FileClose(" + bad + ")"), 0) << bad;
    EXPECT_EQ(Num("FilePosition(" + bad + ")"), 0) << bad;
    EXPECT_EQ(Str("FileReadLn(" + bad + ")"), "") << bad;
    EXPECT_EQ(Num("FileFindNext(" + bad + ")"), 0) << bad;
    EXPECT_EQ(Num("FileFindClose(" + bad + ")"), 0) << bad;
    EXPECT_EQ(Eval("FileFindInfo(" + bad + ")").Kind, vkNumber) << bad;
  }
  EXPECT_EQ(Num("ArrayLen(" + H(array) + ")"), 4);  // the array survived the attempts
  EXPECT_EQ(Num("FileSize(0)"), -1);
  EXPECT_EQ(Num("FileSize()"), -1);
  EXPECT_EQ(Num("FileSize(\"a\")"), -1);
  EXPECT_EQ(Num("FileClose(0)"), 0);
  EXPECT_EQ(Num("FileOpen(" + Q(Tmp("no-such-file")) + ",0)"), 0);
  EXPECT_EQ(Num("FileCreate(" + Q(Tmp("no-such-dir/x")) + ")"), 0);
  EXPECT_EQ(Eval("FileCreate(5)").Kind, vkNone);
  EXPECT_EQ(Eval("FileOpen(" + Q(Tmp("x")) + ")").Kind, vkNone);
  EXPECT_EQ(Eval("FileWrite(1,2)").Kind, vkNone);
}

TEST_F(FunctionFiles, ExistenceAndAccessSwitch) {
  const std::string path = Tmp("funcs_exists.txt");
  std::ofstream(path) << "x";
  EXPECT_EQ(Num("FileExists(" + Q(path) + ")"), 1);
  EXPECT_EQ(Num("FileExists(" + Q(Tmp("nothing-here")) + ")"), 0);
  EXPECT_EQ(Num("FileExists(" + Q(ZKW_TEST_TMP) + ")"), 0);  // a directory is no file
  EXPECT_EQ(Num("FileExists(5)"), -1);
  EXPECT_EQ(Num("FileExists()"), -1);
  SetExprFileAccess(false);
  EXPECT_EQ(Num("FileExists(" + Q(path) + ")"), 0);
  EXPECT_EQ(Num("FileOpen(" + Q(path) + ",0)"), 0);
  EXPECT_EQ(Num("FileFindFirst(" + Q(path) + ")"), 0);
  SetExprFileAccess(true);
  EXPECT_NE(Num("FileOpen(" + Q(path) + ",0)"), 0);
}

TEST_F(FunctionFiles, DirectorySearch) {
  const std::string dir = Tmp("funcs_find");
  ::mkdir(dir.c_str(), 0755);
  for (const char* name : {"b2.txt", "a1.txt", "c.dat"}) std::remove((dir + "/" + name).c_str());
  std::ofstream(dir + "/b2.txt") << "hello";
  std::ofstream(dir + "/a1.txt") << "abc";
  std::ofstream(dir + "/c.dat") << "";

  const std::string h = H(Num("FileFindFirst(" + Q(dir + "/*.txt") + ")"));
  ASSERT_NE(h, "0");
  TResult name = Eval("FileFindInfo(" + h + ")");
  EXPECT_EQ(name.Kind, vkString);
  EXPECT_EQ(name.Text, "a1.txt");
  EXPECT_EQ(Num("FileFindInfo(" + h + ",1)"), 3);
  EXPECT_EQ(static_cast<uint32_t>(Num("FileFindInfo(" + h + ",3)")) & 0x10u, 0u);
  uint32_t stamp = static_cast<uint32_t>(Num("FileFindInfo(" + h + ",2)"));
  std::time_t t = std::time(nullptr);
  std::tm now{};
  localtime_r(&t, &now);
  EXPECT_EQ(static_cast<int>(stamp >> 25) + 1980, now.tm_year + 1900);
  EXPECT_EQ(static_cast<int>((stamp >> 21) & 15), now.tm_mon + 1);
  EXPECT_EQ(Num("FileFindInfo(" + h + ",9)"), 0);
  EXPECT_EQ(Num("FileFindNext(" + h + ")"), 1);
  EXPECT_EQ(Str("FileFindInfo(" + h + ",0)"), "b2.txt");
  EXPECT_EQ(Num("FileFindInfo(" + h + ",1)"), 5);
  EXPECT_EQ(Num("FileFindNext(" + h + ")"), 0);
  EXPECT_EQ(Num("FileFindClose(" + h + ")"), 1);
  EXPECT_EQ(Num("FileFindClose(" + h + ")"), 0);
  EXPECT_EQ(Eval("FileFindInfo(" + h + ")").Kind, vkNumber);
  EXPECT_EQ(HandleCount(THandleKind::hkSearch), 0);

  EXPECT_EQ(Num("FileFindFirst(" + Q(dir + "/*.none") + ")"), 0);
  EXPECT_EQ(Str("FileFindInfo(FileFindFirst(" + Q(dir + "/?.dat") + "))"), "c.dat");
  // "*.*" matches every entry, "." and ".." included; the directory has attribute 16.
  const std::string all = H(Num("FileFindFirst(" + Q(dir + "/*.*") + ")"));
  int count = 1;
  EXPECT_EQ(Str("FileFindInfo(" + all + ")"), ".");
  EXPECT_EQ(static_cast<uint32_t>(Num("FileFindInfo(" + all + ",3)")) & 0x10u, 0x10u);
  while (Num("FileFindNext(" + all + ")") == 1) ++count;
  EXPECT_EQ(count, 5);
  EXPECT_EQ(Eval("FileFindFirst(5)").Kind, vkNone);
}

TEST_F(FunctionFiles, Arrays) {
  long double bytes = Num("NewByteArray(3)"), ints = Num("NewIntArray(2)");
  ASSERT_NE(bytes, 0);
  ASSERT_NE(ints, 0);
  auto* b = FindHandle<TScriptArray>(THandleKind::hkArray, static_cast<int64_t>(bytes));
  auto* i = FindHandle<TScriptArray>(THandleKind::hkArray, static_cast<int64_t>(ints));
  ASSERT_TRUE(b && i);
  EXPECT_TRUE(b->Set(0, 300));   // kept to a byte: 44
  EXPECT_TRUE(b->Set(2, 7));
  EXPECT_FALSE(b->Set(3, 1));
  EXPECT_TRUE(i->Set(1, -5));
  EXPECT_FALSE(i->Set(-1, 1));
  EXPECT_EQ(FindHandle<TScriptArray>(THandleKind::hkFile, static_cast<int64_t>(bytes)), nullptr);
  const std::string B = H(bytes), I = H(ints);
  EXPECT_EQ(Num("Array(" + B + ",0)"), 44);
  EXPECT_EQ(Num("Array(" + B + ",1)"), 0);  // new arrays are zero-filled
  EXPECT_EQ(Num("Array(" + B + ",2)"), 7);
  EXPECT_EQ(Num("Array(" + B + ",3)"), 0);
  EXPECT_EQ(Num("Array(" + B + ",-1)"), 0);
  EXPECT_EQ(Num("Array(" + I + ",1)"), -5);
  EXPECT_EQ(Num("ArrayLen(" + B + ")"), 3);
  EXPECT_EQ(Num("ArrayLen(" + I + ")"), 2);
  EXPECT_EQ(Num("ArrayLen(12345)"), 0);
  EXPECT_EQ(Num("Array(12345,0)"), 0);
  EXPECT_EQ(Eval("Array(" + B + ")").Kind, vkNone);
  EXPECT_EQ(ArrayBytesInUse(), 3 + 8);
  EXPECT_TRUE(FreeHandle(THandleKind::hkArray, static_cast<int64_t>(bytes)));
  EXPECT_FALSE(FreeHandle(THandleKind::hkArray, static_cast<int64_t>(bytes)));
  EXPECT_EQ(Num("Array(" + B + ",0)"), 0);  // freed: no longer a handle
  EXPECT_EQ(Num("ArrayLen(" + B + ")"), 0);
  EXPECT_EQ(ArrayBytesInUse(), 8);

  TResult none = Eval("NewByteArray(0)");
  EXPECT_EQ(none.Kind, vkNumber);
  EXPECT_EQ(none.Value, 0);
  EXPECT_EQ(Num("NewIntArray(-3)"), 0);
  EXPECT_EQ(Num("NewIntArray(1e9)"), 0);  // beyond the element limit
  EXPECT_EQ(Eval("NewIntArray(\"3\")").Kind, vkNone);
  // The total of live arrays is bounded too.
  int made = 0;
  while (Num("NewIntArray(16000000)") != 0 && made < 10) ++made;
  EXPECT_EQ(made, 4);
}

TEST_F(FunctionFiles, ApplicationVariables) {
  Host.Apps.Set("$score", vkNumber, 5);
  Host.Apps.Set("$name", vkString, 0, "Lan");
  EXPECT_EQ(Num("AppVarExists(\"$score\")"), 1);
  EXPECT_EQ(Num("AppVarExists(\"$SCORE\")"), 1);
  EXPECT_EQ(Num("AppVarExists(\"score\")"), 0);  // exactly the name given
  EXPECT_EQ(Eval("AppVarExists(1)").Kind, vkNone);
  EXPECT_EQ(Num("GetAppVarInt(\"score\")"), 5);
  EXPECT_EQ(Num("GetAppVarInt(\"$score\")"), 5);
  EXPECT_EQ(Num("GetAppVarInt(\"name\")"), 0);
  EXPECT_EQ(Num("GetAppVarInt(\"none\")"), 0);
  EXPECT_EQ(Str("GetAppVarStr(\"name\")"), "Lan");
  EXPECT_EQ(Eval("GetAppVarStr(\"score\")").Kind, vkString);
  EXPECT_EQ(Str("GetAppVarStr(\"score\")"), "");
  EXPECT_EQ(Num("SetAppVar(\"score\",9)"), 1);
  EXPECT_EQ(Num("GetAppVarInt(\"score\")"), 9);
  EXPECT_EQ(Num("SetAppVar(\"$score\",\"x\")"), 1);  // exists; a string is not stored
  EXPECT_EQ(Num("GetAppVarInt(\"score\")"), 9);
  EXPECT_EQ(Num("SetAppVar(\"name\",\"Mai\")"), 1);
  EXPECT_EQ(Str("GetAppVarStr(\"$name\")"), "Mai");
  EXPECT_EQ(Num("SetAppVar(\"missing\",1)"), 0);
  EXPECT_EQ(Eval("SetAppVar(\"score\")").Kind, vkNone);
}

}  // namespace
}  // namespace zkw::test
