#include <gtest/gtest.h>

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <cstdlib>
#include <zlib.h>

#include "platform/picture_files.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

QString Q(const std::string& path) { return QString::fromStdString(path); }

QByteArray ReadAll(const std::string& path) {
  QFile file(Q(path));
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

void WriteAll(const std::string& path, const QByteArray& bytes) {
  QFile file(Q(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Top rows red, bottom rows blue: shows which way up a picture came back.
ImageRef TwoBands(int32_t width, int32_t height) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, width, height);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = image->WritableRows().value().Row(y);
    bool top = y >= height / 2;
    for (int32_t x = 0; x < width; ++x) {
      row[3 * x] = top ? 0 : 255;
      row[3 * x + 2] = top ? 255 : 0;
    }
  }
  return image;
}

int MaxDifference(const ImageBuffer& a, const ImageBuffer& b) {
  int worst = 0;
  for (int32_t y = 0; y < a.Height(); ++y) {
    for (int32_t x = 0; x < a.Width() * 3; ++x) {
      worst = std::max(worst, std::abs(int(a.Row(y)[x]) - int(b.Row(y)[x])));
    }
  }
  return worst;
}

TEST(PictureFiles, EveryWrittenFormatReadsBackTheSameWayUp) {
  test::TempDir dir;
  ImageRef photo = test::MakePhoto(64, 48, 7);
  for (const char* name : {"a.png", "a.bmp", "a.tif", "a.jpg", "a.webp"}) {
    std::string path = dir.File(name);
    ASSERT_EQ(SavePictureFile(*photo, Q(path)), "") << name;
    PictureLoad load = LoadPictureFile(Q(path));
    ASSERT_TRUE(load.image) << name << ": " << load.error;
    ASSERT_EQ(load.image->Width(), 64);
    ASSERT_EQ(load.image->Height(), 48);
    bool lossy = std::string(name).ends_with(".jpg") || std::string(name).ends_with(".webp");
    EXPECT_LE(MaxDifference(*photo, *load.image), lossy ? 60 : 0) << name;
  }
  // An independent reader sees the top row first.
  ImageRef bands = TwoBands(8, 6);
  ASSERT_EQ(SavePictureFile(*bands, Q(dir.File("bands.png"))), "");
  QImage read(Q(dir.File("bands.png")));
  EXPECT_EQ(read.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(read.pixelColor(0, 5), QColor(0, 0, 255));
}

TEST(PictureFiles, ResolutionComesFromTheFileOrIsUnknown) {
  test::TempDir dir;
  ImageRef photo = test::MakePhoto(10, 10, 2);
  photo->SetResolution(300u | 150u << 16);
  ASSERT_EQ(SavePictureFile(*photo, Q(dir.File("dpi.png"))), "");
  PictureLoad withDpi = LoadPictureFile(Q(dir.File("dpi.png")));
  ASSERT_TRUE(withDpi.image);
  EXPECT_EQ(withDpi.image->HorizontalDpi(), 300);
  EXPECT_EQ(withDpi.image->VerticalDpi(), 150);

  QImage plain(10, 10, QImage::Format_RGB32);
  plain.fill(Qt::gray);
  ASSERT_TRUE(plain.save(Q(dir.File("plain.bmp"))));
  PictureLoad without = LoadPictureFile(Q(dir.File("plain.bmp")));
  ASSERT_TRUE(without.image);
  EXPECT_EQ(without.image->Resolution(), 0u);
}

TEST(PictureFiles, PalettedPicturesAreSavedWithTheirColours) {
  test::TempDir dir;
  ImageRef index = test::MakeIndex(5, 4, [](int x, int y) { return x * 50 + y; });
  ASSERT_EQ(SavePictureFile(*index, Q(dir.File("index.png"))), "");
  QImage read(Q(dir.File("index.png")));
  ASSERT_FALSE(read.isNull());
  // Bottom row (y = 0) is the last row of the file.
  EXPECT_EQ(qGray(read.pixel(4, 3)), 200);
  EXPECT_EQ(qGray(read.pixel(2, 0)), 103);
}

QByteArray ExifOrientation(uint16_t orientation) {
  QByteArray exif("Exif\0\0", 6);
  const char tiff[] = {'I', 'I', 42, 0, 8, 0, 0, 0,  // header, first directory at 8
                       1, 0,                         // one entry
                       0x12, 0x01, 3, 0, 1, 0, 0, 0, char(orientation), 0, 0, 0,
                       0, 0, 0, 0};                  // no next directory
  exif.append(tiff, sizeof tiff);
  QByteArray segment("\xFF\xE1", 2);
  int length = exif.size() + 2;
  segment.append(char(length >> 8)).append(char(length & 0xFF)).append(exif);
  return segment;
}

TEST(PictureFiles, ExifOrientationIsApplied) {
  // Stored 32 × 16: left half red, right half blue. Orientation 6 turns it a
  // quarter clockwise for display: 16 × 32, red on top.
  QImage stored(32, 16, QImage::Format_RGB32);
  stored.fill(Qt::blue);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) stored.setPixel(x, y, qRgb(255, 0, 0));
  }
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(stored.save(&buffer, "jpeg", 95));
  jpeg.insert(2, ExifOrientation(6));
  test::TempDir dir;
  WriteAll(dir.File("turned.jpg"), jpeg);
  PictureLoad load = LoadPictureFile(Q(dir.File("turned.jpg")));
  ASSERT_TRUE(load.image) << load.error;
  ASSERT_EQ(load.image->Width(), 16);
  ASSERT_EQ(load.image->Height(), 32);
  const uint8_t* top = load.image->Row(28) + 3 * 8;
  const uint8_t* bottom = load.image->Row(3) + 3 * 8;
  EXPECT_GT(top[2], 200);
  EXPECT_LT(top[0], 60);
  EXPECT_GT(bottom[0], 200);
  EXPECT_LT(bottom[2], 60);
}

TEST(PictureFiles, ColourSpacesAreConvertedToSrgb) {
  QImage wide(4, 4, QImage::Format_RGB32);
  wide.fill(qRgb(128, 128, 128));
  wide.setColorSpace(QColorSpace(QColorSpace::ProPhotoRgb));
  test::TempDir dir;
  ASSERT_TRUE(wide.save(Q(dir.File("wide.png"))));
  PictureLoad load = LoadPictureFile(Q(dir.File("wide.png")));
  ASSERT_TRUE(load.image) << load.error;
  // Grey 128 under a 1.8 gamma is lighter in sRGB.
  EXPECT_NEAR(load.image->Row(0)[1], 147, 4);
}

TEST(PictureFiles, TransparencyIsLaidOverWhite) {
  QImage clear(3, 3, QImage::Format_ARGB32);
  clear.fill(qRgba(0, 0, 0, 0));
  clear.setPixel(1, 1, qRgba(0, 0, 255, 255));
  test::TempDir dir;
  ASSERT_TRUE(clear.save(Q(dir.File("clear.png"))));
  PictureLoad load = LoadPictureFile(Q(dir.File("clear.png")));
  ASSERT_TRUE(load.image);
  EXPECT_EQ(load.image->Row(0)[0], 255);
  EXPECT_EQ(load.image->Row(0)[2], 255);
  EXPECT_EQ(load.image->Row(1)[3 + 2], 0);  // the opaque blue pixel stays blue
}

void ExpectFailure(const PictureLoad& load, const std::string& name, const std::string& reason) {
  EXPECT_FALSE(load.image);
  EXPECT_NE(load.error.find('"' + name + '"'), std::string::npos) << load.error;
  EXPECT_NE(load.error.find(reason), std::string::npos) << load.error;
}

TEST(PictureFiles, BrokenFilesFailWithANamedReason) {
  test::TempDir dir;
  ImageRef photo = test::MakePhoto(120, 90, 5);
  ASSERT_EQ(SavePictureFile(*photo, Q(dir.File("whole.png"))), "");
  ASSERT_EQ(SavePictureFile(*photo, Q(dir.File("whole.jpg"))), "");
  QByteArray png = ReadAll(dir.File("whole.png"));
  QByteArray jpg = ReadAll(dir.File("whole.jpg"));

  WriteAll(dir.File("cut.png"), png.left(png.size() / 2));
  ExpectFailure(LoadPictureFile(Q(dir.File("cut.png"))), "cut.png", "damaged or truncated");
  WriteAll(dir.File("cut.jpg"), jpg.left(jpg.size() * 2 / 3));
  ExpectFailure(LoadPictureFile(Q(dir.File("cut.jpg"))), "cut.jpg", "damaged or truncated");
  QByteArray damaged = png;
  for (qsizetype i = png.size() / 3; i < png.size() / 3 + 40; ++i) damaged[i] = char(~damaged[i]);
  WriteAll(dir.File("damaged.png"), damaged);
  ExpectFailure(LoadPictureFile(Q(dir.File("damaged.png"))), "damaged.png", "damaged");

  WriteAll(dir.File("notes.png"), "These are my shopping notes, not a picture.\n");
  ExpectFailure(LoadPictureFile(Q(dir.File("notes.png"))), "notes.png", "not a picture");
  WriteAll(dir.File("empty.jpg"), {});
  ExpectFailure(LoadPictureFile(Q(dir.File("empty.jpg"))), "empty.jpg", "empty");
  ExpectFailure(LoadPictureFile(Q(dir.File("missing.png"))), "missing.png", "does not exist");
}

QByteArray PngChunk(const char* type, const QByteArray& data) {
  QByteArray chunk;
  for (int shift : {24, 16, 8, 0}) chunk.append(char((data.size() >> shift) & 0xFF));
  QByteArray body = QByteArray(type, 4) + data;
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()));
  chunk.append(body);
  for (int shift : {24, 16, 8, 0}) chunk.append(char((crc >> shift) & 0xFF));
  return chunk;
}

TEST(PictureFiles, AbsurdSizesAreRefusedFromTheHeader) {
  QByteArray header;
  for (uint32_t side : {100000u, 100000u}) {
    for (int shift : {24, 16, 8, 0}) header.append(char((side >> shift) & 0xFF));
  }
  header.append("\x08\x02\x00\x00\x00", 5);
  QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) +
                   PngChunk("IDAT", QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) +
                   PngChunk("IEND", {});
  test::TempDir dir;
  WriteAll(dir.File("huge.png"), png);
  PictureLoad load = LoadPictureFile(Q(dir.File("huge.png")));
  ExpectFailure(load, "huge.png", "too large");
  EXPECT_NE(load.error.find("100000 × 100000"), std::string::npos) << load.error;
}

TEST(PictureFiles, AHundredMegapixelPhotoLoads) {
  QImage big(12000, 8400, QImage::Format_RGB888);  // 100.8 megapixels
  big.fill(QColor(10, 200, 30));
  test::TempDir dir;
  QImageWriter writer(Q(dir.File("big.png")));
  writer.setCompression(1);
  ASSERT_TRUE(writer.write(big));
  big = QImage();
  PictureLoad load = LoadPictureFile(Q(dir.File("big.png")));
  ASSERT_TRUE(load.image) << load.error;
  EXPECT_EQ(load.image->Width(), 12000);
  EXPECT_EQ(load.image->Height(), 8400);
  EXPECT_EQ(load.image->Row(8399)[1], 200);
}

TEST(PictureFiles, SavingNeedsAKnownTypeAndAWritableFolder) {
  test::TempDir dir;
  ImageRef photo = test::MakePhoto(4, 4, 1);
  EXPECT_NE(SavePictureFile(*photo, Q(dir.File("a.xyz"))).find("choose PNG"), std::string::npos);
  std::string missingFolder = dir.File("no/such/folder/a.png");
  EXPECT_NE(SavePictureFile(*photo, Q(missingFolder)).find("\"a.png\""), std::string::npos);
}

}  // namespace
}  // namespace tintara
