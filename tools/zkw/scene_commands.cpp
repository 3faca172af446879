// zkw scene build|dump, zkw render and zkw play.
#include <SDL2/SDL.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "commands.h"
#include "common/byte_stream.h"
#include "base/text16.h"
#include "platform/plat_sound.h"
#include "player/scene/dib_animator.h"
#include "progress.h"
#include "scene_player.h"
#include "scene_source.h"

using nlohmann::json;

namespace zkwtool {

namespace {

bool ReadJson(const std::string& path, json& out, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot open \"" + path + "\"";
    return false;
  }
  try {
    out = json::parse(in);
    return true;
  } catch (const std::exception& e) {
    error = "\"" + path + "\" is not JSON: " + e.what();
    return false;
  }
}

// A frame at half size, each pixel the mean of four (kept for the contact sheet as it is taken,
// so that a long render does not hold its full-size frames).
TRgbaImage Half(const TRgbaImage& frame) {
  TRgbaImage half;
  half.Width = frame.Width / 2;
  half.Height = frame.Height / 2;
  half.Pixels.resize(static_cast<size_t>(half.Width) * half.Height * 4);
  for (int32_t y = 0; y < half.Height; ++y)
    for (int32_t x = 0; x < half.Width; ++x)
      for (int c = 0; c < 4; ++c) {
        int sum = 0;
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx)
            sum += frame.Pixels[(static_cast<size_t>(2 * y + dy) * frame.Width + 2 * x + dx) * 4 + c];
        half.Pixels[(static_cast<size_t>(y) * half.Width + x) * 4 + c] = static_cast<uint8_t>(sum / 4);
      }
  return half;
}

// Half-size frames side by side, four to a row.
TRgbaImage ContactSheet(const std::vector<TRgbaImage>& halves) {
  TRgbaImage sheet;
  if (halves.empty()) return sheet;
  int32_t w = halves[0].Width, h = halves[0].Height, gap = 4;
  int32_t cols = std::min<int32_t>(4, static_cast<int32_t>(halves.size()));
  int32_t rows = (static_cast<int32_t>(halves.size()) + cols - 1) / cols;
  sheet.Width = cols * (w + gap) + gap;
  sheet.Height = rows * (h + gap) + gap;
  sheet.Pixels.assign(static_cast<size_t>(sheet.Width) * sheet.Height * 4, 40);
  for (size_t i = 3; i < sheet.Pixels.size(); i += 4) sheet.Pixels[i] = 255;
  for (size_t f = 0; f < halves.size(); ++f) {
    int32_t ox = gap + static_cast<int32_t>(f % cols) * (w + gap);
    int32_t oy = gap + static_cast<int32_t>(f / cols) * (h + gap);
    for (int32_t y = 0; y < h; ++y)
      std::memcpy(&sheet.Pixels[(static_cast<size_t>(oy + y) * sheet.Width + ox) * 4],
                  &halves[f].Pixels[static_cast<size_t>(y) * w * 4], static_cast<size_t>(w) * 4);
  }
  return sheet;
}

}  // namespace

int CmdSceneBuild(const std::string& sourceFile, const std::string& out) {
  json source;
  std::string error;
  if (!ReadJson(sourceFile, source, error)) return Fail(error);
  zkw::TDibAnimator ani;
  std::string base = std::filesystem::path(sourceFile).parent_path().string();
  if (!BuildScene(source, base, ani, error)) return Fail(error);
  if (!ani.SaveToFile(zkw::FromUtf8(out).c_str())) return Fail("cannot write \"" + out + "\"");
  std::printf("%s: %d objects, %d images, %d sounds\n", out.c_str(), ani.Count(), ani.DibCount(), ani.SoundCount());
  return 0;
}

int CmdSceneDump(const std::string& file, const std::string& out) {
  zkw::TDibAnimator ani;
  if (!ani.LoadFromFile(zkw::FromUtf8(file).c_str())) return Fail("cannot read the scene \"" + file + "\"");
  std::string text = DumpScene(ani).dump(2) + "\n";
  if (out.empty()) {
    std::fputs(text.c_str(), stdout);
    return 0;
  }
  std::ofstream stream(out);
  stream << text;
  return stream ? 0 : Fail("cannot write \"" + out + "\"");
}

int CmdRender(const RenderOptions& o) {
  const int32_t frames = o.frames;
  const std::string& outDir = o.outDir;
  const int32_t sheetEvery = std::max(1, o.sheetEvery);
  std::string error;
  std::vector<TInputEvent> events;
  if (!o.input.empty()) {
    json list;
    if (!ReadJson(o.input, list, error) || !ParseInputEvents(list, events, error)) return Fail(error);
  }
  TScenePlayer player;
  if (!player.Open(o.file, true, o.font, error)) return Fail(error);
  std::filesystem::create_directories(outDir);
  std::vector<TRgbaImage> sheet;
  TProgressLine progress("render", "frames");
  for (int32_t f = 1; f <= frames; ++f) {
    for (const TInputEvent& e : events)
      if (e.Frame == f) player.Inject(e);
    player.Step();
    TRgbaImage image = player.Frame();
    char name[64];
    std::snprintf(name, sizeof name, "/frame_%04d.png", f);
    if (!WritePng(outDir + name, image, error)) return Fail(error);
    if (f % sheetEvery == 0) sheet.push_back(Half(image));
    progress.Update(f, frames);
  }
  progress.Finish();
  if (!sheet.empty() && !WritePng(outDir + "/contact.png", ContactSheet(sheet), error)) return Fail(error);
  std::printf("%d frames of %dx%d in %s\n", frames, player.Width, player.Height, outDir.c_str());
  return 0;
}

int CmdPlay(const PlayOptions& o) {
  const double seconds = o.seconds;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return Fail(std::string("no display: ") + SDL_GetError());
  // Sounds go to the audio output when there is one; otherwise they play silently.
  plat::SelectSoundOutput(plat::SoundOutput::Audio);
  TScenePlayer player;
  std::string error;
  if (!player.Open(o.file, false, o.font, error)) {
    SDL_Quit();
    return Fail(error);
  }
  SDL_Window* window = SDL_CreateWindow("zkw play", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        player.Width, player.Height, 0);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888,
                                                      SDL_TEXTUREACCESS_STREAMING, player.Width, player.Height)
                                  : nullptr;
  if (!texture) {
    SDL_Quit();
    return Fail(std::string("cannot open a window: ") + SDL_GetError());
  }
  SDL_StartTextInput();
  Uint32 start = SDL_GetTicks();
  bool running = true;
  while (running) {
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) {
      TInputEvent e;
      switch (ev.type) {
        case SDL_QUIT: running = false; break;
        case SDL_MOUSEMOTION: e = {0, "move", ev.motion.x, ev.motion.y}; break;
        case SDL_MOUSEBUTTONDOWN:
          if (ev.button.button == SDL_BUTTON_LEFT)
            e = {0, ev.button.clicks == 2 ? "dblclick" : "down", ev.button.x, ev.button.y};
          break;
        case SDL_MOUSEBUTTONUP:
          if (ev.button.button == SDL_BUTTON_LEFT) e = {0, "up", ev.button.x, ev.button.y};
          break;
        case SDL_MOUSEWHEEL: {
          int x = 0, y = 0;
          SDL_GetMouseState(&x, &y);
          e = {0, "wheel", x, y, 0, ev.wheel.y * 120};
          break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
          static const std::pair<SDL_Keycode, int32_t> keys[] = {
              {SDLK_LEFT, 0x25}, {SDLK_RIGHT, 0x27}, {SDLK_UP, 0x26},      {SDLK_DOWN, 0x28},
              {SDLK_SPACE, 0x20}, {SDLK_RETURN, 0x0D}, {SDLK_ESCAPE, 0x1B}, {SDLK_BACKSPACE, 0x08},
              {SDLK_LCTRL, 0x11}, {SDLK_LSHIFT, 0x10}, {SDLK_LALT, 0x12},  {SDLK_TAB, 0x09}};
          int32_t vk = 0;
          for (auto& [sym, code] : keys)
            if (ev.key.keysym.sym == sym) vk = code;
          if (!vk && ev.key.keysym.sym >= 'a' && ev.key.keysym.sym <= 'z') vk = ev.key.keysym.sym - 32;
          if (vk) e = {0, ev.type == SDL_KEYDOWN ? "keydown" : "keyup", 0, 0, vk};
          if (ev.type == SDL_KEYDOWN && vk == 0x0D) player.Inject({0, "char", 0, 0, 0, 0, "\r"});
          if (ev.type == SDL_KEYDOWN && vk == 0x08) player.Inject({0, "char", 0, 0, 0, 0, "\b"});
          break;
        }
        case SDL_TEXTINPUT: e = {0, "char", 0, 0, 0, 0, ev.text.text}; break;
        default: break;
      }
      if (!e.Type.empty()) player.Inject(e);
    }
    player.Step();
    TRgbaImage frame = player.Frame();
    SDL_UpdateTexture(texture, nullptr, frame.Pixels.data(), frame.Width * 4);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    SDL_Delay(5);
    if (seconds > 0 && SDL_GetTicks() - start > seconds * 1000) running = false;
  }
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

}  // namespace zkwtool
