#include "pattern/widen_vanishing_paints.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <vector>

#include "pattern/area_geometry.h"

namespace tintara {

namespace {

struct Keeper {
  int32_t label = -1;
  int64_t pixels = 0;
  double diameter = 0;
  LtrbRect box{0, 0, 0, 0};  // right and bottom exclusive
};

// Per paint: its widest area's diameter and its largest area.
std::array<Keeper, 256> FindKeepers(const AreaLabels& areas, const std::vector<double>& diameter,
                                    std::array<double, 256>& widest) {
  std::array<Keeper, 256> keepers{};
  widest.fill(0);
  for (int32_t a = 0; a < areas.count; ++a) {
    const uint8_t paint = areas.value[size_t(a)];
    widest[paint] = std::max(widest[paint], diameter[size_t(a)]);
    Keeper& keeper = keepers[paint];
    if (areas.pixels[size_t(a)] > keeper.pixels) {
      keeper = {a, areas.pixels[size_t(a)], diameter[size_t(a)], {}};
    }
  }
  return keepers;
}

std::vector<double> Diameters(const AreaLabels& areas) {
  std::vector<int32_t> squared = SquaredDistances(AreaEdgeSeeds(areas), areas.width, areas.height);
  std::vector<int32_t> largest = LargestDistancePerArea(areas, squared);
  std::vector<double> diameter(largest.size());
  for (size_t i = 0; i < largest.size(); ++i) diameter[i] = InscribedDiameter(largest[i]);
  return diameter;
}

void FindBoxes(const AreaLabels& areas, std::vector<Keeper*>& byLabel) {
  for (int32_t y = 0; y < areas.height; ++y) {
    const int32_t* row = areas.label.data() + size_t(y) * size_t(areas.width);
    for (int32_t x = 0; x < areas.width; ++x) {
      Keeper* keeper = byLabel[size_t(row[x])];
      if (keeper == nullptr) continue;
      LtrbRect& box = keeper->box;
      if (box.right == 0) box = {x, y, x + 1, y + 1};
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
}

// Gives the keeper's paint every unclaimed cell within `grow` cells of it,
// and claims them. A keeper that earlier widenings took more than a tenth of
// gives way and is not widened.
bool Widen(const AreaLabels& areas, const Keeper& keeper, int32_t grow, double enoughCells,
           uint8_t paint, PixelRows& rows, std::vector<uint8_t>& claimed) {
  const int32_t w = areas.width;
  const int32_t h = areas.height;
  const int32_t left = std::max(0, keeper.box.left - grow);
  const int32_t top = std::max(0, keeper.box.top - grow);
  const int32_t right = std::min(w, keeper.box.right + grow);
  const int32_t bottom = std::min(h, keeper.box.bottom + grow);
  const int32_t bw = right - left;
  const int32_t bh = bottom - top;
  std::vector<uint8_t> seed(size_t(bw) * size_t(bh));
  int64_t remaining = 0;
  for (int32_t y = 0; y < bh; ++y) {
    const int32_t* row = areas.label.data() + size_t(top + y) * size_t(w) + left;
    const uint8_t* mark = claimed.data() + size_t(top + y) * size_t(w) + left;
    for (int32_t x = 0; x < bw; ++x) {
      const bool own = row[x] == keeper.label && !mark[x];
      seed[size_t(y) * size_t(bw) + size_t(x)] = own;
      remaining += own;
    }
  }
  if (double(remaining) < enoughCells || remaining < keeper.pixels - keeper.pixels / 10) {
    return false;
  }
  const std::vector<int32_t> squared = SquaredDistances(seed, bw, bh);
  const int32_t reach = grow * grow;
  for (int32_t y = 0; y < bh; ++y) {
    uint8_t* out = rows.Row(top + y) + left;
    uint8_t* mark = claimed.data() + size_t(top + y) * size_t(w) + left;
    for (int32_t x = 0; x < bw; ++x) {
      if (squared[size_t(y) * size_t(bw) + size_t(x)] > reach || mark[x]) continue;
      out[x] = paint;
      mark[x] = 1;
    }
  }
  return true;
}

}  // namespace

int32_t WidenVanishingPaints(ImageBuffer& index, double minDiameterPixels,
                             const std::function<bool(uint64_t, uint64_t)>& fits) {
  if (BitsPerPixel(index.Kind()) != 8 || index.Width() <= 0 || index.Height() <= 0) return 0;
  const uint64_t cells = uint64_t(index.Width()) * uint64_t(index.Height());
  if (!fits(cells, 0)) return 0;
  const AreaLabels areas = LabelAreas(index, {0, 0, index.Width(), index.Height()});
  if (!fits(cells, uint64_t(areas.count))) return 0;
  std::array<double, 256> widest{};
  std::array<Keeper, 256> keepers = FindKeepers(areas, Diameters(areas), widest);
  const double enoughCells = minDiameterPixels * minDiameterPixels;
  std::vector<Keeper*> byLabel(size_t(areas.count), nullptr);
  std::vector<int> paints;
  for (int paint = 0; paint < 256; ++paint) {
    const Keeper& keeper = keepers[size_t(paint)];
    if (keeper.label < 0 || widest[size_t(paint)] >= minDiameterPixels ||
        double(keeper.pixels) < enoughCells) {
      continue;
    }
    byLabel[size_t(keeper.label)] = &keepers[size_t(paint)];
    paints.push_back(paint);
  }
  if (paints.empty()) return 0;
  FindBoxes(areas, byLabel);
  std::optional<PixelRows> rows = index.WritableRows();
  if (!rows) throw std::bad_alloc();
  // The largest bands widen first; a band they take much of gives way.
  std::vector<uint8_t> claimed(areas.label.size());
  std::sort(paints.begin(), paints.end(), [&](int a, int b) {
    return std::pair(-keepers[size_t(a)].pixels, a) < std::pair(-keepers[size_t(b)].pixels, b);
  });
  int32_t widened = 0;
  for (int paint : paints) {
    const Keeper& keeper = keepers[size_t(paint)];
    const int32_t grow = int32_t(std::ceil((minDiameterPixels - keeper.diameter) / 2));
    widened += Widen(areas, keeper, grow, enoughCells, uint8_t(paint), *rows, claimed) ? 1 : 0;
  }
  return widened;
}

}  // namespace tintara
