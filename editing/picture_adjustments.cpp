#include "editing/picture_adjustments.h"

#include <optional>

#include "colors/reduction/selection_rows.h"
#include "imaging/filters/apply_tool.h"
#include "imaging/filters/builtin_tools.h"
#include "ports/dialogs.h"

namespace tintara {

namespace {

ImageRef RunThreeByThree(FilterSite& site, const char* tool, const ImageBuffer& picture,
                         const Region* selection) {
  ImageRef copy = ImageBuffer::Copy(picture);
  if (!copy) return nullptr;
  if (!ApplyToolInPlace(site, tool, copy, "3,3,0,0", "%d,%d,%d,%d", selection)) return nullptr;
  return copy;
}

}  // namespace

namespace {

// The whole picture in one pass from the source into the new picture, with
// no copy to rewrite afterwards.
ImageRef ApplyToWholePicture(const ImageBuffer& picture, const ToneTable& table) {
  ImageRef result = ImageBuffer::Create(kKindRgb24, picture.Width(), picture.Height());
  if (!result) return nullptr;
  result->SetResolution(picture.Resolution());
  std::optional<PixelRows> rows = result->WritableRows();
  if (!rows) return nullptr;
  const size_t bytes = size_t(picture.Width()) * 3;
  ParallelRows(picture.Height(), int64_t(picture.Width()) * picture.Height(),
               [&](int32_t first, int32_t end) {
                 for (int32_t y = first; y < end; ++y) {
                   const uint8_t* from = picture.Row(y);
                   uint8_t* out = rows->Row(y);
                   for (size_t i = 0; i < bytes; ++i) out[i] = table[from[i]];
                 }
               });
  return result;
}

}  // namespace

ImageRef ApplyToneTable(const ImageBuffer& picture, const Region* selection,
                        const ToneTable& table) {
  if (selection == nullptr && picture.Kind() == kKindRgb24) {
    return ApplyToWholePicture(picture, table);
  }
  return TransformSelectedPixels(picture, selection, [&table](uint8_t* pixel) {
    pixel[0] = table[pixel[0]];
    pixel[1] = table[pixel[1]];
    pixel[2] = table[pixel[2]];
  });
}

ImageRef ChangeBrightness(const ImageBuffer& picture, const Region* selection, int direction) {
  return ApplyToneTable(picture, selection, BrightnessTable(direction));
}

ImageRef ChangeContrast(const ImageBuffer& picture, const Region* selection, int direction) {
  return ApplyToneTable(picture, selection, ContrastTable(direction));
}

ImageRef SharpenPicture(FilterSite& site, const ImageBuffer& picture, const Region* selection) {
  return RunThreeByThree(site, kSharpenFilterName, picture, selection);
}

ImageRef SmoothPicture(FilterSite& site, const ImageBuffer& picture, const Region* selection) {
  return RunThreeByThree(site, kSmoothFilterName, picture, selection);
}

ImageRef SmartTune(const ImageBuffer& picture, const Region* selection, Dialogs& dialogs,
                   const TonePreview& preview) {
  const std::vector<ToneTable> tables = SmartTuneTables(picture);
  auto show = [&](int method) {
    if (preview && method >= 0 && method < int(tables.size())) preview(&tables[size_t(method)]);
  };
  show(0);
  std::optional<int> chosen = dialogs.SmartTune(SmartTuneMethodNames(), show);
  if (preview) preview(nullptr);
  if (!chosen || *chosen < 0 || *chosen >= int(tables.size())) return nullptr;
  return ApplyToneTable(picture, selection, tables[size_t(*chosen)]);
}

}  // namespace tintara
