// The character object (kind 29) in a scene stepped by hand: its record, properties, idling,
// walking, guides, gravity against floors, hot regions, "OnStop" and CHARDRAW.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "expr/formula.h"
#include "kind_test_support.h"
#include "player/kinds/character_obj.h"
#include "player/kinds/effect_kinds.h"
#include "imagefiles/memory_block.h"
#include "script/execute.h"
#include "support/dib_builders.h"
#include "support/test_support.h"
#include "support/wave_builders.h"

namespace {

using kindtest::KindScene;
using zkw::TCharacterObj;
using zkw::TCharGestureSource;

// 4 x 4 frames of one colour-table index; column 3 is transparent.
struct Cast {
  std::vector<std::unique_ptr<zkw::TDib8Bits>> dibs;
  zkw::TCharFrameSource Frame(int tag, int dx, int dy) {
    dibs.push_back(zkwtest::Indexed(4, 4, std::vector<int>(16, tag)));
    zkw::TDib8Bits& d = *dibs.back();
    d.CreateAlphaChannel();
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) d.AlphaDib->PutPixel(x, y, x == 3 ? 0 : 255);
    return {&d, 1, dx, dy};
  }
  TCharGestureSource Gesture(const std::string& name, uint8_t style, std::vector<int> tags, int dx = 0) {
    TCharGestureSource g;
    g.Name = name;
    g.Style = style;
    for (int tag : tags) g.Frames.push_back(Frame(tag, dx, 0));
    return g;
  }
  std::vector<uint8_t> Build() {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(zkw::BuildCharacterFile(
        "Hero", 4, 4,
        {Gesture("RestPose", 2, {1}), Gesture("GoLeft", 2, {2, 3}, -2), Gesture("GoRight", 2, {4, 5}, 2),
         Gesture("Wave", 0, {6, 7}), Gesture("Speaking", 2, {8, 9})},
        bytes, error))
        << error;
    return bytes;
  }
};

struct CharScene : KindScene {
  Cast cast;
  // An empty scene ready to step again.
  void Clear() {
    ani.Empty();
    ani.SetDibAttr(400, 300);
    ani.SetViewTo(200, 100);
    ani.FSceneReady = true;
  }
  // A character object at (x, y) whose file lies in the scene's character folder; the file is
  // named after the running test (ctest runs tests side by side).
  TCharacterObj* AddHero(int32_t x, int32_t y) {
    const std::string file = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".chr";
    zkwtest::WriteFileBytes(zkwtest::TempPath(file), cast.Build());
    ani.CharacterPath = zkwtest::TempName("");
    auto* c = Add<TCharacterObj>("Hero");
    c->FPath = file;
    c->Fx = x;
    c->Fy = y;
    return c;
  }
  // "step:Command@x,y" whenever the command changed after a step, and the place at the end.
  std::string Trace(TCharacterObj* c, int steps) {
    std::string out, last;
    auto place = [c] { return "@" + std::to_string(c->Fx) + "," + std::to_string(c->Fy); };
    for (int i = 1; i <= steps; ++i) {
      Step();
      if (c->Character()->CurrentCommand() == last) continue;
      last = c->Character()->CurrentCommand();
      out += std::to_string(i) + ":" + last + place() + " ";
    }
    return out + "end" + place();
  }
  std::string UserEvents(TCharacterObj* c) {
    std::string out;
    for (const auto& e : EventsOf(c, zkw::ocUser))
      out += (out.empty() ? "" : " ") + std::to_string(e.Value1) + "/" + std::to_string(e.Value2);
    return out;
  }
};

TEST_F(CharScene, RecordRoundTripDefaultsAndProperties) {
  TCharacterObj fresh;
  EXPECT_EQ(fresh.FStyle, 29);
  EXPECT_EQ(fresh.macroUserName, "OnStop");
  EXPECT_EQ(fresh.FPose + fresh.FGoLeft + fresh.FGoRight + fresh.FSpeakingPose, "RestPoseGoLeftGoRightSpeaking");
  EXPECT_EQ(fresh.FBoundary + fresh.FGravity + fresh.FIdleInterval + fresh.FRightBound + fresh.FRepeatTime, 0);

  auto* c = Add<TCharacterObj>("Hero");
  c->FPath = "hero.chr";
  c->FPose = "Stand";
  c->FBoundary = -7;
  c->FFast = c->FNotReturn = c->FEnableIdle = c->FEnableGoing = c->FEnableGuide = c->FEnableRegion = true;
  c->FGravity = 3;
  c->FIdleList = {"Wave", "", "Nod"};
  c->FIdleInterval = 11;
  c->FLeftBound = 5;
  c->FRightBound = 300;
  c->FGoLeft = "L";
  c->FGoRight = "R";
  c->FSpeakingPose = "Talk";
  c->FRepeatTime = 4;
  c->FGuides = "0,2";
  c->FGuideInterval = 9;
  c->FHotRegions = {{{0, 1, 2, 3}, "Hide A"}, {{-5, 6, 70000, 8}, ""}};
  const std::vector<uint8_t> bytes = kindtest::Save(ani);
  zkw::TDibAnimator back;
  ASSERT_TRUE(kindtest::Load(back, bytes));
  auto* b = dynamic_cast<TCharacterObj*>(back.GetObject(0));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(kindtest::Save(back), bytes);
  EXPECT_EQ(b->FIdleList, c->FIdleList);
  ASSERT_EQ(b->FHotRegions.size(), 2u);
  EXPECT_EQ(b->FHotRegions[1].Rect.right, 70000);
  EXPECT_EQ(b->FHotRegions[0].Script, "Hide A");

  // Properties before a character is loaded: Pose is the stored rest pose.
  struct Prop {
    int32_t id;
    long double number;
    const char* text;
  } props[] = {{181, 0, "hero.chr"}, {83, 0, "Stand"}, {84, -7, ""},  {88, 1, ""},   {208, 3, ""},
               {104, 1, ""},         {105, 1, ""},     {106, 1, ""},  {107, 11, ""},  {108, 9, ""},
               {109, 5, ""},         {110, 300, ""},   {111, 4, ""},  {172, 1, ""},   {52, 100, ""},
               {87, -1, ""},         {190, 0, ""},     {112, 0, ""},  {161, 0, ""},   {86, 0, ""}};
  for (const Prop& p : props) {
    long double v = 0;
    std::string s;
    b->GetValue(p.id, v, s);
    EXPECT_EQ(v, p.number) << p.id;
    EXPECT_EQ(s, p.text) << p.id;
  }
  b->SetValue(112, "", 1);  // read only
  b->SetValue(83, "Sit", 0);
  long double v = 0;
  std::string s;
  b->GetValue(112, v, s);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(b->FPose, "Sit");
  zkw::TPropList list;
  b->GetPropsToList(list);
  std::vector<int32_t> own;
  for (const auto& [name, id] : list)
    if (id == 83 || id == 181 || id == 190 || id == 161) own.push_back(id);
  EXPECT_EQ(own, (std::vector<int32_t>{181, 83, 190, 161}));
}

TEST_F(CharScene, CopyLoadsItsOwnCharacter) {
  TCharacterObj* c = AddHero(10, 20);
  ani.BeforePlay();
  ASSERT_NE(c->Character(), nullptr);
  TCharacterObj copy;
  copy.FParent = &ani;
  copy.CopyFrom(*c);
  ASSERT_NE(copy.Character(), nullptr);
  EXPECT_NE(copy.Character(), c->Character());
  EXPECT_EQ(copy.Character()->CurrentCommand(), "RestPose");
  EXPECT_EQ(copy.FWidth, 4);
}

TEST_F(CharScene, IdleWalkAndGuideOnAManualClock) {
  struct Case {
    const char* what;
    std::function<void(TCharacterObj*)> setup;
    int steps;
    const char* trace;
    const char* onStop;
  } cases[] = {
      {"rests", [](TCharacterObj*) {}, 5, "1:RestPose@50,10 end@50,10", ""},
      {"idle pose, repeated for two intervals",
       [](TCharacterObj* c) {
         c->FEnableIdle = true;
         c->FIdleList = {"Wave"};
         c->FIdleInterval = 2;
         c->FRepeatTime = 2;
       },
       // Wave plays at step 2; the next two intervals (steps 4 and 6) count its repeat.
       60, "1:RestPose@50,10 2:Wave@50,10 3:RestPose@50,10 30:Wave@50,10 31:RestPose@50,10 40:Wave@50,10 "
           "41:RestPose@50,10 60:Wave@50,10 end@50,10",
       "1/3 1/3 1/3"},
      {"walks between the bounds",
       [](TCharacterObj* c) {
         c->FEnableIdle = c->FEnableGoing = true;
         c->FIdleList = {"Wave"};
         c->FIdleInterval = 1;
         c->FLeftBound = 20;
         c->FRightBound = 90;
       },
       // Right of the middle (55) it walks left, else right, 2 pixels a frame, until the move
       // would pass its target; "OnStop" 3 names the walking gesture, 1 the idle pose.
       60,
       "1:RestPose@50,10 5:GoRight@50,10 19:RestPose@76,10 21:Wave@76,10 22:RestPose@76,10 28:GoLeft@76,10 "
       "31:RestPose@72,10 37:Wave@72,10 38:RestPose@72,10 48:GoLeft@72,10 53:RestPose@64,10 end@64,10",
       "3/2 1/3 3/1 1/3 3/1"},
      {"no walk without a right bound",
       [](TCharacterObj* c) {
         c->FEnableIdle = c->FEnableGoing = true;
         c->FIdleList = {"Nobody"};
         c->FIdleInterval = 1;
       },
       60, "1:RestPose@50,10 end@50,10", ""},
      {"guide sound with the speaking pose",
       [](TCharacterObj* c) {
         c->FEnableGuide = true;
         c->FGuides = "x, 0";  // items that are no number are skipped
         c->FGuideInterval = 3;
       },
       6, "1:RestPose@50,10 3:Speaking@50,10 end@50,10", ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    kindtest::gEvents.clear();
    zkw::SetAniRandomSeed(7);
    Clear();
    ani.AddSound(zkw::NewBlockFrom("RIFF", 4));
    TCharacterObj* c = AddHero(50, 10);
    c->SetMacro(zkw::ocUser, zkw::TScriptList::FromText("stop"));
    k.setup(c);
    ani.BeforePlay();
    EXPECT_EQ(Trace(c, k.steps), k.trace);
    EXPECT_EQ(UserEvents(c), k.onStop);
  }
}

TEST_F(CharScene, SpeakingEndsWithItsSound) {
  ani.AddSound(zkw::NewBlockFrom("RIFF", 4));
  TCharacterObj* c = AddHero(0, 0);
  c->FEnableGuide = true;
  c->FGuides = "0";
  c->FGuideInterval = 1;
  c->FEnableIdle = true;
  c->FIdleList = {"Wave"};
  ani.BeforePlay();
  Step();
  long double v = 0;
  std::string s;
  c->GetValue(112, v, s);
  EXPECT_EQ(v, 1);
  c->GetValue(86, v, s);
  EXPECT_EQ(v, 1);  // ForcePlay is on from now on
  EXPECT_EQ(c->Character()->CurrentCommand(), "Speaking");
  Step(3);  // no new guide while speaking
  EXPECT_EQ(ani.FSounds.size(), 0u);
  ani.ObjStop(c, 0);
  c->GetValue(112, v, s);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(c->Character()->CurrentCommand(), "RestPose");
}

TEST_F(CharScene, FallsOntoAFloor) {
  struct Case {
    const char* what;
    int16_t gravity;
    bool floorCollides;
    int32_t floorX;
    std::vector<int32_t> ys;  // after each step
    bool onGround;
  } cases[] = {
      {"falls and stands on the floor", 3, true, 0, {3, 6, 9, 12, 15, 16, 16}, true},
      {"a floor without collision lets it fall", 3, false, 0, {3, 6, 9, 12, 15, 18, 21}, false},
      {"a floor beside it", 5, true, 20, {5, 10, 15, 20, 25, 30, 35}, false},
      {"no gravity", 0, true, 0, {0, 0, 0, 0, 0, 0, 0}, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Clear();
    auto* floor = Add<zkw::TDibDrawObj>("Floor");
    floor->Fx = k.floorX;
    floor->Fy = 20;
    floor->FWidth = 10;
    floor->FHeight = 5;
    floor->FCollide = k.floorCollides;
    TCharacterObj* c = AddHero(2, 0);
    c->FCollide = true;
    c->FGravity = k.gravity;
    ani.BeforePlay();
    std::vector<int32_t> ys;
    for (size_t i = 0; i < k.ys.size(); ++i) {
      Step();
      ys.push_back(c->Fy);
    }
    EXPECT_EQ(ys, k.ys);
    EXPECT_EQ(c->FOnGround, k.onGround);
    EXPECT_EQ(c->Fx, 2);
  }
}

TEST_F(CharScene, HotRegionPressesRunTheirScripts) {
  struct Case {
    const char* what;
    int32_t x, y;
    bool enable, speaking;
    const char* ran;
    bool taken;
  } cases[] = {
      {"inside the first region", 101, 201, true, false, "Hide First", true},
      {"second region", 102, 203, true, false, "Hide Second", true},
      {"transparent column", 103, 200, true, false, "", false},
      {"outside every region", 100, 203, true, false, "", false},
      {"regions off", 101, 201, false, false, "", false},
      {"while speaking", 101, 201, true, true, "", false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    kindtest::gEvents.clear();
    Clear();
    TCharacterObj* c = AddHero(100, 200);
    c->FEnableRegion = k.enable;
    c->FHotRegions = {{{0, 0, 3, 1}, "Hide First"}, {{1, 2, 3, 3}, "Hide Second"}};
    ani.BeforePlay();
    c->FSpeaking = k.speaking;
    EXPECT_EQ(c->MouseDown(&ani, k.x, k.y), k.taken);
    std::string ran;
    for (const auto& e : kindtest::gEvents) ran += e.Script;
    EXPECT_EQ(ran, k.ran);
    EXPECT_EQ(c->PtInObject(k.x, k.y), k.x != 103 && k.x >= 100 && k.x < 104);
  }
}

TEST_F(CharScene, BoundaryRefusalRunsOnStop) {
  TCharacterObj* c = AddHero(10, 0);
  c->FBoundary = 14;
  c->SetMacro(zkw::ocUser, zkw::TScriptList::FromText("stop"));
  ani.BeforePlay();
  c->SetValue(83, "GoRight", 0);
  EXPECT_EQ(Trace(c, 6), "1:GoRight@10,0 4:RestPose@14,0 end@14,0");  // 14 to 16 would cross it
  EXPECT_EQ(UserEvents(c), "3/2");  // the boundary, item 2 (GoRight)
  c->SetValue(87, "", 3);           // PoseIndex: Wave, played once
  long double v = 0;
  std::string s;
  c->GetValue(83, v, s);
  EXPECT_EQ(s, "Wave");
  EXPECT_EQ(Trace(c, 3), "1:Wave@14,0 2:RestPose@14,0 end@14,0");
  EXPECT_EQ(UserEvents(c), "3/2 1/3");
  c->SetValue(190, "Wave", 0);
  c->SetValue(190, "Speaking", 0);
  c->GetValue(190, v, s);
  EXPECT_EQ(v, 1);  // Wave started at once, Speaking waits
}

TEST_F(CharScene, CharDrawDrawsAPieceOfTheCurrentFrame) {
  TCharacterObj* c = AddHero(0, 0);
  ani.BeforePlay();
  zkw::TExprHost* host = zkw::ScriptHostOf(&ani);
  auto charDraw = [&](const std::string& args) {
    ani.FDib->Bar(0, 0, 9, 9, 0xFFFFFF);
    std::string text = "CharDraw(" + std::to_string(reinterpret_cast<uintptr_t>(c)) + "," + args + ")";
    auto formula = zkw::ParseFormula(text);
    formula->Prepare(host);
    long double value = -1;
    std::string out;
    const uint8_t kind = zkw::EvaluateFormula(host, nullptr, nullptr, out, value, formula.get());
    return kind == 2 ? static_cast<int>(value) : -1;
  };
  // Frame 1's colour blended over white as DrawMerge blends it at that opacity.
  auto blended = [&](uint16_t opacity) {
    auto reference = zkwtest::Solid24(1, 1, 0xFFFFFF);
    reference->DrawMerge(0, 0, c->Character()->CurrentFrame()->FDib.get(), 0, 0, 1, 1, 1, 1, opacity);
    return reference->GetPixel(0, 0);
  };
  const uint32_t white = 0xFFFFFF;
  ASSERT_NE(blended(100), white);
  struct Case {
    const char* args;
    int result;
    int x0, y0, x1, y1;  // the block drawn in frame 1's colour, inclusive
    uint16_t opacity;
  } cases[] = {
      {"1,2,0,0,4,4,1,1,100", 1, 1, 2, 3, 5, 100},     // column 3 is transparent
      {"1,2,0,0,4,4,-1,1,100", 1, 2, 2, 4, 5, 100},    // mirrored: the clear column comes first
      {"5,5,1,1,2,2,1,1,100", 1, 5, 5, 6, 6, 100},     // a piece
      {"0,0,-2,-2,4,4,1,1,100", 1, 2, 2, 3, 3, 100},   // clipped to the frame
      {"0,0,4,0,2,2,1,1,100", 0, 0, 0, -1, -1, 100},   // nothing of the frame
      {"0,0,0,0,4,4,1,1,40", 1, 0, 0, 2, 3, 40},       // blended at 40 %
      {"-2,6,0,0,4,4,1,1,100", 1, 0, 6, 0, 7, 100},    // clipped by the target's edge
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.args);
    EXPECT_EQ(charDraw(k.args), k.result);
    const uint32_t colour = blended(k.opacity);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const bool inside = x >= k.x0 && x <= k.x1 && y >= k.y0 && y <= k.y1;
        EXPECT_EQ(ani.FDib->GetPixel(x, y), inside ? colour : white) << x << "," << y;
      }
  }
  EXPECT_EQ(charDraw("1,2,3"), -1);  // too few arguments
}

}  // namespace
