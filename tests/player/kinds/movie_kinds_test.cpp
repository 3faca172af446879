// Movies and buttons: frame sequences over action steps, loops and the end of a movie, the
// common motion (bounce with mirroring, restart points), frame events, drawing of the current
// frame, button states by mouse, up-down groups.
#include <gtest/gtest.h>

#include "kind_test_support.h"
#include "player/kinds/button_obj.h"
#include "player/kinds/movie_ex_obj.h"
#include "player/kinds/movie_obj.h"

using namespace zkw;
using kindtest::KindScene;

namespace {

const std::vector<uint32_t> kColors = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};

struct Movies : KindScene {
  TDibMovieObj* Movie(int from, int to, bool ret) {
    int32_t id = AddStrip(2, 2, kColors);
    auto* m = Add<TDibMovieObj>("M");
    m->FID = static_cast<int16_t>(id);
    m->FDib = ani.GetDib(id);
    m->FMaxCount = 6;
    m->FStartFrame = static_cast<int16_t>(from);
    m->FEndFrame = static_cast<int16_t>(to);
    m->FReturn = ret;
    m->FDibStyle = 0;
    m->FWidth = m->FHeight = 2;
    m->SetMacro(ocUser, TScriptList::FromText("frame"));
    return m;
  }
  std::vector<int> Frames(TDibMovieObj* m, int steps) {
    std::vector<int> r;
    for (int i = 0; i < steps; ++i) {
      ani.DoAction(ani.FDib);
      r.push_back(m->FCount);
    }
    return r;
  }
};

}  // namespace

TEST_F(Movies, ReversedRangeWithoutReturnPlaysDownAndWraps) {
  TDibMovieObj* m = Movie(5, 2, false);
  ani.BeforePlay();
  EXPECT_EQ(m->FCount, 5);
  EXPECT_EQ(m->FDCount, -1);
  EXPECT_EQ(m->FStartFrame, 2);  // the range was put in order
  EXPECT_EQ(Frames(m, 6), (std::vector<int>{4, 3, 2, 5, 4, 3}));
  // The frame event carries the old and the new frame; the wrap passes through frame 1.
  auto ev = EventsOf(m, 17);
  ASSERT_GE(ev.size(), 5u);
  EXPECT_EQ(ev[0].Value1, 5);
  EXPECT_EQ(ev[0].Value2, 4);
  EXPECT_EQ(ev[3].Value1, 2);
  EXPECT_EQ(ev[3].Value2, 1);
  EXPECT_EQ(ev[4].Value1, 1);
  EXPECT_EQ(ev[4].Value2, 5);
}

TEST_F(Movies, PingPongWithSpeedAndFrameProperty) {
  TDibMovieObj* m = Movie(1, 3, true);
  m->FSpeed = 2;
  ani.BeforePlay();
  // Two action steps per frame; at either end the end frame is shown again as the step turns.
  EXPECT_EQ(Frames(m, 10), (std::vector<int>{1, 2, 2, 3, 3, 3, 3, 2, 2, 1}));
  kindtest::gEvents.clear();
  long double v;
  std::string s;
  m->SetValue(130, "", 6);
  EXPECT_EQ(m->GetValue(130, v, s), 2);
  EXPECT_EQ(v, 6);
  EXPECT_TRUE(kindtest::gEvents.empty());  // writing Frame raises no frame event
}

TEST_F(Movies, LoopCountEndsOnLastFrameRunsEndOnceAndDies) {
  TDibMovieObj* m = Movie(1, 3, false);
  m->FLoopCount = 2;
  m->FAutoDie = true;
  m->SetMacro(ocEnd, TScriptList::FromText("end"));
  ani.BeforePlay();
  EXPECT_EQ(Frames(m, 8), (std::vector<int>{2, 3, 1, 2, 3, 3, 3, 3}));
  EXPECT_FALSE(m->FActive);
  EXPECT_FALSE(m->FEnabled);
  auto ends = EventsOf(m, 3);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].Value1, 0);
}

TEST_F(Movies, BounceMirrorsAndRestartPoints) {
  TDibMovieObj* m = Movie(1, 1, false);
  m->Fx = 10;
  m->FDx = 5;
  m->FRegion = {0, 0, 18, 50};
  m->FFlip = true;
  m->SetMacro(ocCollide, TScriptList::FromText("bump"));
  m->SetMacro(ocMove, TScriptList::FromText("moved"));
  ani.BeforePlay();
  std::vector<int> xs;
  for (int i = 0; i < 4; ++i) {
    ani.DoAction(ani.FDib);
    xs.push_back(m->Fx);
  }
  EXPECT_EQ(xs, (std::vector<int>{15, 20, 15, 10}));
  EXPECT_EQ(m->FDx, -5);
  EXPECT_EQ(m->FFlipX, -1);
  auto bumps = EventsOf(m, 6);
  ASSERT_EQ(bumps.size(), 1u);
  EXPECT_EQ(bumps[0].Value2, 2);  // right edge
  auto moves = EventsOf(m, 2);
  ASSERT_EQ(moves.size(), 4u);
  EXPECT_EQ(moves[0].Value1, 5);
  EXPECT_EQ(moves[2].Value1, -5);

  // Without bouncing the object returns to its start point.
  m->FBounce = false;
  m->FDx = 10;
  m->FFromX = 3;
  m->FFromY = 4;
  m->Fx = 15;
  ani.DoAction(ani.FDib);
  EXPECT_EQ(m->Fx, 3);
  // A random restart lands inside the region.
  m->FIsRandom = true;
  m->Fx = 15;
  ani.DoAction(ani.FDib);
  EXPECT_GE(m->Fx, 0);
  EXPECT_LE(m->Fx, 18);
  // A step in which the parent moved the object does not move it again.
  int x = m->Fx;
  m->FDx = 1;
  m->FParentSetPos = true;
  ani.DoAction(ani.FDib);
  EXPECT_EQ(m->Fx, x);
  EXPECT_FALSE(m->FParentSetPos);
  // Scrolling moves the start point and region too, even when locked.
  m->FLocked = true;
  m->ShiftBy(-7, 2);
  EXPECT_EQ(m->Fx, x);
  EXPECT_EQ(m->FFromX, -4);
  EXPECT_EQ(m->FRegion.right, 11);
  EXPECT_EQ(m->FRegion.bottom, 52);
}

TEST_F(Movies, DrawsTheCurrentFrameAndItsShadow) {
  TDibMovieObj* m = Movie(1, 6, false);
  m->Fx = 10;
  m->Fy = 5;
  ani.BeforePlay();
  m->SetValue(130, "", 3);
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FDib->GetPixel(10, 5), Ref(kColors[2]));
  EXPECT_EQ(ani.FDib->GetPixel(11, 6), Ref(kColors[2]));
  EXPECT_EQ(ani.FDib->GetPixel(12, 5), Ref(0xFFFFFF));
  EXPECT_EQ(m->FWidth, 2);
  EXPECT_EQ(m->FHeight, 2);
  // Stacked strips take the frame from a row of frames.
  int32_t id = AddStrip(3, 1, kColors, true);
  m->FID = static_cast<int16_t>(id);
  m->FDib = ani.GetDib(id);
  m->FOrient = 1;
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(m->FWidth, 3);
  EXPECT_EQ(m->FHeight, 1);
  EXPECT_EQ(ani.FDib->GetPixel(12, 5), Ref(kColors[2]));
  // Hit test inside the current frame.
  EXPECT_TRUE(m->PtInObject(12, 5));
  EXPECT_FALSE(m->PtInObject(13, 5));
  // Reset through the play hook: range 4..2 plays down from 4.
  kindtest::gEvents.clear();
  EXPECT_TRUE(m->PlayFrames(4, 2));
  EXPECT_EQ(m->FCount, 4);
  EXPECT_EQ(m->FDCount, -1);
  EXPECT_EQ(EventsOf(m, 17).size(), 1u);
}

TEST_F(Movies, ItemMovieJumpsToItemPositionsAndRaisesIndexEvents) {
  int32_t id = AddStrip(2, 2, kColors);
  auto* m = Add<TDibMovieExObj>("X");
  m->FID = static_cast<int16_t>(id);
  m->FDib = ani.GetDib(id);
  m->FMaxFrames = 6;
  m->FItems = {{2, 1, 10, 20}, {4, 2, 30, 40}, {6, 1, 50, 60}};
  m->FPlayFrom = 1;
  m->FPlayTo = 3;
  m->SetMacro(ocUser, TScriptList::FromText("item"));
  ani.BeforePlay();
  std::vector<int> frames, xs;
  for (int i = 0; i < 6; ++i) {
    ani.DoAction(ani.FDib);
    frames.push_back(m->FFrame);
    xs.push_back(m->Fx);
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 4, 4, 6, 2, 4}));
  EXPECT_EQ(xs, (std::vector<int>{10, 30, 30, 50, 10, 30}));
  auto ev = EventsOf(m, 17);
  ASSERT_GE(ev.size(), 2u);
  EXPECT_EQ(ev[0].Value1, 1);
  EXPECT_EQ(ev[0].Value2, 2);
  int32_t x, y;
  EXPECT_TRUE(m->PosOfFrame(2, x, y));
  EXPECT_EQ(y, 40);
}

TEST_F(Movies, ButtonStatesFramesAndClicks) {
  int32_t id = AddStrip(2, 2, kColors);
  auto* b = Add<TDibButton>("B");
  b->FID = static_cast<int16_t>(id);
  b->FDib = ani.GetDib(id);
  b->FFrames = 6;
  b->FNormalStart = 1, b->FNormalEnd = 2, b->FHotStart = 3, b->FHotEnd = 4, b->FPressedStart = 5, b->FPressedEnd = 6;
  b->FEvent = 42;
  b->FWidth = b->FHeight = 2;
  b->FDibStyle = 0;
  b->SetMacro(ocClick, TScriptList::FromText("click"));
  std::vector<std::pair<int, int>> host;
  int hostEvent = 0;
  ani.FOnMouseEvent = [&](TDibAnimator*, TMouseTask t, uint16_t id16, TAnimateObj*, bool&) { host.push_back({t, id16}); };
  ani.FOnEvent = [&](TDibAnimator*, int32_t e) { hostEvent = e; };
  ani.BeforePlay();
  std::vector<int> frames;
  for (int i = 0; i < 3; ++i) {
    ani.DoAction(ani.FDib);
    frames.push_back(b->FCurrentFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 1, 2}));
  ani.MouseMove(1, 1);
  EXPECT_EQ(b->FCurrentFrame, 3);
  ASSERT_EQ(host.size(), 1u);
  EXPECT_EQ(host[0], std::make_pair(static_cast<int>(mtOver), 42));
  ani.MouseDown(1, 1);
  EXPECT_EQ(b->FCurrentFrame, 5);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FDib->GetPixel(0, 0), Ref(kColors[4]));
  ani.MouseUp(1, 1);
  EXPECT_EQ(hostEvent, 42);
  EXPECT_EQ(EventsOf(b, ocClick).size(), 1u);
  EXPECT_EQ(b->FCurrentFrame, 3);  // back to hot: the mouse is still over it
  ani.MouseMove(50, 50);
  EXPECT_EQ(b->FCurrentFrame, 1);
  EXPECT_EQ(host.back(), std::make_pair(static_cast<int>(mtLeave), 42));

  // Recycled ranges play back and forth.
  b->FRecycled = true;
  b->FNormalEnd = 3;
  b->SetStates(TDibButton::bsNormal);
  frames.clear();
  for (int i = 0; i < 6; ++i) {
    ani.DoAction(ani.FDib);
    frames.push_back(b->FCurrentFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 3, 2, 1, 2, 3}));
}

TEST_F(Movies, UpDownButtonsOfAGroupReleaseEachOther) {
  int32_t id = AddStrip(2, 2, kColors);
  auto make = [&](const char* name, int x) {
    auto* b = Add<TDibButton>(name);
    b->FID = static_cast<int16_t>(id);
    b->FDib = ani.GetDib(id);
    b->FFrames = 6;
    b->FWidth = b->FHeight = 2;
    b->FDibStyle = 0;
    b->Fx = x;
    b->FUpDownButton = true;
    b->FGroupID = 7;
    b->SetMacro(ocClick, TScriptList::FromText(name));
    return b;
  };
  TDibButton* a = make("A", 0);
  TDibButton* c = make("C", 10);
  ani.BeforePlay();
  auto click = [&](int x) {
    ani.MouseDown(x, 1);
    ani.MouseUp(x, 1);
  };
  click(0);
  EXPECT_TRUE(a->FDowned);
  click(10);
  EXPECT_TRUE(c->FDowned);
  EXPECT_FALSE(a->FDowned);
  EXPECT_EQ(ani.GetButtonID(7), a);
  click(10);  // a grouped button stays down and still clicks
  EXPECT_TRUE(c->FDowned);
  EXPECT_EQ(EventsOf(c, ocClick).size(), 2u);
  // A lone up-down button toggles; being released from down runs no click script.
  c->FGroupID = 0;
  click(10);
  EXPECT_FALSE(c->FDowned);
  EXPECT_EQ(EventsOf(c, ocClick).size(), 2u);
  click(10);
  EXPECT_TRUE(c->FDowned);
  EXPECT_EQ(EventsOf(c, ocClick).size(), 3u);
}

TEST_F(Movies, MovingButtonShowsItsMoviesFrameAndDrawsInItsActionStep) {
  TDibMovieObj* m = Movie(2, 5, false);
  m->Fx = 100;
  int32_t id = AddStrip(2, 2, kColors);
  auto* b = Add<TMoveButton>("B");
  // The button comes after the movie in the list, so it sees the frame the movie just took.
  b->FID = static_cast<int16_t>(id);
  b->FDib = ani.GetDib(id);
  b->FFrames = 6;
  b->FWidth = b->FHeight = 2;
  b->FDibStyle = 0;
  b->Fx = 20, b->Fy = 10;
  b->FDx = b->FDy = 0;
  b->FSyncObjID = 0;
  b->FSyncNormal = 2;
  b->FSyncPressed = 1;
  ani.BeforePlay();
  ASSERT_EQ(b->FSyncObj, m);
  ani.FDib->Bar(0, 0, 199, 99, 0xFFFFFF);
  std::vector<int> movie, button;
  std::vector<uint32_t> pixels;
  for (int i = 0; i < 5; ++i) {
    ani.DoAction(ani.FDib);  // no draw step: the button draws itself
    movie.push_back(m->FCount);
    button.push_back(b->FCurrentFrame);
    pixels.push_back(ani.FDib->GetPixel(20, 10));
  }
  EXPECT_EQ(movie, (std::vector<int>{3, 4, 5, 2, 3}));
  EXPECT_EQ(button, (std::vector<int>{4, 5, 6, 3, 4}));  // offset by SyncNormal - 1
  EXPECT_EQ(pixels, (std::vector<uint32_t>{Ref(kColors[3]), Ref(kColors[4]), Ref(kColors[5]), Ref(kColors[2]),
                                           Ref(kColors[3])}));
  // Pressed, the offset is SyncPressed - 1: the movie's own frame.
  ani.MouseDown(20, 10);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(b->FCurrentFrame, m->FCount);
}
