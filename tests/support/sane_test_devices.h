// SANE's "test" backend as the only scanner library backend: a private
// configuration folder whose dll.conf names "test" and whose test.conf sets
// the virtual devices up. SANE reads the folder's name once per process, so
// every instance shares one folder; a library started after Configure sees
// the new files.
#pragma once

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace tintara::test {

class SaneTestDevices {
 public:
  // Two devices, "test:0" and "test:1", scanning a colour pattern.
  SaneTestDevices();
  // Rewrites test.conf with the lines given beside the defaults above (a
  // running library reads it again when started again).
  void Configure(const std::vector<std::string>& extraLines);
  // No backend at all: the library finds no device.
  void ConfigureNoDevices();
  const std::string& ConfigFolder() const { return config_; }

 private:
  std::string config_;
};

}  // namespace tintara::test
