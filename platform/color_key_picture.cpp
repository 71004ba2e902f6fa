#include "platform/color_key_picture.h"

#include <QPainter>
#include <QStringList>
#include <new>
#include <string>

#include "pattern/used_colors.h"
#include "platform/color_key_layout.h"

namespace tintara {

namespace {

const QColor kInk(40, 40, 44);
const QColor kMuted(110, 110, 116);
const QColor kRule(220, 214, 204);

QString Headline(std::span<const CFlossColor> palette, const std::vector<int>& used) {
  QString text = used.size() == 1 ? QStringLiteral("1 color") :
                                    QStringLiteral("%1 colors").arg(used.size());
  std::vector<std::string> brands = BrandsOf(used, palette);
  if (!brands.empty()) {
    QStringList names;
    for (const std::string& brand : brands) names.append(QString::fromStdString(brand));
    text += QStringLiteral("  ·  ") + names.join(QStringLiteral(", "));
  }
  return text;
}

const CFlossColor* ColorAt(std::span<const CFlossColor> palette, int position) {
  return position < int(palette.size()) ? &palette[size_t(position)] : nullptr;
}

std::vector<ColorKeyRowText> RowTexts(std::span<const CFlossColor> palette,
                                      const std::vector<int>& used) {
  std::vector<ColorKeyRowText> rows;
  for (int position : used) {
    ColorKeyRowText row;
    row.number = QString::number(position + 1);
    if (const CFlossColor* color = ColorAt(palette, position)) {
      row.name = QString::fromStdString(color->colorName);
      if (color->catalogNumber >= 0) {
        row.catalogue = QStringLiteral("No. %1").arg(color->catalogNumber);
      }
      row.brand = QString::fromStdString(color->brandName);
    }
    rows.push_back(row);
  }
  return rows;
}

void DrawText(QPainter& painter, const KeyText& text, const QFont& font, const QColor& pen,
              Qt::Alignment align = Qt::AlignLeft) {
  painter.setFont(font);
  painter.setPen(pen);
  painter.drawText(text.box, int(align | Qt::AlignVCenter), text.text);
}

void PaintRow(QPainter& painter, const ColorKeyRowLayout& row, const ColorKeyFonts& fonts,
              const CFlossColor* color, int scale) {
  painter.setPen(QPen(QColor(90, 90, 96), scale));
  painter.setBrush(color != nullptr ? QColor(color->red, color->green, color->blue)
                                    : QColor(Qt::white));
  painter.drawRoundedRect(row.swatch, 4 * scale, 4 * scale);
  DrawText(painter, row.number, fonts.number, kInk, Qt::AlignRight);
  DrawText(painter, row.name, fonts.name, kInk);
  DrawText(painter, row.catalogue, fonts.detail, kMuted);
  DrawText(painter, row.brand, fonts.detail, kMuted);
}

}  // namespace

QImage RenderColorKey(std::span<const CFlossColor> workingPalette, const ImageBuffer& indexImage,
                      int scale) {
  std::vector<int> used = UsedPositions(&indexImage);
  if (used.empty() || scale < 1) return {};
  ColorKeyLayout layout = LayOutColorKey(Headline(workingPalette, used),
                                         RowTexts(workingPalette, used), scale);
  QImage key;
  try {
    key = QImage(layout.size, QImage::Format_RGB32);
  } catch (const std::bad_alloc&) {
    return {};
  }
  if (key.isNull()) return {};
  key.fill(Qt::white);
  key.setDotsPerMeterX(qRound(96.0 * scale / 0.0254));
  key.setDotsPerMeterY(key.dotsPerMeterX());
  QPainter painter(&key);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawText(painter, layout.title, layout.fonts.title, kInk);
  DrawText(painter, layout.headline, layout.fonts.headline, kMuted);
  for (size_t i = 0; i < used.size(); ++i) {
    const ColorKeyRowLayout& row = layout.rows[i];
    if (i % 2 == 1) painter.fillRect(row.band, QColor(249, 247, 243));
    PaintRow(painter, row, layout.fonts, ColorAt(workingPalette, used[i]), scale);
  }
  painter.setPen(QPen(kRule, scale));
  const int margin = layout.title.box.left();
  painter.drawLine(margin, layout.ruleY, layout.size.width() - margin, layout.ruleY);
  return key;
}

}  // namespace tintara
