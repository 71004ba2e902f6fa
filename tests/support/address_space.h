// How much address space this process holds, for tests that bound it.
#pragma once

#include <cstdint>

namespace tintara::test {

// The process's address space now, from /proc; 0 when it cannot be read.
uint64_t AddressSpaceBytes();

}  // namespace tintara::test
