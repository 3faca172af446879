// Image and effect kinds: records of non-default objects round-trip byte for byte; backgrounds,
// still images, floaters, shadows, sliders, brightness, fading, palette rotation and squares
// give exact frame-buffer pixels after a few action and draw steps.
#include <gtest/gtest.h>

#include "base/last_error.h"
#include "kind_test_support.h"
#include "player/kinds/effect_kinds.h"
#include "support/scene_builder.h"

using namespace zkw;
using kindtest::KindScene;

namespace {

struct Effects : KindScene {
  template <class T>
  T* WithImage(const std::string& name, int32_t id) {
    auto* o = Add<T>(name);
    o->FID = static_cast<int16_t>(id);
    o->FDib = ani.GetDib(id);
    o->FWidth = static_cast<int16_t>(o->FDib->Width());
    o->FHeight = static_cast<int16_t>(o->FDib->Height());
    return o;
  }
  // An 8-bit image of w x 1 whose pixel i shows palette index indices[i]; entries as colour refs.
  int32_t AddPaletteImage(const std::vector<uint8_t>& indices, const std::vector<std::pair<int, uint32_t>>& entries) {
    std::unique_ptr<TDibBaseObj> dib(CreateDibObject(8));
    dib->SetAttributes(static_cast<int32_t>(indices.size()), 1);
    for (const auto& e : entries) {
      dib->DibPal[e.first].rgbRed = static_cast<uint8_t>(e.second);
      dib->DibPal[e.first].rgbGreen = static_cast<uint8_t>(e.second >> 8);
      dib->DibPal[e.first].rgbBlue = static_cast<uint8_t>(e.second >> 16);
    }
    for (size_t i = 0; i < indices.size(); ++i) dib->PutPixel(static_cast<int32_t>(i), 0, indices[i]);
    return ani.AddDib(dib.release());
  }
  uint32_t Px(int x, int y) { return ani.FDib->GetPixel(x, y); }
  void Clear() { ani.FDib->Bar(0, 0, ani.FDib->Width() - 1, ani.FDib->Height() - 1, 0); }
};

}  // namespace

TEST_F(Effects, EveryEffectKindRoundTripsItsRecord) {
  int32_t strip = AddStrip(4, 3, {0x0000FF, 0x00FF00});
  auto* bg = Add<TBackgroundObj>("Bg");
  bg->FColor = 0x123456, bg->FBorderSize = 3, bg->FBorderColor = 0x654321, bg->FFill = false;
  bg->FWidth = 30, bg->FHeight = 20;
  auto* still = WithImage<TDibDrawObj>("Still", strip);
  still->FAutoDie = true, still->FRepeatTime = 4;
  auto* fl = WithImage<TDibFloatObj>("Float", strip);
  fl->FFromX = -70000, fl->FFromY = 9, fl->FDx = -3, fl->FDy = 4, fl->FRegion = {-1, -2, 300, 400};
  fl->FFlip = true, fl->FEnableFlipX = false, fl->FBounce = false, fl->FIsRandom = true, fl->FSpeed = 3;
  auto* sh = WithImage<TDibFloatShadow>("Shadow", strip);
  sh->FShadowX = -2, sh->FShadowY = 7, sh->FShadow = 33, sh->FSpeed = 2;
  auto* lim = WithImage<TFloatLimitObj>("Limit", strip);
  lim->FFromPos = 5, lim->FToPos = 90, lim->FDelta = -6, lim->FOrient = 1;
  auto* br = WithImage<TBrightObj>("Bright", strip);
  br->FMin = -7, br->FMax = 77, br->FCurrent = 12, br->FIncreasement = 5, br->FReturn = false;
  br->SetColor(0, true), br->SetColor(9, true), br->SetColor(255, true);
  auto* mg = WithImage<TMergeObj>("Merge", strip);
  mg->FDt = -4, mg->FMinTrans = 20, mg->FMaxTrans = 80, mg->FReturn = false, mg->FFromX = 6, mg->FFromY = 8;
  mg->FDx = 2, mg->FDy = -1, mg->FFlip = true, mg->FBounce = false, mg->FIsRandom = true, mg->FRegion = {1, 2, 3, 4};
  auto* pal = WithImage<TAniPaletteObj>("Palette", strip);
  pal->FFromColor = 10, pal->FToColor = 200;
  auto* sq = Add<TAniSquaresObj>("Squares");
  sq->FNumSquare = 7, sq->FColor = 0xABCDEF, sq->FSpeed = -3, sq->FRandomColor = true, sq->FEnableMerge = true;
  sq->FThickness = 2;

  std::vector<uint8_t> first = kindtest::Save(ani);
  kindtest::RecordScene("every_effect_kind", first);
  TDibAnimator again;
  ASSERT_TRUE(kindtest::Load(again, first)) << LastErrorText();
  EXPECT_EQ(kindtest::Save(again), first);
  auto* bg2 = dynamic_cast<TBackgroundObj*>(again.GetObjectName("Bg"));
  ASSERT_NE(bg2, nullptr);
  EXPECT_EQ(bg2->FBorderColor, 0x654321u);
  EXPECT_FALSE(bg2->FFill);
  auto* fl2 = dynamic_cast<TDibFloatObj*>(again.GetObjectName("Float"));
  ASSERT_NE(fl2, nullptr);
  EXPECT_EQ(fl2->FFromX, -70000);
  EXPECT_FALSE(fl2->FEnableFlipX);
  EXPECT_EQ(fl2->FSpeed, 3);
  auto* sh2 = dynamic_cast<TDibFloatShadow*>(again.GetObjectName("Shadow"));
  ASSERT_NE(sh2, nullptr);
  EXPECT_EQ(sh2->FShadow, 33);
  auto* br2 = dynamic_cast<TBrightObj*>(again.GetObjectName("Bright"));
  ASSERT_NE(br2, nullptr);
  EXPECT_TRUE(br2->HasColor(9));
  EXPECT_TRUE(br2->HasColor(255));
  EXPECT_FALSE(br2->HasColor(8));
  auto* mg2 = dynamic_cast<TMergeObj*>(again.GetObjectName("Merge"));
  ASSERT_NE(mg2, nullptr);
  EXPECT_EQ(mg2->FRegion.bottom, 4);
  EXPECT_EQ(mg2->FMinTrans, 20);
  auto* sq2 = dynamic_cast<TAniSquaresObj*>(again.GetObjectName("Squares"));
  ASSERT_NE(sq2, nullptr);
  EXPECT_EQ(sq2->FThickness, 2);
  EXPECT_EQ(sq2->FColor, 0xABCDEFu);
  EXPECT_EQ(dynamic_cast<TFloatLimitObj*>(again.GetObjectName("Limit"))->FDelta, -6);
  EXPECT_EQ(dynamic_cast<TAniPaletteObj*>(again.GetObjectName("Palette"))->FToColor, 200);
  EXPECT_EQ(dynamic_cast<TDibDrawObj*>(again.GetObjectName("Still"))->FRepeatTime, 4);

  // Copies take the kind's own data.
  TAnimateObj* copy = again.NewFrom(mg2);
  ASSERT_NE(copy, nullptr);
  auto* mg3 = dynamic_cast<TMergeObj*>(copy);
  ASSERT_NE(mg3, nullptr);
  EXPECT_EQ(mg3->FDt, -4);
  EXPECT_EQ(mg3->FFromY, 8);

  // A record cut short is refused.
  std::vector<uint8_t> cut(first.begin(), first.end() - 3);
  TDibAnimator broken;
  EXPECT_FALSE(kindtest::Load(broken, cut));
}

TEST_F(Effects, BackgroundFillsAndBordersItsRectangle) {
  Clear();
  auto* bg = Add<TBackgroundObj>("Bg");
  bg->Fx = 10, bg->Fy = 20, bg->FWidth = 6, bg->FHeight = 5;
  bg->FColor = 0x0000FF, bg->FBorderSize = 1, bg->FBorderColor = 0x00FF00;
  Step();
  EXPECT_EQ(Px(10, 20), Ref(0x00FF00));
  EXPECT_EQ(Px(15, 24), Ref(0x00FF00));
  EXPECT_EQ(Px(12, 22), Ref(0x0000FF));
  EXPECT_EQ(Px(16, 22), 0u);
  EXPECT_EQ(Px(9, 22), 0u);
  // Without fill only the border is drawn.
  Clear();
  bg->SetValue(197, "", 0);
  Step();
  EXPECT_EQ(Px(12, 22), 0u);
  EXPECT_EQ(Px(10, 22), Ref(0x00FF00));
  // The whole rectangle answers hits, without an image.
  EXPECT_TRUE(bg->PtInObject(13, 23));
  EXPECT_FALSE(bg->PtInObject(16, 23));
  long double v;
  std::string s;
  bg->GetValue(141, v, s);
  EXPECT_EQ(v, 1);
}

TEST_F(Effects, StillImageRepeatsSideBySide) {
  Clear();
  int32_t id = AddStrip(2, 2, {0x0000FF, 0x00FF00});  // 4 x 2: blue | green
  auto* o = WithImage<TDibDrawObj>("S", id);
  o->Fx = 5, o->Fy = 6, o->FRepeatTime = 3;
  Step();
  EXPECT_EQ(o->FWidth, 12);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Px(5 + 4 * i, 6), Ref(0x0000FF)) << i;
    EXPECT_EQ(Px(7 + 4 * i, 7), Ref(0x00FF00)) << i;
  }
  EXPECT_EQ(Px(17, 6), 0u);
  EXPECT_TRUE(o->PtInObject(16, 7));
  // AutoDie: out of the view (200 wide) nothing is drawn, though the target reaches there.
  TDib24Bits wide;
  wide.SetAttributes(300, 10);
  o->Fx = 250;
  o->Draw(&wide);
  EXPECT_EQ(wide.GetPixel(250, 6), Ref(0x0000FF));
  wide.Bar(0, 0, 299, 9, 0);
  o->FAutoDie = true;
  o->Draw(&wide);
  EXPECT_EQ(wide.GetPixel(250, 6), 0u);
  o->Fx = 190;  // partly in view: drawn
  o->Draw(&wide);
  EXPECT_EQ(wide.GetPixel(190, 6), Ref(0x0000FF));
}

TEST_F(Effects, FloaterMovesEverySpeedStepsAndBounces) {
  Clear();
  int32_t id = AddStrip(2, 2, {0xFF0000});
  auto* f = WithImage<TDibFloatObj>("F", id);
  f->Fx = 18, f->Fy = 5, f->FDx = 1, f->FDy = 0, f->FRegion = {0, 0, 20, 50}, f->FSpeed = 2;
  f->FDibStyle = 0;
  ani.BeforePlay();
  std::vector<int> xs;
  for (int i = 0; i < 8; ++i) {
    Step();
    xs.push_back(f->Fx);
  }
  EXPECT_EQ(xs, (std::vector<int>{18, 19, 19, 20, 20, 21, 21, 20}));
  EXPECT_EQ(f->FDx, -1);
  EXPECT_EQ(Px(20, 5), Ref(0xFF0000));
  EXPECT_EQ(Px(21, 6), Ref(0xFF0000));
  // Without Return: back to the start column, and a random row since it does not move
  // vertically.
  f->FBounce = false, f->FIsRandom = true, f->FFromX = 3, f->FSpeed = 1, f->FDx = 5;
  Step();  // 25 > 20
  EXPECT_EQ(f->Fx, 3);
  EXPECT_GE(f->Fy, 0);
  EXPECT_LE(f->Fy, 50);
  long double v;
  std::string s;
  f->GetValue(30, v, s);
  EXPECT_EQ(v, 1);
}

TEST_F(Effects, FloatShadowDrawsTheShadowThenTheImage) {
  Clear();
  ani.FDib->Bar(0, 0, 99, 99, 0xC8C8C8);
  // The shadow is cast by the key-free pixels of an 8-bit image.
  int32_t id = AddPaletteImage({5, 5}, {{5, 0x0000FF}});
  auto* f = WithImage<TDibFloatShadow>("F", id);
  f->Fx = 10, f->Fy = 10, f->FDx = f->FDy = 0, f->FDibStyle = 0;
  f->FShadowX = 3, f->FShadowY = 1, f->FShadow = 50;
  Step();
  // The same shadow drawn on a plain copy of the background.
  TDib24Bits ref;
  ref.SetAttributes(20, 20);
  ref.Bar(0, 0, 19, 19, 0xC8C8C8);
  ref.DrawPeaceShadow(13, 11, f->FDib, 0, 0, 2, 1, 1, 1, 50);
  uint32_t shade = ref.GetPixel(14, 11);
  EXPECT_NE(shade, Ref(0xC8C8C8));
  EXPECT_EQ(Px(14, 11), shade);            // shadow only
  EXPECT_EQ(Px(13, 11), shade);
  EXPECT_EQ(Px(11, 10), Ref(0x0000FF));  // the image
  EXPECT_EQ(Px(15, 11), Ref(0xC8C8C8));
  EXPECT_EQ(Px(14, 12), Ref(0xC8C8C8));
}

TEST_F(Effects, SliderStopsAtItsLimitHiddenWithoutEventsUntilContinue) {
  int32_t id = AddStrip(2, 2, {0xFF0000});
  auto* s = WithImage<TFloatLimitObj>("L", id);
  s->Fx = 4, s->FFromPos = 0, s->FToPos = 10, s->FDelta = 4;
  s->SetMacro(ocHide, TScriptList::FromText("hidden"));
  s->SetMacro(ocShow, TScriptList::FromText("shown"));
  ani.BeforePlay();
  Step();
  EXPECT_EQ(s->Fx, 8);
  EXPECT_FALSE(ani.HasStop());
  Step();
  EXPECT_EQ(s->Fx, 10);
  EXPECT_FALSE(s->FEnabled);
  EXPECT_EQ(s->FDelta, -4);
  EXPECT_TRUE(ani.HasStop());
  EXPECT_TRUE(EventsOf(s, ocHide).empty());
  Step();
  EXPECT_EQ(s->Fx, 10);  // hidden: stays
  ani.Continue();
  EXPECT_TRUE(s->FEnabled);
  Clear();
  Step();
  EXPECT_EQ(s->Fx, 6);
  EXPECT_EQ(Px(6, 0), Ref(0xFF0000));
  // Vertical orientation moves along y.
  s->FOrient = 1, s->Fy = 0, s->FDelta = 3;
  Step();
  EXPECT_EQ(s->Fy, 3);
}

TEST_F(Effects, BrightnessShiftsOnlyTheChosenPaletteEntriesWhileDrawing) {
  Clear();
  int32_t id = AddPaletteImage({1, 2, 3}, {{1, 0x646464}, {2, 0x323232}, {3, 0xF0F014}});
  auto* b = WithImage<TBrightObj>("B", id);
  b->FDibStyle = 0;
  b->FMin = -60, b->FMax = 60, b->FCurrent = 0, b->FIncreasement = 30;
  b->SetColor(1, true), b->SetColor(3, true);
  ani.BeforePlay();
  Step();
  EXPECT_EQ(b->FCurrent, 30);
  EXPECT_EQ(Px(0, 0), Ref(0x828282));
  EXPECT_EQ(Px(1, 0), Ref(0x323232));
  EXPECT_EQ(Px(2, 0), Ref(0xFFFF32));  // channels stop at 255
  EXPECT_EQ(b->FDib->DibPal[1].rgbRed, 0x64);  // restored after drawing
  Step();
  Step();  // 90 is past Max: the step turns round, held at 60
  EXPECT_EQ(b->FCurrent, 60);
  EXPECT_EQ(b->FIncreasement, -30);
  for (int i = 0; i < 4; ++i) Step();  // 30, 0, -30, -60
  EXPECT_EQ(b->FCurrent, -60);
  EXPECT_EQ(Px(0, 0), Ref(0x282828));
  // Without Return the value starts again from the other end.
  b->FReturn = false;
  Step();  // -90: below Min, moving down: back to Max
  EXPECT_EQ(b->FCurrent, 60);
}

TEST_F(Effects, MergeFloaterSwingsItsOpacityAndMoves) {
  Clear();
  int32_t id = AddStrip(2, 2, {0x00FF00});
  auto* m = WithImage<TMergeObj>("M", id);
  m->FTrans = 60, m->FDt = 20, m->FMinTrans = 10, m->FMaxTrans = 100;
  m->FDx = 1, m->FDy = 0, m->FRegion = {0, 0, 100, 100};
  ani.BeforePlay();
  std::vector<int> t;
  for (int i = 0; i < 5; ++i) {
    Step();
    t.push_back(m->FTrans);
  }
  EXPECT_EQ(t, (std::vector<int>{80, 100, 100, 80, 60}));
  EXPECT_EQ(m->Fx, 5);
  // At full opacity the image is drawn as it is.
  Clear();
  m->FTrans = 80, m->FDt = 20, m->FDx = 0;
  Step();
  EXPECT_EQ(m->FTrans, 100);
  EXPECT_EQ(Px(5, 0), Ref(0x00FF00));
  // At 0 nothing shows.
  Clear();
  m->FTrans = 0, m->FMinTrans = 0, m->FDt = 0;
  Step();
  EXPECT_EQ(Px(5, 0), 0u);
  // Without Return past the limit: back to MinTrans.
  m->FReturn = false, m->FMinTrans = 30, m->FTrans = 100, m->FDt = 10;
  Step();
  EXPECT_EQ(m->FTrans, 30);
}

TEST_F(Effects, PaletteRotationTurnsItsRange) {
  Clear();
  int32_t id = AddPaletteImage({10, 11, 12, 13}, {{10, 0xAA0000}, {11, 0x00BB00}, {12, 0x0000CC}, {13, 0x111111}});
  auto* p = WithImage<TAniPaletteObj>("P", id);
  p->FDibStyle = 0;
  p->FFromColor = 10, p->FToColor = 12;
  Step();
  EXPECT_EQ(Px(0, 0), Ref(0x00BB00));
  EXPECT_EQ(Px(1, 0), Ref(0x0000CC));
  EXPECT_EQ(Px(2, 0), Ref(0xAA0000));
  EXPECT_EQ(Px(3, 0), Ref(0x111111));
  // A range reaching past the palette turns only the entries that exist.
  p->FFromColor = 250, p->FToColor = 400;
  TRGBQuad last = p->FDib->DibPal[250];
  Step();
  EXPECT_EQ(p->FDib->DibPal[255].rgbRed, last.rgbRed);
  EXPECT_EQ(p->FDib->DibPal[255].rgbBlue, last.rgbBlue);
}

TEST_F(Effects, SquaresGrowAndAreRecreatedInsideTheBox) {
  Clear();
  auto* q = Add<TAniSquaresObj>("Q");
  q->Fx = 20, q->Fy = 30, q->FWidth = 16, q->FHeight = 16;
  q->FNumSquare = 3, q->FSpeed = 2, q->FColor = 0xFF00FF, q->FEnableMerge = true;
  ani.BeforePlay();
  Step();
  ASSERT_EQ(q->FSquares.size(), 3u);
  for (const auto& s : q->FSquares) {
    EXPECT_GE(s.size, 1);
    EXPECT_LE(s.size, 8);
    EXPECT_EQ(s.opacity, 20);
    EXPECT_EQ(s.color, 0xFF00FFu);
  }
  auto before = q->FSquares;
  Step();
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(q->FSquares[i].size, before[i].size + 2);
    EXPECT_EQ(q->FSquares[i].opacity, 22);
  }
  // Opaque squares: the outline of each lies at its place.
  q->FEnableMerge = false;
  Clear();
  ani.DoDraw(ani.FDib);
  for (const auto& s : q->FSquares) {
    int left = 20 + s.x - s.size / 2, top = 30 + s.y - s.size / 2;
    EXPECT_EQ(Px(left, top), Ref(0xFF00FF));
    EXPECT_EQ(Px(left + s.size - 1, top + s.size - 1), Ref(0xFF00FF));
  }
  // A square growing past the width is re-created.
  for (int i = 0; i < 10; ++i) Step();
  for (const auto& s : q->FSquares) EXPECT_LE(s.size, 16);
}

TEST(EffectRecords, OldLayoutsReadTheirFields) {
  using zkwtest::SceneBytes;
  // Version 0x20000: background (colour only), still image (nothing), floater without the flip
  // switches and speed, shadow floater.
  SceneBytes s;
  s.Signature("zelvantorium Animation", 0x20000);
  s.I32(0).I32(4).I32(0).I32(0);
  s.Sizes(320, 200, 320, 200);
  auto common = [&](uint8_t kind) {
    s.I16(-1).U8(kind);
    s.I16(3).I16(4).I16(0).I16(0).I16(8).I16(6).I16(1).I16(1).I16(100).U8(1);
  };
  common(0);
  s.I32(0x112233);
  common(1);
  common(2);
  s.I16(-7).I16(8).I16(2).I16(-3).I16(1).I16(2).I16(300).I16(190).U8(1).U8(0).U8(1);
  common(3);
  s.I16(-7).I16(8).I16(2).I16(-3).I16(1).I16(2).I16(300).I16(190).U8(0).U8(1).U8(0).I16(4).I16(-6).I16(70);
  TDibAnimator ani;
  kindtest::RecordScene("effects_old_layouts", s.b);
  ASSERT_TRUE(kindtest::Load(ani, s.b)) << LastErrorText();
  ASSERT_EQ(ani.Count(), 4);
  auto* bg = dynamic_cast<TBackgroundObj*>(ani.GetObject(0));
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(bg->FColor, 0x112233u);
  EXPECT_TRUE(bg->FFill);
  EXPECT_EQ(bg->FBorderColor, 0xFFFFFFu);
  ASSERT_NE(dynamic_cast<TDibDrawObj*>(ani.GetObject(1)), nullptr);
  auto* fl = dynamic_cast<TDibFloatObj*>(ani.GetObject(2));
  ASSERT_NE(fl, nullptr);
  EXPECT_EQ(fl->FFromX, -7);
  EXPECT_EQ(fl->FDy, -3);
  EXPECT_EQ(fl->FRegion.bottom, 190);
  EXPECT_TRUE(fl->FFlip);
  EXPECT_FALSE(fl->FBounce);
  EXPECT_TRUE(fl->FIsRandom);
  EXPECT_EQ(fl->FSpeed, 1);
  auto* sh = dynamic_cast<TDibFloatShadow*>(ani.GetObject(3));
  ASSERT_NE(sh, nullptr);
  EXPECT_TRUE(sh->FBounce);
  EXPECT_EQ(sh->FShadowX, 4);
  EXPECT_EQ(sh->FShadowY, -6);
  EXPECT_EQ(sh->FShadow, 70);
}
