// What the "Select color" dialog does with its copy of the pattern
// parameters: it lists either the working palette or every colour of a
// brand, and OK makes the selected colour the chosen one, adding it to the
// working palette when it is not there yet.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "colors/brand_list.h"
#include "colors/brand_palette.h"
#include "colors/pattern_color_shares.h"
#include "colors/tessel_params.h"

namespace tintara {

class UiHost;

// Brand position of `color` in the brand file, or -1 when it is not there or
// the file cannot be read.
int32_t BrandPositionIn(const std::string& brandFile, const CFlossColor& color);

class ColorSelector {
 public:
  // `adding`: the dialog of "Add", which lists only brand colours. The brand
  // of the record's brandFile is listed first.
  ColorSelector(const CTesselParams& params, const std::string& programFolder, bool adding,
                UiHost& host);

  bool Adding() const { return adding_; }
  // True while every colour of a brand is listed.
  bool ShowingBrand() const { return showingBrand_; }
  void ShowCurrentColors();
  void ShowBrand(int index);
  const std::vector<BrandListEntry>& Brands() const { return brands_; }
  int SelectedBrand() const { return brandIndex_; }
  // Position of the brand named `name` without regard to case, or -1.
  int FindBrandByName(const std::string& name) const;

  // The colours listed now, and the one to select when they are shown.
  const std::vector<CFlossColor>& Shown() const;
  int InitialSelection() const;

  enum class Result { kChosen, kCancelled };
  // OK with the selected position in Shown() (-1: nothing selected). Tells the
  // user when the colour would be a 257th.
  Result Accept(int position);

  // After kChosen: the record with the colour in its working palette and
  // made the current painting colour, and that colour.
  const CTesselParams& Params() const { return params_; }
  const CFlossColor& Chosen() const { return chosen_; }
  int ChosenPosition() const { return chosenPosition_; }

  bool detailsView = true;
  PatternColorShares shares;

 private:
  CTesselParams params_;
  bool adding_;
  UiHost& host_;
  std::vector<BrandListEntry> brands_;
  int brandIndex_ = -1;
  std::optional<BrandPalette> brand_;
  bool showingBrand_ = false;
  CFlossColor chosen_;
  int chosenPosition_ = -1;
};

}  // namespace tintara
