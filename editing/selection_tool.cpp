#include "editing/selection_tool.h"

#include <algorithm>
#include <utility>

#include "document/tessel_doc.h"

namespace tintara {

namespace {

constexpr Point kNoPoint{-100, -100};

LtrbRect Normalised(LtrbRect r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

RegionPtr CopyOf(const Region* region) { return region ? RegionDuplicate(*region) : nullptr; }

}  // namespace

void SetDocumentSelection(CTessel20Doc& doc, const Region* region) {
  doc.selection = CopyOf(region);
}

void SelectionTool::Attach(SelectionHost* host) {
  std::lock_guard guard(lock_);
  if (host_ != nullptr && host_ != host && current_) host_->SelectionChanged();
  host_ = host;
  current_ = CopyOf(doc_.selection.get());
  previous_.reset();
  points_.clear();
  anchor_ = rubberEnd_ = kNoPoint;
  feedback_ = {};
}

LtrbRect SelectionTool::ShapeRect(Point p) const {
  if (params_.fixedSize) {
    // The shape hangs from the pointer, right and down.
    return Normalised({p.x, p.y, p.x + params_.fixedWidth, p.y + params_.fixedHeight});
  }
  if (params_.square) return Normalised({anchor_.x, anchor_.y, p.x, anchor_.y + (p.x - anchor_.x)});
  return Normalised({anchor_.x, anchor_.y, p.x, p.y});
}

BoxRect SelectionTool::ToImage(const LtrbRect& window) const {
  Point a = host_->WindowToImage({window.left, window.top});
  Point b = host_->WindowToImage({window.right, window.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)};
}

void SelectionTool::ShowFeedback(RubberBand band) {
  feedback_ = std::move(band);
  if (host_ != nullptr) host_->FeedbackChanged();
}

void SelectionTool::StartShape() {
  // The document's selection may have changed by command since the last
  // shape (Select All, None, Invert, a finished edit): it is the one to extend.
  current_ = CopyOf(doc_.selection.get());
}

void SelectionTool::ButtonDown(Point p) {
  std::lock_guard guard(lock_);
  if (params_.shape == kSelectNoShape || host_ == nullptr) return;
  anchor_ = p;
  if (params_.shape == kSelectPolygon) {
    if (!points_.empty()) {
      rubberEnd_ = points_.back();
    } else {
      StartShape();
      previous_ = CopyOf(current_.get());
    }
  } else {
    points_.clear();
    StartShape();
    if (params_.shape == kSelectMove) {
      if (current_) {
        ShowFeedback({RubberBand::Kind::kRectangle, host_->ImageToWindow(current_->Bounds()), {}});
      }
    } else if (params_.combineMode == kSelectModeNew) {
      current_.reset();
    } else {
      previous_ = CopyOf(current_.get());
    }
  }
  points_.push_back(p);
}

void SelectionTool::MouseMove(Point p) {
  std::lock_guard guard(lock_);
  if (params_.shape == kSelectNoShape || host_ == nullptr || anchor_ == kNoPoint) return;
  switch (params_.shape) {
    case kSelectRectangle:
    case kSelectEllipse:
      ShowFeedback({params_.shape == kSelectEllipse ? RubberBand::Kind::kEllipse
                                                    : RubberBand::Kind::kRectangle,
                    ShapeRect(p), {}});
      break;
    case kSelectPolygon: {
      if (points_.empty()) return;
      RubberBand band{RubberBand::Kind::kLines, {}, points_};
      band.points.push_back(p);
      rubberEnd_ = p;
      ShowFeedback(std::move(band));
      break;
    }
    case kSelectFreehand:
      points_.push_back(p);
      ShowFeedback({RubberBand::Kind::kLines, {}, points_});
      break;
    case kSelectMove: {
      if (!current_) return;
      LtrbRect r = host_->ImageToWindow(current_->Bounds());
      int32_t dx = p.x - anchor_.x;
      int32_t dy = p.y - anchor_.y;
      ShowFeedback({RubberBand::Kind::kRectangle,
                    {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}, {}});
      break;
    }
    default: break;
  }
}

void SelectionTool::ButtonUp(Point p) {
  std::lock_guard guard(lock_);
  if (params_.shape == kSelectNoShape || host_ == nullptr || anchor_ == kNoPoint) return;
  switch (params_.shape) {
    case kSelectRectangle:
    case kSelectEllipse: {
      points_.clear();
      BoxRect box = ToImage(ShapeRect(p));
      RegionPtr shape = params_.shape == kSelectEllipse ? RegionCreateEllipse(box)
                                                        : RegionCreateRect(box);
      if (shape) {
        Combine(std::move(shape));
        Publish();
      }
      break;
    }
    case kSelectFreehand: {
      if (points_.size() >= 2) {
        if (RegionPtr shape = PolygonFromPoints()) {
          Combine(std::move(shape));
          Publish();
        }
      }
      points_.clear();
      break;
    }
    case kSelectMove: {
      if (current_) {
        Point from = host_->WindowToImage(anchor_);
        Point to = host_->WindowToImage(p);
        BoxRect bounds = current_->Bounds();
        current_->MoveTo(bounds.x + (to.x - from.x), bounds.y + (to.y - from.y));
        Publish();
      }
      break;
    }
    default: return;  // polygon corners are placed by the button going down
  }
  anchor_ = kNoPoint;
  ShowFeedback({});
}

void SelectionTool::DoubleClick() {
  std::lock_guard guard(lock_);
  if (params_.shape != kSelectPolygon || host_ == nullptr || points_.size() <= 2) return;
  if (RegionPtr shape = PolygonFromPoints()) {
    Combine(std::move(shape));
    Publish();
  }
  points_.clear();
  anchor_ = rubberEnd_ = kNoPoint;
  ShowFeedback({});
}

RegionPtr SelectionTool::PolygonFromPoints() const {
  std::vector<Point> image;
  image.reserve(points_.size());
  for (const Point& p : points_) image.push_back(host_->WindowToImage(p));
  return RegionCreatePolygon(image);
}

void SelectionTool::Combine(RegionPtr shape) {
  const int mode = params_.combineMode;
  if (mode != kSelectModeAdd && mode != kSelectModeSubtract) {
    previous_.reset();
    current_ = std::move(shape);
    return;
  }
  if (!previous_) {
    // Nothing to extend: adding starts a selection, subtracting leaves none.
    current_ = mode == kSelectModeAdd ? std::move(shape) : nullptr;
    return;
  }
  if (previous_->Kind() != kRegionCombined) {
    RegionPtr wrapped = RegionCreateCombined(kCombineAdd, *previous_);
    if (!wrapped) return;
    previous_ = std::move(wrapped);
  }
  if (!RegionCombine(*previous_, *shape, mode == kSelectModeAdd ? kCombineAdd : kCombineSubtract)) {
    return;
  }
  current_ = std::move(previous_);
}

void SelectionTool::Publish() {
  SetDocumentSelection(doc_, current_.get());
  if (host_ != nullptr) host_->SelectionChanged();
}

void SelectionTool::RunPendingAction() {
  std::lock_guard guard(lock_);
  const int action = params_.pendingAction;
  params_.pendingAction = kSelectNoAction;
  if (action == kSelectActionWhole) {
    auto [width, height] = doc_.CurrentImageSize();
    RegionPtr whole = RegionCreateRect({0, 0, width, height});
    if (!whole) return;
    current_ = std::move(whole);
  } else if (action == kSelectActionRemove) {
    current_.reset();
  } else {
    return;
  }
  points_.clear();
  anchor_ = rubberEnd_ = kNoPoint;
  feedback_ = {};
  Publish();
}

}  // namespace tintara
