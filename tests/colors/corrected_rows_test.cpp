// The corrected rows made on a second core, a few blocks ahead of the reader:
// what the reader takes, and the palette built from it, are those of one
// thread correcting each pixel by the reference routine.
#include <gtest/gtest.h>

#include <stdexcept>

#include "colors/reduction/lightness.h"
#include "colors/reduction/octree_quantizer.h"
#include "colors/reduction/working_palette.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

// Every row of `picture` (24-bit or paletted) corrected pixel by pixel.
std::vector<uint8_t> ReferenceRows(const ImageBuffer& picture, int percent) {
  std::vector<uint8_t> bytes;
  for (int32_t y = 0; y < picture.Height(); ++y) {
    const uint8_t* row = picture.Row(y);
    for (int32_t x = 0; x < picture.Width(); ++x) {
      Rgb color;
      if (picture.Kind() == kKindRgb24) {
        color = {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
      } else {
        PaletteEntry e = picture.PaletteAt(row[x]);
        color = {e.red, e.green, e.blue};
      }
      Rgb out = CorrectLightness(color, percent);
      bytes.insert(bytes.end(), {out.blue, out.green, out.red});
    }
  }
  return bytes;
}

std::vector<uint8_t> TakenRows(const ImageBuffer& picture, int percent) {
  std::vector<uint8_t> bytes;
  ForEachCorrectedRow(picture, percent, [&](const uint8_t* row, int width) {
    bytes.insert(bytes.end(), row, row + 3 * width);
  });
  return bytes;
}

ImageRef PalettedPicture(int32_t width, int32_t height) {
  std::vector<PaletteEntry> palette(256);
  for (int i = 0; i < 256; ++i) palette[size_t(i)] = {uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 3), 0};
  ImageRef image = ImageBuffer::CreateWithPalette(kKind8Bit, width, height, palette.data(), 256);
  PixelRows rows = image->WritableRows().value();
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) rows[y][x] = uint8_t((x * 5 + y * 11) ^ (y >> 2));
  }
  return image;
}

TEST(CorrectedRowsTest, RowsTakenInOrderAreThoseOfTheReferenceCorrection) {
  // Tall enough for the second core, with a last block of odd length; and short.
  for (int32_t height : {301, 40}) {
    ImageRef photo = test::MakePhoto(97, height, 4);
    for (int percent : {100, 60, 140}) {
      EXPECT_EQ(TakenRows(*photo, percent), ReferenceRows(*photo, percent)) << height << " " << percent;
    }
    ImageRef paletted = PalettedPicture(53, height);
    EXPECT_EQ(TakenRows(*paletted, 80), ReferenceRows(*paletted, 80)) << height;
  }
}

TEST(CorrectedRowsTest, ThePaletteIsThatOfOneThread) {
  ImageRef photo = test::MakePhoto(211, 389, 12);
  for (int colors : {8, 32}) {
    OctreeQuantizer alone(colors);
    std::vector<uint8_t> rows = ReferenceRows(*photo, 90);
    for (int32_t y = 0; y < photo->Height(); ++y) alone.AddRow(rows.data() + size_t(y) * 211 * 3, 211);
    std::vector<Rgb> expected = alone.Palette();
    std::vector<Rgb> built = QuantizePicture(*photo, colors, 90);
    ASSERT_EQ(built.size(), expected.size());
    for (size_t i = 0; i < built.size(); ++i) {
      EXPECT_EQ(built[i].red, expected[i].red) << i;
      EXPECT_EQ(built[i].green, expected[i].green) << i;
      EXPECT_EQ(built[i].blue, expected[i].blue) << i;
    }
  }
}

// A reader that gives up midway (memory, say) leaves no thread waiting.
TEST(CorrectedRowsTest, AReaderThatThrowsEndsTheCorrecting) {
  ImageRef photo = test::MakePhoto(64, 1000, 2);
  int taken = 0;
  EXPECT_THROW(ForEachCorrectedRow(*photo, 100,
                                   [&](const uint8_t*, int) {
                                     if (++taken == 70) throw std::runtime_error("full");
                                   }),
               std::runtime_error);
  EXPECT_EQ(taken, 70);
}

}  // namespace
}  // namespace tintara
