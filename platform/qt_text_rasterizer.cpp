#include "platform/qt_text_rasterizer.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cstring>

namespace tintara {

ImageRef QtTextRasterizer::Render(const std::string& text, const TextFont& font) {
  if (text.empty()) return nullptr;
  QFont qfont(QString::fromStdString(font.family), font.pointSize > 0 ? font.pointSize : 12);
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  // Hard edges: every mask byte is either text or not.
  qfont.setStyleStrategy(QFont::NoAntialias);
  const QString shown = QString::fromStdString(text);
  QFontMetrics metrics(qfont);
  const int width = metrics.horizontalAdvance(shown + QLatin1Char(' ')) + 2;
  const int height = metrics.height() + 2;
  QImage image(width, height, QImage::Format_Grayscale8);
  if (image.isNull()) return nullptr;
  image.fill(0);
  {
    QPainter painter(&image);
    painter.setFont(qfont);
    painter.setPen(Qt::white);
    painter.drawText(1, 1 + metrics.ascent(), shown);
  }
  ImageRef mask = ImageBuffer::Create(kKindGray8, width, height);
  if (!mask) return nullptr;
  std::optional<PixelRows> rows = mask->WritableRows();
  if (!rows) return nullptr;
  // The mask's rows count up from the bottom, the image's down from the top.
  for (int y = 0; y < height; ++y) {
    std::memcpy(rows->Row(height - 1 - y), image.constScanLine(y), size_t(width));
  }
  return mask;
}

}  // namespace tintara
