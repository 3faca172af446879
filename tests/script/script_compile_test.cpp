// Script text to records and back: every line form, rejected lines, continuation lines,
// comments, operator spacing and indentation, procedure declarations, script and procedure
// records of scene files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/byte_stream.h"
#include "player/scene/record_io.h"
#include "player/scene/script_source.h"
#include "script/script_list.h"

using namespace zkw;

namespace {

struct LineCase {
  const char* Line;
  int Command;  // -1: the line is rejected
  const char* Name;
  const char* P1;
  const char* P2;
  const char* Comment;
};

// One line per case: the text, then the record it compiles to (blanks outside quotes already
// removed from the parameters, as CompileScript leaves them).
const LineCase kLines[] = {
    {"// only a comment", cmComment, "// only a comment", "", "", ""},
    {"$x := 1 + 2   // add", cmSet, "$x", "1+2", "", "   // add"},
    {"$s := \"a // b\"", cmSet, "$s", "\"a", "", " // b\""},
    {"  Obj1.XPos   :=   Obj1.XPos  +  \"a  b\"  ", cmSet, "Obj1.XPos", "Obj1.XPos+\"a  b\"", "", ""},
    {"If $a >= 3", cmIf, "", "$a>=3", "", ""},
    {"while $n < 10", cmWhile, "", "$n<10", "", ""},
    {"If", cmIf, "", "If", "", ""},
    {"EndIf whatever follows", cmEndIf, "", "", "", ""},
    {"Break", cmBreak, "", "", "", ""},
    {"For $i = 1 to 3", cmFor, "$i", "1", "3", ""},
    {"For $i = $a - 1 to $b * 2", cmFor, "$i", "$a-1", "$b*2", ""},
    {"For i = 1 to 3", -1, "", "", "", ""},
    {"For $i = 1 TO 3", -1, "", "", "", ""},
    {"For $i 1 to 3", -1, "", "", "", ""},
    {"Select $v", cmSelect, "$v", "", "", ""},
    {"Case 1,2,3", cmCase, "", "1,2,3", "", ""},
    {"Case 1,   2", cmCase, "", "1, 2", "", ""},
    {"CaseElse", cmCaseElse, "", "", "", ""},
    {"Var x number", cmVar, "$x", "Number", "", ""},
    {"var $name STRING", cmVar, "$name", "String", "", ""},
    {"Var x integer", -1, "", "", "", ""},
    {"Var x", -1, "", "", "", ""},
    {"Global $g Number", cmGlobal, "$g", "Number", "", ""},
    {"AppVar a string", cmAppVar, "$a", "String", "", ""},
    {"Do Reset", cmDo, "Reset", "", "", ""},
    {"Do MoveBy 3, $y + 1", cmDo, "MoveBy", "3,$y+1", "", ""},
    {"MoveTo NULL 10, 20", cmMoveTo, "", "10", "20", ""},
    {"Show Button1", cmShow, "Button1", "", "", ""},
    {"Show", cmShow, "Show", "", "", ""},
    {"PlaySound THIS \"bell\", 2", cmPlaySound, "THIS", "\"bell\"", "2", ""},
    {"SetXPos Obj MAX(1, 2), 3", cmSetXPos, "Obj", "MAX(1,2)", "3", ""},
    {"SetXPos Obj \"a,b\"", cmSetXPos, "Obj", "\"a,b\"", "", ""},
    {"SetXPos Obj (1, 2", -1, "", "", "", ""},
    {"SetXPos Obj 1,", -1, "", "", "", ""},
    {"Unknown Obj", -1, "", "", "", ""},
    {"LoadScene \"next.dan\"", cmLoadScene, "", "\"next.dan\"", "", ""},
    {"RaiseEvent NULL 5, 7", cmRaiseEvent, "", "5", "7", ""},
    {"odfappendblank Db", cmOdfAppendBlank, "Db", "", "", ""},
    {"Invalidate", cmInvalidate, "", "", "", ""},
};

}  // namespace

TEST(ScriptCompile, LineForms) {
  for (const LineCase& c : kLines) {
    SCOPED_TRACE(c.Line);
    TScriptPtr list = CompileScript(c.Line, true);
    if (c.Command < 0) {
      EXPECT_EQ(list, nullptr);
      continue;
    }
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Count(), 1);
    const TMacroRec& r = *list->Item(0);
    EXPECT_EQ(r.Command, c.Command);
    EXPECT_EQ(r.Name, c.Name);
    EXPECT_EQ(r.Parameter1, c.P1);
    EXPECT_EQ(r.Parameter2, c.P2);
    EXPECT_EQ(r.Comment, c.Comment);
  }
}

TEST(ScriptCompile, LinesJoinsAndRejection) {
  // CR LF, CR and LF end lines; empty lines give no record.
  TScriptPtr list = CompileScript("Show A\r\n\r\nHide B\rShow C\n\n", false);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Item(2)->Name, "C");
  // A line ending with ";" goes on with the next one, without a blank between them.
  list = CompileScript("MoveTo NULL 1,;\r\n  2", false);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Item(0)->Parameter2, "2");
  // "Show;" + "A" joins into the word "ShowA": the whole script is rejected.
  EXPECT_EQ(CompileScript("Hide B\r\nShow;\r\nA", false), nullptr);
  // A last line ending with ";" is taken as it stands.
  list = CompileScript("$s := 1;", false);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Item(0)->Parameter1, "1;");
  // One bad line rejects the whole script; no records and blank text give none.
  EXPECT_EQ(CompileScript("Show A\r\nFoo\r\nHide A", false), nullptr);
  EXPECT_EQ(CompileScript("   \r\n\t\r\n", false), nullptr);
  // A script of comments compiles to comment records.
  list = CompileScript("// one\r\n  // two", false);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Item(1)->Command, cmComment);
  // The parentheses check applies only when asked for; a parameter list is always checked.
  EXPECT_EQ(CompileScript("If (1", true), nullptr);
  EXPECT_NE(CompileScript("If (1", false), nullptr);
  // Parameters are cut to 255 characters.
  list = CompileScript("$s := " + std::string(300, '7'), false);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Item(0)->Parameter1.size(), kMaxParameterText);
}

TEST(ScriptCompile, TextSpacingAndIndentation) {
  const char* source =
      "Var $i Number\r\n"
      "For $i = 1 to $n-1\r\n"
      "If $a>=3&$b#-2   // test\r\n"
      "$x := $x*2+\"a-b\"\r\n"
      "Else\r\n"
      "Select $i\r\n"
      "Case 1,-2\r\n"
      "MoveTo NULL 1,2\r\n"
      "CaseElse\r\n"
      "Show NULL\r\n"
      "EndSelect\r\n"
      "EndIf\r\n"
      "EndFor\r\n"
      "Repeat\r\n"
      "Until $i=1\r\n"
      "// note";
  TScriptPtr list = CompileScript(source, true);
  ASSERT_NE(list, nullptr);
  const std::string expected =
      "Var $i Number\r\n"
      "For $i = 1 to $n - 1\r\n"
      "  If $a >= 3 & $b #  - 2   // test\r\n"
      "    $x := $x * 2 + \"a-b\"\r\n"
      "  Else\r\n"
      "    Select $i\r\n"
      "      Case 1,-2\r\n"
      "        MoveTo NULL 1, 2\r\n"
      "      CaseElse\r\n"
      "        Show NULL\r\n"
      "    EndSelect\r\n"
      "  EndIf\r\n"
      "EndFor\r\n"
      "Repeat\r\n"
      "Until $i = 1\r\n"
      "// note";
  std::string text = ScriptToText(list.get());
  EXPECT_EQ(text, expected);
  // Compiling the text again gives the same records, and the same text.
  TScriptPtr again = CompileScript(text, true);
  ASSERT_NE(again, nullptr);
  ASSERT_EQ(again->Count(), list->Count());
  for (int32_t i = 0; i < list->Count(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(again->Item(i)->Command, list->Item(i)->Command);
    EXPECT_EQ(again->Item(i)->Name, list->Item(i)->Name);
    EXPECT_EQ(again->Item(i)->Parameter1, list->Item(i)->Parameter1);
    EXPECT_EQ(again->Item(i)->Parameter2, list->Item(i)->Parameter2);
    EXPECT_EQ(again->Item(i)->Comment, list->Item(i)->Comment);
  }
  EXPECT_EQ(ScriptToText(again.get()), expected);
  EXPECT_EQ(SpaceOperators("-1+a<b:c=d<=e%f"), "-1 + a < b : c = d <= e % f");
  // ":" next to "=" (left when blanks were removed) must not read back as an assignment.
  TScriptPtr odd = CompileScript("If $a: = 0", false);
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(odd->Item(0)->Parameter1, "$a:=0");
  TScriptPtr back = CompileScript(ScriptToText(odd.get()), false);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Item(0)->Command, cmIf);
  EXPECT_EQ(back->Item(0)->Parameter1, "$a:=0");
}

TEST(ScriptCompile, ProcedureDeclarations) {
  struct Decl {
    const char* Text;
    bool Ok;
    const char* Name;
    uint8_t Return;
    std::vector<std::pair<std::string, uint8_t>> Params;
  };
  const Decl cases[] = {
      {"sub Reset", true, "Reset", 0, {}},
      {"  SUB MoveBy($dx number, dy Number)", true, "MoveBy", 0, {{"$dx", 2}, {"$dy", 2}}},
      {"function Twice($x number): number", true, "Twice", 2, {{"$x", 2}}},
      {"Function Name($a string , $b number ) : STRING", true, "Name", 3, {{"$a", 3}, {"$b", 2}}},
      {"function F: number", true, "F", 2, {}},
      {"function F()", false, "", 0, {}},
      {"function F: integer", false, "", 0, {}},
      {"sub My_Proc", false, "", 0, {}},
      {"sub A.B", false, "", 0, {}},
      {"sub P($x)", false, "", 0, {}},
      {"sub P($x number", false, "", 0, {}},
      {"sub P($x date)", false, "", 0, {}},
      {"proc P", false, "", 0, {}},
      {"sub", false, "", 0, {}},
  };
  for (const Decl& d : cases) {
    SCOPED_TRACE(d.Text);
    std::unique_ptr<TProcedureInfo> p = MakeProcedure(d.Text);
    ASSERT_EQ(p != nullptr, d.Ok);
    if (!p) continue;
    EXPECT_EQ(p->piName, d.Name);
    EXPECT_EQ(p->piReturnType, d.Return);
    ASSERT_EQ(static_cast<size_t>(p->piParams.Count()), d.Params.size());
    for (size_t i = 0; i < d.Params.size(); ++i) {
      EXPECT_EQ(p->piParams.Item(static_cast<int32_t>(i))->Name, d.Params[i].first);
      EXPECT_EQ(p->piParams.Item(static_cast<int32_t>(i))->VarType, d.Params[i].second);
    }
  }
  // Look-ups ignore case; functions only among functions; the first of a name wins.
  TProcedureList procs;
  TProcedureInfo* sub = procs.AddProcedure("sub Go");
  TProcedureInfo* fn = procs.AddProcedure("function Go: number");
  TProcedureInfo* fn2 = procs.AddProcedure("function Value: string");
  EXPECT_EQ(procs.AddProcedure("sub bad-name"), nullptr);
  EXPECT_EQ(procs.size(), 3u);
  EXPECT_EQ(procs.GetProc("GO"), sub);
  EXPECT_EQ(procs.GetFunc("go"), fn);
  EXPECT_EQ(procs.GetFunc("VALUE"), fn2);
  EXPECT_EQ(procs.GetFunc("Nothing"), nullptr);
}

TEST(ScriptCompile, ScriptAndProcedureRecords) {
  // A script record keeps its bytes, also when its text does not compile.
  for (const std::string& text : {std::string("Show A\r\n  Hide   B"), std::string("Nonsense here")}) {
    TMemoryStream s;
    TRecordWriter w(&s);
    w.U16(static_cast<uint16_t>(text.size() + 3));
    w.Bytes(text.data(), static_cast<int64_t>(text.size()));
    w.Bytes("\0x\0", 3);  // bytes after the terminator stay too
    s.Seek(0, SeekOrigin::soBeginning);
    TRecordReader r(&s);
    TScriptPtr list = ReadScriptRecord(r);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Text(), text);
    EXPECT_EQ(list->Count(), text[0] == 'S' ? 2 : 0);
    TMemoryStream out;
    TRecordWriter w2(&out);
    WriteScriptRecord(w2, *list, 7);
    std::vector<uint8_t> expected{7};
    expected.insert(expected.end(), s.Bytes().begin(), s.Bytes().end());
    EXPECT_EQ(out.Bytes(), expected);
  }
  // A list made of records is written with ScriptToText.
  TScriptPtr made = CompileScript("If 1\r\nShow A\r\nEndIf", false);
  TMemoryStream out;
  TRecordWriter w(&out);
  WriteScriptRecord(w, *made, 32);
  std::string text = "If 1\r\n  Show A\r\nEndIf";
  std::vector<uint8_t> expected{32, static_cast<uint8_t>(text.size() + 1), 0};
  expected.insert(expected.end(), text.begin(), text.end());
  expected.push_back(0);
  EXPECT_EQ(out.Bytes(), expected);
  // A short record fails the read.
  TMemoryStream shortRec(std::vector<uint8_t>{9, 0, 'a'});
  TRecordReader sr(&shortRec);
  EXPECT_EQ(ReadScriptRecord(sr), nullptr);

  // A procedure made from a declaration is written field by field and reads back the same.
  std::unique_ptr<TProcedureInfo> proc = MakeProcedure("function Twice($x number, $s string): number");
  proc->piMacro = CompileScript("@Result := $x * 2", false);
  TMemoryStream ps;
  TRecordWriter pw(&ps);
  WriteProcedure(pw, *proc);
  ASSERT_EQ(ps.Bytes()[0], 254);
  ps.Seek(1, SeekOrigin::soBeginning);
  TRecordReader pr(&ps);
  std::unique_ptr<TProcedureInfo> back = ReadProcedure(pr);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->piName, "Twice");
  EXPECT_EQ(back->piReturnType, 2);
  ASSERT_EQ(back->piParams.Count(), 2);
  EXPECT_EQ(back->piParams.Item(1)->Name, "$s");
  EXPECT_EQ(back->piParams.Item(1)->VarType, 3);
  ASSERT_NE(back->piMacro, nullptr);
  EXPECT_EQ(back->piMacro->Item(0)->Parameter1, "$x*2");
  // Read procedures write back their own bytes.
  TMemoryStream again;
  TRecordWriter aw(&again);
  WriteProcedure(aw, *back);
  EXPECT_EQ(again.Bytes(), ps.Bytes());
  // A body-less procedure writes a single blank; a parameter count beyond the record fails.
  proc->piMacro.reset();
  TMemoryStream blank;
  TRecordWriter bw(&blank);
  WriteProcedure(bw, *proc);
  std::vector<uint8_t> tail(blank.Bytes().end() - 4, blank.Bytes().end());
  EXPECT_EQ(tail, (std::vector<uint8_t>{2, 0, ' ', 0}));
  TMemoryStream bad(std::vector<uint8_t>{2, 0, 'P', 0, 0xFF, 0xFF, 1});
  TRecordReader br(&bad);
  EXPECT_EQ(ReadProcedure(br), nullptr);
  EXPECT_FALSE(br.Ok());
}
