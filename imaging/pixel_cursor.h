// Row and pixel access bound to one image in reading or writing mode.
#pragma once

#include <cstdint>
#include <optional>

#include "imaging/image_buffer.h"

namespace tintara {

class PixelCursor {
 public:
  enum Mode { kRead = 0, kWrite = 1 };

  // A writing cursor makes the image's pixels private first, so writes never
  // show in a copy that shared them.
  PixelCursor(ImageBuffer& image, Mode mode);
  explicit PixelCursor(const ImageBuffer& image);

  bool IsBound() const { return bound_; }
  const uint8_t* RowPointer(int32_t y) const;
  // Null in reading mode and for rows outside the image.
  uint8_t* MutableRowPointer(int32_t y);

  // Kind 16: red, green, blue. Kinds 1, 2, 4 and 8: the pixel value in `red`
  // (and copied to the other two).
  bool ReadPixel(int32_t x, int32_t y, uint8_t& red, uint8_t& green, uint8_t& blue) const;
  // Kind 16 stores all three; the other kinds store `red` only.
  bool WritePixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);

 private:
  const ImageBuffer* image_;
  std::optional<PixelRows> writable_;
  bool bound_ = true;
};

}  // namespace tintara
