// Loading scenes into the window (messages 1041, 1042) and the queued scene tasks run after each
// timer tick (message 1102).
#include "platform/plat.h"
#include "player/scene/dib_animator.h"
#include "player/window/animator_window.h"
#include "player/window/waiting_thread.h"

namespace zkw {

namespace {
bool FileExists(const ZString& name) {
  return !name.empty() && plat::GetFileAttributesW(name.c_str()) != plat::INVALID_FILE_ATTRIBUTES;
}
}  // namespace

void TAnimatorWndObj::PaintWaitingImage() {
  if (!Waiting) return;
  plat::HDC dc = plat::GetDC(Handle);
  if (!dc) return;
  Waiting->PaintOn(dc, Handle);
  plat::ReleaseDC(Handle, dc);
}

// Whether the file loads as a scene: read into a scene of its own first, so that a file that
// cannot be opened or is corrupt leaves the window's scenes as they were (playing on), with the
// reason in the last-error text and the host told through the scene's error hook as before.
bool TAnimatorWndObj::SceneLoads(const ZString& FileName, TDibAnimator& Into) {
  TDibAnimator probe;
  probe.ThisIsSubScene = Into.ThisIsSubScene;
  probe.FOnError = Into.FOnError;
  probe.DataPath = Into.DataPath;
  probe.CharacterPath = Into.CharacterPath;
  return probe.LoadFromFile(FileName.c_str());
}

bool TAnimatorWndObj::LoadMainScene(const ZString& FileName, bool StopFirst) {
  if (!SceneLoads(FileName, *FAnimator)) return false;
  if (StopFirst) Play(false);
  delete Waiting;
  Waiting = new TWaitingThread(Handle, WaitingDib);
  PaintWaitingImage();
  FModalSub = false;
  bool ok = FAnimator->LoadFromFile(FileName.c_str());
  if (ok) {
    FSubAni->SetFocusedObj(nullptr);
    FEnableSizeX = FAnimator->FEnableSizeX;
    FEnableSizeY = FAnimator->FEnableSizeY;
    RecomputeView();
  }
  delete Waiting;  // terminates the thread and waits for it
  Waiting = nullptr;
  return ok;
}

bool TAnimatorWndObj::LoadSubScene(const ZString& FileName) {
  if (!SceneLoads(FileName, *FSubAni)) return false;
  bool ok = FSubAni->LoadFromFile(FileName.c_str());
  if (ok) {
    FSubAni->WorkWith(FAnimator.get());
    FAnimator->SetFocusedObj(nullptr);
  }
  return ok;
}

void TAnimatorWndObj::RunTasks() {
  if (FTaskList.empty()) return;
  std::vector<TSceneTaskInfo> batch;
  batch.swap(FTaskList);
  bool openedSub = false, closedSub = false;
  for (const TSceneTaskInfo& task : batch) {
    switch (task.FTaskEvent) {
      case stLoadMain:
        // A scene that does not load leaves the one playing as it is.
        if (!task.FTaskData.empty()) {
          if (LoadMainScene(task.FTaskData, true)) {
            FSubAni->SetFocusedObj(nullptr);
            FModalSub = false;
            Play(true);
          } else {
            FErrorString = task.FTaskData;
            plat::SendMessageW(Handle, wm::LoadFailed, 1, 0);
          }
        }
        break;
      case stOpenSub:
        if (FileExists(task.FTaskData)) {
          if (LoadSubScene(task.FTaskData)) {
            FAnimator->NoKeyboardProcess = true;
            FModalSub = true;
            openedSub = true;
          } else {
            FErrorString = task.FTaskData;
            plat::SendMessageW(Handle, wm::LoadFailed, 2, 0);
          }
        }
        break;
      case stCloseSub: closedSub = true; break;
      case stPauseMain: FAnimator->SetPaused(true); break;
      case stResumeMain: FAnimator->SetPaused(false); break;
      case stAppDataMain: FAnimator->SetAppData(task.FTaskDataNum1, task.FTaskDataNum2); break;
      case stAppDataSub: FSubAni->SetAppData(task.FTaskDataNum1, task.FTaskDataNum2); break;
      default: break;
    }
    if (openedSub) {
      FSubAni->SetPlaying(FAction);
      FSubAni->BeforePlay();
    }
    if (closedSub) {
      FSubAni->EndPlay();
      FSubAni->Empty();
      FModalSub = false;
      FAnimator->NoKeyboardProcess = false;
    }
  }
}

}  // namespace zkw
