// The state one undo step restores: the four images (shared copy-on-write, so
// a snapshot of an unchanged project copies no pixels), the view mode, the
// pattern parameters and the picture's origin.
#pragma once

#include <cstdint>
#include <memory>

#include "colors/tessel_params.h"
#include "imaging/image_buffer.h"

namespace tintara {

struct DocumentSnapshot {
  ImageRef initialPicture;
  ImageRef convertedPicture;
  ImageRef patternImage;
  ImageRef indexImage;
  int32_t viewMode = 0;
  CTesselParams params;
  int32_t pictureOrigin = 0;
  bool patternEditedByHand = false;
};

using SnapshotPtr = std::unique_ptr<DocumentSnapshot>;

// A copy of an image, or null when there is none or it cannot be made.
ImageRef CopyOrNull(const ImageRef& image);

}  // namespace tintara
