// The palette colour nearest to a colour: smallest sum of squared channel
// differences, the lowest position winning ties.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "colors/floss_color.h"

namespace tintara {

// The plain search over every colour; -1 for an empty palette.
int NearestPaletteIndex(std::span<const Rgb> palette, Rgb color);

// The same answer at a few nanoseconds per pixel. The colour cube is cut into
// cells of 4 × 4 × 4 values; each cell keeps only the palette colours that
// can be nearest to some colour inside it (those no farther from the cell
// than the best worst case), in palette order, so ties still go to the lowest
// position. Cells are found through boxes of 32 and 8 values, each filtering
// its parent's list. Immutable once built: safe to share between threads.
class NearestColorTable {
 public:
  // At most 256 colours; more are ignored.
  explicit NearestColorTable(std::span<const Rgb> palette);

  int Nearest(Rgb color) const {
    if (palette_.empty()) return -1;
    const uint32_t cell = CellOf(color);
    const uint32_t* candidate = candidates_.data() + offsets_[cell];
    const uint32_t* end = candidates_.data() + offsets_[cell + 1];
    uint32_t best = *candidate;
    if (end - candidate > 1) {
      int bestDistance = DistanceTo(best, color);
      for (++candidate; candidate != end; ++candidate) {
        const int distance = DistanceTo(*candidate, color);
        if (distance < bestDistance) {
          bestDistance = distance;
          best = *candidate;
        }
      }
    }
    return int(best >> 24);
  }
  int Count() const { return int(palette_.size()); }
  const std::vector<Rgb>& Colors() const { return palette_; }

 private:
  // Cells are stored box by box: 32-value box, 8-value box, 4-value cell.
  static uint32_t CellOf(Rgb c) {
    const uint32_t r = c.red >> 2, g = c.green >> 2, b = c.blue >> 2;  // 0..63
    const uint32_t box32 = ((r >> 3) << 6) | ((g >> 3) << 3) | (b >> 3);
    const uint32_t box8 = (((r >> 1) & 3) << 4) | (((g >> 1) & 3) << 2) | ((b >> 1) & 3);
    const uint32_t cell = ((r & 1) << 2) | ((g & 1) << 1) | (b & 1);
    return (box32 << 9) | (box8 << 3) | cell;
  }
  static constexpr uint32_t kCells = 1u << 18;

  void AddCells(std::array<int, 3> box, int level, std::span<const uint8_t> parent,
                std::array<std::vector<uint8_t>, 3>& scratch);

  // A candidate packs position << 24 | red << 16 | green << 8 | blue.
  static int DistanceTo(uint32_t candidate, Rgb c) {
    const int dr = int((candidate >> 16) & 0xFF) - c.red;
    const int dg = int((candidate >> 8) & 0xFF) - c.green;
    const int db = int(candidate & 0xFF) - c.blue;
    return dr * dr + dg * dg + db * db;
  }

  std::vector<Rgb> palette_;
  std::vector<uint32_t> offsets_;  // cell -> first candidate; one extra at the end
  std::vector<uint32_t> candidates_;
};

}  // namespace tintara
