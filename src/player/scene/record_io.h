// Checked reading and plain writing of the little-endian fields of scene files. A reader stops
// at the first field that does not fit in the stream and records why; every later read fails.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/byte_stream.h"

namespace zkw {

class TRecordReader {
 public:
  explicit TRecordReader(TStream* stream) : FStream(stream) {}

  bool Ok() const { return FOk; }
  // Marks the read as failed with the reason (the first reason wins; an empty reason keeps the
  // text a nested reader recorded); always false.
  bool Fail(const std::string& reason);
  TStream* Stream() const { return FStream; }
  int64_t Position() { return FStream->Position(); }
  int64_t Remaining() { return FOk ? FStream->Remaining() : 0; }

  bool Bytes(void* dest, int64_t count, const char* what);
  bool Skip(int64_t count, const char* what);
  uint8_t U8(const char* what);
  int16_t I16(const char* what);
  uint16_t U16(const char* what);
  int32_t I32(const char* what);
  uint32_t U32(const char* what);
  // A count of records each at least minBytes long: refused when negative or when that many
  // records cannot fit in the rest of the stream.
  int32_t Count(const char* what, int32_t minBytes);
  // uint16 length n (at most 255) and n bytes, no terminator.
  std::string ShortString(const char* what);
  // A text record: uint16 L and L bytes, kept whole (terminator included) so that writing it
  // back gives the same bytes.
  std::vector<uint8_t> TextRecord(const char* what);

 private:
  TStream* FStream;
  bool FOk = true;
};

class TRecordWriter {
 public:
  explicit TRecordWriter(TStream* stream) : FStream(stream) {}
  bool Ok() const { return FOk; }
  TStream* Stream() const { return FStream; }
  void Bytes(const void* data, int64_t count);
  void U8(uint8_t v) { Bytes(&v, 1); }
  void I16(int16_t v) { Put(static_cast<uint64_t>(static_cast<uint16_t>(v)), 2); }
  void U16(uint16_t v) { Put(v, 2); }
  void I32(int32_t v) { Put(static_cast<uint32_t>(v), 4); }
  void U32(uint32_t v) { Put(v, 4); }
  // uint16 length (cut to 255) and the bytes.
  void ShortString(const std::string& s);
  // A text record as TRecordReader::TextRecord read it.
  void TextRecord(const std::vector<uint8_t>& record);
  // A text record made from plain text: length + 1, the text, a zero.
  static std::vector<uint8_t> MakeTextRecord(const std::string& text);

 private:
  void Put(uint64_t v, int n);
  TStream* FStream;
  bool FOk = true;
};

}  // namespace zkw
