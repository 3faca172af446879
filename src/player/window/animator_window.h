// The player window: a window of the library's class owns a TAnimatorWndObj, which owns the main
// scene and a sub-scene, drives their frame cycle from a window timer, routes mouse and keys to
// them, keeps the list of drawn cursors and reports scene events to the host as messages it
// sends to itself (a host receives them by subclassing the window).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "base/text16.h"
#include "platform/plat_window.h"
#include "player/scene/dib_caret.h"

namespace zkw {

class TDibAnimator;
class TDibBaseObj;
class TDibFont;
class TWaitingThread;
class TVariableList;

enum TTextAlignment : uint8_t { taLeft, taCenter, taRight };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

// A queued scene task (message 1102).
struct TSceneTaskInfo {
  uint8_t FTaskEvent = 0;
  ZString FTaskData;
  int32_t FTaskDataNum1 = 0, FTaskDataNum2 = 0;
};
enum TSceneTask : uint8_t {
  stLoadMain = 1,
  stOpenSub = 2,
  stCloseSub = 3,
  stPauseMain = 4,
  stResumeMain = 5,
  stAppDataMain = 6,
  stAppDataSub = 7,
};

// Window messages (WM_USER + n) and the notifications the window sends to itself.
namespace wm {
constexpr plat::UINT GetAnimator = 1025, GetSubAnimator = 1026, IsPlaying = 1027, Play = 1028,
                     SetDisplayWindow = 1029, GetFont = 1030, GetSpeed = 1031, SetSpeed = 1032,
                     GetAlign = 1033, SetAlign = 1034, GetLayout = 1035, SetLayout = 1036,
                     GetHotCursor = 1037, SetHotCursor = 1038, GetCursorIndex = 1039,
                     SelectCursor = 1040, LoadMain = 1041, LoadSub = 1042, DrawOnly = 1053,
                     Step = 1054, GetXPos = 1057, SetXPos = 1058, GetYPos = 1059, SetYPos = 1060,
                     ImageCount = 1061, GetImage = 1062, GetImageEntry = 1063,
                     GetFrameBuffer = 1064, GetBitmap = 1065, GetSoundEntry = 1066,
                     SoundCount = 1067, GetSceneWidth = 1068, SetSceneWidth = 1069,
                     GetSceneHeight = 1070, SetSceneHeight = 1071, GetViewWidth = 1072,
                     SetViewWidth = 1073, GetViewHeight = 1074, SetViewHeight = 1075,
                     GetObject = 1076, ObjectCount = 1077, GetObjectByName = 1078,
                     IsObjectVisible = 1079, SetObjectVisible = 1080, GetExternal = 1081,
                     GetButton = 1082, GetText = 1083, SetText = 1084, GetTextLength = 1085,
                     SetTextLength = 1086, GetTextRect = 1087, SetTextRect = 1088,
                     GetTextHAlign = 1089, SetTextHAlign = 1090, GetTextVAlign = 1091,
                     SetTextVAlign = 1092, SelectScene = 1093, SetCharacterPath = 1094,
                     SetDataPath = 1095, UseDibCursor = 1097, AppData = 1098,
                     AddCursorFromDib = 1099, AddCursorFromLib = 1100, ClearCursors = 1101,
                     QueueTask = 1102, Pause = 1103, Resume = 1104, SetScenePath = 1105,
                     GetEnableSizeX = 1106, GetEnableSizeY = 1107, AddDib = 1108,
                     AssignDib = 1109, ButtonFrames = 1110, AppString = 1111,
                     GetErrorString = 1113, SetWaitingDib = 1115, LoadDibsIntoMemory = 1116,
                     LoadSoundsIntoMemory = 1117, GetDisableAutoDrawing = 1118,
                     SetPresentation = 1119;
// Notifications.
constexpr plat::UINT ButtonEvent = 1043, FrameComposed = 1044, ExternalDraw = 1045,
                     ObjectMouse = 1046, Dropped = 1047, CursorChanging = 1048, UserEvent = 1049,
                     HottrackClick = 1050, HottrackMove = 1051, LoadFailed = 1112;
// Private: paints the waiting image on the window's thread.
constexpr plat::UINT PaintWaiting = 1196;
}  // namespace wm

// Records that notifications point to. The 32-bit build keeps the documented layouts; the 64-bit
// build widens every object handle to 64 bits.
#pragma pack(push, 1)
struct TTaskNotifyRec {  // 1045, 1046: 7 bytes on Win32, 11 on 64-bit builds
  uint8_t Task;
  uint16_t Identifier;
  uintptr_t Object;
};
struct TUserEventRec {  // 1049: three int32 on Win32; the object widened on 64-bit builds
  uintptr_t Object;
  int32_t Value1;
  int32_t Value2;
};
struct THottrackRec {  // 1050, 1051
  int32_t Left, Top, Right, Bottom;
  char Text[256];
};
#pragma pack(pop)
static_assert(sizeof(TTaskNotifyRec) == 3 + sizeof(uintptr_t), "task record layout");
static_assert(sizeof(TUserEventRec) == 8 + sizeof(uintptr_t), "user event record layout");
static_assert(sizeof(THottrackRec) == 272, "hot-track record layout");

// Cursor record of messages 1099 and 1100 (six int32; the DIB handle widened on 64-bit builds).
#pragma pack(push, 1)
struct TCursorAddRec {
  int32_t LibIndex;
  uintptr_t Dib;
  int32_t Frames;
  int32_t Speed;
  int32_t HotX;
  int32_t HotY;
};
#pragma pack(pop)
static_assert(sizeof(TCursorAddRec) == 20 + sizeof(uintptr_t), "cursor record layout");

class TAnimatorWndObj {
 public:
  explicit TAnimatorWndObj(plat::HWND Wnd);
  ~TAnimatorWndObj();

  // Handles a message of the window; false when the default window procedure should have it.
  bool HandleMessage(plat::UINT Msg, plat::WPARAM wParam, plat::LPARAM lParam,
                     plat::LRESULT& Result);

  // Start (true) or stop play.
  void Play(bool Start);
  // One action-and-draw step and its presentation.
  void OneStep();
  bool SceneLoads(const ZString& FileName, TDibAnimator& Into);
  // Composes a frame without action and invalidates the window.
  void DrawOnly();
  void TimerTick();
  // Loads the main scene file with the waiting image shown; does not start play.
  bool LoadMainScene(const ZString& FileName, bool StopFirst = false);
  bool LoadSubScene(const ZString& FileName);
  void RecomputeView();
  void ResetCursors();
  void SelectCursor(int32_t Index);
  void PaintWaitingImage();
  TDibAnimator* CurrentAni() const { return FCurrentAni; }

  // Fields.
  plat::HWND Handle;
  bool FUseDirect2D = false;  // presentation method (1119); see PresentFrame
  std::vector<TDibCursorInfoRec> FCursorList;
  std::unique_ptr<TDibAnimator> FAnimator;
  std::unique_ptr<TDibAnimator> FSubAni;
  TDibAnimator* FCurrentAni = nullptr;
  bool FAction = false;
  bool FPausing = false;
  int32_t DibWidth = 0, DibHeight = 0;
  plat::HWND FShowWin;
  std::unique_ptr<TDibFont> FFont;
  TTextAlignment FAlign = taLeft;
  TTextLayout FLayout = tlTop;
  bool IsLeftDown = false;
  int16_t FHotCursor = 1;
  int16_t FDefaultCursor = 0;
  TDibCursor FDibCursor;
  int32_t FDibCursorID = -1;
  bool FCursorVisible = true;
  std::shared_ptr<TVariableList> FVarList;  // application variables of both scenes
  std::vector<TSceneTaskInfo> FTaskList;
  ZString FErrorString;
  TDibBaseObj* WaitingDib = nullptr;
  TWaitingThread* Waiting = nullptr;
  plat::RECT FDisplayRect{0, 0, 0, 0};
  bool FUseDibCursor = false;
  uint16_t FSpeed = 40;
  bool FEnableSizeX = false, FEnableSizeY = false;
  bool FModalSub = false;

 private:
  void BindSceneEvents();
  void PresentFrame();
  void RunTasks();
  void AddBuiltInCursors();
  void FreeCursorList();
  int32_t AddCursor(TDibBaseObj* Dib, int32_t Frames, int32_t Speed, int32_t HotX, int32_t HotY,
                    bool FromAni);
  void ReplaceCursor(int32_t ID, TDibBaseObj* Dib, int32_t Frames, int32_t Speed, int32_t HotX,
                     int32_t HotY);
  void ChooseCursor(plat::LPARAM MouseLParam, bool TookMove);
  bool MouseInside(int32_t& X, int32_t& Y) const;
  plat::LRESULT SceneMessage(plat::UINT Msg, plat::WPARAM wParam, plat::LPARAM lParam, bool& Known);
  plat::LRESULT CursorMessage(plat::UINT Msg, plat::WPARAM wParam, plat::LPARAM lParam, bool& Known);
  void MouseMessage(plat::UINT Msg, plat::WPARAM wParam, plat::LPARAM lParam);
};

// The window class, registered when the library loads.
extern const plat::WCHAR kPlayerClassName[];
extern const plat::WCHAR kPlayerObjectProp[];
constexpr plat::UINT kPlayerClassStyle = 16392;
bool RegisterPlayerWindowClass(plat::HINSTANCE Instance);
void UnregisterPlayerWindowClass(plat::HINSTANCE Instance);
// The window object of a player window, or null.
TAnimatorWndObj* PlayerWindowObject(plat::HWND Wnd);

}  // namespace zkw
