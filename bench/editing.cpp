// Picture editing on a 6000 × 4000 photograph: mirrors and quarter turns,
// the tone-table commands, a free rotation and a resize, each as the command
// runs it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <cstdlib>

#include "editing/picture_adjustments.h"
#include "editing/picture_geometry.h"
#include "editing/picture_transforms.h"
#include "editing/resize_form.h"
#include "imaging/filters/filter_engine.h"
#include "platform/qt_settings_store.h"
#include "ports/scripted_ui_host.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

struct Engine {
  ScriptedUiHost host;
  QtSettingsStore settings{QDir::temp().filePath(QStringLiteral("tintara-bench-editing.ini"))};
  ProgressCounters counters;
  FilterSite site{host, settings, counters};
  Engine() { FilterEngine::InitSite(site); }
};

}  // namespace

const ImageRef& Photo() {
  static ImageRef photo = test::MakePhoto(6000, 4000, 11);
  return photo;
}

namespace {

void SetMegapixels(benchmark::State& state) {
  state.counters["MP/s"] = benchmark::Counter(24.0 * double(state.iterations()),
                                              benchmark::Counter::kIsRate);
}

template <ImageRef (*Transform)(const ImageBuffer&)>
void BM_Transform(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Transform(*Photo()));
  SetMegapixels(state);
}
BENCHMARK(BM_Transform<FlipHorizontal>)
    ->Name("FlipHorizontal")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Transform<FlipVertical>)
    ->Name("FlipVertical")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Transform<FlipBoth>)
    ->Name("FlipBoth")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Transform<RotateLeft>)
    ->Name("RotateLeft")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Transform<RotateRight>)
    ->Name("RotateRight")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Lighter(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ChangeBrightness(*Photo(), nullptr, 1));
  SetMegapixels(state);
}
BENCHMARK(BM_Lighter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MoreContrast(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ChangeContrast(*Photo(), nullptr, 1));
  SetMegapixels(state);
}
BENCHMARK(BM_MoreContrast)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Smart Tune" with "Auto": the tables from the picture, then the chosen one applied.
void BM_SmartTuneAuto(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<ToneTable> tables = SmartTuneTables(*Photo());
    benchmark::DoNotOptimize(ApplyToneTable(*Photo(), nullptr, tables[0]));
  }
  SetMegapixels(state);
}
BENCHMARK(BM_SmartTuneAuto)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Rotate17(benchmark::State& state) {
  Engine engine;
  for (auto _ : state) {
    if (!RotateByHundredths(engine.site, Photo(), 1700, 0)) state.SkipWithError("rotation failed");
  }
  SetMegapixels(state);
}
BENCHMARK(BM_Rotate17)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResizeTo1600(benchmark::State& state) {
  Engine engine;
  for (auto _ : state) {
    if (!ResizeTo(engine.site, Photo(), PictureSize{1600, 1066})) {
      state.SkipWithError("resize failed");
    }
  }
  SetMegapixels(state);
}
BENCHMARK(BM_ResizeTo1600)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tintara

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  tintara::Photo();  // made once, outside the timings
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
