// The File menu's list of recently opened and saved projects: four entries,
// newest first, kept in section "Recent File List" as File1..File4.
#pragma once

#include <string>
#include <vector>

#include "ports/settings_store.h"

namespace tintara {

constexpr int kRecentFileEntries = 4;

class RecentFileList {
 public:
  // Reads File1.. in order up to the first empty value.
  void Load(const SettingsStore& store);
  // Writes the entries and removes the keys after them.
  void Save(SettingsStore& store) const;

  // Puts `path` first; an entry naming the same file (letter case ignored)
  // moves there instead of appearing twice; the oldest falls off.
  void Add(const std::string& path);
  // Drops entry `index` (a file that could not be opened).
  void Remove(int index);

  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

// The menu text of entry `index`: "&1 name" with the file name only, or the
// full path when two entries share a file name.
std::string RecentFileMenuText(const std::vector<std::string>& entries, int index);

}  // namespace tintara
