// Waving, scrolling, perspective, shearing and starfield kinds: records of non-default objects
// round-trip byte for byte (old layouts too) and frames show exact pixels after action and draw
// steps.
#include <gtest/gtest.h>

#include "base/last_error.h"
#include "kind_test_support.h"
#include "player/kinds/run_kinds.h"
#include "player/kinds/stars_obj.h"
#include "player/kinds/wave_kinds.h"
#include "support/scene_builder.h"

using namespace zkw;
using kindtest::KindScene;

namespace {

// Palette entry i of the test images.
uint32_t PalColor(int i) { return static_cast<uint32_t>(i * 20) | static_cast<uint32_t>(i * 10) << 8 | 200u << 16; }

struct Waves : KindScene {
  // An 8-bit image of w x h whose pixel (x, y) shows palette index 1 + x + w y.
  int32_t AddIndexImage(int w, int h) {
    std::unique_ptr<TDibBaseObj> dib(CreateDibObject(8));
    dib->SetAttributes(w, h);
    for (int i = 1; i <= w * h; ++i) {
      uint32_t c = PalColor(i);
      dib->DibPal[i].rgbRed = static_cast<uint8_t>(c);
      dib->DibPal[i].rgbGreen = static_cast<uint8_t>(c >> 8);
      dib->DibPal[i].rgbBlue = static_cast<uint8_t>(c >> 16);
    }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) dib->PutPixel(x, y, static_cast<uint32_t>(1 + x + w * y));
    return ani.AddDib(dib.release());
  }
  template <class T>
  T* WithImage(const std::string& name, int32_t id) {
    auto* o = Add<T>(name);
    o->FID = static_cast<int16_t>(id);
    o->FDib = ani.GetDib(id);
    o->FWidth = static_cast<int16_t>(o->FDib->Width());
    o->FHeight = static_cast<int16_t>(o->FDib->Height());
    o->FDibStyle = 0;
    return o;
  }
  uint32_t Px(int x, int y) { return ani.FDib->GetPixel(x, y); }
  uint32_t Idx(int i) { return Ref(PalColor(i)); }
  void Clear() { ani.FDib->Bar(0, 0, ani.FDib->Width() - 1, ani.FDib->Height() - 1, 0); }
  static long double Get(TAnimateObj* o, int32_t id) {
    long double v;
    std::string s;
    o->GetValue(id, v, s);
    return v;
  }
};

// A run-line set stretching every target column (row) from Start to End.
TRunLineSet Lines(int16_t Start, int16_t End) {
  TRunLineSet l;
  for (int i = 0; i < kLineOffsetCount; ++i) l[i] = Start, l[kLineOffsetCount + i] = End;
  return l;
}

}  // namespace

TEST_F(Waves, EveryKindRoundTripsItsRecordAndCopies) {
  int32_t id = AddIndexImage(3, 2);
  auto* dy = WithImage<TDibDistortY>("DY", id);
  dy->FFromX = -70000, dy->FFromY = 5, dy->FDx = 2, dy->FDy = -3, dy->FFlip = true, dy->FRegion = {-5, 1, 90, 80};
  dy->FPhase = 4, dy->FMaxLine = 40, dy->FLineIncreament = 3, dy->FBounce = false, dy->FIsRandom = true;
  dy->FTheLine[0] = -9, dy->FTheLine[1024] = 31000;
  auto* dx = WithImage<TDibDistortX>("DX", id);
  dx->FTheLine[7] = 12;
  auto* rh = WithImage<TDibRunHorz>("RH", id);
  rh->FStep = -4;
  auto* rv = WithImage<TDibRunVert>("RV", id);
  rv->FStep = 6;
  auto* py = WithImage<TPerspectYObj>("PY", id);
  py->FRegion = {1, 2, 3, 4}, py->FReturn = false, py->FStep = -2, py->FLines = Lines(7, 9);
  py->FLines[2049] = -3;
  auto* ry = WithImage<TRunPersYObj>("RY", id);
  ry->FRegion = {-100000, 0, 50, 60}, ry->FStep = 3, ry->FLines = Lines(1, 2);
  auto* px = WithImage<TPerspectXObj>("PX", id);
  px->FStep = 5, px->FLines[0] = 77;
  auto* rx = WithImage<TRunPersXObj>("RX", id);
  rx->FStep = -1;
  auto* st = Add<TStarsObj>("Stars");
  st->FNumStar = 12, st->FNumShades = 6, st->FColor = 0x123456, st->FOrient = 1;
  auto* sk = WithImage<TDibSkew>("Skew", id);
  sk->FFromX = 100000, sk->FFromY = -4, sk->FDx = 3, sk->FDy = -1, sk->FFlip = true, sk->FRegion = {9, 8, 7, 6};
  sk->FBounce = false, sk->FIsRandom = true, sk->FOrient = 1, sk->FMin = -30, sk->FMax = 25, sk->FCenterPos = 2;
  sk->FLineIncreasement = 4, sk->FTurbulence = true, sk->FSpeed = 3;

  std::vector<uint8_t> first = kindtest::Save(ani);
  kindtest::RecordScene("every_wave_run_kind", first);
  TDibAnimator again;
  ASSERT_TRUE(kindtest::Load(again, first)) << LastErrorText();
  EXPECT_EQ(kindtest::Save(again), first);
  auto* dy2 = dynamic_cast<TDibDistortY*>(again.GetObjectName("DY"));
  ASSERT_NE(dy2, nullptr);
  EXPECT_EQ(dy2->FFromX, -70000);
  EXPECT_EQ(dy2->FLineIncreament, 3);
  EXPECT_EQ(dy2->FTheLine[1024], 31000);
  EXPECT_FALSE(dy2->FBounce);
  auto* dx2 = dynamic_cast<TDibDistortX*>(again.GetObjectName("DX"));
  ASSERT_NE(dx2, nullptr);
  EXPECT_EQ(dx2->FTheLine[7], 12);
  EXPECT_EQ(dynamic_cast<TDibRunHorz*>(again.GetObjectName("RH"))->FStep, -4);
  auto* rv2 = dynamic_cast<TDibRunVert*>(again.GetObjectName("RV"));
  ASSERT_NE(rv2, nullptr);
  EXPECT_EQ(Get(rv2, 20), 6);
  auto* py2 = dynamic_cast<TPerspectYObj*>(again.GetObjectName("PY"));
  ASSERT_NE(py2, nullptr);
  EXPECT_FALSE(py2->FReturn);
  EXPECT_EQ(py2->FRegion.bottom, 4);
  EXPECT_EQ(py2->FLines[2049], -3);
  auto* ry2 = dynamic_cast<TRunPersYObj*>(again.GetObjectName("RY"));
  ASSERT_NE(ry2, nullptr);
  EXPECT_EQ(ry2->FRegion.left, -100000);
  EXPECT_EQ(ry2->FStep, 3);
  EXPECT_EQ(dynamic_cast<TPerspectXObj*>(again.GetObjectName("PX"))->FLines[0], 77);
  ASSERT_NE(dynamic_cast<TRunPersXObj*>(again.GetObjectName("RX")), nullptr);
  auto* st2 = dynamic_cast<TStarsObj*>(again.GetObjectName("Stars"));
  ASSERT_NE(st2, nullptr);
  EXPECT_EQ(st2->FNumShades, 6);
  EXPECT_EQ(st2->FColor, 0x123456u);
  auto* sk2 = dynamic_cast<TDibSkew*>(again.GetObjectName("Skew"));
  ASSERT_NE(sk2, nullptr);
  EXPECT_EQ(sk2->FFromX, 100000);
  EXPECT_EQ(sk2->FOrient, 1);
  EXPECT_EQ(sk2->FCenterPos, 2);
  EXPECT_EQ(sk2->FLineIncreasement, 4);
  EXPECT_EQ(Get(sk2, 194), -30);
  EXPECT_EQ(Get(sk2, 103), 25);

  // Copies (owned by the scene) take the kind's own data.
  TAnimateObj* c1 = again.NewFrom(sk2);
  auto* sk3 = dynamic_cast<TDibSkew*>(c1);
  ASSERT_NE(sk3, nullptr);
  EXPECT_EQ(sk3->FMax, 25);
  EXPECT_TRUE(sk3->FTurbulence);
  TAnimateObj* c2 = again.NewFrom(dy2);
  auto* dy3 = dynamic_cast<TDibDistortY*>(c2);
  ASSERT_NE(dy3, nullptr);
  EXPECT_EQ(dy3->FMaxLine, 40);
  EXPECT_EQ(dy3->FTheLine[0], -9);

  // A record cut short is refused.
  std::vector<uint8_t> cut(first.begin(), first.end() - 40);
  TDibAnimator broken;
  EXPECT_FALSE(kindtest::Load(broken, cut));
}

TEST(WaveRunRecords, OldLayoutsReadTheirFields) {
  using zkwtest::SceneBytes;
  SceneBytes s;
  s.Signature("zelvantorium Animation", 0x20000);
  s.I32(0).I32(5).I32(0).I32(0);
  s.Sizes(320, 200, 320, 200);
  auto common = [&](uint8_t kind) {
    s.I16(-1).U8(kind);
    s.I16(3).I16(4).I16(0).I16(0).I16(8).I16(6).I16(1).I16(1).I16(100).U8(1);
  };
  auto table = [&](int n, int16_t first) {
    s.I16(first);
    for (int i = 1; i < n; ++i) s.I16(static_cast<int16_t>(i));
  };
  common(6);  // 16-bit from point and region, phase, limit, step, the line, Return, IsRandom
  s.I16(-7).I16(8).I16(2).I16(-3).U8(1).I16(1).I16(2).I16(300).I16(190).I16(5).I16(9).U16(2);
  table(kLineOffsetCount, -11);
  s.U8(0).U8(1);
  common(10);
  s.I16(-2);
  common(15);  // region, Return, Dx, run-line set
  s.I16(-1).I16(0).I16(100).I16(50).U8(0).I16(4);
  table(2 * kLineOffsetCount, 33);
  common(16);  // region, Dx, run-line set
  s.I16(10).I16(20).I16(30).I16(40).I16(-6);
  table(2 * kLineOffsetCount, -44);
  common(22);
  s.I16(9).I16(3).I32(0xABCDEF).I16(1);
  TDibAnimator ani;
  kindtest::RecordScene("waves_old_layouts", s.b);
  ASSERT_TRUE(kindtest::Load(ani, s.b)) << LastErrorText();
  ASSERT_EQ(ani.Count(), 5);
  auto* d = dynamic_cast<TDibDistortY*>(ani.GetObject(0));
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->FFromX, -7);
  EXPECT_TRUE(d->FFlip);
  EXPECT_EQ(d->FRegion.bottom, 190);
  EXPECT_EQ(d->FMaxLine, 9);
  EXPECT_EQ(d->FLineIncreament, 2);
  EXPECT_EQ(d->FTheLine[0], -11);
  EXPECT_EQ(d->FTheLine[1024], 1024);
  EXPECT_FALSE(d->FBounce);
  EXPECT_TRUE(d->FIsRandom);
  auto* r = dynamic_cast<TDibRunHorz*>(ani.GetObject(1));
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->FStep, -2);
  auto* p = dynamic_cast<TPerspectYObj*>(ani.GetObject(2));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->FRegion.left, -1);
  EXPECT_FALSE(p->FReturn);
  EXPECT_EQ(p->FStep, 4);
  EXPECT_EQ(p->FLines[0], 33);
  EXPECT_EQ(p->FLines[2049], 2049);
  auto* q = dynamic_cast<TRunPersYObj*>(ani.GetObject(3));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->FStep, -6);
  EXPECT_EQ(q->FLines[0], -44);
  auto* st = dynamic_cast<TStarsObj*>(ani.GetObject(4));
  ASSERT_NE(st, nullptr);
  EXPECT_EQ(st->FNumStar, 9);
  EXPECT_EQ(st->FColor, 0xABCDEFu);
  EXPECT_EQ(st->FOrient, 1);
}

TEST_F(Waves, WavingRowsFollowTheLineFromThePhase) {
  int32_t id = AddIndexImage(3, 3);
  auto* o = WithImage<TDibDistortY>("W", id);
  o->Fx = 10, o->Fy = 20, o->FDx = o->FDy = 0;
  o->FMaxLine = 2, o->FLineIncreament = 1;
  o->FTheLine[0] = 0, o->FTheLine[1] = 2, o->FTheLine[2] = -1, o->FTheLine[3] = 1, o->FTheLine[4] = 0;
  Clear();
  Step();  // phase 1: rows shifted by 2, -1, 1
  EXPECT_EQ(o->FPhase, 1);
  EXPECT_EQ(Px(11, 20), 0u);
  EXPECT_EQ(Px(12, 20), Idx(1));
  EXPECT_EQ(Px(14, 20), Idx(3));
  EXPECT_EQ(Px(9, 21), Idx(4));
  EXPECT_EQ(Px(11, 21), Idx(6));
  EXPECT_EQ(Px(12, 21), 0u);
  EXPECT_EQ(Px(11, 22), Idx(7));
  EXPECT_EQ(Px(13, 22), Idx(9));
  Clear();
  Step();  // phase 2: -1, 1, 0
  EXPECT_EQ(Px(9, 20), Idx(1));
  EXPECT_EQ(Px(11, 21), Idx(4));
  EXPECT_EQ(Px(10, 22), Idx(7));
  Step();  // beyond the limit: back to 0
  EXPECT_EQ(o->FPhase, 0);
  // Offsets that would reach past the frame's right edge draw nothing (amplitude 3 over the
  // image width); one column less is drawn.
  const int fw = ani.FDib->Width();
  Clear();
  o->Fx = fw - 2;
  o->Draw(ani.FDib);
  EXPECT_EQ(Px(fw - 2, 20), 0u);
  o->Fx = fw - 3;
  o->Draw(ani.FDib);
  EXPECT_EQ(Px(fw - 3, 20), Idx(1));
  // With Flip the mirror follows the direction of motion.
  o->Fx = 50, o->FFlip = true, o->FDx = -1, o->FDy = 2;
  Step();
  EXPECT_EQ(o->FFlipX, -1);
  EXPECT_EQ(o->FFlipY, 1);
  EXPECT_EQ(o->Fx, 49);
  EXPECT_EQ(Get(o, 33), 2);
  o->SetValue(32, "", 5);
  EXPECT_EQ(o->FLineIncreament, 5);
}

TEST_F(Waves, WavingColumnsFollowTheLine) {
  int32_t id = AddIndexImage(3, 3);
  auto* o = WithImage<TDibDistortX>("W", id);
  o->Fx = 10, o->Fy = 20, o->FDx = o->FDy = 0;
  o->FTheLine[1] = 2, o->FTheLine[2] = -1, o->FTheLine[3] = 1;
  Clear();
  Step();  // phase 1: columns shifted by 2, -1, 1
  EXPECT_EQ(Px(10, 22), Idx(1));
  EXPECT_EQ(Px(10, 24), Idx(7));
  EXPECT_EQ(Px(10, 21), 0u);
  EXPECT_EQ(Px(11, 19), Idx(2));
  EXPECT_EQ(Px(11, 21), Idx(8));
  EXPECT_EQ(Px(12, 21), Idx(3));
  EXPECT_EQ(Px(12, 23), Idx(9));
  // The guard looks at the frame's height for columns.
  const int fh = ani.FDib->Height();
  Clear();
  o->Fy = fh - 2;
  o->Draw(ani.FDib);
  EXPECT_EQ(Px(11, fh - 3), 0u);
  o->Fy = fh - 3;  // one row less: drawn (column 0 two rows down)
  o->Draw(ani.FDib);
  EXPECT_EQ(Px(10, fh - 1), Idx(1));
  EXPECT_EQ(Px(11, fh - 4), Idx(2));
}

TEST_F(Waves, EndlessScrollWrapsItsOrigin) {
  int32_t id = AddStrip(1, 1, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF});  // 4 x 1
  auto* o = WithImage<TDibRunHorz>("R", id);
  o->Fx = 10, o->Fy = 5, o->FOriginX = 3;
  auto row = [&] {
    std::vector<uint32_t> r;
    for (int x = 10; x < 14; ++x) r.push_back(Px(x, 5));
    return r;
  };
  const uint32_t c0 = Ref(0x0000FF), c1 = Ref(0x00FF00), c2 = Ref(0xFF0000), c3 = Ref(0xFFFFFF);
  Clear();
  Step();  // origin 4: the whole image from its left edge
  EXPECT_EQ(o->FOriginX, 4);
  EXPECT_EQ(row(), (std::vector<uint32_t>{c0, c1, c2, c3}));
  Clear();
  Step();  // past the width: on from origin 1
  EXPECT_EQ(o->FOriginX, 1);
  EXPECT_EQ(row(), (std::vector<uint32_t>{c1, c2, c3, c0}));
  Clear();
  Step();
  EXPECT_EQ(row(), (std::vector<uint32_t>{c2, c3, c0, c1}));
  EXPECT_EQ(Px(14, 5), 0u);
  // Mirrored, the piece and the remainder change sides.
  Clear();
  o->FOriginX = 0, o->FFlipX = -1;
  Step();
  EXPECT_EQ(row(), (std::vector<uint32_t>{c0, c3, c2, c1}));
  // Backwards below 0: on from width - 1.
  o->FFlipX = 1, o->FOriginX = 0;
  o->SetValue(19, "", -1);
  Clear();
  Step();
  EXPECT_EQ(o->FOriginX, 3);
  EXPECT_EQ(row(), (std::vector<uint32_t>{c3, c0, c1, c2}));

  // Vertically the same with rows.
  int32_t tall = AddStrip(1, 1, {0x0000FF, 0x00FF00, 0xFF0000}, true);  // 1 x 3
  auto* v = WithImage<TDibRunVert>("V", tall);
  v->Fx = 30, v->Fy = 40, v->FStep = 2, v->FOriginY = 0;
  o->FEnabled = false;
  Clear();
  Step();
  EXPECT_EQ(v->FOriginY, 2);
  EXPECT_EQ(Px(30, 40), c2);
  EXPECT_EQ(Px(30, 41), c0);
  EXPECT_EQ(Px(30, 42), c1);
  Step();  // 4 > 3: on from 1
  EXPECT_EQ(v->FOriginY, 1);
}

TEST_F(Waves, PerspectiveStripDrawsInActionThenMovesAndTurns) {
  int32_t id = AddIndexImage(3, 2);
  auto* o = WithImage<TPerspectYObj>("P", id);
  o->Fx = 10, o->Fy = 0, o->FRegion = {0, 0, 12, 200}, o->FStep = 1, o->FLines = Lines(5, 7);
  Clear();
  ani.DoAction(ani.FDib);  // the strip at column 10, cut at the region's right edge, then the move
  EXPECT_EQ(o->Fx, 11);
  EXPECT_EQ(Px(10, 5), 0u);
  EXPECT_EQ(Px(10, 6), Idx(1));
  EXPECT_EQ(Px(10, 7), Idx(4));
  EXPECT_EQ(Px(11, 6), Idx(2));
  EXPECT_EQ(Px(11, 7), Idx(5));
  EXPECT_EQ(Px(12, 6), 0u);
  Clear();
  ani.DoDraw(ani.FDib);  // the draw step draws it again at the new place
  EXPECT_EQ(Px(10, 6), 0u);
  EXPECT_EQ(Px(11, 6), Idx(1));
  ani.DoAction(ani.FDib);  // 12
  ani.DoAction(ani.FDib);  // 13 is past the region: the step turns
  EXPECT_EQ(o->Fx, 13);
  EXPECT_EQ(o->FStep, -1);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(o->Fx, 12);
  // Without Return it starts again at OriginX.
  o->FReturn = false, o->FStep = 1, o->FOriginX = 2;
  ani.DoAction(ani.FDib);
  EXPECT_EQ(o->Fx, 2);
  // Rows: the vertical counterpart moves along y and is cut at the region's bottom.
  o->FEnabled = false;
  auto* x = WithImage<TPerspectXObj>("X", AddIndexImage(2, 3));
  x->Fx = 0, x->Fy = 20, x->FRegion = {0, 0, 300, 21}, x->FStep = 3, x->FLines = Lines(5, 7);
  Clear();
  ani.DoAction(ani.FDib);
  EXPECT_EQ(x->Fy, 23);
  EXPECT_EQ(x->FStep, -3);
  EXPECT_EQ(Px(6, 20), Idx(1));
  EXPECT_EQ(Px(7, 20), Idx(2));
  EXPECT_EQ(Px(6, 21), 0u);
  EXPECT_EQ(Get(x, 20), -3);
}

TEST_F(Waves, WrappingPerspectiveRepeatsTheStripEveryImageWidth) {
  int32_t id = AddIndexImage(3, 2);
  auto* o = WithImage<TRunPersYObj>("R", id);
  o->Fx = 0, o->Fy = 0, o->FRegion = {0, 0, 9, 200}, o->FStep = 1, o->FLines = Lines(5, 7);
  Clear();
  ani.DoAction(ani.FDib);
  for (int c = 0; c < 9; ++c) EXPECT_EQ(Px(c, 6), Idx(1 + c % 3)) << c;
  EXPECT_EQ(Px(9, 6), 0u);
  EXPECT_EQ(o->Fx, 1);
  Clear();
  ani.DoDraw(ani.FDib);  // the copy before it fills column 0
  for (int c = 0; c < 9; ++c) EXPECT_EQ(Px(c, 6), Idx(1 + (c + 2) % 3)) << c;
  ani.DoAction(ani.FDib);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(o->Fx, 0);  // wrapped by the image width
  o->FStep = -1;
  ani.DoAction(ani.FDib);
  EXPECT_EQ(o->Fx, 2);
}

TEST_F(Waves, SkewLineFollowsTheTangentAndItsPivot) {
  int32_t id = AddIndexImage(3, 4);
  auto* o = WithImage<TDibSkew>("S", id);
  o->Fx = 10, o->Fy = 20;
  // tan 14 x 4 rounds to 1: rows 0 and 1 stay, rows 2 and 3 shift one left.
  o->SetValue(125, "", 14);
  EXPECT_EQ(o->FLine[0], 0);
  EXPECT_EQ(o->FLine[3], -1);
  EXPECT_EQ(o->FAmplitude, 1);
  Clear();
  o->Draw(ani.FDib);
  EXPECT_EQ(Px(10, 20), Idx(1));
  EXPECT_EQ(Px(10, 21), Idx(4));
  EXPECT_EQ(Px(9, 22), Idx(7));
  EXPECT_EQ(Px(11, 23), Idx(12));
  EXPECT_EQ(Px(12, 23), 0u);
  // Pivot about row 2 at 27 degrees: from round(2 tan) = 1 to -round(2 tan) = -1.
  o->FCenterPos = 2;
  o->SetValue(125, "", 27);
  EXPECT_EQ(o->FLine[0], 1);
  EXPECT_EQ(o->FLine[3], -1);
  EXPECT_EQ(o->FAmplitude, 2);
  Clear();
  o->Draw(ani.FDib);
  EXPECT_EQ(Px(11, 20), Idx(1));
  EXPECT_EQ(Px(9, 23), Idx(10));
  // Columns: from 0 to -round(3 tan 27) = -2 over the width.
  o->FOrient = 1, o->FCenterPos = 0;
  o->SetValue(125, "", 27);
  EXPECT_EQ(o->FLine[0], 0);
  EXPECT_EQ(o->FLine[2], -2);
  Clear();
  o->Draw(ani.FDib);
  EXPECT_EQ(Px(10, 20), Idx(1));
  EXPECT_EQ(Px(12, 18), Idx(3));
  EXPECT_EQ(Px(12, 21), Idx(12));
  // Written angles are held in -89..89; the line stays finite.
  o->SetValue(125, "", 120);
  EXPECT_EQ(Get(o, 125), 89);
  o->SetValue(125, "", -400);
  EXPECT_EQ(Get(o, 125), -89);
  // An amplitude reaching past the frame draws nothing.
  Clear();
  o->FOrient = 0;
  o->SetValue(125, "", 45);
  ASSERT_GE(o->FAmplitude, 3);
  const int fw = ani.FDib->Width();
  o->Fx = fw - 2;
  o->Draw(ani.FDib);
  EXPECT_EQ(Px(fw - 2, 20), 0u);
  EXPECT_EQ(Px(fw - 3, 20), 0u);
  EXPECT_DOUBLE_EQ(EngineTangent(405), EngineTangent(45));
  EXPECT_DOUBLE_EQ(EngineTangent(-30), EngineTangent(330));
}

TEST_F(Waves, SkewAngleSwingsBetweenItsLimitsAndMovesEverySpeedSteps) {
  int32_t id = AddIndexImage(3, 4);
  auto* o = WithImage<TDibSkew>("S", id);
  o->Fx = 10, o->Fy = 20, o->FMin = -2, o->FMax = 2, o->FLineIncreasement = 1;
  ani.BeforePlay();
  std::vector<int> angles;
  for (int i = 0; i < 10; ++i) {
    Step();
    angles.push_back(o->FAngle);
  }
  EXPECT_EQ(angles, (std::vector<int>{1, 2, 3, 2, 1, 0, -1, -2, -3, -2}));
  // Every second step: move by DX and turn the angle; with Flip the flips take DX and DY.
  o->FSpeed = 2, o->FDx = -2, o->FFlip = true, o->FRegion = {0, 0, 100, 100};
  ani.BeforePlay();
  Step();
  EXPECT_EQ(o->Fx, 10);
  EXPECT_EQ(o->FAngle, -2);
  Step();
  EXPECT_EQ(o->Fx, 8);
  EXPECT_EQ(o->FAngle, -1);
  EXPECT_EQ(o->FFlipX, -2);
  EXPECT_EQ(o->FFlipY, 0);
  // Past the region without Return: back to FromX, and a random row (DY is 0).
  o->FSpeed = 1, o->FBounce = false, o->FIsRandom = true, o->FFromX = 50, o->FDx = -9, o->FFlip = false;
  Step();
  EXPECT_EQ(o->Fx, 50);
  EXPECT_GE(o->Fy, 0);
  EXPECT_LE(o->Fy, 100);
  // No own move in the step in which the parent moved it.
  o->FParentSetPos = true;
  Step();
  EXPECT_EQ(o->Fx, 50);
  EXPECT_FALSE(o->FParentSetPos);
  // Inactive: the image is fetched but nothing moves.
  o->FDib = nullptr;
  o->FActive = false;
  Step();
  EXPECT_EQ(o->FDib, ani.GetDib(id));
  EXPECT_EQ(o->Fx, 50);
}

TEST_F(Waves, StarsDriftByShadeTwinkleAndAreReborn) {
  auto* s = Add<TStarsObj>("Stars");
  s->Fx = 50, s->Fy = 10, s->FWidth = 20, s->FHeight = 10, s->FNumShades = 4, s->FColor = 0xFFFFFF;
  s->FNumStar = 3;
  TStar big;  // shade 3: 2 x 2, two pixels a step, full colour
  big.x = 10, big.y = 3, big.shade = 3, big.maxSize = 2, big.size = 2;
  TStar dim;  // shade 1: one pixel a step at half colour
  dim.x = 4, dim.y = 7, dim.shade = 1, dim.maxSize = 1, dim.size = 1;
  TStar twinkle;  // shade 5 of 6 would be 3 wide; here it swings 2, 1, 2
  twinkle.x = 15, twinkle.y = 0, twinkle.shade = 3, twinkle.maxSize = 2, twinkle.size = 2, twinkle.sizeStep = -1;
  s->FStars = {big, dim, twinkle};
  Clear();
  Step();
  ASSERT_EQ(s->FStars.size(), 3u);
  EXPECT_EQ(s->FStars[0].x, 8);
  EXPECT_EQ(Px(58, 13), Ref(0xFFFFFF));
  EXPECT_EQ(Px(59, 14), Ref(0xFFFFFF));
  EXPECT_EQ(Px(60, 13), 0u);
  EXPECT_EQ(Px(53, 17), Ref(0x7F7F7F));
  EXPECT_EQ(Px(54, 17), 0u);
  EXPECT_EQ(s->FStars[2].size, 1);
  EXPECT_EQ(Px(63, 10), Ref(0xFFFFFF));
  EXPECT_EQ(Px(64, 10), 0u);
  Step();
  EXPECT_EQ(s->FStars[2].size, 2);
  Step();
  EXPECT_EQ(s->FStars[2].size, 1);
  // Drifting right with Orient > 0.
  s->FOrient = 1;
  int before = s->FStars[1].x;
  Step();
  EXPECT_EQ(s->FStars[1].x, before + 1);
  // A star leaving the area is born again inside it.
  s->FStars[0].x = 1;
  s->FOrient = 0;
  Step();
  EXPECT_GE(s->FStars[0].x, 0);
  EXPECT_LT(s->FStars[0].x, 20);
  EXPECT_EQ(s->FStars[0].maxSize, s->FStars[0].shade / 2 + 1);
}

TEST_F(Waves, StarsWithAFixedSeedGiveTheSameFrame) {
  auto* s = Add<TStarsObj>("Stars");
  s->Fx = 5, s->Fy = 5, s->FWidth = 60, s->FHeight = 40, s->FNumStar = 40, s->FNumShades = 6;
  auto run = [&] {
    SetAniRandomSeed(11);
    ani.BeforePlay();
    Clear();
    Step(3);
    std::vector<uint32_t> frame;
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 70; ++x) frame.push_back(Px(x, y));
    return frame;
  };
  std::vector<uint32_t> first = run();
  std::vector<TStar> stars = s->FStars;
  EXPECT_EQ(run(), first);
  ASSERT_EQ(stars.size(), 40u);
  int twinklers = 0;
  for (const TStar& t : stars) {
    EXPECT_GE(t.x, 0);
    EXPECT_LT(t.x, 60);
    EXPECT_LT(t.y, 40);
    EXPECT_GE(t.shade, 0);
    EXPECT_LT(t.shade, 6);
    EXPECT_EQ(t.maxSize, t.shade / 2 + 1);
    EXPECT_GE(t.size, 1);
    EXPECT_LE(t.size, t.maxSize);
    if (t.sizeStep != 0) {
      ++twinklers;
      EXPECT_GE(t.maxSize, 2);
    }
  }
  EXPECT_LT(twinklers, 20);
  // Each star's corner shows the colour of the last star drawn over it.
  for (const TStar& t : stars) {
    uint32_t want = 0;
    for (const TStar& u : stars)
      if (t.x >= u.x && t.x < u.x + u.size && t.y >= u.y && t.y < u.y + u.size) want = s->ShadeColor(u.shade);
    EXPECT_EQ(Px(5 + t.x, 5 + t.y), Ref(want));
  }
}
