#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>

#include "platform/pdf_pages.h"
#include "tests/support/poppler_output.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"
#include "view/print_bands.h"

namespace tintara {
namespace {

using test::Poppler;

// A grey picture whose rows, counted from the top, carry (row × 37) mod 256,
// so that neighbouring rows can be told apart.
ImageRef StripedPicture(int32_t width, int32_t height) {
  ImageRef image = ImageBuffer::Create(kKindGray8, width, height);
  auto rows = image->WritableRows();
  for (int32_t y = 0; y < height; ++y) {
    uint8_t tone = uint8_t(((height - 1 - y) * 37) % 256);
    std::fill_n((*rows)[y], width, tone);
  }
  return image;
}

// Over ten million bytes the tile is sent in bands; drawn one to one, every
// printed row must be the bitmap row at its place: no gap, no row twice.
TEST(PrintPages, BandsOfALargeTileJoinWithoutASeam) {
  const int width = 10000;
  const int height = 1003;
  ImageRef picture = StripedPicture(width, height);
  ASSERT_GT(size_t(picture->Stride()) * size_t(height), kBandingThresholdBytes);
  ASSERT_EQ(PrintBands(height, height, size_t(picture->Stride()) * size_t(height)).size(), 11u);

  QImage sheet(width, height, QImage::Format_RGB32);
  sheet.fill(Qt::red);
  PrintSurface surface{{600, 600, width, height}, QPoint(0, 0)};
  PrintJobContent job;
  job.kind = PrintKind::kPattern;
  job.picture = picture.get();
  QPainter painter(&sheet);
  ASSERT_TRUE(DrawPrintPage(painter, job, surface, 1));
  painter.end();
  int wrong = 0;
  for (int y = 0; y < height; ++y) {
    int expected = (y * 37) % 256;
    if (sheet.pixel(width - 2, y) != qRgb(expected, expected, expected)) ++wrong;
  }
  EXPECT_EQ(wrong, 0);
}

TEST(PrintPages, HeaderAndPageMapOnEverySheet) {
  ImageRef picture = StripedPicture(300, 300);
  PrintSurface surface{{100, 100, 800, 1100}, QPoint(20, 20)};
  PrintJobContent job;
  job.kind = PrintKind::kPattern;
  job.picture = picture.get();
  job.pagesPerSide = 3;
  EXPECT_EQ(PrintPageCount(job), 9);
  QImage sheet(800, 1100, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  ASSERT_TRUE(DrawPrintPage(painter, job, surface, 7));
  // The header stays readable above the picture: dark text pixels at its place.
  QFontMetrics metrics(PrintPageFont(), &sheet);
  const int textWidth = metrics.horizontalAdvance("Page No 7 from 9");
  const int textHeight = metrics.height();
  int ink = 0;
  for (int y = 20; y < 20 + textHeight; ++y) {
    for (int x = 40; x < 40 + textWidth; ++x) ink += qGray(sheet.pixel(x, y)) < 100;
  }
  EXPECT_GT(ink, 20);
  // Page 7 is the top-left square of the map.
  const int side = textHeight / 3;
  const int mapLeft = 40 + textWidth + 2 * textHeight;
  EXPECT_EQ(sheet.pixel(mapLeft + side / 2, 20 + side / 2), qRgb(64, 64, 64));
  EXPECT_EQ(sheet.pixel(mapLeft + side / 2, 20 + 2 * side + side / 2), qRgb(255, 255, 255));
  painter.end();
}

// Marks sit on the corners of the sheet's own part, inside the overlap.
TEST(PrintPages, RegistrationMarksOnlyWhenAsked) {
  ImageRef picture = ImageBuffer::Create(kKindGray8, 400, 400);
  auto rows = picture->WritableRows();
  for (int32_t y = 0; y < 400; ++y) std::fill_n((*rows)[y], 400, uint8_t(255));
  PrintSurface surface{{100, 100, 1000, 1000}, QPoint(0, 0)};
  PrintJobContent job;
  job.kind = PrintKind::kPattern;
  job.picture = picture.get();
  job.pagesPerSide = 2;
  job.sheetAids.overlapMm = 10;  // 39 device pixels: 8 picture pixels
  auto sheetOf = [&](bool marks) {
    job.sheetAids.registrationMarks = marks;
    QImage sheet(1000, 1000, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    EXPECT_TRUE(DrawPrintPage(painter, job, surface, 1));
    return sheet;
  };
  // Page 1 shows 208 x 208 pixels; its own 200 x 200 end at 961 across and
  // 38 down.
  QImage marked = sheetOf(true);
  EXPECT_LT(qGray(marked.pixel(961, 38)), 100);
  EXPECT_LT(qGray(marked.pixel(961, 999)), 100);
  EXPECT_EQ(marked.pixel(500, 500), qRgb(255, 255, 255));
  QImage plain = sheetOf(false);
  EXPECT_EQ(plain.pixel(961, 38), qRgb(255, 255, 255));
}

TEST(PrintPages, PageCountsOfPicturesAndLists) {
  PrintJobContent job;
  job.kind = PrintKind::kInitialPicture;
  EXPECT_EQ(PrintPageCount(job), 0);
  job.kind = PrintKind::kMaterialList;
  CTesselParams params;
  params.workingPalette.resize(33);
  job.params = &params;
  EXPECT_EQ(PrintPageCount(job), 2);
}

TEST(PdfPictures, ColourPicturesGoInWithoutLossyCompression) {
  test::TempDir dir;
  ImageRef photo = test::MakePhoto(400, 300, 3);
  PdfPageSetup setup;
  setup.pagesPerSide = 2;
  const std::string path = dir.File("photo.pdf");
  ASSERT_EQ(WritePicturePdf(*photo, setup, path), "");
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  EXPECT_FALSE(bytes.contains("/DCTDecode"));
  EXPECT_TRUE(bytes.contains("/FlateDecode"));
  QString images = Poppler("pdfimages", {"-list", QString::fromStdString(path)});
  if (images.isEmpty()) GTEST_SKIP() << "pdfimages is not installed";
  // Four sheets, each with its 200 x 150 tile at its own pixels.
  EXPECT_EQ(images.count(QStringLiteral(" 200   150 ")), 4) << images.toStdString();
  EXPECT_FALSE(images.contains("jpeg"));
}

}  // namespace
}  // namespace tintara
