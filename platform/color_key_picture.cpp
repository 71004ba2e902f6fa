#include "platform/color_key_picture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <new>
#include <string>

#include "pattern/used_colors.h"

namespace tintara {

namespace {

constexpr int kWidth = 720;
constexpr int kMargin = 28;
constexpr int kHeaderHeight = 74;
constexpr int kRowHeight = 40;
constexpr int kSwatchWidth = 58;
constexpr int kSwatchHeight = 28;

const QColor kInk(40, 40, 44);
const QColor kMuted(110, 110, 116);
const QColor kRule(220, 214, 204);

QFont KeyFont(qreal points, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

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

void PaintRow(QPainter& painter, int top, int position, const CFlossColor* color) {
  QRect swatch(kMargin, top + (kRowHeight - kSwatchHeight) / 2, kSwatchWidth, kSwatchHeight);
  painter.setPen(QPen(QColor(90, 90, 96), 1));
  painter.setBrush(color != nullptr ? QColor(color->red, color->green, color->blue)
                                    : QColor(Qt::white));
  painter.drawRoundedRect(swatch, 4, 4);
  painter.setPen(kInk);
  painter.setFont(KeyFont(12, true));
  QRect number(swatch.right() + 12, top, 44, kRowHeight);
  painter.drawText(number, Qt::AlignRight | Qt::AlignVCenter, QString::number(position + 1));
  int textLeft = number.right() + 16;
  if (color == nullptr) return;
  painter.setFont(KeyFont(10.5));
  QRect name(textLeft, top, 300, kRowHeight);
  QFontMetrics metrics(painter.font());
  painter.drawText(name, Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(QString::fromStdString(color->colorName), Qt::ElideRight,
                                      name.width()));
  painter.setPen(kMuted);
  painter.setFont(KeyFont(9.5));
  QString catalogue = color->catalogNumber >= 0
                          ? QStringLiteral("No. %1").arg(color->catalogNumber)
                          : QString();
  painter.drawText(QRect(name.right() + 8, top, 80, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   catalogue);
  QRect brand(name.right() + 96, top, kWidth - kMargin - name.right() - 96, kRowHeight);
  painter.drawText(brand, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(painter.font())
                       .elidedText(QString::fromStdString(color->brandName), Qt::ElideRight,
                                   brand.width()));
}

}  // namespace

QImage RenderColorKey(std::span<const CFlossColor> workingPalette, const ImageBuffer& indexImage,
                      int scale) {
  std::vector<int> used = UsedPositions(&indexImage);
  if (used.empty() || scale < 1) return {};
  int height = kHeaderHeight + int(used.size()) * kRowHeight + kMargin;
  QImage key;
  try {
    key = QImage(kWidth * scale, height * scale, QImage::Format_RGB32);
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
  painter.scale(scale, scale);
  painter.setPen(kInk);
  painter.setFont(KeyFont(17, true));
  painter.drawText(QRect(kMargin, 14, kWidth - 2 * kMargin, 30), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Color key"));
  painter.setPen(kMuted);
  painter.setFont(KeyFont(10));
  painter.drawText(QRect(kMargin, 42, kWidth - 2 * kMargin, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   Headline(workingPalette, used));
  for (size_t i = 0; i < used.size(); ++i) {
    int top = kHeaderHeight + int(i) * kRowHeight;
    if (i % 2 == 1) painter.fillRect(QRect(kMargin - 8, top, kWidth - 2 * kMargin + 16, kRowHeight),
                                     QColor(249, 247, 243));
    int position = used[i];
    const CFlossColor* color =
        position < int(workingPalette.size()) ? &workingPalette[size_t(position)] : nullptr;
    PaintRow(painter, top, position, color);
  }
  painter.setPen(kRule);
  painter.drawLine(kMargin, kHeaderHeight - 6, kWidth - kMargin, kHeaderHeight - 6);
  return key;
}

}  // namespace tintara
