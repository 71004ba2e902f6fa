// Drawing the painting pattern of one A4 page at 150 dots per inch, whole and
// after a small edit.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "colors/color_difference.h"
#include "pattern/area_shares.h"
#include "pattern/merge_small_areas.h"
#include "pattern/render_pattern.h"
#include "pattern/same_color_area.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

constexpr int32_t kWidth = 1240;
constexpr int32_t kHeight = 1753;

// A photo smoothed over a square of 2 × radius + 1 pixels and cut into 27
// colours. Radius 6 gives areas from a few pixels along the soft edges up to
// large patches, as a median-filtered pattern shows them; radius 1 leaves
// much of the noise in, a far busier pattern than the pipeline makes.
ImageRef MakeAreas(int32_t width, int32_t height, int radius) {
  ImageRef photo = test::MakePhoto(width, height, 7);
  ImageRef index = ImageBuffer::Create(kKindGray8, width, height);
  std::vector<int64_t> sums(size_t(width + 1) * size_t(height + 1) * 3, 0);
  auto at = [&](int32_t x, int32_t y, int c) -> int64_t& {
    return sums[(size_t(y) * size_t(width + 1) + size_t(x)) * 3 + size_t(c)];
  };
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = photo->Row(y);
    for (int32_t x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) {
        at(x + 1, y + 1, c) = row[3 * x + c] + at(x, y + 1, c) + at(x + 1, y, c) - at(x, y, c);
      }
    }
  }
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* out = index->WritableRows().value().Row(y);
    int32_t y0 = std::max(0, y - radius), y1 = std::min(height, y + radius + 1);
    for (int32_t x = 0; x < width; ++x) {
      int32_t x0 = std::max(0, x - radius), x1 = std::min(width, x + radius + 1);
      int64_t n = int64_t(x1 - x0) * (y1 - y0);
      int level[3];
      for (int c = 0; c < 3; ++c) {
        int64_t sum = at(x1, y1, c) - at(x0, y1, c) - at(x1, y0, c) + at(x0, y0, c);
        level[c] = int(sum / n) / 86;
      }
      out[x] = uint8_t(level[2] * 9 + level[1] * 3 + level[0]);
    }
  }
  return index;
}

const ImageBuffer& Areas() {
  static ImageRef index = MakeAreas(kWidth, kHeight, 6);
  return *index;
}

const ImageBuffer& BusyAreas() {
  static ImageRef index = MakeAreas(kWidth, kHeight, 1);
  return *index;
}

ImageRef NewPattern() {
  return ImageBuffer::CreateWithPalette(kKind8Bit, kWidth, kHeight, GreyPalette().data(), 256);
}

void RenderWhole(benchmark::State& state) {
  ImageRef pattern = NewPattern();
  PatternRenderInput input{&Areas(), int32_t(state.range(0)), 0x808080, 27};
  for (auto _ : state) {
    RenderStatus status = RenderPattern(input, *pattern, WholePattern(*pattern), nullptr);
    benchmark::DoNotOptimize(status);
  }
  state.counters["Mpx/s"] = benchmark::Counter(double(kWidth) * kHeight / 1e6,
                                               benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(RenderWhole)->Arg(5)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond);

void RenderBusy(benchmark::State& state) {
  ImageRef pattern = NewPattern();
  PatternRenderInput input{&BusyAreas(), 5, 0x808080, 27};
  for (auto _ : state) {
    RenderStatus status = RenderPattern(input, *pattern, WholePattern(*pattern), nullptr);
    benchmark::DoNotOptimize(status);
  }
  state.counters["Mpx/s"] = benchmark::Counter(double(kWidth) * kHeight / 1e6,
                                               benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(RenderBusy)->Unit(benchmark::kMillisecond);

// The whole pattern with numbers only where they fit.
void RenderFitting(benchmark::State& state) {
  ImageRef pattern = NewPattern();
  PatternRenderInput input{state.range(0) ? &BusyAreas() : &Areas(), 5, 0x808080, 27, true};
  for (auto _ : state) {
    RenderStatus status = RenderPattern(input, *pattern, WholePattern(*pattern), nullptr);
    benchmark::DoNotOptimize(status);
  }
  state.counters["Mpx/s"] = benchmark::Counter(double(kWidth) * kHeight / 1e6,
                                               benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(RenderFitting)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Merging every area narrower than 2.5 mm at 600 dpi (14.8 pattern pixels).
void MergeSmall(benchmark::State& state) {
  std::vector<Lab> paints;
  for (int k = 0; k < 32; ++k) {
    paints.push_back(SrgbToLab({uint8_t(k * 8), uint8_t(255 - k * 7), uint8_t((k * 53) % 256)}));
  }
  const ImageBuffer& source = state.range(0) ? BusyAreas() : Areas();
  int32_t merged = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ImageRef index = ImageBuffer::Copy(source);
    state.ResumeTiming();
    merged = MergeSmallAreas(*index, paints, 2.5 / (25.4 * 4 / 600)).mergedAreas;
  }
  state.counters["merged"] = merged;
}
BENCHMARK(MergeSmall)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void RenderEdit(benchmark::State& state) {
  ImageRef pattern = NewPattern();
  PatternRenderInput input{&Areas(), 5, 0x808080, 27};
  RenderPattern(input, *pattern, WholePattern(*pattern), nullptr);
  PatternRenderRect rect{600, 800, 664, 864, false};
  for (auto _ : state) {
    RenderStatus status = RenderPattern(input, *pattern, rect, nullptr);
    benchmark::DoNotOptimize(status);
  }
  state.counters["Mpx/s"] = benchmark::Counter(68.0 * 68.0 / 1e6,
                                               benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(RenderEdit)->Unit(benchmark::kMicrosecond);

void SelectLargestArea(benchmark::State& state) {
  const ImageBuffer& index = Areas();
  for (auto _ : state) {
    RegionPtr region = SelectSameColorArea(index, kWidth / 2, kHeight / 2);
    benchmark::DoNotOptimize(region.get());
  }
  state.counters["Mpx/s"] = benchmark::Counter(double(kWidth) * kHeight / 1e6,
                                               benchmark::Counter::kIsIterationInvariantRate);
}
// Areas on the pattern and on the 8-pixel grid of the number step.
void CountAreas(benchmark::State& state) {
  const ImageBuffer& index = state.range(0) ? BusyAreas() : Areas();
  ImageRef grid = ImageBuffer::Create(kKindGray8, kWidth / 8, kHeight / 8);
  for (int32_t j = 0; j < grid->Height(); ++j) {
    for (int32_t i = 0; i < grid->Width(); ++i)
      grid->WritableRows().value().Row(j)[i] = index.Row(8 * j)[8 * i];
  }
  auto count = [](const ImageBuffer& image) {
    auto finder = AreaFinder::Create(image);
    std::vector<uint8_t> seen(size_t(image.Width()) * size_t(image.Height()));
    int areas = 0;
    for (int32_t y = 0; y < image.Height(); ++y) {
      for (int32_t x = 0; x < image.Width(); ++x) {
        if (seen[size_t(y) * size_t(image.Width()) + size_t(x)]) continue;
        ++areas;
        finder->Find(x, y);
        for (const AreaRun& run : finder->Runs()) {
          for (int32_t c = run.left; c < run.right; ++c) {
            seen[size_t(run.y) * size_t(image.Width()) + size_t(c)] = 1;
          }
        }
      }
    }
    return areas;
  };
  for (auto _ : state) {
    state.counters["areas"] = count(index);
    state.counters["gridAreas"] = count(*grid);
  }
}
BENCHMARK(CountAreas)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK(SelectLargestArea)->Unit(benchmark::kMillisecond);

// The share of each colour of an index image of 4960 × 7015 (A4 at 600 dots
// per inch): the areas above enlarged four times, smooth or busy.
ImageRef Enlarged(const ImageBuffer& index) {
  constexpr int32_t width = 4960, height = 7015;
  return test::MakeIndex(width, height, [&](int32_t x, int32_t y) {
    return index.Row(std::min(y / 4, index.Height() - 1))[x / 4];
  });
}

void ShareOfArea(benchmark::State& state) {
  static const ImageRef smooth = Enlarged(Areas());
  static const ImageRef busy = Enlarged(BusyAreas());
  const ImageBuffer& index = state.range(0) ? *busy : *smooth;
  for (auto _ : state) {
    std::vector<double> shares = AreaShares(&index, 27);
    benchmark::DoNotOptimize(shares.data());
  }
  state.counters["Mpx/s"] = benchmark::Counter(double(index.Width()) * index.Height() / 1e6,
                                               benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(ShareOfArea)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tintara

BENCHMARK_MAIN();
