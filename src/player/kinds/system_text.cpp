#include "player/kinds/system_text.h"

#include <cstring>

#include "common/colour_units.h"
#include "dib/dib24.h"
#include "dib/dib_base.h"
#include "player/scene/dib_animator.h"
#include "text/ansi_text.h"
#include "text/scene_text.h"

namespace zkw {

std::u16string FontNameToWide(const std::string& Name) {
  ZString z = FromAnsi(Name);
  return std::u16string(z.begin(), z.end());
}

TSysTextCanvas::TSysTextCanvas(TDibAnimator* Ani, TDibBaseObj* Frame, const TSysTextStyle& Style)
    : FStyle(Style), FFrame(Frame) {
  FDC = plat::CreateCompatibleDC(nullptr);
  if (!FDC) return;
  if (Frame && Frame->Handle() != 0) {
    if (Ani && static_cast<TDibBaseObj*>(Ani->FDib) == Frame && Ani->FBkBitmap) {
      FOldBitmap = plat::SelectObject(FDC, Ani->FBkBitmap);
    } else if (Frame->Bits() == 24) {
      plat::BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof(plat::BITMAPINFOHEADER);
      info.bmiHeader.biWidth = Frame->Width();
      info.bmiHeader.biHeight = Frame->Height();
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 24;
      void* bits = nullptr;
      FTemp = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
      if (FTemp && bits) {
        FTempBits = static_cast<uint8_t*>(bits);
        size_t stride = (static_cast<size_t>(Frame->Width()) * 3 + 3) & ~size_t{3};
        for (int32_t y = 0; y < Frame->Height(); ++y)
          std::memcpy(FTempBits + static_cast<size_t>(Frame->Height() - 1 - y) * stride, Frame->PixelAddress(0, y),
                      static_cast<size_t>(Frame->Width()) * 3);
        FOldBitmap = plat::SelectObject(FDC, FTemp);
      }
    }
  }
  std::u16string face = FontNameToWide(Style.FontName);
  if (face.size() > 31) face.resize(31);
  int32_t height = -PointsToPixels(Style.FontSize);
  FFont = plat::CreateFontW(height, 0, 0, 0, Style.Bold ? plat::FW_BOLD : plat::FW_NORMAL, Style.Italic,
                            Style.Underline, 0, plat::DEFAULT_CHARSET, 0, 0, 0, 0,
                            reinterpret_cast<const plat::WCHAR*>(face.c_str()));
  if (FFont) FOldFont = plat::SelectObject(FDC, FFont);
  plat::SetBkMode(FDC, plat::TRANSPARENT);
}

TSysTextCanvas::~TSysTextCanvas() {
  if (!FDC) return;
  if (FTemp && FTempBits && FFrame) {
    size_t stride = (static_cast<size_t>(FFrame->Width()) * 3 + 3) & ~size_t{3};
    for (int32_t y = 0; y < FFrame->Height(); ++y)
      std::memcpy(FFrame->PixelAddress(0, y), FTempBits + static_cast<size_t>(FFrame->Height() - 1 - y) * stride,
                  static_cast<size_t>(FFrame->Width()) * 3);
  }
  if (FOldFont) plat::SelectObject(FDC, FOldFont);
  if (FOldBitmap) plat::SelectObject(FDC, FOldBitmap);
  plat::DeleteDC(FDC);
  if (FFont) plat::DeleteObject(FFont);
  if (FTemp) plat::DeleteObject(FTemp);
}

template <class F>
void TSysTextCanvas::Passes(F&& pass) {
  static const int kAround[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
  if (FStyle.Shadow) {
    plat::SetTextColor(FDC, FStyle.ShadowColor & 0xFFFFFF);
    if (FStyle.Outline)
      for (const auto& d : kAround) pass(1 + d[0], 1 + d[1]);
    else
      pass(1, 1);
  }
  if (FStyle.Outline) {
    plat::SetTextColor(FDC, FStyle.OutlineColor & 0xFFFFFF);
    for (const auto& d : kAround) pass(d[0], d[1]);
  }
  plat::SetTextColor(FDC, FStyle.Color & 0xFFFFFF);
  pass(0, 0);
}

int32_t TSysTextCanvas::DrawText(const std::u16string& Text, const plat::RECT& Rect, uint32_t Format) {
  if (!FDC) return 0;
  int32_t height = 0;
  const auto* text = reinterpret_cast<const plat::WCHAR*>(Text.c_str());
  int count = static_cast<int>(Text.size());
  Passes([&](int dx, int dy) {
    plat::RECT r{Rect.left + dx, Rect.top + dy, Rect.right + dx, Rect.bottom + dy};
    height = plat::DrawTextW(FDC, text, count, &r, Format);
  });
  return height;
}

int32_t TSysTextCanvas::TextOut(int32_t X, int32_t Y, const std::u16string& Text) {
  if (!FDC) return 0;
  const auto* text = reinterpret_cast<const plat::WCHAR*>(Text.c_str());
  int count = static_cast<int>(Text.size());
  Passes([&](int dx, int dy) { plat::TextOutW(FDC, X + dx, Y + dy, text, count); });
  return Extent(Text).cx;
}

void TSysTextCanvas::TextOutColor(int32_t X, int32_t Y, const std::u16string& Text, uint32_t Color) {
  if (!FDC) return;
  plat::SetTextColor(FDC, Color & 0xFFFFFF);
  plat::TextOutW(FDC, X, Y, reinterpret_cast<const plat::WCHAR*>(Text.c_str()), static_cast<int>(Text.size()));
}

plat::SIZE TSysTextCanvas::Extent(const std::u16string& Text) {
  plat::SIZE size{0, 0};
  if (FDC)
    plat::GetTextExtentPoint32W(FDC, reinterpret_cast<const plat::WCHAR*>(Text.c_str()),
                                static_cast<int>(Text.size()), &size);
  return size;
}

plat::TEXTMETRICW TSysTextCanvas::Metrics() {
  plat::TEXTMETRICW m{};
  if (FDC) plat::GetTextMetricsW(FDC, &m);
  return m;
}

}  // namespace zkw
