// Writing the colour number of each area once, at its most interior place.
#pragma once

#include <vector>

#include "imaging/image_buffer.h"
#include "imaging/region.h"
#include "pattern/render_pattern.h"

namespace tintara {

// Analyses the areas met on the 8-pixel grid of `area` (anchored at its
// top-left corner) and stamps each area's number into `pattern`. kOutOfMemory
// when the grid or its tables cannot be allocated.
RenderStatus PlaceNumbers(const ImageBuffer& indexImage, const PixelRows& pattern,
                          const LtrbRect& area);

// Stamps the numbers that fit (see PlanFittingNumbers); `unnumbered` (may be
// null) receives the count of areas left without one.
RenderStatus PlaceFittingNumbers(const ImageBuffer& indexImage, const PixelRows& pattern,
                                 const LtrbRect& area, int32_t* unnumbered);

// One number to be written: the glyph of `number` with its corner at (gx, gy),
// for the area holding pixel (px, py).
struct NumberPlacement {
  int number = 0;
  int32_t gx = 0;
  int32_t gy = 0;
  int32_t px = 0;
  int32_t py = 0;
  friend bool operator==(const NumberPlacement&, const NumberPlacement&) = default;
};

// Where the numbers of the areas met on the 8-pixel grid of `area` go, in the
// order they are found. Throws std::bad_alloc when memory runs out.
std::vector<NumberPlacement> PlanGridNumbers(const ImageBuffer& indexImage, const LtrbRect& area);

// The places of a whole pattern drawn at once, by the grid rule or, with
// `fitNumbers`, where the numbers fit; every drawing of numbers outside the
// raster takes its places from here. Throws std::bad_alloc when memory runs out.
std::vector<NumberPlacement> WholePatternNumberPlaces(const ImageBuffer& indexImage,
                                                      bool fitNumbers = false);

// The most memory WholePatternNumberPlaces takes at once on a width × height
// index image of at most `areas` areas, the places it returns included; and
// what those places keep.
uint64_t NumberPlacingBytes(int32_t width, int32_t height, uint64_t areas, bool fitNumbers);
uint64_t NumberPlacesBytes(int32_t width, int32_t height, uint64_t areas, bool fitNumbers);

struct FittedNumbers {
  std::vector<NumberPlacement> placed;
  int32_t areas = 0;       // areas inside the rectangle
  int32_t unnumbered = 0;  // of those, the ones no number fits in
};

// Numbers that fit: each area of `area` gets its number where the glyph's ink
// box, grown by one pixel, lies wholly on the area's inner pixels (none of
// them border or frame) and the rectangle, at the point farthest from any
// other pixel (among the points centred in their row's run of inner pixels,
// when any fits), later rows and then later columns winning ties. An area where
// no such place exists gets no number. Boxes of two areas never overlap.
// Throws std::bad_alloc when memory runs out.
FittedNumbers PlanFittingNumbers(const ImageBuffer& indexImage, const LtrbRect& area);

// The rectangle of a placed glyph's ink, right and bottom exclusive.
LtrbRect GlyphInkBox(const NumberPlacement& placement);

// Stamps the glyph of `number` with its corner at (gx, gy): ink pixels become
// 32, background pixels and pixels outside the pattern are left alone.
void StampGlyph(const PixelRows& pattern, int number, int32_t gx, int32_t gy);

}  // namespace tintara
