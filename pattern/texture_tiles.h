// Grey textures and flat tones that tell the colours apart on patterns drawn
// without numbers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace tintara {

// An 8 × 8 threshold arrangement of the values 0..63, row by row; entry
// (y mod 8) × 8 + (x mod 8) belongs to pattern pixel (x, y).
using TextureTile = std::array<uint8_t, 64>;

constexpr int kTextureTileCount = 16;
// Colour positions from this one up have neither a tile nor a tone.
constexpr int kTexturedColorCount = 32;

// Tile 0 is the ordered-dither matrix; every tile is a different permutation.
const TextureTile& TextureTileAt(int index);

// Which tile a colour position uses and what is added to its values: positions
// 0..15 use tiles 0..15 lifted by 192, positions 16..31 the same tiles lifted
// by 128. Empty from position 32 up.
struct TileChoice {
  int tile = 0;
  int offset = 0;
};
std::optional<TileChoice> TileFor(int position);

// Flat grey of a colour position on tone patterns: 192 plus an even share of
// 64 per colour of the working palette, wrapping past 255. Empty from 32 up.
std::optional<uint8_t> FlatToneFor(int position, int paletteLength);

// A tile whose 64 values all equal `tone`.
TextureTile FlatTile(uint8_t tone);

}  // namespace tintara
