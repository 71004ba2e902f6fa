#include "imaging/filters/row_bands.h"

#include <new>
#include <thread>

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
  // Bands on the calling thread report progress; the others only count rows.
  const std::thread::id caller = std::this_thread::get_id();
  RunBands(
      rows, BandCount(rows, pixels),
      [&run, &body, caller](int, int32_t first, int32_t end) {
        run.RunBand(body, first, end, std::this_thread::get_id() == caller);
      },
      [&run] { run.Report(); });
  if (run.outOfMemory.load()) return kStatusNoMemory;
  return run.stop.load() ? kStatusCancelled : kStatusOk;
}

}  // namespace tintara
