// The window's list of drawn cursor strips: the two built-in strips, strips added by hosts
// (messages 1099, 1100) and by the main scene's scripts, selection and reset.
#include "dib/dib_base.h"
#include "dib/dib_factory.h"
#include "base/last_error.h"
#include "platform/plat.h"
#include "player/scene/dib_animator.h"
#include "player/window/animator_window.h"

namespace zkw {

namespace {

const ZChar kResourceType[] = {'D', 'I', 'B', 'A', 'N', 'D', 'A', 'T', 'A', 0};
const ZChar kNormalCursor[] = {'N', 'C', 'U', 'R', 'S', 'O', 'R', 0};
const ZChar kHotCursor[] = {'H', 'C', 'U', 'R', 'S', 'O', 'R', 0};

}  // namespace

void TAnimatorWndObj::AddBuiltInCursors() {
  AddCursor(LoadDexResource(plat::LibraryModule(), kNormalCursor, kResourceType), 2, 3, 4, 2, false);
  AddCursor(LoadDexResource(plat::LibraryModule(), kHotCursor, kResourceType), 4, 3, 4, 2, false);
}

void TAnimatorWndObj::FreeCursorList() {
  for (TDibCursorInfoRec& rec : FCursorList)
    if (!rec.dciFromAni) delete rec.dciDib;
  FCursorList.clear();
}

int32_t TAnimatorWndObj::AddCursor(TDibBaseObj* Dib, int32_t Frames, int32_t Speed, int32_t HotX,
                                   int32_t HotY, bool FromAni) {
  TDibCursorInfoRec rec;
  rec.dciDib = Dib;
  rec.dciFrames = static_cast<uint16_t>(Frames < 1 ? 1 : std::min(Frames, 65535));
  rec.dciSpeed = Speed < 1 ? 1 : Speed;
  rec.dciHotX = HotX;
  rec.dciHotY = HotY;
  rec.dciFromAni = FromAni;
  FCursorList.push_back(rec);
  return static_cast<int32_t>(FCursorList.size()) - 1;
}

void TAnimatorWndObj::ReplaceCursor(int32_t ID, TDibBaseObj* Dib, int32_t Frames, int32_t Speed,
                                    int32_t HotX, int32_t HotY) {
  if (ID < 0 || ID >= static_cast<int32_t>(FCursorList.size())) return;
  TDibCursorInfoRec& rec = FCursorList[static_cast<size_t>(ID)];
  if (!rec.dciFromAni && rec.dciDib != Dib) {
    if (FDibCursor.FInfo.dciDib == rec.dciDib) FDibCursor.InvalidDib();
    delete rec.dciDib;
  }
  rec.dciDib = Dib;
  rec.dciFrames = static_cast<uint16_t>(Frames < 1 ? 1 : std::min(Frames, 65535));
  rec.dciSpeed = Speed < 1 ? 1 : Speed;
  rec.dciHotX = HotX;
  rec.dciHotY = HotY;
  rec.dciFromAni = true;
  if (ID == FDibCursorID) FDibCursor.SetCursor(rec);
}

void TAnimatorWndObj::SelectCursor(int32_t Index) {
  if (Index < 0 || Index >= static_cast<int32_t>(FCursorList.size()) || Index == FDibCursorID) return;
  FDibCursorID = Index;
  FDibCursor.SetCursor(FCursorList[static_cast<size_t>(Index)]);
}

void TAnimatorWndObj::ResetCursors() {
  FDibCursor.InvalidDib();
  FreeCursorList();
  AddBuiltInCursors();
  FDibCursorID = -1;
  SelectCursor(0);
}

plat::LRESULT TAnimatorWndObj::CursorMessage(plat::UINT Msg, plat::WPARAM wParam,
                                             plat::LPARAM lParam, bool& Known) {
  Known = true;
  switch (Msg) {
    case wm::GetCursorIndex: return FDibCursorID;
    case wm::SelectCursor: SelectCursor(static_cast<int32_t>(wParam)); return 0;
    case wm::UseDibCursor: FUseDibCursor = wParam != 0; return 0;
    case wm::AddCursorFromDib: {
      const auto* rec = reinterpret_cast<const TCursorAddRec*>(lParam);
      if (!rec) return -1;
      return AddCursor(reinterpret_cast<TDibBaseObj*>(rec->Dib), rec->Frames, rec->Speed, rec->HotX,
                       rec->HotY, false);
    }
    case wm::AddCursorFromLib: {
      const auto* rec = reinterpret_cast<const TCursorAddRec*>(lParam);
      const auto* lib = reinterpret_cast<const ZChar*>(wParam);
      if (!rec || !lib) return -1;
      // DIB library files are not read by this build: the strip cannot be read.
      SetLastErrorText(plat::GetFileAttributesW(lib) == plat::INVALID_FILE_ATTRIBUTES
                           ? "cursor library file does not exist"
                           : "cursor strips from DIB library files are not supported");
      return -1;
    }
    case wm::ClearCursors:
      FDibCursor.InvalidDib();
      FreeCursorList();
      FDibCursorID = -1;  // nothing is selected any more; a new strip 0 can be selected again
      return 0;
    default: Known = false; return 0;
  }
}

}  // namespace zkw
