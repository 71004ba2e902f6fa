// Building and reading the pictures the pattern tests draw.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/image_buffer.h"
#include "pattern/number_glyphs.h"
#include "pattern/render_pattern.h"

namespace tintara::test {

// A pattern picture as the pipeline creates it: 8-bit, grey palette, every
// pixel `fill`.
inline ImageRef NewPattern(int32_t width, int32_t height, uint8_t fill = 0) {
  ImageRef pattern =
      ImageBuffer::CreateWithPalette(kKind8Bit, width, height, GreyPalette().data(), 256);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = pattern->WritableRows().value().Row(y);
    for (int32_t x = 0; x < width; ++x) row[x] = fill;
  }
  return pattern;
}

inline uint8_t At(const ImageBuffer& image, int32_t x, int32_t y) { return image.Row(y)[x]; }

inline PatternRenderInput InputFor(const ImageBuffer& index, int32_t type,
                                   int32_t paletteLength = 32, uint32_t border = 0x808080) {
  return PatternRenderInput{&index, type, border, paletteLength};
}

// The whole pattern of `index` drawn on a fresh picture.
inline ImageRef RenderWhole(const ImageBuffer& index, int32_t type, bool noNumbers = false) {
  ImageRef pattern = NewPattern(index.Width(), index.Height());
  PatternRenderRect rect = WholePattern(*pattern);
  rect.noNumbers = noNumbers;
  RenderPattern(InputFor(index, type), *pattern, rect, nullptr);
  return pattern;
}

inline bool OnFrame(const ImageBuffer& image, int32_t x, int32_t y) {
  return x == 0 || y == 0 || x == image.Width() - 1 || y == image.Height() - 1;
}

// Pixels where two pictures of the same size differ, one flag per pixel.
inline std::vector<bool> Differences(const ImageBuffer& a, const ImageBuffer& b) {
  std::vector<bool> differs(size_t(a.Width()) * size_t(a.Height()));
  for (int32_t y = 0; y < a.Height(); ++y) {
    for (int32_t x = 0; x < a.Width(); ++x) {
      differs[size_t(y) * size_t(a.Width()) + size_t(x)] = At(a, x, y) != At(b, x, y);
    }
  }
  return differs;
}

struct Stamp {
  int number;
  int32_t gx;
  int32_t gy;
};

// The pixels that stamping the given glyphs onto `plain` turns to ink: glyph
// ink inside the picture where `plain` is not ink already.
inline std::vector<bool> StampedPixels(const ImageBuffer& plain, const std::vector<Stamp>& stamps) {
  std::vector<bool> inked(size_t(plain.Width()) * size_t(plain.Height()));
  for (const Stamp& stamp : stamps) {
    const NumberGlyph* glyph = GlyphForNumber(stamp.number);
    for (int32_t v = 0; v < kGlyphSize; ++v) {
      for (int32_t u = 0; u < kGlyphSize; ++u) {
        int32_t x = stamp.gx + u, y = stamp.gy + v;
        if (!glyph->Ink(u, v) || x < 0 || y < 0 || x >= plain.Width() || y >= plain.Height()) {
          continue;
        }
        if (At(plain, x, y) != kPatternInk) inked[size_t(y) * size_t(plain.Width()) + size_t(x)] = true;
      }
    }
  }
  return inked;
}

}  // namespace tintara::test
