// Projects: new, open (also from the recent-file list), save, save as and
// exit, each behind the save-modified question where work could be lost.
#include <QFileDialog>
#include <QFileInfo>

#include "app/main_frame.h"
#include "app/splash_window.h"
#include "app/tessel20_app.h"
#include "colors/file_names.h"
#include "document/tessel_doc.h"
#include "storage/project_io.h"
#include "storage/recent_projects.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {

namespace {

// The suffix the project filter promises, added when a typed name lacks it
// (a project under any other name could not be opened again).
std::string WithProjectSuffix(const std::string& path) {
  return IsProjectPath(path) ? path : path + ".mop";
}

}  // namespace

void CTessel20App::RegisterFileCommands() {
  table_.Add({cmd::kNewProject, "Start new project", [this] { NewCommand(); }, {}, {}});
  table_.Add({cmd::kOpenProject, "Open an existing project", [this] { OpenCommand(); }, {}, {}});
  table_.Add({cmd::kSaveProject, "Save the project", [this] { SaveCommand(); }, {}, {}});
  table_.Add({cmd::kSaveProjectAs, "Save the project under a new name",
              [this] { SaveAsCommand(); }, {}, {}});
  table_.Add({cmd::kExit, "Exit", [this] { frame_->close(); }, {}, {}});
  for (int i = 0; i < cmd::kRecentFileCount; ++i) {
    table_.Add({cmd::kRecentFile1 + i, "Open recent project " + std::to_string(i + 1),
                [this, i] { OpenRecent(i); },
                [this, i] { return i < int(recent_.Entries().size()); }, {}});
  }
}

void CTessel20App::NewCommand() {
  if (!doc_->SaveModified()) return;
  doc_->NewProject();
  EnterStageOnRequest(0);
}

void CTessel20App::OpenCommand() {
  QString start = QString::fromStdString(
      doc_->pathName.empty() ? env_.app.projectsFolder : FolderOf(doc_->pathName));
  QString path = QFileDialog::getOpenFileName(frame_.get(), QStringLiteral("Open"), start,
                                              QString::fromUtf8(kProjectFilter));
  if (path.isEmpty() || !doc_->SaveModified()) return;
  OpenProjectFile(path.toStdString());
}

void CTessel20App::OpenRecent(int index) {
  if (index < 0 || index >= int(recent_.Entries().size())) return;
  std::string path = recent_.Entries()[size_t(index)];
  if (!doc_->SaveModified()) return;
  if (!OpenProjectFile(path)) {
    // An entry that cannot be opened leaves the list.
    recent_.Remove(index);
    frame_->SetRecentFiles(recent_.Entries());
  }
}

void CTessel20App::OpenDroppedFile(const QString& file) {
  std::string path = file.toStdString();
  if (IsProjectPath(path)) {
    if (doc_->SaveModified()) OpenProjectFile(path);
  } else {
    // The picture replaces the project after the save question of its own.
    LoadPictureFile(path);
  }
  AfterCommand();
}

bool CTessel20App::OpenProjectFile(const std::string& path) {
  bool opened = false;
  RunLong([&] { opened = OpenProject(*doc_, path); });
  if (opened) {
    RememberProject(path);
    autoSave_.Start(Ticks());
    fitted_ = true;
    frame_->View()->FitToWindow();
  }
  AfterCommand();
  return opened;
}

bool CTessel20App::SaveCommand() {
  if (doc_->pathName.empty()) return SaveAsCommand();
  return SaveTo(doc_->pathName);
}

bool CTessel20App::SaveAsCommand() {
  std::optional<std::string> path = ChooseProjectToSave();
  return path && SaveTo(*path);
}

std::optional<std::string> CTessel20App::ChooseProjectToSave() {
  std::string folder = doc_->pathName.empty() ? env_.app.projectsFolder : FolderOf(doc_->pathName);
  // A new project is proposed under its picture's name.
  std::string name = !doc_->pathName.empty()           ? FileNameOf(doc_->pathName)
                     : !doc_->pictureFileName.empty() ? FileTitle(doc_->pictureFileName)
                                                      : FileTitle(doc_->title);
  QString start = QString::fromStdString(JoinPath(folder, WithProjectSuffix(name)));
  QString path = QFileDialog::getSaveFileName(frame_.get(), QStringLiteral("Save As"), start,
                                              QString::fromUtf8(kProjectFilter));
  if (path.isEmpty()) return std::nullopt;
  return WithProjectSuffix(path.toStdString());
}

bool CTessel20App::SaveTo(const std::string& path) {
  bool saved = false;
  RunLong([&] { saved = SaveProject(*doc_, path, nullptr, SaveProgress::kShown); });
  if (saved) {
    RememberProject(path);
    // The next auto-save comes a whole interval after this save, not sooner.
    autoSave_.Start(Ticks());
  }
  AfterCommand();
  return saved;
}

void CTessel20App::RememberProject(const std::string& path) {
  recent_.Add(path);
  frame_->SetRecentFiles(recent_.Entries());
}

bool CTessel20App::MayClose() {
  if (frame_->Busy() || !doc_->SaveModified()) return false;
  // An open About window would keep the program running.
  if (splash_) splash_->close();
  return true;
}

}  // namespace tintara
