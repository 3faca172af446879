// One scene, the same pixels on both platforms: the DLL's player window, driven under Wine by
// the messages the native suite sends (tests/support/crossplat_drive.h), draws every one of 120
// frames of data/crossplat.dan and of the demo scene byte for byte as the Linux build does (the
// committed hashes, which the native suite checks against its own frames; the demo's labels of
// system-font text left out). A corrupt copy of the scene is then
// refused by the load message with a reason, and the window plays on with the scene it had.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "support/crossplat_drive.h"
#include "zkw_dll.h"

namespace {

std::wstring Beside(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

struct Api {
  HWND Window = nullptr;
  intptr_t Send(uint32_t msg, uintptr_t w, intptr_t l) { return ::SendMessageW(Window, msg, w, l); }
  void Seed(uint32_t seed) { ZKW(zkwSetRandomSeed)(seed); }
  void ImagingOff() { ZKW(zkwImagingShutdown)(); }
  bool Load(const crossplat::TScene& scene) {
    const std::wstring path = Beside((Wide(scene.Name) + L".dan").c_str());
    return Send(1041, 0, reinterpret_cast<LPARAM>(path.c_str())) == 0;
  }
  uint64_t Frame(const crossplat::TScene& scene) {
    auto dib = reinterpret_cast<ZHANDLE>(Send(1064, 0, 0));
    return crossplat::FrameHash(ZKW(dibGetWidth)(dib), ZKW(dibGetHeight)(dib), scene,
                                [&](int x, int y) { return ZKW(dibGetPixel)(dib, x, y); });
  }
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

}  // namespace

TEST(CrossPlatform, SceneFramesAreTheLinuxBuildsByteForByte) {
  ZKW(DAGetSysVersion);  // loads the DLL, which registers the player class
  Api api;
  api.Window = ::CreateWindowExW(0, L"zelvantoriumDIBANPlayer32Window2011", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                 200, 150, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(api.Window, nullptr);
  for (const crossplat::TScene& scene : crossplat::Scenes()) {
    SCOPED_TRACE(scene.Name);
    const std::vector<std::string> got = Lines(crossplat::HashText(crossplat::DriveScene(api, scene)));
    std::ifstream in(Beside((Wide(scene.Name) + L".frames.txt").c_str()).c_str(), std::ios::binary);
    const std::vector<std::string> want = Lines(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_EQ(got.size(), static_cast<size_t>(crossplat::kFrames)) << "the scene did not load";
    ASSERT_EQ(want.size(), got.size()) << "the committed frame list is missing or short";
    for (size_t i = 0; i < got.size(); ++i)
      ASSERT_EQ(got[i], want[i]) << "frame " << i + 1 << " differs from the Linux build's"
                                 << (static_cast<int>(i) + 1 >= scene.ClickFrame ? " (after the click)" : "");
  }

  // A corrupt copy (truncated; a count enlarged) fails to load with a reason; the window keeps
  // the scene it had and plays on.
  zkwtest::ScratchDir dir;
  const crossplat::TScene& scene = crossplat::Scenes()[0];
  ASSERT_TRUE(api.Load(scene));
  api.Send(1028, 1, 0);
  api.Send(1054, 0, 0);
  std::vector<uint8_t> bytes = zkwtest::ReadFileBytes(Beside(L"crossplat.dan"));
  ASSERT_GT(bytes.size(), 200u);
  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
  std::vector<uint8_t> counted = bytes;
  counted[45 + 3] = 0x10;  // the object count after the 41-byte signature and the version: 24 + 2^28
  for (const auto& [name, data] : {std::pair{L"cut.dan", cut}, std::pair{L"counted.dan", counted}}) {
    const std::wstring path = dir.Path(name);
    zkwtest::WriteFileBytes(path, data);
    ZKW(zkwClearLastError)();
    EXPECT_EQ(api.Send(1041, 0, reinterpret_cast<LPARAM>(path.c_str())), -1);
    EXPECT_FALSE(zkwtest::LastErrorText().empty());
  }
  EXPECT_EQ(api.Send(1077, 0, 0), 24) << "the scene it had: 24 objects";
  const uint64_t before = api.Frame(scene);
  api.Send(1054, 0, 0);
  EXPECT_NE(api.Frame(scene), before) << "the window stopped playing";
  EXPECT_TRUE(::DestroyWindow(api.Window));
}
