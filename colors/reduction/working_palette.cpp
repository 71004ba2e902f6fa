#include "colors/reduction/working_palette.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

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

namespace {

void CorrectRowOf(const ImageBuffer& picture, int32_t y, LightnessCorrector& correct, uint8_t* out) {
  if (picture.Kind() == kKindRgb24) {
    correct.CorrectRow(picture.Row(y), out, picture.Width());
  } else {
    ExpandRow(picture, y, out);
    correct.CorrectRow(out, out, picture.Width());
  }
}

constexpr int32_t kBlockRows = 32;
constexpr size_t kBlocks = 3;

// The rows in blocks, every other block corrected on a second core ahead of
// the reader, who corrects the rest itself and takes them all in order on
// its own thread. Each pixel's correction is the same whichever corrector
// makes it, so what is taken is what one thread makes.
class CorrectedBlocks {
 public:
  CorrectedBlocks(const ImageBuffer& picture, int percent)
      : picture_(picture), correct_(percent), rowBytes_(size_t(picture.Width()) * 3) {
    for (std::vector<uint8_t>& block : blocks_) block.resize(rowBytes_ * kBlockRows);
    correct_(Rgb{});  // its cache is made here, where a failure can be caught
  }
  ~CorrectedBlocks() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
  }
  CorrectedBlocks(const CorrectedBlocks&) = delete;
  CorrectedBlocks& operator=(const CorrectedBlocks&) = delete;

  // False when no second thread could be had.
  bool Start() {
    try {
      worker_ = std::jthread([this] { Produce(); });
    } catch (const std::system_error&) {
      return false;
    }
    return true;
  }

  // The worker's `n`th block (block 2n of the picture) once it is ready;
  // valid until Release.
  const uint8_t* Take(int64_t n) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return produced_ > n; });
    return blocks_[size_t(n) % kBlocks].data();
  }
  // The block taken last is read and may be filled again.
  void Release() {
    {
      std::lock_guard lock(mutex_);
      ++consumed_;
    }
    changed_.notify_all();
  }

  size_t RowBytes() const { return rowBytes_; }

 private:
  void Produce() {
    const int32_t height = picture_.Height();
    for (int64_t n = 0; 2 * n * kBlockRows < height; ++n) {
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stop_ || produced_ - consumed_ < int64_t(kBlocks); });
        if (stop_) return;
      }
      uint8_t* out = blocks_[size_t(n) % kBlocks].data();
      const int32_t first = int32_t(2 * n * kBlockRows);
      const int32_t end = std::min(height, first + kBlockRows);
      for (int32_t y = first; y < end; ++y, out += rowBytes_) CorrectRowOf(picture_, y, correct_, out);
      {
        std::lock_guard lock(mutex_);
        ++produced_;
      }
      changed_.notify_all();
    }
  }

  const ImageBuffer& picture_;
  LightnessCorrector correct_;  // the worker's alone once started
  size_t rowBytes_;
  std::array<std::vector<uint8_t>, kBlocks> blocks_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int64_t produced_ = 0;
  int64_t consumed_ = 0;
  bool stop_ = false;
  std::jthread worker_;  // last: joins before the rest goes
};

void ForEachCorrectedRowAlone(const ImageBuffer& picture, int percent,
                              const std::function<void(const uint8_t* row, int width)>& take) {
  LightnessCorrector correct(percent);
  std::vector<uint8_t> row(size_t(picture.Width()) * 3);
  for (int32_t y = 0; y < picture.Height(); ++y) {
    CorrectRowOf(picture, y, correct, row.data());
    take(row.data(), picture.Width());
  }
}

}  // namespace

void ForEachCorrectedRow(const ImageBuffer& picture, int percent,
                         const std::function<void(const uint8_t* row, int width)>& take) {
  const int32_t height = picture.Height();
  if (height < 4 * kBlockRows || std::thread::hardware_concurrency() < 2) {
    ForEachCorrectedRowAlone(picture, percent, take);
    return;
  }
  CorrectedBlocks blocks(picture, percent);
  LightnessCorrector correct(percent);
  std::vector<uint8_t> own(blocks.RowBytes() * kBlockRows);
  if (!blocks.Start()) {
    ForEachCorrectedRowAlone(picture, percent, take);
    return;
  }
  for (int64_t index = 0; index * kBlockRows < height; ++index) {
    const int32_t first = int32_t(index * kBlockRows);
    const int32_t end = std::min(height, first + kBlockRows);
    const uint8_t* row;
    if (index % 2 == 0) {
      row = blocks.Take(index / 2);
    } else {
      uint8_t* out = own.data();
      for (int32_t y = first; y < end; ++y, out += blocks.RowBytes()) CorrectRowOf(picture, y, correct, out);
      row = own.data();
    }
    for (int32_t y = first; y < end; ++y, row += blocks.RowBytes()) take(row, picture.Width());
    if (index % 2 == 0) blocks.Release();
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
