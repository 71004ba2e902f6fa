#include "view/navigator_thumbnail.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

struct Rgb3 {
  uint8_t r, g, b;
  friend bool operator==(const Rgb3&, const Rgb3&) = default;
};

Rgb3 At(const NavigatorThumbnail& t, int x, int yFromTop) {
  const uint8_t* p = t.rgb.data() + (size_t(yFromTop) * size_t(t.width) + size_t(x)) * 3;
  return {p[0], p[1], p[2]};
}

constexpr Rgb3 kGrey{kNavigatorGrey, kNavigatorGrey, kNavigatorGrey};

// A true-colour picture whose pixel (x, y) (y counting up) encodes its place.
ImageRef Coded(int32_t width, int32_t height) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, width, height);
  auto rows = image->WritableRows();
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* p = rows->Row(y) + 3 * x;
      p[0] = uint8_t(y);      // blue
      p[1] = uint8_t(x);      // green
      p[2] = uint8_t(x / 2);  // red
    }
  }
  return image;
}

TEST(NavigatorThumbnail, WidePictureLiesInTheMiddleRowsAndGreyFillsTheRest) {
  ImageRef image = Coded(400, 100);
  NavigatorThumbnail t = RenderThumbnail(image.get(), 120, 120);
  EXPECT_EQ(t.picture, (LtrbRect{0, 45, 120, 75}));
  for (int x : {0, 60, 119}) {
    EXPECT_EQ(At(t, x, 44), kGrey);
    EXPECT_EQ(At(t, x, 75), kGrey);
    EXPECT_NE(At(t, x, 45), kGrey);
    EXPECT_NE(At(t, x, 74), kGrey);
  }
  // Nearest sampling: thumbnail column j takes picture column j * 400 / 120;
  // the bottom thumbnail row takes picture row 0, the top one row 29 * 100 / 30.
  EXPECT_EQ(At(t, 30, 74), (Rgb3{50, 100, 0}));
  EXPECT_EQ(At(t, 119, 45), (Rgb3{uint8_t(396 / 2), uint8_t(396), uint8_t(96)}));
}

TEST(NavigatorThumbnail, TallPictureIsCentredHorizontally) {
  EXPECT_EQ(ThumbnailPictureRect(120, 120, 100, 400), (LtrbRect{45, 0, 75, 120}));
  EXPECT_EQ(ThumbnailPictureRect(200, 100, 100, 100), (LtrbRect{50, 0, 150, 100}));
}

TEST(NavigatorThumbnail, IndexPicturesAreLookedUpInTheirPalette) {
  PaletteEntry palette[256] = {};
  palette[7] = {200, 10, 30, 0};
  palette[32] = {1, 2, 3, 0};
  ImageRef image = ImageBuffer::CreateWithPalette(kKind8Bit, 4, 4, palette, 256);
  auto rows = image->WritableRows();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) rows->Row(y)[x] = x < 2 ? 7 : 32;
  }
  NavigatorThumbnail t = RenderThumbnail(image.get(), 8, 8);
  EXPECT_EQ(At(t, 0, 0), (Rgb3{200, 10, 30}));
  EXPECT_EQ(At(t, 7, 7), (Rgb3{1, 2, 3}));
}

TEST(NavigatorThumbnail, APatternShrunkKeepsEveryOneCellLineWithItsInk) {
  PaletteEntry palette[256] = {};
  palette[0] = {255, 255, 255, 0};
  palette[32] = {0, 0, 0, 0};
  // A line one cell wide every 20 columns of a 400-wide pattern, shrunk 4×.
  ImageRef pattern = ImageBuffer::CreateWithPalette(kKind8Bit, 400, 300, palette, 256);
  auto rows = pattern->WritableRows();
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 400; ++x) rows->Row(y)[x] = x % 20 == 7 ? 32 : 0;
  }
  auto darkColumns = [](const NavigatorThumbnail& t) {
    int dark = 0;
    for (int x = 0; x < 100; ++x) dark += At(t, x, 37).r < 128 ? 1 : 0;
    return dark;
  };
  EXPECT_EQ(darkColumns(RenderThumbnail(pattern.get(), 100, 75, 32)), 20);
  // Sampled, most lines fall between the cells taken.
  EXPECT_LT(darkColumns(RenderThumbnail(pattern.get(), 100, 75)), 20);
}

TEST(NavigatorThumbnail, WithoutAPictureAllIsGreyAndThereIsNoFrame) {
  NavigatorThumbnail t = RenderThumbnail(nullptr, 50, 40);
  ASSERT_EQ(t.rgb.size(), size_t(50 * 40 * 3));
  for (uint8_t byte : t.rgb) ASSERT_EQ(byte, kNavigatorGrey);
  EXPECT_EQ(FrameFromView(t.picture, {0, 0, 500, 400}, {0, 0, 300, 200}), LtrbRect{});
}

TEST(NavigatorFrame, FollowsTheVisiblePartAndCoversAllWhenAllIsVisible) {
  const LtrbRect thumb{0, 45, 120, 75};
  // The whole picture (800 × 200 on screen) inside a larger view.
  EXPECT_EQ(FrameFromView(thumb, {0, 0, 1000, 300}, {100, 50, 900, 250}), thumb);
  // Scrolled to the middle: the view shows window x 0..400 of a picture
  // drawn from -800 to 1600 (2400 wide) and all of its height.
  EXPECT_EQ(FrameFromView(thumb, {0, 0, 400, 600}, {-800, 0, 1600, 600}),
            (LtrbRect{40, 45, 60, 75}));
}

TEST(NavigatorFrame, DraggingPastAnEdgeStopsAtTheThumbnailsEdge) {
  const LtrbRect thumb{0, 45, 120, 75};
  const LtrbRect frame{40, 50, 60, 70};
  EXPECT_EQ(MoveFrame(frame, {500, 0}, thumb), (LtrbRect{100, 50, 120, 70}));
  EXPECT_EQ(MoveFrame(frame, {-500, -500}, thumb), (LtrbRect{0, 45, 20, 65}));
  EXPECT_EQ(MoveFrame(frame, {5, 100}, thumb), (LtrbRect{45, 55, 65, 75}));
  EXPECT_EQ(MoveFrame(frame, {3, -2}, thumb), (LtrbRect{43, 48, 63, 68}));
}

TEST(NavigatorFrame, ADroppedFrameScrollsTheViewInProportion) {
  const LtrbRect thumb{0, 45, 120, 75};
  // A 2400 × 600 scroll size: the thumbnail is 20 times smaller.
  EXPECT_EQ(ScrollFromFrame({100, 50, 120, 70}, thumb, {2400, 600}), (Point{2000, 100}));
  EXPECT_EQ(ScrollFromFrame({0, 45, 20, 65}, thumb, {2400, 600}), (Point{0, 0}));
}

}  // namespace
}  // namespace tintara
