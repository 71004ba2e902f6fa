#include "view/document_view_source.h"

#include "document/tessel_doc.h"
#include "editing/drawing_tool.h"
#include "editing/selection_tool.h"
#include "editing/text_placement.h"
#include "pattern/render_pattern.h"

namespace tintara {

bool SelectAreaTool::LeftDown(const MouseInput& input) {
  if (doc_.currentTool != kToolSelectArea) return false;
  // The mapped point is the upper edge of the pixel row under the pointer.
  doc_.SelectAreaAt(input.image.x, input.image.y - 1);
  return true;
}

bool SelectAreaTool::SetCursor(const MouseInput&, ToolCursor& cursor) {
  if (doc_.currentTool != kToolSelectArea) return false;
  cursor = ToolCursor::kCross;
  return true;
}

bool DrawingMouseInput::LeftDown(const MouseInput& input) {
  return tool_ != nullptr && tool_->ButtonDown(input.window);
}

bool DrawingMouseInput::LeftUp(const MouseInput& input) {
  return tool_ != nullptr && tool_->ButtonUp(input.window, (input.keys & kMouseKeyShift) != 0);
}

bool DrawingMouseInput::Move(const MouseInput& input) {
  return tool_ != nullptr && tool_->MouseMove(input.window, (input.keys & kMouseKeyLeft) != 0,
                                              (input.keys & kMouseKeyShift) != 0);
}

bool DrawingMouseInput::DoubleClick(const MouseInput& input) {
  return tool_ != nullptr && tool_->DoubleClick(input.window);
}

bool DrawingMouseInput::SetCursor(const MouseInput&, ToolCursor& cursor) {
  if (tool_ != nullptr && tool_->PlacingText()) {
    cursor = ToolCursor::kText;
    return true;
  }
  switch (doc_.currentTool) {
    case kToolPen: cursor = ToolCursor::kPen; return true;
    case kToolLine: cursor = ToolCursor::kCross; return true;
    case kToolRectangle: cursor = ToolCursor::kSelectRectangle; return true;
    case kToolEllipse: cursor = ToolCursor::kSelectEllipse; return true;
    case kToolPickColor:
    case kToolColorInfo: cursor = ToolCursor::kPicker; return true;
    case kToolRecolor: cursor = ToolCursor::kFill; return true;
    default: return false;
  }
}

const ImageBuffer* DocumentViewSource::DisplayedImage() const { return doc_.ShownImage(); }

int DocumentViewSource::InkValue() const {
  const ImageBuffer* shown = doc_.ShownImage();
  return shown != nullptr && shown == doc_.patternImage.get() ? kPatternInk : -1;
}

const Region* DocumentViewSource::Selection() const { return doc_.selection.get(); }

ImageSize DocumentViewSource::CurrentImageSize() const {
  auto [width, height] = doc_.CurrentImageSize();
  return {width, height};
}

MouseTool* DocumentViewSource::CurrentTool() {
  if (doc_.currentTool == kToolSelectArea) return &selectArea_;
  if (drawing_ != nullptr && drawing_->Host() != nullptr &&
      (IsDrawingTool(doc_.currentTool) || drawing_->PlacingText())) {
    return &drawingInput_;
  }
  return nullptr;
}

bool DocumentViewSource::SelectionActive() const {
  return selection_ != nullptr && selection_->Armed() && selection_->Host() != nullptr &&
         doc_.currentTool == kToolNone;
}

MouseTool* DocumentViewSource::ActiveSelectionTool() {
  return SelectionActive() ? &selectionInput_ : nullptr;
}

bool DocumentViewSource::SelectionFollowsMouse() const {
  return SelectionActive() && selection_->FollowsMouse();
}

bool DocumentViewSource::SelectionCursor(ToolCursor& cursor) const {
  if (!SelectionActive()) return false;
  return SelectionCursorOf(selection_->Params().shape, cursor);
}

const RubberBand* DocumentViewSource::SelectionFeedback() const {
  if (selection_ == nullptr || !selection_->Feedback().Shown()) return nullptr;
  return &selection_->Feedback();
}

const ImageBuffer* DocumentViewSource::PlacedText(BoxRect& box) const {
  box = PlacedTextBox(doc_);
  return box.IsEmpty() ? nullptr : doc_.drawing.textMask.get();
}

const RubberBand* DocumentViewSource::DrawingFeedback() const {
  if (drawing_ == nullptr || !drawing_->Feedback().Shown()) return nullptr;
  return &drawing_->Feedback();
}

}  // namespace tintara
