// Reading and writing scene files and reading scene libraries.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_base.h"
#include "imagefiles/dex.h"
#include "imagefiles/memory_block.h"
#include "platform/plat.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_registry.h"
#include "player/scene/dib_animator.h"
#include "player/scene/record_io.h"
#include "player/scene/scene_entries.h"

namespace zkw {

const char* const kSceneWriteSignature = "zelvantorium Animation";

namespace {

const char* const kSceneSignatures[] = {"MTDA Signature - MirandoTEK Company", "BRAVOLT Animation",
                                        "HGAD Signature Halden Graphics Workshop", "zelvantorium Animation"};
const char* const kLibrarySignatures[] = {"MTC Dibani Library", "HGC Dibani Library"};
constexpr int32_t kLibraryHeaderBytes = 1637;
constexpr int32_t kLibrarySlots = 200;

std::string Hex(int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", static_cast<uint32_t>(v));
  return buf;
}

int32_t GetI32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

// Text of a zero-terminated field of n bytes (no terminator: all n bytes).
std::string FieldText(const uint8_t* p, size_t n) {
  size_t len = 0;
  while (len < n && p[len]) ++len;
  return std::string(reinterpret_cast<const char*>(p), len);
}

bool CheckCount(TRecordReader& r, int32_t n, int32_t minBytes, const char* what) {
  if (n < 0) return r.Fail(std::string(what) + " " + std::to_string(n) + " is negative");
  if (static_cast<int64_t>(n) * minBytes > r.Remaining())
    return r.Fail(std::string(what) + " " + std::to_string(n) + " cannot fit in the " +
                  std::to_string(r.Remaining()) + " bytes left at " + std::to_string(r.Position()));
  return true;
}

TDibBaseObj* DibFromBlocks(uint32_t bits, plat::HGLOBAL image, plat::HGLOBAL alpha) {
  TDibBaseObj* dib = bits == 8 ? static_cast<TDibBaseObj*>(new TDib8Bits()) : new TDib24Bits();
  dib->SetHandle(reinterpret_cast<THandle>(image));
  if (dib->Handle() == 0) {
    if (alpha) plat::GlobalFree(alpha);
    delete dib;
    return nullptr;
  }
  if (alpha) {
    dib->CreateAlphaChannel();
    dib->AlphaDib->SetHandle(reinterpret_cast<THandle>(alpha));
  }
  return dib;
}

}  // namespace

// --- reading ----------------------------------------------------------------------------------

bool TDibAnimator::LoadFromStream(TStream* Stream) {
  TRecordReader r(Stream);
  uint8_t sig[45];
  if (!r.Bytes(sig, sizeof sig, "scene signature block")) return false;
  std::string text = FieldText(sig, kSceneSignatureBytes);
  bool known = false;
  for (const char* s : kSceneSignatures) known = known || text == s;
  if (!known) {
    SetLastErrorText("\"" + text + "\" is not a scene file signature");
    return false;
  }
  Empty();
  ResetRuntime();
  if (!ReadBody(r, GetI32(sig + 41))) {
    Empty();
    ResetRuntime();
    FViewWidth = FViewHeight = 0;
    FWidth = FHeight = 0;
    return false;
  }
  return true;
}

bool TDibAnimator::ReadBody(TRecordReader& r, int32_t Version) {
  if (Version != kSceneVersion1 && Version != kSceneVersion2 && Version != kSceneVersion3 &&
      Version != kSceneVersion4 && Version != kSceneVersion5 && Version != kSceneVersion6)
    return r.Fail("scene version " + Hex(Version) + " is not one this library reads");
  int32_t images = 0, objects = 0, sounds = 0, scripts = 0;
  bool disable = false;
  FEnableSizeX = FEnableSizeY = false;
  if (Version <= kSceneVersion2) {
    images = r.I32("image count");
    objects = r.I32("object count");
    r.Skip(8, "counts block");
  } else if (Version <= kSceneVersion4) {
    images = r.I32("image count");
    objects = r.I32("object count");
    sounds = r.I32("sound count");
    scripts = r.I32("script count");
  } else {
    objects = r.I32("object count");
    images = r.I32("image count");
    sounds = r.I32("sound count");
    scripts = r.I32("script count");
    int32_t marker = r.I32("scene marker");
    if (r.Ok() && marker != kSceneMarker)
      return r.Fail("scene marker " + std::to_string(marker) + " is not " + std::to_string(kSceneMarker));
    FEnableSizeX = r.U8("EnableSizeX") != 0;
    FEnableSizeY = r.U8("EnableSizeY") != 0;
    int32_t notes = r.I32("notes size");
    disable = r.I16("DisableAutoDrawing") != 0;
    if (!r.Ok()) return false;
    if (notes != 0) {
      if (!CheckCount(r, notes, 1, "notes size")) return false;
      std::vector<uint8_t> bytes(static_cast<size_t>(notes));
      if (!r.Bytes(bytes.data(), notes, "notes")) return false;
      FNotesHandle = NewBlockFrom(bytes.data(), bytes.size());
    }
  }
  if (!r.Ok()) return false;
  int32_t sceneW = r.I32("scene width"), sceneH = r.I32("scene height");
  int32_t viewW = r.I32("view width"), viewH = r.I32("view height");
  if (!r.Ok()) return false;
  if (viewW < 0 || viewH < 0 || viewW > kMaxViewSide || viewH > kMaxViewSide)
    return r.Fail("view size " + std::to_string(viewW) + " x " + std::to_string(viewH) + " is outside 0.." +
                  std::to_string(kMaxViewSide));
  SetDibAttr(sceneW, sceneH);
  // Smallest records: a v1 image is 4 bytes, a DEX record 24, an image entry head 9, a sound
  // entry head 11, a script record 1, an object record 3.
  int32_t imageMin = Version == kSceneVersion1 ? 4 : Version == kSceneVersion2 ? 24 : 9;
  if (!CheckCount(r, images, imageMin, "image count") || !CheckCount(r, sounds, 11, "sound count") ||
      !CheckCount(r, scripts, 1, "script count") || !CheckCount(r, objects, 3, "object count"))
    return false;
  int32_t total = images + 2;
  Progress(total, 0);
  if (!ReadImages(r, Version, images, total)) return false;
  if (Version >= kSceneVersion3 && !ReadSounds(r, sounds)) return false;
  Progress(total, images + 1);
  if (Version >= kSceneVersion5) {
    // Scripts and objects are read from a copy of the rest of the file; positions kept by
    // objects count from FObjectPositionInFile.
    FObjectPositionInFile = static_cast<int32_t>(r.Position());
    FObjectStreamBase = FObjectPositionInFile;
    int64_t rest = r.Remaining();
    std::vector<uint8_t> bytes(static_cast<size_t>(rest));
    if (!r.Bytes(bytes.data(), rest, "objects section")) return false;
    TMemoryStream copy(std::move(bytes));
    TRecordReader cr(&copy);
    if (!ReadSceneScripts(cr, scripts) || !ReadObjects(cr, Version, objects)) return r.Fail("");
  } else {
    FObjectPositionInFile = static_cast<int32_t>(r.Position());
    FObjectStreamBase = 0;
    if (Version >= kSceneVersion3 && !ReadSceneScripts(r, scripts)) return false;
    if (!ReadObjects(r, Version, objects)) return false;
  }
  Progress(total, images + 2);
  DisableAutoDrawing = disable;
  FViewWidth = viewW;
  FViewHeight = viewH;
  SetViewTo(viewW, viewH);
  return true;
}

bool TDibAnimator::ReadImages(TRecordReader& r, int32_t Version, int32_t Count, int32_t Total) {
  for (int32_t i = 0; i < Count; ++i) {
    auto* entry = new TDibEntry(this);
    FDibEntries.Append(entry);
    std::string which = "image " + std::to_string(i);
    if (Version == kSceneVersion1) {
      entry->LoadWhenUsed = false;
      int32_t bytes = r.I32("image byte count");
      if (!CheckCount(r, bytes, 1, "image byte count")) return false;
      std::vector<uint8_t> data(static_cast<size_t>(bytes));
      if (!r.Bytes(data.data(), bytes, "image")) return false;
      plat::HGLOBAL block = NewBlockFrom(data.data(), data.size());
      auto* dib = new TDib8Bits();
      if (block) dib->SetHandle(reinterpret_cast<THandle>(block));
      if (dib->Handle() == 0) {
        delete dib;
        return r.Fail(which + " is not an 8-bit packed DIB");
      }
      entry->Dib = dib;
    } else if (Version == kSceneVersion2) {
      entry->LoadWhenUsed = false;
      plat::HGLOBAL image = nullptr, alpha = nullptr;
      uint32_t bits = LoadDibExFromStream(r.Stream(), &image, &alpha);
      if (!bits) return r.Fail(which + " is not a valid DEX record: " + LastErrorText());
      entry->Dib = DibFromBlocks(bits, image, alpha);
      if (!entry->Dib) return r.Fail(which + " holds an image that cannot be used");
    } else {
      r.I32("image position");  // the stored value is not used
      entry->Size = r.U32("image size");
      entry->LoadWhenUsed = r.U8("image load flag") != 0;
      if (!r.Ok()) return false;
      if (AlwaysLoadDibIntoMemory) entry->LoadWhenUsed = false;
      entry->Position = static_cast<int32_t>(r.Position());
      if (entry->Size > static_cast<uint64_t>(r.Remaining()))
        return r.Fail(which + " of " + std::to_string(entry->Size) + " bytes runs past the end of the file at " +
                      std::to_string(entry->Position));
      if ((Designing || !entry->LoadWhenUsed || !FReadingSceneFile) && entry->Size > 0) {
        if (!FReadingSceneFile) entry->Position = 0;  // nowhere to read it again from
        std::vector<uint8_t> data(entry->Size);
        if (!r.Bytes(data.data(), entry->Size, "image")) return false;
        entry->Dib = DibFromDexBytes(data.data(), data.size());
        if (!entry->Dib) return r.Fail(which + " holds no valid DEX record: " + LastErrorText());
      } else if (!r.Skip(entry->Size, "image")) {
        return false;
      }
    }
    Progress(Total, i + 1);
  }
  return r.Ok();
}

bool TDibAnimator::ReadSounds(TRecordReader& r, int32_t Count) {
  for (int32_t i = 0; i < Count; ++i) {
    auto* entry = new TSoundEntry(this);
    FSoundEntries.Append(entry);
    int16_t len = r.I16("sound name length");
    if (!r.Ok()) return false;
    if (len < 0 || len > 255) return r.Fail("sound name length " + std::to_string(len) + " is outside 0..255");
    entry->SoundName.clear();
    if (len > 0) {
      uint8_t name[256];
      if (!r.Bytes(name, len + 1, "sound name")) return false;
      entry->SoundName = FieldText(name, static_cast<size_t>(len));
    }
    r.I32("sound position");  // the stored value is not used
    entry->Size = r.U32("sound size");
    entry->LoadWhenUsed = r.U8("sound load flag") != 0;
    if (!r.Ok()) return false;
    if (AlwaysLoadSoundIntoMemory) entry->LoadWhenUsed = false;
    entry->Position = static_cast<int32_t>(r.Position());
    if (entry->Size > static_cast<uint64_t>(r.Remaining()))
      return r.Fail("sound " + std::to_string(i) + " of " + std::to_string(entry->Size) +
                    " bytes runs past the end of the file at " + std::to_string(entry->Position));
    if ((Designing || !entry->LoadWhenUsed || !FReadingSceneFile) && entry->Size > 0) {
      if (!FReadingSceneFile) entry->Position = 0;  // nowhere to read it again from
      entry->Handle = plat::GlobalAlloc(plat::GMEM_MOVEABLE | plat::GMEM_ZEROINIT, entry->Size);
      if (!entry->Handle) return r.Fail("no memory for sound " + std::to_string(i));
      LockedBlock block(entry->Handle);
      if (!r.Bytes(block.Data(), entry->Size, "sound")) return false;
    } else if (!r.Skip(entry->Size, "sound")) {
      return false;
    }
  }
  return r.Ok();
}

bool TDibAnimator::ReadSceneScripts(TRecordReader& r, int32_t Count) {
  if (!CheckCount(r, Count, 1, "script count")) return false;
  for (int32_t i = 0; i < Count && r.Ok(); ++i) {
    uint8_t code = r.U8("scene script code");
    if (!r.Ok()) return false;
    if (TScriptPtr* slot = SceneScriptSlot(code)) {
      TScriptPtr list = ReadScriptRecord(r);
      if (r.Ok()) *slot = std::move(list);
    } else if (code == kProcedureRecordCode) {
      std::unique_ptr<TProcedureInfo> proc = ReadProcedure(r);
      if (!proc) return false;
      ProcList.Add(std::move(proc));
    }
  }
  return r.Ok();
}

bool TDibAnimator::ReadObjects(TRecordReader& r, int32_t Version, int32_t Count) {
  if (!CheckCount(r, Count, 3, "object count")) return false;
  for (int32_t i = 0; i < Count; ++i) {
    int16_t id = r.I16("object image index");
    uint8_t kind = r.U8("object kind");
    if (!r.Ok()) return false;
    bool old = Version <= kSceneVersion2;
    if (old && !IsOldFormatKind(kind)) continue;  // such a record creates no object
    std::unique_ptr<TAnimateObj> obj(CreateObjectOfKind(kind));
    if (!obj)
      return r.Fail("object " + std::to_string(i + 1) + " has kind code " + std::to_string(kind) +
                    " that no object kind handles");
    obj->FParent = this;
    obj->FID = id;
    TDibEntry* entry = GetEntry(id);
    obj->FDib = entry ? entry->Dib : nullptr;
    bool ok;
    if (old) {
      obj->FEnabled = true;
      ok = obj->ReadFromStream2(r);
      char name[16];
      std::snprintf(name, sizeof name, "%03d", i + 1);
      obj->FName = name;
    } else {
      ok = obj->ReadFromStream(r, Version);
    }
    if (!ok || !r.Ok()) return r.Fail("object " + std::to_string(i + 1) + " does not fit in the file");
    Append(obj.release());
  }
  return r.Ok();
}

bool TDibAnimator::LoadFromFile(const ZChar* Filename) {
  AniFilename = Filename ? Filename : ZString();
  TFileStream file(AniFilename.c_str(), FileMode::fmOpenRead);
  if (!file.IsOpen()) {
    std::string name = ToUtf8(AniFilename);
    ErrorInfo.fill(0);
    std::memcpy(ErrorInfo.data(), name.data(), std::min<size_t>(name.size(), ErrorInfo.size() - 1));
    SetLastErrorText("scene file \"" + name + "\" cannot be opened");
    if (FOnError) FOnError(this, ThisIsSubScene ? 2 : 1, ErrorInfo.data());
    Empty();
    ResetRuntime();
    return false;
  }
  size_t cut = AniFilename.find_last_of(static_cast<ZChar>('/')) ;
  size_t cut2 = AniFilename.find_last_of(static_cast<ZChar>('\\'));
  if (cut == ZString::npos || (cut2 != ZString::npos && cut2 > cut)) cut = cut2;
  ScenePath = cut == ZString::npos ? ZString() : AniFilename.substr(0, cut + 1);
  FReadingSceneFile = true;
  TReadAheadStream buffered(&file);
  bool loaded = LoadFromStream(&buffered);
  FReadingSceneFile = false;
  if (loaded) {
    FSceneReady = true;
    return true;
  }
  std::string reason = LastErrorText();
  Empty();
  ResetRuntime();
  SetLastErrorText(reason);
  return false;
}

bool TDibAnimator::LoadFromLib(const ZChar* Filename, int32_t Index) {
  if (!Filename) return false;
  TFileStream file(Filename, FileMode::fmOpenRead);
  if (!file.IsOpen()) {
    SetLastErrorText("scene library \"" + ToUtf8(Filename) + "\" cannot be opened");
    return false;
  }
  AniFilename = Filename;
  TRecordReader r(&file);
  std::vector<uint8_t> head(kLibraryHeaderBytes);
  if (!r.Bytes(head.data(), kLibraryHeaderBytes, "scene library header")) return false;
  std::string sig = FieldText(head.data(), 21);
  if (sig != kLibrarySignatures[0] && sig != kLibrarySignatures[1]) {
    SetLastErrorText("\"" + sig + "\" is not a scene library signature");
    return false;
  }
  int32_t count = GetI32(&head[21]);
  int32_t size = GetI32(&head[25]);
  if (size != file.Size()) {
    SetLastErrorText("scene library claims " + std::to_string(size) + " bytes but has " +
                     std::to_string(file.Size()));
    return false;
  }
  if (Index < 1 || Index > count || Index > kLibrarySlots) {
    SetLastErrorText("scene " + std::to_string(Index) + " is not in the library of " + std::to_string(count));
    return false;
  }
  int32_t offset = GetI32(&head[29 + 8 * static_cast<size_t>(Index)]);
  if (offset < kLibraryHeaderBytes || offset >= size || file.Seek(offset, SeekOrigin::soBeginning) != offset) {
    SetLastErrorText("scene " + std::to_string(Index) + " offset " + std::to_string(offset) +
                     " lies outside the library");
    return false;
  }
  FReadingSceneFile = true;
  TReadAheadStream buffered(&file);
  bool loaded = LoadFromStream(&buffered);
  FReadingSceneFile = false;
  return loaded;
}

TAnimateObj* TDibAnimator::ImportObject(const ZChar* FileName) {
  std::vector<uint8_t> bytes;
  if (!FileName || !ReadWholeFile(FileName, bytes)) {
    SetLastErrorText("object file cannot be read");
    return nullptr;
  }
  TMemoryStream stream(std::move(bytes));
  TRecordReader r(&stream);
  int16_t id = r.I16("object image index");
  uint8_t kind = r.U8("object kind");
  if (!r.Ok()) return nullptr;
  std::unique_ptr<TAnimateObj> obj(CreateObjectOfKind(kind));
  if (!obj) {
    SetLastErrorText("kind code " + std::to_string(kind) + " is not an object kind");
    return nullptr;
  }
  obj->FParent = this;
  obj->FID = id;
  obj->FDib = GetDib(id);
  if (!obj->ReadFromStream(r, kSceneVersion6)) return nullptr;
  Append(obj.get());
  return obj.release();
}

// --- writing ----------------------------------------------------------------------------------

void TDibAnimator::LoadAllEntries() {
  for (TItemNode* n = FDibEntries.Head(); n; n = n->NextItem) static_cast<TDibEntry*>(n)->Load();
  for (TItemNode* n = FSoundEntries.Head(); n; n = n->NextItem) static_cast<TSoundEntry*>(n)->Load();
}

bool TDibAnimator::SaveToStream(TStream* Stream) {
  std::vector<std::pair<int32_t, uint32_t>> imagePlaces, soundPlaces;
  return WriteScene(Stream, imagePlaces, soundPlaces);
}

bool TDibAnimator::WriteScene(TStream* Stream, std::vector<std::pair<int32_t, uint32_t>>& imagePlaces,
                              std::vector<std::pair<int32_t, uint32_t>>& soundPlaces) {
  // Entries still in the old file are read first: the target may be that very file.
  LoadAllEntries();
  TRecordWriter w(Stream);
  uint8_t sig[45] = {};
  std::strncpy(reinterpret_cast<char*>(sig), kSceneWriteSignature, 40);
  int32_t version = kSceneVersion6;
  std::memcpy(sig + 41, &version, 4);
  w.Bytes(sig, sizeof sig);
  int32_t images = DibCount(), sounds = SoundCount();
  uint32_t notes = FNotesHandle ? static_cast<uint32_t>(plat::GlobalSize(FNotesHandle)) : 0;
  w.I32(Count());
  w.I32(images);
  w.I32(sounds);
  w.I32(SceneScriptCount());
  w.I32(kSceneMarker);
  w.U8(FEnableSizeX ? 1 : 0);
  w.U8(FEnableSizeY ? 1 : 0);
  w.U32(notes);
  w.I16(DisableAutoDrawing ? 1 : 0);
  if (notes > 0) {
    LockedBlock block(FNotesHandle);
    w.Bytes(block.Data(), notes);
  }
  w.I32(FWidth);
  w.I32(FHeight);
  w.I32(FViewWidth);
  w.I32(FViewHeight);
  int32_t total = images + 3, done = 1;
  Progress(total, done);
  for (TItemNode* n = FDibEntries.Head(); n && w.Ok(); n = n->NextItem) {
    auto* entry = static_cast<TDibEntry*>(n);
    int64_t head = Stream->Position();
    w.I32(0);
    w.U32(0);
    w.U8(entry->LoadWhenUsed ? 1 : 0);
    int32_t written = 0;
    if (entry->Dib && entry->Dib->Handle() > 1)
      written = SaveDibExToStream(Stream, reinterpret_cast<plat::HGLOBAL>(entry->Dib->Handle()),
                                  reinterpret_cast<plat::HGLOBAL>(entry->Dib->GetAlphaHandle()));
    int64_t end = Stream->Position();
    Stream->Seek(head, SeekOrigin::soBeginning);
    w.I32(static_cast<int32_t>(head + 9));
    w.U32(static_cast<uint32_t>(written));
    Stream->Seek(end, SeekOrigin::soBeginning);
    imagePlaces.emplace_back(static_cast<int32_t>(head + 9), static_cast<uint32_t>(written));
    Progress(total, ++done);
  }
  for (TItemNode* n = FSoundEntries.Head(); n && w.Ok(); n = n->NextItem) {
    auto* entry = static_cast<TSoundEntry*>(n);
    uint32_t size = entry->BlockSize();
    size_t len = std::min<size_t>(entry->SoundName.size(), 255);
    w.I16(static_cast<int16_t>(len));
    if (len > 0) {
      w.Bytes(entry->SoundName.data(), static_cast<int64_t>(len));
      w.U8(0);
    }
    // The position of the data in this file (readers take it from where the data is).
    int32_t position = static_cast<int32_t>(Stream->Position() + 9);
    w.I32(position);
    w.U32(size);
    w.U8(entry->LoadWhenUsed ? 1 : 0);
    if (size > 0) {
      LockedBlock block(entry->Handle);
      w.Bytes(block.Data(), size);
    }
    soundPlaces.emplace_back(position, size);
  }
  if (sounds > 0) Progress(total, ++done);
  for (int i = 1; i <= 20; ++i) {
    TScriptPtr* slot = SceneScriptSlot(static_cast<uint8_t>(i));
    if (!*slot) continue;
    WriteScriptRecord(w, **slot, static_cast<uint8_t>(i));
  }
  for (uint8_t code : {scInit, scProc, scScroll, scFadeOut, scApp, scClose, scMouseDown, scMouseMove, scMouseUp,
                       scResize}) {
    TScriptPtr* slot = SceneScriptSlot(code);
    if (!*slot) continue;
    WriteScriptRecord(w, **slot, code);
  }
  for (const auto& proc : ProcList.Items) WriteProcedure(w, *proc);
  Progress(total, ++done);
  for (TItemNode* n = Head(); n && w.Ok(); n = n->NextItem) {
    auto* obj = static_cast<TAnimateObj*>(n);
    w.I16(obj->FID);
    w.U8(obj->FStyle);
    obj->Write(w);
  }
  Progress(total, ++done);
  if (!w.Ok()) SetLastErrorText("the scene could not be written");
  return w.Ok();
}

bool TDibAnimator::SaveToFile(const ZChar* Filename) {
  if (!Filename) return false;
  LoadAllEntries();
  std::vector<std::pair<int32_t, uint32_t>> imagePlaces, soundPlaces;
  // The scene is written to memory first: objects may still read data from the old file, which
  // may be the very file being written.
  TMemoryStream memory;
  if (!WriteScene(&memory, imagePlaces, soundPlaces)) return false;
  bool ok;
  {
    TFileStream file(Filename, FileMode::fmCreate);
    if (!file.IsOpen()) {
      SetLastErrorText("scene file \"" + ToUtf8(Filename) + "\" cannot be created");
      return false;
    }
    const std::vector<uint8_t>& bytes = memory.Bytes();
    ok = file.Write(bytes.data(), static_cast<int32_t>(bytes.size())) == static_cast<int32_t>(bytes.size());
    if (!ok) SetLastErrorText("scene file \"" + ToUtf8(Filename) + "\" could not be written");
  }
  // Entries of a scene saved over its own file are read again from where they now are.
  if (ok && AniFilename == Filename) {
    size_t i = 0;
    for (TItemNode* n = FDibEntries.Head(); n && i < imagePlaces.size(); n = n->NextItem, ++i) {
      static_cast<TDibEntry*>(n)->Position = imagePlaces[i].first;
      static_cast<TDibEntry*>(n)->Size = imagePlaces[i].second;
    }
    i = 0;
    for (TItemNode* n = FSoundEntries.Head(); n && i < soundPlaces.size(); n = n->NextItem, ++i) {
      static_cast<TSoundEntry*>(n)->Position = soundPlaces[i].first;
      static_cast<TSoundEntry*>(n)->Size = soundPlaces[i].second;
    }
  }
  return ok;
}

}  // namespace zkw
