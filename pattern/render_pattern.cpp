#include "pattern/render_pattern.h"

#include <algorithm>
#include <array>

#include "imaging/region.h"
#include "pattern/number_placement.h"
#include "pattern/texture_tiles.h"

namespace tintara {

namespace {

bool HasTextureStep(int32_t type) {
  return type == kPatternTilesNoBorders || type == kPatternTiles ||
         type == kPatternTonesNoBorders || type == kPatternTones;
}
bool HasBorderStep(int32_t type) {
  return type == kPatternBordersOnly || type == kPatternTiles || type == kPatternTones ||
         type == kPatternNumbers;
}
bool HasWhiteAreas(int32_t type) { return type == kPatternBordersOnly || type == kPatternNumbers; }

// Grown by 2 for the neighbours the border test reads, clamped to the picture.
LtrbRect GrowAndClamp(const PatternRenderRect& rect, int32_t width, int32_t height) {
  auto clamp = [](int64_t v, int64_t lo, int64_t hi) { return int32_t(std::clamp(v, lo, hi)); };
  LtrbRect area;
  area.left = clamp(int64_t(rect.left) - 2, 0, width);
  area.top = clamp(int64_t(rect.top) - 2, 0, height);
  area.right = clamp(int64_t(rect.right) + 2, area.left, width);
  area.bottom = clamp(int64_t(rect.bottom) + 2, area.top, height);
  return area;
}

// Texture values of positions 0..31 for every row and column phase, so the
// pixel loop is one lookup per pixel.
struct TextureTable {
  uint8_t value[8][kTexturedColorCount][8];
};

TextureTable MakeTextureTable(int32_t type, int32_t paletteLength) {
  TextureTable table{};
  bool tones = type == kPatternTonesNoBorders || type == kPatternTones;
  for (int k = 0; k < kTexturedColorCount; ++k) {
    std::optional<uint8_t> tone = FlatToneFor(k, paletteLength);
    std::optional<TileChoice> choice = TileFor(k);
    const TextureTile& tile = TextureTileAt(choice->tile);
    for (int yp = 0; yp < 8; ++yp) {
      for (int xp = 0; xp < 8; ++xp) {
        table.value[yp][k][xp] =
            tones ? *tone : uint8_t(tile[size_t(yp * 8 + xp)] + choice->offset);
      }
    }
  }
  return table;
}

RenderStatus DrawTextures(const PatternRenderInput& input, const PixelRows& pattern,
                          const LtrbRect& area, StepProgress* progress) {
  if (progress != nullptr) progress->NextStep();
  const TextureTable table = MakeTextureTable(input.patternType, input.paletteLength);
  const int32_t rows = area.bottom - area.top;
  for (int32_t y = area.top; y < area.bottom; ++y) {
    if (progress != nullptr && progress->Report(y - area.top, rows)) {
      return RenderStatus::kCancelled;
    }
    const uint8_t* in = input.indexImage->Row(y);
    uint8_t* out = pattern[y];
    const auto& phase = table.value[y & 7];
    for (int32_t x = area.left; x < area.right; ++x) {
      uint8_t k = in[x];
      // Positions from 32 up have no texture and keep what they show.
      if (k < kTexturedColorCount) out[x] = phase[k][x & 7];
    }
  }
  return RenderStatus::kDone;
}

// A pixel that differs from its left or its upper neighbour is border, so each
// colour change is marked on the right-hand and lower side, one pixel wide.
RenderStatus DrawBorders(const PatternRenderInput& input, const PixelRows& pattern,
                         const LtrbRect& area, StepProgress* progress) {
  if (progress != nullptr) progress->NextStep();
  const int32_t firstRow = std::max(area.top, 1);
  const int32_t endRow = std::min(area.bottom, pattern.Height() - 1);
  const int32_t firstColumn = std::max(area.left, 1);
  const int32_t endColumn = std::min(area.right, pattern.Width() - 1);
  const int32_t rows = endRow - firstRow;
  const bool white = HasWhiteAreas(input.patternType);
  for (int32_t y = firstRow; y < endRow; ++y) {
    if (progress != nullptr && progress->Report(y, rows)) return RenderStatus::kCancelled;
    const uint8_t* in = input.indexImage->Row(y);
    const uint8_t* upper = input.indexImage->Row(y - 1);
    uint8_t* out = pattern[y];
    for (int32_t x = firstColumn; x < endColumn; ++x) {
      uint8_t v = in[x];
      if (v != in[x - 1] || v != upper[x]) {
        out[x] = kPatternInk;
      } else if (white) {
        out[x] = kPatternWhite;
      }
    }
  }
  return RenderStatus::kDone;
}

void DrawFrame(const PixelRows& pattern) {
  const int32_t width = pattern.Width();
  const int32_t height = pattern.Height();
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = pattern[y];
    if (y == 0 || y == height - 1) {
      std::fill_n(row, width, kPatternInk);
    } else {
      row[0] = kPatternInk;
      row[width - 1] = kPatternInk;
    }
  }
}

bool IsUsable(const PatternRenderInput& input, const ImageBuffer& pattern) {
  const ImageBuffer* index = input.indexImage;
  return index != nullptr && BitsPerPixel(index->Kind()) == 8 &&
         BitsPerPixel(pattern.Kind()) == 8 && index->Width() == pattern.Width() &&
         index->Height() == pattern.Height();
}

}  // namespace

void SetInkColor(ImageBuffer& pattern, uint32_t color) {
  PaletteEntry entry = pattern.PaletteAt(kPatternInk);
  entry.red = uint8_t(color & 0xFF);
  entry.green = uint8_t((color >> 8) & 0xFF);
  entry.blue = uint8_t((color >> 16) & 0xFF);
  pattern.WritePalette(kPatternInk, 1, &entry);
}

RenderStatus RenderPattern(const PatternRenderInput& input, ImageBuffer& patternImage,
                           const PatternRenderRect& rect, StepProgress* progress) {
  const int32_t type = input.patternType;
  if (type == kPatternNothing) return RenderStatus::kDone;
  if (!IsUsable(input, patternImage)) return RenderStatus::kInvalidInput;
  // The pattern may share its pixels with an undo snapshot: take a private copy
  // once, so that no row write below can fail.
  std::optional<PixelRows> rows = patternImage.WritableRows();
  if (!rows) return RenderStatus::kOutOfMemory;
  const LtrbRect area = GrowAndClamp(rect, patternImage.Width(), patternImage.Height());

  RenderStatus status = RenderStatus::kDone;
  if (HasTextureStep(type)) status = DrawTextures(input, *rows, area, progress);
  if (status == RenderStatus::kDone && HasBorderStep(type)) {
    status = DrawBorders(input, *rows, area, progress);
  }
  if (status == RenderStatus::kDone && type == kPatternNumbers && !rect.noNumbers) {
    status = input.fitNumbers
                 ? PlaceFittingNumbers(*input.indexImage, *rows, area, input.unnumberedAreas)
                 : PlaceNumbers(*input.indexImage, *rows, area);
  }
  if (status != RenderStatus::kDone) return status;
  DrawFrame(*rows);
  SetInkColor(patternImage, input.borderColor);
  return RenderStatus::kDone;
}

PatternRenderRect WholePattern(const ImageBuffer& patternImage) {
  return {0, 0, patternImage.Width(), patternImage.Height(), false};
}

int RenderStepCount(int32_t patternType) {
  return int(HasTextureStep(patternType)) + int(HasBorderStep(patternType));
}

}  // namespace tintara
