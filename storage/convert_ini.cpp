#include "storage/convert_ini.h"

#include "storage/settings_keys.h"

namespace tintara {

void PrepareOpenDialog(SettingsStore& convertIni, const std::string& folder) {
  WriteSettingText(convertIni, Setting::kConvertOpenDir, folder);
  convertIni.Flush();
}

void PrepareSaveDialog(SettingsStore& convertIni, const std::string& folder) {
  WriteSettingText(convertIni, Setting::kConvertSaveDir, folder);
  convertIni.Flush();
}

std::string OpenDialogFolder(const SettingsStore& convertIni) {
  return ReadSettingText(convertIni, Setting::kConvertOpenDir);
}

std::string SaveDialogFolder(const SettingsStore& convertIni) {
  return ReadSettingText(convertIni, Setting::kConvertSaveDir);
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
