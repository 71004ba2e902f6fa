#include "colors/reduction/lab_paint_matcher.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tintara {

int NearestByLook(std::span<const Lab> paints, const Lab& color) {
  int best = -1;
  double bestDifference = 0;
  for (size_t i = 0; i < paints.size(); ++i) {
    const double difference = DeltaE2000(color, paints[i]);
    if (best < 0 || difference < bestDifference) {
      best = int(i);
      bestDifference = difference;
    }
  }
  return best;
}

NearestPaintByLook::NearestPaintByLook(std::span<const Lab> paints)
    : paints_(paints.begin(), paints.end()), byLightness_(paints.size()) {
  std::iota(byLightness_.begin(), byLightness_.end(), 0);
  std::stable_sort(byLightness_.begin(), byLightness_.end(),
                   [&](int a, int b) { return paints_[size_t(a)].l < paints_[size_t(b)].l; });
  for (int position : byLightness_) lightness_.push_back(paints_[size_t(position)].l);
}

int NearestPaintByLook::Nearest(const Lab& color) const {
  if (paints_.empty()) return -1;
  // The lightness weight of CIEDE2000 is at most 1 + 0.015 × 50² / √(20 + 50²).
  constexpr double kMostLightnessWeight = 1.7473;
  int best = -1;
  double bestDifference = 0;
  auto consider = [&](int position) {
    const double difference = DeltaE2000(color, paints_[size_t(position)]);
    if (best < 0 || difference < bestDifference ||
        (difference == bestDifference && position < best)) {
      best = position;
      bestDifference = difference;
    }
  };
  const auto start = std::lower_bound(lightness_.begin(), lightness_.end(), color.l);
  ptrdiff_t up = start - lightness_.begin();
  ptrdiff_t down = up - 1;
  const ptrdiff_t count = ptrdiff_t(lightness_.size());
  // The margin keeps rounding in the bound from ever skipping an equal paint.
  auto beyond = [&](ptrdiff_t i) {
    return best >= 0 &&
           std::abs(lightness_[size_t(i)] - color.l) / kMostLightnessWeight > bestDifference + 1e-9;
  };
  while (up < count || down >= 0) {
    const bool takeUp =
        down < 0 || (up < count && lightness_[size_t(up)] - color.l <= color.l - lightness_[size_t(down)]);
    const ptrdiff_t i = takeUp ? up : down;
    if (beyond(i)) {
      // Everything farther on this side is farther still.
      if (takeUp) {
        up = count;
      } else {
        down = -1;
      }
      continue;
    }
    consider(byLightness_[size_t(i)]);
    if (takeUp) {
      ++up;
    } else {
      --down;
    }
  }
  return best;
}

}  // namespace tintara
