// One scene, the same pixels on both platforms: the DLL's player window, driven under Wine by
// the messages the native suite sends (tests/support/crossplat_drive.h), draws every one of 120
// frames of data/crossplat.dan and of the demo scene byte for byte as the Linux build does (the
// committed hashes, which the native suite checks against its own frames; the demo's labels of
// system-font text left out). With the image-drawing service running (GDI+) the kept frames of
// crossplat.dan agree with the Linux build's smooth frames within the stated tolerance. A corrupt
// copy of the scene is then refused by the load message with a reason, and the window plays on
// with the scene it had.
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
  void Imaging(bool on) { on ? static_cast<void>(ZKW(zkwImagingStartup)()) : ZKW(zkwImagingShutdown)(); }
  bool Load(const crossplat::TScene& scene) {
    const std::wstring folder = Beside(L""), path = Beside((Wide(scene.Name) + L".dan").c_str());
    Send(1095, 0, reinterpret_cast<LPARAM>(folder.c_str()));  // the data folder: the scene's font
    return Send(1041, 0, reinterpret_cast<LPARAM>(path.c_str())) == 0;
  }
  static crossplat::TFrame Read(ZHANDLE dib) {
    return crossplat::ReadFrame(ZKW(dibGetWidth)(dib), ZKW(dibGetHeight)(dib),
                                [&](int x, int y) { return ZKW(dibGetPixel)(dib, x, y); });
  }
  crossplat::TFrame Grab() { return Read(reinterpret_cast<ZHANDLE>(Send(1064, 0, 0))); }
  uint64_t Frame(const crossplat::TScene& scene) { return crossplat::FrameHash(Grab(), scene); }
  // Beside the suite, as BMP files.
  void Save(const crossplat::TFrame& frame, const std::string& name) {
    ZHANDLE dib = ZKW(CreateDibObject)(24);
    ZKW(dibSetAttributes)(dib, frame.Width, frame.Height);
    crossplat::FillDib24(ZKW(dibGetDibData)(dib), ZKW(dibGetAlignWidth)(dib), frame);
    ZKW(dibSaveToFile)(dib, Beside((Wide(name.c_str()) + L".bmp").c_str()).c_str());
    ZKW(FreeDibObject)(dib);
  }
  crossplat::TFrame Strip(const char* what) {
    ZHANDLE dib = ZKW(DibObjectFromDex)(Beside((L"crossplat." + Wide(what) + L".dex").c_str()).c_str());
    if (!dib) return {};
    crossplat::TFrame strip = Read(dib);
    ZKW(FreeDibObject)(dib);
    return strip;
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
    const crossplat::TPlay exact = crossplat::DriveScene(api, scene);
    const std::vector<std::string> got = Lines(crossplat::HashText(exact.Hashes));
    std::ifstream in(Beside((Wide(scene.Name) + L".frames.txt").c_str()).c_str(), std::ios::binary);
    const std::vector<std::string> want = Lines(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_EQ(got.size(), static_cast<size_t>(crossplat::kFrames)) << "the scene did not load";
    ASSERT_EQ(want.size(), got.size()) << "the committed frame list is missing or short";
    for (size_t i = 0; i < got.size(); ++i)
      ASSERT_EQ(got[i], want[i]) << "frame " << i + 1 << " differs from the Linux build's"
                                 << (static_cast<int>(i) + 1 >= scene.ClickFrame ? " (after the click)" : "");
    if (std::string(scene.Name) == "demo") continue;
    // The kept frames pixel by pixel: exactly with the service stopped, within the tolerance
    // with GDI+ drawing the smoothed images.
    EXPECT_EQ(crossplat::CheckKept(api, scene, exact.Kept, api.Strip("exact"), crossplat::kExact, "exact"), "");
    const crossplat::TPlay smooth = crossplat::DriveScene(api, scene, true);
    EXPECT_EQ(crossplat::CheckKept(api, scene, smooth.Kept, api.Strip("smooth"), crossplat::kSmooth, "smooth"),
              "");
  }
  api.Imaging(false);

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
  counted[45 + 3] = 0x10;  // the object count after the 41-byte signature and the version: 28 + 2^28
  for (const auto& [name, data] : {std::pair{L"cut.dan", cut}, std::pair{L"counted.dan", counted}}) {
    const std::wstring path = dir.Path(name);
    zkwtest::WriteFileBytes(path, data);
    ZKW(zkwClearLastError)();
    EXPECT_EQ(api.Send(1041, 0, reinterpret_cast<LPARAM>(path.c_str())), -1);
    EXPECT_FALSE(zkwtest::LastErrorText().empty());
  }
  EXPECT_EQ(api.Send(1077, 0, 0), 28) << "the scene it had: 28 objects";
  const uint64_t before = api.Frame(scene);
  api.Send(1054, 0, 0);
  EXPECT_NE(api.Frame(scene), before) << "the window stopped playing";
  EXPECT_TRUE(::DestroyWindow(api.Window));
}
