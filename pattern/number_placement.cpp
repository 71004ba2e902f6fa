#include "pattern/number_placement.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <optional>
#include <vector>

#include "imaging/parallel_rows.h"
#include "pattern/number_glyphs.h"
#include "pattern/same_color_area.h"

namespace tintara {

namespace {

constexpr int32_t kCell = 8;

// The cells' own samples: the top-left pixel of every whole 8 × 8 block.
ImageRef SampleGrid(const ImageBuffer& index, const LtrbRect& area, int32_t gw, int32_t gh) {
  ImageRef grid = ImageBuffer::Create(kKindGray8, gw, gh);
  std::optional<PixelRows> rows;
  if (!grid || !(rows = grid->WritableRows())) return nullptr;
  for (int32_t j = 0; j < gh; ++j) {
    const uint8_t* in = index.Row(area.top + kCell * j) + area.left;
    uint8_t* out = rows->Row(j);
    for (int32_t i = 0; i < gw; ++i) out[i] = in[kCell * i];
  }
  return grid;
}

struct Distances {
  std::vector<int32_t> arrays[4];
  int32_t* pointers[4] = {};
  bool Allocate(int32_t width) {
    try {
      for (int k = 0; k < 4; ++k) {
        arrays[k].resize(size_t(width));
        pointers[k] = arrays[k].data();
      }
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
};

struct Cell {
  int32_t q = 0;
  int32_t r = 0;
};

// Marks the area's cells as owned by `owner` and finds its number cell: among
// the cells centred to within one cell in their run, the one farthest from the
// run's left end; later cells win ties. Empty when no row could be measured.
std::optional<Cell> AnalyseArea(const Region& region, const EdgeDistanceContext& context,
                                Distances& distances, std::vector<int32_t>& owners,
                                int32_t gridWidth, int32_t owner) {
  const BoxRect bounds = region.Bounds();
  const int32_t* left = distances.pointers[0];
  const int32_t* right = distances.pointers[2];
  std::optional<Cell> chosen;
  int32_t best = 0;
  for (int32_t r = bounds.y; r < bounds.y + bounds.height; ++r) {
    if (!EdgeDistanceRow(distances.pointers, r, bounds.x, bounds.width, context)) continue;
    int32_t* ownerRow = owners.data() + size_t(r) * size_t(gridWidth);
    for (int32_t c = 0; c < bounds.width; ++c) {
      int32_t a = left[c];
      if (a == -1) continue;
      ownerRow[bounds.x + c] = owner;
      if (std::abs(a - right[c]) < 2 && a >= best) {
        best = a;
        chosen = Cell{bounds.x + c, r};
      }
    }
  }
  return chosen;
}

}  // namespace

void StampGlyph(const PixelRows& pattern, int number, int32_t gx, int32_t gy) {
  const NumberGlyph* glyph = GlyphForNumber(number);
  if (glyph == nullptr) return;
  for (int32_t v = 0; v < kGlyphSize; ++v) {
    uint16_t bits = glyph->rows[size_t(v)];
    if (bits == 0 || gy + v < 0 || gy + v >= pattern.Height()) continue;
    uint8_t* row = pattern[gy + v];
    for (int32_t u = 0; u < kGlyphSize; ++u) {
      int32_t x = gx + u;
      if (((bits >> u) & 1) && x >= 0 && x < pattern.Width()) row[x] = kPatternInk;
    }
  }
}

std::vector<NumberPlacement> PlanGridNumbers(const ImageBuffer& indexImage, const LtrbRect& area) {
  std::vector<NumberPlacement> placed;
  const int32_t gw = (area.right - area.left) / kCell;
  const int32_t gh = (area.bottom - area.top) / kCell;
  if (gw <= 0 || gh <= 0) return placed;  // nothing sampled
  ImageRef grid = SampleGrid(indexImage, area, gw, gh);
  if (!grid) throw std::bad_alloc();
  std::vector<int32_t> owners(size_t(gw) * size_t(gh), 0);
  Distances distances;
  std::unique_ptr<AreaFinder> finder = AreaFinder::Create(*grid);
  if (!finder || !distances.Allocate(gw)) throw std::bad_alloc();

  const int32_t width = indexImage.Width();
  const int32_t height = indexImage.Height();
  int32_t count = 0;
  for (int32_t j = 0; j < gh; ++j) {
    for (int32_t i = 0; i < gw; ++i) {
      if (owners[size_t(j) * size_t(gw) + size_t(i)] != 0) continue;
      ++count;
      // An area whose mask or distances cannot be made simply gets no number.
      RegionPtr region = finder->Find(i, j) ? finder->MakeRegion() : nullptr;
      if (!region) continue;
      EdgeDistanceHandle context = EdgeDistanceBegin(*region);
      if (!context) continue;
      std::optional<Cell> cell = AnalyseArea(*region, *context, distances, owners, gw, count);
      if (!cell) continue;
      const int32_t px = area.left + kCell * cell->q;
      const int32_t py = area.top + kCell * cell->r;
      const int32_t gx = std::max(0, std::min(width - kCell, px - kCell));
      const int32_t gy = std::max(0, std::min(height - kCell, py - kCell));
      placed.push_back({indexImage.Row(py)[px] + 1, gx, gy, px, py});
    }
  }
  return placed;
}

RenderStatus PlaceNumbers(const ImageBuffer& indexImage, const PixelRows& pattern,
                          const LtrbRect& area) {
  try {
    for (const NumberPlacement& p : PlanGridNumbers(indexImage, area)) {
      StampGlyph(pattern, p.number, p.gx, p.gy);
    }
  } catch (const std::bad_alloc&) {
    return RenderStatus::kOutOfMemory;
  }
  return RenderStatus::kDone;
}

std::vector<NumberPlacement> WholePatternNumberPlaces(const ImageBuffer& indexImage,
                                                      bool fitNumbers) {
  const LtrbRect whole{0, 0, indexImage.Width(), indexImage.Height()};
  if (fitNumbers) return PlanFittingNumbers(indexImage, whole).placed;
  return PlanGridNumbers(indexImage, whole);
}

uint64_t NumberPlacesBytes(int32_t width, int32_t height, uint64_t areas, bool fitNumbers) {
  const uint64_t w = uint64_t(std::max(width, 0)), h = uint64_t(std::max(height, 0));
  // A place per area at most, in a vector that may have doubled.
  const uint64_t places = fitNumbers ? areas : std::min(areas, (w / kCell) * (h / kCell));
  return 2 * places * sizeof(NumberPlacement);
}

uint64_t NumberPlacingBytes(int32_t width, int32_t height, uint64_t areas, bool fitNumbers) {
  const uint64_t w = uint64_t(std::max(width, 0)), h = uint64_t(std::max(height, 0));
  const uint64_t places = NumberPlacesBytes(width, height, areas, fitNumbers);
  if (!fitNumbers) {
    // The sampled grid, its owners, the finder's marks and one area's mask and
    // distances, per cell of the grid.
    return (w / kCell + 1) * (h / kCell + 1) * 24 + places;
  }
  // Per pixel: labels, inner marks, their sums, the distances and their
  // column pass. Per area: the union-find tables, value and size, each
  // band's best, the merged best.
  const uint64_t bands = uint64_t(BandCount(int32_t(std::min<uint64_t>(h, INT32_MAX)),
                                            int64_t(std::min<uint64_t>(w * h, INT64_MAX))));
  return w * h * 17 + areas * (34 + 12 * bands) + places;
}

RenderStatus PlaceFittingNumbers(const ImageBuffer& indexImage, const PixelRows& pattern,
                                 const LtrbRect& area, int32_t* unnumbered) {
  try {
    FittedNumbers fitted = PlanFittingNumbers(indexImage, area);
    for (const NumberPlacement& p : fitted.placed) StampGlyph(pattern, p.number, p.gx, p.gy);
    if (unnumbered != nullptr) *unnumbered = fitted.unnumbered;
  } catch (const std::bad_alloc&) {
    return RenderStatus::kOutOfMemory;
  }
  return RenderStatus::kDone;
}

}  // namespace tintara
