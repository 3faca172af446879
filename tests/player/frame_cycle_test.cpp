// The frame cycle stepped by hand: deferred deletions, key scripts, queued z-order moves, the
// draw step into the frame buffer with exact pixels, fades, scrolling, play start.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dib/dib24.h"
#include "dib/dib_factory.h"
#include "player/objects/animate_obj.h"
#include "fonts/dib_font.h"
#include "player/scene/dib_animator.h"
#include "support/font_builders.h"
#include "text/scene_text.h"

using namespace zkw;

namespace {

std::vector<std::string> gLog;
bool gKeys[256];

void Runner(TDibAnimator* ani, TAnimateObj* obj, TScriptList* list, int32_t code) {
  std::string text = list->Text();
  gLog.push_back(text + "@" + std::to_string(code) + ":" + std::to_string(ani->FEventValue1) + "," +
                 std::to_string(ani->FEventValue2));
  if (text == "delete me") ani->DeleteThis(obj);
  if (text == "to front") ani->PrepareMove(0, obj, nullptr);
}

bool KeyDown(int32_t vk) { return gKeys[vk & 0xFF]; }

struct SceneCycle : ::testing::Test {
  void SetUp() override {
    gLog.clear();
    std::fill(std::begin(gKeys), std::end(gKeys), false);
    gEventScriptRunner = Runner;
    ani.FKeyDown = KeyDown;
    ani.SetDibAttr(200, 100);
    ani.SetViewTo(8, 4);
    ani.FSceneReady = true;
  }
  void TearDown() override { gEventScriptRunner = nullptr; }

  // A solid one-colour 24-bit image and an object showing it with style 0.
  TAnimateObj* Solid(uint32_t color, int x, int y, int w, int h, const std::string& name) {
    std::unique_ptr<TDibBaseObj> dib(CreateDibObject(24));
    dib->SetAttributes(w, h);
    dib->Bar(0, 0, w - 1, h - 1, color);
    int32_t id = ani.AddDib(dib.release());
    auto* o = new TAnimateObj();
    o->FParent = &ani;
    o->FName = name;
    o->FID = static_cast<int16_t>(id);
    o->SetDibObject(ani.GetDib(id));
    o->FDibStyle = 0;
    o->Fx = x;
    o->Fy = y;
    ani.Append(o);
    return o;
  }
  uint32_t Reference(uint32_t color) {
    TDib24Bits ref;
    ref.SetAttributes(1, 1);
    ref.Bar(0, 0, 0, 0, color);
    return ref.GetPixel(0, 0);
  }

  TDibAnimator ani;
};

}  // namespace

TEST_F(SceneCycle, FrameBufferDrawOrderAndQueuedMoves) {
  ASSERT_NE(ani.FDib, nullptr);
  EXPECT_EQ(ani.FDib->Width(), 8);
  EXPECT_EQ(ani.FDib->Height(), 4);
  TAnimateObj* back = Solid(0x0000FF, 0, 0, 4, 4, "Back");
  TAnimateObj* front = Solid(0x00FF00, 2, 1, 4, 2, "Front");
  ani.FDib->Bar(0, 0, 7, 3, 0);
  ani.DoDraw(ani.FDib);
  const uint32_t red = Reference(0x0000FF), green = Reference(0x00FF00), black = Reference(0);
  EXPECT_EQ(ani.FDib->GetPixel(1, 1), red);
  EXPECT_EQ(ani.FDib->GetPixel(2, 1), green);  // the tail is drawn last
  EXPECT_EQ(ani.FDib->GetPixel(5, 2), green);
  EXPECT_EQ(ani.FDib->GetPixel(6, 2), black);
  EXPECT_EQ(ani.FDib->GetPixel(3, 3), red);

  // The back object's action script queues a move to the front, applied after all actions.
  back->SetMacro(ocAction, TScriptList::FromText("to front"));
  ani.DoAction(ani.FDib);
  EXPECT_EQ(ani.GetObject(1), back);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FDib->GetPixel(2, 1), red);
  EXPECT_EQ(ani.FDib->GetPixel(5, 1), green);
  // Hidden objects are neither drawn nor asked to act.
  gLog.clear();
  back->FEnabled = false;
  ani.FDib->Bar(0, 0, 7, 3, 0);
  ani.DoAction(ani.FDib);
  ani.DoDraw(ani.FDib);
  EXPECT_TRUE(gLog.empty());
  EXPECT_EQ(ani.FDib->GetPixel(1, 1), black);
  (void)front;
}

TEST_F(SceneCycle, DeletionWaitsForTheNextActionStep) {
  TAnimateObj* a = Solid(0xFF, 0, 0, 1, 1, "A");
  Solid(0xFF, 0, 0, 1, 1, "B");
  static int deleted = 0;
  deleted = 0;
  a->FOnDeleted = [](TAnimateObj*) { ++deleted; };
  a->SetMacro(ocAction, TScriptList::FromText("delete me"));
  ani.SetFocusedObj(a);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(ani.Count(), 2);  // marked, still in the list
  EXPECT_EQ(ani.FFocused, nullptr);
  EXPECT_EQ(deleted, 0);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(ani.Count(), 1);
  EXPECT_EQ(ani.GetObject(0)->FName, "B");
  // Nothing runs while paused or not ready.
  ani.FPaused = true;
  ani.GetObject(0)->SetMacro(ocAction, TScriptList::FromText("act"));
  gLog.clear();
  ani.DoAction(ani.FDib);
  EXPECT_TRUE(gLog.empty());
}

TEST_F(SceneCycle, KeyScripts) {
  ani.macroDownKeys[2] = TScriptList::FromText("right down");
  ani.macroUpKeys[2] = TScriptList::FromText("right up");
  ani.macroDownKeys[6] = TScriptList::FromText("return down");
  gKeys[0x27] = true;
  for (int i = 0; i < 3; ++i) ani.DoAction(ani.FDib);
  gKeys[0x27] = false;
  ani.DoAction(ani.FDib);
  ani.DoAction(ani.FDib);
  EXPECT_EQ(gLog, (std::vector<std::string>{"right down@0:0,0", "right down@0:0,0", "right down@0:0,0",
                                            "right up@0:0,0"}));
  // A focused object that takes keys leaves only Return and Escape to the scene.
  TAnimateObj* edit = Solid(0, 0, 0, 1, 1, "Edit");
  edit->FKeysNeeded = true;
  ani.SetFocusedObj(edit);
  gLog.clear();
  gKeys[0x27] = gKeys[0x0D] = true;
  ani.DoAction(ani.FDib);
  EXPECT_EQ(gLog, (std::vector<std::string>{"return down@0:0,0"}));
}

TEST_F(SceneCycle, FadesCoverTheViewAndFadeOutRepeats) {
  ani.macroOnFadeOut = TScriptList::FromText("faded");
  const uint32_t white = Reference(0xFFFFFF), black = Reference(0);
  ani.FadeIn(-60, 0xFFFFFF);  // delta taken as 60, level 0: first frame fully covered
  ani.FDib->Bar(0, 0, 7, 3, 0);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FDib->GetPixel(7, 3), white);
  EXPECT_EQ(ani.FCurrentFade, 60);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FCurrentFade, 100);
  ani.FDib->Bar(0, 0, 7, 3, 0);
  ani.DoDraw(ani.FDib);  // faded in: nothing covered
  EXPECT_EQ(ani.FDib->GetPixel(0, 0), black);

  ani.FadeOut(50, 0xFFFFFF);
  ani.DoDraw(ani.FDib);  // opacity 0
  EXPECT_EQ(ani.FDib->GetPixel(0, 0), black);
  EXPECT_EQ(ani.FCurrentFade, 50);
  EXPECT_TRUE(gLog.empty());
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FCurrentFade, 0);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FDib->GetPixel(0, 0), white);
  EXPECT_EQ(gLog, (std::vector<std::string>{"faded@33:0,0", "faded@33:0,0"}));
}

TEST_F(SceneCycle, ScrollingPlayStartAndCopies) {
  TAnimateObj* moving = Solid(0, 10, 10, 1, 1, "Moving");
  TAnimateObj* locked = Solid(0, 3, 3, 1, 1, "Locked");
  locked->FLocked = true;
  ani.macroOnScroll = TScriptList::FromText("scrolled");
  ani.Scroll(500, 20);  // stops at the edges: view 8 x 4, scene 200 x 100
  EXPECT_EQ(ani.FXPos, -192);
  EXPECT_EQ(ani.FYPos, -20);
  EXPECT_EQ(moving->Fx, 10 - 192);
  EXPECT_EQ(moving->Fy, -10);
  EXPECT_EQ(locked->Fx, 3);
  EXPECT_EQ(gLog.back(), "scrolled@31:-192,-20");
  ani.ScrollTo(0, 0);
  EXPECT_EQ(ani.FXPos, 0);
  EXPECT_EQ(moving->Fx, 10);
  ani.SetPositionX(-5);
  EXPECT_EQ(moving->Fx, 5);
  ani.SetPositionY(7);  // limited to 0
  EXPECT_EQ(ani.FYPos, 0);

  moving->FParentName = "locked";
  ani.macroOnInit = TScriptList::FromText("init");
  gLog.clear();
  ani.BeforePlay();
  EXPECT_EQ(moving->FIndex, 1);
  EXPECT_EQ(locked->FIndex, 2);
  ASSERT_EQ(locked->FChildren.size(), 1u);
  EXPECT_EQ(gLog, (std::vector<std::string>{"init@32:0,0"}));

  TAnimateObj* copy = ani.NewFrom(moving);
  EXPECT_EQ(ani.GetObject(1), copy);
  EXPECT_EQ(ani.CurrentObj, copy);
  EXPECT_EQ(copy->FName, "Moving_copy");
}

TEST_F(SceneCycle, TextBlockPlacement) {
  zkwtest::FontBuilder builder(5, 4);
  for (int slot = 0; slot < 238; ++slot) builder.Solid(slot, 2, 255);
  std::unique_ptr<TDibFont> font = builder.Load();
  ani.SetViewTo(40, 30);
  ani.FFont = font.get();
  ani.FTextRect = {2, 3, 38, 27};
  const char text[] = "ab cd";
  ani.SetText(text, 5);
  for (uint16_t v : {0, 1, 8}) {
    for (uint16_t h : {0, 1, 2}) {
      ani.FTextVAlign = v;
      ani.FTextHAlign = h;
      ani.FDib->Bar(0, 0, 39, 29, 0);
      ani.DoDraw(ani.FDib);
      // The same text drawn straight into the rectangle moved to where the block belongs.
      auto expected = zkwtest::Canvas(40, 30, 0);
      ZString wide = DecodeSceneText("ab cd");
      TFontRect rect{2, 3, 38, 27};
      int32_t height = font->CalcText(rect, wide.c_str(), 5);
      rect.top = v == 0 ? 3 : v == 1 ? 3 + (24 - height) / 2 : 3 + 24 - height;
      font->DrawText(rect, wide.c_str(), 5, expected.get(), static_cast<uint16_t>(kDtWordBreak | h));
      int differ = 0, lit = 0;
      for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
          differ += ani.FDib->GetPixel(x, y) != expected->GetPixel(x, y);
          lit += ani.FDib->GetPixel(x, y) != 0;
        }
      EXPECT_EQ(differ, 0) << v << " " << h;
      EXPECT_GT(lit, 0) << v << " " << h;
    }
  }
  ani.SetText(nullptr, 5);
  ani.FDib->Bar(0, 0, 39, 29, 0);
  ani.DoDraw(ani.FDib);
  EXPECT_EQ(ani.FDib->GetPixel(3, 4), 0u);
}

TEST_F(SceneCycle, PaintCopiesTheFrameBufferAndSubScenesShareIt) {
  // A 24-bit DIB section selected into a memory device context receives the frame.
  plat::BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(plat::BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 12;
  info.bmiHeader.biHeight = 6;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  plat::HBITMAP target = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(target, nullptr);
  TDib24Bits view;
  view.AttachBitmap(target);
  view.Bar(0, 0, 11, 5, 0);
  plat::HDC dc = plat::CreateCompatibleDC(nullptr);
  plat::HGDIOBJ old = plat::SelectObject(dc, target);
  Solid(0x0000FF, 1, 1, 2, 2, "Red");
  ani.FDib->Bar(0, 0, 7, 3, 0x00FF00);
  ani.Draw(dc, 3, 2);
  const uint32_t red = Reference(0x0000FF), green = Reference(0x00FF00), black = Reference(0);
  EXPECT_EQ(view.GetPixel(2, 2), black);
  EXPECT_EQ(view.GetPixel(3, 2), green);
  EXPECT_EQ(view.GetPixel(4, 3), red);
  EXPECT_EQ(view.GetPixel(10, 5), green);
  EXPECT_EQ(view.GetPixel(11, 5), black);
  plat::SelectObject(dc, old);
  plat::DeleteDC(dc);

  TDibAnimator sub;
  sub.WorkWith(&ani);
  EXPECT_FALSE(sub.FSetAttr);
  EXPECT_EQ(sub.FDib, ani.FDib);
  sub.Empty();  // a sub-scene never frees the buffer it shares
  EXPECT_EQ(sub.FDib, ani.FDib);
  plat::DeleteObject(target);
}
