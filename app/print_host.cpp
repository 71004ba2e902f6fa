#include "app/print_host.h"

#include <QCoreApplication>
#include <QCursor>
#include <QTimer>
#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <algorithm>
#include <array>

#include "app/main_frame.h"
#include "app/sheet_preview_dialog.h"
#include "colors/file_names.h"
#include "colors/page_settings.h"
#include "document/document_environment.h"
#include "document/pattern_svg_command.h"
#include "document/print_settings_commands.h"
#include "document/tessel_doc.h"
#include "platform/material_list_page.h"
#include "platform/pdf_pages.h"
#include "ports/dialogs.h"
#include "storage/convert_ini.h"

namespace tintara {

namespace {

int PagesPerSide(const AppSettings& app) { return std::clamp(app.printFit, 1, kMaxPagesPerSide); }

// A machine without printers offers only Qt's PDF printer, which needs a file.
bool NeedsOutputFile(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty();
}

bool CanStart(const QPrinter& printer) { return printer.isValid() && !NeedsOutputFile(printer); }

struct KindCommands {
  PrintKind kind;
  CommandId print;
  CommandId preview;
  const char* printText;
  const char* previewText;
};

constexpr std::array<KindCommands, 4> kKindCommands = {{
    {PrintKind::kInitialPicture, cmd::kPrintInitialPicture, cmd::kPreviewInitialPicture,
     "Print initial picture", "Preview print of initial picture"},
    {PrintKind::kConvertedPicture, cmd::kPrintConvertedPicture, cmd::kPreviewConvertedPicture,
     "Print converted picture", "Preview print of converted picture"},
    {PrintKind::kPattern, cmd::kPrintPaintingPattern, cmd::kPreviewPaintingPattern,
     "Print painting pattern", "Preview print of painting pattern"},
    {PrintKind::kMaterialList, cmd::kPrintMaterialList, cmd::kPreviewMaterialList,
     "Print material list", "Material list preview"},
}};

}  // namespace

PrintHost::PrintHost(CTessel20Doc& doc, DocumentEnvironment& env, CMainFrame& frame)
    : doc_(doc), env_(env), frame_(frame),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

PrintHost::~PrintHost() = default;

void PrintHost::Register(CommandTable& table) {
  auto hasPicture = [this] { return doc_.initialPicture != nullptr; };
  table.Add({cmd::kPrintSetup, "Print setup", [this] { HowToPrint(); }, {}, {}});
  table.Add({cmd::kPrint, "Print",
             [this] { frame_.PopupPrintChoice(QCursor::pos()); }, hasPicture, {}});
  table.Add({cmd::kPrintPreview, "Print Preview",
             [this] { frame_.PopupPreviewChoice(QCursor::pos()); }, hasPicture, {}});
  for (const KindCommands& k : kKindCommands) {
    auto enabled = [this, kind = k.kind] { return HasImageFor(kind); };
    table.Add({k.print, k.printText, [this, kind = k.kind] { Print(kind); }, enabled, {}});
    table.Add({k.preview, k.previewText, [this, kind = k.kind] { Preview(kind); }, enabled, {}});
  }
  table.Add({cmd::kSaveAsPdf, "Save as PDF", [this] { SaveAsPdf(); },
             [this] { return doc_.patternImage && doc_.convertedPicture; }, {}});
  RegisterPatternSvgCommand(table, doc_);
}

bool PrintHost::HasImageFor(PrintKind kind) const {
  switch (kind) {
    case PrintKind::kInitialPicture: return doc_.initialPicture != nullptr;
    case PrintKind::kConvertedPicture:
    case PrintKind::kMaterialList: return doc_.convertedPicture != nullptr;
    case PrintKind::kPattern: return doc_.patternImage != nullptr;
  }
  return false;
}

PrintJobContent PrintHost::ContentFor(PrintKind kind) const {
  const AppSettings& app = env_.app;
  PrintJobContent job;
  job.kind = kind;
  switch (kind) {
    case PrintKind::kInitialPicture: job.picture = doc_.initialPicture.get(); break;
    case PrintKind::kConvertedPicture: job.picture = doc_.convertedPicture.get(); break;
    case PrintKind::kPattern: job.picture = doc_.patternImage.get(); break;
    case PrintKind::kMaterialList: break;
  }
  job.params = &doc_.params;
  // The colour numbers of a sheet and the shopping list count the index image.
  if (kind != PrintKind::kInitialPicture) job.indexImage = doc_.indexImage.get();
  job.pagesPerSide = PagesPerSide(app);
  job.shoppingList = app.printShoppingList != 0;
  job.coverage = {app.printCoverageMicrolitres, app.printCoats, app.printPotMillilitres};
  job.sheetAids = {app.printSheetColors != 0, app.printOverlapMm, app.printMarks != 0};
  return job;
}

void PrintHost::HowToPrint() {
  AskHowToPrint(env_, [this] { SetUpPrinter(); });
}

void PrintHost::SetUpPrinter() {
  // Set-up only: which printer, its paper and orientation; never pages or a file.
  PreparePrinter();
  QPrintDialog dialog(printer_.get(), frame_.window());
  dialog.setWindowTitle(QStringLiteral("Print Setup"));
  dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
  if (dialog.exec() == QDialog::Accepted) printerPageChosen_ = true;
}

QPageLayout PrintHost::JobPageLayout() const {
  return PdfPageLayout(PdfPageSetupOf(env_.app, PagesPerSide(env_.app), doc_.patternImage.get()));
}

void PrintHost::PreparePrinter() {
  if (printerPageChosen_) return;
  const QPageLayout page = JobPageLayout();
  if (printer_->outputFormat() == QPrinter::PdfFormat) {
    printer_->setPageLayout(page);
    return;
  }
  // A real printer keeps its margins, and its paper when the pattern is made
  // for it.
  if (env_.app.page.useDefaultPrinter == 0) printer_->setPageSize(page.pageSize());
  printer_->setPageOrientation(page.orientation());
}

void PrintHost::Print(PrintKind kind) {
  kind_ = kind;
  PreparePrinter();
  const PrintJobContent job = ContentFor(kind);
  const bool picture = kind != PrintKind::kMaterialList;
  if (PrintJobState::AsksRange(picture, job.pagesPerSide, false)) {
    std::optional<PrintRangeChoice> range = env_.dialogs.ChoosePrintRange(job.pagesPerSide);
    if (!range) {
      EndJob();
      return;
    }
    doc_.printJob.TakeRange(*range);
  }
  // Without a printer only Qt's PDF printer is there: the job goes to a file
  // the user names, this job only.
  const bool toFile = NeedsOutputFile(*printer_);
  if (toFile && !ChoosePrintFile()) {
    EndJob();
    return;
  }
  if (!DrawJob(*printer_, job, false)) env_.ui.Message(kCannotStartPrintJob, MessageIcon::kError);
  if (toFile) printer_->setOutputFileName(QString());
  EndJob();
}

bool PrintHost::ChoosePrintFile() {
  const QString path = AskPdfPath(QStringLiteral("Print to PDF file"));
  if (path.isEmpty()) return false;
  printer_->setOutputFileName(path);
  return true;
}

QString PrintHost::AskPdfPath(const QString& caption) {
  const std::string name = FileTitle(!doc_.pathName.empty() ? doc_.pathName : doc_.title);
  const QString start = QString::fromStdString(JoinPath(env_.app.patternsFolder, name + ".pdf"));
  QString path = QFileDialog::getSaveFileName(frame_.window(), caption, start,
                                              QStringLiteral("PDF files (*.pdf)"));
  if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    path += QStringLiteral(".pdf");
  }
  return path;
}

bool PrintHost::DrawJob(QPrinter& printer, const PrintJobContent& job, bool preview) {
  const bool picture = job.kind != PrintKind::kMaterialList;
  PrintJobState& state = doc_.printJob;
  const int listPages = job.params != nullptr ? MaterialListPageCount(*job.params) : 1;
  const PrintPageSpan span = state.Begin(picture, job.pagesPerSide, preview, listPages);
  if (!preview && !CanStart(printer)) return false;
  WaitCursor wait(env_.ui);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // Lines and digits must not get compression fringes.
  painter.setRenderHint(QPainter::LosslessImageRendering);
  const PrintSurface surface = PrintSurfaceOf(printer);
  for (int page = span.first; page <= span.last; ++page) {
    if (page > span.first && !printer.newPage()) break;
    DrawPrintPage(painter, job, surface, state.PageToDraw(page));
  }
  painter.end();
  return true;
}

void PrintHost::EndJob() {
  doc_.printJob.End();
  emit jobEnded();
}

void PrintHost::Preview(PrintKind kind) {
  kind_ = kind;
  PreparePrinter();
  const PrintJobContent job = ContentFor(kind);
  doc_.printJob.Begin(kind != PrintKind::kMaterialList, job.pagesPerSide, true,
                      PrintPageCount(job));
  // The printer's own page and resolution: what it will print.
  SheetPreviewDialog dialog(job, PrintSurfaceOf(*printer_), printer_->pageLayout(),
                            frame_.window());
  preview_ = &dialog;
  frame_.EnablePanels(false);
  const bool print = dialog.exec() == QDialog::Accepted;
  frame_.EnablePanels(true);
  EndJob();
  if (print) Print(kind);
}

void PrintHost::SaveAsPdf() {
  if (!doc_.patternImage || !doc_.convertedPicture) return;
  const QString path = AskPdfPath(QStringLiteral("Save as PDF"));
  if (path.isEmpty()) return;
  // The pattern over its sheets, then its colour key.
  const std::array<PrintJobContent, 2> jobs = {ContentFor(PrintKind::kPattern),
                                               ContentFor(PrintKind::kMaterialList)};
  std::string error;
  {
    WaitCursor wait(env_.ui);
    error = WritePrintPdf(jobs, PdfPageSetupOf(env_.app, PagesPerSide(env_.app), doc_.patternImage.get()),
                          path.toStdString());
  }
  if (!error.empty()) {
    env_.ui.Message("Cannot write " + path.toStdString() + ": " + error, MessageIcon::kError);
  }
}

}  // namespace tintara
