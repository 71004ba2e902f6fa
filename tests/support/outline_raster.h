// Filling traced outlines back into pixels with the even-odd rule, the way a
// drawing program would, to check them against the index image they came from.
#pragma once

#include <algorithm>
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
// right crosses its rings' vertical edges an odd number of times.
inline FilledOutlines FillEvenOdd(const PatternOutlines& outlines) {
  const int32_t width = outlines.width, height = outlines.height;
  FilledOutlines filled{std::vector<int>(size_t(width) * size_t(height), -1),
                        std::vector<int>(size_t(width) * size_t(height), 0)};
  std::vector<std::vector<int32_t>> crossings(static_cast<size_t>(height));
  for (const OutlineArea& area : outlines.areas) {
    int32_t low = height, high = 0;
    for (uint32_t r = area.firstRing; r < area.firstRing + area.ringCount; ++r) {
      auto ring = outlines.Ring(r);
      for (size_t i = 0; i < ring.size(); ++i) {
        const OutlinePoint a = ring[i], b = ring[(i + 1) % ring.size()];
        if (a.x != b.x) continue;
        for (int32_t y = std::min(a.y, b.y); y < std::max(a.y, b.y); ++y) {
          crossings[size_t(y)].push_back(a.x);
        }
        low = std::min({low, a.y, b.y});
        high = std::max({high, a.y, b.y});
      }
    }
    for (int32_t y = low; y < high; ++y) {
      std::vector<int32_t>& row = crossings[size_t(y)];
      std::sort(row.begin(), row.end());
      for (size_t i = 0; i + 1 < row.size(); i += 2) {
        for (int32_t x = row[i]; x < row[i + 1]; ++x) {
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
