// Kind records: a scene holding every kind of this family with non-default values saves, loads
// and saves again to the same bytes, also after playing a few steps; old layouts (versions
// 0x20000, 0x30000, 0x50000) read their fields; records that lie about their counts are refused.
#include <gtest/gtest.h>

#include "base/last_error.h"
#include "imagefiles/dex.h"
#include "kind_test_support.h"
#include "player/kinds/button_obj.h"
#include "player/kinds/data_table.h"
#include "player/kinds/dialog_obj.h"
#include "player/kinds/font_obj.h"
#include "player/kinds/group_obj.h"
#include "player/kinds/hotrack_obj.h"
#include "player/kinds/label_obj.h"
#include "player/kinds/list_obj.h"
#include "player/kinds/movie_ex_obj.h"
#include "player/kinds/movie_obj.h"
#include "player/kinds/particle_obj.h"
#include "player/kinds/path_mover.h"
#include "player/kinds/scrollbar_obj.h"
#include "player/kinds/simple_kinds.h"
#include "player/kinds/text_obj.h"
#include "player/objects/kind_registry.h"
#include "support/scene_builder.h"

using namespace zkw;
using kindtest::KindScene;
using zkwtest::CommonRecord;
using zkwtest::SceneBytes;

namespace {

// A scene with one object of every kind, each with values other than its defaults. Nothing in
// it moves while it plays, so that a played scene saves to the same bytes.
void BuildEveryKind(KindScene& t) {
  TDibAnimator& ani = t.ani;
  int32_t strip = t.AddStrip(4, 3, {0x0000FF, 0x00FF00, 0xFF0000});
  auto image = [&](TAnimateObj* o) {
    o->FID = static_cast<int16_t>(strip);
    o->FDib = ani.GetDib(strip);
  };
  auto* movie = t.Add<TDibMovieObj>("Movie");
  image(movie);
  movie->Fx = 40, movie->Fy = 50, movie->FWidth = 4, movie->FHeight = 3;
  movie->FMaxCount = 3, movie->FStartFrame = 2, movie->FEndFrame = 3, movie->FLoopCount = 9;
  movie->FRegion = {-5, -6, 300, 250};
  movie->FFromX = 7, movie->FFromY = -8, movie->FShadow = true, movie->FShadowX = 2, movie->FShadowY = -3;
  movie->FSpeed = 2, movie->FDCount = 1, movie->FOrient = 0, movie->FAutoDie = true, movie->FIsRandom = true;
  movie->FFlip = true, movie->FEnableFlipY = false, movie->FReturn = false;
  movie->SetMacro(ocUser, TScriptList::FromText("frame changed"));
  movie->SetMacro(ocClick, TScriptList::FromText("clicked\r\nline 2"));

  auto* button = t.Add<TDibButton>("Button");
  image(button);
  button->FWidth = 4, button->FHeight = 3, button->FFrames = 3;
  button->FUpDownButton = true, button->FGroupID = 3, button->FNormalEnd = 2, button->FHotStart = 2;
  button->FHotEnd = 3, button->FPressedStart = 3, button->FPressedEnd = 3, button->FSpeed = 4;
  button->FRecycled = true, button->FEvent = 77;

  auto* movieEx = t.Add<TDibMovieExObj>("MovieEx");
  image(movieEx);
  movieEx->FWidth = 4, movieEx->FHeight = 3, movieEx->FMaxFrames = 3;
  movieEx->FItems = {{1, 2, 10, 11}, {3, 1, 10, 11}};
  movieEx->FPlayFrom = 1, movieEx->FPlayTo = 2, movieEx->FLoopCount = 4, movieEx->FRelativePos = false;
  movieEx->Fx = 10, movieEx->Fy = 11, movieEx->FRegion = {1, 2, 3000, 4000}, movieEx->FReturn = true;

  auto* moveButton = t.Add<TMoveButton>("MoveButton");
  image(moveButton);
  moveButton->Fx = 60, moveButton->FWidth = 4, moveButton->FHeight = 3, moveButton->FFrames = 3;
  moveButton->FFromX = 61, moveButton->FFromY = 62, moveButton->FRegion = {0, 0, 399, 299};
  moveButton->FSyncObjID = 0, moveButton->FSyncNormal = 2, moveButton->FSyncHot = 3, moveButton->FSyncPressed = 1;

  auto* marker = t.Add<TMarkerObj>("Marker");
  marker->FIdentifier = 1234;

  auto* label = t.Add<TDibLabelObj>("Label");
  label->Fx = 5, label->Fy = 60, label->FWidth = 90, label->FHeight = 30;
  label->FTextID = "Xin ch&#224;o";
  label->FFontname = "Times New Roman", label->FFontSize = 11, label->FFontItalic = true;
  label->FFontUnderline = true, label->FFontColor = 0x123456, label->FOutline = true, label->FShadow = true;
  label->FOutlineColor = 0x010203, label->FShadowColor = 0x040506, label->FAlignment = 2, label->FValue = -7;
  label->FSpeed = 5;

  auto* text = t.Add<TDibTextObj>("Text");
  text->Fx = 100, text->Fy = 60, text->FWidth = 90, text->FHeight = 30;
  text->FFontName = "Arial", text->FFontSize = 9, text->FFontBold = false, text->FFontItalic = true;
  text->FFontColor = 0x0000FF, text->FBorderSize = 2, text->FBorderColor = 0x00FF00, text->FFill = false;
  text->FColor = 0xABCDEF, text->FAlignment = 1, text->FOutline = true, text->FOutlineColor = 5;
  text->FShadow = true, text->FShadowColor = 6, text->FCaseSensitive = true, text->FIgnoreSigns = false;
  text->FEnglish = true, text->FOneChar = false, text->FUpperChar = true;

  auto* particles = t.Add<TParticleObj>("Particles");
  particles->FObjNames = {"Movie", "", "Button"};
  particles->FMaximum = 3, particles->FInterval = 1000, particles->FLifeTime = 9;
  particles->FRegion = {1, 2, 3, 4}, particles->FFaded = true;

  int32_t up = t.AddStrip(2, 2, {0x010101});
  auto* bar = t.Add<TDibScrollbarObj>("Bar");
  bar->FUpButtonID = static_cast<int16_t>(up), bar->FDownButtonID = static_cast<int16_t>(up);
  bar->FBoxButtonID = -1, bar->FMax = 55, bar->FAffectObject = "List";
  bar->Fx = 190, bar->FWidth = 2, bar->FHeight = 40;

  auto* hot = t.Add<TDibHotrackObj>("Hot");
  std::unique_ptr<TDibBaseObj> hotImage(CreateDibObject(8));
  hotImage->SetAttributes(6, 5);
  hotImage->PutPixel(1, 1, 9);
  hotImage->CreateAlphaChannel();
  hot->SetImage(hotImage.release());
  hot->FItems = {{{0, 0, 3, 3}, "one", true}, {{3, 0, 6, 5}, "twenty characters!!!", true}};
  hot->FScrollbarName = "Bar";
  hot->Fx = 150, hot->FWidth = 6, hot->FHeight = 5;

  auto* dialog = t.Add<TDialogObj>("Dialog");
  dialog->FActions = {{2, "start", ""}, {-1, "", "end\r\nof it"}};
  dialog->FInterval = 12;
  dialog->FActive = false;

  auto* group = t.Add<TAniGroupObj>("Group");
  group->FWidth = 30, group->FHeight = 20;
  auto* inner = new TDibMovieObj();
  inner->FParent = &ani;
  inner->FName = "Inner";
  image(inner);
  inner->FWidth = 4, inner->FHeight = 3, inner->FMaxCount = 3;
  ani.Append(inner);
  group->AddToGroup(inner);
  auto* innerGroup = new TAniGroupObj();
  innerGroup->FParent = &ani;
  innerGroup->FName = "InnerGroup";
  ani.Append(innerGroup);
  group->AddToGroup(innerGroup);
  auto* deep = new TMarkerObj();
  deep->FParent = &ani;
  deep->FName = "Deep";
  deep->FIdentifier = 5;
  ani.Append(deep);
  innerGroup->AddToGroup(deep);

  auto* timer = t.Add<TAniTimerObj>("Timer");
  timer->FInterval = 25, timer->FAutoDie = true;
  timer->FActive = false;

  auto* list = t.Add<TAniListObj>("List");
  list->FFontName = "Courier New", list->FFontSize = 15, list->FFontBold = true, list->FFontItalic = true;
  list->FFontColor = 1, list->FSelFontColor = 2, list->FHighlight = 3, list->FUseDibFont = false;
  list->FIndent = 6, list->FShowNumber = true, list->FNumColor = 4, list->FShowLines = true;
  list->FSpecial = true, list->FAutoHeight = true, list->FItemHeight = 33, list->FScrollbarName = "Bar";
  list->Fx = 0, list->Fy = 0, list->FWidth = 50, list->FHeight = 40;

  auto* font = t.Add<TDibFontObj>("Font");
  font->FFilename = "no such font.dfu", font->FFontColor = 0x11, font->FOutline = true, font->FOutlineColor = 0x22;
  font->FShadow = true, font->FShadowColor = 0x33, font->FKerning = -2;

  auto* path = t.Add<TPathMover>("Path");
  path->FObjects = {{"Marker", 1, 0, 2, 1}, {"Nobody", 0, 2, 0, 0}};
  path->FPath[0] = {0, 0};
  path->FPath[1024] = {-1, 99999};
  path->FMaximum = 1, path->FReturn = true, path->FSpeed = 3;

  auto* table = t.Add<TDataTable>("Table");
  table->SetTable("\\1=0:N\\2=1:T\r\n\\1=1\\2=a\r\n");

  auto* external = t.Add<TAniExternalObj>("External");
  external->FIdentifier = -3;
  external->Fx = 1, external->FWidth = 2, external->FHeight = 2;
}

}  // namespace

TEST_F(KindScene, EveryKindRoundTripsAndPlaysWithoutChangingItsRecord) {
  BuildEveryKind(*this);
  std::vector<uint8_t> first = kindtest::Save(ani);
  kindtest::RecordScene("every_record_kind", first);
  TDibAnimator again;
  ASSERT_TRUE(kindtest::Load(again, first)) << LastErrorText();
  EXPECT_EQ(again.Count(), ani.Count());
  std::vector<uint8_t> second = kindtest::Save(again);
  EXPECT_EQ(second, first);
  // Fields came back.
  auto* movie = dynamic_cast<TDibMovieObj*>(again.GetObjectName("Movie"));
  ASSERT_NE(movie, nullptr);
  EXPECT_EQ(movie->FRegion.left, -5);
  EXPECT_EQ(movie->FFromY, -8);
  EXPECT_FALSE(movie->FEnableFlipY);
  EXPECT_EQ(movie->macroUserName, "OnFrameChange");
  auto* deep = dynamic_cast<TMarkerObj*>(again.GetObjectName("deep"));
  ASSERT_NE(deep, nullptr);
  EXPECT_NE(deep->FGroup, nullptr);
  EXPECT_EQ(deep->FIdentifier, 5);
  auto* hot = dynamic_cast<TDibHotrackObj*>(again.GetObjectName("Hot"));
  ASSERT_NE(hot, nullptr);
  ASSERT_NE(hot->Image(), nullptr);
  EXPECT_EQ(hot->Image()->GetPixel(1, 1), 9u);
  EXPECT_EQ(hot->FItems[1].Data, "twenty characters!!!");
  EXPECT_FALSE(again.GetObjectName("Timer")->FActive);
  EXPECT_FALSE(again.GetObjectName("Dialog")->FActive);
  // Copies keep the kind and its data (a data table starts empty).
  TAnimateObj* copy = again.NewFrom(movie);
  ASSERT_NE(dynamic_cast<TDibMovieObj*>(copy), nullptr);
  EXPECT_EQ(static_cast<TDibMovieObj*>(copy)->FRegion.bottom, 250);
  again.DeleteThis(copy);
  again.FSceneReady = true;
  again.DoAction(nullptr);

  // Play a few steps: nothing stored changes.
  again.BeforePlay();
  for (int i = 0; i < 6; ++i) {
    again.DoAction(again.FDib);
    again.DoDraw(again.FDib);
  }
  EXPECT_EQ(kindtest::Save(again), first);
  // Every kind of the family lists at least the base properties and then its own.
  for (TItemNode* n = again.Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    TPropList props;
    o->GetPropsToList(props);
    EXPECT_GE(props.size(), 36u) << o->FName;
    EXPECT_EQ(props.front().second, 200);
    for (const auto& p : props) EXPECT_FALSE(p.first.empty()) << o->FName << " id " << p.second;
  }
}

TEST(KindRecords, EveryKindOfTheFamilyIsRegistered) {
  for (int code : {12, 25, 26, 27, 28, 30, 31, 32, 33, 34, 35, 36, 37, 39, 40, 42, 43, 255}) {
    std::unique_ptr<TAnimateObj> o(CreateObjectOfKind(static_cast<uint8_t>(code)));
    ASSERT_NE(o, nullptr) << code;
    EXPECT_EQ(o->FStyle, code);
    std::unique_ptr<TAnimateObj> same(o->NewOfSameKind());
    EXPECT_EQ(same->FStyle, code);
  }
  EXPECT_EQ(std::unique_ptr<TAnimateObj>(CreateObjectOfKind(31))->macroUserName, "OnKeyPress");
  EXPECT_EQ(std::unique_ptr<TAnimateObj>(CreateObjectOfKind(30))->FID, -1);
}

TEST(KindRecords, OldLayoutsReadTheirFields) {
  // Version 0x20000: movie, button, item movie, moving button and external object.
  SceneBytes s;
  s.Signature("zelvantorium Animation", 0x20000);
  s.I32(0).I32(5).I32(0).I32(0);
  s.Sizes(320, 200, 320, 200);
  auto common = [&](uint8_t kind) {
    s.I16(-1).U8(kind);
    s.I16(3).I16(4).I16(0).I16(0).I16(8).I16(6).I16(1).I16(1).I16(100).U8(1);
  };
  common(12);
  s.I16(2).I16(-1).I16(0).I16(0).I16(300).I16(190).U8(1).U8(1).U8(0).I16(1).I16(5).U8(1).I16(4).I16(4);
  s.I16(11).I16(12).U8(0).U8(1).I16(3);
  common(25);
  s.I16(4).I16(1).I16(2).I16(3).I16(3).I16(4).I16(4).I16(2).U8(1).I16(9);
  common(26);
  s.I16(1).I16(1).I16(0).I16(0).I16(10).I16(10).U8(0).U8(0).U8(1).I16(5).I16(6).U8(1).I16(3).I16(2).U8(1);
  s.I16(1).I16(3).I16(7).I16(8).I16(2).I16(1).I16(9).I16(-10);
  common(27);
  s.I16(4).I16(1).I16(2).I16(3).I16(3).I16(4).I16(4).I16(2).U8(1).I16(9);
  s.I16(21).I16(22).I16(-1).I16(1).I16(0).I16(0).I16(50).I16(60).U8(1).U8(0).U8(1).U8(1).I16(0).I16(1).I16(2).I16(3);
  common(255);
  s.I16(4321);
  TDibAnimator ani;
  kindtest::RecordScene("records_v20000", s.b);
  ASSERT_TRUE(kindtest::Load(ani, s.b)) << LastErrorText();
  ASSERT_EQ(ani.Count(), 5);
  auto* movie = dynamic_cast<TDibMovieObj*>(ani.GetObject(0));
  ASSERT_NE(movie, nullptr);
  EXPECT_EQ(movie->FName, "001");
  EXPECT_EQ(movie->FDx, 2);
  EXPECT_EQ(movie->FRegion.right, 300);
  EXPECT_EQ(movie->FMaxCount, 5);
  EXPECT_EQ(movie->FFromY, 12);
  EXPECT_EQ(movie->FSpeed, 3);
  EXPECT_EQ(movie->FEndFrame, 5);  // PlayTo := MaxFrames
  EXPECT_EQ(movie->FStartFrame, 1);
  auto* button = dynamic_cast<TDibButton*>(ani.GetObject(1));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->FFrames, 4);
  EXPECT_EQ(button->FEvent, 9);
  EXPECT_FALSE(button->FUpDownButton);
  auto* movieEx = dynamic_cast<TDibMovieExObj*>(ani.GetObject(2));
  ASSERT_NE(movieEx, nullptr);
  ASSERT_EQ(movieEx->FItems.size(), 2u);
  EXPECT_EQ(movieEx->FItems[1].Y, -10);
  EXPECT_EQ(movieEx->FPlayTo, 2);
  auto* moving = dynamic_cast<TMoveButton*>(ani.GetObject(3));
  ASSERT_NE(moving, nullptr);
  EXPECT_EQ(moving->FFromX, 21);
  EXPECT_EQ(moving->FRegion.bottom, 60);
  EXPECT_TRUE(moving->FUpDownButton);
  EXPECT_EQ(moving->FSyncPressed, 3);
  auto* external = dynamic_cast<TAniExternalObj*>(ani.GetObject(4));
  ASSERT_NE(external, nullptr);
  EXPECT_EQ(external->FIdentifier, 4321);
}

TEST(KindRecords, LabelBeforeVersion4HasNoAlignmentFields) {
  SceneBytes s;
  s.Signature("zelvantorium Animation", 0x30000);
  s.I32(0).I32(1).I32(0).I32(0);
  s.Sizes(320, 200, 320, 200);
  s.I16(-1).U8(30);
  CommonRecord c;
  c.name = "Old";
  zkwtest::AppendCommon(s, c, false);
  s.I16(5).U8(0).U8(1).Text("Arial").I16(9).U8(0).U8(0).U8(0).I32(7).U8(0).I32(0).U8(0).I32(0);
  TDibAnimator ani;
  kindtest::RecordScene("label_v30000", s.b);
  ASSERT_TRUE(kindtest::Load(ani, s.b)) << LastErrorText();
  auto* label = dynamic_cast<TDibLabelObj*>(ani.GetObject(0));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->FValue, 5);
  EXPECT_TRUE(label->FUseValue);
  EXPECT_EQ(label->FFontSize, 9);
  EXPECT_EQ(label->FAlignment, 1);  // the default
  EXPECT_EQ(label->FSpeed, 2);
}

TEST(KindRecords, CountsThatCannotFitAreRefused) {
  auto scene = [](uint8_t kind, const std::vector<uint8_t>& data) {
    SceneBytes s;
    s.Signature("zelvantorium Animation", 0x60000);
    s.Counts56(1, 0, 0, 0);
    s.Sizes(320, 200, 320, 200);
    s.I16(-1).U8(kind);
    CommonRecord c;
    zkwtest::AppendCommon(s, c, true);
    s.Raw(data);
    TDibAnimator ani;
    return kindtest::Load(ani, s.b);
  };
  // Group with 30000 members in a few bytes.
  EXPECT_FALSE(scene(36, {0x30, 0x75, 0, 0, 0}));
  EXPECT_NE(LastErrorText().find("group member count"), std::string::npos);
  // Particle templates, dialogue items, path objects, data table text, hot-track block.
  EXPECT_FALSE(scene(32, {0xFF, 0xFF, 1, 0}));
  EXPECT_FALSE(scene(35, {0xFF, 0x7F, 0, 0}));
  EXPECT_FALSE(scene(42, {0xFF, 0x7F, 0, 0}));
  EXPECT_FALSE(scene(43, {0x10, 0x00, 'a'}));
  EXPECT_FALSE(scene(34, {0, 0, 0xFF, 0xFF, 0, 0}));
  EXPECT_FALSE(scene(26, std::vector<uint8_t>(30, 0x7F)));
  // A text record whose length runs past the file.
  EXPECT_FALSE(scene(40, {0xFF, 0x00, 'x'}));
  // Groups nested deeper than the limit are refused, not recursed into.
  std::vector<uint8_t> nested;
  CommonRecord c;
  for (int i = 0; i < 40; ++i) {
    nested.push_back(1);
    nested.push_back(0);  // one member
    SceneBytes m;
    m.I16(-1).U8(36);
    zkwtest::AppendCommon(m, c, true);
    nested.insert(nested.end(), m.b.begin(), m.b.end());
  }
  nested.push_back(0);
  nested.push_back(0);
  EXPECT_FALSE(scene(36, nested));
  EXPECT_NE(LastErrorText().find("nested"), std::string::npos);
}

TEST_F(KindScene, PositionsAtTheEndsOfTheRangeStayInRange) {
  // Sums of positions read from files saturate instead of overflowing (the sanitizer checks).
  int32_t id = AddStrip(2, 2, {0xFF});
  auto* m = Add<TDibMovieObj>("M");
  m->FID = static_cast<int16_t>(id);
  m->FDib = ani.GetDib(id);
  m->Fx = INT32_MAX - 2;
  m->FDx = 10;
  m->FBounce = false;
  m->FFromX = 0;
  m->SetMacro(ocMove, TScriptList::FromText("moved"));
  ani.BeforePlay();
  ani.DoAction(ani.FDib);
  EXPECT_EQ(m->Fx, 0);  // past the region: back at the start point
  auto moves = EventsOf(m, ocMove);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].Value1, -(INT32_MAX - 2));
  m->Fx = INT32_MIN + 1;
  m->ShiftBy(-5, 0);
  EXPECT_EQ(m->Fx, INT32_MIN);
  ani.DoDraw(ani.FDib);  // far away: nothing drawn, nothing hit
  EXPECT_FALSE(m->PtInObject(INT32_MIN, 0));
  // A hot-track object without an image stores an empty block and reads back empty.
  auto* hot = Add<TDibHotrackObj>("Hot");
  hot->FItems = {{{0, 0, 1, 1}, "lost", true}};
  EXPECT_TRUE(hot->MakeBlock().empty());
  TDibAnimator again;
  ASSERT_TRUE(kindtest::Load(again, kindtest::Save(ani))) << LastErrorText();
  auto* back = dynamic_cast<TDibHotrackObj*>(again.GetObjectName("Hot"));
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->FItems.empty());
}

TEST_F(KindScene, HiddenHotTrackDecodesItsImageWhenShown) {
  auto* hot = Add<TDibHotrackObj>("Hot");
  std::unique_ptr<TDibBaseObj> image(CreateDibObject(24));
  image->SetAttributes(4, 4);
  image->Bar(0, 0, 3, 3, 0x00FF00);
  hot->SetImage(image.release());
  hot->FItems = {{{0, 0, 2, 2}, "a", true}};
  hot->FWidth = hot->FHeight = 4;
  hot->FEnabled = false;
  std::vector<uint8_t> first = kindtest::Save(ani);
  kindtest::RecordScene("hidden_hotrack", first);
  TDibAnimator again;
  ASSERT_TRUE(kindtest::Load(again, first)) << LastErrorText();
  auto* back = dynamic_cast<TDibHotrackObj*>(again.GetObjectName("Hot"));
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->ImagePending());
  EXPECT_EQ(back->Image(), nullptr);
  ASSERT_EQ(back->FItems.size(), 1u);  // the regions are there at once
  EXPECT_EQ(kindtest::Save(again), first);  // the block is written back as it was read
  back->EnableHotItem("a", false);
  back->SetVisible(true);
  again.FSceneReady = true;
  again.DoAction(again.FDib);
  EXPECT_FALSE(back->ImagePending());
  ASSERT_NE(back->Image(), nullptr);
  EXPECT_FALSE(back->FItems[0].Enabled);  // switched while hidden, kept
  again.DoDraw(again.FDib);
  EXPECT_EQ(again.FDib->GetPixel(1, 1), Ref(0x00FF00));
}
