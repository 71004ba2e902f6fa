#include "imaging/filters/row_bands.h"

#include <chrono>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "imaging/filters/filter_status.h"
#include "imaging/parallel_rows.h"

namespace tintara {

struct BandRun {
  FilterSite& site;
  int32_t rows;
  int32_t reportEvery;
  int32_t nextReport;  // touched by the calling thread only
  std::atomic<int32_t> done{0};
  std::atomic<bool> stop{false};
  std::atomic<bool> outOfMemory{false};

  // Calling thread only.
  void Report() {
    int32_t finished = done.load(std::memory_order_relaxed);
    if (finished < nextReport || stop.load(std::memory_order_relaxed)) return;
    nextReport = finished + reportEvery;
    if (site.ProgressStep(finished, rows)) stop.store(true, std::memory_order_relaxed);
  }

  void RunBand(const BandBody& body, int32_t first, int32_t end, bool reporter) {
    RowTicker ticker(*this, reporter);
    try {
      body(first, end, ticker);
    } catch (const std::bad_alloc&) {
      outOfMemory.store(true);
      stop.store(true);
    }
  }
};

bool RowTicker::Tick() {
  run_.done.fetch_add(1, std::memory_order_relaxed);
  if (reporter_) run_.Report();
  return !run_.stop.load(std::memory_order_relaxed);
}

int RunRowBands(FilterSite& site, int32_t rows, int64_t pixels, const BandBody& body) {
  if (rows <= 0) return kStatusOk;
  // About fifty reports per run: enough for a smooth indicator and a quick cancel.
  int32_t every = rows / 50 > 1 ? rows / 50 : 1;
  BandRun run{site, rows, every, every};
  int bands = BandCount(rows, pixels);
  std::atomic<int> running{0};
  std::vector<std::thread> workers;
  std::vector<std::pair<int32_t, int32_t>> leftOver;  // bands no thread could take
  workers.reserve(size_t(bands));
  leftOver.reserve(size_t(bands));
  for (int b = 1; b < bands; ++b) {
    int32_t first = int32_t(int64_t(rows) * b / bands);
    int32_t end = int32_t(int64_t(rows) * (b + 1) / bands);
    try {
      running.fetch_add(1);
      workers.emplace_back([&run, &body, &running, first, end] {
        run.RunBand(body, first, end, false);
        running.fetch_sub(1);
      });
    } catch (const std::exception&) {  // no thread or no memory for one
      running.fetch_sub(1);
      leftOver.emplace_back(first, end);
    }
  }
  run.RunBand(body, 0, int32_t(int64_t(rows) / bands), true);
  for (auto [first, end] : leftOver) run.RunBand(body, first, end, true);
  while (running.load() > 0) {
    run.Report();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  for (std::thread& worker : workers) worker.join();
  if (run.outOfMemory.load()) return kStatusNoMemory;
  return run.stop.load() ? kStatusCancelled : kStatusOk;
}

}  // namespace tintara
