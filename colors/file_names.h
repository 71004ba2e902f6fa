// Small helpers for the program's file and folder names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tintara {

// ASCII letters compared without regard to case; other bytes exactly.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix);
// Orders names as a case-insensitive byte comparison (ties broken exactly).
bool LessIgnoreCase(std::string_view a, std::string_view b);

// A folder path with exactly one trailing separator ("" stays "").
std::string WithTrailingSeparator(const std::string& folder);
// The folder followed by the name, with one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);
// The name part of a path (after the last '/' or '\').
std::string FileNameOf(const std::string& path);
// File title of a path: the name without folder and extension.
std::string FileTitle(const std::string& path);
// Drive and folder of a path, without the trailing separator.
std::string FolderOf(const std::string& path);

// A file found by ListFilesWithExtension.
struct FolderFile {
  std::string title;  // file name without the extension
  std::string path;   // folder joined with the name as it exists
};
// The regular files of the folder ("" is the current one) whose names are
// longer than `extension` and end in it in any letter case, ordered by title
// without regard to case. Empty when the folder cannot be read.
std::vector<FolderFile> ListFilesWithExtension(const std::string& folder,
                                               std::string_view extension);

}  // namespace tintara
