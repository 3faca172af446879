// A character object in the DLL's player plays its gesture sound through the system's
// PlaySoundW (from memory, asynchronously): while that 3-second sound plays, another sound asked
// not to stop it is refused; once the player is stopped it plays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zkw_dll.h"

namespace {

// A 50 ms 8-bit mono wave at 8000 Hz.
std::vector<uint8_t> ShortWave() {
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                            16, 0, 0, 0, 1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0,
                            'd', 'a', 't', 'a', 0x90, 0x01, 0, 0};
  for (int i = 0; i < 400; ++i) b.push_back(i % 20 < 10 ? 96 : 160);
  const uint32_t riff = static_cast<uint32_t>(b.size() - 8);
  for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
  return b;
}

}  // namespace

TEST(Win32Character, GestureSoundPlaysThroughTheSystemPlayer) {
  // Needs a sound device: scripts/test-win32 gives Wine one.
  ZKW(DAGetSysVersion);  // loads the DLL, which registers the player class
  HWND wnd = ::CreateWindowExW(0, L"zelvantoriumDIBANPlayer32Window2011", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                               32, 32, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  // Characters are found in the folder set by message 1094: the program's own, where
  // hero.chr lies beside character.dan.
  std::wstring folder = zkwtest::BesideTheProgram(L"");
  ::SendMessageW(wnd, 1094, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  std::wstring scene = zkwtest::BesideTheProgram(L"character.dan");
  ASSERT_EQ(::SendMessageW(wnd, 1041, 0, reinterpret_cast<LPARAM>(scene.c_str())), 0);
  const std::vector<uint8_t> beep = ShortWave();
  const auto* memory = reinterpret_cast<LPCWSTR>(beep.data());
  // Before play nothing sounds: a sound that must not interrupt another plays, and is stopped.
  EXPECT_TRUE(::PlaySoundW(memory, nullptr, SND_MEMORY | SND_ASYNC | SND_NOSTOP));
  ::PlaySoundW(nullptr, nullptr, 0);
  // Play start loads the character; its rest pose starts with its 3-second sound.
  ::SendMessageW(wnd, 1028, 1, 0);
  EXPECT_FALSE(::PlaySoundW(memory, nullptr, SND_MEMORY | SND_ASYNC | SND_NOSTOP))
      << "the character's gesture sound is not playing";
  ::PlaySoundW(nullptr, nullptr, 0);
  EXPECT_TRUE(::PlaySoundW(memory, nullptr, SND_MEMORY | SND_ASYNC | SND_NOSTOP));
  ::PlaySoundW(nullptr, nullptr, 0);
  ::SendMessageW(wnd, 1028, 0, 0);
  EXPECT_TRUE(::DestroyWindow(wnd));
}
