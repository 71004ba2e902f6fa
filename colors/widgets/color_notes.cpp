#include "colors/widgets/color_notes.h"

#include "colors/brand_list.h"
#include "colors/similar_paints.h"

namespace tintara {

std::vector<BrandPalette> LoadAllBrands(const std::vector<BrandListEntry>& entries) {
  std::vector<BrandPalette> brands;
  for (const BrandListEntry& entry : entries) {
    if (std::optional<BrandPalette> brand = BrandPalette::Load(entry.path)) {
      brands.push_back(std::move(*brand));
    }
  }
  return brands;
}

std::vector<ColorNote> MakeColorNotes(const std::vector<CFlossColor>& colors,
                                      const PatternColorShares& shares,
                                      const std::vector<BrandPalette>& brands) {
  std::vector<std::vector<SimilarPaint>> similar = FindSimilarPaints(colors, brands);
  std::vector<ColorNote> notes(colors.size());
  for (size_t i = 0; i < colors.size(); ++i) {
    notes[i].areaPercent = shares.Of(colors[i]);
    if (i < similar.size()) notes[i].similarPaints = SimilarPaintsText(similar[i], brands);
  }
  return notes;
}

QString InfoLineAt(const ColorListControl& list, int position) {
  const std::vector<CFlossColor>& colors = list.Colors();
  if (position < 0 || size_t(position) >= colors.size()) return QString();
  const std::vector<ColorNote>& notes = list.Notes();
  return ColorInfoLine(colors[size_t(position)],
                       size_t(position) < notes.size() ? &notes[size_t(position)] : nullptr);
}

}  // namespace tintara
