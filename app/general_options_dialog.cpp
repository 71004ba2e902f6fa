#include "app/general_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/window_title_fit.h"

namespace tintara {

GeneralOptionsDialog::GeneralOptionsDialog(const InterfaceOptions& current, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("General options"));
  animation_ = new QCheckBox(QStringLiteral("&Animation"), this);
  menu_ = new QCheckBox(QStringLiteral("&Menu"), this);
  graph_ = new QCheckBox(QStringLiteral("&Graphic Toolbars"), this);
  autoSave_ = new QCheckBox(QStringLiteral("Auto &save"), this);
  animation_->setChecked(current.animation);
  menu_->setChecked(current.menu);
  graph_->setChecked(current.graph);
  autoSave_->setChecked(current.autoSave);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  apply_ = buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::ApplyRole);
  apply_->setEnabled(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(apply_, &QPushButton::clicked, this, &GeneralOptionsDialog::Apply);

  for (QCheckBox* box : {animation_, menu_, graph_, autoSave_}) {
    connect(box, &QCheckBox::toggled, this, &GeneralOptionsDialog::Changed);
  }
  // Unticking one of the two while the other is off ticks the other again.
  connect(menu_, &QCheckBox::toggled, this, [this](bool on) {
    if (!on && !graph_->isChecked()) {
      graph_->setChecked(true);
      emit graphForcedOn();
    }
  });
  connect(graph_, &QCheckBox::toggled, this, [this](bool on) {
    if (!on && !menu_->isChecked()) {
      menu_->setChecked(true);
      emit menuForcedOn();
    }
  });

  auto* layout = new QVBoxLayout(this);
  for (QCheckBox* box : {animation_, menu_, graph_, autoSave_}) layout->addWidget(box);
  layout->addWidget(buttons);
  FitWidthToTitle(this);
}

InterfaceOptions GeneralOptionsDialog::Options() const {
  return {animation_->isChecked(), menu_->isChecked(), graph_->isChecked(),
          autoSave_->isChecked()};
}

void GeneralOptionsDialog::Changed() { apply_->setEnabled(true); }

void GeneralOptionsDialog::Apply() {
  emit applied(Options());
  apply_->setEnabled(false);
}

void GeneralOptionsDialog::accept() {
  emit applied(Options());
  QDialog::accept();
}

}  // namespace tintara
