// Device-independent bitmaps as the clipboard carries them (a 40-byte or
// 12-byte header, the colour table, then bottom-up rows padded to 4 bytes),
// converted to and from ImageBuffer.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/image_buffer.h"

namespace tintara {

constexpr uint32_t kBitmapInfoHeaderSize = 40;
constexpr uint32_t kBitmapCoreHeaderSize = 12;

// A true-colour picture from the bitmap's bytes: 1-, 4- and 8-bit pixels are
// looked up in the colour table, 24-bit pixels copied; other bit counts and
// compressed bitmaps fail. With `keepDepth` the pixel format is kept instead
// (1-bit kind 1, 4-bit kind 2, 8-bit kind 8 for a grey ramp else kind 4,
// 24-bit kind 16). Resolution: pixels per metre × 0.0254 rounded, 72 dpi on
// both axes when either is below 1; 300 dpi for the core header.
// Null for anything malformed, truncated or too large; sizes are checked
// before anything is allocated.
ImageRef BitmapToImage(std::span<const uint8_t> bitmap, bool keepDepth = false);

// The reverse, with a 40-byte header: true colour as 24 bits, palette kinds
// with their colour table, kind 8 with a grey ramp unless it has a palette.
// Empty when the picture cannot be encoded or memory runs out.
std::vector<uint8_t> ImageToBitmap(const ImageBuffer& image);

}  // namespace tintara
