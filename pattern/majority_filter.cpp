#include "pattern/majority_filter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/parallel_rows.h"

namespace tintara {

namespace {

// The paint most of `cells` hold; the centre (cells[0]) on a tie with it, else
// the first of the most frequent in the order given.
uint8_t Majority(const uint8_t* cells, int count) {
  // Mostly the centre's own paint fills the neighbourhood: nothing can beat it.
  int same = 0;
  for (int j = 0; j < count; ++j) same += cells[j] == cells[0] ? 1 : 0;
  if (2 * same > count) return cells[0];
  int best = 0;
  int bestCount = 0;
  for (int i = 0; i < count; ++i) {
    int n = 0;
    for (int j = 0; j < count; ++j) n += cells[j] == cells[i] ? 1 : 0;
    if (n > bestCount) {
      best = i;
      bestCount = n;
    }
  }
  return cells[best];
}

// One row of the result from the rows above, at and below (null past the edge).
void FilterRow(const uint8_t* above, const uint8_t* row, const uint8_t* below, uint8_t* out,
               int32_t width) {
  uint8_t cells[9];
  for (int32_t x = 0; x < width; ++x) {
    int n = 0;
    cells[n++] = row[x];
    // Edge-adjacent neighbours first: they settle ties before the corners.
    if (x > 0) cells[n++] = row[x - 1];
    if (x + 1 < width) cells[n++] = row[x + 1];
    if (above != nullptr) cells[n++] = above[x];
    if (below != nullptr) cells[n++] = below[x];
    for (const uint8_t* side : {above, below}) {
      if (side == nullptr) continue;
      if (x > 0) cells[n++] = side[x - 1];
      if (x + 1 < width) cells[n++] = side[x + 1];
    }
    out[x] = Majority(cells, n);
  }
}

}  // namespace

bool MajorityFilter(ImageBuffer& index, int passes) {
  if (BitsPerPixel(index.Kind()) != 8) return false;
  const int32_t w = index.Width();
  const int32_t h = index.Height();
  if (w <= 0 || h <= 0) return true;
  std::optional<PixelRows> rows = index.WritableRows();
  if (!rows) return false;
  std::vector<uint8_t> source(size_t(w) * size_t(h));
  for (int pass = 0; pass < passes; ++pass) {
    for (int32_t y = 0; y < h; ++y) {
      std::memcpy(&source[size_t(y) * size_t(w)], rows->Row(y), size_t(w));
    }
    auto sourceRow = [&](int32_t y) {
      return y < 0 || y >= h ? nullptr : source.data() + size_t(y) * size_t(w);
    };
    RunBands(h, BandCount(h, int64_t(w) * h), [&](int, int32_t first, int32_t end) {
      for (int32_t y = first; y < end; ++y) {
        FilterRow(sourceRow(y - 1), sourceRow(y), sourceRow(y + 1), rows->Row(y), w);
      }
    });
  }
  return true;
}

}  // namespace tintara
