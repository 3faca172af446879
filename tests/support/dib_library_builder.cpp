#include "support/dib_library_builder.h"

#include "support/test_support.h"

namespace zkwtest {

namespace {
uint32_t Signature(LibLayout layout) {
  switch (layout) {
    case LibLayout::V0: return 0xADB0;
    case LibLayout::V1: return 0xADB1;
    case LibLayout::V2: return 0xADB2;
    case LibLayout::V3: return 0xADB3;
    default: return 0xADB5;
  }
}
bool HasSizeField(LibLayout layout) {
  return layout == LibLayout::V3 || layout == LibLayout::V5 || layout == LibLayout::Array;
}
}  // namespace

uint32_t LibHeaderSize(LibLayout layout) {
  switch (layout) {
    case LibLayout::V0: return 410;
    case LibLayout::V1: return 1610;
    case LibLayout::V2: return 1810;
    case LibLayout::V5: return 9012;
    default: return 2712;
  }
}
uint32_t LibTableAt(LibLayout layout) { return HasSizeField(layout) ? 12 : 10; }
uint32_t LibSlotSize(LibLayout layout) {
  return layout == LibLayout::V0 || layout == LibLayout::V1 ? 8 : 9;
}

std::vector<uint8_t> BuildDibLibrary(LibLayout layout, const std::vector<LibEntrySpec>& entries) {
  std::vector<uint8_t> bytes(LibHeaderSize(layout), 0);
  PutLE<uint32_t>(bytes, 0, Signature(layout));
  if (HasSizeField(layout)) {
    PutLE<uint16_t>(bytes, 4, static_cast<uint16_t>(LibHeaderSize(layout)));
    PutLE<uint16_t>(bytes, 10, static_cast<uint16_t>(entries.size()));
  } else {
    PutLE<uint16_t>(bytes, 4, static_cast<uint16_t>(entries.size()));
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    size_t slot = LibTableAt(layout) + i * LibSlotSize(layout);
    PutLE<uint32_t>(bytes, slot, static_cast<uint32_t>(bytes.size()));
    PutLE<uint32_t>(bytes, slot + 4, static_cast<uint32_t>(entries[i].data.size()));
    if (LibSlotSize(layout) == 9) bytes[slot + 8] = entries[i].kind;
    bytes.insert(bytes.end(), entries[i].data.begin(), entries[i].data.end());
  }
  PutLE<uint32_t>(bytes, 6, static_cast<uint32_t>(bytes.size()));
  return bytes;
}

std::vector<uint8_t> PatternDib(int32_t w, int32_t h, uint16_t bits, uint8_t seed) {
  std::vector<uint8_t> dib = PackedDib(w, h, bits);
  size_t pixels = 40 + (bits == 8 ? 1024 : 0);
  for (size_t i = pixels; i < dib.size(); ++i) dib[i] = static_cast<uint8_t>(i * 7 + seed);
  return dib;
}

}  // namespace zkwtest
