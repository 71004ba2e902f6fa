#include "app/scan_progress_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tintara {

ScanProgressWindow::ScanProgressWindow(const QString& device, std::function<int()> percent,
                                       std::function<void()> cancel, QWidget* parent)
    : QDialog(parent), percent_(std::move(percent)), cancel_(std::move(cancel)) {
  setWindowTitle(QStringLiteral("Scanning"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Scanning from %1...").arg(device), this));
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setMinimumWidth(280);
  layout->addWidget(bar_);
  cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
  layout->addWidget(cancelButton_, 0, Qt::AlignRight);
  connect(cancelButton_, &QPushButton::clicked, this, &ScanProgressWindow::reject);
  connect(&poll_, &QTimer::timeout, this, [this] { bar_->setValue(percent_()); });
  poll_.start(100);
}

void ScanProgressWindow::Finished() {
  cancel_ = nullptr;
  poll_.stop();
  done(QDialog::Accepted);
  deleteLater();
}

void ScanProgressWindow::reject() {
  // The window stays until the scan has stopped; the host closes it then.
  if (!cancel_) return;
  cancelButton_->setEnabled(false);
  std::function<void()> cancel = std::move(cancel_);
  cancel_ = nullptr;
  cancel();
}

}  // namespace tintara
