// The sound exports: initialisation (and its failure box), the host's own sound object, sounds
// played for hosts with their end posted to a window by the poll timer or DACheckSound, and
// DAPlaySound(0, ...) stopping them all.
#include <gtest/gtest.h>

#include <vector>

#include "exports/zkwgdi32.h"
#include "platform/plat_imaging.h"
#include "platform/portable/message_box_log.h"
#include "sound/sound_manager.h"
#include "sound/sound_support.h"
#include "text/scene_text.h"

using namespace zkw;
using namespace zkwtest;

namespace {

struct SoundExports : ::testing::Test {
  void SetUp() override { plat::portable::ClearMessageBoxCalls(); }
  void TearDown() override {
    DAWaveUnInitialize();
    for (plat::HGLOBAL h : blocks) plat::GlobalFree(h);
  }
  void* Block(uint32_t ms) {
    blocks.push_back(BlockOf(WaveOfMs(ms)));
    return blocks.back();
  }
  SoundTestWindow window;
  std::vector<plat::HGLOBAL> blocks;
};

}  // namespace

TEST_F(SoundExports, InitialisationFailsWithoutAWindowAndSaysSo) {
  EXPECT_EQ(DAWaveInitialize(nullptr), 0);
  const auto& calls = plat::portable::MessageBoxCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(ToUtf8(calls[0].Text), "Cannot initialize sound!");
  EXPECT_EQ(calls[0].Type, 0x10u);  // error icon, OK button
  // The object exists but has no device; the manager and the timer are made all the same.
  auto* sound = static_cast<TDXSound*>(DAGetDXSoundObject());
  ASSERT_NE(sound, nullptr);
  EXPECT_FALSE(sound->Initialized());
  ASSERT_NE(ProcessSoundManager, nullptr);
  ASSERT_NE(SoundPollTimer, nullptr);
  EXPECT_FALSE(SoundPollTimer->Enabled());
  DAPlaySound(Block(100), window.Handle(), 1);  // plays nothing
  EXPECT_FALSE(SoundPollTimer->Enabled());
  DACheckSound();

  // A second initialisation frees the first object and succeeds with all bits set.
  EXPECT_EQ(DAWaveInitialize(window.Handle()), -1);
  EXPECT_EQ(calls.size(), 1u);
  EXPECT_TRUE(static_cast<TDXSound*>(DAGetDXSoundObject())->Initialized());
  EXPECT_TRUE(plat::ImagingRunning());
  DAWaveUnInitialize();
  EXPECT_EQ(DAGetDXSoundObject(), nullptr);
  EXPECT_EQ(ProcessSoundManager, nullptr);
  EXPECT_EQ(SoundPollTimer, nullptr);
  EXPECT_FALSE(plat::ImagingRunning());
  DAPlaySound(Block(100), window.Handle(), 1);  // nothing without a manager
  DACheckSound();
}

TEST_F(SoundExports, TheEndOfAHostSoundIsPostedByThePollTimer) {
  ASSERT_EQ(DAWaveInitialize(window.Handle()), -1);
  DAPlaySound(Block(1000), window.Handle(), 7);
  DAPlaySound(Block(1500), nullptr, 8);  // no window: its end is not posted
  EXPECT_TRUE(SoundPollTimer->Enabled());
  EXPECT_EQ(ProcessSoundManager->Count(), 2);
  plat::AdvanceClock(999);
  EXPECT_TRUE(SoundTestWindow::Notifies().empty());
  plat::AdvanceClock(101);  // the tick at 1000 ms finds the end and posts the notice
  ASSERT_EQ(SoundTestWindow::Notifies().size(), 1u);
  EXPECT_EQ(SoundTestWindow::Notifies()[0], (std::pair<uintptr_t, intptr_t>{1000, 7}));
  EXPECT_EQ(ProcessSoundManager->Count(), 1);
  EXPECT_TRUE(SoundPollTimer->Enabled());
  plat::AdvanceClock(500);
  EXPECT_EQ(ProcessSoundManager->Count(), 0);
  EXPECT_FALSE(SoundPollTimer->Enabled());  // nothing left to poll
  EXPECT_EQ(SoundTestWindow::Notifies().size(), 1u);
}

TEST_F(SoundExports, PlaySoundWithoutABlockStopsEverySound) {
  ASSERT_EQ(DAWaveInitialize(window.Handle()), -1);
  DAPlaySound(Block(1000), window.Handle(), 1);
  DAPlaySound(Block(1000), window.Handle(), 2);
  EXPECT_EQ(ProcessSoundManager->Count(), 2);
  DAPlaySound(nullptr, nullptr, 0);
  EXPECT_EQ(ProcessSoundManager->Count(), 0);
  EXPECT_FALSE(SoundPollTimer->Enabled());
  plat::AdvanceClock(2000);
  EXPECT_TRUE(SoundTestWindow::Notifies().empty());  // stopped sounds post nothing
}

TEST_F(SoundExports, CheckSoundFindsEndsWhileTheTimerIsOff) {
  ASSERT_EQ(DAWaveInitialize(window.Handle()), -1);
  DAPlaySound(Block(300), window.Handle(), 3);
  SoundPollTimer->SetEnabled(false);
  plat::AdvanceClock(400);
  EXPECT_TRUE(SoundTestWindow::Notifies().empty());
  DACheckSound();
  plat::PumpMessages();
  ASSERT_EQ(SoundTestWindow::Notifies().size(), 1u);
  EXPECT_EQ(SoundTestWindow::Notifies()[0], (std::pair<uintptr_t, intptr_t>{1000, 3}));
}

TEST_F(SoundExports, TheHostsSoundObjectIsUsedButNotFreed) {
  TDXSound own;
  ASSERT_TRUE(own.Initialize(window.Handle()));
  DASetDXSoundObject(&own);
  EXPECT_EQ(DAGetDXSoundObject(), &own);
  ASSERT_NE(ProcessSoundManager, nullptr);
  DAPlaySound(Block(100), window.Handle(), 9);
  EXPECT_EQ(own.Count(), 2);
  DAWaveUnInitialize();
  EXPECT_EQ(DAGetDXSoundObject(), nullptr);
  // Still the host's: initialised, its buffer still there, no longer the freed manager's.
  EXPECT_TRUE(own.Initialized());
  ASSERT_EQ(own.Count(), 2);
  EXPECT_EQ(dynamic_cast<PlayingSound*>(own.Buffer(1))->Manager, nullptr);
  // Initialising afterwards makes a library-owned object again.
  EXPECT_EQ(DAWaveInitialize(window.Handle()), -1);
  EXPECT_NE(DAGetDXSoundObject(), &own);
}
