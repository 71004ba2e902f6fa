// Small byte and 16-bit lane vectors (GCC and clang vector extensions): the
// channels of a pixel, or of two pixels side by side, blended together. They
// compile to SSE on x86-64 and to plain code elsewhere.
#pragma once

#include <cstdint>

namespace tintara {

typedef uint8_t U8x4 __attribute__((vector_size(4)));
typedef uint16_t U16x4 __attribute__((vector_size(8)));
typedef uint8_t U8x8 __attribute__((vector_size(8)));
typedef uint16_t U16x8 __attribute__((vector_size(16)));

}  // namespace tintara
