#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "storage/picture_record.h"
#include "storage/project_file.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

TEST(PictureRecordProgress, CountsEveryRowWritten) {
  ImageRef picture = test::MakePhoto(40, 27, 3);
  std::atomic<int32_t> rows{-1};
  VectorSink counted;
  ArchiveWriter writer(counted);
  WritePictureRecord(writer, picture.get(), &rows);
  EXPECT_EQ(rows.load(), 27);
  // Counting changes nothing in the record.
  VectorSink plain;
  ArchiveWriter plainWriter(plain);
  WritePictureRecord(plainWriter, picture.get());
  EXPECT_EQ(counted.bytes, plain.bytes);
}

TEST(PictureRecordProgress, AnEarlyRecordGoesForwardAndEndsAtAHundred) {
  ImageRef picture = test::MakePhoto(1500, 1000, 4);
  EarlyPictureRecord early(picture);
  std::vector<int> seen;
  for (int percent = early.Percent(); percent < 100; percent = early.Percent()) {
    if (seen.empty() || seen.back() != percent) seen.push_back(percent);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  seen.push_back(early.Percent());
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_GE(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_NE(early.RecordFor(picture.get()), nullptr);
  EXPECT_EQ(early.Percent(), 100);

  // Nothing to compress: nothing to wait for.
  EXPECT_EQ(EarlyPictureRecord(nullptr).Percent(), 100);
}

}  // namespace
}  // namespace tintara
