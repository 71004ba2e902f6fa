// The painting pattern as an SVG drawing: one path per area along its traced
// outline, titled with its paint; the borders as strokes exactly where the
// printed pattern has them; each colour number as text where the pattern
// places its glyph. The page is given in millimetres, one unit per pattern
// pixel.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colors/floss_color.h"
#include "imaging/image_buffer.h"
#include "pattern/number_placement.h"
#include "pattern/outline_tracer.h"
#include "storage/archive.h"
#include "storage/memory_budget.h"

namespace tintara {

enum class SvgStyle {
  kOutline,  // white areas: the sheet to paint on
  kFilled,   // every area in its paint's colour: the painting as it will look
};

// "outline" or "filled"; nullopt for anything else.
std::optional<SvgStyle> SvgStyleNamed(std::string_view name);

struct PatternSvgInput {
  const ImageBuffer* indexImage = nullptr;
  const std::vector<CFlossColor>* palette = nullptr;  // the working palette
  uint32_t borderColor = 0x808080;                    // red in the low byte
  double widthMm = 0;
  double heightMm = 0;
  SvgStyle style = SvgStyle::kOutline;
  // Staircases softened into slopes; the borders are then drawn centred on
  // the outline instead of over the printed pattern's border pixels.
  bool smooth = false;
  // Numbers only where they fit inside their area, as the raster draws them
  // when small areas are merged.
  bool fitNumbers = false;
  // What tracing and placing the numbers may take: the picture memory budget.
  uint64_t memoryBudget = kDefaultPictureBudget;
};

// The size the pattern is printed at: fitted, in its own proportions, into
// the printable part of `pagesPerSide` × `pagesPerSide` sheets of the paper
// (each `marginMm` short of the sheet's edges all round).
void SetPageFromPaper(PatternSvgInput& input, double paperWidthMm, double paperHeightMm,
                      int pagesPerSide, double marginMm);

class CTessel20Doc;
struct AppSettings;

// The margin printers keep from the sheet's edges, as the printed pages have it.
constexpr double kSheetMarginMm = 5.0;

// The document's pattern on the paper and sheets of the page settings.
PatternSvgInput PatternSvgInputOf(const CTessel20Doc& doc, const AppSettings& app,
                                  SvgStyle style);

// The outlines and number places of one index image.
struct VectorDrawing {
  PatternOutlines outlines;
  std::vector<NumberPlacement> numbers;
};

// The most memory making the drawing takes: placing the numbers, then
// tracing the outlines while the places are kept.
uint64_t VectorDrawingBytes(const ImageBuffer& indexImage, const OutlineCounts& counts,
                            bool fitNumbers);

// The drawing, when making it fits `budget`; else nothing, and `error` says
// why: the sizes against the limit, or that memory ran out.
std::optional<VectorDrawing> MakeVectorDrawing(const ImageBuffer& indexImage, bool fitNumbers,
                                               uint64_t budget, std::string& error);

// The drawing from outlines (traced, or smoothed in half pixels) and number
// places made of the same index image. Traced outlines are smoothed ring by
// ring when the input asks for it.
std::string PatternSvg(const PatternSvgInput& input, const PatternOutlines& outlines,
                       const std::vector<NumberPlacement>& numbers);
// The same text into `sink` as it is made, never held whole; false when a
// write failed.
bool WritePatternSvg(const PatternSvgInput& input, const PatternOutlines& outlines,
                     const std::vector<NumberPlacement>& numbers, ByteSink& sink);

// Traces, places the numbers and writes the file through a temporary file
// renamed over the target. "" on success, else the reason; a drawing past the
// input's memory budget is refused before any of it is made.
std::string WritePatternSvgFile(const PatternSvgInput& input, const std::string& path);

// Where the text of a number goes, in pattern pixels with y counting up like
// picture rows: the middle of the glyph's ink, on the baseline of its digits,
// which are `height` pixels high.
struct NumberText {
  double centreX = 0;
  double baselineY = 0;
  double height = 0;
};
NumberText NumberTextOf(const NumberPlacement& place);

}  // namespace tintara
