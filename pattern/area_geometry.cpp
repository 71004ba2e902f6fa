#include "pattern/area_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/parallel_rows.h"

namespace tintara {

namespace {

int32_t FindRoot(std::vector<int32_t>& parent, int32_t a) {
  while (parent[size_t(a)] != a) {
    parent[size_t(a)] = parent[size_t(parent[size_t(a)])];
    a = parent[size_t(a)];
  }
  return a;
}

// The smaller label stays the root, so every root is its area's first pixel.
int32_t Join(std::vector<int32_t>& parent, int32_t a, int32_t b) {
  a = FindRoot(parent, a);
  b = FindRoot(parent, b);
  if (a == b) return a;
  if (b < a) std::swap(a, b);
  parent[size_t(b)] = a;
  return a;
}

LtrbRect Clamped(const LtrbRect& rect, int32_t width, int32_t height) {
  LtrbRect r;
  r.left = std::clamp(rect.left, 0, width);
  r.top = std::clamp(rect.top, 0, height);
  r.right = std::clamp(rect.right, r.left, width);
  r.bottom = std::clamp(rect.bottom, r.top, height);
  return r;
}

template <typename T>
void EnvelopeRows(const int32_t* column, int32_t* result, int32_t width, int32_t first,
                  int32_t end) {
  const size_t w = size_t(width);
  std::vector<int32_t> s(w), t(w);
  std::vector<T> gg(w);
  for (int32_t y = first; y < end; ++y) {
    const int32_t* g = column + size_t(y) * w;
    int32_t* out = result + size_t(y) * w;
    T* g2 = gg.data();
    for (int32_t x = 0; x < width; ++x) g2[x] = T(g[x]) * g[x];
    int32_t* sp = s.data();
    int32_t* tp = t.data();
    int32_t q = 0;
    sp[0] = 0;
    tp[0] = 0;
    for (int32_t u = 1; u < width; ++u) {
      const T gu = g2[u];
      while (q >= 0) {
        const T a = tp[q] - sp[q], b = tp[q] - u;
        if (a * a + g2[sp[q]] <= b * b + gu) break;
        --q;
      }
      if (q < 0) {
        q = 0;
        sp[0] = u;
      } else {
        const T i = sp[q];
        const T next = 1 + (T(u) * u - i * i + gu - g2[sp[q]]) / (2 * (T(u) - i));
        if (next < width) {
          ++q;
          sp[q] = u;
          tp[q] = int32_t(next);
        }
      }
    }
    for (int32_t u = width - 1; u >= 0; --u) {
      const T d = u - sp[q];
      out[u] = int32_t(std::min<T>(d * d + g2[sp[q]], std::numeric_limits<int32_t>::max()));
      if (u == tp[q]) --q;
    }
  }
}

}  // namespace

AreaLabels LabelAreas(const ImageBuffer& index, const LtrbRect& rect) {
  AreaLabels areas;
  areas.rect = Clamped(rect, index.Width(), index.Height());
  const int32_t w = areas.width = areas.rect.right - areas.rect.left;
  const int32_t h = areas.height = areas.rect.bottom - areas.rect.top;
  areas.label.resize(size_t(w) * size_t(h));
  std::vector<int32_t> parent;
  parent.reserve(size_t(w) * 4);
  // First pass: provisional labels joined with the left and upper neighbour.
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* in = index.Row(areas.rect.top + y) + areas.rect.left;
    const uint8_t* up = y > 0 ? index.Row(areas.rect.top + y - 1) + areas.rect.left : nullptr;
    int32_t* out = areas.label.data() + size_t(y) * size_t(w);
    const int32_t* outUp = y > 0 ? out - w : nullptr;
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t v = in[x];
      const bool sameLeft = x > 0 && in[x - 1] == v;
      const bool sameUp = up != nullptr && up[x] == v;
      if (sameLeft && sameUp) {
        out[x] = out[x - 1] == outUp[x] ? out[x - 1] : Join(parent, out[x - 1], outUp[x]);
      } else if (sameLeft) {
        out[x] = out[x - 1];
      } else if (sameUp) {
        out[x] = outUp[x];
      } else {
        out[x] = int32_t(parent.size());
        parent.push_back(out[x]);
      }
    }
  }
  // Roots become consecutive labels, in place: a label's parent is always a
  // smaller label, whose final label is known by then. A root is its area's
  // first pixel, so the areas are numbered in the order they appear.
  for (size_t i = 0; i < parent.size(); ++i) {
    const int32_t up = parent[i];
    parent[i] = up == int32_t(i) ? areas.count++ : parent[size_t(up)];
  }
  areas.value.resize(size_t(areas.count));
  areas.pixels.assign(size_t(areas.count), 0);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* in = index.Row(areas.rect.top + y) + areas.rect.left;
    int32_t* out = areas.label.data() + size_t(y) * size_t(w);
    for (int32_t x = 0; x < w; ++x) {
      const int32_t id = parent[size_t(out[x])];
      out[x] = id;
      areas.value[size_t(id)] = in[x];
      ++areas.pixels[size_t(id)];
    }
  }
  return areas;
}

std::vector<int32_t> SquaredDistances(const std::vector<uint8_t>& seed, int32_t width,
                                      int32_t height) {
  const size_t w = size_t(width);
  // The column distances become the result row by row, in place: a row's
  // envelope works from its own copy of the row.
  std::vector<int32_t> column(seed.size());
  if (seed.empty()) return column;
  const int32_t far = width + height;
  // Distance to the nearest seed in the same column, down then up; bands of
  // columns run on every core.
  RunBands(width, BandCount(width, int64_t(width) * height), [&](int, int32_t a, int32_t b) {
    for (int32_t y = 0; y < height; ++y) {
      const uint8_t* s = seed.data() + size_t(y) * w;
      int32_t* g = column.data() + size_t(y) * w;
      for (int32_t x = a; x < b; ++x) {
        g[x] = s[x] ? 0 : (y > 0 ? std::min(far, g[x - int32_t(w)] + 1) : far);
      }
    }
    for (int32_t y = height - 2; y >= 0; --y) {
      int32_t* g = column.data() + size_t(y) * w;
      for (int32_t x = a; x < b; ++x) g[x] = std::min(g[x], g[x + int32_t(w)] + 1);
    }
  });
  // Each row: the lower envelope of the parabolas the column distances span,
  // in 32 bits whenever every term fits (any pattern under about 15000 pixels
  // a side), else in 64.
  const bool narrow = int64_t(far) * far + int64_t(width) * width < (int64_t(1) << 31);
  ParallelRows(height, int64_t(width) * height, [&](int32_t first, int32_t end) {
    if (narrow) {
      EnvelopeRows<int32_t>(column.data(), column.data(), width, first, end);
    } else {
      EnvelopeRows<int64_t>(column.data(), column.data(), width, first, end);
    }
  });
  return column;
}

std::vector<uint8_t> AreaEdgeSeeds(const AreaLabels& areas) {
  const int32_t w = areas.width;
  const int32_t h = areas.height;
  std::vector<uint8_t> seed(size_t(w) * size_t(h));
  for (int32_t y = 0; y < h; ++y) {
    const int32_t* row = areas.label.data() + size_t(y) * size_t(w);
    uint8_t* out = seed.data() + size_t(y) * size_t(w);
    const bool edgeRow = y == 0 || y == h - 1;
    for (int32_t x = 0; x < w; ++x) {
      const int32_t l = row[x];
      out[x] = edgeRow || x == 0 || x == w - 1 || row[x - 1] != l || row[x + 1] != l ||
               row[x - w] != l || row[x + w] != l;
    }
  }
  return seed;
}

double InscribedDiameter(int32_t squared) { return 2.0 * std::sqrt(double(squared)) + 1.0; }

std::vector<int32_t> LargestDistancePerArea(const AreaLabels& areas,
                                            const std::vector<int32_t>& squared) {
  std::vector<int32_t> largest(size_t(areas.count), 0);
  for (size_t i = 0; i < areas.label.size(); ++i) {
    int32_t& best = largest[size_t(areas.label[i])];
    best = std::max(best, squared[i]);
  }
  return largest;
}

}  // namespace tintara
