// Text that scripts draw and measure: through the object's own font when its kind has one,
// otherwise through the frame bitmap's current GDI font.
#include "dib/dib24.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "text/scene_text.h"

namespace zkw {

int32_t TDibAnimator::DATextOut(TAnimateObj* Obj, int32_t X, int32_t Y, const std::string& Text) {
  std::u16string text = DecodeSceneText16(Text);
  int32_t result = 0;
  if (Obj && Obj->TextOutFor(FDib, X, Y, text, result)) return result;
  return FrameTextOut(X, Y, text);
}

int32_t TDibAnimator::DATextWidth(TAnimateObj* Obj, const std::string& Text) {
  std::u16string text = DecodeSceneText16(Text);
  int32_t width = 0;
  if (Obj && Obj->TextWidthFor(text, width)) return width;
  return FrameTextExtent(text).first;
}

int32_t TDibAnimator::DATextHeight(TAnimateObj* Obj, const std::string& Text) {
  std::u16string text = DecodeSceneText16(Text);
  int32_t height = 0;
  if (Obj && Obj->TextHeightFor(text, height)) return height;
  return FrameTextExtent(text).second;
}

}  // namespace zkw

namespace zkw {

namespace {
// A memory DC over the frame bitmap with its default font and transparent text background.
class TFrameDC {
 public:
  explicit TFrameDC(plat::HBITMAP Bitmap) : FDC(plat::CreateCompatibleDC(nullptr)) {
    if (FDC && Bitmap) FOld = plat::SelectObject(FDC, Bitmap);
    if (FDC) plat::SetBkMode(FDC, plat::TRANSPARENT);
  }
  ~TFrameDC() {
    if (!FDC) return;
    if (FOld) plat::SelectObject(FDC, FOld);
    plat::DeleteDC(FDC);
  }
  TFrameDC(const TFrameDC&) = delete;
  TFrameDC& operator=(const TFrameDC&) = delete;
  plat::HDC DC() const { return FDC; }
  bool HasBitmap() const { return FOld != nullptr; }

 private:
  plat::HDC FDC;
  plat::HGDIOBJ FOld = nullptr;
};

plat::SIZE ExtentOn(plat::HDC DC, const std::u16string& Text) {
  plat::SIZE size{0, 0};
  if (DC && !Text.empty())
    plat::GetTextExtentPoint32W(DC, reinterpret_cast<const plat::WCHAR*>(Text.c_str()),
                                static_cast<int>(Text.size()), &size);
  return size;
}
}  // namespace

int32_t TDibAnimator::FrameTextOut(int32_t X, int32_t Y, const std::u16string& Text) {
  TFrameDC frame(FBkBitmap);
  if (!frame.HasBitmap()) return 0;
  plat::TextOutW(frame.DC(), X, Y, reinterpret_cast<const plat::WCHAR*>(Text.c_str()),
                 static_cast<int>(Text.size()));
  return ExtentOn(frame.DC(), Text).cx;
}

std::pair<int32_t, int32_t> TDibAnimator::FrameTextExtent(const std::u16string& Text) {
  TFrameDC frame(FBkBitmap);
  plat::SIZE size = ExtentOn(frame.DC(), Text);
  return {size.cx, size.cy};
}

}  // namespace zkw
