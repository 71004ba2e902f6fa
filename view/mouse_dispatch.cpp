#include "view/mouse_dispatch.h"

namespace tintara {

bool ViewMouseDispatch::LeftDown(ViewSource& source, const MouseInput& input) {
  MouseTool* tool = source.CurrentTool();
  if (tool != nullptr && tool->LeftDown(input)) return true;
  MouseTool* selection = source.ActiveSelectionTool();
  if (selection == nullptr) return false;
  capture_ = true;
  selection->LeftDown(input);
  return true;
}

bool ViewMouseDispatch::LeftUp(ViewSource& source, const MouseInput& input) {
  MouseTool* tool = source.CurrentTool();
  if (tool != nullptr && tool->LeftUp(input)) return true;
  if (!capture_) return false;
  capture_ = false;
  if (MouseTool* selection = source.ActiveSelectionTool()) selection->LeftUp(input);
  return true;
}

bool ViewMouseDispatch::Move(ViewSource& source, const MouseInput& input) {
  MouseTool* tool = source.CurrentTool();
  if (tool != nullptr && tool->Move(input)) return true;
  MouseTool* selection = source.ActiveSelectionTool();
  if (selection == nullptr || !(capture_ || source.SelectionFollowsMouse())) return false;
  selection->Move(input);
  return true;
}

bool ViewMouseDispatch::DoubleClick(ViewSource& source, const MouseInput& input) {
  MouseTool* tool = source.CurrentTool();
  if (tool != nullptr && tool->DoubleClick(input)) return true;
  MouseTool* selection = source.ActiveSelectionTool();
  if (selection == nullptr) return false;
  selection->DoubleClick(input);
  return true;
}

}  // namespace tintara
