// Scene reader and player: every version, entries, scripts and object records of every kind
// (see scene_fallbacks.h). What was read must write back and read again, and a scene of a
// modest view size then plays a few action and draw steps. Character objects find hero.chr
// (written once by the target) in the scene's character folder; other names find nothing.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/byte_stream.h"
#include "base/text16.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "player/kinds/character_obj.h"
#include "player/scene/dib_animator.h"
#include "scene_fallbacks.h"

namespace {

// A folder holding hero.chr: a rest pose, a once-played "Wave" and a repeating "Loop" that moves.
zkw::ZString CharacterFolder() {
  const std::string dir = "/tmp/zkw-scene-fuzz-characters/";
  zkw::TDib8Bits frame;
  frame.SetAttributes(4, 4);
  frame.PutPixel(1, 1, 5);
  frame.CreateAlphaChannel();
  frame.AlphaDib->PutPixel(1, 1, 255);
  std::vector<zkw::TCharGestureSource> gestures(3);
  const char* names[] = {"RestPose", "Wave", "Loop"};
  for (size_t i = 0; i < gestures.size(); ++i) {
    gestures[i].Name = names[i];
    gestures[i].Style = static_cast<uint8_t>(i);
    gestures[i].Frames = {{&frame, 1, static_cast<int32_t>(i), 0}, {&frame, 2, -1, 1}};
  }
  std::string error;
  std::filesystem::create_directories(dir);
  zkw::WriteCharacterFile(zkw::FromUtf8(dir + "hero.chr").c_str(), "Hero", 4, 4, gestures, error);
  return zkw::FromUtf8(dir);
}

// Character paths that could leave the folder are dropped before play.
void KeepCharactersInTheirFolder(zkw::TLinkList* list) {
  for (zkw::TItemNode* n = list ? list->Head() : nullptr; n; n = n->NextItem) {
    auto* o = static_cast<zkw::TAnimateObj*>(n);
    if (auto* c = dynamic_cast<zkw::TCharacterObj*>(o))
      if (c->FPath.find("..") != std::string::npos || c->FPath.find_first_of("/\\:") != std::string::npos)
        c->FPath.clear();
    KeepCharactersInTheirFolder(o->ChildList());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool registered = fuzzscene::RegisterFallbacks();
  static const zkw::ZString characters = CharacterFolder();
  (void)registered;
  zkw::TDibAnimator ani;
  zkw::TBufferStream stream(data, size);
  if (!ani.LoadFromStream(&stream)) return 0;
  zkw::TMemoryStream out;
  if (!ani.SaveToStream(&out)) __builtin_trap();
  out.Seek(0, zkw::SeekOrigin::soBeginning);
  zkw::TDibAnimator again;
  if (!again.LoadFromStream(&out) || again.Count() != ani.Count() || again.DibCount() != ani.DibCount())
    __builtin_trap();
  if (static_cast<int64_t>(ani.FViewWidth) * ani.FViewHeight <= 512 * 512) {
    ani.FSceneReady = true;
    ani.CharacterPath = characters;
    KeepCharactersInTheirFolder(&ani);
    ani.BeforePlay();
    for (int step = 0; step < 3; ++step) {
      ani.DoAction(ani.FDib);
      ani.DoDraw(ani.FDib);
    }
  }
  return 0;
}
