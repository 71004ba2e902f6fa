#include "colors/reduction/color_histogram.h"

#include <algorithm>
#include <cmath>

namespace tintara {

void ColorHistogram::AddRow(const uint8_t* pixels, int count) {
  for (int x = 0; x < count; ++x, pixels += 3) {
    const uint8_t blue = pixels[0], green = pixels[1], red = pixels[2];
    const int cell = CellOf(red, green, blue);
    CellTotals& totals = totals_[size_t(cell)];
    ++totals.count;
    totals.sums[0] += red;
    totals.sums[1] += green;
    totals.sums[2] += blue;
    totals.squares += uint64_t(red) * red + uint64_t(green) * green + uint64_t(blue) * blue;
  }
}

std::array<uint16_t, ColorHistogram::kCells> ColorHistogram::Counts() const {
  std::array<uint16_t, kCells> counts;
  for (size_t cell = 0; cell < counts.size(); ++cell) {
    counts[cell] = uint16_t(std::min<uint64_t>(totals_[cell].count, 0xFFFF));
  }
  return counts;
}

std::vector<Rgb> PopularColors(std::array<uint16_t, ColorHistogram::kCells> counts, int n) {
  std::vector<Rgb> colors;
  for (int i = 0; i < n; ++i) {
    int best = 0;
    for (int cell = 1; cell < ColorHistogram::kCells; ++cell) {
      if (counts[size_t(cell)] > counts[size_t(best)]) best = cell;
    }
    colors.push_back({uint8_t((best & 15) * 16), uint8_t(((best >> 4) & 15) * 16),
                      uint8_t((best >> 8) * 16)});
    counts[size_t(best)] = 0;
  }
  return colors;
}

namespace {

// Cumulative moments over a 17³ grid: entry (r, g, b) sums the cells with
// red nibble < r, green nibble < g and blue nibble < b.
constexpr int kSide = 17;
constexpr int At(int r, int g, int b) { return (r * kSide + g) * kSide + b; }

struct Moments {
  std::vector<double> weight, red, green, blue, squares;
  Moments()
      : weight(kSide * kSide * kSide), red(weight.size()), green(weight.size()),
        blue(weight.size()), squares(weight.size()) {}
};

Moments CumulativeMoments(const ColorHistogram& histogram) {
  Moments m;
  for (int cell = 0; cell < ColorHistogram::kCells; ++cell) {
    const ColorHistogram::CellTotals& t = histogram.Totals(cell);
    const int i = At((cell & 15) + 1, ((cell >> 4) & 15) + 1, (cell >> 8) + 1);
    m.weight[size_t(i)] = double(t.count);
    m.red[size_t(i)] = double(t.sums[0]);
    m.green[size_t(i)] = double(t.sums[1]);
    m.blue[size_t(i)] = double(t.sums[2]);
    m.squares[size_t(i)] = double(t.squares);
  }
  for (std::vector<double>* table : {&m.weight, &m.red, &m.green, &m.blue, &m.squares}) {
    std::vector<double>& v = *table;
    for (int r = 1; r < kSide; ++r)
      for (int g = 1; g < kSide; ++g)
        for (int b = 1; b < kSide; ++b)
          v[size_t(At(r, g, b))] += v[size_t(At(r - 1, g, b))] + v[size_t(At(r, g - 1, b))] +
                                    v[size_t(At(r, g, b - 1))] - v[size_t(At(r - 1, g - 1, b))] -
                                    v[size_t(At(r - 1, g, b - 1))] -
                                    v[size_t(At(r, g - 1, b - 1))] +
                                    v[size_t(At(r - 1, g - 1, b - 1))];
  }
  return m;
}

// A box of cells: lower bounds exclusive, upper bounds inclusive.
struct Box {
  std::array<int, 3> lo{0, 0, 0};
  std::array<int, 3> hi{16, 16, 16};
  int Cells() const { return (hi[0] - lo[0]) * (hi[1] - lo[1]) * (hi[2] - lo[2]); }
};

// The sum over the box of a cumulative table, with the box's upper bound on
// `axis` replaced by `top` (pass hi[axis] for the whole box).
double Sum(const Box& box, const std::vector<double>& m, int axis, int top) {
  std::array<int, 3> hi = box.hi;
  hi[size_t(axis)] = top;
  const auto& lo = box.lo;
  return m[size_t(At(hi[0], hi[1], hi[2]))] - m[size_t(At(hi[0], hi[1], lo[2]))] -
         m[size_t(At(hi[0], lo[1], hi[2]))] + m[size_t(At(hi[0], lo[1], lo[2]))] -
         m[size_t(At(lo[0], hi[1], hi[2]))] + m[size_t(At(lo[0], hi[1], lo[2]))] +
         m[size_t(At(lo[0], lo[1], hi[2]))] - m[size_t(At(lo[0], lo[1], lo[2]))];
}
double Sum(const Box& box, const std::vector<double>& m) { return Sum(box, m, 0, box.hi[0]); }

double Variance(const Box& box, const Moments& m) {
  const double w = Sum(box, m.weight);
  if (w <= 0) return 0;
  const double r = Sum(box, m.red), g = Sum(box, m.green), b = Sum(box, m.blue);
  return Sum(box, m.squares) - (r * r + g * g + b * b) / w;
}

struct BestCut {
  double score = 0;
  int position = -1;
};

// The cut along `axis` that best separates the box: the largest sum of
// squared channel totals over weight of both halves. Empty halves never count.
BestCut MaximizeAlong(const Box& box, const Moments& m, int axis) {
  const double wholeW = Sum(box, m.weight), wholeR = Sum(box, m.red);
  const double wholeG = Sum(box, m.green), wholeB = Sum(box, m.blue);
  BestCut best;
  for (int cut = box.lo[size_t(axis)] + 1; cut < box.hi[size_t(axis)]; ++cut) {
    const double w = Sum(box, m.weight, axis, cut);
    if (w <= 0 || wholeW - w <= 0) continue;
    const double r = Sum(box, m.red, axis, cut), g = Sum(box, m.green, axis, cut);
    const double b = Sum(box, m.blue, axis, cut);
    const double score = (r * r + g * g + b * b) / w +
                         ((wholeR - r) * (wholeR - r) + (wholeG - g) * (wholeG - g) +
                          (wholeB - b) * (wholeB - b)) / (wholeW - w);
    if (score > best.score) best = {score, cut};
  }
  return best;
}

// Splits `box` in two along its best axis; false when no cut separates pixels.
bool Split(Box& box, Box& other, const Moments& m) {
  int axis = -1;
  BestCut best;
  for (int a = 0; a < 3; ++a) {
    BestCut cut = MaximizeAlong(box, m, a);
    if (cut.position >= 0 && (axis < 0 || cut.score > best.score)) {
      axis = a;
      best = cut;
    }
  }
  if (axis < 0) return false;
  other = box;
  other.lo[size_t(axis)] = best.position;
  box.hi[size_t(axis)] = best.position;
  return true;
}

uint8_t Mean(double sum, double weight) {
  return uint8_t(std::clamp(std::lround(sum / weight), 0L, 255L));
}

}  // namespace

std::vector<Rgb> WuPalette(const ColorHistogram& histogram, int n) {
  const Moments m = CumulativeMoments(histogram);
  std::vector<Box> boxes(1);
  std::vector<double> variance(1, Variance(boxes[0], m));
  while (int(boxes.size()) < n) {
    // Split the box with the largest variance that can still be split.
    size_t next = 0;
    for (size_t k = 1; k < boxes.size(); ++k) {
      if (variance[k] > variance[next]) next = k;
    }
    if (variance[next] <= 0) break;
    Box other;
    if (!Split(boxes[next], other, m)) {
      variance[next] = 0;
      continue;
    }
    boxes.push_back(other);
    variance[next] = boxes[next].Cells() > 1 ? Variance(boxes[next], m) : 0;
    variance.push_back(other.Cells() > 1 ? Variance(other, m) : 0);
  }
  std::vector<Rgb> colors;
  for (const Box& box : boxes) {
    const double w = Sum(box, m.weight);
    if (w <= 0) continue;
    colors.push_back({Mean(Sum(box, m.red), w), Mean(Sum(box, m.green), w),
                      Mean(Sum(box, m.blue), w)});
  }
  return colors;
}

}  // namespace tintara
