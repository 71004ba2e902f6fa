#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QtEndian>

#include "app/clipboard_picture.h"
#include "app/stage_panels.h"
#include "app/command_actions.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

void Put16(QByteArray& bytes, int value) {
  bytes.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}
void Put32(QByteArray& bytes, int64_t value) {
  for (int i = 0; i < 4; ++i) bytes.append(char((value >> (8 * i)) & 0xFF));
}

// A BMP file as other programs put it on the clipboard: a 14-byte file
// header, the 40-byte header with 4 bits per pixel and no resolution, sixteen
// colours (entry i = (16·i, 255 − 16·i, 7·i)), pixel (x, y) = (x + 2·y) mod 16.
QByteArray FourBitBmpFile(int width, int height) {
  QByteArray dib;
  Put32(dib, 40);
  Put32(dib, width);
  Put32(dib, height);
  Put16(dib, 1);
  Put16(dib, 4);
  for (int i = 0; i < 6; ++i) Put32(dib, 0);  // no compression, size, resolution, colours
  for (int i = 0; i < 16; ++i) {
    dib.append(char(7 * i)).append(char(255 - 16 * i)).append(char(16 * i)).append('\0');
  }
  int stride = (4 * width + 31) / 32 * 4;
  for (int y = 0; y < height; ++y) {
    QByteArray row(stride, '\0');
    for (int x = 0; x < width; ++x) {
      int value = (x + 2 * y) % 16;
      row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? value << 4 : value));
    }
    dib.append(row);
  }
  QByteArray file("BM");
  Put32(file, 14 + dib.size());
  Put32(file, 0);
  Put32(file, 14 + 40 + 16 * 4);
  return file + dib;
}

// A bare bitmap with the 12-byte core header, 8 bits, a grey table.
QByteArray CoreHeaderBitmap(int width, int height) {
  QByteArray dib;
  Put32(dib, 12);
  Put16(dib, width);
  Put16(dib, height);
  Put16(dib, 1);
  Put16(dib, 8);
  for (int i = 0; i < 256; ++i) dib.append(char(i)).append(char(i)).append(char(i));
  int stride = (8 * width + 31) / 32 * 4;
  for (int y = 0; y < height; ++y) {
    QByteArray row(stride, '\0');
    for (int x = 0; x < width; ++x) row[x] = char(10 * x + y);
    dib.append(row);
  }
  return dib;
}

class ClipboardTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override { ASSERT_EQ(Start(), StartResult::kRunning); }
  void TearDown() override { QGuiApplication::clipboard()->clear(); }

  void Offer(const QByteArray& bmp) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kBitmapMimeType), bmp);
    QGuiApplication::clipboard()->setMimeData(data);
  }
};

TEST_F(ClipboardTest, AFourBitBitmapBecomesATrueColourPictureWithItsPaletteColours) {
  Offer(FourBitBmpFile(7, 5));
  ASSERT_TRUE(app->Dispatch(cmd::kPastePicture));
  const ImageRef& picture = Doc().initialPicture;
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Kind(), kKindRgb24);
  ASSERT_EQ(picture->Width(), 7);
  ASSERT_EQ(picture->Height(), 5);
  for (int y = 0; y < 5; ++y) {
    const uint8_t* row = picture->Row(y);  // the first bitmap row is the bottom row
    for (int x = 0; x < 7; ++x) {
      int value = (x + 2 * y) % 16;
      EXPECT_EQ(row[3 * x], 7 * value);
      EXPECT_EQ(row[3 * x + 1], 255 - 16 * value);
      EXPECT_EQ(row[3 * x + 2], 16 * value);
    }
  }
  // No resolution given: 72 dots per inch on both axes.
  EXPECT_EQ(picture->Resolution(), (72u << 16) | 72u);
  EXPECT_EQ(Doc().pictureOrigin, kOriginClipboard);
  EXPECT_EQ(Doc().pictureFileName, "");
  // A pasted picture always moves on to picture editing.
  EXPECT_EQ(Frame().Stage(), 1);
}

TEST_F(ClipboardTest, ACoreHeaderBitmapGetsThreeHundredDotsPerInch) {
  Offer(CoreHeaderBitmap(6, 4));
  ASSERT_TRUE(app->Dispatch(cmd::kPastePicture));
  ASSERT_TRUE(Doc().initialPicture);
  EXPECT_EQ(Doc().initialPicture->Resolution(), (300u << 16) | 300u);
  EXPECT_EQ(Doc().initialPicture->Row(2)[3 * 5], 10 * 5 + 2);
}

TEST_F(ClipboardTest, PasteIsEnabledExactlyWhileThePictureLasts) {
  QAction* paste = Frame().Actions().Action(cmd::kPastePicture);
  QGuiApplication::clipboard()->setText(QStringLiteral("words only"));
  EXPECT_FALSE(paste->isEnabled());
  Offer(FourBitBmpFile(3, 3));
  EXPECT_TRUE(paste->isEnabled());  // the clipboard's change notice refreshed it
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(paste->isEnabled());
  EXPECT_FALSE(app->Dispatch(cmd::kPastePicture));
}

TEST_F(ClipboardTest, AnImageWithoutBitmapBytesIsPastedToo) {
  QImage image(5, 3, QImage::Format_RGB32);
  image.fill(QColor(10, 120, 230));
  image.setPixelColor(0, 0, QColor(200, 0, 0));
  QGuiApplication::clipboard()->setImage(image);
  ASSERT_TRUE(app->Dispatch(cmd::kPastePicture));
  const ImageRef& picture = Doc().initialPicture;
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Kind(), kKindRgb24);
  ASSERT_EQ(picture->Width(), 5);
  ASSERT_EQ(picture->Height(), 3);
  // QImage's top row is the picture's last row.
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const uint8_t* bgr = picture->Row(y) + 3 * x;
      bool red = x == 0 && y == 2;
      EXPECT_EQ(bgr[0], red ? 0 : 230);
      EXPECT_EQ(bgr[1], red ? 0 : 120);
      EXPECT_EQ(bgr[2], red ? 200 : 10);
    }
  }
  // Like a bitmap that states no resolution.
  EXPECT_EQ(picture->Resolution(), (72u << 16) | 72u);
}

TEST_F(ClipboardTest, BitmapBytesLoseTheFileHeaderOnlyWhenTheyHaveOne) {
  QByteArray file = FourBitBmpFile(2, 2);
  EXPECT_EQ(BitmapBytesOf(file), file.mid(14));
  QByteArray bare = CoreHeaderBitmap(2, 2);
  EXPECT_EQ(BitmapBytesOf(bare), bare);
}

}  // namespace
}  // namespace tintara::test
