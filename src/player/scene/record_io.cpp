#include "player/scene/record_io.h"

#include <algorithm>

#include "base/last_error.h"

namespace zkw {

bool TRecordReader::Fail(const std::string& reason) {
  if (FOk && !reason.empty()) SetLastErrorText(reason);
  FOk = false;
  return false;
}

bool TRecordReader::Bytes(void* dest, int64_t count, const char* what) {
  if (!FOk) return false;
  if (count < 0) return Fail(std::string(what) + " has a negative size");
  int64_t pos = FStream->Position();
  int64_t left = FStream->Size() - pos;
  if (count > left)
    return Fail(std::string(what) + " of " + std::to_string(count) + " bytes runs past the end of the file at " +
                std::to_string(pos));
  auto* out = static_cast<uint8_t*>(dest);
  while (count > 0) {
    int32_t part = static_cast<int32_t>(std::min<int64_t>(count, 1 << 30));
    if (!FStream->ReadExact(out, part)) return Fail(std::string(what) + " could not be read at " + std::to_string(pos));
    out += part;
    count -= part;
  }
  return true;
}

bool TRecordReader::Skip(int64_t count, const char* what) {
  if (!FOk) return false;
  int64_t pos = FStream->Position();
  if (count < 0 || count > FStream->Size() - pos)
    return Fail(std::string(what) + " of " + std::to_string(count) + " bytes runs past the end of the file at " +
                std::to_string(pos));
  if (FStream->Seek(pos + count, SeekOrigin::soBeginning) != pos + count)
    return Fail(std::string(what) + " cannot be skipped at " + std::to_string(pos));
  return true;
}

uint8_t TRecordReader::U8(const char* what) {
  uint8_t v = 0;
  if (!Bytes(&v, 1, what)) return 0;
  return v;
}

uint16_t TRecordReader::U16(const char* what) {
  uint8_t b[2] = {0, 0};
  if (!Bytes(b, 2, what)) return 0;
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

int16_t TRecordReader::I16(const char* what) { return static_cast<int16_t>(U16(what)); }

uint32_t TRecordReader::U32(const char* what) {
  uint8_t b[4] = {0, 0, 0, 0};
  if (!Bytes(b, 4, what)) return 0;
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
         (static_cast<uint32_t>(b[3]) << 24);
}

int32_t TRecordReader::I32(const char* what) { return static_cast<int32_t>(U32(what)); }

int32_t TRecordReader::Count(const char* what, int32_t minBytes) {
  int32_t n = I32(what);
  if (!FOk) return 0;
  if (n < 0) {
    Fail(std::string(what) + " " + std::to_string(n) + " is negative");
    return 0;
  }
  if (static_cast<int64_t>(n) * minBytes > Remaining()) {
    Fail(std::string(what) + " " + std::to_string(n) + " cannot fit in the " + std::to_string(Remaining()) +
         " bytes left at " + std::to_string(Position()));
    return 0;
  }
  return n;
}

std::string TRecordReader::ShortString(const char* what) {
  uint16_t n = U16(what);
  if (!FOk) return {};
  if (n > 255) {
    Fail(std::string(what) + " length " + std::to_string(n) + " is over 255");
    return {};
  }
  std::string s(n, '\0');
  if (!Bytes(s.data(), n, what)) return {};
  return s;
}

std::vector<uint8_t> TRecordReader::TextRecord(const char* what) {
  uint16_t n = U16(what);
  if (!FOk) return {};
  std::vector<uint8_t> bytes(n);
  if (!Bytes(bytes.data(), n, what)) return {};
  return bytes;
}

void TRecordWriter::Bytes(const void* data, int64_t count) {
  if (!FOk || count <= 0) return;
  const auto* in = static_cast<const uint8_t*>(data);
  while (count > 0 && FOk) {
    int32_t part = static_cast<int32_t>(std::min<int64_t>(count, 1 << 30));
    if (!FStream->WriteExact(in, part)) FOk = false;
    in += part;
    count -= part;
  }
}

void TRecordWriter::Put(uint64_t v, int n) {
  uint8_t b[8];
  for (int i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(v >> (8 * i));
  Bytes(b, n);
}

void TRecordWriter::ShortString(const std::string& s) {
  size_t n = std::min<size_t>(s.size(), 255);
  U16(static_cast<uint16_t>(n));
  Bytes(s.data(), static_cast<int64_t>(n));
}

void TRecordWriter::TextRecord(const std::vector<uint8_t>& record) {
  size_t n = std::min<size_t>(record.size(), 0xFFFF);
  U16(static_cast<uint16_t>(n));
  Bytes(record.data(), static_cast<int64_t>(n));
}

std::vector<uint8_t> TRecordWriter::MakeTextRecord(const std::string& text) {
  size_t n = std::min<size_t>(text.size(), 0xFFFE);
  std::vector<uint8_t> bytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
  bytes.push_back(0);
  return bytes;
}

}  // namespace zkw
