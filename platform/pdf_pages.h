// Printed pages as PDF, without a printer: every page of a print job, drawn
// by the same page code a printer gets, on paper of the page settings with
// the printing offset of a usual printer. Pictures go in losslessly at their
// own pixels.
#pragma once

#include <QPdfWriter>
#include <memory>
#include <span>
#include <string>

#include "colors/tessel_params.h"
#include "imaging/image_buffer.h"
#include "platform/material_list_page.h"
#include "platform/print_pages.h"
#include "platform/replacing_file_device.h"
#include "storage/app_settings.h"

namespace tintara {

struct PdfPageSetup {
  int paperSize = 3;  // index into PaperSizes(); anything else is A4
  bool landscape = false;
  int pagesPerSide = 1;  // 1..10
  bool shoppingList = false;
  PaintCoverage coverage;
  SheetAids sheetAids;
};

// The setup the settings give: the paper of the page settings and the
// "How to print" choices, over `pagesPerSide` sheets. With the page turned to
// suit the picture, the sheets lie as the pattern does: landscape for a
// pattern wider than tall, upright for a taller one.
PdfPageSetup PdfPageSetupOf(const AppSettings& app, int pagesPerSide,
                            const ImageBuffer* pattern = nullptr);

// Dots per inch of the PDF device and the margin a printer cannot print on.
constexpr int kPdfDpi = 600;
constexpr double kPdfPrintingOffsetMm = 5.0;

// Paper, orientation and margins of the setup: a printer given this layout
// prints the pages a PDF of the setup holds.
QPageLayout PdfPageLayout(const PdfPageSetup& setup);

// Paper, orientation, resolution and margins of the setup.
void ConfigurePdfWriter(QPdfWriter& writer, const PdfPageSetup& setup);

// The writer on a file that replaces the target only when complete.
class PdfTarget {
 public:
  PdfTarget(const std::string& path, const PdfPageSetup& setup) : file_(path) {
    if (!file_.isOpen()) return;
    writer_ = std::make_unique<QPdfWriter>(&file_);
    ConfigurePdfWriter(*writer_, setup);
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

// The PDF device's printable area, as the pages will see it.
PrintSurface PdfSurfaceOf(const PdfPageSetup& setup);

// "" on success, else the reason. The file is written whole or not at all.
std::string WritePrintPdf(const PrintJobContent& job, const PdfPageSetup& setup,
                          const std::string& path);
// Several jobs, one after the other, in one document.
std::string WritePrintPdf(std::span<const PrintJobContent> jobs, const PdfPageSetup& setup,
                          const std::string& path);

// The picture over the setup's pages per side; the index image, when it is
// the picture's size, gives each sheet its colour numbers.
std::string WritePicturePdf(const ImageBuffer& image, const PdfPageSetup& setup,
                            const std::string& path, const ImageBuffer* indexImage = nullptr);

// The material list of the working palette; the index image gives the
// shopping list its counts when the setup asks for one.
std::string WriteColorKeyPdf(const CTesselParams& params, const ImageBuffer* indexImage,
                             const PdfPageSetup& setup, const std::string& path);

// The shopping list of the pattern printed over the setup's pages per side,
// as comma-separated values; "" on success, else the reason.
std::string WriteShoppingListCsv(const CTesselParams& params, const ImageBuffer& indexImage,
                                 const PdfPageSetup& setup, const std::string& path);

}  // namespace tintara
