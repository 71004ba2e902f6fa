#include "colors/reduction/closest_paints.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "colors/reduction/color_histogram.h"
#include "colors/reduction/working_palette.h"

namespace tintara {

namespace {

constexpr double kFar = std::numeric_limits<double>::infinity();

// Cell by paint differences, one row per cell.
struct DifferenceTable {
  DifferenceTable(std::span<const WeightedLab> cells, std::span<const Lab> paints)
      : paintCount(paints.size()), values(cells.size() * paints.size()) {
    for (size_t c = 0; c < cells.size(); ++c) {
      float* row = values.data() + c * paintCount;
      for (size_t j = 0; j < paintCount; ++j) row[j] = float(DeltaE2000(cells[c].lab, paints[j]));
    }
  }
  const float* Row(size_t cell) const { return values.data() + cell * paintCount; }

  size_t paintCount;
  std::vector<float> values;
};

// Per cell the nearest chosen paint (as a slot of the chosen list), its
// difference and the difference to the second nearest.
struct Nearest {
  std::vector<int> slot;
  std::vector<double> first;
  std::vector<double> second;
};

Nearest FindNearest(const DifferenceTable& table, size_t cellCount, const std::vector<int>& chosen) {
  Nearest nearest{std::vector<int>(cellCount, 0), std::vector<double>(cellCount, kFar),
                  std::vector<double>(cellCount, kFar)};
  for (size_t c = 0; c < cellCount; ++c) {
    const float* row = table.Row(c);
    for (size_t s = 0; s < chosen.size(); ++s) {
      const double d = row[chosen[s]];
      if (d < nearest.first[c]) {
        nearest.second[c] = nearest.first[c];
        nearest.first[c] = d;
        nearest.slot[c] = int(s);
      } else if (d < nearest.second[c]) {
        nearest.second[c] = d;
      }
    }
  }
  return nearest;
}

std::vector<int> GreedyStart(std::span<const WeightedLab> cells, const DifferenceTable& table,
                             int count) {
  std::vector<double> best(cells.size(), kFar);
  std::vector<bool> taken(table.paintCount, false);
  std::vector<int> chosen;
  double total = kFar;
  while (int(chosen.size()) < count) {
    double bestTotal = total;
    int bestPaint = -1;
    for (size_t j = 0; j < table.paintCount; ++j) {
      if (taken[j]) continue;
      double sum = 0;
      for (size_t c = 0; c < cells.size(); ++c) {
        sum += cells[c].weight * std::min(best[c], double(table.Row(c)[j]));
      }
      if (sum < bestTotal) {
        bestTotal = sum;
        bestPaint = int(j);
      }
    }
    // No paint makes the picture look any closer: more would only add numbers.
    if (bestPaint < 0) break;
    taken[size_t(bestPaint)] = true;
    chosen.push_back(bestPaint);
    total = bestTotal;
    for (size_t c = 0; c < cells.size(); ++c) {
      best[c] = std::min(best[c], double(table.Row(c)[bestPaint]));
    }
  }
  return chosen;
}

// One pass over every swap (paint i out, paint j in), each valued from the
// nearest and second nearest difference of every cell; applies the best one.
// False when no swap lowers the cost.
bool ApplyBestSwap(std::span<const WeightedLab> cells, const DifferenceTable& table,
                   std::vector<int>& chosen, double tolerance) {
  const Nearest nearest = FindNearest(table, cells.size(), chosen);
  std::vector<bool> taken(table.paintCount, false);
  for (int j : chosen) taken[size_t(j)] = true;
  std::vector<double> removal(chosen.size());
  double bestChange = -tolerance;
  int bestSlot = -1, bestPaint = -1;
  for (size_t j = 0; j < table.paintCount; ++j) {
    if (taken[j]) continue;
    // Change when j joins, whatever leaves; and per slot what its leaving adds.
    double joining = 0;
    std::fill(removal.begin(), removal.end(), 0.0);
    for (size_t c = 0; c < cells.size(); ++c) {
      const double dj = table.Row(c)[j];
      const double w = cells[c].weight;
      const double withJ = std::min(dj, nearest.first[c]);
      joining += w * (withJ - nearest.first[c]);
      removal[size_t(nearest.slot[c])] += w * (std::min(dj, nearest.second[c]) - withJ);
    }
    for (size_t s = 0; s < chosen.size(); ++s) {
      const double change = joining + removal[s];
      if (change < bestChange) {
        bestChange = change;
        bestSlot = int(s);
        bestPaint = int(j);
      }
    }
  }
  if (bestSlot < 0) return false;
  chosen[size_t(bestSlot)] = bestPaint;
  return true;
}

// Number of ways to choose `count` of `total`, or `limit` + 1 once it passes `limit`.
uint64_t Subsets(size_t total, size_t count, uint64_t limit) {
  uint64_t ways = 1;
  for (size_t i = 0; i < count; ++i) {
    ways = ways * (total - i) / (i + 1);
    if (ways > limit) return limit + 1;
  }
  return ways;
}

double TableCost(std::span<const WeightedLab> cells, const DifferenceTable& table,
                 const std::vector<int>& chosen) {
  double total = 0;
  for (size_t c = 0; c < cells.size(); ++c) {
    const float* row = table.Row(c);
    float best = row[chosen[0]];
    for (size_t s = 1; s < chosen.size(); ++s) best = std::min(best, row[chosen[s]]);
    total += cells[c].weight * best;
  }
  return total;
}

// Every set of `count` paints, in lexicographic order; the first least wins.
std::vector<int> EverySubset(std::span<const WeightedLab> cells, const DifferenceTable& table,
                             int count) {
  const int total = int(table.paintCount);
  std::vector<int> current(static_cast<size_t>(count));
  std::iota(current.begin(), current.end(), 0);
  std::vector<int> best = current;
  double bestCost = TableCost(cells, table, current);
  while (true) {
    int i = count - 1;
    while (i >= 0 && current[size_t(i)] == total - count + i) --i;
    if (i < 0) break;
    ++current[size_t(i)];
    for (int j = i + 1; j < count; ++j) current[size_t(j)] = current[size_t(j - 1)] + 1;
    const double cost = TableCost(cells, table, current);
    if (cost < bestCost) {
      bestCost = cost;
      best = current;
    }
  }
  return best;
}

// Sets of paints few enough to try them all: a small brand or very few or
// very many paints asked for.
constexpr uint64_t kMostSubsetsTried = 4096;

}  // namespace

std::vector<WeightedLab> PictureLabCells(const ImageBuffer& picture, int percent) {
  ColorHistogram histogram;
  ForEachCorrectedRow(picture, percent,
                      [&](const uint8_t* row, int width) { histogram.AddRow(row, width); });
  std::vector<WeightedLab> cells;
  for (int cell = 0; cell < ColorHistogram::kCells; ++cell) {
    const ColorHistogram::CellTotals& totals = histogram.Totals(cell);
    if (totals.count == 0) continue;
    const uint64_t half = totals.count / 2;
    const Rgb mean{uint8_t((totals.sums[0] + half) / totals.count),
                   uint8_t((totals.sums[1] + half) / totals.count),
                   uint8_t((totals.sums[2] + half) / totals.count)};
    cells.push_back({SrgbToLab(mean), double(totals.count)});
  }
  return cells;
}

double ChoiceCost(std::span<const WeightedLab> cells, std::span<const Lab> paints,
                  std::span<const int> chosen) {
  double total = 0;
  for (const WeightedLab& cell : cells) {
    double best = kFar;
    for (int j : chosen) best = std::min(best, DeltaE2000(cell.lab, paints[size_t(j)]));
    total += cell.weight * best;
  }
  return total;
}

std::vector<int> ChooseClosestPaints(std::span<const WeightedLab> cells,
                                     std::span<const Lab> paints, int count) {
  if (count > 0 && size_t(count) < paints.size() && !cells.empty() &&
      Subsets(paints.size(), size_t(count), kMostSubsetsTried) <= kMostSubsetsTried) {
    const DifferenceTable table(cells, paints);
    // Fewer may do as well: what the greedy start would stop at is the least worth asking.
    const size_t enough = GreedyStart(cells, table, count).size();
    if (enough == size_t(count)) return EverySubset(cells, table, count);
  }
  return ChoosePaintsBySwaps(cells, paints, count);
}

std::vector<int> ChoosePaintsBySwaps(std::span<const WeightedLab> cells,
                                     std::span<const Lab> paints, int count) {
  std::vector<int> chosen;
  if (count <= 0 || paints.empty()) return chosen;
  if (size_t(count) >= paints.size() || cells.empty()) {
    chosen.resize(std::min(paints.size(), size_t(count)));
    std::iota(chosen.begin(), chosen.end(), 0);
    return chosen;
  }
  const DifferenceTable table(cells, paints);
  chosen = GreedyStart(cells, table, count);
  double weight = 0;
  for (const WeightedLab& cell : cells) weight += cell.weight;
  // A swap must gain more than rounding can, or two equal choices would alternate.
  const double tolerance = weight * 1e-9;
  // Each swap lowers the cost, so this ends; the bound only guards the time.
  for (int round = 0; round < 1000 && ApplyBestSwap(cells, table, chosen, tolerance); ++round) {
  }
  std::sort(chosen.begin(), chosen.end());
  return chosen;
}

}  // namespace tintara
