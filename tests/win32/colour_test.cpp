// Colour procedures, GDI helpers and the colour selection dialog on Wine's GDI and windows:
// the same pixels as the native tests expect, on DIB sections (written in memory) and on device
// bitmaps (through GetPixel and SetPixel), and the modal dialog driven from a thread timer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zkw_dll.h"

namespace {

// A memory DC with a 32-bit DIB section (the DLL's host helper) or a device bitmap.
struct Canvas {
  Canvas(int w, int h, bool section) : width(w), height(h) {
    if (section) {
      dc = static_cast<HDC>(ZKW(zkwCreateMemoryDC)(w, h));
    } else {
      HDC screen = ::GetDC(nullptr);
      dc = ::CreateCompatibleDC(screen);
      bitmap = ::CreateCompatibleBitmap(screen, w, h);
      ::ReleaseDC(nullptr, screen);
      old = ::SelectObject(dc, bitmap);
    }
    Fill(RGB(255, 255, 255));
  }
  ~Canvas() {
    if (!bitmap) {
      ZKW(zkwDeleteMemoryDC)(dc);
      return;
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
  }
  void Fill(COLORREF c) { ZKW(FillBox)(dc, 0, 0, width, height, c); }
  uint32_t At(int x, int y) const { return ::GetPixel(dc, x, y); }
  std::vector<std::string> Mask(uint32_t c) const {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
      std::string r;
      for (int x = 0; x < width; ++x) r += At(x, y) == c ? '#' : '.';
      rows.push_back(r);
    }
    return rows;
  }
  int width, height;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
};

uint32_t Grey(uint32_t v) { return v | v << 8 | v << 16; }
using Rows = std::vector<std::string>;

}  // namespace

TEST(Win32Colour, BlendsGradientsAndFramesGiveThePortablePixels) {
  for (bool section : {true, false}) {
    SCOPED_TRACE(section ? "DIB section" : "device bitmap");
    Canvas c(5, 4, section);
    c.Fill(0x204060);
    ZKW(BlendRect)(c.dc, 1, 1, 3, 2, 0xFFFFFF, 50);
    ZKW(BlendLine)(c.dc, -10, 3, 1, 0x000000, 100);
    EXPECT_EQ(c.At(1, 1), 0x8F9FAFu);
    EXPECT_EQ(c.At(4, 2), 0x204060u);
    EXPECT_EQ(c.At(1, 3), 0u);
    EXPECT_EQ(c.At(2, 3), 0x204060u);

    Canvas g(3, 6, section);
    ZKW(VColorGradient)(g.dc, 0, 0xFFFFFF, 0, 0, 2, 4);
    EXPECT_EQ(g.At(0, 3), Grey(153));
    EXPECT_EQ(g.At(0, 4), 0xFFFFFFu);
    EXPECT_EQ(g.At(2, 0), 0xFFFFFFu);

    Canvas f(8, 8, section);
    f.Fill(0);
    ZKW(DrawCornerFrameAlpha)(f.dc, 0, 0, 8, 8, 0xFFFFFF, 100);
    EXPECT_EQ(f.At(2, 0), Grey(254));
    EXPECT_EQ(f.At(1, 1), Grey(234));
    EXPECT_EQ(f.At(2, 1), Grey(174));
    EXPECT_EQ(f.At(0, 0), 0u);
  }
}

TEST(Win32Colour, GdiHelpersGiveThePortablePixels) {
  Canvas c(12, 8, true);
  ZKW(FillBox)(c.dc, 1, 1, 4, 3, 0x0000FF);
  ZKW(Line)(c.dc, 5, 1, 9, 1, 1, 0x00FF00);
  ZKW(Line)(c.dc, 5, 3, 8, 6, 1, 0x00FF00);
  EXPECT_EQ(c.Mask(0x0000FF), (Rows{"............", ".###........", ".###........", "............",
                                    "............", "............", "............", "............"}));
  EXPECT_EQ(c.Mask(0x00FF00), (Rows{"............", ".....####...", "............", ".....#......",
                                    "......#.....", ".......#....", "............", "............"}));
  Canvas f(7, 6, true);
  ZKW(DisplayRect)(f.dc, 1, 1, 5, 4, 1, 0);
  EXPECT_EQ(f.Mask(0), (Rows{".......", ".#####.", ".#...#.", ".#...#.", ".#####.", "......."}));
  Canvas d(12, 12, true);
  ZKW(DrawDipRectColor)(d.dc, 0, 0, 10, 10, 0x111111, 0x222222, 0x333333);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(d.At(10, i), 0xFFFFFFu) << i;
    EXPECT_EQ(d.At(i, 10), 0xFFFFFFu) << i;
  }
  EXPECT_EQ(d.At(9, 0), 0x111111u);
  EXPECT_EQ(d.At(9, 9), 0x222222u);
  EXPECT_EQ(d.At(8, 1), 0x333333u);
  EXPECT_EQ(d.At(8, 8), 0x111111u);
  LOGFONTW lf;
  ZKW(GetFont)(d.dc, &lf, L"Arial", 12, 1, 0, 0);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(ZKW(AdvInstance)(), static_cast<void*>(zkwtest::Dll()));
}

TEST(Win32Colour, ColourValuesBackgroundsAndButtonImages) {
  EXPECT_EQ(ZKW(BlendColor)(0xFFFFFF, 0, 50), Grey(127));
  EXPECT_EQ(ZKW(HLStoRGB)(85, 100, 200), 0x16B416u);
  EXPECT_EQ(ZKW(ChangeColorLight)(0x0000FF, 200), 0xFFFFFEu);
  int32_t h = -1, l = -1, s = -1;
  ZKW(RGBtoHLS)(0x0000FF, &h, &l, &s);
  EXPECT_EQ(h * 1000000 + l * 1000 + s, 128255);
  uint8_t rgb[3];
  EXPECT_EQ(ZKW(MultiplyColor)(rgb, 0xFFFFFF, 0xFFFFFF), 254);
  ZHANDLE d = ZKW(CreateDibObject)(8);
  ZKW(dibSetAttributes)(d, 3, 100);
  ZKW(HorizonGround)(d, 10, 20, 0, 0, 2, 99);
  EXPECT_EQ(ZKW(dibGetPixel)(d, 1, 11), 11u);
  EXPECT_EQ(ZKW(dibGetPixel)(d, 1, 99), 19u);
  EXPECT_EQ(ZKW(PolygonGround)(d, 1, 5, 6, 0, 1, 0, 0, 2, 9), 10);
  ZKW(FreeDibObject)(d);
  void* bitmap = ZKW(zkwCreateRowBitmap)(2, 1, 24);
  auto* row = static_cast<uint8_t*>(ZKW(zkwRowBitmapScanLine)(bitmap, 0));
  row[3] = row[4] = row[5] = 255;
  ZKW(FXBoxBlur)(bitmap, 1000000000, 1);
  EXPECT_EQ(row[0], 127);
  ZKW(zkwFreeRowBitmap)(bitmap);
  ZHANDLE radio = ZKW(kwgdiLoadRadioButtonImage)();
  ASSERT_NE(radio, nullptr);
  ZHANDLE target = ZKW(CreateDibObject)(24);
  ZKW(dibSetAttributes)(target, 13, 13);
  ZKW(kwgdiDrawRadioButton)(radio, target, 0, 0, 2);
  EXPECT_EQ(ZKW(dibGetPixelEx)(target, 6, 6), 0u);  // the checked cell's dot
  ZKW(FreeDibObject)(target);
  ZKW(kwgdiFreeRadioButtonImage)(radio);
  ZHANDLE sys = ZKW(kwgdiLoadSysButtonImage)();
  EXPECT_EQ(ZKW(dibGetWidth)(sys), 80);
  ZKW(FreeDibObject)(sys);
}

// --- The modal dialog, driven from a thread timer --------------------------------------------

namespace {

struct Record {
  uint32_t Size = sizeof(Record);  // 36 in the 32-bit DLL, 48 in 64-bit builds
  HWND Owner;
  uint32_t* Color;
  uint8_t Unused[16] = {};
  int32_t ShowStandard = 1, ShowSystem = 1;
};

struct Drive {
  HWND Owner = nullptr;
  bool Confirm = true;
  int Ticks = 0;
  bool Found = false, OwnerDisabled = false;
  RECT Rect{};
};
Drive gDrive;

// Standard swatch 7: the grid starts at (8, 28) with a 16-pixel pitch.
constexpr int kSwatchX = 8 + 7 * 16 + 8, kSwatchY = 28 + 8;

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
  ++gDrive.Ticks;
  HWND dlg = ::FindWindowW(L"ZKWColorSelector", L"Select color");
  if (dlg) {
    ::KillTimer(nullptr, id);
    gDrive.Found = true;
    ::GetWindowRect(dlg, &gDrive.Rect);
    gDrive.OwnerDisabled = !::IsWindowEnabled(gDrive.Owner);
    LPARAM at = MAKELPARAM(kSwatchX, kSwatchY);
    ::PostMessageW(dlg, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(dlg, WM_LBUTTONUP, 0, at);
    ::PostMessageW(dlg, WM_KEYDOWN, gDrive.Confirm ? VK_RETURN : VK_ESCAPE, 0);
  } else if (gDrive.Ticks > 100) {
    ::KillTimer(nullptr, id);
    ::PostQuitMessage(0);  // the dialog's loop cancels on WM_QUIT: never a hang
  }
}

HWND MakeOwner() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.lpszClassName = L"ZkwSelectorOwner";
  ::RegisterClassW(&wc);
  return ::CreateWindowExW(0, L"ZkwSelectorOwner", L"", WS_OVERLAPPED | WS_VISIBLE, 700, 600, 200,
                           100, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(Win32Dialog, SelectColorDialogFromAThreadTimer) {
  HWND owner = MakeOwner();
  ASSERT_NE(owner, nullptr);
  for (bool confirm : {true, false}) {
    SCOPED_TRACE(confirm ? "Enter" : "Escape");
    gDrive = Drive{owner, confirm};
    uint32_t colour = 0x123456;
    Record r;
    r.Owner = owner;
    r.Color = &colour;
    ::SetTimer(nullptr, 0, 20, Tick);
    uint32_t result = ZKW(SelectColorDialog)(&r);
    ASSERT_TRUE(gDrive.Found);
    EXPECT_TRUE(gDrive.OwnerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    // Centred on the monitor of the owner (Wine's null display is one 1024 x 768 monitor).
    HMONITOR monitor = ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoW(monitor, &mi);
    EXPECT_EQ(gDrive.Rect.left, mi.rcMonitor.left + (mi.rcMonitor.right - mi.rcMonitor.left - 362) / 2);
    EXPECT_EQ(gDrive.Rect.top, mi.rcMonitor.top + (mi.rcMonitor.bottom - mi.rcMonitor.top - 226) / 2);
    EXPECT_EQ(gDrive.Rect.right - gDrive.Rect.left, 362);
    if (confirm) {
      EXPECT_EQ(result, 0xFFFFFFFFu);
      EXPECT_EQ(colour, ZKW(HLStoRGB)(7 * 255 / 12, 192, 255));
    } else {
      EXPECT_EQ(result, 0u);
      EXPECT_EQ(colour, 0x123456u);
    }
    EXPECT_EQ(::FindWindowW(L"ZKWColorSelector", nullptr), nullptr);
  }
  // No colour address, or a wrong size: 0 and no window.
  Record bad;
  bad.Owner = owner;
  bad.Color = nullptr;
  EXPECT_EQ(ZKW(SelectColorDialog)(&bad), 0u);
  uint32_t colour = 1;
  bad.Color = &colour;
  bad.Size = 40;
  EXPECT_EQ(ZKW(SelectColorDialog)(&bad), 0u);
  ::DestroyWindow(owner);
}

TEST(Win32Colour, LinesThroughPixelBoundariesTakeTheSmallerCoordinate) {
  // The ideal line passes exactly between two pixels at every other step; the masks are the
  // ones the native tests expect of the portable back end.
  const struct {
    int x1, y1, x2, y2;
    Rows mask;
  } lines[] = {{0, 0, 4, 2, {"##...", "..##.", "....."}},
               {4, 2, 0, 0, {".#...", "..##.", "....#"}},
               {0, 2, 4, 0, {"...#.", ".##..", "#...."}},
               {0, 0, 2, 4, {"#....", "#....", ".#...", ".#...", "....."}}};
  for (const auto& l : lines) {
    Canvas c(5, static_cast<int>(l.mask.size()), true);
    ZKW(Line)(c.dc, l.x1, l.y1, l.x2, l.y2, 1, 0);
    EXPECT_EQ(c.Mask(0), l.mask) << l.x1 << "," << l.y1 << " to " << l.x2 << "," << l.y2;
  }
}
