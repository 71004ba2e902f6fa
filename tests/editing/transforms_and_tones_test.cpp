#include <gtest/gtest.h>

#include "editing/picture_adjustments.h"
#include "editing/picture_transforms.h"
#include "editing/tone_tables.h"
#include "tests/editing/editing_fixture.h"

namespace tintara::test {
namespace {

// Odd sizes so that rows carry padding and the middle column is real.
TEST(PictureTransformsTest, EachTransformIsUndoneExactlyByItsInverse) {
  ImageRef photo = MakePhoto(37, 23, 7);
  struct Pair {
    const char* name;
    ImageRef (*forward)(const ImageBuffer&);
    ImageRef (*back)(const ImageBuffer&);
  };
  const Pair pairs[] = {{"flip horizontal", FlipHorizontal, FlipHorizontal},
                        {"flip vertical", FlipVertical, FlipVertical},
                        {"flip both", FlipBoth, FlipBoth},
                        {"right then left", RotateRight, RotateLeft},
                        {"left then right", RotateLeft, RotateRight}};
  for (const Pair& pair : pairs) {
    ImageRef once = pair.forward(*photo);
    ASSERT_TRUE(once) << pair.name;
    EXPECT_FALSE(SamePixels(*once, *photo)) << pair.name << " changed nothing";
    ImageRef twice = pair.back(*once);
    ASSERT_TRUE(twice) << pair.name;
    EXPECT_TRUE(SamePixels(*twice, *photo)) << pair.name;
  }
  // Four quarter turns the same way come back too; two make a half turn.
  ImageRef turned = photo;
  for (int i = 0; i < 2; ++i) turned = RotateRight(*turned);
  EXPECT_TRUE(SamePixels(*turned, *FlipBoth(*photo)));
  for (int i = 0; i < 2; ++i) turned = RotateRight(*turned);
  EXPECT_TRUE(SamePixels(*turned, *photo));
}

TEST(PictureTransformsTest, PixelsLandWhereTheMirrorOrTurnPutsThem) {
  ImageRef photo = MakePhoto(5, 3, 3);
  const int32_t w = 5;
  const int32_t h = 3;
  ImageRef right = RotateRight(*photo);
  ImageRef left = RotateLeft(*photo);
  ASSERT_EQ(right->Width(), h);
  ASSERT_EQ(right->Height(), w);
  ASSERT_EQ(left->Width(), h);
  ASSERT_EQ(left->Height(), w);
  for (int32_t y = 0; y < w; ++y) {
    for (int32_t x = 0; x < h; ++x) {
      EXPECT_EQ(PixelAt(*right, x, y), PixelAt(*photo, w - 1 - y, x)) << x << "," << y;
      EXPECT_EQ(PixelAt(*left, x, y), PixelAt(*photo, y, h - 1 - x)) << x << "," << y;
    }
  }
  ImageRef mirrored = FlipHorizontal(*photo);
  ImageRef upside = FlipVertical(*photo);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      EXPECT_EQ(PixelAt(*mirrored, x, y), PixelAt(*photo, w - 1 - x, y));
      EXPECT_EQ(PixelAt(*upside, x, y), PixelAt(*photo, x, h - 1 - y));
    }
  }
}

TEST(PictureTransformsTest, TheInputStaysAsItWasAndLargePicturesSplitRowsAlike) {
  // Large enough for the rows to be shared between threads.
  ImageRef photo = MakePhoto(701, 433, 5);
  ImageRef before = ImageBuffer::Copy(*photo);
  ImageRef turned = RotateLeft(*photo);
  EXPECT_TRUE(SamePixels(*photo, *before));
  EXPECT_EQ(PixelAt(*turned, 432, 700), PixelAt(*photo, 700, 0));
  EXPECT_EQ(PixelAt(*turned, 0, 0), PixelAt(*photo, 0, 432));
  EXPECT_TRUE(SamePixels(*RotateRight(*turned), *photo));
  // Indexed pictures are no pictures to edit.
  EXPECT_EQ(FlipHorizontal(*MakeIndex(4, 4, [](int32_t, int32_t) { return 1; })), nullptr);
}

TEST(ToneTablesTest, BrightnessMovesEachChannelByFifteenWithinTheRange) {
  ImageRef pixel = MakeSolid(1, 1, 250, 10, 128);
  ImageRef lighter = ChangeBrightness(*pixel, nullptr, 1);
  ImageRef darker = ChangeBrightness(*pixel, nullptr, -1);
  EXPECT_EQ(PixelAt(*lighter, 0, 0), (std::array<uint8_t, 3>{143, 25, 255}));
  EXPECT_EQ(PixelAt(*darker, 0, 0), (std::array<uint8_t, 3>{113, 0, 235}));
  EXPECT_EQ(PixelAt(*pixel, 0, 0), (std::array<uint8_t, 3>{128, 10, 250}));
}

TEST(ToneTablesTest, ContrastCurvesKeepTheMiddleAndNeverReachWhite) {
  ToneTable more = ContrastTable(1);
  ToneTable less = ContrastTable(-1);
  const int probes[] = {0, 64, 128, 192, 255};
  const int wantMore[] = {0, 48, 127, 206, 254};
  const int wantLess[] = {0, 92, 127, 162, 254};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(more[size_t(probes[i])], wantMore[i]) << probes[i];
    EXPECT_EQ(less[size_t(probes[i])], wantLess[i]) << probes[i];
  }
  for (int v = 1; v < 256; ++v) {
    EXPECT_GE(more[size_t(v)], more[size_t(v - 1)]);
    EXPECT_GE(less[size_t(v)], less[size_t(v - 1)]);
  }
  // The contrast command applies that table to every channel.
  ImageRef grey = MakeSolid(2, 2, 64, 192, 128);
  EXPECT_EQ(PixelAt(*ChangeContrast(*grey, nullptr, 1), 1, 1),
            (std::array<uint8_t, 3>{127, 206, 48}));
}

TEST(ToneTablesTest, AutoStretchesTheByteRangeOfTheWholePicture) {
  auto spanning = [](uint8_t low, uint8_t high) {
    ImageRef image = MakeSolid(3, 2, 60, 60, 60);
    SetPixel(*image, 0, 0, low, 60, 60);
    SetPixel(*image, 2, 1, 60, 60, high);
    return image;
  };
  ToneTable full = AutoToneTable(*spanning(0, 255));
  ToneTable narrow = AutoToneTable(*spanning(20, 120));
  ToneTable flat = AutoToneTable(*MakeSolid(5, 3, 77, 77, 77));
  for (int v = 0; v < 256; ++v) {
    EXPECT_EQ(full[size_t(v)], v);
    EXPECT_EQ(flat[size_t(v)], v);
    EXPECT_EQ(narrow[size_t(v)], std::min(255, v * 255 / 100)) << v;
  }
  EXPECT_EQ(narrow[120], 255);
  EXPECT_EQ(narrow[20], 51);
  // Row padding (5 pixels = 15 bytes, padded to 16) must not count as a byte of 0.
  ImageRef padded = MakeSolid(5, 2, 100, 100, 100);
  SetPixel(*padded, 1, 1, 200, 100, 100);
  EXPECT_EQ(AutoToneTable(*padded)[200], 255);
}

TEST(ToneTablesTest, CurvesRunThroughTheirPointsInSegmentsOfSixtyFour) {
  std::vector<ToneTable> tables = SmartTuneTables(*MakeSolid(2, 2, 0, 0, 0));
  ASSERT_EQ(tables.size(), 8u);
  ASSERT_EQ(SmartTuneMethodNames().size(), 8u);
  EXPECT_EQ(SmartTuneMethodNames()[1], "Light Shadow");
  const ToneTable& lightShadow = tables[1];
  EXPECT_EQ(lightShadow[0], 0);
  EXPECT_EQ(lightShadow[64], 72);
  EXPECT_EQ(lightShadow[128], 140);
  EXPECT_EQ(lightShadow[192], 196);
  EXPECT_EQ(lightShadow[255], 255);
  // Within a segment the division truncates toward zero: 72 + (72 * -1) / 64.
  EXPECT_EQ(lightShadow[63], 71);
  // "Inside Room" starts at 15 and is clamped at its top point 257.
  EXPECT_EQ(tables[3][0], 15);
  EXPECT_EQ(tables[3][255], 255);
  // "Daylight Cloudly" leaves the range early and stays clamped.
  EXPECT_EQ(tables[7][250], 255);
  EXPECT_EQ(tables[7][0], 22);
}

TEST(SelectionLimitsTest, AnInvertedEllipseLightensOnlyOutsideItsShape) {
  ImageRef photo = MakeSolid(40, 30, 100, 100, 100);
  RegionPtr ellipse = RegionCreateEllipse({8, 6, 20, 14});
  ellipse->SetInverted(true);
  ImageRef lighter = ChangeBrightness(*photo, ellipse.get(), 1);
  ASSERT_TRUE(lighter);
  std::vector<uint8_t> inside(40 * 30);
  ellipse->RasterizeShape({0, 0, 40, 30}, inside.data(), 40);
  int changed = 0;
  for (int32_t y = 0; y < 30; ++y) {
    for (int32_t x = 0; x < 40; ++x) {
      const uint8_t want = inside[size_t(y) * 40 + size_t(x)] != 0 ? 100 : 115;
      ASSERT_EQ(PixelAt(*lighter, x, y), (std::array<uint8_t, 3>{want, want, want}))
          << x << "," << y;
      changed += want == 115;
    }
  }
  // The ellipse has a real inside and outside.
  EXPECT_GT(changed, 600);
  EXPECT_LT(changed, 40 * 30 - 100);
  // Not inverted: only inside.
  ellipse->SetInverted(false);
  ImageRef inner = ChangeBrightness(*photo, ellipse.get(), 1);
  EXPECT_EQ(PixelAt(*inner, 18, 13)[0], 115);
  EXPECT_EQ(PixelAt(*inner, 0, 0)[0], 100);
}

}  // namespace
}  // namespace tintara::test
