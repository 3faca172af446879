// Image libraries: JpegLibraryToDib of a 1920 x 1080 picture beside libjpeg-turbo's own decode
// of the same bytes with the same settings, and DibObjectFromLib of entry 1000 of a 1000-entry
// version-5 library beside DibObjectFromBuffer of the same DEX record.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "common/byte_stream.h"
#include "dib/dib24.h"
#include "dib/dib_factory.h"
#include "imagefiles/dex.h"
#include "imagefiles/dib_library.h"
#include "imagefiles/jpeg_library.h"
#include "platform/plat.h"

namespace {

constexpr int kW = 1920, kH = 1080;

std::string TempFile(const char* name) {
  return std::string("/tmp/zkw-bench-") + std::to_string(::getpid()) + "-" + name;
}

// A photo-like 1920 x 1080 picture: smooth gradients with some texture, quality 90.
std::vector<uint8_t> Picture() {
  zkw::TDib24Bits dib;
  dib.SetAttributes(kW, kH);
  uint32_t seed = 1;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      seed = seed * 1103515245u + 12345u;
      uint32_t noise = (seed >> 16) & 15;
      dib.PutPixel(x, y, ((x * 255 / kW + noise) & 255) | (((y * 255 / kH + noise) & 255) << 8) |
                             ((((x + y) * 127 / kW) & 255) << 16));
    }
  zkw::TJpegImage jpeg;
  jpeg.Quality = 90;
  jpeg.Assign(reinterpret_cast<plat::HGLOBAL>(dib.Handle()));
  return jpeg.Data();
}

struct JpegFixture {
  std::vector<uint8_t> data = Picture();
  std::string path = TempFile("pictures.jpl");
  zkw::ZString name = zkw::FromUtf8(path);
  JpegFixture() { zkw::WriteJpegLibrary(name.c_str(), {{"picture", 0, data}}); }
  ~JpegFixture() { std::remove(path.c_str()); }
};

JpegFixture& Jpeg() {
  static JpegFixture fixture;
  return fixture;
}

void BM_JpegLibraryToDib(benchmark::State& state) {
  JpegFixture& f = Jpeg();
  for (auto _ : state) {
    zkw::ZString picture;
    plat::HGLOBAL block = zkw::JpegLibraryToDib(f.name.c_str(), 1, &picture, 0);
    if (!block) state.SkipWithError("JpegLibraryToDib failed");
    plat::GlobalFree(block);
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_JpegLibraryToDib)->Unit(benchmark::kMillisecond);

// libjpeg-turbo alone: the same bytes, BGR rows, accurate DCT, fancy upsampling, into a buffer.
void BM_LibjpegDecode(benchmark::State& state) {
  JpegFixture& f = Jpeg();
  std::vector<uint8_t> pixels(static_cast<size_t>(kW) * 3 * kH + 64);
  for (auto _ : state) {
    jpeg_decompress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, f.data.data(), static_cast<unsigned long>(f.data.size()));
    jpeg_read_header(&c, TRUE);
    c.out_color_space = JCS_EXT_BGR;
    c.dct_method = JDCT_ISLOW;
    c.do_fancy_upsampling = TRUE;
    c.do_block_smoothing = TRUE;
    jpeg_start_decompress(&c);
    while (c.output_scanline < c.output_height) {
      JSAMPROW row = pixels.data() + static_cast<size_t>(c.output_scanline) * kW * 3;
      jpeg_read_scanlines(&c, &row, 1);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_LibjpegDecode)->Unit(benchmark::kMillisecond);

struct LibFixture {
  std::vector<uint8_t> record;
  std::string path = TempFile("images.dlb");
  zkw::ZString name = zkw::FromUtf8(path);
  LibFixture() {
    zkw::TDib24Bits dib;
    dib.SetAttributes(256, 256);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) dib.PutPixel(x, y, static_cast<uint32_t>(x | (y << 8) | ((x ^ y) << 16)));
    zkw::TMemoryStream stream;
    zkw::SaveDibExToStream(&stream, reinterpret_cast<plat::HGLOBAL>(dib.Handle()), nullptr);
    record = stream.Bytes();
    zkw::CreateDibLibrary(name.c_str());
    for (int i = 0; i < 1000; ++i) zkw::AddDexRecord(record, name.c_str());
  }
  ~LibFixture() { std::remove(path.c_str()); }
};

LibFixture& Lib() {
  static LibFixture fixture;
  return fixture;
}

void BM_DibObjectFromLib(benchmark::State& state) {
  LibFixture& f = Lib();
  for (auto _ : state) {
    std::unique_ptr<zkw::TDibBaseObj> dib(zkw::DibObjectFromLib(f.name.c_str(), 1000));
    if (!dib) state.SkipWithError("DibObjectFromLib failed");
  }
}
BENCHMARK(BM_DibObjectFromLib)->Unit(benchmark::kMicrosecond);

void BM_DibObjectFromBuffer(benchmark::State& state) {
  LibFixture& f = Lib();
  for (auto _ : state) {
    std::unique_ptr<zkw::TDibBaseObj> dib(zkw::DibObjectFromBuffer(f.record.data(), f.record.size()));
    if (!dib) state.SkipWithError("DibObjectFromBuffer failed");
  }
}
BENCHMARK(BM_DibObjectFromBuffer)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
