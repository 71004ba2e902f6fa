// Four 32-bit lanes (GCC and clang vector extensions): one pixel's channels
// processed together, compiled to SSE on x86-64 and to plain code elsewhere.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tintara {

typedef uint32_t U32x4 __attribute__((vector_size(16)));
typedef int32_t I32x4 __attribute__((vector_size(16)));
typedef float F32x4 __attribute__((vector_size(16)));
typedef uint8_t U8x4 __attribute__((vector_size(4)));
typedef uint16_t U16x4 __attribute__((vector_size(8)));
typedef uint8_t U8x8 __attribute__((vector_size(8)));
typedef uint16_t U16x8 __attribute__((vector_size(16)));

inline U32x4 LoadU32x4(const uint32_t* p) {
  U32x4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline void StoreU32x4(uint32_t* p, U32x4 v) { std::memcpy(p, &v, sizeof v); }

// Four bytes widened to four lanes.
inline U32x4 WidenU8x4(const uint8_t* p) {
  U8x4 bytes;
  std::memcpy(&bytes, p, sizeof bytes);
  return __builtin_convertvector(bytes, U32x4);
}

// Four 16-bit values widened to four lanes.
inline U32x4 WidenU16x4(const uint16_t* p) {
  U16x4 words;
  std::memcpy(&words, p, sizeof words);
  return __builtin_convertvector(words, U32x4);
}

// sums[k] += bytes[k] (or -=) for k < count, eight at a time; both arrays
// must have room for count rounded up to a multiple of 8.
inline void AccumulateBytes(uint16_t* sums, const uint8_t* bytes, size_t count, bool add) {
  for (size_t k = 0; k < count; k += 8) {
    U16x8 sum;
    U8x8 values;
    std::memcpy(&sum, sums + k, sizeof sum);
    std::memcpy(&values, bytes + k, sizeof values);
    U16x8 wide = __builtin_convertvector(values, U16x8);
    sum = add ? sum + wide : sum - wide;
    std::memcpy(sums + k, &sum, sizeof sum);
  }
}

// The low byte of each lane (lanes hold 0..255), packed into four bytes.
inline uint32_t PackLowBytes(I32x4 v) {
#if defined(__SSE2__)
  __m128i words = _mm_packs_epi32(__m128i(v), __m128i(v));
  return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
#else
  U8x4 bytes = __builtin_convertvector(v, U8x4);
  uint32_t packed;
  std::memcpy(&packed, &bytes, sizeof packed);
  return packed;
#endif
}

}  // namespace tintara
