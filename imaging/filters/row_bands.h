// Runs a row loop over the machine's cores while the calling thread alone
// talks to the progress indicator and hears the user's cancel.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "imaging/filters/filter_site.h"

namespace tintara {

struct BandRun;

// Handed to each band: counts its finished rows and tells it when to stop.
class RowTicker {
 public:
  RowTicker(BandRun& run, bool reporter) : run_(run), reporter_(reporter) {}
  // One more row done; false when the run was cancelled and the band must stop.
  bool Tick();

 private:
  BandRun& run_;
  bool reporter_;
};

using BandBody = std::function<void(int32_t first, int32_t end, RowTicker& ticker)>;

// Calls body(first, end, ticker) for disjoint bands covering rows [0, rows),
// one band per core when `pixels` makes that worth it. A body whose rows depend
// on the input alone gives the same result however the rows are split. The
// indicator gets (rows done, rows). Returns kStatusOk, kStatusCancelled, or
// kStatusNoMemory when a band ran out of memory.
int RunRowBands(FilterSite& site, int32_t rows, int64_t pixels, const BandBody& body);

}  // namespace tintara
