// Progress of a counted operation: each step advances the application's step
// number, and each row reports (row, rows) to the indicator, which may cancel.
#pragma once

#include "ports/ui_host.h"

namespace tintara {

class StepProgress {
 public:
  StepProgress(UiHost& host, ProgressCounters& counters) : host_(&host), counters_(&counters) {}

  // The next counted step starts.
  void NextStep() { ++counters_->stepNumber; }
  // True when the user cancelled.
  bool Report(int current, int total) { return host_->ProgressStep(*counters_, current, total); }
  void Begin() { host_->ProgressBegin(*counters_); }
  void End() { host_->ProgressEnd(*counters_); }

  UiHost& Host() { return *host_; }
  ProgressCounters& Counters() { return *counters_; }

 private:
  UiHost* host_;
  ProgressCounters* counters_;
};

}  // namespace tintara
