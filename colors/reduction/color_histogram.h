// The colour histogram of the optimised colour reduction: 4096 cells of
// 16 × 16 × 16 colour values, cell (blue >> 4) × 256 + (green >> 4) × 16 +
// (red >> 4). It keeps the exact count and channel sums of every cell, from
// which the palette builder takes true averages rather than cell centres; the
// popularity choice reads the counts stopped at 65535.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "colors/floss_color.h"

namespace tintara {

class ColorHistogram {
 public:
  static constexpr int kCells = 4096;

  static constexpr int CellOf(uint8_t red, uint8_t green, uint8_t blue) {
    return (blue >> 4) * 256 + (green >> 4) * 16 + (red >> 4);
  }

  // Counts `count` pixels stored blue, green, red.
  void AddRow(const uint8_t* pixels, int count);

  // Cell counts stopped at 65535.
  std::array<uint16_t, kCells> Counts() const;

  struct CellTotals {
    uint64_t count = 0;
    std::array<uint64_t, 3> sums{};  // red, green, blue
    uint64_t squares = 0;            // sum of red² + green² + blue²
  };
  const CellTotals& Totals(int cell) const { return totals_[size_t(cell)]; }

 private:
  std::vector<CellTotals> totals_ = std::vector<CellTotals>(kCells);
};

// The popularity choice for small palettes: n times, the cell with the
// largest 16-bit count (the first in cell order on ties, cell 0 when all are
// empty) gives (red nibble × 16, green nibble × 16, blue nibble × 16) and is
// emptied. Always n colours.
std::vector<Rgb> PopularColors(std::array<uint16_t, ColorHistogram::kCells> counts, int n);

// At most n colours by Wu's variance-minimising box splitting over the
// histogram cells; each colour is the mean of the pixels in its box. Fewer
// when the picture has fewer occupied cells.
std::vector<Rgb> WuPalette(const ColorHistogram& histogram, int n);

}  // namespace tintara
