// Scene sources of the tool and the headless player, with the bundled demo scene: the source
// and the scene file round-trip, rendering is deterministic, and the demo's click script changes
// the panel it names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

#include "common/byte_stream.h"
#include "exports/zkwgdi32.h"
#include "support/crossplat_drive.h"
#include "base/last_error.h"
#include "player/scene/dib_animator.h"
#include "scene_player.h"
#include "scene_source.h"
#include "support/test_support.h"

using nlohmann::json;
using namespace zkwtool;

namespace {

json ReadJsonFile(const std::string& path) {
  std::ifstream in(path);
  return json::parse(in);
}

std::vector<uint8_t> SceneBytes(zkw::TDibAnimator& ani) {
  zkw::TMemoryStream out;
  EXPECT_TRUE(ani.SaveToStream(&out));
  return out.Bytes();
}

std::string BuildDemo(const std::string& name) {
  zkw::TDibAnimator ani;
  std::string error;
  EXPECT_TRUE(BuildScene(ReadJsonFile(ZKW_DEMO_DIR "/demo.json"), ZKW_DEMO_DIR, ani, error)) << error;
  std::string path = zkwtest::TempPath(name);
  EXPECT_TRUE(ani.SaveToFile(zkwtest::Z(path).c_str()));
  return path;
}

uint32_t PixelAt(const TRgbaImage& image, int x, int y) {
  const uint8_t* p = &image.Pixels[(static_cast<size_t>(y) * image.Width + x) * 4];
  return static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);  // 0xRRGGBB
}

size_t Hash(const TRgbaImage& image) {
  return std::hash<std::string>()(std::string(image.Pixels.begin(), image.Pixels.end()));
}

// Renders the demo with its scripted input; the hashes of the frames asked for, and the frames.
std::vector<TRgbaImage> RenderDemo(const std::string& scene, const std::vector<int>& wanted) {
  std::vector<TInputEvent> events;
  std::string error;
  EXPECT_TRUE(ParseInputEvents(ReadJsonFile(ZKW_DEMO_DIR "/input.json"), events, error)) << error;
  TScenePlayer player;
  EXPECT_TRUE(player.Open(scene, true, "", error)) << error;
  std::vector<TRgbaImage> frames;
  for (int f = 1; f <= wanted.back(); ++f) {
    for (const TInputEvent& e : events)
      if (e.Frame == f) player.Inject(e);
    player.Step();
    for (int w : wanted)
      if (w == f) frames.push_back(player.Frame());
  }
  return frames;
}

}  // namespace

TEST(SceneSource, DemoSourceAndSceneFileRoundTrip) {
  zkw::TDibAnimator first;
  std::string error;
  ASSERT_TRUE(BuildScene(ReadJsonFile(ZKW_DEMO_DIR "/demo.json"), ZKW_DEMO_DIR, first, error)) << error;
  std::vector<uint8_t> bytes = SceneBytes(first);
  // Sounds and images of a scene file load lazily: the dump reads them from the file.
  std::string path = zkwtest::TempPath("demo_roundtrip.dan");
  ASSERT_TRUE(first.SaveToFile(zkwtest::Z(path).c_str()));
  zkw::TDibAnimator loaded;
  ASSERT_TRUE(loaded.LoadFromFile(zkwtest::Z(path).c_str())) << zkw::LastErrorText();
  json dumped = DumpScene(loaded);
  EXPECT_EQ(dumped["objects"].size(), 14u);
  EXPECT_EQ(dumped["objects"][7]["info"], "Xin chào! Tiếng Việt có dấu");
  zkw::TDibAnimator rebuilt;
  ASSERT_TRUE(BuildScene(dumped, "", rebuilt, error)) << error;
  EXPECT_EQ(SceneBytes(rebuilt), bytes);
  EXPECT_EQ(DumpScene(rebuilt), dumped);
}

TEST(SceneSource, Win32SuiteScenesAreWhatTheirSourcesBuild) {
  // The Win32 suite cannot run the tool, so it loads scene files kept beside their sources.
  for (const char* name : {"system_text", "scene_sound", "crossplat", "character"}) {
    std::string base = std::string(ZKW_WIN32_DATA_DIR "/") + name;
    zkw::TDibAnimator ani;
    std::string error;
    ASSERT_TRUE(BuildScene(ReadJsonFile(base + ".json"), ZKW_WIN32_DATA_DIR, ani, error)) << error;
    EXPECT_EQ(SceneBytes(ani), zkwtest::ReadFileBytes(base + ".dan"))
        << name << ".dan is stale: zkw scene build " << name << ".json " << name << ".dan";
  }
}

TEST(SceneSource, BadSourcesAreRefusedWithAReason) {
  struct Case {
    const char* source;
    const char* reason;
  } cases[] = {
      {R"({"objects": [{"kind": "nosuchkind"}]})", "unknown object kind"},
      {R"({"objects": [{"kind": "movie", "image": 3}]})", "which does not exist"},
      {R"({"images": [{"dex": "!!!"}]})", "not base64"},
      {R"({"images": [{"dex": "AAAA"}]})", "no DEX record"},
      {R"({"images": [{"solid": "#ff0000", "size": [0, 4]}]})", "an image needs"},
      {R"({"images": [{"strip": ["#ff0000", "#00ff00"], "size": [8000, 8000]}]})", "an image needs"},
      {R"({"objects": [{"kind": "movie", "props": {"NoSuchProperty": 1}}]})", "unknown property"},
      {R"({"objects": [{"kind": "movie", "scripts": {"nosuchevent": "Show THIS"}}]})", "unknown object event"},
      {R"({"objects": [{"kind": "movie", "data": "AQ=="}]})", "kind data does not fit"},
      {R"({"scripts": {"keydown.f13": "Show THIS"}})", "unknown scene event"},
  };
  for (const Case& c : cases) {
    zkw::TDibAnimator ani;
    std::string error;
    EXPECT_FALSE(BuildScene(json::parse(c.source), "", ani, error)) << c.source;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.source << " gave: " << error;
  }
}

TEST(SceneSource, RenderingIsDeterministicAndTheClickScriptChangesThePanel) {
  std::string scene = BuildDemo("demo_render.dan");
  std::vector<int> wanted = {10, 29, 31, 45};
  std::vector<TRgbaImage> a = RenderDemo(scene, wanted);
  std::vector<TRgbaImage> b = RenderDemo(scene, wanted);
  ASSERT_EQ(a.size(), wanted.size());
  ASSERT_EQ(b.size(), wanted.size());
  for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(Hash(a[i]), Hash(b[i])) << "frame " << wanted[i];
  EXPECT_NE(Hash(a[0]), Hash(a[3]));  // the scene moves
  // The panel at (440, 270) is light grey until the button is clicked at frame 30, then green.
  EXPECT_EQ(PixelAt(a[1], 520, 300), 0xF0F0F0u);
  EXPECT_EQ(PixelAt(a[2], 520, 300), 0x30C050u);
  EXPECT_EQ(PixelAt(a[3], 520, 300), 0x30C050u);
}

TEST(SceneSource, CrossPlatformFramesAreTheCommittedOnes) {
  // The frames the Win32 suite also draws under Wine (tests/support/crossplat_drive.h), held to
  // the committed hashes and kept frames. ZKW_RECORD_CROSSPLAT=1 writes them anew (only when a
  // change is meant to alter the scenes' pixels on both platforms).
  struct Api {
    ZWINDOW Window = zkwCreatePlayerWindow(nullptr, 200, 150);
    intptr_t Send(uint32_t msg, uintptr_t w, intptr_t l) { return zkwSendMessage(Window, msg, w, l); }
    void Seed(uint32_t seed) { zkwSetRandomSeed(seed); }
    void Imaging(bool on) { on ? static_cast<void>(zkwImagingStartup()) : zkwImagingShutdown(); }
    bool Load(const crossplat::TScene& scene) {
      const std::string file = std::string(scene.Name) == "demo"
                                   ? std::string(ZKW_WIN32_DATA_DIR "/../../data/kinds/demo.dan")
                                   : std::string(ZKW_WIN32_DATA_DIR "/") + scene.Name + ".dan";
      // The scene's data folder: its bitmap font is found there.
      const zkw::ZString folder = zkw::FromUtf8(ZKW_WIN32_DATA_DIR "/"), name = zkw::FromUtf8(file);
      Send(1095, 0, reinterpret_cast<intptr_t>(folder.c_str()));
      return Send(1041, 0, reinterpret_cast<intptr_t>(name.c_str())) == 0;
    }
    crossplat::TFrame Grab() {
      auto dib = reinterpret_cast<ZHANDLE>(Send(1064, 0, 0));
      return crossplat::ReadFrame(dibGetWidth(dib), dibGetHeight(dib), [&](int x, int y) { return dibGetPixel(dib, x, y); });
    }
    // Writes the frame as a BMP (or, for a name ending in .dex, a DEX file).
    void Save(const crossplat::TFrame& frame, const std::string& name) {
      const std::string path = name.find('/') == std::string::npos ? zkwtest::TempPath(name + ".bmp") : name;
      ZHANDLE dib = CreateDibObject(24);
      dibSetAttributes(dib, frame.Width, frame.Height);
      crossplat::FillDib24(dibGetDibData(dib), dibGetAlignWidth(dib), frame);
      const zkw::ZString wide = zkw::FromUtf8(path);
      EXPECT_TRUE(path.size() > 4 && path.substr(path.size() - 4) == ".dex" ? dibSaveToDexFile(dib, wide.c_str())
                                                                          : dibSaveToFile(dib, wide.c_str()))
          << path;
      FreeDibObject(dib);
    }
    crossplat::TFrame LoadStrip(const std::string& path) {
      const zkw::ZString wide = zkw::FromUtf8(path);
      ZHANDLE dib = DibObjectFromDex(wide.c_str());
      if (!dib) return {};
      crossplat::TFrame strip = crossplat::ReadFrame(dibGetWidth(dib), dibGetHeight(dib),
                                                     [&](int x, int y) { return dibGetPixel(dib, x, y); });
      FreeDibObject(dib);
      return strip;
    }
  } api;
  ASSERT_NE(api.Window, nullptr);
  const char* record = std::getenv("ZKW_RECORD_CROSSPLAT");
  for (const crossplat::TScene& scene : crossplat::Scenes()) {
    SCOPED_TRACE(scene.Name);
    const std::string base = std::string(ZKW_WIN32_DATA_DIR "/") + scene.Name;
    const crossplat::TPlay exact = crossplat::DriveScene(api, scene);
    const std::string got = crossplat::HashText(exact.Hashes);
    // Frames kept whole: of the scene made for the comparison, with the service stopped and running.
    std::vector<std::pair<const char*, crossplat::TPlay>> kept;
    if (std::string(scene.Name) != "demo") {
      kept.emplace_back("exact", exact);
      kept.emplace_back("smooth", crossplat::DriveScene(api, scene, true));
    }
    if (record && *record) {
      std::ofstream(base + ".frames.txt", std::ios::binary) << got;
      for (const auto& [what, play] : kept) api.Save(crossplat::Strip(play.Kept), base + "." + what + ".dex");
      continue;
    }
    std::ifstream in(base + ".frames.txt", std::ios::binary);
    const std::string want((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(got, want) << "the native frames differ from " << base << ".frames.txt";
    for (const auto& [what, play] : kept)
      EXPECT_EQ(crossplat::CheckKept(api, scene, play.Kept, api.LoadStrip(base + "." + what + ".dex"), crossplat::kExact, what), "");
  }
  api.Imaging(false);
  zkwDestroyWindow(api.Window);
}
