#pragma once

namespace varnoth {

// Asks the processor to fetch the cache line at `at` ahead of its use.
inline void prefetchBytes([[maybe_unused]] const void *at)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(at);
#endif
}

} // namespace varnoth
