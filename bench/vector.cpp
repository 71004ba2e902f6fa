// The pattern as an SVG drawing: tracing the areas, placing the numbers and
// writing the text, for a pattern of one A4 sheet with 32 colours and for one
// of 10 × 10 sheets, both made by the pipeline from a photo. Reports the
// drawing's size.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <utility>

#include "bench/bench_project.h"
#include "document/pattern_svg.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

struct Project : BenchProject {
  Project() : BenchProject("vector") {}
};

// Index images made once per size: the pipeline on a photo of that shape.
const ImageBuffer& PatternIndex(int32_t width, int32_t height, int pagesPerSide,
                                CTesselParams* paramsOut = nullptr) {
  static std::map<std::tuple<int32_t, int32_t, int>, std::pair<ImageRef, CTesselParams>> made;
  auto key = std::make_tuple(width, height, pagesPerSide);
  auto found = made.find(key);
  if (found == made.end()) {
    Project project;
    project.env.app.page.pageCount = pagesPerSide - 1;
    project.env.app.page.orientation = width > height ? 1 : 0;
    project.doc->ReplaceWithPicture(test::MakePhoto(width, height, 3), kOriginFile, "", true);
    project.doc->PushUndoSnapshot();
    project.doc->CreatePattern();
    found = made.emplace(key, std::make_pair(project.doc->indexImage, project.doc->params)).first;
  }
  if (paramsOut != nullptr) *paramsOut = found->second.second;
  return *found->second.first;
}

void TraceAndWriteSvg(benchmark::State& state) {
  CTesselParams params;
  const ImageBuffer& index =
      PatternIndex(int32_t(state.range(0)), int32_t(state.range(1)), int(state.range(2)), &params);
  if (index.Width() <= 0) {
    state.SkipWithError("no pattern was made");
    return;
  }
  PatternSvgInput input{&index, &params.workingPalette, params.borderColor, 200, 287,
                        SvgStyle::kOutline};
  size_t bytes = 0, areas = 0, numbers = 0;
  for (auto _ : state) {
    PatternOutlines outlines = TraceOutlines(index);
    std::vector<NumberPlacement> places = WholePatternNumberPlaces(index);
    std::string svg = PatternSvg(input, outlines, places);
    bytes = svg.size();
    areas = outlines.areas.size();
    numbers = places.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["patternW"] = index.Width();
  state.counters["patternH"] = index.Height();
  state.counters["areas"] = double(areas);
  state.counters["numbers"] = double(numbers);
  state.counters["svgMB"] = double(bytes) / 1e6;
  state.counters["Mpx/s"] = benchmark::Counter(double(index.Width()) * index.Height() / 1e6,
                                               benchmark::Counter::kIsIterationInvariantRate);
}
// An A4 sheet upright (1240 × 1753) from a photo of that shape, and 10 × 10
// sheets from a 24-megapixel photo.
BENCHMARK(TraceAndWriteSvg)
    ->Args({2000, 2828, 1})
    ->ArgNames({"w", "h", "pages"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(TraceAndWriteSvg)
    ->Args({6000, 4000, 10})
    ->ArgNames({"w", "h", "pages"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

// Far busier than the pipeline makes: the photo's noise cut straight into 27
// colours, so that the file size has an upper bound to show.
void TraceAndWriteSvgOfNoise(benchmark::State& state) {
  ImageRef photo = test::MakePhoto(1240, 1753, 7);
  ImageRef index = test::MakeIndex(1240, 1753, [&](int x, int y) {
    const uint8_t* p = photo->Row(y) + 3 * x;
    return (p[2] / 86) * 9 + (p[1] / 86) * 3 + p[0] / 86;
  });
  std::vector<CFlossColor> palette(27);
  PatternSvgInput input{index.get(), &palette, 0x808080, 200, 287, SvgStyle::kOutline};
  size_t bytes = 0, areas = 0;
  for (auto _ : state) {
    PatternOutlines outlines = TraceOutlines(*index);
    std::string svg = PatternSvg(input, outlines, WholePatternNumberPlaces(*index));
    bytes = svg.size();
    areas = outlines.areas.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["areas"] = double(areas);
  state.counters["svgMB"] = double(bytes) / 1e6;
}
BENCHMARK(TraceAndWriteSvgOfNoise)->Unit(benchmark::kMillisecond)->UseRealTime();

void TraceOnly(benchmark::State& state) {
  const ImageBuffer& index = PatternIndex(2000, 2828, 1);
  for (auto _ : state) {
    PatternOutlines outlines = TraceOutlines(index);
    benchmark::DoNotOptimize(outlines.points.data());
  }
  state.counters["Mpx/s"] = benchmark::Counter(double(index.Width()) * index.Height() / 1e6,
                                               benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(TraceOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tintara

BENCHMARK_MAIN();
