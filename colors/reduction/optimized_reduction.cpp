#include "colors/reduction/optimized_reduction.h"

#include <memory>
#include <new>

#include "colors/reduction/color_histogram.h"
#include "colors/reduction/nearest_color.h"
#include "colors/reduction/selection_rows.h"
#include "storage/settings_keys.h"

namespace tintara {

namespace {

bool ValidRequest(const ImageBuffer& picture, int colors) {
  return picture.Kind() == kKindRgb24 && colors >= kMinReduceColors &&
         colors <= kMaxReduceColors;
}

}  // namespace

std::vector<Rgb> OptimizedPalette(const ImageBuffer& picture, int colors) {
  if (!ValidRequest(picture, colors)) return {};
  auto histogram = std::make_unique<ColorHistogram>();
  for (int32_t y = 0; y < picture.Height(); ++y) histogram->AddRow(picture.Row(y), picture.Width());
  if (colors < 16) return PopularColors(histogram->Counts(), colors);
  return WuPalette(*histogram, colors);
}

ImageRef ReduceColorsOptimized(const ImageBuffer& picture, const Region* selection, int colors) {
  if (!ValidRequest(picture, colors)) return nullptr;
  try {
    std::vector<Rgb> palette = OptimizedPalette(picture, colors);
    if (palette.empty()) return nullptr;
    const NearestColorTable nearest(palette);
    return TransformSelectedPixels(picture, selection, [&](uint8_t* pixel) {
      const Rgb& c = palette[size_t(nearest.Nearest({pixel[2], pixel[1], pixel[0]}))];
      pixel[0] = c.blue;
      pixel[1] = c.green;
      pixel[2] = c.red;
    });
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

ImageRef ReduceColorsWithOptimization(const ImageBuffer& picture, const Region* selection,
                                      Dialogs& dialogs, SettingsStore& settings, UiHost& host) {
  std::optional<int> colors =
      dialogs.ReduceColors(ReadSetting(settings, Setting::kReduceColorsNumColors));
  if (!colors || *colors < kMinReduceColors || *colors > kMaxReduceColors) return nullptr;
  WriteSetting(settings, Setting::kReduceColorsNumColors, *colors);
  WaitCursor wait(host);
  return ReduceColorsOptimized(picture, selection, *colors);
}

}  // namespace tintara
