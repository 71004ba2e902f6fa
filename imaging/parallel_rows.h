// Splits a row loop between the machine's cores. Each band gets a contiguous
// range of rows, so a loop whose rows are independent gives the same result
// as a single-threaded run.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <thread>
#include <type_traits>
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

// RunBands' default: nothing to do while the other bands finish.
struct NoBandWait {
  void operator()() const {}
};

// Calls body(band, firstRow, endRow) for `bands` disjoint bands covering
// [0, rows). Band 0 runs on the calling thread, and so does any band no thread
// could be started for. After its own bands the calling thread calls
// whileWaiting() every few milliseconds until the other bands are done.
// The body must not throw on another thread.
template <typename Body, typename Wait = NoBandWait>
void RunBands(int32_t rows, int bands, Body body, Wait whileWaiting = {}) {
  if (bands <= 1) {
    body(0, 0, rows);
    return;
  }
  auto first = [rows, bands](int band) { return int32_t(int64_t(rows) * band / bands); };
  std::atomic<int> running{0};  // outlives the threads: `workers` is destroyed first
  // Joins on every way out, so an exception on this thread never leaves a
  // joinable thread behind (which would end the program).
  struct Workers {
    std::vector<std::thread> threads;
    ~Workers() {
      for (std::thread& thread : threads) thread.join();
    }
  } workers;
  int started = 1;  // bands 1..started-1 have a thread of their own
  for (; started < bands; ++started) {
    running.fetch_add(1);
    try {
      workers.threads.emplace_back(
          [&body, &running, b = started, start = first(started), end = first(started + 1)] {
            body(b, start, end);
            running.fetch_sub(1);
          });
    } catch (const std::exception&) {  // no thread or no memory for one: stop asking
      running.fetch_sub(1);
      break;
    }
  }
  body(0, 0, first(1));
  for (int b = started; b < bands; ++b) body(b, first(b), first(b + 1));
  if constexpr (!std::is_same_v<Wait, NoBandWait>) {
    while (running.load() > 0) {
      whileWaiting();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
}

// Calls body(firstRow, endRow) for disjoint bands covering [0, rows).
template <typename Body>
void ParallelRows(int32_t rows, int64_t pixels, Body body) {
  RunBands(rows, BandCount(rows, pixels),
           [&body](int, int32_t first, int32_t end) { body(first, end); });
}

}  // namespace tintara
