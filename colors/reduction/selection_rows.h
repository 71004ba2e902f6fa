// A copy of a true-colour picture with a change applied to every pixel
// inside the selection, sampled through the shared selection mask.
#pragma once

#include <cstdint>
#include <new>
#include <optional>

#include "imaging/image_buffer.h"
#include "imaging/parallel_rows.h"
#include "imaging/region.h"
#include "imaging/selection_mask.h"

namespace tintara {

// `change(pixel)` gets the three bytes blue, green, red of each affected
// pixel to rewrite in place; rows may be shared between threads, so it must
// not keep state. Null when the picture is not true colour or the copy or
// mask cannot be made.
template <typename Change>
ImageRef TransformSelectedPixels(const ImageBuffer& picture, const Region* selection,
                                 Change change) {
  if (picture.Kind() != kKindRgb24) return nullptr;
  std::optional<SelectionMask> mask =
      SelectionMask::Build(selection, picture.Width(), picture.Height());
  if (!mask) return nullptr;
  ImageRef copy = ImageBuffer::Copy(picture);
  if (!copy) return nullptr;
  const BoxRect& area = mask->Area();
  if (area.IsEmpty()) return copy;
  std::optional<PixelRows> rows = copy->WritableRows();
  if (!rows) return nullptr;
  uint8_t* bits = rows->Bits();
  const size_t stride = size_t(copy->Stride());
  ParallelRows(area.height, int64_t(area.width) * area.height, [&](int32_t first, int32_t end) {
    for (int32_t y = area.y + first; y < area.y + end; ++y) {
      uint8_t* pixel = bits + size_t(y) * stride + size_t(area.x) * 3;
      const uint8_t* affected = mask->Row(y);
      for (int32_t x = 0; x < area.width; ++x, pixel += 3) {
        if (affected == nullptr || affected[x] != 0) change(pixel);
      }
    }
  });
  return copy;
}

}  // namespace tintara
