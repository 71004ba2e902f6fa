#include "platform/color_key_picture.h"

#include <gtest/gtest.h>

#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

std::vector<CFlossColor> Palette(int count) {
  std::vector<CFlossColor> colors;
  for (int i = 0; i < count; ++i) {
    CFlossColor color;
    color.brandName = i % 2 == 0 ? "Even Paints" : "Odd Paints";
    color.colorName = "Colour " + std::to_string(i);
    color.catalogNumber = 100 + i;
    color.paletteIndex = i;
    color.red = uint8_t(40 * i);
    color.green = uint8_t(200 - 30 * i);
    color.blue = uint8_t(17 * i);
    colors.push_back(color);
  }
  return colors;
}

TEST(ColorKeyPicture, OneRowPerUsedColourWithItsPaintSwatch) {
  std::vector<CFlossColor> palette = Palette(6);
  ImageRef twoColours = test::MakeIndex(8, 8, [](int x, int) { return x < 4 ? 1 : 4; });
  ImageRef threeColours = test::MakeIndex(8, 8, [](int x, int) { return x < 3 ? 1 : x < 6 ? 3 : 4; });
  QImage two = RenderColorKey(palette, *twoColours, 1);
  QImage three = RenderColorKey(palette, *threeColours, 1);
  ASSERT_FALSE(two.isNull());
  ASSERT_FALSE(three.isNull());
  int rowHeight = three.height() - two.height();
  EXPECT_GT(rowHeight, 20);
  EXPECT_EQ(two.width(), three.width());
  // The scale multiplies every length.
  QImage sharp = RenderColorKey(palette, *twoColours, 2);
  EXPECT_EQ(sharp.size(), two.size() * 2);
  // Somewhere in the first row the paint's own colour shows; in the second row the next one.
  auto rowShows = [&](const QImage& key, int row, const CFlossColor& color) {
    int bottom = key.height() - 28 - (1 - row) * rowHeight;  // two rows end above the margin
    for (int y = bottom - rowHeight; y < bottom; ++y) {
      for (int x = 0; x < key.width() / 4; ++x) {
        if (key.pixelColor(x, y) == QColor(color.red, color.green, color.blue)) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(rowShows(two, 0, palette[1]));
  EXPECT_TRUE(rowShows(two, 1, palette[4]));
  EXPECT_FALSE(rowShows(two, 0, palette[4]));
}

TEST(ColorKeyPicture, NothingToShowGivesNoPicture) {
  ImageRef grey16 = test::MakeSolid(4, 4, 1, 2, 3);  // not an index image
  EXPECT_TRUE(RenderColorKey(Palette(3), *grey16).isNull());
  // Positions beyond the palette are still listed, without a name.
  ImageRef index = test::MakeIndex(4, 4, [](int, int) { return 9; });
  EXPECT_FALSE(RenderColorKey(Palette(3), *index).isNull());
}

}  // namespace
}  // namespace tintara
