// A scene holding one object of every image and effect kind, as the registry makes them: saved
// to its file, read back, played and saved again, it keeps its records; the kinds draw into the
// frame buffer while it plays.
#include <gtest/gtest.h>

#include <memory>

#include "base/last_error.h"
#include "dib/dib8.h"
#include "kind_test_support.h"
#include "player/objects/kind_registry.h"
#include "support/test_support.h"

using namespace zkw;
using kindtest::KindScene;

namespace {

const int kImageKinds[] = {0, 1, 2, 3, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 41};

// An 8-bit 24 x 16 image with a palette ramp, for the kinds that change palettes.
int32_t AddRamp(TDibAnimator& ani) {
  std::unique_ptr<TDibBaseObj> dib(CreateDibObject(8));
  dib->SetAttributes(24, 16);
  for (int i = 0; i < 256; ++i) {
    dib->DibPal[i].rgbRed = static_cast<uint8_t>(i);
    dib->DibPal[i].rgbGreen = static_cast<uint8_t>(255 - i);
    dib->DibPal[i].rgbBlue = static_cast<uint8_t>(i / 2);
  }
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x) dib->PutPixel(x, y, static_cast<uint32_t>(10 + (x + y) % 8));
  return ani.AddDib(dib.release());
}

}  // namespace

TEST_F(KindScene, EveryImageKindLoadsPlaysAndSavesBack) {
  int32_t strip = AddStrip(12, 16, {0x2040F0, 0x20F040, 0xF04020});
  int32_t ramp = AddRamp(ani);
  int x = 0;
  for (int code : kImageKinds) {
    TAnimateObj* o = CreateObjectOfKind(static_cast<uint8_t>(code));
    ASSERT_NE(o, nullptr) << code;
    ASSERT_EQ(o->FStyle, code);
    o->FParent = &ani;
    o->FName = "kind" + std::to_string(code);
    if (code != 0 && code != 22 && code != 24) {
      int32_t id = code == 19 || code == 23 ? ramp : strip;
      o->FID = static_cast<int16_t>(id);
      o->FDib = ani.GetDib(id);
      o->FWidth = static_cast<int16_t>(std::min(o->FDib->Width(), 24));
      o->FHeight = static_cast<int16_t>(o->FDib->Height());
    } else {
      o->FWidth = 24;
      o->FHeight = 16;
    }
    o->Fx = x % 180;
    o->Fy = 10 + 20 * (x / 180);
    x += 30;
    ani.Append(o);
  }
  std::string path = zkwtest::TempPath("image_kinds.dan");
  ASSERT_TRUE(ani.SaveToFile(zkwtest::Z(path).c_str())) << LastErrorText();
  std::vector<uint8_t> written = zkwtest::ReadFileBytes(path);

  TDibAnimator played;
  ASSERT_TRUE(played.LoadFromFile(zkwtest::Z(path).c_str())) << LastErrorText();
  ASSERT_EQ(played.Count(), static_cast<int32_t>(std::size(kImageKinds)));
  EXPECT_EQ(kindtest::Save(played), written);  // read back identically

  played.BeforePlay();
  played.FDib->Bar(0, 0, played.FDib->Width() - 1, played.FDib->Height() - 1, 0);
  for (int i = 0; i < 12; ++i) {
    played.DoAction(played.FDib);
    played.DoDraw(played.FDib);
  }
  int lit = 0;
  for (int py = 0; py < 100; ++py)
    for (int px = 0; px < 200; ++px) lit += played.FDib->GetPixel(px, py) != 0;
  EXPECT_GT(lit, 2000);

  // The played scene saves and reads back to the same bytes again, through its own file.
  std::vector<uint8_t> afterPlay = kindtest::Save(played);
  ASSERT_TRUE(played.SaveToFile(zkwtest::Z(path).c_str()));
  EXPECT_EQ(zkwtest::ReadFileBytes(path), afterPlay);
  TDibAnimator reread;
  ASSERT_TRUE(reread.LoadFromFile(zkwtest::Z(path).c_str())) << LastErrorText();
  EXPECT_EQ(kindtest::Save(reread), afterPlay);
}
