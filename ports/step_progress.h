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

 private:
  UiHost* host_;
  ProgressCounters* counters_;
};

// A command of `stepTotal` counted steps. However it ends, the indicator is
// ended once, at the last step (where the host closes its window), and the
// counters are cleared so that a filter run later outside a counted
// operation shows no indicator.
class CountedOperation {
 public:
  CountedOperation(UiHost& host, ProgressCounters& counters, int stepTotal)
      : host_(host), counters_(counters) {
    counters_.stepTotal = stepTotal;
    counters_.stepNumber = -1;
  }
  ~CountedOperation() {
    Finish();
    counters_.stepTotal = 0;
    counters_.stepNumber = -1;
  }
  // Ends the indicator now; nothing to end when no step has started.
  void Finish() {
    if (finished_ || counters_.stepTotal == 0 || counters_.stepNumber < 0) return;
    finished_ = true;
    counters_.stepNumber = counters_.stepTotal - 1;
    host_.ProgressEnd(counters_);
  }
  CountedOperation(const CountedOperation&) = delete;
  CountedOperation& operator=(const CountedOperation&) = delete;

 private:
  UiHost& host_;
  ProgressCounters& counters_;
  bool finished_ = false;
};

}  // namespace tintara
