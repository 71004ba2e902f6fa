// Text drawn into a mask with a font of the platform: the text followed by one
// blank is measured, the mask is that size plus a pixel on every side, and the
// text (without the blank) is drawn at (1, 1) in white on black.
#pragma once

#include <string>

#include "document/drawing_tool_state.h"
#include "imaging/image_buffer.h"

namespace tintara {

class TextRasterizer {
 public:
  virtual ~TextRasterizer() = default;
  // An 8-bit grey mask, row 0 the bottom row; non-zero bytes belong to the
  // text. Null for an empty text or a font that cannot be made.
  virtual ImageRef Render(const std::string& text, const TextFont& font) = 0;
};

}  // namespace tintara
