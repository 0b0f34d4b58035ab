#pragma once

#include <cstddef>
#include <new>

namespace varnoth {

// Memory for the large tables of the name indexes. Where the system offers
// it (Linux, transparent huge pages), blocks of 2 MiB and more are backed by
// huge pages: a lookup in a table of a million names then rarely misses the
// processor's address-translation cache on top of its data cache. Elsewhere
// and for smaller blocks this is plain operator new.
void *allocateLargeTable(std::size_t bytes);
void freeLargeTable(void *block, std::size_t bytes) noexcept;

template <class T>
struct LargeTableAllocator {
    using value_type = T;

    LargeTableAllocator() = default;
    template <class U>
    LargeTableAllocator(const LargeTableAllocator<U> &) noexcept
    {
    }

    T *allocate(std::size_t n)
    {
        if (n > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        return static_cast<T *>(allocateLargeTable(n * sizeof(T)));
    }
    void deallocate(T *block, std::size_t n) noexcept { freeLargeTable(block, n * sizeof(T)); }

    template <class U>
    bool operator==(const LargeTableAllocator<U> &) const noexcept
    {
        return true;
    }
};

} // namespace varnoth
