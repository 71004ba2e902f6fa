#include <gtest/gtest.h>

#include <QImage>
#include <QPixmapCache>

#include "app/command_icons.h"

namespace tintara {
namespace {

TEST(Pictograms, EachLookIsDrawnOnceAndShared) {
  QPixmapCache::clear();
  QPixmap normal = GlyphPixmap(Glyph::kSave, 24, 1.0, false);
  ASSERT_FALSE(normal.isNull());
  EXPECT_EQ(GlyphPixmap(Glyph::kSave, 24, 1.0, false).cacheKey(), normal.cacheKey());

  // Every other glyph, size, ratio or state is a look of its own.
  QPixmap disabled = GlyphPixmap(Glyph::kSave, 24, 1.0, true);
  QPixmap other = GlyphPixmap(Glyph::kOpen, 24, 1.0, false);
  QPixmap larger = GlyphPixmap(Glyph::kSave, 32, 1.0, false);
  QPixmap sharp = GlyphPixmap(Glyph::kSave, 24, 2.0, false);
  for (const QPixmap* look : {&disabled, &other, &larger, &sharp}) {
    EXPECT_NE(look->cacheKey(), normal.cacheKey());
  }
  EXPECT_NE(other.toImage(), normal.toImage());
  EXPECT_EQ(larger.size(), QSize(32, 32));
  EXPECT_EQ(sharp.size(), QSize(48, 48));
  EXPECT_EQ(sharp.devicePixelRatio(), 2.0);

  // The disabled look is the normal one in faded grey.
  QImage plain = normal.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage faded = disabled.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  int inked = 0;
  ASSERT_EQ(faded.size(), plain.size());
  for (int y = 0; y < plain.height(); ++y) {
    const QRgb* plainRow = reinterpret_cast<const QRgb*>(plain.constScanLine(y));
    const QRgb* fadedRow = reinterpret_cast<const QRgb*>(faded.constScanLine(y));
    for (int x = 0; x < plain.width(); ++x) {
      QRgb p = plainRow[x];
      QRgb f = fadedRow[x];
      EXPECT_EQ(qAlpha(f), qAlpha(p) * 2 / 5);
      EXPECT_TRUE(qRed(f) == qGreen(f) && qGreen(f) == qBlue(f));
      if (qAlpha(p) > 0) ++inked;
    }
  }
  EXPECT_GT(inked, 24 * 24 / 8);

  // Once the cache lets it go, the look is drawn again, the same.
  QImage before = normal.toImage();
  QPixmapCache::clear();
  QPixmap again = GlyphPixmap(Glyph::kSave, 24, 1.0, false);
  EXPECT_NE(again.cacheKey(), normal.cacheKey());
  EXPECT_EQ(again.toImage(), before);
}

}  // namespace
}  // namespace tintara
