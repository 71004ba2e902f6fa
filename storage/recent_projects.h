// The list of recent projects (WIZARD/LAST0, LAST1, ...) and the last project.
#pragma once

#include <string>
#include <vector>

#include "ports/settings_store.h"

namespace tintara {

// At most this many entries are read back.
constexpr int kMaxRecentProjects = 32;

// LAST0, LAST1, ... in order, at most 32, up to the first empty value.
std::vector<std::string> ReadRecentProjects(const SettingsStore& store);
// The same list without the paths whose files no longer exist.
std::vector<std::string> ExistingRecentProjects(const SettingsStore& store);
// Writes the list as LAST0, LAST1, ... and clears the key after it so that a
// shorter list never picks up stale entries.
void WriteRecentProjects(SettingsStore& store, const std::vector<std::string>& paths);

// After a project was saved: LASTPROJECT := path; the existing recent paths
// are kept in order and the path is put at the head unless it is already
// listed (compared without regard to case), where it keeps its place.
void RecordSavedProject(SettingsStore& store, const std::string& path);
// After a project was opened: only LASTPROJECT changes.
void RecordOpenedProject(SettingsStore& store, const std::string& path);
std::string LastProject(const SettingsStore& store);

}  // namespace tintara
