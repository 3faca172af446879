// The command words of the script language, numbered from 1 in table order.
#include "expr/names.h"
#include "script/script_list.h"

namespace zkw {

namespace {
const char* const kCommandWords[kCommandCount] = {
    "Show", "Hide", "SwapVisible", "Active", "Deactive", "SwapActive", "Die", "ShowAndActive",
    "SetXPos", "SetYPos", "SetDib", "PlayFrames", "MakeFloat", "SwapFloat", "EnableEndEvent",
    "PlaySound", "StopSound", "EnableOnClick", "EnableCollide", "SwapCollide", "RaiseEvent",
    "If", "EndIf", "For", "EndFor", "While", "EndWhile", "Break", "Set", "Bury", "NewFrom",
    "SetCurrent", "CallProc", "CallOnClick", "CallOnAction", "CallMouseDown", "CallMouseUp",
    "CallDrop", "CallOnMove", "CallOnEnd", "CallOnCollide", "CallOnSoundEnd", "CallOnUser",
    "Scroll", "Else", "FadeIn", "FadeOut", "ScrollTo", "Random", "CallMainProc", "MoveTo",
    "LineTo", "SetGraph", "SetGraphOpacity", "SmoothLineTo", "Select", "Case", "EndSelect",
    "CaseElse", "Var", "Global", "DrawDib", "FreeDib", "FreeData", "PlaySoundData", "SetFocus",
    "PlayMSSound", "LoopSound", "StopMSSound", "PlayFile", "PlayFileLoop", "StopFile", "BarTo",
    "MoveFront", "MoveBack", "MoveAbove", "MoveBelow", "ReplaceDib", "DrawDibItem", "Clear",
    "DeleteItem", "AddItem", "Float", "Do", "ShowCursor", "HideCursor", "AppVar", "LoadScene",
    "LoadSubScene", "ClearSubScene", "Repeat", "Until", "SetArray", "FreeArray", "ScenePause",
    "SceneResume", "SetData", "SetSubData", "odfAppendBlank", "odfInsertBlank", "odfFlush",
    "Execute", "SoundVolume", "Sort", "RaiseError", "EnableItem", "Invalidate"};
static_assert(cmInvalidate == kCommandCount, "command numbers and words agree");
}  // namespace

// The word of a command number, or null.
const char* CommandWord(int32_t Command) {
  return Command >= 1 && Command <= kCommandCount ? kCommandWords[Command - 1] : nullptr;
}

// The number of a command word ignoring case, 0 for any other word.
int32_t CommandNumber(const std::string& Word) {
  for (int32_t i = 0; i < kCommandCount; ++i)
    if (SameName(Word, kCommandWords[i])) return i + 1;
  return 0;
}

}  // namespace zkw
