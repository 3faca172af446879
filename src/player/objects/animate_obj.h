// TAnimateObj: the base of every scene object. It carries identity, geometry and drawing style,
// visibility, level and collision switches, the mouse flags, the nineteen event scripts and the
// common part of the object record of scene files. Kinds derive from it and add their data.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/link_list.h"
#include "player/scene/script_source.h"

namespace zkw {

class TDibAnimator;
class TDibBaseObj;
class TRecordReader;
class TRecordWriter;

// Object event codes; each is also the script's code in the object record.
enum TObjEventCode : uint8_t {
  ocClick = 1,
  ocMove = 2,
  ocEnd = 3,
  ocMouseDown = 4,
  ocMouseUp = 5,
  ocCollide = 6,
  ocAction = 7,
  ocDrop = 8,
  ocSoundEnd = 9,
  ocUser = 10,
  ocProc = 11,
  ocShow = 12,
  ocHide = 13,
  ocDraw = 14,
  ocUserRaised = 17,  // macroOnUser raised by the kind itself (not a record code)
  ocMouseOver = 19,
  ocMouseLeave = 20,
  ocMouseWheel = 21,
  ocBeforeDraw = 23,
  ocDblClk = 24,
};
constexpr int kObjScriptSlots = 25;
// Codes of object script records, in the order the writer uses.
extern const uint8_t kObjScriptWriteOrder[19];
// True for the nineteen codes an object record may carry.
bool IsObjScriptCode(uint8_t code);

struct TSmallRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

enum TCollideEdge : uint8_t { ceLeft = 0, ceTop = 1, ceRight = 2, ceBottom = 3 };
// A set of collision edges: bit (1 << edge).
constexpr uint8_t EdgeBit(TCollideEdge e) { return static_cast<uint8_t>(1u << e); }

// Property list of GetPropsToList: (name, property id) in order.
using TPropList = std::vector<std::pair<std::string, int32_t>>;

constexpr uint8_t kExternalKind = 255;
constexpr uint8_t kGroupKind = 36;

class TAnimateObj : public TItemNode {
 public:
  TAnimateObj();
  ~TAnimateObj() override;

  // Common record of scene versions 0x30000 and later (after the image index and kind byte
  // the animator handles); kinds read and write their data after calling these. False (with
  // the last-error text set) when the record does not fit in the stream.
  virtual bool ReadFromStream(TRecordReader& r, int32_t Version);
  virtual bool Write(TRecordWriter& w);
  // Short record of versions 0x10000 and 0x20000.
  virtual bool ReadFromStream2(TRecordReader& r);
  // The kind's own data after the common record (the old short layout reads it with version
  // 0x20000); kinds made with TKind read and write it from their field description.
  virtual bool ReadKindRecord(TRecordReader& r, int32_t Version);
  virtual void WriteKindRecord(TRecordWriter& w) const { (void)w; }
  // The common record alone.
  bool ReadCommon(TRecordReader& r, int32_t Version);
  void WriteCommon(TRecordWriter& w) const;
  // Copies what a copy of AObj takes (see NewFrom); kinds copy their own data after this.
  virtual void CopyFrom(const TAnimateObj& AObj);
  // Stores the image (not owned) and takes its size; ignored while ID < 0 or unchanged.
  virtual void SetDibObject(TDibBaseObj* ADib);
  // A new object of the same kind (used by copying); kinds override.
  virtual TAnimateObj* NewOfSameKind() const { return new TAnimateObj(); }

  // Event script of a code (1..24); null when there is none.
  TScriptList* Macro(uint8_t code) const { return code < kObjScriptSlots ? macros[code].get() : nullptr; }
  void SetMacro(uint8_t code, TScriptPtr list);
  void FreeScripts();
  int32_t ScriptCount() const;

  TSmallRect ObjRect() const;

  // --- behaviour ---
  virtual void SetActive(bool Value);
  virtual void SetVisible(bool Value);
  // Drops the image when the object hides or changes image (the animator may unload it).
  virtual void ReleaseImage();
  // Moves by (dx, dy) without events unless Locked (scrolling).
  virtual void ShiftBy(int32_t dx, int32_t dy);
  // Children follow, macroOnMove runs, collisions are tested.
  virtual void PositionChanged(int32_t OldX, int32_t OldY);
  // Runs macroOnCollide with event value 2 = edge bits (1 left, 2 right, 4 top, 8 bottom).
  virtual void CollideAction(uint8_t Edges);
  virtual void SoundFinished(int32_t ID);
  // True when this is not Other, is visible, shows image Index and has an image.
  virtual bool UsesImage(int32_t Index, TAnimateObj* Other) const;
  virtual void Action(TDibBaseObj* ADib) { (void)ADib; }
  // Play start: the script engine prepares the object's scripts; kinds reset their state.
  virtual void BeforePlay() {}
  // The host's identifier of an external object (kind 255); 0 for other kinds.
  virtual uint16_t ExternalIdentifier() const { return 0; }
  // Draws the image piece by DibStyle, then the pulsing frame of a hot container.
  virtual void Draw(TDibBaseObj* ADib);
  virtual void Changed() {}
  // The window's DIB font changed; kinds that draw with it rebuild.
  virtual void DibFontChanged() {}
  // Hit test in view pixels / solidity at object-relative pixels.
  virtual bool PtInObject(int32_t X, int32_t Y);
  virtual bool IsSolidAt(int32_t X, int32_t Y);
  // Property access by property id: type code 2 (number in Value) or 3 (text in SValue).
  virtual int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue);
  virtual void SetValue(int32_t PropID, const std::string& SValue, long double IValue);
  virtual void GetPropsToList(TPropList& List);
  // A script wrote one of the kind's described properties (kinds that redraw or rebuild on a
  // change override it).
  virtual void PropertyWritten(int32_t PropID) { (void)PropID; }
  // Mouse and keys (X, Y in view pixels); true = the object consumed the event.
  virtual bool MouseMove(TDibAnimator* AParent, int32_t X, int32_t Y);
  virtual bool MouseDown(TDibAnimator* AParent, int32_t X, int32_t Y);
  virtual bool MouseUp(TDibAnimator* AParent, int32_t X, int32_t Y);
  virtual bool MouseWheel(TDibAnimator* AParent, int32_t Delta, int32_t X, int32_t Y);
  virtual bool DoubleClick(TDibAnimator* AParent, int32_t X, int32_t Y);
  // Makes the object the animator's focused object.
  virtual void SetFocus();
  virtual void KeyDown(int32_t Key) { (void)Key; }
  virtual void KeyPress(int32_t Key) { (void)Key; }
  // This object when it is a visible container that a dragged object covers enough (see the
  // drop rules); else null.
  virtual TAnimateObj* ContainerAt(TAnimateObj* Dragged, const TSmallRect& Rect);
  // After the image list changed: ADib null drops image Index; ADib this object's image takes
  // index Index.
  virtual void ValidateID(TDibBaseObj* ADib, int32_t Index);
  // Shows ADib when the object shows image Index (the entry's image was replaced).
  virtual void ValidateDibID(TDibBaseObj* ADib, int32_t Index);
  // Shows image ID (loaded from the scene when ADib is null).
  virtual void AssignDib(int32_t ID, TDibBaseObj* ADib);
  virtual bool UseDib(TDibBaseObj* ADib) const { return ADib == FDib; }
  // Look-ups: this object when it matches, else null. Button kinds (25, 27) answer by their
  // group id and external objects (255) by their identifier; the base answers neither.
  virtual TAnimateObj* MatchName(const std::string& Name);
  virtual TAnimateObj* MatchButtonID(int32_t ID) { (void)ID; return nullptr; }
  virtual TAnimateObj* MatchExternalID(int32_t ID) { (void)ID; return nullptr; }
  // The list of objects a group holds; null for every other kind.
  virtual TLinkList* ChildList() { return nullptr; }

  // --- operations of particular kinds, called by scripts and by the animator's text drawing.
  // The base answers false (not a kind that has the operation) and changes nothing. ---
  // Movie kinds: start frame From (> 0; else the current frame), end frame To, then Reset.
  // Dialog kind: Play(From, To).
  virtual bool PlayFrames(int32_t From, int32_t To) { (void)From; (void)To; return false; }
  // List kind: Clear then UpdateControl / DeleteItem / AddItem / Sort.
  virtual bool ListClear() { return false; }
  virtual bool ListDeleteItem(int32_t Index) { (void)Index; return false; }
  virtual bool ListAddItem(const std::string& Text, int32_t Data) { (void)Text; (void)Data; return false; }
  virtual bool ListSort() { return false; }
  // List and dialog kinds: the item's text (8-bit scene text) and data; false when the object
  // has no items. An index outside the items answers true with empty text and data 0.
  virtual bool ListItem(int32_t Index, std::string& Text, int32_t& Data) {
    (void)Index; (void)Text; (void)Data; return false;
  }
  // Scrolls the content by Dy (list kinds; scroll bars call it on the object they drive).
  virtual void VScroll(int32_t Dy) { (void)Dy; }
  // Hot-track kind: EnableItem.
  virtual bool EnableHotItem(const std::string& Name, bool Enable) { (void)Name; (void)Enable; return false; }
  // Data table kind: GetData of a cell; returns the kind (2 number, 3 text), 0 when this is no
  // data table. A missing cell gives 2 with Value 0 and Text untouched.
  virtual uint8_t TableData(int32_t Column, int32_t Row, std::string& Text, long double& Value) {
    (void)Column; (void)Row; (void)Text; (void)Value; return 0;
  }
  // Text drawing for the animator's DATextOut / DATextWidth / DATextHeight (Text already
  // decoded): kinds with their own font (labels, text fields, DIB-font objects) draw or measure
  // and answer true with the result; the base answers false and the animator uses the frame
  // bitmap's font.
  virtual bool TextOutFor(TDibBaseObj* Frame, int32_t X, int32_t Y, const std::u16string& Text,
                          int32_t& Result) {
    (void)Frame; (void)X; (void)Y; (void)Text; (void)Result; return false;
  }
  virtual bool TextWidthFor(const std::u16string& Text, int32_t& Width) { (void)Text; (void)Width; return false; }
  virtual bool TextHeightFor(const std::u16string& Text, int32_t& Height) { (void)Text; (void)Height; return false; }
  // Database kind: a field of the current record (its kind, 0 for an object that is no
  // database object), storing a field (false when not; numbers arrive unrounded, each field
  // type rounds as it stores), and the record operations of scripts
  // (0 append blank, 1 insert blank, 2 flush; false when not a database object or not open).
  virtual uint8_t GetFieldValue(const std::string& Field, long double& Value, std::string& Text) {
    (void)Field; (void)Value; (void)Text; return 0;
  }
  virtual bool SetFieldValue(const std::string& Field, long double Value, const std::string& Text) {
    (void)Field; (void)Value; (void)Text; return false;
  }
  virtual bool DatabaseOperation(uint8_t Operation) { (void)Operation; return false; }

  void SetXPos(int32_t Value) { SetPos(Value, Fy); }
  void SetYPos(int32_t Value) { SetPos(Fx, Value); }
  // The combined setter: one position change for both coordinates.
  void SetPos(int32_t X, int32_t Y);
  void SetParentObjName(const std::string& Name);
  // Edges hit when moving by (Dx, Dy) into another object of the same level; 0 for none.
  uint8_t Collide(int32_t Dx, int32_t Dy);
  bool CollideWith(TAnimateObj* Other, int32_t Dx, int32_t Dy);
  void Die();
  // Starts dragging a draggable object by script: grabbed at its centre, the mouse moved there,
  // the mouse captured for it.
  void Float();
  // Gives the scene's caret to this object with that height / leaves the caret without owner.
  void ShowCaret(int32_t AHeight);
  void HideCaret();
  // Runs one of the object's event scripts through the animator (nothing without a script).
  void RunMacro(uint8_t ListCode, int32_t EventCode);
  bool IsPixelSolid(int32_t ix, int32_t iy) const;
  // Runs the mouse-over or mouse-leave script when the hover state changes.
  void MouseInChanged(bool Inside);
  bool InRect(int32_t X, int32_t Y) const { return X >= Fx && Y >= Fy && X < Fx + FWidth && Y < Fy + FHeight; }

  // Fields, in declaration order, with their defaults.
  std::vector<TAnimateObj*> FChildren;  // not owning: the objects live in their lists
  std::string FParentName;
  int32_t FIndex = 0;
  std::string FName = "Noname";
  std::string FTextID;
  int16_t FLevel = 0;
  bool FCollide = false;
  bool FActive = true;
  bool FContainer = false;
  bool FShowHotrack = true;
  uint16_t FHotOpacity = 10;
  int32_t FHotDelta = 5;
  int16_t FID = -1;
  TDibBaseObj* FDib = nullptr;
  bool FEnabled = true;
  int32_t Fx = 0, Fy = 0;
  int32_t FOx = 0, FOy = 0;
  int16_t FOriginX = 0, FOriginY = 0;
  bool FLocked = false;
  int16_t FWidth = 0, FHeight = 0;
  int16_t FFlipX = 1, FFlipY = 1;
  int16_t FTrans = 100;
  uint8_t FDibStyle = 1;
  bool FFloatWhenClick = false;
  bool FSensitive = false;
  bool FLeftDown = false;
  bool FKeysNeeded = false;
  bool FParentSetPos = false;
  bool FHasCollided = false;
  int32_t FTag = 0;
  int16_t FHotCursor = 1;
  void (*FOnDeleted)(TAnimateObj* Sender) = nullptr;
  int32_t FInternalData = 0;
  bool FSounding = false;
  bool FMouseIn = false;
  uint32_t FHottrackColor = 0xFFFFFF;
  long double FStore1 = 0, FStore2 = 0;
  uint8_t FStyle = 0;
  TDibAnimator* FParent = nullptr;
  TAnimateObj* FGroup = nullptr;
  std::array<TScriptPtr, kObjScriptSlots> macros;  // indexed by TObjEventCode
  std::string macroUserName;
  bool EnableEndEvent = true, EnableClickEvent = true, EnableCollideEvent = true;

 protected:
  bool ReadScripts(TRecordReader& r);
  void WriteScripts(TRecordWriter& w) const;
};

}  // namespace zkw
