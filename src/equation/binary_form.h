// Readers and writers of the two binary forms: the stream form (texts with their terminator,
// version as the third common value) and the buffer form (the 141072 marker, counted texts,
// 8-bit texts in items of the older version). Little-endian, as both targets are.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "equation/form_io.h"

namespace zkw {

class TStream;

class TBinaryReader : public TEqReader {
 public:
  // Reads a stream from its position (stream form only).
  explicit TBinaryReader(TStream& stream);
  // Reads `size` bytes of memory; kUnsized trusts the host's extent.
  TBinaryReader(const uint8_t* data, size_t size, TEqForm form);
  static constexpr size_t kUnsized = SIZE_MAX / 4;

  TEqForm Form() const override { return FForm; }
  bool Common(TEquationItem& item) override;
  bool Field(int32_t& value, int size) override;
  bool Text(ZString& text, const TEquationItem& item) override;
  bool Count(int32_t& n, int64_t least, const char* what) override;
  bool Code(int32_t& code) override { return Field(code, 4); }
  int64_t LeastItem() const override { return FForm == TEqForm::efStream ? 16 : 12; }
  int64_t LeastEquation() const override { return 4; }
  int64_t Left() const override { return FSize - FPos; }
  std::string Where() const override { return WhereAt(FPos); }
  // Messages count bytes from this offset of the enclosing file or buffer.
  void SetOffset(int64_t offset) { FBase = offset; }
  // Memory readers: where reading stopped.
  const uint8_t* Cursor() const { return FData + FPos; }

 private:
  std::string WhereAt(int64_t at) const;
  bool Bytes(void* out, int64_t n);
  bool StreamText(ZString& text);
  bool CountedText(ZString& text);
  bool AnsiText(ZString& text);

  TEqForm FForm;
  TStream* FStream = nullptr;
  const uint8_t* FData = nullptr;
  int64_t FSize = 0;
  int64_t FPos = 0;  // from where reading started
  int64_t FBase = 0;  // stream position at the start, for messages
};

class TBinaryWriter : public TEqWriter {
 public:
  explicit TBinaryWriter(TStream& stream, TEqForm form = TEqForm::efStream);
  // Writes at the cursor, which advances (the caller provides the room).
  TBinaryWriter(uint8_t*& cursor, TEqForm form);
  // Appends to `out`.
  TBinaryWriter(std::vector<uint8_t>& out, TEqForm form);

  TEqForm Form() const override { return FForm; }
  void Common(TEquationItem& item) override;
  void Field(int32_t value, int size) override;
  void Text(const ZString& text) override;
  void Count(int32_t n) override { Field(n, 4); }
  void Code(int32_t code) override { Field(code, 4); }
  bool Ok() const override { return FOk; }

 private:
  void Bytes(const void* data, size_t n);
  TEqForm FForm;
  TStream* FStream = nullptr;
  uint8_t** FCursor = nullptr;
  std::vector<uint8_t>* FOut = nullptr;
  bool FOk = true;
};

}  // namespace zkw
