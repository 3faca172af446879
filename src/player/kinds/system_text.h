// System-font text of labels, text fields and lists: the platform's GDI text drawn on a
// scene's frame image (through the frame bitmap when the image is the scene's frame buffer,
// else through a temporary 24-bit section copied back), with the shadow, outline and face
// passes of the text kinds.
#pragma once
#include <cstdint>
#include <string>

#include "platform/plat_gdi.h"

namespace zkw {

class TDibAnimator;
class TDibBaseObj;

struct TSysTextStyle {
  std::string FontName = "Arial";  // 8-bit scene text
  int32_t FontSize = 14;           // points at 96 pixels per inch
  bool Bold = false, Italic = false, Underline = false;
  uint32_t Color = 0;
  bool Outline = false;
  uint32_t OutlineColor = 0xFFFFFF;
  bool Shadow = false;
  uint32_t ShadowColor = 0;
};

class TSysTextCanvas {
 public:
  // Frame null: measuring only.
  TSysTextCanvas(TDibAnimator* Ani, TDibBaseObj* Frame, const TSysTextStyle& Style);
  ~TSysTextCanvas();
  TSysTextCanvas(const TSysTextCanvas&) = delete;
  TSysTextCanvas& operator=(const TSysTextCanvas&) = delete;

  bool Ok() const { return FDC != nullptr; }
  // The passes in a rectangle with a DrawText format; the height of the text.
  int32_t DrawText(const std::u16string& Text, const plat::RECT& Rect, uint32_t Format);
  // The passes with the text's top-left at (X, Y); the width of the text.
  int32_t TextOut(int32_t X, int32_t Y, const std::u16string& Text);
  // Plain face pass only, in an explicit colour.
  void TextOutColor(int32_t X, int32_t Y, const std::u16string& Text, uint32_t Color);
  plat::SIZE Extent(const std::u16string& Text);
  plat::TEXTMETRICW Metrics();
  plat::HDC DC() const { return FDC; }

 private:
  template <class F>
  void Passes(F&& pass);
  TSysTextStyle FStyle;
  TDibBaseObj* FFrame = nullptr;
  plat::HDC FDC = nullptr;
  plat::HGDIOBJ FOldBitmap = nullptr, FOldFont = nullptr;
  plat::HFONT FFont = nullptr;
  plat::HBITMAP FTemp = nullptr;  // temporary section for frames that are not the frame buffer
  uint8_t* FTempBits = nullptr;
};

// An 8-bit font name as UTF-16 for LOGFONT.
std::u16string FontNameToWide(const std::string& Name);

}  // namespace zkw
