#include "storage/recent_projects.h"

#include <algorithm>
#include <filesystem>

#include "colors/file_names.h"
#include "storage/settings_keys.h"

namespace tintara {

namespace {

std::string RecentKey(int number) { return NumberedKey(Setting::kWizardRecentProject, number); }

std::string_view RecentSection() { return KeyOf(Setting::kWizardRecentProject).section; }

}  // namespace

std::vector<std::string> ReadRecentProjects(const SettingsStore& store) {
  std::vector<std::string> paths;
  for (int i = 0; i < kMaxRecentProjects; ++i) {
    std::string path = store.ReadString(RecentSection(), RecentKey(i), std::string());
    if (path.empty()) break;
    paths.push_back(std::move(path));
  }
  return paths;
}

std::vector<std::string> ExistingRecentProjects(const SettingsStore& store) {
  std::vector<std::string> paths = ReadRecentProjects(store);
  std::erase_if(paths, [](const std::string& path) {
    std::error_code error;
    return !std::filesystem::exists(path, error);
  });
  return paths;
}

void WriteRecentProjects(SettingsStore& store, const std::vector<std::string>& paths) {
  for (size_t i = 0; i < paths.size(); ++i) {
    store.WriteString(RecentSection(), RecentKey(int(i)), paths[i]);
  }
  for (int i = int(paths.size()); i <= kMaxRecentProjects; ++i) {
    store.Remove(RecentSection(), RecentKey(i));
  }
}

void RecordSavedProject(SettingsStore& store, const std::string& path) {
  WriteSettingText(store, Setting::kWizardLastProject, path);
  std::vector<std::string> paths = ExistingRecentProjects(store);
  bool listed = std::any_of(paths.begin(), paths.end(),
                            [&](const std::string& p) { return EqualsIgnoreCase(p, path); });
  if (!listed) paths.insert(paths.begin(), path);
  WriteRecentProjects(store, paths);
  store.Flush();
}

void RecordOpenedProject(SettingsStore& store, const std::string& path) {
  WriteSettingText(store, Setting::kWizardLastProject, path);
  store.Flush();
}

std::string LastProject(const SettingsStore& store) {
  return ReadSettingText(store, Setting::kWizardLastProject);
}

}  // namespace tintara
