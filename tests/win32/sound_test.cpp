// DirectSound under Wine: DAWaveInitialize on a real window. With a sound device (scripts/test-win32
// provides a null ALSA device and requires it), an IMA ADPCM wave (converted by ACM) played by
// DAPlaySound ends with WM_NOTIFY (wParam 1000, lParam = ID) posted to the window. Without one, the initialisation fails with the error box "Cannot
// initialize sound!" (closed here by a CBT hook) and the result 0, and nothing plays.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "zkw_dll.h"

namespace {

std::wstring gBoxText;
HHOOK gHook = nullptr;
std::vector<std::pair<WPARAM, LPARAM>> gNotifies;

// A child of the message box whose text is the message (a callback of the system's calling
// convention: a lambda would be cdecl on 32-bit builds).
BOOL CALLBACK FindBoxText(HWND child, LPARAM) {
  wchar_t text[128] = {};
  ::GetWindowTextW(child, text, 128);
  if (std::wstring(text).find(L"sound") != std::wstring::npos) gBoxText = text;
  return TRUE;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    // The box's text control (its id differs between Windows and Wine): the child whose text
    // is the message.
    ::EnumChildWindows(box, FindBoxText, 0);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return ::CallNextHookEx(gHook, code, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    gNotifies.emplace_back(wParam, lParam);
    return 0;
  }
  return ::DefWindowProcW(w, msg, wParam, lParam);
}

void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, static_cast<uint16_t>(v));
  Put16(b, static_cast<uint16_t>(v >> 16));
}

// A mono IMA ADPCM wave at 8000 Hz: Blocks blocks of 256 bytes (505 samples each).
std::vector<uint8_t> ImaWave(uint32_t blocks) {
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  Put32(b, 20);
  Put16(b, 0x11);
  Put16(b, 1);
  Put32(b, 8000);
  Put32(b, 8000 * 256 / 505);
  Put16(b, 256);
  Put16(b, 4);
  Put16(b, 2);
  Put16(b, 505);
  b.insert(b.end(), {'f', 'a', 'c', 't'});
  Put32(b, 4);
  Put32(b, blocks * 505);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  Put32(b, blocks * 256);
  for (uint32_t k = 0; k < blocks; ++k) {
    Put16(b, static_cast<uint16_t>(100 * k));
    b.push_back(static_cast<uint8_t>(k % 89));
    b.push_back(0);
    for (int i = 4; i < 256; ++i) b.push_back(static_cast<uint8_t>(i * 13));
  }
  uint32_t riff = static_cast<uint32_t>(b.size() - 8);
  std::memcpy(b.data() + 4, &riff, 4);
  return b;
}

}  // namespace

TEST(Win32Sound, InitialisePlayAndNotifyOrReportNoDevice) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"zkwWin32SoundTest";
  ::RegisterClassW(&wc);
  HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr,
                                  nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  gHook = ::SetWindowsHookExW(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
  ASSERT_NE(gHook, nullptr);
  gBoxText.clear();
  int32_t ok = ZKW(DAWaveInitialize)(window);
  ::UnhookWindowsHookEx(gHook);
  ASSERT_NE(ZKW(DAGetDXSoundObject)(), nullptr);

  std::vector<uint8_t> wave = ImaWave(8);  // 505 ms
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, wave.size());
  std::memcpy(::GlobalLock(block), wave.data(), wave.size());
  ::GlobalUnlock(block);
  gNotifies.clear();
  ZKW(DAPlaySound)(block, window, 77);
  // Wine plays faster than real time; wait at most 5 s for the poll timer's notice (0.3 s when
  // there is no device: nothing may come).
  DWORD start = ::GetTickCount(), limit = ok ? 5000 : 300;
  MSG msg;
  while (gNotifies.empty() && ::GetTickCount() - start < limit) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::Sleep(10);
  }
  // scripts/test-win32 gives Wine a null ALSA device: there the device must come up.
  if (std::getenv("ZKW_SOUND_DEVICE")) {
    EXPECT_NE(ok, 0) << "no DirectSound device on ZKW_SOUND_DEVICE";
  }
  if (ok) {
    EXPECT_EQ(ok, -1);
    EXPECT_TRUE(gBoxText.empty());
    ASSERT_EQ(gNotifies.size(), 1u) << "no end notice within 5 s";
    EXPECT_EQ(gNotifies[0].first, 1000u);
    EXPECT_EQ(gNotifies[0].second, 77);
  } else {
    // No DirectSound device in this Wine: the documented failure.
    EXPECT_EQ(gBoxText, L"Cannot initialize sound!");
    EXPECT_TRUE(gNotifies.empty());
    std::printf("[          ] no DirectSound device: DAWaveInitialize reported failure as documented\n");
  }
  if (ok) {
    // A long wave stopped by DAPlaySound(0) at once posts nothing.
    std::vector<uint8_t> longWave = ImaWave(200);  // 12.6 s of sound
    HGLOBAL longBlock = ::GlobalAlloc(GMEM_MOVEABLE, longWave.size());
    std::memcpy(::GlobalLock(longBlock), longWave.data(), longWave.size());
    ::GlobalUnlock(longBlock);
    gNotifies.clear();
    ZKW(DAPlaySound)(longBlock, window, 78);
    ZKW(DAPlaySound)(nullptr, nullptr, 0);
    start = ::GetTickCount();
    while (::GetTickCount() - start < 400) {
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
      ::Sleep(10);
    }
    EXPECT_TRUE(gNotifies.empty()) << "a stopped sound posted its end";
    ::GlobalFree(longBlock);
  }
  ZKW(DAPlaySound)(nullptr, nullptr, 0);
  ZKW(DAWaveUnInitialize)();
  EXPECT_EQ(ZKW(DAGetDXSoundObject)(), nullptr);
  ::GlobalFree(block);
  ::DestroyWindow(window);
}

namespace {

// User events (1049) of a player window, received by subclassing it: (value 1, value 2).
std::vector<std::pair<int32_t, int32_t>> gUserEvents;
WNDPROC gPlayerProc = nullptr;

LRESULT CALLBACK PlayerHook(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == 1049 && lParam) {
    // Packed record: object handle (pointer-sized), int32 value 1, int32 value 2.
    int32_t v[2];
    std::memcpy(v, reinterpret_cast<const uint8_t*>(lParam) + sizeof(void*), sizeof v);
    gUserEvents.emplace_back(v[0], v[1]);
    return 0;
  }
  return ::CallWindowProcW(gPlayerProc, w, msg, wParam, lParam);
}

std::wstring BesideThisProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

// Pumps messages until `done` or `ms` milliseconds have passed.
template <class Done>
void PumpUntil(DWORD ms, Done&& done) {
  DWORD start = ::GetTickCount();
  MSG msg;
  while (!done() && ::GetTickCount() - start < ms) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::Sleep(5);
  }
}

}  // namespace

TEST(Win32Sound, SceneSoundsEndLoopAndStopWithThePlay) {
  // data/scene_sound.json: the start-up queues "beep" (150 ms) for Speaker with event id 5 and
  // loops "hum" (400 ms) for Looper with id 6; each object's sound-end script raises a user event
  // (9 or 10, $SoundID). The queued sound ends (9, 5); the looping one never ends by itself and
  // ends with event id 0 when play stops (10, 0).
  // Needs a sound device: scripts/test-win32 gives Wine one.
  ZKW(DAGetSysVersion);  // loads the DLL, which registers the player class
  HWND wnd = ::CreateWindowExW(0, L"zelvantoriumDIBANPlayer32Window2011", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                               32, 32, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  ASSERT_NE(ZKW(DAWaveInitialize)(wnd), 0);
  gPlayerProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PlayerHook)));
  gUserEvents.clear();
  std::wstring scene = BesideThisProgram(L"scene_sound.dan");
  ASSERT_EQ(::SendMessageW(wnd, 1041, 0, reinterpret_cast<LPARAM>(scene.c_str())), 0);
  ::SendMessageW(wnd, 1028, 1, 0);
  PumpUntil(5000, [] { return !gUserEvents.empty(); });
  ASSERT_EQ(gUserEvents, (std::vector<std::pair<int32_t, int32_t>>{{9, 5}})) << "the queued sound's end";
  // Wine plays faster than real time: in 1.5 s the loop has passed its end several times.
  PumpUntil(1500, [] { return gUserEvents.size() > 1; });
  EXPECT_EQ(gUserEvents.size(), 1u) << "a looping sound ended by itself";
  ::SendMessageW(wnd, 1028, 0, 0);
  PumpUntil(2000, [] { return gUserEvents.size() > 1; });
  EXPECT_EQ(gUserEvents, (std::vector<std::pair<int32_t, int32_t>>{{9, 5}, {10, 0}}));
  ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gPlayerProc));
  EXPECT_TRUE(::DestroyWindow(wnd));
  ZKW(DAWaveUnInitialize)();
}
