// Vector types and lane moves for the planar row passes of "graham_filt":
// N lanes of 32 bits (4 on any processor, 8 where AVX2 runs) and 2N lanes of
// 16 bits for the passes over 16-bit sums.
//
// Arithmetic stays in portable vector extensions; widening, narrowing and
// byte moves use the instruction set directly, where compilers otherwise fall
// back to one lane at a time. The 8-lane helpers carry the AVX2 target and
// reach the row passes only through the AVX2 entry point, which inlines every
// call it makes; all helpers take vectors by reference, so no function passes
// a 32-byte vector by value.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TINTARA_GRAHAM_EIGHT_LANES 1
#endif

namespace tintara::graham {

template <typename V>
inline void LoadTo(V& v, const void* p) {
  std::memcpy(&v, p, sizeof v);
}

template <typename V>
inline void StoreFrom(void* p, const V& v) {
  std::memcpy(p, &v, sizeof v);
}

template <int N>
struct Lanes;

template <>
struct Lanes<4> {
  typedef int32_t I32 __attribute__((vector_size(16)));
  typedef float F32 __attribute__((vector_size(16)));
  typedef uint16_t Words __attribute__((vector_size(16)));
#if defined(__SSE2__)
  static constexpr bool kSplitsSixteen = true;
#else
  static constexpr bool kSplitsSixteen = false;
#endif

  // N bytes or words from p, one per lane.
  static void WidenBytes(I32& v, const uint8_t* p) {
#if defined(__SSE2__)
    int32_t bytes;
    std::memcpy(&bytes, p, 4);
    const __m128i zero = _mm_setzero_si128();
    v = I32(_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(bytes), zero), zero));
#else
    v = I32{p[0], p[1], p[2], p[3]};
#endif
  }

  static void WidenWords(I32& v, const uint16_t* p) {
#if defined(__SSE2__)
    __m128i words = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    v = I32(_mm_unpacklo_epi16(words, _mm_setzero_si128()));
#else
    v = I32{p[0], p[1], p[2], p[3]};
#endif
  }

  // 2N bytes from p, one per 16-bit lane.
  static void WidenToWords(Words& v, const uint8_t* p) {
#if defined(__SSE2__)
    __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    v = Words(_mm_unpacklo_epi8(bytes, _mm_setzero_si128()));
#else
    v = Words{p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]};
#endif
  }

  // Lanes holding 0..255, as N bytes.
  static void StoreBytes(uint8_t* out, const I32& v) {
#if defined(__SSE2__)
    __m128i words = _mm_packs_epi32(__m128i(v), __m128i(v));
    int32_t bytes = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
    std::memcpy(out, &bytes, 4);
#else
    for (int k = 0; k < 4; ++k) out[k] = uint8_t(v[k]);
#endif
  }

  // Pixels held as blue | green << 8 | red << 16 per lane, as 3N bytes and
  // one byte more.
  static void StoreColour(uint8_t* out, const I32& packed) {
    for (int k = 0; k < 4; ++k) {
      const int32_t pixel = packed[k];
      std::memcpy(out + 3 * k, &pixel, 4);
    }
  }

#if defined(__SSE2__)
  // Sixteen blue, green, red pixels (48 bytes) into three planes and the
  // luminance of each, whose weighted sum (at most 256 * 255 + 128) fits 16
  // bits. Four rounds of interleaving the three registers' halves sort the
  // bytes by channel.
  static void SplitColour16(const uint8_t* p, uint8_t* blue, uint8_t* green, uint8_t* red,
                            uint8_t* luminance) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
    for (int round = 0; round < 4; ++round) {
      const __m128i nextA = _mm_unpacklo_epi8(a, _mm_unpackhi_epi64(b, b));
      const __m128i nextB = _mm_unpacklo_epi8(_mm_unpackhi_epi64(a, a), c);
      c = _mm_unpacklo_epi8(b, _mm_unpackhi_epi64(c, c));
      a = nextA;
      b = nextB;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(blue), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(green), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(red), c);
    const __m128i zero = _mm_setzero_si128();
    __m128i halves[2];
    for (int h = 0; h < 2; ++h) {
      const auto widen = [&](__m128i v) {
        return h == 0 ? _mm_unpacklo_epi8(v, zero) : _mm_unpackhi_epi8(v, zero);
      };
      __m128i sum = _mm_add_epi16(_mm_mullo_epi16(widen(a), _mm_set1_epi16(29)),
                                  _mm_mullo_epi16(widen(b), _mm_set1_epi16(150)));
      sum = _mm_add_epi16(sum, _mm_mullo_epi16(widen(c), _mm_set1_epi16(77)));
      halves[h] = _mm_srli_epi16(_mm_add_epi16(sum, _mm_set1_epi16(128)), 8);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(luminance),
                     _mm_packus_epi16(halves[0], halves[1]));
  }
#endif

  // Running sum across the lanes plus `carry` (every lane holding the sum so
  // far); carry becomes the last lane. 16-bit sums wrap, which the difference
  // of two of them undoes as long as the true difference fits.
  static void PrefixSum(Words& x, Words& carry) {
    const Words zero{};
    x += __builtin_shufflevector(x, zero, 8, 0, 1, 2, 3, 4, 5, 6);
    x += __builtin_shufflevector(x, zero, 8, 8, 0, 1, 2, 3, 4, 5);
    x += __builtin_shufflevector(x, zero, 8, 8, 8, 8, 0, 1, 2, 3);
    x += carry;
    carry = __builtin_shufflevector(x, x, 7, 7, 7, 7, 7, 7, 7, 7);
  }
};

#ifdef TINTARA_GRAHAM_EIGHT_LANES

#define TINTARA_AVX2 __attribute__((target("avx2")))

template <>
struct Lanes<8> {
  typedef int32_t I32 __attribute__((vector_size(32)));
  typedef float F32 __attribute__((vector_size(32)));
  typedef uint16_t Words __attribute__((vector_size(32)));
  static constexpr bool kSplitsSixteen = true;

  TINTARA_AVX2 static void WidenBytes(I32& v, const uint8_t* p) {
    v = I32(_mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
  }

  TINTARA_AVX2 static void WidenWords(I32& v, const uint16_t* p) {
    v = I32(_mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
  }

  TINTARA_AVX2 static void WidenToWords(Words& v, const uint8_t* p) {
    v = Words(_mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
  }

  TINTARA_AVX2 static void StoreBytes(uint8_t* out, const I32& v) {
    __m256i words = _mm256_packs_epi32(__m256i(v), __m256i(v));
    __m256i bytes = _mm256_packus_epi16(words, words);  // 4 bytes at 0 and at 16
    __m128i both = _mm_unpacklo_epi32(_mm256_castsi256_si128(bytes),
                                      _mm256_extracti128_si256(bytes, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), both);
  }

  // As the four-lane form, but exactly 3N bytes.
  TINTARA_AVX2 static void StoreColour(uint8_t* out, const I32& packed) {
    // Each half packs its four pixels into its first 12 bytes, then the
    // second half's three words move up behind the first half's.
    const __m256i tight = _mm256_shuffle_epi8(
        __m256i(packed), _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0,
                                          1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1));
    const __m256i joined = _mm256_permutevar8x32_epi32(tight, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(joined));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 16), _mm256_extracti128_si256(joined, 1));
  }

  TINTARA_AVX2 static void PrefixSum(Words& x, Words& carry) {
    __m256i v = __m256i(x);
    v = _mm256_add_epi16(v, _mm256_slli_si256(v, 2));
    v = _mm256_add_epi16(v, _mm256_slli_si256(v, 4));
    v = _mm256_add_epi16(v, _mm256_slli_si256(v, 8));
    // The high half also takes the low half's total.
    const __m256i lastWord = _mm256_set1_epi16(0x0f0e);
    const __m256i totals = _mm256_shuffle_epi8(v, lastWord);
    v = _mm256_add_epi16(v, _mm256_permute2x128_si256(totals, totals, 0x08));
    v = _mm256_add_epi16(v, __m256i(carry));
    const __m256i last = _mm256_shuffle_epi8(v, lastWord);
    carry = Words(_mm256_permute2x128_si256(last, last, 0x11));
    x = Words(v);
  }

  // Sixteen blue, green, red pixels (48 bytes) into three planes and the
  // luminance of each, whose weighted sum (at most 256 * 255 + 128) fits 16
  // bits.
  TINTARA_AVX2 static void SplitColour16(const uint8_t* p, uint8_t* blue, uint8_t* green,
                                         uint8_t* red, uint8_t* luminance) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
    const __m128i planes[3] = {Gather(a, b, c, 0), Gather(a, b, c, 1), Gather(a, b, c, 2)};
    __m256i sum = _mm256_set1_epi16(128);
    const int16_t weights[3] = {29, 150, 77};
    for (int k = 0; k < 3; ++k) {
      sum = _mm256_add_epi16(sum, _mm256_mullo_epi16(_mm256_cvtepu8_epi16(planes[k]),
                                                     _mm256_set1_epi16(weights[k])));
    }
    const __m256i shifted = _mm256_srli_epi16(sum, 8);
    const __m128i l = _mm_packus_epi16(_mm256_castsi256_si128(shifted),
                                       _mm256_extracti128_si256(shifted, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(blue), planes[0]);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(green), planes[1]);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(red), planes[2]);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(luminance), l);
  }

 private:
  // Bytes channel, channel + 3, ... of the 48 bytes a, b, c: each source
  // gives the bytes it holds, the others' places come out zero.
  TINTARA_AVX2 static __m128i Gather(__m128i a, __m128i b, __m128i c, int channel) {
    alignas(16) static constexpr int8_t kPick[3][3][16] = {
      {{0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
       {-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1, -1, -1},
       {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 4, 7, 10, 13}},
      {{1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
       {-1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1},
       {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14}},
      {{2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
       {-1, -1, -1, -1, -1, 1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1},
       {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15}},
    };
    const auto* pick = reinterpret_cast<const __m128i*>(kPick[channel]);
    return _mm_or_si128(
        _mm_or_si128(_mm_shuffle_epi8(a, _mm_load_si128(pick)),
                     _mm_shuffle_epi8(b, _mm_load_si128(pick + 1))),
        _mm_shuffle_epi8(c, _mm_load_si128(pick + 2)));
  }
};

#undef TINTARA_AVX2

#endif  // TINTARA_GRAHAM_EIGHT_LANES

}  // namespace tintara::graham
