// "smooth_simp" and "sharp_filt" against their 3 x 3 definitions.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/filters/filter_fixture.h"
#include "tests/filters/picture_checks.h"

namespace tintara::test {
namespace {

// Rounded 3 x 3 mean, or the pixel pushed away from it (2 c - mean).
ImageRef Reference(const ImageBuffer& in, bool sharpen) {
  const int channels = BitsPerPixel(in.Kind()) / 8;
  ImageRef out = ImageBuffer::Copy(in);
  for (int y = 0; y < in.Height(); ++y) {
    for (int x = 0; x < in.Width(); ++x) {
      for (int c = 0; c < channels; ++c) {
        int sum = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            sum += PixelAt(in, std::clamp(x + dx, 0, in.Width() - 1),
                           std::clamp(y + dy, 0, in.Height() - 1))[c];
          }
        }
        int mean = (sum + 4) / 9;
        int value = sharpen ? std::clamp(2 * PixelAt(in, x, y)[c] - mean, 0, 255) : mean;
        out->WritableRows().value().Row(y)[x * channels + c] = uint8_t(value);
      }
    }
  }
  return out;
}

class ThreeByThreeTest : public FilterFixture, public ::testing::WithParamInterface<const char*> {
 protected:
  bool Sharpen() const { return std::string(GetParam()) == "sharp_filt"; }
  ImageRef Run(const ImageRef& picture, const Region* region = nullptr) {
    ImageRef copy = ImageBuffer::Copy(*picture);
    EXPECT_TRUE(InPlace(GetParam(), copy, "3,3,0,0", region));
    return copy;
  }
};

TEST_P(ThreeByThreeTest, MatchesTheDefinition) {
  for (const ImageRef& picture :
       {NoisyBlocks(17, 12, 90, 3), MakePhoto(640, 400, 9),
        MakeIndex(13, 9, [](int x, int y) { return (x * 53 + y * 91) % 256; })}) {
    EXPECT_TRUE(SamePixels(*Run(picture), *Reference(*picture, Sharpen())))
        << picture->Width() << "x" << picture->Height();
  }
}

TEST_P(ThreeByThreeTest, OnlyPixelsOfTheSelectionChange) {
  ImageRef picture = NoisyBlocks(26, 18, 70, 4);
  ImageRef everywhere = Reference(*picture, Sharpen());
  RegionPtr ellipse = RegionCreateEllipse({3, 2, 15, 12});
  RegionPtr selection = RegionCreateCombined(kCombineAdd, *ellipse);
  RegionPtr rect = RegionCreateRect({18, 10, 6, 6});
  ASSERT_TRUE(RegionCombine(*selection, *rect, kCombineAdd));
  for (bool inverted : {false, true}) {
    selection->SetInverted(inverted);
    EXPECT_TRUE(SplitByRegion(*Run(picture, selection.get()), *everywhere, *picture, *selection))
        << inverted;
  }
}

TEST_P(ThreeByThreeTest, SmoothsOrSharpensAsItsNameSays) {
  ImageRef picture = NoisyBlocks(40, 40, 20, 40);  // one colour with noise
  BoxRect inside{2, 2, 36, 36};
  double spread = ChannelSpread(*Run(picture), inside);
  if (Sharpen()) {
    EXPECT_GT(spread, 1.5 * ChannelSpread(*picture, inside));
  } else {
    EXPECT_LT(spread, 0.5 * ChannelSpread(*picture, inside));
  }
  // A paletted picture's values are palette entries: no mixing them.
  EXPECT_FALSE(InPlace(GetParam(), ImageBuffer::Create(kKind8Bit, 4, 4), "3,3,0,0"));
}

INSTANTIATE_TEST_SUITE_P(Filters, ThreeByThreeTest, ::testing::Values("smooth_simp", "sharp_filt"));

}  // namespace
}  // namespace tintara::test
