// The DIB canvas and the font manager: an 80-character line through the canvas (bitmap font,
// and the GDI fallback) beside the font's own WriteText; CreateFont + DeleteFont with 10 and
// 1,000 registrations; the create-draw-free canvas cycle an equation runs per draw.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "fonts/dib_canvas.h"
#include "fonts/dib_font.h"
#include "fonts/font_manager.h"

namespace {

const std::string kDir = "/tmp/";
const std::string kFontFile = "zkw_canvas_bench_" + std::to_string(::getpid()) + ".dfu";

// A 16-pixel font with cells of 0.6 em and ink on a third of each cell, saved once.
void SaveBenchFont() {
  static bool saved = false;
  if (saved) return;
  zkw::TDibFont font;
  zkw::TDibFontHeaderEx& h = font.FHeader;
  const int size = 16, height = 20, cell = 11;
  h.dfHeight = height;
  h.dfBaseline = size;
  for (int s = 0; s <= zkw::kGlyphMissing; ++s)
    h.dfTable[s] = {static_cast<uint32_t>(s * cell), static_cast<uint16_t>(cell), 1, 1};
  auto* dib = new zkw::TDib8Bits;
  font.FDib = dib;
  dib->SetAttributes((zkw::kGlyphMissing + 1) * cell, height);
  for (int y = 4; y < size; ++y)
    for (int x = 0; x < dib->Width(); ++x) *dib->PixelAddress(x, y) = (x % cell) % 3 == 0 ? 255 : 0;
  font.SaveToFile(zkw::FromUtf8(kDir + kFontFile).c_str());
  saved = true;
}

zkw::ZString Line80() {
  std::u16string line = u"The quick brown fox jumps over the lazy dog 0123456789 and again the quick brown";
  line.resize(80, u'x');
  return zkw::ZString(line.begin(), line.end());
}

std::unique_ptr<zkw::TDibFontManager> Manager(int registrations) {
  SaveBenchFont();
  auto m = std::make_unique<zkw::TDibFontManager>();
  m->FontPath = zkw::FromUtf8(kDir);
  for (int i = 0; i < registrations; ++i)
    m->RegisterFont(zkw::FromUtf8("Face " + std::to_string(i)), 12, false, false, zkw::FromUtf8(kFontFile));
  return m;
}

void BM_FontWriteText(benchmark::State& state) {
  auto m = Manager(1);
  zkw::TDibFont* font = m->CreateFont(zkw::FromUtf8("Face 0"), 12, false, false);
  zkw::TDib24Bits target;
  target.SetAttributes(900, 40);
  const zkw::ZString text = Line80();
  for (auto _ : state) {
    font->WriteText(4, 8, text.c_str(), 80, &target);
    benchmark::DoNotOptimize(target.DibData);
  }
  m->DeleteFont(font);
  state.SetItemsProcessed(state.iterations() * 80);
}

void BM_CanvasTextOut(benchmark::State& state) {
  const bool bitmapFont = state.range(0) != 0;
  auto m = Manager(1);
  zkw::TDibCanvas canvas;
  canvas.SetCanvasSize(900, 40);
  canvas.FFont.SetName(zkw::FromUtf8("Face 0"));
  canvas.FFont.SetSize(12);
  if (bitmapFont) canvas.SetFontManager(m.get());
  const zkw::ZString text = Line80();
  for (auto _ : state) {
    canvas.TextOut(4, 8, text.c_str(), 80);
    benchmark::DoNotOptimize(canvas.FDib);
  }
  canvas.SetFontManager(nullptr);
  state.SetItemsProcessed(state.iterations() * 80);
  state.SetLabel(bitmapFont ? "bitmap font" : "GDI fallback");
}

void BM_ManagerCreateDelete(benchmark::State& state) {
  const int registrations = static_cast<int>(state.range(0));
  auto m = Manager(registrations);
  const zkw::ZString name = zkw::FromUtf8("Face " + std::to_string(registrations - 1));
  for (auto _ : state) {
    zkw::TDibFont* font = m->CreateFont(name, 12, false, false);
    benchmark::DoNotOptimize(font);
    m->DeleteFont(font);
  }
  state.SetLabel(std::to_string(registrations) + " registrations");
}

void BM_CanvasCycle(benchmark::State& state) {
  auto m = Manager(1);
  const zkw::ZString text = Line80();
  for (auto _ : state) {
    zkw::TDibCanvas canvas;
    canvas.FFont.SetName(zkw::FromUtf8("Face 0"));
    canvas.FFont.SetSize(12);
    canvas.SetFontManager(m.get());
    canvas.SetCanvasSize(300, 40);
    canvas.TextOut(4, 8, text.c_str(), 24);
    benchmark::DoNotOptimize(canvas.FDib);
  }
}

}  // namespace

BENCHMARK(BM_FontWriteText)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CanvasTextOut)->Arg(1)->Arg(0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ManagerCreateDelete)->Arg(10)->Arg(1000)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CanvasCycle)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
