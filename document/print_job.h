// The steps of one print job as the document keeps them: which page is being
// drawn, how many the job has, and the one sheet the user may have chosen by
// row and column. The choice lasts one job: ending the job resets it.
#pragma once

#include "ports/dialogs.h"

namespace tintara {

// The pages a job sends, first..last (1-based, as the printer counts them).
struct PrintPageSpan {
  int first = 1;
  int last = 1;
  int Count() const { return last - first + 1; }
};

struct PrintJobState {
  int currentPage = 1;
  int pageCount = 1;
  bool onePage = false;
  int onePageRow = 1;
  int onePageColumn = 1;

  // The range is asked only for a picture over more than one sheet, and
  // never for a preview, which shows every sheet.
  static bool AsksRange(bool picture, int pagesPerSide, bool preview);

  void TakeRange(const PrintRangeChoice& choice);

  // Beginning the job: the page count of a picture is n²; one chosen sheet
  // makes a job of one page whose page is fixed. The material list has
  // `listPages` pages.
  PrintPageSpan Begin(bool picture, int pagesPerSide, bool preview, int listPages);

  // The page drawn when the printer is at page `printerPage` of the span
  // (1-based): the printer's page, unless one sheet was chosen.
  int PageToDraw(int printerPage);

  // Ending the job, also after a job that could not start.
  void End();

 private:
  bool pageFixed_ = false;
};

}  // namespace tintara
