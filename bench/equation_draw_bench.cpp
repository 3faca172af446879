// Equation layout and drawing of a 200-item formula on a memory DC, beside DrawTextW of the
// formula's characters as one line on the same DC; with GDI fonts and with bitmap fonts.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>

#include "dib/dib8.h"
#include "equation/items.h"
#include "fonts/dib_font.h"
#include "fonts/font_manager.h"
#include "platform/plat_gdi.h"
#include "support/equation_builders.h"

namespace {

const std::string kDir = "/tmp/";
const std::string kFontFile = "zkw_equation_bench_" + std::to_string(::getpid()) + ".dfu";

// A 16-pixel bitmap font, cells 11 pixels wide, registered as "Arial" at every size used.
std::unique_ptr<zkw::TDibFontManager> Manager() {
  zkw::TDibFont font;
  zkw::TDibFontHeaderEx& h = font.FHeader;
  const int height = 20, cell = 11;
  h.dfHeight = height;
  h.dfBaseline = 16;
  for (int s = 0; s <= zkw::kGlyphMissing; ++s)
    h.dfTable[s] = {static_cast<uint32_t>(s * cell), static_cast<uint16_t>(cell), 1, 1};
  auto* dib = new zkw::TDib8Bits;
  font.FDib = dib;
  dib->SetAttributes((zkw::kGlyphMissing + 1) * cell, height);
  for (int y = 4; y < 16; ++y)
    for (int x = 0; x < dib->Width(); ++x) *dib->PixelAddress(x, y) = (x % cell) % 3 == 0 ? 255 : 0;
  font.SaveToFile(zkw::FromUtf8(kDir + kFontFile).c_str());
  auto m = std::make_unique<zkw::TDibFontManager>();
  m->FontPath = zkw::FromUtf8(kDir);
  for (int size = 1; size <= 12; ++size)
    m->RegisterFont(zkw::FromUtf8("Arial"), size, false, false, zkw::FromUtf8(kFontFile));
  return m;
}

struct Surface {
  plat::HDC dc;
  plat::HBITMAP bitmap;
  plat::HGDIOBJ old;
  Surface() {
    plat::BITMAPINFO info{};
    info.bmiHeader = {sizeof(plat::BITMAPINFOHEADER), 4096, -128, 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc = plat::CreateCompatibleDC(nullptr);
    bitmap = plat::CreateDIBSection(dc, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
    old = plat::SelectObject(dc, bitmap);
  }
  ~Surface() {
    plat::SelectObject(dc, old);
    plat::DeleteObject(bitmap);
    plat::DeleteDC(dc);
  }
};

// The characters of every text of a row, in order.
void Characters(const zkw::TEquation& row, zkw::ZString& out) {
  for (const auto& item : row.FList) {
    if (auto* text = dynamic_cast<const zkw::TSimpleExpr*>(item.get())) out += text->FExpr;
    for (int32_t i = 0; i < item->ChildCount(); ++i) Characters(*item->GetItem(i), out);
  }
}

std::unique_ptr<zkw::TEquation> Formula(Surface& s, zkw::TDibFontManager* manager) {
  auto e = zkwtest::LargeEquation(200);
  e->SetDC(s.dc);
  if (manager) {
    e->SetDibFontManager(manager);
    e->SetUseDibFont(true);
  }
  e->SetFontSize(12);
  e->SetBasePoint(0, 64);
  return e;
}

void BM_Layout(benchmark::State& state) {
  Surface s;
  auto manager = state.range(0) ? Manager() : nullptr;
  auto e = Formula(s, manager.get());
  for (auto _ : state) e->SetBasePoint(0, 64);
  state.SetLabel(state.range(0) ? "bitmap fonts" : "GDI");
  e->SetDC(nullptr);
}
BENCHMARK(BM_Layout)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Draw(benchmark::State& state) {
  Surface s;
  auto manager = state.range(0) ? Manager() : nullptr;
  auto e = Formula(s, manager.get());
  for (auto _ : state) e->Draw();
  state.SetLabel(state.range(0) ? "bitmap fonts" : "GDI");
  e->SetDC(nullptr);
}
BENCHMARK(BM_Draw)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DrawTextLine(benchmark::State& state) {
  Surface s;
  auto e = Formula(s, nullptr);
  zkw::ZString line;
  Characters(*e, line);
  plat::HFONT font = plat::CreateFontW(-16, 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET, 0, 0, 0, 0,
                                       zkw::FromUtf8("Arial").c_str());
  plat::HGDIOBJ old = plat::SelectObject(s.dc, font);
  for (auto _ : state) {
    plat::RECT r{0, 0, 4096, 128};
    plat::DrawTextW(s.dc, line.c_str(), static_cast<int>(line.size()), &r, plat::DT_NOCLIP | plat::DT_NOPREFIX);
  }
  state.SetLabel(std::to_string(line.size()) + " characters");
  plat::SelectObject(s.dc, old);
  plat::DeleteObject(font);
  e->SetDC(nullptr);
}
BENCHMARK(BM_DrawTextLine)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
