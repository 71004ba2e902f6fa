#include "platform/color_key_picture.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <array>

#include "platform/color_key_layout.h"

#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

std::vector<CFlossColor> Palette(int count) {
  std::vector<CFlossColor> colors;
  for (int i = 0; i < count; ++i) {
    CFlossColor color;
    color.brandName = i % 2 == 0 ? "Even Paints" : "Odd Paints";
    color.colorName = "Colour " + std::to_string(i);
    color.catalogNumber = 100 + i;
    color.paletteIndex = i;
    color.red = uint8_t(40 * i);
    color.green = uint8_t(200 - 30 * i);
    color.blue = uint8_t(17 * i);
    colors.push_back(color);
  }
  return colors;
}

TEST(ColorKeyPicture, OneRowPerUsedColourWithItsPaintSwatch) {
  std::vector<CFlossColor> palette = Palette(6);
  ImageRef twoColours = test::MakeIndex(8, 8, [](int x, int) { return x < 4 ? 1 : 4; });
  ImageRef threeColours = test::MakeIndex(8, 8, [](int x, int) { return x < 3 ? 1 : x < 6 ? 3 : 4; });
  QImage two = RenderColorKey(palette, *twoColours, 1);
  QImage three = RenderColorKey(palette, *threeColours, 1);
  ASSERT_FALSE(two.isNull());
  ASSERT_FALSE(three.isNull());
  int rowHeight = three.height() - two.height();
  EXPECT_GT(rowHeight, 20);
  EXPECT_EQ(two.width(), three.width());
  // The scale multiplies every length.
  QImage sharp = RenderColorKey(palette, *twoColours, 2);
  EXPECT_EQ(sharp.size(), two.size() * 2);
  // Somewhere in the first row the paint's own colour shows; in the second row the next one.
  auto rowShows = [&](const QImage& key, int row, const CFlossColor& color) {
    int bottom = key.height() - 28 - (1 - row) * rowHeight;  // two rows end above the margin
    for (int y = bottom - rowHeight; y < bottom; ++y) {
      for (int x = 0; x < key.width() / 4; ++x) {
        if (key.pixelColor(x, y) == QColor(color.red, color.green, color.blue)) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(rowShows(two, 0, palette[1]));
  EXPECT_TRUE(rowShows(two, 1, palette[4]));
  EXPECT_FALSE(rowShows(two, 0, palette[4]));
}

TEST(ColorKeyPicture, NothingToShowGivesNoPicture) {
  ImageRef grey16 = test::MakeSolid(4, 4, 1, 2, 3);  // not an index image
  EXPECT_TRUE(RenderColorKey(Palette(3), *grey16).isNull());
  // Positions beyond the palette are still listed, without a name.
  ImageRef index = test::MakeIndex(4, 4, [](int, int) { return 9; });
  EXPECT_FALSE(RenderColorKey(Palette(3), *index).isNull());
}

// Four paints of one brand with long catalogue numbers, as real brands have.
std::vector<CFlossColor> BrandPalette(int lastCatalogue, const std::string& brand) {
  std::vector<CFlossColor> colors = Palette(4);
  const char* names[] = {"Warm Grey Very Light", "Cadmium Red Deep", "Ultramarine Blue", "Lemon"};
  for (int i = 0; i < 4; ++i) {
    colors[size_t(i)].colorName = names[i];
    colors[size_t(i)].brandName = brand;
    colors[size_t(i)].catalogNumber = 12340 + i;
  }
  colors[3].catalogNumber = lastCatalogue;
  return colors;
}

bool IsInk(QColor pixel) { return pixel != QColor(Qt::white); }

TEST(ColorKeyPicture, TitleAndSubtitleAreSeparateLinesAtEveryScale) {
  ImageRef index = test::MakeIndex(8, 8, [](int x, int) { return x / 2; });
  for (int scale : {1, 2, 3}) {
    QImage key = RenderColorKey(BrandPalette(12343, "Harmonia Artist Acrylics"), *index, scale);
    ASSERT_FALSE(key.isNull());
    // Runs of rows with ink above the rule that closes the header.
    int runs = 0;
    bool inRun = false;
    for (int y = 0; y < key.height(); ++y) {
      int inked = 0;
      for (int x = 0; x < key.width(); ++x) inked += IsInk(key.pixelColor(x, y)) ? 1 : 0;
      if (inked > key.width() * 3 / 4) break;  // the rule
      if (inked > 0 && !inRun) ++runs;
      inRun = inked > 0;
    }
    EXPECT_EQ(runs, 2) << "scale " << scale;
  }
}

TEST(ColorKeyPicture, EveryDigitAndEveryLetterOfTheBrandShows) {
  ImageRef index = test::MakeIndex(8, 8, [](int x, int) { return x / 2; });
  for (int scale : {1, 2}) {
    QImage key = RenderColorKey(BrandPalette(12345, "Harmonia Artist Acrylics"), *index, scale);
    // Only the last digit differs, then only the last letter of the brand.
    QImage otherDigit =
        RenderColorKey(BrandPalette(12347, "Harmonia Artist Acrylics"), *index, scale);
    QImage otherLetter =
        RenderColorKey(BrandPalette(12345, "Harmonia Artist Acrylicz"), *index, scale);
    EXPECT_NE(key, otherDigit) << "scale " << scale;
    EXPECT_NE(key, otherLetter) << "scale " << scale;
  }
}

ColorKeyRowText Row(const char* number, const QString& name, const char* catalogue,
                    const char* brand) {
  return {QString::fromLatin1(number), name, QString::fromLatin1(catalogue),
          QString::fromLatin1(brand)};
}

// Wide enough for the text as the font measures it, and as tall as a line.
void ExpectHolds(const KeyText& text, const QFont& font, const QString& full, bool whole) {
  QFontMetricsF metrics(font);
  EXPECT_LE(metrics.horizontalAdvance(text.text), text.box.width()) << text.text.toStdString();
  EXPECT_LE(metrics.height(), text.box.height()) << text.text.toStdString();
  if (whole) {
    EXPECT_EQ(text.text.toStdString(), full.toStdString());
  }
}

TEST(ColorKeyLayout, BoxesHoldTheirTextsAndNeverOverlap) {
  const QString longName = QString(QStringLiteral("Very long paint name ")).repeated(12);
  const std::vector<ColorKeyRowText> ordinary = {
      Row("1", QStringLiteral("Warm Grey Very Light"), "No. 1234567", "Harmonia Artist Acrylics"),
      Row("128", QStringLiteral("Lemon"), "", "Harmonia Artist Acrylics"), Row("256", {}, "", "")};
  std::vector<ColorKeyRowText> tooLong = ordinary;
  tooLong[1].name = longName;
  for (int scale : {1, 2, 3}) {
    for (bool fitsInFull : {true, false}) {
      const auto& rows = fitsInFull ? ordinary : tooLong;
      QString headline = QStringLiteral("3 colors  ·  Harmonia Artist Acrylics");
      ColorKeyLayout layout = LayOutColorKey(headline, rows, scale);
      QRect picture(QPoint(0, 0), layout.size);
      ExpectHolds(layout.title, layout.fonts.title, QStringLiteral("Color key"), true);
      ExpectHolds(layout.headline, layout.fonts.headline, headline, true);
      EXPECT_FALSE(layout.title.box.intersects(layout.headline.box));
      EXPECT_LT(layout.headline.box.bottom(), layout.ruleY);
      ASSERT_EQ(layout.rows.size(), rows.size());
      for (size_t i = 0; i < rows.size(); ++i) {
        const ColorKeyRowLayout& row = layout.rows[i];
        const ColorKeyRowText& text = rows[i];
        SCOPED_TRACE(testing::Message() << "scale " << scale << " row " << i << " fits "
                                        << fitsInFull);
        EXPECT_GT(row.band.top(), layout.ruleY);
        ExpectHolds(row.number, layout.fonts.number, text.number, true);
        ExpectHolds(row.name, layout.fonts.name, text.name, fitsInFull || i != 1);
        ExpectHolds(row.catalogue, layout.fonts.detail, text.catalogue, true);
        ExpectHolds(row.brand, layout.fonts.detail, text.brand, true);
        std::array<QRect, 5> boxes = {row.swatch, row.number.box, row.name.box,
                                      row.catalogue.box, row.brand.box};
        for (size_t a = 0; a < boxes.size(); ++a) {
          EXPECT_TRUE(picture.contains(boxes[a])) << a;
          EXPECT_TRUE(row.band.contains(boxes[a])) << a;
          for (size_t b = a + 1; b < boxes.size(); ++b) {
            if (!boxes[a].isEmpty() && !boxes[b].isEmpty()) {
              EXPECT_FALSE(boxes[a].intersects(boxes[b])) << a << " and " << b;
            }
          }
        }
      }
      if (!fitsInFull) {
        EXPECT_TRUE(layout.rows[1].name.text.endsWith(QChar(0x2026)));
      }
    }
  }
}

}  // namespace
}  // namespace tintara
