// Printing from the program: "How to print" with the printer set-up, the
// print and preview commands of the four kinds, and "Save as PDF". Every
// page is drawn by the one page code the PDF output uses; the document keeps
// the job's pages and the sheet chosen for it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QPrinter>
#include <memory>
#include <string>

#include "app/sheet_preview_dialog.h"
#include "document/command_table.h"
#include "platform/print_pages.h"

namespace tintara {

class CMainFrame;
class CTessel20Doc;
struct DocumentEnvironment;

inline constexpr const char kCannotStartPrintJob[] = "Could not start print job.";

class PrintHost : public QObject {
  Q_OBJECT

 public:
  PrintHost(CTessel20Doc& doc, DocumentEnvironment& env, CMainFrame& frame);
  ~PrintHost() override;

  void Register(CommandTable& table);

  // The printer every job goes to, as "&Printer..." set it up.
  QPrinter& Printer() { return *printer_; }
  // The preview while it is shown.
  SheetPreviewDialog* PreviewDialog() const { return preview_; }
  PrintKind Kind() const { return kind_; }

  void HowToPrint();
  void SetUpPrinter();
  void Print(PrintKind kind);
  void Preview(PrintKind kind);
  void SaveAsPdf();

  // What a job of `kind` prints, from the document and the settings.
  PrintJobContent ContentFor(PrintKind kind) const;
  // The page every job is printed on, as "Save as PDF" writes it: the paper
  // and orientation the pattern is made for, unless the printer's own were
  // chosen in its set-up.
  QPageLayout JobPageLayout() const;

 signals:
  // A job ended (printed, cancelled or failed).
  void jobEnded();

 private:
  bool HasImageFor(PrintKind kind) const;
  // Gives the printer the job's page.
  void PreparePrinter();
  // Begins the job, then draws each page on `printer`; false when the job
  // could not start.
  bool DrawJob(QPrinter& printer, const PrintJobContent& job, bool preview);
  void EndJob();
  // Asks where a job for the PDF printer goes; false when cancelled.
  bool ChoosePrintFile();
  // A PDF file's path, proposed beside the patterns under the project's name;
  // empty on Cancel.
  QString AskPdfPath(const QString& caption);

  CTessel20Doc& doc_;
  DocumentEnvironment& env_;
  CMainFrame& frame_;
  std::unique_ptr<QPrinter> printer_;
  QPointer<SheetPreviewDialog> preview_;
  PrintKind kind_ = PrintKind::kPattern;
  bool printerPageChosen_ = false;  // the set-up's OK chose the paper
};

}  // namespace tintara
