#include "simd.h"

namespace varnoth::simd {

#ifdef VARNOTH_AVX2
namespace {

bool runsAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
}

} // namespace

bool avx2 = runsAvx2();
#endif

} // namespace varnoth::simd
