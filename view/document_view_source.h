// What the pattern view reads from the project document, and the document's
// mouse tools.
#pragma once

#include "view/selection_input.h"
#include "view/view_source.h"

namespace tintara {

class CTessel20Doc;
class DrawingTool;
class SelectionTool;

// Passes the view's left-button events to the drawing tools.
class DrawingMouseInput : public MouseTool {
 public:
  DrawingMouseInput(CTessel20Doc& doc, DrawingTool* tool) : doc_(doc), tool_(tool) {}
  bool LeftDown(const MouseInput& input) override;
  bool LeftUp(const MouseInput& input) override;
  bool Move(const MouseInput& input) override;
  bool DoubleClick(const MouseInput& input) override;
  bool SetCursor(const MouseInput& input, ToolCursor& cursor) override;

 private:
  CTessel20Doc& doc_;
  DrawingTool* tool_;
};

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
  // `selection`, `drawing`: the application's tools, if it has them.
  explicit DocumentViewSource(CTessel20Doc& doc, SelectionTool* selection = nullptr,
                              DrawingTool* drawing = nullptr)
      : doc_(doc),
        selectArea_(doc),
        selection_(selection),
        selectionInput_(selection),
        drawing_(drawing),
        drawingInput_(doc, drawing) {}

  const ImageBuffer* DisplayedImage() const override;
  int InkValue() const override;
  const Region* Selection() const override;
  ImageSize CurrentImageSize() const override;
  MouseTool* CurrentTool() override;
  MouseTool* ActiveSelectionTool() override;
  bool SelectionFollowsMouse() const override;
  bool SelectionCursor(ToolCursor& cursor) const override;
  const RubberBand* SelectionFeedback() const override;
  const RubberBand* DrawingFeedback() const override;
  const ImageBuffer* PlacedText(BoxRect& box) const override;

 private:
  // "Select..." was chosen, no drawing tool has taken over since, and the tool
  // is attached to a view.
  bool SelectionActive() const;

  CTessel20Doc& doc_;
  SelectAreaTool selectArea_;
  SelectionTool* selection_;
  SelectionMouseInput selectionInput_;
  DrawingTool* drawing_;
  DrawingMouseInput drawingInput_;
};

}  // namespace tintara
