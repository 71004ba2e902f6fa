#include "document/print_job.h"

#include <algorithm>


namespace tintara {

bool PrintJobState::AsksRange(bool picture, int pagesPerSide, bool preview) {
  return picture && pagesPerSide > 1 && !preview;
}

void PrintJobState::TakeRange(const PrintRangeChoice& choice) {
  onePage = choice.onePage;
  onePageRow = choice.row;
  onePageColumn = choice.column;
}

PrintPageSpan PrintJobState::Begin(bool picture, int pagesPerSide, bool preview, int listPages) {
  if (!picture) {
    pageCount = std::max(listPages, 1);
    pageFixed_ = false;
    currentPage = 1;
    return {1, pageCount};
  }
  const int n = std::max(pagesPerSide, 1);
  pageCount = n * n;
  if (n > 1 && !preview && onePage) {
    const int row = std::clamp(onePageRow, 1, n);
    const int column = std::clamp(onePageColumn, 1, n);
    // Row 1 is the top row of sheets, page 1 the bottom-left sheet.
    currentPage = n * (n - row) + column;
    pageFixed_ = true;
    return {1, 1};
  }
  pageFixed_ = false;
  currentPage = 1;
  return {1, pageCount};
}

int PrintJobState::PageToDraw(int printerPage) {
  if (!pageFixed_) currentPage = printerPage;
  return currentPage;
}

void PrintJobState::End() {
  onePage = false;
  onePageRow = 1;
  onePageColumn = 1;
  pageFixed_ = false;
}

}  // namespace tintara
