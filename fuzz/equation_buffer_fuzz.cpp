// Sized equation buffer reader, both versions (141072 markers and counted texts, or 8-bit
// texts). What it accepts must write back, read again and write the same bytes.
#include <cstdint>
#include <cstring>
#include <vector>

#include "equation/equation.h"
#include "equation_draw.h"

namespace {

std::vector<uint8_t> Written(zkw::TEquation& e) {
  std::vector<uint8_t> bytes(static_cast<size_t>(e.DataSize()));
  std::memcpy(bytes.data(), &e.FFontID, sizeof e.FFontID);
  uint8_t* end = bytes.data() + sizeof e.FFontID;
  e.SaveTo(end);
  if (end > bytes.data() + bytes.size()) __builtin_trap();
  bytes.resize(static_cast<size_t>(end - bytes.data()));
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zkw::TEquation e;
  if (!e.LoadFromBuffer(data, size)) return 0;
  zkw::ZString markup;
  e.GetTextTo(markup);
  const std::vector<uint8_t> first = Written(e);
  zkw::TEquation again;
  if (!again.LoadFromBuffer(first.data(), first.size())) __builtin_trap();
  if (Written(again) != first) __builtin_trap();
  // The unsized reader reads what the sized one wrote the same way.
  zkw::TEquation unsized;
  if (!unsized.LoadFromBuffer(first.data()) || Written(unsized) != first) __builtin_trap();
  LayOutAndDraw(e);
  return 0;
}
