#pragma once

#include <cstdint>

// Inlined wherever called: for code shared by the 16- and 32-byte paths,
// so that the 32-byte helpers it calls are inlined into it too.
#if defined(__GNUC__) || defined(__clang__)
#define VARNOTH_ALWAYS_INLINE __attribute__((always_inline)) inline
#else
#define VARNOTH_ALWAYS_INLINE inline
#endif

// Whether the 16-byte SIMD paths are built: every x86-64 processor has SSE2.
// Other processors take the plain loops that follow each SIMD path.
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VARNOTH_SSE2 1
#endif

// Whether the 32-byte paths (AVX2) are built: on x86-64 with GCC or Clang,
// each in a function of its own marked VARNOTH_AVX2_TARGET, taken only when
// the processor runs them (simd::avx2). Elsewhere the 16-byte paths serve.
#if defined(VARNOTH_SSE2) && defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VARNOTH_AVX2 1
#define VARNOTH_AVX2_TARGET __attribute__((target("avx2,bmi,bmi2,lzcnt,popcnt")))
// For the small helpers of such a function, inlined into it.
#define VARNOTH_AVX2_INLINE __attribute__((target("avx2,bmi,bmi2,lzcnt,popcnt"), always_inline)) inline

namespace varnoth::simd {

// Whether the 32-byte paths are taken: set at start-up when this processor
// runs AVX2 (and BMI2); cleared by onEachPath() for a while.
extern bool avx2;

VARNOTH_AVX2_INLINE __m256i load32(const char *p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
}

// The bytes of v that hold c, one bit each.
VARNOTH_AVX2_INLINE std::uint32_t equal32(__m256i v, char c)
{
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(c))));
}

// The same for 64 bytes held as two halves.
VARNOTH_AVX2_INLINE std::uint64_t equal64(__m256i low, __m256i high, char c)
{
    return equal32(low, c) | (std::uint64_t{equal32(high, c)} << 32);
}

// The bytes above 127 among 64 held as two halves.
VARNOTH_AVX2_INLINE std::uint64_t highBits64(__m256i low, __m256i high)
{
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
           (std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(high))} << 32);
}

} // namespace varnoth::simd
#endif

namespace varnoth::simd {

// Calls f on each SIMD path this processor runs, the 32-byte one and the
// 16-byte one, so that tests hold both to the same results.
template <class F> void onEachPath(F f)
{
#ifdef VARNOTH_AVX2
    if (avx2) {
        f();
        avx2 = false;
        f();
        avx2 = true;
        return;
    }
#endif
    f();
}

} // namespace varnoth::simd
