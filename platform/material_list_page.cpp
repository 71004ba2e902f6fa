#include "platform/material_list_page.h"

#include <algorithm>
#include <cmath>

#include "pattern/swatches.h"
#include "platform/picture_files.h"

namespace tintara {

namespace {

const QColor kDarkInk(0, 0, 0);

void DrawSwatchImage(QPainter& painter, const Swatch& swatch) {
  const LtrbRect& d = swatch.destination;
  painter.drawImage(QRect(d.left, d.top, d.right - d.left, d.bottom - d.top),
                    ImageToQImage(*swatch.image));
}

// The sample as the pattern shows the colour: its number on numbered
// patterns (not outlined), its texture or flat tone on the others (outlined).
void DrawSample(QPainter& painter, const CTesselParams& params, int position, QRect cell) {
  LtrbRect rect{cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1};
  if (params.patternType == kPatternNumbers) {
    if (auto swatch = DrawGlyphSwatch(rect, position + 1, 0)) DrawSwatchImage(painter, *swatch);
    return;
  }
  auto texture = KeySwatchTexture(params.patternType, position, int(params.workingPalette.size()));
  if (texture) {
    if (auto swatch = DrawTextureSwatch(rect, texture->tile, texture->offset)) {
      DrawSwatchImage(painter, *swatch);
    }
  }
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(cell);
}

const ShoppingItem* ItemAt(const ShoppingList* list, int position) {
  if (list == nullptr) return nullptr;
  for (const ShoppingItem& item : list->items) {
    if (item.position == position) return &item;
  }
  return nullptr;
}

QString PotsText(int pots, const PaintCoverage& coverage) {
  return QStringLiteral("%1 %2 of %3 ml")
      .arg(pots)
      .arg(pots == 1 ? QStringLiteral("pot") : QStringLiteral("pots"))
      .arg(coverage.potMillilitres);
}

}  // namespace

KeyEntryBoxes KeyEntryOnPage(const PrintDeviceMetrics& device, int lineHeight, int indexOnPage,
                             int lineCount) {
  MaterialListCell cell = MaterialListCellOf(device, indexOnPage);
  KeyEntryBoxes boxes;
  boxes.sample = QRect(cell.x0, cell.top, cell.side, cell.side);
  boxes.patch = QRect(cell.x1, cell.top, cell.side, cell.side);
  const int columnRight = indexOnPage % 2 == 0 ? MaterialListCellOf(device, 1).x0 - cell.side / 4
                                               : device.width - cell.marginX;
  const int textHeight = lineCount * lineHeight;
  boxes.text = QRect(cell.textX, MaterialTextTop(cell, textHeight),
                     std::max(0, columnRight - cell.textX), textHeight);
  return boxes;
}

QStringList KeyTextLines(const CFlossColor& color, const QFontMetricsF& metrics, int width) {
  QStringList lines =
      QString::fromStdString(MaterialListText(color)).split(QLatin1Char('\n'));
  for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, width);
  return lines;
}

QString ShoppingLine(const ShoppingItem& item, const PaintCoverage& coverage) {
  return QStringLiteral("  %1 %, %2 cm², %3 ml: %4")
      .arg(item.share * 100, 0, 'f', 1)
      .arg(item.areaCm2, 0, 'f', 1)
      .arg(item.paintMl, 0, 'f', 2)
      .arg(PotsText(item.pots, coverage));
}

QString ShoppingTotalLine(const ShoppingList& list, const PaintCoverage& coverage) {
  return QStringLiteral("Paint for %1 cm² (%2 ml per 10 cm², %3 coats): %4 ml, %5")
      .arg(list.areaCm2, 0, 'f', 1)
      .arg(coverage.microlitresPer10Cm2 / 1000.0, 0, 'g', 3)
      .arg(coverage.coats)
      .arg(list.paintMl, 0, 'f', 1)
      .arg(PotsText(list.pots, coverage));
}

int MaterialListPageCount(const CTesselParams& params) {
  int colors = int(params.workingPalette.size());
  return std::max(1, (colors + kMaterialColorsPerPage - 1) / kMaterialColorsPerPage);
}

void DrawMaterialListPage(QPainter& painter, const PrintDeviceMetrics& device,
                          const CTesselParams& params, int page, const ShoppingOnPage& shopping) {
  QFontMetricsF metrics(painter.font(), painter.device());
  const int lineHeight = int(std::ceil(metrics.lineSpacing()));
  const int colors = int(params.workingPalette.size());
  const int first = (page - 1) * kMaterialColorsPerPage;
  painter.setPen(QPen(kDarkInk, 0));
  if (shopping.list != nullptr) {
    MaterialListCell cell = MaterialListCellOf(device, 0);
    painter.drawText(QRect(cell.marginX, cell.marginY, device.width - 2 * cell.marginX,
                           2 * lineHeight),
                     Qt::AlignLeft | Qt::AlignTop,
                     ShoppingTotalLine(*shopping.list, shopping.coverage));
  }
  for (int i = 0; i < kMaterialColorsPerPage && first + i < colors; ++i) {
    const int position = first + i;
    const CFlossColor& color = params.workingPalette[size_t(position)];
    const ShoppingItem* item = ItemAt(shopping.list, position);
    const bool unused = shopping.cells != nullptr && (*shopping.cells)[size_t(position)] == 0;
    KeyEntryBoxes boxes =
        KeyEntryOnPage(device, lineHeight, i, item != nullptr || unused ? 3 : 2);
    DrawSample(painter, params, position, boxes.sample);
    painter.setBrush(QColor(color.red, color.green, color.blue));
    painter.drawRect(boxes.patch);
    painter.setBrush(Qt::NoBrush);
    QStringList lines = KeyTextLines(color, metrics, boxes.text.width());
    if (item != nullptr) {
      lines << metrics.elidedText(ShoppingLine(*item, shopping.coverage), Qt::ElideRight,
                                  boxes.text.width());
    } else if (unused) {
      lines << QStringLiteral("  not used");
    }
    int top = boxes.text.top();
    for (const QString& line : lines) {
      painter.drawText(QRect(boxes.text.left(), top, boxes.text.width(), lineHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, line);
      top += lineHeight;
    }
  }
}

}  // namespace tintara
