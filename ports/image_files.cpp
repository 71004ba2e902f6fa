#include "ports/image_files.h"

namespace tintara {

std::optional<OpenedPicture> OpenPictureWithDialog(ImageFiles& files, UiHost& ui) {
  std::optional<std::string> path = files.ChoosePictureToOpen();
  if (!path) return std::nullopt;
  std::string error;
  ImageRef image = files.LoadNamed(*path, &error);
  if (!image) {
    ui.Message(error, MessageIcon::kError);
    return std::nullopt;
  }
  return OpenedPicture{std::move(image), *path};
}

}  // namespace tintara
