// Picture editing: the user changes a working copy of the initial picture
// with its own ten-step undo; finishing makes the copy the initial picture.
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "ports/ui_host.h"

namespace tintara {

void CTessel20Doc::StartPictureEditing() {
  if (pictureEditing || !initialPicture) return;
  Ui().PictureEditingChanged(true);
  ShowPaletteWindow(false);
  ClearPictureStacks();
  workingPicture = CopyOrNull(initialPicture);
  if (!workingPicture) return;
  pictureEditing = 1;
  if (viewMode != kViewInitial) {
    viewMode = kViewInitial;
    UpdateAllViews();
    Ui().FitViews();
  }
  CheckInvariants();
}

void CTessel20Doc::ApplyPictureEdit(ImageRef result) {
  if (!result || !pictureEditing) return;
  PushPictureUndo();
  workingPicture = std::move(result);
  UpdateAllViews();
  RefreshNavigator();
}

void CTessel20Doc::UndoAllPictureEdits() {
  if (!pictureEditing) return;
  ClearPictureStacks();
  ImageRef fresh = CopyOrNull(initialPicture);
  if (fresh) workingPicture = std::move(fresh);
  viewMode = kViewInitial;
  UpdateAllViews();
}

void CTessel20Doc::FinishPictureEditing() {
  if (!pictureEditing) return;
  Ui().PictureEditingChanged(false);
  pictureEditing = 0;
  if (pictureUndo[0] && ConfirmReconvert()) {
    PushUndoSnapshot();
    viewMode = kViewInitial;
    initialPicture = CopyOrNull(workingPicture);
    convertedPicture = nullptr;
    patternImage = nullptr;  // the index image stays until the next pattern replaces it
    RefreshNavigator();
  }
  workingPicture = nullptr;
  ClearPictureStacks();
  selection.reset();
  drawing.textWindowOpen = false;
  CheckInvariants();
  UpdateAllViews();
}

}  // namespace tintara
