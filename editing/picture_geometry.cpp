#include "editing/picture_geometry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "editing/resize_form.h"
#include "imaging/filters/apply_tool.h"
#include "imaging/filters/builtin_tools.h"
#include "imaging/parallel_rows.h"
#include "imaging/selection_mask.h"
#include "ports/dialogs.h"
#include "ports/ui_host.h"

namespace tintara {

ImageRef CropWithBackground(const ImageBuffer& picture, Region& selection, uint32_t background) {
  if (picture.Kind() != kKindRgb24) return nullptr;
  const BoxRect whole{0, 0, picture.Width(), picture.Height()};
  const BoxRect bounds = selection.Bounds();
  const BoxRect crop = selection.IsInverted() ? whole : Intersect(bounds, whole);
  if (crop.IsEmpty()) return nullptr;
  const Point before{bounds.x, bounds.y};
  if (!selection.IsInverted()) selection.MoveTo(std::min(bounds.x, 0), std::min(bounds.y, 0));
  std::optional<SelectionMask> mask = SelectionMask::Build(&selection, crop.width, crop.height);
  ImageRef result = mask ? ImageBuffer::Create(kKindRgb24, crop.width, crop.height) : nullptr;
  std::optional<PixelRows> rows;
  if (result) rows = result->WritableRows();
  if (!rows) {
    selection.MoveTo(before.x, before.y);
    return nullptr;
  }
  result->SetResolution(picture.Resolution());
  const uint8_t fill[3] = {uint8_t(background >> 16), uint8_t(background >> 8),
                           uint8_t(background)};
  ParallelRows(crop.height, int64_t(crop.width) * crop.height, [&](int32_t first, int32_t end) {
    for (int32_t y = first; y < end; ++y) {
      const uint8_t* from = picture.Row(crop.y + y) + size_t(crop.x) * 3;
      uint8_t* out = rows->Row(y);
      for (int32_t x = 0; x < crop.width; ++x, from += 3, out += 3) {
        std::memcpy(out, mask->Affects(x, y) ? from : fill, 3);
      }
    }
  });
  return result;
}

ImageRef CropToSelection(const ImageBuffer& picture, Region* selection, UiHost& ui,
                         Dialogs& dialogs) {
  if (selection == nullptr) {
    ui.Message(kSelectRegionFirst);
    return nullptr;
  }
  uint32_t background = 0;
  if (selection->Kind() != kRegionRectangle) {
    std::optional<uint32_t> chosen = dialogs.ChooseBackgroundColor(kCropBackgroundCaption);
    if (!chosen) return nullptr;
    background = *chosen;
  }
  return CropWithBackground(picture, *selection, background);
}

ImageRef RotateByHundredths(FilterSite& site, const ImageRef& picture, int hundredths,
                            uint32_t background) {
  char text[80];
  std::snprintf(text, sizeof text, "%d,{%u,%u,%u}", hundredths, background & 0xFF,
                (background >> 8) & 0xFF, (background >> 16) & 0xFF);
  ImageRef result;
  if (!ApplyToolNewImage(site, kRotateToolName, picture, result, text, "%d,%c")) return nullptr;
  return result;
}

ImageRef RotateByAngle(FilterSite& site, const ImageRef& picture, Dialogs& dialogs) {
  std::optional<RotateAnswer> answer = dialogs.RotatePicture();
  if (!answer || answer->angle < 0 || answer->angle > 360) return nullptr;
  const int angle = answer->left ? 360 - answer->angle : answer->angle;
  uint32_t background = 0;
  if (angle % 90 != 0) {
    std::optional<uint32_t> chosen = dialogs.ChooseBackgroundColor(kRotateBackgroundCaption);
    if (!chosen) return nullptr;
    background = *chosen;
  }
  return RotateByHundredths(site, picture, angle * 100, background);
}

ImageRef ResizeTo(FilterSite& site, const ImageRef& picture, const PictureSize& size) {
  const unsigned dpi = picture->Resolution() & 0xFFFF;
  char text[96];
  std::snprintf(text, sizeof text, "{%d,%d},0,%u,%u", size.width, size.height, dpi, dpi);
  ImageRef result;
  if (!ApplyToolNewImage(site, kResizeToolName, picture, result, text, "%p,%d,%d,%d")) {
    return nullptr;
  }
  return result;
}

ImageRef ResizePicture(FilterSite& site, const ImageRef& picture, Dialogs& dialogs) {
  ResizeForm form(picture->Width(), picture->Height());
  if (!dialogs.ResizePicture(form)) return nullptr;
  std::optional<PictureSize> size = form.Accept();
  if (!size) return nullptr;
  return ResizeTo(site, picture, *size);
}

}  // namespace tintara
