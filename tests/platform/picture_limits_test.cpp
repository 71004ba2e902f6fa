// Picture bombs cost bounded memory: a vector picture is rendered at a bounded
// size, a file far too small for the pixels it declares is refused before
// decoding, and deep pictures are weighed against the budget. A pipe never
// blocks the loader and the libraries' own complaints stay off standard error.
#include "platform/picture_limits.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/picture_files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_limit.h"

namespace tintara {
namespace {

QString Q(const std::string& path) { return QString::fromStdString(path); }

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(QImageWriter(&buffer, format).write(image));
  return bytes;
}

bool Mentions(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

TEST(PictureLimits, VectorPictureIsRenderedAtABoundedSize) {
  const QByteArray svg =
      "<svg xmlns='http://www.w3.org/2000/svg' width='16000' height='8000'>"
      "<rect width='16000' height='8000' fill='#c03020'/></svg>";
  PictureLoad load = LoadPictureBytes(svg, QStringLiteral("bomb.svg"));
  ASSERT_TRUE(load.image) << load.error;
  EXPECT_EQ(load.image->Width(), kMaxVectorSide);
  EXPECT_EQ(load.image->Height(), kMaxVectorSide / 2);
  const uint8_t* pixel = load.image->Row(100) + 3 * 100;
  EXPECT_EQ(pixel[2], 0xC0);  // red
  EXPECT_EQ(pixel[0], 0x20);  // blue

  // Within the budget as well: 64 MiB leave far fewer pixels.
  load = LoadPictureBytes(svg, QStringLiteral("bomb.svg"), uint64_t(64) << 20);
  ASSERT_TRUE(load.image) << load.error;
  EXPECT_LE(uint64_t(load.image->Width()) * uint64_t(load.image->Height()) * 7, uint64_t(64) << 20);
  EXPECT_NEAR(double(load.image->Width()) / load.image->Height(), 2.0, 0.01);
}

// A small JPEG whose frame header is made to declare width × height.
QByteArray JpegDeclaring(int width, int height) {
  QImage small(16, 16, QImage::Format_RGB32);
  small.fill(Qt::darkCyan);
  QByteArray bytes = Encoded(small, "jpeg");
  for (qsizetype i = 2; i + 9 < bytes.size(); ++i) {
    if (uint8_t(bytes[i]) == 0xFF && uint8_t(bytes[i + 1]) == 0xC0) {
      bytes[i + 5] = char(height >> 8);
      bytes[i + 6] = char(height);
      bytes[i + 7] = char(width >> 8);
      bytes[i + 8] = char(width);
      return bytes;
    }
  }
  ADD_FAILURE() << "no frame header";
  return bytes;
}

TEST(PictureLimits, FileFarTooSmallForItsDeclaredSizeIsRefusedBeforeDecoding) {
  QByteArray bomb = JpegDeclaring(4000, 3000);
  ASSERT_LT(bomb.size(), 2000);
  PictureLoad load = LoadPictureBytes(bomb, QStringLiteral("bomb.jpg"));
  EXPECT_FALSE(load.image);
  EXPECT_TRUE(Mentions(load.error, "far too small")) << load.error;
  EXPECT_TRUE(Mentions(load.error, "4000 \u00d7 3000")) << load.error;

  // A declared size such a file can hold still loads.
  load = LoadPictureBytes(JpegDeclaring(64, 48), QStringLiteral("fine.jpg"));
  EXPECT_TRUE(load.image) << load.error;
}

TEST(PictureLimits, DeepPictureIsWeighedAgainstTheBudget) {
  // 16 bits a channel: 8 bytes a pixel decoded, 3 more for our copy.
  QImage deep(1000, 800, QImage::Format_RGBA64);
  for (int y = 0; y < deep.height(); ++y) {
    for (int x = 0; x < deep.width(); ++x) deep.setPixelColor(x, y, QColor(y % 256, 40, 200));
  }
  QByteArray png = Encoded(deep, "png");
  PictureLoad load = LoadPictureBytes(png, QStringLiteral("deep.png"), uint64_t(8) << 20);
  EXPECT_FALSE(load.image);
  EXPECT_TRUE(Mentions(load.error, "1000 \u00d7 800")) << load.error;
  EXPECT_TRUE(Mentions(load.error, "8 MiB")) << load.error;

  // Within the default budget it loads, converted a strip at a time: rows on
  // both sides of a strip boundary keep their colours, top row last.
  load = LoadPictureBytes(png, QStringLiteral("deep.png"));
  ASSERT_TRUE(load.image) << load.error;
  for (int top : {0, 255, 256, 511, 799}) {
    const uint8_t* pixel = load.image->Row(799 - top) + 3 * 500;
    EXPECT_EQ(pixel[2], top % 256) << top;
    EXPECT_EQ(pixel[1], 40) << top;
    EXPECT_EQ(pixel[0], 200) << top;
  }
}

TEST(PictureLimits, PipeNamedAsAPictureDoesNotBlock) {
  test::TempDir dir;
  std::string path = dir.File("photo.png");
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  auto outcome = test::RunInChild(std::chrono::seconds(5), [&] {
    PictureLoad load = LoadPictureFile(Q(path));
    return !load.image && !load.error.empty();
  });
  EXPECT_EQ(outcome, test::ChildOutcome::kPassed);
}

// What the process writes to standard error while `work` runs.
template <typename Work>
std::string StandardErrorOf(const std::string& file, Work work) {
  std::fflush(stderr);
  int saved = dup(STDERR_FILENO);
  FILE* capture = std::fopen(file.c_str(), "w");
  dup2(fileno(capture), STDERR_FILENO);
  work();
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  std::fclose(capture);
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PictureLimits, LibrariesStaySilentOnABadPicture) {
  test::TempDir dir;
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(Qt::darkGreen);
  QByteArray png = Encoded(picture, "png");
  QByteArray tiff = Encoded(picture, "tiff");
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  // A PNG cut inside its data, a TIFF whose header points nowhere.
  QByteArray brokenTiff = tiff;
  brokenTiff[4] = char(0xF0);
  brokenTiff[5] = char(0xFF);
  for (const Case& bad :
       {Case{"cut.png", png.left(png.size() - 30)}, Case{"bad.tif", brokenTiff}}) {
    std::string path = dir.File(bad.name);
    QFile file(Q(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bad.bytes);
    file.close();
    PictureLoad load;
    std::string said =
        StandardErrorOf(dir.File("stderr.txt"), [&] { load = LoadPictureFile(Q(path)); });
    EXPECT_FALSE(load.image) << bad.name;
    EXPECT_FALSE(load.error.empty()) << bad.name;
    EXPECT_EQ(said, "") << bad.name;
  }
}

}  // namespace
}  // namespace tintara
