#include "app/document_view_source.h"

#include "document/tessel_doc.h"

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

}  // namespace tintara
