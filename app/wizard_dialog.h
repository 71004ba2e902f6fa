// "Tintara Wizard": the start dialog of the guided way in. Its buttons only
// pass on to the application; the dialog closes when the application says
// the step succeeded.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QPushButton;

namespace tintara {

struct WizardActions {
  // Each returns true when the wizard should close.
  std::function<bool()> openLastProject;
  std::function<bool()> selectAnotherProject;
  std::function<bool()> openPictureFromDisk;
  // The "Get Picture" way in; an arriving picture closes the wizard itself.
  std::function<void()> acquirePicture;
  // "Don't show this Wizard on start" changed.
  std::function<void(bool)> dontShowChanged;
};

class WizardDialog : public QDialog {
  Q_OBJECT

 public:
  // How the wizard ended.
  enum Outcome { kClosed = 0, kProjectOpened = 2, kPictureOpened = 3 };

  WizardDialog(WizardActions actions, bool dontShowOnStart, bool hasLastProject,
               QWidget* parent = nullptr);

  QPushButton* OpenLastButton() const { return openLast_; }
  QPushButton* SelectAnotherButton() const { return selectAnother_; }
  QPushButton* OpenPictureButton() const { return openPicture_; }
  QPushButton* AcquireButton() const { return acquire_; }
  QPushButton* CloseButton() const { return close_; }
  QCheckBox* DontShowBox() const { return dontShow_; }

 private:
  WizardActions actions_;
  QPushButton* openLast_;
  QPushButton* selectAnother_;
  QPushButton* openPicture_;
  QPushButton* acquire_;
  QPushButton* close_;
  QCheckBox* dontShow_;
};

}  // namespace tintara
