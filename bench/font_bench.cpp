// WriteText of an 80-character line at 16 and 32 pixels, face only and with outline and
// shadow. The fonts are made in memory with the proportions of real ones (cells about 0.6 em
// wide, anti-aliased ink on about a third of the cell), so no font file is needed.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "fonts/dib_font.h"

namespace {

std::unique_ptr<zkw::TDibFont> MakeFont(int size) {
  auto font = std::make_unique<zkw::TDibFont>();
  zkw::TDibFontHeaderEx& h = font->FHeader;
  const int height = size * 5 / 4, cell = size * 3 / 5 + 2;
  h.dfHeight = static_cast<int16_t>(height);
  h.dfBaseline = static_cast<int16_t>(size);
  for (int s = 0; s <= zkw::kGlyphMissing; ++s)
    h.dfTable[s] = {static_cast<uint32_t>(s * cell), static_cast<uint16_t>(cell), 1, 1};
  h.dfTable[0].OverhangLeft = h.dfTable[0].OverhangRight = 0;
  for (auto& a : h.dfAccents) a = {static_cast<int8_t>(cell / 4), static_cast<int8_t>(-size / 5)};
  const int width = (zkw::kGlyphMissing + 1) * cell;
  std::mt19937 rng(7);
  zkw::TDibBaseObj** planes[3] = {&font->FDib, &font->FODib, &font->FSDib};
  for (int k = 0; k < 3; ++k) {
    auto* dib = new zkw::TDib8Bits;
    *planes[k] = dib;
    dib->SetAttributes(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        int cx = x % cell;
        bool ink = cx > 1 && cx < cell - 1 && y > height / 5 && y < size && (rng() % 3 == 0 || k > 0);
        *dib->PixelAddress(x, y) = ink ? static_cast<uint8_t>(rng() % 2 ? 255 : rng() & 0xFF) : 0;
      }
  }
  return font;
}

void BM_WriteText(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const bool effects = state.range(1) != 0;
  auto font = MakeFont(size);
  font->FOutline = font->FShadow = effects;
  font->FShadX = font->FShadY = 2;
  std::u16string line =
      u"Tiếng Việt có dấu: The quick brown fox jumps over the lazy dog 0123456789 ỞẤặ";
  while (line.size() < 80) line += u'x';
  line.resize(80);
  const zkw::ZString text(line.begin(), line.end());
  zkw::TDib24Bits target;
  target.SetAttributes(size * 60, size * 2);
  for (auto _ : state) {
    font->WriteText(4, size / 2, text.c_str(), 80, &target);
    benchmark::DoNotOptimize(target.DibData);
  }
  state.SetItemsProcessed(state.iterations() * 80);
  state.SetLabel(std::to_string(size) + " px, " + (effects ? "outline + shadow" : "face only"));
}

}  // namespace

BENCHMARK(BM_WriteText)->Args({16, 0})->Args({16, 1})->Args({32, 0})->Args({32, 1})->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
