// zkw char as a user runs it (make, info, frames), and a scene with the character it made played
// headless: it falls onto a floor, idles, walks, speaks, answers a click on its hot region,
// renders with zkw render and saves back byte for byte.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "common/byte_stream.h"
#include "dib/dib24.h"
#include "imagefiles/memory_block.h"
#include "player/kinds/character_obj.h"
#include "player/kinds/effect_kinds.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"
#include "png_io.h"
#include "scene_player.h"
#include "support/dib_builders.h"
#include "support/test_support.h"
#include "support/wave_builders.h"

using namespace zkwtool;

namespace {

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs zkw; standard output, or "status N: error" when it fails.
std::string Zkw(const std::string& args) {
  const std::string out = zkwtest::TempPath(TestName() + ".out"), err = zkwtest::TempPath(TestName() + ".err");
  const int raw = std::system((std::string(ZKW_TOOL) + " " + args + " >" + out + " 2>" + err + " </dev/null").c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return status == 0 ? ReadText(out) : "status " + std::to_string(status) + ": " + ReadText(err);
}

// Poses are told apart by colour (0xRRGGBB); every frame is 4 x 4 and opaque.
constexpr uint32_t kRest = 0xC00000, kWalk = 0x00C000, kSpeak = 0x0000C0, kWave = 0xC0C000;

TRgbaImage Solid(uint32_t colour) {
  TRgbaImage image;
  image.Width = image.Height = 4;
  for (int i = 0; i < 16; ++i)
    image.Pixels.insert(image.Pixels.end(), {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                                             static_cast<uint8_t>(colour), 255});
  return image;
}

// Makes hero.chr in Dir with zkw char make; the command's output.
std::string MakeHero(const std::string& dir) {
  std::string error;
  for (auto [name, colour] : {std::pair{"rest", kRest}, {"walk", kWalk}, {"speak", kSpeak}, {"wave", kWave}})
    EXPECT_TRUE(WritePng(dir + "/" + name + ".png", Solid(colour), error)) << error;
  zkwtest::WriteFileBytes(dir + "/hello.wav", zkwtest::PcmWave(1, 8, 11025, 1100));
  std::ofstream(dir + "/hero.json") << R"({"name": "Hero", "width": 4, "height": 4, "gestures": [
    {"name": "RestPose", "style": 2, "frames": [{"png": "rest.png", "duration": 3}]},
    {"name": "GoLeft", "style": 2, "frames": [{"png": "walk.png", "dx": -2}, {"png": "walk.png", "dx": -2}]},
    {"name": "GoRight", "style": 2, "frames": [{"png": "walk.png", "dx": 2}]},
    {"name": "Speaking", "style": 1, "frames": [{"png": "speak.png"}, {"png": "wave.png"}]},
    {"name": "Wave", "style": 0, "next": "RestPose", "return": true, "sound": "hello.wav",
     "frames": [{"png": "wave.png", "duration": 2}, {"png": "rest.png", "dy": -1}]}]})";
  return Zkw("char make " + dir + "/hero.json " + dir + "/hero.chr");
}

// The scene: a grey back, a floor at y 30, a white flag at (0, 0), the hero above the floor.
void BuildScene(const std::string& dir, const std::string& file) {
  zkw::TDibAnimator ani;
  ani.SetDibAttr(60, 40);
  ani.SetViewTo(60, 40);
  const uint32_t grey = 0x404040, brown = 0x204080, white = 0xFFFFFF;
  const int32_t back = ani.AddDib(zkwtest::Solid24(60, 40, grey).release());
  const int32_t floorImage = ani.AddDib(zkwtest::Solid24(60, 4, brown).release());
  const int32_t flagImage = ani.AddDib(zkwtest::Solid24(4, 4, white).release());
  const std::vector<uint8_t> wave = zkwtest::PcmWave(1, 8, 11025, 1100);
  ani.AddSound(zkw::NewBlockFrom(wave.data(), wave.size()))->SoundName = "Guide";
  auto add = [&](zkw::TAnimateObj* o, const char* name, int32_t image, int32_t x, int32_t y) {
    o->FParent = &ani;
    o->FName = name;
    o->Fx = x;
    o->Fy = y;
    ani.Append(o);
    if (image >= 0) ani.AssignDibToObject(o, image);
  };
  add(new zkw::TDibDrawObj(), "Back", back, 0, 0);
  auto* floor = new zkw::TDibDrawObj();
  floor->FCollide = true;
  add(floor, "Floor", floorImage, 0, 30);
  add(new zkw::TDibDrawObj(), "Flag", flagImage, 0, 0);
  auto* hero = new zkw::TCharacterObj();
  hero->FPath = "hero.chr";
  hero->FCollide = true;
  hero->FGravity = 2;
  hero->FEnableIdle = hero->FEnableGoing = hero->FEnableGuide = hero->FEnableRegion = true;
  hero->FIdleList = {"Wave"};
  hero->FIdleInterval = 4;
  hero->FRepeatTime = 1;
  hero->FLeftBound = 10;
  hero->FRightBound = 50;
  hero->FGuides = "0";
  hero->FGuideInterval = 40;
  hero->FHotRegions = {{{0, 0, 3, 3}, "Hide Flag"}};
  add(hero, "Hero", -1, 30, 4);
  ASSERT_TRUE(ani.SaveToFile(zkwtest::Z(dir + "/" + file).c_str()));
}

struct THeroSeen {
  int32_t x = -1, y = -1;
  uint32_t colour = 0;
};

uint32_t PixelAt(const TRgbaImage& image, int x, int y) {
  const uint8_t* p = &image.Pixels[(static_cast<size_t>(y) * image.Width + x) * 4];
  return static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
}

// Colours within 2 per channel (blending an opaque pixel weighs it 255/256).
bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255);
    if (d < -2 || d > 2) return false;
  }
  return true;
}

// The top-left pixel of the hero's figure in a frame, found by its pose colours.
THeroSeen FindHero(const TRgbaImage& frame) {
  for (int y = 0; y < frame.Height; ++y)
    for (int x = 0; x < frame.Width; ++x)
      for (uint32_t pose : {kRest, kWalk, kSpeak, kWave})
        if (Near(PixelAt(frame, x, y), pose)) return {x, y, pose};
  return {};
}

}  // namespace

TEST(ZkwChar, MakeInfoAndFrames) {
  const std::string dir = zkwtest::TempPath(TestName());
  std::filesystem::create_directories(dir);
  EXPECT_EQ(MakeHero(dir), dir + "/hero.chr: 5 gestures\n");
  const std::string info = Zkw("char info " + dir + "/hero.chr");
  EXPECT_EQ(info.substr(0, info.find('\n')), "character \"Hero\", version 0x20000, 4 x 4, 9762 bytes, 5 gestures");
  EXPECT_NE(info.find("  RestPose: style 2, previous \"\", next \"\", not returnable, 1 frames, sound 0 bytes\n"
                      "    frame 1: 4 x 4, 8-bit with alpha, duration 3, move (0, 0)\n"),
            std::string::npos)
      << info;
  EXPECT_NE(info.find("  Wave: style 0, previous \"\", next \"RestPose\", returnable, 2 frames, sound 1146 bytes\n"
                      "    frame 1: 4 x 4, 8-bit with alpha, duration 2, move (0, 0)\n"
                      "    frame 2: 4 x 4, 8-bit with alpha, duration 1, move (0, -1)\n"),
            std::string::npos)
      << info;
  EXPECT_EQ(Zkw("char frames " + dir + "/hero.chr speaking " + dir + "/out"), "2 frames written to " + dir + "/out\n");
  for (auto [file, colour] : {std::pair{"frame001.png", kSpeak}, {"frame002.png", kWave}}) {
    TRgbaImage image;
    std::string error;
    ASSERT_TRUE(ReadPng(dir + "/out/" + file, image, error)) << error;
    EXPECT_EQ(image.Pixels, Solid(colour).Pixels) << file;
  }
  // The Win32 suite's character is what its source makes.
  EXPECT_EQ(Zkw("char make " ZKW_WIN32_DATA_DIR "/hero.json " + dir + "/win32.chr"), dir + "/win32.chr: 1 gestures\n");
  EXPECT_EQ(zkwtest::ReadFileBytes(dir + "/win32.chr"), zkwtest::ReadFileBytes(ZKW_WIN32_DATA_DIR "/hero.chr"))
      << "tests/win32/data/hero.chr is stale: zkw char make hero.json hero.chr";
}

TEST(ZkwChar, SceneWithAMadeCharacterPlaysRendersAndSavesBack) {
  const std::string dir = zkwtest::TempPath(TestName());
  std::filesystem::create_directories(dir);
  ASSERT_EQ(MakeHero(dir), dir + "/hero.chr: 5 gestures\n");
  BuildScene(dir, "scene.dan");
  const std::string scene = dir + "/scene.dan";

  TScenePlayer player;
  std::string error;
  ASSERT_TRUE(player.Open(scene, true, "", error)) << error;
  std::set<uint32_t> poses;
  std::set<int32_t> xs;
  THeroSeen landed;
  for (int f = 1; f <= 160; ++f) {
    player.Step();
    const THeroSeen hero = FindHero(player.Frame());
    ASSERT_GE(hero.x, 0) << "frame " << f;
    poses.insert(hero.colour);
    xs.insert(hero.x);
    if (f == 12) landed = hero;
  }
  EXPECT_EQ(landed.y, 26);  // on the floor (30 - 4)
  EXPECT_EQ(poses, (std::set<uint32_t>{kRest, kWalk, kSpeak, kWave}));
  EXPECT_GT(xs.size(), 3u);  // walked
  // A click on the figure runs its hot region's script, which hides the flag.
  const THeroSeen now = FindHero(player.Frame());
  EXPECT_EQ(PixelAt(player.Frame(), 1, 1), 0xFFFFFFu);
  player.Inject({0, "click", now.x + 1, now.y + 1});
  player.Step();
  EXPECT_EQ(PixelAt(player.Frame(), 1, 1), 0x404040u);

  // zkw render plays it the same way from the command line.
  EXPECT_EQ(Zkw("render " + scene + " --frames 12 --out " + dir + "/frames").rfind("status", 0), std::string::npos);
  TRgbaImage rendered;
  ASSERT_TRUE(ReadPng(dir + "/frames/frame_0012.png", rendered, error)) << error;
  EXPECT_EQ(FindHero(rendered).y, 26);

  // Loaded and saved again, the scene file is the same byte for byte.
  zkw::TDibAnimator loaded;
  ASSERT_TRUE(loaded.LoadFromFile(zkwtest::Z(scene).c_str()));
  zkw::TMemoryStream saved;
  ASSERT_TRUE(loaded.SaveToStream(&saved));
  EXPECT_EQ(saved.Bytes(), zkwtest::ReadFileBytes(scene));
}
