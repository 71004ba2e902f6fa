// "Reduce number of colors": each colour channel cut to a number of levels,
// inside the selection.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "colors/floss_color.h"
#include "imaging/image_buffer.h"
#include "imaging/region.h"
#include "ports/dialogs.h"

namespace tintara {

using LevelTable = std::array<uint8_t, 256>;

struct LevelTables {
  LevelTable red;
  LevelTable green;
  LevelTable blue;
};

// For L levels (1..256), step = 256 / L and table[v] = min(255, step × ((v + 1) / step)).
LevelTable MakeLevelTable(int levels);
// Nothing when a level is outside 1..256.
std::optional<LevelTables> MakeLevelTables(const PosterizeLevels& levels);

// A copy of the true-colour picture with every pixel inside the selection
// (the whole picture without one) passed through the tables. Null when the
// picture is not true colour or the copy cannot be made.
ImageRef ApplyLevelTables(const ImageBuffer& picture, const Region* selection,
                          const LevelTables& tables);

// The whole command: the "Posterize" dialog opens at 4, 4, 4; `preview` is
// given the tables of every valid choice while the dialog is open and null
// when it closes, so the view can show the picture through them. Null when
// the dialog is cancelled or the result cannot be made.
ImageRef ReduceNumberOfColors(const ImageBuffer& picture, const Region* selection,
                              Dialogs& dialogs,
                              const std::function<void(const LevelTables*)>& preview = {});

}  // namespace tintara
