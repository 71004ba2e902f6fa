#include "colors/palette_file_chooser.h"

#include <filesystem>

#include "colors/file_names.h"
#include "ports/ui_host.h"

namespace tintara {

namespace {

MessageRequest Question(const char* text) {
  MessageRequest request;
  request.text = text;
  request.buttons = MessageButtons::kYesNo;
  request.icon = MessageIcon::kQuestion;
  return request;
}

}  // namespace

PaletteFileChooser::PaletteFileChooser(PaletteFileMode mode, std::string folder, UiHost& host,
                                       std::string preselected)
    : mode_(mode),
      folder_(std::move(folder)),
      host_(host),
      title_(mode == PaletteFileMode::kSave ? "Save palette" : "Load palette"),
      preselected_(std::move(preselected)),
      entries_(ListSavedPalettes(folder_)) {}

std::vector<std::string> PaletteFileChooser::Names() const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const SavedPaletteEntry& entry : entries_) names.push_back(entry.name);
  return names;
}

std::string PaletteFileChooser::InitialName() const {
  return mode_ == PaletteFileMode::kSave ? preselected_ : std::string();
}

int PaletteFileChooser::Find(const std::string& name) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (EqualsIgnoreCase(entries_[i].name, name)) return int(i);
  }
  return -1;
}

bool PaletteFileChooser::Delete(const std::string& name) {
  int found = Find(name);
  if (found < 0) return false;
  if (host_.ShowMessage(Question("Delete this entry?")) != kResultYes) return false;
  std::error_code error;
  std::filesystem::remove(entries_[size_t(found)].path, error);
  // An entry whose file could not be deleted stays listed: it is still there.
  if (std::filesystem::exists(entries_[size_t(found)].path, error)) return false;
  entries_.erase(entries_.begin() + found);
  return true;
}

std::optional<std::string> PaletteFileChooser::Accept(const std::string& name) {
  // A name that is not a plain file name is ignored like an empty one, so a
  // palette never lands outside its folder.
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of("/\\") != std::string::npos) {
    return std::nullopt;
  }
  int found = Find(name);
  if (mode_ == PaletteFileMode::kLoad) {
    if (found < 0) {
      host_.Message("No such name exists.", MessageIcon::kWarning);
      return std::nullopt;
    }
    return entries_[size_t(found)].path;
  }
  if (found < 0) return SavedPalettePath(folder_, name);
  if (host_.ShowMessage(Question("This name already exists.")) != kResultYes) return std::nullopt;
  return entries_[size_t(found)].path;
}

std::optional<std::string> ChoosePaletteFile(Dialogs& dialogs, UiHost& host,
                                             const std::string& programFolder,
                                             PaletteFileMode mode,
                                             const std::string& lastLoadedPath) {
  std::string folder = PalettesFolder(programFolder);
  EnsureFolder(folder);
  std::string preselected = lastLoadedPath.empty() ? std::string() : FileTitle(lastLoadedPath);
  PaletteFileChooser chooser(mode, folder, host, preselected);
  return dialogs.ChoosePaletteFile(chooser);
}

}  // namespace tintara
