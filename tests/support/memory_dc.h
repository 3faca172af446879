// A white 24-bit DIB section in a memory device context, for tests that draw through GDI.
#pragma once
#include <cstdint>
#include <cstring>

#include "platform/plat_gdi.h"

namespace zkwtest {

class MemoryDC {
 public:
  MemoryDC(int32_t w, int32_t h) : w_(w), h_(h) {
    plat::BITMAPINFO info{};
    info.bmiHeader = {sizeof(plat::BITMAPINFOHEADER), w, -h, 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
    dc_ = plat::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = plat::CreateDIBSection(dc_, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = plat::SelectObject(dc_, bitmap_);
    if (bits) std::memset(bits, 255, static_cast<size_t>((w * 3 + 3) & ~3) * h);
  }
  ~MemoryDC() {
    plat::SelectObject(dc_, old_);
    plat::DeleteObject(bitmap_);
    plat::DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  plat::HDC dc() const { return dc_; }
  plat::COLORREF At(int32_t x, int32_t y) const { return plat::GetPixel(dc_, x, y) & 0xFFFFFF; }
  // Pixels of exactly that colour inside (left, top, right, bottom), right and bottom excluded.
  int32_t Count(plat::COLORREF color, int32_t left = 0, int32_t top = 0, int32_t right = 1 << 20,
                int32_t bottom = 1 << 20) const {
    int32_t n = 0;
    for (int32_t y = top < 0 ? 0 : top; y < bottom && y < h_; ++y)
      for (int32_t x = left < 0 ? 0 : left; x < right && x < w_; ++x) n += At(x, y) == color;
    return n;
  }
  bool Blank() const { return Count(0xFFFFFF) == w_ * h_; }

 private:
  int32_t w_, h_;
  plat::HDC dc_ = nullptr;
  plat::HBITMAP bitmap_ = nullptr;
  plat::HGDIOBJ old_ = nullptr;
};

}  // namespace zkwtest
