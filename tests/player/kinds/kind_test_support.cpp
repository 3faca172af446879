#include "kind_test_support.h"

#include <cstdlib>
#include <fstream>

#include "player/objects/moving_obj.h"

namespace kindtest {

std::vector<Event> gEvents;

void Recorder(zkw::TDibAnimator* ani, zkw::TAnimateObj* obj, zkw::TScriptList* list, int32_t code) {
  gEvents.push_back({obj, list ? list->Text() : std::string(), code, ani->FEventValue1, ani->FEventValue2,
                     ani->FEventString});
}

void KindScene::SetUp() {
  gEvents.clear();
  FSavedRunner = zkw::gEventScriptRunner;
  zkw::gEventScriptRunner = Recorder;
  zkw::SetAniRandomSeed(7);
  ani.SetDibAttr(400, 300);
  ani.SetViewTo(200, 100);
  ani.FSceneReady = true;
}

void KindScene::TearDown() { zkw::gEventScriptRunner = FSavedRunner; }

int32_t KindScene::AddStrip(int w, int h, const std::vector<uint32_t>& colors, bool stacked) {
  std::unique_ptr<zkw::TDibBaseObj> dib(zkw::CreateDibObject(24));
  int n = static_cast<int>(colors.size());
  dib->SetAttributes(stacked ? w : w * n, stacked ? h * n : h);
  for (int i = 0; i < n; ++i) {
    if (stacked)
      dib->Bar(0, i * h, w - 1, i * h + h - 1, colors[static_cast<size_t>(i)]);
    else
      dib->Bar(i * w, 0, i * w + w - 1, h - 1, colors[static_cast<size_t>(i)]);
  }
  return ani.AddDib(dib.release());
}

std::vector<Event> KindScene::EventsOf(zkw::TAnimateObj* obj, int32_t code) const {
  std::vector<Event> r;
  for (const Event& e : gEvents)
    if (e.Obj == obj && e.Code == code) r.push_back(e);
  return r;
}

void KindScene::Step(int n) {
  for (int i = 0; i < n; ++i) {
    ani.DoAction(ani.FDib);
    ani.DoDraw(ani.FDib);
  }
}

uint32_t KindScene::Ref(uint32_t color) {
  zkw::TDib24Bits ref;
  ref.SetAttributes(1, 1);
  ref.Bar(0, 0, 0, 0, color);
  return ref.GetPixel(0, 0);
}

std::vector<uint8_t> Save(zkw::TDibAnimator& ani) {
  zkw::TMemoryStream s;
  EXPECT_TRUE(ani.SaveToStream(&s));
  return s.Bytes();
}

void RecordScene(const std::string& name, const std::vector<uint8_t>& bytes) {
  const char* folder = std::getenv("ZKW_KINDS_RECORD");
  if (!folder || !*folder) return;
  std::ofstream(std::string(folder) + "/" + name + ".dan", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Load(zkw::TDibAnimator& ani, const std::vector<uint8_t>& bytes) {
  zkw::TBufferStream s(bytes.data(), bytes.size());
  return ani.LoadFromStream(&s);
}

}  // namespace kindtest
