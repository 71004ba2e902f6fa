#include "colors/reduction/optimized_reduction.h"

#include <gtest/gtest.h>

#include "colors/reduction/color_histogram.h"
#include "platform/qt_settings_store.h"
#include "ports/scripted_ui_host.h"
#include "storage/settings_keys.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

// A true-colour picture whose pixel (x, y) is color(x, y).
template <typename F>
ImageRef Picture(int32_t width, int32_t height, F color) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, width, height);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = image->WritableRows().value().Row(y);
    for (int32_t x = 0; x < width; ++x) {
      const Rgb c = color(x, y);
      row[3 * x] = c.blue;
      row[3 * x + 1] = c.green;
      row[3 * x + 2] = c.red;
    }
  }
  return image;
}

Rgb PixelAt(const ImageBuffer& image, int32_t x, int32_t y) {
  const uint8_t* p = image.Row(y) + 3 * x;
  return {p[2], p[1], p[0]};
}

double MeanSquaredError(const ImageBuffer& a, const ImageBuffer& b) {
  double sum = 0;
  for (int32_t y = 0; y < a.Height(); ++y) {
    for (int32_t x = 0; x < a.Width() * 3; ++x) {
      const double d = double(a.Row(y)[x]) - b.Row(y)[x];
      sum += d * d;
    }
  }
  return sum / (double(a.Width()) * a.Height() * 3);
}

TEST(ColorHistogram, CellsAndSaturatingCounts) {
  EXPECT_EQ(ColorHistogram::CellOf(0x12, 0x34, 0x56), 5 * 256 + 3 * 16 + 1);
  ColorHistogram histogram;
  std::vector<uint8_t> row(3 * 70000);
  for (size_t i = 0; i < row.size(); i += 3) row[i + 2] = 200;  // red 200
  histogram.AddRow(row.data(), 70000);
  const int cell = ColorHistogram::CellOf(200, 0, 0);
  EXPECT_EQ(histogram.Counts()[size_t(cell)], 65535);
  EXPECT_EQ(histogram.Totals(cell).count, 70000u);  // the exact count is kept too
  EXPECT_EQ(histogram.Totals(cell).sums[0], 200u * 70000u);
  const uint8_t black[15] = {};
  histogram.AddRow(black, 5);
  EXPECT_EQ(histogram.Counts()[0], 5);
  EXPECT_EQ(histogram.Counts()[1], 0);
}

TEST(PopularColors, LargestCellsFirstInScanOrder) {
  std::array<uint16_t, ColorHistogram::kCells> counts{};
  counts[ColorHistogram::CellOf(0, 0, 16)] = 9;  // cell 256
  counts[ColorHistogram::CellOf(16, 0, 0)] = 9;  // cell 1: same count, scanned first
  counts[ColorHistogram::CellOf(255, 255, 255)] = 10;
  EXPECT_EQ(PopularColors(counts, 3), (std::vector<Rgb>{{240, 240, 240}, {16, 0, 0}, {0, 0, 16}}));
  // More colours than occupied cells: the empty first cell, black, repeats.
  EXPECT_EQ(PopularColors(counts, 5)[3], (Rgb{0, 0, 0}));
  EXPECT_EQ(PopularColors(counts, 5)[4], (Rgb{0, 0, 0}));
}

TEST(OptimizedPalette, SixteenBitCountsDecideSmallPalettes) {
  // 66000 pixels of one colour and 70000 of another both count 65535; the
  // first cell in scan order wins although it has fewer pixels.
  ImageRef picture = Picture(400, 340, [](int32_t x, int32_t y) {
    return y * 400 + x < 66000 ? Rgb{16, 0, 0} : Rgb{0, 0, 16};
  });
  EXPECT_EQ(OptimizedPalette(*picture, 2), (std::vector<Rgb>{{16, 0, 0}, {0, 0, 16}}));
  EXPECT_EQ(OptimizedPalette(*picture, 1), std::vector<Rgb>{});
  EXPECT_EQ(OptimizedPalette(*picture, 257), std::vector<Rgb>{});
}

TEST(ReduceColorsOptimized, TwoFarColoursComeBackOnTheGrid) {
  ImageRef picture = Picture(10, 10, [](int32_t x, int32_t) {
    return x < 4 ? Rgb{250, 20, 30} : Rgb{10, 200, 120};
  });
  ImageRef result = ReduceColorsOptimized(*picture, nullptr, 2);
  ASSERT_TRUE(result);
  EXPECT_EQ(PixelAt(*result, 0, 0), (Rgb{240, 16, 16}));
  EXPECT_EQ(PixelAt(*result, 9, 9), (Rgb{0, 192, 112}));
}

TEST(ReduceColorsOptimized, SelectionLimitsTheChange) {
  ImageRef picture = Picture(8, 8, [](int32_t x, int32_t y) {
    return Rgb{uint8_t(x * 30 + 5), uint8_t(y * 30 + 5), 77};
  });
  RegionPtr box = RegionCreateRect({2, 2, 3, 3});
  ImageRef inside = ReduceColorsOptimized(*picture, box.get(), 4);
  box->SetInverted(true);
  ImageRef outside = ReduceColorsOptimized(*picture, box.get(), 4);
  ASSERT_TRUE(inside && outside);
  const std::vector<Rgb> palette = OptimizedPalette(*picture, 4);
  auto inPalette = [&](Rgb c) {
    return std::find(palette.begin(), palette.end(), c) != palette.end();
  };
  for (int32_t y = 0; y < 8; ++y) {
    for (int32_t x = 0; x < 8; ++x) {
      const bool selected = x >= 2 && x < 5 && y >= 2 && y < 5;
      const Rgb original = PixelAt(*picture, x, y);
      EXPECT_EQ(PixelAt(*inside, x, y) == original, !selected || inPalette(original))
          << x << "," << y;
      EXPECT_TRUE(inPalette(PixelAt(selected ? *inside : *outside, x, y))) << x << "," << y;
      if (selected) {
        EXPECT_EQ(PixelAt(*outside, x, y), original);
      }
    }
  }
}

TEST(ReduceColorsOptimized, LargePalettesFollowThePicture) {
  // Sixteen well separated colours, one per cell: Wu's boxes find each exactly.
  ImageRef sixteen = Picture(16, 4, [](int32_t x, int32_t) {
    return Rgb{uint8_t(x * 16 + 3), uint8_t(255 - x * 16), uint8_t((x % 4) * 64 + 9)};
  });
  ImageRef same = ReduceColorsOptimized(*sixteen, nullptr, 16);
  ASSERT_TRUE(same);
  EXPECT_TRUE(test::SamePixels(*same, *sixteen));

  // On a photo the variance-minimising palette beats the 16-level popularity
  // choice by a wide margin.
  ImageRef photo = test::MakePhoto(200, 150, 5);
  const std::vector<Rgb> palette = OptimizedPalette(*photo, 32);
  EXPECT_LE(palette.size(), 32u);
  EXPECT_GE(palette.size(), 24u);
  ImageRef wu = ReduceColorsOptimized(*photo, nullptr, 32);
  ImageRef popular = ReduceColorsOptimized(*photo, nullptr, 15);
  const double wuError = MeanSquaredError(*wu, *photo);
  EXPECT_LT(wuError, 0.5 * MeanSquaredError(*popular, *photo));
  EXPECT_LT(wuError, 120.0);  // about 27 dB or better
}

class ReduceColorsDialogs : public Dialogs {
 public:
  std::optional<int> answer;
  int opened = 0;
  std::optional<int> ReduceColors(int initial) override {
    opened = initial;
    return answer;
  }
};

TEST(ReduceColorsWithOptimization, DialogAndSetting) {
  test::TempDir dir;
  QtSettingsStore settings(QString::fromStdString(dir.File("s.ini")));
  ScriptedUiHost host;
  ReduceColorsDialogs dialogs;
  ImageRef picture = test::MakePhoto(40, 30, 2);

  EXPECT_FALSE(ReduceColorsWithOptimization(*picture, nullptr, dialogs, settings, host));
  EXPECT_EQ(dialogs.opened, 32);                                 // the default
  EXPECT_FALSE(settings.Contains("REDUCECOLORS", "NUMCOLORS"));  // Cancel saves nothing

  dialogs.answer = 6;
  ImageRef result = ReduceColorsWithOptimization(*picture, nullptr, dialogs, settings, host);
  ASSERT_TRUE(result);
  EXPECT_EQ(ReadSetting(settings, Setting::kReduceColorsNumColors), 6);
  EXPECT_EQ(host.maxWaitCursorDepth, 1);
  EXPECT_EQ(host.waitCursorDepth, 0);
  ReduceColorsWithOptimization(*picture, nullptr, dialogs, settings, host);
  EXPECT_EQ(dialogs.opened, 6);

  ImageRef grey = test::MakeIndex(4, 4, [](int x, int) { return x; });
  EXPECT_FALSE(ReduceColorsWithOptimization(*grey, nullptr, dialogs, settings, host));
}

}  // namespace
}  // namespace tintara
