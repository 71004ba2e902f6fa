#include "storage/project_list.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

#include "storage/recent_projects.h"

namespace tintara {

namespace {

struct FileTimes {
  std::time_t created = 0;
  std::time_t modified = 0;
};

// The birth time where the file system keeps one, else the last change.
FileTimes TimesOf(const std::string& path) {
  FileTimes times;
#if defined(__linux__) && defined(STATX_BTIME)
  struct statx extended {};
  if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &extended) == 0) {
    times.modified = std::time_t(extended.stx_mtime.tv_sec);
    times.created = (extended.stx_mask & STATX_BTIME) != 0
                        ? std::time_t(extended.stx_btime.tv_sec)
                        : times.modified;
    return times;
  }
#endif
  struct stat plain {};
  if (stat(path.c_str(), &plain) == 0) {
    times.modified = plain.st_mtime;
    times.created = plain.st_mtime;
  }
  return times;
}

}  // namespace

std::string FormatFileTime(std::time_t time) {
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return {};
  char text[96];
  size_t length = std::strftime(text, sizeof text, "%H:%M:%S, %B %d, %Y", &local);
  return std::string(text, length);
}

std::vector<ProjectRow> ReadProjectRows(SettingsStore& store) {
  std::vector<std::string> paths = ExistingRecentProjects(store);
  WriteRecentProjects(store, paths);
  store.Flush();
  std::vector<ProjectRow> rows;
  for (const std::string& path : paths) {
    FileTimes times = TimesOf(path);
    rows.push_back({std::filesystem::path(path).stem().string(), path,
                    FormatFileTime(times.created), FormatFileTime(times.modified)});
  }
  return rows;
}

}  // namespace tintara
