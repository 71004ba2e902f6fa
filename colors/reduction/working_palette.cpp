#include "colors/reduction/working_palette.h"

#include <algorithm>
#include <new>

#include "colors/color_difference.h"
#include "colors/reduction/closest_paints.h"
#include "colors/reduction/lightness.h"
#include "colors/reduction/nearest_color.h"
#include "colors/reduction/octree_quantizer.h"
#include "imaging/pixel_cursor.h"

namespace tintara {

namespace {

// Row y of any picture as blue, green, red triplets.
void ExpandRow(const ImageBuffer& picture, int32_t y, uint8_t* out) {
  PixelCursor cursor(picture);
  for (int32_t x = 0; x < picture.Width(); ++x, out += 3) {
    uint8_t value = 0, unused1 = 0, unused2 = 0;
    cursor.ReadPixel(x, y, value, unused1, unused2);
    PaletteEntry entry = picture.PaletteAt(value);
    out[0] = entry.blue;
    out[1] = entry.green;
    out[2] = entry.red;
  }
}

// Fills the working palette with the brand colours at `positions`.
PaletteBuild PlaceBrandColors(CTesselParams& params, const BrandPalette& brand,
                              const std::vector<int>& positions) {
  std::vector<CFlossColor> palette;
  std::vector<int32_t> brandPositions;
  palette.reserve(positions.size());
  for (int position : positions) {
    CFlossColor color = *brand.ColorAt(position);
    color.paletteIndex = int32_t(palette.size());
    palette.push_back(std::move(color));
    brandPositions.push_back(position);
  }
  params.workingPalette = std::move(palette);
  if (params.workingPalette.empty()) {
    params.paletteReady = 0;
    return PaletteBuild::kNoColors;
  }
  params.paletteReady = 1;
  params.SyncCurrentColor(brandPositions);
  return PaletteBuild::kBuilt;
}

}  // namespace

void ForEachCorrectedRow(const ImageBuffer& picture, int percent,
                         const std::function<void(const uint8_t* row, int width)>& take) {
  LightnessCorrector correct(percent);
  const int32_t width = picture.Width();
  std::vector<uint8_t> row(size_t(width) * 3);
  for (int32_t y = 0; y < picture.Height(); ++y) {
    if (picture.Kind() == kKindRgb24) {
      correct.CorrectRow(picture.Row(y), row.data(), width);
    } else {
      ExpandRow(picture, y, row.data());
      correct.CorrectRow(row.data(), row.data(), width);
    }
    take(row.data(), width);
  }
}

std::vector<Rgb> QuantizePicture(const ImageBuffer& picture, int colors, int percent) {
  OctreeQuantizer quantizer(colors);
  ForEachCorrectedRow(picture, percent,
                      [&](const uint8_t* row, int width) { quantizer.AddRow(row, width); });
  return quantizer.Palette();
}

std::vector<int> ChooseBrandColors(const BrandPalette& brand, std::span<const Rgb> colors) {
  colors = colors.first(std::min(colors.size(), size_t(brand.Count())));
  std::vector<Rgb> chosen;
  for (Rgb color : colors) {
    Rgb nearest = brand.ColorAt(brand.FindNearest(color))->AsRgb();
    if (std::find(chosen.begin(), chosen.end(), nearest) == chosen.end()) chosen.push_back(nearest);
  }
  std::vector<int> positions;
  for (Rgb color : chosen) positions.push_back(brand.FindExact(color));
  return positions;
}

PaletteBuild BuildPaletteForPicture(CTesselParams& params, int colors, const ImageBuffer& picture,
                                    int percent, FileError* error) {
  if (colors < 1) return PaletteBuild::kFailed;
  std::optional<BrandPalette> brand = BrandPalette::Load(params.brandFile, error);
  if (!brand) return PaletteBuild::kBrandUnreadable;
  try {
    std::vector<Rgb> pictureColors = QuantizePicture(picture, colors, percent);
    return PlaceBrandColors(params, *brand, ChooseBrandColors(*brand, pictureColors));
  } catch (const std::bad_alloc&) {
    return PaletteBuild::kFailed;
  }
}

PaletteBuild BuildClosestPalette(CTesselParams& params, int colors, const ImageBuffer& picture,
                                 int percent, FileError* error) {
  if (colors < 1) return PaletteBuild::kFailed;
  std::optional<BrandPalette> brand = BrandPalette::Load(params.brandFile, error);
  if (!brand) return PaletteBuild::kBrandUnreadable;
  try {
    std::vector<Lab> paints;
    for (int i = 0; i < brand->Count(); ++i) paints.push_back(SrgbToLab(brand->ColorAt(i)->AsRgb()));
    const std::vector<WeightedLab> cells = PictureLabCells(picture, percent);
    return PlaceBrandColors(params, *brand, ChooseClosestPaints(cells, paints, colors));
  } catch (const std::bad_alloc&) {
    return PaletteBuild::kFailed;
  }
}

PaletteBuild BuildPaletteForPicture(PaintChoice choice, CTesselParams& params, int colors,
                                    const ImageBuffer& picture, int percent, FileError* error) {
  if (choice == PaintChoice::kClosest) {
    return BuildClosestPalette(params, colors, picture, percent, error);
  }
  return BuildPaletteForPicture(params, colors, picture, percent, error);
}

HueRecord MakeHueRecord(Rgb color, int position) {
  const int r = color.red, g = color.green, b = color.blue;
  const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
  HueRecord record{color, 0, 0, mx, position};
  record.saturation = mx == 0 ? 0 : (mx - mn) * 256 / mx;
  if (record.saturation == 0) return record;
  const int diff = mx - mn;
  int hue;
  if (r == mx) {
    hue = ((mx - b) * 256) / diff - ((mx - g) * 256) / diff;
  } else {
    const int mr = ((mx - r) * 256) / diff;
    hue = g == mx ? mr - ((mx - b) * 256) / diff + 512 : ((mx - g) * 256) / diff - mr + 1024;
  }
  if (hue < 0) hue += 1536;
  record.hue = hue;
  return record;
}

std::vector<int> SpreadOverHues(const BrandPalette& brand, int colors) {
  const int m = brand.Count();
  std::vector<int> positions;
  if (colors >= m) {
    for (int i = 0; i < m; ++i) positions.push_back(i);
    return positions;
  }
  if (colors < 1) return positions;
  std::vector<HueRecord> records;
  records.reserve(size_t(m));
  for (int i = 0; i < m; ++i) records.push_back(MakeHueRecord(brand.ColorAt(i)->AsRgb(), i));
  std::stable_sort(records.begin(), records.end(),
                   [](const HueRecord& a, const HueRecord& b) { return a.hue < b.hue; });
  size_t cursor = 0;
  for (int sector = 0; sector < colors && cursor < records.size(); ++sector) {
    const int end = 1536 * (sector + 1) / colors;
    while (cursor + 1 < records.size() && records[cursor + 1].hue <= end) ++cursor;
    positions.push_back(records[cursor].position);
    ++cursor;
  }
  return positions;
}

PaletteBuild BuildPaletteForBrand(CTesselParams& params, int colors, FileError* error) {
  std::optional<BrandPalette> brand = BrandPalette::Load(params.brandFile, error);
  if (!brand) return PaletteBuild::kBrandUnreadable;
  return PlaceBrandColors(params, *brand, SpreadOverHues(*brand, colors));
}

bool RemapToNewPalette(std::span<const CFlossColor> oldPalette,
                       std::span<const CFlossColor> newPalette, ImageBuffer& indexImage,
                       ImageBuffer& convertedPicture) {
  if (newPalette.empty() || indexImage.Kind() != kKindGray8 ||
      convertedPicture.Kind() != kKindRgb24 || indexImage.Width() != convertedPicture.Width() ||
      indexImage.Height() != convertedPicture.Height()) {
    return false;
  }
  try {
    std::vector<Rgb> colors;
    for (const CFlossColor& color : newPalette) colors.push_back(color.AsRgb());
    const NearestColorTable nearest(colors);
    // New number of every old number; -1 where the old palette has no colour.
    std::array<int, 256> moved;
    moved.fill(-1);
    for (size_t i = 0; i < std::min<size_t>(oldPalette.size(), 256); ++i) {
      moved[i] = nearest.Nearest(oldPalette[i].AsRgb());
    }
    PixelCursor indexCursor(indexImage, PixelCursor::kWrite);
    PixelCursor pictureCursor(convertedPicture, PixelCursor::kWrite);
    if (!indexCursor.IsBound() || !pictureCursor.IsBound()) return false;
    for (int32_t y = 0; y < indexImage.Height(); ++y) {
      uint8_t* numbers = indexCursor.MutableRowPointer(y);
      uint8_t* pixels = pictureCursor.MutableRowPointer(y);
      for (int32_t x = 0; x < indexImage.Width(); ++x, pixels += 3) {
        int k = moved[numbers[x]];
        if (k < 0) k = nearest.Nearest({pixels[2], pixels[1], pixels[0]});
        const Rgb& color = colors[size_t(k)];
        numbers[x] = uint8_t(k);
        pixels[0] = color.blue;
        pixels[1] = color.green;
        pixels[2] = color.red;
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace tintara
