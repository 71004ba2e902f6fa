// Clipboard bitmaps from outside: any bytes must give a picture or null, never
// a read past the buffer; a decoded picture must survive the way back.
#include <cstddef>
#include <cstdint>
#include <span>

#include "storage/clipboard_bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  for (bool keepDepth : {false, true}) {
    tintara::ImageRef image = tintara::BitmapToImage(bytes, keepDepth);
    if (!image) continue;
    std::vector<uint8_t> again = tintara::ImageToBitmap(*image);
    if (again.empty()) __builtin_trap();
    tintara::ImageRef back = tintara::BitmapToImage(again, keepDepth);
    if (!back || back->Width() != image->Width() || back->Height() != image->Height()) {
      __builtin_trap();
    }
  }
  return 0;
}
