// "ImageRotate": quarter turns move pixels exactly; other angles turn the
// picture clockwise as shown, grow it to hold every corner and fill the rest
// with the background.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/filters/filter_fixture.h"
#include "tests/filters/picture_checks.h"

namespace tintara::test {
namespace {

class RotateTest : public FilterFixture {
 protected:
  ImageRef Turn(const ImageRef& picture, int hundredths, const std::string& colour = "{0,0,0}") {
    return NewImage("ImageRotate", picture, std::to_string(hundredths) + "," + colour, "%d,%c");
  }
};

// Output (x, y) of a clockwise quarter turn reads source (sx, sy), y counting up.
Point QuarterSource(int turns, const ImageBuffer& in, int x, int y) {
  switch (turns) {
    case 1: return {in.Width() - 1 - y, x};
    case 2: return {in.Width() - 1 - x, in.Height() - 1 - y};
    default: return {y, in.Height() - 1 - x};
  }
}

TEST_F(RotateTest, QuarterTurnsMoveEveryPixelExactly) {
  ImageRef paletted = ImageBuffer::Create(kKind8Bit, 9, 4);
  PaletteEntry entry{1, 2, 3, 0};
  paletted->WritePalette(7, 1, &entry);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 9; ++x) paletted->WritableRows().value().Row(y)[x] = uint8_t(x + 10 * y);
  }
  for (const ImageRef& picture : {MakePhoto(7, 5, 4), MakePhoto(700, 500, 4), paletted,
                                  MakeIndex(3, 8, [](int x, int y) { return x * 8 + y; })}) {
    picture->SetResolution(150 | (300u << 16));
    for (int turns = 1; turns <= 3; ++turns) {
      ImageRef turned = Turn(picture, 9000 * turns);
      ASSERT_TRUE(turned);
      bool across = turns != 2;
      ASSERT_EQ(turned->Width(), across ? picture->Height() : picture->Width());
      ASSERT_EQ(turned->Height(), across ? picture->Width() : picture->Height());
      EXPECT_EQ(turned->Resolution(), across ? (300 | (150u << 16)) : picture->Resolution());
      EXPECT_EQ(turned->PaletteAt(7), picture->PaletteAt(7));
      const size_t bytes = size_t(BitsPerPixel(picture->Kind()) / 8);
      for (int y = 0; y < turned->Height(); ++y) {
        for (int x = 0; x < turned->Width(); ++x) {
          Point s = QuarterSource(turns, *picture, x, y);
          ASSERT_EQ(0, std::memcmp(PixelAt(*turned, x, y), PixelAt(*picture, s.x, s.y), bytes))
              << turns << " turns, pixel " << x << "," << y;
        }
      }
    }
  }
}

TEST_F(RotateTest, QuarterTurnIsClockwiseAsShown) {
  // The top-left pixel as shown is (0, height - 1); a clockwise quarter turn
  // takes it to the top-right.
  ImageRef picture = MakeSolid(6, 4, 0, 0, 0);
  picture->WritableRows().value().Row(3)[2] = 255;  // red
  ImageRef turned = Turn(picture, 9000);
  ASSERT_TRUE(turned);
  EXPECT_EQ(PixelAt(*turned, turned->Width() - 1, turned->Height() - 1)[2], 255);
}

TEST_F(RotateTest, AnglesAreTakenModuloAFullTurn) {
  ImageRef picture = MakePhoto(11, 6, 8);
  ImageRef quarter = Turn(picture, 27000);
  ImageRef negative = Turn(picture, -9000);
  ImageRef beyond = Turn(picture, 36000 + 27000);
  ASSERT_TRUE(quarter && negative && beyond);
  EXPECT_TRUE(SamePixels(*quarter, *negative));
  EXPECT_TRUE(SamePixels(*quarter, *beyond));
  for (int whole : {0, 36000, -72000}) {
    ImageRef same = Turn(picture, whole);
    ASSERT_TRUE(same);
    EXPECT_NE(same, picture);
    EXPECT_TRUE(SamePixels(*same, *picture));
  }
}

// Bilinear sampling in floating point, outside pixels being the background.
double ReferenceChannel(const ImageBuffer& in, double angle, int outWidth, int outHeight, int x,
                        int y, int c, const uint8_t background[3]) {
  double a = angle * M_PI / 180, cs = std::cos(a), sn = std::sin(a);
  double dx = x + 0.5 - outWidth / 2.0, dy = y + 0.5 - outHeight / 2.0;
  double u = dx * cs - dy * sn + in.Width() / 2.0 - 0.5;
  double v = dx * sn + dy * cs + in.Height() / 2.0 - 0.5;
  int i = int(std::floor(u)), j = int(std::floor(v));
  double fx = u - i, fy = v - j;
  auto at = [&](int px, int py) -> double {
    if (px < 0 || py < 0 || px >= in.Width() || py >= in.Height()) return background[c];
    return PixelAt(in, px, py)[c];
  };
  double bottom = at(i, j) * (1 - fx) + at(i + 1, j) * fx;
  double top = at(i, j + 1) * (1 - fx) + at(i + 1, j + 1) * fx;
  return bottom * (1 - fy) + top * fy;
}

TEST_F(RotateTest, FreeAnglesSampleBilinearly) {
  ImageRef picture = NoisyBlocks(37, 23, 30, 6);
  const uint8_t background[3] = {30, 20, 10};  // blue, green, red of {10,20,30}
  for (int hundredths : {1700, 4500, 13333, 31999}) {
    ImageRef turned = Turn(picture, hundredths, "{10,20,30}");
    ASSERT_TRUE(turned);
    double a = hundredths / 100.0 * M_PI / 180;
    EXPECT_EQ(turned->Width(),
              int(std::ceil(std::abs(37 * std::cos(a)) + std::abs(23 * std::sin(a)) - 1e-6)));
    EXPECT_EQ(turned->Height(),
              int(std::ceil(std::abs(37 * std::sin(a)) + std::abs(23 * std::cos(a)) - 1e-6)));
    for (int y = 0; y < turned->Height(); ++y) {
      for (int x = 0; x < turned->Width(); ++x) {
        for (int c = 0; c < 3; ++c) {
          double want = ReferenceChannel(*picture, hundredths / 100.0, turned->Width(),
                                         turned->Height(), x, y, c, background);
          ASSERT_NEAR(PixelAt(*turned, x, y)[c], want, 2.0)
              << hundredths << " at " << x << "," << y << " channel " << c;
        }
      }
    }
  }
}

TEST_F(RotateTest, FreeAngleTurnsClockwiseAndKeepsTheWholePicture) {
  // Right half red, left half blue; turned 30 degrees clockwise the red half
  // goes down as shown.
  ImageRef picture = MakeSolid(80, 60, 0, 0, 255);
  for (int y = 0; y < 60; ++y) {
    for (int x = 40; x < 80; ++x) {
      uint8_t* p = picture->WritableRows().value().Row(y) + 3 * x;
      p[0] = 0, p[2] = 255;
    }
  }
  ImageRef turned = Turn(picture, 3000, "{0,255,0}");
  ASSERT_TRUE(turned);
  double redY = 0, redCount = 0, blue = 0;
  for (int y = 0; y < turned->Height(); ++y) {
    for (int x = 0; x < turned->Width(); ++x) {
      const uint8_t* p = PixelAt(*turned, x, y);
      if (p[2] == 255 && p[1] == 0) redY += y, ++redCount;
      if (p[0] == 255 && p[1] == 0) ++blue;
    }
  }
  EXPECT_LT(redY / redCount, turned->Height() / 2.0 - 5);
  // Nothing is cut off: both halves keep their area, less the blended border.
  EXPECT_NEAR(redCount, 40 * 60, 150);
  EXPECT_NEAR(blue, 40 * 60, 150);
  // Corners are background.
  for (auto [x, y] : {std::pair{0, 0}, {turned->Width() - 1, turned->Height() - 1}}) {
    EXPECT_EQ(PixelAt(*turned, x, y)[1], 255);
  }
}

TEST_F(RotateTest, EightBitPicturesTakeNearestPixelsAndTheNearestBackgroundEntry) {
  ImageRef paletted = ImageBuffer::Create(kKind8Bit, 20, 12);
  PaletteEntry blue{0, 0, 250, 0};
  paletted->WritePalette(5, 1, &blue);
  for (int y = 0; y < 12; ++y) std::memset(paletted->WritableRows().value().Row(y), 9, 20);
  ImageRef turned = Turn(paletted, 4500, "{0,0,255}");
  ASSERT_TRUE(turned);
  EXPECT_EQ(PixelAt(*turned, 0, 0)[0], 5);
  EXPECT_EQ(PixelAt(*turned, turned->Width() / 2, turned->Height() / 2)[0], 9);
  for (int y = 0; y < turned->Height(); ++y) {
    for (int x = 0; x < turned->Width(); ++x) {
      uint8_t v = PixelAt(*turned, x, y)[0];
      ASSERT_TRUE(v == 5 || v == 9) << "no mixed values";
    }
  }
  ImageRef grey = MakeIndex(10, 10, [](int, int) { return 200; });
  ImageRef greyTurned = Turn(grey, 1000, "{100,100,100}");
  ASSERT_TRUE(greyTurned);
  EXPECT_EQ(PixelAt(*greyTurned, 0, 0)[0], 100);
}

TEST_F(RotateTest, BadBackgroundIsRefused) {
  ImageRef picture = MakePhoto(8, 8, 1);
  ImageRef result;
  EXPECT_FALSE(ApplyToolNewImage(site_, "ImageRotate", picture, result, "4500,-1", "%d,%d"));
  EXPECT_FALSE(ApplyToolNewImage(site_, "ImageRotate", picture, result, "4500,16777216", "%d,%d"));
  EXPECT_FALSE(result);
}

}  // namespace
}  // namespace tintara::test
