// How much of the pattern each paint covers, looked up by the paint itself, so
// that any list of colours (a rebuilt palette, a whole brand) can show it.
#pragma once

#include <vector>

#include "colors/floss_color.h"

namespace tintara {

struct PatternColorShares {
  std::vector<CFlossColor> colors;  // the palette the pattern was made with
  std::vector<double> percent;      // one per colour

  // Percent of the pattern painted with `color`; below 0 when the pattern's
  // palette does not hold it (or there is no pattern).
  double Of(const CFlossColor& color) const {
    double total = -1;
    for (size_t i = 0; i < colors.size() && i < percent.size(); ++i) {
      if (colors[i] == color) total = (total < 0 ? 0 : total) + percent[i];
    }
    return total;
  }
};

}  // namespace tintara
