#include "pattern/render_pattern.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "pattern/texture_tiles.h"
#include "ports/scripted_ui_host.h"
#include "ports/step_progress.h"
#include "tests/pattern/pattern_fixtures.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

using test::At;
using test::InputFor;
using test::MakeIndex;
using test::NewPattern;
using test::OnFrame;
using test::RenderWhole;

TEST(RenderPatternBorders, MarkTheRightHandAndLowerSideOfEachChange) {
  // Colour 0 left of x = 100, colour 1 from there; colour 2 from row 20 up.
  ImageRef index = MakeIndex(160, 40, [](int x, int y) { return y >= 20 ? 2 : x < 100 ? 0 : 1; });
  ImageRef pattern = RenderWhole(*index, kPatternBordersOnly);
  for (int32_t y = 0; y < 40; ++y) {
    for (int32_t x = 0; x < 160; ++x) {
      bool border = OnFrame(*pattern, x, y) || (x == 100 && y < 20) || y == 20;
      ASSERT_EQ(At(*pattern, x, y), border ? kPatternInk : kPatternWhite) << x << "," << y;
    }
  }
}

TEST(RenderPatternBorders, BorderedTexturesKeepTheirTextureInside) {
  ImageRef index = MakeIndex(48, 32, [](int x, int) { return x < 24 ? 3 : 19; });
  ImageRef tiles = RenderWhole(*index, kPatternTiles);
  ImageRef plain = RenderWhole(*index, kPatternTilesNoBorders);
  const TextureTile& tile = TextureTileAt(3);
  for (int32_t y = 1; y < 31; ++y) {
    for (int32_t x = 1; x < 47; ++x) {
      int expected = tile[size_t((y % 8) * 8 + x % 8)] + (x < 24 ? 192 : 128);
      ASSERT_EQ(At(*plain, x, y), expected) << x << "," << y;
      ASSERT_EQ(At(*tiles, x, y), x == 24 ? kPatternInk : expected) << x << "," << y;
    }
  }
}

TEST(RenderPatternTextures, FlatTonesShareSixtyFourAmongTheColoursAndWrap) {
  // Five colours: a share of 12, so colour 7 is 192 + 84 = 276, stored as 20.
  ImageRef index = MakeIndex(24, 8, [](int x, int) { return x < 12 ? 1 : 7; });
  ImageRef pattern = NewPattern(24, 8);
  ASSERT_EQ(RenderPattern(InputFor(*index, kPatternTonesNoBorders, 5), *pattern,
                          WholePattern(*pattern), nullptr),
            RenderStatus::kDone);
  EXPECT_EQ(At(*pattern, 5, 4), 204);
  EXPECT_EQ(At(*pattern, 12, 4), 20);  // no border between them on type 3
  ImageRef empty = NewPattern(24, 8);
  RenderPattern(InputFor(*index, kPatternTones, 0), *empty, WholePattern(*empty), nullptr);
  EXPECT_EQ(At(*empty, 5, 4), 192);  // no palette: no share, and no crash
  EXPECT_EQ(At(*empty, 12, 4), kPatternInk);
}

TEST(RenderPatternTextures, ColoursFromThirtyTwoUpKeepWhatThePatternShowed) {
  ImageRef index = MakeIndex(16, 16, [](int x, int) { return x < 8 ? 40 : 31; });
  for (int32_t type : {kPatternTilesNoBorders, kPatternTonesNoBorders}) {
    ImageRef pattern = NewPattern(16, 16, 77);
    RenderPattern(InputFor(*index, type, 40), *pattern, WholePattern(*pattern), nullptr);
    EXPECT_EQ(At(*pattern, 4, 5), 77) << type;
    EXPECT_NE(At(*pattern, 12, 5), 77) << type;
  }
}

TEST(RenderPatternTypes, BordersOnlyIsTheNumberedPatternWithoutNumbers) {
  ImageRef index = MakeIndex(90, 70, [](int x, int y) { return (x / 30 + y / 35) % 3; });
  ImageRef bordersOnly = RenderWhole(*index, kPatternBordersOnly);
  ImageRef numbered = RenderWhole(*index, kPatternNumbers);
  ImageRef withoutNumbers = RenderWhole(*index, kPatternNumbers, true);
  EXPECT_TRUE(test::SamePixels(*bordersOnly, *withoutNumbers));
  EXPECT_FALSE(test::SamePixels(*bordersOnly, *numbered));
}

TEST(RenderPatternTypes, TypeSixLeavesThePatternExactlyAsItWas) {
  ImageRef index = MakeIndex(20, 20, [](int x, int y) { return (x + y) % 4; });
  ImageRef pattern = NewPattern(20, 20, 9);
  ImageRef before = ImageBuffer::Copy(*pattern);
  ScriptedUiHost host;
  ProgressCounters counters;
  StepProgress progress(host, counters);
  EXPECT_EQ(RenderPattern(InputFor(*index, kPatternNothing, 4, 0xFF), *pattern,
                          WholePattern(*pattern), &progress),
            RenderStatus::kDone);
  EXPECT_TRUE(pattern->SharesPixelsWith(*before));  // not even detached
  EXPECT_EQ(pattern->PaletteAt(kPatternInk), before->PaletteAt(kPatternInk));
  EXPECT_EQ(counters.stepNumber, -1);
}

TEST(RenderPatternTypes, BorderColourChangesOnlyPaletteEntryThirtyTwo) {
  ImageRef index = MakeIndex(40, 40, [](int x, int y) { return x * y % 5; });
  ImageRef pattern = NewPattern(40, 40);
  RenderPattern(InputFor(*index, kPatternNumbers, 5, 0x808080), *pattern, WholePattern(*pattern),
                nullptr);
  ImageRef first = ImageBuffer::Copy(*pattern);
  RenderPattern(InputFor(*index, kPatternNumbers, 5, 0x123456), *pattern, WholePattern(*pattern),
                nullptr);
  EXPECT_TRUE(test::SamePixels(*first, *pattern));
  EXPECT_EQ(pattern->PaletteAt(kPatternInk), (PaletteEntry{0x56, 0x34, 0x12, 0}));
  EXPECT_EQ(first->PaletteAt(kPatternInk), (PaletteEntry{0x80, 0x80, 0x80, 0}));
  for (int i = 0; i < 256; ++i) {
    if (i != kPatternInk) {
      ASSERT_EQ(pattern->PaletteAt(i), first->PaletteAt(i)) << i;
    }
  }
}

TEST(RenderPatternTypes, RefusesMismatchedPicturesWithoutTouchingThem) {
  ImageRef index = MakeIndex(20, 20, [](int, int) { return 0; });
  ImageRef pattern = NewPattern(20, 21, 5);
  ImageRef before = ImageBuffer::Copy(*pattern);
  EXPECT_EQ(RenderPattern(InputFor(*index, kPatternNumbers), *pattern, WholePattern(*pattern),
                          nullptr),
            RenderStatus::kInvalidInput);
  PatternRenderInput noIndex;
  EXPECT_EQ(RenderPattern(noIndex, *pattern, WholePattern(*pattern), nullptr),
            RenderStatus::kInvalidInput);
  ImageRef colour = ImageBuffer::Create(kKindRgb24, 20, 20);
  EXPECT_EQ(RenderPattern(InputFor(*index, kPatternNumbers), *colour, WholePattern(*colour),
                          nullptr),
            RenderStatus::kInvalidInput);
  EXPECT_TRUE(pattern->SharesPixelsWith(*before));
}

TEST(RenderPatternTypes, ASnapshotSharingThePatternKeepsItsPixels) {
  ImageRef index = MakeIndex(32, 32, [](int x, int) { return x < 16 ? 0 : 1; });
  ImageRef pattern = NewPattern(32, 32, 200);
  ImageRef snapshot = ImageBuffer::Copy(*pattern);
  RenderPattern(InputFor(*index, kPatternNumbers), *pattern, WholePattern(*pattern), nullptr);
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 32; ++x) {
      ASSERT_EQ(At(*snapshot, x, y), 200);
    }
  }
  EXPECT_EQ(At(*pattern, 16, 10), kPatternInk);
}

TEST(RenderPatternPartial, RedrawsOnlyTheGrownRectangleAndTheFrame) {
  ImageRef index = MakeIndex(60, 50, [](int x, int y) { return x < 11 ? 0 : y < 25 ? 1 : 2; });
  ImageRef whole = RenderWhole(*index, kPatternNumbers, true);
  ImageRef pattern = NewPattern(60, 50);
  // Grown to columns 8..14 and rows 8..31: seven columns, so no grid and no number.
  PatternRenderRect rect{10, 10, 13, 30, false};
  ASSERT_EQ(RenderPattern(InputFor(*index, kPatternNumbers), *pattern, rect, nullptr),
            RenderStatus::kDone);
  for (int32_t y = 0; y < 50; ++y) {
    for (int32_t x = 0; x < 60; ++x) {
      bool inside = x >= 8 && x < 15 && y >= 8 && y < 32;
      uint8_t expected = OnFrame(*pattern, x, y) ? kPatternInk : inside ? At(*whole, x, y) : 0;
      ASSERT_EQ(At(*pattern, x, y), expected) << x << "," << y;
    }
  }
  // A rectangle partly outside the picture is clamped; one wholly outside
  // draws only the frame.
  ImageRef clipped = NewPattern(60, 50);
  EXPECT_EQ(RenderPattern(InputFor(*index, kPatternTiles), *clipped, {-30, -30, 90, 80, false},
                          nullptr),
            RenderStatus::kDone);
  EXPECT_TRUE(test::SamePixels(*clipped, *RenderWhole(*index, kPatternTiles)));
  ImageRef outside = NewPattern(60, 50);
  EXPECT_EQ(RenderPattern(InputFor(*index, kPatternNumbers), *outside, {500, 500, 600, 600, false},
                          nullptr),
            RenderStatus::kDone);
  EXPECT_EQ(At(*outside, 30, 25), 0);
  EXPECT_EQ(At(*outside, 0, 25), kPatternInk);
}

// Records every progress report as (step number, current, total).
struct ProgressLog {
  ScriptedUiHost host;
  ProgressCounters counters;
  std::vector<std::tuple<int, int, int>> reports;
  std::tuple<int, int> cancelAt{-9, -9};  // (step number, current)

  ProgressLog() {
    counters.stepTotal = 2;
    host.SetCancelWhen([this](const ProgressCounters& c, int current, int total) {
      reports.emplace_back(c.stepNumber, current, total);
      return std::tuple<int, int>{c.stepNumber, current} == cancelAt;
    });
  }
};

TEST(RenderPatternProgress, EachStepReportsItsRows) {
  ImageRef index = MakeIndex(12, 10, [](int x, int) { return x / 4; });
  ImageRef pattern = NewPattern(12, 10);
  ProgressLog log;
  StepProgress progress(log.host, log.counters);
  ASSERT_EQ(RenderPattern(InputFor(*index, kPatternTiles), *pattern, WholePattern(*pattern),
                          &progress),
            RenderStatus::kDone);
  std::vector<std::tuple<int, int, int>> expected;
  for (int y = 0; y < 10; ++y) expected.emplace_back(0, y, 10);  // texture: row - top, rows
  for (int y = 1; y < 9; ++y) expected.emplace_back(1, y, 8);    // border: row, rows
  EXPECT_EQ(log.reports, expected);
  EXPECT_EQ(log.counters.stepNumber, 1);
  EXPECT_EQ(RenderStepCount(kPatternTiles), 2);
  EXPECT_EQ(RenderStepCount(kPatternNumbers), 1);
  EXPECT_EQ(RenderStepCount(kPatternTonesNoBorders), 1);
  EXPECT_EQ(RenderStepCount(kPatternNothing), 0);
}

TEST(RenderPatternProgress, CancelStopsAtTheRowAndSkipsEverythingAfter) {
  ImageRef index = MakeIndex(12, 10, [](int x, int) { return x / 4; });
  ImageRef reference = RenderWhole(*index, kPatternTiles);

  ImageRef pattern = NewPattern(12, 10);
  ProgressLog log;
  log.cancelAt = {0, 4};  // texture step, fifth row
  StepProgress progress(log.host, log.counters);
  EXPECT_EQ(RenderPattern(InputFor(*index, kPatternTiles, 32, 0xFF), *pattern,
                          WholePattern(*pattern), &progress),
            RenderStatus::kCancelled);
  EXPECT_EQ(log.counters.stepNumber, 0);  // the border step never began
  for (int32_t x = 0; x < 12; ++x) {
    EXPECT_NE(At(*pattern, x, 3), 0);  // textured rows before the cancel
    EXPECT_EQ(At(*pattern, x, 4), 0);
    EXPECT_EQ(At(*pattern, x, 9), 0);  // no frame
  }
  EXPECT_EQ(pattern->PaletteAt(kPatternInk), (PaletteEntry{32, 32, 32, 0}));

  ImageRef bordered = NewPattern(12, 10);
  ProgressLog borderLog;
  borderLog.cancelAt = {1, 6};  // border step, row 6
  StepProgress borderProgress(borderLog.host, borderLog.counters);
  EXPECT_EQ(RenderPattern(InputFor(*index, kPatternTiles), *bordered, WholePattern(*bordered),
                          &borderProgress),
            RenderStatus::kCancelled);
  EXPECT_EQ(At(*bordered, 4, 5), At(*reference, 4, 5));      // border drawn
  EXPECT_NE(At(*bordered, 4, 6), At(*reference, 4, 6));      // not yet
  EXPECT_NE(At(*bordered, 0, 0), kPatternInk);               // no frame
}

}  // namespace
}  // namespace tintara
