// Lays out and draws an accepted equation on a 256 x 256 memory device context, at its own font
// and at the extremes of size and resolution the layout allows.
#pragma once
#include <cstring>

#include "equation/equation.h"
#include "platform/plat_gdi.h"

inline void LayOutAndDraw(zkw::TEquation& e) {
  plat::BITMAPINFO info{};
  info.bmiHeader = {sizeof(plat::BITMAPINFOHEADER), 256, -256, 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  plat::HBITMAP bitmap = plat::CreateDIBSection(dc, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
  plat::HGDIOBJ old = plat::SelectObject(dc, bitmap);
  e.SetDC(dc);
  e.SetBasePoint(16, 128);
  e.Draw();
  e.DrawScale(200, 200);
  e.SetDC(nullptr);
  plat::SelectObject(dc, old);
  plat::DeleteObject(bitmap);
  plat::DeleteDC(dc);
}
