#include "colors/color_selector.h"

#include <algorithm>

#include "colors/colors_editor.h"
#include "colors/file_names.h"
#include "colors/saved_palette.h"
#include "ports/ui_host.h"

namespace tintara {

namespace {

const std::vector<CFlossColor> kNoColors;

}  // namespace

int32_t BrandPositionIn(const std::string& brandFile, const CFlossColor& color) {
  std::optional<BrandPalette> brand = BrandPalette::Load(brandFile);
  if (!brand) return -1;
  const std::vector<CFlossColor>& colors = brand->Colors();
  auto found = std::find(colors.begin(), colors.end(), color);
  return found == colors.end() ? -1 : int32_t(found - colors.begin());
}

ColorSelector::ColorSelector(const CTesselParams& params, const std::string& programFolder,
                             bool adding, UiHost& host)
    : params_(params), adding_(adding), host_(host), brands_(ListBrands(programFolder)) {
  int found = FindBrandByPath(brands_, params_.brandFile);
  if (!brands_.empty()) ShowBrand(found >= 0 ? found : 0);
  if (!adding_ && !params_.workingPalette.empty()) ShowCurrentColors();
}

void ColorSelector::ShowCurrentColors() {
  if (!adding_) showingBrand_ = false;
}

void ColorSelector::ShowBrand(int index) {
  if (index < 0 || size_t(index) >= brands_.size()) return;
  FileError error;
  std::optional<BrandPalette> loaded = BrandPalette::Load(brands_[size_t(index)].path, &error, &host_);
  if (!loaded) {
    host_.Message(FileErrorText(error), MessageIcon::kError);
    return;
  }
  brandIndex_ = index;
  brand_ = std::move(loaded);
  showingBrand_ = true;
}

int ColorSelector::FindBrandByName(const std::string& name) const {
  return tintara::FindBrandByName(brands_, name);
}

const std::vector<CFlossColor>& ColorSelector::Shown() const {
  if (!showingBrand_) return params_.workingPalette;
  return brand_ ? brand_->Colors() : kNoColors;
}

int ColorSelector::InitialSelection() const {
  if (showingBrand_) return -1;
  int current = params_.currentColor;
  return current >= 0 && size_t(current) < params_.workingPalette.size() ? current : -1;
}

ColorSelector::Result ColorSelector::Accept(int position) {
  const std::vector<CFlossColor>& shown = Shown();
  if (position < 0 || size_t(position) >= shown.size()) return Result::kCancelled;
  CFlossColor color = shown[size_t(position)];
  std::vector<CFlossColor>& palette = params_.workingPalette;
  auto found = std::find(palette.begin(), palette.end(), color);
  if (found == palette.end()) {
    if (palette.size() >= size_t(kMaxWorkingColors)) {
      host_.Message(kPaletteFull, MessageIcon::kWarning);
      return Result::kCancelled;
    }
    color.paletteIndex = int32_t(palette.size());
    palette.push_back(color);
    params_.paletteReady = 1;
    found = palette.end() - 1;
  }
  chosenPosition_ = int(found - palette.begin());
  chosen_ = *found;
  params_.currentColor = chosenPosition_;
  // The current colour follows its brand colour through later rebuilds; a
  // paint of another brand has no position there.
  params_.currentBrandColor = BrandPositionIn(params_.brandFile, chosen_);
  return Result::kChosen;
}

}  // namespace tintara
