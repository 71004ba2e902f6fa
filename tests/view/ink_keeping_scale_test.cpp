// Scaling a pattern down: every line of ink one cell wide stays a line on
// the screen, whole blocks match a plain count, and parts of the window
// agree with the whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "view/ink_keeping_scale.h"

namespace tintara {
namespace {

constexpr uint8_t kInk = 32;
constexpr uint32_t kInkColor = 0x404040;

std::array<uint32_t, 256> Colors() {
  std::array<uint32_t, 256> colors{};
  for (uint32_t i = 0; i < 256; ++i) colors[i] = i << 16 | i << 8 | i;
  colors[kInk] = kInkColor;
  return colors;
}

// A white pattern; `rows` are shown top-down, so row 0 of the list is the top.
ImageRef WhitePattern(int32_t width, int32_t height) {
  ImageRef pattern = ImageBuffer::Create(kKind8Bit, width, height);
  auto rows = pattern->WritableRows().value();
  for (int32_t y = 0; y < height; ++y) std::fill_n(rows.Row(y), width, uint8_t(255));
  return pattern;
}

void SetShown(ImageBuffer& pattern, int32_t x, int32_t topRow, uint8_t value) {
  pattern.WritableRows().value().Row(pattern.Height() - 1 - topRow)[x] = value;
}

std::vector<uint32_t> Scale(const ImageBuffer& pattern, ImageSize shown, ShownPart part) {
  std::vector<uint32_t> out(size_t(part.width) * part.height, 0);
  ScaleDownKeepingInk(pattern, Colors(), kInk, shown, part, out.data(), size_t(part.width));
  return out;
}

std::vector<uint32_t> ScaleAll(const ImageBuffer& pattern, ImageSize shown) {
  return Scale(pattern, shown, {0, 0, shown.width, shown.height});
}

uint32_t Rgb(uint32_t pixel) { return pixel & 0xFFFFFF; }

// The screen column (or row) that shows cell `cell`: the first whose cells
// reach past it.
int32_t ShownAt(int32_t cell, int32_t cells, int32_t shown) {
  int32_t at = 0;
  while (int64_t(at + 1) * cells / shown <= cell) ++at;
  return at;
}

TEST(InkKeepingScale, EveryOneCellLineStaysAFullLineAtEveryScale) {
  const int32_t w = 400, h = 300;
  for (int32_t divisor : {2, 3, 5, 7, 13, 20, 40}) {
    ImageRef pattern = WhitePattern(w, h);
    // Vertical lines one cell wide at columns that nearest sampling would skip.
    std::vector<int32_t> lines = {1, 58, 117, 231, 399};
    for (int32_t x : lines) {
      for (int32_t y = 0; y < h; ++y) SetShown(*pattern, x, y, kInk);
    }
    // A horizontal one as well.
    for (int32_t x = 0; x < w; ++x) SetShown(*pattern, x, 151, kInk);
    const ImageSize shown{w / divisor, h / divisor};
    std::vector<uint32_t> out = ScaleAll(*pattern, shown);
    for (int32_t line : lines) {
      const int32_t column = ShownAt(line, w, shown.width);
      if (column >= shown.width) continue;
      for (int32_t y = 0; y < shown.height; ++y) {
        ASSERT_EQ(Rgb(out[size_t(y) * shown.width + column]), kInkColor)
            << "1/" << divisor << " line " << line << " row " << y;
      }
    }
    const int32_t row = ShownAt(151, h, shown.height);
    for (int32_t x = 0; x < shown.width; ++x) {
      ASSERT_EQ(Rgb(out[size_t(row) * shown.width + x]), kInkColor) << "1/" << divisor;
    }
    // Away from the lines the paper stays white.
    EXPECT_EQ(Rgb(out[size_t(row / 2) * shown.width + int32_t(315LL * shown.width / w)]), 0xFFFFFFu)
        << "1/" << divisor;
  }
}

// Small blocks against a plain count: ink in proportion to a line's share of
// the block, over the mean of the other cells.
TEST(InkKeepingScale, SmallBlocksMixInkByItsShareOfALine) {
  std::mt19937 random(7);
  const int32_t w = 97, h = 61;
  ImageRef pattern = ImageBuffer::Create(kKind8Bit, w, h);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = pattern->WritableRows().value().Row(y);
    for (int32_t x = 0; x < w; ++x) row[x] = random() % 5 == 0 ? kInk : uint8_t(100 + random() % 156);
  }
  const std::array<uint32_t, 256> colors = Colors();
  for (ImageSize shown : {ImageSize{60, 40}, ImageSize{40, 25}, ImageSize{33, 21}}) {
    std::vector<uint32_t> out = ScaleAll(*pattern, shown);
    for (int32_t y = 0; y < shown.height; ++y) {
      const int32_t r0 = int32_t(int64_t(y) * h / shown.height);
      const int32_t r1 = std::max(r0 + 1, int32_t(int64_t(y + 1) * h / shown.height));
      for (int32_t x = 0; x < shown.width; ++x) {
        const int32_t c0 = int32_t(int64_t(x) * w / shown.width);
        const int32_t c1 = std::max(c0 + 1, int32_t(int64_t(x + 1) * w / shown.width));
        ASSERT_LE((c1 - c0) * (r1 - r0), kWholeBlockCells);
        uint32_t ink = 0, others = 0, grey = 0;
        for (int32_t r = r0; r < r1; ++r) {
          for (int32_t c = c0; c < c1; ++c) {
            const uint8_t v = pattern->Row(h - 1 - r)[c];
            if (v == kInk) {
              ++ink;
            } else {
              ++others;
              grey += colors[v] & 0xFF;
            }
          }
        }
        const uint32_t cells = uint32_t((c1 - c0) * (r1 - r0));
        const uint32_t side = uint32_t(std::max(c1 - c0, r1 - r0));
        const uint32_t strength = std::min<uint32_t>(256, ink * side * 256 / cells);
        const uint32_t expected =
            others == 0 ? 0x40 : ((0x40 * strength + (grey / others) * (256 - strength)) >> 8);
        ASSERT_EQ(out[size_t(y) * shown.width + x] & 0xFF, expected) << x << "," << y;
        ASSERT_EQ(out[size_t(y) * shown.width + x] >> 24, 0xFFu);
      }
    }
  }
}

TEST(InkKeepingScale, APartOfTheWindowIsThatPartOfTheWhole) {
  ImageRef pattern = WhitePattern(1240, 1753);
  std::mt19937 random(3);
  for (int i = 0; i < 4000; ++i) SetShown(*pattern, random() % 1240, random() % 1753, kInk);
  const ImageSize shown{310, 438};  // a quarter: blocks of 16 cells
  const std::vector<uint32_t> whole = ScaleAll(*pattern, shown);
  const ShownPart part{37, 101, 90, 55};
  const std::vector<uint32_t> piece = Scale(*pattern, shown, part);
  for (int32_t y = 0; y < part.height; ++y) {
    for (int32_t x = 0; x < part.width; ++x) {
      ASSERT_EQ(piece[size_t(y) * part.width + x],
                whole[size_t(part.top + y) * shown.width + part.left + x]);
    }
  }
}

TEST(InkKeepingScale, OnlyAPictureSmallerBothWaysIsScaledDown) {
  EXPECT_TRUE(IsScaledDown({100, 80}, {50, 40}));
  EXPECT_FALSE(IsScaledDown({100, 80}, {100, 40}));
  EXPECT_FALSE(IsScaledDown({100, 80}, {200, 160}));
  EXPECT_FALSE(IsScaledDown({100, 80}, {0, 0}));
}

}  // namespace
}  // namespace tintara
