// Scene sounds on the null device with the manual clock: queued sounds played after the
// actions (the last queued first), ends running macroOnSoundEnd, pause ending the sounds that do
// not loop, stops, volumes, deleted and freed owners.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dib/dib24.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"
#include "sound/sound_manager.h"
#include "sound/sound_support.h"

using namespace zkw;
using namespace zkwtest;

namespace {

std::vector<std::string> gLog;

void Runner(TDibAnimator* ani, TAnimateObj* obj, TScriptList* list, int32_t code) {
  gLog.push_back(list->Text() + "@" + std::to_string(code) + ":" + (obj ? obj->FName : "-") + "," +
                 std::to_string(ani->FEventValue1));
}

struct SceneSound : ::testing::Test {
  void SetUp() override {
    gLog.clear();
    gEventScriptRunner = Runner;
    ASSERT_TRUE(sound.Initialize(window.Handle()));
    ProcessSoundObject = &sound;
    ani = std::make_unique<TDibAnimator>();
    ani->SetDibAttr(8, 8);
    ani->SetViewTo(8, 8);
    ani->FSceneReady = true;
    ani->FPlaying = true;
    a = Object("A");
    b = Object("B");
    for (uint32_t ms : {1000u, 400u}) ani->AddSound(BlockOf(WaveOfMs(ms)));
  }
  void TearDown() override {
    ani.reset();
    ProcessSoundObject = nullptr;
    gEventScriptRunner = nullptr;
  }
  TAnimateObj* Object(const std::string& name) {
    auto* o = new TAnimateObj();
    o->FParent = ani.get();
    o->FName = name;
    o->SetMacro(ocSoundEnd, TScriptList::FromText("ended"));
    ani->Append(o);
    return o;
  }
  PlayingSound* Buffer(int32_t i) { return dynamic_cast<PlayingSound*>(sound.Buffer(i)); }
  std::string Log() {
    std::string s;
    for (auto& l : gLog) s += (s.empty() ? "" : " ") + l;
    gLog.clear();
    return s;
  }
  void Step(uint32_t ms) {
    plat::AdvanceClock(ms);
    ani->DoAction(ani->FDib);
  }

  SoundTestWindow window;
  TDXSound sound;
  std::unique_ptr<TDibAnimator> ani;
  TAnimateObj *a = nullptr, *b = nullptr;
};

}  // namespace

TEST_F(SceneSound, QueuedSoundsPlayAfterTheActionsAndTheirEndRunsTheScript) {
  ASSERT_TRUE(ani->PlaySoundItem(0, a, 5));
  ASSERT_TRUE(ani->PlaySoundItem(1, b, 6));
  EXPECT_FALSE(ani->PlaySoundItem(2, a, 1));
  EXPECT_EQ(sound.Count(), 1);  // nothing plays before the action step
  ani->DoAction(ani->FDib);
  EXPECT_TRUE(ani->FSounds.empty());
  ASSERT_EQ(sound.Count(), 3);
  // From the last queued to the first.
  EXPECT_EQ(Buffer(1)->ObjectID, b);
  EXPECT_EQ(Buffer(2)->ObjectID, a);
  EXPECT_EQ(Buffer(2)->EventID, 5);
  EXPECT_TRUE(a->FSounding);
  EXPECT_TRUE(b->FSounding);
  Step(399);
  EXPECT_EQ(Log(), "");
  Step(1);
  EXPECT_EQ(Log(), "ended@9:B,6");
  EXPECT_FALSE(b->FSounding);
  EXPECT_TRUE(a->FSounding);
  Step(600);
  EXPECT_EQ(Log(), "ended@9:A,5");
  EXPECT_EQ(sound.Count(), 1);

  // The same entry again for the same object and event: the first ends before the second starts.
  ani->PlaySoundItem(0, a, 5);
  ani->DoAction(ani->FDib);
  Step(100);
  ani->PlaySoundItem(0, a, 5);
  ani->DoAction(ani->FDib);
  EXPECT_EQ(Log(), "ended@9:A,5");
  EXPECT_EQ(sound.Count(), 2);
  EXPECT_TRUE(a->FSounding);
}

TEST_F(SceneSound, PausingEndsTheSoundsThatDoNotLoop) {
  ASSERT_TRUE(ani->PlayMSSoundItem(b, 3, true, 1));  // looping, played at once
  EXPECT_EQ(sound.Count(), 2);
  ani->PlaySoundItem(0, a, 4);
  ani->DoAction(ani->FDib);
  EXPECT_EQ(sound.Count(), 3);
  ani->SetPaused(true);
  EXPECT_EQ(Log(), "ended@9:A,4");
  EXPECT_FALSE(a->FSounding);
  EXPECT_TRUE(b->FSounding);
  ASSERT_EQ(sound.Count(), 2);
  EXPECT_TRUE(Buffer(1)->Looping);
  ani->SetPaused(false);
  Step(5000);  // the loop plays on
  EXPECT_EQ(sound.Count(), 2);
  EXPECT_EQ(Log(), "");
  // Ending play stops everything, reported as forced stops (event 0).
  ani->SetPlaying(false);
  EXPECT_EQ(Log(), "ended@9:B,0");
  EXPECT_EQ(sound.Count(), 1);
}

TEST_F(SceneSound, StopsVolumesAndBlocks) {
  ani->GetSoundEntry(0)->Volume = 1200;
  ani->PlaySoundItem(0, a, 1);
  ani->DoAction(ani->FDib);
  ASSERT_EQ(sound.Count(), 2);
  EXPECT_EQ(Buffer(1)->GetVolume(), -1200);
  ani->SetSoundVolume(a, 1, 300);
  EXPECT_EQ(Buffer(1)->GetVolume(), -300);
  ani->PlayMSSoundItem(a, 2, false, 0);  // MSPlay: without the entry's volume
  EXPECT_EQ(Buffer(2)->GetVolume(), 0);
  ani->PlayMSSoundItem(b, 3, true, "sound_");  // names compare without case
  EXPECT_EQ(sound.Count(), 4);
  Log();
  ani->StopMSSound();
  EXPECT_EQ(Log(), "ended@9:A,0 ended@9:A,0");
  EXPECT_EQ(sound.Count(), 2);
  // A block handed in and a file.
  plat::HGLOBAL block = BlockOf(WaveOfMs(200));
  EXPECT_TRUE(ani->PlaySoundData(a, block, 8));
  plat::GlobalFree(block);
  std::string path = std::string(ZKW_TEST_TMP) + "/scene_sound.wav";
  std::vector<uint8_t> wave = WaveOfMs(300);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
  EXPECT_TRUE(ani->PlaySoundFile(path, false));
  EXPECT_FALSE(ani->PlaySoundFile(path + ".none", false));
  EXPECT_EQ(sound.Count(), 4);
  EXPECT_EQ(Buffer(3)->ObjectID, nullptr);
  // StopSound of one owner, then of all; queued sounds of the owner go too.
  ani->PlaySoundItem(1, a, 9);
  ani->StopSound(a);
  EXPECT_TRUE(ani->FSounds.empty());
  EXPECT_EQ(Log(), "ended@9:A,0");
  EXPECT_EQ(sound.Count(), 3);
  ani->StopSound(nullptr);
  EXPECT_EQ(Log(), "ended@9:B,0");
  EXPECT_EQ(sound.Count(), 1);
  // A bad wave plays nothing.
  plat::HGLOBAL bad = BlockOf({'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e', '!', '!'});
  ani->PlaySoundData(a, bad, 1);
  plat::GlobalFree(bad);
  EXPECT_EQ(sound.Count(), 1);
  EXPECT_FALSE(a->FSounding);
}

TEST_F(SceneSound, DeletedAndFreedOwnersHearNothing) {
  ani->PlaySoundItem(0, a, 1);
  ani->PlaySoundItem(1, b, 2);
  ani->DoAction(ani->FDib);
  ani->DeleteThis(b);
  ani->DoAction(ani->FDib);  // b is freed; its sound plays on without an owner
  ASSERT_EQ(sound.Count(), 3);
  EXPECT_EQ(Buffer(1)->ObjectID, nullptr);
  Step(400);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(sound.Count(), 2);
  // Emptying the scene stops its sounds without running scripts of objects being freed.
  ani->Empty();
  EXPECT_EQ(sound.Count(), 1);
  EXPECT_EQ(Log(), "");
  a = Object("C");
  ani->SetViewTo(8, 8);  // the frame buffer went with the scene
  ani->FSceneReady = true;
  ani->AddSound(BlockOf(WaveOfMs(1000)));
  ani->PlaySoundItem(0, a, 1);
  ani->DoAction(ani->FDib);
  EXPECT_EQ(sound.Count(), 2);
  ani.reset();  // destroying it likewise
  EXPECT_EQ(sound.Count(), 1);
  EXPECT_EQ(Log(), "");
}

TEST_F(SceneSound, NoSoundObjectNoSound) {
  ProcessSoundObject = nullptr;
  ani->PlaySoundItem(0, a, 1);
  ani->DoAction(ani->FDib);
  EXPECT_FALSE(a->FSounding);
  EXPECT_EQ(sound.Count(), 1);
  ani->SetPaused(true);
  ani->SetPaused(false);
  ani->StopSound(nullptr);
  EXPECT_EQ(Log(), "");
}
