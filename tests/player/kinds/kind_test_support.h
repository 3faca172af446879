// Shared pieces of the kind tests: a scene stepped by hand with an event recorder in place of
// the script engine, strip images, and byte-exact save and load.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/byte_stream.h"
#include "dib/dib24.h"
#include "dib/dib_factory.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"

namespace kindtest {

// One script run as the engine would see it.
struct Event {
  zkw::TAnimateObj* Obj;
  std::string Script;
  int32_t Code;
  intptr_t Value1, Value2;
  std::string Text;  // the scene's event string at the run
};
extern std::vector<Event> gEvents;
void Recorder(zkw::TDibAnimator* ani, zkw::TAnimateObj* obj, zkw::TScriptList* list, int32_t code);

struct KindScene : ::testing::Test {
  void SetUp() override;
  void TearDown() override;
  // A 24-bit strip of `frames` frames of w x h, frame i (1-based) filled with Colors[i-1].
  int32_t AddStrip(int w, int h, const std::vector<uint32_t>& colors, bool stacked = false);
  template <class T>
  T* Add(const std::string& name) {
    auto* o = new T();
    o->FParent = &ani;
    o->FName = name;
    ani.Append(o);
    return o;
  }
  // Events of one object with one code, in order.
  std::vector<Event> EventsOf(zkw::TAnimateObj* obj, int32_t code) const;
  void Step(int n = 1);
  // The colour the 24-bit frame buffer stores for a COLORREF.
  static uint32_t Ref(uint32_t color);
  zkw::TDibAnimator ani;
  zkw::TEventScriptRunner FSavedRunner = nullptr;
};

std::vector<uint8_t> Save(zkw::TDibAnimator& ani);
// Writes a test's scene bytes to $ZKW_KINDS_RECORD/NAME.dan when that variable names a folder:
// how the recorded scenes of kinds_recorded_test were made (once, before a change that must
// leave every byte, property and pixel as it was). Does nothing otherwise.
void RecordScene(const std::string& name, const std::vector<uint8_t>& bytes);
bool Load(zkw::TDibAnimator& ani, const std::vector<uint8_t>& bytes);

}  // namespace kindtest
