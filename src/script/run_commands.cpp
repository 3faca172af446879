// The effects of the script commands that are not control flow: evaluation of a line's target
// and parameters, assignments, and one case per command.
#include <cmath>
#include <random>

#include "common/round.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_base.h"
#include "expr/formula.h"
#include "expr/handles.h"
#include "platform/plat.h"
#include "platform/plat_window.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "script/exec_internal.h"
#include "expr/formula_program.h"
#include "text/scene_text.h"

namespace zkw {

namespace {

// The player window's message for scene tasks asked by scripts.
constexpr plat::UINT kSceneTaskMessage = 1102;

// Kinds whose PlayFrames takes an end frame of at least 1.
constexpr uint8_t kMovieKind = 12, kMovieExKind = 26;

// Evaluates a parameter formula into its number and text slots.
void EvaluateParameter(const TBlockRun& Run, const TFormula* F, long double& I, std::string& S, uint8_t& Kind) {
  if (!F) {
    I = 0;
    S.clear();
    Kind = vkNumber;
    return;
  }
  TNumericProgram* program = F->Program();
  if (program && Run.Vars && program->Run(Run.Vars, &Run.Ani->GlobalVarList, Run.Ani->AppVarList.get(), I, Kind)) {
    S.clear();
    return;
  }
  long double v = 0;
  std::string t;
  Kind = EvaluateFormula(Run.Host, Run.Obj, Run.Vars, t, v, F);
  if (Kind == vkString) {
    S = std::move(t);
    I = 0;
  } else {
    I = v;
    S.clear();
  }
}

// The number held by a plain variable target (0 for a string or unknown variable).
long double TargetNumber(const TBlockRun& Run, TMacroRec& R) {
  TVariableRec* v = R.VarName.empty() ? nullptr : SlotVariable(Run, R.Target, R.VarName);
  return v && v->VarType != 3 ? v->Value : 0;
}

std::mt19937& Generator() {
  static std::mt19937 gen(std::random_device{}());
  return gen;
}

// Sends a scene task to the player window.
void SceneTask(const TBlockRun& Run, plat::WPARAM Task, plat::LPARAM Param) {
  plat::SendMessageW(Run.Ani->WindowHandle, kSceneTaskMessage, Task, Param);
}

// The event script of an object's slot run with the calling object as THIS.
void CallScript(const TBlockRun& Run, TAnimateObj* T, uint8_t Slot, int32_t Code) {
  if (T && T->Macro(Slot)) RunEventScript(Run.Ani, Run.Obj, T->Macro(Slot), Code);
}

// Packs two numbers for SetData / SetSubData: high word P2, low word P1.
plat::LPARAM PackData(const TMacroRec& R) {
  int64_t hi = RoundI32(R.IPara2), lo = RoundI32(R.IPara1) & 0xFFFF;
  return static_cast<plat::LPARAM>(hi * 65536 + lo);
}

}  // namespace

namespace {

// Assignments to variables and to the scene's own values need no target object.
bool NeedsTarget(const TMacroRec& R) {
  if (R.Command != cmSet && R.Command != cmRandom) return true;
  switch (R.Fnc0) {
    case kVariableTarget: case 78: case 79: case 80: case 81: case 89: case 148: case 156:
    case 166: case 167: case 178:
      return false;
    default:
      return true;
  }
}

}  // namespace

TAnimateObj* EvaluateLine(const TBlockRun& Run, TMacroRec& R) {
  TAnimateObj* t = nullptr;
  switch (NeedsTarget(R) ? R.Fnc0 : 78) {
    case 78: case 79: case 80: case 81: case 89:
      break;
    case kVariableTarget:
      t = SceneObjectFromNumber(Run.Ani, TargetNumber(Run, R));
      break;
    default:
      switch (R.objStyle0) {
        case tsThis: t = Run.Obj; break;
        case tsCurrent: t = IsSceneObject(Run.Ani, Run.Ani->CurrentObj) ? Run.Ani->CurrentObj : nullptr; break;
        case tsVariable: t = SceneObjectFromNumber(Run.Ani, TargetNumber(Run, R)); break;
        default: t = R.Obj0 && IsSceneObject(Run.Ani, R.Obj0) ? R.Obj0 : nullptr; break;
      }
  }
  EvaluateParameter(Run, R.Formula1.get(), R.IPara1, R.SPara1, R.Kind1);
  EvaluateParameter(Run, R.Formula2.get(), R.IPara2, R.SPara2, R.Kind2);
  return t;
}

void Assign(const TBlockRun& Run, TMacroRec& R, TAnimateObj* T, long double V,
            const std::string& S, bool IsSet) {
  TDibAnimator& a = *Run.Ani;
  switch (R.Fnc0) {
    case 78: a.GlobalValue1 = RoundI32(V); return;
    case 79: a.GlobalValue2 = RoundI32(V); return;
    case 80: a.GlobalValue3 = RoundI32(V); return;
    case 81: a.FEventValue1 = RoundI32(V); return;
    case 89: a.FEventValue2 = RoundI32(V); return;
    case kVariableTarget: {
      TVariableRec* v = SlotVariable(Run, R.Target, R.VarName);
      if (!v) return;
      if (v->VarType == 3) v->StValue = S;
      else if (!(IsSet && R.Kind1 == vkString)) v->Value = V;  // a text leaves a number as it is
      return;
    }
    default: break;
  }
  if (IsSet) {
    switch (R.Fnc0) {
      case 148: a.FEventString = S; return;
      case kFieldProperty:
        if (T) T->SetFieldValue(R.Fieldname, V, S);
        return;
      case 156: a.DataPath = DecodeSceneText(S); return;
      case 166: a.GraphX = static_cast<int16_t>(RoundI32(V)); return;
      case 167: a.GraphY = static_cast<int16_t>(RoundI32(V)); return;
      case 178: {
        // A function returns whole numbers.
        long double r = std::isfinite(V) ? std::nearbyint(V) : V;
        gUserFunctionResult.ufValue = r;
        gUserFunctionResult.ufStValue = S;
        return;
      }
      default: break;
    }
  }
  if (T && R.Fnc0 > 0) T->SetValue(R.Fnc0, S, V);
}

void RunCommand(const TBlockRun& Run, TMacroRec& R, TAnimateObj* T) {
  TDibAnimator& a = *Run.Ani;
  if (R.Command == cmSet) {
    Assign(Run, R, T, R.IPara1, R.SPara1, true);
    return;
  }
  int32_t p1 = RoundI32(R.IPara1), p2 = RoundI32(R.IPara2);
  switch (R.Command) {
    // --- targets that may be missing ---
    case cmPlaySound:
      if (!R.SPara1.empty()) a.PlaySoundItem(R.SPara1, T, p2);
      else a.PlaySoundItem(p1, T, p2);
      return;
    case cmStopSound: a.StopSound(T); return;
    case cmRaiseEvent:
      if (a.FOnUserEvent) a.FOnUserEvent(&a, T, p1, p2);
      return;
    case cmRandom: {
      std::uniform_real_distribution<double> unit(0.0, 1.0);
      long double r = unit(Generator());
      long double v = p1 + static_cast<long double>(RoundI64(r * (R.IPara2 - R.IPara1)));
      Assign(Run, R, T, v, std::string(), false);
      return;
    }
    case cmSetCurrent: a.CurrentObj = T; return;
    case cmCallMainProc:
      if (a.macroProc) RunEventScript(&a, Run.Obj, a.macroProc.get(), 30);
      return;
    case cmScroll: a.Scroll(p1, p2); return;
    case cmFadeIn: a.FadeIn(static_cast<int16_t>(p1), static_cast<uint32_t>(p2)); return;
    case cmFadeOut: a.FadeOut(static_cast<int16_t>(p1), static_cast<uint32_t>(p2)); return;
    case cmScrollTo: a.ScrollTo(p1, p2); return;
    case cmMoveTo: a.MoveTo(p1, p2); return;
    case cmLineTo: a.LineTo(p1, p2); return;
    case cmSetGraph: a.SetGraphAttr(static_cast<uint32_t>(p1), p2); return;
    case cmSetGraphOpacity: a.SetGraphOpacity(p1); return;
    case cmSmoothLineTo: SmoothLineTo(&a, p1, p2); return;
    case cmDrawDib: {
      auto* dib = FindHandle<TDibBaseObj>(THandleKind::hkImage, RoundI64(TargetNumber(Run, R)));
      if (!dib || !a.FDib) return;
      if (dib->AlphaDib && dib->AlphaDib->Handle() != 0) a.FDib->DrawTransparent(p1, p2, dib, 1, 1);
      else a.FDib->DrawArea(p1, p2, dib, 0, 0, dib->Width(), dib->Height(), 1, 1);
      return;
    }
    case cmFreeDib: FreeHandle(THandleKind::hkImage, RoundI64(TargetNumber(Run, R))); return;
    // Only blocks a script function made (GetMemoData) are freed; any other number is refused.
    case cmFreeData: FreeHandle(THandleKind::hkMemory, RoundI64(TargetNumber(Run, R))); return;
    case cmPlaySoundData:
      a.PlaySoundData(T, reinterpret_cast<plat::HGLOBAL>(static_cast<intptr_t>(p1)), p2);
      return;
    case cmSetFocus:
      if (T) T->SetFocus();
      else a.SetFocusedObj(nullptr);
      return;
    case cmPlayMSSound: case cmLoopSound: {
      bool loop = R.Command == cmLoopSound;
      if (!R.SPara1.empty()) a.PlayMSSoundItem(T, p2, loop, R.SPara1);
      else a.PlayMSSoundItem(T, p2, loop, p1);
      return;
    }
    case cmStopMSSound: a.StopMSSound(); return;
    case cmPlayFile: a.PlaySoundFile(R.SPara1, false); return;
    case cmPlayFileLoop: a.PlaySoundFile(R.SPara1, true); return;
    case cmStopFile: a.StopSoundFile(); return;
    case cmBarTo: a.BarTo(p1, p2); return;
    case cmMoveFront: if (T) a.PrepareMove(0, T, nullptr); return;
    case cmMoveBack: if (T) a.PrepareMove(1, T, nullptr); return;
    case cmMoveAbove: case cmMoveBelow: {
      TAnimateObj* ref = SceneObjectFromNumber(&a, R.IPara1);
      if (T && ref) a.PrepareMove(R.Command == cmMoveAbove ? 2 : 3, T, ref);
      return;
    }
    case cmReplaceDib:
      if (R.IPara2 != 0 && a.GetEntry(p1))
        if (auto* dib = TakeHandle<TDibBaseObj>(THandleKind::hkImage, RoundI64(R.IPara2)))
          a.ReplaceDibEntry(p1, dib);
      return;
    case cmDrawDibItem: a.DrawDibItem(p1); return;
    case cmShowCursor: a.OnOffCursor(true); return;
    case cmHideCursor: a.OnOffCursor(false); return;
    case cmLoadScene: SceneTask(Run, 1, reinterpret_cast<plat::LPARAM>(R.SPara1.c_str())); return;
    case cmLoadSubScene: SceneTask(Run, 2, reinterpret_cast<plat::LPARAM>(R.SPara1.c_str())); return;
    case cmClearSubScene: SceneTask(Run, 3, 0); return;
    case cmScenePause: SceneTask(Run, 4, 0); return;
    case cmSceneResume: SceneTask(Run, 5, 0); return;
    case cmSetData: SceneTask(Run, 6, PackData(R)); return;
    case cmSetSubData: SceneTask(Run, 7, PackData(R)); return;
    case cmSetArray: {
      auto* arr = FindHandle<TScriptArray>(THandleKind::hkArray, RoundI64(TargetNumber(Run, R)));
      if (R.Fnc0 == kVariableTarget && arr) arr->Set(RoundI32(R.IPara1), RoundI32(R.IPara2));
      return;
    }
    case cmFreeArray:
      if (R.Fnc0 == kVariableTarget) FreeHandle(THandleKind::hkArray, RoundI64(TargetNumber(Run, R)));
      return;
    case cmExecute: ExecuteCode(&a, T, R.SPara1); return;
    case cmSoundVolume: a.SetSoundVolume(T, p1, p2); return;
    case cmRaiseError:
      if (a.FOnError) a.FOnError(&a, p1, R.SPara2.c_str());
      return;
    case cmInvalidate: a.NeedDrawNow = true; return;
    default: break;
  }
  if (!T) return;
  // --- commands on the target object ---
  switch (R.Command) {
    case cmShow: if (!T->FEnabled) T->SetVisible(true); return;
    case cmHide: if (T->FEnabled) T->SetVisible(false); return;
    case cmSwapVisible: T->SetVisible(!T->FEnabled); return;
    case cmActive: if (!T->FActive) T->SetActive(true); return;
    case cmDeactive: if (T->FActive) T->SetActive(false); return;
    case cmSwapActive: T->SetActive(!T->FActive); return;
    case cmDie: T->Die(); return;
    case cmShowAndActive:
      if (!T->FEnabled) T->SetVisible(true);
      T->SetActive(true);
      return;
    case cmSetXPos: T->SetXPos(p1); return;
    case cmSetYPos: T->SetYPos(p1); return;
    case cmSetDib: T->AssignDib(p1, a.GetDib(p1)); return;
    case cmPlayFrames:
      if ((T->FStyle == kMovieKind || T->FStyle == kMovieExKind) && R.IPara2 <= 0) {
        R.IPara2 = 1;
        p2 = 1;
      }
      T->PlayFrames(p1, p2);
      return;
    case cmMakeFloat: T->FFloatWhenClick = R.IPara1 != 0; return;
    case cmSwapFloat: T->FFloatWhenClick = !T->FFloatWhenClick; return;
    case cmEnableEndEvent: T->EnableEndEvent = R.IPara1 != 0; return;
    case cmEnableOnClick: T->EnableClickEvent = R.IPara1 != 0; return;
    case cmEnableCollide: T->EnableCollideEvent = R.IPara1 != 0; return;
    case cmSwapCollide: T->FCollide = !T->FCollide; return;
    case cmBury: a.DeleteThis(T); return;
    case cmNewFrom: if (!a.Designing) a.NewFrom(T); return;
    case cmCallProc: CallScript(Run, T, ocProc, 11); return;
    case cmCallOnClick: CallScript(Run, T, ocClick, 1); return;
    case cmCallOnAction: CallScript(Run, T, ocAction, 7); return;
    case cmCallMouseDown: CallScript(Run, T, ocMouseDown, 4); return;
    case cmCallMouseUp: CallScript(Run, T, ocMouseUp, 5); return;
    case cmCallDrop: CallScript(Run, T, ocDrop, 8); return;
    case cmCallOnMove: CallScript(Run, T, ocMove, 2); return;
    case cmCallOnEnd: CallScript(Run, T, ocEnd, 3); return;
    case cmCallOnCollide: CallScript(Run, T, ocCollide, 6); return;
    case cmCallOnSoundEnd: CallScript(Run, T, ocSoundEnd, 9); return;
    case cmCallOnUser: CallScript(Run, T, ocUser, 10); return;
    case cmClear: T->ListClear(); return;
    case cmDeleteItem: T->ListDeleteItem(p1); return;
    case cmAddItem: T->ListAddItem(R.SPara1, p2); return;
    case cmSort: T->ListSort(); return;
    case cmEnableItem: T->EnableHotItem(R.SPara1, R.IPara2 != 0); return;
    case cmFloat: T->Float(); return;
    case cmOdfAppendBlank: T->DatabaseOperation(0); return;
    case cmOdfInsertBlank: T->DatabaseOperation(1); return;
    case cmOdfFlush: T->DatabaseOperation(2); return;
    default: return;
  }
}

}  // namespace zkw
