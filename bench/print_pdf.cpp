// Printing a pattern to PDF: the 10 × 10-sheet pattern of an A4 page at
// 600 dpi (12401 × 8267 pixels, one tile a sheet) and one A4 sheet of a
// pattern made for it, whose tile is banded. Pages per second.
#include <benchmark/benchmark.h>

#include "bench/offscreen_main.h"

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <vector>

#include "platform/pdf_pages.h"

namespace {

using namespace tintara;

// Areas bounded by lines, numbers as small blocks: compresses like a pattern.
ImageRef MakePattern(int32_t width, int32_t height) {
  std::vector<PaletteEntry> palette(256, PaletteEntry{255, 255, 255, 0});
  palette[32] = {128, 128, 128, 0};
  ImageRef pattern = ImageBuffer::CreateWithPalette(kKind8Bit, width, height, palette.data(), 256);
  auto rows = pattern->WritableRows();
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = (*rows)[y];
    for (int32_t x = 0; x < width; ++x) {
      bool line = (x + y / 3) % 97 == 0 || (y + x / 5) % 71 == 0;
      bool digit = x % 97 > 40 && x % 97 < 48 && y % 71 > 30 && y % 71 < 40;
      row[x] = line || digit ? 32 : 255;
    }
  }
  return pattern;
}

std::string OutputPath() {
  return (std::filesystem::temp_directory_path() /
          ("tintara-bench-" + std::to_string(getpid()) + ".pdf"))
      .string();
}

void PrintPattern(benchmark::State& state, int32_t width, int32_t height, int pagesPerSide) {
  ImageRef pattern = MakePattern(width, height);
  PdfPageSetup setup;
  setup.pagesPerSide = pagesPerSide;
  const std::string path = OutputPath();
  for (auto _ : state) {
    std::string error = WritePicturePdf(*pattern, setup, path);
    if (!error.empty()) state.SkipWithError(error.c_str());
  }
  state.SetItemsProcessed(state.iterations() * pagesPerSide * pagesPerSide);
  std::filesystem::remove(path);
}

void BM_TenByTenSheets(benchmark::State& state) { PrintPattern(state, 12401, 8267, 10); }
BENCHMARK(BM_TenByTenSheets)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_OneA4SheetBanded(benchmark::State& state) { PrintPattern(state, 4960, 7016, 1); }
BENCHMARK(BM_OneA4SheetBanded)->Unit(benchmark::kMillisecond);

}  // namespace

TINTARA_OFFSCREEN_BENCHMARK_MAIN()
