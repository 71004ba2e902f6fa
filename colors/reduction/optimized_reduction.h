// "Reduce number of colors with optimization": an optimal palette of N
// colours for the picture, then every pixel inside the selection replaced by
// its nearest palette colour.
#pragma once

#include <vector>

#include "colors/floss_color.h"
#include "imaging/image_buffer.h"
#include "imaging/region.h"
#include "ports/dialogs.h"
#include "ports/settings_store.h"
#include "ports/ui_host.h"

namespace tintara {

constexpr int kMinReduceColors = 2;
constexpr int kMaxReduceColors = 256;

// The palette for a true-colour picture, counted over the whole picture:
// below 16 colours the most populous histogram cells, from 16 on Wu's
// quantiser. Empty for other pictures or N outside 2..256.
std::vector<Rgb> OptimizedPalette(const ImageBuffer& picture, int colors);

// A copy of the picture with the selected pixels mapped to the palette. Null
// when the picture is not true colour, N is outside 2..256, or no memory.
ImageRef ReduceColorsOptimized(const ImageBuffer& picture, const Region* selection, int colors);

// The whole command: the "Reduce colors" dialog opens with
// REDUCECOLORS/NUMCOLORS, the chosen number is saved back there, and the work
// runs behind the wait cursor. Null when cancelled or failed.
ImageRef ReduceColorsWithOptimization(const ImageBuffer& picture, const Region* selection,
                                      Dialogs& dialogs, SettingsStore& settings, UiHost& host);

}  // namespace tintara
