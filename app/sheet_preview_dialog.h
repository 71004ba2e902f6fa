// "Print Preview": the pages of a print job on the printer's paper, drawn by
// the page code the printer gets, and laid out as they join: the sheets of a
// picture as the map of sheets shows them, row by row as on the wall (the
// top row of sheets at the top), the pages of a colour key side by side.
#pragma once

#include <QDialog>
#include <QPageLayout>
#include <vector>

#include "platform/print_pages.h"

class QGraphicsScene;
class QGraphicsView;
class QPushButton;

namespace tintara {

// Where the job's page number `page` goes, in whole sheets from the top-left.
struct SheetCell {
  int column = 0;
  int row = 0;
  friend bool operator==(const SheetCell&, const SheetCell&) = default;
};
SheetCell PreviewCellOfPage(const PrintJobContent& job, int page);

class SheetPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  // `surface` and `layout` are the printer's, as the job will print.
  SheetPreviewDialog(const PrintJobContent& job, const PrintSurface& surface,
                     const QPageLayout& layout, QWidget* parent = nullptr);

  // The pages shown, in the order the job sends them.
  int PageCount() const { return int(pages_.size()); }
  int PageNumber(int index) const { return pages_[size_t(index)]; }
  SheetCell Cell(int index) const { return PreviewCellOfPage(job_, pages_[size_t(index)]); }
  const QPageLayout& Layout() const { return layout_; }
  QGraphicsView* View() const { return view_; }
  QPushButton* PrintButton() const { return print_; }

  void ZoomIn();
  void ZoomOut();
  void FitAll();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void AddPages();

  PrintJobContent job_;
  PrintSurface surface_;
  QPageLayout layout_;
  std::vector<int> pages_;
  QGraphicsScene* scene_;
  QGraphicsView* view_;
  QPushButton* print_;
};

}  // namespace tintara
