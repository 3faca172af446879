// Readers of the Vietnamese text tables' resource images (case table, typing table, Unicode key
// table) and the scene-text decoder. The first byte picks the reader; the rest is its input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/case_table.h"
#include "text/charset_table.h"
#include "text/scene_text.h"
#include "text/unicode_key.h"

namespace {

const zkw::ZChar kProbe[] = {'a', 0x0111, 0x00FF, 0x1EBF, 0x0178, '1', 0xFFFF, 0};

void CaseTable(const uint8_t* data, size_t size) {
  zkw::TCaseList list;
  if (!list.LoadFromBuffer(data, size)) {
    if (list.Count() != 0) std::abort();
    return;
  }
  if (list.Count() > 255 || 2 + 4 * list.Count() > size) std::abort();
  zkw::ZString upper = list.Uppercase(kProbe);
  zkw::ZString lower = list.Lowercase(upper);
  for (zkw::ZChar ch : lower) (void)(list.IsUppercase(ch) || list.IsLowercase(ch));
}

void TypingTable(const uint8_t* data, size_t size) {
  zkw::TCharSetList list;
  if (!list.LoadFromBuffer(data, size)) {
    if (list.Count() != 0 || !list.HotKeys().empty()) std::abort();
    return;
  }
  if (list.Title().size() > 26 || list.HotKeys().size() > 254 || list.Count() > 255) std::abort();
  for (uint32_t ch = 0; ch < 300; ch += 7) (void)list.IsHotKey(ch);
  for (size_t i = 0; i < list.Count(); ++i) {
    const zkw::TCharSetEntry& entry = list.Entry(i);
    if (entry.Key.size() > 9 || entry.Value.size() > 9) std::abort();
    (void)list.Lookup(entry.Key);
  }
}

void UnicodeKeys(const uint8_t* data, size_t size) {
  zkw::TUnicodeKeyList list;
  if (!list.LoadFromBuffer(data, size)) {
    if (list.Count() != 0) std::abort();
    return;
  }
  if (2 + zkw::TUnicodeKeyList::kRecordSize * list.Count() > size) std::abort();
  zkw::ZString text(kProbe);
  for (size_t i = 0; i < list.Count() && i < 64; ++i)
    text += static_cast<zkw::ZChar>(list.Record(i).Unit);
  std::string key = list.KeyText(text);
  if (key.size() > text.size() * zkw::TUnicodeKeyList::kMaxKeyLength) std::abort();
}

void SceneText(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zkw::ZString text = zkw::DecodeSceneText(bytes);
  if (text.size() > size) std::abort();
  // A text without "&#" comes back from encoding and decoding unchanged.
  if (bytes.find("&#") == std::string_view::npos &&
      zkw::DecodeSceneText(zkw::EncodeSceneText(text)) != text)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t* rest = data + 1;
  const size_t restSize = size - 1;
  switch (data[0] % 4) {
    case 0: CaseTable(rest, restSize); break;
    case 1: TypingTable(rest, restSize); break;
    case 2: UnicodeKeys(rest, restSize); break;
    default: SceneText(rest, restSize); break;
  }
  return 0;
}
