#include "colors/reduction/nearest_color.h"

#include <algorithm>
#include <limits>

namespace tintara {

namespace {

int DistanceSquared(Rgb a, Rgb b) {
  int dr = int(a.red) - b.red, dg = int(a.green) - b.green, db = int(a.blue) - b.blue;
  return dr * dr + dg * dg + db * db;
}

// An axis-aligned box of colour values, bounds included.
struct Box {
  int lo[3];
  int hi[3];
};

int AxisMin(int v, int lo, int hi) { return v < lo ? lo - v : (v > hi ? v - hi : 0); }
int AxisMax(int v, int lo, int hi) { return std::max(v - lo, hi - v); }

int MinDistance(const Box& box, Rgb c) {
  const int v[3] = {c.red, c.green, c.blue};
  int sum = 0;
  for (int a = 0; a < 3; ++a) {
    int d = AxisMin(v[a], box.lo[a], box.hi[a]);
    sum += d * d;
  }
  return sum;
}

int MaxDistance(const Box& box, Rgb c) {
  const int v[3] = {c.red, c.green, c.blue};
  int sum = 0;
  for (int a = 0; a < 3; ++a) {
    int d = AxisMax(v[a], box.lo[a], box.hi[a]);
    sum += d * d;
  }
  return sum;
}

// Whether `a` is at least as near as `c` everywhere in the box, winning
// ties: d(p,a)² - d(p,c)² is linear in p, so its largest value over the box
// is found at one corner.
bool Dominates(const Box& box, Rgb a, int ai, Rgb c, int ci) {
  const int av[3] = {a.red, a.green, a.blue};
  const int cv[3] = {c.red, c.green, c.blue};
  int64_t most = 0;
  for (int axis = 0; axis < 3; ++axis) {
    const int delta = av[axis] - cv[axis];
    most += int64_t(av[axis]) * av[axis] - int64_t(cv[axis]) * cv[axis];
    most -= 2 * int64_t(delta) * (delta > 0 ? box.lo[axis] : box.hi[axis]);
  }
  return most < 0 || (most == 0 && ai < ci);
}

// The colours of `from` that can be nearest to a point of the box, in order.
// Two sound cuts: no colour is ever nearer than the smallest worst-case
// distance, so anything whose best case is beyond it goes; and anything the
// colour nearest to the box centre beats everywhere in the box goes.
void FilterForBox(const Box& box, std::span<const Rgb> palette, std::span<const uint8_t> from,
                  std::vector<uint8_t>& out) {
  if (from.size() <= 1) {
    out.assign(from.begin(), from.end());
    return;
  }
  int bound = std::numeric_limits<int>::max();
  for (uint8_t i : from) bound = std::min(bound, MaxDistance(box, palette[i]));
  const Rgb centre{uint8_t((box.lo[0] + box.hi[0] + 1) / 2),
                   uint8_t((box.lo[1] + box.hi[1] + 1) / 2),
                   uint8_t((box.lo[2] + box.hi[2] + 1) / 2)};
  int best = -1;
  int bestDistance = std::numeric_limits<int>::max();
  for (uint8_t i : from) {
    int distance = DistanceSquared(palette[i], centre);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  for (uint8_t i : from) {
    if (MinDistance(box, palette[i]) > bound) continue;
    if (i != best && Dominates(box, palette[size_t(best)], best, palette[i], i)) continue;
    out.push_back(i);
  }
}

Box CubeBox(int r, int g, int b, int side) {
  return {{r * side, g * side, b * side},
          {r * side + side - 1, g * side + side - 1, b * side + side - 1}};
}

}  // namespace

int NearestPaletteIndex(std::span<const Rgb> palette, Rgb color) {
  int best = -1;
  int bestDistance = std::numeric_limits<int>::max();
  for (size_t i = 0; i < palette.size(); ++i) {
    int distance = DistanceSquared(palette[i], color);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = int(i);
    }
  }
  return best;
}

NearestColorTable::NearestColorTable(std::span<const Rgb> palette)
    : palette_(palette.begin(), palette.begin() + std::min<size_t>(palette.size(), 256)) {
  if (palette_.empty()) return;
  std::vector<uint8_t> all(palette_.size());
  for (size_t i = 0; i < all.size(); ++i) all[i] = uint8_t(i);
  offsets_.reserve(kCells + 1);
  candidates_.reserve(kCells * 2);
  std::array<std::vector<uint8_t>, 3> scratch;
  for (int r = 0; r < 8; ++r) {
    for (int g = 0; g < 8; ++g) {
      for (int b = 0; b < 8; ++b) AddCells({r, g, b}, 0, all, scratch);
    }
  }
  offsets_.push_back(uint32_t(candidates_.size()));
}

void NearestColorTable::AddCells(std::array<int, 3> box, int level, std::span<const uint8_t> parent,
                                 std::array<std::vector<uint8_t>, 3>& scratch) {
  // Level 0: boxes of 32 values, split 4 ways per side; level 1: boxes of 8,
  // split 2 ways; level 2: the cells of 4. This is CellOf's order.
  static constexpr int kSide[3] = {32, 8, 4};
  static constexpr int kSplit[3] = {4, 2, 0};
  std::vector<uint8_t>& list = scratch[size_t(level)];
  list.clear();
  FilterForBox(CubeBox(box[0], box[1], box[2], kSide[level]), palette_, parent, list);
  if (level == 2) {
    offsets_.push_back(uint32_t(candidates_.size()));
    for (uint8_t i : list) {
      const Rgb& c = palette_[i];
      candidates_.push_back((uint32_t(i) << 24) | (uint32_t(c.red) << 16) |
                            (uint32_t(c.green) << 8) | c.blue);
    }
    return;
  }
  const int split = kSplit[level];
  for (int r = 0; r < split; ++r) {
    for (int g = 0; g < split; ++g) {
      for (int b = 0; b < split; ++b) {
        AddCells({box[0] * split + r, box[1] * split + g, box[2] * split + b}, level + 1, list,
                 scratch);
      }
    }
  }
}

}  // namespace tintara
