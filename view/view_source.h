// What the pattern view reads from the document, and the tools that receive
// its mouse input. The view holds no picture of its own: it asks on every use.
#pragma once

#include <cstdint>

#include "imaging/image_buffer.h"
#include "editing/rubber_band.h"
#include "imaging/region.h"
#include "view/view_mapping.h"

namespace tintara {

// Modifier keys and buttons held during a mouse event.
enum MouseKeyFlags : uint32_t {
  kMouseKeyLeft = 0x01,
  kMouseKeyRight = 0x02,
  kMouseKeyShift = 0x04,
  kMouseKeyControl = 0x08,
  kMouseKeyMiddle = 0x10,
};

struct MouseInput {
  Point image;    // picture coordinates, y counting up from the bottom row
  Point window;   // client-area coordinates, y counting down
  uint32_t keys = 0;
};

// Cursors a tool can ask for; the widget maps them to real cursors.
enum class ToolCursor {
  kArrow,
  kCross,
  kPen,
  kFill,
  kPicker,
  kText,
  kMove,
  kSelectRectangle,
  kSelectEllipse,
  kSelectFree,  // polygon and freehand share one
};

// A tool consumes an event by returning true; an unconsumed event goes on to
// the selection tool and then to the platform default.
class MouseTool {
 public:
  virtual ~MouseTool() = default;
  virtual bool LeftDown(const MouseInput&) { return false; }
  virtual bool LeftUp(const MouseInput&) { return false; }
  virtual bool Move(const MouseInput&) { return false; }
  virtual bool DoubleClick(const MouseInput&) { return false; }
  virtual bool RightUp(const MouseInput&) { return false; }
  // True when the tool chose the cursor.
  virtual bool SetCursor(const MouseInput&, ToolCursor& /*cursor*/) { return false; }
};

class ViewSource {
 public:
  virtual ~ViewSource() = default;

  // The image to show now (see ChooseDisplayedImage); null draws only the background.
  virtual const ImageBuffer* DisplayedImage() const = 0;
  // The value of the lines (borders, digits) of the image shown, kept when it
  // is scaled down; -1 when it has none.
  virtual int InkValue() const { return -1; }
  // The current selection, or null.
  virtual const Region* Selection() const = 0;
  // Size of the picture currently shown; 0 × 0 when nothing is shown.
  virtual ImageSize CurrentImageSize() const = 0;
  // The document's current drawing tool, or null.
  virtual MouseTool* CurrentTool() = 0;
  // The selection tool while it is active, or null.
  virtual MouseTool* ActiveSelectionTool() { return nullptr; }
  // True while the active selection tool draws a polygon, whose rubber line
  // follows the mouse without a pressed button.
  virtual bool SelectionFollowsMouse() const { return false; }
  // While the selection tool exists with a shape chosen: that shape's cursor.
  virtual bool SelectionCursor(ToolCursor& /*cursor*/) const { return false; }
  // The shape the selection tool is drawing, in window coordinates, or null.
  virtual const RubberBand* SelectionFeedback() const { return nullptr; }
  // The line or shape a drawing tool is dragging, in window coordinates, or null.
  virtual const RubberBand* DrawingFeedback() const { return nullptr; }
  // Text placed but not yet painted: its mask (row 0 at the bottom), and in
  // `box` its place in picture rows and columns; null when there is none.
  virtual const ImageBuffer* PlacedText(BoxRect& /*box*/) const { return nullptr; }
  // The visible part moved or changed scale (the navigator follows it).
  virtual void VisiblePartMoved() {}
};

}  // namespace tintara
