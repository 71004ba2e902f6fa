// What the colour lists say about a colour beyond its own record.
#pragma once

#include <QString>
#include <string>

#include "colors/floss_color.h"

namespace tintara {

// Notes shown beside a colour: its share of the pattern's area and paints of
// other brands that look the same.
struct ColorNote {
  double areaPercent = -1;    // below 0: not known (no pattern yet)
  std::string similarPaints;  // empty: none; else a ready text such as "Brand X 123 Name (ΔE 1.4)"
};

// "%s, Catalog No - %d, Brand - %s", plus the note when there is one:
// " — 12.5% of the pattern" and "; like " + similarPaints.
QString ColorInfoLine(const CFlossColor& color, const ColorNote* note = nullptr);

// "12.5%": one decimal, as the area column shows it.
QString AreaText(double percent);

// Whether a mark drawn over `color` should be dark (for light colours) or light.
bool IsLightColor(const CFlossColor& color);

}  // namespace tintara
