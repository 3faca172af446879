// Colour procedures and backgrounds beside pixman: the box blur against pixman's separable box
// convolution of the same width, BlendRect on a memory DC (in memory on a DIB section, through
// GetPixel and SetPixel on a device bitmap) against pixman OVER of a 50 % solid, and the disc and
// polygon backgrounds against pixman filling the same image.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <random>
#include <vector>

#include "colour/backgrounds.h"
#include "colour/blend.h"
#include "colour/box_blur.h"
#include "dib/dib8.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_gdi.h"

namespace {

constexpr int kW = 1024, kH = 768;

void Random(uint8_t* p, size_t n) {
  std::mt19937 rng(1);
  for (size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(rng());
}

void BM_FXBoxBlur(benchmark::State& state) {
  zkw::TRowBitmap b;
  b.SetSize(kW, kH, 24);
  for (auto _ : state) {
    state.PauseTiming();
    for (int y = 0; y < kH; ++y) Random(b.ScanLine(y), kW * 3);
    state.ResumeTiming();
    zkw::FXBoxBlur(&b, static_cast<int32_t>(state.range(0)), 2);
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_FXBoxBlur)->Arg(2)->Arg(32)->Unit(benchmark::kMillisecond);

// One composite with a box of 2 Radius + 1 pixels in both directions.
void BM_PixmanBoxConvolution(benchmark::State& state) {
  std::vector<uint32_t> src(kW * kH), dst(kW * kH);
  Random(reinterpret_cast<uint8_t*>(src.data()), src.size() * 4);
  pixman_image_t* s = pixman_image_create_bits(PIXMAN_x8r8g8b8, kW, kH, src.data(), kW * 4);
  pixman_image_t* d = pixman_image_create_bits(PIXMAN_x8r8g8b8, kW, kH, dst.data(), kW * 4);
  const int width = 2 * static_cast<int>(state.range(0)) + 1;
  int n = 0;
  pixman_fixed_t* params = pixman_filter_create_separable_convolution(
      &n, pixman_int_to_fixed(width), pixman_int_to_fixed(width), PIXMAN_KERNEL_IMPULSE,
      PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 0, 0);
  pixman_image_set_filter(s, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n);
  pixman_image_set_repeat(s, PIXMAN_REPEAT_PAD);
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, kW, kH);
  state.SetItemsProcessed(state.iterations() * kW * kH);
  free(params);
  pixman_image_unref(s);
  pixman_image_unref(d);
}
BENCHMARK(BM_PixmanBoxConvolution)->Arg(2)->Arg(32)->Unit(benchmark::kMillisecond);

constexpr int kBlend = 512;

void BM_BlendRectDibSection(benchmark::State& state) {
  void* dc = zkwCreateMemoryDC(kBlend, kBlend);
  for (auto _ : state) zkw::BlendRect(dc, 0, 0, kBlend - 1, kBlend - 1, 0x336699, 50);
  state.SetItemsProcessed(state.iterations() * kBlend * kBlend);
  zkwDeleteMemoryDC(dc);
}
BENCHMARK(BM_BlendRectDibSection)->Unit(benchmark::kMicrosecond);

void BM_BlendRectDeviceBitmap(benchmark::State& state) {
  plat::HDC screen = plat::GetDC(nullptr);
  plat::HDC dc = plat::CreateCompatibleDC(screen);
  plat::HBITMAP bm = plat::CreateCompatibleBitmap(screen, kBlend, kBlend);
  plat::ReleaseDC(nullptr, screen);
  plat::HGDIOBJ old = plat::SelectObject(dc, bm);
  for (auto _ : state) zkw::BlendRect(dc, 0, 0, kBlend - 1, kBlend - 1, 0x336699, 50);
  state.SetItemsProcessed(state.iterations() * kBlend * kBlend);
  plat::SelectObject(dc, old);
  plat::DeleteObject(bm);
  plat::DeleteDC(dc);
}
BENCHMARK(BM_BlendRectDeviceBitmap)->Unit(benchmark::kMillisecond);

void BM_PixmanOverHalfSolid(benchmark::State& state) {
  std::vector<uint32_t> dst(kBlend * kBlend);
  pixman_image_t* d =
      pixman_image_create_bits(PIXMAN_x8r8g8b8, kBlend, kBlend, dst.data(), kBlend * 4);
  pixman_color_t c{0x3333, 0x6666, 0x9999, 0x8000};
  c.red = static_cast<uint16_t>(c.red / 2), c.green = static_cast<uint16_t>(c.green / 2),
  c.blue = static_cast<uint16_t>(c.blue / 2);  // premultiplied
  pixman_image_t* s = pixman_image_create_solid_fill(&c);
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, kBlend, kBlend);
  state.SetItemsProcessed(state.iterations() * kBlend * kBlend);
  pixman_image_unref(s);
  pixman_image_unref(d);
}
BENCHMARK(BM_PixmanOverHalfSolid)->Unit(benchmark::kMicrosecond);

void BM_CircleGround(benchmark::State& state) {
  zkw::TDib8Bits d;
  d.SetAttributes(kW, kH);
  for (auto _ : state) zkw::CircleGround(&d, 0, 200, 0, 0, kW - 1, kH - 1);
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_CircleGround)->Unit(benchmark::kMillisecond);

void BM_PolygonGround(benchmark::State& state) {
  zkw::TDib8Bits d;
  d.SetAttributes(kW, kH);
  for (auto _ : state) zkw::PolygonGround(&d, 0, 200, 6, 1, true, 0, 0, kW - 1, kH - 1);
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_PolygonGround)->Unit(benchmark::kMillisecond);

// pixman filling the same 8-bit image.
void BM_PixmanFill(benchmark::State& state) {
  zkw::TDib8Bits d;
  d.SetAttributes(kW, kH);
  for (auto _ : state)
    pixman_fill(reinterpret_cast<uint32_t*>(d.DibData), d.FDWidth / 4, 8, 0, 0, kW, kH, 77);
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_PixmanFill)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
