// What the pattern view reads from the project document, and the document's
// mouse tools.
#pragma once

#include "view/view_source.h"

namespace tintara {

class CTessel20Doc;

// The area-selection tool: a left click selects the area of one paint colour
// under the pointer.
class SelectAreaTool : public MouseTool {
 public:
  explicit SelectAreaTool(CTessel20Doc& doc) : doc_(doc) {}
  bool LeftDown(const MouseInput& input) override;
  bool SetCursor(const MouseInput& input, ToolCursor& cursor) override;

 private:
  CTessel20Doc& doc_;
};

class DocumentViewSource : public ViewSource {
 public:
  explicit DocumentViewSource(CTessel20Doc& doc) : doc_(doc), selectArea_(doc) {}

  const ImageBuffer* DisplayedImage() const override;
  const Region* Selection() const override;
  ImageSize CurrentImageSize() const override;
  MouseTool* CurrentTool() override;

 private:
  CTessel20Doc& doc_;
  SelectAreaTool selectArea_;
};

}  // namespace tintara
