#include "colors/reduction/lab_paint_matcher.h"

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

}  // namespace tintara
