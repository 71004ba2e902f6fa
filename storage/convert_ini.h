// Start folders of the picture file dialogs. Before a dialog opens, the folder
// it starts in is written to "CONVERT.INI" (section "Settings": "OpenDir" for
// opening, "SaveDir" for saving) and flushed, so the dialog side reads it back
// from there; after a successful open or save the program's own folder becomes
// the folder of the chosen file.
#pragma once

#include <string>

#include "ports/settings_store.h"

namespace tintara {

inline constexpr const char kConvertIniName[] = "CONVERT.INI";

// What a picture dialog opens or saves.
enum class PictureFolder { kImages, kConverted, kPatterns };

// "OpenDir" (or "SaveDir") := `folder`, written out at once.
void PrepareOpenDialog(SettingsStore& convertIni, const std::string& folder);
void PrepareSaveDialog(SettingsStore& convertIni, const std::string& folder);
// The folders the dialogs start in, as last prepared ("" when never).
std::string OpenDialogFolder(const SettingsStore& convertIni);
std::string SaveDialogFolder(const SettingsStore& convertIni);

// Drive and folder of a file path without the trailing separator
// ("/a/b/c.png" -> "/a/b", "c.png" -> "", "/c.png" -> "/").
std::string FolderOfFile(const std::string& path);

}  // namespace tintara
