// The selection tool as the view meets it: mouse events in, and the view's
// mapping and repaints out.
#pragma once

#include <functional>

#include "editing/selection_host.h"
#include "view/view_mapping.h"
#include "view/view_source.h"

namespace tintara {

class SelectionTool;

// Passes the view's left-button events to the selection tool (window points).
class SelectionMouseInput : public MouseTool {
 public:
  explicit SelectionMouseInput(SelectionTool* tool) : tool_(tool) {}
  bool LeftDown(const MouseInput& input) override;
  bool LeftUp(const MouseInput& input) override;
  bool Move(const MouseInput& input) override;
  bool DoubleClick(const MouseInput& input) override;

 private:
  SelectionTool* tool_;
};

// The cursor of a selection shape: one each for rectangle, ellipse and move,
// one shared by polygon and freehand. False when no shape is chosen.
bool SelectionCursorOf(int shape, ToolCursor& cursor);

// A view for the selection tool made of the view's current mapping and its
// repaint notices.
class MappedSelectionHost : public SelectionHost {
 public:
  MappedSelectionHost(std::function<ViewMapping()> mapping, std::function<void()> selectionChanged,
                      std::function<void()> feedbackChanged)
      : mapping_(std::move(mapping)),
        selectionChanged_(std::move(selectionChanged)),
        feedbackChanged_(std::move(feedbackChanged)) {}

  Point WindowToImage(Point window) const override { return mapping_().WindowToImage(window); }
  LtrbRect ImageToWindow(const BoxRect& image) const override;
  void SelectionChanged() override {
    if (selectionChanged_) selectionChanged_();
  }
  void FeedbackChanged() override {
    if (feedbackChanged_) feedbackChanged_();
  }

 private:
  std::function<ViewMapping()> mapping_;
  std::function<void()> selectionChanged_;
  std::function<void()> feedbackChanged_;
};

}  // namespace tintara
