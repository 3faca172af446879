// Builders of test data shared by the native suite.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/text16.h"
#include "imagefiles/packed_dib.h"
#include "platform/plat.h"

namespace zkwtest {

// UTF-16 text from ASCII/UTF-8.
zkw::ZString Z(const std::string& text);
// A path in the suite's scratch directory, unique per test name.
std::string TempPath(const std::string& name);
zkw::ZString TempName(const std::string& name);

std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// A packed DIB: 40-byte header, `tableEntries` colour entries (grey ramp), rows of the given
// bytes (bottom-up as stored) or zeros.
std::vector<uint8_t> PackedDib(int32_t width, int32_t height, uint16_t bits,
                               uint32_t colorsUsed = 0, int64_t tableEntries = -1);
// Copies bytes into a new movable block.
plat::HGLOBAL BlockFrom(const std::vector<uint8_t>& bytes);
// The bytes of a block.
std::vector<uint8_t> BlockBytes(plat::HGLOBAL block);
// True while the block is still allocated.
bool BlockAlive(plat::HGLOBAL block);

template <class T>
void PutLE(std::vector<uint8_t>& bytes, size_t offset, T value) {
  for (size_t i = 0; i < sizeof(T); ++i)
    bytes[offset + i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
}
template <class T>
T GetLE(const std::vector<uint8_t>& bytes, size_t offset) {
  uint64_t v = 0;
  for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<uint64_t>(bytes[offset + i]) << (8 * i);
  return static_cast<T>(v);
}

}  // namespace zkwtest
