// The frame cycle of a scene: one action step and one draw step of 200 moving 64 x 64 sprites
// with alpha over an 800 x 600 background (and of 1,000 and 5,000, and with scripts running
// 10,000 lines a frame), the same for 50 rotating and scaling sprites (smooth and through the
// DIB transforms), and loading a scene of 100 and of 1,000 images, lazily and fully.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "common/byte_stream.h"
#include "base/text16.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_factory.h"
#include "platform/plat_imaging.h"
#include "player/kinds/transform_kinds.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_registry.h"
#include "player/scene/dib_animator.h"
#include "player/scene/scene_entries.h"
#include "script/execute.h"

using namespace zkw;

namespace {

// A sprite that bounces inside the view and draws through its alpha companion.
class BounceSprite : public TAnimateObj {
 public:
  void Action(TDibBaseObj* ADib) override {
    int32_t x = Fx + Dx, y = Fy + Dy;
    if (x < 0 || x + FWidth > ADib->Width()) Dx = -Dx;
    if (y < 0 || y + FHeight > ADib->Height()) Dy = -Dy;
    SetPos(Fx + Dx, Fy + Dy);
  }
  void Draw(TDibBaseObj* ADib) override { ADib->DrawTransparent(Fx, Fy, FDib, 1, 1); }
  int32_t Dx = 3, Dy = 2;
};

TDibBaseObj* SpriteImage() {
  auto* dib = CreateDibObject(24);
  dib->SetAttributes(64, 64);
  auto* alpha = new TDib8Bits();
  alpha->SetAttributes(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      dib->PutPixel(x, y, static_cast<uint32_t>((x * 4) | (y * 4) << 8 | 0x400000));
      double d = std::hypot(x - 31.5, y - 31.5);
      alpha->PutPixel(x, y, d >= 32 ? 0 : static_cast<uint32_t>(255 - d * 7));
    }
  dib->AlphaDib = alpha;
  return dib;
}

// An 800 x 600 playing scene whose first object draws a gradient background opaquely.
void ReadyWithBackground(TDibAnimator& ani) {
  ani.SetDibAttr(800, 600);
  ani.SetViewTo(800, 600);
  ani.FSceneReady = true;
  std::unique_ptr<TDibBaseObj> backImage(CreateDibObject(24));
  backImage->SetAttributes(800, 600);
  for (int y = 0; y < 600; ++y) backImage->Bar(0, y, 799, y, static_cast<uint32_t>(y / 3));
  int32_t back = ani.AddDib(backImage.release());
  auto* bg = new TAnimateObj();
  bg->FParent = &ani;
  bg->FID = static_cast<int16_t>(back);
  bg->SetDibObject(ani.GetDib(back));
  bg->FDibStyle = 0;
  ani.Append(bg);
}

// `count` bouncing sprites over the background, spread over the view.
void AddSprites(TDibAnimator& ani, int count) {
  int32_t sprite = ani.AddDib(SpriteImage());
  for (int i = 0; i < count; ++i) {
    auto* o = new BounceSprite();
    o->FParent = &ani;
    o->FID = static_cast<int16_t>(sprite);
    o->SetDibObject(ani.GetDib(sprite));
    o->Fx = (i * 37) % 736;
    o->Fy = (i * 53) % 536;
    o->Dx = 1 + i % 5;
    o->Dy = 1 + i % 3;
    ani.Append(o);
  }
}

void BM_SceneFrame200Sprites(benchmark::State& state) {
  TDibAnimator ani;
  ReadyWithBackground(ani);
  AddSprites(ani, 200);
  for (auto _ : state) {
    ani.DoAction(ani.FDib);
    ani.DoDraw(ani.FDib);
    benchmark::DoNotOptimize(ani.FDib->DibData);
  }
}
BENCHMARK(BM_SceneFrame200Sprites)->Unit(benchmark::kMicrosecond);

// How the frame grows with the sprites: each 64 x 64 sprite draws the same pixels, so the time
// should grow linearly with their number (reported per sprite too).
void BM_SceneFrameSprites(benchmark::State& state) {
  TDibAnimator ani;
  ReadyWithBackground(ani);
  AddSprites(ani, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ani.DoAction(ani.FDib);
    ani.DoDraw(ani.FDib);
    benchmark::DoNotOptimize(ani.FDib->DibData);
  }
  state.counters["per_sprite"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(state.range(0)),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SceneFrameSprites)->Arg(200)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

// The 200-sprite frame with scripts that run 10,000 lines each frame (a 5,000-pass loop of a
// For line and an assignment), run as the scene's event script after the action step.
void BM_SceneFrameScriptLines(benchmark::State& state) {
  TDibAnimator ani;
  ReadyWithBackground(ani);
  AddSprites(ani, 200);
  ani.SetPlaying(true);
  ani.GlobalVarList.Add("$out", 2);
  TScriptPtr list = CompileScript(
      "Var $i Number\r\nVar $sum Number\r\nFor $i = 1 to 5000\r\n  $sum := $sum + $i * 2\r\nEndFor\r\n"
      "$out := $sum",
      true);
  PrepareScript(&ani, nullptr, list.get());
  for (auto _ : state) {
    ani.DoAction(ani.FDib);
    RunEventScript(&ani, nullptr, list.get(), 0);
    ani.DoDraw(ani.FDib);
    benchmark::DoNotOptimize(ani.FDib->DibData);
  }
  if (ani.GlobalVarList.GetVar("$out")->Value != 25005000) state.SkipWithError("wrong sum");
}
BENCHMARK(BM_SceneFrameScriptLines)->Unit(benchmark::kMicrosecond);

// 25 rotating sprites (kind 8) and 25 rotating and pulsing ones (kind 9) moving over an
// 800 x 600 background; state.range(0) 1 draws them smoothly (image-drawing service running),
// 0 through the DIB transforms.
void BM_SceneFrame50TurningSprites(benchmark::State& state) {
  const bool smooth = state.range(0) != 0;
  if (smooth && !plat::ImagingStartup()) {
    state.SkipWithError("the image-drawing service does not start");
    return;
  }
  if (!smooth) plat::ImagingShutdown();
  {
    TDibAnimator ani;
    ReadyWithBackground(ani);
    int32_t sprite = ani.AddDib(SpriteImage());
    for (int i = 0; i < 50; ++i) {
      TAnimateObj* o;
      if (i % 2 == 0) {
        auto* r = new TDibRotate();
        r->FDx = static_cast<int16_t>(1 + i % 5), r->FDy = static_cast<int16_t>(1 + i % 3);
        r->FRegion = {0, 0, 736, 536};
        r->FDAngle = static_cast<int16_t>(3 + i % 7);
        o = r;
      } else {
        auto* r = new TScaleRotate();
        r->FDx = static_cast<int16_t>(1 + i % 5), r->FDy = static_cast<int16_t>(1 + i % 3);
        r->FFromX = r->FFromY = 0, r->FMaxX = 736, r->FMaxY = 536;
        r->FOScaleX = r->FOScaleY = 50, r->FMaxScaleX = r->FMaxScaleY = 150;
        r->FDScaleX = 5, r->FDScaleY = 4;
        r->FDAngle = static_cast<int16_t>(2 + i % 5);
        o = r;
      }
      o->FParent = &ani;
      o->FID = static_cast<int16_t>(sprite);
      o->SetDibObject(ani.GetDib(sprite));
      o->Fx = (i * 37) % 736;
      o->Fy = (i * 53) % 536;
      ani.Append(o);
    }
    ani.BeforePlay();
    for (auto _ : state) {
      ani.DoAction(ani.FDib);
      ani.DoDraw(ani.FDib);
      benchmark::DoNotOptimize(ani.FDib->DibData);
    }
    ani.Empty();
  }
  plat::ImagingShutdown();
}
BENCHMARK(BM_SceneFrame50TurningSprites)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

std::vector<uint8_t> SceneOfImages(int count, bool lazy) {
  TDibAnimator ani;
  ani.SetDibAttr(640, 480);
  ani.SetViewTo(640, 480);
  for (int i = 0; i < count; ++i) {
    auto* dib = CreateDibObject(24);
    dib->SetAttributes(64, 64);
    for (int y = 0; y < 64; ++y) dib->Bar(0, y, 63, y, static_cast<uint32_t>(i * 2000 + y * 3));
    ani.GetEntry(ani.AddDib(dib))->LoadWhenUsed = lazy;
  }
  TMemoryStream out;
  ani.SaveToStream(&out);
  return out.Bytes();
}

// Loads a scene of `count` 64 x 64 images from its file; the counter "heap_bytes" is what the
// loaded scene holds on the heap (lazily: the images stay in the file until drawn).
void LoadScene(benchmark::State& state, int count, bool allInMemory) {
  // Images are left in a scene's file only when the scene is read from that file.
  std::vector<uint8_t> bytes = SceneOfImages(count, !allInMemory);
  std::string path = (std::filesystem::temp_directory_path() /
                      ("zkw_bench_" + std::to_string(count) + "_images.dan")).string();
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  ZString name = FromUtf8(path);
  double held = 0;
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    TDibAnimator ani;
    ani.AlwaysLoadDibIntoMemory = allInMemory;
    if (!ani.LoadFromFile(name.c_str())) state.SkipWithError("scene did not load");
    held = static_cast<double>(mallinfo2().uordblks) - static_cast<double>(before);
    benchmark::DoNotOptimize(ani.DibCount());
  }
  state.counters["heap_bytes"] = held;
  std::filesystem::remove(path);
}
void BM_LoadScene100ImagesLazy(benchmark::State& state) { LoadScene(state, 100, false); }
void BM_LoadScene100ImagesInMemory(benchmark::State& state) { LoadScene(state, 100, true); }
BENCHMARK(BM_LoadScene100ImagesLazy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadScene100ImagesInMemory)->Unit(benchmark::kMicrosecond);
void BM_LoadScene1000ImagesLazy(benchmark::State& state) { LoadScene(state, 1000, false); }
void BM_LoadScene1000ImagesInMemory(benchmark::State& state) { LoadScene(state, 1000, true); }
BENCHMARK(BM_LoadScene1000ImagesLazy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadScene1000ImagesInMemory)->Unit(benchmark::kMicrosecond);

// Reading and writing object records: a scene of 1000 objects of 20 kinds without images
// (the records of each kind with their default values), loaded from memory and saved again.
std::vector<uint8_t> SceneOf1000Objects() {
  const uint8_t kinds[] = {0, 2, 3, 8, 9, 12, 13, 14, 19, 20, 21, 24, 25, 26, 27, 30, 31, 37, 39, 41};
  TDibAnimator ani;
  ani.SetDibAttr(800, 600);
  for (int i = 0; i < 1000; ++i) {
    TAnimateObj* o = CreateObjectOfKind(kinds[i % 20]);
    o->FParent = &ani;
    o->FName = "Object" + std::to_string(i);
    o->Fx = i % 800;
    ani.Append(o);
  }
  TMemoryStream out;
  ani.SaveToStream(&out);
  return out.Bytes();
}

void BM_LoadScene1000Objects(benchmark::State& state) {
  const std::vector<uint8_t> bytes = SceneOf1000Objects();
  for (auto _ : state) {
    TDibAnimator ani;
    TMemoryStream in(bytes);
    if (!ani.LoadFromStream(&in)) state.SkipWithError("scene did not load");
    benchmark::DoNotOptimize(ani.Head());
  }
}
BENCHMARK(BM_LoadScene1000Objects)->Unit(benchmark::kMicrosecond);

void BM_SaveScene1000Objects(benchmark::State& state) {
  const std::vector<uint8_t> bytes = SceneOf1000Objects();
  TDibAnimator ani;
  TMemoryStream in(bytes);
  if (!ani.LoadFromStream(&in)) state.SkipWithError("scene did not load");
  for (auto _ : state) {
    TMemoryStream out;
    ani.SaveToStream(&out);
    benchmark::DoNotOptimize(out.Bytes().data());
  }
}
BENCHMARK(BM_SaveScene1000Objects)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
