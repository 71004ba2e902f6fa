#include "editing/picture_transforms.h"

#include <algorithm>
#include <cstring>

#include "imaging/parallel_rows.h"

namespace tintara {

namespace {

// Square tiles keep both the reads and the writes of a quarter turn in cache.
constexpr int32_t kTile = 32;

struct Target {
  ImageRef image;
  std::optional<PixelRows> rows;
};

Target MakeTarget(const ImageBuffer& picture, int32_t width, int32_t height, bool swapDpi) {
  Target target;
  if (picture.Kind() != kKindRgb24) return target;
  target.image = ImageBuffer::Create(kKindRgb24, width, height);
  if (!target.image) return target;
  uint32_t dpi = picture.Resolution();
  if (swapDpi) dpi = (dpi >> 16) | (dpi << 16);
  target.image->SetResolution(dpi);
  target.rows = target.image->WritableRows();
  if (!target.rows) target.image = nullptr;
  return target;
}

void MirrorRow(const uint8_t* source, uint8_t* out, int32_t width) {
  const uint8_t* from = source + size_t(width - 1) * 3;
  for (int32_t x = 0; x < width; ++x, from -= 3, out += 3) {
    out[0] = from[0];
    out[1] = from[1];
    out[2] = from[2];
  }
}

// Output (x, y) of a quarter turn reads source (x', y'): clockwise
// (W - 1 - y, x), counter-clockwise (y, H - 1 - x).
ImageRef QuarterTurn(const ImageBuffer& picture, bool clockwise) {
  const int32_t w = picture.Width();
  const int32_t h = picture.Height();
  Target target = MakeTarget(picture, h, w, true);
  if (!target.image) return nullptr;
  const PixelRows& rows = *target.rows;
  const uint8_t* bits = picture.Bits();
  const size_t stride = size_t(picture.Stride());
  ParallelRows(w, int64_t(w) * h, [&](int32_t first, int32_t end) {
    for (int32_t yb = first; yb < end; yb += kTile) {
      const int32_t yEnd = std::min(yb + kTile, end);
      for (int32_t xb = 0; xb < h; xb += kTile) {
        const int32_t xEnd = std::min(xb + kTile, h);
        for (int32_t y = yb; y < yEnd; ++y) {
          uint8_t* out = rows.Row(y) + size_t(xb) * 3;
          const size_t column = size_t(clockwise ? w - 1 - y : y) * 3;
          for (int32_t x = xb; x < xEnd; ++x, out += 3) {
            const int32_t sy = clockwise ? x : h - 1 - x;
            const uint8_t* from = bits + size_t(sy) * stride + column;
            out[0] = from[0];
            out[1] = from[1];
            out[2] = from[2];
          }
        }
      }
    }
  });
  return target.image;
}

// Output row y is source row `sourceRow(y)`, mirrored or not.
template <typename SourceRow>
ImageRef CopyRows(const ImageBuffer& picture, bool mirror, SourceRow sourceRow) {
  const int32_t w = picture.Width();
  const int32_t h = picture.Height();
  Target target = MakeTarget(picture, w, h, false);
  if (!target.image) return nullptr;
  const PixelRows& rows = *target.rows;
  ParallelRows(h, int64_t(w) * h, [&](int32_t first, int32_t end) {
    for (int32_t y = first; y < end; ++y) {
      const uint8_t* from = picture.Row(sourceRow(y));
      if (mirror) {
        MirrorRow(from, rows.Row(y), w);
      } else {
        std::memcpy(rows.Row(y), from, size_t(w) * 3);
      }
    }
  });
  return target.image;
}

}  // namespace

ImageRef FlipHorizontal(const ImageBuffer& picture) {
  return CopyRows(picture, true, [](int32_t y) { return y; });
}

ImageRef FlipVertical(const ImageBuffer& picture) {
  const int32_t last = picture.Height() - 1;
  return CopyRows(picture, false, [last](int32_t y) { return last - y; });
}

ImageRef FlipBoth(const ImageBuffer& picture) {
  const int32_t last = picture.Height() - 1;
  return CopyRows(picture, true, [last](int32_t y) { return last - y; });
}

ImageRef RotateRight(const ImageBuffer& picture) { return QuarterTurn(picture, true); }

ImageRef RotateLeft(const ImageBuffer& picture) { return QuarterTurn(picture, false); }

}  // namespace tintara
