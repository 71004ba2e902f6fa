#include "colors/color_difference.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

struct ReferencePair {
  Lab x;
  Lab y;
  double deltaE;
};

// The published CIEDE2000 test data (Sharma, Wu and Dalal, 2005): pairs
// chosen to exercise the hue wrap at 0/360 degrees, a* changing sign around
// the neutral axis, grey against colour, and the blue-region rotation term.
const ReferencePair kReferencePairs[] = {
    {{50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
    {{50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615},
    {{50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412},
    {{50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
    {{50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
    {{50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
    {{50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
    {{50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
    {{50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000},
    {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
    {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
    {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
    {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
    {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
    {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
    {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
    {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
    {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
};

TEST(DeltaE2000, MatchesThePublishedPairsToFourDecimalsInEitherOrder) {
  int row = 1;
  for (const ReferencePair& pair : kReferencePairs) {
    EXPECT_NEAR(DeltaE2000(pair.x, pair.y), pair.deltaE, 5e-5) << "pair " << row;
    EXPECT_NEAR(DeltaE2000(pair.y, pair.x), pair.deltaE, 5e-5) << "pair " << row << " swapped";
    ++row;
  }
}

TEST(DeltaE2000, ZeroForTheSameColourAndForGreysOnlyLightnessCounts) {
  const Lab colours[] = {
      {0, 0, 0}, {50, 0, 0}, {100, 0, 0}, {43.3, 63.3, 40.0}, {32.3, 79.2, -107.9}};
  for (const Lab& c : colours) EXPECT_EQ(DeltaE2000(c, c), 0.0);
  // Greys differ in lightness alone; around L* = 50 the weight S_L is 1.
  EXPECT_NEAR(DeltaE2000({45, 0, 0}, {55, 0, 0}), 10.0, 1e-9);
}

struct LabReference {
  Rgb rgb;
  Lab lab;
};

TEST(SrgbToLab, KnownColours) {
  const LabReference references[] = {
      {{255, 255, 255}, {100.0, 0.0, 0.0}},
      {{0, 0, 0}, {0.0, 0.0, 0.0}},
      {{255, 0, 0}, {53.2408, 80.0925, 67.2032}},
      {{0, 255, 0}, {87.7347, -86.1827, 83.1793}},
      {{0, 0, 255}, {32.2970, 79.1875, -107.8602}},
      {{128, 128, 128}, {53.5850, 0.0, 0.0}},
      // Dark enough for the linear part of both the sRGB curve and L*.
      {{10, 10, 10}, {2.7418, 0.0, 0.0}},
  };
  for (const LabReference& r : references) {
    const Lab lab = SrgbToLab(r.rgb);
    const std::string name = std::to_string(r.rgb.red) + "," + std::to_string(r.rgb.green) + "," +
                             std::to_string(r.rgb.blue);
    EXPECT_NEAR(lab.l, r.lab.l, 1e-3) << name;
    EXPECT_NEAR(lab.a, r.lab.a, 1e-3) << name;
    EXPECT_NEAR(lab.b, r.lab.b, 1e-3) << name;
  }
}

TEST(SrgbToLab, LightnessRisesWithEveryStepOfGrey) {
  double previous = -1;
  for (int v = 0; v < 256; ++v) {
    const Lab lab = SrgbToLab({uint8_t(v), uint8_t(v), uint8_t(v)});
    EXPECT_GT(lab.l, previous) << v;
    EXPECT_NEAR(lab.a, 0.0, 1e-9) << v;
    EXPECT_NEAR(lab.b, 0.0, 1e-9) << v;
    previous = lab.l;
  }
}

}  // namespace
}  // namespace tintara
