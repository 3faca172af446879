// Scene objects, images, text and cursors (codes 57, 59-62, 65-67, 72-77, 83-86, 88, 111-114).
// Numbers from scripts become objects only through the host's ObjectFromReference and images
// only through ImageFromReference. Everything that touches an object needs the
// running scene (TExprHost::SceneAnimator); without one these functions give 0.
#include "script/functions_scene.h"

#include <algorithm>

#include "common/round.h"
#include "base/text16.h"
#include "dib/dib24.h"
#include "dib/dib_base.h"
#include "dib/transform_ops.h"
#include "expr/functions_support.h"
#include "expr/handles.h"
#include "fonts/dib_font.h"
#include "player/kinds/character_obj.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"

namespace zkw {

namespace {

// Largest side and pixel count of an image ScaleDib and ScaleDibID make.
constexpr int64_t kMaxScaledSide = 16384;
constexpr int64_t kMaxScaledPixels = int64_t{64} * 1024 * 1024;

long double HandleOf(const void* P) {
  return static_cast<long double>(reinterpret_cast<uintptr_t>(P));
}

// The scene object behind a number, or null (also without a running scene).
TAnimateObj* ObjectOf(const TProccessInfo& Info, long double Number) {
  if (!SceneOf(Info) || !Info.Animator) return nullptr;
  return Info.Animator->ObjectFromReference(RoundInt(Number));
}

// Calls F(object) for every object of a list and, through groups, of the lists they hold;
// stops when F answers true.
template <class F>
bool AnyObject(TLinkList* List, F&& Fn) {
  for (TItemNode* n = List ? List->Head() : nullptr; n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    if (Fn(o)) return true;
    if (o->ChildList() && AnyObject(o->ChildList(), Fn)) return true;
  }
  return false;
}

// --- objects -----------------------------------------------------------------------------------

// "Collided": exactly 2 objects: 1 when a pixel inside both rectangles is solid in both.
uint8_t FnCollided(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string&) {
  TArgs a(Call, Info);
  long double n1 = 0, n2 = 0;
  if (a.Count() != 2 || !a.Number(0, n1) || !a.Number(1, n2)) return vkNone;
  TAnimateObj *p = ObjectOf(Info, n1), *q = ObjectOf(Info, n2);
  if (!p || !q) return NumberResult(Value, 0);
  TSmallRect r1 = p->ObjRect(), r2 = q->ObjRect();
  int32_t left = std::max(r1.left, r2.left), right = std::min(r1.right, r2.right);
  int32_t top = std::max(r1.top, r2.top), bottom = std::min(r1.bottom, r2.bottom);
  for (int32_t y = top; y <= bottom; ++y)
    for (int32_t x = left; x <= right; ++x)
      if (p->IsSolidAt(x - p->Fx, y - p->Fy) && q->IsSolidAt(x - q->Fx, y - q->Fy))
        return NumberResult(Value, 1);
  return NumberResult(Value, 0);
}

// "Intersect": exactly 2 objects: 1 when their rectangles share a pixel.
uint8_t FnIntersect(const TToken& Call, const TProccessInfo& Info, long double& Value,
                    std::string&) {
  TArgs a(Call, Info);
  long double n1 = 0, n2 = 0;
  if (a.Count() != 2 || !a.Number(0, n1) || !a.Number(1, n2)) return vkNone;
  TAnimateObj *p = ObjectOf(Info, n1), *q = ObjectOf(Info, n2);
  if (!p || !q) return NumberResult(Value, 0);
  TSmallRect r1 = p->ObjRect(), r2 = q->ObjRect();
  bool hit = std::max(r1.left, r2.left) <= std::min(r1.right, r2.right) &&
             std::max(r1.top, r2.top) <= std::min(r1.bottom, r2.bottom);
  return NumberResult(Value, hit ? 1 : 0);
}

// "GetObject": the named object's handle, 0 when there is none.
uint8_t FnGetObject(const TToken& Call, const TProccessInfo& Info, long double& Value,
                    std::string& Text) {
  if (EvaluateSingleArgument(Call, Info, Value, Text) != vkString) return vkNone;
  TAnimateObj* o = Info.Animator ? Info.Animator->GetObjectName(Text) : nullptr;
  Text.clear();
  return NumberResult(Value, HandleOf(o));
}

// "GetContainer": the container SearchObjBelow finds for the object, 0 for none.
uint8_t FnGetContainer(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  if (EvaluateSingleArgument(Call, Info, Value, Text) != vkNumber) return vkNone;
  TAnimateObj* o = ObjectOf(Info, Value);
  Value = 0;
  return NumberResult(Value, o ? HandleOf(SceneOf(Info)->SearchObjBelow(o)) : 0);
}

// "GetFocus()": the focused object.
uint8_t FnGetFocus(const TToken&, const TProccessInfo& Info, long double& Value, std::string&) {
  TDibAnimator* ani = SceneOf(Info);
  return NumberResult(Value, ani ? HandleOf(ani->FFocused) : 0);
}

// The object GETOBJCOUNT and GETOBJECTOF work on: Whole when the argument names no object
// (0 or ""), else the object (null for an unknown name or number).
TAnimateObj* OfObject(const TArgs& A, bool& Whole) {
  long double v = 0;
  std::string t;
  uint8_t k = A.Eval(0, v, t);
  Whole = false;
  if (k == vkString) {
    if (t.empty()) return Whole = true, nullptr;
    return A.Info().Animator ? A.Info().Animator->GetObjectName(t) : nullptr;
  }
  if (RoundInt(v) == 0) return Whole = true, nullptr;
  return ObjectOf(A.Info(), v);
}

// The list of objects GETOBJCOUNT and GETOBJECTOF count: the scene's or a group's; null else.
TLinkList* ListOfObjects(const TArgs& A, TDibAnimator* Ani) {
  bool whole = false;
  TAnimateObj* o = OfObject(A, whole);
  if (whole) return Ani;
  return o ? o->ChildList() : nullptr;
}

// "GetObjCount": the scene's objects, or a group's, counted; 0 for other objects.
uint8_t FnGetObjCount(const TToken& Call, const TProccessInfo& Info, long double& Value,
                      std::string&) {
  TArgs a(Call, Info);
  if (a.Count() < 1) return vkNone;
  TDibAnimator* ani = SceneOf(Info);
  TLinkList* list = ani ? ListOfObjects(a, ani) : nullptr;
  return NumberResult(Value, list ? list->Count() : 0);
}

// "GetObjectOf": the object at the 1-based index of that list; 0 out of range.
uint8_t FnGetObjectOf(const TToken& Call, const TProccessInfo& Info, long double& Value,
                      std::string&) {
  TArgs a(Call, Info);
  if (a.Count() < 2) return vkNone;
  TDibAnimator* ani = SceneOf(Info);
  TLinkList* list = ani ? ListOfObjects(a, ani) : nullptr;
  long double idx = 0;
  if (!a.Number(1, idx)) return vkNone;
  int64_t i = RoundInt(idx);
  if (!list || i < 1 || i > list->Count()) return NumberResult(Value, 0);
  return NumberResult(Value, HandleOf(list->Get(static_cast<int32_t>(i - 1))));
}

// "Items"/"ItemData": exactly 2: a list or dialog object's item text or data; kind 0 for other
// objects.
uint8_t ListItem(const TToken& Call, const TProccessInfo& Info, long double& Value,
                 std::string& Text, bool WantText) {
  TArgs a(Call, Info);
  long double n = 0, idx = 0;
  if (a.Count() != 2 || !a.Number(0, n) || !a.Number(1, idx)) return vkNone;
  TAnimateObj* o = ObjectOf(Info, n);
  std::string text;
  int32_t data = 0;
  if (!o || !o->ListItem(RoundInt32(idx), text, data)) return vkNone;
  if (WantText) return TextResult(Text, std::move(text));
  return NumberResult(Value, data);
}

uint8_t FnItems(const TToken& Call, const TProccessInfo& Info, long double& Value,
                std::string& Text) {
  return ListItem(Call, Info, Value, Text, true);
}

uint8_t FnItemData(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string& Text) {
  return ListItem(Call, Info, Value, Text, false);
}

// "GetTableData": 3 or more: a data table and two numbers: the cell's value with its kind;
// 0 when the object is no data table.
uint8_t FnGetTableData(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  TArgs a(Call, Info);
  long double n = 0, col = 0, row = 0;
  if (a.Count() < 3 || !a.Number(0, n) || !a.Number(1, col) || !a.Number(2, row)) return vkNone;
  TAnimateObj* o = ObjectOf(Info, n);
  std::string text;
  long double v = 0;
  uint8_t kind = o ? o->TableData(RoundInt32(col), RoundInt32(row), text, v) : 0;
  if (kind == vkString) return TextResult(Text, std::move(text));
  return NumberResult(Value, kind == vkNumber ? v : 0);
}

// "CharDraw": 10 or more: a character object, then x, y, ox, oy, w, h, fx, fy and Opacity: the
// piece (ox, oy, w, h) of its current frame drawn at (x, y) onto the scene's image, flipped
// where fx or fy < 0; 1 when something was drawn, else 0.
uint8_t FnCharDraw(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string&) {
  TArgs a(Call, Info);
  long double n = 0;
  if (a.Count() < 10 || !a.Number(0, n)) return vkNone;
  int32_t v[9];
  for (int32_t i = 0; i < 9; ++i) {
    long double number = 0;
    if (!a.Number(i + 1, number)) return vkNone;
    v[i] = RoundInt32(number);
  }
  auto* character = dynamic_cast<TCharacterObj*>(ObjectOf(Info, n));
  TDibAnimator* ani = SceneOf(Info);
  const bool drawn = character && ani &&
                     character->DrawEx(ani->FDib, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
  return NumberResult(Value, drawn ? 1 : 0);
}

// --- text --------------------------------------------------------------------------------------

// "TextOut": 4 or more: object, X, Y and a text: DATextOut's result.
uint8_t FnTextOut(const TToken& Call, const TProccessInfo& Info, long double& Value,
                  std::string&) {
  TArgs a(Call, Info);
  long double n = 0, x = 0, y = 0;
  std::string text;
  if (a.Count() < 4 || !a.Number(0, n) || !a.Number(1, x) || !a.Number(2, y) ||
      !a.String(3, text))
    return vkNone;
  TDibAnimator* ani = SceneOf(Info);
  if (!ani) return NumberResult(Value, 0);
  return NumberResult(Value, ani->DATextOut(ObjectOf(Info, n), RoundInt32(x), RoundInt32(y), text));
}

// "TextWidth"/"TextHeight": 2 or more: an object and a text.
uint8_t TextMeasure(const TToken& Call, const TProccessInfo& Info, long double& Value,
                    bool Width) {
  TArgs a(Call, Info);
  long double n = 0;
  std::string text;
  if (a.Count() < 2 || !a.Number(0, n) || !a.String(1, text)) return vkNone;
  TDibAnimator* ani = SceneOf(Info);
  if (!ani) return NumberResult(Value, 0);
  TAnimateObj* o = ObjectOf(Info, n);
  return NumberResult(Value, Width ? ani->DATextWidth(o, text) : ani->DATextHeight(o, text));
}

uint8_t FnTextWidth(const TToken& Call, const TProccessInfo& Info, long double& Value,
                    std::string&) {
  return TextMeasure(Call, Info, Value, true);
}

uint8_t FnTextHeight(const TToken& Call, const TProccessInfo& Info, long double& Value,
                     std::string&) {
  return TextMeasure(Call, Info, Value, false);
}

// "DibTextWidth": the text's width in the scene's bitmap font; 0 without a font.
uint8_t FnDibTextWidth(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  if (EvaluateSingleArgument(Call, Info, Value, Text) != vkString) return vkNone;
  TDibAnimator* ani = SceneOf(Info);
  ZString u = Decode(Text);
  Text.clear();
  Value = 0;
  if (!ani || !ani->FFont || u.empty()) return vkNumber;
  uint16_t count = static_cast<uint16_t>(std::min<size_t>(u.size(), 0xFFFF));
  return NumberResult(Value, ani->FFont->TextWidth(u.c_str(), count));
}

// --- images ------------------------------------------------------------------------------------

// A new 24-bit image of Dib scaled to NewWidth x NewHeight, registered; 0 when it cannot be made.
long double ScaledImage(TDibBaseObj* Dib, long double NewWidth, long double NewHeight) {
  if (!Dib || Dib->Handle() == 0 || Dib->Width() <= 0 || Dib->Height() <= 0) return 0;
  int32_t rx = RoundInt32(NewWidth / Dib->Width() * 100);
  int32_t ry = RoundInt32(NewHeight / Dib->Height() * 100);
  // The size GetScaleDib will make, checked against the limits before anything is allocated.
  int64_t w = Round(static_cast<double>(rx) * Dib->Width() / 100.0);
  int64_t h = Round(static_cast<double>(ry) * Dib->Height() / 100.0);
  if (w < 1 || h < 1 || w > kMaxScaledSide || h > kMaxScaledSide || w * h > kMaxScaledPixels)
    return 0;
  TDibBaseObj* scaled = GetScaleDib(rx, ry, Dib);
  return static_cast<long double>(AddHandle(THandleKind::hkImage, scaled));
}

// "ScaleDib": exactly 3: an image and the new size.
uint8_t FnScaleDib(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string&) {
  TArgs a(Call, Info);
  long double n = 0, w = 0, h = 0;
  if (a.Count() != 3 || !a.Number(0, n) || !a.Number(1, w) || !a.Number(2, h)) return vkNone;
  return NumberResult(Value, ScaledImage(ImageFromReference(SceneOf(Info), RoundInt(n)), w, h));
}

// "ScaleDibID": exactly 3: the scene's image at an index and the new size.
uint8_t FnScaleDibID(const TToken& Call, const TProccessInfo& Info, long double& Value,
                     std::string&) {
  TArgs a(Call, Info);
  long double idx = 0, w = 0, h = 0;
  if (a.Count() != 3 || !a.Number(0, idx) || !a.Number(1, w) || !a.Number(2, h)) return vkNone;
  TDibAnimator* ani = SceneOf(Info);
  TDibBaseObj* dib = ani ? ani->GetDib(RoundInt32(idx)) : nullptr;
  return NumberResult(Value, ScaledImage(dib, w, h));
}

// "GetDibWidth"/"GetDibHeight": 0 for no image or an image without pixel memory.
uint8_t DibSide(const TToken& Call, const TProccessInfo& Info, long double& Value,
                std::string& Text, bool Width) {
  EvaluateSingleArgument(Call, Info, Value, Text);
  TDibBaseObj* dib = ImageFromReference(SceneOf(Info), RoundInt(Value));
  Text.clear();
  if (!dib || dib->Handle() == 0) return NumberResult(Value, 0);
  return NumberResult(Value, Width ? dib->Width() : dib->Height());
}

uint8_t FnGetDibWidth(const TToken& Call, const TProccessInfo& Info, long double& Value,
                      std::string& Text) {
  return DibSide(Call, Info, Value, Text, true);
}

uint8_t FnGetDibHeight(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  return DibSide(Call, Info, Value, Text, false);
}

// --- cursors -----------------------------------------------------------------------------------

uint8_t FnCursorVisible(const TToken&, const TProccessInfo& Info, long double& Value,
                        std::string&) {
  TDibAnimator* ani = SceneOf(Info);
  return NumberResult(Value, ani && ani->CursorVisible() ? 1 : 0);
}

uint8_t FnCursorCount(const TToken&, const TProccessInfo& Info, long double& Value, std::string&) {
  TDibAnimator* ani = SceneOf(Info);
  return NumberResult(Value, ani ? ani->CursorCount() : 0);
}

// Evaluates the first Count arguments, rounded, whatever their kinds.
void Rounded(const TArgs& A, int32_t Count, int32_t* Out) {
  for (int32_t i = 0; i < Count; ++i) {
    long double v = 0;
    std::string t;
    A.Eval(i, v, t);
    Out[i] = RoundInt32(v);
  }
}

// "AddCursor": 5 or more: image index, frames, speed, hot spot: AddCursor's result; -1 else.
uint8_t FnAddCursor(const TToken& Call, const TProccessInfo& Info, long double& Value,
                    std::string&) {
  TArgs a(Call, Info);
  TDibAnimator* ani = SceneOf(Info);
  if (a.Count() < 5 || !ani) return NumberResult(Value, -1);
  int32_t v[5];
  Rounded(a, 5, v);
  return NumberResult(Value, ani->AddCursor(v[0], v[1], v[2], v[3], v[4]));
}

// "ReplaceCursor": 6 or more: the cursor index and AddCursor's arguments: the index; -1 else.
uint8_t FnReplaceCursor(const TToken& Call, const TProccessInfo& Info, long double& Value,
                        std::string&) {
  TArgs a(Call, Info);
  TDibAnimator* ani = SceneOf(Info);
  if (a.Count() < 6 || !ani) return NumberResult(Value, -1);
  int32_t v[6];
  Rounded(a, 6, v);
  ani->ReplaceCursor(v[0], v[1], v[2], v[3], v[4], v[5]);
  return NumberResult(Value, v[0]);
}

const TFunctionBinding kScene[] = {
    {57, FnCollided},      {59, FnGetObject},      {60, FnScaleDib},       {61, FnGetDibWidth},
    {62, FnGetDibHeight},  {65, FnItems},          {66, FnItemData},       {67, FnDibTextWidth},
    {72, FnGetContainer},  {73, FnGetFocus},       {74, FnCursorVisible},  {75, FnCursorCount},
    {76, FnAddCursor},     {77, FnReplaceCursor},  {83, FnIntersect},      {84, FnTextOut},
    {85, FnTextWidth},     {86, FnTextHeight},     {88, FnScaleDibID},     {111, FnGetTableData},
    {112, FnCharDraw},     {113, FnGetObjCount},  {114, FnGetObjectOf},
};

}  // namespace

TDibAnimator* SceneOf(const TProccessInfo& Info) {
  return Info.Animator ? Info.Animator->SceneAnimator() : nullptr;
}

TDibBaseObj* ImageFromReference(TDibAnimator* Ani, int64_t Number) {
  if (Number <= 0) return nullptr;
  if (auto* dib = FindHandle<TDibBaseObj>(THandleKind::hkImage, Number)) return dib;
  if (!Ani) return nullptr;
  const uintptr_t address = static_cast<uintptr_t>(Number);
  auto is = [&](const void* p) { return p && reinterpret_cast<uintptr_t>(p) == address; };
  if (is(Ani->FDib)) return Ani->FDib;
  for (int32_t i = 0; i < Ani->DibCount(); ++i) {
    TDibEntry* entry = Ani->GetEntry(i);
    if (entry && is(entry->Dib)) return entry->Dib;
  }
  TDibBaseObj* found = nullptr;
  AnyObject(Ani, [&](TAnimateObj* o) { return is(o->FDib) ? (found = o->FDib, true) : false; });
  return found;
}

TFunctionGroup SceneFunctions() { return {kScene, std::size(kScene)}; }

}  // namespace zkw
