// What the views show, the stages of the guided interface, and entering and
// leaving pattern editing.
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "ports/ui_host.h"

namespace tintara {

std::pair<int32_t, int32_t> CTessel20Doc::CurrentImageSize() const {
  const ImageBuffer* image = nullptr;
  if (pictureEditing) {
    image = workingPicture.get();
  } else if (viewMode == kViewInitial) {
    image = initialPicture.get();
  } else if (convertedPicture) {
    image = viewMode == kViewPattern ? patternImage.get() : convertedPicture.get();
  }
  if (image == nullptr) return {0, 0};
  return {image->Width(), image->Height()};
}

const ImageBuffer* CTessel20Doc::ShownImage() const {
  if (pictureEditing) return workingPicture.get();
  if (!initialPicture) return nullptr;
  if (!convertedPicture) return initialPicture.get();
  switch (viewMode) {
    case kViewConverted: return convertedPicture.get();
    case kViewPattern: return patternImage.get();
    default: return initialPicture.get();
  }
}

void CTessel20Doc::CreateDrawingPatternCommand() {
  if (!ConfirmReconvert()) return;
  PushUndoSnapshot();
  const bool made = CreatePattern();
  if (!convertedPicture) return;
  Ui().RefreshPanels();
  FinishPictureEditing();
  if (made) ShowNewPattern();
  SetWorkStage(3);
  RefreshNavigator();
}

void CTessel20Doc::ShowNewPattern() {
  // What was made is the numbered pattern, whole: a photograph's zoom would
  // show it as a thumbnail.
  if (!patternImage) return;
  viewMode = kViewPattern;
  UpdateAllViews();
  Ui().FitViews();
}

void CTessel20Doc::LeavePatternEditing() {
  if (!env_.patternEditing) return;
  env_.patternEditing = false;
  currentTool = kToolNone;
  bool changed = selection != nullptr || drawing.textPositioned;
  selection.reset();
  EndTextEntry();
  drawing.textWindowOpen = false;
  if (changed) UpdateAllViews();
  RefreshNavigator();
}

void CTessel20Doc::EnterPatternEditing() {
  if (env_.patternEditing) return;
  env_.patternEditing = true;
  selection.reset();
  if (viewMode == kViewInitial || !convertedPicture) {
    if (!convertedPicture) {
      CreateDrawingPatternCommand();
      Ui().RefreshPanels();
      if (!convertedPicture) return;
    }
    viewMode = kViewPattern;
    UpdateAllViews();
    RefreshNavigator();
    Ui().FitViews();
  }
  if (env_.AutoPaletteWindow()) ShowPaletteWindow(true);
}

void CTessel20Doc::ViewInitialPicture() {
  if (viewMode == kViewInitial) return;
  Ui().RefreshPanels();
  selection.reset();
  viewMode = kViewInitial;
  currentTool = kToolNone;
  EndTextEntry();
  UpdateAllViews();
  RefreshNavigator();
  Ui().FitViews();
  env_.patternEditing = false;
}

void CTessel20Doc::ViewConvertedOrPattern(int32_t target) {
  int32_t old = viewMode;
  if (env_.StandardInterface() && !convertedPicture) {
    CreateDrawingPatternCommand();
    modified = true;
    // A creation the user just cancelled is not started a second time.
    if (!convertedPicture) return;
  }
  if (old == target) return;
  Ui().RefreshPanels();
  if (!convertedPicture) {
    CreateDrawingPatternCommand();
    if (!convertedPicture) return;
  }
  modified = true;
  if (old == kViewInitial) selection.reset();
  viewMode = target;
  UpdateAllViews();
  if (old == kViewInitial) Ui().FitViews();
  RefreshNavigator();
  env_.patternEditing = target == kViewPattern;
}

void CTessel20Doc::ViewAsColorBlocks() {
  if (!env_.StandardInterface() || convertedPicture) return;
  CreateDrawingPatternCommand();
  modified = true;
}

void CTessel20Doc::RunStage(int stage) {
  switch (stage) {
    case 1:
      StartPictureEditing();
      LeavePatternEditing();
      break;
    case 3:
      FinishPictureEditing();
      EnterPatternEditing();
      break;
    default:
      FinishPictureEditing();
      LeavePatternEditing();
      break;
  }
}

}  // namespace tintara
