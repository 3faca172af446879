// DrawSpecText of 10,000 marked-up characters (scripts, styles, colours, soft breaks) wrapped
// in a 600-pixel column, beside word-broken DrawTextW of the same text without its markup, on
// the same memory DC in the same 12-point Arial.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/plat_gdi.h"
#include "spectext/gdi_canvas.h"
#include "spectext/spec_text.h"
#include "support/memory_dc.h"

namespace {

constexpr int kWidth = 600, kHeight = 2400;

struct Texts {
  zkw::ZString marked, plain;
};

// The markup pattern repeated to 10,000 characters, and the same words without markup.
Texts MakeTexts() {
  const std::string marked = "Let x~-2~0 + y~_i~0 be ~Bbold~B, ~Iitalic~I and ~Cff0000red~C000000 long~/word ";
  const std::string plain = "Let x2 + yi be bold, italic and red longword ";
  Texts t;
  while (t.marked.size() < 10000) {
    t.marked += zkw::FromUtf8(marked);
    t.plain += zkw::FromUtf8(plain);
  }
  return t;
}

void BM_DrawSpecText(benchmark::State& state) {
  const Texts t = MakeTexts();
  zkwtest::MemoryDC s(kWidth, kHeight);
  zkw::TGdiCanvas canvas;
  canvas.FDC = s.dc();
  canvas.FFont.SetName(zkw::FromUtf8("Arial"));
  canvas.FFont.SetSize(12);
  int32_t height = 0;
  for (auto _ : state) {
    plat::RECT rt{0, 0, kWidth, kHeight};
    height = zkw::DrawSpecText(canvas, rt, t.marked.c_str(), 0);
  }
  state.counters["height"] = height;
  state.counters["chars"] = static_cast<double>(t.marked.size());
}
BENCHMARK(BM_DrawSpecText)->Unit(benchmark::kMillisecond);

void BM_DrawTextW(benchmark::State& state) {
  const Texts t = MakeTexts();
  zkwtest::MemoryDC s(kWidth, kHeight);
  plat::HFONT font = plat::CreateFontW(-zkw::PointsToDevice(12, plat::GetDeviceCaps(s.dc(), plat::LOGPIXELSY)), 0, 0, 0,
                                       plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET, 0, 0, 0, 0, u"Arial");
  plat::HGDIOBJ old = plat::SelectObject(s.dc(), font);
  plat::SetBkMode(s.dc(), plat::TRANSPARENT);
  int height = 0;
  for (auto _ : state) {
    plat::RECT rt{0, 0, kWidth, kHeight};
    height = plat::DrawTextW(s.dc(), t.plain.c_str(), static_cast<int>(t.plain.size()), &rt, plat::DT_WORDBREAK);
  }
  plat::SelectObject(s.dc(), old);
  plat::DeleteObject(font);
  state.counters["height"] = height;
  state.counters["chars"] = static_cast<double>(t.plain.size());
}
BENCHMARK(BM_DrawTextW)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
