// Mouse and key routing: clicks, release outside, dragging onto a container, hover, wheel,
// double click, focus and keys.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dib/dib_factory.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"

using namespace zkw;

namespace {

std::vector<std::string> gLog;
void Runner(TDibAnimator* ani, TAnimateObj* obj, TScriptList* list, int32_t code) {
  std::string v1 = std::to_string(ani->FEventValue1);
  for (TItemNode* n = ani->Head(); n; n = n->NextItem)
    if (reinterpret_cast<intptr_t>(n) == ani->FEventValue1) v1 = static_cast<TAnimateObj*>(n)->FName;
  gLog.push_back((obj ? obj->FName : std::string("scene")) + ":" + list->Text() + "@" + std::to_string(code) + ":" +
                 v1 + "," + std::to_string(ani->FEventValue2) + (ani->FEventString.empty() ? "" : ":" + ani->FEventString));
}

struct SceneMouse : ::testing::Test {
  void SetUp() override {
    gLog.clear();
    gEventScriptRunner = Runner;
    dib.reset(CreateDibObject(24));
    dib->SetAttributes(10, 10);
    ani.FSceneReady = true;
  }
  void TearDown() override { gEventScriptRunner = nullptr; }
  TAnimateObj* Add(const std::string& name, int x, int y) {
    auto* o = new TAnimateObj();
    o->FParent = &ani;
    o->FName = name;
    o->FID = 0;
    o->SetDibObject(dib.get());
    o->FDibStyle = 0;
    o->Fx = x;
    o->Fy = y;
    ani.Append(o);
    return o;
  }
  std::unique_ptr<TDibBaseObj> dib;
  TDibAnimator ani;
};

}  // namespace

TEST_F(SceneMouse, ClickNeedsPressAndReleaseOverTheObject) {
  TAnimateObj* b = Add("Button", 0, 0);
  b->SetMacro(ocClick, TScriptList::FromText("click"));
  b->SetMacro(ocMouseUp, TScriptList::FromText("up"));
  b->SetMacro(ocMouseDown, TScriptList::FromText("down"));
  ani.macroOnMouseUp = TScriptList::FromText("scene up");
  EXPECT_TRUE(ani.MouseDown(3, 4));
  ani.MouseUp(5, 6);
  EXPECT_EQ(gLog, (std::vector<std::string>{"Button:down@4:3,4", "Button:click@1:0,0", "Button:up@5:5,6",
                                            "scene:scene up@37:5,6"}));
  gLog.clear();
  ani.MouseDown(3, 4);
  ani.MouseUp(30, 40);  // released outside: no click
  EXPECT_EQ(gLog, (std::vector<std::string>{"Button:down@4:3,4", "Button:up@5:30,40", "scene:scene up@37:30,40"}));
  gLog.clear();
  b->EnableClickEvent = false;
  ani.MouseDown(3, 4);
  ani.MouseUp(3, 4);
  EXPECT_EQ(gLog.size(), 3u);
  gLog.clear();
  ani.FPaused = true;
  EXPECT_FALSE(ani.MouseDown(3, 4));
  EXPECT_TRUE(gLog.empty());
}

TEST_F(SceneMouse, DragAndDropOntoAContainer) {
  TAnimateObj* box = Add("Box", 20, 0);
  box->FContainer = true;
  TAnimateObj* other = Add("Other", 50, 50);
  TAnimateObj* ball = Add("Ball", 0, 0);
  ball->FFloatWhenClick = true;
  ball->SetMacro(ocDrop, TScriptList::FromText("dropped"));
  TAnimateObj* dropped = nullptr;
  ani.FOnDrop = [&](TDibAnimator*, TAnimateObj* o) { dropped = o; };
  EXPECT_TRUE(ani.MouseDown(2, 3));
  EXPECT_EQ(ani.FCaptureMouseObj, ball);
  EXPECT_TRUE(ani.MouseMove(12, 3));  // half over the box: 10..19 against 20..29
  EXPECT_EQ(ball->Fx, 10);
  EXPECT_EQ(ani.FHotContainer, nullptr);
  EXPECT_TRUE(ani.MouseMove(17, 4));  // 15..24: five columns, half the width
  EXPECT_EQ(ball->Fx, 15);
  EXPECT_EQ(ball->Fy, 1);
  EXPECT_EQ(ani.FHotContainer, box);
  ani.MouseUp(17, 4);
  EXPECT_EQ(ani.FCaptureMouseObj, nullptr);
  EXPECT_EQ(ani.FHotContainer, nullptr);
  EXPECT_EQ(dropped, ball);
  EXPECT_EQ(gLog, (std::vector<std::string>{"Ball:dropped@8:Box,0"}));
  EXPECT_FALSE(ball->FLeftDown);
  (void)other;
}

TEST_F(SceneMouse, HoverWheelDoubleClickAndKeys) {
  TAnimateObj* a = Add("A", 0, 0);
  a->SetMacro(ocMouseOver, TScriptList::FromText("over"));
  a->SetMacro(ocMouseLeave, TScriptList::FromText("leave"));
  a->SetMacro(ocMouseWheel, TScriptList::FromText("wheel"));
  a->SetMacro(ocDblClk, TScriptList::FromText("dbl"));
  EXPECT_FALSE(ani.MouseMove(1, 1));  // not sensitive: not consumed, but hovered
  EXPECT_FALSE(ani.MouseMove(2, 2));
  EXPECT_FALSE(ani.MouseMove(20, 2));
  a->FSensitive = true;
  EXPECT_TRUE(ani.MouseMove(3, 3));
  EXPECT_EQ(ani.FHotObject, a);
  EXPECT_TRUE(ani.MouseWheel(-120, 4, 5));
  EXPECT_FALSE(ani.MouseWheel(-120, 10, 5));
  EXPECT_TRUE(ani.DoubleClick(9, 9));
  EXPECT_EQ(gLog, (std::vector<std::string>{"A:over@19:0,0", "A:leave@20:0,0", "A:over@19:0,0",
                                            "A:wheel@21:4,5:-120", "A:dbl@24:9,9"}));
  EXPECT_FALSE(ani.KeyDown(65));
  ani.SetFocusedObj(a);
  EXPECT_FALSE(ani.KeyPress(65));
  a->FKeysNeeded = true;
  EXPECT_TRUE(ani.KeyDown(65));
  EXPECT_FALSE(ani.KeyDown(13));
  EXPECT_FALSE(ani.KeyDown(27));
  EXPECT_TRUE(ani.KeyPress(13));
  a->FEnabled = false;
  EXPECT_FALSE(ani.KeyPress(65));
}
