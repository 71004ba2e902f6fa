// The numbers the pattern pipeline derives from its pictures and settings.
#pragma once

#include <cstdint>
#include <string>

#include "colors/page_settings.h"
#include "imaging/image_buffer.h"

namespace tintara {

// Window of "graham_filt": (larger side + 29) / 30, in 3..15.
int SimplifyStrength(const ImageBuffer& picture);
// Window of "median_filt" on the index image: (larger side + 79) / 80, in 3..15.
int CleanupStrength(const ImageBuffer& picture);
// Counted steps of "Create drawing pattern" for a pattern type, plus one when
// the picture is resized.
int PipelineStepTotal(int32_t patternType, bool resizes);

// The status note after a whole pattern was numbered where numbers fit.
std::string UnnumberedAreasText(int32_t count);

struct CellSize {
  int64_t width = 0;
  int64_t height = 0;
};
// The pattern's size in cells: the page in printer dots divided by the cell
// size (at least one dot), fitted to the picture's proportions.
CellSize PatternCellSize(const PageDots& page, int32_t dotsPerCell, int64_t pictureWidth,
                         int64_t pictureHeight);

// The page in printer dots for a picture of pictureWidth × pictureHeight:
// with the automatic orientation the page is turned when the picture, kept in
// proportion, then covers more cells of it; an equal cover keeps the page as
// the settings give it.
PageDots PageDotsForPicture(const PatternPageSettings& settings, const PrinterInfo* printer,
                            int32_t dotsPerCell, int64_t pictureWidth, int64_t pictureHeight);

}  // namespace tintara
