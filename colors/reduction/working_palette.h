// Choosing the paint colours of a pattern: the working palette of a
// CTesselParams rebuilt from the picture's own colours or spread over the
// brand's hue circle, and a hand-edited pattern moved onto a new palette.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "colors/brand_palette.h"
#include "colors/file_read.h"
#include "colors/tessel_params.h"
#include "imaging/image_buffer.h"

namespace tintara {

enum class PaletteBuild {
  kBuilt,            // at least one colour placed; paletteReady is 1
  kNoColors,         // nothing placed (a brand without colours); paletteReady is 0
  kBrandUnreadable,  // the brand file could not be read; the record is unchanged
  kFailed,           // no memory, or K below 1; the record is unchanged
};

// How the paints for a picture are chosen: the picture's own colours each
// replaced by the nearest paint, or the paints that look closest to it.
enum class PaintChoice { kClassic = 0, kClosest = 1 };

// Every row of the picture as blue, green, red triplets after the lightness
// correction, bottom row first.
void ForEachCorrectedRow(const ImageBuffer& picture, int percent,
                         const std::function<void(const uint8_t* row, int width)>& take);

// The picture's colours after the lightness correction: at most K colours
// from the octree quantiser, in ascending order of pixel count.
std::vector<Rgb> QuantizePicture(const ImageBuffer& picture, int colors, int percent);

// Brand positions for picture colours: the list cut to the brand size, each
// colour replaced by the nearest brand colour, duplicates removed keeping the
// first and the order, each then named by the first brand colour of its RGB.
std::vector<int> ChooseBrandColors(const BrandPalette& brand, std::span<const Rgb> colors);

// The working palette for the picture: K colours of the brand of brandFile.
PaletteBuild BuildPaletteForPicture(CTesselParams& params, int colors, const ImageBuffer& picture,
                                    int percent, FileError* error = nullptr);

// The working palette for the picture: the K paints of the brand of
// brandFile whose nearest-paint difference over the picture's colours is
// least, in brand order. Fewer when more paints would not look any closer.
PaletteBuild BuildClosestPalette(CTesselParams& params, int colors, const ImageBuffer& picture,
                                 int percent, FileError* error = nullptr);

// The working palette for the picture by either way.
PaletteBuild BuildPaletteForPicture(PaintChoice choice, CTesselParams& params, int colors,
                                    const ImageBuffer& picture, int percent,
                                    FileError* error = nullptr);

// One record per brand colour on the integer hue circle 0..1535.
struct HueRecord {
  Rgb color;
  int hue = 0;         // 0..1535
  int saturation = 0;  // 0..256
  int value = 0;       // 0..255
  int position = 0;    // in the brand
};
HueRecord MakeHueRecord(Rgb color, int position);
// K colours spread over the hue circle: the whole brand when K reaches its
// size, else one colour per sector of the sorted hues (fewer when the
// colours run out). Brand positions in palette order.
std::vector<int> SpreadOverHues(const BrandPalette& brand, int colors);

// The working palette for the brand alone.
PaletteBuild BuildPaletteForBrand(CTesselParams& params, int colors, FileError* error = nullptr);

// A pattern edited by hand keeps its areas under a new working palette:
// every colour number of the index image becomes the position of the new
// colour nearest to its old colour, and the converted picture takes that
// colour's RGB. Numbers outside the old palette are matched by the converted
// pixel's own colour. False, with nothing changed, for an empty new palette,
// pictures of the wrong kinds or sizes, or no memory.
bool RemapToNewPalette(std::span<const CFlossColor> oldPalette,
                       std::span<const CFlossColor> newPalette, ImageBuffer& indexImage,
                       ImageBuffer& convertedPicture);

}  // namespace tintara
