// What the "Colors" dialog does with its copy of the pattern parameters: the
// brand, the wanted number of colours, rebuilding the working palette for the
// picture or the brand, adding and deleting colours, saving and loading the
// palette, and the question about unsaved changes. The dialog only shows this
// state and passes the user's actions on.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "colors/brand_list.h"
#include "colors/brand_palette.h"
#include "colors/pattern_color_shares.h"
#include "colors/reduction/working_palette.h"
#include "colors/tessel_params.h"

namespace tintara {

class UiHost;
class Dialogs;
class ImageBuffer;

// What the colour dialogs reach outside the record.
struct ColorsContext {
  std::string programFolder;
  int colorCorrectionPercent = 100;
  UiHost& host;
  Dialogs& dialogs;
  // How the dialog chooses paints for the picture when it opens.
  PaintChoice paintChoice = PaintChoice::kClassic;
};

// The number field's range: 2 .. min(32, colours of the brand).
constexpr int kMinNumColors = 2;
constexpr int kMaxNumColors = 32;

class ColorsEditor {
 public:
  // Opens on a copy of `params`; `picture` (may be null) is what "For picture"
  // builds from and must outlive the editor.
  ColorsEditor(const CTesselParams& params, const ImageBuffer* picture, ColorsContext context);

  const CTesselParams& Params() const { return params_; }
  const std::vector<CFlossColor>& Palette() const { return params_.workingPalette; }
  const std::vector<BrandListEntry>& Brands() const { return brands_; }
  int SelectedBrand() const { return brandIndex_; }
  // The loaded brand; null when no brand file could be read.
  const BrandPalette* Brand() const { return brand_ ? &*brand_ : nullptr; }
  int BrandSize() const { return brand_ ? brand_->Count() : 0; }
  // min(32, colours of the brand): the top of the number field.
  int MaxNumber() const;
  bool HasPicture() const { return picture_ != nullptr; }
  bool PaletteChanged() const { return paletteChanged_; }
  const std::string& LastLoadedPath() const { return lastLoadedPath_; }

  // The number field as typed; it is clamped when a brand is selected or a
  // rebuild is asked for.
  int Number() const { return number_; }
  void SetNumber(int number) { number_ = number; }

  // Loads the brand and makes it the record's brand; rebuilds the working
  // palette when it is not ready.
  void SelectBrand(int index);
  // Position of the brand named `name` without regard to case, or -1.
  int FindBrandByName(const std::string& name) const;

  // "For picture" / "For brand": the unsaved-changes question, then the
  // rebuild with the clamped number. False when the user cancelled.
  bool BuildForPicture();
  bool BuildForBrand();

  // How paints are chosen for the picture. Choosing another way rebuilds the
  // palette for the picture when there is one, as "For picture" does; false,
  // with the old way kept, when the user cancelled that.
  PaintChoice Choice() const { return paintChoice_; }
  bool SetChoice(PaintChoice choice);

  // Whether "Add" can add at all: a full palette ignores it.
  bool CanAdd() const;
  // Appends a colour that is not in the palette yet; its position, or -1
  // when the palette is full or already holds it.
  int Add(const CFlossColor& color);
  // Removes the colour at `position`; the position to select afterwards
  // (the new last colour when the last was removed), -1 when none is left.
  int Delete(int position);

  // "Save": asks for a name and writes the palette. False when cancelled or
  // the file could not be written (the user was told).
  bool Save();
  // "Load": the unsaved-changes question, a name, then the file's colours.
  // False when cancelled or the file could not be read (nothing changes).
  bool Load();
  // The unsaved-changes question; false when the user cancelled.
  bool ConfirmUnsavedChanges();
  // OK: a brand or number chosen since the working palette was made gets a
  // palette made for them (for the picture when there is one), unless the
  // palette was changed by hand. False when no palette could be made.
  bool Finish();

  const ColorsContext& Context() const { return context_; }

  // The "View Details" choice, handed in and back by the dialog.
  bool detailsView = true;
  // The pattern's paints and their shares of its area, for the lists.
  PatternColorShares shares;

 private:
  enum class Source { kPicture, kBrand };
  bool Rebuild(Source source);
  void ClampNumber();
  void SaveTo(const std::string& path);
  void Reindex();

  CTesselParams params_;
  const ImageBuffer* picture_;
  ColorsContext context_;
  std::vector<BrandListEntry> brands_;
  int brandIndex_ = -1;
  std::optional<BrandPalette> brand_;
  int number_ = 0;
  // What the working palette was last made for.
  std::string madeForBrand_;
  int madeForNumber_ = 0;
  bool paletteChanged_ = false;
  PaintChoice paintChoice_ = PaintChoice::kClassic;
  bool saveFailed_ = false;
  std::string lastLoadedPath_;
};

// The text shown when a palette file could not be written.
extern const char kPaletteNotSaved[];
// "Can't add color to current palette! Only 256 colors available!"
extern const char kPaletteFull[];

}  // namespace tintara
