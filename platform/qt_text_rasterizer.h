// The text mask drawn with Qt's fonts.
#pragma once

#include "ports/text_rasterizer.h"

namespace tintara {

class QtTextRasterizer : public TextRasterizer {
 public:
  ImageRef Render(const std::string& text, const TextFont& font) override;
};

}  // namespace tintara
