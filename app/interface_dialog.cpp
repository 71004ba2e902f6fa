#include "app/interface_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/window_title_fit.h"

namespace tintara {

namespace {

QLabel* Explanation(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setIndent(24);
  return label;
}

}  // namespace

InterfaceDialog::InterfaceDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Interface"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Please select what type of interface do you prefer"),
                               this));
  graphical_ = new QRadioButton(QStringLiteral("&Graphical interface"), this);
  standard_ = new QRadioButton(QStringLiteral("&Standard interface"), this);
  graphical_->setChecked(true);
  layout->addWidget(graphical_);
  layout->addWidget(Explanation(
      QStringLiteral("Interface with graphic toolbars and guided Start to Finish workflow."), this));
  layout->addWidget(standard_);
  layout->addWidget(Explanation(
      QStringLiteral("Standard interface with menus and standard toolbars. Choose this option "
                     "if you are used to the menus of other desktop programs."),
      this));
  auto* note = new QLabel(QStringLiteral("Note: You can switch interface type later using "
                                         "Interface-Standard interface command from Options menu."),
                          this);
  note->setWordWrap(true);
  layout->addWidget(note);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setMinimumWidth(420);
  FitWidthToTitle(this);
}

bool InterfaceDialog::StandardChosen() const { return standard_->isChecked(); }

std::optional<bool> AskInterfaceStyle(QWidget* parent) {
  InterfaceDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.StandardChosen();
}

}  // namespace tintara
