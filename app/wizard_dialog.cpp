#include "app/wizard_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tintara {

WizardDialog::WizardDialog(WizardActions actions, bool dontShowOnStart, bool hasLastProject,
                           QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)) {
  setWindowTitle(QStringLiteral("Tintara Wizard"));
  auto* intro = new QLabel(
      QStringLiteral("Open a project you worked on, or bring in a picture to make a new "
                     "painting pattern from."),
      this);
  intro->setWordWrap(true);
  openLast_ = new QPushButton(QStringLiteral("Open &Last Project"), this);
  selectAnother_ = new QPushButton(QStringLiteral("Select A&nother Project"), this);
  openPicture_ = new QPushButton(QStringLiteral("Open &Picture From Disk"), this);
  acquire_ = new QPushButton(QStringLiteral("&Acquire Picture"), this);
  dontShow_ = new QCheckBox(QStringLiteral("Don't show this Wizard on start"), this);
  close_ = new QPushButton(QStringLiteral("Close Wizard"), this);
  openLast_->setEnabled(hasLastProject);
  dontShow_->setChecked(dontShowOnStart);
  for (QPushButton* button : {openLast_, selectAnother_, openPicture_, acquire_, close_}) {
    button->setAutoDefault(false);
    button->setMinimumHeight(32);
  }

  auto closeWhen = [this](const std::function<bool()>& step, Outcome outcome) {
    return [this, step, outcome] {
      if (step && step()) done(outcome);
    };
  };
  connect(openLast_, &QPushButton::clicked, this,
          closeWhen(actions_.openLastProject, kProjectOpened));
  connect(selectAnother_, &QPushButton::clicked, this,
          closeWhen(actions_.selectAnotherProject, kProjectOpened));
  connect(openPicture_, &QPushButton::clicked, this,
          closeWhen(actions_.openPictureFromDisk, kPictureOpened));
  connect(acquire_, &QPushButton::clicked, this, [this] {
    if (actions_.acquirePicture) actions_.acquirePicture();
  });
  connect(dontShow_, &QCheckBox::toggled, this, [this](bool on) {
    if (actions_.dontShowChanged) actions_.dontShowChanged(on);
  });
  connect(close_, &QPushButton::clicked, this, [this] { done(kClosed); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addSpacing(8);
  for (QPushButton* button : {openLast_, selectAnother_, openPicture_, acquire_}) {
    layout->addWidget(button);
  }
  layout->addSpacing(8);
  layout->addWidget(dontShow_);
  layout->addWidget(close_);
  setMinimumWidth(340);
}

}  // namespace tintara
