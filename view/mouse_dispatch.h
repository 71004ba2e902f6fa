// The order in which the view hands left-button input to its tools: the
// document's current tool first, then the selection tool, which holds the
// mouse from its button down to its button up. The window widget and the
// command-line tool's gestures both go through it.
#pragma once

#include "view/view_source.h"

namespace tintara {

class ViewMouseDispatch {
 public:
  // Each returns true when a tool took the event; false leaves it to the
  // platform default.
  bool LeftDown(ViewSource& source, const MouseInput& input);
  bool LeftUp(ViewSource& source, const MouseInput& input);
  bool Move(ViewSource& source, const MouseInput& input);
  bool DoubleClick(ViewSource& source, const MouseInput& input);

  // The selection tool holds the mouse (between its button down and up).
  bool Capturing() const { return capture_; }

 private:
  bool capture_ = false;
};

}  // namespace tintara
