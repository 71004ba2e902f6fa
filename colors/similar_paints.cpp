#include "colors/similar_paints.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "colors/color_difference.h"

namespace tintara {
namespace {

constexpr size_t kMaxListed = 3;

// CIEDE2000 is never below the lightness difference divided by its weight
// S_L, and S_L stays under 1.75 over the whole L* range (1.747 at 0 and 100),
// so a pair further apart in L* than 1.75 × limit cannot qualify. Skipping
// those leaves the full formula for a small fraction of the pairs.
constexpr double kMaxLightnessWeight = 1.75;

// Every brand colour converted once, whatever the number of colours asked about.
std::vector<std::vector<Lab>> BrandTables(std::span<const BrandPalette> brands) {
  std::vector<std::vector<Lab>> tables(brands.size());
  for (size_t b = 0; b < brands.size(); ++b) {
    tables[b].reserve(brands[b].Colors().size());
    for (const CFlossColor& color : brands[b].Colors()) {
      tables[b].push_back(SrgbToLab(color.AsRgb()));
    }
  }
  return tables;
}

bool Nearer(const SimilarPaint& x, const SimilarPaint& y) {
  if (x.deltaE != y.deltaE) return x.deltaE < y.deltaE;
  if (x.brand != y.brand) return x.brand < y.brand;
  return x.position < y.position;
}

std::vector<SimilarPaint> SimilarTo(const CFlossColor& color, std::span<const BrandPalette> brands,
                                    const std::vector<std::vector<Lab>>& tables, double limit) {
  std::vector<SimilarPaint> found;
  if (color.brandName.empty()) return found;
  const Lab lab = SrgbToLab(color.AsRgb());
  const double lightnessWindow = limit * kMaxLightnessWeight;
  for (size_t b = 0; b < brands.size(); ++b) {
    if (brands[b].BrandName() == color.brandName) continue;
    const std::vector<Lab>& table = tables[b];
    for (size_t p = 0; p < table.size(); ++p) {
      if (std::abs(table[p].l - lab.l) >= lightnessWindow) continue;
      const double deltaE = DeltaE2000(lab, table[p]);
      if (deltaE < limit) found.push_back({int(b), int(p), deltaE});
    }
  }
  std::sort(found.begin(), found.end(), Nearer);
  return found;
}

std::string Entry(const SimilarPaint& paint, const CFlossColor& color) {
  std::string text = color.brandName;
  if (color.catalogNumber >= 0) text.append(" ").append(std::to_string(color.catalogNumber));
  char difference[32];
  std::snprintf(difference, sizeof difference, " (ΔE %.1f)", paint.deltaE);
  return text.append(" ").append(color.colorName).append(difference);
}

}  // namespace

std::vector<std::vector<SimilarPaint>> FindSimilarPaints(std::span<const CFlossColor> colors,
                                                         std::span<const BrandPalette> brands,
                                                         double limit) {
  const std::vector<std::vector<Lab>> tables = BrandTables(brands);
  std::vector<std::vector<SimilarPaint>> result;
  result.reserve(colors.size());
  for (const CFlossColor& color : colors) result.push_back(SimilarTo(color, brands, tables, limit));
  return result;
}

std::string SimilarPaintsText(std::span<const SimilarPaint> similar,
                              std::span<const BrandPalette> brands) {
  std::string text;
  size_t listed = 0;
  for (const SimilarPaint& paint : similar) {
    if (listed == kMaxListed) break;
    if (paint.brand < 0 || size_t(paint.brand) >= brands.size()) continue;
    const CFlossColor* color = brands[size_t(paint.brand)].ColorAt(paint.position);
    if (color == nullptr) continue;
    if (listed++ > 0) text += ", ";
    text += Entry(paint, *color);
  }
  return text;
}

}  // namespace tintara
