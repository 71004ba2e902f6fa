// What the pattern view reads from the project document, and the document's
// mouse tools.
#pragma once

#include "view/selection_input.h"
#include "view/view_source.h"

namespace tintara {

class CTessel20Doc;
class SelectionTool;

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
  // `selection`: the application's selection tool, if it has one.
  explicit DocumentViewSource(CTessel20Doc& doc, SelectionTool* selection = nullptr)
      : doc_(doc), selectArea_(doc), selection_(selection), selectionInput_(selection) {}

  const ImageBuffer* DisplayedImage() const override;
  const Region* Selection() const override;
  ImageSize CurrentImageSize() const override;
  MouseTool* CurrentTool() override;
  MouseTool* ActiveSelectionTool() override;
  bool SelectionFollowsMouse() const override;
  bool SelectionCursor(ToolCursor& cursor) const override;
  const RubberBand* SelectionFeedback() const override;

 private:
  // "Select..." was chosen, no drawing tool has taken over since, and the tool
  // is attached to a view.
  bool SelectionActive() const;

  CTessel20Doc& doc_;
  SelectAreaTool selectArea_;
  SelectionTool* selection_;
  SelectionMouseInput selectionInput_;
};

}  // namespace tintara
