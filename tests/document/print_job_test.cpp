#include "document/print_job.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

TEST(PrintJob, TheRangeIsAskedOnlyForAPictureOverSeveralSheetsWhenPrinting) {
  EXPECT_TRUE(PrintJobState::AsksRange(true, 3, false));
  EXPECT_FALSE(PrintJobState::AsksRange(true, 1, false));   // "1 page"
  EXPECT_FALSE(PrintJobState::AsksRange(true, 3, true));    // a preview shows every sheet
  EXPECT_FALSE(PrintJobState::AsksRange(false, 3, false));  // the material list
}

TEST(PrintJob, OneChosenSheetIsTheOnlyPageAndKeepsItsNumber) {
  PrintJobState job;
  job.TakeRange({true, 1, 1});
  PrintPageSpan span = job.Begin(true, 3, false, 1);
  EXPECT_EQ(span.Count(), 1);
  EXPECT_EQ(job.pageCount, 9);
  // Row 1, column 1 of 3 x 3 is the top-left sheet: page 3 × (3 − 1) + 1.
  EXPECT_EQ(job.currentPage, 7);
  EXPECT_EQ(job.PageToDraw(span.first), 7);
  job.End();
  EXPECT_FALSE(job.onePage);
  EXPECT_EQ(job.onePageRow, 1);
  EXPECT_EQ(job.onePageColumn, 1);

  job.TakeRange({true, 3, 2});
  job.Begin(true, 3, false, 1);
  EXPECT_EQ(job.PageToDraw(1), 2);  // bottom row, middle column
}

TEST(PrintJob, AllSheetsFollowThePrintersPageNumber) {
  PrintJobState job;
  PrintPageSpan span = job.Begin(true, 4, false, 1);
  EXPECT_EQ(span.first, 1);
  EXPECT_EQ(span.last, 16);
  for (int page = span.first; page <= span.last; ++page) EXPECT_EQ(job.PageToDraw(page), page);
  EXPECT_EQ(job.currentPage, 16);
}

TEST(PrintJob, APreviewShowsEverySheetEvenWithAChoiceLeftOver) {
  PrintJobState job;
  job.TakeRange({true, 2, 2});
  PrintPageSpan span = job.Begin(true, 2, true, 1);
  EXPECT_EQ(span.Count(), 4);
  EXPECT_EQ(job.PageToDraw(3), 3);
}

TEST(PrintJob, TheMaterialListHasItsOwnPagesAndNoChosenSheet) {
  PrintJobState job;
  job.TakeRange({true, 1, 1});
  PrintPageSpan span = job.Begin(false, 3, false, 2);
  EXPECT_EQ(span.Count(), 2);
  EXPECT_EQ(job.PageToDraw(2), 2);
  EXPECT_EQ(job.Begin(false, 3, false, 0).Count(), 1);  // an empty palette still prints its page
}

TEST(PrintJob, OnePageAfterAnEndedChoiceIsTheWholeGridAgain) {
  PrintJobState job;
  job.TakeRange({true, 2, 1});
  job.Begin(true, 2, false, 1);
  job.End();
  PrintPageSpan span = job.Begin(true, 2, false, 1);
  EXPECT_EQ(span.Count(), 4);
  EXPECT_EQ(job.PageToDraw(4), 4);
}

}  // namespace
}  // namespace tintara
