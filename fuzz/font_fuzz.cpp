// Font reader: the three signatures, header sizes, strip geometry, cells and planes; whatever
// loads is then measured and drawn, so the table it accepted is exercised too.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "common/byte_stream.h"
#include "dib/dib24.h"
#include "fonts/dib_font.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zkw::TBufferStream stream(data, size);
  zkw::TDibFont font;
  font.Designing = size > 0 && (data[size - 1] & 1);
  if (font.LoadFromStream(stream)) {
    static const zkw::ZChar text[] = {'A', ' ', 'g', 0x1EDE, 0x25CF, 10, 0x0111, 'W', 0};
    font.FOutline = font.FShadow = true;
    font.BkMode = 2;
    font.Underline = true;
    font.UnderlineStyle = 14;
    font.StrokeStyle = 2;
    zkw::TDib24Bits dib;
    dib.SetAttributes(64, 48);
    font.WriteText(-3, 5, text, 8, &dib);
    font.DrawText({0, 0, 40, 40}, text, 8, &dib, zkw::kDtWordBreak | zkw::kDtCenter);
    font.CalcText({0, 0, 10, 40}, text, 8);
    (void)font.TextWidth(text, 8);
  }
  return 0;
}
