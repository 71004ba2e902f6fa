// Start folders of the picture file dialogs. Before a dialog opens, the folder
// it starts in is written to "CONVERT.INI" (section "Settings": "OpenDir" for
// opening, "SaveDir" for saving); after a successful open or save the matching
// PATHS value becomes the folder of the chosen file.
#pragma once

#include <string>

#include "ports/settings_store.h"

namespace tintara {

inline constexpr const char kConvertIniName[] = "CONVERT.INI";

// What a picture dialog opens or saves, naming its PATHS key.
enum class PictureFolder { kImages, kConverted, kPatterns };
const char* PathsKeyOf(PictureFolder folder);  // "IMAGES", "CONVERTED", "PATTERNS"

// "OpenDir" := PATHS/IMAGES of `settings`.
void PrepareOpenDialog(SettingsStore& convertIni, const SettingsStore& settings,
                       const std::string& defaultFolder);
// "SaveDir" := the PATHS value of `folder`.
void PrepareSaveDialog(SettingsStore& convertIni, const SettingsStore& settings,
                       PictureFolder folder, const std::string& defaultFolder);
// PATHS value of `folder` := the folder of `chosenPath`.
void RememberChosenFolder(SettingsStore& settings, PictureFolder folder,
                          const std::string& chosenPath);

// Drive and folder of a file path without the trailing separator
// ("/a/b/c.png" -> "/a/b", "c.png" -> "", "/c.png" -> "/").
std::string FolderOfFile(const std::string& path);

}  // namespace tintara
