// Compiled scene scripts: command records, script lists, variables and procedures. A script
// list is made from script text by CompileScript, bound against a scene by PrepareScript and run
// by the executor (script/execute.h).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "expr/expr_host.h"
#include "expr/variable_slot.h"

namespace zkw {

class TFormula;
class TDibAnimator;

// Command numbers (TMacroRec::Command); the words are in script/commands.cpp.
enum TScriptCommand : uint16_t {
  cmComment = 0,
  cmShow = 1, cmHide, cmSwapVisible, cmActive, cmDeactive, cmSwapActive, cmDie, cmShowAndActive,
  cmSetXPos, cmSetYPos, cmSetDib, cmPlayFrames, cmMakeFloat, cmSwapFloat, cmEnableEndEvent,
  cmPlaySound, cmStopSound, cmEnableOnClick, cmEnableCollide, cmSwapCollide, cmRaiseEvent,
  cmIf = 22, cmEndIf, cmFor, cmEndFor, cmWhile, cmEndWhile, cmBreak, cmSet, cmBury, cmNewFrom,
  cmSetCurrent, cmCallProc, cmCallOnClick, cmCallOnAction, cmCallMouseDown, cmCallMouseUp,
  cmCallDrop, cmCallOnMove, cmCallOnEnd, cmCallOnCollide, cmCallOnSoundEnd, cmCallOnUser,
  cmScroll = 44, cmElse, cmFadeIn, cmFadeOut, cmScrollTo, cmRandom, cmCallMainProc, cmMoveTo,
  cmLineTo, cmSetGraph, cmSetGraphOpacity, cmSmoothLineTo, cmSelect, cmCase, cmEndSelect,
  cmCaseElse, cmVar, cmGlobal, cmDrawDib, cmFreeDib, cmFreeData, cmPlaySoundData, cmSetFocus,
  cmPlayMSSound, cmLoopSound, cmStopMSSound, cmPlayFile, cmPlayFileLoop, cmStopFile, cmBarTo,
  cmMoveFront, cmMoveBack, cmMoveAbove, cmMoveBelow, cmReplaceDib, cmDrawDibItem, cmClear,
  cmDeleteItem, cmAddItem, cmFloat, cmDo, cmShowCursor, cmHideCursor, cmAppVar, cmLoadScene,
  cmLoadSubScene, cmClearSubScene, cmRepeat, cmUntil, cmSetArray, cmFreeArray, cmScenePause,
  cmSceneResume, cmSetData, cmSetSubData, cmOdfAppendBlank, cmOdfInsertBlank, cmOdfFlush,
  cmExecute, cmSoundVolume, cmSort, cmRaiseError, cmEnableItem, cmInvalidate,
};
constexpr int32_t kCommandCount = 107;

// The command word of a number (1..107), null otherwise; the number of a word ignoring case,
// 0 when it is not a command.
const char* CommandWord(int32_t Command);
int32_t CommandNumber(const std::string& Word);

// How a record's target object is found at run time (objStyle0).
constexpr uint8_t tsBound = 0, tsThis = 1, tsCurrent = 2, tsVariable = 3;
// Fnc0 of a target that is a plain variable.
constexpr int16_t kVariableTarget = -1;

class TProcedureInfo;
struct TVariableRec;

// One command of a script: the parsed texts, the binding made by PrepareScript and the values
// of the last evaluation of its parameters.
class TMacroRec {
 public:
  TMacroRec();
  ~TMacroRec();
  // Copies the texts and the binding to names (not the formulas nor the bound object):
  // the copy must be prepared again.
  TMacroRec(const TMacroRec& Other);
  TMacroRec& operator=(const TMacroRec&) = delete;

  uint16_t Command = cmComment;
  std::string Name;
  std::string Parameter1, Parameter2;
  TAnimateObj* Obj0 = nullptr;
  TProcedureInfo* Proc0 = nullptr;  // the bound procedure of "Do" (kept apart from Obj0)
  std::string StObj0;
  uint8_t objStyle0 = tsBound;
  int16_t Fnc0 = 0;
  std::string SPara1, SPara2;
  long double IPara1 = 0, IPara2 = 0;
  std::unique_ptr<TFormula> Formula1, Formula2;
  std::string Fieldname;
  std::string Comment;
  // The variable of a "$" target (the text before "." of "$v.property"); Name stays whole so
  // that the record can be written back and prepared again.
  std::string VarName;
  uint8_t Kind1 = 0, Kind2 = 0;  // kinds of the last evaluation of the parameters
  // The parameters in the numeric shortcut's form, when they qualify (made by PrepareScript).
  // The variable of a "$" target, bound on its first use.
  TVariableSlot Target;
};

// An ordered list of command records (owned) and the text record it was read from. A scene
// saved again writes that record unchanged, so its bytes stay as they were even where the text
// does not compile or would be spelled differently by ScriptToText.
class TScriptList {
 public:
  TScriptList();
  // A list read from a text record (bytes up to and including its terminating zero): the
  // record is kept and its text compiled without the parentheses check. Text that does not
  // compile gives a list without records (it runs nothing; the record is still written back).
  explicit TScriptList(std::vector<uint8_t> record);
  // Copies the records for a copy of an object; the copy is prepared again before it runs.
  TScriptList(const TScriptList& Other);
  TScriptList& operator=(const TScriptList&) = delete;
  ~TScriptList();

  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  TMacroRec* Item(int32_t Index) const { return Items[static_cast<size_t>(Index)].get(); }
  // The source text: the record's text up to its first zero byte, or ScriptToText of the
  // records when the list was made from records.
  std::string Text() const;
  // A list compiled from text (no parentheses check) that keeps the text as its record.
  static std::unique_ptr<TScriptList> FromText(const std::string& text);

  std::vector<std::unique_ptr<TMacroRec>> Items;
  std::vector<uint8_t> Record;  // empty: none; written from the records
  bool Prepared = false;        // set by PrepareScript; copies and new lists start unprepared
};

using TScriptPtr = std::unique_ptr<TScriptList>;

// One script variable. Name always begins with "$"; VarType 2 number, 3 string, 0 untyped.
struct TVariableRec : TExprVariable {};

// An owned, ordered list of variables; the first of a name wins.
class TVariableList : public TExprVariables {
 public:
  TVariableList() { BindSerial = NextSerial(); }
  TVariableList(const TVariableList& Other);
  TVariableList& operator=(const TVariableList&) = delete;

  // The first variable named AName (ignoring case), or null.
  TVariableRec* GetVar(const std::string& AName) const;
  bool GetVar(const std::string& Name, uint8_t& Kind, long double& Value,
              std::string& Text) override;
  bool HasVar(const std::string& Name) override { return GetVar(Name) != nullptr; }
  TExprVariable* FindBindable(const std::string& Name) const override { return GetVar(Name); }
  int32_t BindCount() const override { return Count(); }
  // Kind 3 stores the text, any other kind the number.
  bool SetVar(const std::string& Name, uint8_t Kind, long double Value,
              const std::string& Text) override;
  // Appends a variable (number when VarType is not 3) with value 0 and empty text.
  TVariableRec* Add(const std::string& Name, uint8_t VarType);
  void FreeAll() {
    Items.clear();
    BindSerial = NextSerial();
  }
  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  TVariableRec* Item(int32_t Index) const { return Items[static_cast<size_t>(Index)].get(); }

  std::vector<std::unique_ptr<TVariableRec>> Items;

 private:
  static uint64_t NextSerial();
};

// A declared procedure (piReturnType 0) or function (2 number, 3 string).
class TProcedureInfo {
 public:
  TProcedureInfo();
  ~TProcedureInfo();
  std::string piName;
  TVariableList piParams;
  uint8_t piReturnType = 0;
  TScriptPtr piMacro;
  // The record the procedure was read from (after its code byte), written back unchanged;
  // empty for procedures made from declarations.
  std::vector<uint8_t> Raw;
};

// The scene's procedures, in declaration order; owned.
class TProcedureList {
 public:
  TProcedureList();
  ~TProcedureList();
  TProcedureList(const TProcedureList&) = delete;
  TProcedureList& operator=(const TProcedureList&) = delete;

  // First procedure of any kind / first function (return type not 0) named AName, or null.
  TProcedureInfo* GetProc(const std::string& AName) const;
  TProcedureInfo* GetFunc(const std::string& AName) const;
  // MakeProcedure and append; the new procedure or null.
  TProcedureInfo* AddProcedure(const std::string& Declare);
  void Add(std::unique_ptr<TProcedureInfo> Proc) { Items.push_back(std::move(Proc)); }
  void FreeAll() { Items.clear(); }
  size_t size() const { return Items.size(); }
  bool empty() const { return Items.empty(); }
  TProcedureInfo& operator[](size_t Index) const { return *Items[Index]; }

  std::vector<std::unique_ptr<TProcedureInfo>> Items;
};

// A procedure from a declaration ("sub Name(params)", "function Name(params): type"), or null.
std::unique_ptr<TProcedureInfo> MakeProcedure(const std::string& Declare);

// Longest parameter text kept by CompileScript; longer texts are cut.
constexpr size_t kMaxParameterText = 255;

// Compiles script text into a list; null when a line is rejected or there is no record.
std::unique_ptr<TScriptList> CompileScript(const std::string& Text, bool CheckParentheses);
// Parses one joined line; null when it is rejected.
std::unique_ptr<TMacroRec> ParseScriptLine(const std::string& Line, bool CheckParentheses);
// Binds the records against the scene (Animator may be null) with the owning object (or null).
void PrepareScript(TDibAnimator* Animator, TAnimateObj* Obj, TScriptList* List);
void FreeScript(TScriptPtr& List);
// The script as text: one line per record, operators spaced, blocks indented.
std::string ScriptToText(const TScriptList* List);
// Operator spacing of one parameter text (outside double quotes).
std::string SpaceOperators(const std::string& Text);

}  // namespace zkw
