// Hand-built scene files for the scene tests: little-endian fields, text records, the common
// object record, and a small object kind registered for the length of a test.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_registry.h"

namespace zkwtest {

class SceneBytes {
 public:
  std::vector<uint8_t> b;
  SceneBytes& U8(uint8_t v);
  SceneBytes& I16(int16_t v);
  SceneBytes& U16(uint16_t v) { return I16(static_cast<int16_t>(v)); }
  SceneBytes& I32(int32_t v);
  SceneBytes& U32(uint32_t v) { return I32(static_cast<int32_t>(v)); }
  SceneBytes& Raw(const std::vector<uint8_t>& bytes);
  SceneBytes& Raw(const std::string& bytes);
  // uint16 length + 1, the text, a zero.
  SceneBytes& Text(const std::string& text);
  // uint16 length, the bytes.
  SceneBytes& Short(const std::string& text);
  // 41-byte signature field (text, zero, then `fill` bytes) and the version.
  SceneBytes& Signature(const std::string& text, int32_t version, uint8_t fill = 0);
  // Counts block of versions 0x50000/0x60000 and the notes.
  SceneBytes& Counts56(int32_t objects, int32_t images, int32_t sounds, int32_t scripts,
                       const std::string& notes = "", bool sizeX = false, bool sizeY = false,
                       int16_t disable = 0, int32_t marker = 2008);
  SceneBytes& Sizes(int32_t w, int32_t h, int32_t vw, int32_t vh);
};

// Fields of a common object record for the builder.
struct CommonRecord {
  std::vector<std::pair<uint8_t, std::string>> scripts;
  std::string name = "obj", info, parent;
  int32_t x = 0, y = 0;
  int16_t originX = 0, originY = 0, width = 0, height = 0, flipX = 1, flipY = 1, trans = 100;
  uint8_t style = 1, visible = 1;
  int16_t level = 0;
  uint8_t collision = 0, active = 1, floatWhenClick = 0, sensitive = 0, locked = 0, container = 0;
  int32_t tag = 0;
  int16_t hotCursor = 1;
};
// The record after the image index and kind byte; `wide` selects 32-bit positions (0x60000).
void AppendCommon(SceneBytes& s, const CommonRecord& c, bool wide);

// A test kind: the common record followed by one int32 of its own.
class TTestKind : public zkw::TAnimateObj {
 public:
  bool ReadFromStream(zkw::TRecordReader& r, int32_t Version) override;
  bool ReadFromStream2(zkw::TRecordReader& r) override;
  bool Write(zkw::TRecordWriter& w) override;
  void CopyFrom(const zkw::TAnimateObj& AObj) override;
  zkw::TAnimateObj* NewOfSameKind() const override { return new TTestKind(); }
  int32_t Extra = 0;
};

// Registers TTestKind under a code while it lives and puts the previous factory back after.
class ScopedTestKind {
 public:
  explicit ScopedTestKind(uint8_t code);
  ~ScopedTestKind();

 private:
  uint8_t FCode;
  zkw::TObjectFactory FPrevious;
};

}  // namespace zkwtest
