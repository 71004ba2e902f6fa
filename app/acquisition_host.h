// One acquisition at a time: the scan runs on a worker thread while a small
// window shows its progress with Cancel; a picture that came in is posted to
// the receiver as a PictureAcquiredEvent with its temporary file, anything
// else is handed to the failure callback.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "ports/scanner_library.h"

class QWidget;

namespace tintara {

class ScanProgressWindow;

// The picture-acquired message: the path of a temporary picture file that the
// receiver deletes, whether it can load it or not.
class PictureAcquiredEvent : public QEvent {
 public:
  static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 0x518);
  explicit PictureAcquiredEvent(std::string path) : QEvent(kType), path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class AcquisitionHost : public QObject {
  Q_OBJECT

 public:
  // Scans go into `folder`; pictures are posted to `receiver`.
  AcquisitionHost(ScannerLibrary& library, QObject* receiver, QString folder);
  ~AcquisitionHost() override;

  // Starts scanning; false when a scan is already under way.
  bool Begin(const std::string& device, const ScanOptions& options, QWidget* window);
  // From the start of a scan until its picture was posted or its failure told.
  bool Scanning() const { return scanning_; }
  // The progress window while a scan runs.
  ScanProgressWindow* ProgressWindow() const;

  // A scan that ended without a picture: cancelled, the device gone, failed.
  std::function<void(const ScanOutcome&)> failed;
  // A scan that brought its picture with a remark: the device changed a setting.
  std::function<void(const std::string&)> noted;
  // Called whenever a scan ended, after the picture was posted or the failure told.
  std::function<void()> ended;

 private:
  void Finish(ScanOutcome outcome);

  ScannerLibrary& library_;
  QObject* receiver_;
  QString folder_;
  std::thread worker_;
  std::atomic<int> percent_{0};
  std::atomic<bool> cancel_{false};
  bool scanning_ = false;
  QPointer<ScanProgressWindow> progress_;
};

}  // namespace tintara
