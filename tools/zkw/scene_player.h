// Playing a scene file in a player window driven by the tool: headless on the manual clock (frames
// read back as RGBA images, input injected at chosen frames), or shown by an interactive host.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "png_io.h"

namespace zkwtool {

// One scripted input event. Types: "move", "down", "up", "click" (move, down and up at once),
// "dblclick", "wheel" (Delta), "keydown", "keyup" (Key: a virtual key code), "char" (Text).
struct TInputEvent {
  int32_t Frame = 0;
  std::string Type;
  int32_t X = 0, Y = 0;
  int32_t Key = 0;
  int32_t Delta = 0;
  std::string Text;
};
// A JSON list of events: {"frame": N, "type": ..., "x", "y", "key" (number or a name such as
// "Left", "Space", "Return", "A"), "delta", "text"}.
bool ParseInputEvents(const nlohmann::json& List, std::vector<TInputEvent>& Events, std::string& Error);

class TScenePlayer {
 public:
  TScenePlayer() = default;
  ~TScenePlayer();
  TScenePlayer(const TScenePlayer&) = delete;
  TScenePlayer& operator=(const TScenePlayer&) = delete;

  // Creates a player window of the scene's view size, loads the scene and starts play. With
  // Manual the window's timer follows the manual clock (one Step per frame). FontFile (optional)
  // is loaded into the window's shared bitmap font.
  bool Open(const std::string& SceneFile, bool Manual, const std::string& FontFile, std::string& Error);
  // Injects an event into the window.
  void Inject(const TInputEvent& Event);
  // Manual clock: one frame of the scene's speed. Real clock: dispatches what is due.
  void Step();
  // The window's pixels.
  TRgbaImage Frame() const;

  int32_t Width = 0, Height = 0;
  int32_t Speed = 40;
  void* Window = nullptr;

 private:
  bool FManual = false;
  bool FSound = false;
};

}  // namespace zkwtool
