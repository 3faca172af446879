// The colour selection dialog: its logic without a window (swatches, system colours, the field
// and bar, keys), and the modal dialog driven through the host's modal hook.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "colour/hls.h"
#include "dialogs/color_selector.h"
#include "dialogs/color_selector_window.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_window.h"

namespace {

using namespace zkw;
using P = TSelectorPart;

plat::POINT Centre(const plat::RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(ColorSelector, SwatchesFieldAndKeys) {
  EXPECT_EQ(TColorSelector::StandardColor(0), zkw::HLStoRGB(0, 192, 255));
  EXPECT_EQ(TColorSelector::StandardColor(12 + 4), zkw::HLStoRGB(85, 160, 255));
  EXPECT_EQ(TColorSelector::StandardColor(48), 0u);         // greys: black ..
  EXPECT_EQ(TColorSelector::StandardColor(53), 0x747474u);  // Round(5 x 255 / 11) = 116
  EXPECT_EQ(TColorSelector::StandardColor(59), 0xFFFFFFu);  // .. white

  TColorSelector s(0x0000FF, true, true);
  EXPECT_EQ(s.Hue(), 0);
  EXPECT_EQ(s.Lightness(), 128);
  plat::POINT p = Centre(s.SwatchRect(P::spStandard, 26));
  EXPECT_FALSE(s.Click(p.x, p.y));
  EXPECT_EQ(s.Value(), TColorSelector::StandardColor(26));
  // A system colour is chosen as 0x80000000 + index; the field shows its HLS.
  p = Centre(s.SwatchRect(P::spSystem, 13));
  s.Click(p.x, p.y);
  EXPECT_EQ(s.Value(), 0x8000000Du);
  EXPECT_STREQ(TColorSelector::SystemColorName(13), "Highlight");
  EXPECT_EQ(TColorSelector::SystemColorName(31), nullptr);
  int32_t h, l, sat;
  zkw::RGBtoHLS(plat::GetSysColor(13), h, l, sat);
  EXPECT_EQ(s.Hue(), h);
  EXPECT_EQ(s.Lightness(), l);
  // The field sets hue (across) and saturation (down); the bar sets lightness.
  plat::RECT f = s.PartRect(P::spField);
  s.Click(f.left + 64, f.top);
  EXPECT_EQ(s.Hue(), 127);
  EXPECT_EQ(s.Saturation(), 255);
  plat::RECT b = s.PartRect(P::spLightness);
  s.Click(b.left + 2, b.bottom - 1);
  EXPECT_EQ(s.Lightness(), 0);
  s.Drag(b.left, b.top - 50);  // dragged past the top: limited
  EXPECT_EQ(s.Lightness(), 255);
  s.Drag(b.left, b.top + 127 / 2);
  EXPECT_EQ(s.Lightness(), 255 - 63 * 255 / 127);
  EXPECT_EQ(s.Value(), zkw::HLStoRGB(127, s.Lightness(), 255));
  EXPECT_FALSE(s.Done());
  EXPECT_TRUE(s.Key(0x0D));
  EXPECT_TRUE(s.Confirmed());

  // Escape, Cancel and the close button cancel.
  using Ending = std::function<void(TColorSelector&)>;
  const Ending endings[] = {
      [](TColorSelector& t) { t.Key(0x1B); },
      [](TColorSelector& t) { plat::POINT c = Centre(t.PartRect(P::spCancel)); t.Click(c.x, c.y); },
      [](TColorSelector& t) { plat::POINT c = Centre(t.PartRect(P::spClose)); t.Click(c.x, c.y); }};
  for (const Ending& end : endings) {
    TColorSelector t(0x123456, true, true);
    end(t);
    EXPECT_TRUE(t.Done());
    EXPECT_FALSE(t.Confirmed());
  }
  // An initial system colour selects it; codes beyond 30 are plain colours.
  EXPECT_EQ(TColorSelector(0x80000005u, true, true).Value(), 0x80000005u);
  EXPECT_EQ(TColorSelector(0x80000031u, true, true).Value(), 0x31u);
  // Hidden groups take no clicks; the system group moves up when the standard one is hidden.
  TColorSelector hidden(0x123456, false, true);
  EXPECT_EQ(hidden.PartRect(P::spStandard).right, 0);
  EXPECT_EQ(hidden.PartRect(P::spSystem).top, s.PartRect(P::spStandard).top);
  TColorSelector none(0x123456, false, false);
  p = Centre(s.SwatchRect(P::spStandard, 0));
  EXPECT_EQ(none.HitTest(p.x, p.y).Part, P::spNone);
}

// --- the modal dialog -----------------------------------------------------------------------

const plat::WCHAR kOwnerClass[] = u"ZkwSelectorOwner";
plat::LRESULT OwnerProc(plat::HWND w, plat::UINT m, plat::WPARAM wp, plat::LPARAM lp) {
  return plat::DefWindowProcW(w, m, wp, lp);
}

// What the hook sees and does, step by step.
struct Script {
  std::vector<std::function<int32_t(plat::HWND)>> Steps;
  size_t Next = 0;
  int Calls = 0;
};

int32_t Hook(void* dialog, void* data) {
  auto* s = static_cast<Script*>(data);
  ++s->Calls;
  if (s->Next >= s->Steps.size()) return 0;
  return s->Steps[s->Next++](static_cast<plat::HWND>(dialog));
}

struct ModalDialog : ::testing::Test {
  void SetUp() override {
    plat::WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = kOwnerClass;
    plat::RegisterClassW(&wc);
    owner = plat::CreateWindowExW(0, kOwnerClass, nullptr, plat::WS_VISIBLE, 700, 600, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    zkwSetModalHook(nullptr, nullptr);
    plat::DestroyWindow(owner);
    plat::UnregisterClassW(kOwnerClass, nullptr);
  }
  // The record of the 64-bit build: size, owner, colour address, 16 unused bytes, flags.
  struct Record {
    uint32_t Size = 48;
    plat::HWND Owner;
    uint32_t* Color;
    uint8_t Unused[16] = {};
    int32_t ShowStandard = 1, ShowSystem = 1;
  };
  uint32_t Run(Script& script, uint32_t& colour, uint32_t size = 48) {
    zkwSetModalHook(Hook, &script);
    Record r;
    r.Size = size;
    r.Owner = owner;
    r.Color = &colour;
    return SelectColorDialog(&r);
  }
  void Click(plat::HWND dlg, plat::POINT p) {
    plat::LPARAM at = (p.x & 0xFFFF) | ((p.y & 0xFFFF) << 16);
    plat::InjectInput(dlg, plat::WM_LBUTTONDOWN, plat::MK_LBUTTON, at);
    plat::InjectInput(dlg, plat::WM_LBUTTONUP, 0, at);
  }
  plat::HWND owner = nullptr;
};

TEST_F(ModalDialog, PickAndConfirm) {
  static_assert(sizeof(Record) == 48, "the 64-bit record");
  TColorSelector layout(0, true, true);
  uint32_t colour = 0x80000005u;
  Script s;
  s.Steps.push_back([&](plat::HWND dlg) {
    // The dialog is found by class and caption, centred on the screen, and owns the input.
    EXPECT_EQ(plat::FindWindowW(kColorSelectorClass, kColorSelectorCaption), dlg);
    plat::RECT r{};
    plat::GetWindowRect(dlg, &r);
    EXPECT_EQ(r.left, (1024 - TColorSelector::kWidth) / 2);
    EXPECT_EQ(r.top, (768 - TColorSelector::kHeight) / 2);
    EXPECT_EQ(r.right - r.left, TColorSelector::kWidth);
    EXPECT_FALSE(plat::IsWindowEnabled(owner));
    EXPECT_FALSE(plat::InjectInput(owner, plat::WM_LBUTTONDOWN, 0, 0));
    // It is painted before the loop waits: a swatch shows its colour.
    std::vector<uint8_t> px(TColorSelector::kWidth * TColorSelector::kHeight * 4);
    EXPECT_TRUE(plat::CopyWindowPixels(dlg, px.data(), TColorSelector::kWidth,
                                       TColorSelector::kHeight, TColorSelector::kWidth * 4));
    plat::POINT c = Centre(layout.SwatchRect(P::spStandard, 7));
    const uint8_t* q = &px[(c.y * TColorSelector::kWidth + c.x) * 4];
    EXPECT_EQ(q[2] | q[1] << 8 | q[0] << 16, TColorSelector::StandardColor(7));
    Click(dlg, c);
    return 1;
  });
  s.Steps.push_back([&](plat::HWND dlg) {
    plat::InjectInput(dlg, plat::WM_KEYDOWN, plat::VK_RETURN, 0);
    return 1;
  });
  EXPECT_EQ(Run(s, colour), 0xFFFFFFFFu);
  EXPECT_EQ(colour, TColorSelector::StandardColor(7));
  EXPECT_TRUE(plat::IsWindowEnabled(owner));
  EXPECT_EQ(plat::FindWindowW(kColorSelectorClass, nullptr), nullptr);
}

TEST_F(ModalDialog, SystemColoursAndCancelling) {
  TColorSelector layout(0, true, true);
  uint32_t colour = 0x123456;
  Script pick;
  pick.Steps.push_back([&](plat::HWND dlg) {
    Click(dlg, Centre(layout.SwatchRect(P::spSystem, 30)));
    Click(dlg, Centre(layout.PartRect(P::spOK)));
    return 1;
  });
  EXPECT_EQ(Run(pick, colour), 0xFFFFFFFFu);
  EXPECT_EQ(colour, 0x8000001Eu);
  // Escape, the close button, a hook that gives up and no hook at all: 0, colour untouched.
  std::vector<std::function<int32_t(plat::HWND)>> endings = {
      [](plat::HWND dlg) { plat::InjectInput(dlg, plat::WM_KEYDOWN, plat::VK_ESCAPE, 0); return 1; },
      [&](plat::HWND dlg) { Click(dlg, Centre(layout.PartRect(P::spClose))); return 1; },
      [](plat::HWND) { return 0; }};
  for (auto& end : endings) {
    Script s;
    s.Steps.push_back(end);
    colour = 0x123456;
    EXPECT_EQ(Run(s, colour), 0u);
    EXPECT_EQ(colour, 0x123456u);
    EXPECT_TRUE(plat::IsWindowEnabled(owner));
  }
  Record r;
  r.Owner = owner;
  r.Color = &colour;
  zkwSetModalHook(nullptr, nullptr);
  EXPECT_EQ(SelectColorDialog(&r), 0u);
  // A wrong record size or no colour address: 0 and nothing shown (the hook is never called).
  Script never;
  EXPECT_EQ(Run(never, colour, 36), 0u);
  r.Color = nullptr;
  zkwSetModalHook(Hook, &never);
  EXPECT_EQ(SelectColorDialog(&r), 0u);
  EXPECT_EQ(SelectColorDialog(nullptr), 0u);
  EXPECT_EQ(never.Calls, 0);
  EXPECT_EQ(colour, 0x123456u);
}

}  // namespace
