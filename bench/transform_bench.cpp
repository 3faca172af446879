// Transforms of a 256 x 256 sprite (8-bit colours with an alpha companion) onto a 1024 x 768
// 24-bit target: the blended work-image transforms (ScaleEx, RotateEx, ScaleRotateEx), their
// plain counterparts, and the smooth routines (pixman) onto a 1024 x 768 32-bit memory DC.
// Each benchmark reports the sprite's pixels as items.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/gp_draw.h"
#include "exports/zkwgdi32.h"
#include "platform/plat_imaging.h"

namespace {

constexpr int kSprite = 256, kW = 1024, kH = 768;
constexpr int64_t kItems = int64_t{kSprite} * kSprite;

// A sprite shaped like a real one: an opaque disc with a soft edge on a transparent square.
struct Images {
  zkw::TDib24Bits target;
  zkw::TDib8Bits sprite;
  void* dc = nullptr;

  Images() {
    std::mt19937 rng(1);
    target.SetAttributes(kW, kH);
    for (int32_t k = 0; k < target.DibSize; ++k) target.DibData[k] = static_cast<uint8_t>(rng());
    sprite.SetAttributes(kSprite, kSprite);
    for (int i = 0; i < 256; ++i)
      sprite.DibPal[i] = zkw::TRGBQuad{static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()),
                                       static_cast<uint8_t>(rng()), 0};
    sprite.CreateAlphaChannel();
    const double c = (kSprite - 1) / 2.0;
    for (int y = 0; y < kSprite; ++y)
      for (int x = 0; x < kSprite; ++x) {
        sprite.PutPixel(x, y, 1 + rng() % 255);
        double d = std::hypot(x - c, y - c), a = (c - d) * 32;
        sprite.AlphaDib->PutPixel(x, y, a <= 0 ? 0 : a >= 255 ? 255 : static_cast<int>(a));
      }
    sprite.TransparentColor = 0;
    plat::ImagingStartup();
    sprite.RequireGPBitmap();
    dc = zkwCreateMemoryDC(kW, kH);
  }
};

Images& Shared() {
  static Images images;
  return images;
}

void Run(benchmark::State& state, void (*op)(Images&)) {
  Images& im = Shared();
  for (auto _ : state) {
    op(im);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}

constexpr int kX = (kW - kSprite) / 2, kY = (kH - kSprite) / 2;

void BM_ScaleEx50(benchmark::State& s) {
  Run(s, [](Images& im) { im.target.ScaleEx(kX, kY, 50, 50, &im.sprite, 0, 0, kSprite, kSprite, 100); });
}
void BM_ScaleEx150(benchmark::State& s) {
  Run(s, [](Images& im) { im.target.ScaleEx(kX - 64, kY - 64, 150, 150, &im.sprite, 0, 0, kSprite, kSprite, 100); });
}
void BM_ScaleEx200(benchmark::State& s) {
  Run(s, [](Images& im) { im.target.ScaleEx(kX - 128, kY - 128, 200, 200, &im.sprite, 0, 0, kSprite, kSprite, 70); });
}
void BM_RotateEx30(benchmark::State& s) {
  Run(s, [](Images& im) { im.target.RotateEx(kX, kY, 30, &im.sprite, 0, 0, kSprite, kSprite, 100); });
}
void BM_RotateEx90(benchmark::State& s) {
  Run(s, [](Images& im) { im.target.RotateEx(kX, kY, 90, &im.sprite, 0, 0, kSprite, kSprite, 100); });
}
void BM_ScaleRotateEx150x30(benchmark::State& s) {
  Run(s, [](Images& im) {
    im.target.ScaleRotateEx(kX - 64, kY - 64, 150, 150, 30, &im.sprite, 0, 0, kSprite, kSprite, 100);
  });
}
void BM_Scale200(benchmark::State& s) {
  Run(s, [](Images& im) { im.target.Scale(kX - 128, kY - 128, 200, 200, &im.sprite); });
}
void BM_Rotate30(benchmark::State& s) {
  Run(s, [](Images& im) { im.target.Rotate(kX, kY, 30, &im.sprite); });
}
void BM_SmoothRotated30(benchmark::State& s) {
  Run(s, [](Images& im) { zkw::DrawImageRotated(im.dc, kX, kY, 0, 0, 1.0f, im.sprite.GPImage(), 30); });
}
void BM_SmoothScaled150(benchmark::State& s) {
  Run(s, [](Images& im) { zkw::DrawImageScaled(im.dc, kX, kY, 0, 0, 1.0f, im.sprite.GPImage(), 1.5f, 1.5f); });
}
void BM_SmoothScaled100Half(benchmark::State& s) {
  Run(s, [](Images& im) { zkw::DrawImageScaled(im.dc, kX, kY, 0, 0, 0.5f, im.sprite.GPImage(), 1.0f, 1.0f); });
}
void BM_SmoothScaledRotated150x30(benchmark::State& s) {
  Run(s, [](Images& im) {
    zkw::DrawImageScaledRotated(im.dc, kX, kY, 0, 0, 1.0f, im.sprite.GPImage(), 1.5f, 1.5f, 30);
  });
}
void BM_RequireGPBitmap(benchmark::State& s) {
  Run(s, [](Images& im) {
    im.sprite.RemoveGPBitmap();
    im.sprite.RequireGPBitmap();
  });
}

}  // namespace

BENCHMARK(BM_ScaleEx50);
BENCHMARK(BM_ScaleEx150);
BENCHMARK(BM_ScaleEx200);
BENCHMARK(BM_RotateEx30);
BENCHMARK(BM_RotateEx90);
BENCHMARK(BM_ScaleRotateEx150x30);
BENCHMARK(BM_Scale200);
BENCHMARK(BM_Rotate30);
BENCHMARK(BM_SmoothRotated30);
BENCHMARK(BM_SmoothScaled150);
BENCHMARK(BM_SmoothScaled100Half);
BENCHMARK(BM_SmoothScaledRotated150x30);
BENCHMARK(BM_RequireGPBitmap);
BENCHMARK_MAIN();
