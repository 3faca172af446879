#include "support/test_support.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "imagefiles/memory_block.h"

namespace zkwtest {

zkw::ZString Z(const std::string& text) { return zkw::FromUtf8(text); }

std::string TempPath(const std::string& name) { return std::string(ZKW_TEST_TMP) + "/" + name; }
zkw::ZString TempName(const std::string& name) { return Z(TempPath(name)); }

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> PackedDib(int32_t width, int32_t height, uint16_t bits, uint32_t colorsUsed,
                               int64_t tableEntries) {
  zkw::TBitmapInfoHeader h{40, width, height, 1, bits, 0, 0, 96, 96, colorsUsed, 0};
  if (tableEntries < 0) tableEntries = zkw::ColorTableEntries(h);
  int64_t rows = zkw::RowStride(width, bits) * (height < 0 ? -height : height);
  std::vector<uint8_t> bytes(40 + 4 * tableEntries + rows, 0);
  std::memcpy(bytes.data(), &h, 40);
  for (int64_t i = 0; i < tableEntries; ++i)
    for (int c = 0; c < 3; ++c) bytes[40 + 4 * i + c] = static_cast<uint8_t>(i);
  return bytes;
}

plat::HGLOBAL BlockFrom(const std::vector<uint8_t>& bytes) {
  return zkw::NewBlockFrom(bytes.data(), bytes.size());
}

std::vector<uint8_t> BlockBytes(plat::HGLOBAL block) {
  zkw::LockedBlock locked(block);
  if (!locked.Data()) return {};
  return std::vector<uint8_t>(locked.Data(), locked.Data() + locked.Size());
}

bool BlockAlive(plat::HGLOBAL block) { return plat::GlobalSize(block) != 0; }

}  // namespace zkwtest
