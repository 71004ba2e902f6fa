#include "imaging/image_buffer.h"

#include <gtest/gtest.h>

#include "imaging/pixel_cursor.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

TEST(ImageBufferTest, StrideFollowsTheFourByteRule) {
  EXPECT_EQ(RowStride(kKindRgb24, 1), 4);
  EXPECT_EQ(RowStride(kKindRgb24, 5), 16);
  EXPECT_EQ(RowStride(kKindGray8, 5), 8);
  EXPECT_EQ(RowStride(kKind4Bit, 9), 8);
  EXPECT_EQ(RowStride(kKind1Bit, 33), 8);
  ImageRef image = ImageBuffer::Create(kKindRgb24, 7, 3);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Stride(), 24);
  EXPECT_EQ(image->Row(0)[0], 0);
  EXPECT_EQ(image->Row(3), nullptr);
  EXPECT_EQ(image->Row(-1), nullptr);
}

TEST(ImageBufferTest, CreationRefusesBadKindsAndAbsurdSizes) {
  EXPECT_FALSE(ImageBuffer::Create(3, 10, 10));
  EXPECT_FALSE(ImageBuffer::Create(kKindRgb24, 0, 10));
  EXPECT_FALSE(ImageBuffer::Create(kKindRgb24, 10, -1));
  EXPECT_FALSE(ImageBuffer::Create(kKindRgb24, kMaxImageSide + 1, 1));
  EXPECT_FALSE(ImageBuffer::Create(kKindRgb24, 200000, 200000));
}

TEST(ImageBufferTest, LastReferenceDestroysEarlierOnesShare) {
  ImageRef image = ImageBuffer::Create(kKindGray8, 4, 4);
  std::weak_ptr<ImageBuffer> watch = image;
  ImageRef second = image;
  EXPECT_EQ(image.use_count(), 2);
  image.reset();
  ASSERT_FALSE(watch.expired());
  second->WritableRows().value().Row(0)[0] = 9;
  EXPECT_EQ(watch.lock()->Row(0)[0], 9);
  second.reset();
  EXPECT_TRUE(watch.expired());
}

TEST(ImageBufferTest, CopyIsIndependentAndKeepsSizeResolutionAndPalette) {
  PaletteEntry palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), 7, 0};
  ImageRef source = ImageBuffer::CreateWithPalette(kKind8Bit, 5, 3, palette, 256);
  source->SetResolution(0);
  PixelCursor(*source, PixelCursor::kWrite).WritePixel(1, 1, 42, 0, 0);
  ImageRef copy = ImageBuffer::Copy(*source);
  ASSERT_TRUE(copy);
  EXPECT_TRUE(copy->SharesPixelsWith(*source));  // nothing copied yet
  EXPECT_EQ(copy->Width(), 5);
  EXPECT_EQ(copy->Height(), 3);
  EXPECT_EQ(copy->Resolution(), 0u);
  EXPECT_EQ(copy->PaletteAt(10), palette[10]);

  PixelCursor writer(*copy, PixelCursor::kWrite);
  writer.WritePixel(1, 1, 99, 0, 0);
  uint8_t r, g, b;
  PixelCursor(*source).ReadPixel(1, 1, r, g, b);
  EXPECT_EQ(r, 42);
  PixelCursor(*copy).ReadPixel(1, 1, r, g, b);
  EXPECT_EQ(r, 99);
  EXPECT_FALSE(copy->SharesPixelsWith(*source));

  // Writing the source after the copy does not show in the copy either.
  ImageRef second = ImageBuffer::Copy(*source);
  source->WritableRows().value().Row(0)[0] = 5;
  EXPECT_EQ(second->Row(0)[0], 0);
}

TEST(ImageBufferTest, CreateLikeKeepsKindAndPaletteNotPixels) {
  PaletteEntry palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), 3, uint8_t(255 - i), 0};
  ImageRef model = ImageBuffer::CreateWithPalette(kKind8Bit, 4, 4, palette, 256);
  model->WritableRows().value().Row(0)[0] = 9;
  ImageRef made = ImageBuffer::CreateLike(*model, 7, 2);
  ASSERT_TRUE(made);
  EXPECT_EQ(made->Kind(), kKind8Bit);
  EXPECT_EQ(made->Width(), 7);
  EXPECT_EQ(made->Height(), 2);
  EXPECT_EQ(made->PaletteAt(200), palette[200]);
  EXPECT_EQ(made->Row(0)[0], 0);

  // An index picture without a palette stays without one.
  ImageRef index = ImageBuffer::CreateLike(*ImageBuffer::Create(kKindGray8, 2, 2), 3, 3);
  ASSERT_TRUE(index);
  EXPECT_FALSE(index->HasPalette());

  // Sides beyond 32 bits, beyond the limit or empty are refused, not wrapped.
  EXPECT_FALSE(ImageBuffer::CreateLike(*model, (int64_t{1} << 32) + 4, 4));
  EXPECT_FALSE(ImageBuffer::CreateLike(*model, 4, int64_t(kMaxImageSide) + 1));
  EXPECT_FALSE(ImageBuffer::CreateLike(*model, 0, 4));
}

TEST(ImageBufferTest, ResolutionPacksBothAxes) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, 2, 2);
  image->SetResolution((300u << 16) | 72u);
  EXPECT_EQ(image->HorizontalDpi(), 72);
  EXPECT_EQ(image->VerticalDpi(), 300);
  EXPECT_EQ(ImageBuffer::Copy(*image)->Resolution(), (300u << 16) | 72u);
}

TEST(ImageBufferTest, PixelAccessByKind) {
  ImageRef rgb = ImageBuffer::Create(kKindRgb24, 3, 2);
  PixelCursor cursor(*rgb, PixelCursor::kWrite);
  ASSERT_TRUE(cursor.WritePixel(2, 1, 10, 20, 30));
  const uint8_t* row = cursor.RowPointer(1);
  EXPECT_EQ(row[6], 30);  // blue first
  EXPECT_EQ(row[7], 20);
  EXPECT_EQ(row[8], 10);
  uint8_t r, g, b;
  ASSERT_TRUE(cursor.ReadPixel(2, 1, r, g, b));
  EXPECT_EQ(r, 10);
  EXPECT_EQ(g, 20);
  EXPECT_EQ(b, 30);
  EXPECT_FALSE(cursor.ReadPixel(3, 0, r, g, b));

  ImageRef nibbles = ImageBuffer::Create(kKind4Bit, 5, 1);
  PixelCursor four(*nibbles, PixelCursor::kWrite);
  four.WritePixel(0, 0, 0xA, 0, 0);
  four.WritePixel(1, 0, 0x3, 0, 0);
  four.WritePixel(4, 0, 0xF, 0, 0);
  EXPECT_EQ(nibbles->Row(0)[0], 0xA3);
  EXPECT_EQ(nibbles->Row(0)[2], 0xF0);
  four.ReadPixel(1, 0, r, g, b);
  EXPECT_EQ(r, 3);

  ImageRef bits = ImageBuffer::Create(kKind1Bit, 9, 1);
  PixelCursor one(*bits, PixelCursor::kWrite);
  one.WritePixel(0, 0, 1, 0, 0);
  one.WritePixel(8, 0, 1, 0, 0);
  EXPECT_EQ(bits->Row(0)[0], 0x80);
  EXPECT_EQ(bits->Row(0)[1], 0x80);
}

TEST(ImageBufferTest, ReadingCursorCannotWrite) {
  ImageRef image = ImageBuffer::Create(kKindGray8, 2, 2);
  PixelCursor reader(*image, PixelCursor::kRead);
  EXPECT_EQ(reader.MutableRowPointer(0), nullptr);
  EXPECT_FALSE(reader.WritePixel(0, 0, 1, 1, 1));
}

TEST(ImageBufferTest, PalettesByKind) {
  ImageRef index = ImageBuffer::Create(kKindGray8, 2, 2);
  EXPECT_FALSE(index->HasPalette());
  PaletteEntry entries[256];
  ASSERT_TRUE(index->ReadPalette(0, 256, entries));
  EXPECT_EQ(entries[77], (PaletteEntry{77, 77, 77, 0}));

  ImageRef pattern = ImageBuffer::Create(kKind8Bit, 2, 2);
  PaletteEntry ink{200, 10, 20, 0};
  ASSERT_TRUE(pattern->WritePalette(32, 1, &ink));
  ASSERT_TRUE(pattern->ReadPalette(0, 256, entries));
  EXPECT_EQ(entries[32], ink);
  EXPECT_EQ(entries[31], (PaletteEntry{31, 31, 31, 0}));
  EXPECT_FALSE(pattern->WritePalette(255, 2, entries));

  ImageRef sixteen = ImageBuffer::Create(kKind4Bit, 2, 2);
  EXPECT_TRUE(sixteen->ReadPalette(0, 16, entries));
  EXPECT_FALSE(ImageBuffer::Create(kKindRgb24, 2, 2)->ReadPalette(0, 1, entries));

  uint8_t planes[768] = {};
  planes[5] = 1;
  planes[256 + 5] = 2;
  planes[512 + 5] = 3;
  ImageRef planar = ImageBuffer::CreateWithPlanes(kKind8Bit, 1, 1, planes);
  EXPECT_EQ(planar->PaletteAt(5), (PaletteEntry{1, 2, 3, 0}));
}

TEST(ImageBufferTest, CopyAreaCopiesBlocksAndChecksBounds) {
  ImageRef source = ImageBuffer::Create(kKindGray8, 4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) source->WritableRows().value().Row(y)[x] = uint8_t(10 * y + x);
  }
  ImageRef target = ImageBuffer::Create(kKindGray8, 3, 3);
  ASSERT_TRUE(CopyArea(*target, 1, 1, *source, 2, 2, 2, 2));
  EXPECT_EQ(target->Row(1)[1], 22);
  EXPECT_EQ(target->Row(2)[2], 33);
  EXPECT_EQ(target->Row(0)[0], 0);
  EXPECT_FALSE(CopyArea(*target, 2, 2, *source, 0, 0, 2, 2));
  ImageRef rgb = ImageBuffer::Create(kKindRgb24, 4, 4);
  EXPECT_FALSE(CopyArea(*rgb, 0, 0, *source, 0, 0, 1, 1));
  // Overlapping copy within one picture.
  ASSERT_TRUE(CopyArea(*source, 1, 0, *source, 0, 0, 3, 1));
  EXPECT_EQ(source->Row(0)[1], 0);
  EXPECT_EQ(source->Row(0)[3], 2);
}

TEST(ImageBufferTest, AdoptedPixelsStayIndependent) {
  ImageRef picture = ImageBuffer::Create(kKind8Bit, 5, 3);
  PaletteEntry entry{9, 8, 7, 0};
  picture->WritePalette(4, 1, &entry);
  picture->SetResolution(72);
  ImageRef result = ImageBuffer::Create(kKind8Bit, 5, 3);
  result->WritableRows().value().Row(2)[4] = 200;
  ASSERT_TRUE(picture->AdoptPixels(*result));
  EXPECT_EQ(picture->Row(2)[4], 200);
  EXPECT_EQ(picture->PaletteAt(4), entry);  // palette and resolution stay
  EXPECT_EQ(picture->Resolution(), 72u);
  picture->WritableRows().value().Row(2)[4] = 1;
  result->WritableRows().value().Row(0)[0] = 2;
  EXPECT_EQ(result->Row(2)[4], 200);
  EXPECT_EQ(picture->Row(0)[0], 0);
  EXPECT_FALSE(picture->AdoptPixels(*ImageBuffer::Create(kKind8Bit, 5, 4)));
  EXPECT_FALSE(picture->AdoptPixels(*ImageBuffer::Create(kKindGray8, 5, 3)));
}

TEST(ImageBufferTest, WritableRowsAreAllPrivateOnceGranted) {
  ImageRef original = test::MakeIndex(5, 6, [](int x, int y) { return 10 * y + x; });
  ImageRef copy = ImageBuffer::Copy(*original);
  ASSERT_TRUE(copy->SharesPixelsWith(*original));
  std::optional<PixelRows> rows = copy->WritableRows();
  ASSERT_TRUE(rows);
  EXPECT_FALSE(copy->SharesPixelsWith(*original));
  EXPECT_EQ(rows->Height(), 6);
  EXPECT_EQ(rows->Width(), 5);
  for (int32_t y = 0; y < 6; ++y) {
    EXPECT_EQ(rows->Row(y), copy->Row(y));  // every row is the copy's own
    std::fill_n((*rows)[y], 5, uint8_t(200));
  }
  for (int32_t y = 0; y < 6; ++y) {
    for (int32_t x = 0; x < 5; ++x) {
      EXPECT_EQ(original->Row(y)[x], 10 * y + x);
      EXPECT_EQ(copy->Row(y)[x], 200);
    }
  }
  // A second grant on a private plane copies nothing.
  std::optional<PixelRows> again = copy->WritableRows();
  ASSERT_TRUE(again);
  EXPECT_EQ(again->Bits(), rows->Bits());
}

}  // namespace
}  // namespace tintara
