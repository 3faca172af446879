// Turning and scaling kinds: records of non-default objects round-trip (old layouts read),
// angles, scales and positions follow their rules step by step, and the drawn image lands
// where it should, smoothly while the image-drawing service runs and with the DIB transforms
// when it does not.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/last_error.h"
#include "dib/dib8.h"
#include "kind_test_support.h"
#include "platform/plat_imaging.h"
#include "player/kinds/transform_kinds.h"
#include "support/scene_builder.h"

using namespace zkw;
using kindtest::KindScene;

namespace {

// The image-drawing service runs (or is stopped) for the length of a scope.
struct Service {
  explicit Service(bool run) {
    if (run)
      EXPECT_TRUE(plat::ImagingStartup());
    else
      plat::ImagingShutdown();
  }
  ~Service() { plat::ImagingShutdown(); }
};

// Box of the pixels whose red channel is above half (the frame is cleared to black).
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

struct Transforms : KindScene {
  template <class T>
  T* WithImage(const std::string& name, int32_t id) {
    auto* o = Add<T>(name);
    o->FID = static_cast<int16_t>(id);
    o->FDib = ani.GetDib(id);
    o->FWidth = static_cast<int16_t>(o->FDib->Width());
    o->FHeight = static_cast<int16_t>(o->FDib->Height());
    return o;
  }
  // A 20 x 20 opaque red square (24-bit).
  int32_t Square() { return AddStrip(20, 20, {0x0000FF}); }
  // The same square as an 8-bit image with an alpha companion.
  int32_t AlphaSquare() {
    std::unique_ptr<TDibBaseObj> dib(CreateDibObject(8));
    dib->SetAttributes(20, 20);
    dib->DibPal[5] = TRGBQuad{0, 0, 255, 0};
    dib->Bar(0, 0, 19, 19, 5);
    dib->CreateAlphaChannel();
    return ani.AddDib(dib.release());
  }
  // The 24-bit square whose alpha companion hides its left half.
  int32_t HalfSquare() {
    std::unique_ptr<TDibBaseObj> dib(CreateDibObject(24));
    dib->SetAttributes(20, 20);
    dib->Bar(0, 0, 19, 19, 0x0000FF);
    dib->CreateAlphaChannel();
    dib->AlphaDib->Bar(0, 0, 19, 19, 0);
    dib->AlphaDib->Bar(10, 0, 19, 19, 255);
    return ani.AddDib(dib.release());
  }
  void Clear() { ani.FDib->Bar(0, 0, ani.FDib->Width() - 1, ani.FDib->Height() - 1, 0); }
  static Box RedBox(TDibBaseObj* d) {
    Box b;
    for (int y = 0; y < d->Height(); ++y)
      for (int x = 0; x < d->Width(); ++x)
        if ((d->GetPixelEx(x, y) & 0xFF) > 0x80) {
          b.left = std::min(b.left, x), b.right = std::max(b.right, x);
          b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
        }
    return b;
  }
  Box Drawn(TAnimateObj* o) {
    Clear();
    o->Draw(ani.FDib);
    return RedBox(ani.FDib);
  }
};

::testing::AssertionResult Around(const Box& b, int l, int t, int r, int bt, int tol) {
  if (b.Empty()) return ::testing::AssertionFailure() << "nothing drawn";
  if (std::abs(b.left - l) > tol || std::abs(b.top - t) > tol || std::abs(b.right - r) > tol ||
      std::abs(b.bottom - bt) > tol)
    return ::testing::AssertionFailure() << "box (" << b.left << ", " << b.top << ")-(" << b.right << ", "
                                         << b.bottom << "), expected about (" << l << ", " << t << ")-(" << r
                                         << ", " << bt << ")";
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(Transforms, EveryTransformKindRoundTripsItsRecord) {
  int32_t sq = Square();
  auto* ro = WithImage<TDibRotate>("Rot", sq);
  ro->FFromX = -70000, ro->FFromY = 12, ro->FDx = -3, ro->FDy = 2, ro->FRegion = {-5, 1, 300, 90};
  ro->FAngle = 35, ro->FDAngle = -7;
  auto* sr = WithImage<TScaleRotate>("SR", sq);
  sr->FDAngle = 9, sr->FOScaleX = 20, sr->FOScaleY = 30, sr->FDScaleX = 3, sr->FDScaleY = -4;
  sr->FMaxScaleX = 150, sr->FMaxScaleY = 170, sr->FDx = 2, sr->FDy = -1, sr->FFromX = 100000, sr->FFromY = -8;
  sr->FMaxX = 400, sr->FMaxY = -300, sr->FReturn = false;
  auto* sc = WithImage<TDibScaleObj>("Sc", sq);
  sc->FScale = 77, sc->FMin = 30, sc->FMax = 140, sc->FReturn = false, sc->FIncreasement = -6;
  sc->FHAlign = 3, sc->FVAlign = 1, sc->FRegion = {2, 3, 4, 5}, sc->FRebirth = true, sc->FIsRandom = true;
  auto* rs = WithImage<TRunScaleObj>("RS", sq);
  rs->FOrient = 0, rs->FFromX = -90000, rs->FFromY = 7, rs->FToX = 99, rs->FToY = 98, rs->FDX = 4, rs->FDY = -5;
  rs->FMinScale = 20, rs->FMaxScale = 80, rs->FCurrentScale = 33, rs->FRandom = true, rs->FReverse = true;

  std::vector<uint8_t> first = kindtest::Save(ani);
  kindtest::RecordScene("every_transform_kind", first);
  TDibAnimator again;
  ASSERT_TRUE(kindtest::Load(again, first)) << LastErrorText();
  EXPECT_EQ(kindtest::Save(again), first);
  auto* ro2 = dynamic_cast<TDibRotate*>(again.GetObjectName("Rot"));
  ASSERT_NE(ro2, nullptr);
  EXPECT_EQ(ro2->FFromX, -70000);
  EXPECT_EQ(ro2->FAngle, 35);
  auto* sr2 = dynamic_cast<TScaleRotate*>(again.GetObjectName("SR"));
  ASSERT_NE(sr2, nullptr);
  EXPECT_EQ(sr2->FMaxY, -300);
  EXPECT_EQ(sr2->FDScaleY, -4);
  EXPECT_EQ(sr2->FScaleX, 20);  // starts at the lower scale
  auto* sc2 = dynamic_cast<TDibScaleObj*>(again.GetObjectName("Sc"));
  ASSERT_NE(sc2, nullptr);
  EXPECT_EQ(sc2->FIncreasement, -6);
  EXPECT_EQ(sc2->FHAlign, 3);
  auto* rs2 = dynamic_cast<TRunScaleObj*>(again.GetObjectName("RS"));
  ASSERT_NE(rs2, nullptr);
  EXPECT_EQ(rs2->FToY, 98);
  EXPECT_EQ(rs2->FCurrentScale, 33);

  // Copies take the kind's own data; properties read and write the fields.
  auto* rs3 = dynamic_cast<TRunScaleObj*>(again.NewFrom(rs2));
  ASSERT_NE(rs3, nullptr);
  EXPECT_EQ(rs3->FToX, 99);
  EXPECT_TRUE(rs3->FRandom);
  long double v;
  std::string s;
  ro2->SetValue(125, "", 271.6L);
  ro2->GetValue(125, v, s);
  EXPECT_EQ(v, 272);
  sr2->SetValue(37, "", 90);
  EXPECT_EQ(sr2->FMaxScaleX, 90);
  rs2->GetValue(59, v, s);
  EXPECT_EQ(v, 33);
  sc2->SetValue(52, "", 140);
  sc2->GetValue(52, v, s);
  EXPECT_EQ(v, 140);

  // A record cut short is refused.
  std::vector<uint8_t> cut(first.begin(), first.end() - 2);
  TDibAnimator broken;
  EXPECT_FALSE(kindtest::Load(broken, cut));
}

TEST(TransformRecords, OldLayoutsReadTheirFields) {
  using zkwtest::SceneBytes;
  SceneBytes s;
  s.Signature("zelvantorium Animation", 0x20000);
  s.I32(0).I32(4).I32(0).I32(0);
  s.Sizes(320, 200, 320, 200);
  auto common = [&](uint8_t kind) {
    s.I16(-1).U8(kind);
    s.I16(3).I16(4).I16(0).I16(0).I16(8).I16(6).I16(1).I16(1).I16(100).U8(1);
  };
  common(8);
  s.I16(-7).I16(8).I16(2).I16(-3).I16(1).I16(2).I16(300).I16(190).I16(45).I16(-10);
  common(9);
  s.I16(6).I16(40).I16(50).I16(2).I16(3).I16(120).I16(130).I16(1).I16(-1).I16(-20).I16(30).I16(200).I16(150).U8(0);
  common(13);
  s.I16(90).I16(60).I16(120).U8(1).I16(4).I16(3).I16(1).I16(-1).I16(-2).I16(100).I16(80).U8(1).U8(0);
  common(20);
  s.U8(1).I16(-30).I16(40).I16(3).I16(-2).I16(15).I16(95).I16(25).U8(1).I16(-60).I16(70).U8(1);
  TDibAnimator ani;
  kindtest::RecordScene("transforms_old_layouts", s.b);
  ASSERT_TRUE(kindtest::Load(ani, s.b)) << LastErrorText();
  ASSERT_EQ(ani.Count(), 4);
  auto* ro = dynamic_cast<TDibRotate*>(ani.GetObject(0));
  ASSERT_NE(ro, nullptr);
  EXPECT_EQ(ro->FFromX, -7);
  EXPECT_EQ(ro->FRegion.right, 300);
  EXPECT_EQ(ro->FDAngle, -10);
  auto* sr = dynamic_cast<TScaleRotate*>(ani.GetObject(1));
  ASSERT_NE(sr, nullptr);
  EXPECT_EQ(sr->FOScaleY, 50);
  EXPECT_EQ(sr->FFromX, -20);
  EXPECT_EQ(sr->FMaxY, 150);
  auto* sc = dynamic_cast<TDibScaleObj*>(ani.GetObject(2));
  ASSERT_NE(sc, nullptr);
  EXPECT_EQ(sc->FVAlign, 1);
  EXPECT_EQ(sc->FRegion.bottom, 80);
  EXPECT_TRUE(sc->FRebirth);
  auto* rs = dynamic_cast<TRunScaleObj*>(ani.GetObject(3));
  ASSERT_NE(rs, nullptr);
  EXPECT_EQ(rs->FFromX, -30);
  EXPECT_EQ(rs->FToY, 70);
  EXPECT_TRUE(rs->FReverse);
}

TEST_F(Transforms, RotationTurnsAndABounceReversesIt) {
  auto* o = WithImage<TDibRotate>("R", Square());
  o->FDAngle = 100;
  ani.BeforePlay();
  std::vector<int> angles;
  for (int i = 0; i < 4; ++i) {
    Step();
    angles.push_back(o->FAngle);
  }
  // Beyond 360 - 100 the angle starts again at 0.
  EXPECT_EQ(angles, (std::vector<int>{100, 200, 0, 100}));
  o->FAngle = 0, o->FDAngle = -150;
  angles.clear();
  for (int i = 0; i < 3; ++i) {
    Step();
    angles.push_back(o->FAngle);
  }
  EXPECT_EQ(angles, (std::vector<int>{-150, 0, -150}));
  // Moving right past the region turns the movement and the rotation round.
  o->FAngle = 0, o->FDAngle = 5, o->Fx = 18, o->Fy = 10, o->FDx = 3, o->FRegion = {0, 0, 20, 50};
  Step();
  EXPECT_EQ(o->Fx, 21);
  EXPECT_EQ(o->FDx, -3);
  EXPECT_EQ(o->FDAngle, -5);
  Step();
  EXPECT_EQ(o->Fx, 18);
  EXPECT_EQ(o->FAngle, 0);
  // A vertical bounce leaves the rotation as it is.
  o->FDx = 0, o->FDy = 50;
  Step();
  EXPECT_EQ(o->FDy, -50);
  EXPECT_EQ(o->FDAngle, -5);
  EXPECT_EQ(o->FAngle, -5);
  // Inactive: no turning.
  o->FActive = false;
  Step();
  EXPECT_EQ(o->FAngle, -5);
}

TEST_F(Transforms, ScaleRotateSwingsItsScalesAndPosition) {
  auto* o = WithImage<TScaleRotate>("SR", Square());
  o->FOScaleX = 50, o->FMaxScaleX = 60, o->FDScaleX = 4;
  o->FOScaleY = 20, o->FMaxScaleY = 10, o->FDScaleY = -3;  // bounds in either order
  o->FFromX = 0, o->FMaxX = 30, o->FDx = 10, o->Fx = 15, o->Fy = 7, o->FDy = 0;
  o->FDAngle = 30;
  o->FAngle = 90;
  ani.BeforePlay();
  EXPECT_EQ(o->FAngle, 0);
  EXPECT_EQ(o->FScaleX, 50);
  std::vector<int> sx, sy, xs;
  for (int i = 0; i < 6; ++i) {
    Step();
    sx.push_back(o->FScaleX);
    sy.push_back(o->FScaleY);
    xs.push_back(o->Fx);
  }
  EXPECT_EQ(sx, (std::vector<int>{54, 58, 60, 56, 52, 50}));
  EXPECT_EQ(sy, (std::vector<int>{17, 14, 11, 10, 13, 16}));
  EXPECT_EQ(xs, (std::vector<int>{25, 30, 20, 10, 0, 0}));
  EXPECT_EQ(o->Fy, 7);  // DY 0: the row stays outside its bounds untouched
  EXPECT_EQ(o->FAngle, 180);
  // Without Return each value jumps to the other end.
  o->FReturn = false;
  o->FScaleX = 58, o->FDScaleX = 4, o->Fx = 25, o->FDx = 10;
  Step();
  EXPECT_EQ(o->FScaleX, 50);
  EXPECT_EQ(o->FDScaleX, 4);
  EXPECT_EQ(o->Fx, 0);
}

TEST_F(Transforms, PulsingScaleReturnsRestartsOrEnds) {
  auto* o = WithImage<TDibScaleObj>("Sc", Square());
  o->FScale = 100, o->FMin = 90, o->FMax = 110, o->FIncreasement = 5;
  o->SetMacro(ocEnd, TScriptList::FromText("ended"));
  ani.BeforePlay();
  std::vector<int> scales;
  for (int i = 0; i < 8; ++i) {
    Step();
    scales.push_back(o->FScale);
  }
  // Past the range the step turns round and is taken back.
  EXPECT_EQ(scales, (std::vector<int>{105, 110, 110, 105, 100, 95, 90, 90}));
  EXPECT_EQ(o->FIncreasement, 5);
  // Rebirth: back at Min, stepping towards Max, at a random place of the region.
  o->FReturn = false, o->FRebirth = true, o->FIsRandom = true, o->FRegion = {40, 50, 60, 70};
  o->FScale = 110, o->FIncreasement = 7;
  Step();
  EXPECT_EQ(o->FScale, 90);
  EXPECT_EQ(o->FIncreasement, 7);
  EXPECT_GE(o->Fx, 40);
  EXPECT_LE(o->Fx, 60);
  EXPECT_GE(o->Fy, 50);
  EXPECT_LE(o->Fy, 70);
  o->FMin = 110, o->FMax = 90, o->FScale = 88, o->FIncreasement = 3;  // outside: no change, restart
  Step();
  EXPECT_EQ(o->FScale, 110);
  EXPECT_EQ(o->FIncreasement, -3);
  // Neither: the end event runs once and the object stops, its last scale kept.
  o->FRebirth = false, o->FScale = 92, o->FIncreasement = -4;
  Step();
  EXPECT_EQ(o->FScale, 88);
  EXPECT_FALSE(o->FActive);
  Step();
  EXPECT_EQ(o->FScale, 88);
  auto ends = EventsOf(o, ocEnd);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].Script, "ended");
  // The drawn scale stops at the upper end of the range.
  o->FMin = 50, o->FMax = 120, o->FScale = 150;
  EXPECT_EQ(o->DrawnScale(), 120);
  o->FMin = 120, o->FMax = 50;
  EXPECT_EQ(o->DrawnScale(), 120);
  o->FScale = 70;
  EXPECT_EQ(o->DrawnScale(), 70);
}

TEST_F(Transforms, RunScaleTravelsAndStartsAgainAtItsStart) {
  auto* o = WithImage<TRunScaleObj>("RS", Square());
  o->Fx = 160, o->Fy = 120;  // defaults: vertical from y 120 to 240, DX -2, DY 1, scale 10..100
  ani.BeforePlay();
  Step(2);
  EXPECT_EQ(o->Fy, 122);
  EXPECT_EQ(o->Fx, 156);
  EXPECT_EQ(o->FCurrentScale, 12);  // 10 + round(2 x 90 / 120) = 10 + round(1.5)
  Step(4);
  EXPECT_EQ(o->FCurrentScale, 14);  // round(4.5) = 4
  Step(114);
  EXPECT_EQ(o->Fy, 240);
  EXPECT_EQ(o->Fx, -80);
  EXPECT_EQ(o->FCurrentScale, 100);
  Step();  // past 240: back to the start point at the smallest scale
  EXPECT_EQ(o->Fy, 120);
  EXPECT_EQ(o->Fx, 160);
  EXPECT_EQ(o->FCurrentScale, 10);
  // Reverse: the scale shrinks with the distance.
  o->FReverse = true;
  Step(60);
  EXPECT_EQ(o->FCurrentScale, 55);
  // Horizontal travel; before the start it jumps to the end; Random puts the row between the
  // two rows.
  o->FOrient = 0, o->FReverse = false, o->FFromX = 0, o->FToX = 100, o->FDX = 30, o->FFromY = 50, o->FToY = 90;
  o->FDY = 0, o->Fx = 60, o->Fy = 10;
  Step();
  EXPECT_EQ(o->Fx, 90);
  EXPECT_EQ(o->FCurrentScale, 91);  // 10 + round(90 x 90 / 100) = 10 + round(81)
  Step();
  EXPECT_EQ(o->Fx, 0);
  EXPECT_EQ(o->Fy, 50);
  o->FDX = -30, o->FRandom = true;
  Step();
  EXPECT_EQ(o->Fx, 100);
  EXPECT_GE(o->Fy, 50);
  EXPECT_LE(o->Fy, 90);
  // The step in which the parent moved it, it does not travel.
  o->FParentSetPos = true;
  Step();
  EXPECT_EQ(o->Fx, 100);
  EXPECT_FALSE(o->FParentSetPos);
}

TEST_F(Transforms, TurnedImagesLandAroundTheirCentreWithAndWithoutTheService) {
  for (bool smooth : {true, false}) {
    SCOPED_TRACE(smooth ? "smooth" : "DIB transforms");
    Service service(smooth);
    auto* o = WithImage<TDibRotate>(smooth ? "R1" : "R0", Square());
    o->Fx = 50, o->Fy = 30;
    EXPECT_TRUE(Around(Drawn(o), 50, 30, 69, 49, 1));
    // 45 degrees: the corners reach 10 sqrt 2 from the centre (60, 40).
    o->FAngle = 45;
    EXPECT_TRUE(Around(Drawn(o), 47, 26, 73, 52, 2));
    auto* sr = WithImage<TScaleRotate>(smooth ? "S1" : "S0", Square());
    sr->Fx = 50, sr->Fy = 30, sr->FScaleX = 200, sr->FScaleY = 50;
    // The DIB transform puts each pixel as a bar one wider than the scale, so allow 3.
    EXPECT_TRUE(Around(Drawn(sr), 40, 35, 79, 44, 3));
    sr->FAngle = 90;  // turned: the wide side stands upright
    EXPECT_TRUE(Around(Drawn(sr), 56, 20, 66, 58, 3));
    // Half opacity halves the red over black.
    sr->FAngle = 0, sr->FScaleX = sr->FScaleY = 100, sr->FTrans = 50;
    Drawn(sr);
    int red = static_cast<int>(ani.FDib->GetPixelEx(60, 40) & 0xFF);
    EXPECT_NEAR(red, 128, 4);
    sr->FTrans = 0;
    EXPECT_TRUE(Drawn(sr).Empty());
  }
}

TEST_F(Transforms, ScaledImagesAlignInTheirBoxWithAndWithoutTheService) {
  for (bool smooth : {true, false}) {
    SCOPED_TRACE(smooth ? "smooth" : "DIB transforms");
    Service service(smooth);
    auto* o = WithImage<TDibScaleObj>(smooth ? "A1" : "A0", Square());
    o->Fx = 50, o->Fy = 30, o->FScale = 50, o->FMin = 10, o->FMax = 200;
    // 1 left / top, 3 right / bottom, anything else (2 included) centred.
    o->FHAlign = 1, o->FVAlign = 3;
    EXPECT_TRUE(Around(Drawn(o), 50, 40, 59, 49, 1));
    o->FHAlign = 3, o->FVAlign = 1;
    EXPECT_TRUE(Around(Drawn(o), 60, 30, 69, 39, 1));
    o->FHAlign = 2, o->FVAlign = 0;
    EXPECT_TRUE(Around(Drawn(o), 55, 35, 64, 44, 1));
    // The drawn scale stops at Max.
    o->FScale = 150, o->FMax = 100, o->FHAlign = 1, o->FVAlign = 1;
    EXPECT_TRUE(Around(Drawn(o), 50, 30, 69, 49, 1));
    // The run-scale traveller draws centred at its current scale.
    auto* rs = WithImage<TRunScaleObj>(smooth ? "T1" : "T0", Square());
    rs->Fx = 60, rs->Fy = 40, rs->FOrient = 1, rs->FFromY = 0, rs->FToY = 90;
    rs->FMinScale = rs->FMaxScale = 200;
    EXPECT_TRUE(Around(Drawn(rs), 50, 30, 89, 69, 2));
    // Lying beyond the end it is drawn back at the start, without a random place.
    rs->Fy = 95, rs->FRandom = true, rs->FMinScale = 50;
    Box b = Drawn(rs);
    EXPECT_EQ(rs->Fy, 0);
    EXPECT_EQ(rs->Fx, 60);
    EXPECT_EQ(rs->FCurrentScale, 50);
    EXPECT_TRUE(Around(b, 65, 5, 74, 14, 1));
  }
}

TEST_F(Transforms, DrawingReachesTargetsOtherThanTheFrameAndAlphaImages) {
  int32_t alpha = AlphaSquare(), half = HalfSquare();
  for (bool smooth : {true, false}) {
    SCOPED_TRACE(smooth ? "smooth" : "DIB transforms");
    Service service(smooth);
    // An 8-bit image with an alpha companion turns like the opaque square.
    auto* o = WithImage<TDibRotate>(smooth ? "R1" : "R0", alpha);
    o->Fx = 50, o->Fy = 30, o->FAngle = 45;
    EXPECT_TRUE(Around(Drawn(o), 47, 26, 73, 52, 2));
    o->FTrans = 50;
    Drawn(o);
    EXPECT_NEAR(static_cast<int>(ani.FDib->GetPixelEx(60, 40) & 0xFF), 128, 4);
    o->FTrans = 100;
    // A 24-bit image that is not the scene's frame receives the drawing too.
    TDib24Bits other;
    other.SetAttributes(100, 80);
    other.Bar(0, 0, 99, 79, 0);
    o->FAngle = 0;
    o->Draw(&other);
    EXPECT_TRUE(Around(RedBox(&other), 50, 30, 69, 49, 1));
    // A 24-bit image shows only what its alpha companion lets through, turned and scaled.
    auto* sr = WithImage<TScaleRotate>(smooth ? "H1" : "H0", half);
    sr->Fx = 50, sr->Fy = 30, sr->FScaleX = sr->FScaleY = 100;
    EXPECT_TRUE(Around(Drawn(sr), 60, 30, 70, 50, 2));  // the DIB transform draws 3 x 3 bars
    sr->FAngle = 180;  // the visible half turns to the left
    EXPECT_TRUE(Around(Drawn(sr), 50, 30, 60, 50, 2));
  }
}
