// Characters: loading a gesture of eight 200 x 300 frames beside zlib's uncompress of the same
// DEX parts, and 20 characters stepping and drawing such frames beside DrawMerge of the same
// frames alone.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/byte_stream.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "imagefiles/dex.h"
#include "player/character/dib_character.h"

namespace {

constexpr int kW = 200, kH = 300, kFrames = 8, kCharacters = 20;

struct Fixture {
  std::vector<std::unique_ptr<zkw::TDib8Bits>> frames;
  std::vector<uint8_t> file;
  std::vector<std::vector<uint8_t>> parts;  // the compressed parts of every frame
  std::vector<size_t> rawSizes;
  int64_t gestureAt = 0;
  Fixture() {
    zkw::TCharGestureSource walk;
    walk.Name = "RestPose";
    walk.Style = 2;
    for (int f = 0; f < kFrames; ++f) {
      auto dib = std::make_unique<zkw::TDib8Bits>();
      dib->SetAttributes(kW, kH);
      dib->CreateAlphaChannel();
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
          // A figure: an ellipse of bands with a soft edge, moving a little from frame to frame.
          const int dx = x - kW / 2 - f * 3, dy = y - kH / 2;
          const int r = dx * dx * 9 + dy * dy * 4;
          dib->PutPixel(x, y, static_cast<uint32_t>(16 + (y / 12 + f) % 200));
          dib->AlphaDib->PutPixel(x, y, r < 70000 ? 255 : r < 90000 ? 128 : 0);
        }
      walk.Frames.push_back({dib.get(), 1, 0, 0});
      frames.push_back(std::move(dib));
    }
    std::string error;
    zkw::BuildCharacterFile("Bench", kW, kH, {walk}, file, error);
    std::memcpy(&gestureAt, &file[54 + 16], 4);
    size_t at = static_cast<size_t>(gestureAt) + 35;
    for (int f = 0; f < kFrames; ++f) {
      zkw::TDexHeader dex;
      std::memcpy(&dex, &file[at + 12], sizeof dex);
      at += 12 + 24;
      parts.emplace_back(file.begin() + at, file.begin() + at + dex.ImageSize);
      at += dex.ImageSize;
      parts.emplace_back(file.begin() + at, file.begin() + at + dex.AlphaSize);
      at += static_cast<size_t>(dex.AlphaSize);
      rawSizes.push_back(40 + 1024 + static_cast<size_t>((kW + 3) / 4 * 4) * kH);
      rawSizes.push_back(40 + 1024 + static_cast<size_t>((kW + 3) / 4 * 4) * kH);
    }
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_CharacterGestureLoad(benchmark::State& state) {
  Fixture& fx = Shared();
  zkw::TBufferStream stream(fx.file.data(), fx.file.size());
  for (auto _ : state) {
    zkw::TCharGestureData data;
    benchmark::DoNotOptimize(zkw::ReadCharGesture(&stream, fx.gestureAt, data));
  }
}
BENCHMARK(BM_CharacterGestureLoad)->Unit(benchmark::kMillisecond);

void BM_ZlibUncompressSameParts(benchmark::State& state) {
  Fixture& fx = Shared();
  std::vector<uint8_t> out(fx.rawSizes[0]);
  for (auto _ : state)
    for (size_t i = 0; i < fx.parts.size(); ++i) {
      uLongf length = static_cast<uLongf>(out.size());
      benchmark::DoNotOptimize(uncompress(out.data(), &length, fx.parts[i].data(),
                                          static_cast<uLong>(fx.parts[i].size())));
    }
}
BENCHMARK(BM_ZlibUncompressSameParts)->Unit(benchmark::kMillisecond);

void BM_CharactersStepAndDraw(benchmark::State& state) {
  Fixture& fx = Shared();
  zkw::TDibCharacter::SoundPlayer() = [](const void*, uint32_t) { return true; };
  std::vector<std::unique_ptr<zkw::TDibCharacter>> cast;
  for (int i = 0; i < kCharacters; ++i) {
    cast.push_back(std::make_unique<zkw::TDibCharacter>());
    cast.back()->LoadFromStream(std::make_unique<zkw::TBufferStream>(fx.file.data(), fx.file.size()));
    cast.back()->SetPos((i % 5) * 240, (i / 5) * 170);
  }
  zkw::TDib24Bits target;
  target.SetAttributes(1280, 720);
  for (auto _ : state)
    for (auto& ch : cast) {
      ch->DoAction();
      ch->DrawOn(&target);
    }
}
BENCHMARK(BM_CharactersStepAndDraw)->Unit(benchmark::kMillisecond);

void BM_DrawMergeSameFrames(benchmark::State& state) {
  Fixture& fx = Shared();
  zkw::TDib24Bits target;
  target.SetAttributes(1280, 720);
  int frame = 0;
  for (auto _ : state) {
    for (int i = 0; i < kCharacters; ++i) {
      zkw::TDib8Bits* dib = fx.frames[static_cast<size_t>(frame)].get();
      target.DrawMerge((i % 5) * 240, (i / 5) * 170, dib, 0, 0, kW, kH, 1, 1, 100);
    }
    frame = (frame + 1) % kFrames;
  }
}
BENCHMARK(BM_DrawMergeSameFrames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
