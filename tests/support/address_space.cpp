#include "tests/support/address_space.h"

#include <fstream>
#include <string>

namespace tintara::test {

uint64_t AddressSpaceBytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmSize:") {
      uint64_t kib = 0;
      status >> kib;
      return kib << 10;
    }
  }
  return 0;
}

}  // namespace tintara::test
