#include "dib/dc_composite.h"

#include "common/round.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "imagefiles/bitmap_convert.h"
#include "imagefiles/put_dib.h"
#include "platform/plat.h"

namespace zkw {

namespace {

const plat::BITMAPINFO* InfoOf(TDibBaseObj* dib) {
  return reinterpret_cast<const plat::BITMAPINFO*>(dib->DibPtr);
}

// A w x h 24-bit section in a memory DC, holding a copy of the DC's pixels at (x, y), wrapped
// in a TDib24Bits for the duration of one compositing call.
class CompositeSurface {
 public:
  CompositeSurface(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h)
      : FDc(dc), FX(x), FY(y), FW(w), FH(h) {
    if (w <= 0 || h <= 0) return;
    plat::BITMAPINFO info{};
    info.bmiHeader = {40, w, h, 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    FMemDc = plat::CreateCompatibleDC(dc);
    FSection = plat::CreateDIBSection(dc, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!FMemDc || !FSection) return;
    FOld = plat::SelectObject(FMemDc, FSection);
    plat::BitBlt(FMemDc, 0, 0, w, h, dc, x, y, plat::SRCCOPY);
    FTarget.AttachBitmap(FSection);
  }
  ~CompositeSurface() {
    if (FOld) plat::SelectObject(FMemDc, FOld);
    if (FSection) plat::DeleteObject(FSection);
    if (FMemDc) plat::DeleteDC(FMemDc);
  }
  bool Ready() const { return FTarget.FHandle != 0; }
  TDib24Bits& Target() { return FTarget; }
  void CopyBack() { plat::BitBlt(FDc, FX, FY, FW, FH, FMemDc, 0, 0, plat::SRCCOPY); }
  // The composite as an image memory block.
  plat::HGLOBAL ToBlock() { return BitmapToDIB(FMemDc, FSection, nullptr); }

 private:
  plat::HDC FDc;
  int32_t FX, FY, FW, FH;
  plat::HDC FMemDc = nullptr;
  plat::HBITMAP FSection = nullptr;
  plat::HGDIOBJ FOld = nullptr;
  TDib24Bits FTarget;
};

// Piece size limited to what the source holds from (xx, yy).
int32_t PieceExtent(int32_t extent, int32_t sourceExtent, int32_t offset) {
  return extent > sourceExtent - offset ? sourceExtent - offset : extent;
}

}  // namespace

void TDibBaseObj::Draw(plat::HDC dc, int32_t x, int32_t y) {
  if (AlphaDib) {
    DrawAlphaDibOnDC(dc, x, y, this);
    return;
  }
  if (FHandle == 0) return;
  plat::SetDIBitsToDevice(dc, x, y, static_cast<plat::DWORD>(FWidth),
                          static_cast<plat::DWORD>(FHeight), 0, 0, 0,
                          static_cast<plat::UINT>(FHeight), DibData, InfoOf(this),
                          plat::DIB_RGB_COLORS);
}

void TDibBaseObj::DrawPart(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t ox,
                           int32_t oy, int32_t dw, int32_t dh) {
  if (FHandle == 0) return;
  int previous = plat::SetStretchBltMode(dc, plat::COLORONCOLOR);
  plat::StretchDIBits(dc, x, y, w, h, ox, oy, dw, dh, DibData, InfoOf(this),
                      plat::DIB_RGB_COLORS, plat::SRCCOPY);
  if (previous) plat::SetStretchBltMode(dc, previous);
}

plat::HPALETTE TDib8Bits::GetPalette() {
  if (FHandle == 0 || !DibPal) return nullptr;
  return PaletteFromTable(DibPal, 256);
}

void DrawAlphaDibOnDC(plat::HDC dc, int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx, int32_t dy) {
  if (!Dib || Dib->FHandle == 0) return;
  CompositeSurface surface(dc, x, y, Dib->FWidth, Dib->FHeight);
  if (!surface.Ready()) return;
  surface.Target().DrawTransparent(0, 0, Dib, dx, dy);
  surface.CopyBack();
}

void DrawMergeDC(plat::HDC dc, int32_t x, int32_t y, TDibBaseObj* Dib, uint16_t Rate, int32_t dx,
                 int32_t dy) {
  if (!Dib || Dib->FHandle == 0) return;
  CompositeSurface surface(dc, x, y, Dib->FWidth, Dib->FHeight);
  if (!surface.Ready()) return;
  surface.Target().DrawMerge(0, 0, Dib, 0, 0, Dib->FWidth, Dib->FHeight, dx, dy, Rate);
  surface.CopyBack();
}

void DrawPartAlpha(TDibBaseObj* Dib, plat::HDC dc, int32_t x, int32_t y, int32_t xx, int32_t yy,
                   int32_t w, int32_t h, int32_t dx, int32_t dy) {
  if (!Dib || Dib->FHandle == 0) return;
  CompositeSurface surface(dc, x, y, PieceExtent(w, Dib->FWidth, xx), PieceExtent(h, Dib->FHeight, yy));
  if (!surface.Ready()) return;
  surface.Target().DrawPeace(0, 0, Dib, xx, yy, w, h, dx, dy);
  surface.CopyBack();
}

void DrawMergePartAlpha(TDibBaseObj* Dib, plat::HDC dc, int32_t x, int32_t y, int32_t xx,
                        int32_t yy, int32_t w, int32_t h, uint16_t Rate, int32_t dx, int32_t dy) {
  if (!Dib || Dib->FHandle == 0) return;
  CompositeSurface surface(dc, x, y, PieceExtent(w, Dib->FWidth, xx), PieceExtent(h, Dib->FHeight, yy));
  if (!surface.Ready()) return;
  surface.Target().DrawMerge(0, 0, Dib, xx, yy, w, h, dx, dy, Rate);
  surface.CopyBack();
}

void PrintAlphaDibOnDC(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, TDibBaseObj* Dib) {
  if (!Dib || Dib->FHandle == 0) return;
  CompositeSurface surface(dc, x, y, Dib->FWidth, Dib->FHeight);
  if (!surface.Ready()) return;
  surface.Target().DrawTransparent(0, 0, Dib, 1, 1);
  plat::HGLOBAL block = surface.ToBlock();
  if (!block) return;
  PutDIBit(dc, x, y, w, h, block);
  plat::GlobalFree(block);
}

void StretchAlphaDibOnDC(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                         TDibBaseObj* Dib) {
  if (!Dib || Dib->FHandle == 0 || Dib->FWidth <= 0 || Dib->FHeight <= 0) return;
  int32_t w = x2 - x1 + 1, h = y2 - y1 + 1;
  CompositeSurface surface(dc, x1, y1, w, h);
  if (!surface.Ready()) return;
  auto rx = static_cast<int32_t>(Round(static_cast<double>(w) / Dib->FWidth * 100));
  auto ry = static_cast<int32_t>(Round(static_cast<double>(h) / Dib->FHeight * 100));
  surface.Target().ScaleEx(0, 0, rx, ry, Dib, 0, 0, Dib->FWidth, Dib->FHeight, 100);
  surface.CopyBack();
}

}  // namespace zkw
