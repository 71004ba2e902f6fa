// The notes beside each listed colour: its share of the pattern and the paints
// of other brands that look the same.
#pragma once

#include <string>
#include <vector>

#include "colors/brand_list.h"
#include "colors/brand_palette.h"
#include "colors/pattern_color_shares.h"
#include "colors/widgets/color_list_control.h"

namespace tintara {

// Every listed brand whose file can be read.
std::vector<BrandPalette> LoadAllBrands(const std::vector<BrandListEntry>& entries);

std::vector<ColorNote> MakeColorNotes(const std::vector<CFlossColor>& colors,
                                      const PatternColorShares& shares,
                                      const std::vector<BrandPalette>& brands);

// The information line of the list's colour at `position`, with its note;
// empty for no colour.
QString InfoLineAt(const ColorListControl& list, int position);

}  // namespace tintara
