#include "editing/drawing_tool.h"

#include <algorithm>
#include <utility>

#include "document/area_paint.h"
#include "document/tessel_doc.h"
#include "editing/pattern_canvas.h"
#include "editing/pattern_edits.h"
#include "editing/pen_geometry.h"
#include "editing/text_placement.h"
#include "ports/ui_host.h"

namespace tintara {

namespace {

// The box spanned by a and b, cut to what `clip` holds; empty when they miss it.
BoxRect Spanning(Point a, Point b, const ClipBox& clip) {
  const int32_t left = std::max(std::min(a.x, b.x), clip.left);
  const int32_t top = std::max(std::min(a.y, b.y), clip.top);
  const int32_t right = std::min(std::max(a.x, b.x), clip.right);
  const int32_t bottom = std::min(std::max(a.y, b.y), clip.bottom);
  if (left > right || top > bottom) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

LtrbRect Normalised(Point a, Point b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool IsShapeTool(int32_t tool) {
  return tool == kToolLine || tool == kToolRectangle || tool == kToolEllipse;
}

bool IsPicker(int32_t tool) {
  return tool == kToolPickColor || tool == kToolColorInfo || tool == kToolRecolor;
}

}  // namespace

bool IsDrawingTool(int32_t tool) {
  return tool == kToolPen || IsShapeTool(tool) || IsPicker(tool);
}

void ChooseDrawingTool(CTessel20Doc& doc, int32_t tool) {
  if (IsPicker(tool)) {
    if (!IsPicker(doc.currentTool)) doc.drawing.toolBeforePick = doc.currentTool;
    doc.currentTool = tool;
    return;
  }
  if (doc.currentTool == tool) {
    doc.currentTool = kToolNone;
    return;
  }
  doc.currentTool = tool;
  doc.drawing.textWindowOpen = false;
  const bool placed = doc.drawing.textPositioned;
  doc.drawing.textWaiting = false;
  doc.drawing.textPositioned = false;
  doc.drawing.textMask.reset();
  if (placed) doc.UpdateAllViews();
}

Point DrawingTool::PixelAt(Point window) const {
  // The mapped point is the upper edge of the pixel row under the pointer.
  Point edge = host_->WindowToImage(window);
  return {edge.x, edge.y - 1};
}

void DrawingTool::ShowFeedback(RubberBand band) {
  feedback_ = std::move(band);
  doc_.drawing.rubberBandShown = feedback_.Shown();
  if (host_ != nullptr) host_->FeedbackChanged();
}

RubberBand DrawingTool::ShapeBand(Point end) const {
  const Point start = doc_.drawing.buttonDown;
  if (doc_.currentTool == kToolLine) return {RubberBand::Kind::kLines, {}, {start, end}};
  LtrbRect box = Normalised(start, end);
  // The band's box includes its last row and column, like the painted shape.
  box.right += 1;
  box.bottom += 1;
  return {doc_.currentTool == kToolEllipse ? RubberBand::Kind::kEllipse
                                           : RubberBand::Kind::kRectangle,
          box, {}};
}

void DrawingTool::Repaint(const BoxRect& area, int32_t margin) {
  if (host_ == nullptr || area.IsEmpty()) return;
  host_->RepaintImageArea({area.x - margin, area.y - margin, area.width + 2 * margin,
                           area.height + 2 * margin});
}

bool DrawingTool::PlacingText() const { return doc_.drawing.textWaiting && doc_.drawing.textMask; }

bool DrawingTool::TextButtonDown(Point pixel) {
  if (!doc_.drawing.textPositioned) {
    PlaceTextAt(doc_, pixel);
    Repaint(PlacedTextBox(doc_), 1);
    return true;
  }
  const BoxRect box = PlacedTextBox(doc_);
  movingText_ = pixel.x >= box.x && pixel.x < box.x + box.width && pixel.y >= box.y &&
                pixel.y < box.y + box.height;
  doc_.drawing.textDragStart = pixel;
  return true;
}

bool DrawingTool::DoubleClick(Point) {
  if (!PlacingText() || !doc_.drawing.textPositioned) return false;
  movingText_ = false;
  CommitPlacedText(doc_);
  if (host_ != nullptr) host_->ToolChanged();
  return true;
}

bool DrawingTool::ButtonDown(Point window) {
  if (PlacingText() && host_ != nullptr) return TextButtonDown(PixelAt(window));
  const int32_t tool = doc_.currentTool;
  if (!IsDrawingTool(tool) || host_ == nullptr) return false;
  doc_.drawing.buttonDown = doc_.drawing.currentEnd = window;
  if (IsPicker(tool)) return true;
  if (IsShapeTool(tool)) {
    doc_.drawing.dragging = true;
    return true;
  }
  const Point pixel = PixelAt(window);
  BeginHandEdit(doc_);
  stroking_ = true;
  lastPixel_ = pixel;
  stroke_ = {pixel.x, pixel.y, 1, 1};
  if (std::optional<PatternCanvas> canvas = PatternCanvas::Open(doc_)) {
    PenDab(*canvas, pixel);
    const BoxRect touched = canvas->Touched();
    if (!touched.IsEmpty()) {
      RenderTouched(doc_, touched, 1, true);
      Repaint(touched, 3);
    }
  }
  return true;
}

void DrawingTool::PenDab(PatternCanvas& canvas, Point pixel) const {
  // The pen paints only from points on the picture, even near its edge.
  if (canvas.Inside(pixel.x, pixel.y)) canvas.Dab(pixel, doc_.params.penWidth, doc_.params.penShape);
}

void DrawingTool::PenTo(Point pixel) {
  std::optional<PatternCanvas> canvas = PatternCanvas::Open(doc_);
  if (!canvas) return;
  // A fast mouse skips pixels between events: the points in between are
  // joined by a line of dabs, so the stroke has no gaps. Only points on the
  // picture put a dab down, so the line is walked over the picture alone.
  ForEachLinePoint(lastPixel_, pixel, PictureClip(canvas->Width(), canvas->Height(), 0),
                   [&](Point p) { PenDab(*canvas, p); });
  PenDab(*canvas, pixel);
  lastPixel_ = pixel;
  stroke_ = Unite(stroke_, {pixel.x, pixel.y, 1, 1});
  const BoxRect touched = canvas->Touched();
  if (touched.IsEmpty()) return;
  RenderTouched(doc_, touched, 1, true);
  Repaint(touched, 3);
}

bool DrawingTool::MouseMove(Point window, bool leftHeld, bool shift) {
  if (PlacingText() && host_ != nullptr) {
    if (!movingText_ || !leftHeld) return false;
    const Point pixel = PixelAt(window);
    const BoxRect before = PlacedTextBox(doc_);
    doc_.drawing.textPosition.x += pixel.x - doc_.drawing.textDragStart.x;
    doc_.drawing.textPosition.y += pixel.y - doc_.drawing.textDragStart.y;
    doc_.drawing.textDragStart = pixel;
    Repaint(Unite(before, PlacedTextBox(doc_)), 1);
    return true;
  }
  const int32_t tool = doc_.currentTool;
  if (!IsDrawingTool(tool) || host_ == nullptr) return false;
  if (tool == kToolPen) {
    if (stroking_ && leftHeld) PenTo(PixelAt(window));
    return stroking_;
  }
  if (!IsShapeTool(tool) || !doc_.drawing.dragging) return IsPicker(tool);
  Point end = window;
  if (shift && tool != kToolLine) end = ConstrainToSquare(doc_.drawing.buttonDown, end);
  doc_.drawing.currentEnd = end;
  ShowFeedback(ShapeBand(end));
  return true;
}

void DrawingTool::PaintShape(Point from, Point to) {
  BeginHandEdit(doc_);
  std::optional<PatternCanvas> canvas = PatternCanvas::Open(doc_);
  if (!canvas) return;
  const int32_t width = doc_.params.penWidth;
  const int32_t shape = doc_.params.penShape;
  auto dab = [&](Point p) { canvas->Dab(p, width, shape); };
  // A dab reaches the picture only from within a pen's side of it.
  const ClipBox reach = PictureClip(canvas->Width(), canvas->Height(), PenSide(width));
  switch (doc_.currentTool) {
    case kToolLine: ForEachLinePoint(from, to, reach, dab); break;
    case kToolRectangle: ForEachRectanglePoint(from, to, reach, dab); break;
    case kToolEllipse: ForEachEllipsePoint(from, to, reach, dab); break;
    default: return;
  }
  const BoxRect area = Spanning(from, to, reach);
  RenderTouched(doc_, area, PenSide(width) + 3, false);
  Repaint(area, PenSide(width) + 5);
  doc_.RefreshNavigator();
}

void DrawingTool::Finish(int32_t nextTool) {
  doc_.currentTool = nextTool;
  if (host_ != nullptr) host_->ToolChanged();
}

void DrawingTool::Pick(Point pixel) {
  switch (doc_.currentTool) {
    case kToolPickColor:
      if (PickPaintingColor(doc_, pixel)) Finish(doc_.drawing.toolBeforePick);
      break;
    case kToolRecolor:
      if (RecolorPickedColor(doc_, pixel)) Finish(doc_.drawing.toolBeforePick);
      break;
    case kToolColorInfo: {
      std::optional<AreaPaint> paint = PaintAt(doc_, pixel.x, pixel.y);
      if (!paint) {
        doc_.Ui().Beep();
        break;
      }
      MessageRequest request;
      request.text = AreaPaintText(*paint);
      request.icon = MessageIcon::kInformation;
      request.caption = "Tessel Info";
      doc_.Ui().ShowMessage(request);
      Finish(kToolNone);
      break;
    }
    default: break;
  }
}

bool DrawingTool::ButtonUp(Point window, bool shift) {
  if (PlacingText() && host_ != nullptr) {
    movingText_ = false;
    return true;
  }
  const int32_t tool = doc_.currentTool;
  if (!IsDrawingTool(tool) || host_ == nullptr) return false;
  if (IsPicker(tool)) {
    Pick(PixelAt(window));
    return true;
  }
  if (tool == kToolPen) {
    if (!stroking_) return false;
    PenTo(PixelAt(window));
    stroking_ = false;
    const int32_t margin = PenSide(doc_.params.penWidth) + 3;
    RenderTouched(doc_, stroke_, margin, false);
    Repaint(stroke_, margin + 2);
    doc_.RefreshNavigator();
    return true;
  }
  if (!doc_.drawing.dragging) return false;
  doc_.drawing.dragging = false;
  ShowFeedback({});
  Point end = window;
  if (shift) end = ConstrainToSquare(doc_.drawing.buttonDown, end);
  if (tool == kToolLine) end = window;
  doc_.drawing.currentEnd = end;
  PaintShape(PixelAt(doc_.drawing.buttonDown), PixelAt(end));
  return true;
}

}  // namespace tintara
