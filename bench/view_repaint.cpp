// Full repaint of a 1240 × 1753 pattern or photograph at each zoom level, and of
// a large photograph through preview tables, into a window-sized QImage (as the
// view paints its viewport).
#include <benchmark/benchmark.h>

#include "bench/offscreen_main.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "imaging/image_buffer.h"
#include "platform/image_drawing.h"
#include "tests/support/synthetic_images.h"
#include "view/view_mapping.h"

namespace {

using namespace tintara;

constexpr int kWindowWidth = 1600;
constexpr int kWindowHeight = 1000;

ImageRef MakePattern() {
  std::vector<PaletteEntry> palette(256);
  for (int i = 0; i < 256; ++i) {
    palette[i] = {uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 3), 0};
  }
  ImageRef pattern = ImageBuffer::CreateWithPalette(kKind8Bit, 1240, 1753, palette.data(), 256);
  for (int32_t y = 0; y < pattern->Height(); ++y) {
    uint8_t* row = pattern->WritableRows().value().Row(y);
    for (int32_t x = 0; x < pattern->Width(); ++x) row[x] = uint8_t(((x / 23) ^ (y / 17)) * 37);
  }
  return pattern;
}

// White areas 23 x 17 cells with one-cell borders of ink, as a pattern of
// areas with borders shows.
ImageRef MakeBorderedPattern() {
  std::vector<PaletteEntry> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
  palette[32] = {128, 128, 128, 0};
  ImageRef pattern = ImageBuffer::CreateWithPalette(kKind8Bit, 1240, 1753, palette.data(), 256);
  for (int32_t y = 0; y < pattern->Height(); ++y) {
    uint8_t* row = pattern->WritableRows().value().Row(y);
    for (int32_t x = 0; x < pattern->Width(); ++x) row[x] = x % 23 == 0 || y % 17 == 0 ? 32 : 255;
  }
  return pattern;
}

void Repaint(benchmark::State& state, const ImageRef& image,
             const PreviewTables* tables = nullptr, int ink = -1) {
  ZoomFactor zoom{int32_t(state.range(0)), 1000};
  QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
  QImage tile = MakeBackgroundTile();
  ImageSize shown = DisplayedSize({image->Width(), image->Height()}, zoom);
  // Centred when smaller than the window, else scrolled into the middle.
  Point scroll{(shown.width - kWindowWidth) / 2, (shown.height - kWindowHeight) / 2};
  QRect client(0, 0, kWindowWidth, kWindowHeight);
  for (auto _ : state) {
    QPainter painter(&window);
    DrawBackgroundTiles(painter, client, tile, scroll);
    DrawImageBuffer(painter, *image, zoom, scroll, client, tables, ink);
    painter.end();
    benchmark::DoNotOptimize(window.constBits());
  }
  double pixels = double(kWindowWidth) * kWindowHeight;
  state.counters["window_MP/s"] =
      benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_RepaintPattern(benchmark::State& state) {
  static ImageRef pattern = MakePattern();
  Repaint(state, pattern);
}

// The pattern as the view shows it: scaled down, its lines are kept.
void BM_RepaintPatternKeepingLines(benchmark::State& state) {
  static ImageRef pattern = MakeBorderedPattern();
  Repaint(state, pattern, nullptr, 32);
}

void BM_RepaintPhoto(benchmark::State& state) {
  static ImageRef photo = test::MakePhoto(1240, 1753, 3);
  Repaint(state, photo);
}

// A 6000 × 4000 photograph shown through a colour dialog's preview tables.
void BM_RepaintPhotoPreview(benchmark::State& state) {
  static ImageRef photo = test::MakePhoto(6000, 4000, 4);
  PreviewTables tables;
  for (int v = 0; v < 256; ++v) {
    tables.red[size_t(v)] = uint8_t(255 - v);
    tables.green[size_t(v)] = uint8_t(v / 2);
    tables.blue[size_t(v)] = uint8_t(v * 3 / 4 + 60);
  }
  Repaint(state, photo, &tables);
}

BENCHMARK(BM_RepaintPattern)->Arg(31)->Arg(62)->Arg(125)->Arg(250)->Arg(500)->Arg(1000)
    ->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RepaintPatternKeepingLines)->Arg(31)->Arg(62)->Arg(125)->Arg(250)->Arg(500)
    ->Arg(707)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RepaintPhoto)->Arg(31)->Arg(125)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RepaintPhotoPreview)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

TINTARA_OFFSCREEN_BENCHMARK_MAIN()
