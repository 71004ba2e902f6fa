#include <gtest/gtest.h>

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <array>
#include <cmath>
#include <vector>

#include "colors/page_settings.h"
#include "platform/pdf_pages.h"

namespace tintara {
namespace {

// Each paper in each orientation, as the writer lays out its page.
struct KeyPage {
  QSize size;
  PrintDeviceMetrics device;
  int lineHeight = 0;
  QFontMetricsF metrics{QFont()};
};

std::vector<KeyPage> EveryKeyPage() {
  std::vector<KeyPage> pages;
  for (const PaperSize& paper : PaperSizes()) {
    for (bool landscape : {false, true}) {
      QBuffer buffer;
      buffer.open(QIODevice::WriteOnly);
      QPdfWriter writer(&buffer);
      PdfPageSetup setup;
      setup.paperSize = int(&paper - PaperSizes().data());
      setup.landscape = landscape;
      ConfigurePdfWriter(writer, setup);
      QFontMetricsF metrics(PrintPageFont(), &writer);
      int lineHeight = int(std::ceil(metrics.lineSpacing()));
      QSize size(writer.width(), writer.height());
      PrintDeviceMetrics device{writer.logicalDpiX(), writer.logicalDpiY(), size.width(),
                                size.height()};
      pages.push_back({size, device, lineHeight, metrics});
    }
  }
  return pages;
}

TEST(PdfKey, EntriesStayInsideThePageAndApartFromEachOther) {
  for (const KeyPage& page : EveryKeyPage()) {
    SCOPED_TRACE(testing::Message() << page.size.width() << " x " << page.size.height());
    const QRect sheet(QPoint(0, 0), page.size);
    std::vector<KeyEntryBoxes> entries;
    for (int i = 0; i < 32; ++i) entries.push_back(KeyEntryOnPage(page.device, page.lineHeight, i));
    for (size_t a = 0; a < entries.size(); ++a) {
      const KeyEntryBoxes& entry = entries[a];
      std::array<QRect, 3> own = {entry.sample, entry.patch, entry.text};
      for (const QRect& box : own) EXPECT_TRUE(sheet.contains(box)) << a;
      EXPECT_FALSE(entry.sample.intersects(entry.patch)) << a;
      EXPECT_FALSE(entry.patch.intersects(entry.text)) << a;
      EXPECT_GE(entry.text.height(), 2 * page.lineHeight) << a;
      // The text ends before the next column's sample and the next row.
      for (size_t b = 0; b < entries.size(); ++b) {
        if (b == a) continue;
        for (const QRect& other : {entries[b].sample, entries[b].patch, entries[b].text}) {
          for (const QRect& box : own) EXPECT_FALSE(box.intersects(other)) << a << " and " << b;
        }
      }
    }
  }
}

TEST(PdfKey, TextLinesFitTheirBoxAndAreWholeWhenThereIsRoom) {
  CFlossColor color;
  color.colorName = "Warm Grey Very Light";
  color.brandName = "Harmonia Artist Acrylics";
  color.catalogNumber = 1234567;
  const QStringList whole = {"  Warm Grey Very Light", "  1234567, Harmonia Artist Acrylics"};
  std::vector<KeyPage> pages = EveryKeyPage();
  for (size_t p = 0; p < pages.size(); ++p) {
    const KeyPage& page = pages[p];
    int width = KeyEntryOnPage(page.device, page.lineHeight, 1).text.width();
    QStringList lines = KeyTextLines(color, page.metrics, width);
    ASSERT_EQ(lines.size(), 2);
    for (int i = 0; i < 2; ++i) {
      EXPECT_LE(page.metrics.horizontalAdvance(lines[i]), width) << p;
      // Elided only on a page too narrow for the line.
      if (page.metrics.horizontalAdvance(whole[i]) <= width) {
        EXPECT_EQ(lines[i], whole[i]) << p;
      }
    }
  }
  // A4 upright, the usual page, has room for both lines.
  const KeyPage& a4 = pages[3 * 2];
  EXPECT_EQ(KeyTextLines(color, a4.metrics, KeyEntryOnPage(a4.device, a4.lineHeight, 0).text.width()),
            whole);
  const QFontMetricsF& metrics = pages.front().metrics;
  color.colorName = std::string(200, 'W');
  color.catalogNumber = -1;  // no number: the brand alone
  QStringList narrow = KeyTextLines(color, metrics, 300);
  ASSERT_EQ(narrow.size(), 2);
  for (const QString& line : narrow) EXPECT_LE(metrics.horizontalAdvance(line), 300.0);
  EXPECT_TRUE(narrow[0].endsWith(QChar(0x2026)));
  EXPECT_TRUE(QStringLiteral("  Harmonia Artist Acrylics").startsWith(narrow[1].chopped(1)) ||
              narrow[1] == "  Harmonia Artist Acrylics");
}

}  // namespace
}  // namespace tintara
