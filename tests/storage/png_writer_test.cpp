#include "storage/png_writer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstring>
#include <filesystem>

#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

QImage Decode(const std::vector<uint8_t>& png) {
  QImage image;
  image.loadFromData(png.data(), int(png.size()), "PNG");
  return image;
}

// Every width that leaves a different amount of row padding, and one pixel wide.
TEST(PngWriter, EveryKindReadsBackPixelForPixelTopRowFirst) {
  for (int32_t width : {1, 2, 3, 5, 8}) {
    SCOPED_TRACE(width);
    const int32_t height = 7;
    ImageRef photo = test::MakePhoto(width, height, uint32_t(width));
    ImageRef index = test::MakeIndex(width, height, [](int x, int y) { return 17 * x + 5 * y; });
    std::vector<PaletteEntry> palette(256);
    for (int i = 0; i < 256; ++i) palette[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0};
    ImageRef pattern = ImageBuffer::CreateWithPalette(kKind8Bit, width, height, palette.data(), 256);
    for (int32_t y = 0; y < height; ++y)
      std::memcpy(pattern->WritableRows().value().Row(y), index->Row(y), size_t(width));

    QImage rgb = Decode(EncodePng(*photo));
    QImage grey = Decode(EncodePng(*index));
    QImage paletted = Decode(EncodePng(*pattern));
    ASSERT_FALSE(rgb.isNull());
    ASSERT_FALSE(grey.isNull());
    ASSERT_EQ(paletted.format(), QImage::Format_Indexed8);
    ASSERT_EQ(paletted.colorCount(), 256);
    EXPECT_EQ(paletted.color(200), qRgb(200, 55, 100));
    for (int32_t y = 0; y < height; ++y) {
      int32_t row = height - 1 - y;  // memory rows are bottom-up
      for (int32_t x = 0; x < width; ++x) {
        const uint8_t* bgr = photo->Row(row) + 3 * x;
        ASSERT_EQ(rgb.pixel(x, y), qRgb(bgr[2], bgr[1], bgr[0])) << x << "," << y;
        ASSERT_EQ(qGray(grey.pixel(x, y)), index->Row(row)[x]);
        ASSERT_EQ(paletted.pixelIndex(x, y), pattern->Row(row)[x]);
      }
    }
  }
}

TEST(PngWriter, ResolutionTravelsAndUnwritableKindsAreRefused) {
  ImageRef photo = test::MakePhoto(4, 4, 1);
  photo->SetResolution(300u | (150u << 16));
  QImage decoded = Decode(EncodePng(*photo));
  EXPECT_EQ(decoded.dotsPerMeterX(), 11811);
  EXPECT_EQ(decoded.dotsPerMeterY(), 5906);

  ImageRef oneBit = ImageBuffer::Create(kKind1Bit, 8, 8);
  ASSERT_NE(oneBit, nullptr);
  EXPECT_TRUE(EncodePng(*oneBit).empty());

  test::TempDir dir;
  EXPECT_FALSE(WritePngFile(*oneBit, dir.File("one.png")).empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("one.png")));
  EXPECT_FALSE(WritePngFile(*photo, dir.File("missing/one.png")).empty());
  EXPECT_EQ(WritePngFile(*photo, dir.File("ok.png")), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left
}

}  // namespace
}  // namespace tintara
