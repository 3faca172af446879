// The drawn cursor strip and the blinking caret: frame timing, what is drawn where, and the
// cases that must draw nothing.
#include <gtest/gtest.h>

#include <memory>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_factory.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/scene/dib_caret.h"

using namespace zkw;

namespace {

// A strip of `frames` 2 x 2 frames; frame f is filled with palette index f + 1, index 0 is the
// transparent colour.
std::unique_ptr<TDib8Bits> Strip(int frames) {
  auto dib = std::make_unique<TDib8Bits>();
  dib->SetAttributes(2 * frames, 2);
  for (int f = 0; f < frames; ++f) dib->Bar(2 * f, 0, 2 * f + 1, 1, static_cast<uint32_t>(f + 1));
  return dib;
}

}  // namespace

TEST(DibCursor, EachFrameLastsSpeedFramesAndLoops) {
  auto strip = Strip(4);
  TDibCursor cursor;
  TDibCursorInfoRec info;
  info.dciDib = strip.get();
  info.dciFrames = 4;
  info.dciSpeed = 3;
  cursor.SetCursor(info);
  EXPECT_EQ(cursor.FWidth, 2);
  EXPECT_EQ(cursor.FHeight, 2);
  std::vector<int> seen;
  TDib8Bits target;
  target.SetAttributes(4, 4);
  for (int i = 0; i < 14; ++i) {
    cursor.Action(&target);
    seen.push_back(cursor.FCurrentFrame);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0, 0}));
}

TEST(DibCursor, DrawsTheCurrentFrameAtTheHotSpotAndOnlyFrom8BitStrips) {
  auto strip = Strip(2);
  TDibCursor cursor;
  TDibCursorInfoRec info;
  info.dciDib = strip.get();
  info.dciFrames = 2;
  info.dciHotX = 1;
  info.dciHotY = 1;
  cursor.SetCursor(info);
  cursor.FCurrentFrame = 1;
  cursor.FX = 2;
  cursor.FY = 2;
  TDib8Bits target;
  target.SetAttributes(4, 4);
  target.Bar(0, 0, 3, 3, 9);
  cursor.DrawOn(&target);
  EXPECT_EQ(target.GetPixel(0, 0), 9u);
  EXPECT_EQ(target.GetPixel(1, 1), 2u);
  EXPECT_EQ(target.GetPixel(2, 2), 2u);
  EXPECT_EQ(target.GetPixel(3, 3), 9u);

  std::unique_ptr<TDibBaseObj> wide(CreateDibObject(24));
  wide->SetAttributes(4, 2);
  wide->Bar(0, 0, 3, 1, 0x123456);
  info.dciDib = wide.get();
  cursor.SetCursor(info);
  target.Bar(0, 0, 3, 3, 9);
  cursor.Action(&target);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(target.GetPixel(x, y), 9u);
}

TEST(DibCaret, BlinksEverySixDrawnFramesAndDrawsTwoBlackColumns) {
  TDibAnimator ani;
  TAnimateObj owner;
  owner.FParent = &ani;
  owner.Fx = 3;
  owner.Fy = 1;
  ani.SetCaretPos(2, 1);
  owner.ShowCaret(4);
  TDib24Bits frame;
  frame.SetAttributes(12, 10);
  std::vector<bool> visible;
  for (int i = 0; i < 24; ++i) {
    frame.Bar(0, 0, 11, 9, 0xFFFFFF);
    ani.FCaret.Draw(&frame);
    visible.push_back(frame.GetPixel(5, 3) != 0xFFFFFF);
  }
  std::vector<bool> expected;
  for (int i = 0; i < 24; ++i) expected.push_back((i < 5) || (i >= 11 && i < 17) || i == 23);
  EXPECT_EQ(visible, expected);

  // A visible phase: columns x = 5 and 6 from y = 2 to 6, black blended at 60 % over white.
  frame.Bar(0, 0, 11, 9, 0xFFFFFF);
  ani.FCaret.FShow = true;
  ani.FCaret.FCount = 6;
  ani.FCaret.Draw(&frame);
  EXPECT_EQ(frame.GetPixel(5, 2), frame.GetPixel(6, 6));
  EXPECT_NE(frame.GetPixel(5, 2), 0xFFFFFFu);
  EXPECT_EQ(frame.GetPixel(4, 2), 0xFFFFFFu);
  EXPECT_EQ(frame.GetPixel(7, 2), 0xFFFFFFu);
  EXPECT_EQ(frame.GetPixel(5, 1), 0xFFFFFFu);

  // Without owner nothing is drawn although the caret stays enabled.
  owner.HideCaret();
  EXPECT_TRUE(ani.FCaret.FShowCaret);
  for (int i = 0; i < 12; ++i) {
    frame.Bar(0, 0, 11, 9, 0xFFFFFF);
    ani.FCaret.Draw(&frame);
    EXPECT_EQ(frame.GetPixel(5, 3), 0xFFFFFFu);
  }
}
