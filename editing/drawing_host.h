// The view a drawing tool draws through: besides the selection tool's mapping
// and notices, it repaints a changed part of the picture and hears when a
// one-shot tool has finished.
#pragma once

#include "editing/selection_host.h"

namespace tintara {

class DrawingHost : public SelectionHost {
 public:
  // The pixels of `image` (rows and columns) changed: repaint their window
  // rectangle without erasing it first.
  virtual void RepaintImageArea(const BoxRect& image) = 0;
  // A picker finished or the tool changed by itself: commands' checks and the
  // colour display follow.
  virtual void ToolChanged() {}
};

}  // namespace tintara
