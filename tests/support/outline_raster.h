// Filling traced outlines back into pixels with the even-odd rule, the way a
// drawing program would, to check them against the index image they came from.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"
#include "pattern/outline_tracer.h"

namespace tintara::test {

struct FilledOutlines {
  std::vector<int> value;      // per pixel, row 0 first: the last area's value, -1 if none
  std::vector<int> coverage;   // per pixel: how many areas filled it
};

// Each pixel centre (x + 0.5, y + 0.5) is inside an area when a ray to the
// right crosses its rings an odd number of times.
inline FilledOutlines FillEvenOdd(const PatternOutlines& outlines) {
  const int32_t width = outlines.width, height = outlines.height;
  const double unit = outlines.unitsPerPixel;
  FilledOutlines filled{std::vector<int>(size_t(width) * size_t(height), -1),
                        std::vector<int>(size_t(width) * size_t(height), 0)};
  std::vector<std::vector<double>> crossings(static_cast<size_t>(height));
  for (const OutlineArea& area : outlines.areas) {
    int32_t low = height, high = 0;
    for (uint32_t r = area.firstRing; r < area.firstRing + area.ringCount; ++r) {
      auto ring = outlines.Ring(r);
      for (size_t i = 0; i < ring.size(); ++i) {
        const OutlinePoint a = ring[i], b = ring[(i + 1) % ring.size()];
        const auto top = std::min(int32_t(std::max(a.y, b.y) / unit) + 1, height);
        for (int32_t y = std::max(int32_t(std::min(a.y, b.y) / unit) - 1, 0); y < top; ++y) {
          const double centre = (y + 0.5) * unit;
          if ((a.y <= centre) == (b.y <= centre)) continue;
          const double x = a.x + (centre - a.y) * (b.x - a.x) / double(b.y - a.y);
          crossings[size_t(y)].push_back(x / unit);
          low = std::min(low, y);
          high = std::max(high, y + 1);
        }
      }
    }
    for (int32_t y = low; y < high; ++y) {
      std::vector<double>& row = crossings[size_t(y)];
      std::sort(row.begin(), row.end());
      for (size_t i = 0; i + 1 < row.size(); i += 2) {
        const auto first = int32_t(std::ceil(row[i] - 0.5));
        const auto end = int32_t(std::ceil(row[i + 1] - 0.5));
        for (int32_t x = first; x < end; ++x) {
          size_t p = size_t(y) * size_t(width) + size_t(x);
          filled.value[p] = area.value;
          ++filled.coverage[p];
        }
      }
      row.clear();
    }
  }
  return filled;
}

// "" when the outlines fill exactly the index image, every pixel once;
// otherwise where they first differ.
inline std::string CompareFilled(const PatternOutlines& outlines, const ImageBuffer& index) {
  if (outlines.width != index.Width() || outlines.height != index.Height()) return "size differs";
  FilledOutlines filled = FillEvenOdd(outlines);
  for (int32_t y = 0; y < index.Height(); ++y) {
    for (int32_t x = 0; x < index.Width(); ++x) {
      size_t p = size_t(y) * size_t(index.Width()) + size_t(x);
      if (filled.coverage[p] != 1 || filled.value[p] != index.Row(y)[x]) {
        return "pixel " + std::to_string(x) + "," + std::to_string(y) + " filled " +
               std::to_string(filled.coverage[p]) + " times with " +
               std::to_string(filled.value[p]) + ", index " + std::to_string(index.Row(y)[x]);
      }
    }
  }
  return "";
}

}  // namespace tintara::test
