// Scroll-bar arithmetic of the scrolling view: which bars are needed, where
// content smaller than the window is centred (a negative scroll position),
// how requested positions are clamped, and where the background tiling starts.
#pragma once

#include "view/view_mapping.h"

namespace tintara {

struct ViewportMetrics {
  ImageSize client;              // the client area as it would be without scroll bars
  int32_t verticalBarWidth = 0;
  int32_t horizontalBarHeight = 0;
};

struct ScrollLayout {
  bool horizontalBar = false;
  bool verticalBar = false;
  ImageSize client;   // what is left for the content once the bars are placed
  ImageSize content;
  Point position;     // negative on an axis whose content is centred
  Point limit;        // largest position on each axis; 0 without a bar
};

ScrollLayout LayoutScrollBars(const ImageSize& content, const ViewportMetrics& metrics,
                              Point position, bool centre);

// A requested position clamped to 0..limit on each axis that has a bar; axes
// without a bar keep their current position.
Point ClampScroll(const ScrollLayout& layout, Point current, Point requested);

// Where the background tiling starts so that the texture moves with the
// picture: (-(sx mod tile), -(sy mod tile)) with a modulo that is never negative.
Point BackgroundTileOrigin(Point scroll, int32_t tileWidth, int32_t tileHeight);

}  // namespace tintara
