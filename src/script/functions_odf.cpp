// Database and library image functions (codes 52-56, 63, 64): Seek, Find and the memo readers
// of a database object's current record, and images read from DIB and JPEG libraries. Images
// and memory blocks made here are registered handles (FreeDib, FreeData).
#include <cstring>
#include <iterator>

#include "dib/dib_base.h"
#include "dib/dib_factory.h"
#include "expr/functions_support.h"
#include "expr/handles.h"
#include "imagefiles/jpeg_library.h"
#include "odf/odf_file.h"
#include "platform/plat.h"
#include "player/kinds/odf_kind.h"
#include "player/scene/dib_animator.h"
#include "script/functions_scene.h"
#include "text/ansi_text.h"

namespace zkw {

namespace {

// The open table of the database object behind a number, or null.
TODFFile* TableOf(const TProccessInfo& Info, long double Number) {
  if (!SceneOf(Info) || !Info.Animator) return nullptr;
  auto* obj = dynamic_cast<TAniODFObj*>(Info.Animator->ObjectFromReference(RoundInt(Number)));
  return obj ? obj->Table() : nullptr;
}

// The two arguments of the database functions: an object and a text (raw or decoded).
bool TableAndText(const TToken& Call, const TProccessInfo& Info, TODFFile*& Table, std::string& Text) {
  TArgs a(Call, Info);
  long double n = 0;
  if (a.Count() != 2 || !a.Number(0, n) || !a.String(1, Text)) return false;
  Table = TableOf(Info, n);
  return true;
}

// "Seek": the key raw; the logical position found, 0 when none.
uint8_t FnSeek(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  TODFFile* t = nullptr;
  std::string key;
  if (!TableAndText(Call, Info, t, key)) return vkNone;
  return NumberResult(Value, t ? t->Seek(key) : 0);
}

// "Find": the condition decoded to UTF-16.
uint8_t FnFind(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  TODFFile* t = nullptr;
  std::string condition;
  if (!TableAndText(Call, Info, t, condition)) return vkNone;
  return NumberResult(Value, t ? t->Find(Decode(condition)) : 0);
}

// The memo of the named field of the current record: its style and a block of its data.
plat::HGLOBAL ReadMemo(const TProccessInfo& Info, const TToken& Call, uint8_t& Style, int32_t& Size,
                       bool& ArgumentsOk) {
  TODFFile* t = nullptr;
  std::string field;
  ArgumentsOk = TableAndText(Call, Info, t, field);
  TMemoField* memo = ArgumentsOk && t ? t->GetFm(field) : nullptr;
  if (!memo) return nullptr;
  Style = memo->mfStyle;
  return t->ReadFromMemo(field, &Size);
}

// "GetMemoDib": bitmap memos as 8- or 24-bit images by their block's depth (other depths 0),
// JPEG memos decoded to 24 bits, DEX memos read as DEX records.
uint8_t FnGetMemoDib(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  uint8_t style = 0;
  int32_t size = 0;
  bool ok = false;
  plat::HGLOBAL block = ReadMemo(Info, Call, style, size, ok);
  if (!ok) return vkNone;
  if (!block) return NumberResult(Value, 0);
  TDibBaseObj* dib = nullptr;
  if (style == msBitmap) {
    uint16_t bits = 0;
    if (size >= 40) std::memcpy(&bits, static_cast<uint8_t*>(plat::GlobalLock(block)) + 14, 2);
    if (size >= 40) plat::GlobalUnlock(block);
    if (bits == 8 || bits == 24) {
      dib = CreateDibObject(static_cast<uint8_t>(bits));
      dib->SetHandle(reinterpret_cast<THandle>(block));  // a block it refuses it frees
      block = nullptr;
      if (dib->Handle() == 0) {
        delete dib;
        dib = nullptr;
      }
    }
  } else if (style == msJpeg) {
    std::unique_ptr<TJpegImage> image = JpegBlockToImage(block);  // frees the block
    block = nullptr;
    plat::HGLOBAL pixels = image ? JpegToDib(*image, 0) : nullptr;
    if (pixels) {
      dib = CreateDibObject(24);
      dib->SetHandle(reinterpret_cast<THandle>(pixels));
    }
  } else if (style == msDex) {
    dib = DibObjectFromBuffer(static_cast<const uint8_t*>(plat::GlobalLock(block)), static_cast<uint64_t>(size));
    plat::GlobalUnlock(block);
  }
  if (block) plat::GlobalFree(block);
  return NumberResult(Value, static_cast<long double>(AddHandle(THandleKind::hkImage, dib)));
}

// "GetMemoText": plain text memos as they are, Unicode memos encoded; others empty.
uint8_t FnGetMemoText(const TToken& Call, const TProccessInfo& Info, long double&, std::string& Text) {
  uint8_t style = 0;
  int32_t size = 0;
  bool ok = false;
  plat::HGLOBAL block = ReadMemo(Info, Call, style, size, ok);
  if (!ok) return vkNone;
  Text.clear();
  if (!block) return vkString;
  const auto* data = static_cast<const uint8_t*>(plat::GlobalLock(block));
  if (style == msText) {
    Text.assign(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
  } else if (style == msUnicodeText) {
    ZString wide;
    for (int32_t i = 0; i + 1 < size; i += 2) {
      ZChar unit = static_cast<ZChar>(data[i] | (data[i + 1] << 8));
      if (!unit) break;
      wide.push_back(unit);
    }
    Text = Encode(wide);
  }
  plat::GlobalUnlock(block);
  plat::GlobalFree(block);
  return vkString;
}

// "GetMemoData": the raw data as a registered memory block, 0 when empty.
uint8_t FnGetMemoData(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  uint8_t style = 0;
  int32_t size = 0;
  bool ok = false;
  plat::HGLOBAL block = ReadMemo(Info, Call, style, size, ok);
  if (!ok) return vkNone;
  return NumberResult(Value, block ? static_cast<long double>(AddMemoryHandle(block)) : 0);
}

// A library file: the name as given when it exists, else in the scene's DataPath.
ZString LibraryName(const TProccessInfo& Info, const std::string& Name) {
  ZString name = Decode(Name);
  plat::DWORD attributes = plat::GetFileAttributesW(name.c_str());
  TDibAnimator* scene = SceneOf(Info);
  if (attributes == plat::INVALID_FILE_ATTRIBUTES && scene && !scene->DataPath.empty())
    return scene->DataPath + name;
  return name;
}

bool NameAndIndex(const TToken& Call, const TProccessInfo& Info, std::string& Name, int32_t& Index) {
  TArgs a(Call, Info);
  long double n = 0;
  if (a.Count() != 2 || !a.String(0, Name) || !a.Number(1, n)) return false;
  Index = RoundInt32(n);
  return true;
}

// "DibFromLib": entry ID of a DIB library as a registered image.
uint8_t FnDibFromLib(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  std::string name;
  int32_t index = 0;
  if (!NameAndIndex(Call, Info, name, index)) return vkNone;
  TDibBaseObj* dib = DibObjectFromLib(LibraryName(Info, name).c_str(), index);
  return NumberResult(Value, static_cast<long double>(AddHandle(THandleKind::hkImage, dib)));
}

// "DibFromJPGLib": picture ID of a JPEG library as a registered 24-bit image; 0 when absent.
uint8_t FnDibFromJpgLib(const TToken& Call, const TProccessInfo& Info, long double& Value, std::string&) {
  std::string name;
  int32_t index = 0;
  if (!NameAndIndex(Call, Info, name, index)) return vkNone;
  plat::HGLOBAL pixels = JpegLibraryToDib(LibraryName(Info, name).c_str(), index, nullptr, 0);
  if (!pixels) return NumberResult(Value, 0);
  TDibBaseObj* dib = CreateDibObject(24);
  dib->SetHandle(reinterpret_cast<THandle>(pixels));
  return NumberResult(Value, static_cast<long double>(AddHandle(THandleKind::hkImage, dib)));
}

constexpr TFunctionBinding kDatabase[] = {
    {52, FnSeek},     {53, FnFind},         {54, FnGetMemoDib},    {55, FnGetMemoText},
    {56, FnGetMemoData}, {63, FnDibFromLib}, {64, FnDibFromJpgLib},
};

}  // namespace

TFunctionGroup DatabaseFunctions() { return {kDatabase, std::size(kDatabase)}; }

}  // namespace zkw
