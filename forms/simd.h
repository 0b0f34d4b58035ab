#pragma once

// Whether the 16-byte SIMD paths are built: every x86-64 processor has SSE2.
// Other processors take the plain loops that follow each SIMD path.
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VARNOTH_SSE2 1
#endif
