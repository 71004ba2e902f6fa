#include "platform/pdf_pages.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "colors/page_settings.h"
#include "pattern/swatches.h"
#include "pattern/used_colors.h"
#include "platform/picture_files.h"
#include "platform/replacing_file_device.h"

namespace tintara {

namespace {

constexpr int kPdfDpi = 300;
constexpr int kKeyRowsPerColumn = 16;

QPageSize PageSizeOf(int paperSize) {
  const auto& papers = PaperSizes();
  const PaperSize& paper = papers[size_t(paperSize >= 0 && paperSize < int(papers.size()) ? paperSize : 3)];
  return QPageSize(QSizeF(paper.shortSide, paper.longSide), QPageSize::Inch,
                   QString::fromLatin1(paper.text), QPageSize::FuzzyMatch);
}

// The writer on a file that replaces the target only when complete.
class PdfTarget {
 public:
  PdfTarget(const std::string& path, const PdfPageSetup& setup) : file_(path) {
    if (!file_.isOpen()) return;
    writer_ = std::make_unique<QPdfWriter>(&file_);
    writer_->setResolution(kPdfDpi);
    writer_->setPageSize(PageSizeOf(setup.paperSize));
    writer_->setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    writer_->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    writer_->setCreator(QStringLiteral("Tintara"));
  }
  QPdfWriter* Writer() { return writer_.get(); }
  std::string Error() const { return file_.Error(); }
  // Ends the painting and commits the file; "" on success. A page that could
  // not be started or a write that failed leaves no file behind.
  std::string Commit(QPainter& painter, bool pagesOk) {
    bool ended = painter.end();
    writer_.reset();
    if (file_.Failed()) return file_.Error();
    if (!ended || !pagesOk) return "the PDF could not be completed";
    return file_.Commit();
  }

 private:
  ReplacingFileDevice file_;
  std::unique_ptr<QPdfWriter> writer_;
};

QFont HeaderFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8);
  return font;
}

// "Page No %d from %d" and, on a grid, the map with this page's square dark.
int DrawHeader(QPainter& painter, int page, int pagesPerSide) {
  int pages = pagesPerSide * pagesPerSide;
  QString text = QStringLiteral("Page No %1 from %2").arg(page).arg(pages);
  QFontMetrics metrics = painter.fontMetrics();
  int textHeight = metrics.height();
  painter.drawText(QPoint(0, metrics.ascent()), text);
  if (pagesPerSide > 1) {
    int cell = std::max(1, textHeight / pagesPerSide);
    int left = metrics.horizontalAdvance(text) + 2 * textHeight;
    for (int k = 0; k < pages; ++k) {
      QRect square(left + (k % pagesPerSide) * cell,
                   (pagesPerSide - 1 - k / pagesPerSide) * cell, cell, cell);
      painter.setBrush(k + 1 == page ? QBrush(Qt::darkGray) : QBrush(Qt::white));
      painter.drawRect(square);
    }
    painter.setBrush(Qt::NoBrush);
  }
  return textHeight;
}

// The largest rectangle of the picture's shape that fits `area`, centred.
QRect FitCentred(QSize picture, QRect area) {
  QSize size = picture.scaled(area.size(), Qt::KeepAspectRatio);
  return QRect(area.left() + (area.width() - size.width()) / 2,
               area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
}

}  // namespace

PageTile TileOfPage(int32_t width, int32_t height, int pagesPerSide, int page) {
  if (pagesPerSide <= 1) return {0, 0, width, height};
  int n = pagesPerSide;
  int column = (page - 1) % n;
  int gridRow = (page - 1) / n;
  int32_t tileWidth = width / n;
  int32_t tileHeight = height / n;
  PageTile tile;
  tile.left = column * tileWidth;
  tile.bottom = gridRow * tileHeight;
  tile.right = column == n - 1 ? width : tile.left + tileWidth;
  tile.top = gridRow == n - 1 ? height : tile.bottom + tileHeight;
  return tile;
}

std::string WritePicturePdf(const ImageBuffer& image, const PdfPageSetup& setup,
                            const std::string& path) {
  const int n = std::clamp(setup.pagesPerSide, 1, kMaxPagesPerSide);
  if (image.Width() < n || image.Height() < n) return "the picture is too small for that many pages";
  QImage shown = ImageToQImage(image);  // top row first
  if (shown.isNull()) return "there is not enough memory";
  PdfTarget target(path, setup);
  if (target.Writer() == nullptr) return target.Error();
  QPainter painter(target.Writer());
  if (!painter.isActive()) return "the PDF cannot be started";
  painter.setFont(HeaderFont());
  const QRect page(0, 0, target.Writer()->width(), target.Writer()->height());
  bool pagesOk = true;
  for (int p = 1; p <= n * n; ++p) {
    if (p > 1 && !target.Writer()->newPage()) pagesOk = false;
    int headerHeight = DrawHeader(painter, p, n);
    PageTile tile = TileOfPage(image.Width(), image.Height(), n, p);
    // Picture rows count upwards; the shown image's rows downwards.
    QRect source(tile.left, image.Height() - tile.top, tile.right - tile.left, tile.top - tile.bottom);
    QRect area = page.adjusted(0, headerHeight * 3 / 2, 0, 0);
    painter.drawImage(FitCentred(source.size(), area), shown.copy(source));
  }
  return target.Commit(painter, pagesOk);
}

namespace {

// Positions the key lists: those the index image uses, or every colour.
std::vector<int> KeyPositions(const CTesselParams& params, const ImageBuffer* indexImage) {
  int length = std::min(int(params.workingPalette.size()), 256);
  std::vector<int> positions;
  if (indexImage == nullptr) {
    for (int i = 0; i < length; ++i) positions.push_back(i);
    return positions;
  }
  positions = UsedPositions(indexImage);
  std::erase_if(positions, [&](int position) { return position >= length; });
  return positions;
}

void DrawSwatchImage(QPainter& painter, const Swatch& swatch) {
  const LtrbRect& d = swatch.destination;
  painter.drawImage(QRect(d.left, d.top, d.right - d.left, d.bottom - d.top),
                    ImageToQImage(*swatch.image));
}

// The sample as the pattern shows the colour: its number on numbered
// patterns, its texture or flat tone on the others (outlined).
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
  painter.drawRect(cell);
}

}  // namespace

KeyEntryBoxes KeyEntryOnPage(QSize pageSize, int lineHeight, int indexOnPage) {
  const int margin = kPdfDpi * 10 / 25;
  const int cell = (std::min(pageSize.width(), pageSize.height()) - margin) / 20;
  const int rowHeight = (pageSize.height() - 2 * margin) / kKeyRowsPerColumn;
  const int columnWidth = (pageSize.width() - 2 * margin) / 2;
  const int gap = cell / 4;
  int x0 = margin + columnWidth * (indexOnPage % 2);
  int top = margin + rowHeight * (indexOnPage / 2);
  KeyEntryBoxes boxes;
  boxes.sample = QRect(x0, top, cell, cell);
  boxes.patch = QRect(x0 + cell + gap, top, cell, cell);
  int textLeft = boxes.patch.right() + 1 + gap;
  // Two lines, centred on the patch; the box never reaches the next column.
  int textHeight = std::max(cell, 2 * lineHeight);
  boxes.text = QRect(textLeft, top + (cell - textHeight) / 2, x0 + columnWidth - gap - textLeft,
                     textHeight);
  return boxes;
}

QStringList KeyTextLines(const CFlossColor& color, const QFontMetricsF& metrics, int width) {
  QString name = QString::fromStdString(color.colorName);
  QString brand = QString::fromStdString(color.brandName);
  QString details = color.catalogNumber == -1
                        ? brand
                        : QStringLiteral("%1, %2").arg(color.catalogNumber).arg(brand);
  QStringList lines;
  for (const QString& line : {name, details}) {
    lines << metrics.elidedText(line, Qt::ElideRight, width);
  }
  return lines;
}

std::string WriteColorKeyPdf(const CTesselParams& params, const ImageBuffer* indexImage,
                             const PdfPageSetup& setup, const std::string& path) {
  std::vector<int> positions = KeyPositions(params, indexImage);
  PdfTarget target(path, setup);
  if (target.Writer() == nullptr) return target.Error();
  QPainter painter(target.Writer());
  if (!painter.isActive()) return "the PDF cannot be started";
  painter.setFont(HeaderFont());
  // Measured on the writer, at the resolution the text is set in.
  QFontMetricsF metrics(painter.font(), target.Writer());
  const int lineHeight = int(std::ceil(metrics.lineSpacing()));
  const QSize page(target.Writer()->width(), target.Writer()->height());
  const int perPage = 2 * kKeyRowsPerColumn;
  bool pagesOk = true;
  for (size_t k = 0; k < positions.size(); ++k) {
    int i = int(k % size_t(perPage));
    if (k > 0 && i == 0 && !target.Writer()->newPage()) pagesOk = false;
    int position = positions[k];
    const CFlossColor& color = params.workingPalette[size_t(position)];
    KeyEntryBoxes boxes = KeyEntryOnPage(page, lineHeight, i);
    DrawSample(painter, params, position, boxes.sample);
    painter.setBrush(QColor(color.red, color.green, color.blue));
    painter.drawRect(boxes.patch);
    painter.setBrush(Qt::NoBrush);
    QStringList lines = KeyTextLines(color, metrics, boxes.text.width());
    int top = boxes.text.center().y() - lineHeight;
    for (const QString& line : lines) {
      painter.drawText(QRect(boxes.text.left(), top, boxes.text.width(), lineHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, line);
      top += lineHeight;
    }
  }
  return target.Commit(painter, pagesOk);
}

}  // namespace tintara
