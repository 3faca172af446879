#include "imagefiles/put_dib.h"

#include "common/round.h"
#include "imagefiles/device_dib.h"
#include "platform/plat_video.h"

namespace zkw {

namespace {

// Stretches source rectangle (xs, ys, ws, hs) of the image to (x, y, w, h) with the
// colour-on-colour mode and a plain copy, restoring the DC's stretch mode afterwards.
void StretchPut(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, const DeviceDib& dib,
                int32_t xs, int32_t ys, int32_t ws, int32_t hs) {
  int previous = plat::SetStretchBltMode(dc, plat::COLORONCOLOR);
  plat::StretchDIBits(dc, x, y, w, h, xs, ys, ws, hs, dib.Pixels(), dib.Info(),
                      plat::DIB_RGB_COLORS, plat::SRCCOPY);
  if (previous) plat::SetStretchBltMode(dc, previous);
}

// Draws through the video-draw service with a draw context opened for this call.
bool ServiceDraw(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, const DeviceDib& dib,
                 int32_t xs, int32_t ys, int32_t ws, int32_t hs, uint32_t Flags) {
  plat::HDRAWDIB hdd = plat::DrawDibOpen();
  if (!hdd) return false;
  bool ok = plat::DrawDibDraw(hdd, dc, x, y, w, h, dib.Header(), dib.Pixels(), xs, ys, ws, hs,
                              Flags & 0xFFFF) != 0;
  plat::DrawDibClose(hdd);
  return ok;
}

}  // namespace

bool PutDIB(plat::HDC dc, int32_t x, int32_t y, plat::HGLOBAL block, uint32_t Flags) {
  DeviceDib dib(block);
  if (!dib.Valid()) return false;
  if (plat::VideoDrawAvailable())
    return ServiceDraw(dc, x, y, -1, -1, dib, 0, 0, -1, -1, Flags);
  plat::SetDIBitsToDevice(dc, x, y, static_cast<plat::DWORD>(dib.Width()),
                          static_cast<plat::DWORD>(dib.Height()), 0, 0, 0,
                          static_cast<plat::UINT>(dib.Height()), dib.Pixels(), dib.Info(),
                          plat::DIB_RGB_COLORS);
  return true;
}

bool PutDIBStr(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block,
               uint32_t Flags) {
  DeviceDib dib(block);
  if (!dib.Valid()) return false;
  if (plat::VideoDrawAvailable())
    return ServiceDraw(dc, x, y, w, h, dib, 0, 0, dib.Width(), dib.Height(), Flags);
  StretchPut(dc, x, y, w, h, dib, 0, 0, dib.Width(), dib.Height());
  return true;
}

void PutDIBit(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block) {
  DeviceDib dib(block);
  if (!dib.Valid()) return;
  StretchPut(dc, x, y, w ? w : dib.Width(), h ? h : dib.Height(), dib, 0, 0, dib.Width(),
             dib.Height());
}

void PutDIBitStr(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block) {
  DeviceDib dib(block);
  if (!dib.Valid()) return;
  StretchPut(dc, x, y, w, h, dib, 0, 0, dib.Width(), dib.Height());
}

bool AdvPutDIBStr(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block,
                  int32_t xs, int32_t ys, int32_t ws, int32_t hs, uint32_t Flags) {
  DeviceDib dib(block);
  if (!dib.Valid()) return false;
  if (ws == 0) ws = dib.Width();
  if (hs == 0) hs = dib.Height();
  if (plat::VideoDrawAvailable()) return ServiceDraw(dc, x, y, w, h, dib, xs, ys, ws, hs, Flags);
  StretchPut(dc, x, y, w, h, dib, xs, ys, ws, hs);
  return true;
}

void AdvPutDIBit(plat::HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, plat::HGLOBAL block,
                 int32_t xs, int32_t ys, int32_t ws, int32_t hs) {
  DeviceDib dib(block);
  if (!dib.Valid()) return;
  StretchPut(dc, x, y, w, h, dib, xs, ys, ws, hs);
}

bool StretchDIBToRect(plat::HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                      plat::HGLOBAL block, uint32_t Flags) {
  int32_t width, height;
  {
    DeviceDib dib(block);
    if (!dib.Valid()) return false;
    width = dib.Width();
    height = dib.Height();
  }
  int32_t W = x2 - x1, H = y2 - y1;
  int32_t w = W;
  int32_t h = static_cast<int32_t>(Round(static_cast<double>(W) / width * height));
  if (h > H) {
    h = H;
    w = static_cast<int32_t>(Round(static_cast<double>(H) / height * width));
  }
  return PutDIBStr(dc, x1 + (W - w) / 2, y1 + (H - h) / 2, w, h, block, Flags);
}

}  // namespace zkw
