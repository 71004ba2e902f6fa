#include "document/picture_info.h"

#include <gtest/gtest.h>

#include "tests/document/document_fixture.h"

namespace tintara::test {
namespace {

class PictureInfoTest : public ::testing::Test, public DocumentFixture {};

TEST_F(PictureInfoTest, LengthsFollowTheHorizontalResolutionAndTheUnitPreference) {
  ImageRef picture = MakeSolid(300, 150, 1, 2, 3);
  picture->SetResolution((600u << 16) | 150u);  // vertical 600, horizontal 150 dpi
  doc->ReplaceWithPicture(picture, kOriginFile, "/photos/cat.jpg", false);
  PictureInfo cm = DescribePicture(*doc, 0);
  EXPECT_EQ(cm.width, 300);
  EXPECT_EQ(cm.height, 150);
  ASSERT_TRUE(cm.widthLength && cm.heightLength);
  EXPECT_DOUBLE_EQ(*cm.widthLength, 300 * 2.54 / 150);
  EXPECT_DOUBLE_EQ(*cm.heightLength, 150 * 2.54 / 150);  // the horizontal resolution for both
  EXPECT_EQ(cm.unitLabel, "Centimeters");
  EXPECT_EQ(cm.origin, "/photos/cat.jpg");

  PictureInfo inches = DescribePicture(*doc, 1);
  EXPECT_DOUBLE_EQ(*inches.widthLength, 2.0);
  EXPECT_EQ(inches.unitLabel, "Inches");

  PictureInfo other = DescribePicture(*doc, 2);
  EXPECT_FALSE(other.widthLength);
  EXPECT_EQ(other.unitLabel, "");
  EXPECT_EQ(other.width, 300);
}

TEST_F(PictureInfoTest, APictureWithoutResolutionCountsSeventyTwoDotsPerInch) {
  ImageRef picture = MakeSolid(144, 10, 1, 2, 3);
  picture->SetResolution(0);
  NewPicture(picture);
  doc->pictureOrigin = kOriginClipboard;
  PictureInfo info = DescribePicture(*doc, 1);
  EXPECT_DOUBLE_EQ(*info.widthLength, 2.0);
  EXPECT_EQ(info.origin, "Clipboard");

  doc->pictureOrigin = kOriginDevice;
  doc->originDeviceName = "test:1";
  EXPECT_EQ(DescribePicture(*doc, 1).origin, "test:1");
}

TEST_F(PictureInfoTest, TheShownImageFollowsEditingModeAndConvertedPicture) {
  doc->initialPicture = ImageBuffer::Create(kKindRgb24, 4, 4);
  doc->workingPicture = ImageBuffer::Create(kKindRgb24, 4, 4);
  doc->viewMode = kViewPattern;
  // Without a converted picture the view mode is ignored.
  EXPECT_EQ(doc->ShownImage(), doc->initialPicture.get());
  doc->convertedPicture = ImageBuffer::Create(kKindRgb24, 4, 4);
  doc->patternImage = ImageBuffer::Create(kKind8Bit, 4, 4);
  for (auto [mode, expected] : {std::pair{kViewInitial, doc->initialPicture.get()},
                                {kViewConverted, doc->convertedPicture.get()},
                                {kViewPattern, doc->patternImage.get()}}) {
    doc->viewMode = mode;
    EXPECT_EQ(doc->ShownImage(), expected) << "mode " << mode;
  }
  doc->pictureEditing = 1;
  EXPECT_EQ(doc->ShownImage(), doc->workingPicture.get());
  // No initial picture: nothing outside picture editing, whatever else exists.
  doc->pictureEditing = 0;
  doc->initialPicture = nullptr;
  EXPECT_EQ(doc->ShownImage(), nullptr);
}

TEST_F(PictureInfoTest, TheKindFollowsTheShownImage) {
  EXPECT_EQ(ChooseInfoKind(*doc), InfoKind::kAbout);
  LoadPicture(120, 90);
  EXPECT_EQ(ChooseInfoKind(*doc), InfoKind::kPicture);
  ASSERT_TRUE(commands.Run(cmd::kViewPaintingPattern));
  EXPECT_EQ(ChooseInfoKind(*doc), InfoKind::kPattern);
  PatternInfo pattern = DescribePattern(*doc);
  EXPECT_GT(pattern.usedColors, 1);
  ASSERT_FALSE(pattern.brands.empty());
  uint8_t first = 255;
  for (int32_t y = 0; y < doc->indexImage->Height(); ++y) {
    for (int32_t x = 0; x < doc->indexImage->Width(); ++x) {
      first = std::min(first, doc->indexImage->Row(y)[x]);
    }
  }
  EXPECT_EQ(pattern.brands.front(), doc->params.workingPalette[first].brandName);
  ASSERT_TRUE(commands.Run(cmd::kViewInitialPicture));
  EXPECT_EQ(ChooseInfoKind(*doc), InfoKind::kPicture);
}

}  // namespace
}  // namespace tintara::test
