#include "document/tessel_doc.h"

#include <algorithm>
#include <cassert>
#include <cctype>

#include "document/document_environment.h"
#include "ports/ui_host.h"

namespace tintara {

const char kReconvertQuestion[] = "Your work will be reconverted!\nAll edits will be lost!\nContinue?";

CTessel20Doc::CTessel20Doc(DocumentEnvironment& environment, CTesselParams initialParams)
    : params(std::move(initialParams)), env_(environment) {}

CTessel20Doc::~CTessel20Doc() = default;

UiHost& CTessel20Doc::Ui() { return env_.ui; }
Dialogs& CTessel20Doc::DialogPort() { return env_.dialogs; }

void CTessel20Doc::CheckInvariants() const {
#ifndef NDEBUG
  assert((convertedPicture == nullptr) == (patternImage == nullptr));
  assert(convertedPicture == nullptr || indexImage != nullptr);
  if (convertedPicture) {
    assert(patternImage->Width() == convertedPicture->Width());
    assert(patternImage->Height() == convertedPicture->Height());
    assert(indexImage->Width() == convertedPicture->Width());
    assert(indexImage->Height() == convertedPicture->Height());
  }
  assert((workingPicture != nullptr) == (pictureEditing == 1));
  if (pictureEditing == 0) assert(!pictureUndo[0] && !pictureRedo[0]);
  for (int i = 1; i < kStackDepth; ++i) {
    assert(!undoSnapshots[i] || undoSnapshots[i - 1]);
    assert(!redoSnapshots[i] || redoSnapshots[i - 1]);
    assert(!pictureUndo[i] || pictureUndo[i - 1]);
    assert(!pictureRedo[i] || pictureRedo[i - 1]);
  }
#endif
}

bool CTessel20Doc::ConfirmReconvert() {
  if (!convertedPicture) return true;
  MessageRequest question;
  question.text = kReconvertQuestion;
  question.buttons = MessageButtons::kYesNo;
  question.icon = MessageIcon::kQuestion;
  return Ui().ShowMessage(question) == kResultYes;
}

void CTessel20Doc::DeleteSelection() { selection.reset(); }

void CTessel20Doc::UpdateAllViews() { Ui().UpdateViews(); }

void CTessel20Doc::RefreshNavigator() {
  if (navigatorWindowShown) Ui().RefreshNavigator();
}

void CTessel20Doc::ShowPaletteWindow(bool on) {
  if (on == paletteWindowShown) return;
  paletteWindowShown = on;
  Ui().ShowPaletteWindow(on);
}

void CTessel20Doc::ShowNavigator(bool on) {
  if (on == navigatorWindowShown) return;
  navigatorWindowShown = on;
  Ui().ShowNavigator(on);
}

void CTessel20Doc::SetWorkStage(int stage) { Ui().SetWorkStage(stage); }

void CTessel20Doc::EndTextEntry() {
  drawing.textWaiting = false;
  drawing.textPositioned = false;
  drawing.textMask = nullptr;
  drawing.text.clear();
}

void CTessel20Doc::DeleteContents() {
  FinishPictureEditing();
  initialPicture = nullptr;
  workingPicture = nullptr;
  convertedPicture = nullptr;
  patternImage = nullptr;
  patternEditedByHand = false;
  selection.reset();
  pictureEditing = 0;
  ClearPictureStacks();
  ClearSnapshotStacks();
  Ui().PictureEditingChanged(false);
  ShowPaletteWindow(false);
  ShowNavigator(false);
  CheckInvariants();
}

void CTessel20Doc::ResetToUntitled() {
  DeleteContents();
  title = "Untitled";
  pathName.clear();
  modified = false;
}

void CTessel20Doc::NewProject() {
  ResetToUntitled();
  UpdateAllViews();
}

bool CTessel20Doc::SaveModified() {
  if (!modified) return true;
  MessageRequest question;
  question.text = "Save changes to " + title + "?";
  question.buttons = MessageButtons::kYesNoCancel;
  question.icon = MessageIcon::kQuestion;
  int answer = Ui().ShowMessage(question);
  if (answer == kResultCancel) return false;
  if (answer == kResultNo) return true;
  return env_.saveProject && env_.saveProject(*this);
}

bool CTessel20Doc::ReplaceWithPicture(ImageRef picture, int32_t origin,
                                      const std::string& fileName, bool stageAlways) {
  if (!picture) return false;
  if (initialPicture || convertedPicture) {
    if (!SaveModified()) return false;  // the new picture is dropped
    ResetToUntitled();
  }
  pictureOrigin = origin;
  pictureFileName = fileName;
  initialPicture = std::move(picture);
  convertedPicture = nullptr;
  patternImage = nullptr;
  // The paints are chosen again for the new picture, as for a new project.
  params.paletteReady = 0;
  viewMode = kViewInitial;
  CheckInvariants();
  UpdateAllViews();
  Ui().FitViews();
  if (stageAlways || !env_.StandardInterface()) SetWorkStage(1);
  if (env_.AutoNavigator()) ShowNavigator(true);
  return true;
}

void CTessel20Doc::ProjectOpened(const std::string& path) {
  pathName = path;
  modified = false;
  if (env_.projectOpened) env_.projectOpened(path);
  if (convertedPicture) {
    SetWorkStage(3);
    if (env_.AutoPaletteWindow()) ShowPaletteWindow(true);
    if (env_.AutoNavigator()) ShowNavigator(true);
  }
  UpdateAllViews();
}

void CTessel20Doc::ProjectSaved(const std::string& path) {
  pathName = path;
  modified = false;
  if (env_.projectSaved) env_.projectSaved(path);
}

bool IsProjectPath(const std::string& path) {
  // The file name itself must end in ".mop" and have a name before it.
  std::string name = path.substr(path.find_last_of('/') + 1);
  if (name.size() <= 4) return false;
  std::string tail = name.substr(name.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return tail == ".mop";
}

}  // namespace tintara
