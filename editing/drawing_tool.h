// The mouse work of the drawing tools on the pattern: the freehand pen, the
// line, rectangle and ellipse with their rubber bands, and the one-shot
// pickers (painting colour, colour information, recolour). Points arrive in
// window coordinates and are mapped through the attached view.
#pragma once

#include <cstdint>

#include "editing/drawing_host.h"
#include "editing/rubber_band.h"
#include "imaging/region.h"

namespace tintara {

class CTessel20Doc;
class PatternCanvas;

// True for the tools this class serves.
bool IsDrawingTool(int32_t tool);

// Chooses a drawing tool as its command does: the same tool again turns it
// off; a pen or shape tool ends a text placement; a picker remembers the tool
// to return to.
void ChooseDrawingTool(CTessel20Doc& doc, int32_t tool);

class DrawingTool {
 public:
  explicit DrawingTool(CTessel20Doc& doc) : doc_(doc) {}

  void Attach(DrawingHost* host) { host_ = host; }
  DrawingHost* Host() const { return host_; }

  // Each returns whether the event was used. `shift` constrains rectangles
  // and ellipses to squares and circles.
  bool ButtonDown(Point window);
  bool MouseMove(Point window, bool leftHeld, bool shift);
  bool ButtonUp(Point window, bool shift);
  // Paints text waiting at its place; false when there is none.
  bool DoubleClick(Point window);
  // Text is waiting to be placed: the mouse belongs to the placement.
  bool PlacingText() const;

  const RubberBand& Feedback() const { return feedback_; }
  bool Stroking() const { return stroking_; }

 private:
  // The picture pixel under a window point.
  Point PixelAt(Point window) const;
  void ShowFeedback(RubberBand band);
  RubberBand ShapeBand(Point end) const;
  void PenTo(Point pixel);
  void PenDab(PatternCanvas& canvas, Point pixel) const;
  void PaintShape(Point from, Point to);
  void Pick(Point pixel);
  void Repaint(const BoxRect& area, int32_t margin);
  void Finish(int32_t nextTool);
  bool TextButtonDown(Point pixel);

  CTessel20Doc& doc_;
  DrawingHost* host_ = nullptr;
  bool stroking_ = false;
  bool movingText_ = false;
  Point lastPixel_{0, 0};
  BoxRect stroke_;
  RubberBand feedback_;
};

}  // namespace tintara
