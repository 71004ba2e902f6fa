// The window over the program while a scan comes in: which device, how far,
// and Cancel.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tintara {

class ScanProgressWindow : public QDialog {
  Q_OBJECT

 public:
  // `percent` is read every tenth of a second; Cancel (or Escape) calls `cancel` once.
  ScanProgressWindow(const QString& device, std::function<int()> percent,
                     std::function<void()> cancel, QWidget* parent = nullptr);

  // The scan has stopped: the window goes.
  void Finished();

  QProgressBar* Bar() const { return bar_; }
  QPushButton* CancelButton() const { return cancelButton_; }

 protected:
  void reject() override;

 private:
  std::function<int()> percent_;
  std::function<void()> cancel_;
  QProgressBar* bar_;
  QPushButton* cancelButton_;
  QTimer poll_;
};

}  // namespace tintara
