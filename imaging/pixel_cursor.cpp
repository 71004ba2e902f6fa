#include "imaging/pixel_cursor.h"

namespace tintara {

PixelCursor::PixelCursor(ImageBuffer& image, Mode mode) : image_(&image) {
  if (mode == kWrite) {
    writable_ = image.WritableRows();
    bound_ = writable_.has_value();
  }
}

PixelCursor::PixelCursor(const ImageBuffer& image) : image_(&image) {}

const uint8_t* PixelCursor::RowPointer(int32_t y) const {
  return bound_ ? image_->Row(y) : nullptr;
}

uint8_t* PixelCursor::MutableRowPointer(int32_t y) {
  if (!writable_ || y < 0 || y >= writable_->Height()) return nullptr;
  return writable_->Row(y);
}

namespace {

bool InImage(const ImageBuffer& image, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < image.Width() && y < image.Height();
}

int SubBytePixel(const uint8_t* row, int32_t x, int bits) {
  int perByte = 8 / bits;
  int shift = (perByte - 1 - x % perByte) * bits;
  return (row[x / perByte] >> shift) & ((1 << bits) - 1);
}

}  // namespace

bool PixelCursor::ReadPixel(int32_t x, int32_t y, uint8_t& red, uint8_t& green,
                            uint8_t& blue) const {
  if (!bound_ || !InImage(*image_, x, y)) return false;
  const uint8_t* row = image_->Row(y);
  int bits = BitsPerPixel(image_->Kind());
  if (bits == 24) {
    blue = row[3 * x];
    green = row[3 * x + 1];
    red = row[3 * x + 2];
    return true;
  }
  uint8_t value = bits == 8 ? row[x] : uint8_t(SubBytePixel(row, x, bits));
  red = green = blue = value;
  return true;
}

bool PixelCursor::WritePixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  if (!writable_ || !InImage(*image_, x, y)) return false;
  uint8_t* row = writable_->Row(y);
  int bits = BitsPerPixel(image_->Kind());
  if (bits == 24) {
    row[3 * x] = blue;
    row[3 * x + 1] = green;
    row[3 * x + 2] = red;
  } else if (bits == 8) {
    row[x] = red;
  } else {
    int perByte = 8 / bits;
    int shift = (perByte - 1 - x % perByte) * bits;
    int mask = ((1 << bits) - 1) << shift;
    uint8_t& byte = row[x / perByte];
    byte = uint8_t((byte & ~mask) | ((red << shift) & mask));
  }
  return true;
}

}  // namespace tintara
