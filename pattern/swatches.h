// The small pictures with which the colour key shows how each colour looks on
// the pattern: a texture patch or the colour's number.
#pragma once

#include <optional>

#include "imaging/image_buffer.h"
#include "imaging/region.h"
#include "pattern/texture_tiles.h"

namespace tintara {

// A grey picture (8 bits, value = grey level; rows bottom-up like every
// picture) and where on the page it is to be stretched.
struct Swatch {
  ImageRef image;
  LtrbRect destination;
};

// 32 × 32 pixels of (tile value + offset) mod 256, filling the whole rectangle.
// Empty when the picture cannot be made.
std::optional<Swatch> DrawTextureSwatch(const LtrbRect& rect, const TextureTile& tile,
                                        int offset);

// The 16 × 16 glyph of `number` with dark ink (0) on a light ground (255),
// each value plus offset mod 256, to be drawn at half the rectangle's size,
// centred in it. Empty for a number without a glyph.
std::optional<Swatch> DrawGlyphSwatch(const LtrbRect& rect, int number, int offset);

// What the key shows for a colour position on a pattern type: its tile with
// offset 192 or 128 on textured patterns, its flat tone otherwise. Empty for
// positions that have neither.
struct SwatchTexture {
  TextureTile tile;
  int offset = 0;
};
std::optional<SwatchTexture> KeySwatchTexture(int patternType, int position, int paletteLength);

}  // namespace tintara
