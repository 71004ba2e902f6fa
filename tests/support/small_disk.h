// A tiny file system of its own (tmpfs), so that a write runs into a really
// full disk. Mounting needs the superuser; without it Ok() is false and the
// test skips.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace tintara::test {

class SmallDisk {
 public:
  explicit SmallDisk(size_t bytes);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Ok() const { return mounted_; }
  std::string File(const std::string& name) const { return folder_.File(name); }
  const std::filesystem::path& Path() const { return folder_.Path(); }
  // Fills the disk with the file "filler" but for `room` bytes (whole pages).
  void FillAllBut(size_t room) const;

 private:
  TempDir folder_;
  bool mounted_ = false;
};

// The entries of a folder, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

}  // namespace tintara::test
