#include "tests/support/small_disk.h"

#include <sched.h>
#include <sys/mount.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace tintara::test {

namespace {

// Mounts in a namespace of this process (and the programs it starts) alone go
// with the process, even when a test is killed half-way. Private propagation
// keeps them from appearing outside.
bool InPrivateMountNamespace() {
  static const bool ok = unshare(CLONE_NEWNS) == 0 &&
                         mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  return ok;
}

}  // namespace

SmallDisk::SmallDisk(size_t bytes) {
  std::string options = "size=" + std::to_string(bytes);
  mounted_ = InPrivateMountNamespace() && mount("tmpfs", folder_.Path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                   options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_) umount2(folder_.Path().c_str(), MNT_DETACH);
}

void SmallDisk::FillAllBut(size_t room) const {
  std::filesystem::space_info space = std::filesystem::space(Path());
  std::ofstream filler(File("filler"), std::ios::binary);
  const std::string block(4096, 'x');
  for (uintmax_t written = 0; written + room + block.size() <= space.available;
       written += block.size()) {
    filler.write(block.data(), std::streamsize(block.size()));
  }
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tintara::test
