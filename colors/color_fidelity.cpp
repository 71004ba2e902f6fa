#include "colors/color_fidelity.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

#include "colors/reduction/lab_paint_matcher.h"

namespace tintara {

namespace {

Rgb PixelAt(const uint8_t* row, int32_t x) { return {row[3 * x + 2], row[3 * x + 1], row[3 * x]}; }

uint32_t KeyOf(Rgb c) { return (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | c.blue; }

// Lab of colours met before; pictures repeat their colours a great deal.
class LabCache {
 public:
  const Lab& Of(Rgb color) {
    auto [it, added] = labs_.try_emplace(KeyOf(color));
    if (added) it->second = SrgbToLab(color);
    return it->second;
  }

 private:
  std::unordered_map<uint32_t, Lab> labs_;
};

bool SameTrueColorSize(const ImageBuffer& a, const ImageBuffer& b) {
  return a.Kind() == kKindRgb24 && b.Kind() == kKindRgb24 && a.Width() == b.Width() &&
         a.Height() == b.Height() && a.Width() > 0 && a.Height() > 0;
}

}  // namespace

namespace {

bool CanAverage(const ImageBuffer& photo, int32_t width, int32_t height) {
  return photo.Kind() == kKindRgb24 && width > 0 && height > 0 && photo.Width() > 0 &&
         photo.Height() > 0;
}

// Row y of the photo averaged to width × height; `sums` holds three numbers a
// photo column.
void AverageRow(const ImageBuffer& photo, int32_t width, int32_t height, int32_t y,
                std::vector<uint64_t>& sums, uint8_t* out) {
  const int64_t sw = photo.Width(), sh = photo.Height();
  // Each target row and column covers at least one source pixel.
  const int32_t y0 = int32_t(y * sh / height);
  const int32_t y1 = std::max<int32_t>(y0 + 1, int32_t((y + 1) * sh / height));
  std::fill(sums.begin(), sums.end(), 0);
  for (int32_t sy = y0; sy < y1; ++sy) {
    const uint8_t* source = photo.Row(sy);
    for (size_t i = 0; i < sums.size(); ++i) sums[i] += source[i];
  }
  for (int32_t x = 0; x < width; ++x) {
    const int64_t x0 = x * sw / width;
    const int64_t x1 = std::max<int64_t>(x0 + 1, (x + 1) * sw / width);
    const uint64_t count = uint64_t((x1 - x0) * (y1 - y0));
    for (int channel = 0; channel < 3; ++channel) {
      uint64_t total = 0;
      for (int64_t sx = x0; sx < x1; ++sx) total += sums[size_t(3 * sx + channel)];
      out[3 * x + channel] = uint8_t((total + count / 2) / count);
    }
  }
}

double RowDifference(const uint8_t* rowA, const uint8_t* rowB, int32_t width, LabCache& labsA,
                     LabCache& labsB) {
  double rowTotal = 0;
  for (int32_t x = 0; x < width; ++x) {
    const Rgb ca = PixelAt(rowA, x), cb = PixelAt(rowB, x);
    if (ca == cb) continue;
    rowTotal += DeltaE2000(labsA.Of(ca), labsB.Of(cb));
  }
  return rowTotal;
}

}  // namespace

ImageRef AreaAverage(const ImageBuffer& photo, int32_t width, int32_t height) {
  if (!CanAverage(photo, width, height)) return nullptr;
  ImageRef result = ImageBuffer::Create(kKindRgb24, width, height);
  if (!result) return nullptr;
  std::optional<PixelRows> rows = result->WritableRows();
  if (!rows) return nullptr;
  std::vector<uint64_t> sums(size_t(photo.Width()) * 3);
  for (int32_t y = 0; y < height; ++y) AverageRow(photo, width, height, y, sums, rows->Row(y));
  return result;
}

std::optional<double> MeanDifference(const ImageBuffer& a, const ImageBuffer& b) {
  if (!SameTrueColorSize(a, b)) return std::nullopt;
  LabCache labsA, labsB;
  double total = 0;
  for (int32_t y = 0; y < a.Height(); ++y) {
    total += RowDifference(a.Row(y), b.Row(y), a.Width(), labsA, labsB);
  }
  return total / (double(a.Width()) * double(a.Height()));
}

std::optional<double> MeanDifferenceToNearest(const ImageBuffer& picture,
                                              std::span<const Lab> paints) {
  if (picture.Kind() != kKindRgb24 || picture.Width() <= 0 || picture.Height() <= 0 ||
      paints.empty()) {
    return std::nullopt;
  }
  const NearestPaintByLook byLook(paints);
  std::unordered_map<uint32_t, double> nearest;
  double total = 0;
  for (int32_t y = 0; y < picture.Height(); ++y) {
    const uint8_t* row = picture.Row(y);
    for (int32_t x = 0; x < picture.Width(); ++x) {
      const Rgb color = PixelAt(row, x);
      auto [it, added] = nearest.try_emplace(KeyOf(color));
      if (added) {
        const Lab lab = SrgbToLab(color);
        it->second = DeltaE2000(lab, paints[size_t(byLook.Nearest(lab))]);
      }
      total += it->second;
    }
  }
  return total / (double(picture.Width()) * double(picture.Height()));
}

namespace {

// Rows [first, end) of the difference, each row's total in `rowTotals`.
void ConversionRows(const ImageBuffer& photo, const ImageBuffer& converted, int32_t first,
                    int32_t end, std::vector<double>& rowTotals) {
  const int32_t width = converted.Width(), height = converted.Height();
  std::vector<uint64_t> sums(size_t(photo.Width()) * 3);
  std::vector<uint8_t> averaged(size_t(width) * 3);
  LabCache labsA, labsB;
  for (int32_t y = first; y < end; ++y) {
    AverageRow(photo, width, height, y, sums, averaged.data());
    rowTotals[size_t(y)] = RowDifference(averaged.data(), converted.Row(y), width, labsA, labsB);
  }
}

}  // namespace

// Row by row: the averaged photo is never held whole beside the pictures.
// The upper half of the rows is worked out on a second core; the rows'
// totals are then added in order, so the mean is the one of a single pass.
std::optional<double> ConversionDifference(const ImageBuffer& photo, const ImageBuffer& converted) {
  const int32_t width = converted.Width(), height = converted.Height();
  if (!CanAverage(photo, width, height) || converted.Kind() != kKindRgb24) return std::nullopt;
  std::vector<double> rowTotals(static_cast<size_t>(height));
  const int32_t middle = std::thread::hardware_concurrency() > 1 ? height / 2 : height;
  bool upperDone = false;
  {
    std::jthread worker;
    if (middle < height) {
      try {
        worker = std::jthread([&] {
          try {
            ConversionRows(photo, converted, middle, height, rowTotals);
            upperDone = true;
          } catch (const std::bad_alloc&) {
          }
        });
      } catch (const std::system_error&) {
      }
    }
    ConversionRows(photo, converted, 0, middle, rowTotals);
  }
  if (middle < height && !upperDone) ConversionRows(photo, converted, middle, height, rowTotals);
  double total = 0;
  for (double rowTotal : rowTotals) total += rowTotal;
  return total / (double(width) * double(height));
}

}  // namespace tintara
