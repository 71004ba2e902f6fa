#include "tests/support/sane_test_devices.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tintara::test {

namespace {

const TempDir& ProcessFolder() {
  static const TempDir folder;
  return folder;
}

}  // namespace

SaneTestDevices::SaneTestDevices() {
  const TempDir& folder = ProcessFolder();
  config_ = folder.File("sane.d");
  std::filesystem::create_directories(config_);
  std::filesystem::create_directories(folder.File("runtime"));
  // Qt refuses a runtime folder that others may read.
  std::filesystem::permissions(folder.File("runtime"), std::filesystem::perms::owner_all);
  setenv("SANE_CONFIG_DIR", config_.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", folder.File("runtime").c_str(), 0);  // unless the test main made one
  Configure({});
}

void SaneTestDevices::Configure(const std::vector<std::string>& extraLines) {
  std::ofstream(config_ + "/dll.conf") << "test\n";
  std::ofstream conf(config_ + "/test.conf");
  conf << "number_of_devices 2\ntest-picture \"Color pattern\"\n";
  for (const std::string& line : extraLines) conf << line << '\n';
}

void SaneTestDevices::ConfigureNoDevices() { std::ofstream(config_ + "/dll.conf") << "\n"; }

}  // namespace tintara::test
