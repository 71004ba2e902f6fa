// Which controls of the "Select Region" window show for the chosen settings.
#pragma once

#include "editing/select_params.h"

namespace tintara {

struct SelectWindowVisibility {
  bool sizeBox = false;      // "&Size"
  bool squareBox = false;    // "S&quare"
  bool sizeFields = false;   // "&X : ", "&Y : " with labels and up-down controls
  bool tolerance = false;    // "&Tolerance : " is never shown
};

// Fixed size and square apply to rectangles and ellipses only; square is
// offered while the size is free, the size fields while it is fixed.
inline SelectWindowVisibility VisibilityFor(const CSelectParams& params) {
  SelectWindowVisibility shown;
  bool boxShape = params.shape == kSelectRectangle || params.shape == kSelectEllipse;
  shown.sizeBox = boxShape;
  shown.squareBox = boxShape && params.fixedSize == 0;
  shown.sizeFields = boxShape && params.fixedSize != 0;
  return shown;
}

}  // namespace tintara
