// Timers, markers, particles, path movers, data tables, dialogues, groups, lists, scroll bars,
// hot-track images and external objects: their steps, events with the documented values and
// property access.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/last_error.h"
#include "kind_test_support.h"
#include "player/kinds/data_table.h"
#include "player/kinds/dialog_obj.h"
#include "player/kinds/group_obj.h"
#include "player/kinds/hotrack_obj.h"
#include "player/kinds/list_obj.h"
#include "player/kinds/movie_obj.h"
#include "player/kinds/particle_obj.h"
#include "player/kinds/path_mover.h"
#include "player/kinds/scrollbar_obj.h"
#include "player/kinds/simple_kinds.h"
#include "support/test_support.h"

using namespace zkw;
using kindtest::KindScene;

TEST_F(KindScene, TimerRunsEveryIntervalAndOnceWithAutoDie) {
  auto* t = Add<TAniTimerObj>("T");
  t->FInterval = 3;
  t->SetMacro(ocUser, TScriptList::FromText("tick"));
  auto* once = Add<TAniTimerObj>("Once");
  once->FInterval = 1;
  once->FAutoDie = true;
  once->SetMacro(ocUser, TScriptList::FromText("once"));
  ani.BeforePlay();
  Step(7);
  auto ticks = EventsOf(t, ocUser);
  ASSERT_EQ(ticks.size(), 2u);
  EXPECT_EQ(ticks[0].Code, 10);
  EXPECT_EQ(EventsOf(once, ocUser).size(), 1u);
  EXPECT_FALSE(once->FEnabled);
  long double v;
  std::string s;
  t->SetValue(91, "", 1);
  t->GetValue(91, v, s);
  EXPECT_EQ(v, 1);
}

TEST_F(KindScene, MarkerRunsInViewWhenScrollingCarriesItAcrossTheEdge) {
  ani.SetDibAttr(1000, 300);
  auto* m = Add<TMarkerObj>("M");
  m->Fx = 30;
  m->SetMacro(ocUser, TScriptList::FromText("seen"));
  ani.Scroll(20, 0);  // x 30 -> 10: no crossing
  EXPECT_TRUE(EventsOf(m, 10).empty());
  ani.Scroll(15, 0);  // x 10 -> -5: crosses the left edge
  ASSERT_EQ(EventsOf(m, 10).size(), 1u);
  EXPECT_EQ(EventsOf(m, 10)[0].Value1, 0);
  ani.Scroll(-15, 0);  // back across
  EXPECT_EQ(EventsOf(m, 10).size(), 2u);
  m->SetActive(false);
  ani.Scroll(15, 0);
  EXPECT_EQ(EventsOf(m, 10).size(), 2u);
}

TEST_F(KindScene, ParticlesNeverExceedTheirMaximumAndDie) {
  int32_t id = AddStrip(2, 2, {0xFF});
  auto* templ = Add<TDibMovieObj>("Spark");
  templ->FID = static_cast<int16_t>(id);
  templ->FDib = ani.GetDib(id);
  templ->FEnabled = false;
  auto* p = Add<TParticleObj>("P");
  p->FObjNames = {"Spark"};
  p->FMaximum = 2;
  p->FInterval = 1;
  p->FLifeTime = 4;
  p->FRegion = {10, 20, 30, 40};
  p->FFaded = true;
  p->SetMacro(ocUser, TScriptList::FromText("born"));
  ani.BeforePlay();
  size_t most = 0;
  for (int i = 0; i < 12; ++i) {
    Step();
    most = std::max(most, p->FParticles.size());
    for (auto& part : p->FParticles) {
      EXPECT_GE(part.Obj->Fx, 10);
      EXPECT_LE(part.Obj->Fx, 30);
      EXPECT_TRUE(part.Obj->FEnabled);
    }
    EXPECT_LE(ani.Count(), 2 + 2 + 1);  // template, emitter, live particles and one being freed
  }
  EXPECT_EQ(most, 2u);
  auto born = EventsOf(p, 10);
  EXPECT_GE(born.size(), 4u);
  EXPECT_EQ(ani.CurrentObj != nullptr, true);
  // A particle deleted by a script is forgotten by its emitter.
  TAnimateObj* victim = p->FParticles.front().Obj;
  ani.DeleteThis(victim);
  ani.DoAction(nullptr);
  EXPECT_TRUE(std::none_of(p->FParticles.begin(), p->FParticles.end(),
                           [&](const TParticleObj::TParticle& q) { return q.Obj == victim; }));
}

TEST_F(KindScene, PathMoverFollowsThePathAndRestartsOrTurns) {
  int32_t id = AddStrip(4, 2, {0xFF});
  auto* o = Add<TDibMovieObj>("Rider");
  o->FID = static_cast<int16_t>(id);
  o->FDib = ani.GetDib(id);
  o->FWidth = 4;
  o->FHeight = 2;
  auto* pm = Add<TPathMover>("PM");
  pm->FObjects = {{"rider", 0, 0, 1, 2}};  // anchor: half the width, the full height
  pm->FPath[0] = {10, 10};
  pm->FPath[1] = {20, 12};
  pm->FPath[2] = {30, 14};
  pm->FMaximum = 2;
  pm->SetMacro(ocUser, TScriptList::FromText("moved"));
  ani.BeforePlay();
  std::vector<int> xs;
  for (int i = 0; i < 5; ++i) {
    ani.DoAction(ani.FDib);
    xs.push_back(o->Fx);
  }
  // Points 0, 1, 2 (index Maximum is visited), then back at point 0.
  EXPECT_EQ(xs, (std::vector<int>{8, 18, 28, 8, 18}));
  EXPECT_EQ(o->Fy, 10);
  auto ev = EventsOf(pm, 22);
  ASSERT_EQ(ev.size(), 5u);
  EXPECT_EQ(ev[0].Value1, reinterpret_cast<intptr_t>(o));
  EXPECT_EQ(ev[0].Value2, 1);
  EXPECT_EQ(ev[2].Value2, 0);
  // With Return the walk turns at the end.
  pm->FReturn = true;
  ani.BeforePlay();
  xs.clear();
  for (int i = 0; i < 6; ++i) {
    ani.DoAction(ani.FDib);
    xs.push_back(o->Fx);
  }
  EXPECT_EQ(xs, (std::vector<int>{8, 18, 28, 28, 18, 8}));
  // Position properties read the point at ItemIndex.
  long double v;
  std::string s;
  pm->SetValue(165, "", 1);
  EXPECT_EQ(o->Fx, 20);
  pm->GetValue(5, v, s);
  EXPECT_EQ(v, 20);
  pm->SetValue(165, "", 2);
  pm->GetValue(6, v, s);
  EXPECT_EQ(v, 0);  // index 2 is not below Maximum
  // Curve style: y from the point with the greatest x not above the object's x.
  pm->FObjects[0].PathStyle = 1;
  pm->FObjects[0].VAlign = 0;
  pm->FMaximum = 3;
  ani.BeforePlay();
  o->Fx = 25;
  ani.DoAction(ani.FDib);
  EXPECT_EQ(o->Fy, 12);
  // A freed object is forgotten; its name stays for the next play start.
  ani.DeleteThis(o);
  ani.DoAction(ani.FDib);
  EXPECT_TRUE(pm->FTaken.empty());
  EXPECT_EQ(pm->FObjects.size(), 1u);
}

TEST(DataTableKind, CellsByColumnTypeAndTheLastLine) {
  TDataTable t;
  t.SetTable("\\1=0:Age\\2=1:Name\r\n\\1=12\\2=Ann\r\n\\1=x7\\2=Bob\r\n\\1=3\\2=Cy");
  std::string text = "keep";
  long double v = -1;
  EXPECT_EQ(t.GetData(1, 1, text, v), 2);
  EXPECT_EQ(v, 12);
  EXPECT_EQ(t.GetData(2, 1, text, v), 3);
  EXPECT_EQ(text, "Ann");
  EXPECT_EQ(t.GetData(1, 2, text, v), 2);
  EXPECT_EQ(v, 0);  // not a number
  text = "keep";
  EXPECT_EQ(t.GetData(3, 1, text, v), 2);  // no such column
  EXPECT_EQ(text, "keep");
  EXPECT_EQ(t.GetData(2, 3, text, v), 3);  // the last line can be read
  EXPECT_EQ(text, "Cy");
  EXPECT_FALSE(t.SetData(2, 3, "Dee", 0));  // but not written
  EXPECT_TRUE(t.SetData(1, 2, "", 41));
  EXPECT_TRUE(t.SetData(2, 2, "Bea", 0));
  EXPECT_EQ(t.TableText(), "\\1=0:Age\\2=1:Name\r\n\\1=12\\2=Ann\r\n\\1=41\\2=Bea\r\n\\1=3\\2=Cy");
  // Through properties, as scripts reach it.
  t.SetValue(196, "", 2);
  t.SetValue(195, "", 1);
  std::string s;
  EXPECT_EQ(t.GetValue(115, v, s), 3);
  EXPECT_EQ(s, "Ann");
  EXPECT_EQ(t.TableData(1, 1, s, v), 2);
  EXPECT_EQ(v, 12);
  // A copy starts empty.
  TDataTable copy;
  copy.CopyFrom(t);
  EXPECT_TRUE(copy.FLines.empty());
}

TEST_F(KindScene, DialogueRunsItsItemsAndEnds) {
  auto* d = Add<TDialogObj>("D");
  d->FActions = {{-1, "Hide S0", "Hide E0"}, {-1, "Hide S1", "Hide E1"}, {-1, "Hide S2", "Hide E2"}};
  d->FInterval = 2;
  d->FActive = false;
  d->SetMacro(ocEnd, TScriptList::FromText("done"));
  d->Play(1, 9);  // To is limited to the last item
  std::vector<std::string> runs;
  for (int i = 0; i < 6; ++i) ani.DoAction(ani.FDib);
  for (const auto& e : kindtest::gEvents) {
    std::string which = e.Script;
    for (const char* name : {"S1", "E1", "S2", "E2", "done"})
      if (e.Script.find(name) != std::string::npos) which = name;
    runs.push_back(which + "@" + std::to_string(e.Code));
  }
  EXPECT_EQ(runs, (std::vector<std::string>{"S1@0", "E1@0", "S2@0", "E2@0", "done@3"}));
  EXPECT_FALSE(d->FActive);
  std::string text;
  int32_t data;
  EXPECT_TRUE(d->ListItem(2, text, data));
  EXPECT_EQ(text, "Hide S2");
}

TEST_F(KindScene, GroupMembersActDrawAndAreFreedOnce) {
  int32_t id = AddStrip(2, 2, {0x0000FF});
  auto* g = Add<TAniGroupObj>("G");
  auto* member = new TDibMovieObj();
  member->FParent = &ani;
  member->FName = "Inner";
  member->FID = static_cast<int16_t>(id);
  member->FDib = ani.GetDib(id);
  member->FDibStyle = 0;
  member->Fx = 5;
  member->Fy = 6;
  member->FDx = 1;
  member->SetMacro(ocAction, TScriptList::FromText("act"));
  member->SetMacro(ocDraw, TScriptList::FromText("drawn"));
  g->AddToGroup(member);  // not in any list yet: refused
  EXPECT_EQ(g->FObjList.Count(), 0);
  ani.Append(member);
  g->AddToGroup(member);
  EXPECT_EQ(g->FObjList.Count(), 1);
  EXPECT_EQ(member->FGroup, g);
  EXPECT_EQ(ani.Count(), 1);
  EXPECT_EQ(ani.GetObjectName("inner"), member);
  ani.BeforePlay();
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  Step();
  EXPECT_EQ(member->Fx, 6);
  EXPECT_EQ(ani.FDib->GetPixel(6, 6), Ref(0x0000FF));
  EXPECT_EQ(EventsOf(member, ocAction).size(), 1u);
  EXPECT_EQ(EventsOf(member, ocDraw).size(), 1u);
  // Scrolling moves the members.
  ani.ChangePosition(-2, 0);
  EXPECT_EQ(member->Fx, 4);
  // The group and its member deleted in the same step: freed once (the sanitizer checks).
  static int notified = 0;
  notified = 0;
  member->FOnDeleted = [](TAnimateObj*) { ++notified; };
  ani.DeleteThis(member);
  ani.DeleteThis(g);
  ani.SetFocusedObj(member);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(ani.Count(), 0);
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(ani.FFocused, nullptr);
}

TEST_F(KindScene, ListDrawsItemsRunsDrawItemAndFollowsKeys) {
  auto* l = Add<TAniListObj>("L");
  l->Fx = 10, l->Fy = 10, l->FWidth = 100, l->FHeight = 45;
  l->FItemHeight = 20;
  l->FHighlight = 0x0000FF;
  l->FShowLines = true;
  l->FFontSize = 8;
  l->SetMacro(ocUser, TScriptList::FromText("item"));
  EXPECT_TRUE(l->ListAddItem("Cherry", 3));
  EXPECT_TRUE(l->ListAddItem("Apple", 1));
  EXPECT_TRUE(l->ListAddItem("Banana", 2));
  EXPECT_TRUE(l->ListAddItem("Date", 4));
  EXPECT_TRUE(l->ListSort());
  std::string text;
  int32_t data;
  l->ListItem(0, text, data);
  EXPECT_EQ(text, "Apple");
  EXPECT_EQ(l->GetItemDataIndex(3), 2);
  l->SetValue(165, "", 1);
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  ani.DoDraw(ani.FDib);
  // The selected second item gets the highlight bar from x + 2 to x + width - 2.
  EXPECT_EQ(ani.FDib->GetPixel(12, 48), Ref(0x0000FF));
  EXPECT_EQ(ani.FDib->GetPixel(108, 31), Ref(0x0000FF));
  EXPECT_EQ(ani.FDib->GetPixel(11, 48), Ref(0xFFFFFF));
  EXPECT_EQ(ani.FDib->GetPixel(109, 31), Ref(0xFFFFFF));
  EXPECT_EQ(ani.FDib->GetPixel(12, 29), Ref(0x0000FF));  // the line under the first item
  // Items are drawn until the heights reach the object's height: three of four, the third cut.
  auto drawn = EventsOf(l, 16);
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[1].Value1, 20);
  EXPECT_EQ(drawn[1].Value2, 1);
  EXPECT_EQ(drawn[1].Text, "Banana");
  EXPECT_EQ(ani.GraphY, 50);  // the pen stands at the last item's top
  // Keys and scrolling.
  l->SetFocus();
  ani.KeyDown(0x23);  // End
  EXPECT_EQ(l->FItemIndex, 3);
  ani.KeyDown(0x26);  // Up
  EXPECT_EQ(l->FItemIndex, 2);
  ani.KeyDown(0x24);  // Home
  EXPECT_EQ(l->FItemIndex, 0);
  l->VScroll(2);
  EXPECT_EQ(l->FTopIndex, 2);
  l->VScroll(10);
  EXPECT_EQ(l->FTopIndex, 3);
  // A click selects the item under the mouse.
  l->VScroll(-10);
  ani.MouseDown(50, 35);
  EXPECT_EQ(l->FItemIndex, 1);
  EXPECT_EQ(ani.FFocused, l);
  EXPECT_TRUE(l->ListDeleteItem(0));
  EXPECT_TRUE(l->ListClear());
  EXPECT_EQ(l->FItemIndex, -1);
}

TEST_F(KindScene, ScrollbarScrollsItsObjectWhileAPartIsHeld) {
  int32_t up = AddStrip(10, 10, {0x0000FF});
  int32_t down = AddStrip(10, 10, {0x00FF00});
  int32_t box = AddStrip(10, 6, {0xFF0000});
  auto* l = Add<TAniListObj>("Items");
  for (int i = 0; i < 30; ++i) l->ListAddItem("x", i);
  auto* sb = Add<TDibScrollbarObj>("SB");
  sb->FUpButtonID = static_cast<int16_t>(up);
  sb->FDownButtonID = static_cast<int16_t>(down);
  sb->FBoxButtonID = static_cast<int16_t>(box);
  sb->Fx = 150, sb->Fy = 0, sb->FWidth = 10, sb->FHeight = 60;
  sb->FMax = 20;
  sb->FAffectObject = "items";
  sb->SetMacro(ocClick, TScriptList::FromText("scrolled"));
  ani.BeforePlay();
  EXPECT_TRUE(ani.MouseDown(155, 55));  // the down arrow
  ani.DoAction(ani.FDib);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(sb->FPosition, 2);
  EXPECT_EQ(l->FTopIndex, 2);
  EXPECT_EQ(EventsOf(sb, ocClick).size(), 2u);
  ani.MouseUp(155, 55);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(sb->FPosition, 2);
  // The page area below the thumb moves by 8, limited to Max.
  ani.MouseDown(155, 45);
  for (int i = 0; i < 4; ++i) ani.DoAction(ani.FDib);
  ani.MouseUp(155, 45);
  EXPECT_EQ(sb->FPosition, 20);
  // Drawing: arrows at the ends, the thumb at the bottom of the track.
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FDib->GetPixel(150, 0), Ref(0x0000FF));
  EXPECT_EQ(ani.FDib->GetPixel(150, 59), Ref(0x00FF00));
  EXPECT_EQ(ani.FDib->GetPixel(150, 44), Ref(0xFF0000));
  EXPECT_EQ(ani.FDib->GetPixel(150, 49), Ref(0xFF0000));

  // A bar wider than high lies horizontally: arrows at the left and right ends, the thumb
  // (6 wide here) on a 34-pixel track dragged along x, the "down" arrow moving right.
  int32_t thumb = AddStrip(6, 10, {0x00FFFF});
  auto* h = Add<TDibScrollbarObj>("H");
  h->FUpButtonID = static_cast<int16_t>(up);
  h->FDownButtonID = static_cast<int16_t>(down);
  h->FBoxButtonID = static_cast<int16_t>(thumb);
  h->Fx = 0, h->Fy = 80, h->FWidth = 60, h->FHeight = 10;
  h->FMax = 17;
  ani.BeforePlay();
  EXPECT_EQ(h->PartAt(5, 85), TDibScrollbarObj::spUp);
  EXPECT_EQ(h->PartAt(55, 85), TDibScrollbarObj::spDown);
  EXPECT_EQ(h->PartAt(12, 85), TDibScrollbarObj::spThumb);
  EXPECT_EQ(h->PartAt(30, 85), TDibScrollbarObj::spPageDown);
  EXPECT_TRUE(ani.MouseDown(12, 85));  // grabbed 2 pixels into the thumb
  ani.MouseMove(30, 88);                // thumb start 28: (28 - 10) x 17 / 34 = 9
  EXPECT_EQ(h->FPosition, 9);
  ani.MouseUp(30, 88);
  ani.MouseDown(55, 85);
  ani.DoAction(ani.FDib);
  ani.MouseUp(55, 85);
  EXPECT_EQ(h->FPosition, 10);
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  ani.DoDraw(ani.FDib);
  // Thumb at 10 + 34 x 10 div 17 = 30.
  const std::vector<std::pair<int, uint32_t>> row = {{0, 0x0000FF}, {9, 0x0000FF}, {29, 0xFFFFFF},
                                                     {30, 0x00FFFF}, {35, 0x00FFFF}, {36, 0xFFFFFF},
                                                     {50, 0x00FF00}, {59, 0x00FF00}};
  for (const auto& [x, colour] : row) EXPECT_EQ(ani.FDib->GetPixel(x, 85), Ref(colour)) << x;
}

TEST_F(KindScene, HotTrackRegionsReachHostAndScript) {
  auto* h = Add<TDibHotrackObj>("H");
  std::unique_ptr<TDibBaseObj> image(CreateDibObject(24));
  image->SetAttributes(40, 60);
  image->Bar(0, 0, 39, 59, 0x00FF00);
  image->Bar(0, 30, 39, 59, 0x0000FF);
  h->SetImage(image.release());
  h->FItems = {{{0, 0, 20, 20}, "first", true}, {{0, 40, 40, 60}, "second", true}};
  h->Fx = 100, h->Fy = 10, h->FWidth = 40, h->FHeight = 30;
  h->SetMacro(ocUser, TScriptList::FromText("hot"));
  std::vector<std::string> hot, track;
  ani.FOnHottrack = [&](TDibAnimator*, const plat::RECT& r, const std::string& d) {
    hot.push_back(d + ":" + std::to_string(r.right));
  };
  ani.FOnTrack = [&](TDibAnimator*, const plat::RECT&, const std::string& d) { track.push_back(d); };
  ani.MouseMove(105, 15);
  EXPECT_EQ(track, (std::vector<std::string>{"first"}));
  EXPECT_TRUE(ani.MouseDown(105, 15));
  EXPECT_EQ(hot, (std::vector<std::string>{"first:20"}));
  auto ev = EventsOf(h, 15);
  ASSERT_EQ(ev.size(), 1u);
  EXPECT_EQ(ev[0].Value1, 0);
  EXPECT_EQ(ev[0].Text, "first");
  ani.MouseUp(105, 15);
  // The second region lies below the view of the object until the wheel scrolls by 12.
  EXPECT_FALSE(ani.MouseDown(105, 35));
  ani.MouseUp(105, 35);
  EXPECT_TRUE(ani.MouseWheel(-120, 105, 15));
  EXPECT_EQ(h->FScrollY, 12);
  EXPECT_TRUE(ani.MouseDown(105, 39));  // image row 41
  ani.MouseUp(105, 39);
  EXPECT_EQ(hot.back(), "second:40");
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FDib->GetPixel(100, 10), Ref(0x00FF00));  // image row 12
  EXPECT_EQ(ani.FDib->GetPixel(100, 28), Ref(0x0000FF));  // image row 30
  // A disabled region is not hot.
  EXPECT_TRUE(h->EnableHotItem("SECOND", false));
  EXPECT_FALSE(ani.MouseDown(105, 39));
  // The data block round-trips byte for byte.
  std::vector<uint8_t> block = h->MakeBlock();
  TDibHotrackObj copy;
  std::string why;
  ASSERT_TRUE(copy.ReadBlock(block.data(), block.size(), why)) << why;
  EXPECT_EQ(copy.FItems.size(), 2u);
  EXPECT_EQ(copy.FItems[1].Data, "second");
  EXPECT_TRUE(copy.FItems[1].Enabled);  // every item read is enabled
  EXPECT_EQ(copy.MakeBlock(), block);
  EXPECT_FALSE(copy.ReadBlock(block.data(), block.size() - 1, why));
  block[0] ^= 1;  // another magic: no image and no items
  ASSERT_TRUE(copy.ReadBlock(block.data(), block.size(), why));
  EXPECT_TRUE(copy.FItems.empty());
  EXPECT_EQ(copy.Image(), nullptr);
}

TEST_F(KindScene, HiddenHotTrackReadsItsBlockFromTheSceneFileWhenShown) {
  auto* h = Add<TDibHotrackObj>("H");
  std::unique_ptr<TDibBaseObj> image(CreateDibObject(24));
  image->SetAttributes(8, 8);
  image->Bar(0, 0, 7, 7, 0x0000FF);
  h->SetImage(image.release());
  h->FItems = {{{0, 0, 4, 4}, "corner", true}};
  h->Fx = 10, h->Fy = 10, h->FWidth = 8, h->FHeight = 8;
  h->FEnabled = false;
  std::string path = zkwtest::TempPath("hidden_hotrack.dan");
  ASSERT_TRUE(ani.SaveToFile(zkwtest::Z(path).c_str()));
  std::vector<uint8_t> written = zkwtest::ReadFileBytes(path);

  TDibAnimator loaded;
  ASSERT_TRUE(loaded.LoadFromFile(zkwtest::Z(path).c_str())) << LastErrorText();
  auto* back = dynamic_cast<TDibHotrackObj*>(loaded.GetObject(0));
  ASSERT_NE(back, nullptr);
  // The regions are read at once, the image stays in the file.
  ASSERT_EQ(back->FItems.size(), 1u);
  EXPECT_EQ(back->FItems[0].Data, "corner");
  EXPECT_EQ(back->Image(), nullptr);
  EXPECT_TRUE(back->ImagePending());
  // Saved over its own file while the block is still there, the scene stays byte for byte.
  ASSERT_TRUE(loaded.SaveToFile(zkwtest::Z(path).c_str()));
  EXPECT_EQ(zkwtest::ReadFileBytes(path), written);
  // Shown, its first action step reads the block and decodes the image.
  back->FEnabled = true;
  loaded.FSceneReady = true;
  loaded.DoAction(loaded.FDib);
  ASSERT_NE(back->Image(), nullptr);
  EXPECT_FALSE(back->ImagePending());
  loaded.DoDraw(loaded.FDib);
  EXPECT_EQ(loaded.FDib->GetPixel(12, 12), Ref(0x0000FF));
  back->FEnabled = false;
  EXPECT_EQ(kindtest::Save(loaded), written);  // the decoded image writes the same block

  // A scene read from memory keeps the block with the object.
  TDibAnimator fromMemory;
  ASSERT_TRUE(kindtest::Load(fromMemory, written));
  auto* kept = dynamic_cast<TDibHotrackObj*>(fromMemory.GetObject(0));
  ASSERT_NE(kept, nullptr);
  EXPECT_TRUE(kept->ImagePending());
  kept->FEnabled = true;
  kept->EnsureImage();
  ASSERT_NE(kept->Image(), nullptr);
  EXPECT_EQ(kept->Image()->Width(), 8);
}

TEST_F(KindScene, ExternalObjectMouseGoesToTheHost) {
  auto* e = Add<TAniExternalObj>("E");
  e->FIdentifier = 9;
  e->Fx = 10, e->Fy = 10, e->FWidth = 20, e->FHeight = 20;
  std::vector<std::pair<int, int>> calls;
  bool handleMoves = false;
  ani.FOnMouseEvent = [&](TDibAnimator*, TMouseTask t, uint16_t id, TAnimateObj* o, bool& handled) {
    EXPECT_EQ(o, e);
    calls.push_back({t, id});
    handled = handleMoves || t == mtDown;
  };
  int drawn = 0;
  ani.FOnTask = [&](TDibAnimator*, TAnimatorTask t, uint16_t id, TAnimateObj*) {
    if (t == atDraw && id == 9) ++drawn;
  };
  EXPECT_FALSE(ani.MouseMove(15, 15));
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{mtOver, 9}, {mtMove, 9}}));
  e->FSensitive = true;
  EXPECT_TRUE(ani.MouseMove(16, 15));
  EXPECT_TRUE(ani.MouseDown(16, 15));
  ani.MouseUp(16, 15);
  ani.MouseMove(50, 50);
  EXPECT_EQ(calls.back(), std::make_pair(static_cast<int>(mtLeave), 9));
  EXPECT_EQ(ani.GetExternalID(9), e);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(drawn, 1);
}
