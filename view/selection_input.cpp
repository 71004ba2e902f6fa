#include "view/selection_input.h"

#include "editing/selection_tool.h"

namespace tintara {

bool SelectionMouseInput::LeftDown(const MouseInput& input) {
  if (tool_ == nullptr) return false;
  tool_->ButtonDown(input.window);
  return true;
}

bool SelectionMouseInput::LeftUp(const MouseInput& input) {
  if (tool_ == nullptr) return false;
  tool_->ButtonUp(input.window);
  return true;
}

bool SelectionMouseInput::Move(const MouseInput& input) {
  if (tool_ == nullptr) return false;
  tool_->MouseMove(input.window);
  return true;
}

bool SelectionMouseInput::DoubleClick(const MouseInput&) {
  if (tool_ == nullptr) return false;
  tool_->DoubleClick();
  return true;
}

bool SelectionCursorOf(int shape, ToolCursor& cursor) {
  switch (shape) {
    case kSelectRectangle: cursor = ToolCursor::kSelectRectangle; return true;
    case kSelectEllipse: cursor = ToolCursor::kSelectEllipse; return true;
    case kSelectPolygon:
    case kSelectFreehand: cursor = ToolCursor::kSelectFree; return true;
    case kSelectMove: cursor = ToolCursor::kMove; return true;
    default: return false;
  }
}

LtrbRect MappedSelectionHost::ImageToWindow(const BoxRect& image) const {
  ImageRect rect{image.x, image.y, image.x + image.width, image.y + image.height};
  return mapping_().ImageToWindow(rect);
}

}  // namespace tintara
