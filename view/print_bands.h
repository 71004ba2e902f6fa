// Sending a large bitmap to the printer in horizontal bands, so that no
// single transfer holds more than about ten megabytes of pixels.
#pragma once

#include <cstddef>
#include <vector>

namespace tintara {

constexpr size_t kBandingThresholdBytes = 10'000'000;
constexpr int kBandCount = 10;

// Rows of one band, both counted from the top: device rows of the printed
// rectangle and bitmap rows (row 0 the top row of the bitmap as shown).
struct PrintBand {
  int deviceTop = 0;
  int deviceRows = 0;
  int bitmapTop = 0;
  int bitmapRows = 0;
  friend bool operator==(const PrintBand&, const PrintBand&) = default;
};

// One band for the whole bitmap when its pixel data is at most the threshold.
// Otherwise ten bands of (printed height div 10) device rows and (bitmap
// height div 10) bitmap rows from the top down, then the bitmap rows the
// division leaves over in the device rows left below them. Bands without a
// row on either side are left out.
std::vector<PrintBand> PrintBands(int bitmapHeight, int printedHeight, size_t imageBytes);

}  // namespace tintara
