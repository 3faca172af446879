// The sound manager on the null device with the manual clock: plays, ends found by Check at the
// exact moment, stops with their reports, volumes, owners forgotten, end notices posted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/sound_manager.h"
#include "sound/sound_support.h"
#include "support/wave_builders.h"

using namespace zkw;
using namespace zkwtest;

namespace {

TAnimateObj* const A = reinterpret_cast<TAnimateObj*>(0x1000);
TAnimateObj* const B = reinterpret_cast<TAnimateObj*>(0x2000);

struct SoundManager : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(sound.Initialize(window.Handle()));
    m.DXSound = &sound;
    auto record = [this](const char* what) {
      return [this, what](TDXSoundManger* sender, TAnimateObj* obj, int32_t id) {
        EXPECT_EQ(sender, &m);
        log.push_back(std::string(what) + (obj == A ? "A" : obj == B ? "B" : obj ? "?" : "-") + std::to_string(id));
      };
    };
    m.FOnPlay = record("play ");
    m.FOnNotify = record("end ");
    m.FOnForceStop = record("stop ");
  }
  PlayingSound* Play(uint32_t ms, TAnimateObj* obj, bool loop, int32_t id) {
    std::vector<uint8_t> wave = WaveOfMs(ms);
    return m.PlayImage(wave.data(), wave.size(), obj, loop, id);
  }
  std::string Log() {
    std::string s;
    for (auto& l : log) s += (s.empty() ? "" : ", ") + l;
    log.clear();
    return s;
  }

  SoundTestWindow window;
  TDXSound sound;
  TDXSoundManger m{false};
  std::vector<std::string> log;
};

}  // namespace

TEST_F(SoundManager, SoundsEndWhenTheirDurationHasPassed) {
  PlayingSound* b = Play(1000, A, false, 5);
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(b->SoundReady);
  EXPECT_EQ(b->Manager, &m);
  EXPECT_EQ(b->ObjectID, A);
  EXPECT_EQ(b->EventID, 5);
  EXPECT_EQ(sound.Count(), 2);  // the primary buffer and this one
  EXPECT_EQ(sound.Buffer(1), b);
  EXPECT_EQ(Log(), "play A5");
  plat::AdvanceClock(500);
  EXPECT_EQ(b->Position(), 4000u);
  plat::AdvanceClock(499);
  m.Check();
  EXPECT_EQ(m.Count(), 1);
  EXPECT_EQ(Log(), "");
  plat::AdvanceClock(1);
  m.Check();
  EXPECT_EQ(m.Count(), 0);
  EXPECT_EQ(sound.Count(), 1);
  EXPECT_EQ(Log(), "end A5");

  // A looping sound plays on; a second manager on the same device sees none of these buffers.
  ASSERT_NE(Play(100, B, true, 2), nullptr);
  TDXSoundManger other(false);
  other.DXSound = &sound;
  plat::AdvanceClock(1000);
  m.Check();
  other.Check();
  other.StopAll();
  EXPECT_EQ(m.Count(), 1);
  EXPECT_EQ(other.Count(), 0);
  EXPECT_EQ(Log(), "play B2");
}

TEST_F(SoundManager, ASecondSoundForTheSameObjectAndEventStopsTheFirst) {
  PlayingSound* first = Play(1000, A, false, 3);
  Play(1000, A, false, 4);
  Play(1000, B, false, 3);
  EXPECT_EQ(Log(), "play A3, play A4, play B3");
  PlayingSound* second = Play(1000, A, false, 3);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  // The first is reported as ended before the new one starts; A's other event and B play on.
  EXPECT_EQ(Log(), "end A3, play A3");
  EXPECT_EQ(m.Count(), 3);
  // Event ID 0 stops every sound of the object first.
  Play(1000, A, false, 0);
  EXPECT_EQ(Log(), "end A3, end A4, play A0");
  EXPECT_EQ(m.Count(), 2);
  // Without an owner nothing is stopped.
  Play(1000, nullptr, false, 3);
  Play(1000, nullptr, false, 3);
  EXPECT_EQ(Log(), "play -3, play -3");
  EXPECT_EQ(m.Count(), 4);
}

TEST_F(SoundManager, Stops) {
  Play(1000, A, false, 1);
  Play(1000, A, false, 2);
  Play(1000, B, true, 3);
  Play(1000, nullptr, false, 4);
  Log();
  m.Stop(A, 2);
  EXPECT_EQ(Log(), "stop A0");
  m.Stop(A, 7);  // no such sound
  EXPECT_EQ(Log(), "");
  Play(1000, A, false, 2);
  Log();
  m.Stop(A);
  EXPECT_EQ(Log(), "stop A0, stop A0");
  EXPECT_EQ(m.Count(), 2);
  // Without loop: the looping one stays; the ownerless one goes without a report.
  m.StopAllWithoutLoop();
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(m.Count(), 1);
  Play(1000, A, false, 9);
  Log();
  m.StopAll();
  EXPECT_EQ(Log(), "stop A0, stop B0");  // from the last
  EXPECT_EQ(m.Count(), 0);
  EXPECT_EQ(sound.Count(), 1);
}

TEST_F(SoundManager, StopAllWithNotifyEndsTheSoundsThatDoNotLoop) {
  Play(1000, A, false, 1);
  Play(1000, B, true, 2);
  Play(1000, B, false, 3);
  Log();
  m.StopAllWithNotify();
  EXPECT_EQ(Log(), "end B3, end A1");
  EXPECT_EQ(m.Count(), 1);
  plat::AdvanceClock(5000);
  m.Check();
  EXPECT_EQ(m.Count(), 1);
  EXPECT_EQ(Log(), "");
}

TEST_F(SoundManager, VolumesAndForgottenOwners) {
  m.AutoSetVolume = 1500;
  PlayingSound* quiet = Play(1000, A, false, 1);
  PlayingSound* full = Play(1000, A, false, 2);
  EXPECT_EQ(quiet->GetVolume(), -1500);
  EXPECT_EQ(full->GetVolume(), 0);  // used up by the first play
  EXPECT_EQ(m.AutoSetVolume, 0);
  m.SetVolume(A, 2, 700);
  EXPECT_EQ(full->GetVolume(), -700);
  m.SetVolume(A, 0, 300);  // ID 0 and a null owner change nothing
  m.SetVolume(nullptr, 2, 300);
  EXPECT_EQ(full->GetVolume(), -700);
  EXPECT_EQ(quiet->GetVolume(), -1500);
  m.SetVolume(A, 1, 20000);
  EXPECT_EQ(quiet->GetVolume(), -10000);  // limited to the device's range

  Log();
  m.ObjectInvalid(A);
  EXPECT_EQ(quiet->ObjectID, nullptr);
  m.Stop(A);
  EXPECT_EQ(m.Count(), 2);  // A owns nothing any more
  plat::AdvanceClock(1000);
  m.Check();
  EXPECT_EQ(Log(), "end -2, end -1");
}

TEST_F(SoundManager, AnEndWithAWindowIsPostedToIt) {
  PlayingSound* b = Play(250, nullptr, false, 42);
  b->WindowHandle = window.Handle();
  Log();
  plat::AdvanceClock(250);
  m.Check();
  EXPECT_EQ(Log(), "");  // posted, not reported
  EXPECT_EQ(m.Count(), 0);
  EXPECT_TRUE(SoundTestWindow::Notifies().empty());
  plat::PumpMessages();
  ASSERT_EQ(SoundTestWindow::Notifies().size(), 1u);
  EXPECT_EQ(SoundTestWindow::Notifies()[0].first, 1000u);
  EXPECT_EQ(SoundTestWindow::Notifies()[0].second, 42);
}

TEST_F(SoundManager, NothingPlaysWithoutADeviceOrAValidWave) {
  std::vector<uint8_t> bad = WaveOfMs(100);
  bad[8] = 'X';
  EXPECT_EQ(m.PlayImage(bad.data(), bad.size(), A, false, 1), nullptr);
  EXPECT_EQ(m.Play(nullptr, A, false, 1), nullptr);
  EXPECT_EQ(sound.Count(), 1);
  // A compressed wave plays after conversion.
  std::vector<uint8_t> adpcm = ImaAdpcmWave(1, 8000, 256, 2);
  PlayingSound* b = m.PlayImage(adpcm.data(), adpcm.size(), A, false, 2);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Log(), "play A2");
  plat::AdvanceClock(126);  // 1010 samples at 8000 Hz: 126.25 ms
  m.Check();
  EXPECT_EQ(m.Count(), 1);
  plat::AdvanceClock(1);
  m.Check();
  EXPECT_EQ(Log(), "end A2");

  TDXSound none;  // not initialised
  TDXSoundManger idle(false);
  idle.DXSound = &none;
  std::vector<uint8_t> wave = WaveOfMs(100);
  EXPECT_EQ(idle.PlayImage(wave.data(), wave.size(), A, false, 1), nullptr);
  idle.DXSound = nullptr;
  EXPECT_EQ(idle.PlayImage(wave.data(), wave.size(), A, false, 1), nullptr);
  idle.StopAll();
  idle.Check();
  TDXSound unbound;
  EXPECT_FALSE(unbound.Initialize(nullptr));  // a device needs a window
}
