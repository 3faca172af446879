// Marked-up text on arbitrary UTF-16 (the input's bytes after the first are code units; the first
// byte picks the wrap width): measure-only layout on a GDI canvas and on a DIB canvas, and the
// host's line loop, which must take every line's units and end.
#include <cstdint>

#include "fonts/dib_canvas.h"
#include "platform/plat_gdi.h"
#include "spectext/gdi_canvas.h"
#include "spectext/spec_text.h"

namespace {

void LineLoop(zkw::TDibCanvas& canvas, const zkw::ZString& text, int32_t width) {
  const plat::RECT rt{0, 0, width, 100};
  size_t pos = 0, lines = 0;
  for (;;) {
    const zkw::TDibLineResult line = zkw::DibGetALine(canvas, rt, text.c_str() + pos, true, nullptr);
    if (line.Units < 0 || pos + static_cast<size_t>(line.Units) > text.size()) __builtin_trap();
    zkw::DibDrawASpecText(canvas, 0, 0, text.c_str() + pos, line.Units, line.Baseline, true, nullptr);
    pos += static_cast<size_t>(line.Units);
    if (line.AtEnd || line.Units == 0) break;
    if (++lines > text.size()) __builtin_trap();  // every line takes something
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 8192) return 0;
  const int32_t width = data[0];
  zkw::ZString text((size - 1) / 2, 0);
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<zkw::ZChar>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));

  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  zkw::TGdiCanvas gdi;
  gdi.FDC = dc;
  gdi.FFont.SetSize(10);
  for (uint32_t flags : {1u, 3u}) {
    plat::RECT rt{0, 0, width, 100};
    zkw::DrawSpecText(gdi, rt, text.c_str(), flags);
  }
  plat::DeleteDC(dc);

  zkw::TDibCanvas canvas;
  canvas.SetCanvasSize(64, 32);
  for (uint32_t flags : {1u, 3u, 5u, 9u}) {
    plat::RECT rt{0, 0, width, 100};
    zkw::DibDrawSpecText(canvas, rt, text.c_str(), flags);
  }
  LineLoop(canvas, text, width);
  return 0;
}
