// The object base: defaults, copies, the common record in both position widths.
#include <gtest/gtest.h>

#include "common/byte_stream.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/scene/record_io.h"
#include "support/scene_builder.h"

using namespace zkw;

TEST(AnimateObj, DefaultsAndCopy) {
  TAnimateObj o;
  EXPECT_EQ(o.FName, "Noname");
  EXPECT_EQ(o.FID, -1);
  EXPECT_TRUE(o.FActive && o.FEnabled && o.FShowHotrack);
  EXPECT_EQ(o.FHotOpacity, 10);
  EXPECT_EQ(o.FHotDelta, 5);
  EXPECT_EQ(o.FFlipX, 1);
  EXPECT_EQ(o.FTrans, 100);
  EXPECT_EQ(o.FDibStyle, 1);
  EXPECT_EQ(o.FHotCursor, 1);
  EXPECT_EQ(o.FHottrackColor, 0xFFFFFFu);
  EXPECT_TRUE(o.EnableClickEvent && o.EnableEndEvent && o.EnableCollideEvent);

  TDibAnimator ani;
  zkwtest::TTestKind src;
  src.FParent = &ani;
  src.FName = "Ball";
  src.FEnabled = false;
  src.Fx = 5;
  src.Fy = -6;
  src.FTrans = 40;
  src.FTag = 9;
  src.FStore1 = 2.5L;
  src.FParentName = "Box";
  src.FShowHotrack = true;
  src.EnableClickEvent = false;
  src.macroUserName = "OnTimer";
  src.Extra = 31;
  src.SetMacro(ocClick, TScriptList::FromText("click me"));
  std::unique_ptr<TAnimateObj> copy(src.NewOfSameKind());
  copy->CopyFrom(src);
  EXPECT_EQ(copy->FName, "Ball_copy");
  EXPECT_TRUE(copy->FEnabled);  // a copy is visible even when its source is hidden
  EXPECT_EQ(copy->Fx, 5);
  EXPECT_EQ(copy->Fy, -6);
  EXPECT_EQ(copy->FTrans, 40);
  EXPECT_EQ(copy->FTag, 9);
  EXPECT_EQ(copy->FStore1, 0.0L);
  EXPECT_EQ(copy->FParentName, "");
  EXPECT_FALSE(copy->FShowHotrack);
  EXPECT_FALSE(copy->EnableClickEvent);
  EXPECT_EQ(copy->macroUserName, "OnTimer");
  EXPECT_EQ(copy->FParent, &ani);
  EXPECT_EQ(dynamic_cast<zkwtest::TTestKind*>(copy.get())->Extra, 31);
  ASSERT_NE(copy->Macro(ocClick), nullptr);
  EXPECT_NE(copy->Macro(ocClick), src.Macro(ocClick));
  EXPECT_EQ(copy->Macro(ocClick)->Text(), "click me");
}

TEST(AnimateObj, CommonRecordWidthsAndScriptOrder) {
  TAnimateObj o;
  o.FName = std::string(300, 'n');  // names are cut to 255 bytes
  o.Fx = -100000;
  o.Fy = 7;
  o.SetMacro(ocDblClk, TScriptList::FromText("d"));
  o.SetMacro(ocProc, TScriptList::FromText("p"));
  o.SetMacro(ocClick, TScriptList::FromText("c"));
  TMemoryStream out;
  TRecordWriter w(&out);
  ASSERT_TRUE(o.Write(w));
  const std::vector<uint8_t>& b = out.Bytes();
  // Scripts in the writer's order: 11 first, 24 last.
  EXPECT_EQ(b[0], 3);
  EXPECT_EQ(b[2], 11);
  EXPECT_EQ(b[7], 1);
  EXPECT_EQ(b[12], 24);
  EXPECT_EQ(b[17] | (b[18] << 8), 255);

  TMemoryStream in(b);
  TRecordReader r(&in);
  TAnimateObj back;
  ASSERT_TRUE(back.ReadFromStream(r, 0x60000));
  EXPECT_EQ(back.FName, std::string(255, 'n'));
  EXPECT_EQ(back.Fx, -100000);
  EXPECT_EQ(in.Remaining(), 0);

  // Before 0x60000 positions are 16-bit and sign-extended.
  zkwtest::SceneBytes s;
  zkwtest::CommonRecord c;
  c.x = -2;
  c.y = 0x7FFF;
  zkwtest::AppendCommon(s, c, false);
  TMemoryStream old(s.b);
  TRecordReader ro(&old);
  TAnimateObj o4;
  ASSERT_TRUE(o4.ReadFromStream(ro, 0x40000));
  EXPECT_EQ(o4.Fx, -2);
  EXPECT_EQ(o4.Fy, 0x7FFF);
  EXPECT_EQ(old.Remaining(), 0);
}
