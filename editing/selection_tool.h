// The mouse work of selections: shapes drawn in window coordinates become
// regions in picture coordinates through the attached view's mapping, are
// combined with the previous selection as the mode says, and become the
// document's selection.
#pragma once

#include <mutex>
#include <vector>

#include "editing/rubber_band.h"
#include "editing/select_params.h"
#include "editing/selection_host.h"
#include "imaging/region.h"

namespace tintara {

class CTessel20Doc;

// The document keeps its own copy of the region (none for null).
void SetDocumentSelection(CTessel20Doc& doc, const Region* region);

class SelectionTool {
 public:
  SelectionTool(CTessel20Doc& doc, CSelectParams& params) : doc_(doc), params_(params) {}

  // Takes the view: the old one loses the tool's region, the tool starts from
  // the document's selection.
  void Attach(SelectionHost* host);
  SelectionHost* Host() const { return host_; }
  // "Select..." hands the mouse to the tool until another tool is chosen.
  void SetArmed(bool armed) { armed_ = armed; }
  bool Armed() const { return armed_; }

  void ButtonDown(Point window);
  void MouseMove(Point window);
  void ButtonUp(Point window);
  void DoubleClick();
  // Carries out params.pendingAction (whole picture or no selection).
  void RunPendingAction();

  CSelectParams& Params() { return params_; }
  const RubberBand& Feedback() const { return feedback_; }
  const Region* CurrentRegion() const { return current_.get(); }
  const std::vector<Point>& PlacedPoints() const { return points_; }
  // The polygon's rubber line follows the mouse with no button held.
  bool FollowsMouse() const { return params_.shape == kSelectPolygon && !points_.empty(); }

 private:
  LtrbRect ShapeRect(Point p) const;
  BoxRect ToImage(const LtrbRect& window) const;
  RegionPtr PolygonFromPoints() const;
  void Combine(RegionPtr shape);
  void Publish();
  void ShowFeedback(RubberBand band);
  void StartShape();

  CTessel20Doc& doc_;
  CSelectParams& params_;
  SelectionHost* host_ = nullptr;
  bool armed_ = false;
  RegionPtr current_;
  RegionPtr previous_;
  Point anchor_{-100, -100};
  Point rubberEnd_{-100, -100};
  std::vector<Point> points_;
  RubberBand feedback_;
  std::recursive_mutex lock_;
};

}  // namespace tintara
