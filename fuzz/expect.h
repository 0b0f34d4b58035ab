#pragma once

#include <cstdio>
#include <cstdlib>

namespace varnoth::fuzz {

// Stops the run when an invariant fails: libFuzzer keeps the input.
inline void expect(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "broken invariant: %s\n", what);
        std::abort();
    }
}

} // namespace varnoth::fuzz
