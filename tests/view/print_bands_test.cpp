#include "view/print_bands.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

TEST(PrintBands, SmallBitmapsGoInOnePiece) {
  auto bands = PrintBands(1753, 7012, kBandingThresholdBytes);
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0], (PrintBand{0, 7012, 0, 1753}));
}

// Every band starts where the one above it ended, on the device and in the
// bitmap, so the printed picture has neither gaps nor doubled rows.
void ExpectSeamless(const std::vector<PrintBand>& bands, int bitmapHeight, int printedHeight) {
  ASSERT_FALSE(bands.empty());
  EXPECT_EQ(bands.front().deviceTop, 0);
  EXPECT_EQ(bands.front().bitmapTop, 0);
  for (size_t i = 1; i < bands.size(); ++i) {
    EXPECT_EQ(bands[i].deviceTop, bands[i - 1].deviceTop + bands[i - 1].deviceRows) << i;
    EXPECT_EQ(bands[i].bitmapTop, bands[i - 1].bitmapTop + bands[i - 1].bitmapRows) << i;
  }
  EXPECT_EQ(bands.back().deviceTop + bands.back().deviceRows, printedHeight);
  EXPECT_EQ(bands.back().bitmapTop + bands.back().bitmapRows, bitmapHeight);
}

TEST(PrintBands, LargeBitmapsSplitIntoTenBandsAndTheRest) {
  // An A4 page at 600 dpi in 8 bits: 4960 x 7016, about 35 MB.
  auto bands = PrintBands(7016, 7013, size_t(4960) * 7016);
  ASSERT_EQ(bands.size(), 11u);
  EXPECT_EQ(bands[0], (PrintBand{0, 701, 0, 701}));
  EXPECT_EQ(bands[9], (PrintBand{6309, 701, 6309, 701}));
  EXPECT_EQ(bands[10], (PrintBand{7010, 3, 7010, 6}));
  ExpectSeamless(bands, 7016, 7013);
}

TEST(PrintBands, EvenDivisionNeedsNoRest) {
  auto bands = PrintBands(1000, 5000, kBandingThresholdBytes + 1);
  ASSERT_EQ(bands.size(), 10u);
  EXPECT_EQ(bands[3], (PrintBand{1500, 500, 300, 100}));
  ExpectSeamless(bands, 1000, 5000);
}

TEST(PrintBands, NothingToPrint) {
  EXPECT_TRUE(PrintBands(0, 100, 20'000'000).empty());
  EXPECT_TRUE(PrintBands(100, 0, 20'000'000).empty());
}

}  // namespace
}  // namespace tintara
