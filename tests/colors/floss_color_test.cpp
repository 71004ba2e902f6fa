#include "colors/floss_color.h"

#include <gtest/gtest.h>

#include "storage/archive.h"

namespace tintara {
namespace {

CFlossColor Paint() {
  CFlossColor color;
  color.brandName = "Brand";
  color.sourceFile = "/p/B.dat";
  color.colorName = "Ochre";
  color.catalogNumber = 258;
  color.paletteIndex = 3;
  color.red = 200;
  color.green = 150;
  color.blue = 20;
  return color;
}

TEST(FlossColor, EqualityIgnoresOnlyThePalettePosition) {
  CFlossColor a = Paint();
  CFlossColor b = Paint();
  b.paletteIndex = 17;
  EXPECT_EQ(a, b);

  auto differs = [&](auto change) {
    CFlossColor c = Paint();
    change(c);
    return !(a == c);
  };
  EXPECT_TRUE(differs([](CFlossColor& c) { c.brandName = "brand"; }));  // case matters
  EXPECT_TRUE(differs([](CFlossColor& c) { c.sourceFile += "x"; }));
  EXPECT_TRUE(differs([](CFlossColor& c) { c.colorName = "Ochre "; }));
  EXPECT_TRUE(differs([](CFlossColor& c) { c.catalogNumber = -1; }));
  EXPECT_TRUE(differs([](CFlossColor& c) { c.red = 201; }));
  EXPECT_TRUE(differs([](CFlossColor& c) { c.green = 0; }));
  EXPECT_TRUE(differs([](CFlossColor& c) { c.blue = 21; }));
}

TEST(FlossColor, SerializeLayoutLeavesOutThePalettePosition) {
  VectorSink sink;
  ArchiveWriter writer(sink);
  Paint().Serialize(writer);
  const std::vector<uint8_t> expected = {
      5, 'B', 'r', 'a', 'n', 'd', 8, '/', 'p', '/', 'B', '.', 'd', 'a', 't',
      5, 'O', 'c', 'h', 'r', 'e', 0x02, 0x01, 0, 0, 200, 150, 20};
  EXPECT_EQ(sink.bytes, expected);

  CFlossColor read;
  ArchiveReader reader(sink.bytes);
  ASSERT_TRUE(read.Deserialize(reader));
  EXPECT_EQ(read, Paint());
  EXPECT_EQ(read.paletteIndex, -1);
  EXPECT_EQ(reader.Remaining(), 0u);

  // A record cut short leaves the target as it was.
  CFlossColor untouched;
  untouched.colorName = "kept";
  ArchiveReader shortReader(std::span(sink.bytes).first(sink.bytes.size() - 1));
  EXPECT_FALSE(untouched.Deserialize(shortReader));
  EXPECT_EQ(untouched.colorName, "kept");
}

TEST(FlossColor, ValueAndTexts) {
  CFlossColor color = Paint();
  EXPECT_EQ(color.ColorValue(), 0x1496C8u);  // red in the low byte
  EXPECT_EQ(UnpackColor(color.ColorValue()), color.AsRgb());
  EXPECT_EQ(color.InfoText(),
            "Name: Ochre\nCatalog No: 258\nBrand: Brand\nRed: 200, Green: 150, Blue: 20");
  EXPECT_EQ(color.DescriptionLine(), "Ochre, Catalog No - 258, Brand - Brand");
  EXPECT_EQ(color.RgbLine(), "Red: 200, Green: 150, Blue: 20");
}

}  // namespace
}  // namespace tintara
