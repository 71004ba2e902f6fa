// Mouse gestures and tool settings among the words of `run`: clicks, double
// clicks and drags sent through the view's mouse dispatch at zoom 100 % with
// no scrolling (a window pixel is a picture pixel), and `set:NAME=VALUE` for
// what a floating window or a tool holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/tessel_doc.h"
#include "editing/drawing_tool.h"
#include "editing/selection_tool.h"
#include "imaging/region.h"
#include "view/document_view_source.h"
#include "view/drawing_input.h"
#include "view/mouse_dispatch.h"
#include "view/selection_input.h"

namespace tintara::cli {

struct Gesture {
  enum class Kind { kClick, kDoubleClick, kDrag, kSet };
  Kind kind = Kind::kClick;
  std::string word;           // as given, for messages
  std::vector<Point> points;  // window pixels
  uint32_t keys = 0;          // shift and control held
  std::string name;           // kSet
  std::string value;
};

// Window coordinates of a gesture lie within ± this many pixels: far past any
// picture, yet every sum and difference the tools take of them stays in range.
constexpr int32_t kMaxGestureCoordinate = 1000000;

enum class GestureWord { kNotGesture, kGesture, kBad };

// Reads one word of `run`. kNotGesture: the word names a command. kBad: a
// gesture or setting that cannot be read (bad coordinate, unknown name or
// value); `error` says why.
GestureWord ParseGestureWord(const std::string& word, Gesture& gesture, std::string& error);

class GesturePlayer {
 public:
  GesturePlayer(CTessel20Doc& doc, SelectionTool& selection, DrawingTool& drawing);
  // False when no tool took the gesture.
  bool Play(const Gesture& gesture);

 private:
  MouseInput Input(Point window, uint32_t keys) const;
  ViewMapping Mapping() const;

  CTessel20Doc& doc_;
  SelectionTool& selection_;
  MappedSelectionHost host_;
  MappedDrawingHost drawingHost_;
  DocumentViewSource source_;
  ViewMouseDispatch dispatch_;
};

}  // namespace tintara::cli
