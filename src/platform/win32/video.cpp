// Windows video-draw service: MSVFW32's DrawDib functions, loaded by name once. The module is
// loaded on first use rather than while the library itself is being loaded, because loading
// another library under the loader lock can deadlock.
#include "platform/plat_video.h"
#include "platform/win32/win32_api.h"

namespace plat {
namespace {

using OpenFn = HANDLE(WINAPI*)();
using CloseFn = ::BOOL(WINAPI*)(HANDLE);
using DrawFn = ::BOOL(WINAPI*)(HANDLE, ::HDC, int, int, int, int, ::LPBITMAPINFOHEADER, LPVOID,
                               int, int, int, int, ::UINT);

struct VideoDraw {
  VideoDraw() {
    module = ::LoadLibraryW(L"MSVFW32.dll");
    if (!module) return;
    open = reinterpret_cast<OpenFn>(reinterpret_cast<void*>(::GetProcAddress(module, "DrawDibOpen")));
    close = reinterpret_cast<CloseFn>(reinterpret_cast<void*>(::GetProcAddress(module, "DrawDibClose")));
    draw = reinterpret_cast<DrawFn>(reinterpret_cast<void*>(::GetProcAddress(module, "DrawDibDraw")));
  }
  bool Ready() const { return open && close && draw; }
  ::HMODULE module = nullptr;
  OpenFn open = nullptr;
  CloseFn close = nullptr;
  DrawFn draw = nullptr;
};

const VideoDraw& Service() {
  static VideoDraw service;
  return service;
}

}  // namespace

bool VideoDrawAvailable() { return Service().Ready(); }

HDRAWDIB DrawDibOpen() { return Service().Ready() ? Service().open() : nullptr; }

BOOL DrawDibClose(HDRAWDIB hdd) { return Service().Ready() ? Service().close(hdd) : 0; }

BOOL DrawDibDraw(HDRAWDIB hdd, HDC dc, int xDst, int yDst, int dxDst, int dyDst,
                 const BITMAPINFOHEADER* header, const void* bits, int xSrc, int ySrc, int dxSrc,
                 int dySrc, UINT flags) {
  if (!Service().Ready()) return 0;
  return Service().draw(hdd, static_cast<::HDC>(dc), xDst, yDst, dxDst, dyDst,
                        reinterpret_cast<::LPBITMAPINFOHEADER>(const_cast<BITMAPINFOHEADER*>(header)),
                        const_cast<void*>(bits), xSrc, ySrc, dxSrc, dySrc, flags);
}

}  // namespace plat
