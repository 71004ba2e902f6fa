// The drawing tools' view made of the view's current mapping and its repaint
// notices, for the window widget and the command-line tool alike.
#pragma once

#include <functional>

#include "editing/drawing_host.h"
#include "view/view_mapping.h"

namespace tintara {

class MappedDrawingHost : public DrawingHost {
 public:
  struct Notices {
    std::function<void(const LtrbRect&)> repaintWindow;  // window rectangle to repaint
    std::function<void()> feedbackChanged;
    std::function<void()> toolChanged;
  };

  MappedDrawingHost(std::function<ViewMapping()> mapping, Notices notices)
      : mapping_(std::move(mapping)), notices_(std::move(notices)) {}

  Point WindowToImage(Point window) const override { return mapping_().WindowToImage(window); }
  LtrbRect ImageToWindow(const BoxRect& image) const override;
  void SelectionChanged() override {}
  void FeedbackChanged() override {
    if (notices_.feedbackChanged) notices_.feedbackChanged();
  }
  void RepaintImageArea(const BoxRect& image) override;
  void ToolChanged() override {
    if (notices_.toolChanged) notices_.toolChanged();
  }

 private:
  std::function<ViewMapping()> mapping_;
  Notices notices_;
};

}  // namespace tintara
