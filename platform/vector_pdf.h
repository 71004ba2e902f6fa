// The painting pattern as a vector PDF: every sheet of the print grid shows
// its part of the pattern as the areas' outlines, the borders as lines and the
// colour numbers as text, so that it stays sharp at any size and its numbers
// can be selected and searched. The page code is the printed pattern's: the
// same tiles, fitting, header and map of sheets.
#pragma once

#include <QPainter>
#include <string>

#include "colors/tessel_params.h"
#include "document/pattern_svg.h"
#include "imaging/image_buffer.h"
#include "platform/pdf_pages.h"

namespace tintara {

// One sheet: tile `page` (1-based) of the grid fitted on the surface, with
// its header, and on a grid the aids for joining the sheets as the raster
// sheets have them. `outlines` and `numbers` belong to the whole index image.
void DrawVectorSheet(QPainter& painter, const PrintSurface& surface, const ImageBuffer& indexImage,
                     const PatternOutlines& outlines, const std::vector<NumberPlacement>& numbers,
                     const CTesselParams& params, int pagesPerSide, int page,
                     SvgStyle style = SvgStyle::kOutline, const SheetAids& aids = {});

// A page per sheet; "" on success, else the reason. The file is written whole
// or not at all; a drawing whose tracing would take more than `memoryBudget`
// is refused before it starts.
std::string WriteVectorPatternPdf(const ImageBuffer& indexImage, const CTesselParams& params,
                                  const PdfPageSetup& setup, const std::string& path,
                                  bool fitNumbers, uint64_t memoryBudget,
                                  SvgStyle style = SvgStyle::kOutline);

}  // namespace tintara
