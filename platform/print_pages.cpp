#include "platform/print_pages.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/material_list_page.h"
#include "view/print_bands.h"
#include "view/print_layout.h"
#include "view/sheet_extras.h"

namespace tintara {

namespace {

const QColor kMarkedSheet(64, 64, 64);

QList<QRgb> ColorTable(const TileBitmap& bitmap) {
  QList<QRgb> table;
  const uint8_t* entry = bitmap.bytes.data() + kBitmapHeaderSize;
  for (int i = 0; i < bitmap.shape.colors; ++i, entry += 4) {
    table.append(qRgb(entry[2], entry[1], entry[0]));
  }
  return table;
}

QImage::Format FormatOf(int bits) {
  switch (bits) {
    case 1: return QImage::Format_Mono;
    case 24: return QImage::Format_BGR888;
    default: return QImage::Format_Indexed8;
  }
}

void CopyRow(const TileBitmap& bitmap, const uint8_t* from, uchar* to) {
  const TileBitmapShape& shape = bitmap.shape;
  if (shape.bits == 4) {
    for (int32_t x = 0; x < shape.width; ++x) {
      uint8_t byte = from[x / 2];
      to[x] = x % 2 == 0 ? uint8_t(byte >> 4) : uint8_t(byte & 0x0F);
    }
    return;
  }
  std::memcpy(to, from, (size_t(shape.width) * size_t(shape.bits) + 7) / 8);
}

// "Page No p from n²" at twice the printing offset across and once down,
// then on a grid the map of sheets with this one dark, and the sheet's
// colour numbers when asked for. They go on a white plate over the picture,
// so that a picture filling the sheet keeps them readable.
void DrawHeader(QPainter& painter, const PrintSurface& surface, int page, int n,
                const QString& colors) {
  const QString text = QString::fromStdString(PageHeaderText(page, n * n));
  const QFontMetrics metrics = painter.fontMetrics();
  const int textWidth = metrics.horizontalAdvance(text);
  const int textHeight = metrics.height();
  const QPoint at(2 * surface.offset.x(), surface.offset.y());
  int right = at.x() + textWidth;
  if (n > 1) right += 2 * textHeight + (textHeight / n) * n;
  QRect colorsBox;
  if (!colors.isEmpty()) {
    const int left = right + 2 * textHeight;
    colorsBox = painter.boundingRect(
        QRect(left, at.y(), std::max(textHeight, surface.metrics.width - left), textHeight),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, colors);
  }
  const int pad = textHeight / 4;
  QRect plate(at.x(), at.y(), right - at.x(), textHeight);
  if (!colorsBox.isNull()) plate = plate.united(colorsBox);
  painter.fillRect(plate.adjusted(-pad, -pad, pad, pad), Qt::white);
  painter.setPen(QPen(Qt::black, 0));
  painter.drawText(QRect(at, QSize(textWidth + 1, textHeight)), Qt::AlignLeft | Qt::AlignTop, text);
  if (!colorsBox.isNull()) {
    painter.drawText(colorsBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, colors);
  }
  if (n <= 1) return;
  for (int k = 0; k < n * n; ++k) {
    DeviceRect square = PageMapSquare(n, k, at.x(), at.y(), textWidth, textHeight);
    painter.setBrush(k + 1 == page ? QBrush(kMarkedSheet) : QBrush(Qt::white));
    painter.drawRect(square.x, square.y, square.width, square.height);
  }
  painter.setBrush(Qt::NoBrush);
}

// The part of the picture a sheet shows: its own tile, grown by the overlap.
TileRect ShownTile(const ImageBuffer& picture, const TileRect& own, const PrintJobContent& job,
                   const PrintSurface& surface) {
  if (job.pagesPerSide <= 1 || job.sheetAids.overlapMm <= 0) return own;
  DeviceRect fit = FitCentred(own.Width(), own.Height(), surface.metrics.width,
                              surface.metrics.height);
  int32_t overlap = OverlapPixels(job.sheetAids.overlapMm, own.Width(), fit.width,
                                  surface.metrics.dpiX);
  return WithOverlap(own, picture.Width(), picture.Height(), overlap);
}

bool DrawPicturePage(QPainter& painter, const PrintJobContent& job, const PrintSurface& surface,
                     int page) {
  const ImageBuffer& picture = *job.picture;
  const int n = std::max(job.pagesPerSide, 1);
  const TileRect own = PrintTileRect(picture.Width(), picture.Height(), n, page);
  const TileRect shown = ShownTile(picture, own, job, surface);
  std::optional<TileBitmap> bitmap = MakeTileBitmap(picture, shown);
  if (!bitmap) return false;
  const TileBitmapShape& shape = bitmap->shape;
  const DeviceRect fit =
      FitCentred(shape.width, shape.height, surface.metrics.width, surface.metrics.height);
  for (const PrintBand& band : PrintBands(shape.height, fit.height, shape.ImageSize())) {
    QImage part = BitmapBand(*bitmap, band.bitmapTop, band.bitmapRows);
    if (part.isNull()) return false;
    painter.drawImage(QRect(fit.x, fit.y + band.deviceTop, fit.width, band.deviceRows), part);
  }
  const bool aids = n > 1;
  if (aids && job.sheetAids.registrationMarks) {
    // The bitmap starts at a whole byte, which may lie left of the tile.
    TileRect drawn = shown;
    drawn.left = int32_t(int64_t(shape.byteOffset) * 8 / shape.bits);
    for (DevicePoint corner : OwnCornersOnDevice(own, drawn, fit)) {
      DrawRegistrationMark(painter, corner, surface.metrics.dpiX);
    }
  }
  QString colors;
  if (aids && job.sheetAids.colorNumbers) {
    colors = ColorNumbersText(
        ColorNumbersIn(job.indexImage, picture.Width(), picture.Height(), own));
  }
  DrawHeader(painter, surface, page, n, colors);
  return true;
}

}  // namespace

QString ColorNumbersText(const std::vector<int>& numbers) {
  if (numbers.empty()) return {};
  QStringList texts;
  for (int number : numbers) texts << QString::number(number);
  return QStringLiteral("Colors on this sheet: ") + texts.join(QStringLiteral(", "));
}

void DrawRegistrationMark(QPainter& painter, DevicePoint at, int dpi) {
  const int radius = std::max(2, dpi * 2 / 25);
  const int arm = radius * 3 / 2;
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPoint(at.x, at.y), radius, radius);
  painter.drawLine(at.x - arm, at.y, at.x + arm, at.y);
  painter.drawLine(at.x, at.y - arm, at.x, at.y + arm);
}

QImage BitmapBand(const TileBitmap& bitmap, int first, int count) {
  const TileBitmapShape& shape = bitmap.shape;
  if (first < 0 || count <= 0 || first + count > shape.height) return {};
  QImage band;
  try {
    band = QImage(shape.width, count, FormatOf(shape.bits));
  } catch (const std::bad_alloc&) {
    return {};
  }
  if (band.isNull()) return {};
  if (shape.colors > 0) band.setColorTable(ColorTable(bitmap));
  for (int r = 0; r < count; ++r) {
    // The bitmap's rows run bottom-up.
    CopyRow(bitmap, bitmap.Row(shape.height - 1 - (first + r)), band.scanLine(r));
  }
  return band;
}

PrintSurface PrintSurfaceOf(QPagedPaintDevice& device) {
  PrintSurface surface;
  surface.metrics = {device.logicalDpiX(), device.logicalDpiY(), device.width(), device.height()};
  surface.offset = device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft();
  return surface;
}

int PrintPageCount(const PrintJobContent& job) {
  if (job.kind == PrintKind::kMaterialList) {
    return job.params != nullptr ? MaterialListPageCount(*job.params) : 0;
  }
  const int n = std::max(job.pagesPerSide, 1);
  return job.picture != nullptr ? n * n : 0;
}

void DrawPageHeader(QPainter& painter, const PrintSurface& surface, int page, int pagesPerSide,
                    const QString& colors) {
  DrawHeader(painter, surface, page, std::max(pagesPerSide, 1), colors);
}

QFont PrintPageFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8);
  return font;
}

bool DrawPrintPage(QPainter& painter, const PrintJobContent& job, const PrintSurface& surface,
                   int page) {
  painter.save();
  painter.setFont(PrintPageFont());
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::white);
  bool drawn = false;
  if (job.kind == PrintKind::kMaterialList) {
    if (job.params != nullptr) {
      ShoppingList list;
      ShoppingOnPage shopping;
      std::array<uint64_t, 256> cells{};
      if (job.indexImage != nullptr) {
        cells = CountIndexPixels(job.indexImage);
        shopping.cells = &cells;
      }
      if (job.shoppingList && job.indexImage != nullptr) {
        double area = PrintedArea(job.indexImage->Width(), job.indexImage->Height(),
                                  std::max(job.pagesPerSide, 1), surface.metrics);
        list = MakeShoppingList(cells, int(job.params->workingPalette.size()), area, job.coverage);
        shopping.list = &list;
        shopping.coverage = job.coverage;
      }
      DrawMaterialListPage(painter, surface.metrics, *job.params, page, shopping);
      drawn = true;
    }
  } else if (job.picture != nullptr) {
    drawn = DrawPicturePage(painter, job, surface, page);
  }
  painter.restore();
  return drawn;
}

}  // namespace tintara
