// Pictures from scanners, cameras and other devices: the three acquire
// commands, "TWAIN options", the wizard's "Get Picture" dialog and the
// arrival of an acquired picture.
#include <QDir>
#include <QFile>

#include "app/acquisition_host.h"
#include "app/get_picture_dialog.h"
#include "app/main_frame.h"
#include "app/qt_image_files.h"
#include "app/tessel20_app.h"
#include "document/tessel_doc.h"
#include "storage/scan_option_memory.h"

namespace tintara {

namespace {

constexpr const char kNoDevice[] = "Can't find any TWAIN device!";
constexpr const char kUnreadableScan[] =
    "The scanned picture could not be read; the project is unchanged.";

}  // namespace

void CTessel20App::RegisterAcquisitionCommands() {
  QString folder = options_.scanFolder.isEmpty() ? QDir::tempPath() : options_.scanFolder;
  acquisition_ = std::make_unique<AcquisitionHost>(*scanner_, this, folder);
  acquisition_->failed = [this](const ScanOutcome& outcome) {
    doc_->acquisitionFromWizard = false;
    host_.Message(outcome.message, outcome.end == ScanEnd::kCancelled ? MessageIcon::kInformation
                                                                      : MessageIcon::kError);
  };
  acquisition_->noted = [this](const std::string& note) {
    host_.Message(note, MessageIcon::kInformation);
  };
  acquisition_->ended = [this] { AfterCommand(); };
  auto idle = [this] { return !ScannerBusy(); };
  table_.Add({cmd::kAcquireScanner, "Get picture from scanner",
              [this] { AcquireCommand(DeviceKind::kScanner, false); }, idle, {}});
  table_.Add({cmd::kAcquireCamera, "Get picture from digital camera",
              [this] { AcquireCommand(DeviceKind::kCamera, false); }, idle, {}});
  table_.Add({cmd::kAcquireOther, "Get picture from selected TWAIN device",
              [this] { AcquireCommand(DeviceKind::kOther, false); }, idle, {}});
  table_.Add({cmd::kTwainOptions, "TWAIN options", [this] { TwainSettingsCommand(std::nullopt); },
              idle, {}});
}

bool CTessel20App::ScannerBusy() const {
  return (scanner_ && scanner_->Busy()) || (acquisition_ && acquisition_->Scanning());
}

std::string& CTessel20App::SourceSetting(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::kCamera: return env_.app.twainCamera;
    case DeviceKind::kOther: return env_.app.twainOther;
    case DeviceKind::kScanner: break;
  }
  return env_.app.twainScanner;
}

void CTessel20App::AcquireCommand(DeviceKind kind, bool fromWizard) {
  if (ScannerBusy()) return;
  doc_->acquisitionFromWizard = fromWizard;
  const std::string& stored = SourceSetting(kind);
  if (HasSource(*scanner_, stored)) {
    StartAcquisition(stored);
    return;
  }
  if (TwainSettingsCommand(kind) && HasSource(*scanner_, SourceSetting(kind))) {
    StartAcquisition(SourceSetting(kind));
  }
}

bool CTessel20App::TwainSettingsCommand(std::optional<DeviceKind> onlyKind) {
  std::vector<std::string> sources = SourceNames(*scanner_);
  if (sources.empty()) {
    host_.Message(kNoDevice, MessageIcon::kError);
    return false;
  }
  TwainSourceNames stored{env_.app.twainScanner, env_.app.twainCamera, env_.app.twainOther};
  std::optional<TwainSourceNames> chosen = dialogs_.TwainSettings(sources, stored, onlyKind);
  if (!chosen) return false;
  env_.app.twainScanner = chosen->scanner;
  env_.app.twainCamera = chosen->camera;
  env_.app.twainOther = chosen->other;
  return true;
}

void CTessel20App::StartAcquisition(const std::string& device) {
  // SANE devices bring no window of their own: their settings are asked here.
  std::string error;
  std::optional<ScanCapabilities> offered = scanner_->Capabilities(device, &error);
  if (!offered) {
    host_.Message(error, MessageIcon::kError);
    return;
  }
  ScanOptions initial =
      FitScanOptions(ReadScanOptions(*settings_, device).value_or(offered->defaults), *offered);
  std::optional<ScanOptions> chosen = dialogs_.ScanSettings(device, *offered, initial);
  if (!chosen) return;
  WriteScanOptions(*settings_, device, *chosen);
  settings_->Flush();
  acquiringFrom_ = device;
  acquisition_->Begin(device, *chosen, frame_.get());
  AfterCommand();
}

void CTessel20App::PictureAcquired(const std::string& path) {
  std::string error;
  ImageRef picture = imageFiles_->LoadNamed(path, &error);
  QFile::remove(QString::fromStdString(path));
  const bool fromWizard = std::exchange(doc_->acquisitionFromWizard, false);
  if (!picture) {
    host_.Message(kUnreadableScan, MessageIcon::kError);
    return;
  }
  if (!doc_->ReplaceWithPicture(std::move(picture), kOriginDevice, "", true)) return;
  doc_->originDeviceName = acquiringFrom_;
  AfterCommand();
  if (!fromWizard) return;
  if (getPicture_) getPicture_->accept();
  if (onWizardPictureArrived) onWizardPictureArrived();
}

void CTessel20App::RunGetPicture() {
  GetPictureActions actions;
  actions.use = [this](DeviceKind kind) { AcquireCommand(kind, true); };
  actions.settings = [this] { TwainSettingsCommand(std::nullopt); };
  actions.busy = [this] { return ScannerBusy(); };
  RunGetPictureDialog(std::move(actions), frame_.get(), getPicture_);
}

GetPictureDialog* CTessel20App::OpenGetPictureDialog() const { return getPicture_.data(); }

bool CTessel20App::event(QEvent* event) {
  if (event->type() == PictureAcquiredEvent::kType) {
    PictureAcquired(static_cast<PictureAcquiredEvent*>(event)->Path());
    return true;
  }
  return QObject::event(event);
}

}  // namespace tintara
