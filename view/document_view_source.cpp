#include "view/document_view_source.h"

#include "document/tessel_doc.h"
#include "editing/selection_tool.h"

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

const ImageBuffer* DocumentViewSource::DisplayedImage() const { return doc_.ShownImage(); }

const Region* DocumentViewSource::Selection() const { return doc_.selection.get(); }

ImageSize DocumentViewSource::CurrentImageSize() const {
  auto [width, height] = doc_.CurrentImageSize();
  return {width, height};
}

MouseTool* DocumentViewSource::CurrentTool() {
  return doc_.currentTool == kToolSelectArea ? &selectArea_ : nullptr;
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

}  // namespace tintara
