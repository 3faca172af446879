// Object behaviour: property access, event scripts run through the script hook, hit tests,
// collisions, visibility with children, drawing by style.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_factory.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"

using namespace zkw;

namespace {

struct Ran {
  TAnimateObj* obj;
  std::string text;
  int32_t code;
  intptr_t v1, v2;
};
std::vector<Ran> gRan;

void Record(TDibAnimator* ani, TAnimateObj* obj, TScriptList* list, int32_t code) {
  EXPECT_TRUE(ani->FWorking);
  gRan.push_back({obj, list->Text(), code, ani->FEventValue1, ani->FEventValue2});
}

// Installs the recording script runner for one test.
struct ScriptSpy {
  ScriptSpy() {
    gRan.clear();
    gEventScriptRunner = Record;
  }
  ~ScriptSpy() { gEventScriptRunner = nullptr; }
};

// An 8-bit image whose pixel (0, 0) (the transparent index) is 0 and whose other pixels are
// solid except where `holes` says.
std::unique_ptr<TDibBaseObj> Mask(int w, int h, const std::vector<std::pair<int, int>>& holes = {}) {
  std::unique_ptr<TDibBaseObj> dib(CreateDibObject(8));
  dib->SetAttributes(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) dib->PutPixel(x, y, 7);
  dib->PutPixel(0, 0, 0);
  for (auto [x, y] : holes) dib->PutPixel(x, y, 0);
  dib->TransparentColor = 0;
  return dib;
}

TAnimateObj* Add(TDibAnimator& ani, TDibBaseObj* dib, int x, int y, const std::string& name) {
  auto* o = new TAnimateObj();
  o->FParent = &ani;
  o->FName = name;
  o->FID = 0;
  o->SetDibObject(dib);
  o->Fx = x;
  o->Fy = y;
  ani.Append(o);
  return o;
}

}  // namespace

TEST(AnimateObjBehaviour, PropertiesAndMoveEvents) {
  ScriptSpy spy;
  TDibAnimator ani;
  ani.FViewWidth = 100;
  ani.FViewHeight = 50;
  auto dib = Mask(4, 3);
  TAnimateObj* o = Add(ani, dib.get(), 10, 20, "Ball");
  EXPECT_EQ(o->FWidth, 4);
  o->SetMacro(ocMove, TScriptList::FromText("moved"));
  long double v = 0;
  std::string s;

  o->SetValue(14, "", 150);
  EXPECT_EQ(o->FTrans, 100);
  o->SetValue(14, "", -5);
  EXPECT_EQ(o->FTrans, 0);
  o->SetValue(14, "", 42.5L);  // halves to even
  EXPECT_EQ(o->FTrans, 42);
  EXPECT_EQ(o->GetValue(14, v, s), 2);
  EXPECT_EQ(v, 42);

  o->SetValue(5, "", 10);  // unchanged: no move event
  EXPECT_TRUE(gRan.empty());
  o->SetValue(119, "", 30);  // FX: stored without events
  EXPECT_EQ(o->Fx, 30);
  EXPECT_TRUE(gRan.empty());
  o->SetValue(5, "", 33);
  ASSERT_EQ(gRan.size(), 1u);
  EXPECT_EQ(gRan[0].text, "moved");
  EXPECT_EQ(gRan[0].code, ocMove);
  EXPECT_EQ(gRan[0].v1, 3);
  EXPECT_EQ(gRan[0].v2, 0);
  EXPECT_FALSE(ani.FWorking);

  EXPECT_EQ(o->GetValue(135, v, s), 3);
  EXPECT_EQ(s, "Ball");
  o->SetValue(157, "", 1.25L);
  o->GetValue(157, v, s);
  EXPECT_EQ(v, 1.25L);
  EXPECT_TRUE(s.empty());
  o->SetValue(116, "", 0);
  EXPECT_FALSE(o->EnableClickEvent);
  o->GetValue(116, v, s);
  EXPECT_EQ(v, 0);
  o->GetValue(183, v, s);
  EXPECT_EQ(v, 1);
  o->SetValue(5, "", 100);  // left edge at the view's width: out of view
  o->GetValue(183, v, s);
  EXPECT_EQ(v, 0);
  o->GetValue(999, v, s);
  EXPECT_EQ(v, 0);

  TPropList props;
  o->GetPropsToList(props);
  ASSERT_EQ(props.size(), 36u);
  EXPECT_EQ(props[0], std::make_pair(std::string("Style"), 200));
  EXPECT_EQ(props[13], std::make_pair(std::string("Width"), 7));
  EXPECT_EQ(props.back(), std::make_pair(std::string("HottrackColor"), 203));
}

TEST(AnimateObjBehaviour, HitTests) {
  TDibAnimator ani;
  auto dib = Mask(4, 3, {{1, 1}});
  TAnimateObj* o = Add(ani, dib.get(), 10, 20, "A");
  // Style 1: the pixel decides (transparent colour 0 at image (0,0) and (1,1)).
  EXPECT_FALSE(o->PtInObject(10, 20));
  EXPECT_TRUE(o->PtInObject(11, 20));
  EXPECT_FALSE(o->PtInObject(11, 21));
  EXPECT_TRUE(o->PtInObject(13, 22));
  EXPECT_FALSE(o->PtInObject(14, 22));  // right edge exclusive
  EXPECT_TRUE(o->IsSolidAt(2, 1));
  EXPECT_FALSE(o->IsSolidAt(1, 1));
  // Mirrored: image x = XPos + Width - X.
  o->FFlipX = -1;
  EXPECT_FALSE(o->PtInObject(13, 21));  // image (1, 1)
  EXPECT_TRUE(o->PtInObject(12, 21));   // image (2, 1)
  EXPECT_FALSE(o->IsSolidAt(3, 1));
  // Style 0 and 3 count the whole rectangle.
  o->FDibStyle = 0;
  EXPECT_TRUE(o->PtInObject(10, 20));
  EXPECT_TRUE(o->IsSolidAt(1, 1));
  // Without image nothing is hit, except an external object.
  o->FDib = nullptr;
  EXPECT_FALSE(o->PtInObject(11, 21));
  o->FStyle = kExternalKind;
  EXPECT_TRUE(o->PtInObject(11, 21));
  EXPECT_FALSE(o->IsSolidAt(1, 1));
}

TEST(AnimateObjBehaviour, CollisionsAndVisibility) {
  ScriptSpy spy;
  TDibAnimator ani;
  auto dib = Mask(4, 4);
  TAnimateObj* mover = Add(ani, dib.get(), 0, 0, "Mover");
  TAnimateObj* wall = Add(ani, dib.get(), 10, 0, "Wall");
  mover->FCollide = wall->FCollide = true;
  mover->SetMacro(ocCollide, TScriptList::FromText("mover hit"));
  wall->SetMacro(ocCollide, TScriptList::FromText("wall hit"));

  // A move by (dx, dy) tests the rectangle one more step ahead: 4..7 against 10..13.
  mover->SetXPos(2);
  EXPECT_TRUE(gRan.empty());
  mover->SetXPos(5);  // ahead 8..11: overlaps columns 10..11
  ASSERT_EQ(gRan.size(), 2u);
  EXPECT_EQ(gRan[0].text, "wall hit");
  EXPECT_EQ(gRan[0].v1, reinterpret_cast<intptr_t>(mover));
  EXPECT_EQ(gRan[0].v2, 2);  // right edge
  EXPECT_EQ(gRan[1].text, "mover hit");
  EXPECT_EQ(gRan[1].v1, reinterpret_cast<intptr_t>(wall));
  EXPECT_EQ(mover->Collide(3, 2), EdgeBit(ceRight) | EdgeBit(ceBottom));
  EXPECT_EQ(mover->Collide(-3, 0), 0);
  EXPECT_EQ(mover->Collide(0, 0), 0);

  gRan.clear();
  wall->FLevel = 1;  // other level: no collision
  mover->SetXPos(6);
  EXPECT_TRUE(gRan.empty());
  wall->FLevel = 0;
  wall->FCollide = false;  // collision off on the other object: neither reacts
  mover->SetXPos(7);
  EXPECT_TRUE(gRan.empty());
  wall->FCollide = true;
  mover->FHasCollided = true;  // skipped once after a bounce
  EXPECT_EQ(mover->Collide(1, 0), 0);
  EXPECT_FALSE(mover->FHasCollided);
  EXPECT_EQ(mover->Collide(1, 0), EdgeBit(ceRight));

  // Hiding a parent hides its children and runs each child's hide script.
  TAnimateObj* child = Add(ani, dib.get(), 20, 20, "Child");
  child->SetMacro(ocHide, TScriptList::FromText("child hidden"));
  child->SetParentObjName("WALL");
  ASSERT_EQ(wall->FChildren.size(), 1u);
  gRan.clear();
  wall->SetVisible(false);
  EXPECT_FALSE(child->FEnabled);
  ASSERT_EQ(gRan.size(), 1u);
  EXPECT_EQ(gRan[0].text, "child hidden");
  EXPECT_EQ(gRan[0].code, ocHide);
  // Moving the parent moves the child by the same delta.
  wall->SetVisible(true);
  wall->SetPos(12, 3);
  EXPECT_EQ(child->Fx, 22);
  EXPECT_EQ(child->Fy, 23);
  EXPECT_TRUE(child->FParentSetPos);
  child->SetParentObjName("Mover");
  EXPECT_TRUE(wall->FChildren.empty());
  EXPECT_EQ(mover->FChildren.size(), 1u);
}

TEST(AnimateObjBehaviour, DrawByStyle) {
  TDibAnimator ani;
  std::unique_ptr<TDibBaseObj> src(CreateDibObject(24));
  src->SetAttributes(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) src->PutPixel(x, y, static_cast<uint32_t>(0x102030 * (x + 1) + 0x40 * y));
  TDib24Bits target;
  target.SetAttributes(8, 4);
  auto clear = [&] { target.Bar(0, 0, 7, 3, 0x0A0B0C); };
  clear();
  const uint32_t bg = target.GetPixel(0, 0);
  TAnimateObj* o = Add(ani, src.get(), 2, 1, "Pic");
  o->FDibStyle = 0;
  clear();
  o->Draw(&target);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(target.GetPixel(2 + x, 1 + y), src->GetPixel(x, y)) << x << "," << y;
  EXPECT_EQ(target.GetPixel(1, 1), bg);
  EXPECT_EQ(target.GetPixel(5, 1), bg);
  // Mirrored.
  o->FFlipX = -1;
  clear();
  o->Draw(&target);
  EXPECT_EQ(target.GetPixel(2, 1), src->GetPixel(2, 0));
  EXPECT_EQ(target.GetPixel(4, 2), src->GetPixel(0, 1));
  // Unknown styles and origins beyond the image draw nothing; negative origins become 0.
  o->FFlipX = 1;
  o->FDibStyle = 9;
  clear();
  o->Draw(&target);
  EXPECT_EQ(target.GetPixel(2, 1), bg);
  o->FDibStyle = 0;
  o->FOriginX = 3;
  o->Draw(&target);
  EXPECT_EQ(target.GetPixel(2, 1), bg);
  o->FOriginX = -2;
  o->FOriginY = -1;
  o->Draw(&target);
  EXPECT_EQ(o->FOriginX, 0);
  EXPECT_EQ(o->FOriginY, 0);
  EXPECT_EQ(target.GetPixel(2, 1), src->GetPixel(0, 0));
  // The hot container's frame pulses: 10, 15, ..., 85, then down to 5 and up again.
  o->FContainer = true;
  ani.FHotContainer = o;
  std::vector<int> seen;
  for (int i = 0; i < 34; ++i) {
    seen.push_back(o->FHotOpacity);
    o->Draw(&target);
  }
  EXPECT_EQ(seen[15], 85);
  EXPECT_EQ(seen[16], 80);
  EXPECT_EQ(seen[31], 5);
  EXPECT_EQ(seen[32], 10);
}
