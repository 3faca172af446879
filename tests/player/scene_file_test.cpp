// Scene files: every version from hand-built bytes, byte-exact round trips of saved scenes,
// refusal of corrupt and truncated files, lazy images, scene libraries.
#include <gtest/gtest.h>

#include <memory>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_base.h"
#include "dib/dib_factory.h"
#include "imagefiles/dex.h"
#include "imagefiles/memory_block.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"
#include "support/scene_builder.h"
#include "support/test_support.h"

using namespace zkw;
using zkwtest::CommonRecord;
using zkwtest::SceneBytes;

namespace {

constexpr uint8_t kTestCode = 4;  // not assigned to any kind

// A 3 x 2 8-bit image with distinct pixels.
std::unique_ptr<TDibBaseObj> SmallDib() {
  std::unique_ptr<TDibBaseObj> dib(CreateDibObject(8));
  dib->SetAttributes(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) dib->PutPixel(x, y, static_cast<uint32_t>(10 * y + x + 1));
  return dib;
}

std::vector<uint8_t> DexOf(TDibBaseObj* dib) {
  TMemoryStream s;
  SaveDibExToStream(&s, reinterpret_cast<plat::HGLOBAL>(dib->Handle()), nullptr);
  return s.Bytes();
}

std::vector<uint8_t> Save(TDibAnimator& ani) {
  TMemoryStream s;
  EXPECT_TRUE(ani.SaveToStream(&s));
  return s.Bytes();
}

bool Load(TDibAnimator& ani, const std::vector<uint8_t>& bytes) {
  TBufferStream s(bytes.data(), bytes.size());
  return ani.LoadFromStream(&s);
}

// A version 0x60000 scene with notes, one image in memory, one sound, scene scripts, a
// procedure and two objects of the test kind.
SceneBytes Version6Scene(uint8_t signatureFill) {
  auto dib = SmallDib();
  std::vector<uint8_t> dex = DexOf(dib.get());
  SceneBytes s;
  s.Signature("zelvantorium Animation", 0x60000, signatureFill);
  s.Counts56(2, 1, 1, 5, "notes!", true, false, 1);
  s.Sizes(800, 600, 64, 48);
  s.I32(1234).U32(static_cast<uint32_t>(dex.size())).U8(0).Raw(dex);
  s.I16(4).Raw(std::string("Bell", 5)).I32(99).U32(6).U8(0).Raw(std::string("RIFF..", 6));
  s.U8(32).Text("Init line 1\r\nline 2");
  s.U8(3).Text("key right down");
  s.U8(25);  // not a script code: nothing follows its code byte
  s.U8(254).Text("Proc1").U16(1).Text("a").U8(2).U8(3).Text("Return a");
  s.U8(39).Text("resize");
  CommonRecord a;
  a.scripts = {{1, "click"}, {24, "dbl"}, {22, ""}};  // 22 is skipped after its byte
  a.name = "Alpha";
  a.info = "info";
  a.parent = "Beta";
  a.x = -70000;
  a.y = 40000;
  a.originX = 1;
  a.width = 2;
  a.height = 2;
  a.flipX = -1;
  a.trans = 55;
  a.style = 2;
  a.level = 3;
  a.collision = 1;
  a.floatWhenClick = 1;
  a.locked = 1;
  a.tag = -5;
  a.hotCursor = 4;
  s.I16(0).U8(kTestCode);
  zkwtest::AppendCommon(s, a, true);
  s.I32(777);
  CommonRecord b;
  b.name = "Beta";
  b.visible = 0;
  b.active = 0;
  b.container = 1;
  b.sensitive = 1;
  s.I16(-1).U8(kTestCode);
  zkwtest::AppendCommon(s, b, true);
  s.I32(-1);
  return s;
}

}  // namespace

TEST(SceneFile, Version6FromHandBuiltBytesAndByteExactRoundTrip) {
  zkwtest::ScopedTestKind kind(kTestCode);
  TDibAnimator ani;
  SceneBytes s = Version6Scene(0xCC);  // garbage after the signature text is not significant
  ASSERT_TRUE(Load(ani, s.b)) << LastErrorText();
  EXPECT_TRUE(ani.FEnableSizeX);
  EXPECT_FALSE(ani.FEnableSizeY);
  EXPECT_TRUE(ani.DisableAutoDrawing);
  EXPECT_EQ(ani.FWidth, 800);
  EXPECT_EQ(ani.FViewWidth, 64);
  EXPECT_EQ(ani.FViewHeight, 48);
  ASSERT_NE(ani.FNotesHandle, nullptr);
  EXPECT_EQ(zkwtest::BlockBytes(ani.FNotesHandle), std::vector<uint8_t>({'n', 'o', 't', 'e', 's', '!'}));
  // The frame buffer is a 24-bit image of the view size.
  ASSERT_NE(ani.FDib, nullptr);
  EXPECT_EQ(ani.FDib->Width(), 64);
  EXPECT_EQ(ani.FDib->Height(), 48);

  ASSERT_EQ(ani.DibCount(), 1);
  TDibEntry* entry = ani.GetEntry(0);
  EXPECT_FALSE(entry->LoadWhenUsed);
  EXPECT_EQ(entry->Position, 0);  // read from memory: kept, as there is no file to read it from
  ASSERT_NE(entry->Dib, nullptr);
  EXPECT_EQ(entry->Dib->GetPixel(2, 1), 13u);
  ASSERT_EQ(ani.SoundCount(), 1);
  TSoundEntry* sound = ani.GetSoundEntry(0);
  EXPECT_EQ(sound->SoundName, "Bell");
  EXPECT_EQ(sound->Size, 6u);
  EXPECT_EQ(zkwtest::BlockBytes(sound->Handle), std::vector<uint8_t>({'R', 'I', 'F', 'F', '.', '.'}));

  ASSERT_TRUE(ani.macroOnInit);
  EXPECT_EQ(ani.macroOnInit->Text(), "Init line 1\r\nline 2");
  ASSERT_TRUE(ani.macroDownKeys[3]);
  EXPECT_EQ(ani.macroDownKeys[3]->Text(), "key right down");
  ASSERT_TRUE(ani.macroOnResize);
  ASSERT_EQ(ani.ProcList.size(), 1u);
  EXPECT_EQ(ani.ProcList[0].piName, "Proc1");

  ASSERT_EQ(ani.Count(), 2);
  auto* a = dynamic_cast<zkwtest::TTestKind*>(ani.GetObject(0));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->FName, "Alpha");
  EXPECT_EQ(a->FTextID, "info");
  EXPECT_EQ(a->FParentName, "Beta");
  EXPECT_EQ(a->Fx, -70000);
  EXPECT_EQ(a->Fy, 40000);
  EXPECT_EQ(a->FFlipX, -1);
  EXPECT_EQ(a->FTrans, 55);
  EXPECT_EQ(a->FDibStyle, 2);
  EXPECT_EQ(a->FLevel, 3);
  EXPECT_TRUE(a->FCollide && a->FFloatWhenClick && a->FLocked && a->FEnabled && a->FActive);
  EXPECT_EQ(a->FTag, -5);
  EXPECT_EQ(a->FHotCursor, 4);
  EXPECT_EQ(a->FStyle, kTestCode);
  EXPECT_EQ(a->FParent, &ani);
  EXPECT_EQ(a->FID, 0);
  EXPECT_EQ(a->FDib, entry->Dib);
  EXPECT_EQ(a->Extra, 777);
  ASSERT_NE(a->Macro(ocClick), nullptr);
  EXPECT_EQ(a->Macro(ocClick)->Text(), "click");
  EXPECT_EQ(a->Macro(ocDblClk)->Text(), "dbl");
  EXPECT_EQ(a->ScriptCount(), 2);
  auto* b = dynamic_cast<zkwtest::TTestKind*>(ani.GetObject(1));
  ASSERT_NE(b, nullptr);
  EXPECT_FALSE(b->FEnabled);
  EXPECT_FALSE(b->FActive);
  EXPECT_TRUE(b->FContainer && b->FSensitive);
  EXPECT_EQ(b->FDib, nullptr);
  EXPECT_EQ(ani.GetObjectName("bEtA"), b);

  // Saving writes version 0x60000; a saved scene loads and saves to the same bytes.
  std::vector<uint8_t> first = Save(ani);
  EXPECT_EQ(std::string(first.begin(), first.begin() + 22), "zelvantorium Animation");
  EXPECT_EQ(zkwtest::GetLE<int32_t>(first, 41), 0x60000);
  EXPECT_EQ(zkwtest::GetLE<int32_t>(first, 45 + 12), 4);  // 3 scripts and a procedure
  TDibAnimator again;
  ASSERT_TRUE(Load(again, first)) << LastErrorText();
  EXPECT_EQ(Save(again), first);
  EXPECT_EQ(again.ProcList[0].Raw, ani.ProcList[0].Raw);
  EXPECT_EQ(again.GetObject(0)->Macro(ocClick)->Text(), "click");
}

TEST(SceneFile, OlderVersions) {
  auto dib = SmallDib();
  // 0x30000 and 0x40000: counts in the order images, objects, sounds, scripts; 16-bit positions.
  for (int32_t version : {0x30000, 0x40000, 0x50000}) {
    zkwtest::ScopedTestKind kind(kTestCode);
    std::vector<uint8_t> dex = DexOf(dib.get());
    SceneBytes s;
    s.Signature(version == 0x30000 ? "BRAVOLT Animation" : "HGAD Signature Halden Graphics Workshop", version);
    if (version == 0x50000)
      s.Counts56(1, 1, 0, 1);
    else
      s.I32(1).I32(1).I32(0).I32(1);
    s.Sizes(320, 200, 32, 16);
    s.I32(0).U32(static_cast<uint32_t>(dex.size())).U8(1).Raw(dex);  // lazy
    s.U8(11).Text("left up");
    CommonRecord c;
    c.x = -3;
    c.y = 30000;
    s.I16(0).U8(kTestCode);
    zkwtest::AppendCommon(s, c, false);
    s.I32(5);
    TDibAnimator ani;
    ASSERT_TRUE(Load(ani, s.b)) << std::hex << version << " " << LastErrorText();
    EXPECT_FALSE(ani.DisableAutoDrawing);
    ASSERT_EQ(ani.Count(), 1);
    EXPECT_EQ(ani.GetObject(0)->Fx, -3);
    EXPECT_EQ(ani.GetObject(0)->Fy, 30000);
    EXPECT_NE(ani.GetEntry(0)->Dib, nullptr);  // lazy, but the stream is no file: read at once
    ASSERT_TRUE(ani.macroUpKeys[1]);
    EXPECT_EQ(ani.macroUpKeys[1]->Text(), "left up");
  }
  // 0x10000: an 8-bit packed DIB per image; 0x20000: a DEX record per image. Both use the short
  // object record and name the objects by record number.
  for (int32_t version : {0x10000, 0x20000}) {
    zkwtest::ScopedTestKind kind(1);
    SceneBytes s;
    s.Signature("MTDA Signature - MirandoTEK Company", version);
    s.I32(1).I32(3).I32(0).I32(0);
    s.Sizes(320, 200, 32, 16);
    if (version == 0x10000) {
      plat::HGLOBAL block = reinterpret_cast<plat::HGLOBAL>(dib->Handle());
      std::vector<uint8_t> packed = zkwtest::BlockBytes(block);
      s.I32(static_cast<int32_t>(packed.size())).Raw(packed);
    } else {
      s.Raw(DexOf(dib.get()));
    }
    for (int i = 0; i < 2; ++i) {
      s.I16(0).U8(1);
      s.I16(static_cast<int16_t>(10 + i)).I16(-2).I16(0).I16(0).I16(3).I16(2).I16(1).I16(-1).I16(50).U8(3);
      s.I32(i);
    }
    s.I16(0).U8(40);  // code 40 is not an old kind: the record creates no object
    TDibAnimator ani;
    ASSERT_TRUE(Load(ani, s.b)) << std::hex << version << " " << LastErrorText();
    ASSERT_EQ(ani.Count(), 2);
    EXPECT_EQ(ani.GetObject(0)->FName, "001");
    EXPECT_EQ(ani.GetObject(1)->FName, "002");
    EXPECT_EQ(ani.GetObject(1)->Fx, 11);
    EXPECT_EQ(ani.GetObject(1)->FFlipY, -1);
    EXPECT_EQ(ani.GetObject(1)->FTrans, 50);
    EXPECT_EQ(ani.GetObject(1)->FDibStyle, 3);
    EXPECT_EQ(dynamic_cast<zkwtest::TTestKind*>(ani.GetObject(1))->Extra, 1);
    ASSERT_NE(ani.GetEntry(0)->Dib, nullptr);
    EXPECT_FALSE(ani.GetEntry(0)->LoadWhenUsed);
    EXPECT_EQ(ani.GetEntry(0)->Dib->GetPixel(1, 1), 12u);
    EXPECT_FALSE(ani.FEnableSizeX);
  }
}

TEST(SceneFile, CorruptAndTruncatedFilesAreRefused) {
  zkwtest::ScopedTestKind kind(kTestCode);
  TDibAnimator ani;
  SceneBytes good = Version6Scene(0);
  ASSERT_TRUE(Load(ani, good.b));

  // An unknown signature leaves the scene as it was.
  SceneBytes unknown;
  unknown.Signature("Some Animation", 0x60000).Counts56(0, 0, 0, 0).Sizes(1, 1, 1, 1);
  EXPECT_FALSE(Load(ani, unknown.b));
  EXPECT_EQ(ani.Count(), 2);

  auto refused = [&](const std::vector<uint8_t>& bytes, const std::string& why) {
    ASSERT_TRUE(Load(ani, good.b));
    EXPECT_FALSE(Load(ani, bytes)) << why;
    EXPECT_EQ(ani.Count(), 0) << why;
    EXPECT_EQ(ani.DibCount(), 0) << why;
    EXPECT_EQ(ani.SoundCount(), 0) << why;
    EXPECT_FALSE(ani.macroOnInit) << why;
    EXPECT_TRUE(ani.ProcList.empty()) << why;
    EXPECT_EQ(ani.FNotesHandle, nullptr) << why;
    EXPECT_FALSE(LastErrorText().empty()) << why;
  };
  SceneBytes v7;
  v7.Signature("zelvantorium Animation", 0x70000).Counts56(0, 0, 0, 0).Sizes(1, 1, 1, 1);
  refused(v7.b, "version 0x70000");
  SceneBytes marker;
  marker.Signature("zelvantorium Animation", 0x60000).Counts56(0, 0, 0, 0, "", false, false, 0, 2007).Sizes(1, 1, 1, 1);
  refused(marker.b, "marker 2007");
  SceneBytes counts;
  counts.Signature("zelvantorium Animation", 0x60000).Counts56(0x7FFFFFFF, 0, 0, 0).Sizes(1, 1, 1, 1);
  refused(counts.b, "object count past the file");
  SceneBytes negative;
  negative.Signature("zelvantorium Animation", 0x60000).Counts56(0, -1, 0, 0).Sizes(1, 1, 1, 1);
  refused(negative.b, "negative image count");
  SceneBytes notes;
  notes.Signature("zelvantorium Animation", 0x60000).Counts56(0, 0, 0, 0).Sizes(1, 1, 1, 1);
  zkwtest::PutLE<int32_t>(notes.b, 45 + 22, -4);
  refused(notes.b, "negative notes size");
  SceneBytes view;
  view.Signature("zelvantorium Animation", 0x60000).Counts56(0, 0, 0, 0).Sizes(1, 1, 100000, 100000);
  refused(view.b, "huge view");
  SceneBytes image;
  image.Signature("zelvantorium Animation", 0x60000).Counts56(0, 1, 0, 0).Sizes(1, 1, 1, 1);
  image.I32(0).U32(0xFFFFFFF0u).U8(0).Raw(std::string(20, 'x'));
  refused(image.b, "image size past the file");
  SceneBytes badDex;
  badDex.Signature("zelvantorium Animation", 0x60000).Counts56(0, 1, 0, 0).Sizes(1, 1, 1, 1);
  badDex.I32(0).U32(30).U8(0).Raw(std::string(30, 'x'));
  refused(badDex.b, "eager image without a DEX record");
  SceneBytes soundName;
  soundName.Signature("zelvantorium Animation", 0x60000).Counts56(0, 0, 1, 0).Sizes(1, 1, 1, 1);
  soundName.I16(300).Raw(std::string(320, 'n'));
  refused(soundName.b, "sound name over 255");
  SceneBytes kindless;
  kindless.Signature("zelvantorium Animation", 0x60000).Counts56(1, 0, 0, 0).Sizes(1, 1, 1, 1);
  kindless.I16(-1).U8(5);
  zkwtest::AppendCommon(kindless, CommonRecord(), true);
  refused(kindless.b, "kind 5 has no factory");
  SceneBytes longName;
  longName.Signature("zelvantorium Animation", 0x60000).Counts56(1, 0, 0, 0).Sizes(1, 1, 1, 1);
  longName.I16(-1).U8(kTestCode).I16(0).U16(256).Raw(std::string(300, 'a'));
  refused(longName.b, "object name over 255");

  // Every truncation of a saved scene fails and leaves the scene empty.
  std::vector<uint8_t> saved = Save(ani);
  ASSERT_TRUE(Load(ani, saved));
  for (size_t cut = 0; cut < saved.size(); ++cut) {
    std::vector<uint8_t> part(saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(cut));
    if (cut < 45) {
      EXPECT_FALSE(Load(ani, part)) << cut;
      continue;
    }
    refused(part, "cut at " + std::to_string(cut));
  }
}

TEST(SceneFile, LazyImagesReloadAndUnload) {
  zkwtest::ScopedTestKind kind(kTestCode);
  std::string path = zkwtest::TempPath("lazy_scene.dan");
  {
    TDibAnimator ani;
    ani.SetDibAttr(100, 100);
    ani.AddDib(SmallDib().release());
    ani.GetEntry(0)->LoadWhenUsed = true;
    auto* obj = new zkwtest::TTestKind();
    obj->FStyle = kTestCode;
    obj->FID = 0;
    ani.Append(obj);
    plat::HGLOBAL wave = NewBlockFrom("WAVEDATA", 8);
    ani.AddSound(wave)->SoundName = "S";
    ASSERT_TRUE(ani.SaveToFile(zkwtest::Z(path).c_str()));
  }
  TDibAnimator ani;
  ASSERT_TRUE(ani.LoadFromFile(zkwtest::Z(path).c_str())) << LastErrorText();
  EXPECT_TRUE(ani.FSceneReady);
  TDibEntry* entry = ani.GetEntry(0);
  EXPECT_TRUE(entry->LoadWhenUsed);
  EXPECT_EQ(entry->Dib, nullptr);
  EXPECT_EQ(ani.GetSoundEntry(0)->Handle, nullptr);
  TDibBaseObj* dib = ani.GetDib(0);
  ASSERT_NE(dib, nullptr);
  EXPECT_EQ(dib->GetPixel(0, 0), 1u);
  EXPECT_EQ(dib->GetPixel(2, 1), 13u);
  ASSERT_TRUE(ani.GetSoundEntry(0)->Load());
  EXPECT_EQ(zkwtest::BlockBytes(ani.GetSoundEntry(0)->Handle)[4], 'D');
  EXPECT_EQ(ani.GetDib(5), nullptr);

  // A visible object showing the image keeps it; once hidden the image is unloaded.
  TAnimateObj* obj = ani.GetObject(0);
  obj->FDib = dib;
  ani.TryRemoveDib(0, nullptr);
  EXPECT_EQ(entry->Dib, dib);
  obj->FEnabled = false;
  ani.TryRemoveDib(0, nullptr);
  EXPECT_EQ(entry->Dib, nullptr);
  EXPECT_EQ(obj->FDib, nullptr);
  ASSERT_NE(ani.GetDib(0), nullptr);
  EXPECT_EQ(ani.GetDib(0)->GetPixel(1, 1), 12u);

  // Saved over its own file with the image unloaded, the scene keeps its image and sound.
  ani.TryRemoveDib(0, nullptr);
  ani.GetSoundEntry(0)->Unload();
  ASSERT_TRUE(ani.SaveToFile(zkwtest::Z(path).c_str()));
  ani.TryRemoveDib(0, nullptr);
  ASSERT_NE(ani.GetDib(0), nullptr);
  EXPECT_EQ(ani.GetDib(0)->GetPixel(2, 0), 3u);
  TDibAnimator reread;
  ASSERT_TRUE(reread.LoadFromFile(zkwtest::Z(path).c_str()));
  ASSERT_NE(reread.GetDib(0), nullptr);
  EXPECT_EQ(reread.GetDib(0)->GetPixel(2, 0), 3u);
  EXPECT_EQ(reread.GetSoundEntry(0)->Size, 8u);

  // Read from a stream that is not its file, a scene keeps lazily loaded entries in memory:
  // there is no file to read them from again, so they are never unloaded.
  std::vector<uint8_t> bytes = zkwtest::ReadFileBytes(path);
  TDibAnimator inMemory;
  TBufferStream in(bytes.data(), bytes.size());
  ASSERT_TRUE(inMemory.LoadFromStream(&in));
  ASSERT_NE(inMemory.GetEntry(0)->Dib, nullptr);
  EXPECT_TRUE(inMemory.GetEntry(0)->LoadWhenUsed);
  EXPECT_NE(inMemory.GetSoundEntry(0)->Handle, nullptr);
  inMemory.TryRemoveDib(0, nullptr);
  inMemory.GetSoundEntry(0)->Unload();
  ASSERT_NE(inMemory.GetDib(0), nullptr);
  EXPECT_EQ(inMemory.GetDib(0)->GetPixel(2, 0), 3u);
  EXPECT_NE(inMemory.GetSoundEntry(0)->Handle, nullptr);

  // A file that does not exist: false, the name in ErrorInfo, the error callback, empty scene.
  int code = 0;
  reread.FOnError = [&](TDibAnimator*, int32_t c, const char*) { code = c; };
  EXPECT_FALSE(reread.LoadFromFile(zkwtest::Z(path + ".missing").c_str()));
  EXPECT_EQ(code, 1);
  EXPECT_EQ(std::string(reread.ErrorInfo.data()), path + ".missing");
  EXPECT_EQ(reread.DibCount(), 0);
}

TEST(SceneFile, SceneLibrary) {
  zkwtest::ScopedTestKind kind(kTestCode);
  SceneBytes one, two;
  one.Signature("zelvantorium Animation", 0x60000).Counts56(0, 0, 0, 0).Sizes(11, 1, 1, 1);
  two.Signature("zelvantorium Animation", 0x60000).Counts56(0, 0, 0, 0).Sizes(22, 2, 2, 2);
  std::vector<uint8_t> lib(1637, 0);
  std::string sig = "HGC Dibani Library";
  std::copy(sig.begin(), sig.end(), lib.begin());
  zkwtest::PutLE<int32_t>(lib, 21, 2);
  zkwtest::PutLE<int32_t>(lib, 29 + 8, 1637);
  zkwtest::PutLE<int32_t>(lib, 29 + 16, static_cast<int32_t>(1637 + one.b.size()));
  lib.insert(lib.end(), one.b.begin(), one.b.end());
  lib.insert(lib.end(), two.b.begin(), two.b.end());
  zkwtest::PutLE<int32_t>(lib, 25, static_cast<int32_t>(lib.size()));
  std::string path = zkwtest::TempPath("scenes.lib");
  zkwtest::WriteFileBytes(path, lib);
  TDibAnimator ani;
  EXPECT_TRUE(ani.LoadFromLib(zkwtest::Z(path).c_str(), 2));
  EXPECT_EQ(ani.FWidth, 22);
  EXPECT_TRUE(ani.LoadFromLib(zkwtest::Z(path).c_str(), 1));
  EXPECT_EQ(ani.FWidth, 11);
  EXPECT_FALSE(ani.LoadFromLib(zkwtest::Z(path).c_str(), 0));
  EXPECT_FALSE(ani.LoadFromLib(zkwtest::Z(path).c_str(), 3));
  zkwtest::PutLE<int32_t>(lib, 25, 5);
  zkwtest::WriteFileBytes(path, lib);
  EXPECT_FALSE(ani.LoadFromLib(zkwtest::Z(path).c_str(), 1));
}

TEST(SceneFile, ImportObject) {
  zkwtest::ScopedTestKind kind(kTestCode);
  TDibAnimator ani;
  ani.AddDib(SmallDib().release());
  SceneBytes s;
  CommonRecord c;
  c.name = "Imported";
  c.x = 123456;
  s.I16(0).U8(kTestCode);
  zkwtest::AppendCommon(s, c, true);
  s.I32(42);
  std::string path = zkwtest::TempPath("object.dao");
  zkwtest::WriteFileBytes(path, s.b);
  TAnimateObj* obj = ani.ImportObject(zkwtest::Z(path).c_str());
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(ani.Count(), 1);
  EXPECT_EQ(obj->FName, "Imported");
  EXPECT_EQ(obj->Fx, 123456);
  EXPECT_EQ(obj->FDib, ani.GetDib(0));
  EXPECT_EQ(dynamic_cast<zkwtest::TTestKind*>(obj)->Extra, 42);
  s.b.resize(s.b.size() - 2);  // truncated: refused, nothing appended
  zkwtest::WriteFileBytes(path, s.b);
  EXPECT_EQ(ani.ImportObject(zkwtest::Z(path).c_str()), nullptr);
  EXPECT_EQ(ani.Count(), 1);
  s.b[2] = 5;  // a kind nobody registered
  zkwtest::WriteFileBytes(path, s.b);
  EXPECT_EQ(ani.ImportObject(zkwtest::Z(path).c_str()), nullptr);
}
