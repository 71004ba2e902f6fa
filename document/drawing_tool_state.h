// State of the drawing tools kept by the document while the user draws on the
// pattern: points in window coordinates, the text being placed and its mask.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

struct TextFont {
  std::string family = "Arial";
  int pointSize = 12;
  bool bold = false;
  bool italic = false;
};

struct DrawingToolState {
  int32_t toolBeforePick = 0;     // restored after a pick
  Point buttonDown{-1, -1};
  Point currentEnd{-1, -1};
  bool dragging = false;
  bool rubberBandShown = false;

  bool textWaiting = false;       // text is waiting to be placed
  bool textPositioned = false;
  Point textPosition{0, 0};
  Point textDragStart{0, 0};
  std::string text;
  TextFont textFont;
  ImageRef textMask;              // 8-bit grey mask of the rendered text
  bool textWindowOpen = false;    // the floating text-entry window

  bool TextEntryActive() const { return textWaiting || textMask != nullptr; }
};

}  // namespace tintara
