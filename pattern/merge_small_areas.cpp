#include "pattern/merge_small_areas.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <tuple>

#include "pattern/area_geometry.h"
#include "pattern/widen_vanishing_paints.h"

namespace tintara {

namespace {

struct Box {
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  void Add(const Box& other) {
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
  }
};

class Merger {
 public:
  Merger(const ImageBuffer& index, const std::vector<Lab>& paints, double minDiameter,
         uint64_t memoryLimit)
      : index_(index), paints_(paints), minDiameter_(minDiameter), memoryLimit_(memoryLimit) {}

  MergeOutcome Run(ImageBuffer& index);

 private:
  bool Measure();
  void CollectNeighbours();
  double Difference(uint8_t a, uint8_t b);
  int32_t Root(int32_t a);
  bool Small(int32_t a) const { return diameter_[size_t(a)] < minDiameter_; }
  int32_t ClosestNeighbour(int32_t area);
  void Absorb(int32_t into, int32_t area);
  bool MergeRound();
  void Remeasure(int32_t area);
  void WriteBack(ImageBuffer& index);

  const ImageBuffer& index_;
  const std::vector<Lab>& paints_;
  const double minDiameter_;
  const uint64_t memoryLimit_;
  AreaLabels areas_;
  std::vector<int32_t> parent_;
  std::vector<uint8_t> value_;
  std::vector<int64_t> pixels_;
  std::vector<double> diameter_;
  std::vector<Box> box_;
  std::vector<std::vector<int32_t>> neighbours_;  // kept for small areas only
  std::vector<uint8_t> grown_;                    // small areas that absorbed others this round
  std::vector<double> difference_ = std::vector<double>(256 * 256, -1.0);
  MergeOutcome outcome_;
};

int32_t Merger::Root(int32_t a) {
  while (parent_[size_t(a)] != a) {
    parent_[size_t(a)] = parent_[size_t(parent_[size_t(a)])];
    a = parent_[size_t(a)];
  }
  return a;
}

double Merger::Difference(uint8_t a, uint8_t b) {
  double& known = difference_[size_t(a) * 256 + b];
  if (known < 0) {
    known = a < paints_.size() && b < paints_.size() ? DeltaE2000(paints_[a], paints_[b]) : 1e9;
  }
  return known;
}

// False, with the bytes it would take, when the work does not fit the limit.
bool Merger::Measure() {
  const int32_t w = index_.Width();
  const int32_t h = index_.Height();
  const uint64_t cells = uint64_t(w) * uint64_t(h);
  if (MergeWorkingBytes(cells, 0) > memoryLimit_) {
    outcome_.refusedBytes = MergeWorkingBytes(cells, 0);
    return false;
  }
  areas_ = LabelAreas(index_, {0, 0, w, h});
  const size_t n = size_t(areas_.count);
  if (MergeWorkingBytes(cells, n) > memoryLimit_) {
    outcome_.refusedBytes = MergeWorkingBytes(cells, n);
    areas_ = {};
    return false;
  }
  {
    std::vector<int32_t> squared = SquaredDistances(AreaEdgeSeeds(areas_), w, h);
    std::vector<int32_t> largest = LargestDistancePerArea(areas_, squared);
    diameter_.resize(n);
    for (size_t i = 0; i < n; ++i) diameter_[i] = InscribedDiameter(largest[i]);
  }
  parent_.resize(n);
  for (size_t i = 0; i < n; ++i) parent_[i] = int32_t(i);
  value_ = areas_.value;
  pixels_.assign(areas_.pixels.begin(), areas_.pixels.end());
  std::vector<int32_t>().swap(areas_.pixels);
  box_.assign(n, Box{w, h, 0, 0});
  for (int32_t y = 0; y < h; ++y) {
    const int32_t* row = areas_.label.data() + size_t(y) * size_t(w);
    for (int32_t x = 0; x < w; ++x) {
      Box& box = box_[size_t(row[x])];
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x + 1);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return true;
}

void Merger::CollectNeighbours() {
  const int32_t w = areas_.width;
  const int32_t h = areas_.height;
  neighbours_.assign(size_t(areas_.count), {});
  auto link = [this](int32_t a, int32_t b) {
    if (a == b) return;
    // An edge between two areas meets them pixel after pixel: listed once a run.
    std::vector<int32_t>& ofA = neighbours_[size_t(a)];
    std::vector<int32_t>& ofB = neighbours_[size_t(b)];
    if (Small(a) && (ofA.empty() || ofA.back() != b)) ofA.push_back(b);
    if (Small(b) && (ofB.empty() || ofB.back() != a)) ofB.push_back(a);
  };
  for (int32_t y = 0; y < h; ++y) {
    const int32_t* row = areas_.label.data() + size_t(y) * size_t(w);
    for (int32_t x = 0; x < w; ++x) {
      if (x + 1 < w) link(row[x], row[x + 1]);
      if (y + 1 < h) link(row[x], row[x + w]);
    }
  }
  for (std::vector<int32_t>& list : neighbours_) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    list.shrink_to_fit();
  }
}

// The neighbour whose paint differs least; then the larger one, then the
// first found, so the result never depends on the order of the lists.
int32_t Merger::ClosestNeighbour(int32_t area) {
  int32_t best = -1;
  double bestDifference = 0;
  for (int32_t other : neighbours_[size_t(area)]) {
    const int32_t root = Root(other);
    if (root == area) continue;
    const double d = Difference(value_[size_t(area)], value_[size_t(root)]);
    if (best < 0 ||
        std::tuple(d, -pixels_[size_t(root)], root) <
            std::tuple(bestDifference, -pixels_[size_t(best)], best)) {
      best = root;
      bestDifference = d;
    }
  }
  return best;
}

void Merger::Absorb(int32_t into, int32_t area) {
  parent_[size_t(area)] = into;
  pixels_[size_t(into)] += pixels_[size_t(area)];
  box_[size_t(into)].Add(box_[size_t(area)]);
  // The union is at least as wide as the wider of the two.
  if (value_[size_t(area)] == value_[size_t(into)]) {
    diameter_[size_t(into)] = std::max(diameter_[size_t(into)], diameter_[size_t(area)]);
  }
  if (Small(into)) {
    std::vector<int32_t>& list = neighbours_[size_t(into)];
    const std::vector<int32_t>& more = neighbours_[size_t(area)];
    list.insert(list.end(), more.begin(), more.end());
    grown_[size_t(into)] = 1;
  }
}

bool Merger::MergeRound() {
  std::vector<int32_t> candidates;
  for (int32_t a = 0; a < areas_.count; ++a) {
    if (parent_[size_t(a)] == a && Small(a)) candidates.push_back(a);
  }
  std::sort(candidates.begin(), candidates.end(), [this](int32_t a, int32_t b) {
    return std::tuple(diameter_[size_t(a)], pixels_[size_t(a)], a) <
           std::tuple(diameter_[size_t(b)], pixels_[size_t(b)], b);
  });
  grown_.assign(size_t(areas_.count), 0);
  bool merged = false;
  for (int32_t area : candidates) {
    // An area that has grown this round is measured again before it moves.
    if (grown_[size_t(area)] || Root(area) != area) continue;
    const int32_t target = ClosestNeighbour(area);
    if (target < 0) continue;
    const std::vector<int32_t> around = neighbours_[size_t(area)];
    value_[size_t(area)] = value_[size_t(target)];
    Absorb(target, area);
    neighbours_[size_t(area)].clear();
    // Neighbours of the target's paint now touch the target through the area.
    for (int32_t other : around) {
      const int32_t root = Root(other);
      if (root != target && value_[size_t(root)] == value_[size_t(target)]) Absorb(target, root);
    }
    ++outcome_.mergedAreas;
    merged = true;
  }
  for (int32_t a = 0; a < areas_.count; ++a) {
    if (grown_[size_t(a)] && Root(a) == a && Small(a)) Remeasure(a);
  }
  return merged;
}

// The inscribed disc of an area that has absorbed others, measured on its
// bounding box alone.
void Merger::Remeasure(int32_t area) {
  const Box box = box_[size_t(area)];
  const int32_t w = box.right - box.left;
  const int32_t h = box.bottom - box.top;
  const int32_t imageW = areas_.width;
  const int32_t imageH = areas_.height;
  std::vector<int32_t>& list = neighbours_[size_t(area)];
  std::sort(list.begin(), list.end());
  list.erase(std::unique(list.begin(), list.end()), list.end());
  // No disc is wider than the area's box: a box narrower than the minimum
  // needs no measuring, the area stays small.
  if (w < minDiameter_ || h < minDiameter_) return;
  std::vector<uint8_t> inside(size_t(w) * size_t(h));
  for (int32_t y = 0; y < h; ++y) {
    const int32_t* row = areas_.label.data() + size_t(box.top + y) * size_t(imageW) + box.left;
    for (int32_t x = 0; x < w; ++x) inside[size_t(y) * size_t(w) + size_t(x)] = Root(row[x]) == area;
  }
  std::vector<uint8_t> seed(inside.size());
  auto in = [&](int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < w && y < h && inside[size_t(y) * size_t(w) + size_t(x)];
  };
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      if (!in(x, y)) continue;
      const int32_t ix = box.left + x, iy = box.top + y;
      seed[size_t(y) * size_t(w) + size_t(x)] =
          ix == 0 || iy == 0 || ix == imageW - 1 || iy == imageH - 1 || !in(x - 1, y) ||
          !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
    }
  }
  std::vector<int32_t> squared = SquaredDistances(seed, w, h);
  int32_t largest = 0;
  for (size_t i = 0; i < inside.size(); ++i) {
    if (inside[i]) largest = std::max(largest, squared[i]);
  }
  diameter_[size_t(area)] = InscribedDiameter(largest);
}

void Merger::WriteBack(ImageBuffer& index) {
  std::vector<uint8_t> paint(size_t(areas_.count));
  bool any = false;
  for (int32_t a = 0; a < areas_.count; ++a) {
    paint[size_t(a)] = value_[size_t(Root(a))];
    any = any || paint[size_t(a)] != areas_.value[size_t(a)];
  }
  if (!any) return;
  std::optional<PixelRows> rows = index.WritableRows();
  if (!rows) throw std::bad_alloc();
  const int32_t w = areas_.width;
  for (int32_t y = 0; y < areas_.height; ++y) {
    uint8_t* out = rows->Row(y);
    const int32_t* row = areas_.label.data() + size_t(y) * size_t(w);
    for (int32_t x = 0; x < w; ++x) out[x] = paint[size_t(row[x])];
  }
}

MergeOutcome Merger::Run(ImageBuffer& index) {
  if (!Measure()) return outcome_;
  CollectNeighbours();
  while (MergeRound()) ++outcome_.rounds;
  WriteBack(index);
  return outcome_;
}

}  // namespace

uint64_t MergeWorkingBytes(uint64_t cells, uint64_t areas) {
  return cells * kMergeBytesPerCell + areas * kMergeBytesPerArea;
}

MergeOutcome MergeSmallAreas(ImageBuffer& index, const std::vector<Lab>& paints,
                             double minDiameterPixels, uint64_t memoryLimit, bool keepPaints) {
  if (BitsPerPixel(index.Kind()) != 8 || index.Width() <= 0 || index.Height() <= 0) return {};
  // The widening works within the merge's own weighing, and leaves the index
  // alone when the merge would be refused.
  static_assert(kWideningBytesPerCell <= kMergeBytesPerCell);
  if (keepPaints) {
    WidenVanishingPaints(index, minDiameterPixels, [memoryLimit](uint64_t cells, uint64_t areas) {
      return MergeWorkingBytes(cells, areas) <= memoryLimit;
    });
  }
  Merger merger(index, paints, minDiameterPixels, memoryLimit);
  return merger.Run(index);
}

}  // namespace tintara
