// The navigator's command, the creation wizard with its creation steps, and
// the project browser it opens.
#include <QFileInfo>
#include <QTimer>

#include "app/main_frame.h"
#include "app/navigator_host.h"
#include "app/project_browser.h"
#include "app/tessel20_app.h"
#include "app/wizard_dialog.h"
#include "document/pattern_settings_sheet.h"
#include "document/tessel_doc.h"
#include "editing/picture_panel.h"
#include "storage/project_list.h"
#include "storage/recent_projects.h"
#include "storage/settings_keys.h"

namespace tintara {

void CTessel20App::RegisterWizardCommands() {
  table_.Add({cmd::kToggleNavigator, "Show/hide navigator window", [this] { ToggleNavigator(); },
              [this] {
                return doc_->convertedPicture || doc_->initialPicture || doc_->workingPicture;
              },
              [this] { return doc_->navigatorWindowShown; }});
  table_.Add({cmd::kLaunchWizard, "Launch  pattern creation wizard",
              [this] { LaunchWizardCommand(); }, {}, {}});
  if (!acquirePicture_) acquirePicture_ = [this] { RunGetPicture(); };
  // A picture the wizard asked a device for closes it and goes on with the
  // steps once the dialogs have unwound.
  if (!onWizardPictureArrived) {
    onWizardPictureArrived = [this] {
      CloseWizard();
      QTimer::singleShot(0, this, [this] { RunCreationSteps(); });
    };
  }
}

void CTessel20App::ToggleNavigator() {
  const bool on = !doc_->navigatorWindowShown;
  doc_->ShowNavigator(on);
  env_.app.showNavigator = on ? 1 : 0;
}

void CTessel20App::LaunchWizardCommand() {
  if (!doc_->SaveModified()) return;
  doc_->NewProject();
  AfterCommand();
  RunWizard();
}

void CTessel20App::RunWizard() {
  Dispatch(cmd::kStageStart);
  WizardActions actions;
  actions.openLastProject = [this] { return WizardOpenLastProject(); };
  actions.selectAnotherProject = [this] { return WizardSelectAnotherProject(); };
  actions.openPictureFromDisk = [this] { return WizardOpenPicture(); };
  actions.acquirePicture = [this] {
    if (acquirePicture_) acquirePicture_();
  };
  actions.dontShowChanged = [this](bool on) {
    WriteSetting(*settings_, Setting::kWizardShowOnStart, on ? 1 : 0);
    settings_->Flush();
  };
  // The box says what the next start will do, read as the start reads it.
  const bool dontShow = ReadSetting(*settings_, Setting::kWizardShowOnStart) != 0;
  WizardDialog dialog(std::move(actions), dontShow, !LastProject(*settings_).empty(),
                      frame_.get());
  wizard_ = &dialog;
  const int outcome = dialog.exec();
  wizard_ = nullptr;
  AfterCommand();
  if (outcome == WizardDialog::kPictureOpened) RunCreationSteps();
}

void CTessel20App::CloseWizard() {
  if (wizard_) wizard_->done(WizardDialog::kClosed);
}

bool CTessel20App::WizardOpenLastProject() {
  const std::string path = LastProject(*settings_);
  if (path.empty() || !QFileInfo::exists(QString::fromStdString(path))) return false;
  return OpenProjectFile(path);
}

bool CTessel20App::WizardSelectAnotherProject() {
  bool opened = false;
  ProjectBrowserActions actions;
  actions.openProject = [this, &opened](const std::string& path) {
    opened = OpenProjectFile(path);
    return opened;
  };
  actions.browse = [this, &opened] {
    const std::string before = doc_->pathName;
    Dispatch(cmd::kOpenProject);
    opened = !doc_->pathName.empty() && doc_->pathName != before;
    return opened;
  };
  actions.beep = [this] { host_.Beep(); };
  actions.preview = [this](const std::string& path, int width, int height) {
    return ProjectPreviewRequest{path,  env_.programFolder,
                                 doc_->params, ReadSetting(*settings_, Setting::kPictureMemoryLimit),
                                 width, height};
  };
  ProjectBrowserDialog browser(ReadProjectRows(*settings_), std::move(actions),
                               wizard_ ? static_cast<QWidget*>(wizard_) : frame_.get());
  browser.exec();
  return opened;
}

bool CTessel20App::WizardOpenPicture() {
  const bool loaded = LoadPictureCommand();
  AfterCommand();
  return loaded && doc_->initialPicture != nullptr;
}

void CTessel20App::RunCreationSteps() {
  if (!doc_->initialPicture) return;
  doc_->StartPictureEditing();
  AfterCommand();
  for (bool filters : {false, true}) {
    PicturePanel panel(*doc_);
    const bool next = dialogs_.ShowPicturePanel(panel, filters);
    AfterCommand();
    if (!next) return;
  }
  // The edited picture is the one the paints are chosen for.
  doc_->FinishPictureEditing();
  AfterCommand();
  std::optional<PatternSettingsAnswer> answer = AskPatternSettings(*doc_);
  if (!answer) return;
  RunLong([this, &answer] { ApplyPatternSettings(*doc_, std::move(*answer)); });
  AfterCommand();
  Dispatch(cmd::kStagePattern);
}

}  // namespace tintara
