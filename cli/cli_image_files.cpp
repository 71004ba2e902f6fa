#include "cli/cli_image_files.h"

#include <QString>

#include "platform/picture_files.h"

namespace tintara::cli {

std::optional<std::string> CliImageFiles::ChoosePictureToOpen() {
  return dialogs_.ChooseFile("Open picture");
}

ImageRef CliImageFiles::LoadNamed(const std::string& path, std::string* error) {
  PictureLoad load = LoadPictureFile(path, budget_());
  if (!load.image && error != nullptr) *error = load.error;
  return load.image;
}

std::optional<std::string> CliImageFiles::SaveWithDialog(const ImageBuffer& image) {
  std::optional<std::string> path = dialogs_.ChooseFile("Save picture");
  if (!path) return std::nullopt;
  std::string error = SavePictureFile(image, QString::fromStdString(*path));
  if (!error.empty()) {
    ui_.Message(error, MessageIcon::kError);
    return std::nullopt;
  }
  return path;
}

}  // namespace tintara::cli
