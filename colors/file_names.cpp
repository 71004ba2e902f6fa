#include "colors/file_names.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tintara {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

size_t NameStart(const std::string& path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? 0 : cut + 1;
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

bool LessIgnoreCase(std::string_view a, std::string_view b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
    auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::string WithTrailingSeparator(const std::string& folder) {
  if (folder.empty() || IsSeparator(folder.back())) return folder;
  return folder + '/';
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return WithTrailingSeparator(folder) + name;
}

std::string FileNameOf(const std::string& path) { return path.substr(NameStart(path)); }

std::string FileTitle(const std::string& path) {
  std::string name = FileNameOf(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FolderOf(const std::string& path) {
  size_t start = NameStart(path);
  if (start == 0) return std::string();
  std::string folder = path.substr(0, start - 1);
  return folder.empty() ? std::string(1, path[0]) : folder;  // the root keeps its "/"
}

std::vector<FolderFile> ListFilesWithExtension(const std::string& folder,
                                               std::string_view extension) {
  namespace fs = std::filesystem;
  std::vector<FolderFile> files;
  std::error_code error;
  fs::directory_iterator it(folder.empty() ? "." : folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    if (name.size() <= extension.size() || !EndsWithIgnoreCase(name, extension)) continue;
    files.push_back({name.substr(0, name.size() - extension.size()), JoinPath(folder, name)});
  }
  std::sort(files.begin(), files.end(), [](const FolderFile& a, const FolderFile& b) {
    return LessIgnoreCase(a.title, b.title);
  });
  return files;
}

}  // namespace tintara
