#include "imaging/parallel_rows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace tintara {
namespace {

// Which band visited each row, and on which thread each band ran.
struct Visits {
  explicit Visits(int32_t rows, int bands)
      : rowBand(size_t(rows), -1), bandThread(size_t(bands)) {}
  void Add(int band, int32_t first, int32_t end) {
    std::lock_guard<std::mutex> lock(mutex);
    bandThread[size_t(band)] = std::this_thread::get_id();
    for (int32_t y = first; y < end; ++y) {
      if (rowBand[size_t(y)] != -1) ++repeats;
      rowBand[size_t(y)] = band;
    }
  }
  std::mutex mutex;
  std::vector<int> rowBand;
  std::vector<std::thread::id> bandThread;
  int repeats = 0;
};

void ExpectContiguousBands(const Visits& visits, int bands) {
  EXPECT_EQ(visits.repeats, 0);
  int expected = 0;
  for (int band : visits.rowBand) {
    ASSERT_NE(band, -1) << "a row no band visited";
    if (band != expected) {
      EXPECT_EQ(band, expected + 1) << "bands out of order";
      expected = band;
    }
  }
  EXPECT_EQ(expected, bands - 1);
}

TEST(ParallelRowsTest, BandsCoverEveryRowOnceInOrder) {
  for (int bands : {1, 2, 3, 7, 8}) {
    for (int32_t rows : {8, 9, 100, 1001}) {
      Visits visits(rows, bands);
      RunBands(rows, bands, [&](int band, int32_t a, int32_t b) { visits.Add(band, a, b); });
      ExpectContiguousBands(visits, bands);
      EXPECT_EQ(visits.bandThread[0], std::this_thread::get_id()) << "band 0 runs here";
    }
  }
}

TEST(ParallelRowsTest, ThrowOnCallingThreadWaitsForTheOthers) {
  std::atomic<int> finished{0};
  auto body = [&](int band, int32_t, int32_t) {
    if (band == 0) throw std::runtime_error("band 0");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ++finished;
  };
  EXPECT_THROW(RunBands(40, 4, body), std::runtime_error);
  EXPECT_EQ(finished.load(), 3);
}

TEST(ParallelRowsTest, WaitHookRunsWhileOtherBandsWork) {
  std::atomic<bool> release{false};
  int waits = 0;
  RunBands(
      10, 2,
      [&](int band, int32_t, int32_t) {
        while (band == 1 && !release.load()) std::this_thread::yield();
      },
      [&] {
        ++waits;
        release.store(true);
      });
  EXPECT_GE(waits, 1);
}

}  // namespace
}  // namespace tintara
