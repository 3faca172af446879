// Equation text form reader (the input's bytes are UTF-16 units). What it accepts must write
// back, read again and write the same text.
#include <cstdint>
#include <cstring>

#include "equation/equation.h"
#include "equation_draw.h"

namespace {

zkw::ZString Exported(zkw::TEquation& e) {
  zkw::ZString text;
  int32_t index = 1;
  e.ExportTo(text, index);
  if (index != static_cast<int32_t>(text.size()) + 1) __builtin_trap();
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zkw::ZString text(size / 2, 0);
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<zkw::ZChar>(data[2 * i] | (data[2 * i + 1] << 8));
  zkw::TEquation e;
  int32_t index = 1;
  if (!e.ImportFrom(text, index)) return 0;
  if (index < 1 || index > static_cast<int32_t>(text.size()) + 1) __builtin_trap();
  zkw::ZString markup;
  e.GetTextTo(markup);
  const zkw::ZString first = Exported(e);
  zkw::TEquation again;
  index = 1;
  if (!again.ImportFrom(first, index) || Exported(again) != first) __builtin_trap();
  LayOutAndDraw(e);
  return 0;
}
