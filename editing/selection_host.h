// The view a selection tool is attached to: it maps window points to picture
// points at its zoom and scroll position and repaints when told.
#pragma once

#include "imaging/region.h"

namespace tintara {

class SelectionHost {
 public:
  virtual ~SelectionHost() = default;
  // Window point (y down) to picture point (y up from the bottom row).
  virtual Point WindowToImage(Point window) const = 0;
  // Picture rectangle to window rectangle (left, top, right, bottom).
  virtual LtrbRect ImageToWindow(const BoxRect& image) const = 0;
  // The selection changed: the view repaints it (and whatever follows it).
  virtual void SelectionChanged() = 0;
  // The rubber band changed: the view redraws it.
  virtual void FeedbackChanged() = 0;
};

}  // namespace tintara
