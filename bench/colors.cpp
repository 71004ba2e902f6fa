// Colour choice and reduction on photo-sized pictures: the working palette
// from a 24-megapixel photo, the optimised reduction of the same photo, and
// nearest-colour mapping of a pattern-sized picture (1240 × 1753).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "colors/brand_list.h"
#include "colors/brand_palette.h"
#include "colors/reduction/closest_paints.h"
#include "colors/reduction/nearest_color.h"
#include "colors/reduction/optimized_reduction.h"
#include "colors/reduction/paint_color_matcher.h"
#include "colors/reduction/working_palette.h"
#include "colors/similar_paints.h"
#include "imaging/parallel_rows.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

const ImageBuffer& LargePhoto() {
  static const ImageRef photo = test::MakePhoto(6000, 4000, 1);
  return *photo;
}

const ImageBuffer& PatternSizedPhoto() {
  static const ImageRef photo = test::MakePhoto(1240, 1753, 2);
  return *photo;
}

void CountPixels(benchmark::State& state, const ImageBuffer& picture) {
  state.counters["Mpx/s"] = benchmark::Counter(
      double(picture.Width()) * picture.Height() * double(state.iterations()) / 1e6,
      benchmark::Counter::kIsRate);
}

void BM_BuildPaletteForPicture32(benchmark::State& state) {
  const ImageBuffer& photo = LargePhoto();
  const std::string folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  CTesselParams params;
  params.brandFile = FindBrandFiles(folder).at(2);  // 100 colours
  for (auto _ : state) {
    PaletteBuild result = BuildPaletteForPicture(params, 32, photo, 100);
    benchmark::DoNotOptimize(result);
  }
  state.counters["colors"] = double(params.workingPalette.size());
  CountPixels(state, photo);
}
BENCHMARK(BM_BuildPaletteForPicture32)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The paints closest to a photo: 32 of a brand of 100 from the photo's
// histogram cells (the histogram itself is counted separately below).
void BM_ChooseClosestPaints32Of100(benchmark::State& state) {
  const std::string folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  std::optional<BrandPalette> brand = BrandPalette::Load(folder + "/GoldenHeavyBody.dat");
  if (!brand || brand->Count() != 100) {
    state.SkipWithError("GoldenHeavyBody.dat with 100 paints is missing");
    return;
  }
  std::vector<Lab> paints;
  for (int i = 0; i < brand->Count(); ++i) paints.push_back(SrgbToLab(brand->ColorAt(i)->AsRgb()));
  const std::vector<WeightedLab> cells = PictureLabCells(PatternSizedPhoto(), 100);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ChooseClosestPaints(cells, paints, 32));
  }
  state.counters["cells"] = double(cells.size());
}
BENCHMARK(BM_ChooseClosestPaints32Of100)->Unit(benchmark::kMillisecond);

void BM_PictureLabCells(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(PictureLabCells(PatternSizedPhoto(), 100));
  CountPixels(state, PatternSizedPhoto());
}
BENCHMARK(BM_PictureLabCells)->Unit(benchmark::kMillisecond);

void BM_ReduceColorsOptimized32(benchmark::State& state) {
  const ImageBuffer& photo = LargePhoto();
  for (auto _ : state) {
    ImageRef result = ReduceColorsOptimized(photo, nullptr, 32);
    benchmark::DoNotOptimize(result.get());
  }
  CountPixels(state, photo);
}
BENCHMARK(BM_ReduceColorsOptimized32)->Unit(benchmark::kMillisecond)->MinTime(2.0);

std::vector<Rgb> PatternPalette() {
  return QuantizePicture(PatternSizedPhoto(), 32, 100);
}

// Table built from the palette, then every pixel mapped, on one thread.
void BM_NearestColorMapping32(benchmark::State& state) {
  const ImageBuffer& photo = PatternSizedPhoto();
  const std::vector<Rgb> palette = PatternPalette();
  std::vector<uint8_t> index(size_t(photo.Width()));
  for (auto _ : state) {
    const NearestColorTable table(palette);
    for (int32_t y = 0; y < photo.Height(); ++y) {
      const uint8_t* p = photo.Row(y);
      for (int32_t x = 0; x < photo.Width(); ++x, p += 3) {
        index[size_t(x)] = uint8_t(table.Nearest({p[2], p[1], p[0]}));
      }
      benchmark::DoNotOptimize(index.data());
    }
  }
  CountPixels(state, photo);
}
BENCHMARK(BM_NearestColorMapping32)->Unit(benchmark::kMillisecond);

// What turning a picture into paint colours costs: lightness correction and
// nearest colour per pixel, rows split over the cores.
void BM_CorrectAndMap32(benchmark::State& state) {
  const ImageBuffer& photo = PatternSizedPhoto();
  const std::vector<Rgb> palette = PatternPalette();
  std::vector<uint8_t> index(size_t(photo.Width()) * size_t(photo.Height()));
  for (auto _ : state) {
    const NearestColorTable table(palette);
    ParallelRows(photo.Height(), int64_t(photo.Width()) * photo.Height(),
                 [&](int32_t first, int32_t end) {
                   PaintColorMatcher match(table, 100);
                   for (int32_t y = first; y < end; ++y) {
                     const uint8_t* p = photo.Row(y);
                     uint8_t* out = index.data() + size_t(y) * size_t(photo.Width());
                     for (int32_t x = 0; x < photo.Width(); ++x, p += 3) {
                       out[x] = uint8_t(match.Match({p[2], p[1], p[0]}));
                     }
                   }
                 });
    benchmark::DoNotOptimize(index.data());
  }
  CountPixels(state, photo);
}
BENCHMARK(BM_CorrectAndMap32)->Unit(benchmark::kMillisecond)->UseRealTime();

const std::vector<BrandPalette>& SuppliedBrands() {
  static const std::vector<BrandPalette> brands = [] {
    std::vector<BrandPalette> loaded;
    for (const BrandListEntry& entry : ListBrands(TINTARA_RESOURCES_DIR "/brands")) {
      if (std::optional<BrandPalette> palette = BrandPalette::Load(entry.path)) {
        loaded.push_back(std::move(*palette));
      }
    }
    return loaded;
  }();
  return brands;
}

// Every colour of one supplied brand against the other brands, tables included.
void BM_SimilarPaintsOfWholeBrand(benchmark::State& state) {
  const std::vector<BrandPalette>& brands = SuppliedBrands();
  const BrandPalette& brand = brands.at(size_t(state.range(0)));
  size_t matches = 0;
  for (auto _ : state) {
    const auto found = FindSimilarPaints(brand.Colors(), brands);
    matches = 0;
    for (const auto& list : found) matches += list.size();
    benchmark::DoNotOptimize(matches);
  }
  state.counters["colors"] = brand.Count();
  state.counters["matches"] = double(matches);
  int64_t others = 0;
  for (const BrandPalette& other : brands) {
    if (other.BrandName() != brand.BrandName()) others += other.Count();
  }
  state.counters["pairs/s"] = benchmark::Counter(double(brand.Count()) * double(others),
                                                 benchmark::Counter::kIsIterationInvariantRate);
  state.SetLabel(brand.BrandName());
}
BENCHMARK(BM_SimilarPaintsOfWholeBrand)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tintara

BENCHMARK_MAIN();
