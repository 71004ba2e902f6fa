#include "imaging/filters/area_result.h"

#include <cstring>

namespace tintara {

std::optional<AreaResult> AreaResult::Make(const ImageBuffer& picture, const BoxRect& area) {
  AreaResult result;
  result.area_ = area;
  if (area.IsEmpty()) return result;
  result.buffer_ = ImageBuffer::Create(picture.Kind(), area.width, area.height);
  if (!result.buffer_) return std::nullopt;
  std::optional<PixelRows> rows = result.buffer_->WritableRows();
  if (!rows) return std::nullopt;
  result.bits_ = rows->Bits();
  result.stride_ = result.buffer_->Stride();
  return result;
}

bool AreaResult::CommitTo(ImageBuffer& picture, const SelectionMask& mask) const {
  if (area_.IsEmpty()) return true;
  bool wholePicture = area_ == BoxRect{0, 0, picture.Width(), picture.Height()};
  if (wholePicture && mask.Row(area_.y) == nullptr && picture.AdoptPixels(*buffer_)) return true;
  std::optional<PixelRows> rows = picture.WritableRows();
  if (!rows) return false;
  const size_t bytesPerPixel = size_t(BitsPerPixel(picture.Kind()) / 8);
  const size_t offset = size_t(area_.x) * bytesPerPixel;
  for (int32_t y = area_.y; y < area_.y + area_.height; ++y) {
    uint8_t* target = rows->Row(y) + offset;
    const uint8_t* source = Row(y);
    const uint8_t* affected = mask.Row(y);
    if (affected == nullptr) {
      std::memcpy(target, source, size_t(area_.width) * bytesPerPixel);
      continue;
    }
    for (int32_t x = 0; x < area_.width; ++x) {
      if (affected[x] == 0) continue;
      std::memcpy(target + size_t(x) * bytesPerPixel, source + size_t(x) * bytesPerPixel,
                  bytesPerPixel);
    }
  }
  return true;
}

}  // namespace tintara
