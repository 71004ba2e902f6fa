// Picture files as the document sees them: open with a dialog, load a named
// file, save with a dialog. The dialogs start in the folders written to
// "CONVERT.INI" just before (see storage/convert_ini.h).
#pragma once

#include <optional>
#include <string>

#include "imaging/image_buffer.h"
#include "ports/ui_host.h"

namespace tintara {

struct OpenedPicture {
  ImageRef image;    // true colour
  std::string path;  // the chosen file
};

class ImageFiles {
 public:
  virtual ~ImageFiles() = default;
  // The open dialog alone ("Open picture"): the chosen picture's path.
  virtual std::optional<std::string> ChoosePictureToOpen() = 0;
  // Null when the file cannot be read; `error` gets the reason.
  virtual ImageRef LoadNamed(const std::string& path, std::string* error = nullptr) = 0;
  // The chosen path once the file was written; nothing on cancel or failure.
  virtual std::optional<std::string> SaveWithDialog(const ImageBuffer& image) = 0;
};

// The open dialog, then the chosen file read. Nothing when the user cancels
// or the file cannot be read (the user is told why through `ui`).
std::optional<OpenedPicture> OpenPictureWithDialog(ImageFiles& files, UiHost& ui);

}  // namespace tintara
