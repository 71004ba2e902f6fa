// A private temporary folder removed with everything in it when the guard ends.
#pragma once

#include <filesystem>
#include <string>

namespace tintara::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Folder that holds the test program (the program folder, with the brand files).
std::filesystem::path ProgramFolder();
// The repository's resources folder.
std::filesystem::path ResourcesFolder();

}  // namespace tintara::test
