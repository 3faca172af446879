// TDibAnimator: one running scene. It owns the scene's objects (its list, in z-order from the
// head, backmost, to the tail, frontmost), image and sound entries, scene scripts and
// procedures, and a 24-bit frame buffer; it reads and writes scene files.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/link_list.h"
#include "base/text16.h"
#include "platform/plat_gdi.h"
#include "platform/plat_types.h"
#include "player/scene/dib_caret.h"
#include "player/scene/script_source.h"

namespace zkw {

class TAnimateObj;
class TDibAnimator;
class TDib24Bits;
class TDibBaseObj;
class TDibEntry;
class TDibFont;
class TSoundEntry;
class TDXSoundManger;
class TStream;
class TRecordReader;

enum TAnimatorState : uint8_t { anisOK, anisFreeObjs };
enum TAnimatorTask : uint8_t { atDraw = 0, atAction = 1 };
enum TMouseTask : uint8_t { mtMove = 0, mtDown = 1, mtUp = 2, mtOver = 3, mtLeave = 4 };

// Scene event codes of scene scripts; also the codes of their records in scene files.
enum TSceneScriptCode : uint8_t {
  scProc = 30,
  scScroll = 31,
  scInit = 32,
  scFadeOut = 33,
  scApp = 34,
  scMouseDown = 35,
  scMouseMove = 36,
  scMouseUp = 37,
  scClose = 38,
  scResize = 39,
};
constexpr uint8_t kProcedureRecordCode = 254;

// Scene file constants.
constexpr int32_t kSceneSignatureBytes = 41;
constexpr int32_t kSceneVersion1 = 0x10000, kSceneVersion2 = 0x20000, kSceneVersion3 = 0x30000,
                  kSceneVersion4 = 0x40000, kSceneVersion5 = 0x50000, kSceneVersion6 = 0x60000;
constexpr int32_t kSceneMarker = 2008;
extern const char* const kSceneWriteSignature;
// Largest view (frame buffer) side a scene file may ask for.
constexpr int32_t kMaxViewSide = 8192;

struct PendingSound {
  TAnimateObj* Owner;
  int32_t EventID;
  TSoundEntry* Entry;
};
struct PendingMove {
  uint8_t Kind;  // 0 bring to front, 1 send to back, 2 move above, 3 move below
  TAnimateObj* Obj;
  TAnimateObj* Ref;
};

// The script engine's entry point: runs a script list for the animator, with the object (or
// null) and the event code. Set by the script engine; while null, scripts do not run.
using TEventScriptRunner = void (*)(TDibAnimator* Ani, TAnimateObj* Obj, TScriptList* List, int32_t Code);
extern TEventScriptRunner gEventScriptRunner;

class TDibAnimator : public TLinkList {
 public:
  TDibAnimator();
  ~TDibAnimator() override;

  // --- scene files ---
  // Reads Size bytes at Position of the scene file AniFilename; false when there is no file or
  // the range lies outside it.
  bool ReadSceneFileBytes(int32_t Position, uint32_t Size, std::vector<uint8_t>& Bytes) const;
  bool LoadFromFile(const ZChar* Filename);
  // False with an empty scene (and the last-error text set) on any fault after the signature;
  // a signature that is not accepted leaves the scene as it was.
  bool LoadFromStream(TStream* Stream);
  bool LoadFromLib(const ZChar* Filename, int32_t Index);
  bool SaveToFile(const ZChar* Filename);
  // Writes the scene (version 0x60000); images and sounds read lazily are loaded first.
  bool SaveToStream(TStream* Stream);
  // Reads one object record (version 0x60000 layout) from a file and appends it; null on failure.
  TAnimateObj* ImportObject(const ZChar* FileName);
  void Empty();
  // The runtime reset of a new or newly loaded scene.
  void ResetRuntime();

  // --- images and sounds ---
  int32_t AddDib(TDibBaseObj* Dib);
  TDibBaseObj* GetDib(int32_t Index);
  TDibEntry* GetEntry(int32_t Index) const;
  int32_t DibCount() const;
  // Unloads a lazily loaded image unless another visible object shows it (nothing when Designing).
  void TryRemoveDib(int32_t Index, TAnimateObj* Obj);
  TSoundEntry* AddSound(plat::HGLOBAL Handle);
  TSoundEntry* GetSoundEntry(int32_t Index) const;
  int32_t SoundCount() const;

  // Frees entry Index; objects showing it lose their image, later indexes move down by one.
  void RemoveDib(int32_t Index);
  // Replaces the image of entry Index (kept in memory from now on) and shows it on the objects
  // that show that index, except the imageless kinds.
  void ReplaceDibEntry(int32_t Index, TDibBaseObj* Dib);
  void AssignDibToObject(TAnimateObj* Obj, int32_t Index);
  void RemoveSound(int32_t Index);
  void MoveSoundItemUp(int32_t Index);
  void MoveSoundItemDown(int32_t Index);
  // Queues a sound for the next action step; false when there is no such entry. Names compare
  // case-insensitively.
  bool PlaySoundItem(int32_t Index, TAnimateObj* Owner, int32_t ID);
  bool PlaySoundItem(const std::string& Name, TAnimateObj* Owner, int32_t ID);
  void SetSoundVolume(TAnimateObj* Owner, int32_t ID, int32_t Volume);
  // Sounds played at once by the scene's sound manager (scene_sound_ops.cpp). PlayMSSoundItem:
  // an entry by index or name, looping or not, false when there is none; PlaySoundData: a wave
  // image block the caller keeps; PlaySoundFile: the whole file (else DataPath + its name part)
  // read into a block, false when neither can be read. StopSound stops the sounds of Owner (all
  // when null) and drops its queued ones, StopMSSound every sound that does not loop;
  // StopSoundFile does nothing.
  bool PlayMSSoundItem(TAnimateObj* Owner, int32_t ID, bool Loop, int32_t Index);
  bool PlayMSSoundItem(TAnimateObj* Owner, int32_t ID, bool Loop, const std::string& Name);
  bool PlaySoundData(TAnimateObj* Owner, plat::HGLOBAL Handle, int32_t ID);
  bool PlaySoundFile(const std::string& FileName, bool Loop);
  void StopSound(TAnimateObj* Owner);
  void StopMSSound();
  void StopSoundFile() {}
  // Notifications of the sound manager.
  void ObjPlayed(TAnimateObj* Obj);
  void SoundEnded(TAnimateObj* Obj, int32_t ID);
  // As SoundEnded; a dialog object (kind 35) also becomes inactive.
  void ObjStop(TAnimateObj* Obj, int32_t ID);

  // --- app data ---
  void SetAppData(int32_t AppID, int32_t AppValue);
  void SetAppString(int32_t AppID, const char* AppStr);

  // --- drawing for scripts (pen at GraphX, GraphY) ---
  void MoveTo(int32_t X, int32_t Y);
  void LineTo(int32_t X, int32_t Y);
  void BarTo(int32_t X, int32_t Y);
  void SetGraphAttr(uint32_t Color, int32_t Width);
  void SetGraphOpacity(int32_t Merge) { GraphOpacity = static_cast<int16_t>(Merge); }
  // Draws image ID at the pen position, with its alpha channel when it has one, else opaque.
  void DrawDibItem(int32_t ID);

  // --- objects ---
  bool GetEnable(int32_t Index) const;
  void SetEnable(int32_t Index, bool Value);
  // Shows every TFloatLimitObj (kind 14) / true when one is hidden.
  void Continue();
  bool HasStop() const;
  TAnimateObj* GetObject(int32_t Index) const;
  TAnimateObj* GetObjectName(const std::string& Name) const;
  TAnimateObj* GetButtonID(int32_t ID) const;
  TAnimateObj* GetExternalID(int32_t ID) const;

  // Runs a script with FWorking set for its length; nothing for a null list.
  void RunEventScript(TAnimateObj* Obj, TScriptList* List, int32_t Code);
  void SetFocusedObj(TAnimateObj* Obj);
  // Cursor bridge: each forwards to the window's callback when one is set. AddCursor gives -1
  // when the scene has no image DibID or nobody answers; CursorVisible is true and CursorCount 2
  // when nobody answers.
  int32_t AddCursor(int32_t DibID, int32_t Frames, int32_t Speed, int32_t HotX, int32_t HotY);
  void ReplaceCursor(int32_t ID, int32_t DibID, int32_t Frames, int32_t Speed, int32_t HotX,
                     int32_t HotY);
  void OnOffCursor(bool Visible);
  bool CursorVisible();
  int32_t CursorCount();
  void ResetCursor();
  // Caret position relative to its owner's top-left.
  void SetCaretPos(int32_t X, int32_t Y) { FCaret.FX = X; FCaret.FY = Y; }

  // Text for scripts (8-bit scene text, decoded first): with a label or text field in its
  // system font, with a DIB-font object in its DIB font, otherwise in the frame bitmap's font.
  // DATextOut answers the drawn width (0 when nothing could be drawn).
  int32_t DATextOut(TAnimateObj* Obj, int32_t X, int32_t Y, const std::string& Text);
  int32_t DATextWidth(TAnimateObj* Obj, const std::string& Text);
  int32_t DATextHeight(TAnimateObj* Obj, const std::string& Text);

  // --- frame cycle ---
  // Frees the objects marked for deletion, polls the keys, lets every visible object act and
  // applies the queued z-order moves and sounds. Nothing while not ready, working or paused.
  void DoAction(TDibBaseObj* ADib);
  // Draws every visible object in list order, then the fade.
  void DoDraw(TDibBaseObj* ADib);
  // Sets the text block (8-bit scene text the host keeps alive; null for none).
  void SetText(const char* Text, uint16_t Len);
  void DrawTextBlock(TDibBaseObj* ADib);
  // Action and draw step, then the frame buffer copied to the device context at (X, Y).
  void Action(plat::HDC DC, int32_t X, int32_t Y);
  // Draw step, then the copy.
  void Draw(plat::HDC DC, int32_t X, int32_t Y);
  // Copies the current frame buffer to the device context at the rectangle's top-left.
  void Paint(plat::HDC DC, const plat::RECT& Rect);
  void FadeIn(int16_t Delta, uint32_t Color);
  void FadeOut(int16_t Delta, uint32_t Color);
  void PollKeys();
  void BeforePlay();
  void EndPlay();

  // --- z-order, deletion, copies ---
  void DeleteThis(TAnimateObj* Obj);
  TAnimateObj* NewFrom(TAnimateObj* Obj);
  void BringToFront(TAnimateObj* Obj);
  void SendToBack(TAnimateObj* Obj);
  void MoveAbove(TAnimateObj* Obj, TAnimateObj* Ref);
  void MoveBelow(TAnimateObj* Obj, TAnimateObj* Ref);
  void PrepareMove(uint8_t Kind, TAnimateObj* Obj, TAnimateObj* Ref);
  void ProcessPendingMoves();
  void ResetParents();

  // --- scrolling ---
  void Scroll(int32_t Dx, int32_t Dy);
  void ScrollTo(int32_t X, int32_t Y) { Scroll(X + FXPos, Y + FYPos); }
  void SetPositionX(int32_t Value);
  void SetPositionY(int32_t Value);
  // Shifts every object (locked ones stay) by (Dx, Dy).
  void ChangePosition(int32_t Dx, int32_t Dy);

  // --- input (view pixels); true = an object consumed it ---
  bool MouseMove(int32_t X, int32_t Y);
  bool MouseDown(int32_t X, int32_t Y);
  void MouseUp(int32_t X, int32_t Y);
  bool MouseWheel(int32_t Delta, int32_t X, int32_t Y);
  bool DoubleClick(int32_t X, int32_t Y);
  // True when the focused object wants the key, so that the host does not treat it further.
  bool KeyDown(int32_t Key);
  bool KeyPress(int32_t Key);
  // The first container below Obj (towards the head of Obj's list) that Obj is dropped onto.
  TAnimateObj* SearchObjBelow(TAnimateObj* Obj);

  // --- view ---
  void SetDibAttr(int32_t W, int32_t H);
  void SetViewTo(int32_t W, int32_t H);
  void CreateBitmap(int32_t W, int32_t H);
  // Draws into Ani's frame buffer from now on (frees an own buffer first).
  void WorkWith(TDibAnimator* Ani);
  // Ending play stops all of the scene's sounds; pausing stops the ones that do not loop,
  // reporting each as ended.
  void SetPlaying(bool Value);
  void SetPaused(bool Value);
  // Plays the queued sounds, from the last queued to the first.
  void PlayPendingSounds();
  // The scene's sound manager (bound to the process-wide sound object when it plays).
  TDXSoundManger& SoundManager() { return *DXSoundManager; }

  // --- scripts ---
  // Scene script of a record code (1..10 key down, 11..20 key up, 30..39 scene events).
  TScriptPtr* SceneScriptSlot(uint8_t code);
  void FreeMacros();
  // Frees every object script and every scene script (procedures stay).
  void ClearAllMacros();
  // Tells every object but DIB-font objects (kind 40), through groups; nothing while emptying.
  void DibFontChanged();
  // Number of script and procedure records the writer emits.
  int32_t SceneScriptCount() const;

  // Fields, in declaration order.
  std::unique_ptr<TDXSoundManger> DXSoundManager;
  int32_t FObjectPositionInFile = 0;
  // While LoadFromFile or LoadFromLib reads AniFilename: entries and objects may then leave
  // their data in the file and read it again when needed. A scene read from any other stream
  // keeps everything in memory.
  bool FReadingSceneFile = false;
  // The file position of the object reader's position 0 (the object section is read from a
  // copy in newer versions).
  int32_t FObjectStreamBase = 0;
  std::vector<PendingSound> FSounds;
  bool FSceneReady = false;
  plat::HBITMAP FBkBitmap = nullptr;
  TDib24Bits* FDib = nullptr;
  int32_t FXPos = 0, FYPos = 0;
  int32_t FWidth = 0, FHeight = 0;
  int32_t FViewWidth = 0, FViewHeight = 0;
  TLinkList FDibEntries;
  TLinkList FSoundEntries;
  bool FSetAttr = true;
  uint16_t FTextHAlign = 0, FTextVAlign = 0;
  plat::RECT FTextRect{0, 0, 320, 200};
  const char* FText = nullptr;
  uint16_t FTextLen = 0;
  TDibFont* FFont = nullptr;  // shared with the window, not owned
  TAnimateObj* FFocused = nullptr;
  // Event values are pointer-wide: value 1 carries object handles (collisions, drops).
  intptr_t FEventValue1 = 0, FEventValue2 = 0;
  std::string FEventString;
  std::vector<TAnimateObj*> FDeleteds;
  TAnimateObj* FHotObject = nullptr;
  bool FEnableSizeX = false, FEnableSizeY = false;
  TAnimateObj* FHotContainer = nullptr;
  TAnimateObj* FCaptureMouseObj = nullptr;
  plat::HGLOBAL FNotesHandle = nullptr;
  std::array<uint8_t, 10> KeyStates{};
  std::vector<PendingMove> MoveObjects;
  int16_t FFadeDelta = 0, FCurrentFade = 0;
  uint32_t FFadeColor = 0;
  bool FPlaying = false, FPaused = false;
  TAnimatorState FControlState = anisOK;

  // Host callbacks.
  std::function<void(TDibAnimator*)> FOnClose;
  std::function<void(TDibAnimator*, int32_t Total, int32_t Done)> FOnProgress;
  std::function<void(TDibAnimator*, int32_t Code, const char* Info)> FOnError;
  std::function<void(TDibAnimator*)> FOnSetFocus;
  // Moves the system mouse cursor to view pixel (X, Y) (bound by the window; used by Float).
  std::function<void(TDibAnimator*, int32_t X, int32_t Y)> FOnSetMousePos;
  std::function<void(TDibAnimator*, TAnimateObj* Obj)> FOnDrop;
  std::function<void(TDibAnimator*, TAnimatorTask Task, uint16_t ID, TAnimateObj* Obj)> FOnTask;
  // Reads whether a virtual key is down now (the window binds it to the system); null = none is.
  bool (*FKeyDown)(int32_t VirtualKey) = nullptr;
  // Cursor bridge of the window (main scene only): add a strip from image DibID (index or -1),
  // replace strip ID, show or hide, count, visibility, reset.
  std::function<int32_t(TDibAnimator*, int32_t DibID, int32_t Frames, int32_t Speed, int32_t HotX,
                        int32_t HotY)> FOnCRSAdd;
  std::function<void(TDibAnimator*, int32_t ID, int32_t DibID, int32_t Frames, int32_t Speed,
                     int32_t HotX, int32_t HotY)> FOnCRSReplace;
  std::function<void(TDibAnimator*, bool Visible)> FOnCRSShow;
  std::function<int32_t(TDibAnimator*)> FOnCRSCount;
  std::function<bool(TDibAnimator*)> FOnCRSVisible;
  std::function<void(TDibAnimator*)> FOnCRSReset;
  std::function<void(TDibAnimator*, int32_t Event)> FOnEvent;
  std::function<void(TDibAnimator*, TMouseTask Task, uint16_t ID, TAnimateObj* Obj, bool& Handled)>
      FOnMouseEvent;
  std::function<void(TDibAnimator*, TAnimateObj* Obj, intptr_t Value1, intptr_t Value2)> FOnUserEvent;
  std::function<void(TDibAnimator*, const plat::RECT& Info, const std::string& Data)> FOnHottrack;
  std::function<void(TDibAnimator*, const plat::RECT& Info, const std::string& Data)> FOnTrack;

  bool DisableAutoDrawing = false, NeedDrawNow = true;
  plat::HWND WindowHandle = nullptr;
  ZString DataPath, CharacterPath, ScenePath;
  TAnimateObj* CurrentObj = nullptr;
  ZString AniFilename;
  bool Designing = false;
  bool EnableExecuteCode = false;
  int16_t GraphX = 0, GraphY = 0;
  uint32_t GraphColor = 0;
  int16_t GraphWidth = 1, GraphOpacity = 100;
  int32_t WillScrollX = 0, WillScrollY = 0;
  int32_t GlobalValue1 = 0, GlobalValue2 = 0, GlobalValue3 = 0;
  std::array<TScriptPtr, 11> macroUpKeys, macroDownKeys;  // slots 1..10
  TScriptPtr macroOnInit, macroProc, macroOnScroll, macroOnFadeOut, macroOnApp, macroOnClose,
      macroOnMouseDown, macroOnMouseMove, macroOnMouseUp, macroOnResize;
  TProcedureList ProcList;
  // Scene variables (Global) and application variables (AppVar; a window shares one list
  // between its main scene and sub-scene by giving both the same pointer).
  TVariableList GlobalVarList;
  std::shared_ptr<TVariableList> AppVarList = std::make_shared<TVariableList>();
  // The scene as expressions see it; made by the script engine on first use.
  std::shared_ptr<TExprHost> FScriptHost;
  bool FWorking = false;
  bool ThisIsSubScene = false;
  bool AlwaysLoadDibIntoMemory = false, AlwaysLoadSoundIntoMemory = false;
  std::array<char, 256> ErrorInfo{};
  bool NoKeyboardProcess = false;
  TDibCaret FCaret;

 private:
  void Progress(int32_t Total, int32_t Done);
  void FreeDeleteds();
  TLinkList* ListOf(TAnimateObj* Obj);
  void FreeBitmap();
  // Text on the frame bitmap in its current font: drawn width / extent (width, height).
  int32_t FrameTextOut(int32_t X, int32_t Y, const std::u16string& Text);
  std::pair<int32_t, int32_t> FrameTextExtent(const std::u16string& Text);
  bool ReadBody(TRecordReader& r, int32_t Version);
  bool ReadImages(TRecordReader& r, int32_t Version, int32_t Count, int32_t Total);
  bool ReadSounds(TRecordReader& r, int32_t Count);
  bool ReadSceneScripts(TRecordReader& r, int32_t Count);
  bool ReadObjects(TRecordReader& r, int32_t Version, int32_t Count);
  void LoadAllEntries();
  // Writes the scene; the places (position, size) where each image and sound now lie.
  bool WriteScene(TStream* Stream, std::vector<std::pair<int32_t, uint32_t>>& imagePlaces,
                  std::vector<std::pair<int32_t, uint32_t>>& soundPlaces);
};

}  // namespace zkw
