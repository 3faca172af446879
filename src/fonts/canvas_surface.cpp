// The canvas's surface: an own or wrapped 24-bit DIB section selected into a memory device
// context (kept for GetHandle), with a 24-bit DIB object over its pixels.
#include <cstring>

#include "base/last_error.h"
#include "common/colour_units.h"
#include "dib/dib24.h"
#include "fonts/dib_canvas.h"
#include "platform/plat_gdi.h"

namespace zkw {

namespace {

// Surfaces above this many pixel bytes are refused.
constexpr int64_t kMaxSurfaceBytes = int64_t{256} << 20;

int64_t SurfaceBytes(int32_t w, int32_t h) { return ((int64_t{w} * 3 + 3) & ~int64_t{3}) * h; }

// True when the section's top row is its last stored row. GetObjectW does not tell everywhere
// (one platform reports a positive height for top-down sections), so a pixel set at the top
// through GDI shows where that row lives; the pixel is put back. False when the bitmap cannot
// be selected (it is selected into another device context).
bool IsBottomUpSection(void* Bitmap, const plat::DIBSECTION& s) {
  if (s.dsBmih.biHeight < 0) return false;
  if (s.dsBm.bmHeight <= 1) return true;
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  if (!dc) return false;
  plat::HGDIOBJ old = plat::SelectObject(dc, Bitmap);
  bool bottomUp = false;
  if (old) {
    auto* lastRow = static_cast<uint8_t*>(s.dsBm.bmBits) +
                    static_cast<int64_t>(s.dsBm.bmHeight - 1) * s.dsBm.bmWidthBytes;
    const plat::COLORREF kept = plat::GetPixel(dc, 0, 0);
    plat::GdiFlush();
    uint8_t before[3];
    std::memcpy(before, lastRow, 3);
    plat::SetPixel(dc, 0, 0, (kept ^ 0xFFFFFF) & 0xFFFFFF);
    plat::GdiFlush();
    bottomUp = std::memcmp(before, lastRow, 3) != 0;
    plat::SetPixel(dc, 0, 0, kept);
    plat::GdiFlush();
    plat::SelectObject(dc, old);
  }
  plat::DeleteDC(dc);
  return bottomUp;
}

}  // namespace

void TDibCanvas::ReleaseSurface() {
  delete FDib;
  FDib = nullptr;
  if (FDC) {
    // Deselected before it is deleted or handed back to its owner.
    if (FOldBitmap) plat::SelectObject(FDC, FOldBitmap);
    plat::DeleteDC(FDC);
  }
  if (FBitmap && FOwnBitmap) plat::DeleteObject(FBitmap);
  FDC = FOldBitmap = FBitmap = nullptr;
  FOwnBitmap = false;
  FCanvasWidth = FCanvasHeight = 0;
}

bool TDibCanvas::AttachSurface(void* Bitmap, bool Own) {
  plat::DIBSECTION section{};
  if (plat::GetObjectW(Bitmap, sizeof section, &section) != static_cast<int>(sizeof section)) return false;
  FDC = plat::CreateCompatibleDC(nullptr);
  if (!FDC) return false;
  FBitmap = Bitmap;
  FOwnBitmap = Own;
  FOldBitmap = plat::SelectObject(FDC, Bitmap);
  if (!FOldBitmap) return false;  // selected into another device context
  auto dib = new TDib24Bits();
  dib->AttachBitmap(Bitmap);
  FDib = dib;
  FCanvasWidth = section.dsBm.bmWidth;
  FCanvasHeight = section.dsBm.bmHeight;
  return true;
}

void TDibCanvas::SetCanvasSize(int32_t AWidth, int32_t AHeight) {
  if (AWidth == FCanvasWidth && AHeight == FCanvasHeight && FBitmap) return;
  ReleaseSurface();
  if (AWidth <= 0 || AHeight <= 0 || SurfaceBytes(AWidth, AHeight) > kMaxSurfaceBytes) {
    SetLastErrorText("canvas size " + std::to_string(AWidth) + " x " + std::to_string(AHeight) +
                     " is empty or above 256 MiB of pixels");
    return;
  }
  plat::BITMAPINFO info{};
  info.bmiHeader = {40, AWidth, AHeight, 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  plat::HBITMAP bitmap = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) plat::DeleteObject(bitmap);
    SetLastErrorText("the canvas surface cannot be created");
    return;
  }
  std::memset(bits, 0xFF, static_cast<size_t>(SurfaceBytes(AWidth, AHeight)));
  if (!AttachSurface(bitmap, true)) {
    plat::DeleteObject(bitmap);
    ReleaseSurface();
  }
}

bool TDibCanvas::SetBkBitmap(void* Value) {
  if (!Value) {
    ReleaseSurface();
    return true;
  }
  plat::DIBSECTION section{};
  if (plat::GetObjectW(Value, sizeof section, &section) != static_cast<int>(sizeof section) ||
      section.dsBm.bmBitsPixel != 24 || !section.dsBm.bmBits ||
      (Value != FBitmap && !IsBottomUpSection(Value, section))) {
    SetLastErrorText("the canvas takes only bottom-up 24-bit DIB sections");
    return false;
  }
  if (Value == FBitmap) return true;
  ReleaseSurface();
  if (!AttachSurface(Value, false)) {
    ReleaseSurface();
    SetLastErrorText("the bitmap cannot be selected into the canvas's device context");
    return false;
  }
  return true;
}

void TDibCanvas::Clear() {
  if (!FDC) return;
  plat::HBRUSH brush = plat::CreateSolidBrush(ColorToRGB(Color) & 0xFFFFFF);
  plat::RECT all{0, 0, FCanvasWidth, FCanvasHeight};
  plat::FillRect(FDC, &all, brush);
  plat::DeleteObject(brush);
  plat::GdiFlush();
}

void TDibCanvas::InvertRect(const TFontRect& Rt) {
  if (!FDC) return;
  plat::RECT r{Rt.left + FOriginX, Rt.top + FOriginY, Rt.right + FOriginX, Rt.bottom + FOriginY};
  plat::InvertRect(FDC, &r);
  plat::GdiFlush();
}

void TDibCanvas::Draw(void* DC, int32_t x, int32_t y) {
  if (!FDC || !DC || FCanvasWidth <= 0 || FCanvasHeight <= 0) return;
  plat::GdiFlush();
  plat::BitBlt(DC, x, y, FCanvasWidth, FCanvasHeight, FDC, 0, 0, plat::SRCCOPY);
}

void TDibCanvas::CopyBackground(void* DC, int32_t x, int32_t y) {
  if (!FDC || !DC || FCanvasWidth == 0 || FCanvasHeight == 0) return;
  plat::BitBlt(FDC, 0, 0, FCanvasWidth, FCanvasHeight, DC, x, y, plat::SRCCOPY);
  plat::GdiFlush();
}

}  // namespace zkw
