#include "storage/convert_ini.h"

namespace tintara {

namespace {

constexpr const char kPaths[] = "PATHS";
constexpr const char kSettings[] = "Settings";

}  // namespace

const char* PathsKeyOf(PictureFolder folder) {
  switch (folder) {
    case PictureFolder::kImages: return "IMAGES";
    case PictureFolder::kConverted: return "CONVERTED";
    case PictureFolder::kPatterns: return "PATTERNS";
  }
  return "IMAGES";
}

void PrepareOpenDialog(SettingsStore& convertIni, const SettingsStore& settings,
                       const std::string& defaultFolder) {
  convertIni.WriteString(kSettings, "OpenDir",
                         settings.ReadString(kPaths, PathsKeyOf(PictureFolder::kImages),
                                             defaultFolder));
  convertIni.Flush();
}

void PrepareSaveDialog(SettingsStore& convertIni, const SettingsStore& settings,
                       PictureFolder folder, const std::string& defaultFolder) {
  convertIni.WriteString(kSettings, "SaveDir",
                         settings.ReadString(kPaths, PathsKeyOf(folder), defaultFolder));
  convertIni.Flush();
}

void RememberChosenFolder(SettingsStore& settings, PictureFolder folder,
                          const std::string& chosenPath) {
  settings.WriteString(kPaths, PathsKeyOf(folder), FolderOfFile(chosenPath));
}

std::string FolderOfFile(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return "";
  if (slash == 0) return path.substr(0, 1);
  // "C:\x.png" keeps its drive's root.
  if (slash == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, slash);
}

}  // namespace tintara
