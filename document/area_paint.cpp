#include "document/area_paint.h"

#include "document/tessel_doc.h"

namespace tintara {

std::optional<AreaPaint> PaintAt(const CTessel20Doc& doc, int32_t x, int32_t y) {
  if (doc.pictureEditing || doc.viewMode == kViewInitial || !doc.convertedPicture) return {};
  const ImageBuffer* index = doc.indexImage.get();
  if (index == nullptr || BitsPerPixel(index->Kind()) != 8) return {};
  if (x < 0 || y < 0 || x >= index->Width() || y >= index->Height()) return {};
  size_t position = index->Row(y)[x];
  const std::vector<CFlossColor>& palette = doc.params.workingPalette;
  if (position >= palette.size()) return {};
  const CFlossColor& colour = palette[position];
  return AreaPaint{int(position) + 1, colour.colorName, colour.brandName, colour.catalogNumber};
}

std::string AreaPaintText(const AreaPaint& paint) {
  std::string text = "Color " + std::to_string(paint.number) + ": ";
  text += paint.colorName.empty() ? "unnamed" : paint.colorName;
  if (!paint.brandName.empty()) text += ", " + paint.brandName;
  if (paint.catalogNumber >= 0) text += ", No. " + std::to_string(paint.catalogNumber);
  return text;
}

}  // namespace tintara
