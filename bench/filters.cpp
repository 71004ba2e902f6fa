// Filter tools on photo-sized pictures, run through the wrappers as the
// program runs them.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "imaging/filters/apply_tool.h"
#include "imaging/filters/filter_engine.h"
#include "ports/memory_settings_store.h"
#include "ports/scripted_ui_host.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {


struct Engine {
  ScriptedUiHost host;
  MemorySettingsStore settings;
  ProgressCounters counters;
  FilterSite site{host, settings, counters};
  Engine() { FilterEngine::InitSite(site); }
};

const ImageRef& Photo() {
  static ImageRef photo = test::MakePhoto(6000, 4000, 7);
  return photo;
}

void SetMegapixels(benchmark::State& state, int64_t pixels) {
  state.counters["MP/s"] = benchmark::Counter(double(pixels) * double(state.iterations()) / 1e6,
                                              benchmark::Counter::kIsRate);
}

void BM_Graham(benchmark::State& state) {
  Engine engine;
  ImageRef picture = ImageBuffer::Copy(*Photo());
  std::string n = std::to_string(state.range(0));
  std::string text = n + "," + n + ",0,0";
  for (auto _ : state) {
    if (!ApplyToolInPlace(engine.site, "graham_filt", picture, text, "%d,%d,%d,%d")) {
      state.SkipWithError("graham_filt failed");
    }
  }
  SetMegapixels(state, int64_t(picture->Width()) * picture->Height());
}
BENCHMARK(BM_Graham)->Arg(3)->Arg(15)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MedianIndex(benchmark::State& state) {
  Engine engine;
  // An index image as the pipeline leaves it: areas of a few dozen colours.
  ImageRef index = test::MakeIndex(1240, 1753, [](int32_t x, int32_t y) {
    return ((x / 37) * 7 + (y / 23) * 3 + ((x * y) % 11 == 0 ? 5 : 0)) % 32;
  });
  std::string n = std::to_string(state.range(0));
  std::string text = n + "," + n + ",0,0";
  for (auto _ : state) {
    ImageRef picture = ImageBuffer::Copy(*index);
    if (!ApplyToolInPlace(engine.site, "median_filt", picture, text, "%d,%d,%d,%d")) {
      state.SkipWithError("median_filt failed");
    }
  }
  SetMegapixels(state, int64_t(index->Width()) * index->Height());
}
BENCHMARK(BM_MedianIndex)->Arg(3)->Arg(15)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MedianColour(benchmark::State& state) {
  Engine engine;
  ImageRef picture = ImageBuffer::Copy(*Photo());
  std::string n = std::to_string(state.range(0));
  std::string text = n + "," + n + ",0,0";
  for (auto _ : state) {
    if (!ApplyToolInPlace(engine.site, "median_filt", picture, text, "%d,%d,%d,%d")) {
      state.SkipWithError("median_filt failed");
    }
  }
  SetMegapixels(state, int64_t(picture->Width()) * picture->Height());
}
BENCHMARK(BM_MedianColour)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChangeSize(benchmark::State& state) {
  Engine engine;
  for (auto _ : state) {
    ImageRef result;
    if (!ApplyToolNewImage(engine.site, "Change_Size", Photo(), result, "{1240,827},0,150,150",
                           "%p,%d,%d,%d")) {
      state.SkipWithError("Change_Size failed");
    }
  }
  SetMegapixels(state, int64_t(Photo()->Width()) * Photo()->Height());
}
BENCHMARK(BM_ChangeSize)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Rotate(benchmark::State& state) {
  Engine engine;
  int64_t outputPixels = 0;
  for (auto _ : state) {
    ImageRef result;
    if (!ApplyToolNewImage(engine.site, "ImageRotate", Photo(), result,
                           std::to_string(state.range(0)) + ",{255,255,255}", "%d,%c")) {
      state.SkipWithError("ImageRotate failed");
      break;
    }
    outputPixels = int64_t(result->Width()) * result->Height();
  }
  SetMegapixels(state, outputPixels);
}
BENCHMARK(BM_Rotate)->Arg(1700)->Arg(9000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Smooth(benchmark::State& state) {
  Engine engine;
  ImageRef picture = ImageBuffer::Copy(*Photo());
  for (auto _ : state) {
    if (!ApplyToolInPlace(engine.site, "smooth_simp", picture, "3,3,0,0", "%d,%d,%d,%d")) {
      state.SkipWithError("smooth_simp failed");
    }
  }
  SetMegapixels(state, int64_t(picture->Width()) * picture->Height());
}
BENCHMARK(BM_Smooth)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tintara

BENCHMARK_MAIN();
