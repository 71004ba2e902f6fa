#include "colors/reduction/posterize.h"

#include <algorithm>

#include "colors/reduction/selection_rows.h"

namespace tintara {

LevelTable MakeLevelTable(int levels) {
  LevelTable table{};
  const int step = 256 / std::clamp(levels, 1, 256);
  for (int v = 0; v < 256; ++v) table[size_t(v)] = uint8_t(std::min(255, step * ((v + 1) / step)));
  return table;
}

std::optional<LevelTables> MakeLevelTables(const PosterizeLevels& levels) {
  auto valid = [](int l) { return l >= 1 && l <= 256; };
  if (!valid(levels.red) || !valid(levels.green) || !valid(levels.blue)) return std::nullopt;
  return LevelTables{MakeLevelTable(levels.red), MakeLevelTable(levels.green),
                     MakeLevelTable(levels.blue)};
}

ImageRef ApplyLevelTables(const ImageBuffer& picture, const Region* selection,
                          const LevelTables& tables) {
  return TransformSelectedPixels(picture, selection, [&tables](uint8_t* pixel) {
    pixel[0] = tables.blue[pixel[0]];
    pixel[1] = tables.green[pixel[1]];
    pixel[2] = tables.red[pixel[2]];
  });
}

ImageRef ReduceNumberOfColors(const ImageBuffer& picture, const Region* selection,
                              Dialogs& dialogs,
                              const std::function<void(const LevelTables*)>& preview) {
  auto show = [&preview](const PosterizeLevels& levels) {
    if (!preview) return;
    if (std::optional<LevelTables> tables = MakeLevelTables(levels)) preview(&*tables);
  };
  const PosterizeLevels initial;
  show(initial);
  std::optional<PosterizeLevels> chosen = dialogs.Posterize(initial, show);
  if (preview) preview(nullptr);
  if (!chosen) return nullptr;
  std::optional<LevelTables> tables = MakeLevelTables(*chosen);
  if (!tables) return nullptr;
  return ApplyLevelTables(picture, selection, *tables);
}

}  // namespace tintara
