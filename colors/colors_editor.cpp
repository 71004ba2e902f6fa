#include "colors/colors_editor.h"

#include <algorithm>

#include "colors/file_names.h"
#include "colors/palette_file_chooser.h"
#include "colors/reduction/working_palette.h"
#include "colors/saved_palette.h"
#include "ports/ui_host.h"

namespace tintara {

const char kPaletteNotSaved[] = "The palette could not be saved.";
const char kPaletteFull[] = "Can't add color to current palette! Only 256 colors available!";

namespace {

constexpr char kUnsavedQuestion[] = "Your palette was changed!\nSave these changes? ";

}  // namespace

ColorsEditor::ColorsEditor(const CTesselParams& params, const ImageBuffer* picture,
                           ColorsContext context)
    : params_(params),
      picture_(picture),
      context_(std::move(context)),
      brands_(ListBrands(context_.programFolder)),
      number_(params.neededNumColors),
      madeForBrand_(params.brandFile),
      madeForNumber_(params.neededNumColors),
      paintChoice_(context_.paintChoice) {
  int found = FindBrandByPath(brands_, params_.brandFile);
  int index = found >= 0 ? found : 0;
  if (brands_.empty()) return;
  if (params_.paletteReady == 1) {
    brandIndex_ = index;
    FileError error;
    brand_ = BrandPalette::Load(brands_[size_t(index)].path, &error, &context_.host);
    if (!brand_) context_.host.Message(FileErrorText(error), MessageIcon::kError);
    return;
  }
  SelectBrand(index);
}

int ColorsEditor::MaxNumber() const { return std::min(kMaxNumColors, BrandSize()); }

void ColorsEditor::ClampNumber() {
  number_ = std::min(std::clamp(number_, kMinNumColors, kMaxNumColors), std::max(BrandSize(), 1));
}

void ColorsEditor::SelectBrand(int index) {
  if (index < 0 || size_t(index) >= brands_.size()) return;
  FileError error;
  std::optional<BrandPalette> loaded =
      BrandPalette::Load(brands_[size_t(index)].path, &error, &context_.host);
  if (!loaded) {
    // The list keeps showing the brand that is really loaded.
    context_.host.Message(FileErrorText(error), MessageIcon::kError);
    return;
  }
  brandIndex_ = index;
  brand_ = std::move(loaded);
  params_.brandFile = brands_[size_t(index)].path;
  ClampNumber();
  if (params_.paletteReady == 0) Rebuild(picture_ ? Source::kPicture : Source::kBrand);
}

int ColorsEditor::FindBrandByName(const std::string& name) const {
  return tintara::FindBrandByName(brands_, name);
}

bool ColorsEditor::BuildForPicture() {
  if (picture_ == nullptr || !ConfirmUnsavedChanges()) return false;
  ClampNumber();
  params_.neededNumColors = number_;
  return Rebuild(Source::kPicture);
}

bool ColorsEditor::BuildForBrand() {
  if (!ConfirmUnsavedChanges()) return false;
  ClampNumber();
  params_.neededNumColors = number_;
  return Rebuild(Source::kBrand);
}

bool ColorsEditor::SetChoice(PaintChoice choice) {
  if (choice == paintChoice_) return true;
  const PaintChoice before = paintChoice_;
  paintChoice_ = choice;
  if (picture_ != nullptr && !BuildForPicture()) {
    paintChoice_ = before;
    return false;
  }
  return true;
}

bool ColorsEditor::Rebuild(Source source) {
  if (!brand_) return false;
  WaitCursor wait(context_.host);
  FileError error;
  PaletteBuild built =
      source == Source::kPicture && picture_ != nullptr
          ? BuildPaletteForPicture(paintChoice_, params_, number_, *picture_,
                                   context_.colorCorrectionPercent, &error)
          : BuildPaletteForBrand(params_, number_, &error);
  if (built == PaletteBuild::kBrandUnreadable) {
    context_.host.Message(FileErrorText(error), MessageIcon::kError);
  }
  if (built != PaletteBuild::kBuilt) return false;
  madeForBrand_ = params_.brandFile;
  madeForNumber_ = number_;
  return true;
}

bool ColorsEditor::Finish() {
  ClampNumber();
  const bool chosenSince = params_.brandFile != madeForBrand_ || number_ != madeForNumber_;
  params_.neededNumColors = number_;
  if (!chosenSince || paletteChanged_) return true;
  return Rebuild(picture_ ? Source::kPicture : Source::kBrand);
}

bool ColorsEditor::CanAdd() const { return params_.workingPalette.size() < size_t(kMaxWorkingColors); }

int ColorsEditor::Add(const CFlossColor& color) {
  std::vector<CFlossColor>& palette = params_.workingPalette;
  if (!CanAdd() || std::find(palette.begin(), palette.end(), color) != palette.end()) return -1;
  palette.push_back(color);
  palette.back().paletteIndex = int32_t(palette.size() - 1);
  params_.paletteReady = 1;
  paletteChanged_ = true;
  return int(palette.size() - 1);
}

int ColorsEditor::Delete(int position) {
  std::vector<CFlossColor>& palette = params_.workingPalette;
  if (position < 0 || size_t(position) >= palette.size()) return -1;
  palette.erase(palette.begin() + position);
  Reindex();
  // An empty palette is not ready: the pattern needs at least one paint.
  if (palette.empty()) params_.paletteReady = 0;
  paletteChanged_ = true;
  return std::min(position, int(palette.size()) - 1);
}

void ColorsEditor::Reindex() {
  for (size_t i = 0; i < params_.workingPalette.size(); ++i) {
    params_.workingPalette[i].paletteIndex = int32_t(i);
  }
}

void ColorsEditor::SaveTo(const std::string& path) {
  saveFailed_ = !SaveSavedPalette(params_.workingPalette, path);
  if (saveFailed_) {
    context_.host.Message(kPaletteNotSaved, MessageIcon::kError);
    return;
  }
  paletteChanged_ = false;
}

bool ColorsEditor::Save() {
  std::optional<std::string> path =
      ChoosePaletteFile(context_.dialogs, context_.host, context_.programFolder,
                        PaletteFileMode::kSave, lastLoadedPath_);
  if (!path) return false;
  SaveTo(*path);
  return !saveFailed_;
}

bool ColorsEditor::Load() {
  if (!ConfirmUnsavedChanges()) return false;
  std::optional<std::string> path = ChoosePaletteFile(
      context_.dialogs, context_.host, context_.programFolder, PaletteFileMode::kLoad);
  if (!path) return false;
  // A file that cannot be read leaves the palette and its state as they were.
  CTesselParams loaded = params_;
  if (!LoadSavedPalette(*path, loaded)) return false;
  params_.workingPalette = std::move(loaded.workingPalette);
  params_.paletteReady = loaded.paletteReady;
  lastLoadedPath_ = *path;
  madeForBrand_ = params_.brandFile;
  madeForNumber_ = number_;
  paletteChanged_ = false;
  return true;
}

bool ColorsEditor::ConfirmUnsavedChanges() {
  if (!paletteChanged_) return true;
  MessageRequest request;
  request.text = kUnsavedQuestion;
  request.buttons = MessageButtons::kYesNoCancel;
  request.icon = MessageIcon::kQuestion;
  int answer = context_.host.ShowMessage(request);
  if (answer == kResultCancel) return false;
  if (answer == kResultNo) return true;
  if (!lastLoadedPath_.empty()) {
    SaveTo(lastLoadedPath_);
  } else if (!Save()) {
    return false;
  }
  // A palette that could not be written is not thrown away.
  return !saveFailed_;
}

}  // namespace tintara
