#include "view/view_source.h"

namespace tintara {

const ImageBuffer* ChooseDisplayedImage(const DisplayState& state) {
  if (state.pictureEditing) return state.workingPicture;
  if (state.initialPicture == nullptr) return nullptr;
  if (state.convertedPicture == nullptr) return state.initialPicture;
  switch (state.viewMode) {
    case 1: return state.convertedPicture;
    case 2: return state.patternImage;
    default: return state.initialPicture;
  }
}

}  // namespace tintara
