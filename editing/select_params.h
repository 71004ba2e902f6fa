// The shape settings of the selection tool, edited in the "Select Region"
// window and read by the tool on every mouse event.
#pragma once

#include <cstdint>

namespace tintara {

enum : int32_t {
  kSelectNoShape = -1,
  kSelectRectangle = 0,
  kSelectEllipse = 1,
  kSelectPolygon = 2,
  kSelectFreehand = 3,
  kSelectMove = 4,
};

enum : int32_t { kSelectModeNew = 0, kSelectModeAdd = 1, kSelectModeSubtract = 2 };

enum : int32_t {
  kSelectNoAction = -1,
  kSelectActionWhole = 0,
  kSelectActionRemove = 1,
};

struct CSelectParams {
  int32_t shape = kSelectRectangle;
  int32_t combineMode = kSelectModeNew;
  int32_t pendingAction = kSelectNoAction;
  int32_t square = 0;
  int32_t fixedSize = 0;
  int32_t fixedWidth = 100;   // window pixels
  int32_t fixedHeight = 100;  // window pixels
  int32_t tolerance = 16;     // kept for the window's hidden field; nothing reads it
};

}  // namespace tintara
