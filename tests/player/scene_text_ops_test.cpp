// Text that scripts draw and measure without a text object: the frame bitmap's own font.
#include <gtest/gtest.h>

#include "dib/dib24.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"

using namespace zkw;

TEST(SceneTextOps, PlainTextGoesOnTheFrameBufferInTheBitmapFont) {
  TDibAnimator ani;
  ani.SetDibAttr(64, 32);
  ani.SetViewTo(64, 32);
  ani.FDib->Bar(0, 0, 63, 31, 0xFFFFFF);
  int32_t width = ani.DATextWidth(nullptr, "Hi");
  int32_t height = ani.DATextHeight(nullptr, "Hi");
  EXPECT_GT(width, 4);
  EXPECT_GT(height, 6);
  // A decoded escape counts as one character: as wide as the letter it stands for.
  EXPECT_EQ(ani.DATextWidth(nullptr, "&#72#i"), width);
  EXPECT_EQ(ani.DATextOut(nullptr, 10, 5, "Hi"), width);
  int changed = 0, outside = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) {
      if (ani.FDib->GetPixel(x, y) == 0xFFFFFFu) continue;
      ++changed;
      if (x < 10 || x >= 10 + width || y < 5 || y >= 5 + height) ++outside;
    }
  EXPECT_GT(changed, 4);
  EXPECT_EQ(outside, 0);

  // An object of a kind without a font of its own also uses the bitmap's font.
  TAnimateObj plain;
  EXPECT_EQ(ani.DATextWidth(&plain, "Hi"), width);
}
