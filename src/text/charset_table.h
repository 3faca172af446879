// The typing table: key texts that a text-entry control replaces by a letter, and the hot keys
// (the keys that end a key text) it watches for.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/ansi_text.h"

namespace zkw {

struct TCharSetEntry {
  ZString Key;    // at most 9 units
  ZString Value;  // at most 9 units
};

class TCharSetList {
 public:
  // Replaces title, style, hot keys and entries with those of a resource image:
  //   0  26 bytes  title, 8-bit, zero-terminated
  //  26  2         style, 0 or 1
  //  28  2         hot-key count h (only the low byte is read)
  //  30  h         hot keys, zero-terminated within the h bytes
  //  30+h 2        entry count e (only the low byte is read)
  //  32+h 36 x e   entries: key and replacement, 9 UTF-16 units each, zero-padded
  // A malformed image (short, style out of range, unterminated hot keys) leaves the list
  // empty and gives false.
  bool LoadFromBuffer(const void* buf, size_t size);
  void Clear();

  const std::string& Title() const { return FTitle; }
  uint16_t Style() const { return FStyle; }
  const std::string& HotKeys() const { return FHotKeys; }
  size_t Count() const { return FEntries.size(); }
  const TCharSetEntry& Entry(size_t index) const { return FEntries[index]; }

  // Whether a character code is a hot key; codes of 256 or more count as 255.
  bool IsHotKey(uint32_t ch) const;
  // The replacement of the first entry whose key is `key`; empty when none.
  ZString Lookup(ZStringView key) const;

 private:
  std::string FTitle;
  uint16_t FStyle = 0;
  std::string FHotKeys;
  std::vector<TCharSetEntry> FEntries;
};

}  // namespace zkw
