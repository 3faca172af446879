// Raster hot paths on a 1920 x 1080 target, measured in one run beside memcpy of the same bytes
// and pixman's nearest operations. Every benchmark reports the bytes of the 24-bit target it
// covers (1920 x 1080 x 3), so the rates compare directly.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "dib/dib24.h"
#include "dib/dib8.h"

namespace {

constexpr int kW = 1920, kH = 1080;
constexpr int64_t kTargetBytes = int64_t{kW} * kH * 3;

// Images shared by all benchmarks, made once with fixed random contents.
struct Images {
  zkw::TDib24Bits target, rgb, rgbAlpha;
  zkw::TDib8Bits indexed;
  std::vector<uint32_t> argb, xrgb;   // pixman's 32-bit forms of rgbAlpha and of the target
  std::vector<uint8_t> copyFrom, copyTo;

  Images() {
    std::mt19937 rng(1);
    auto fill = [&](zkw::TDibBaseObj& d) {
      for (int32_t k = 0; k < d.DibSize; ++k) d.DibData[k] = static_cast<uint8_t>(rng());
    };
    for (zkw::TDib24Bits* d : {&target, &rgb, &rgbAlpha}) {
      d->SetAttributes(kW, kH);
      fill(*d);
    }
    rgbAlpha.CreateAlphaChannel();
    fill(*rgbAlpha.AlphaDib);
    // 8-bit source: random colours, a quarter of the pixels transparent (index 0).
    indexed.SetAttributes(kW, kH);
    for (int i = 0; i < 256; ++i)
      indexed.DibPal[i] = zkw::TRGBQuad{static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()),
                                        static_cast<uint8_t>(rng()), 0};
    for (int32_t k = 0; k < indexed.DibSize; ++k)
      indexed.DibData[k] = rng() % 4 == 0 ? 0 : static_cast<uint8_t>(1 + rng() % 255);
    indexed.TransparentColor = 0;
    // Premultiplied ARGB of the alpha source, and a 32-bit copy of the target.
    argb.resize(size_t{kW} * kH);
    xrgb.resize(size_t{kW} * kH);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const uint8_t* p = rgbAlpha.PixelAddress(x, y);
        uint32_t a = *rgbAlpha.AlphaDib->PixelAddress(x, y);
        argb[size_t{kW} * y + x] = a << 24 | (p[2] * a / 255) << 16 | (p[1] * a / 255) << 8 |
                                   (p[0] * a / 255);
        const uint8_t* q = target.PixelAddress(x, y);
        xrgb[size_t{kW} * y + x] = 0xFF000000u | q[2] << 16 | q[1] << 8 | q[0];
      }
    copyFrom.assign(rgb.DibData, rgb.DibData + kTargetBytes);
    copyTo.assign(kTargetBytes, 0);
  }
};

Images& Shared() {
  static Images images;
  return images;
}

void Report(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * kTargetBytes);
}

// --- References --------------------------------------------------------------------------------

void BM_Memcpy(benchmark::State& state) {
  Images& im = Shared();
  for (auto _ : state) {
    std::memcpy(im.copyTo.data(), im.copyFrom.data(), kTargetBytes);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_Memcpy);

// pixman images over the library's own pixel memory (rows are walked top-down there; the
// direction does not matter for speed).
struct PixmanImage {
  pixman_image_t* image;
  explicit PixmanImage(pixman_image_t* i) : image(i) {}
  ~PixmanImage() { pixman_image_unref(image); }
};

PixmanImage Wrap24(zkw::TDibBaseObj& d) {
  return PixmanImage(pixman_image_create_bits(PIXMAN_r8g8b8, d.FWidth, d.FHeight,
                                              reinterpret_cast<uint32_t*>(d.DibData), d.FDWidth));
}
PixmanImage Wrap32(std::vector<uint32_t>& pixels, pixman_format_code_t format) {
  return PixmanImage(pixman_image_create_bits(format, kW, kH, pixels.data(), kW * 4));
}

void Composite(benchmark::State& state, pixman_op_t op, pixman_image_t* src,
               pixman_image_t* mask, pixman_image_t* dst) {
  for (auto _ : state) {
    pixman_image_composite32(op, src, mask, dst, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
  Report(state);
}

// --- DrawArea -----------------------------------------------------------------------------------

void BM_DrawArea_24from24(benchmark::State& state) {
  Images& im = Shared();
  for (auto _ : state) {
    im.target.DrawArea(0, 0, &im.rgb, 0, 0, kW, kH, 1, 1);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_DrawArea_24from24);

void BM_DrawArea_24from24_Mirrored(benchmark::State& state) {
  Images& im = Shared();
  for (auto _ : state) {
    im.target.DrawArea(0, 0, &im.rgb, 0, 0, kW, kH, -1, 1);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_DrawArea_24from24_Mirrored);

void BM_Pixman_Src_r8g8b8(benchmark::State& state) {
  Images& im = Shared();
  PixmanImage src = Wrap24(im.rgb), dst = Wrap24(im.target);
  Composite(state, PIXMAN_OP_SRC, src.image, nullptr, dst.image);
}
BENCHMARK(BM_Pixman_Src_r8g8b8);

void BM_DrawArea_24from8(benchmark::State& state) {
  Images& im = Shared();
  for (auto _ : state) {
    im.target.DrawArea(0, 0, &im.indexed, 0, 0, kW, kH, 1, 1);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_DrawArea_24from8);

void BM_Pixman_Src_c8_to_r8g8b8(benchmark::State& state) {
  Images& im = Shared();
  pixman_indexed_t palette{};
  for (int i = 0; i < 256; ++i) {
    const zkw::TRGBQuad& q = im.indexed.DibPal[i];
    palette.rgba[i] = 0xFF000000u | q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue;
  }
  PixmanImage src(pixman_image_create_bits(PIXMAN_c8, kW, kH,
                                           reinterpret_cast<uint32_t*>(im.indexed.DibData),
                                           im.indexed.FDWidth));
  pixman_image_set_indexed(src.image, &palette);
  PixmanImage dst = Wrap24(im.target);
  Composite(state, PIXMAN_OP_SRC, src.image, nullptr, dst.image);
}
BENCHMARK(BM_Pixman_Src_c8_to_r8g8b8);

// --- DrawTransparent with a colour key ----------------------------------------------------------

void BM_DrawTransparent_Key_24from8(benchmark::State& state) {
  Images& im = Shared();
  for (auto _ : state) {
    im.target.DrawTransparent(0, 0, &im.indexed, 1, 1);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_DrawTransparent_Key_24from8);

// pixman has no colour key: the nearest is an 8-bit source through a 1-bit mask.
void BM_Pixman_Over_c8_a1mask_to_r8g8b8(benchmark::State& state) {
  Images& im = Shared();
  pixman_indexed_t palette{};
  for (int i = 0; i < 256; ++i) {
    const zkw::TRGBQuad& q = im.indexed.DibPal[i];
    palette.rgba[i] = 0xFF000000u | q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue;
  }
  PixmanImage src(pixman_image_create_bits(PIXMAN_c8, kW, kH,
                                           reinterpret_cast<uint32_t*>(im.indexed.DibData),
                                           im.indexed.FDWidth));
  pixman_image_set_indexed(src.image, &palette);
  int maskStride = ((kW + 31) / 32) * 4;
  std::vector<uint32_t> maskBits(static_cast<size_t>(maskStride / 4) * kH, 0);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (im.indexed.DibData[static_cast<size_t>(y) * im.indexed.FDWidth + x] != 0)
        maskBits[static_cast<size_t>(y) * (maskStride / 4) + x / 32] |= 1u << (x % 32);
  PixmanImage mask(pixman_image_create_bits(PIXMAN_a1, kW, kH, maskBits.data(), maskStride));
  PixmanImage dst = Wrap24(im.target);
  Composite(state, PIXMAN_OP_OVER, src.image, mask.image, dst.image);
}
BENCHMARK(BM_Pixman_Over_c8_a1mask_to_r8g8b8);

// --- DrawMerge ----------------------------------------------------------------------------------

void BM_DrawMerge50_24from24(benchmark::State& state) {
  Images& im = Shared();
  for (auto _ : state) {
    im.target.DrawMerge(0, 0, &im.rgb, 0, 0, kW, kH, 1, 1, 50);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_DrawMerge50_24from24);

void BM_DrawMerge50_24from24_Alpha(benchmark::State& state) {
  Images& im = Shared();
  for (auto _ : state) {
    im.target.DrawMerge(0, 0, &im.rgbAlpha, 0, 0, kW, kH, 1, 1, 50);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_DrawMerge50_24from24_Alpha);

void BM_DrawMerge50_24from8(benchmark::State& state) {
  Images& im = Shared();
  for (auto _ : state) {
    im.target.DrawMerge(0, 0, &im.indexed, 0, 0, kW, kH, 1, 1, 50);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_DrawMerge50_24from8);

// pixman OVER of premultiplied ARGB: its fast 32-bit path, and onto 24-bit pixels.
void BM_Pixman_Over_a8r8g8b8_to_x8r8g8b8(benchmark::State& state) {
  Images& im = Shared();
  PixmanImage src = Wrap32(im.argb, PIXMAN_a8r8g8b8), dst = Wrap32(im.xrgb, PIXMAN_x8r8g8b8);
  Composite(state, PIXMAN_OP_OVER, src.image, nullptr, dst.image);
}
BENCHMARK(BM_Pixman_Over_a8r8g8b8_to_x8r8g8b8);

void BM_Pixman_Over_a8r8g8b8_to_r8g8b8(benchmark::State& state) {
  Images& im = Shared();
  PixmanImage src = Wrap32(im.argb, PIXMAN_a8r8g8b8), dst = Wrap24(im.target);
  Composite(state, PIXMAN_OP_OVER, src.image, nullptr, dst.image);
}
BENCHMARK(BM_Pixman_Over_a8r8g8b8_to_r8g8b8);

// Rate 50 without alpha in pixman's terms: an opaque source OVER through a 50 % solid mask.
void BM_Pixman_Over_r8g8b8_half_mask_to_r8g8b8(benchmark::State& state) {
  Images& im = Shared();
  PixmanImage src = Wrap24(im.rgb), dst = Wrap24(im.target);
  pixman_color_t half{0, 0, 0, 0x8000};
  PixmanImage mask(pixman_image_create_solid_fill(&half));
  Composite(state, PIXMAN_OP_OVER, src.image, mask.image, dst.image);
}
BENCHMARK(BM_Pixman_Over_r8g8b8_half_mask_to_r8g8b8);

void BM_Pixman_Over_a8r8g8b8_half_mask_to_x8r8g8b8(benchmark::State& state) {
  Images& im = Shared();
  PixmanImage src = Wrap32(im.argb, PIXMAN_a8r8g8b8), dst = Wrap32(im.xrgb, PIXMAN_x8r8g8b8);
  pixman_color_t half{0, 0, 0, 0x8000};
  PixmanImage mask(pixman_image_create_solid_fill(&half));
  Composite(state, PIXMAN_OP_OVER, src.image, mask.image, dst.image);
}
BENCHMARK(BM_Pixman_Over_a8r8g8b8_half_mask_to_x8r8g8b8);

// --- Bar ----------------------------------------------------------------------------------------

void BM_Bar_24(benchmark::State& state) {
  Images& im = Shared();
  for (auto _ : state) {
    im.target.Bar(0, 0, kW - 1, kH - 1, 0x336699);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_Bar_24);

void BM_Pixman_Fill_r8g8b8(benchmark::State& state) {
  Images& im = Shared();
  PixmanImage dst = Wrap24(im.target);
  pixman_color_t color{0x6666, 0x3333, 0x9999, 0xFFFF};
  pixman_rectangle16_t whole{0, 0, kW, kH};
  for (auto _ : state) {
    pixman_image_fill_rectangles(PIXMAN_OP_SRC, dst.image, &color, 1, &whole);
    benchmark::ClobberMemory();
  }
  Report(state);
}
BENCHMARK(BM_Pixman_Fill_r8g8b8);

}  // namespace

BENCHMARK_MAIN();
