#include "large_table_allocator.h"

#ifdef __linux__
#include <cstdlib>

#include <sys/mman.h>
#endif

namespace varnoth {
namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;

} // namespace

void *allocateLargeTable(std::size_t bytes)
{
#ifdef __linux__
    if (bytes >= hugePage) {
        const std::size_t rounded = (bytes + hugePage - 1) / hugePage * hugePage;
        void *block = std::aligned_alloc(hugePage, rounded);
        if (!block)
            throw std::bad_alloc();
        ::madvise(block, rounded, MADV_HUGEPAGE); // a hint; without it the table works the same
        return block;
    }
#endif
    return ::operator new(bytes);
}

void freeLargeTable(void *block, [[maybe_unused]] std::size_t bytes) noexcept
{
#ifdef __linux__
    if (bytes >= hugePage) {
        std::free(block);
        return;
    }
#endif
    ::operator delete(block);
}

} // namespace varnoth
