#include "storage/recent_file_list.h"

#include <algorithm>

#include "colors/file_names.h"
#include "storage/settings_keys.h"

namespace tintara {

namespace {

std::string_view Section() { return KeyOf(Setting::kRecentFile).section; }
std::string KeyOfEntry(int index) { return NumberedKey(Setting::kRecentFile, index + 1); }

}  // namespace

void RecentFileList::Load(const SettingsStore& store) {
  entries_.clear();
  for (int i = 0; i < kRecentFileEntries; ++i) {
    std::string path = store.ReadString(Section(), KeyOfEntry(i), std::string());
    if (path.empty()) break;
    entries_.push_back(std::move(path));
  }
}

void RecentFileList::Save(SettingsStore& store) const {
  for (int i = 0; i < kRecentFileEntries; ++i) {
    if (i < int(entries_.size())) {
      store.WriteString(Section(), KeyOfEntry(i), entries_[size_t(i)]);
    } else {
      store.Remove(Section(), KeyOfEntry(i));
    }
  }
}

void RecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  std::erase_if(entries_, [&](const std::string& entry) { return EqualsIgnoreCase(entry, path); });
  entries_.insert(entries_.begin(), path);
  if (entries_.size() > size_t(kRecentFileEntries)) entries_.resize(kRecentFileEntries);
}

void RecentFileList::Remove(int index) {
  if (index < 0 || index >= int(entries_.size())) return;
  entries_.erase(entries_.begin() + index);
}

std::string RecentFileMenuText(const std::vector<std::string>& entries, int index) {
  if (index < 0 || index >= int(entries.size())) return {};
  const std::string& path = entries[size_t(index)];
  std::string name = FileNameOf(path);
  int sameName = int(std::count_if(entries.begin(), entries.end(), [&](const std::string& other) {
    return EqualsIgnoreCase(FileNameOf(other), name);
  }));
  std::string shown = sameName > 1 ? path : name;
  // A literal '&' in a name would otherwise underline the next letter.
  std::string text(1, '&');
  text += std::to_string(index + 1);
  text += ' ';
  for (char c : shown) {
    if (c == '&') text += '&';
    text += c;
  }
  return text;
}

}  // namespace tintara
