// Entry and object operations of the animator: removing and replacing images, queued sounds,
// app data, the resize script, pen drawing, stop objects.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dib/dib24.h"
#include "dib/dib_factory.h"
#include "imagefiles/memory_block.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"

using namespace zkw;

namespace {

std::vector<std::string> gLog;
void Runner(TDibAnimator* ani, TAnimateObj*, TScriptList* list, int32_t code) {
  gLog.push_back(list->Text() + "@" + std::to_string(code) + ":" + std::to_string(ani->FEventValue1) + "," +
                 std::to_string(ani->FEventValue2) + ":" + ani->FEventString);
}

TDibBaseObj* Image(int w, int h) {
  TDibBaseObj* dib = CreateDibObject(24);
  dib->SetAttributes(w, h);
  return dib;
}

TAnimateObj* Show(TDibAnimator& ani, int32_t id, uint8_t kind = 1) {
  auto* o = new TAnimateObj();
  o->FParent = &ani;
  o->FStyle = kind;
  o->AssignDib(id, nullptr);
  ani.Append(o);
  return o;
}

}  // namespace

TEST(SceneOperations, ImagesAndSounds) {
  TDibAnimator ani;
  for (int i = 0; i < 3; ++i) ani.AddDib(Image(i + 1, 1));
  TAnimateObj* a = Show(ani, 0);
  TAnimateObj* b = Show(ani, 1);
  TAnimateObj* c = Show(ani, 2);
  TAnimateObj* label = Show(ani, 2, 30);  // an imageless kind
  EXPECT_EQ(c->FWidth, 3);
  ani.RemoveDib(1);
  EXPECT_EQ(ani.DibCount(), 2);
  EXPECT_EQ(a->FID, 0);
  EXPECT_EQ(b->FID, -1);
  EXPECT_EQ(b->FDib, nullptr);
  EXPECT_EQ(c->FID, 1);
  EXPECT_EQ(c->FDib, ani.GetDib(1));
  TDibBaseObj* wide = Image(7, 2);
  ani.ReplaceDibEntry(1, wide);
  EXPECT_EQ(c->FDib, wide);
  EXPECT_EQ(c->FWidth, 7);
  EXPECT_EQ(c->FHeight, 2);
  EXPECT_NE(label->FDib, wide);
  ani.TryRemoveDib(1, nullptr);  // replaced images stay in memory
  EXPECT_EQ(ani.GetEntry(1)->Dib, wide);
  ani.AssignDibToObject(a, 1);
  EXPECT_EQ(a->FDib, wide);
  EXPECT_EQ(ani.GetDib(2), nullptr);
  EXPECT_EQ(ani.GetDib(-1), nullptr);

  TSoundEntry* bell = ani.AddSound(NewBlockFrom("RIFF", 4));
  bell->SoundName = "Bell";
  TSoundEntry* gong = ani.AddSound(NewBlockFrom("RIFF", 4));
  gong->SoundName = "Gong";
  EXPECT_TRUE(ani.PlaySoundItem("gONG", a, 5));
  EXPECT_FALSE(ani.PlaySoundItem("Drum", a, 5));
  EXPECT_TRUE(ani.PlaySoundItem(0, b, 6));
  EXPECT_FALSE(ani.PlaySoundItem(2, b, 6));
  ASSERT_EQ(ani.FSounds.size(), 2u);
  EXPECT_EQ(ani.FSounds[0].Entry, gong);
  ani.SetSoundVolume(a, 5, -300);
  EXPECT_EQ(gong->Volume, -300);
  EXPECT_EQ(bell->Volume, 0);
  ani.MoveSoundItemUp(1);
  EXPECT_EQ(ani.GetSoundEntry(0), gong);
  ani.RemoveSound(0);
  EXPECT_EQ(ani.SoundCount(), 1);
  ASSERT_EQ(ani.FSounds.size(), 1u);
  EXPECT_EQ(ani.FSounds[0].Entry, bell);
}

TEST(SceneOperations, AppDataResizePenAndStops) {
  gEventScriptRunner = Runner;
  gLog.clear();
  TDibAnimator ani;
  ani.macroOnApp = TScriptList::FromText("app");
  ani.macroOnResize = TScriptList::FromText("resized");
  ani.SetAppData(3, 4);  // no scene ready: nothing
  ani.FSceneReady = true;
  ani.SetAppData(3, 4);
  ani.SetAppString(9, "hello");
  ani.SetAppString(9, nullptr);
  ani.SetViewTo(6, 5);  // the first bitmap: no resize script
  ani.SetViewTo(6, 5);  // unchanged: nothing
  ani.SetViewTo(7, 5);
  EXPECT_EQ(gLog, (std::vector<std::string>{"app@34:3,4:", "app@34:9,0:hello", "app@34:9,0:", "resized@39:0,0:"}));
  EXPECT_EQ(ani.FDib->Width(), 7);

  TDib24Bits ref;
  ref.SetAttributes(1, 1);
  ref.Bar(0, 0, 0, 0, 0x123456);
  ani.FDib->Bar(0, 0, 6, 4, 0);
  ani.SetGraphAttr(0x123456, 0);
  EXPECT_EQ(ani.GraphWidth, 1);
  ani.MoveTo(1, 1);
  ani.BarTo(2, 3);
  EXPECT_EQ(ani.FDib->GetPixel(1, 1), ref.GetPixel(0, 0));
  EXPECT_EQ(ani.FDib->GetPixel(2, 3), ref.GetPixel(0, 0));
  EXPECT_NE(ani.FDib->GetPixel(3, 3), ref.GetPixel(0, 0));
  EXPECT_EQ(ani.GraphX, 2);
  EXPECT_EQ(ani.GraphY, 3);

  TAnimateObj* stop = Show(ani, -1, 14);
  EXPECT_FALSE(ani.HasStop());
  stop->SetVisible(false);
  EXPECT_TRUE(ani.HasStop());
  EXPECT_FALSE(ani.GetEnable(0));
  ani.Continue();
  EXPECT_TRUE(ani.GetEnable(0));
  ani.SetEnable(0, false);
  EXPECT_FALSE(stop->FEnabled);
  gEventScriptRunner = nullptr;
}

TEST(SceneOperations, SoundNotificationsFocusAndEmpty) {
  gEventScriptRunner = Runner;
  gLog.clear();
  TDibAnimator ani;
  TAnimateObj* obj = Show(ani, -1);
  TAnimateObj* dialog = Show(ani, -1, 35);
  obj->SetMacro(ocSoundEnd, TScriptList::FromText("ended"));
  ani.ObjPlayed(obj);
  EXPECT_TRUE(obj->FSounding);
  ani.SoundEnded(obj, 7);
  EXPECT_FALSE(obj->FSounding);
  EXPECT_EQ(gLog, (std::vector<std::string>{"ended@9:7,0:"}));
  ani.ObjStop(obj, 8);
  EXPECT_TRUE(obj->FActive);
  ani.ObjStop(dialog, 8);
  EXPECT_FALSE(dialog->FActive);

  int focusChanges = 0, closes = 0;
  ani.FOnSetFocus = [&](TDibAnimator*) { ++focusChanges; };
  ani.FOnClose = [&](TDibAnimator*) { ++closes; };
  obj->SetFocus();
  obj->SetFocus();
  EXPECT_EQ(ani.FFocused, obj);
  EXPECT_EQ(focusChanges, 1);
  obj->SetActive(false);  // an inactive object drops the focus
  EXPECT_EQ(ani.FFocused, nullptr);
  EXPECT_EQ(focusChanges, 2);
  ani.macroOnInit = TScriptList::FromText("init");
  ani.ProcList.AddProcedure("sub P");
  ani.ClearAllMacros();
  EXPECT_FALSE(ani.macroOnInit);
  EXPECT_EQ(obj->Macro(ocSoundEnd), nullptr);
  EXPECT_EQ(ani.ProcList.size(), 1u);
  ani.macroOnInit = TScriptList::FromText("init");
  ani.Empty();
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(ani.Count(), 0);
  EXPECT_FALSE(ani.macroOnInit);
  EXPECT_TRUE(ani.ProcList.empty());
  EXPECT_EQ(ani.FControlState, anisOK);
  gEventScriptRunner = nullptr;
}
