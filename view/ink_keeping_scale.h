// Scaling a pattern down for the screen without losing its lines. Nearest-
// neighbour sampling keeps one pattern cell in two (or ten) and drops the
// rest, so one-cell borders and the strokes of the numbers vanish at "Fit in
// window". Here each screen pixel looks at the cells it stands for and shows
// their ink (borders, digits, frame) in proportion to how much of a line it
// holds: a line one cell wide stays a line one screen pixel wide.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "imaging/image_buffer.h"
#include "view/view_mapping.h"

namespace tintara {

// A part of the picture as shown, in screen pixels from its top-left corner.
struct ShownPart {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Blocks of at most this many cells are counted whole; larger ones (far
// zoomed out) only along their middle row and middle column, which every
// line across the block crosses, so the cost stays that of two lines.
constexpr int32_t kWholeBlockCells = 16;

// Whether `picture` shown at `shown` is scaled down in both directions.
bool IsScaledDown(const ImageSize& picture, const ImageSize& shown);

// The 0x00RRGGBB colour of each of the 8-bit `picture`'s 256 palette entries.
std::array<uint32_t, 256> PaletteColors(const ImageBuffer& picture);

// Writes `part` of the 8-bit `picture` shown at `shown` (no larger than the
// picture either way) as 0xFFRRGGBB pixels, `stride` pixels a row, top row
// first. `colors` holds 0x00RRGGBB for each value; `ink` is the value of lines.
void ScaleDownKeepingInk(const ImageBuffer& picture, const std::array<uint32_t, 256>& colors,
                         uint8_t ink, const ImageSize& shown, const ShownPart& part,
                         uint32_t* out, size_t stride);

}  // namespace tintara
