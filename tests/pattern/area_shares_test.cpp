#include "pattern/area_shares.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

// 10 × 4 (rows padded to 12 bytes): colour 0 on 20 pixels, 1 on 10, 2 on 6
// and 7 on 4.
ImageRef Stripes() {
  ImageRef image = test::MakeIndex(10, 4, [](int32_t x, int32_t y) {
    if (y >= 2) return 0;
    if (y == 1) return 1;
    return x < 6 ? 2 : 7;
  });
  // Padding must not be counted.
  PixelRows rows = image->WritableRows().value();
  for (int32_t y = 0; y < rows.Height(); ++y) rows[y][10] = rows[y][11] = 1;
  return image;
}

TEST(AreaShares, PercentOfAllPixelsPerColourNumber) {
  const ImageRef image = Stripes();
  EXPECT_EQ(AreaShares(image.get(), 3), (std::vector<double>{50.0, 25.0, 15.0}));
  // Colour 7 stays in the whole though it is not reported.
  const std::vector<double> eight = AreaShares(image.get(), 8);
  EXPECT_EQ(eight, (std::vector<double>{50.0, 25.0, 15.0, 0, 0, 0, 0, 10.0}));
  EXPECT_DOUBLE_EQ(std::accumulate(eight.begin(), eight.end(), 0.0), 100.0);
}

TEST(AreaShares, PaletteSizeSetsTheLengthUpToAllByteValues) {
  const ImageRef image = test::MakeIndex(16, 16, [](int32_t x, int32_t y) { return 16 * y + x; });
  const std::vector<double> all = AreaShares(image.get(), 256);
  ASSERT_EQ(all.size(), 256u);
  for (double share : all) EXPECT_DOUBLE_EQ(share, 100.0 / 256);
  EXPECT_EQ(AreaShares(image.get(), 1000).size(), 256u);
  EXPECT_TRUE(AreaShares(image.get(), 0).empty());
  EXPECT_TRUE(AreaShares(image.get(), -3).empty());
}

TEST(AreaShares, NothingWithoutAnEightBitIndexImage) {
  EXPECT_TRUE(AreaShares(nullptr, 4).empty());
  EXPECT_TRUE(AreaShares(test::MakeSolid(4, 4, 1, 2, 3).get(), 4).empty());
  EXPECT_TRUE(AreaShares(ImageBuffer::Create(kKind4Bit, 4, 4).get(), 4).empty());
  // A paletted 8-bit image reads the same as a grey one.
  const ImageRef grey = Stripes();
  const ImageRef paletted =
      ImageBuffer::CreateWithPalette(kKind8Bit, 10, 4, GreyPalette().data(), 256);
  PixelRows rows = paletted->WritableRows().value();
  for (int32_t y = 0; y < 4; ++y) std::copy_n(grey->Row(y), 10, rows[y]);
  EXPECT_EQ(AreaShares(paletted.get(), 3), (std::vector<double>{50.0, 25.0, 15.0}));
}

}  // namespace
}  // namespace tintara
