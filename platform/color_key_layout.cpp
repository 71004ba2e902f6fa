#include "platform/color_key_layout.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace tintara {

namespace {

constexpr int kWidth = 720;      // the narrowest picture
constexpr int kMaxWidth = 1400;  // wider texts are elided
constexpr int kMargin = 28;
constexpr int kHeaderTop = 14;
constexpr int kHeaderHeight = 74;  // at least, from the top to the first row
constexpr int kRowHeight = 40;     // at least
constexpr int kSwatchWidth = 58;
constexpr int kSwatchHeight = 28;
constexpr int kNumberGap = 12;
constexpr int kNumberWidth = 44;  // at least
constexpr int kColumnGap = 16;
constexpr int kTextPadding = 8;  // above and below the tallest text of a row

QFont KeyFont(qreal points, bool bold, int scale) {
  QFont font(QStringLiteral("Arial"));
  // Pixel sizes, so that the picture's resolution does not scale the text a
  // second time.
  font.setPixelSize(qRound(points * 96.0 / 72.0 * scale));
  font.setBold(bold);
  return font;
}

ColorKeyFonts ColorKeyFontsAt(int scale) {
  return {KeyFont(17, true, scale), KeyFont(10, false, scale), KeyFont(12, true, scale),
          KeyFont(10.5, false, scale), KeyFont(9.5, false, scale)};
}

// The whole width the text takes, ink included.
int TextWidth(const QFont& font, const QString& text) {
  if (text.isEmpty()) return 0;
  QFontMetricsF metrics(font);
  qreal ink = metrics.boundingRect(text).right();
  return int(std::ceil(std::max(metrics.horizontalAdvance(text), ink)));
}

int TextHeight(const QFont& font) { return int(std::ceil(QFontMetricsF(font).height())); }

KeyText Fitted(const QFont& font, const QString& text, QRect box) {
  if (TextWidth(font, text) <= box.width()) return {box, text};
  QFontMetricsF metrics(font);
  QString shown = metrics.elidedText(text, Qt::ElideRight, box.width());
  // The last letter's ink may reach past its advance.
  for (qreal room = box.width() - 1; room > 0 && TextWidth(font, shown) > box.width(); --room) {
    shown = metrics.elidedText(text, Qt::ElideRight, room);
  }
  return {box, shown};
}

template <typename Field>
int WidestOf(const std::vector<ColorKeyRowText>& rows, const QFont& font, Field field) {
  int widest = 0;
  for (const ColorKeyRowText& row : rows) widest = std::max(widest, TextWidth(font, row.*field));
  return widest;
}

// The columns' left edges and widths across one row.
struct Columns {
  int width = 0;  // of the picture
  int numberLeft = 0, numberWidth = 0;
  int nameLeft = 0, nameWidth = 0;
  int catalogueLeft = 0, catalogueWidth = 0;
  int brandLeft = 0, brandWidth = 0;
};

Columns PlanColumns(const std::vector<ColorKeyRowText>& rows, const ColorKeyFonts& fonts,
                    int headlineWidth, int scale) {
  const int gap = kColumnGap * scale;
  const int margin = kMargin * scale;
  Columns c;
  c.numberLeft = margin + (kSwatchWidth + kNumberGap) * scale;
  c.numberWidth =
      std::max(kNumberWidth * scale, WidestOf(rows, fonts.number, &ColorKeyRowText::number));
  c.nameLeft = c.numberLeft + c.numberWidth + gap;
  c.catalogueWidth = WidestOf(rows, fonts.detail, &ColorKeyRowText::catalogue);
  int nameWidth = WidestOf(rows, fonts.name, &ColorKeyRowText::name);
  int brandWidth = WidestOf(rows, fonts.detail, &ColorKeyRowText::brand);
  int fixed = c.nameLeft + c.catalogueWidth + 2 * gap + margin;  // all but names and brands
  int wanted = std::max(fixed + nameWidth + brandWidth, 2 * margin + headlineWidth);
  c.width = std::clamp(wanted, kWidth * scale, kMaxWidth * scale);
  int room = c.width - fixed;
  // Spare room goes to the names, so that the details line up on the right;
  // short of room, a long name is elided before the brand is.
  c.brandWidth = std::min(brandWidth, std::max(room - nameWidth, room / 2));
  c.nameWidth = room - c.brandWidth;
  c.catalogueLeft = c.nameLeft + c.nameWidth + gap;
  c.brandLeft = c.catalogueLeft + c.catalogueWidth + gap;
  return c;
}

}  // namespace

ColorKeyLayout LayOutColorKey(const QString& headline, const std::vector<ColorKeyRowText>& rows,
                              int scale) {
  ColorKeyLayout layout;
  layout.fonts = ColorKeyFontsAt(scale);
  const ColorKeyFonts& fonts = layout.fonts;
  const QString title = QStringLiteral("Color key");
  Columns c = PlanColumns(rows, fonts, std::max(TextWidth(fonts.headline, headline),
                                               TextWidth(fonts.title, title)), scale);
  const int margin = kMargin * scale;
  const int textWidth = c.width - 2 * margin;
  QRect titleBox(margin, kHeaderTop * scale, textWidth, TextHeight(fonts.title));
  layout.title = Fitted(fonts.title, title, titleBox);
  QRect headlineBox(margin, titleBox.bottom() + 1 + 2 * scale, textWidth,
                    TextHeight(fonts.headline));
  layout.headline = Fitted(fonts.headline, headline, headlineBox);
  layout.ruleY = std::max(headlineBox.bottom() + 1 + 6 * scale, (kHeaderHeight - 6) * scale);
  const int firstRow = layout.ruleY + 6 * scale;
  int tallest =
      std::max({TextHeight(fonts.number), TextHeight(fonts.name), TextHeight(fonts.detail)});
  const int rowHeight = std::max(kRowHeight * scale, tallest + 2 * kTextPadding * scale);
  for (size_t i = 0; i < rows.size(); ++i) {
    const ColorKeyRowText& text = rows[i];
    int top = firstRow + int(i) * rowHeight;
    ColorKeyRowLayout row;
    row.band = QRect(margin - 8 * scale, top, textWidth + 16 * scale, rowHeight);
    row.swatch = QRect(margin, top + (rowHeight - kSwatchHeight * scale) / 2, kSwatchWidth * scale,
                       kSwatchHeight * scale);
    row.number =
        Fitted(fonts.number, text.number, QRect(c.numberLeft, top, c.numberWidth, rowHeight));
    row.name = Fitted(fonts.name, text.name, QRect(c.nameLeft, top, c.nameWidth, rowHeight));
    row.catalogue = Fitted(fonts.detail, text.catalogue,
                           QRect(c.catalogueLeft, top, c.catalogueWidth, rowHeight));
    row.brand = Fitted(fonts.detail, text.brand, QRect(c.brandLeft, top, c.brandWidth, rowHeight));
    layout.rows.push_back(row);
  }
  layout.size = QSize(c.width, firstRow + int(rows.size()) * rowHeight + margin);
  return layout;
}

}  // namespace tintara
