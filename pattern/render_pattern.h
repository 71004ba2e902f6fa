// Drawing the painting pattern from the colour-index image: grey textures or
// flat tones, a one-pixel border wherever the paint colour changes, the colour
// number of every area at its most interior place, and a frame around it all.
#pragma once

#include <cstdint>

#include "colors/tessel_params.h"
#include "imaging/image_buffer.h"
#include "ports/step_progress.h"

namespace tintara {

// Pattern pixel values.
constexpr uint8_t kPatternInk = 32;     // borders, digits, frame; palette entry 32
constexpr uint8_t kPatternWhite = 255;  // background of bordered white areas

enum class RenderStatus {
  kDone,
  kCancelled,     // the user cancelled: the caller restores what it had
  kOutOfMemory,   // earlier steps may have drawn; the caller restores
  kInvalidInput,  // images missing, of the wrong kind or of different sizes
};

// Pattern pixels to redraw, right and bottom exclusive. The rectangle is
// grown by 2 on every side and clamped to the picture before drawing.
struct PatternRenderRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool noNumbers = false;  // set while a pen stroke is still being drawn
};

struct PatternRenderInput {
  const ImageBuffer* indexImage = nullptr;  // one byte per pixel: palette position
  int32_t patternType = kPatternNumbers;
  uint32_t borderColor = 0x808080;  // red in the low byte
  int32_t paletteLength = 0;        // colours in the working palette
  // Numbers only where they fit wholly inside their area (PlanFittingNumbers).
  bool fitNumbers = false;
  // When not null and numbers are fitted: the areas left without a number.
  int32_t* unnumberedAreas = nullptr;
};

// Redraws `patternImage` (one byte per pixel, the index image's size) inside
// the rectangle and draws the frame around the whole pattern; palette entry 32
// becomes the border colour. Pattern type 6 leaves the image untouched.
// Reports each counted step's rows to `progress` (may be null): the texture
// step with (y - top, rows), the border step with (y, rows).
RenderStatus RenderPattern(const PatternRenderInput& input, ImageBuffer& patternImage,
                           const PatternRenderRect& rect, StepProgress* progress);

// The whole picture, numbers placed.
PatternRenderRect WholePattern(const ImageBuffer& patternImage);

// Palette entry kPatternInk (borders and numbers) becomes `color` (0xBBGGRR).
void SetInkColor(ImageBuffer& pattern, uint32_t color);

// Counted steps RenderPattern runs for a pattern type (texture, border).
int RenderStepCount(int32_t patternType);

}  // namespace tintara
