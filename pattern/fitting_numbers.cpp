// Numbers that fit inside their areas: the glyph's ink box with a pixel to
// spare on every side, at the area's most interior point.
#include <algorithm>
#include <cstdlib>
#include <new>

#include "imaging/parallel_rows.h"
#include "pattern/area_geometry.h"
#include "pattern/number_glyphs.h"
#include "pattern/number_placement.h"

namespace tintara {

namespace {

// The ink box grown by one pixel, relative to its centre pixel.
constexpr int32_t kHalfWidth = (kGlyphInkLastColumn - kGlyphInkFirstColumn) / 2 + 1;
constexpr int32_t kHalfHeight = (kGlyphInkLastRow - kGlyphInkFirstRow) / 2 + 1;
// From the centre pixel to the glyph's corner.
constexpr int32_t kCornerX = (kGlyphInkFirstColumn + kGlyphInkLastColumn) / 2;
constexpr int32_t kCornerY = (kGlyphInkFirstRow + kGlyphInkLastRow) / 2;
static_assert((kGlyphInkLastColumn - kGlyphInkFirstColumn) % 2 == 0 &&
                  (kGlyphInkLastRow - kGlyphInkFirstRow) % 2 == 0,
              "the ink box must have a centre pixel");

// Pixels the renderer leaves white: not on the frame and equal to their left
// and upper neighbours. Outside these a digit would touch ink.
std::vector<uint8_t> InnerPixels(const ImageBuffer& index, const LtrbRect& rect) {
  const int32_t w = rect.right - rect.left;
  const int32_t h = rect.bottom - rect.top;
  const int32_t imageW = index.Width();
  const int32_t imageH = index.Height();
  std::vector<uint8_t> inner(size_t(w) * size_t(h));
  for (int32_t y = std::max(rect.top, 1); y < std::min(rect.bottom, imageH - 1); ++y) {
    const uint8_t* row = index.Row(y);
    const uint8_t* up = index.Row(y - 1);
    uint8_t* out = inner.data() + size_t(y - rect.top) * size_t(w) - rect.left;
    for (int32_t x = std::max(rect.left, 1); x < std::min(rect.right, imageW - 1); ++x) {
      out[x] = row[x] == row[x - 1] && row[x] == up[x];
    }
  }
  return inner;
}

// Summed counts of pixels that are not inner, one row and column larger.
std::vector<int32_t> OuterSums(const std::vector<uint8_t>& inner, int32_t w, int32_t h) {
  std::vector<int32_t> sums(size_t(w + 1) * size_t(h + 1), 0);
  for (int32_t y = 0; y < h; ++y) {
    int32_t line = 0;
    const uint8_t* in = inner.data() + size_t(y) * size_t(w);
    const int32_t* above = sums.data() + size_t(y) * size_t(w + 1);
    int32_t* out = sums.data() + size_t(y + 1) * size_t(w + 1);
    for (int32_t x = 0; x < w; ++x) {
      line += in[x] ? 0 : 1;
      out[x + 1] = above[x + 1] + line;
    }
  }
  return sums;
}

}  // namespace

LtrbRect GlyphInkBox(const NumberPlacement& placement) {
  return {placement.gx + kGlyphInkFirstColumn, placement.gy + kGlyphInkFirstRow,
          placement.gx + kGlyphInkLastColumn + 1, placement.gy + kGlyphInkLastRow + 1};
}

FittedNumbers PlanFittingNumbers(const ImageBuffer& indexImage, const LtrbRect& area) {
  FittedNumbers result;
  const AreaLabels areas = LabelAreas(indexImage, area);
  const LtrbRect& rect = areas.rect;
  const int32_t w = areas.width;
  const int32_t h = areas.height;
  result.areas = areas.count;
  if (w == 0 || h == 0) return result;
  std::vector<uint8_t> inner = InnerPixels(indexImage, rect);
  const std::vector<int32_t> sums = OuterSums(inner, w, h);
  std::vector<uint8_t>& outer = inner;
  for (uint8_t& v : outer) v = !v;  // distances are measured from every pixel not inner
  const std::vector<int32_t> squared = SquaredDistances(outer, w, h);

  auto fits = [&](int32_t x, int32_t y) {
    const int32_t x0 = x - kHalfWidth, x1 = x + kHalfWidth + 1;
    const int32_t y0 = y - kHalfHeight, y1 = y + kHalfHeight + 1;
    if (x0 < 0 || y0 < 0 || x1 > w || y1 > h) return false;
    const size_t stride = size_t(w + 1);
    return sums[size_t(y1) * stride + size_t(x1)] - sums[size_t(y0) * stride + size_t(x1)] -
               sums[size_t(y1) * stride + size_t(x0)] + sums[size_t(y0) * stride + size_t(x0)] ==
           0;
  };
  // Best place per area: centred in its row's run of inner pixels first (the
  // grid rule's condition), then farthest inside; later pixels win ties. Bands
  // of rows search on every core and are combined in row order.
  struct Best {
    std::vector<int64_t> score;
    std::vector<int32_t> where;
  };
  const int32_t firstRow = kHalfHeight;
  const int32_t rows = std::max(0, h - 2 * kHalfHeight);
  const int bands = BandCount(rows, int64_t(w) * rows);
  // Allocated here: nothing may throw on another thread.
  std::vector<Best> found(static_cast<size_t>(bands));
  for (Best& band : found) {
    band.score.assign(size_t(areas.count), -1);
    band.where.assign(size_t(areas.count), -1);
  }
  RunBands(rows, bands, [&](int band, int32_t a, int32_t b) {
    Best& mine = found[size_t(band)];
    for (int32_t y = firstRow + a; y < firstRow + b; ++y) {
      const uint8_t* row = outer.data() + size_t(y) * size_t(w);
      int32_t runStart = 0, runEnd = 0;
      for (int32_t x = 0; x < w - kHalfWidth; ++x) {
        if (row[x]) continue;
        if (x == 0 || row[x - 1]) {
          runStart = runEnd = x;
          while (runEnd < w && !row[runEnd]) ++runEnd;
        }
        if (x < kHalfWidth) continue;
        const size_t i = size_t(y) * size_t(w) + size_t(x);
        const bool centred = std::abs((x - runStart) - (runEnd - 1 - x)) < 2;
        const int64_t score = (int64_t(centred) << 32) | squared[i];
        int64_t& known = mine.score[size_t(areas.label[i])];
        // A box of inner pixels around an inner pixel never crosses a border.
        if (score < known || !fits(x, y)) continue;
        known = score;
        mine.where[size_t(areas.label[i])] = int32_t(i);
      }
    }
  });
  std::vector<int64_t> best(size_t(areas.count), -1);
  std::vector<int32_t> where(size_t(areas.count), -1);
  for (const Best& band : found) {
    for (size_t a = 0; a < size_t(areas.count); ++a) {
      if (band.where[a] >= 0 && band.score[a] >= best[a]) {
        best[a] = band.score[a];
        where[a] = band.where[a];
      }
    }
  }
  for (int32_t a = 0; a < areas.count; ++a) {
    const int number = areas.value[size_t(a)] + 1;
    if (where[size_t(a)] < 0 || GlyphForNumber(number) == nullptr) {
      ++result.unnumbered;
      continue;
    }
    const int32_t px = rect.left + where[size_t(a)] % w;
    const int32_t py = rect.top + where[size_t(a)] / w;
    result.placed.push_back({number, px - kCornerX, py - kCornerY, px, py});
  }
  return result;
}

}  // namespace tintara
