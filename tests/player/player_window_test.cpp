// The player window driven as a host would: messages, loading, play on the manual clock, frames
// read back from the window, the queued tasks, the notifications and the cursor list.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dib/dib_factory.h"
#include "exports/zkwgdi32.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/window/animator_window.h"
#include "support/scene_builder.h"
#include "support/test_support.h"

using namespace zkw;

namespace {

constexpr uint8_t kTestCode = 4;  // not assigned to any kind

// A 16 x 8 scene whose one object shows a 4 x 4 red square at (2, 1).
std::string SceneWithRedSquare(const std::string& name) {
  std::string path = zkwtest::TempPath(name);
  TDibAnimator ani;
  ani.SetDibAttr(16, 8);
  ani.SetViewTo(16, 8);
  std::unique_ptr<TDibBaseObj> dib(zkw::CreateDibObject(24));
  dib->SetAttributes(4, 4);
  dib->Bar(0, 0, 3, 3, 0x0000FF);
  ani.AddDib(dib.release());
  auto* obj = new zkwtest::TTestKind();
  obj->FStyle = kTestCode;
  obj->FName = "Square";
  obj->FID = 0;
  obj->FDibStyle = 0;
  obj->SetDibObject(ani.GetDib(0));
  obj->Fx = 2;
  obj->Fy = 1;
  ani.Append(obj);
  EXPECT_TRUE(ani.SaveToFile(zkwtest::Z(path).c_str()));
  return path;
}

// Records the notifications the window sends to itself, then lets the window have them.
std::vector<std::pair<uint32_t, uintptr_t>> gNotes;
ZWNDPROC gPlayerProc = nullptr;
intptr_t gCursorAnswer = 0;
intptr_t ZKWAPI Recorder(ZWINDOW w, uint32_t msg, uintptr_t wp, intptr_t lp) {
  if (msg == wm::ButtonEvent || msg == wm::FrameComposed || msg == wm::LoadFailed ||
      msg == wm::UserEvent || msg == wm::Dropped)
    gNotes.emplace_back(msg, wp);
  if (msg == wm::CursorChanging) return gCursorAnswer;
  return zkwCallWindowProc(gPlayerProc, w, msg, wp, lp);
}

struct PlayerWindow : ::testing::Test {
  void SetUp() override {
    gNotes.clear();
    gCursorAnswer = 0;
    zkwUseManualClock(1);
    wnd = zkwCreatePlayerWindow(nullptr, 16, 8);
    ASSERT_NE(wnd, nullptr);
    gPlayerProc = zkwSetWindowProc(wnd, Recorder);
    obj = PlayerWindowObject(static_cast<plat::HWND>(wnd));
    ASSERT_NE(obj, nullptr);
  }
  void TearDown() override {
    zkwDestroyWindow(wnd);
    zkwPumpMessages();
    zkwUseManualClock(0);
  }
  intptr_t Send(uint32_t msg, uintptr_t wp = 0, intptr_t lp = 0) { return zkwSendMessage(wnd, msg, wp, lp); }
  uint32_t Pixel(int x, int y) {
    std::vector<uint8_t> px(16 * 8 * 4);
    EXPECT_TRUE(zkwWindowPixels(wnd, px.data(), 16, 8, 64));
    const uint8_t* p = &px[(y * 16 + x) * 4];
    return static_cast<uint32_t>(p[2] | p[1] << 8 | p[0] << 16);  // as RGB() packs it
  }
  ZWINDOW wnd = nullptr;
  TAnimatorWndObj* obj = nullptr;
};

}  // namespace

TEST_F(PlayerWindow, DefaultsAndSimpleSettings) {
  EXPECT_EQ(Send(wm::GetAnimator), reinterpret_cast<intptr_t>(obj->FAnimator.get()));
  EXPECT_EQ(Send(wm::GetSubAnimator), reinterpret_cast<intptr_t>(obj->FSubAni.get()));
  EXPECT_TRUE(obj->FSubAni->ThisIsSubScene);
  EXPECT_EQ(Send(wm::GetSpeed), 40);
  EXPECT_EQ(Send(wm::GetHotCursor), 1);
  EXPECT_EQ(Send(wm::GetCursorIndex), 0);
  EXPECT_EQ(obj->FCursorList.size(), 2u);
  EXPECT_EQ(obj->FCursorList[1].dciFrames, 4);
  ASSERT_NE(obj->FCursorList[0].dciDib, nullptr);
  EXPECT_EQ(obj->FCursorList[0].dciDib->Bits(), 1);
  EXPECT_EQ(Send(plat::WM_GETDLGCODE), 133);
  EXPECT_EQ(Send(plat::WM_ERASEBKGND), 1);
  EXPECT_EQ(DAGetSysVersion(), 0x90000);
  EXPECT_EQ(obj->FAnimator->AppVarList, obj->FSubAni->AppVarList);  // shared application variables

  Send(wm::SetAlign, 2);
  EXPECT_EQ(Send(wm::GetAlign), 2);
  EXPECT_EQ(obj->FAnimator->FTextHAlign, 2);
  Send(wm::SetLayout, 2);
  EXPECT_EQ(obj->FAnimator->FTextVAlign, 8);
  Send(wm::SetAlign, 7);  // ignored
  EXPECT_EQ(Send(wm::GetAlign), 2);

  // 1093 selects which scene the per-scene messages act on.
  Send(wm::SetSceneWidth, 0, 0);
  obj->FSubAni->FWidth = 77;
  Send(wm::SelectScene, 1);
  EXPECT_EQ(Send(wm::GetSceneWidth), 77);
  Send(wm::SelectScene, 0);
  EXPECT_EQ(Send(wm::GetSceneWidth), 0);

  int32_t rect[4] = {1, 2, 3, 4}, back[4] = {};
  Send(wm::SetTextRect, 0, reinterpret_cast<intptr_t>(rect));
  Send(wm::GetTextRect, 0, reinterpret_cast<intptr_t>(back));
  EXPECT_EQ(std::vector<int32_t>(back, back + 4), std::vector<int32_t>(rect, rect + 4));
}

TEST_F(PlayerWindow, PlaysALoadedSceneOnTheTimerAndPresentsItsFrames) {
  zkwtest::ScopedTestKind kind(kTestCode);
  std::string path = SceneWithRedSquare("player_window_scene.dan");
  ASSERT_EQ(Send(wm::LoadMain, 0, reinterpret_cast<intptr_t>(zkwtest::Z(path).c_str())), 0);
  EXPECT_EQ(Send(wm::ObjectCount), 1);
  EXPECT_EQ(Send(wm::IsPlaying), 0);  // loading does not start play

  Send(wm::SetSpeed, 20);  // 50 ms frames
  Send(wm::Play, 1);
  EXPECT_EQ(Send(wm::IsPlaying), 1);
  Send(wm::SetSpeed, 40);  // no effect until the next start
  zkwAdvanceClock(49);
  EXPECT_TRUE(gNotes.empty());
  zkwAdvanceClock(1);
  ASSERT_EQ(gNotes.size(), 1u);
  EXPECT_EQ(gNotes[0].first, wm::FrameComposed);
  EXPECT_EQ(Pixel(2, 1), 0x0000FFu);
  EXPECT_EQ(Pixel(5, 4), 0x0000FFu);
  EXPECT_EQ(Pixel(6, 4), 0u);
  zkwAdvanceClock(100);
  EXPECT_EQ(gNotes.size(), 3u);

  // Paused: ticks do nothing.
  Send(wm::Pause);
  zkwAdvanceClock(100);
  EXPECT_EQ(gNotes.size(), 3u);
  Send(wm::Resume);
  Send(wm::Play, 0);
  zkwAdvanceClock(100);
  EXPECT_EQ(gNotes.size(), 3u);
  // The next start uses the speed set meanwhile.
  Send(wm::Play, 1);
  zkwAdvanceClock(25);
  EXPECT_EQ(gNotes.size(), 4u);
}

TEST_F(PlayerWindow, FailedLoadsReturnMinusOneOrReportThroughTheQueue) {
  std::u16string missing = u"/no/such/scene.dan";
  EXPECT_EQ(Send(wm::LoadMain, 0, reinterpret_cast<intptr_t>(missing.c_str())), -1);
  EXPECT_EQ(obj->FAnimator->Count(), 0);
  EXPECT_EQ(obj->FSubAni->Count(), 0);

  gNotes.clear();
  Send(wm::QueueTask, 1, reinterpret_cast<intptr_t>("/no/such/queued.dan"));
  Send(wm::Play, 1);
  zkwAdvanceClock(25);
  bool reported = false;
  for (auto& n : gNotes) reported |= n.first == wm::LoadFailed && n.second == 1;
  EXPECT_TRUE(reported);
  std::u16string error(300, u'\0');
  Send(wm::GetErrorString, 0, reinterpret_cast<intptr_t>(error.data()));
  EXPECT_EQ(std::u16string(error.c_str()), u"/no/such/queued.dan");
}

TEST_F(PlayerWindow, KeysAndCursors) {
  Send(wm::Play, 1);

  // Cursor choice on mouse moves: the host may keep the current cursor.
  Send(wm::SelectCursor, 1);
  EXPECT_EQ(Send(wm::GetCursorIndex), 1);
  gCursorAnswer = 1;
  Send(plat::WM_MOUSEMOVE, 0, (3 << 16) | 3);
  EXPECT_EQ(Send(wm::GetCursorIndex), 1);
  gCursorAnswer = 0;
  Send(plat::WM_MOUSEMOVE, 0, (3 << 16) | 3);
  EXPECT_EQ(Send(wm::GetCursorIndex), 0);  // nothing hot: the default cursor
  Send(wm::SelectCursor, 5);               // beyond the list: ignored
  EXPECT_EQ(Send(wm::GetCursorIndex), 0);

  TCursorAddRec rec{};
  std::unique_ptr<TDibBaseObj> strip(zkw::CreateDibObject(8));
  strip->SetAttributes(8, 4);
  rec.Dib = reinterpret_cast<uintptr_t>(strip.release());
  rec.Frames = 2;
  rec.Speed = 0;
  EXPECT_EQ(Send(wm::AddCursorFromDib, 0, reinterpret_cast<intptr_t>(&rec)), 2);
  EXPECT_EQ(obj->FCursorList[2].dciSpeed, 1);
  // Stopping play resets the list to the two built-in strips with index 0 selected.
  Send(wm::Play, 0);
  EXPECT_EQ(obj->FCursorList.size(), 2u);
  EXPECT_EQ(Send(wm::GetCursorIndex), 0);
}
