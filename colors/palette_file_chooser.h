// The file-name dialog of saved palettes: the list of "*.PAL" names of the
// "Palettes" folder, deleting entries, and what OK does when saving or
// loading.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "colors/saved_palette.h"
#include "ports/dialogs.h"

namespace tintara {

class UiHost;

enum class PaletteFileMode { kSave, kLoad };

class PaletteFileChooser : public NameListChooser {
 public:
  // Lists the folder; `preselected` is typed in when saving.
  PaletteFileChooser(PaletteFileMode mode, std::string folder, UiHost& host,
                     std::string preselected = std::string());

  const std::string& Title() const override { return title_; }
  std::vector<std::string> Names() const override;
  std::string InitialName() const override;
  // Asks "Delete this entry?"; on Yes removes the entry and deletes its file.
  bool Delete(const std::string& name) override;
  // The chosen path: the existing file for a listed name, else folder + name +
  // ".PAL". Loading an unknown name tells "No such name exists."; saving over
  // a listed name asks "This name already exists." and No keeps the dialog open.
  std::optional<std::string> Accept(const std::string& name) override;

 private:
  // Position of the entry named `name` (without regard to case), or -1.
  int Find(const std::string& name) const;

  PaletteFileMode mode_;
  std::string folder_;
  UiHost& host_;
  std::string title_;
  std::string preselected_;
  std::vector<SavedPaletteEntry> entries_;
};

// The whole dialog: creates the "Palettes" folder when missing, then lets the
// user choose. For saving, the title of `lastLoadedPath` is preselected.
std::optional<std::string> ChoosePaletteFile(Dialogs& dialogs, UiHost& host,
                                             const std::string& programFolder,
                                             PaletteFileMode mode,
                                             const std::string& lastLoadedPath = std::string());

}  // namespace tintara
