// Perceived colour difference: sRGB to CIE L*a*b* and the CIEDE2000 formula.
#pragma once

#include "colors/floss_color.h"

namespace tintara {

struct Lab {
  double l = 0;
  double a = 0;
  double b = 0;
};

// CIE 1976 L*a*b* of an sRGB colour (gamma expanded first), D65 white.
Lab SrgbToLab(Rgb color);

// CIEDE2000 difference with kL = kC = kH = 1; about 1 is the smallest
// difference most people see side by side.
double DeltaE2000(const Lab& x, const Lab& y);

}  // namespace tintara
