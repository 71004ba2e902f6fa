#include "view/navigator_thumbnail.h"

#include <algorithm>
#include <array>
#include <vector>

#include "document/tessel_doc.h"
#include "pattern/render_pattern.h"
#include "view/ink_keeping_scale.h"

namespace tintara {

namespace {

int32_t Width(const LtrbRect& r) { return r.right - r.left; }
int32_t Height(const LtrbRect& r) { return r.bottom - r.top; }

// Index of pixel `x` in a row of a palette image of any depth.
int PaletteIndex(const uint8_t* row, int32_t x, int bits) {
  if (bits >= 8) return row[x];
  const int perByte = 8 / bits;
  const int shift = 8 - bits * (x % perByte + 1);
  return (row[x / perByte] >> shift) & ((1 << bits) - 1);
}

void CopyRow(const ImageBuffer& image, int32_t sourceRow, int32_t thumbWidth, uint8_t* out) {
  const uint8_t* row = image.Row(sourceRow);
  const int32_t w = image.Width();
  const bool trueColour = image.Kind() == kKindRgb24;
  const int bits = BitsPerPixel(image.Kind());
  for (int32_t j = 0; j < thumbWidth; ++j) {
    const int32_t x = int32_t(int64_t(j) * w / thumbWidth);
    if (trueColour) {
      out[3 * j] = row[3 * x + 2];
      out[3 * j + 1] = row[3 * x + 1];
      out[3 * j + 2] = row[3 * x];
    } else {
      const PaletteEntry entry = image.PaletteAt(PaletteIndex(row, x, bits));
      out[3 * j] = entry.red;
      out[3 * j + 1] = entry.green;
      out[3 * j + 2] = entry.blue;
    }
  }
}

// The pattern shrunk into the thumbnail's picture rectangle with its lines kept.
void CopyKeepingInk(const ImageBuffer& image, uint8_t ink, const LtrbRect& rect,
                    NavigatorThumbnail& thumb) {
  const int32_t tw = rect.right - rect.left;
  const int32_t th = rect.bottom - rect.top;
  std::vector<uint32_t> pixels(size_t(tw) * size_t(th));
  ScaleDownKeepingInk(image, PaletteColors(image), ink, {tw, th}, {0, 0, tw, th}, pixels.data(),
                      size_t(tw));
  for (int32_t y = 0; y < th; ++y) {
    uint8_t* out =
        thumb.rgb.data() + (size_t(rect.top + y) * size_t(thumb.width) + size_t(rect.left)) * 3;
    for (int32_t x = 0; x < tw; ++x, out += 3) {
      const uint32_t p = pixels[size_t(y) * size_t(tw) + size_t(x)];
      out[0] = uint8_t(p >> 16);
      out[1] = uint8_t(p >> 8);
      out[2] = uint8_t(p);
    }
  }
}

}  // namespace

LtrbRect ThumbnailPictureRect(int32_t clientWidth, int32_t clientHeight, int32_t imageWidth,
                              int32_t imageHeight) {
  if (clientWidth <= 0 || clientHeight <= 0 || imageWidth <= 0 || imageHeight <= 0) return {};
  const int64_t c = clientWidth;
  const int64_t r = clientHeight;
  if (c * imageHeight < r * imageWidth) {
    const int32_t height = int32_t(c * imageHeight / imageWidth);
    const int32_t top = (clientHeight - height) / 2;
    return {0, top, clientWidth, top + height};
  }
  const int32_t width = int32_t(r * imageWidth / imageHeight);
  const int32_t left = (clientWidth - width) / 2;
  return {left, 0, left + width, clientHeight};
}

NavigatorThumbnail RenderThumbnail(const ImageBuffer* image, int32_t clientWidth,
                                   int32_t clientHeight, int ink) {
  NavigatorThumbnail thumb;
  thumb.width = std::max(clientWidth, 0);
  thumb.height = std::max(clientHeight, 0);
  thumb.rgb.assign(size_t(thumb.width) * size_t(thumb.height) * 3, kNavigatorGrey);
  if (image == nullptr) return thumb;
  const LtrbRect rect = ThumbnailPictureRect(thumb.width, thumb.height, image->Width(),
                                             image->Height());
  const int32_t tw = Width(rect);
  const int32_t th = Height(rect);
  if (tw <= 0 || th <= 0) return thumb;
  thumb.picture = rect;
  if (ink >= 0 && ink <= 255 && image->Kind() == kKind8Bit &&
      IsScaledDown({image->Width(), image->Height()}, {tw, th})) {
    CopyKeepingInk(*image, uint8_t(ink), rect, thumb);
    return thumb;
  }
  const int32_t h = image->Height();
  for (int32_t fromTop = 0; fromTop < th; ++fromTop) {
    // Picture rows count from the bottom, as do the thumbnail's own.
    const int32_t i = th - 1 - fromTop;
    const int32_t sourceRow = int32_t(int64_t(i) * h / th);
    uint8_t* out = thumb.rgb.data() + (size_t(rect.top + fromTop) * size_t(thumb.width) +
                                       size_t(rect.left)) * 3;
    CopyRow(*image, sourceRow, tw, out);
  }
  return thumb;
}

const ImageBuffer* NavigatorImage(const CTessel20Doc& doc) {
  switch (doc.viewMode) {
    case kViewInitial:
      return doc.pictureEditing ? doc.workingPicture.get() : doc.initialPicture.get();
    case kViewConverted: return doc.convertedPicture.get();
    case kViewPattern: return doc.patternImage.get();
    default: return nullptr;
  }
}

int NavigatorInk(const CTessel20Doc& doc) {
  const ImageBuffer* shown = NavigatorImage(doc);
  return shown != nullptr && shown == doc.patternImage.get() ? kPatternInk : -1;
}

LtrbRect FrameFromView(const LtrbRect& t, const LtrbRect& v, const LtrbRect& p) {
  const int64_t tw = Width(t);
  const int64_t th = Height(t);
  const int64_t pw = Width(p);
  const int64_t ph = Height(p);
  if (tw <= 0 || th <= 0 || pw <= 0 || ph <= 0) return {};
  LtrbRect frame{t.left + int32_t((v.left - p.left) * tw / pw),
                 t.top + int32_t((v.top - p.top) * th / ph),
                 t.left + int32_t((v.right - p.left) * tw / pw),
                 t.top + int32_t((v.bottom - p.top) * th / ph)};
  frame.left = std::max(frame.left, t.left);
  frame.top = std::max(frame.top, t.top);
  frame.right = std::min(frame.right, t.right);
  frame.bottom = std::min(frame.bottom, t.bottom);
  if (frame.right <= frame.left || frame.bottom <= frame.top) return {};
  return frame;
}

LtrbRect MoveFrame(const LtrbRect& pressFrame, Point offset, const LtrbRect& t) {
  LtrbRect f{pressFrame.left + offset.x, pressFrame.top + offset.y, pressFrame.right + offset.x,
             pressFrame.bottom + offset.y};
  auto shift = [&f](int32_t dx, int32_t dy) {
    f.left += dx;
    f.right += dx;
    f.top += dy;
    f.bottom += dy;
  };
  if (f.top < t.top) shift(0, t.top - f.top);
  if (f.bottom > t.bottom) shift(0, t.bottom - f.bottom);
  if (f.left < t.left) shift(t.left - f.left, 0);
  if (f.right > t.right) shift(t.right - f.right, 0);
  return f;
}

Point ScrollFromFrame(const LtrbRect& frame, const LtrbRect& t, const ImageSize& total) {
  const int64_t tw = Width(t);
  const int64_t th = Height(t);
  if (tw <= 0 || th <= 0) return {};
  return {int32_t((frame.left - t.left) * int64_t(total.width) / tw),
          int32_t((frame.top - t.top) * int64_t(total.height) / th)};
}

}  // namespace tintara
