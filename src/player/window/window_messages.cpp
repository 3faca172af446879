// The per-scene and settings messages of the player window (WM_USER + 1 and up).
#include <cstring>

#include "dib/dib24.h"
#include "dib/dib_base.h"
#include "fonts/dib_font.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"
#include "player/window/animator_window.h"
#include "text/ansi_text.h"

namespace zkw {

namespace {

plat::LRESULT Ptr(const void* p) { return reinterpret_cast<plat::LRESULT>(p); }

const ZChar* WideArg(plat::LPARAM lParam) { return reinterpret_cast<const ZChar*>(lParam); }

ZString WideText(plat::LPARAM lParam) {
  const ZChar* text = WideArg(lParam);
  return text ? ZString(text) : ZString();
}

// Sets both scenes' path field from a wide folder name.
void SetPaths(TDibAnimator& a, TDibAnimator& b, ZString TDibAnimator::*field, plat::LPARAM lParam) {
  a.*field = WideText(lParam);
  b.*field = WideText(lParam);
}

}  // namespace

plat::LRESULT TAnimatorWndObj::SceneMessage(plat::UINT Msg, plat::WPARAM wParam,
                                            plat::LPARAM lParam, bool& Known) {
  TDibAnimator& cur = *FCurrentAni;
  TDibAnimator& main = *FAnimator;
  const int32_t value = static_cast<int32_t>(wParam);
  const int16_t low16 = static_cast<int16_t>(wParam & 0xFFFF);
  Known = true;
  switch (Msg) {
    case wm::GetAnimator: return Ptr(FAnimator.get());
    case wm::GetSubAnimator: return Ptr(FSubAni.get());
    case wm::IsPlaying: return FAction ? 1 : 0;
    case wm::Play: Play(wParam != 0); return 0;
    case wm::SetDisplayWindow: {
      auto wnd = reinterpret_cast<plat::HWND>(wParam);
      plat::HWND target = wnd ? wnd : Handle;
      if (target == FShowWin) return 0;
      FShowWin = target;
      if (wnd) {
        plat::RECT r{};
        plat::GetClientRect(wnd, &r);
        DibWidth = r.right;
        DibHeight = r.bottom;
      } else if (main.FDib) {
        DibWidth = main.FDib->Width();
        DibHeight = main.FDib->Height();
      }
      plat::GetClientRect(FShowWin, &FDisplayRect);
      return 0;
    }
    case wm::GetFont: return Ptr(FFont.get());
    case wm::GetSpeed: return FSpeed;
    case wm::SetSpeed: FSpeed = static_cast<uint16_t>(wParam & 0xFFFF); return 0;
    case wm::GetAlign: return FAlign;
    case wm::SetAlign:
      if (wParam <= 2) {
        FAlign = static_cast<TTextAlignment>(wParam);
        main.FTextHAlign = static_cast<uint16_t>(wParam);
      }
      return 0;
    case wm::GetLayout: return FLayout;
    case wm::SetLayout:
      if (wParam <= 2) {
        static const uint16_t kVAlign[3] = {0, 1, 8};
        FLayout = static_cast<TTextLayout>(wParam);
        main.FTextVAlign = kVAlign[wParam];
      }
      return 0;
    case wm::GetHotCursor: return FHotCursor;
    case wm::SetHotCursor: FHotCursor = low16; return 0;
    case wm::LoadMain: return LoadMainScene(WideText(lParam)) ? 0 : -1;
    case wm::LoadSub: return LoadSubScene(WideText(lParam)) ? 0 : -1;
    case wm::DrawOnly: DrawOnly(); return 0;
    case wm::Step: OneStep(); return 0;
    case wm::GetXPos: return cur.FXPos;
    case wm::SetXPos: cur.SetPositionX(value); return 0;
    case wm::GetYPos: return cur.FYPos;
    case wm::SetYPos: cur.SetPositionY(value); return 0;
    case wm::ImageCount: return cur.DibCount();
    case wm::GetImage: return Ptr(cur.GetDib(value));
    case wm::GetImageEntry: return Ptr(cur.GetEntry(value));
    case wm::GetFrameBuffer: return Ptr(cur.FDib);
    case wm::GetBitmap: return Ptr(cur.FBkBitmap);
    case wm::GetSoundEntry: return Ptr(cur.GetSoundEntry(value));
    case wm::SoundCount: return cur.SoundCount();
    case wm::GetSceneWidth: return cur.FWidth;
    case wm::SetSceneWidth: cur.FWidth = value; return 0;
    case wm::GetSceneHeight: return cur.FHeight;
    case wm::SetSceneHeight: cur.FHeight = value; return 0;
    case wm::GetViewWidth: return cur.FViewWidth;
    case wm::SetViewWidth: cur.FViewWidth = value; return 0;
    case wm::GetViewHeight: return cur.FViewHeight;
    case wm::SetViewHeight: cur.FViewHeight = value; return 0;
    case wm::GetObject: return Ptr(cur.GetObject(value));
    case wm::ObjectCount: return cur.Count();
    case wm::GetObjectByName: {
      const char* name = reinterpret_cast<const char*>(lParam);
      return name ? Ptr(cur.GetObjectName(name)) : 0;
    }
    case wm::IsObjectVisible: return cur.GetEnable(value) ? 1 : 0;
    case wm::SetObjectVisible: cur.SetEnable(value, lParam != 0); return 0;
    case wm::GetExternal: return Ptr(cur.GetExternalID(static_cast<uint16_t>(wParam & 0xFFFF)));
    case wm::GetButton: return Ptr(cur.GetButtonID(static_cast<uint16_t>(wParam & 0xFFFF)));
    case wm::GetText: return Ptr(cur.FText);
    case wm::SetText: cur.FText = reinterpret_cast<const char*>(lParam); return 0;
    case wm::GetTextLength: return cur.FTextLen;
    case wm::SetTextLength: cur.FTextLen = static_cast<uint16_t>(wParam & 0xFFFF); return 0;
    case wm::GetTextRect:
      if (lParam) {
        int32_t r[4] = {cur.FTextRect.left, cur.FTextRect.top, cur.FTextRect.right, cur.FTextRect.bottom};
        std::memcpy(reinterpret_cast<void*>(lParam), r, sizeof(r));
      }
      return 0;
    case wm::SetTextRect:
      if (lParam) {
        int32_t r[4];
        std::memcpy(r, reinterpret_cast<const void*>(lParam), sizeof(r));
        cur.FTextRect = plat::RECT{r[0], r[1], r[2], r[3]};
      }
      return 0;
    case wm::GetTextHAlign: return cur.FTextHAlign;
    case wm::SetTextHAlign: cur.FTextHAlign = static_cast<uint16_t>(wParam & 0xFFFF); return 0;
    case wm::GetTextVAlign: return cur.FTextVAlign;
    case wm::SetTextVAlign: cur.FTextVAlign = static_cast<uint16_t>(wParam & 0xFFFF); return 0;
    case wm::SelectScene: FCurrentAni = wParam ? FSubAni.get() : FAnimator.get(); return 0;
    case wm::SetCharacterPath: SetPaths(main, *FSubAni, &TDibAnimator::CharacterPath, lParam); return 0;
    case wm::SetDataPath: SetPaths(main, *FSubAni, &TDibAnimator::DataPath, lParam); return 0;
    case wm::AppData:
      main.SetAppData(value, static_cast<int32_t>(lParam));
      return static_cast<plat::LRESULT>(main.FEventValue2);
    case wm::QueueTask: {
      TSceneTaskInfo task;
      task.FTaskEvent = static_cast<uint8_t>(wParam & 0xFF);
      if (task.FTaskEvent == stAppDataMain || task.FTaskEvent == stAppDataSub) {
        task.FTaskDataNum1 = static_cast<int16_t>(lParam & 0xFFFF);
        task.FTaskDataNum2 = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
      } else if (lParam) {
        task.FTaskData = FromAnsi(reinterpret_cast<const char*>(lParam));
      }
      FTaskList.push_back(std::move(task));
      return 0;
    }
    case wm::Pause: FPausing = true; return 0;
    case wm::Resume: FPausing = false; return 0;
    case wm::SetScenePath:
      if (lParam) main.ScenePath = WideText(lParam);
      return 0;
    case wm::GetEnableSizeX: return cur.FEnableSizeX ? 1 : 0;
    case wm::GetEnableSizeY: return cur.FEnableSizeY ? 1 : 0;
    case wm::AddDib: {
      auto* dib = reinterpret_cast<TDibBaseObj*>(lParam);
      return dib ? main.AddDib(dib) : -1;
    }
    case wm::AssignDib:
      if (lParam) main.AssignDibToObject(reinterpret_cast<TAnimateObj*>(lParam), value);
      return 0;
    case wm::ButtonFrames: {
      TAnimateObj* button = main.GetButtonID(static_cast<uint16_t>(wParam & 0xFFFF));
      if (button && lParam) {
        const auto* f = reinterpret_cast<const uint8_t*>(lParam);
        static const int32_t kIds[6] = {67, 68, 69, 70, 71, 72};  // NormalStart .. PressedEnd
        for (int i = 0; i < 6; ++i) button->SetValue(kIds[i], std::string(), f[i]);
      }
      return 0;
    }
    case wm::AppString:
      main.SetAppString(value, reinterpret_cast<const char*>(lParam));
      return static_cast<plat::LRESULT>(main.FEventValue2);
    case wm::GetErrorString:
      if (lParam) {
        auto* out = reinterpret_cast<ZChar*>(lParam);
        std::copy(FErrorString.begin(), FErrorString.end(), out);
        out[FErrorString.size()] = 0;
      }
      return 0;
    case wm::SetWaitingDib: WaitingDib = reinterpret_cast<TDibBaseObj*>(lParam); return 0;
    case wm::LoadDibsIntoMemory:
      main.AlwaysLoadDibIntoMemory = FSubAni->AlwaysLoadDibIntoMemory = wParam != 0;
      return 0;
    case wm::LoadSoundsIntoMemory:
      main.AlwaysLoadSoundIntoMemory = FSubAni->AlwaysLoadSoundIntoMemory = wParam != 0;
      return 0;
    case wm::GetDisableAutoDrawing: return main.DisableAutoDrawing ? 1 : 0;
    case wm::SetPresentation: FUseDirect2D = wParam != 0; return 0;
    default: Known = false; return 0;
  }
}

}  // namespace zkw
