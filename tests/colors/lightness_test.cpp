#include "colors/reduction/lightness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "colors/reduction/nearest_color.h"
#include "colors/reduction/paint_color_matcher.h"

namespace tintara {
namespace {

struct Case {
  Rgb in;
  int percent;
  Rgb out;
};

// Results worked out with exact rational arithmetic, step by step.
TEST(CorrectLightness, ExactTruncations) {
  const Case cases[] = {
      {{200, 100, 50}, 100, {200, 100, 50}},
      {{10, 200, 30}, 100, {10, 199, 30}},    // truncation loses a little
      {{30, 60, 240}, 100, {30, 60, 239}},
      {{128, 0, 255}, 100, {127, 0, 254}},
      {{3, 1, 73}, 130, {3, 1, 94}},          // lightness 37 exactly, not 36.99...
      {{255, 0, 0}, 60, {152, 0, 0}},
      {{40, 200, 200}, 75, {30, 150, 150}},
      {{90, 90, 90}, 150, {135, 135, 135}},
      {{12, 34, 56}, 0, {0, 0, 0}},
      {{250, 240, 230}, 10000, {255, 255, 255}},  // lightness stops at 255
  };
  for (const Case& c : cases) {
    Rgb out = CorrectLightness(c.in, c.percent);
    EXPECT_EQ(out, c.out) << int(c.in.red) << "," << int(c.in.green) << "," << int(c.in.blue)
                          << " at " << c.percent << "%: got " << int(out.red) << ","
                          << int(out.green) << "," << int(out.blue);
  }
}

TEST(CorrectLightness, GreysPassUnchangedAtOneHundredPercent) {
  for (int v = 0; v < 256; ++v) {
    const Rgb grey{uint8_t(v), uint8_t(v), uint8_t(v)};
    EXPECT_EQ(CorrectLightness(grey, 100), grey) << v;
  }
  EXPECT_EQ(CorrectLightness({100, 100, 100}, -40), (Rgb{0, 0, 0}));  // below zero is black
}

// The fast corrector must give exactly the plain routine's answer for every
// colour; anything else would change patterns depending on the picture size.
TEST(LightnessCorrector, BitIdenticalToThePlainRoutine) {
  for (int percent : {100, 57, 130}) {
    LightnessCorrector fast(percent);
    int mismatches = 0;
    const int redStep = percent == 100 ? 3 : 9;  // every green and blue, reds on a lattice
    for (int r = 0; r < 256; r += redStep) {
      for (int g = 0; g < 256; ++g) {
        for (int b = 0; b < 256; ++b) {
          const Rgb c{uint8_t(r), uint8_t(g), uint8_t(b)};
          const Rgb expected = CorrectLightness(c, percent);
          if (!(fast(c) == expected) || !(fast.Uncached(c) == expected)) ++mismatches;
        }
      }
    }
    EXPECT_EQ(mismatches, 0) << percent;
  }
}

TEST(LightnessCorrector, RowsAreBlueGreenRed) {
  LightnessCorrector correct(60);
  uint8_t row[] = {0, 0, 255, 50, 100, 200, 7, 7, 7};
  uint8_t out[9];
  correct.CorrectRow(row, out, 3);
  Rgb first = CorrectLightness({255, 0, 0}, 60);
  Rgb second = CorrectLightness({200, 100, 50}, 60);
  EXPECT_EQ((Rgb{out[2], out[1], out[0]}), first);
  EXPECT_EQ((Rgb{out[5], out[4], out[3]}), second);
  correct.CorrectRow(row, row, 3);  // in place
  EXPECT_TRUE(std::equal(row, row + 9, out));
  // The cache must not confuse colours: repeat in another order.
  EXPECT_EQ(correct({200, 100, 50}), second);
  EXPECT_EQ(correct({255, 0, 0}), first);
}

TEST(PaintColorMatcher, CorrectsThenMatches) {
  const Rgb palette[] = {{0, 0, 0}, {100, 100, 100}, {200, 200, 200}};
  NearestColorTable table(palette);
  PaintColorMatcher matcher(table, 200);
  EXPECT_EQ(matcher.Match({90, 90, 90}), 2);  // corrected to 180
  EXPECT_EQ(matcher.Match({90, 90, 90}), 2);
  EXPECT_EQ(matcher.Match({30, 30, 30}), 1);  // corrected to 60: 40 from grey 100, 60 from black
  EXPECT_EQ(matcher.Match({10, 10, 10}), 0);  // corrected to 20
}

// Many colours, each asked twice and sharing cache slots with others: every
// answer is the nearest colour to the plainly corrected one.
TEST(PaintColorMatcher, CachedAnswersMatchThePlainRoutine) {
  std::vector<Rgb> palette;
  for (int i = 0; i < 40; ++i) {
    palette.push_back({uint8_t(i * 53 % 256), uint8_t(i * 97 % 256), uint8_t(i * 29 % 256)});
  }
  NearestColorTable table(palette);
  PaintColorMatcher matcher(table, 85);
  int mismatches = 0;
  for (int pass = 0; pass < 2; ++pass) {
    uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
      seed = seed * 1664525u + 1013904223u;
      const Rgb c{uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(seed >> 8)};
      if (matcher.Match(c) != table.Nearest(CorrectLightness(c, 85))) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace tintara
