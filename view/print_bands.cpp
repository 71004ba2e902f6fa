#include "view/print_bands.h"

namespace tintara {

std::vector<PrintBand> PrintBands(int bitmapHeight, int printedHeight, size_t imageBytes) {
  std::vector<PrintBand> bands;
  if (bitmapHeight <= 0 || printedHeight <= 0) return bands;
  if (imageBytes <= kBandingThresholdBytes) {
    bands.push_back({0, printedHeight, 0, bitmapHeight});
    return bands;
  }
  const int deviceStep = printedHeight / kBandCount;
  const int bitmapStep = bitmapHeight / kBandCount;
  if (deviceStep > 0 && bitmapStep > 0) {
    for (int i = 0; i < kBandCount; ++i) {
      bands.push_back({i * deviceStep, deviceStep, i * bitmapStep, bitmapStep});
    }
  }
  const int deviceDone = bands.empty() ? 0 : kBandCount * deviceStep;
  const int bitmapDone = bands.empty() ? 0 : kBandCount * bitmapStep;
  if (deviceDone < printedHeight && bitmapDone < bitmapHeight) {
    bands.push_back(
        {deviceDone, printedHeight - deviceDone, bitmapDone, bitmapHeight - bitmapDone});
  }
  return bands;
}

}  // namespace tintara
