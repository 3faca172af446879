// DEX loading of a 1920 x 1080 24-bit image with its alpha companion beside zlib's uncompress
// of the same two compressed parts (the work every DEX reader must do) and libpng decoding the
// same pixels and alpha from a PNG made at zlib's default level.
#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <vector>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "imagefiles/dex.h"
#include "platform/plat.h"

namespace {

constexpr int kW = 1920, kH = 1080;

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// A picture that compresses as photographs and drawings do: smooth gradients, soft noise and
// flat areas; the alpha an opaque field with soft-edged holes.
struct Fixture {
  std::vector<uint8_t> record, png;
  std::vector<uint8_t> imagePart, alphaPart;  // the record's compressed parts
  size_t imageRaw = 0, alphaRaw = 0;          // their inflated sizes
  Fixture() {
    zkw::TDib24Bits dib;
    dib.SetAttributes(kW, kH);
    dib.CreateAlphaChannel();
    std::mt19937 rng(7);
    std::vector<uint8_t> rgba(static_cast<size_t>(kW) * kH * 4);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const int noise = static_cast<int>(rng() % 9) - 4;
        const bool flat = ((x / 240) + (y / 270)) % 3 == 0;
        const int r = flat ? 200 : std::min(255, std::max(0, x * 255 / kW + noise));
        const int g = flat ? 180 : std::min(255, std::max(0, y * 255 / kH + noise));
        const int b = flat ? 40 : std::min(255, std::max(0, ((x + y) / 12) % 256 + noise));
        const int dx = x % 320 - 160, dy = y % 270 - 135, d2 = dx * dx + dy * dy;
        const int a = d2 < 40 * 40 ? 0 : d2 < 48 * 48 ? (d2 - 1600) * 255 / (2304 - 1600) : 255;
        dib.PutPixel(x, y, static_cast<uint32_t>(b | (g << 8) | (r << 16)));
        dib.AlphaDib->PutPixel(x, y, static_cast<uint32_t>(a));
        uint8_t* p = &rgba[(static_cast<size_t>(y) * kW + x) * 4];
        p[0] = static_cast<uint8_t>(r), p[1] = static_cast<uint8_t>(g), p[2] = static_cast<uint8_t>(b);
        p[3] = static_cast<uint8_t>(a);
      }
    zkw::BuildDexRecord(reinterpret_cast<plat::HGLOBAL>(dib.Handle()),
                        reinterpret_cast<plat::HGLOBAL>(dib.AlphaDib->Handle()), true, record);
    const uint32_t imageSize = Le32(record, 14), alphaSize = Le32(record, 18);
    imagePart.assign(record.begin() + 24, record.begin() + 24 + imageSize);
    alphaPart.assign(record.begin() + 24 + imageSize, record.begin() + 24 + imageSize + alphaSize);
    imageRaw = 40 + static_cast<size_t>(dib.AlignedWidth()) * kH;
    alphaRaw = 40 + 1024 + static_cast<size_t>(dib.AlphaDib->AlignedWidth()) * kH;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = kW;
    image.height = kH;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    png.resize(size);
    png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr);
    png.resize(size);
  }
};

Fixture& Data() {
  static Fixture f;
  return f;
}

void BM_DexLoad(benchmark::State& state) {
  Fixture& f = Data();
  for (auto _ : state) {
    const uint8_t* pos = f.record.data();
    plat::HGLOBAL image = nullptr, alpha = nullptr;
    if (zkw::LoadDibExFromMemory(&pos, f.record.size(), &image, &alpha) != 24) state.SkipWithError("load failed");
    plat::GlobalFree(image);
    plat::GlobalFree(alpha);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.imageRaw + f.alphaRaw));
}
BENCHMARK(BM_DexLoad)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ZlibUncompressParts(benchmark::State& state) {
  Fixture& f = Data();
  for (auto _ : state) {
    std::vector<uint8_t> image(f.imageRaw), alpha(f.alphaRaw);
    uLongf n = static_cast<uLongf>(image.size()), m = static_cast<uLongf>(alpha.size());
    if (uncompress(image.data(), &n, f.imagePart.data(), static_cast<uLong>(f.imagePart.size())) != Z_OK ||
        uncompress(alpha.data(), &m, f.alphaPart.data(), static_cast<uLong>(f.alphaPart.size())) != Z_OK)
      state.SkipWithError("uncompress failed");
    benchmark::DoNotOptimize(image.data());
    benchmark::DoNotOptimize(alpha.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.imageRaw + f.alphaRaw));
}
BENCHMARK(BM_ZlibUncompressParts)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_LibpngDecode(benchmark::State& state) {
  Fixture& f = Data();
  std::vector<uint8_t> rgba(static_cast<size_t>(kW) * kH * 4);
  for (auto _ : state) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, f.png.data(), f.png.size())) state.SkipWithError("png header");
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) state.SkipWithError("png decode");
    benchmark::DoNotOptimize(rgba.data());
  }
  state.counters["png_bytes"] = static_cast<double>(f.png.size());
  state.counters["dex_bytes"] = static_cast<double>(f.record.size());
}
BENCHMARK(BM_LibpngDecode)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
