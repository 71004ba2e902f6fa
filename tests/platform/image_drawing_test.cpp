#include "platform/image_drawing.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

PreviewTables UnevenTables() {
  PreviewTables tables;
  for (int v = 0; v < 256; ++v) {
    tables.red[size_t(v)] = uint8_t(v * 7 + 3);
    tables.green[size_t(v)] = uint8_t(255 - v);
    tables.blue[size_t(v)] = uint8_t(v / 3 + 40);
  }
  return tables;
}

// The picture with the tables applied to every pixel beforehand.
ImageRef ConvertedFirst(const ImageBuffer& photo, const PreviewTables& tables) {
  ImageRef converted = ImageBuffer::Create(kKindRgb24, photo.Width(), photo.Height());
  for (int32_t y = 0; y < photo.Height(); ++y) {
    const uint8_t* in = photo.Row(y);
    uint8_t* out = converted->WritableRows().value().Row(y);
    for (int32_t x = 0; x < photo.Width(); ++x) {
      out[3 * x] = tables.blue[in[3 * x]];
      out[3 * x + 1] = tables.green[in[3 * x + 1]];
      out[3 * x + 2] = tables.red[in[3 * x + 2]];
    }
  }
  return converted;
}

QImage Draw(const ImageBuffer& image, const ZoomFactor& zoom, Point scroll, const QRect& clip,
            qreal ratio, const PreviewTables* tables) {
  QImage window(QSize(240, 170) * ratio, QImage::Format_RGB32);
  window.setDevicePixelRatio(ratio);
  window.fill(qRgb(1, 2, 3));
  QPainter painter(&window);
  DrawImageBuffer(painter, image, zoom, scroll, clip, tables);
  return window;
}

// Converting the scaled window pixels must show exactly what scaling the
// converted picture shows, at any zoom, scroll position, clip and pixel ratio.
TEST(ImageDrawing, PreviewTablesMatchConvertingThePictureFirst) {
  ImageRef photo = test::MakePhoto(97, 61, 5);
  PreviewTables tables = UnevenTables();
  ImageRef expectedSource = ConvertedFirst(*photo, tables);
  const ZoomFactor zooms[] = {{250, 1000}, {667, 1000}, {1000, 1000}, {1330, 1000},
                              {2000, 1000}, {3000, 1000}, {16000, 1000}};
  const Point scrolls[] = {{-20, -15}, {0, 0}, {13, 7}, {101, 57}};
  const QRect clips[] = {QRect(0, 0, 240, 170), QRect(37, 21, 150, 91)};
  int compared = 0;
  for (qreal ratio : {1.0, 2.0}) {
    for (const ZoomFactor& zoom : zooms) {
      for (Point scroll : scrolls) {
        for (const QRect& clip : clips) {
          SCOPED_TRACE(testing::Message() << "zoom " << zoom.numerator << " scroll " << scroll.x
                                          << "," << scroll.y << " clip " << clip.x() << " ratio "
                                          << ratio);
          QImage expected = Draw(*expectedSource, zoom, scroll, clip, ratio, nullptr);
          QImage shown = Draw(*photo, zoom, scroll, clip, ratio, &tables);
          ASSERT_TRUE(shown == expected);
          if ((PictureWindowRect({97, 61}, zoom, scroll) & clip).isEmpty()) continue;
          // Some of the picture is on screen, so the tables must have changed pixels.
          EXPECT_TRUE(shown != Draw(*photo, zoom, scroll, clip, ratio, nullptr));
          ++compared;
        }
      }
    }
  }
  EXPECT_GT(compared, 80);  // of 112: the far scroll at small zooms leaves the picture out of view
}

TEST(ImageDrawing, PreviewTablesLeaveIndexedPicturesAlone) {
  ImageRef index = test::MakeIndex(40, 30, [](int32_t x, int32_t y) { return uint8_t(x ^ y); });
  PreviewTables tables = UnevenTables();
  QRect clip(0, 0, 240, 170);
  EXPECT_TRUE(Draw(*index, {2000, 1000}, {-5, -5}, clip, 1.0, &tables) ==
              Draw(*index, {2000, 1000}, {-5, -5}, clip, 1.0, nullptr));
}

}  // namespace
}  // namespace tintara
