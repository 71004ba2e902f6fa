// The pattern types offered by the "Type of pattern" choices, in list order.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "colors/tessel_params.h"

namespace tintara {

struct PatternTypeChoice {
  const char* text;
  int32_t patternType;
};

inline constexpr std::array<PatternTypeChoice, 3> kPatternTypeChoices{{
    {"Areas with numbers", kPatternNumbers},
    {"Areas with patterns", kPatternTiles},
    {"Areas with borders only", kPatternBordersOnly},
}};

// List position that shows `patternType`; the first entry for a type the list
// does not offer.
constexpr int PatternTypeListPosition(int32_t patternType) {
  for (size_t i = 0; i < kPatternTypeChoices.size(); ++i) {
    if (kPatternTypeChoices[i].patternType == patternType) return int(i);
  }
  return 0;
}

// The pattern type of a list position; nothing outside the list.
constexpr std::optional<int32_t> PatternTypeAt(int position) {
  if (position < 0 || position >= int(kPatternTypeChoices.size())) return std::nullopt;
  return kPatternTypeChoices[size_t(position)].patternType;
}

}  // namespace tintara
