#include "colors/widgets/pattern_type_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/window_title_fit.h"
#include "colors/pattern_type_list.h"

namespace tintara {

PatternTypeDialog::PatternTypeDialog(int selected, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Type of pattern"));
  list_ = new QListWidget(this);
  for (const PatternTypeChoice& choice : kPatternTypeChoices) {
    list_->addItem(QString::fromUtf8(choice.text));
  }
  list_->setCurrentRow(qBound(0, selected, list_->count() - 1));
  list_->setFixedHeight(list_->sizeHintForRow(0) * (list_->count() + 1));
  auto* label = new QLabel(QStringLiteral("Painting pattern:"), this);
  label->setBuddy(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // A double click chooses and closes, as in any list dialog.
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  FitWidthToTitle(this);
}

int PatternTypeDialog::Selected() const { return list_->currentRow(); }

}  // namespace tintara
