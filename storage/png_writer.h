// Lossless PNG files of pictures, written with zlib alone so that the colour
// type is exactly the one asked for: true colour for pictures, an 8-bit
// palette with all 256 entries for patterns (even when every entry happens to
// be grey), 8-bit grey for index images. The file's top row is the picture's
// top row as shown (rows are bottom-up in memory).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"

namespace tintara {

enum class PngColorType { kTrueColor, kPalette, kGrey };

// The colour type a picture of this kind is written with: kind 16 true colour,
// kind 4 palette, kind 8 grey; nothing else is written.
bool PngColorTypeFor(int32_t kind, PngColorType& type);

// The whole file in memory; empty when the picture's kind has no PNG form or
// memory runs out. The picture's resolution, when known, goes into a pHYs chunk.
std::vector<uint8_t> EncodePng(const ImageBuffer& image);

// Writes the file through a temporary file renamed over the target, so that
// a failed write never leaves a half file. "" on success, else the reason.
std::string WritePngFile(const ImageBuffer& image, const std::string& path);

}  // namespace tintara
