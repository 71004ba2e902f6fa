// Which pixels an operation limited to the selection may change.
//
// Every selection-limited operation samples the selection through this one
// helper: the working rectangle is the whole picture for an inverted selection,
// else the selection's bounds clipped to the picture; a pixel is affected when
// its mask byte (complemented for an inverted selection) is non-zero.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/region.h"

namespace tintara {

class SelectionMask {
 public:
  // No selection: the whole picture, every pixel affected. Empty when the
  // mask cannot be made.
  static std::optional<SelectionMask> Build(const Region* selection, int32_t width,
                                            int32_t height);

  // Working rectangle in image coordinates; may be empty.
  const BoxRect& Area() const { return area_; }
  // Mask bytes of image row y for the columns of Area(): non-zero = affected.
  // Null when every pixel of the area is affected.
  const uint8_t* Row(int32_t y) const;
  bool Affects(int32_t x, int32_t y) const;

 private:
  BoxRect area_;
  std::vector<uint8_t> bytes_;  // empty: no selection
};

}  // namespace tintara
