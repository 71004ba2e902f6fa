// Splits a row loop between the machine's cores. Each band gets a contiguous
// range of rows, so a loop whose rows are independent gives the same result
// as a single-threaded run.
#pragma once

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

namespace tintara {

// Most bands any loop is split into.
constexpr int kMaxBands = 8;

// Number of bands worth running for `rows` rows of `rowCost` pixels.
inline int BandCount(int32_t rows, int64_t pixels) {
  unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  if (pixels < 200000 || rows < 2) return 1;
  return int(std::min<int64_t>({int64_t(cores), int64_t(rows), kMaxBands}));
}

// Calls body(band, firstRow, endRow) for `bands` disjoint bands covering
// [0, rows); band 0 runs on the calling thread.
template <typename Body>
void RunBands(int32_t rows, int bands, Body body) {
  if (bands <= 1) {
    body(0, 0, rows);
    return;
  }
  std::vector<std::thread> workers;
  workers.reserve(size_t(bands - 1));
  for (int b = 1; b < bands; ++b) {
    int32_t first = int32_t(int64_t(rows) * b / bands);
    int32_t end = int32_t(int64_t(rows) * (b + 1) / bands);
    workers.emplace_back([=, &body] { body(b, first, end); });
  }
  body(0, 0, int32_t(int64_t(rows) / bands));
  for (std::thread& worker : workers) worker.join();
}

// Calls body(firstRow, endRow) for disjoint bands covering [0, rows).
template <typename Body>
void ParallelRows(int32_t rows, int64_t pixels, Body body) {
  RunBands(rows, BandCount(rows, pixels),
           [&body](int, int32_t first, int32_t end) { body(first, end); });
}

}  // namespace tintara
