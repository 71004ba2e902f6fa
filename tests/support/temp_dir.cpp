#include "tests/support/temp_dir.h"

#include <stdexcept>
#include <unistd.h>

namespace tintara::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tintara-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ProgramFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

std::filesystem::path ResourcesFolder() { return TINTARA_RESOURCES_DIR; }

}  // namespace tintara::test
