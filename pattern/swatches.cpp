#include "pattern/swatches.h"

#include "colors/tessel_params.h"
#include "pattern/number_glyphs.h"

namespace tintara {

namespace {

constexpr int32_t kTextureSwatchSize = 32;
constexpr uint8_t kSwatchInk = 0;
constexpr uint8_t kSwatchGround = 255;

}  // namespace

std::optional<Swatch> DrawTextureSwatch(const LtrbRect& rect, const TextureTile& tile,
                                        int offset) {
  ImageRef image = ImageBuffer::Create(kKindGray8, kTextureSwatchSize, kTextureSwatchSize);
  std::optional<PixelRows> rows;
  if (!image || !(rows = image->WritableRows())) return std::nullopt;
  for (int32_t y = 0; y < kTextureSwatchSize; ++y) {
    uint8_t* row = rows->Row(y);
    for (int32_t x = 0; x < kTextureSwatchSize; ++x) {
      row[x] = uint8_t((tile[size_t((y % 8) * 8 + x % 8)] + offset) & 0xFF);
    }
  }
  return Swatch{std::move(image), rect};
}

std::optional<Swatch> DrawGlyphSwatch(const LtrbRect& rect, int number, int offset) {
  const NumberGlyph* glyph = GlyphForNumber(number);
  if (glyph == nullptr) return std::nullopt;
  ImageRef image = ImageBuffer::Create(kKindGray8, kGlyphSize, kGlyphSize);
  std::optional<PixelRows> rows;
  if (!image || !(rows = image->WritableRows())) return std::nullopt;
  for (int32_t v = 0; v < kGlyphSize; ++v) {
    uint8_t* row = rows->Row(v);
    for (int32_t u = 0; u < kGlyphSize; ++u) {
      uint8_t pixel = glyph->Ink(u, v) ? kSwatchInk : kSwatchGround;
      row[u] = uint8_t((pixel + offset) & 0xFF);
    }
  }
  const int32_t width = rect.right - rect.left;
  const int32_t height = rect.bottom - rect.top;
  LtrbRect destination;
  destination.left = (rect.left + rect.right) / 2 - width / 4;
  destination.top = (rect.top + rect.bottom) / 2 - height / 4;
  destination.right = destination.left + width / 2;
  destination.bottom = destination.top + height / 2;
  return Swatch{std::move(image), destination};
}

std::optional<SwatchTexture> KeySwatchTexture(int patternType, int position,
                                              int paletteLength) {
  if (patternType == kPatternTilesNoBorders || patternType == kPatternTiles) {
    std::optional<TileChoice> choice = TileFor(position);
    if (!choice) return std::nullopt;
    return SwatchTexture{TextureTileAt(choice->tile), choice->offset};
  }
  std::optional<uint8_t> tone = FlatToneFor(position, paletteLength);
  if (!tone) return std::nullopt;
  return SwatchTexture{FlatTile(*tone), 0};
}

}  // namespace tintara
