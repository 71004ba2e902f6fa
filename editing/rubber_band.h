// What the selection tool shows on the screen while the mouse draws a shape,
// in window coordinates; the view draws it by inverting the pixels below.
#pragma once

#include <vector>

#include "imaging/region.h"

namespace tintara {

struct RubberBand {
  enum class Kind { kNone, kRectangle, kEllipse, kLines };
  Kind kind = Kind::kNone;
  LtrbRect rect;              // rectangle, or the box an ellipse is inscribed in
  std::vector<Point> points;  // an open line through these points
  bool Shown() const { return kind != Kind::kNone; }
};

}  // namespace tintara
