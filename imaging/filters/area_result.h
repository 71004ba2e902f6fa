// The result of an in-place tool over its working area, built aside and written
// into the picture only when the tool has finished, so that a cancelled or
// failed run leaves the picture as it was.
#pragma once

#include <cstdint>
#include <optional>

#include "imaging/image_buffer.h"
#include "imaging/selection_mask.h"

namespace tintara {

class AreaResult {
 public:
  // Empty when there is no memory for it.
  static std::optional<AreaResult> Make(const ImageBuffer& picture, const BoxRect& area);

  const BoxRect& Area() const { return area_; }
  // Result bytes for picture row y, starting at column Area().x.
  uint8_t* Row(int32_t y) const { return bits_ + size_t(y - area_.y) * size_t(stride_); }

  // Writes the pixels the mask affects into the picture. A result over the
  // whole picture with no mask takes over the pixels without copying. False
  // when the picture's pixels could not be made private.
  bool CommitTo(ImageBuffer& picture, const SelectionMask& mask) const;

 private:
  ImageRef buffer_;
  BoxRect area_;
  uint8_t* bits_ = nullptr;
  int32_t stride_ = 0;
};

}  // namespace tintara
