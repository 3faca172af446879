// Builder of DIB library files of every layout, written field by field, for the readers' tests
// and the fuzz seeds.
#pragma once
#include <cstdint>
#include <vector>

namespace zkwtest {

enum class LibLayout { V0, V1, V2, V3, V5, Array };

struct LibEntrySpec {
  std::vector<uint8_t> data;  // a packed DIB (raw layouts) or a DEX record
  uint8_t kind = 0;
};

// A library whose entries follow the header in order; total size = file size.
std::vector<uint8_t> BuildDibLibrary(LibLayout layout, const std::vector<LibEntrySpec>& entries);
// Header size and table offset of a layout, and the bytes of one table slot.
uint32_t LibHeaderSize(LibLayout layout);
uint32_t LibTableAt(LibLayout layout);
uint32_t LibSlotSize(LibLayout layout);
// A packed DIB of w x h at 8 or 24 bits with a pattern (8-bit: grey ramp table).
std::vector<uint8_t> PatternDib(int32_t w, int32_t h, uint16_t bits, uint8_t seed);

}  // namespace zkwtest
