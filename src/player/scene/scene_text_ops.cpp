// Text that scripts draw and measure: through the object's own font when its kind has one,
// otherwise through the frame bitmap's current GDI font.
#include "dib/dib24.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "text/scene_text.h"

namespace zkw {

namespace {
std::u16string Decoded(const std::string& Text) {
  ZString z = DecodeSceneText(Text);
  return std::u16string(z.begin(), z.end());
}
}  // namespace

int32_t TDibAnimator::DATextOut(TAnimateObj* Obj, int32_t X, int32_t Y, const std::string& Text) {
  std::u16string text = Decoded(Text);
  int32_t result = 0;
  if (Obj && Obj->TextOutFor(FDib, X, Y, text, result)) return result;
  return FrameTextOut(X, Y, text);
}

int32_t TDibAnimator::DATextWidth(TAnimateObj* Obj, const std::string& Text) {
  std::u16string text = Decoded(Text);
  int32_t width = 0;
  if (Obj && Obj->TextWidthFor(text, width)) return width;
  return FrameTextExtent(text).first;
}

int32_t TDibAnimator::DATextHeight(TAnimateObj* Obj, const std::string& Text) {
  std::u16string text = Decoded(Text);
  int32_t height = 0;
  if (Obj && Obj->TextHeightFor(text, height)) return height;
  return FrameTextExtent(text).second;
}

}  // namespace zkw

namespace zkw {

// Plain text on the frame bitmap: completed once the portable GDI text exists.
int32_t TDibAnimator::FrameTextOut(int32_t X, int32_t Y, const std::u16string& Text) {
  (void)X; (void)Y; (void)Text;
  return 0;
}

std::pair<int32_t, int32_t> TDibAnimator::FrameTextExtent(const std::u16string& Text) {
  (void)Text;
  return {0, 0};
}

}  // namespace zkw
