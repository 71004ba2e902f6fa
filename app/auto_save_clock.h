// When the next auto-save is due. Tick counts are milliseconds that wrap
// around; the elapsed time is their unsigned difference, so a wrap between
// two checks is harmless.
#pragma once

#include <cstdint>

namespace tintara {

// The command promises "each 5 minutes", so that is the interval.
constexpr uint32_t kAutoSaveMinutes = 5;

class AutoSaveClock {
 public:
  explicit AutoSaveClock(uint32_t minutes = kAutoSaveMinutes) : minutes_(minutes) {}

  // Counts the interval from `now`: the start, and every save or opening.
  void Start(uint32_t now) { last_ = now; }
  // True once the interval has passed since the last save; the clock then
  // restarts from `now`.
  bool TakeIfDue(uint32_t now) {
    if (uint32_t(now - last_) < minutes_ * 60000u) return false;
    last_ = now;
    return true;
  }
  uint32_t Minutes() const { return minutes_; }

 private:
  uint32_t minutes_;
  uint32_t last_ = 0;
};

}  // namespace tintara
