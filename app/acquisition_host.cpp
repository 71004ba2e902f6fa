#include "app/acquisition_host.h"

#include <QCoreApplication>
#include <QWidget>

#include "app/scan_progress_window.h"

namespace tintara {

AcquisitionHost::AcquisitionHost(ScannerLibrary& library, QObject* receiver, QString folder)
    : library_(library), receiver_(receiver), folder_(std::move(folder)) {}

AcquisitionHost::~AcquisitionHost() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
  if (progress_) delete progress_.data();
}

ScanProgressWindow* AcquisitionHost::ProgressWindow() const { return progress_.data(); }

bool AcquisitionHost::Begin(const std::string& device, const ScanOptions& options,
                            QWidget* window) {
  if (scanning_) return false;
  if (worker_.joinable()) worker_.join();
  scanning_ = true;
  percent_ = 0;
  cancel_ = false;
  progress_ = new ScanProgressWindow(
      QString::fromStdString(device), [this] { return percent_.load(); },
      [this] { cancel_ = true; }, window);
  // Above the program and any dialog open, yet without a nested event loop.
  progress_->setWindowModality(Qt::ApplicationModal);
  progress_->show();
  worker_ = std::thread([this, device, options, folder = folder_.toStdString()] {
    ScanOutcome outcome = library_.Scan(device, options, folder, [this](int percent) {
      percent_ = percent;
      return !cancel_.load();
    });
    QMetaObject::invokeMethod(
        this, [this, outcome = std::move(outcome)] { Finish(outcome); }, Qt::QueuedConnection);
  });
  return true;
}

void AcquisitionHost::Finish(ScanOutcome outcome) {
  if (worker_.joinable()) worker_.join();
  if (progress_) progress_->Finished();
  scanning_ = false;
  if (outcome.end == ScanEnd::kDone) {
    if (!outcome.note.empty() && noted) noted(outcome.note);
    QCoreApplication::postEvent(receiver_, new PictureAcquiredEvent(outcome.path));
  } else if (failed) {
    failed(outcome);
  }
  if (ended) ended();
}

}  // namespace tintara
