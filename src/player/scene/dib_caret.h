// The scene's own drawn cursor and text caret: TDibCursor animates one cursor strip (all frames
// side by side in one 8-bit image) over the frame buffer; TDibCaret blinks a two-pixel caret for
// the focused text object.
#pragma once
#include <cstdint>

namespace zkw {

class TAnimateObj;
class TDibBaseObj;

// One cursor strip of the window's list.
struct TDibCursorInfoRec {
  TDibBaseObj* dciDib = nullptr;
  uint16_t dciFrames = 1;
  int32_t dciSpeed = 1;
  int32_t dciHotX = 0, dciHotY = 0;
  bool dciFromAni = false;  // the image belongs to a scene: not freed with the strip
};

class TDibCursor {
 public:
  // Takes a copy of the strip and restarts its animation at frame 0.
  void SetCursor(const TDibCursorInfoRec& AInfo);
  // Draws the current frame with its hot spot at (FX, FY); only for a valid 8-bit strip.
  void DrawOn(TDibBaseObj* ADib) const;
  // Counts down, moves to the next frame when the count runs out, then draws.
  void Action(TDibBaseObj* ADib);
  // Forgets the strip image (it is being freed).
  void InvalidDib();

  TDibCursorInfoRec FInfo;
  uint16_t FCurrentFrame = 0;
  int32_t FCount = 1;
  int32_t FX = 0, FY = 0;
  int32_t FWidth = 0, FHeight = 0;
  bool FFromAni = false;

 private:
  bool Drawable() const;
};

class TDibCaret {
 public:
  // Blinks (the phase flips every FSpeed drawn frames) and draws when there is an owner, the
  // phase is visible and the caret is enabled.
  void Draw(TDibBaseObj* ADib);
  void ShowCaret(TAnimateObj* AObj, int32_t AHeight);
  void HideCaret() { FShowCaret = false; }

  TAnimateObj* FOwner = nullptr;
  int32_t FX = 0, FY = 0;
  int32_t FHeight = 16;
  int32_t FSpeed = 6;
  int32_t FCount = 6;
  bool FShow = false;
  bool FShowCaret = false;
};

}  // namespace zkw
