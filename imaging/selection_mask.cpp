#include "imaging/selection_mask.h"

#include <new>

namespace tintara {

std::optional<SelectionMask> SelectionMask::Build(const Region* selection, int32_t width,
                                                  int32_t height) {
  SelectionMask mask;
  BoxRect picture{0, 0, width, height};
  if (selection == nullptr || selection->Kind() == kRegionWhole) {
    mask.area_ = picture;
    if (selection == nullptr || !selection->IsInverted()) return mask;
    mask.area_ = {0, 0, 0, 0};  // the inverse of everything is nothing
    return mask;
  }
  mask.area_ = selection->IsInverted() ? picture : Intersect(selection->Bounds(), picture);
  if (mask.area_.IsEmpty()) return mask;
  // Combined shapes and polygons allocate while rasterising too.
  try {
    mask.bytes_.resize(size_t(mask.area_.width) * size_t(mask.area_.height));
    selection->RasterizeShape(mask.area_, mask.bytes_.data(), mask.area_.width);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (selection->IsInverted()) {
    for (uint8_t& b : mask.bytes_) b = uint8_t(~b);
  }
  return mask;
}

const uint8_t* SelectionMask::Row(int32_t y) const {
  if (bytes_.empty()) return nullptr;
  return bytes_.data() + size_t(y - area_.y) * size_t(area_.width);
}

bool SelectionMask::Affects(int32_t x, int32_t y) const {
  if (x < area_.x || y < area_.y || x >= area_.x + area_.width || y >= area_.y + area_.height) {
    return false;
  }
  const uint8_t* row = Row(y);
  return row == nullptr || row[x - area_.x] != 0;
}

}  // namespace tintara
