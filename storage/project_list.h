// The rows of the project browser: the recent projects whose files still
// exist, with their file times, and the recent list rewritten without the
// missing ones.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "ports/settings_store.h"

namespace tintara {

struct ProjectRow {
  std::string name;      // file name without folder and extension
  std::string path;
  std::string created;   // "%H:%M:%S, %B %d, %Y"
  std::string modified;
};

// LAST0 ... in order, without the files that no longer exist; the surviving
// paths are written back as LAST0, LAST1, ...
std::vector<ProjectRow> ReadProjectRows(SettingsStore& store);

// A file time as the browser shows it, in local time.
std::string FormatFileTime(std::time_t time);

}  // namespace tintara
