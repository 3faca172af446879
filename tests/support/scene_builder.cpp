#include "support/scene_builder.h"

#include "player/scene/record_io.h"

namespace zkwtest {

SceneBytes& SceneBytes::U8(uint8_t v) {
  b.push_back(v);
  return *this;
}
SceneBytes& SceneBytes::I16(int16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8));
  return *this;
}
SceneBytes& SceneBytes::I32(int32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  return *this;
}
SceneBytes& SceneBytes::Raw(const std::vector<uint8_t>& bytes) {
  b.insert(b.end(), bytes.begin(), bytes.end());
  return *this;
}
SceneBytes& SceneBytes::Raw(const std::string& bytes) {
  b.insert(b.end(), bytes.begin(), bytes.end());
  return *this;
}
SceneBytes& SceneBytes::Text(const std::string& text) {
  U16(static_cast<uint16_t>(text.size() + 1));
  Raw(text);
  return U8(0);
}
SceneBytes& SceneBytes::Short(const std::string& text) {
  U16(static_cast<uint16_t>(text.size()));
  return Raw(text);
}
SceneBytes& SceneBytes::Signature(const std::string& text, int32_t version, uint8_t fill) {
  std::vector<uint8_t> field(41, fill);
  for (size_t i = 0; i < text.size() && i < 40; ++i) field[i] = static_cast<uint8_t>(text[i]);
  field[std::min<size_t>(text.size(), 40)] = 0;
  Raw(field);
  return I32(version);
}
SceneBytes& SceneBytes::Counts56(int32_t objects, int32_t images, int32_t sounds, int32_t scripts,
                                 const std::string& notes, bool sizeX, bool sizeY, int16_t disable,
                                 int32_t marker) {
  I32(objects).I32(images).I32(sounds).I32(scripts).I32(marker).U8(sizeX).U8(sizeY);
  I32(static_cast<int32_t>(notes.size())).I16(disable);
  return Raw(notes);
}
SceneBytes& SceneBytes::Sizes(int32_t w, int32_t h, int32_t vw, int32_t vh) { return I32(w).I32(h).I32(vw).I32(vh); }

void AppendCommon(SceneBytes& s, const CommonRecord& c, bool wide) {
  s.I16(static_cast<int16_t>(c.scripts.size()));
  for (const auto& [code, text] : c.scripts) {
    s.U8(code);
    if (zkw::IsObjScriptCode(code)) s.Text(text);  // other codes carry nothing after the byte
  }
  s.Short(c.name).Short(c.info).Short(c.parent);
  if (wide)
    s.I32(c.x).I32(c.y);
  else
    s.I16(static_cast<int16_t>(c.x)).I16(static_cast<int16_t>(c.y));
  s.I16(c.originX).I16(c.originY).I16(c.width).I16(c.height).I16(c.flipX).I16(c.flipY).I16(c.trans);
  s.U8(c.style).U8(c.visible).I16(c.level).U8(c.collision).U8(c.active).U8(c.floatWhenClick);
  s.U8(c.sensitive).U8(c.locked).U8(c.container).I32(c.tag).I16(c.hotCursor);
}

bool TTestKind::ReadFromStream(zkw::TRecordReader& r, int32_t Version) {
  if (!TAnimateObj::ReadFromStream(r, Version)) return false;
  Extra = r.I32("test kind data");
  return r.Ok();
}
bool TTestKind::ReadFromStream2(zkw::TRecordReader& r) {
  if (!TAnimateObj::ReadFromStream2(r)) return false;
  Extra = r.I32("test kind data");
  return r.Ok();
}
bool TTestKind::Write(zkw::TRecordWriter& w) {
  TAnimateObj::Write(w);
  w.I32(Extra);
  return w.Ok();
}
void TTestKind::CopyFrom(const zkw::TAnimateObj& AObj) {
  TAnimateObj::CopyFrom(AObj);
  if (auto* k = dynamic_cast<const TTestKind*>(&AObj)) Extra = k->Extra;
}

namespace {
zkw::TAnimateObj* MakeTestKind() { return new TTestKind(); }
}  // namespace

ScopedTestKind::ScopedTestKind(uint8_t code) : FCode(code), FPrevious(zkw::ObjectKindFactory(code)) {
  zkw::RegisterObjectKind(code, MakeTestKind);
}
ScopedTestKind::~ScopedTestKind() { zkw::RegisterObjectKind(FCode, FPrevious); }

}  // namespace zkwtest
