#include "text/unicode_key.h"

#include <algorithm>
#include <cstring>

#include "base/last_error.h"

namespace zkw {

namespace {

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

bool Refuse(std::string reason) {
  SetLastErrorText("Unicode key table: " + std::move(reason));
  return false;
}

}  // namespace

void TUnicodeKeyList::Clear() {
  FRecords.clear();
  FByUnit.clear();
}

bool TUnicodeKeyList::LoadFromBuffer(const void* buf, size_t size) {
  Clear();
  const auto* bytes = static_cast<const uint8_t*>(buf);
  if (!bytes || size < 2) return Refuse(std::to_string(size) + " bytes hold no count");
  const size_t count = ReadU16(bytes);
  if (count * kRecordSize > size - 2)
    return Refuse(std::to_string(count) + " records run past the end of " +
                  std::to_string(size) + " bytes");
  std::vector<TUnicodeKeyRecord> records;
  records.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = bytes + 2 + kRecordSize * i;
    const auto* key = p + 2;
    const auto* end = static_cast<const uint8_t*>(std::memchr(key, 0, kKeyField));
    if (!end || static_cast<size_t>(end - key) > kMaxKeyLength)
      return Refuse("the key of record " + std::to_string(i) + " is longer than " +
                    std::to_string(kMaxKeyLength) + " characters");
    records.push_back({ReadU16(p), std::string(reinterpret_cast<const char*>(key),
                                               static_cast<size_t>(end - key))});
  }
  FRecords = std::move(records);
  FByUnit.resize(FRecords.size());
  for (size_t i = 0; i < FByUnit.size(); ++i) FByUnit[i] = static_cast<uint32_t>(i);
  std::stable_sort(FByUnit.begin(), FByUnit.end(), [this](uint32_t a, uint32_t b) {
    return FRecords[a].Unit < FRecords[b].Unit;
  });
  return true;
}

const std::string* TUnicodeKeyList::KeyOf(ZChar unit) const {
  const auto u = static_cast<uint16_t>(unit);
  auto it = std::lower_bound(FByUnit.begin(), FByUnit.end(), u,
                             [this](uint32_t index, uint16_t v) { return FRecords[index].Unit < v; });
  if (it == FByUnit.end() || FRecords[*it].Unit != u) return nullptr;
  return &FRecords[*it].Key;
}

std::string TUnicodeKeyList::KeyText(ZStringView text) const {
  std::string key;
  key.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const std::string* part = KeyOf(text[i]);
    key += part ? *part : ToAnsi(text.substr(i, 1));
  }
  return key;
}

}  // namespace zkw
