#include "scene_player.h"

#include <cctype>
#include <map>

#include "base/text16.h"
#include "expr/functions.h"
#include "exports/zkwgdi32.h"
#include "fonts/dib_font.h"
#include "platform/plat_window.h"
#include "player/objects/moving_obj.h"
#include "player/window/animator_window.h"

using nlohmann::json;

namespace zkwtool {

namespace {

int32_t KeyCode(const json& key) {
  if (key.is_number_integer()) return key.get<int32_t>();
  static const std::map<std::string, int32_t> names = {
      {"Left", 0x25}, {"Right", 0x27}, {"Up", 0x26},     {"Down", 0x28},    {"Space", 0x20},
      {"Return", 0x0D}, {"Enter", 0x0D}, {"Escape", 0x1B}, {"Control", 0x11}, {"Shift", 0x10},
      {"Alt", 0x12},  {"Tab", 0x09},   {"Back", 0x08},   {"Home", 0x24},    {"End", 0x23}};
  std::string s = key.get<std::string>();
  auto it = names.find(s);
  if (it != names.end()) return it->second;
  if (s.size() == 1) return std::toupper(static_cast<unsigned char>(s[0]));
  return 0;
}

intptr_t Point(int32_t x, int32_t y) { return static_cast<intptr_t>((x & 0xFFFF) | ((y & 0xFFFF) << 16)); }

}  // namespace

bool ParseInputEvents(const json& List, std::vector<TInputEvent>& Events, std::string& Error) {
  try {
    for (const json& item : List) {
      TInputEvent e;
      e.Frame = item.at("frame").get<int32_t>();
      e.Type = item.at("type").get<std::string>();
      e.X = item.value("x", 0);
      e.Y = item.value("y", 0);
      if (item.contains("key")) e.Key = KeyCode(item["key"]);
      e.Delta = item.value("delta", 0);
      e.Text = item.value("text", std::string());
      static const char* kTypes[] = {"move", "down", "up", "click", "dblclick", "wheel", "keydown", "keyup", "char"};
      bool known = false;
      for (const char* t : kTypes) known |= e.Type == t;
      if (!known || (e.Type.rfind("key", 0) == 0 && e.Key == 0)) {
        Error = "bad input event " + item.dump();
        return false;
      }
      Events.push_back(e);
    }
    return true;
  } catch (const std::exception& ex) {
    Error = std::string("bad input events: ") + ex.what();
    return false;
  }
}

namespace {
constexpr uint32_t kRenderSeed = 20261209;
}  // namespace

TScenePlayer::~TScenePlayer() {
  if (Window) {
    zkwSendMessage(Window, zkw::wm::Play, 0, 0);
    if (FSound) DAWaveUnInitialize();
    zkwDestroyWindow(Window);
    zkwPumpMessages();
  }
  if (FManual) zkwUseManualClock(0);
}

bool TScenePlayer::Open(const std::string& SceneFile, bool Manual, const std::string& FontFile,
                        std::string& Error) {
  FManual = Manual;
  if (Manual && !zkwUseManualClock(1)) {
    Error = "this platform cannot run a manual clock";
    return false;
  }
  if (Manual) {
    // A headless run is repeatable: the same scene and input give the same frames, also for
    // the kinds and scripts that draw random numbers.
    zkw::SetAniRandomSeed(kRenderSeed);
    zkw::SetExprRandomSeed(kRenderSeed);
  }
  Window = zkwCreatePlayerWindow(nullptr, 320, 240);
  if (!Window) {
    Error = "cannot create a player window";
    return false;
  }
  // Scenes play their sounds through the process-wide sound object bound to this window (the
  // null device plays silently on the platform clock, so headless runs keep their timing).
  FSound = DAWaveInitialize(Window) != 0;
  if (!FontFile.empty()) {
    auto* font = reinterpret_cast<zkw::TDibFont*>(zkwSendMessage(Window, zkw::wm::GetFont, 0, 0));
    if (!font || !font->LoadFromFile(zkw::FromUtf8(FontFile).c_str())) {
      Error = "cannot load the bitmap font \"" + FontFile + "\"";
      return false;
    }
  }
  // Characters of the scene are looked for beside the scene file.
  std::string folder = SceneFile.substr(0, SceneFile.find_last_of('/') + 1);
  zkw::ZString characters = zkw::FromUtf8(folder);
  zkwSendMessage(Window, zkw::wm::SetCharacterPath, 0, reinterpret_cast<intptr_t>(characters.c_str()));
  zkw::ZString name = zkw::FromUtf8(SceneFile);
  if (zkwSendMessage(Window, zkw::wm::LoadMain, 0, reinterpret_cast<intptr_t>(name.c_str())) != 0) {
    Error = "cannot load the scene \"" + SceneFile + "\"";
    return false;
  }
  Width = static_cast<int32_t>(zkwSendMessage(Window, zkw::wm::GetViewWidth, 0, 0));
  Height = static_cast<int32_t>(zkwSendMessage(Window, zkw::wm::GetViewHeight, 0, 0));
  if (Width <= 0 || Height <= 0) {
    Error = "the scene has no view";
    return false;
  }
  zkwResizeWindow(Window, Width, Height);
  Speed = static_cast<int32_t>(zkwSendMessage(Window, zkw::wm::GetSpeed, 0, 0));
  zkwSendMessage(Window, zkw::wm::Play, 1, 0);
  return true;
}

void TScenePlayer::Inject(const TInputEvent& e) {
  const intptr_t at = Point(e.X, e.Y);
  if (e.Type == "move") zkwInjectInput(Window, plat::WM_MOUSEMOVE, 0, at);
  if (e.Type == "down" || e.Type == "click") {
    zkwInjectInput(Window, plat::WM_MOUSEMOVE, 0, at);
    zkwInjectInput(Window, plat::WM_LBUTTONDOWN, plat::MK_LBUTTON, at);
  }
  if (e.Type == "up" || e.Type == "click") zkwInjectInput(Window, plat::WM_LBUTTONUP, 0, at);
  if (e.Type == "dblclick") zkwInjectInput(Window, plat::WM_LBUTTONDBLCLK, plat::MK_LBUTTON, at);
  if (e.Type == "wheel")
    zkwInjectInput(Window, plat::WM_MOUSEWHEEL, static_cast<uintptr_t>((e.Delta & 0xFFFF) << 16), at);
  if (e.Type == "keydown") zkwInjectInput(Window, plat::WM_KEYDOWN, static_cast<uintptr_t>(e.Key), 0);
  if (e.Type == "keyup") zkwInjectInput(Window, plat::WM_KEYUP, static_cast<uintptr_t>(e.Key), 0);
  if (e.Type == "char") {
    zkw::ZString text = zkw::FromUtf8(e.Text);
    for (zkw::ZChar c : text) zkwInjectInput(Window, plat::WM_CHAR, static_cast<uintptr_t>(c), 0);
  }
}

void TScenePlayer::Step() {
  if (FManual)
    zkwAdvanceClock(static_cast<uint32_t>(1000 / (Speed > 0 ? Speed : 40)));
  else
    zkwPumpMessages();
}

TRgbaImage TScenePlayer::Frame() const {
  TRgbaImage image;
  image.Width = Width;
  image.Height = Height;
  image.Pixels.assign(static_cast<size_t>(Width) * Height * 4, 0);
  zkwWindowPixels(Window, image.Pixels.data(), Width, Height, Width * 4);
  for (size_t i = 0; i < image.Pixels.size(); i += 4) {  // B, G, R, X to R, G, B, A
    std::swap(image.Pixels[i], image.Pixels[i + 2]);
    image.Pixels[i + 3] = 255;
  }
  return image;
}

}  // namespace zkwtool
