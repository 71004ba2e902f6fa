#include "colors/widgets/pattern_settings_sheet.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "colors/colors_editor.h"
#include "colors/page_settings.h"
#include "colors/widgets/colors_dialog.h"
#include "colors/widgets/pattern_size_dialog.h"
#include "colors/widgets/pattern_type_dialog.h"

namespace tintara {

namespace {

// A dialog shown as a page: a plain child widget without its own OK and Cancel.
template <typename Dialog>
Dialog* AsPage(Dialog* dialog) {
  dialog->setWindowFlags(Qt::Widget);
  for (QDialogButtonBox* box : dialog->template findChildren<QDialogButtonBox*>()) box->hide();
  // A page taller than the dialog was made for keeps its controls together at the top.
  if (auto* column = qobject_cast<QBoxLayout*>(dialog->layout())) column->addStretch(1);
  return dialog;
}

}  // namespace

PatternSettingsSheet::PatternSettingsSheet(ColorsEditor& editor, const PatternSheetPages& pages,
                                           QWidget* parent)
    : QDialog(parent), editor_(editor), pages_(pages) {
  setWindowTitle(QStringLiteral("Painting pattern settings"));
  tabs_ = new QTabWidget(this);
  colors_ = AsPage(new ColorsDialog(editor, tabs_));
  size_ = AsPage(new PatternSizeDialog(pages.page, pages.defaultPrinterAvailable, tabs_,
                                       kMaxPagesPerSide));
  type_ = AsPage(new PatternTypeDialog(pages.typePosition, tabs_));
  tabs_->addTab(colors_, QStringLiteral("Colors"));
  tabs_->addTab(size_, QStringLiteral("Size of Painting Pattern"));
  tabs_->addTab(type_, QStringLiteral("Type of pattern"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // A double click in the type list is the type dialog's own OK: here it
  // only chooses.
  disconnect(type_->List(), &QListWidget::itemDoubleClicked, type_, nullptr);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(buttons);
  resize(680, 520);
}

PatternSheetPages PatternSettingsSheet::Pages() const {
  PatternSheetPages pages = pages_;
  pages.page = size_->Settings();
  pages.typePosition = type_->Selected();
  return pages;
}

void PatternSettingsSheet::accept() {
  // The colours page takes its answer as its own OK does.
  if (!colors_->TakeAnswer()) return;
  pages_ = Pages();
  QDialog::accept();
}

void PatternSettingsSheet::reject() {
  if (!editor_.ConfirmUnsavedChanges()) return;
  QDialog::reject();
}

}  // namespace tintara
