#include "view/drawing_input.h"

#include <algorithm>

namespace tintara {

LtrbRect MappedDrawingHost::ImageToWindow(const BoxRect& image) const {
  ImageRect rect{image.x, image.y, image.x + image.width, image.y + image.height};
  return mapping_().ImageToWindow(rect);
}

void MappedDrawingHost::RepaintImageArea(const BoxRect& image) {
  if (!notices_.repaintWindow) return;
  LtrbRect window = ImageToWindow(image);
  // Rows count up in the picture and down in the window.
  if (window.top > window.bottom) std::swap(window.top, window.bottom);
  notices_.repaintWindow(window);
}

}  // namespace tintara
