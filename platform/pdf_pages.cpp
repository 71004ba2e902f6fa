#include "platform/pdf_pages.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <algorithm>
#include <memory>

#include "colors/page_settings.h"

namespace tintara {

namespace {

QPageSize PageSizeOf(int paperSize) {
  const auto& papers = PaperSizes();
  const PaperSize& paper =
      papers[size_t(paperSize >= 0 && paperSize < int(papers.size()) ? paperSize : 3)];
  return QPageSize(QSizeF(paper.shortSide, paper.longSide), QPageSize::Inch,
                   QString::fromLatin1(paper.text), QPageSize::FuzzyMatch);
}


}  // namespace

QPageLayout PdfPageLayout(const PdfPageSetup& setup) {
  const double m = kPdfPrintingOffsetMm;
  return QPageLayout(PageSizeOf(setup.paperSize),
                     setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

void ConfigurePdfWriter(QPdfWriter& writer, const PdfPageSetup& setup) {
  writer.setResolution(kPdfDpi);
  writer.setPageLayout(PdfPageLayout(setup));
  writer.setCreator(QStringLiteral("Tintara"));
}

PrintSurface PdfSurfaceOf(const PdfPageSetup& setup) {
  QBuffer nowhere;
  nowhere.open(QIODevice::WriteOnly);
  QPdfWriter writer(&nowhere);
  ConfigurePdfWriter(writer, setup);
  return PrintSurfaceOf(writer);
}

PdfPageSetup PdfPageSetupOf(const AppSettings& app, int pagesPerSide, const ImageBuffer* pattern) {
  PdfPageSetup setup;
  setup.paperSize = app.page.paperSize;
  setup.landscape = app.page.orientation == 1;
  if (app.page.autoOrientation == 1 && pattern != nullptr &&
      pattern->Width() != pattern->Height()) {
    setup.landscape = pattern->Width() > pattern->Height();
  }
  setup.pagesPerSide = pagesPerSide;
  setup.shoppingList = app.printShoppingList != 0;
  setup.coverage = {app.printCoverageMicrolitres, app.printCoats, app.printPotMillilitres};
  setup.sheetAids = {app.printSheetColors != 0, app.printOverlapMm, app.printMarks != 0};
  return setup;
}

std::string WritePrintPdf(const PrintJobContent& job, const PdfPageSetup& setup,
                          const std::string& path) {
  return WritePrintPdf(std::span<const PrintJobContent>(&job, 1), setup, path);
}

std::string WritePrintPdf(std::span<const PrintJobContent> jobs, const PdfPageSetup& setup,
                          const std::string& path) {
  int total = 0;
  for (const PrintJobContent& job : jobs) total += PrintPageCount(job);
  if (total <= 0) return "there is nothing to print";
  PdfTarget target(path, setup);
  if (target.Writer() == nullptr) return target.Error();
  QPainter painter(target.Writer());
  if (!painter.isActive()) return "the PDF cannot be started";
  // Lines and digits must not get compression fringes.
  painter.setRenderHint(QPainter::LosslessImageRendering);
  const PrintSurface surface = PrintSurfaceOf(*target.Writer());
  bool pagesOk = true;
  bool first = true;
  for (const PrintJobContent& job : jobs) {
    const int pages = PrintPageCount(job);
    for (int page = 1; page <= pages; ++page) {
      if (!first && !target.Writer()->newPage()) pagesOk = false;
      first = false;
      DrawPrintPage(painter, job, surface, page);
    }
  }
  return target.Commit(painter, pagesOk);
}

std::string WritePicturePdf(const ImageBuffer& image, const PdfPageSetup& setup,
                            const std::string& path, const ImageBuffer* indexImage) {
  const int n = std::clamp(setup.pagesPerSide, 1, kMaxPagesPerSide);
  if (image.Width() < n || image.Height() < n) return "the picture is too small for that many pages";
  PrintJobContent job;
  job.kind = PrintKind::kPattern;
  job.picture = &image;
  job.indexImage = indexImage;
  job.pagesPerSide = n;
  job.sheetAids = setup.sheetAids;
  return WritePrintPdf(job, setup, path);
}

std::string WriteColorKeyPdf(const CTesselParams& params, const ImageBuffer* indexImage,
                             const PdfPageSetup& setup, const std::string& path) {
  PrintJobContent job;
  job.kind = PrintKind::kMaterialList;
  job.params = &params;
  job.indexImage = indexImage;
  job.pagesPerSide = std::clamp(setup.pagesPerSide, 1, kMaxPagesPerSide);
  job.shoppingList = setup.shoppingList;
  job.coverage = setup.coverage;
  return WritePrintPdf(job, setup, path);
}

std::string WriteShoppingListCsv(const CTesselParams& params, const ImageBuffer& indexImage,
                                 const PdfPageSetup& setup, const std::string& path) {
  const PrintSurface surface = PdfSurfaceOf(setup);
  const double area = PrintedArea(indexImage.Width(), indexImage.Height(),
                                  std::clamp(setup.pagesPerSide, 1, kMaxPagesPerSide),
                                  surface.metrics);
  ShoppingList list = MakeShoppingList(CountIndexPixels(&indexImage),
                                       int(params.workingPalette.size()), area, setup.coverage);
  const std::string csv = ShoppingListCsv(list, params.workingPalette, setup.coverage);
  ReplacingFileDevice file(path);
  if (!file.isOpen()) return file.Error();
  if (file.write(csv.data(), qint64(csv.size())) != qint64(csv.size())) return file.Error();
  return file.Commit();
}

}  // namespace tintara
