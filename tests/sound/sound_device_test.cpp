// The null sound device and the simple sound player of the portable back end on the manual
// clock: play cursor, loops, stops, refusals.
#include <gtest/gtest.h>

#include <vector>

#include "platform/plat_sound.h"
#include "sound/sound_support.h"
#include "support/wave_builders.h"

using namespace zkwtest;

TEST(NullSoundDevice, BuffersPlayInRealTimeOnThePlatformClock) {
  SoundTestWindow window;
  EXPECT_EQ(plat::CreateSoundDevice(nullptr), nullptr);
  std::unique_ptr<plat::SoundDevice> device = plat::CreateSoundDevice(window.Handle());
  ASSERT_NE(device, nullptr);
  ASSERT_NE(device->Primary(), nullptr);
  EXPECT_TRUE(device->Primary()->Playing());

  // 16-bit stereo at 1000 Hz: 4000 bytes a second; 1000 bytes play for 250 ms.
  plat::WAVEFORMATEX f{1, 2, 1000, 4000, 4, 16, 0};
  std::vector<uint8_t> data(1000, 7);
  std::unique_ptr<plat::SoundBuffer> b = device->CreateBuffer(f, data.data(), 1000);
  ASSERT_NE(b, nullptr);
  EXPECT_FALSE(b->Playing());
  ASSERT_TRUE(b->Play(false));
  plat::AdvanceClock(101);
  EXPECT_EQ(b->Position(), 404u);  // 404 bytes played, a whole frame
  plat::AdvanceClock(148);
  EXPECT_TRUE(b->Playing());
  plat::AdvanceClock(1);
  EXPECT_FALSE(b->Playing());
  EXPECT_EQ(b->Position(), 0u);

  // Looping wraps the cursor; Play while playing only changes the loop flag; Stop rewinds.
  ASSERT_TRUE(b->Play(true));
  plat::AdvanceClock(300);
  EXPECT_TRUE(b->Playing());
  EXPECT_EQ(b->Position(), 200u);
  b->Play(false);  // the current pass ends the sound
  plat::AdvanceClock(199);
  EXPECT_TRUE(b->Playing());
  plat::AdvanceClock(1);
  EXPECT_FALSE(b->Playing());
  b->Play(false);
  plat::AdvanceClock(50);
  b->Stop();
  EXPECT_FALSE(b->Playing());
  EXPECT_EQ(b->Position(), 0u);

  b->SetVolume(-20000);
  EXPECT_EQ(b->Volume(), -10000);
  b->SetVolume(5);
  EXPECT_EQ(b->Volume(), 0);

  plat::WAVEFORMATEX adpcm{0x11, 1, 8000, 4055, 256, 4, 2};
  EXPECT_EQ(device->CreateBuffer(adpcm, data.data(), 256), nullptr);  // PCM only
}

TEST(NullSoundDevice, SimpleSoundPlayerDoesNotInterruptWithNoStop) {
  SoundTestWindow window;
  std::vector<uint8_t> first = WaveOfMs(200), second = WaveOfMs(100);
  auto play = [](const std::vector<uint8_t>& wave, plat::DWORD flags) {
    return plat::PlaySoundW(reinterpret_cast<plat::LPCWSTR>(wave.data()), nullptr,
                            plat::SND_MEMORY | plat::SND_ASYNC | flags);
  };
  EXPECT_EQ(play(first, 0), 1);
  plat::AdvanceClock(150);
  EXPECT_EQ(play(second, plat::SND_NOSTOP), 0);  // the first still plays
  plat::AdvanceClock(50);
  EXPECT_EQ(play(second, plat::SND_NOSTOP), 1);
  EXPECT_EQ(play(first, 0), 1);  // without NOSTOP a playing sound is replaced
  std::vector<uint8_t> bad = first;
  bad[0] = 'X';
  EXPECT_EQ(play(bad, 0), 0);
  EXPECT_EQ(plat::PlaySoundW(nullptr, nullptr, 0), 1);  // stops
  EXPECT_EQ(play(second, plat::SND_NOSTOP), 1);
}
